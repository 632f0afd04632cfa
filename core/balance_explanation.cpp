#include "core/balance_explanation.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/atom_matrix.h"
#include "core/fraction.h"

namespace tovel {

namespace {

using Values = std::vector<std::optional<Fraction>>;

Fraction Negate(Fraction f) {
    return Fraction::Make(-static_cast<std::int64_t>(f.num), f.den);
}
Fraction Minus(Fraction a, Fraction b) {
    return a + Negate(b);
}
bool Positive(Fraction f) {
    return f.num > 0;
}

// The coefficients' letters, a, b, c...; without "e" when the electron e^- is in the equation,
// so that no unknown reads as the electron.
using Letters = std::vector<std::string>;
Letters MakeLetters(std::size_t count, bool skipE) {
    Letters letters;
    for (char c = 'a'; letters.size() < count; ++c) {
        if (skipE && c == 'e') continue;
        letters.emplace_back(1, c);
    }
    return letters;
}

std::string Number(Fraction f) {
    if (f.den == 1) return std::to_string(f.num);
    return std::to_string(f.num) + "/" + std::to_string(f.den);
}

// A linear equation over the letters: sum of coefficient x letter, plus constant, equals 0. How a
// student reads it: terms with a positive coefficient on the left, the others moved to the right.
struct LinearEquation {
    std::string name;               // "(1) Fe", "(4) Carga", or "(5)" for one made by combining two
    std::vector<Fraction> letters;  // one per letter; 0 where the letter does not appear
    Fraction constant;
    // The charge row as given: each substance's charge stays on its own side with its sign
    // ("-a + 2b = 2d"), the letters before this one being the reactants. 0 for the others.
    std::size_t reactantsSide = 0;
    std::string ref;  // "(1)": how a combination names it

