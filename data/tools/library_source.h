#pragma once
// The readable default reaction library (data/library.txt): "@Type" lines start a type, then
// one "equation<TAB>description" line a reaction.

#include <string>
#include <string_view>
#include <vector>

#include "exercises/reaction_file.h"

namespace tovel {

struct LibrarySourceType {
    std::string name;
    std::vector<LibraryEntry> entries;
};

struct LibrarySource {
    std::vector<LibrarySourceType> types;
    std::string error;  // the first bad line, or empty
};

LibrarySource ReadLibrarySource(std::string_view text);

// Writes tiptovl.rel and Zq/<base>.zq into folder.
std::string WriteLibrary(const LibrarySource& library, const std::string& folder);

}  // namespace tovel
