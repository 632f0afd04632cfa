#include "core/oxidation.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "core/formula.h"

namespace tovel {

namespace {

Fraction Whole(std::int64_t n) {
    return Fraction::Make(n);
}
Fraction Negate(Fraction f) {
    return Fraction::Make(-static_cast<std::int64_t>(f.num), f.den);
}
Fraction Minus(Fraction a, Fraction b) {
    return a + Negate(b);
}

// An element and its atoms in one component of a formula, in order of first appearance.
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

// A top-level piece of a formula: an element with its count, or a group "(...)n".
struct Unit {
    std::string text;  // the group's inside, or the symbol
    std::uint32_t multiplier = 1;
    bool group = false;
    Counts counts;  // atoms of one unit
};

std::uint32_t ReadCount(std::string_view text, std::size_t& i) {
    std::uint32_t n = 0;
    bool any = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        n = std::min<std::uint32_t>(n * 10 + static_cast<std::uint32_t>(text[i] - '0'), 65535);
        ++i;
        any = true;
    }
    return any ? n : 1;
}

// The atoms of text (symbols, counts and nested groups); false when it is no formula.
bool ReadCounts(std::string_view text, Counts& counts, std::uint64_t factor = 1) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isupper(static_cast<unsigned char>(c))) {
            std::string symbol(1, c);
            ++i;
            if (i < text.size() && std::islower(static_cast<unsigned char>(text[i])))
                symbol += text[i++];
            AddTo(counts, symbol, factor * ReadCount(text, i));
        } else if (c == '(') {
            int depth = 1;
            std::size_t j = i + 1;
            while (j < text.size() && depth > 0) {
                depth += text[j] == '(' ? 1 : text[j] == ')' ? -1 : 0;
                ++j;
            }
            if (depth != 0) return false;
            const std::string_view inside = text.substr(i + 1, j - i - 2);
            i = j;
            if (!ReadCounts(inside, counts, factor * ReadCount(text, i))) return false;
        } else {
            return false;
        }
    }
    return true;
}

// The top-level units of a formula; empty when it is no formula.
std::vector<Unit> ReadUnits(std::string_view text) {
    std::vector<Unit> units;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t begin = i;
        Unit unit;
        if (text[i] == '(') {
            int depth = 1;
            std::size_t j = i + 1;
            while (j < text.size() && depth > 0) {
                depth += text[j] == '(' ? 1 : text[j] == ')' ? -1 : 0;
                ++j;
            }
            if (depth != 0) return {};
            unit.text = std::string(text.substr(begin + 1, j - begin - 2));
            unit.group = true;
            i = j;
        } else if (std::isupper(static_cast<unsigned char>(text[i]))) {
            ++i;
            if (i < text.size() && std::islower(static_cast<unsigned char>(text[i]))) ++i;
            unit.text = std::string(text.substr(begin, i - begin));
        } else {
            return {};
        }
        unit.multiplier = ReadCount(text, i);
        if (!ReadCounts(unit.text, unit.counts)) return {};
        units.push_back(std::move(unit));
    }
    return units;
}

// What school tables give for the electronegativity (Pauling); 0 where it does not matter.
double Electronegativity(const std::string& s) {
    static const std::map<std::string, double> table = {
        {"F", 3.98},  {"O", 3.44}, {"Cl", 3.16}, {"N", 3.04}, {"Br", 2.96}, {"I", 2.66},
        {"S", 2.58},  {"C", 2.55}, {"Se", 2.55}, {"H", 2.20}, {"P", 2.19},  {"As", 2.18},
        {"Te", 2.10}, {"B", 2.04}, {"Si", 1.90}, {"At", 2.2}};
    const auto at = table.find(s);
    return at == table.end() ? 0.0 : at->second;
}

bool IsNonMetal(const std::string& s) {
    static const std::set<std::string> nonMetals = {"H",  "He", "B", "C",  "N",  "O",  "F",  "Ne",
                                                    "Si", "P",  "S", "Cl", "Ar", "As", "Se", "Br",
                                                    "Kr", "Te", "I", "Xe", "At", "Rn"};
    return nonMetals.count(s) != 0;
}