    std::size_t Unknowns(const Values& values) const {
        std::size_t n = 0;
        for (std::size_t j = 0; j < letters.size(); ++j)
            n += !letters[j].IsZero() && !values[j];
        return n;
    }
};

// One side of an equation as text; "0" when nothing stands there.
std::string SideText(const std::vector<std::string>& terms) {
    if (terms.empty()) return "0";
    std::string text;
    for (const std::string& term : terms) {
        // A negative term after the first is subtracted: "2b - c".
        if (!text.empty()) text += term[0] == '-' ? " - " : " + ";
        text += text.empty() || term[0] != '-' ? term : term.substr(1);
    }
    return text;
}

// The equation as written, letters where they are unknown; with substitute, each known letter
// shows its value ("2·1", "3·(3/2)"), as a student puts the values in.
std::string EquationText(const LinearEquation& eq, const Values& values, bool substitute,
                         const Letters& letters) {
    std::vector<std::string> left;
    std::vector<std::string> right;
    // Where a term goes, and its size: by sign, or (the charge row) by its side.
    auto place = [&](Fraction coefficient, const std::string& term) {
        (Positive(coefficient) ? left : right).push_back(term);
    };
    if (eq.reactantsSide > 0) {
        for (std::size_t j = 0; j < eq.letters.size(); ++j) {
            const bool reactant = j < eq.reactantsSide;
            const Fraction k = reactant ? eq.letters[j] : Negate(eq.letters[j]);
            if (k.IsZero()) continue;
            const Fraction size = Positive(k) ? k : Negate(k);
            std::string term = Positive(k) ? "" : "-";
            const std::string count = size == Fraction{1, 1} ? "" : Number(size);
            if (substitute && values[j]) {
                const Fraction v = *values[j];
                term += count.empty()
                            ? Number(v)
                            : count + "·" + (v.den == 1 ? Number(v) : "(" + Number(v) + ")");
            } else {
                term += count + letters[j];
            }
            (reactant ? left : right).push_back(term);
        }
        return SideText(left) + " = " + SideText(right);
    }
    if (!eq.constant.IsZero()) {
        const Fraction size = Positive(eq.constant) ? eq.constant : Negate(eq.constant);
        // A constant is written on the side where it is positive: 3 + b = 2d.
        place(eq.constant, Number(size));
    }
    for (std::size_t j = 0; j < eq.letters.size(); ++j) {
        const Fraction k = eq.letters[j];
        if (k.IsZero()) continue;
        const Fraction size = Positive(k) ? k : Negate(k);
        const std::string count = size == Fraction{1, 1} ? "" : Number(size);
        if (substitute && values[j]) {
            const Fraction v = *values[j];
            const std::string value =
                v.den == 1 || count.empty() ? Number(v) : "(" + Number(v) + ")";
            std::string term = count;
            if (!term.empty()) term += "·";
            term += value;
            place(k, term);
        } else {
            place(k, count + letters[j]);
        }
    }
    return SideText(left) + " = " + SideText(right);
}

// The known letters folded into the constant, then scaled to whole coefficients without a
// common factor, so that combining two equations is done with whole multipliers.
LinearEquation Reduced(const LinearEquation& eq, const Values& values) {
    LinearEquation out{eq.name, eq.letters, eq.constant, 0, eq.ref};
    for (std::size_t j = 0; j < out.letters.size(); ++j) {
        if (values[j] && !out.letters[j].IsZero()) {
            out.constant = out.constant + out.letters[j] * *values[j];
            out.letters[j] = Fraction{0, 1};
        }
    }
    std::int64_t denominators = out.constant.den;
    for (const Fraction& k : out.letters)
        denominators = Lcm(static_cast<std::int32_t>(denominators), k.den);
    std::int64_t common = 0;
    auto scale = [&](Fraction& f) {
        f = MultiplyWhole(f, denominators);
        common = Gcd(common, f.num);
    };
    scale(out.constant);
    for (Fraction& k : out.letters)
        scale(k);
    if (common > 1) {
        out.constant = out.constant / Fraction{static_cast<std::int32_t>(common), 1};
        for (Fraction& k : out.letters)
            k = k / Fraction{static_cast<std::int32_t>(common), 1};
    }
    return out;
}

// The value of the one unknown letter of eq.
std::pair<std::size_t, Fraction> SolveSingle(const LinearEquation& eq, const Values& values) {
    std::size_t unknown = 0;
    Fraction rest = eq.constant;
    for (std::size_t j = 0; j < eq.letters.size(); ++j) {
        if (eq.letters[j].IsZero()) continue;
        if (values[j]) {
            rest = rest + eq.letters[j] * *values[j];
        } else {
            unknown = j;
        }
    }
    return {unknown, Negate(rest) / eq.letters[unknown]};
}

bool Holds(const LinearEquation& eq, const Values& values) {
    Fraction sum = eq.constant;
    for (std::size_t j = 0; j < eq.letters.size(); ++j) {
        if (!eq.letters[j].IsZero()) sum = sum + eq.letters[j] * *values[j];
    }
    return sum.IsZero();
}

std::string AssignmentText(const CoefficientList& coefficients, const Letters& letters) {
    std::string text;
    for (std::size_t j = 0; j < coefficients.size(); ++j) {
        if (j > 0) text += ", ";
        text += letters[j] + " = " + std::to_string(coefficients[j]);
    }
    return text;
}

class Explainer {
  public:
    explicit Explainer(const Reaction& reaction) : m_reaction(reaction) {
        for (int side = 0; side < 2; ++side) {
            for (const auto& substance : reaction.substances[side])
                m_substances.push_back(&substance);
        }
        m_values.assign(m_substances.size(), std::nullopt);
        m_letters = MakeLetters(m_substances.size(), HasElectron(reaction));
        BuildEquations();
    }

    BalanceExplanation Run() {
        const BalanceOutcome program = FindBalance(m_reaction);
        try {
            return Explain(program);
        } catch (const ArithmeticOverflow&) {
            // Numbers too large to show as fractions: only the answer, without the steps.
            m_result = BalanceExplanation{};
            m_result.lines = {LetteredEquation(), ""};
            if (!program) {
                Add("No hay ningún ajuste con todos los coeficientes positivos: imposible");
                return m_result;
            }
            Add("Los números de los pasos son demasiado grandes para mostrarlos.");
            Add(AssignmentText(program.coefficients, m_letters));
            AddBalanced(program.coefficients);
            m_result.outcome = ExplanationOutcome::Balanced;
            return m_result;
        }
    }

  private:
    BalanceExplanation Explain(const BalanceOutcome& program) {
        m_result.lines.push_back(LetteredEquation());
        m_result.lines.emplace_back();
        for (const auto& eq : m_equations)
            m_result.lines.push_back(eq.name + ": " + EquationText(eq, m_values, false, m_letters));
        m_result.lines.emplace_back();

        const std::size_t dimension =
            ReduceToEchelon(AtomCountMatrix(m_reaction), m_substances.size()).freeColumns.size();
        if (dimension >= 2) return SeveralBalances(program);
        try {
            if (Solve() && Finish(program)) return m_result;
        } catch (const ArithmeticOverflow&) {
            // Values too large to show as fractions: the program's answer is still checked below.
        }
        if (m_result.outcome == ExplanationOutcome::Impossible && m_contradiction) return m_result;
        return Verified(program);
    }

