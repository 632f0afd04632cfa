#pragma once
// A type's reaction file: two lines a reaction, the equation (as the equation line reads it)
// and its description. Windows-1252, CR LF.

#include <string>
#include <vector>

#include "core/safe_file.h"

namespace tovel {

constexpr std::size_t kLibraryLineLimit = 255;  // characters a library line may be typed with

struct LibraryEntry {
    std::string reaction;
    std::string description;

    bool operator==(const LibraryEntry&) const = default;
};

// The file's reactions, whole; a missing file is an empty list, a last reaction without its
// description gets an empty one. A file that exists but cannot be read whole (no permission, not
// a regular file, too large) also gives an empty list, and problem says why: writing the list
// back would destroy the file.
std::vector<LibraryEntry> ReadReactions(const std::string& path, std::string* problem = nullptr);

// Replaces the file with every entry, creating its folder when needed.
FileResult WriteReactions(const std::string& path, const std::vector<LibraryEntry>& entries);

}  // namespace tovel