// The elements whose number never changes in a compound.
std::optional<int> FixedNumber(const std::string& s) {
    static const std::map<std::string, int> fixed = {
        {"F", -1}, {"Li", 1}, {"Na", 1}, {"K", 1},  {"Rb", 1}, {"Cs", 1}, {"Fr", 1}, {"Be", 2},
        {"Mg", 2}, {"Ca", 2}, {"Sr", 2}, {"Ba", 2}, {"Ra", 2}, {"Al", 3}, {"Zn", 2}, {"Ag", 1}};
    const auto at = fixed.find(s);
    if (at == fixed.end()) return std::nullopt;
    return at->second;
}

bool IsHalogen(const std::string& s) {
    return s == "Cl" || s == "Br" || s == "I" || s == "At";
}

// Polyatomic ions a school recognises inside a compound, with their charge; the numbers inside
// come from the rules, except where two elements would be left (CN, SCN).
struct KnownIon {
    const char* text;
    int charge;
};
constexpr std::array<KnownIon, 31> kIons = {{
    {"NH4", 1},      {"OH", -1},    {"CN", -1},   {"SCN", -1},  {"NO3", -1},  {"NO2", -1},
    {"SO4", -2},     {"SO3", -2},   {"S2O3", -2}, {"HSO4", -1}, {"HSO3", -1}, {"PO4", -3},
    {"HPO4", -2},    {"H2PO4", -1}, {"CO3", -2},  {"HCO3", -1}, {"C2O4", -2}, {"ClO4", -1},
    {"ClO3", -1},    {"ClO2", -1},  {"ClO", -1},  {"BrO3", -1}, {"IO3", -1},  {"MnO4", -1},
    {"CrO4", -2},    {"Cr2O7", -2}, {"SiO3", -2}, {"BO3", -3},  {"AsO4", -3}, {"CH3COO", -1},
    {"Fe(CN)6", -4},
}};

std::optional<int> IonCharge(std::string_view text) {
    for (const KnownIon& ion : kIons) {
        if (text == ion.text) return ion.charge;
    }
    return std::nullopt;
}

struct Solved {
    bool decided = false;
    std::vector<OxidationSite> sites;
};

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
        const bool allOthersMetals = [&] {
            for (const Count& c : counts) {
                if (c.symbol != "H" && IsNonMetal(c.symbol)) return false;
            }
            return true;
        }();
        double mostNegative = 0;
        for (const Count& c : counts)
            mostNegative = std::max(mostNegative, Electronegativity(c.symbol));
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const std::string& s = counts[k].symbol;
            if (const auto fixed = FixedNumber(s)) {
                number[k] = Whole(*fixed);
            } else if (s == "H") {
                number[k] = Whole(allOthersMetals ? -1 : 1);
            } else if (IsHalogen(s) && Electronegativity(s) >= mostNegative) {
                number[k] = Whole(-1);
            }
        }
    }
    // Oxygen is -2 unless the sum says otherwise: peroxides (H2O2, BaO2), OF2.
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
    Fraction left = charge;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (number[k]) left = Minus(left, *number[k] * Whole(counts[k].atoms));
    }
    if (unknown.size() > 1) return out;
    if (unknown.size() == 1) {
        const std::size_t k = unknown[0];
        number[k] = left / Whole(counts[k].atoms);
    } else if (!left.IsZero()) {
        return out;  // the fixed numbers contradict the charge
    }
    out.decided = true;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const Fraction n = *number[k];
        // A fraction, or carbon over several atoms, is a mean of atoms that may differ.
        const bool average =
            n.den != 1 || (counts[k].symbol == "C" && counts[k].atoms > 1 && counts.size() > 1);
        out.sites.push_back({counts[k].symbol, counts[k].atoms, n, average});
    }
    return out;
}

// The numbers inside a known ion.
Solved SolveIon(const std::string& text, int charge) {
    Solved out;
    out.decided = true;
    if (text == "CN") {
        out.sites = {{"C", 1, Whole(2), false}, {"N", 1, Whole(-3), false}};
        return out;
    }
    if (text == "SCN") {
        out.sites = {
            {"S", 1, Whole(-2), false}, {"C", 1, Whole(4), false}, {"N", 1, Whole(-3), false}};
        return out;
    }
    if (text == "Fe(CN)6") {
        out.sites = {{"Fe", 1, Whole(charge + 6), false},
                     {"C", 6, Whole(2), false},
                     {"N", 6, Whole(-3), false}};
        return out;
    }
    Counts counts;
    ReadCounts(text, counts);
    return SolveCounts(counts, Whole(charge));
}

