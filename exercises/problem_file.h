#pragma once
// Saving worded problems: each one appended to a text file of the user's, after two empty lines.

#include <string>
#include <vector>

#include "safe_file.h"

namespace tovel {

// Appends (or starts the file with) two empty lines, the statement's lines and the resolution's,
// each ended by CR LF, in Windows-1252.
FileResult AppendProblem(const std::string& path, const std::vector<std::string>& statement,
                         const std::vector<std::string>& resolution);

}  // namespace tovel
