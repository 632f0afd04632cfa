#include "core/oxidation.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "core/formula.h"
#include "core/school_elements.h"

namespace tovel {

namespace {

Fraction Whole(std::int64_t n) {
    return Fraction::Make(n);
}

// An element and its atoms in a piece of a formula, in order of first appearance.
struct Count {
    std::string symbol;
    std::uint32_t atoms = 0;
};
using Counts = std::vector<Count>;

void AddTo(Counts& counts, const std::string& symbol, std::uint64_t atoms) {
    for (Count& c : counts) {
        if (c.symbol == symbol) {
            c.atoms += static_cast<std::uint32_t>(atoms);
            return;
        }
    }
    counts.push_back({symbol, static_cast<std::uint32_t>(atoms)});
}

using Parts = decltype(FormulaStructure::parts);

// The pieces [first, end) of a formula's structure, at one level: each a symbol or a group.
struct Unit {
    std::size_t part = 0;  // the piece in the structure
    std::string text;      // a group's inside as written ("CN" of (CN)6), or the symbol
    std::uint32_t multiplier = 1;
    bool group = false;
    Counts counts;  // atoms of one unit
};

// The atoms of pieces [first, end), each counted `factor` times.
void CountAtoms(const Parts& parts, std::size_t first, std::size_t end, std::uint64_t factor,
                Counts& counts) {
    for (std::size_t i = first; i < end;) {
        const FormulaPart& part = parts[i];
        if (part.IsGroup()) {
            CountAtoms(parts, i + 1, part.end, factor * part.count, counts);
            i = part.end;
        } else {
            AddTo(counts, part.symbol, factor * part.count);
            ++i;
        }
    }
}

// The pieces written out again, groups in parentheses: "Fe(CN)6".
std::string PartsText(const Parts& parts, std::size_t first, std::size_t end) {
    std::string text;
    for (std::size_t i = first; i < end;) {
        const FormulaPart& part = parts[i];
        if (part.IsGroup()) {
            text += "(" + PartsText(parts, i + 1, part.end) + ")";
            i = part.end;
        } else {
            text += part.symbol;
            ++i;
        }
        if (part.count != 1) text += std::to_string(part.count);
    }
    return text;
}

std::vector<Unit> ReadUnits(const Parts& parts, std::size_t first, std::size_t end) {
    std::vector<Unit> units;
    for (std::size_t i = first; i < end;) {
        const FormulaPart& part = parts[i];
        Unit unit;
        unit.part = i;
        unit.multiplier = part.count;
        if (part.IsGroup()) {
            unit.group = true;
            unit.text = PartsText(parts, i + 1, part.end);
            CountAtoms(parts, i + 1, part.end, 1, unit.counts);
            i = part.end;
        } else {
            unit.text = part.symbol;
            unit.counts.push_back({part.symbol, 1});
            ++i;
        }
        units.push_back(std::move(unit));
    }
    return units;
}

double Electronegativity(const std::string& s) {
    const SchoolElement* e = FindSchoolElement(s);
    return e ? e->electronegativity : 0.0;
}

// The number school tables give an element wherever it is combined (F, the alkali and
// alkaline-earth metals, Al, Zn, Ag).
std::optional<int> FixedNumber(const std::string& s) {
    static const std::map<std::string, int> fixed = {
        {"F", -1}, {"Li", 1}, {"Na", 1}, {"K", 1},  {"Rb", 1}, {"Cs", 1}, {"Fr", 1}, {"Be", 2},
        {"Mg", 2}, {"Ca", 2}, {"Sr", 2}, {"Ba", 2}, {"Ra", 2}, {"Al", 3}, {"Zn", 2}, {"Ag", 1}};
    const auto at = fixed.find(s);
    if (at == fixed.end()) return std::nullopt;
    return at->second;
}

// Hydrogen is -1 bound only to these (hydrides): the metals, boron, silicon and germanium, all
// clearly less electronegative than it. P and As, as electronegative as H, keep H +1 (PH3: P -3).
bool HydrogenIsNegativeWith(const std::string& s) {
    const SchoolElement* e = FindSchoolElement(s);
    if (s == "B" || s == "Si" || s == "Ge") return true;
    return e == nullptr || e->Negative() == 0;
}

// Polyatomic ions a school recognises inside a compound, with their charge, and the neutral
// molecules bound in complexes (charge 0), recognised only inside a group.
struct KnownIon {
    const char* text;
    int charge;
};
constexpr std::array<KnownIon, 37> kIons = {{
    {"NH4", 1},   {"OH", -1},    {"CN", -1},   {"SCN", -1},  {"NO3", -1},  {"NO2", -1},
    {"SO4", -2},  {"SO3", -2},   {"S2O3", -2}, {"HSO4", -1}, {"HSO3", -1}, {"PO4", -3},
    {"HPO4", -2}, {"H2PO4", -1}, {"CO3", -2},  {"HCO3", -1}, {"C2O4", -2}, {"ClO4", -1},
    {"ClO3", -1}, {"ClO2", -1},  {"ClO", -1},  {"BrO3", -1}, {"IO3", -1},  {"MnO4", -1},
    {"CrO4", -2}, {"Cr2O7", -2}, {"SiO3", -2}, {"BO3", -3},  {"AsO4", -3}, {"CH3COO", -1},
    {"IO4", -1},  {"BrO", -1},   {"IO", -1},   {"S4O6", -2}, {"NH3", 0},   {"H2O", 0},
    {"CO", 0},
}};

std::optional<int> IonCharge(std::string_view text, bool inGroup) {
    for (const KnownIon& ion : kIons) {
        if (text == ion.text && (ion.charge != 0 || inGroup)) return ion.charge;
    }
    return std::nullopt;
}

struct Solved {
    bool decided = false;
    std::vector<OxidationSite> sites;
};

bool Within(const std::string& symbol, Fraction n) {
    const SchoolElement* e = FindSchoolElement(symbol);
    if (!e) return true;
    const int lowest = e->Negative();
    return !(n > Whole(e->highest)) && !(n < Whole(lowest));
}

// The rules on one set of atoms with a total charge, without looking for ions inside.
Solved SolveCounts(const Counts& counts, Fraction charge) {
    Solved out;
    if (counts.empty()) {
        out.decided = charge.IsZero();
        return out;
    }
    std::vector<std::optional<Fraction>> number(counts.size());
    auto has = [&](const char* s) {
        return std::any_of(counts.begin(), counts.end(),
                           [&](const Count& c) { return c.symbol == s; });
    };
    if (counts.size() == 1) {
        // An element alone: 0, or its share of the ion's charge.
        number[0] = charge / Whole(counts[0].atoms);
    } else {
        const bool hydride = std::all_of(counts.begin(), counts.end(), [](const Count& c) {
            return c.symbol == "H" || HydrogenIsNegativeWith(c.symbol);
        });
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const std::string& s = counts[k].symbol;
            if (const auto fixed = FixedNumber(s)) {
                number[k] = Whole(*fixed);
            } else if (s == "H") {
                number[k] = Whole(hydride ? -1 : 1);
            }
        }
    }
    // Oxygen is -2 unless it is the last unknown: peroxides (H2O2, BaO2), superoxides, OF2.
    std::size_t oxygen = counts.size();
    std::vector<std::size_t> unknown;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (number[k]) continue;
        if (counts[k].symbol == "O" && !has("F")) {
            oxygen = k;
        } else {
            unknown.push_back(k);
        }
    }
    if (oxygen < counts.size()) {
        if (unknown.empty()) {
            unknown.push_back(oxygen);
        } else {
            number[oxygen] = Whole(-2);
        }
    }
    // Of two or more unknowns, the most electronegative takes its negative number (FeS: S -2,
    // SO2Cl2: Cl -1, SCN-: N -3 then S -2), until one is left to take what the charge leaves.
    std::optional<std::size_t> anion;  // the last element so given, for the disulfide reading
    while (unknown.size() > 1) {
        const auto most =
            std::max_element(unknown.begin(), unknown.end(), [&](std::size_t x, std::size_t y) {
                return Electronegativity(counts[x].symbol) < Electronegativity(counts[y].symbol);
            });
        const SchoolElement* e = FindSchoolElement(counts[*most].symbol);
        if (!e || e->Negative() == 0) return out;  // two metals: the rules do not decide
        number[*most] = Whole(e->Negative());
        anion = *most;
        unknown.erase(most);
    }
    auto rest = [&] {
        Fraction left = charge;
        for (std::size_t k = 0; k < counts.size(); ++k) {
            if (number[k]) left = left - *number[k] * Whole(counts[k].atoms);
        }
        return left;
    };
    if (unknown.size() == 1) {
        const std::size_t k = unknown[0];
        number[k] = rest() / Whole(counts[k].atoms);
        const SchoolElement* e = FindSchoolElement(counts[k].symbol);
        const bool metal = e && e->Negative() == 0;
        if (anion && metal && !(number[k]->IsWhole() && e->HasNumber(number[k]->num))) {
            // Not a number school tables give the metal: the anion may be a pair (FeS2: S2 2-,
            // S -1), or the rules do not decide (Fe3C).
            number[k].reset();
            const Fraction saved = *number[*anion];
            number[*anion] = saved / Whole(2);
            const Fraction other = rest() / Whole(counts[k].atoms);
            if (counts[*anion].atoms % 2 != 0 || !other.IsWhole() || !e->HasNumber(other.num))
                return out;
            number[k] = other;
        }
    } else if (!rest().IsZero()) {
        return out;  // the fixed numbers contradict the charge
    }
    // Above its group's highest number beside oxygen, an element has a peroxo group O-O: it
    // keeps its highest number and that group's oxygens are -1 (H2SO5, Na2S2O8, CrO5).
    std::uint32_t peroxo = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const SchoolElement* e = FindSchoolElement(counts[k].symbol);
        if (!e || !(*number[k] > Whole(e->highest)) || oxygen == counts.size() ||
            number[oxygen] != Whole(-2))
            continue;
        number[k] = Whole(e->highest);
        number[oxygen].reset();
        const Fraction oxygenTotal = rest();  // of all the oxygens together
        const std::int64_t n = counts[oxygen].atoms;
        if (!oxygenTotal.IsWhole()) return out;
        const std::int64_t p = 2 * n + oxygenTotal.num;
        if (p <= 0 || p > n || p % 2 != 0) return out;
        number[oxygen] = Whole(-2);
        peroxo = static_cast<std::uint32_t>(p);
        break;
    }
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (!Within(counts[k].symbol, *number[k])) return out;  // never an impossible number
    }
    out.decided = true;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const Fraction n = *number[k];
        if (k == oxygen && peroxo > 0) {
            if (counts[k].atoms > peroxo)
                out.sites.push_back({"O", counts[k].atoms - peroxo, Whole(-2), false});
            out.sites.push_back({"O", peroxo, Whole(-1), false});
            continue;
        }
        // A fraction, or carbon over several atoms, is a mean of atoms that may differ.
        const bool average =
            !n.IsWhole() || (counts[k].symbol == "C" && counts[k].atoms > 1 && counts.size() > 1);
        out.sites.push_back({counts[k].symbol, counts[k].atoms, n, average});
    }
    return out;
}

