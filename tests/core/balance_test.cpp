#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <random>
#include <sstream>

#include "core/balance.h"
#include "core/equation_checks.h"
#include "core/reaction.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::DefaultElements;
using test::FakeUserPort;
using test::ParsedReaction;

std::string Balanced(const std::string& equation) {
    Reaction r = ParsedReaction(equation);
    if (!SameElements(r) || !BalanceReaction(r)) return "FAIL";
    return ReactionText(r);
}

// The mathematical answer, given to the user only where it is the one balance.
std::string SmallestBalance(const std::string& equation) {
    Reaction r = ParsedReaction(equation);
    const BalanceOutcome outcome = FindBalance(r);
    if (!outcome) return "FAIL";
    ApplyCoefficients(r, outcome.coefficients);
    return ReactionText(r);
}

TEST(BalanceReaction, WorkedExamples) {
    EXPECT_EQ(Balanced("H2 + O2 = H2O"), "2 H2 + O2 = 2 H2O");
    EXPECT_EQ(Balanced("H2O2 = H2O + O2"), "2 H2O2 = 2 H2O + O2");
    EXPECT_EQ(FindBalance(ParsedReaction("H2O2 = H2O + O2")).method, BalanceMethod::Classic);
}

TEST(BalanceReaction, FailureLeavesTheCoefficientsAlone) {
    Reaction r = ParsedReaction("H2 = O2");
    r.Coefficient(kReactants, 1) = 7;
    EXPECT_FALSE(BalanceReaction(r));
    EXPECT_EQ(r.Coefficient(kReactants, 1), 7);
    EXPECT_EQ(r.Coefficient(kProducts, 1), 1);
}

TEST(BalanceReaction, ClassicFreeValuesStopAtNine) {
    // 2 degrees of freedom whose only balances need a free product coefficient above 9.
    Reaction r = ParsedReaction("C57H110O6 + O2 = CO2 + H2O + C");
    EXPECT_FALSE(ClassicBalance(r).has_value() && BalancesExactly(r, *ClassicBalance(r)));
    const BalanceOutcome outcome = FindBalance(r);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(BalancesExactly(r, outcome.coefficients));
}

// Reactions on which the classic procedure gives a wrong answer or none; the balance found must
// still be exact, and for one free coefficient the smallest. All three have several balances: the
// user is given the one the redox pairs decide, or none.
TEST(BalanceReaction, MendsWhatTheClassicProcedureGetsWrong) {
    struct Case {
        const char* equation;
        const char* smallest;
        const char* expected;
    };
    const Case cases[] = {
        {"H2O2 + KMnO4 + H2SO4 = O2 + H2O + K2SO4 + MnSO4",
         "H2O2 + 2 KMnO4 + 3 H2SO4 = 3 O2 + 4 H2O + K2SO4 + 2 MnSO4",
         "5 H2O2 + 2 KMnO4 + 3 H2SO4 = 5 O2 + 8 H2O + K2SO4 + 2 MnSO4"},
        {"S + HNO3 = H2SO4 + NO2 + NO + H2O", "S + 4 HNO3 = H2SO4 + 3 NO2 + NO + H2O", "FAIL"},
        {"FeS2 + O2 = Fe2O3 + Fe3O4 + SO2", "7 FeS2 + 19 O2 = 2 Fe2O3 + Fe3O4 + 14 SO2", "FAIL"},
    };
    for (const auto& c : cases) {
        const Reaction r = ParsedReaction(c.equation);
        const auto classic = ClassicBalance(r);
        EXPECT_FALSE(classic && BalancesExactly(r, *classic)) << c.equation;
        EXPECT_EQ(FindBalance(r).method, BalanceMethod::General) << c.equation;
        EXPECT_EQ(SmallestBalance(c.equation), c.smallest);
        EXPECT_EQ(Balanced(c.equation), c.expected);
    }
}

