#include <gtest/gtest.h>

#include "text_file.h"
#include "problem_text.h"
#include "test_support.h"
#include "text_utils.h"

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
    Stoichiometry calc;
    calc.Start();
    UnitInputs in;
    in.purity = "80";
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 1, kUnitGram, in, port));
    in.molarity = "2";
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 2, kUnitSolution, in, port));
    in.pressure = "2";
    in.temperature = "300";
    in.temperatureUnit = 1;
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 3, kUnitLitrePT, in, port));
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 2, kUnitLitreNormal, in, port));
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, kUnitMole, in, port));
    EXPECT_EQ(FactorText(r, calc, kReactants, 1), "x 100.1g/mol x 100/80");
    EXPECT_EQ(FactorText(r, calc, kReactants, 2), "1L/2.00 mol x 1000 ml/L");
    EXPECT_EQ(FactorText(r, calc, kProducts, 1), "");
    EXPECT_EQ(FactorText(r, calc, kProducts, 2), "x 22.4L/mol");
    EXPECT_EQ(FactorText(r, calc, kProducts, 3), "· R·300.0K/2.00atm L/mol");
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