void Scale(std::vector<OxidationSite>& sites, std::uint32_t factor) {
    for (OxidationSite& site : sites)
        site.atoms *= factor;
}

Solved SolvePieces(const Parts& parts, std::size_t first, std::size_t end, Fraction charge);

// The numbers inside a known ion or a complex's neutral molecule.
Solved SolveKnown(const Parts& parts, const Unit& unit, int charge) {
    Solved out;
    out.decided = true;
    if (unit.text == "CN") {
        out.sites = {{"C", 1, Whole(2), false}, {"N", 1, Whole(-3), false}};
        return out;
    }
    if (unit.group) return SolvePieces(parts, unit.part + 1, parts[unit.part].end, Whole(charge));
    return SolveCounts(unit.counts, Whole(charge));
}

// The units [first, last) written out again: "N" "H4" -> "NH4"; empty where a group is among them.
std::string UnitsText(const std::vector<Unit>& units, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t u = first; u < last; ++u) {
        if (units[u].group) return {};
        text += units[u].text;
        if (units[u].multiplier != 1) text += std::to_string(units[u].multiplier);
    }
    return text;
}

// An element alone in a compound beside a complex: a metal's fixed number or a non-metal's
// negative one ([Ag(NH3)2]Cl: Cl -1).
std::optional<int> PlainNumber(const std::string& symbol) {
    if (const auto fixed = FixedNumber(symbol)) return fixed;
    const SchoolElement* e = FindSchoolElement(symbol);
    if (e && e->Negative() != 0) return e->Negative();
    return std::nullopt;
}

