#pragma once
// Starting programs and opening documents through the user port, with the program's rules for
// a command line: its first word is a program when it contains ".exe" or names an executable
// file (programs are also looked for beside tovel, where Linord is); anything else is a document
// opened with the desktop's handler for its type.

#include <string>
#include <vector>

#include "user_port.h"

namespace tovel {

struct LaunchTarget {
    bool isProgram = false;
    std::string file;               // the program's path, or the document
    std::vector<std::string> args;  // the rest of the command line, split at blanks
};

// How a command line would be started; programDir is where tovel's own programs are.
LaunchTarget ResolveCommand(const std::string& command, const std::string& programDir);

// Starts the command; a program or document that cannot be found or opened is reported to the
// user. Returns whether it started.
bool Launch(const std::string& command, UserPort& port);
// Starts a program (never a document), optionally waiting for it to end.
bool RunCommand(const std::string& command, UserPort& port, bool wait = false);

}  // namespace tovel
