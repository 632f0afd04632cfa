#include "core/balance_explanation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>

#include "core/balance.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::ParsedReaction;

// The explanation is read back as a student reads it: the values of the letters are taken from
// the lines that state them, and every equation shown is checked with those values put in.
using LetterValues = std::map<char, double>;

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t begin = 0;
    for (std::size_t at; (at = text.find(separator, begin)) != std::string::npos;) {
        pieces.push_back(text.substr(begin, at - begin));
        begin = at + separator.size();
    }
    pieces.push_back(text.substr(begin));
    return pieces;
}

double NumberValue(const std::string& text) {
    std::string t = text;
    if (t.front() == '(' && t.back() == ')') t = t.substr(1, t.size() - 2);
    const auto slash = t.find('/');
    if (slash == std::string::npos) return std::stod(t);
    return std::stod(t.substr(0, slash)) / std::stod(t.substr(slash + 1));
}

// A term: "2", "3/2", "2d", "d", "2·1", "3·(3/2)". Nothing when a letter has no value yet.
std::optional<double> TermValue(const std::string& term, const LetterValues& values) {
    if (term.front() == '-') {
        const auto size = TermValue(term.substr(1), values);
        if (!size) return std::nullopt;
        return -*size;
    }
    const auto dot = term.find("·");
    if (dot != std::string::npos) {
        return NumberValue(term.substr(0, dot)) * NumberValue(term.substr(dot + 2));
    }
    const char last = term.back();
    if (last >= 'a' && last <= 'z') {
        const auto at = values.find(last);
        if (at == values.end()) return std::nullopt;
        const std::string count = term.substr(0, term.size() - 1);
        return (count.empty() ? 1.0 : NumberValue(count)) * at->second;
    }
    return NumberValue(term);
}

std::optional<double> SideValue(const std::string& side, const LetterValues& values) {
    double sum = 0;
    std::string signedSide;  // "2b - c" read as "2b + -c"
    for (const std::string& piece : Split(side, " - "))
        signedSide += (signedSide.empty() ? "" : " + -") + piece;
    for (const std::string& term : Split(signedSide, " + ")) {
        const auto value = TermValue(term, values);
        if (!value) return std::nullopt;
        sum += *value;
    }
    return sum;
}

// Whether "left = right" holds with the values; nothing when a letter has no value.
std::optional<bool> Holds(const std::string& equation, const LetterValues& values) {
    const auto sides = Split(equation, " = ");
    if (sides.size() != 2) return std::nullopt;
    const auto left = SideValue(sides[0], values);
    const auto right = SideValue(sides[1], values);
    if (!left || !right) return std::nullopt;
    return std::fabs(*left - *right) < 1e-9 * std::max(1.0, std::fabs(*left));
}

struct Reading {
    LetterValues values;  // before the fractions are cleared
    std::vector<std::string> equations;
    std::optional<std::vector<std::uint32_t>> final;
};

std::vector<std::uint32_t> Assignment(const std::string& line, LetterValues* into = nullptr) {
    std::vector<std::uint32_t> coefficients;
    for (const std::string& part : Split(line, ", ")) {
        coefficients.push_back(static_cast<std::uint32_t>(std::stoul(part.substr(4))));
        if (into) (*into)[part[0]] = std::stod(part.substr(4));
    }
    return coefficients;
}

