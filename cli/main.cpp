#include <csignal>
#include <filesystem>
#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

#include "cli/cli_app.h"
#include "core/language.h"

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write over the size limit fails and is reported
    // Only the C++ streams are used, so they need not keep in step with C's: reading and writing
    // go through their own buffers instead of a call per character. Reading still flushes what
    // was written (std::cin is tied to std::cout), so whoever types equations, or a script
    // feeding them through a pipe, sees each answer before sending the next line. Input from a
    // file waits for nobody: the answers then go out in large blocks, not a write per line.
    std::ios::sync_with_stdio(false);
    struct stat input {};
    if (fstat(STDIN_FILENO, &input) == 0 && S_ISREG(input.st_mode)) std::cin.tie(nullptr);
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string programDir = ec ? std::string(".") : self.parent_path().string();
    const std::vector<std::string> args(argv + 1, argv + argc);
    tovel::SetLanguageIndex(tovel::Language::Spanish);  // the texts tovel's windows show
    return tovel::RunCli(args, programDir, std::cin, std::cout, std::cerr);
}
