#include "exercises/compound_generator.h"

#include <numeric>
#include <string_view>

#include "core/nomenclature.h"
#include "exercises/random_source.h"

namespace tovel {

const std::array<Anion, 24> kAnions = {{
    {"O", 2, "óxido", ""},
    {"OH", 1, "hidróxido", ""},
    {"H", 1, "hidruro", ""},
    {"F", 1, "fluoruro", "ácido fluorhídrico"},
    {"Cl", 1, "cloruro", "ácido clorhídrico"},
    {"Br", 1, "bromuro", "ácido bromhídrico"},
    {"I", 1, "yoduro", "ácido yodhídrico"},
    {"S", 2, "sulfuro", "ácido sulfhídrico"},
    {"ClO4", 1, "perclorato", "ácido perclórico"},
    {"ClO3", 1, "clorato", "ácido clórico"},
    {"ClO2", 1, "clorito", "ácido cloroso"},
    {"ClO", 1, "hipoclorito", "ácido hipocloroso"},
    {"BrO3", 1, "bromato", "ácido brómico"},
    {"BrO2", 1, "bromito", "ácido bromoso"},
    {"IO4", 1, "peryodato", "ácido peryódico"},
    {"IO3", 1, "yodato", "ácido yódico"},
    {"IO2", 1, "yodito", "ácido yodoso"},
    {"SO4", 2, "sulfato", "ácido sulfúrico"},
    {"SO3", 2, "sulfito", "ácido sulfuroso"},
    {"NO3", 1, "nitrato", "ácido nítrico"},
    {"NO2", 1, "nitrito", "ácido nitroso"},
    {"CO3", 2, "carbonato", "ácido carbónico"},
    {"PO4", 3, "fosfato", "ácido fosfórico"},
    {"PO3", 3, "fosfito", "ácido fosforoso"},
}};

const std::array<Cation, 19> kCations = {{
    {"H", 1, {1, 0}, {1, 1}, "hidrógeno"}, {"NH4", 1, {1, 0}, {1, 1}, "amonio"},
    {"Na", 1, {1, 0}, {1, 1}, "sodio"},    {"K", 1, {1, 0}, {1, 1}, "potasio"},
    {"Ag", 1, {1, 0}, {1, 1}, "plata"},    {"Mg", 1, {2, 0}, {1, 1}, "magnesio"},
    {"Ca", 1, {2, 0}, {1, 1}, "calcio"},   {"Ba", 1, {2, 0}, {1, 1}, "bario"},
    {"Zn", 1, {2, 0}, {1, 1}, "cinc"},     {"Al", 1, {3, 0}, {1, 1}, "aluminio"},
    {"Fe", 2, {2, 3}, {1, 1}, "hierro"},   {"Ni", 2, {2, 3}, {1, 1}, "níquel"},
    {"Cr", 2, {2, 3}, {1, 1}, "cromo"},    {"Mn", 2, {2, 3}, {1, 1}, "manganeso"},
    {"Cu", 2, {1, 2}, {1, 1}, "cobre"},    {"Hg", 2, {1, 2}, {2, 1}, "mercurio"},
    {"Pb", 2, {2, 4}, {1, 1}, "plomo"},    {"Sn", 2, {2, 4}, {1, 1}, "estaño"},
    {"Au", 2, {1, 3}, {1, 1}, "oro"},
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

std::string CompoundName(const Compound& compound) {
    if (compound.formula.empty() || compound.anion.name == nullptr ||
        compound.cation.name == nullptr) {
        return {};
    }
    // One source of names: the nomenclature the practice and tovel-cli name use.
    return ListName(NameFormula(compound.formula));
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
