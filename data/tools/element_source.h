#pragma once
// The readable default element table (data/elements.tsv) and its conversion to the table the
// program loads. Used by the build to write elements.dat, and by the tests.

#include <string>
#include <string_view>

#include "core/element_table.h"

namespace tovel {

struct ElementSourceResult {
    ElementTable table;
    std::string error;  // the first bad line, or empty
};

// Lines: Z <TAB> symbol <TAB> mass <TAB> name; '#' comments and empty lines are skipped. The
// table comes out in symbol order, as the element editor keeps it.
ElementSourceResult ReadElementSource(std::string_view text);

}  // namespace tovel
