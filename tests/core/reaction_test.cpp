#include <gtest/gtest.h>

#include "core/equation_checks.h"
#include "core/reaction.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::DefaultElements;
using test::FakeUserPort;
using test::ParsedReaction;

class ReactionParseTest : public ::testing::Test {
  protected:
    int Parse(const std::string& text) { return ParseReaction(reaction, text, table, port); }

    ElementTable table = DefaultElements();
    FakeUserPort port;
    Reaction reaction;
};

TEST_F(ReactionParseTest, SplitsSidesAndSubstances) {
    ASSERT_EQ(Parse(" H2 + O2 = H2O "), kReactionOk);
    EXPECT_EQ(reaction.Count(kReactants), 2u);
    EXPECT_EQ(reaction.Count(kProducts), 1u);
    EXPECT_EQ(reaction.substances[0][1].formula, "O2");
    EXPECT_EQ(reaction.elements[0], (std::vector<std::uint16_t>{1, 8}));
    EXPECT_EQ(reaction.elements[1], (std::vector<std::uint16_t>{1, 8}));
    for (int side = 0; side < 2; ++side) {
        for (auto c : reaction.coefficients[side])
            EXPECT_EQ(c, 1);
    }
    EXPECT_TRUE(SameElements(reaction));
}

TEST_F(ReactionParseTest, ReturnsTheCodeOfEachFailure) {
    EXPECT_EQ(Parse("H2 + O2 -> H2O"), kReactionNoEquals);
    EXPECT_EQ(Parse("H2+O2="), kReactionBadSubstance);
    EXPECT_EQ(Parse("H2++O2=H2O"), kReactionBadSubstance);
    EXPECT_TRUE(port.messages.empty());  // empty pieces fail silently
    EXPECT_EQ(Parse("H2=H2O=O"), kReactionBadSubstance);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, "Carácter \"=\" no válido en la posición 4 de H2O=O");
}

TEST_F(ReactionParseTest, SaysWhichFormulaFailed) {
    const struct {
        const char* equation;
        int side;
        std::size_t position;
        bool empty;
    } cases[] = {
        {"H2+O2=", kProducts, 1, true},
        {"H2++O2=H2O", kReactants, 2, true},
        {"H2+O2=H2O+Xq", kProducts, 2, false},
    };
    for (const auto& c : cases) {
        ReactionParseFailure failure;
        EXPECT_EQ(ParseReaction(reaction, c.equation, table, port, &failure),
                  kReactionBadSubstance);
        EXPECT_EQ(failure.side, c.side) << c.equation;
        EXPECT_EQ(failure.position, c.position) << c.equation;
        EXPECT_EQ(failure.empty, c.empty) << c.equation;
    }
}

TEST_F(ReactionParseTest, AcceptsSixSubstancesASideAndNoMore) {
    EXPECT_EQ(Parse("H2+O2+N2+Cl2+F2+I2=H2O"), kReactionOk);
    EXPECT_EQ(Parse("H2+O2+N2+Cl2+F2+I2+Br2=H2O"), kReactionTooMany);
    EXPECT_EQ(Parse("H2+O2+N2+Cl2+F2+I2+Br2+S=H2O"), kReactionTooMany);
    EXPECT_EQ(Parse("H2O=H2+O2+N2+Cl2+F2+I2+Br2"), kReactionTooMany);
    EXPECT_LE(reaction.Count(kProducts), kSideLimit);
}

TEST_F(ReactionParseTest, SideElementSetsHoldEveryElement) {
    ASSERT_EQ(Parse("K4Fe(CN)6+KMnO4+H2SO4=KHSO4+Fe2(SO4)3+MnSO4+HNO3+CO2+H2O"), kReactionOk);
    EXPECT_EQ(reaction.elements[0], (std::vector<std::uint16_t>{1, 6, 7, 8, 16, 19, 25, 26}));
    ASSERT_EQ(Parse("LiNaKRbCsBe + MgCaSrBaAl = LiNaKRbCsBeMgCaSrBaAl"), kReactionOk);
    EXPECT_EQ(reaction.elements[1].size(), 11u);
    EXPECT_TRUE(SameElements(reaction));
}

TEST(ReactionModel, PutSubstanceAppendsOrReplaces) {
    Reaction r = ParsedReaction("H2+O2=H2O");
    Substance n2 = ParsedReaction("N2=N2").substances[0][0];
    EXPECT_TRUE(PutSubstance(r, kReactants, 2, n2));  // replaces O2; the element set stays
    EXPECT_EQ(r.substances[0][1].formula, "N2");
    EXPECT_EQ(r.elements[0], (std::vector<std::uint16_t>{1, 8}));
    EXPECT_TRUE(PutSubstance(r, kReactants, 9, n2));  // past the count: appended
    EXPECT_EQ(r.Count(kReactants), 3u);
    EXPECT_EQ(r.elements[0], (std::vector<std::uint16_t>{1, 7, 8}));
    while (r.Count(kReactants) < kSideLimit)
        AppendSubstance(r, kReactants, n2);
    EXPECT_FALSE(AppendSubstance(r, kReactants, n2));
}

