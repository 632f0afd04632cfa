#include "app/command_line.h"

namespace tovel {

StartOptions ReadStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    for (const auto& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.request = StartRequest::Help;
            return options;
        }
        if (arg == "--version") {
            options.request = StartRequest::Version;
            return options;
        }
        if (arg == "--user-data") {
            options.userData = true;
        } else if (arg.size() > 1 && arg[0] == '-' && options.unknown.empty()) {
            options.unknown = arg;
        }
    }
    if (!options.unknown.empty()) options.request = StartRequest::Unknown;
    return options;
}

std::string TovelUsage() {
    return "usage: tovel [--user-data]\n"
           "       tovel --help | --version\n"
           "\n"
           "Balances chemical equations and solves stoichiometry problems (in Spanish).\n"
           "\n"
           "  --user-data  run in the user's data folder, $XDG_DATA_HOME/tovel or\n"
           "               ~/.local/share/tovel, seeded with the default data first\n"
           "  --help       print this text and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "Without --user-data tovel runs in the current folder and reads its data files there.\n";
}

std::string TovelVersionLine() {
    return std::string("tovel ") + TOVEL_VERSION + "\n";
}

}  // namespace tovel
