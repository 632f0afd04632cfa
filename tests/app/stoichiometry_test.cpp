#include <gtest/gtest.h>

#include "stoichiometry.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::FakeUserPort;

// The reactions of these cases, balanced, with a table where O is 16.00 as in the examples.
Reaction Balanced(const std::string& equation, std::vector<std::uint16_t> coefficients) {
    ElementTable table = test::DefaultElements();
    for (std::size_t slot = 1; slot <= table.Count(); ++slot) {
        if (table.Slot(slot).symbol == "O") table.Slot(slot).atomicMass = 16.00;
    }
    FakeUserPort port;
    Reaction r;
    EXPECT_EQ(ParseReaction(r, equation, table, port), kReactionOk);
    std::size_t k = 0;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t i = 0; i < r.Count(side); ++i) r.coefficients[side][i] = coefficients[k++];
    }
    return r;
}

class StoichiometryTest : public ::testing::Test {
protected:
    void SetUp() override { calc.Start(); }
    bool Calc(const Reaction& r, std::vector<std::string> reactants, std::vector<std::string> products) {
        return calc.Calculate(r, {reactants, products}, port);
    }
    UnitInputs Inputs() const {
        UnitInputs in;
        in.purity = "100";
        return in;
    }

    Stoichiometry calc;
    FakeUserPort port;
};

TEST(Stoichiometry, Conversions) {
    Substance water;
    water.molarMass = 18.0;
    EXPECT_DOUBLE_EQ(ConvertAmount(36, water, kUnitGram, kUnitMole), 2.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(36, water, kUnitGram, kUnitLitreNormal), 44.8);
    EXPECT_DOUBLE_EQ(ConvertAmount(2, water, kUnitMole, kUnitGram), 36.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(44.8, water, kUnitLitreNormal, kUnitMole), 2.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(44.8, water, kUnitLitreNormal, kUnitGram), 36.0);
    EXPECT_EQ(GasConstant(0), 0.082);
    EXPECT_EQ(GasConstant(1), 8.29);
    EXPECT_EQ(UnitName(kUnitLitreNormal), "L cn");
    EXPECT_EQ(UnitName(kUnitSolution), "ml");
}

TEST_F(StoichiometryTest, HydrogenIsLimitingAgainstOxygen) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    ASSERT_TRUE(Calc(r, {"4", "32"}, {""}));
    EXPECT_EQ(calc.DataSide(), kReactants);
    EXPECT_EQ(calc.Limiting(), 1u);
    EXPECT_EQ(calc.DataCount(), 2);
    EXPECT_EQ(calc.DataSlots(), (std::vector<std::size_t>{1, 2}));
    EXPECT_NEAR(calc.Extent(), 0.992, 0.0005);
    EXPECT_NEAR(calc.Amounts(kReactants, 2).finalAmount, 0.254, 0.0005);  // grams of O2 left
    EXPECT_EQ(calc.Amounts(kReactants, 1).finalAmount, 0.0);
    EXPECT_NEAR(calc.Amounts(kProducts, 1).molesReacted, 1.984, 0.0005);
}

TEST_F(StoichiometryTest, TinyLeftoversAreZero) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    // O2 exceeds what H2 needs by less than a thousandth of the extent.
    ASSERT_TRUE(Calc(r, {"2.016", "16.0100"}, {""}));
    EXPECT_EQ(calc.Limiting(), 1u);
    EXPECT_EQ(calc.Amounts(kReactants, 2).finalMoles, 0.0);
    EXPECT_EQ(calc.Amounts(kReactants, 2).finalAmount, 0.0);
}

TEST_F(StoichiometryTest, EqualRatiosTakeTheLowerSlot) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 1, kUnitMole, Inputs(), port));
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 2, kUnitMole, Inputs(), port));
    ASSERT_TRUE(Calc(r, {"2", "1"}, {""}));
    EXPECT_EQ(calc.Limiting(), 1u);
}

TEST_F(StoichiometryTest, OnlyAProductGiven) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    ASSERT_TRUE(Calc(r, {"", ""}, {"36.032"}));
    EXPECT_EQ(calc.DataSide(), kProducts);
    EXPECT_EQ(calc.Limiting(), 0u);
    EXPECT_NEAR(calc.Extent(), 1.0, 1e-9);
    for (std::size_t slot = 1; slot <= 2; ++slot) {
        EXPECT_EQ(calc.Amounts(kReactants, slot).finalAmount, 0.0);
        EXPECT_NEAR(calc.Amounts(kReactants, slot).initialMoles, slot == 1 ? 2.0 : 1.0, 1e-9);
    }
    EXPECT_NEAR(calc.AmountInUnit(r, kReactants, 2, calc.Amounts(kReactants, 2).initialMoles), 32.0, 1e-9);
}

TEST_F(StoichiometryTest, PurityCountsOnlyThePureMass) {
    const Reaction r = Balanced("CaCO3=CaO+CO2", {1, 1, 1});
    UnitInputs in = Inputs();
    in.purity = "80";
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 1, kUnitGram, in, port));
    EXPECT_EQ(calc.Qualifier(1), " 80%");
    ASSERT_TRUE(Calc(r, {"50"}, {"", ""}));
    const double mm = r.substances[0][0].molarMass;
    EXPECT_NEAR(calc.Amounts(kReactants, 1).initialMoles, 40 / mm, 1e-12);
    // The amount needed of an impure reactant is impure grams.
    EXPECT_NEAR(calc.AmountInUnit(r, kReactants, 1, 40 / mm), 50, 1e-9);
}

