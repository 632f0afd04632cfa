// Fuzz target: whatever stands at the data files' names (a file, a read-only file, a folder, a
// pipe, a link to itself, a loop of two links, a dangling link, a link to a file), every reader
// and writer of the program. Nothing may throw or hang, and no writer may replace what is not a
// regular file it may write: a folder stays a folder, a pipe a pipe, a link a link, and a
// read-only file keeps its bytes.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/compounds_file.h"
#include "app/conf_file.h"
#include "core/elements_file.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "system/text_file.h"
#include "system/tools.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

enum Kind : unsigned {
    kMissing,
    kRegular,
    kReadOnly,
    kFolder,
    kPipe,
    kSelfLink,
    kLinkLoop,
    kDangling,
    kLinkToFile,
    kKinds
};

struct Planted {
    std::string path;
    Kind kind;
    std::string bytes;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Plant(const Planted& p) {
    namespace fs = std::filesystem;
    std::error_code ec;
    switch (p.kind) {
        case kMissing:
            break;
        case kRegular:
        case kReadOnly:
            WriteBytes(p.path, p.bytes);
            if (p.kind == kReadOnly) ::chmod(p.path.c_str(), 0444);
            break;
        case kFolder:
            fs::create_directory(p.path, ec);
            break;
        case kPipe:
            ::mkfifo(p.path.c_str(), 0600);
            break;
        case kSelfLink:
            fs::create_symlink(fs::path(p.path).filename(), p.path, ec);
            break;
        case kLinkLoop:
            fs::create_symlink(fs::path(p.path).filename().string() + ".b", p.path, ec);
            fs::create_symlink(fs::path(p.path).filename(), p.path + ".b", ec);
            break;
        case kDangling:
            fs::create_symlink("gone/file", p.path, ec);
            break;
        case kLinkToFile:
            WriteBytes(p.path + ".target", p.bytes);
            fs::create_symlink(fs::path(p.path).filename().string() + ".target", p.path, ec);
            break;
        default:
            break;
    }
}

bool StillThere(const Planted& p) {
    struct stat info {};
    const bool present = ::lstat(p.path.c_str(), &info) == 0;
    switch (p.kind) {
        case kFolder:
            return present && S_ISDIR(info.st_mode);
        case kPipe:
            return present && S_ISFIFO(info.st_mode);
        case kSelfLink:
        case kLinkLoop:
        case kDangling:
        case kLinkToFile:
            return present && S_ISLNK(info.st_mode);
        case kReadOnly:
            return present && tovel::fuzz::ReadFile(p.path) == p.bytes;
        default:
            return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    namespace fs = std::filesystem;
    const std::string folder = fuzz::ScratchPath("paths");
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder + "/Zq", ec);

    const std::vector<std::string> names = {"elements.dat", "comps.rel", "tiptovl.rel",
                                            "Tools.rel",    "Conf.txt",  "Zq/Sintesis.zq",
                                            "problemas.txt"};
    const std::string_view input = fuzz::Bytes(data, size);
    const std::string bytes(input.substr(std::min(input.size(), names.size())));
    std::vector<Planted> planted;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto kind = static_cast<Kind>(i < input.size() ? input[i] % kKinds : kMissing);
        planted.push_back({folder + "/" + names[i], kind, bytes});
        Plant(planted.back());
    }
    const auto path = [&](std::size_t i) { return planted[i].path; };

    ElementTable table;
    LoadElements(table, path(0));
    LoadElementsReport(LoadElements(table, path(0)), path(0));
    SaveElements(table, path(0));
    CompoundBook book;
    book.Read(path(1));
    book.Write(path(1));
    ReactionTypes types;
    types.Read(path(2));
    types.Write(path(2));
    ToolList tools;
    tools.Load(path(3));
    tools.Save(path(3));
    ReadConfirmExit(path(4), true);
    WriteConfirmExit(path(4), true);
    const std::vector<LibraryEntry> entries = ReadReactions(path(5));
    WriteReactions(path(5), entries);
    AppendBlock(path(6), {"Problema", "Fin"});

    for (const Planted& p : planted) {
        if (!StillThere(p)) {
            std::fprintf(stderr, "%s, planted as kind %u\n", p.path.c_str(), unsigned(p.kind));
            fuzz::Fail("a writer replaced what was no file it could write");
        }
    }
    // Left writable, so that the next run can clear the folder.
    for (const Planted& p : planted) {
        if (p.kind == kReadOnly) ::chmod(p.path.c_str(), 0644);
    }
    return 0;
}
