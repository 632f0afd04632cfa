#include "system/user_data.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/default_data.h"
#include "core/safe_file.h"
#include "core/system_error.h"
#include "system/file_helpers.h"

namespace fs = std::filesystem;

namespace tovel {

namespace {

// The files a fresh data folder needs; the user's own files (Conf.txt, Tools.rel, saved
// problems) are never touched.
constexpr const char* kDefaultFiles[] = {"elements.dat", "tiptovl.rel", "comps.rel", "Tovel.pdf",
                                         "DonaciónGratificada.htm"};

// Larger than any file the program ships (the guide is the largest).
constexpr std::size_t kMaxDefaultBytes = 64u << 20;
constexpr std::size_t kMaxRecordBytes = 1u << 20;

}  // namespace

std::string UserDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return (fs::path(xdg) / "tovel").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : ".") / ".local" / "share" / "tovel").string();
}

std::string DefaultDataFolder() {
    return DefaultDataFolder(ProgramFolder());
}

std::string DefaultDataFolder(const std::string& programDir) {
    const fs::path program = programDir;
    for (const fs::path& candidate : {program, program / ".." / "share" / "tovel"}) {
        std::error_code ec;
        if (fs::is_regular_file(candidate / "elements.dat", ec))
            return fs::weakly_canonical(candidate, ec).string();
    }
    return {};
}

std::string SeedDataFolder(const std::string& folder, const std::string& defaults) {
    std::error_code ec;
    fs::create_directories(fs::path(folder) / "Zq", ec);
    if (ec) return "No se puede crear " + folder + ": " + SystemErrorText(ec.value());
    if (defaults.empty()) return {};

    const std::string recordPath = (fs::path(folder) / kDefaultsRecordName).string();
    const ReadResult recordFile = ReadFilePrefix(recordPath, kMaxRecordBytes);
    DefaultsRecord record = recordFile ? ParseDefaultsRecord(recordFile.bytes) : DefaultsRecord();
    const DefaultsRecord before = record;

    auto follow = [&](const fs::path& shippedPath, const std::string& name) {
        const ReadResult shipped = ReadFilePrefix(shippedPath.string(), kMaxDefaultBytes);
        if (!shipped || shipped.fileSize > kMaxDefaultBytes) return;
        const std::uint64_t shippedPrint = Fingerprint(shipped.bytes);
        const fs::path userPath = fs::path(folder) / name;
        std::optional<std::uint64_t> user;
        std::error_code statError;
        if (fs::exists(fs::symlink_status(userPath, statError))) {
            const ReadResult mine = ReadFilePrefix(userPath.string(), kMaxDefaultBytes);
            // A file that cannot be read or is larger than any default is the user's: kept.
            if (!mine || mine.fileSize > kMaxDefaultBytes) return;
            user = Fingerprint(mine.bytes);
        }
        const auto known = record.find(name);
        const std::optional<std::uint64_t> recorded =
            known == record.end() ? std::nullopt : std::optional(known->second);
        switch (DecideDefaultUpdate(user, recorded, shippedPrint)) {
            case DefaultUpdate::Copy:
            case DefaultUpdate::Replace:
                if (WriteFileAtomically(userPath.string(), shipped.bytes))
                    record[name] = shippedPrint;
                break;
            case DefaultUpdate::Record:
                record[name] = shippedPrint;
                break;
            case DefaultUpdate::Keep:
                break;
        }
    };
    for (const char* name : kDefaultFiles)
        follow(fs::path(defaults) / name, name);
    for (const auto& entry : fs::directory_iterator(fs::path(defaults) / "Zq", ec)) {
        follow(entry.path(), "Zq/" + entry.path().filename().string());
    }
    // A record that cannot be written only means that the next start will keep every file that
    // differs from the shipped one.
    if (record != before) WriteFileAtomically(recordPath, FormatDefaultsRecord(record));
    return {};
}

}  // namespace tovel
