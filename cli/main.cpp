#include <csignal>
#include <filesystem>
#include <iostream>

#include "cli/cli_app.h"
#include "core/language.h"

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write over the size limit fails and is reported
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string programDir = ec ? std::string(".") : self.parent_path().string();
    const std::vector<std::string> args(argv + 1, argv + argc);
    tovel::SetLanguageIndex(tovel::Language::Spanish);  // the texts tovel's windows show
    return tovel::RunCli(args, programDir, std::cin, std::cout, std::cerr);
}