    // One equation per row of the reaction's atom matrix: each element in order of first
    // appearance, then the charge, kept on its own side with its sign.
    void BuildEquations() {
        const AtomCounts matrix = AtomCountMatrix(m_reaction);
        std::vector<std::uint16_t> order;  // the matrix's element rows, by atomic number
        std::vector<std::string> names;
        for (const Substance* substance : m_substances) {
            for (const auto& entry : substance->entries) {
                if (std::find(order.begin(), order.end(), entry.element.atomicNumber) !=
                    order.end())
                    continue;
                order.push_back(entry.element.atomicNumber);
                names.push_back(entry.element.symbol);
            }
        }
        for (std::size_t row = 0; row < matrix.size(); ++row) {
            const bool charge = row >= names.size();
            // Numbered, so that a combination is named by numbers and not by elements.
            const std::string ref = "(" + std::to_string(row + 1) + ")";
            LinearEquation eq{ref + " " + (charge ? "Carga" : names[row]),
                              std::vector<Fraction>(m_substances.size(), Fraction{0, 1}),
                              Fraction{0, 1}, charge ? m_reaction.Count(kReactants) : 0, ref};
            for (std::size_t j = 0; j < m_substances.size(); ++j)
                eq.letters[j] = Fraction::Make(matrix[row][j]);
            m_equations.push_back(std::move(eq));
        }
    }

    std::string LetteredEquation() const {
        std::string text;
        for (std::size_t j = 0; j < m_substances.size(); ++j) {
            if (j == m_reaction.Count(kReactants)) {
                text += " = ";
            } else if (j > 0) {
                text += " + ";
            }
            text += m_letters[j] + " " + m_substances[j]->formula;
        }
        return text;
    }

    // The letter fixed to 1: the substance with the most atoms (the first of equals), whose
    // coefficient is usually the smallest, so fewer fractions appear.
    std::size_t FixedLetter() const {
        std::size_t best = 0;
        std::uint64_t most = 0;
        for (std::size_t j = 0; j < m_substances.size(); ++j) {
            std::uint64_t atoms = 0;
            for (const auto& entry : m_substances[j]->entries)
                atoms += entry.count;
            if (atoms > most) {
                most = atoms;
                best = j;
            }
        }
        return best;
    }

    void Add(std::string line) { m_result.lines.push_back(std::move(line)); }

    void Impossible(const std::string& line) {
        Add(line + ": imposible");
        m_result.outcome = ExplanationOutcome::Impossible;
        m_contradiction = true;
    }

    // Every equation whose letters are all known must hold; false (with the line) when one fails.
    bool CheckKnown() {
        for (const auto* list : {&m_equations, &m_derived}) {
            for (const auto& eq : *list) {
                if (eq.Unknowns(m_values) != 0 || Holds(eq, m_values)) continue;
                Impossible(eq.name + ": " + EquationText(eq, m_values, true, m_letters));
                return false;
            }
        }
        return true;
    }

    // Solves one letter from an equation with a single unknown; false when there is none or a
    // contradiction appeared (then m_contradiction is set).
    bool SolveOne(bool& solved) {
        solved = false;
        for (const auto* list : {&m_equations, &m_derived}) {
            for (const auto& eq : *list) {
                if (eq.Unknowns(m_values) != 1) continue;
                const auto [letter, value] = SolveSingle(eq, m_values);
                const std::string shown = EquationText(eq, m_values, true, m_letters);
                const std::string result = m_letters[letter] + " = " + Number(value);
                std::string line = "De " + eq.name + ": ";
                line += shown;
                if (shown != result) line += ", luego " + result;
                if (!Positive(value)) {
                    Impossible(line);
                    return false;
                }
                Add(line);
                m_values[letter] = value;
                solved = true;
                return CheckKnown();
            }
        }
        return true;
    }

    std::size_t Unknowns() const {
        return static_cast<std::size_t>(std::count(m_values.begin(), m_values.end(), std::nullopt));
    }