void Scale(std::vector<OxidationSite>& sites, std::uint32_t factor) {
    for (OxidationSite& site : sites)
        site.atoms *= factor;
}

// The units [first, last) written out again: "N" "H4" -> "NH4".
std::string UnitsText(const std::vector<Unit>& units, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t u = first; u < last; ++u) {
        if (units[u].group) return {};
        text += units[u].text;
        if (units[u].multiplier != 1) text += std::to_string(units[u].multiplier);
    }
    return text;
}

// The formula read as known ions and the rest, where the rules alone leave more than one
// element, or an element appears at two places (NH4NO3): ions in parentheses, ammonium written
// first, a known anion written last.
Solved SolveWithIons(const std::vector<Unit>& units, Fraction charge) {
    struct Ion {
        std::size_t first;
        std::size_t last;
        std::string text;
        std::uint32_t times;
    };
    std::vector<Ion> ions;
    std::vector<bool> inIon(units.size(), false);
    auto take = [&](std::size_t first, std::size_t last, std::string text, std::uint32_t times) {
        for (std::size_t u = first; u < last; ++u) {
            if (inIon[u]) return false;
        }
        for (std::size_t u = first; u < last; ++u)
            inIon[u] = true;
        ions.push_back({first, last, std::move(text), times});
        return true;
    };
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (units[u].group && IonCharge(units[u].text))
            take(u, u + 1, units[u].text, units[u].multiplier);
    }
    if (units.size() > 2 && UnitsText(units, 0, 2) == "NH4") take(0, 2, "NH4", 1);
    for (std::size_t first = 1; first < units.size(); ++first) {
        const std::string text = UnitsText(units, first, units.size());
        if (!text.empty() && IonCharge(text) && take(first, units.size(), text, 1)) break;
    }
    if (ions.empty()) return {};

    Fraction rest = charge;
    std::vector<std::optional<Solved>> solvedAt(units.size());
    for (const Ion& ion : ions) {
        const int q = *IonCharge(ion.text);
        Solved solved = SolveIon(ion.text, q);
        if (!solved.decided) return {};
        Scale(solved.sites, ion.times);
        rest = Minus(rest, Whole(static_cast<std::int64_t>(q) * ion.times));
        solvedAt[ion.first] = std::move(solved);
    }
    Counts others;
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (inIon[u]) continue;
        for (const Count& c : units[u].counts)
            AddTo(others, c.symbol, static_cast<std::uint64_t>(c.atoms) * units[u].multiplier);
    }
    const Solved remainder = SolveCounts(others, rest);
    if (!remainder.decided) return {};
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

}  // namespace

namespace {

// A hydrate's components (CuSO4·5H2O: CuSO4 once, H2O five times), or the formula alone.
std::vector<std::pair<std::string_view, std::uint32_t>> HydrateComponents(
    std::string_view formula) {
    std::vector<std::pair<std::string_view, std::uint32_t>> components;
    std::size_t begin = 0;
    while (begin <= formula.size()) {
        std::size_t end = begin;
        while (end < formula.size() && formula[end] != '*' && formula[end] != '.' &&
               formula.substr(end, 2) != kHydrateDot)
            ++end;
        std::string_view component = formula.substr(begin, end - begin);
        std::uint32_t times = 1;
        if (!components.empty()) {
            std::size_t digits = 0;
            while (digits < component.size() &&
                   std::isdigit(static_cast<unsigned char>(component[digits])))
                ++digits;
            if (digits > 0) {
                // Saturated: a multiplier past any formula's is refused by the parser anyway.
                std::uint64_t n = 0;
                for (std::size_t d = 0; d < digits; ++d)
                    n = std::min<std::uint64_t>(n * 10 + static_cast<unsigned>(component[d] - '0'),
                                                kCountLimit + 1);
                times = static_cast<std::uint32_t>(n);
                component.remove_prefix(digits);
            }
        }
        components.emplace_back(component, times);
        if (end >= formula.size()) break;
        begin = end + (formula[end] == '*' || formula[end] == '.' ? 1 : 2);
    }
    return components;
}

}  // namespace

