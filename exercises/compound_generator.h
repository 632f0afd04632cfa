#pragma once
// Inorganic compounds from a cation and an anion of two fixed ion tables, by crossing charges:
// oxides, hydroxides, hydrides, salts, hydracids, oxoacids and water.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tovel {

struct Anion {
    const char* symbol;
    std::uint8_t charge;
    const char* name;  // Spanish, as it opens a salt's name: "sulfato" (de sodio)
    const char* acid;  // the name of its acid with hydrogen ("ácido sulfúrico"), or empty
};

struct Cation {
    const char* symbol;
    std::uint8_t valenceCount;  // 1 or 2
    std::array<std::uint8_t, 2> valences;
    // Metal atoms in the ion of each valence: 2 for mercury(I), which is the ion Hg2 2+, not Hg+.
    std::array<std::uint8_t, 2> atoms;
    const char* name;  // Spanish, as it ends a salt's name: (sulfato de) "sodio"
};

extern const std::array<Anion, 24> kAnions;
extern const std::array<Cation, 19> kCations;

struct Compound {
    Anion anion{};
    Cation cation{};
    int valence = 0;
    std::string cationIon;  // the cation as written in the formula: Hg2 for mercury(I)
    int cationCharge = 0;   // the charge of that ion: the valence times its metal atoms
    std::string formula;    // at most 14 characters
};

// Chooses between the two valences of a cation: returns 0 or 1, each with equal chance.
using ValenceChoice = std::function<int()>;
ValenceChoice RandomValenceChoice();

// Fills compound for the pair by crossing the ion charges, in lowest terms of whole ions (Hg2Cl2
// stays Hg2Cl2). A polyatomic ion is put in parentheses when more than one of it is written:
// (NH4)2SO4, (Hg2)3(PO4)2, but NH4Cl and Hg2Cl2. A compound that does not exist with the chosen
// valence is made with the cation's other valence (CuI, never CuI2). False for the pairs that
// make no compound: ammonium with O or H, hydrogen with OH or H, and those that exist with no
// valence of the cation (AgH, Al2(CO3)3, the hydrides of gold, mercury and lead).
bool MakeCompound(Compound& compound, int cation, int anion, const ValenceChoice& choose);

// The Spanish name of a compound MakeCompound made, as the nomenclature gives it for a list
// (ListName): "ácido sulfúrico", "ácido clorhídrico", "agua", "cloruro de sodio", "sulfato de
// hierro(III)", "cloruro de mercurio(I)". Empty when there is none to give.
std::string CompoundName(const Compound& compound);

// The compounds of the concentration window's list, in order: the acids (hydrogen with anions 3
// to 23), the ammonium salts (anions 3 to 23), then cations 2 to 18 with anions 0 to 23.
std::vector<Compound> CompoundRecords(const ValenceChoice& choose);

// The formulas of those compounds, in the same order.
std::vector<std::string> CompoundList(const ValenceChoice& choose);

}  // namespace tovel
