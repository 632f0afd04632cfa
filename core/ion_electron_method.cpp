#include "core/ion_electron_method.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <numeric>
#include <optional>

#include "core/electrolytes.h"
#include "core/formula.h"
#include "core/fraction.h"
#include "core/oxidation.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

constexpr std::size_t kMostSubstances = 12;

bool IsMedium(const std::string& formula) {
    return formula == "H2O" || formula == "H^+" || formula == "OH^-";
}

std::string Joined(const std::vector<std::string>& items, const std::string& separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

std::string SideText(const std::vector<std::string>& formulas) {
    return Joined(formulas, " + ");
}

// "1 Mn, 4 O": an element-by-element count of terms.
std::map<std::string, long> Atoms(const std::vector<HalfTerm>& terms) {
    std::map<std::string, long> atoms;
    for (const HalfTerm& term : terms) {
        const FormulaScan scan = ScanFormula(term.formula);
        for (const FormulaEntry& entry : scan.entries)
            atoms[entry.element.symbol] += term.coefficient * entry.count;
    }
    return atoms;
}

long Charge(const std::vector<HalfTerm>& terms) {
    long charge = 0;
    for (const HalfTerm& term : terms)
        charge += term.coefficient * ScanFormula(term.formula).charge;
    return charge;
}

std::string SignedText(long n) {
    return (n > 0 ? "+" : "") + std::to_string(n);
}

// The check a student writes under the result: each element's atoms on both sides, and the
// charge where there is one. Empty when something does not balance.
std::string CheckText(const std::vector<HalfTerm>& left, const std::vector<HalfTerm>& right,
                      bool withCharge) {
    const auto a = Atoms(left), b = Atoms(right);
    if (a != b) return {};
    std::vector<std::string> items;
    items.reserve(a.size());
    for (const auto& [symbol, count] : a)
        items.push_back(symbol + " " + std::to_string(count) + " = " + std::to_string(count));
    std::string text = Joined(items, ", ");
    if (withCharge) {
        const long l = Charge(left), r = Charge(right);
        if (l != r) return {};
        text += "; carga " + SignedText(l) + " = " + SignedText(r);
    }
    return text;
}

struct Skeleton {
    std::vector<std::string> left, right;
};

// The formulas of each side, coefficients typed before them read past.
bool ReadSkeleton(std::string_view equation, Skeleton& skeleton, std::string& error) {
    std::string text(equation);
    for (const char* arrow : {"\u2192", "->"}) {
        for (auto at = text.find(arrow); at != std::string::npos; at = text.find(arrow))
            text.replace(at, std::string_view(arrow).size(), "=");
    }
    const auto equals = text.find('=');
    if (equals == std::string::npos || text.find('=', equals + 1) != std::string::npos) {
        error = "Escribe la ecuación con un signo = entre reactivos y productos";
        return false;
    }
    for (int side = 0; side < 2; ++side) {
        const std::string part = side == 0 ? text.substr(0, equals) : text.substr(equals + 1);
        std::vector<std::string>& formulas = side == 0 ? skeleton.left : skeleton.right;
        std::size_t from = 0;
        while (from <= part.size()) {
            std::size_t plus = FindSubstanceSeparator(part, from);
            if (plus == std::string::npos) plus = part.size();
            std::string item = TrimWhitespace(part.substr(from, plus - from));
            std::size_t digits = 0;
            while (digits < item.size() && std::isdigit(static_cast<unsigned char>(item[digits])))
                ++digits;
            if (digits > 0 && digits < item.size() &&
                !std::isdigit(static_cast<unsigned char>(item[digits])))
                item = TrimWhitespace(item.substr(digits));
            if (item.empty()) {
                error = side == 0 ? "Falta un reactivo" : "Falta un producto";
                return false;
            }
            const FormulaScan scan = ScanFormula(item);
            if (scan.error != FormulaError::None) {
                error = "No se puede leer la fórmula " + item;
                return false;
            }
            if (scan.entries.empty()) {
                error = "La ecuación lleva electrones: escribe la reacción completa, sin e^-";
                return false;
            }
            formulas.push_back(scan.formula);
            from = plus + 1;
        }
    }
    if (skeleton.left.size() + skeleton.right.size() > kMostSubstances) {
        error = "La ecuación tiene demasiadas sustancias para el método del ion-electrón";
        return false;
    }
    return true;
}

// The medium the equation says: the strong acid or H^+, the strong base or OH^- it carries.
struct MediumReading {
    std::string acid, base;
};

MediumReading ReadMedium(const Skeleton& skeleton) {
    MediumReading reading;
    for (const auto* side : {&skeleton.left, &skeleton.right}) {
        for (const std::string& formula : *side) {
            if (reading.acid.empty() && (formula == "H^+" || IsStrongAcid(formula)))
                reading.acid = formula;
            if (reading.base.empty() && (formula == "OH^-" || IsStrongBase(formula)))
                reading.base = formula;
        }
    }
    return reading;
}

std::string MediumWords(Medium medium) {
    return medium == Medium::Acid ? "ácido" : "básico";
}

std::string WhatItIs(const std::string& formula) {
    if (formula == "H^+") return formula;
    if (formula == "OH^-") return formula;
    return formula + (IsStrongAcid(formula) ? ", un ácido fuerte" : ", una base fuerte");
}

bool DecideMedium(const Skeleton& skeleton, MediumChoice choice, IonElectronSolution& solution) {
    const MediumReading reading = ReadMedium(skeleton);
    if (choice == MediumChoice::FromEquation) {
        if (!reading.acid.empty() && !reading.base.empty()) {
            solution.error = "La ecuación lleva un ácido (" + reading.acid + ") y una base (" +
                             reading.base + "): elige el medio";
            return false;
        }
        if (reading.acid.empty() && reading.base.empty()) {
            solution.error =
                "La ecuación no dice el medio: no lleva ácido fuerte ni H^+, ni base fuerte ni "
                "OH^-; elige medio ácido o básico";
            return false;
        }
        solution.medium = reading.acid.empty() ? Medium::Basic : Medium::Acid;
        const std::string& by = reading.acid.empty() ? reading.base : reading.acid;
        solution.steps.insert(
            solution.steps.begin(),
            {"Medio " + MediumWords(solution.medium) + ": la ecuación lleva " + WhatItIs(by), {}});
        return true;
    }
    solution.medium = choice == MediumChoice::Acid ? Medium::Acid : Medium::Basic;
    const std::string& against = solution.medium == Medium::Acid ? reading.base : reading.acid;
    if (!against.empty()) {
        solution.error =
            "Se eligió medio " + MediumWords(solution.medium) + ", pero la ecuación lleva " +
            WhatItIs(against) + ", que da medio " +
            MediumWords(solution.medium == Medium::Acid ? Medium::Basic : Medium::Acid);
        return false;
    }
    solution.steps.insert(solution.steps.begin(),
                          {"Medio " + MediumWords(solution.medium) + ", elegido", {}});
    return true;
}

// A molecular skeleton's substances as they are in water.
struct Dissolved {
    std::vector<std::vector<IonCount>> leftParts, rightParts;  // per substance
    std::vector<std::string> left, right;                      // the ionic skeleton
};

void AddUnique(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

bool Dissolve(const Skeleton& skeleton, Dissolved& dissolved, IonElectronSolution& solution) {
    std::vector<std::string> equations, whole;
    for (int side = 0; side < 2; ++side) {
        const auto& formulas = side == 0 ? skeleton.left : skeleton.right;
        auto& parts = side == 0 ? dissolved.leftParts : dissolved.rightParts;
        auto& units = side == 0 ? dissolved.left : dissolved.right;
        for (const std::string& formula : formulas) {
            const Dissociation d = Dissociate(formula);
            if (!d.decided) {
                solution.error = "No se sabe si " + formula +
                                 " se disocia en agua: las reglas de solubilidad no lo dicen";
                return false;
            }
            parts.push_back(d.parts);
            std::vector<std::string> ions;
            for (const IonCount& part : d.parts) {
                AddUnique(units, part.ion);
                ions.push_back((part.count > 1 ? std::to_string(part.count) + " " : "") + part.ion);
            }
            if (d.ions)
                equations.push_back(formula + " \u2192 " + SideText(ions));
            else
                AddUnique(whole, formula + " (" + d.kind + ")");
        }
    }
    if (!equations.empty())
        solution.steps.push_back(
            {"Se disocian los ácidos fuertes, las bases fuertes y las sales solubles", equations});
    if (!whole.empty())
        solution.steps.push_back({"Quedan sin disociar: " + Joined(whole, ", "), {}});
    solution.steps.push_back({"Ecuación iónica sin ajustar",
                              {SideText(dissolved.left) + " = " + SideText(dissolved.right)}});
    return true;
}

std::string PairText(const RedoxPair& pair) {
    return pair.from + " \u2192 " + pair.to + " (" + pair.element + " " +
           SignedNumber(pair.before) + " \u2192 " + SignedNumber(pair.after) + ")";
}

// The species one half takes from and to. One species may change in two of its elements at once
// (As2S3 to H3AsO4 and SO4^2-): one half, each product by its own element. Two products of one
// element (NO3^- to NO and NO2) are in no fixed ratio, and are refused.
struct HalfPlan {
    std::vector<RedoxPair> pairs;
    std::vector<std::string> from, to;
};

std::optional<HalfPlan> PlanHalf(const std::vector<RedoxPair>& pairs) {
    HalfPlan plan;
    plan.pairs = pairs;
    plan.from.push_back(pairs.front().from);
    for (const RedoxPair& pair : pairs) {
        if (pair.from != plan.from.front()) return std::nullopt;
        for (const RedoxPair& other : pairs) {
            if (&other != &pair && (other.element == pair.element || other.to == pair.to))
                return std::nullopt;
        }
        plan.to.push_back(pair.to);
    }
    return plan;
}

bool BalanceHalf(const HalfPlan& plan, Medium medium, bool oxidation, HalfReaction& half,
                 IonElectronSolution& solution) {
    std::string why;
    const auto balanced = BalanceHalfReaction(plan.from, plan.to, medium, &why);
    const std::string name = oxidation ? "oxidación" : "reducción";
    const std::string skeleton = SideText(plan.from) + " = " + SideText(plan.to);
    if (!balanced) {
        solution.error = "No se puede ajustar la " + name + " " + skeleton + ": " + why;
        return false;
    }
    half = *balanced;
    std::vector<std::string> pairs;
    for (const RedoxPair& pair : plan.pairs)
        pairs.push_back(PairText(pair));
    solution.steps.push_back({"Semirreacción de " + name + ": " + Joined(pairs, "; "), {skeleton}});
    for (const HalfStep& step : half.steps)
        solution.steps.push_back({step.what, {step.equation}});
    return true;
}

// Solves the square-or-taller system a x = b exactly; false when it has no solution or more than
// one.
bool SolveExactly(std::vector<std::vector<Fraction>> a, std::vector<Fraction> b,
                  std::vector<Fraction>& x) {
    const std::size_t rows = a.size(), cols = a.empty() ? 0 : a[0].size();
    std::size_t rank = 0;
    std::vector<std::size_t> pivots;
    for (std::size_t col = 0; col < cols && rank < rows; ++col) {
        std::size_t pivot = rank;
        while (pivot < rows && a[pivot][col].IsZero())
            ++pivot;
        if (pivot == rows) continue;
        std::swap(a[pivot], a[rank]);
        std::swap(b[pivot], b[rank]);
        for (std::size_t r = 0; r < rows; ++r) {
            if (r == rank || a[r][col].IsZero()) continue;
            const Fraction f = a[r][col] / a[rank][col];
            for (std::size_t c = 0; c < cols; ++c)
                a[r][c] = a[r][c] - f * a[rank][c];
            b[r] = b[r] - f * b[rank];
        }
        pivots.push_back(col);
        ++rank;
    }
    for (std::size_t r = rank; r < rows; ++r) {
        if (!b[r].IsZero()) return false;
    }
    if (rank < cols) return false;
    x.assign(cols, Fraction{});
    for (std::size_t r = 0; r < rank; ++r)
        x[pivots[r]] = b[r] / a[r][pivots[r]];
    return true;
}

// Back to the molecular equation: the coefficients for which the substances, dissolved, give the
// net ionic equation and nothing else but spectators that cancel.
bool BackToMolecules(const Skeleton& skeleton, const Dissolved& dissolved,
                     IonElectronSolution& solution) {
    std::vector<std::string> units = dissolved.left;
    for (const std::string& unit : dissolved.right)
        AddUnique(units, unit);
    const std::size_t n = skeleton.left.size() + skeleton.right.size();
    std::vector<std::vector<Fraction>> a(units.size(), std::vector<Fraction>(n));
    std::vector<Fraction> b(units.size());
    std::size_t column = 0;
    for (int side = 0; side < 2; ++side) {
        const auto& parts = side == 0 ? dissolved.leftParts : dissolved.rightParts;
        for (const auto& substance : parts) {
            for (const IonCount& part : substance) {
                const auto row = std::find(units.begin(), units.end(), part.ion) - units.begin();
                a[row][column] =
                    a[row][column] + Fraction::Make(side == 0 ? part.count : -part.count);
            }
            ++column;
        }
    }
    for (int side = 0; side < 2; ++side) {
        for (const HalfTerm& term : side == 0 ? solution.ionic.left : solution.ionic.right) {
            const auto at = std::find(units.begin(), units.end(), term.formula);
            if (at == units.end()) {
                solution.error =
                    "No se puede volver a la ecuación molecular: ninguna sustancia "
                    "de la ecuación da " +
                    term.formula;
                return false;
            }
            b[at - units.begin()] =
                Fraction::Make(side == 0 ? term.coefficient : -term.coefficient);
        }
    }
    std::vector<Fraction> x;
    if (!SolveExactly(a, b, x)) {
        solution.error =
            "No se puede volver a la ecuación molecular: los iones espectadores no se completan "
            "con estas sustancias de una sola manera";
        return false;
    }
    std::vector<std::string> names;
    for (int side = 0; side < 2; ++side) {
        for (const std::string& formula : side == 0 ? skeleton.left : skeleton.right)
            names.push_back(formula);
    }
    long multiple = 1;
    std::vector<std::string> fractional;
    for (std::size_t i = 0; i < n; ++i) {
        if (x[i].num <= 0) {
            solution.error = "No se puede volver a la ecuación molecular: " + names[i] +
                             " no tiene sitio en ella (le tocaría un coeficiente " +
                             FractionText(x[i]) + ")";
            return false;
        }
        if (!x[i].IsWhole()) {
            multiple = std::lcm(multiple, static_cast<long>(x[i].den));
            fractional.push_back(FractionText(x[i]) + " " + names[i]);
        }
    }
    std::vector<long> coefficients(n);
    long divisor = 0;
    for (std::size_t i = 0; i < n; ++i) {
        coefficients[i] = static_cast<long>(x[i].num) * (multiple / x[i].den);
        divisor = std::gcd(divisor, coefficients[i]);
    }
    for (long& c : coefficients)
        c /= divisor;
    for (std::size_t i = 0; i < n; ++i) {
        auto& side = i < skeleton.left.size() ? solution.molecularLeft : solution.molecularRight;
        side.push_back({names[i], coefficients[i]});
    }
    const std::string molecular = HalfReactionText(solution.molecularLeft, solution.molecularRight);
    std::string what =
        "Se vuelve a la ecuación molecular: cada ion de la ecuación iónica se une a su compañero "
        "con el mismo coeficiente, y los iones espectadores se completan";
    if (multiple > 1) {
        std::string list = fractional.back();
        const bool several = fractional.size() > 1;
        if (several) {
            fractional.pop_back();
            list = Joined(fractional, ", ") + " y " + list;
        }
        what += std::string(several ? "; saldrían " : "; saldría ") + list +
                ": se toma el menor múltiplo entero, multiplicando todo por " +
                std::to_string(multiple);
    }
    solution.steps.push_back({what, {molecular}});
    const std::string check = CheckText(solution.molecularLeft, solution.molecularRight, false);
    if (check.empty()) {
        solution.error = "La ecuación molecular no cuadra átomo a átomo: " + molecular;
        return false;
    }
    solution.steps.push_back({"Se comprueba átomo a átomo: " + check, {}});
    return true;
}

}  // namespace

namespace {

bool UsesTheMedium(const HalfReaction& half) {
    for (const auto* side : {&half.left, &half.right}) {
        for (const HalfTerm& term : *side) {
            if (IsMedium(term.formula)) return true;
        }
    }
    return false;
}

}  // namespace

IonElectronSolution SolveIonElectron(std::string_view equation, MediumChoice medium) {
    IonElectronSolution solution;
    Skeleton skeleton;
    if (!ReadSkeleton(equation, skeleton, solution.error)) return solution;
    // Where the equation does not say the medium and neither half takes water, H^+ or OH^-
    // (thiosulfate and iodine), the medium does not matter and is not asked for.
    const MediumReading reading = ReadMedium(skeleton);
    if (medium == MediumChoice::FromEquation && reading.acid.empty() && reading.base.empty()) {
        IonElectronSolution acid = SolveIonElectron(equation, MediumChoice::Acid);
        if (acid.solved && !UsesTheMedium(acid.oxidation) && !UsesTheMedium(acid.reduction)) {
            acid.steps.front().what =
                "El medio no influye: ninguna semirreacción necesita H2O, H^+ ni OH^-";
            return acid;
        }
    }
    solution.molecular = true;
    for (const auto* side : {&skeleton.left, &skeleton.right}) {
        for (const std::string& formula : *side) {
            if (ScanFormula(formula).charge != 0) solution.molecular = false;
        }
    }
    // A skeleton of which nothing dissolves into ions is its own ionic equation.
    if (solution.molecular) {
        solution.molecular = false;
        for (const auto* side : {&skeleton.left, &skeleton.right}) {
            for (const std::string& formula : *side) {
                if (Dissociate(formula).ions) solution.molecular = true;
            }
        }
    }
    Dissolved dissolved;
    if (solution.molecular) {
        if (!Dissolve(skeleton, dissolved, solution)) return solution;
    } else {
        dissolved.left = skeleton.left;
        dissolved.right = skeleton.right;
    }
    // What is no redox reaction in any medium is told before the medium is asked for.
    const RedoxPairs inAcid = FindRedoxPairs(dissolved.left, dissolved.right, Medium::Acid);
    if (inAcid.oxidations.empty() || inAcid.reductions.empty()) {
        const RedoxPairs inBase = FindRedoxPairs(dissolved.left, dissolved.right, Medium::Basic);
        if (inBase.oxidations.empty() || inBase.reductions.empty()) {
            solution.error = inAcid.reason;
            return solution;
        }
    }
    if (!DecideMedium(skeleton, medium, solution)) return solution;

    // The ions a molecular skeleton has unchanged on both sides are spectators first: the SO4^2-
    // of H2SO4 and K2SO4 pairs with nothing. Only for a direction that leaves empty may they
    // take part: the SO4^2- of hot sulfuric acid that becomes SO2, the Cl^- of HCl that becomes
    // Cl2 beside the Cl^- of KCl.
    RedoxPairs pairs;
    if (solution.molecular) {
        std::vector<std::string> left, right;
        for (const std::string& unit : dissolved.left) {
            const bool both = std::find(dissolved.right.begin(), dissolved.right.end(), unit) !=
                              dissolved.right.end();
            if (!both || IsMedium(unit)) left.push_back(unit);
        }
        for (const std::string& unit : dissolved.right) {
            const bool both = std::find(dissolved.left.begin(), dissolved.left.end(), unit) !=
                              dissolved.left.end();
            if (!both || IsMedium(unit)) right.push_back(unit);
        }
        pairs = FindRedoxPairs(left, right, solution.medium);
    }
    if (pairs.oxidations.empty() || pairs.reductions.empty()) {
        const RedoxPairs all = FindRedoxPairs(dissolved.left, dissolved.right, solution.medium);
        if (pairs.oxidations.empty() && pairs.reductions.empty()) {
            pairs = all;
        } else {
            if (pairs.oxidations.empty()) pairs.oxidations = all.oxidations;
            if (pairs.reductions.empty()) pairs.reductions = all.reductions;
            pairs.reason = all.reason;
        }
    }
    if (pairs.oxidations.empty() || pairs.reductions.empty()) {
        solution.error = pairs.reason;
        return solution;
    }
    const auto oxidation = PlanHalf(pairs.oxidations);
    const auto reduction = PlanHalf(pairs.reductions);
    // One species that goes to one product both gaining and losing electrons (atoms of one
    // element at two numbers, as in NH4NO2 to N2) is a single change, not two halves.
    const bool oneChange = oxidation && reduction && oxidation->from == reduction->from &&
                           oxidation->to == reduction->to;
    if (!oxidation || !reduction || oneChange) {
        std::vector<std::string> all;
        for (const auto* list : {&pairs.oxidations, &pairs.reductions}) {
            for (const RedoxPair& pair : *list)
                all.push_back(pair.from + " \u2192 " + pair.to);
        }
        solution.error = "No se puede decidir cómo se emparejan las especies (" +
                         Joined(all, ", ") + "): el método ajusta una oxidación y una reducción";
        return solution;
    }
    std::vector<std::string> spectators;
    for (const auto* side : {&dissolved.left, &dissolved.right}) {
        for (const std::string& unit : *side) {
            bool paired = false;
            for (const HalfPlan* plan : {&*oxidation, &*reduction}) {
                for (const auto* species : {&plan->from, &plan->to}) {
                    if (std::find(species->begin(), species->end(), unit) != species->end())
                        paired = true;
                }
            }
            if (!paired && !IsMedium(unit)) AddUnique(spectators, unit);
        }
    }
    if (!spectators.empty())
        solution.steps.push_back(
            {"Se apartan las especies que no cambian (espectadores): " + Joined(spectators, ", "),
             {}});

    if (!BalanceHalf(*oxidation, solution.medium, true, solution.oxidation, solution))
        return solution;
    if (!BalanceHalf(*reduction, solution.medium, false, solution.reduction, solution))
        return solution;

    // The ionic equation follows the skeleton's order; in a molecular one the medium's species,
    // dissolved from an acid or a base, go last as the method adds them.
    std::vector<std::string> order, rightOrder;
    for (const std::string& unit : dissolved.left) {
        if (!solution.molecular || !IsMedium(unit)) order.push_back(unit);
    }
    for (const std::string& unit : dissolved.right) {
        if (!solution.molecular || !IsMedium(unit)) rightOrder.push_back(unit);
    }
    rightOrder.insert(rightOrder.end(), order.begin(), order.end());
    order.insert(order.end(), rightOrder.begin(), rightOrder.end());
    solution.ionic = CombineHalves(solution.oxidation, solution.reduction, order, rightOrder);
    for (const HalfStep& step : solution.ionic.steps) {
        std::vector<std::string> lines;
        std::size_t from = 0;
        for (std::size_t end; (end = step.equation.find('\n', from)) != std::string::npos;
             from = end + 1)
            lines.push_back(step.equation.substr(from, end - from));
        lines.push_back(step.equation.substr(from));
        solution.steps.push_back({step.what, lines});
    }
    const auto hasElectron = [](const std::vector<HalfTerm>& terms) {
        return std::any_of(terms.begin(), terms.end(),
                           [](const HalfTerm& t) { return t.formula == "e^-"; });
    };
    const std::string check = CheckText(solution.ionic.left, solution.ionic.right, true);
    if (check.empty() || solution.ionic.electrons <= 0 || hasElectron(solution.ionic.left) ||
        hasElectron(solution.ionic.right)) {
        solution.error = "La ecuación iónica no cuadra: " +
                         HalfReactionText(solution.ionic.left, solution.ionic.right);
        return solution;
    }
    solution.steps.push_back({"Se comprueba: " + check, {}});
    solution.electrons = solution.ionic.electrons;

    if (solution.molecular && !BackToMolecules(skeleton, dissolved, solution)) return solution;
    solution.solved = true;
    return solution;
}

std::vector<std::string> IonElectronSummary(const IonElectronSolution& solution) {
    std::vector<std::string> lines;
    if (!solution.solved) return lines;
    lines.push_back("Semirreacción de oxidación: " +
                    HalfReactionText(solution.oxidation.left, solution.oxidation.right));
    lines.push_back("Semirreacción de reducción: " +
                    HalfReactionText(solution.reduction.left, solution.reduction.right));
    lines.push_back("Ecuación iónica: " +
                    HalfReactionText(solution.ionic.left, solution.ionic.right));
    if (solution.molecular)
        lines.push_back("Ecuación molecular: " +
                        HalfReactionText(solution.molecularLeft, solution.molecularRight));
    lines.push_back("Electrones transferidos: " + std::to_string(solution.electrons));
    return lines;
}

std::string IonElectronText(const IonElectronSolution& solution) {
    if (!solution.solved) return solution.error + "\n";
    std::string text;
    for (const MethodStep& step : solution.steps) {
        text += step.what + "\n";
        for (const std::string& equation : step.equations)
            text += "    " + equation + "\n";
    }
    text += "\n";
    for (const std::string& line : IonElectronSummary(solution))
        text += line + "\n";
    return text;
}

}  // namespace tovel