SubstanceOxidation OxidationNumbers(std::string_view formula, int charge) {
    SubstanceOxidation result;
    result.formula = std::string(formula);
    if (formula == "e^-") {
        result.decided = true;  // the electron: no element to give a number to
        return result;
    }
    // A charge written in the formula (Fe^3+) is the ion's, read by the formula grammar itself.
    if (const auto caret = formula.find('^'); caret != std::string_view::npos) {
        const FormulaScan scan = ScanFormula(formula);
        if (scan.error != FormulaError::None) return result;
        charge = scan.charge;
        formula = formula.substr(0, caret);
    }
    const auto components = HydrateComponents(formula);
    if (components.size() > 1) {
        // Each component of a hydrate on its own: the salt, then the water.
        result.decided = true;
        for (const auto& [component, times] : components) {
            SubstanceOxidation one = OxidationNumbers(component, 0);
            if (!one.decided) {
                result.decided = false;
                result.sites.clear();
                return result;
            }
            for (OxidationSite site : one.sites) {
                site.atoms *= times;
                auto same = std::find_if(
                    result.sites.begin(), result.sites.end(), [&](const OxidationSite& s) {
                        return s.symbol == site.symbol && s.number == site.number;
                    });
                if (same == result.sites.end()) {
                    result.sites.push_back(site);
                } else {
                    same->atoms += site.atoms;
                }
            }
        }
        return result;
    }
    const std::vector<Unit> units = ReadUnits(formula);
    if (units.empty()) return result;
    Counts counts;
    for (const Unit& unit : units) {
        for (const Count& c : unit.counts)
            AddTo(counts, c.symbol, static_cast<std::uint64_t>(c.atoms) * unit.multiplier);
    }
    try {
        Solved solved;
        const bool repeated = RepeatsAnElement(units);
        if (!repeated) solved = SolveCounts(counts, Whole(charge));
        if (!solved.decided) solved = SolveWithIons(units, Whole(charge));
        if (!solved.decided && repeated) solved = SolveCounts(counts, Whole(charge));
        result.decided = solved.decided;
        // The same element with the same number at two places is one site (HCOOH's two O).
        for (const OxidationSite& site : solved.sites) {
            auto same =
                std::find_if(result.sites.begin(), result.sites.end(), [&](const OxidationSite& s) {
                    return s.symbol == site.symbol && s.number == site.number;
                });
            if (same == result.sites.end()) {
                result.sites.push_back(site);
            } else {
                same->atoms += site.atoms;
                same->average = same->average || site.average;
            }
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
            std::set<std::pair<std::int32_t, std::int32_t>> numbers[2];
            for (int side = 0; side < 2; ++side) {
                for (const Atoms& a : sides[side])
                    numbers[side].insert({a.number.num, a.number.den});
            }
            if (numbers[0] == numbers[1] && numbers[0].size() == 1) continue;
            // The side with one number is the reference the other side's atoms are compared to.
            const int single = numbers[0].size() == 1 ? 0 : numbers[1].size() == 1 ? 1 : -1;
            if (single < 0) {
                analysis.reason = symbol + " tiene varios números de oxidación a los dos lados";
                return analysis;
            }
            const int other = 1 - single;
            const Fraction reference = sides[single][0].number;
            for (const Atoms& a : sides[other]) {
                if (a.number == reference) continue;
                const Fraction before = single == 0 ? reference : a.number;
                const Fraction after = single == 0 ? a.number : reference;
                const Fraction change = Minus(after, before) * Whole(a.atoms);
                const bool rises = change.num > 0;
                ElementChange c{symbol, before, after};
                auto& list = rises ? analysis.oxidised : analysis.reduced;
                if (std::none_of(list.begin(), list.end(), [&](const ElementChange& e) {
                        return e.symbol == c.symbol && e.from == c.from && e.to == c.to;
                    })) {
                    list.push_back(c);
                }
                (rises ? lost : gained) =
                    (rises ? lost : gained) + (rises ? change : Negate(change));
                // The substance on the left that holds the element before it changes.
                for (const Atoms& left : sides[0]) {
                    if (left.number == before) {
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
        const Fraction balance = Minus(lost + Whole(electrons[0]), gained + Whole(electrons[1]));
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
