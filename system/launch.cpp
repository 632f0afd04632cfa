#include "system/launch.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/messages.h"

namespace tovel {

namespace {

constexpr const char* kLinord = "Linord";

bool RegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// A bare name on the PATH, or nothing.
std::string OnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return {};
    const std::string_view entries(path);
    std::size_t start = 0;
    while (start <= entries.size()) {
        const std::size_t end = std::min(entries.find(':', start), entries.size());
        const std::string dir(entries.substr(start, end - start));
        start = end + 1;
        // An empty or "." entry names the current folder, the data folder: searched only where
        // the user's PATH says so, in its place, as a shell would.
        std::error_code ec;
        const std::filesystem::path folder = dir.empty() || dir == "."
                                                 ? std::filesystem::current_path(ec)
                                                 : std::filesystem::path(dir);
        if (ec) continue;
        const std::string candidate = (folder / name).string();
        if (IsProgramFile(candidate)) return candidate;
    }
    return {};
}

bool IsLinord(const std::string& name) {
    return name == kLinord || name == std::string(kLinord) + ".exe";
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : command) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

bool IsProgramFile(const std::string& path) {
    if (!RegularFile(path) || ::access(path.c_str(), X_OK) != 0) return false;
    std::ifstream in(path, std::ios::binary);
    char head[4] = {};
    in.read(head, sizeof head);
    const auto got = in.gcount();
    return (got >= 4 && head[0] == '\x7f' && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') ||
           (got >= 2 && head[0] == '#' && head[1] == '!');
}

LaunchTarget ResolveCommand(const std::string& file, const std::string& parameters,
                            const std::string& programDir) {
    LaunchTarget target;
    std::vector<std::string> words;
    if (RegularFile(file)) {
        words.push_back(file);  // a name with blanks in it, written without quotes
    } else {
        words = SplitCommandLine(file);
    }
    for (const auto& p : SplitCommandLine(parameters))
        words.push_back(p);
    if (words.empty()) return target;
    const std::string first = words.front();
    target.args.assign(words.begin() + 1, words.end());
    if (IsLinord(first)) {
        target.isProgram = true;
        target.file = (std::filesystem::path(programDir) / kLinord).string();
        return target;
    }
    target.file = first;
    if (first.find('/') == std::string::npos) {
        if (const std::string found = OnPath(first); !found.empty()) {
            target.isProgram = true;
            target.file = found;
            return target;
        }
    }
    target.isProgram = IsProgramFile(first);
    return target;
}

bool OpenDocumentFile(const std::string& path, UserPort& port) {
    if (!FileExists(path)) {
        NoticeWith(port, "No hallado", "No se encuentra el fichero: " + path,
                   MessageIcon::Exclamation);
        return false;
    }
    if (!port.OpenDocument(path)) {
        NoticeWith(port, "Error", "No hay ningún programa que abra " + path,
                   MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool OpenChosenDocument(UserPort& port) {
    std::string path;
    // The chooser restores the current folder, where the data files are found.
    return port.ChooseFile(FileChooserMode::Open, path) && OpenDocumentFile(path, port);
}

bool StartCommand(const std::string& file, const std::string& parameters, UserPort& port) {
    const LaunchTarget target = ResolveCommand(file, parameters, ProgramFolder());
    if (target.file.empty()) return false;
    if (!target.isProgram) return OpenDocumentFile(target.file, port);
    if (!port.StartProgram(target.file, target.args, {}, false)) {
        NoticeWith(port, "Error", "No se puede ejecutar: " + target.file, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool RunLinord(const std::string& file, int blockSize, UserPort& port,
               const std::string& programDir) {
    const std::string linord = (std::filesystem::path(programDir) / kLinord).string();
    if (!IsProgramFile(linord)) {
        NoticeWith(port, "Linord", "No se encuentra Linord en " + programDir,
                   MessageIcon::Exclamation);
        return false;
    }
    if (!port.StartProgram(linord, {file, std::to_string(blockSize)}, {}, true)) {
        NoticeWith(port, "Linord", "No se puede ejecutar Linord: " + linord,
                   MessageIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace tovel
