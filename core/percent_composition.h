#pragma once
// The percentage composition of a formula, hydrates included, with the working a teacher writes:
// the molar mass as a sum of the atoms' masses, then each element's share of it, and for a
// hydrate the share of its water.

#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"

namespace tovel {

struct ElementShare {
    std::string symbol;
    double atoms = 0;    // in one formula: 4.5 for the O of CaSO4·½H2O
    double mass = 0;     // grams in one mole of the compound
    double percent = 0;  // of the molar mass
};

struct Composition {
    std::string error;    // why there is none: no formula, an element the table lacks, the electron
    std::string formula;  // as written back
    double molarMass = 0;
    std::vector<ElementShare> elements;  // in the order they first appear
    double waterPercent = 0;             // of a hydrate's water; 0 for what is no hydrate
    std::vector<std::string> steps;
};

// Every element's percent by mass in the formula, from the masses of table.
Composition PercentComposition(std::string_view formula, const ElementTable& table);

// A percent as the results print it: two decimals, a point ("25.45").
std::string PercentText(double percent);

// The answer under the working: each element as "Cu\t25.45 %" and, for a hydrate, its water as
// "H2O\t36.08 %" followed by waterNote.
std::vector<std::string> ShareLines(const Composition& composition,
                                    std::string_view waterNote = {});

}  // namespace tovel
