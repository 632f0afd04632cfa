#include <gtest/gtest.h>

#include "core/text_utils.h"
#include "exercises/problem_text.h"
#include "system/text_file.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(ProblemText, ListJoiners) {
    EXPECT_EQ(ListJoiner(1, 1), "");
    EXPECT_EQ(ListJoiner(1, 2), " y ");
    EXPECT_EQ(ListJoiner(1, 3), ", ");
    EXPECT_EQ(ListJoiner(2, 3), " y ");
    EXPECT_EQ(ListJoiner(3, 3), "");
}

TEST(ProblemText, FactorTexts) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    Reaction r;
    ASSERT_EQ(ParseReaction(r, "CaCO3+HCl=CaCl2+H2O+CO2", table, port), kReactionOk);
    ProblemInput p;
    p.reaction = r;
    p.data[kReactants].resize(2);
    p.data[kProducts].resize(3);
    p.data[kReactants][0].purity = 80;
    p.data[kReactants][1].unit = AmountUnit::Solution;
    p.data[kReactants][1].molarity = 2;
    p.data[kProducts][0].unit = AmountUnit::Mole;
    p.data[kProducts][1].unit = AmountUnit::LitreNormal;
    p.data[kProducts][2].unit = AmountUnit::LitrePT;
    p.data[kProducts][2].gas = {2, 300, PressureUnit::Atm, TemperatureUnit::Kelvin};
    EXPECT_EQ(FactorText(p, kReactants, 1), "x 100.1g/mol x 100/80");
    EXPECT_EQ(FactorText(p, kReactants, 2), " mol x 1 L/2.00 mol x 1000 ml/L");
    EXPECT_EQ(FactorText(p, kProducts, 1), "");
    EXPECT_EQ(FactorText(p, kProducts, 2), "x 22.4L/mol");
    EXPECT_EQ(FactorText(p, kProducts, 3), "· R·300.0K/2.00atm L/mol");
}

TEST(ProblemText, SeparatorsAreVisibleOnScreenAndSoftHyphensOnDisk) {
    const std::string stored = SeparatorLine(3);
    EXPECT_EQ(ShowSeparators("a" + stored), "a\u2500\u2500\u2500");
    EXPECT_EQ(StoreSeparators(ShowSeparators(stored)), stored);
}

TEST(ProblemFile, EachProblemFollowsTwoEmptyLines) {
    const std::string path = test::TempDir() + "/problemas.txt";
    ASSERT_TRUE(AppendBlock(path, {"Enunciado ñ", "", "REACCIÓN: X", SeparatorLine(2)}));
    const std::string first = "\r\n\r\nEnunciado \xf1\r\n\r\nREACCI\xd3N: X\r\n\xad\xad\r\n";
    EXPECT_EQ(test::ReadBytes(path), first);
    ASSERT_TRUE(AppendBlock(path, {"Otro", "Fin"}));
    EXPECT_EQ(test::ReadBytes(path), first + "\r\n\r\nOtro\r\nFin\r\n");
    EXPECT_FALSE(AppendBlock(test::TempDir() + "/no/such/problemas.txt", {"x", "y"}));
}

}  // namespace
}  // namespace tovel
