#include "app/user_data.h"

#include <cstdlib>
#include <filesystem>

#include "ui/file_helpers.h"

namespace fs = std::filesystem;

namespace tovel {

namespace {

// The files a fresh data folder needs; the user's own files (Conf.txt, Tools.rel, saved
// problems) are never touched.
constexpr const char* kDefaultFiles[] = {"elements.dat", "tiptovl.rel", "comps.rel", "Tovel.pdf",
                                         "DonaciónGratificada.htm"};

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
    if (ec) return "No se puede crear " + folder + ": " + ec.message();
    if (defaults.empty()) return {};
    auto seed = [&](const fs::path& from, const fs::path& to) {
        std::error_code copyError;
        if (fs::exists(from, copyError) && !fs::exists(to, copyError))
            fs::copy_file(from, to, copyError);
    };
    for (const char* name : kDefaultFiles)
        seed(fs::path(defaults) / name, fs::path(folder) / name);
    for (const auto& entry : fs::directory_iterator(fs::path(defaults) / "Zq", ec)) {
        seed(entry.path(), fs::path(folder) / "Zq" / entry.path().filename());
    }
    return {};
}

}  // namespace tovel