// The formula read as known ions, complexes and the rest: ions in groups, ammonium written first,
// a known anion written last; a group that is no known ion is a complex, which takes the charge
// the rest leaves it.
Solved SolveWithIons(const Parts& parts, const std::vector<Unit>& units, Fraction charge) {
    struct Ion {
        std::size_t first;
        std::size_t last;
        Unit unit;
        int charge;
        std::uint32_t times;
    };
    std::vector<Ion> ions;
    std::vector<bool> inIon(units.size(), false);
    auto take = [&](std::size_t first, std::size_t last, Unit unit, int q, std::uint32_t times) {
        for (std::size_t u = first; u < last; ++u) {
            if (inIon[u]) return false;
        }
        for (std::size_t u = first; u < last; ++u)
            inIon[u] = true;
        ions.push_back({first, last, std::move(unit), q, times});
        return true;
    };
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (!units[u].group) continue;
        if (const auto q = IonCharge(units[u].text, true))
            take(u, u + 1, units[u], *q, units[u].multiplier);
    }
    auto plainUnit = [&](std::size_t first, std::size_t last) {
        Unit unit;
        unit.text = UnitsText(units, first, last);
        for (std::size_t u = first; u < last; ++u) {
            for (const Count& c : units[u].counts)
                AddTo(unit.counts, c.symbol, std::uint64_t{c.atoms} * units[u].multiplier);
        }
        return unit;
    };
    if (units.size() > 2 && UnitsText(units, 0, 2) == "NH4") take(0, 2, plainUnit(0, 2), 1, 1);
    for (std::size_t first = 1; first < units.size(); ++first) {
        const std::string text = UnitsText(units, first, units.size());
        const auto q = text.empty() ? std::nullopt : IonCharge(text, false);
        if (q && take(first, units.size(), plainUnit(first, units.size()), *q, 1)) break;
    }
    // A group in square brackets that is no known ion: a complex ([Cu(NH3)4]SO4), solved last.
    std::optional<std::size_t> complex;
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (!units[u].group || inIon[u] || !parts[units[u].part].square) continue;
        if (complex) return {};
        complex = u;
    }
    if (ions.empty() && !complex) return {};

    Fraction rest = charge;
    std::vector<std::optional<Solved>> solvedAt(units.size());
    for (const Ion& ion : ions) {
        Solved solved = SolveKnown(parts, ion.unit, ion.charge);
        if (!solved.decided) return {};
        Scale(solved.sites, ion.times);
        rest = rest - Whole(static_cast<std::int64_t>(ion.charge) * ion.times);
        solvedAt[ion.first] = std::move(solved);
    }
    Counts others;
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (inIon[u] || (complex && u == *complex)) continue;
        for (const Count& c : units[u].counts)
            AddTo(others, c.symbol, static_cast<std::uint64_t>(c.atoms) * units[u].multiplier);
    }
    Solved remainder;
    if (complex) {
        // The elements beside a complex take their usual numbers; the complex the rest.
        remainder.decided = true;
        for (const Count& c : others) {
            const auto n = PlainNumber(c.symbol);
            if (!n) return {};
            remainder.sites.push_back({c.symbol, c.atoms, Whole(*n), false});
            rest = rest - Whole(static_cast<std::int64_t>(*n) * c.atoms);
        }
        const Unit& unit = units[*complex];
        if (!(rest / Whole(unit.multiplier)).IsWhole()) return {};
        const Fraction each = rest / Whole(unit.multiplier);
        Solved solved = SolvePieces(parts, unit.part + 1, parts[unit.part].end, each);
        if (!solved.decided) return {};
        Scale(solved.sites, unit.multiplier);
        solvedAt[*complex] = std::move(solved);
    } else {
        remainder = SolveCounts(others, rest);
        if (!remainder.decided) return {};
    }
    // The sites in the order the formula writes them; an element of the rest once.
    Solved out;
    out.decided = true;
    std::set<std::string> shown;
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (solvedAt[u]) {
            out.sites.insert(out.sites.end(), solvedAt[u]->sites.begin(), solvedAt[u]->sites.end());
            continue;
        }
        if (inIon[u]) continue;
        for (const Count& c : units[u].counts) {
            if (!shown.insert(c.symbol).second) continue;
            for (const OxidationSite& site : remainder.sites) {
                if (site.symbol == c.symbol) out.sites.push_back(site);
            }
        }
    }
    return out;
}