// Checks the explanation line by line: every equation it shows holds once its letters are known,
// every value comes from the line that states it, a contradiction really is one.
void CheckExplanation(const BalanceExplanation& explanation) {
    LetterValues values;
    std::vector<std::string> shown;  // equations with letters, checked once the values are known
    double multiplier = 1;
    bool impossibleSeen = false;
    for (std::size_t i = 0; i < explanation.lines.size(); ++i) {
        std::string line = explanation.lines[i];
        SCOPED_TRACE(line);
        if (line.empty() || i == 0) continue;
        if (line.rfind("Se toma ", 0) == 0) {
            values[line[8]] = 1;
            continue;
        }
        if (line.rfind("Multiplicando por ", 0) == 0) {
            multiplier = std::stod(line.substr(18));
            continue;
        }
        const bool impossible = line.size() > 11 && line.ends_with(": imposible");
        if (impossible) {
            line = line.substr(0, line.size() - 11);
            impossibleSeen = true;
        }
        if (line.rfind("Hay más de un", 0) == 0 || line.rfind("Ninguna ecuación", 0) == 0 ||
            line.rfind("No hay ningún ajuste", 0) == 0) {
            continue;
        }
        if (line.rfind("a = ", 0) == 0) {
            std::string assignment = line;
            const bool checks = assignment.ends_with(", que cumplen cada ecuación:");
            if (checks) {
                assignment = assignment.substr(0, assignment.find(", que"));
                Assignment(assignment, &values);
                continue;
            }
            // The final line: the values found, times the multiplier, as whole numbers.
            const auto whole = Assignment(assignment);
            const auto parts = Split(assignment, ", ");
            for (std::size_t j = 0; j < whole.size(); ++j) {
                const char letter = parts[j][0];
                ASSERT_TRUE(values.count(letter)) << letter;
                EXPECT_NEAR(values[letter] * multiplier, whole[j], 1e-9) << letter;
            }
            // Several balances show two, and neither is the answer.
            if (explanation.outcome != ExplanationOutcome::SeveralBalances) {
                EXPECT_EQ(whole, std::vector<std::uint32_t>(explanation.coefficients.begin(),
                                                            explanation.coefficients.end()));
            }
            continue;
        }
        if (line.find(" = ") == std::string::npos || line.find(": ") == std::string::npos) {
            continue;  // the balanced equation itself, checked by the caller
        }
        std::string body = line.substr(line.find(": ") + 2);
        if (line.rfind("De ", 0) == 0) {
            // "De X: shown, luego u = v" or "De X: u = v": the value follows from what is shown.
            std::string result = body;
            if (const auto then = body.find(", luego "); then != std::string::npos) {
                result = body.substr(then + 8);
                body = body.substr(0, then);
            }
            const char letter = result[0];
            ASSERT_EQ(result.substr(1, 3), " = ");
            EXPECT_FALSE(values.count(letter)) << "found twice: " << letter;
            values[letter] = NumberValue(result.substr(4));
            if (impossible) {
                EXPECT_LE(values[letter], 0.0);
            }
            EXPECT_EQ(Holds(body, values), std::optional<bool>(true)) << body;
            continue;
        }
        if (const auto check = body.find(" ("); check != std::string::npos) {
            const std::string sum = body.substr(check + 2, body.size() - check - 3);
            EXPECT_EQ(Holds(sum, values), std::optional<bool>(true)) << sum;
            body = body.substr(0, check);
        }
        if (impossible && !line.starts_with("De ")) {
            EXPECT_EQ(Holds(body, values), std::optional<bool>(false)) << body;
        } else {
            shown.push_back(body);
        }
    }
    if (explanation.outcome == ExplanationOutcome::Impossible) {
        EXPECT_TRUE(impossibleSeen);
        return;
    }
    ASSERT_EQ(explanation.coefficients.empty(),
              explanation.outcome == ExplanationOutcome::SeveralBalances);
    // Every equation shown, the given ones, the simplified ones and the combined ones, holds for
    // the values found.
    for (const std::string& equation : shown) {
        EXPECT_EQ(Holds(equation, values), std::optional<bool>(true)) << equation;
    }
}

