#pragma once
// File access that never leaves a half-written data file and never trusts a file's size.

#include <cstddef>
#include <string>
#include <string_view>

namespace tovel {

struct FileResult {
    bool ok = false;
    std::string error;  // why it failed, in Spanish, ready to show to the user
    explicit operator bool() const { return ok; }
};

// Writes bytes to a temporary file beside path, flushes it to disk, then renames it over path.
// On failure path is untouched and the temporary file is removed.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

struct ReadResult {
    bool ok = false;           // the file could be opened and read
    std::string bytes;         // at most maxBytes of it
    std::size_t fileSize = 0;  // the size on disk, which may exceed what was read
    std::string error;
    explicit operator bool() const { return ok; }
};

// Reads at most maxBytes from the start of the file.
ReadResult ReadFilePrefix(const std::string& path, std::size_t maxBytes);

}  // namespace tovel