// Atoms and charge leave several balances: never one chosen silently. The electron balance of
// the redox pairs decides where each half keeps its atoms; elsewhere the user is told, with two.
TEST(UniqueBalance, SeveralBalancesAreDecidedByTheRedoxPairsOrRefused) {
    const Reaction permanganate = ParsedReaction("KMnO4 + H2O2 + H2SO4 = K2SO4 + MnSO4 + O2 + H2O");
    EXPECT_EQ(IndependentBalances(permanganate), 2u);
    const BalanceOutcome chosen = UniqueBalance(permanganate);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen.method, BalanceMethod::Redox);
    EXPECT_EQ(chosen.coefficients, (CoefficientList{2, 5, 3, 1, 2, 5, 8}));

    const Reaction nitric = ParsedReaction("S + HNO3 = H2SO4 + NO2 + NO + H2O");
    BalanceFailure failure = BalanceFailure::None;
    Reaction copy = nitric;
    EXPECT_FALSE(BalanceReaction(copy, &failure));
    EXPECT_EQ(failure, BalanceFailure::SeveralBalances);
    const BalanceOutcome refused = UniqueBalance(nitric);
    ASSERT_TRUE(refused.several);
    EXPECT_TRUE(BalancesExactly(nitric, refused.several->first));
    EXPECT_TRUE(BalancesExactly(nitric, refused.several->second));
    EXPECT_NE(refused.several->first, refused.several->second);

    FakeUserPort port;
    ElementTable table = DefaultElements();
    Reaction shown = nitric;
    EXPECT_FALSE(AutoBalance(shown, table, port));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Varios ajustes posibles");
    EXPECT_EQ(port.messages[0].text,
              "Hay más de un ajuste independiente, por ejemplo:\r\n"
              "S + 4 HNO3 = H2SO4 + 3 NO2 + NO + H2O\r\no bien\r\n"
              "2 S + 6 HNO3 = 2 H2SO4 + 3 NO2 + 3 NO + H2O");
    // A reaction with one balance is untouched by all this.
    const BalanceOutcome water = UniqueBalance(ParsedReaction("H2 + O2 = H2O"));
    EXPECT_EQ(water.coefficients, (CoefficientList{2, 1, 2}));
    EXPECT_EQ(water.independent, 1u);
    // Several balances but none positive: that is what is said.
    Reaction none = ParsedReaction("H2O + H2 = O2 + H2O2");
    EXPECT_FALSE(BalanceReaction(none, &failure));
    EXPECT_EQ(failure, BalanceFailure::NoPositiveBalance);
}

TEST(BalanceReaction, HalfHydratesBalanceAsWritten) {
    EXPECT_EQ(Balanced("CaSO4·½H2O + H2O = CaSO4·2H2O"), "2 CaSO4·½H2O + 3 H2O = 2 CaSO4·2H2O");
    EXPECT_EQ(Balanced("CaSO4·2H2O = CaSO4·0.5H2O + H2O"), "2 CaSO4·2H2O = 2 CaSO4·0.5H2O + 3 H2O");
    Reaction r = ParsedReaction("CaSO4·½H2O + H2O = CaSO4·2H2O");
    r.Coefficient(kReactants, 1) = 2;
    r.Coefficient(kReactants, 2) = 3;
    r.Coefficient(kProducts, 1) = 2;
    EXPECT_TRUE(CheckBalance(r));  // the student's coefficients, checked on whole counts
    r.Coefficient(kReactants, 2) = 2;
    EXPECT_FALSE(CheckBalance(r));
}

TEST(BalanceReaction, FreeValuesGoToTheirOwnColumnsOnEitherSide) {
    // Two free coefficients but one product: the second-to-last free column is a reactant.
    const Reaction r = ParsedReaction("C + CO + O2 = CO2");
    const auto classic = ClassicBalance(r);
    ASSERT_TRUE(classic);
    EXPECT_TRUE(BalancesExactly(r, *classic));
    EXPECT_EQ(SmallestBalance("C + CO + O2 = CO2"), "C + 2 CO + 2 O2 = 3 CO2");
}

TEST(BalanceReaction, TheClassicSearchGoesUpToNine) {
    // 17a + b = 2c: with b = 1 the first free value that fits for c is 9.
    const Reaction r = ParsedReaction("H17 + H = H2");
    const auto classic = ClassicBalance(r);
    ASSERT_TRUE(classic);
    EXPECT_EQ(*classic, (CoefficientList{1, 1, 9}));
    EXPECT_EQ(FindBalance(r).method, BalanceMethod::Classic);
}

TEST(BalanceReaction, ArithmeticOverflowIsAFailureNotAnAnswer) {
    // Coefficients beyond 16 bits: no balance can be stored.
    EXPECT_EQ(Balanced("C65521 = C65519"), "65519 C65521 = 65521 C65519");
    EXPECT_EQ(Balanced("C65535H + H2 = C65534H"), "FAIL");
    // Large prime counts make the elimination's numbers grow; the answer must still be exact.
    Reaction r = ParsedReaction("C65521H65519 + O2 = CO2 + H2O");
    const auto outcome = FindBalance(r);
    if (outcome) {
        EXPECT_TRUE(BalancesExactly(r, outcome.coefficients));
    }
}