TEST_F(StoichiometryTest, PurityLimits) {
    UnitInputs in = Inputs();
    in.purity = "100";
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, kUnitGram, in, port));
    EXPECT_EQ(calc.Qualifier(1), "");
    EXPECT_EQ(calc.Purity(1), 100);
    for (const char* bad : {"0", "101", "-5"}) {
        in.purity = bad;
        EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, kUnitGram, in, port)) << bad;
        EXPECT_EQ(port.messages.back().caption, "Valor fuera de rango");
        EXPECT_EQ(port.messages.back().text, "% de pureza entre 1 y 100");
    }
    in.purity = "abc";
    const auto before = port.messages.size();
    EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, kUnitGram, in, port));
    EXPECT_EQ(port.messages.size(), before);  // not a number: just not accepted
}

TEST_F(StoichiometryTest, GasAtCelsiusAndKiloPascals) {
    UnitInputs in = Inputs();
    in.pressure = "101.3";
    in.pressureUnit = 1;
    in.temperature = "25";
    in.temperatureUnit = 0;
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, kUnitLitrePT, in, port));
    const GasConditions& gas = calc.Gas(kProducts, 1);
    EXPECT_EQ(gas.temperature, 298);
    EXPECT_DOUBLE_EQ(gas.factor, 101.3 / 298 / 8.29);
    EXPECT_EQ(calc.UnitText(kProducts, 1), "L a 101kPa y 298ºK");
    in.pressure = "0";
    EXPECT_FALSE(calc.AcceptGasConditions(kProducts, 1, in));
    EXPECT_EQ(calc.Gas(kProducts, 1).factor, 0.0);  // marks the conditions as not set
    in.pressure = "1";
    in.temperature = "-300";  // below absolute zero
    EXPECT_FALSE(calc.AcceptGasConditions(kProducts, 1, in));
}

TEST_F(StoichiometryTest, MolarityByOkAndByEnter) {
    UnitInputs in = Inputs();
    in.molarity = "11";
    EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, kUnitSolution, in, port));
    in.molarity = "0.5";
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, kUnitSolution, in, port));
    EXPECT_EQ(calc.Qualifier(1), " 0.5M");
    calc.EnterMolarity(1, "11");
    EXPECT_EQ(calc.Molarity(1), 11);
    EXPECT_EQ(calc.Qualifier(1), " 11.0M");
    calc.EnterMolarity(1, "0");  // would divide by zero: ignored
    EXPECT_EQ(calc.Molarity(1), 11);
    EXPECT_FALSE(calc.AcceptUnit(kProducts, 1, kUnitSolution, in, port));  // reactants only
}

TEST_F(StoichiometryTest, SolutionVolumeAndGasAmounts) {
    const Reaction r = Balanced("Zn+HCl=ZnCl2+H2", {1, 2, 1, 1});
    UnitInputs in = Inputs();
    in.molarity = "2";
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 2, kUnitSolution, in, port));
    in.pressure = "1";
    in.temperature = "273";
    in.temperatureUnit = 1;
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 2, kUnitLitrePT, in, port));
    ASSERT_TRUE(Calc(r, {"", "100"}, {"", ""}));
    EXPECT_NEAR(calc.Extent(), 0.1, 1e-12);
    EXPECT_NEAR(calc.Amounts(kProducts, 2).finalAmount, 0.1 * 0.082 * 273, 1e-9);
    EXPECT_NEAR(calc.AmountInUnit(r, kReactants, 2, 0.2), 100, 1e-9);
}

TEST_F(StoichiometryTest, BadAmountsAreRefusedBeforeComputing) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    EXPECT_FALSE(Calc(r, {"4", "abc"}, {""}));
    EXPECT_EQ(port.messages.back().caption, "Datos no válidos");
    EXPECT_EQ(port.messages.back().text, "Cantidad no válida para O2: abc");
    EXPECT_FALSE(Calc(r, {"-4", ""}, {""}));
    EXPECT_EQ(port.messages.back().text, "Cantidad no válida para H2: -4");
    EXPECT_FALSE(Calc(r, {"", ""}, {""}));
    EXPECT_EQ(port.messages.back().caption, "Ningún dato válido");
    EXPECT_EQ(port.messages.back().text, "Hay que introducir al menos 1 dato");
    EXPECT_EQ(port.messages.back().icon, MessageIcon::Exclamation);
}

TEST(AtomicMassLine, ListsTheReactantsElementsOnce) {
    const Reaction r = Balanced("CaCO3+HCl=CaCl2+H2O+CO2", {1, 2, 1, 1, 1});
    EXPECT_EQ(AtomicMassLine(r), "M.A.:  Ca = 40.08, C = 12.01, O = 16.00, H = 1.008, Cl = 35.45");
}

}  // namespace
}  // namespace tovel
