// Parsing formulas and equations and balancing them stay off the heap: the main window and
// tovel-cli do both for every equation, and each allocation costs more than the arithmetic. This
// program counts allocations by replacing operator new (tests/support/allocation_counter.cpp).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/balance.h"
#include "core/formula.h"
#include "core/reaction.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::AllocationScope;

TEST(Allocations, TheCounterCounts) {
    // Without this, a counter that saw nothing would pass every test below.
    AllocationScope scope;
    auto p = std::make_unique<int>(1);
    EXPECT_EQ(scope.Count(), 1u);
}

TEST(Allocations, NoneToParseAndBalanceAnEquation) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    Reaction reaction;
    for (const std::string equation :
         {"KMnO4+HCl=KCl+MnCl2+Cl2+H2O", "C3H8 + O2 = CO2 + H2O",
          "K4Fe(CN)6+KMnO4+H2SO4=KHSO4+Fe2(SO4)3+MnSO4+HNO3+CO2+H2O", "H2O2 = H2O + O2"}) {
        // The first time the reaction's element lists grow to their size; after that a reaction
        // that is reused, as the window's and tovel-cli's are, needs nothing more.
        ASSERT_EQ(ParseReaction(reaction, equation, table, port), kReactionOk);
        AllocationScope scope;
        ASSERT_EQ(ParseReaction(reaction, equation, table, port), kReactionOk);
        ASSERT_TRUE(BalanceReaction(reaction)) << equation;
        EXPECT_EQ(scope.Count(), 0u) << equation;
    }
    EXPECT_EQ(ReactionText(reaction), "2 H2O2 = 2 H2O + O2");
}

TEST(Allocations, NoneToParseAFormulaThatFitsItsText) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    // Up to 15 characters a formula's text stays within the string itself.
    for (const char* formula : {"H2SO4", "Ca3(PO4)2", "K4Fe(CN)6", "(NH4)2Cr2O7", "CuSO4(H2O)5"}) {
        AllocationScope scope;
        Substance substance;
        ASSERT_TRUE(ParseFormula(substance, formula, table, port)) << formula;
        EXPECT_EQ(scope.Count(), 0u) << formula;
    }
}

TEST(Allocations, NoneForTheGeneralMethodWithOneFreeCoefficient) {
    // What balancing falls back on; with two or more free coefficients its search for a positive
    // solution may need thousands of constraints, and those live on the heap.
    const Reaction reaction = test::ParsedReaction("KMnO4+HCl=KCl+MnCl2+Cl2+H2O");
    AllocationScope scope;
    const auto general = GeneralBalance(reaction);
    ASSERT_TRUE(general);
    EXPECT_EQ(*general, (CoefficientList{2, 16, 2, 2, 5, 8}));
    EXPECT_EQ(scope.Count(), 0u);
}

}  // namespace
}  // namespace tovel
