#include "compound_generator.h"

#include <numeric>
#include <string_view>

#include "random_source.h"

namespace tovel {

const std::array<Anion, 24> kAnions = {{
    {"O", 2},    {"OH", 1},   {"H", 1},    {"F", 1},    {"Cl", 1},   {"Br", 1},
    {"I", 1},    {"S", 2},    {"ClO4", 1}, {"ClO3", 1}, {"ClO2", 1}, {"ClO", 1},
    {"BrO3", 1}, {"BrO2", 1}, {"IO4", 1},  {"IO3", 1},  {"IO2", 1},  {"SO4", 2},
    {"SO3", 2},  {"NO3", 1},  {"NO2", 1},  {"CO3", 2},  {"PO4", 3},  {"PO3", 3},
}};

const std::array<Cation, 19> kCations = {{
    {"H", 1, {1, 0}, {1, 1}},  {"NH4", 1, {1, 0}, {1, 1}}, {"Na", 1, {1, 0}, {1, 1}},
    {"K", 1, {1, 0}, {1, 1}},  {"Ag", 1, {1, 0}, {1, 1}},  {"Mg", 1, {2, 0}, {1, 1}},
    {"Ca", 1, {2, 0}, {1, 1}}, {"Ba", 1, {2, 0}, {1, 1}},  {"Zn", 1, {2, 0}, {1, 1}},
    {"Al", 1, {3, 0}, {1, 1}}, {"Fe", 2, {2, 3}, {1, 1}},  {"Ni", 2, {2, 3}, {1, 1}},
    {"Cr", 2, {2, 3}, {1, 1}}, {"Mn", 2, {2, 3}, {1, 1}},  {"Cu", 2, {1, 2}, {1, 1}},
    {"Hg", 2, {1, 2}, {2, 1}}, {"Pb", 2, {2, 4}, {1, 1}},  {"Sn", 2, {2, 4}, {1, 1}},
    {"Au", 2, {1, 3}, {1, 1}},
}};

namespace {

// More than one element, or one element counted: NH4, Hg2, OH, SO4 (but not Cl or O).
bool IsPolyatomic(const std::string& symbol) {
    int capitals = 0;
    for (char ch : symbol) {
        if (ch >= '0' && ch <= '9') return true;
        if (ch >= 'A' && ch <= 'Z') ++capitals;
    }
    return capitals > 1;
}

// Compounds that do not exist as written and that a teacher would strike out of a list, as
// cation, valence and anion.
struct Missing {
    const char* cation;
    int valence;
    const char* anion;
};
constexpr Missing kMissing[] = {
    // Carbonates of 3+ and 4+ cations: the carbonate ion hydrolyses them to hydroxide and CO2.
    {"Al", 3, "CO3"},
    {"Fe", 3, "CO3"},
    {"Ni", 3, "CO3"},
    {"Cr", 3, "CO3"},
    {"Mn", 3, "CO3"},
    {"Au", 3, "CO3"},
    {"Pb", 4, "CO3"},
    {"Sn", 4, "CO3"},
    // Iodides of cations that oxidise iodide to iodine (CuI and FeI2 form instead), and lead(IV)
    // with the halides it oxidises.
    {"Cu", 2, "I"},
    {"Fe", 3, "I"},
    {"Ni", 3, "I"},
    {"Mn", 3, "I"},
    {"Au", 3, "I"},
    {"Pb", 4, "I"},
    {"Pb", 4, "Br"},
    // No hydride of silver, gold, mercury or lead exists as a substance.
    {"Ag", 1, "H"},
    {"Au", 1, "H"},
    {"Au", 3, "H"},
    {"Hg", 1, "H"},
    {"Hg", 2, "H"},
    {"Pb", 2, "H"},
    {"Pb", 4, "H"},
};

bool Exists(const Cation& cation, int valence, const Anion& anion) {
    for (const Missing& m : kMissing) {
        if (std::string_view(m.cation) == cation.symbol && m.valence == valence &&
            std::string_view(m.anion) == anion.symbol) {
            return false;
        }
    }
    return true;
}

std::string Ions(const std::string& ion, int count) {
    if (count == 1) return ion;
    return (IsPolyatomic(ion) ? "(" + ion + ")" : ion) + std::to_string(count);
}

}  // namespace

ValenceChoice RandomValenceChoice() {
    return [random = UniformRandomIndex()] { return static_cast<int>(random(2)); };
}

bool MakeCompound(Compound& compound, int cation, int anion, const ValenceChoice& choose) {
    if (cation < 0 || cation >= static_cast<int>(kCations.size()) || anion < 0 ||
        anion >= static_cast<int>(kAnions.size())) {
        return false;
    }
    compound.cation = kCations[static_cast<std::size_t>(cation)];
    compound.anion = kAnions[static_cast<std::size_t>(anion)];
    std::size_t slot =
        compound.cation.valenceCount == 2 && choose() != 0 ? std::size_t{1} : std::size_t{0};
    compound.valence = compound.cation.valences[slot];
    const std::string cationSymbol = compound.cation.symbol;
    const std::string anionSymbol = compound.anion.symbol;
    if ((cationSymbol == "NH4" && (anionSymbol == "O" || anionSymbol == "H")) ||
        (cationSymbol == "H" && (anionSymbol == "OH" || anionSymbol == "H"))) {
        return false;
    }
    // A compound that does not exist with the chosen valence gives way to the one with the
    // other valence (CuI for CuI2), so each pair makes a compound for every choice or for none
    // and the list keeps its length.
    if (!Exists(compound.cation, compound.valence, compound.anion)) {
        const std::size_t other = 1 - slot;
        if (compound.cation.valenceCount != 2 ||
            !Exists(compound.cation, compound.cation.valences[other], compound.anion)) {
            return false;
        }
        slot = other;
        compound.valence = compound.cation.valences[slot];
    }

    const int atoms = compound.cation.atoms[slot];
    compound.cationIon = atoms > 1 ? cationSymbol + std::to_string(atoms) : cationSymbol;
    compound.cationCharge = compound.valence * atoms;
    // Crossing the charges, then dividing out what they share: whole ions, so the Hg2 of
    // mercury(I) is never split (Hg2Cl2, not HgCl).
    int cations = compound.anion.charge;
    int anions = compound.cationCharge;
    const int common = std::gcd(cations, anions);
    cations /= common;
    anions /= common;
    const std::string formula = Ions(compound.cationIon, cations) + Ions(anionSymbol, anions);
    compound.formula = formula.substr(0, 14);
    return true;
}

std::vector<Compound> CompoundRecords(const ValenceChoice& choose) {
    std::vector<Compound> list;
    Compound compound;
    for (int cation : {0, 1}) {
        for (int anion = 3; anion <= 23; ++anion) {
            if (MakeCompound(compound, cation, anion, choose)) list.push_back(compound);
        }
    }
    for (int cation = 2; cation <= 18; ++cation) {
        for (int anion = 0; anion <= 23; ++anion) {
            if (MakeCompound(compound, cation, anion, choose)) list.push_back(compound);
        }
    }
    return list;
}

std::vector<std::string> CompoundList(const ValenceChoice& choose) {
    std::vector<std::string> formulas;
    for (const Compound& compound : CompoundRecords(choose))
        formulas.push_back(compound.formula);
    return formulas;
}

}  // namespace tovel
