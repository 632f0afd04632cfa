#pragma once
// The reactions a problem sheet is drawn from: the library's, balanced, and the names of its
// types.

#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/reaction.h"

namespace tovel {

// A reaction of the library that the program balances.
struct SheetReaction {
    std::string type;  // the name of its type
    std::string equation;
    Reaction reaction;  // balanced
};

// The library's reactions, type by type in the library's order, read from folder (tiptovl.rel
// and Zq/). Those that do not parse or balance are left out, and so are the types whose file
// cannot be read; problems names them. Nothing is asked: an unknown element leaves its reaction
// out.
std::vector<SheetReaction> LoadSheetLibrary(const std::string& folder, ElementTable& table,
                                            std::string* problems = nullptr);
// The type names of the library in folder, in order.
std::vector<std::string> SheetTypeNames(const std::string& folder);

// Which type of names a typed name means: the same name, or the same once blanks, accents and
// case are set aside ("sintesis" is "Síntesis"). Empty when none.
std::string MatchSheetType(const std::vector<std::string>& names, const std::string& typed);

}  // namespace tovel
