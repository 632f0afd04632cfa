#include "compound_generator.h"

#include "random_source.h"

namespace tovel {

const std::array<Anion, 24> kAnions = {{
    {"O", 2},    {"OH", 1},   {"H", 1},    {"F", 1},    {"Cl", 1},   {"Br", 1},
    {"I", 1},    {"S", 2},    {"ClO4", 1}, {"ClO3", 1}, {"ClO2", 1}, {"ClO", 1},
    {"BrO3", 1}, {"BrO2", 1}, {"IO4", 1},  {"IO3", 1},  {"IO2", 1},  {"SO4", 2},
    {"SO3", 2},  {"NO3", 1},  {"NO2", 1},  {"CO3", 2},  {"PO4", 3},  {"PO3", 3},
}};

const std::array<Cation, 19> kCations = {{
    {"H", 1, {1, 0}},  {"NH4", 1, {1, 0}}, {"Na", 1, {1, 0}}, {"K", 1, {1, 0}},  {"Ag", 1, {1, 0}},
    {"Mg", 1, {2, 0}}, {"Ca", 1, {2, 0}},  {"Ba", 1, {2, 0}}, {"Zn", 1, {2, 0}}, {"Al", 1, {3, 0}},
    {"Fe", 2, {2, 3}}, {"Ni", 2, {2, 3}},  {"Cr", 2, {2, 3}}, {"Mn", 2, {2, 3}}, {"Cu", 2, {1, 2}},
    {"Hg", 2, {1, 2}}, {"Pb", 2, {2, 4}},  {"Sn", 2, {2, 4}}, {"Au", 2, {1, 3}},
}};

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
    compound.valence = compound.cation.valenceCount == 2 ? compound.cation.valences[choose() == 0 ? 0 : 1]
                                                         : compound.cation.valences[0];
    const std::string cationSymbol = compound.cation.symbol;
    const std::string anionSymbol = compound.anion.symbol;
    if ((cationSymbol == "NH4" && (anionSymbol == "O" || anionSymbol == "H")) ||
        (cationSymbol == "H" && (anionSymbol == "OH" || anionSymbol == "H"))) {
        return false;
    }

    int x = compound.anion.charge;  // how many cations
    int y = compound.valence;       // how many anions
    if (y % x == 0) {
        y /= x;
        x = 1;
    }
    std::string formula;
    if (x > 1) {
        formula = cationSymbol == "NH4" ? "(" + cationSymbol + ")" : cationSymbol;
        formula += std::to_string(x);
    } else {
        formula = cationSymbol;
    }
    if (y > 1) {
        const bool group = anionSymbol.find('O') != std::string::npos && anionSymbol != "O";
        formula += (group ? "(" + anionSymbol + ")" : anionSymbol) + std::to_string(y);
    } else {
        formula += anionSymbol;
    }
    compound.formula = formula.substr(0, 14);
    return true;
}

std::vector<std::string> CompoundList(const ValenceChoice& choose) {
    std::vector<std::string> list;
    Compound compound;
    for (int cation : {0, 1}) {
        for (int anion = 3; anion <= 23; ++anion) {
            if (MakeCompound(compound, cation, anion, choose)) list.push_back(compound.formula);
        }
    }
    for (int cation = 2; cation <= 18; ++cation) {
        for (int anion = 0; anion <= 23; ++anion) {
            if (MakeCompound(compound, cation, anion, choose)) list.push_back(compound.formula);
        }
    }
    return list;
}

}  // namespace tovel
