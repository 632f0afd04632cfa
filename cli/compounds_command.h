#pragma once
// tovel-cli compounds: the concentration window's compound list, each formula with its name.

#include <iosfwd>

namespace tovel {

// Writes one line per compound, "formula<TAB>Spanish name" (the formula alone where there is no
// name). A metal with two valences takes the lower one, so the output is the same on every run.
void WriteCompounds(std::ostream& out);

}  // namespace tovel
