#pragma once
// The reactions a problem sheet is drawn from: the library's, balanced, and the names of its
// types.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "core/reaction.h"

namespace tovel {

// A reaction of the library that the program balances, as little as a draw needs to choose it:
// a library may hold a hundred thousand reactions, and a sheet uses a few dozen.
struct SheetReaction {
    std::uint32_t type = 0;  // index into the library's type names
    std::size_t at = 0;      // where its equation starts in the library's text
    std::uint32_t length = 0;
    std::array<std::uint8_t, 2> count{};                            // substances by side
    std::array<std::array<unsigned char, kSideLimit>, 2> traits{};  // SheetTraits by side, slot
};

class SheetLibrary {
  public:
    std::size_t size() const { return m_reactions.size(); }
    bool empty() const { return m_reactions.empty(); }
    const SheetReaction& operator[](std::size_t index) const { return m_reactions.at(index); }

    const std::string& TypeName(std::size_t index) const;
    std::string_view Equation(std::size_t index) const;
    // The reaction parsed and balanced again, as it was on loading; false when it no longer can
    // be (the element table changed since).
    bool Balanced(std::size_t index, Reaction& reaction) const;
    // The element table the library was read with; nullptr for a library never loaded.
    const ElementTable* Table() const { return m_table; }

  private:
    friend SheetLibrary LoadSheetLibrary(const std::string&, ElementTable&, std::string*);

    ElementTable* m_table = nullptr;
    std::vector<std::string> m_typeNames;
    std::string m_text;  // every equation, one after another
    std::vector<SheetReaction> m_reactions;
};

// The library's reactions, type by type in the library's order, read from folder (tiptovl.rel
// and Zq/). Those that do not parse or balance are left out, and so are the types whose file
// cannot be read; problems names them. Nothing is asked: an unknown element leaves its reaction
// out. The library parses its reactions again with table, which must outlive it.
SheetLibrary LoadSheetLibrary(const std::string& folder, ElementTable& table,
                              std::string* problems = nullptr);
// The type names of the library in folder, in order.
std::vector<std::string> SheetTypeNames(const std::string& folder);

// Which type of names a typed name means: the same name, or the same once blanks, accents and
// case are set aside ("sintesis" is "Síntesis"). Empty when none.
std::string MatchSheetType(const std::vector<std::string>& names, const std::string& typed);

}  // namespace tovel
