#pragma once
// tovel-cli: the chemistry of tovel from the command line, for scripts and checks.

#include <iosfwd>
#include <string>
#include <vector>

namespace tovel {

// Runs tovel-cli with args (without the program name). programDir is the folder of the program,
// where the default element table lies. Returns the exit status: 0 all done, 1 some item failed,
// 2 wrong usage or no element table.
int RunCli(const std::vector<std::string>& args, const std::string& programDir, std::istream& in,
           std::ostream& out, std::ostream& err);

// The commands tovel-cli knows, in the order its usage lists them.
std::vector<std::string> CliCommandNames();

}  // namespace tovel