    // Gaussian elimination as a student does it: the equation with the fewest unknowns left is
    // combined with each other one that shares its first unknown, so that unknown disappears.
    bool Eliminate() {
        std::vector<const LinearEquation*> active;
        for (const auto* list : {&m_equations, &m_derived}) {
            for (const auto& eq : *list) {
                if (eq.Unknowns(m_values) >= 2 && !IsUsed(eq.name)) active.push_back(&eq);
            }
        }
        if (active.size() < 2) return false;
        const LinearEquation* pivot = *std::min_element(
            active.begin(), active.end(), [&](const LinearEquation* x, const LinearEquation* y) {
                return x->Unknowns(m_values) < y->Unknowns(m_values);
            });
        const LinearEquation p = Reduced(*pivot, m_values);
        std::size_t u = 0;
        while (p.letters[u].IsZero())
            ++u;
        std::vector<LinearEquation> made;
        for (const LinearEquation* other : active) {
            if (other == pivot || other->letters[u].IsZero()) continue;
            const LinearEquation e = Reduced(*other, m_values);
            // e x p[u] - p x e[u] has no u; whole multipliers without a common factor.
            const std::int64_t g = Gcd(p.letters[u].num, e.letters[u].num);
            std::int64_t mp = p.letters[u].num / g;
            std::int64_t me = e.letters[u].num / g;
            if (mp < 0) {
                mp = -mp;
                me = -me;
            }
            const std::string ref =
                "(" + std::to_string(m_equations.size() + m_derived.size() + made.size() + 1) + ")";
            LinearEquation d{ref, std::vector<Fraction>(p.letters.size(), Fraction{0, 1}),
                             Minus(MultiplyWhole(e.constant, mp), MultiplyWhole(p.constant, me)), 0,
                             ref};
            for (std::size_t j = 0; j < d.letters.size(); ++j)
                d.letters[j] =
                    Minus(MultiplyWhole(e.letters[j], mp), MultiplyWhole(p.letters[j], me));
            d = Reduced(d, m_values);
            m_used.push_back(other->name);
            const bool nothingNew = d.Unknowns(m_values) == 0 && d.constant.IsZero();
            // The two said the same: shown, they would be equations that lead nowhere.
            if (nothingNew) continue;
            if (made.empty()) {
                Add("Ninguna ecuación tiene una sola incógnita: se elimina " + m_letters[u] +
                    " combinando dos.");
            }
            ShowReduced(*pivot, p);
            ShowReduced(*other, e);
            const std::string how =
                Multiple(mp, e.ref) + (me < 0 ? " + " : " - ") + Multiple(me < 0 ? -me : me, p.ref);
            if (d.Unknowns(m_values) == 0) {
                Impossible(d.name + " = " + how + ": " +
                           EquationText(d, m_values, false, m_letters));
                return false;
            }
            Add(d.name + " = " + how + ": " + EquationText(d, m_values, false, m_letters));
            made.push_back(d);
        }
        m_used.push_back(pivot->name);
        for (auto& d : made)
            m_derived.push_back(std::move(d));
        return true;
    }

    static std::string Multiple(std::int64_t k, const std::string& name) {
        return k == 1 ? name : std::to_string(k) + "·" + name;
    }

    bool IsUsed(const std::string& name) const {
        return std::find(m_used.begin(), m_used.end(), name) != m_used.end();
    }

    // An equation with the values found put in and simplified, where that changes it.
    void ShowReduced(const LinearEquation& original, const LinearEquation& reduced) {
        const std::string plain = EquationText(original, m_values, false, m_letters);
        const std::string simplified = EquationText(reduced, m_values, false, m_letters);
        if (std::find(m_shown.begin(), m_shown.end(), original.name) != m_shown.end()) return;
        m_shown.push_back(original.name);
        if (plain == simplified) {
            Add(original.name + ": " + plain);
        } else {
            Add(original.name + " con los valores hallados: " + simplified);
        }
    }

    bool Solve() {
        const std::size_t fixed = FixedLetter();
        m_values[fixed] = Fraction{1, 1};
        Add("Se toma " + m_letters[fixed] + " = 1 (" + m_substances[fixed]->formula +
            " es la sustancia con más átomos).");
        if (!CheckKnown()) return false;
        while (Unknowns() > 0) {
            bool solved = false;
            if (!SolveOne(solved)) return false;
            if (solved) continue;
            if (!Eliminate()) return false;
            if (m_contradiction) return false;
        }
        return true;
    }