// The parser refuses a count of 0, but a reaction built otherwise may hold one: balancing takes
// it without crashing, and any balance it gives holds.
TEST(BalanceReaction, ZeroCountsDoNotCrash) {
    // Each "1" written becomes a count of 0 once parsed.
    auto zeroed = [](const char* equation) {
        Reaction r = ParsedReaction(equation);
        for (auto& side : r.substances) {
            for (auto& substance : side) {
                for (auto& entry : substance.entries) {
                    if (entry.count == 1) entry.count = 0;
                }
            }
        }
        return r;
    };
    for (const char* equation : {"HO = O2", "HC = HC", "H + C = HC", "H + O2 = HO2 + O"}) {
        const Reaction zero = zeroed(equation);
        const auto outcome = FindBalance(zero);
        if (outcome) {
            EXPECT_TRUE(BalancesExactly(zero, outcome.coefficients)) << equation;
        }
    }
}

TEST(BalanceReaction, ThreeFreeCoefficients) {
    Reaction r = ParsedReaction("H2 + O2 + N2 = H2O + NH3 + NO2");
    const auto outcome = FindBalance(r);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(BalancesExactly(r, outcome.coefficients));
}

TEST(BalanceReaction, GeneralMethodFindsTheSmallestSum) {
    const Reaction r = ParsedReaction("C + CO + O2 = CO2");
    const auto general = GeneralBalance(r);
    ASSERT_TRUE(general);
    EXPECT_EQ(*general, (CoefficientList{1, 2, 2, 3}));
    EXPECT_FALSE(GeneralBalance(ParsedReaction("H2O2 + O2 = H2O")));
    EXPECT_FALSE(GeneralBalance(ParsedReaction("CO = CO2")));
}

TEST(BalancesExactly, RejectsZeroAndWrongCoefficients) {
    const Reaction r = ParsedReaction("H2 + O2 = H2O");
    EXPECT_TRUE(BalancesExactly(r, {2, 1, 2}));
    EXPECT_FALSE(BalancesExactly(r, {4, 2, 3}));
    EXPECT_FALSE(BalancesExactly(r, {0, 0, 0}));
    EXPECT_FALSE(BalancesExactly(r, {2, 1}));
    EXPECT_FALSE(BalancesExactly(r, {131072, 65536, 131072}));
}

struct BalanceCase {
    int line;
    std::string equation;
    std::string expected;
};

std::vector<BalanceCase> ReadCases(const std::string& name = "balance_cases.tsv") {
    const std::string path = std::string(TOVEL_SOURCE_DIR) + "/tests/data/" + name;
    std::istringstream in(test::ReadBytes(path));
    std::vector<BalanceCase> cases;
    int line = 0;
    for (std::string text; std::getline(in, text);) {
        ++line;
        if (text.empty() || text[0] == '#') continue;
        const auto tab = text.find('\t');
        if (tab == std::string::npos)
            throw std::runtime_error(name + ": no tab on line " + std::to_string(line));
        cases.push_back({line, text.substr(0, tab), text.substr(tab + 1)});
    }
    return cases;
}

// Balances every case of a file as the main window does: the answer as recorded, checked as the
// student's coefficients are (atoms and charge), or the one message of a failure, whose caption
// failedCaption names when it is given.
void CheckCaseFile(const std::string& name, std::size_t atLeast,
                   const std::string& failedCaption = "") {
    const auto cases = ReadCases(name);
    ASSERT_GE(cases.size(), atLeast);
    for (const auto& c : cases) {
        SCOPED_TRACE(name + " line " + std::to_string(c.line) + ": " + c.equation);
        FakeUserPort port;
        ElementTable table = DefaultElements();
        Reaction r;
        ASSERT_EQ(ParseReaction(r, c.equation, table, port), kReactionOk);
        const bool ok = AutoBalance(r, table, port);
        EXPECT_EQ(ok ? ReactionText(r) : "FAIL", c.expected);
        if (ok) {
            EXPECT_TRUE(CheckBalance(r));
            EXPECT_EQ(r.chargeTotals[0], r.chargeTotals[1]);
            EXPECT_TRUE(port.messages.empty());
        } else {
            ASSERT_EQ(port.messages.size(), 1u);
            if (!failedCaption.empty()) {
                EXPECT_EQ(port.messages[0].caption, failedCaption);
            }
        }
    }
}

TEST(BalanceCases, EveryCaseBalancesAsRecorded) {
    CheckCaseFile("balance_cases.tsv", 60);
}