bool RepeatsAnElement(const std::vector<Unit>& units) {
    std::set<std::string> seen;
    for (const Unit& unit : units) {
        for (const Count& c : unit.counts) {
            if (!unit.group && seen.count(c.symbol)) return true;
        }
        for (const Count& c : unit.counts)
            seen.insert(c.symbol);
    }
    return false;
}

// Pieces [first, end) with their charge: the rules on the atoms, or ions and complexes inside.
Solved SolvePieces(const Parts& parts, std::size_t first, std::size_t end, Fraction charge) {
    const std::vector<Unit> units = ReadUnits(parts, first, end);
    if (units.empty()) return {};
    Counts counts;
    for (const Unit& unit : units) {
        for (const Count& c : unit.counts)
            AddTo(counts, c.symbol, static_cast<std::uint64_t>(c.atoms) * unit.multiplier);
    }
    // A formula with groups reads its ions and complexes first (Ca(OH)2, K3[Fe(CN)6]).
    const bool groups =
        std::any_of(units.begin(), units.end(), [](const Unit& u) { return u.group; });
    const bool repeated = RepeatsAnElement(units);
    Solved solved;
    if (!repeated && !groups) solved = SolveCounts(counts, charge);
    if (!solved.decided) solved = SolveWithIons(parts, units, charge);
    if (!solved.decided && (repeated || groups)) solved = SolveCounts(counts, charge);
    return solved;
}