    // Clears the fractions and checks the answer against the program's.
    bool Finish(const BalanceOutcome& program) {
        std::int64_t multiplier = 1;
        for (const auto& v : m_values)
            multiplier = Lcm(static_cast<std::int32_t>(multiplier), v->den);
        CoefficientList whole;
        for (const auto& v : m_values)
            whole.push_back(static_cast<std::uint32_t>(MultiplyWhole(*v, multiplier).num));
        if (!program || whole != program.coefficients) return false;
        m_result.lines.emplace_back();
        if (multiplier > 1) Add("Multiplicando por " + std::to_string(multiplier) + ":");
        Add(AssignmentText(whole, m_letters));
        // Every element, also those whose equation the steps never needed.
        Add("Comprobación:");
        AddChecks(whole);
        AddBalanced(whole);
        m_result.outcome = ExplanationOutcome::Balanced;
        return true;
    }

    void AddBalanced(const CoefficientList& coefficients) {
        Reaction balanced = m_reaction;
        ApplyCoefficients(balanced, coefficients);
        Add(ReactionText(balanced));
        m_result.coefficients = coefficients;
    }

    // The program's answer put into every equation, for reactions the steps cannot reach alone.
    BalanceExplanation Verified(const BalanceOutcome& program) {
        if (!program) {
            Add("No hay ningún ajuste con todos los coeficientes positivos: imposible");
            m_result.outcome = ExplanationOutcome::Impossible;
            return m_result;
        }
        ShowChecked(program.coefficients);
        m_result.outcome = ExplanationOutcome::Balanced;
        return m_result;
    }

    void ShowChecked(const CoefficientList& coefficients) {
        Add(AssignmentText(coefficients, m_letters) + ", que cumplen cada ecuación:");
        AddChecks(coefficients);
        m_result.lines.emplace_back();
        Add(AssignmentText(coefficients, m_letters));
        AddBalanced(coefficients);
    }

    // Each equation with the coefficients put in, and what both sides add up to.
    void AddChecks(const CoefficientList& coefficients) {
        Values values;
        for (const std::uint32_t c : coefficients)
            values.emplace_back(Fraction::Make(c));
        for (const auto& eq : m_equations) {
            Fraction left{0, 1};
            for (std::size_t j = 0; j < eq.letters.size(); ++j) {
                const bool onTheLeft =
                    eq.reactantsSide > 0 ? j < eq.reactantsSide : Positive(eq.letters[j]);
                if (onTheLeft) left = left + eq.letters[j] * *values[j];
            }
            Add(eq.name + ": " + EquationText(eq, values, true, m_letters) + " (" + Number(left) +
                " = " + Number(left) + ")");
        }
    }

    // Atoms and charge leave more than one independent balance: two of them are shown and
    // checked, and none is given as the answer.
    BalanceExplanation SeveralBalances(const BalanceOutcome& program) {
        if (!program) return Verified(program);
        if (const BalanceOutcome redox = UniqueBalance(m_reaction);
            redox.method == BalanceMethod::Redox) {
            Add("Hay más de un ajuste independiente: las ecuaciones de los elementos no deciden "
                "los "
                "coeficientes. Decide el balance de electrones de los pares redox (los átomos que "
                "cambian de número de oxidación pasan de una sustancia a su pareja):");
            ShowChecked(redox.coefficients);
            m_result.outcome = ExplanationOutcome::Balanced;
            return m_result;
        }
        const auto two = TwoBalances(m_reaction);
        Add("Hay más de un ajuste independiente: las ecuaciones de los elementos no deciden los "
            "coeficientes.");
        if (two) {
            Add("Por ejemplo:");
            ShowChecked(two->first);
            Add("y también:");
            ShowChecked(two->second);
        } else {
            ShowChecked(program.coefficients);
        }
        Add("Hace falta otra condición (en una redox, el balance de electrones) para elegir uno.");
        m_result.coefficients.clear();
        m_result.outcome = ExplanationOutcome::SeveralBalances;
        return m_result;
    }

    const Reaction& m_reaction;
    std::vector<const Substance*> m_substances;
    std::vector<LinearEquation> m_equations;
    std::vector<LinearEquation> m_derived;
    std::vector<std::string> m_used;   // equations already combined away
    std::vector<std::string> m_shown;  // equations whose simplified form was shown
    Values m_values;
    Letters m_letters;
    BalanceExplanation m_result;
    bool m_contradiction = false;
};

}  // namespace

BalanceExplanation ExplainBalance(const Reaction& reaction) {
    return Explainer(reaction).Run();
}

std::string ExplanationText(const BalanceExplanation& explanation, const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : explanation.lines)
        text += line + lineEnd;
    return text;
}

}  // namespace tovel
