#pragma once
// Conf.txt: the one preference kept between runs, whether leaving asks for confirmation.

#include <string>

#include "core/safe_file.h"

namespace tovel {

constexpr const char* kConfFileName = "Conf.txt";

// The flag stored in the file: any non-zero integer on the first line is set. A missing file or
// a first line without an integer gives fallback.
bool ReadConfirmExit(const std::string& path, bool fallback);

// Writes 1 or 0 and a line end, only into a file of its own: a path that is a link (to a user's
// notes, say), no regular file, or a file that cannot be read is left as it is and refused.
FileResult WriteConfirmExit(const std::string& path, bool confirmExit);

}  // namespace tovel