// The same element with the same number at two places is one site (HCOOH's two O).
void AddSite(std::vector<OxidationSite>& sites, const OxidationSite& site) {
    auto same = std::find_if(sites.begin(), sites.end(), [&](const OxidationSite& s) {
        return s.symbol == site.symbol && s.number == site.number;
    });
    if (same == sites.end()) {
        sites.push_back(site);
    } else {
        same->atoms += site.atoms;
        same->average = same->average || site.average;
    }
}

}  // namespace

SubstanceOxidation OxidationNumbers(std::string_view formula, int charge) {
    SubstanceOxidation result;
    result.formula = std::string(formula);
    const ReadFormulaResult read = ReadFormulaStructure(formula);
    if (read.scan.error != FormulaError::None) return result;
    const FormulaStructure& structure = read.structure;
    if (structure.electron) {
        result.decided = true;  // the electron: no element to give a number to
        return result;
    }
    // A charge written in the formula (Fe^3+) is the ion's.
    if (structure.charge != 0) charge = structure.charge;
    try {
        // Each component of a hydrate on its own (the salt, then the water), counted as the
        // entries count them: CaSO4·½H2O as two formulas.
        const std::uint32_t formulas = read.scan.formulas;
        result.decided = true;
        for (const FormulaComponent& component : structure.components) {
            Solved one = SolvePieces(structure.parts, component.first, component.end,
                                     structure.components.size() == 1 ? Whole(charge) : Whole(0));
            if (!one.decided) {
                result.decided = false;
                result.sites.clear();
                return result;
            }
            Scale(one.sites, component.numerator * (formulas / component.denominator));
            for (const OxidationSite& site : one.sites)
                AddSite(result.sites, site);
        }
    } catch (const ArithmeticOverflow&) {
        result.decided = false;
        result.sites.clear();
    }
    return result;
}

std::string SignedNumber(Fraction number) {
    std::string text = number.num > 0 ? "+" : "";
    text += std::to_string(number.num);
    if (number.den != 1) text += "/" + std::to_string(number.den);
    return text;
}

std::string OxidationText(const SubstanceOxidation& substance) {
    std::string text = substance.formula + ": ";
    if (substance.formula == "e^-") return text + "el electrón";
    if (!substance.decided) return text + "las reglas no deciden sus números de oxidación";
    for (std::size_t k = 0; k < substance.sites.size(); ++k) {
        if (k) text += ", ";
        text += substance.sites[k].symbol + " " + SignedNumber(substance.sites[k].number);
        if (substance.sites[k].average) text += " (media)";
    }
    return text;
}

