#include "launch.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "file_helpers.h"
#include "messages.h"

namespace tovel {

namespace {

bool Executable(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// The executable a program name stands for: as written, beside tovel, then on the PATH; a
// trailing ".exe" may be left out on this system.
std::string FindProgram(const std::string& name, const std::string& programDir) {
    std::vector<std::string> names = {name};
    const auto exe = name.find(".exe");
    if (exe != std::string::npos) names.push_back(name.substr(0, exe) + name.substr(exe + 4));
    for (const auto& n : names) {
        if (n.find('/') != std::string::npos) {
            if (Executable(n)) return n;
            continue;
        }
        if (Executable(std::filesystem::path(programDir) / n)) {
            return (std::filesystem::path(programDir) / n).string();
        }
        if (Executable(n)) return "./" + n;
        if (const char* path = std::getenv("PATH")) {
            std::istringstream dirs(path);
            for (std::string dir; std::getline(dirs, dir, ':');) {
                if (!dir.empty() && Executable(std::filesystem::path(dir) / n)) {
                    return (std::filesystem::path(dir) / n).string();
                }
            }
        }
    }
    return {};
}

std::vector<std::string> SplitBlanks(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

}  // namespace

LaunchTarget ResolveCommand(const std::string& command, const std::string& programDir) {
    LaunchTarget target;
    const auto blank = command.find(' ');
    const std::string first = command.substr(0, blank);
    target.args = blank == std::string::npos ? std::vector<std::string>{}
                                             : SplitBlanks(command.substr(blank + 1));
    const std::string program = FindProgram(first, programDir);
    if (!program.empty()) {
        target.isProgram = true;
        target.file = program;
    } else {
        target.isProgram = first.find(".exe") != std::string::npos;
        target.file = first;
    }
    return target;
}

bool Launch(const std::string& command, UserPort& port) {
    const LaunchTarget target = ResolveCommand(command, ProgramFolder());
    if (target.isProgram) return RunCommand(command, port);
    if (!FileExists(target.file)) {
        NoticeWith(port, "No hallado", "No se encuentra el fichero: " + target.file,
                   MessageIcon::Exclamation);
        return false;
    }
    if (!port.OpenDocument(target.file)) {
        NoticeWith(port, "Error", "No hay ningún programa que abra " + target.file,
                   MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool RunCommand(const std::string& command, UserPort& port, bool wait) {
    const LaunchTarget target = ResolveCommand(command, ProgramFolder());
    if (!target.isProgram || !Executable(target.file) ||
        !port.StartProgram(target.file, target.args, {}, wait)) {
        NoticeWith(port, "Error", "No se puede ejecutar: " + target.file, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace tovel