// Ionic answers are never unbalanced in atoms or in charge; a charge that cannot balance is said
// to be the reason.
TEST(BalanceCases, IonsHalfReactionsAndHydrates) {
    CheckCaseFile("ionic_cases.tsv", 25, "Las cargas no cuadran");
}

TEST(CheckBalance, CountsTheCharge) {
    Reaction r = ParsedReaction("Fe^3+ + e^- = Fe^2+");
    r.Coefficient(kReactants, 2) = 2;  // atoms still balance, charges do not
    EXPECT_FALSE(CheckBalance(r));
    EXPECT_EQ(r.chargeTotals[0], 1);
    EXPECT_EQ(r.chargeTotals[1], 2);
    r.Coefficient(kReactants, 2) = 1;
    EXPECT_TRUE(CheckBalance(r));
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

// Writes a formula from atom counts of H, C, N, O, S; empty when all are zero.
std::string FormulaOf(const std::array<int, 5>& counts) {
    static const char* symbols[] = {"H", "C", "N", "O", "S"};
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] > 0) text += symbols[i] + (counts[i] > 1 ? std::to_string(counts[i]) : "");
    }
    return text;
}

// Reactions made balanced by construction: random reactants with random coefficients, random
// products that fit in the atoms, and a last product of what is left. A positive balance exists,
// so one must be found, and it must be exact.
TEST(BalanceProperty, EveryReactionWithAPositiveBalanceIsBalanced) {
    std::mt19937 random(20261207);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int checked = 0;
    for (int round = 0; round < 1500; ++round) {
        std::array<int, 5> total{};
        std::vector<std::string> reactants;
        for (int r = pick(1, 3); r > 0; --r) {
            std::array<int, 5> f{};
            for (auto& c : f)
                c = pick(0, 3);
            if (FormulaOf(f).empty()) continue;
            const int coefficient = pick(1, 4);
            for (std::size_t i = 0; i < f.size(); ++i)
                total[i] += coefficient * f[i];
            reactants.push_back(FormulaOf(f));
        }
        std::vector<std::string> products;
        for (int p = pick(0, 3); p > 0; --p) {
            std::array<int, 5> f{};
            for (std::size_t i = 0; i < f.size(); ++i)
                f[i] = pick(0, std::min(2, total[i]));
            if (FormulaOf(f).empty()) continue;
            for (std::size_t i = 0; i < f.size(); ++i)
                total[i] -= f[i];
            products.push_back(FormulaOf(f));
        }
        if (!FormulaOf(total).empty()) products.push_back(FormulaOf(total));
        if (reactants.empty() || products.empty()) continue;
        std::string equation;
        for (const auto& r : reactants)
            equation += (equation.empty() ? "" : "+") + r;
        equation += "=";
        for (std::size_t i = 0; i < products.size(); ++i)
            equation += (i ? "+" : "") + products[i];

        const Reaction reaction = ParsedReaction(equation);
        const BalanceOutcome outcome = FindBalance(reaction);
        ASSERT_TRUE(outcome) << equation;
        EXPECT_TRUE(BalancesExactly(reaction, outcome.coefficients)) << equation;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}

TEST(BalanceFailure, ImpossibleIsToldApartFromBeyondTheLimits) {
    const struct {
        const char* equation;
        BalanceFailure failure;
    } cases[] = {
        {"CO = CO2", BalanceFailure::NoPositiveBalance},         // only the zero solution
        {"H2O2 + O2 = H2O", BalanceFailure::NoPositiveBalance},  // one ray, a negative coefficient
        {"H2O+H2=H2O+O2+H2O2", BalanceFailure::NoPositiveBalance},  // no positive solution at all
        {"H65535O = H2 + O65534", BalanceFailure::BeyondLimits},  // needs a coefficient above 65535
        {"H65521 + H65519 = H2", BalanceFailure::BeyondLimits},   // 1 1 65520, beyond the search
    };
    for (const auto& c : cases) {
        Reaction r = ParsedReaction(c.equation);
        BalanceFailure failure = BalanceFailure::None;
        EXPECT_FALSE(BalanceReaction(r, &failure)) << c.equation;
        EXPECT_EQ(failure, c.failure) << c.equation;
    }
    Reaction ok = ParsedReaction("H2 + O2 = H2O");
    BalanceFailure failure = BalanceFailure::BeyondLimits;
    EXPECT_TRUE(BalanceReaction(ok, &failure));
    EXPECT_EQ(failure, BalanceFailure::None);
}

}  // namespace
}  // namespace tovel