TEST(BalanceExplanation, EveryStepOfEveryCaseFollows) {
    std::istringstream in(
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/balance_cases.tsv") +
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/ionic_cases.tsv"));
    int counted[3] = {};
    for (std::string text; std::getline(in, text);) {
        if (text.empty() || text[0] == '#') continue;
        const std::string equation = text.substr(0, text.find('\t'));
        const std::string expected = text.substr(text.find('\t') + 1);
        SCOPED_TRACE(equation);
        const Reaction reaction = ParsedReaction(equation);
        const BalanceExplanation explanation = ExplainBalance(reaction);
        CheckExplanation(explanation);
        for (const std::string& line : explanation.lines)
            EXPECT_EQ(line.find("substancia"), std::string::npos) << line;
        ++counted[static_cast<int>(explanation.outcome)];
        if (expected == "FAIL") {
            // Impossible, or several balances of which none is given.
            EXPECT_NE(explanation.outcome, ExplanationOutcome::Balanced);
            EXPECT_EQ(explanation.outcome == ExplanationOutcome::SeveralBalances,
                      static_cast<bool>(FindBalance(reaction)));
        } else {
            EXPECT_EQ(explanation.outcome, ExplanationOutcome::Balanced);
            EXPECT_EQ(explanation.lines.back(), expected);
            EXPECT_EQ(explanation.coefficients, UniqueBalance(reaction).coefficients);
        }
    }
    // The case file holds every kind: solved step by step, several balances, impossible.
    EXPECT_GE(counted[0], 60);
    EXPECT_GE(counted[1], 3);
    EXPECT_GE(counted[2], 3);
}

TEST(BalanceExplanation, CombinesEquationsWhereNoneHasOneUnknown) {
    const BalanceExplanation e = ExplainBalance(ParsedReaction("Cu+HNO3=Cu(NO3)2+NO+H2O"));
    const std::string text = ExplanationText(e, "\n");
    EXPECT_NE(text.find("Ninguna ecuación tiene una sola incógnita: se elimina b combinando dos."),
              std::string::npos)
        << text;
    // Combinations are named by the numbers of the equations, never by element symbols.
    EXPECT_NE(text.find("(1) Cu: a = c\n"), std::string::npos) << text;
    EXPECT_NE(text.find("(5) = (3) - (2): 2e = 2 + d\n"), std::string::npos) << text;
    EXPECT_NE(text.find("(7) = (6) - (5): 3e = 4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("De (7): 3e = 4, luego e = 4/3\n"), std::string::npos) << text;
    EXPECT_EQ(e.lines.back(), "3 Cu + 8 HNO3 = 3 Cu(NO3)2 + 2 NO + 4 H2O");
    CheckExplanation(e);
}

TEST(BalanceExplanation, TheChargeIsOneMoreEquation) {
    const BalanceExplanation e = ExplainBalance(ParsedReaction("Cu=Cu^2++e^-"));
    EXPECT_EQ(e.lines[3], "(2) Carga: 0 = 2b - c");
    EXPECT_EQ(e.lines[7], "De (2) Carga: 0 = 2·1 - c, luego c = 2");
    EXPECT_EQ(e.lines.back(), "Cu = Cu^2+ + 2 e^-");
    CheckExplanation(e);
}

TEST(BalanceExplanation, NoUnknownIsNamedLikeTheElectron) {
    const BalanceExplanation e = ExplainBalance(ParsedReaction("MnO4^-+H^++e^-=Mn^2++H2O"));
    EXPECT_EQ(e.lines[0], "a MnO4^- + b H^+ + c e^- = d Mn^2+ + f H2O");
    EXPECT_EQ(e.lines[5], "(4) Carga: -a + b - c = 2d");
    // Worked by hand: Mn a = d, O 4a = f, H b = 2f; with a = 1, f = 4, b = 8, and the charge
    // -1 + 8 - c = 2 gives c = 5.
    EXPECT_EQ(
        ExplanationText(e, "\n").find("a = 1, b = 8, c = 5, d = 1, f = 4\n") != std::string::npos,
        true);
    CheckExplanation(e);
    // Without the electron, the letters run on as usual.
    EXPECT_EQ(ExplainBalance(ParsedReaction("Cu+HNO3=Cu(NO3)2+NO+H2O")).lines[0],
              "a Cu + b HNO3 = c Cu(NO3)2 + d NO + e H2O");
}

TEST(BalanceExplanation, TheLastStepChecksEveryElement) {
    // Cl: its equation is never needed on the way (the values come from Na, O and H), and is
    // checked all the same.
    const BalanceExplanation e = ExplainBalance(ParsedReaction("NaOH+HCl=NaCl+H2O"));
    const auto& lines = e.lines;
    const auto check = std::find(lines.begin(), lines.end(), "Comprobación:");
    ASSERT_NE(check, lines.end());
    for (auto line = lines.begin(); line != check; ++line)
        EXPECT_FALSE(line->starts_with("De (4)")) << *line;
    // a NaOH + b HCl = c NaCl + d H2O with 1, 1, 1, 1: Na a = c, O a = d, H a + b = 2d, Cl b = c.
    EXPECT_EQ(std::vector<std::string>(check + 1, lines.end()),
              (std::vector<std::string>{"(1) Na: 1 = 1 (1 = 1)", "(2) O: 1 = 1 (1 = 1)",
                                        "(3) H: 1 + 1 = 2·1 (2 = 2)", "(4) Cl: 1 = 1 (1 = 1)",
                                        "NaOH + HCl = NaCl + H2O"}));
    CheckExplanation(e);
}

// Found by fuzzing: steps whose fractions do not fit give the answer without the steps, never
// an escaped exception.
TEST(BalanceExplanation, NumbersTooLargeForTheSteps) {
    const Reaction r = ParsedReaction("C16.5535SOH + HFe(CN)625= C655.5535SOH + H234H");
    const BalanceExplanation e = ExplainBalance(r);
    const BalanceOutcome program = FindBalance(r);
    EXPECT_EQ(e.outcome != ExplanationOutcome::Impossible, static_cast<bool>(program));
    if (program) {
        EXPECT_TRUE(e.coefficients == program.coefficients);
    }
}

TEST(BalanceExplanation, SaysWhereTheContradictionIs) {
    BalanceExplanation e;
    // The charges cannot balance.
    e = ExplainBalance(ParsedReaction("Fe^3+=Fe^2+"));
    EXPECT_EQ(e.lines.back(), "(2) Carga: 3·1 = 2·1: imposible");
    // An element on one side only.
    e = ExplainBalance(ParsedReaction("Fe+O2=H2O"));
    EXPECT_EQ(e.outcome, ExplanationOutcome::Impossible);
    EXPECT_EQ(e.lines.back(), "(3) H: 0 = 2·1: imposible");
    // Every letter found, then an equation that fails.
    e = ExplainBalance(ParsedReaction("CO=CO2"));
    EXPECT_EQ(e.lines.back(), "(2) O: 1 = 2·1: imposible");
    EXPECT_TRUE(e.coefficients.empty());
}

}  // namespace
}  // namespace tovel