namespace {

struct Atoms {
    Fraction number;
    std::int64_t atoms = 0;
    std::size_t substance = 0;  // index into the analysis's substances
};

void AddUnique(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

}  // namespace

RedoxAnalysis AnalyseRedox(const Reaction& reaction) {
    RedoxAnalysis analysis;
    // Per element, the atoms at each oxidation number on each side.
    std::map<std::string, std::array<std::vector<Atoms>, 2>> byElement;
    std::vector<std::string> order;
    std::int64_t electrons[2] = {0, 0};  // written in the equation, on each side
    for (int side = 0; side < 2; ++side) {
        for (std::size_t i = 1; i <= reaction.Count(side); ++i) {
            const Substance& s = reaction.substances[side][i - 1];
            if (s.formula == "e^-") electrons[side] += reaction.Coefficient(side, i);
            std::size_t index = analysis.substances.size();
            for (std::size_t k = 0; k < analysis.substances.size(); ++k) {
                if (analysis.substances[k].formula == s.formula) index = k;
            }
            if (index == analysis.substances.size())
                analysis.substances.push_back(OxidationNumbers(s.formula));
            const SubstanceOxidation& ox = analysis.substances[index];
            if (!ox.decided) {
                analysis.reason = ox.formula + ": las reglas no deciden sus números de oxidación";
                continue;
            }
            for (const OxidationSite& site : ox.sites) {
                if (!byElement.count(site.symbol)) order.push_back(site.symbol);
                byElement[site.symbol][side].push_back(
                    {site.number,
                     static_cast<std::int64_t>(site.atoms) * reaction.Coefficient(side, i), index});
            }
        }
    }
    if (!analysis.reason.empty()) return analysis;

    Fraction lost{0, 1};
    Fraction gained{0, 1};
    try {
        for (const std::string& symbol : order) {
            auto& sides = byElement[symbol];
            auto numbersOf = [&](int side) {
                std::set<std::pair<std::int32_t, std::int32_t>> numbers;
                for (const Atoms& a : sides[side]) {
                    if (a.atoms > 0) numbers.insert({a.number.num, a.number.den});
                }
                return numbers;
            };
            std::set<std::pair<std::int32_t, std::int32_t>> numbers[2] = {numbersOf(0),
                                                                          numbersOf(1)};
            if (numbers[0] == numbers[1] && numbers[0].size() == 1) continue;
            if (numbers[0].size() > 1 && numbers[1].size() > 1) {
                // Several numbers on both sides (NaH + H2O, Na2O2 + H2O): the atoms that keep
                // their number are set aside first, and each atom left follows its substance.
                for (Atoms& left : sides[0]) {
                    for (Atoms& right : sides[1]) {
                        if (!(left.number == right.number)) continue;
                        const std::int64_t same = std::min(left.atoms, right.atoms);
                        left.atoms -= same;
                        right.atoms -= same;
                    }
                }
                numbers[0] = numbersOf(0);
                numbers[1] = numbersOf(1);
            }
            if (numbers[0].empty() && numbers[1].empty()) continue;
            // The side with one number left is the reference the other side's atoms come from
            // or go to.
            const int single = numbers[0].size() == 1 ? 0 : numbers[1].size() == 1 ? 1 : -1;
            if (single < 0) {
                analysis.reason = symbol + " tiene varios números de oxidación a los dos lados";
                return analysis;
            }
            const int other = 1 - single;
            Fraction reference{0, 1};
            for (const Atoms& a : sides[single]) {
                if (a.atoms > 0) reference = a.number;
            }
            for (const Atoms& a : sides[other]) {
                if (a.atoms == 0 || a.number == reference) continue;
                const Fraction before = single == 0 ? reference : a.number;
                const Fraction after = single == 0 ? a.number : reference;
                const Fraction change = (after - before) * Whole(a.atoms);
                const bool rises = change > Fraction{0, 1};
                ElementChange c{symbol, before, after};
                auto& list = rises ? analysis.oxidised : analysis.reduced;
                if (std::none_of(list.begin(), list.end(), [&](const ElementChange& e) {
                        return e.symbol == c.symbol && e.from == c.from && e.to == c.to;
                    })) {
                    list.push_back(c);
                }
                (rises ? lost : gained) = (rises ? lost : gained) + Abs(change);
                // The substance on the left that holds the element before it changes.
                for (const Atoms& left : sides[0]) {
                    if (left.number == before && left.atoms > 0) {
                        AddUnique(rises ? analysis.reductants : analysis.oxidants,
                                  analysis.substances[left.substance].formula);
                    }
                }
            }
        }
    } catch (const ArithmeticOverflow&) {
        analysis.reason = "los números no caben en las cuentas";
        return analysis;
    }
    if (electrons[0] + electrons[1] > 0) {
        // A half-reaction: the electrons written are those the change gives or takes.
        const Fraction balance = (lost + Whole(electrons[0])) - (gained + Whole(electrons[1]));
        const bool one = analysis.oxidised.empty() != analysis.reduced.empty();
        if (!balance.IsZero() || !one) {
            analysis.outcome = RedoxOutcome::Fault;
            analysis.reason = "los electrones escritos no son los que cambian los números";
            return analysis;
        }
        analysis.outcome = RedoxOutcome::HalfReaction;
        analysis.electrons = Whole(electrons[0] + electrons[1]);
        return analysis;
    }
    if (analysis.oxidised.empty() && analysis.reduced.empty()) {
        analysis.outcome = RedoxOutcome::NotRedox;
        return analysis;
    }
    if (!(lost == gained) || analysis.oxidised.empty() || analysis.reduced.empty()) {
        analysis.outcome = RedoxOutcome::Fault;
        analysis.reason = "los electrones cedidos (" + SignedNumber(lost).substr(lost.num > 0) +
                          ") y los ganados (" + SignedNumber(gained).substr(gained.num > 0) +
                          ") no son iguales";
        return analysis;
    }
    analysis.outcome = RedoxOutcome::Redox;
    analysis.electrons = lost;
    return analysis;
}

std::vector<std::string> RedoxLines(const RedoxAnalysis& analysis) {
    std::vector<std::string> lines;
    for (const SubstanceOxidation& s : analysis.substances)
        lines.push_back(OxidationText(s));
    lines.emplace_back();
    auto changes = [&](const char* label, const std::vector<ElementChange>& list) {
        for (const ElementChange& c : list) {
            lines.push_back(std::string(label) + c.symbol + " (" + SignedNumber(c.from) + " -> " +
                            SignedNumber(c.to) + ")");
        }
    };
    auto names = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& name : list)
            text += (text.empty() ? "" : ", ") + name;
        return text;
    };
    switch (analysis.outcome) {
        case RedoxOutcome::NotRedox:
            lines.emplace_back("No es una reacción redox");
            break;
        case RedoxOutcome::Redox: {
            changes("Se oxida: ", analysis.oxidised);
            changes("Se reduce: ", analysis.reduced);
            lines.push_back("Oxidante: " + names(analysis.oxidants));
            lines.push_back("Reductor: " + names(analysis.reductants));
            std::string electrons = SignedNumber(analysis.electrons);
            if (electrons[0] == '+') electrons.erase(0, 1);
            lines.push_back("Electrones transferidos: " + electrons);
            break;
        }
        case RedoxOutcome::HalfReaction: {
            const bool oxidation = !analysis.oxidised.empty();
            lines.emplace_back(oxidation ? "Semirreacción de oxidación"
                                         : "Semirreacción de reducción");
            changes(oxidation ? "Se oxida: " : "Se reduce: ",
                    oxidation ? analysis.oxidised : analysis.reduced);
            if (oxidation) {
                lines.push_back("Reductor: " + names(analysis.reductants));
            } else {
                lines.push_back("Oxidante: " + names(analysis.oxidants));
            }
            std::string electrons = SignedNumber(analysis.electrons);
            if (electrons[0] == '+') electrons.erase(0, 1);
            lines.push_back((oxidation ? "Electrones cedidos: " : "Electrones ganados: ") +
                            electrons);
            break;
        }
        case RedoxOutcome::Undecided:
            lines.push_back("No se puede decir si es redox: " + analysis.reason);
            break;
        case RedoxOutcome::Fault:
            lines.push_back("Error en el cálculo redox: " + analysis.reason);
            break;
    }
    return lines;
}

}  // namespace tovel
