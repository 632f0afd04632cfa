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
};

struct Cation {
    const char* symbol;
    std::uint8_t valenceCount;  // 1 or 2
    std::array<std::uint8_t, 2> valences;
};

extern const std::array<Anion, 24> kAnions;
extern const std::array<Cation, 19> kCations;

struct Compound {
    Anion anion{};
    Cation cation{};
    int valence = 0;
    std::string formula;  // at most 14 characters
};

// Chooses between the two valences of a cation: returns 0 or 1, each with equal chance.
using ValenceChoice = std::function<int()>;
ValenceChoice RandomValenceChoice();

// Fills compound for the pair; false for the pairs that make no compound (ammonium with O or H,
// hydrogen with OH or H).
bool MakeCompound(Compound& compound, int cation, int anion, const ValenceChoice& choose);

// The formulas of the concentration window's list, in order: the acids (hydrogen with anions 3
// to 23), the ammonium salts (anions 3 to 23), then cations 2 to 18 with anions 0 to 23.
std::vector<std::string> CompoundList(const ValenceChoice& choose);

}  // namespace tovel