TEST(ReactionModel, CheckBalanceComparesTrueTotals) {
    Reaction r = ParsedReaction("H2+O2=H2O");
    EXPECT_FALSE(CheckBalance(r));
    EXPECT_EQ(AtomTotalsText(r, kReactants), "2    2    ");
    EXPECT_EQ(AtomTotalsText(r, kProducts), "2    1    ");
    r.Coefficient(kReactants, 1) = 2;
    r.Coefficient(kProducts, 1) = 2;
    EXPECT_TRUE(CheckBalance(r));
    EXPECT_EQ(AtomTotalsText(r, kReactants), "4    2    ");
    EXPECT_EQ(AtomTotalsText(r, kProducts), "4    2    ");

    // 256 atoms against 0 would be equal modulo 256.
    Reaction big = ParsedReaction("H256=H2");
    big.Coefficient(kProducts, 1) = 256;
    EXPECT_FALSE(CheckBalance(big));
    EXPECT_EQ(AtomTotalsText(big, kProducts), "512    ");
    big.Coefficient(kProducts, 1) = 128;
    EXPECT_TRUE(CheckBalance(big));

    // Large counts times large coefficients do not wrap.
    Reaction huge = ParsedReaction("C65535=C65535");
    huge.Coefficient(kReactants, 1) = 65535;
    EXPECT_FALSE(CheckBalance(huge));
    EXPECT_EQ(AtomTotalsText(huge, kReactants), "4294836225    ");
}

TEST(ReactionModel, CheckBalanceNeedsTheSameElements) {
    Reaction r = ParsedReaction("H2=O2");
    EXPECT_FALSE(CheckBalance(r));  // both totals read "2" but they are different elements
}

TEST(ReactionModel, WrittenForms) {
    Reaction r = ParsedReaction("H2 + O2 = H2O");
    EXPECT_EQ(ReactionText(r), "H2 + O2 = H2O");
    EXPECT_EQ(ReactionCompactText(r), "H2+O2=H2O");
    r.Coefficient(kReactants, 1) = 2;
    r.Coefficient(kProducts, 1) = 2;
    EXPECT_EQ(ReactionText(r), "2 H2 + O2 = 2 H2O");
    EXPECT_EQ(ReactionCompactText(r), "H2+O2=H2O");
}

TEST(ReactionModel, InitReactionClearsEverything) {
    Reaction r = ParsedReaction("H2+O2=H2O");
    r.Coefficient(kReactants, 1) = 5;
    CheckBalance(r);
    InitReaction(r);
    EXPECT_EQ(r.Count(kReactants) + r.Count(kProducts), 0u);
    EXPECT_EQ(r.Coefficient(kReactants, 1), 1);
    EXPECT_TRUE(r.elements[0].empty());
    EXPECT_TRUE(r.atomTotals[1].empty());
}

TEST(EquationChecks, ParseFailuresAreReportedAsTheMainWindowDoes) {
    FakeUserPort port;
    for (int code : {kReactionOk, kReactionNoEquals, kReactionBadSubstance, kReactionTooMany}) {
        ReportReactionParseFailure(code, port);
    }
    ASSERT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(port.messages[0].caption, "Error");
    EXPECT_EQ(port.messages[0].text, "Falta separador (=) lados reacción");
    EXPECT_EQ(port.messages[1].text, "En compuesto");
    EXPECT_EQ(port.messages[2].caption, "Demasiadas substancias");
    EXPECT_EQ(port.messages[2].text, "Máximo: 6 en cada lado");
}

TEST(EquationChecks, DifferentElementsAreListedPerSide) {
    FakeUserPort port;
    Reaction r = ParsedReaction("Fe + O2 = H2O");
    EXPECT_FALSE(AutoBalance(r, DefaultElements(), port));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "No se puede ajustar");
    EXPECT_EQ(port.messages[0].text,
              "faltan o sobran elementos    \r\n\r\nen los reactivos:    O   Fe   \r\n"
              "en los productos:  H   O   ");
}

TEST(EquationChecks, AutoBalanceReportsAReactionWithoutBalance) {
    FakeUserPort port;
    Reaction r = ParsedReaction("CO = CO2");
    EXPECT_FALSE(AutoBalance(r, DefaultElements(), port));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Reacción o no viable o inexistente");
    EXPECT_EQ(port.messages[0].text,
              "O no se puede ajustar o los productos son iguales a los reactivos");
    EXPECT_EQ(r.Coefficient(kReactants, 1), 1);
}

}  // namespace
}  // namespace tovel
