#pragma once
// What a substance becomes in water, for the ionic equation: strong acids, strong bases and
// soluble salts give their ions; everything else is written whole. The acids, bases, ions and
// solubility rules are the school's (data/school/electrolytes.txt, built into the program), not
// guessed per formula.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

struct IonCount {
    std::string ion;  // as tovel writes it: "K^+", "SO4^2-", or a whole formula
    long count = 1;

    bool operator==(const IonCount&) const = default;
};

struct Dissociation {
    bool ions = false;            // it dissolves into ions
    bool decided = true;          // false: the rules do not say (a salt of an anion they lack)
    std::vector<IonCount> parts;  // its ions, cation first; or the formula whole, once
    // Why, in words: "ácido fuerte", "base fuerte", "sal soluble", "elemento", "agua", "óxido",
    // "ácido débil", "sal insoluble", "hidróxido insoluble", "sustancia molecular", "ion".
    std::string kind;
};

// A formula as tovel writes it (KMnO4, Fe2(SO4)3, Ca(OH)2, CuSO4·5H2O).
Dissociation Dissociate(std::string_view written);

bool IsStrongAcid(std::string_view formula);
bool IsStrongBase(std::string_view formula);

// The text of data/school/electrolytes.txt.
std::string_view SchoolElectrolytesText();

}  // namespace tovel
