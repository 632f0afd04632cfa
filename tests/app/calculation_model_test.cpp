#include <gtest/gtest.h>

#include "app/calculation_model.h"
#include "app/main_model.h"
#include "core/equation_checks.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

Reaction Balanced(const std::string& equation) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    Reaction r;
    EXPECT_EQ(ParseReaction(r, equation, table, port), kReactionOk);
    EXPECT_TRUE(AutoBalance(r, table, port));
    return r;
}

class CalculationModelTest : public ::testing::Test {
  protected:
    void SetUp() override { calc.Start(water); }
    UnitInputs Inputs() const {
        UnitInputs in;
        in.purity = "100";
        return in;
    }
    std::string Box(int side, std::size_t slot) const { return calc.Box(side, slot).text; }
    bool IsResult(int side, std::size_t slot) const { return calc.Box(side, slot).result; }

    CalculationModel calc;
    test::FakeUserPort port;
    Reaction water = Balanced("H2+O2=H2O");
};

TEST_F(CalculationModelTest, CalculatingTwiceChangesNothing) {
    calc.TypeInBox(kReactants, 1, "4");
    ASSERT_TRUE(calc.Calculate(water, port));
    EXPECT_EQ(calc.Result().limiting, 1u);
    EXPECT_EQ(Box(kReactants, 2), "31.7");  // the oxygen needed, as a result
    EXPECT_TRUE(IsResult(kReactants, 2));
    EXPECT_EQ(Box(kProducts, 1), "35.7");
    const StoichiometryResult first = calc.Result();
    ASSERT_TRUE(calc.Calculate(water, port));
    // The filled box is not read back: still one datum, H2 still limiting, to the last digit.
    EXPECT_EQ(calc.Result().dataSlots, (std::vector<std::size_t>{1}));
    EXPECT_EQ(calc.Result().limiting, 1u);
    EXPECT_EQ(calc.Result().extent, first.extent);
    EXPECT_EQ(calc.Result().amounts[kReactants][0].finalMoles, 0.0);
    EXPECT_EQ(calc.Result().amounts[kReactants][1].molesReacted,
              first.amounts[kReactants][1].molesReacted);
    EXPECT_EQ(Box(kReactants, 2), "31.7");
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(CalculationModelTest, AProductGivenStaysAProblemOfAProductGiven) {
    calc.TypeInBox(kProducts, 1, "36");
    ASSERT_TRUE(calc.Calculate(water, port));
    EXPECT_EQ(calc.Result().dataSide, kProducts);
    EXPECT_EQ(Box(kReactants, 1), "4.03");
    EXPECT_EQ(Box(kReactants, 2), "32.0");
    // A unit changed elsewhere: the results go, the product stays the datum.
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 2, AmountUnit::Mole, Inputs(), port));
    EXPECT_FALSE(calc.HasResults());
    EXPECT_EQ(Box(kReactants, 1), "");
    EXPECT_EQ(Box(kReactants, 2), "");
    EXPECT_EQ(Box(kProducts, 1), "36");
    ASSERT_TRUE(calc.Calculate(water, port));
    EXPECT_EQ(calc.Result().dataSide, kProducts);
    EXPECT_EQ(Box(kReactants, 2), "0.999");  // mol now
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(CalculationModelTest, TypingInAFilledBoxMakesItADatum) {
    calc.TypeInBox(kProducts, 1, "36");
    ASSERT_TRUE(calc.Calculate(water, port));
    calc.TypeInBox(kReactants, 2, "16");
    EXPECT_FALSE(IsResult(kReactants, 2));
    EXPECT_EQ(Box(kReactants, 1), "");  // nothing of the previous calculation is left
    ASSERT_TRUE(calc.Calculate(water, port));
    // Reactants given decide; the user is told that the water's amount was not used.
    EXPECT_EQ(calc.Result().dataSide, kReactants);
    EXPECT_EQ(calc.Result().limiting, 2u);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Datos de más");
    EXPECT_EQ(port.messages[0].text,
              "Se calcula con los datos de O2. La cantidad de H2O no se usa: se muestra la que se "
              "obtiene.");
    EXPECT_EQ(Box(kProducts, 1), "18.0");
    EXPECT_TRUE(IsResult(kProducts, 1));
    EXPECT_EQ(Box(kReactants, 1), "2.02");
    // The next calculation has one datum only: nothing more to say.
    ASSERT_TRUE(calc.Calculate(water, port));
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(Box(kProducts, 1), "18.0");
}

TEST_F(CalculationModelTest, ChangedConditionsRecomputeFromTheData) {
    const Reaction propane = Balanced("C3H8+O2=CO2+H2O");
    UnitInputs cn = Inputs();
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, AmountUnit::LitreNormal, cn, port));
    calc.TypeInBox(kProducts, 1, "10");
    ASSERT_TRUE(calc.Calculate(propane, port));
    EXPECT_EQ(Box(kReactants, 1), "6.56");
    UnitInputs gas = Inputs();
    gas.pressure = "2";
    gas.temperature = "300";
    gas.temperatureUnit = TemperatureUnit::Kelvin;
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, AmountUnit::LitrePT, gas, port));
    ASSERT_TRUE(calc.Calculate(propane, port));
    // 10 L at 2 atm and 300 K are 0.813 mol of CO2.
    EXPECT_NEAR(calc.Result().amounts[kProducts][0].initialMoles, 10 * 2 / 300.0 / 0.082, 1e-12);
    EXPECT_EQ(Box(kProducts, 1), "10");
    const ProblemInput problem = calc.Problem(propane);
    EXPECT_EQ(problem.data[kProducts][0].amount, 10.0);
    EXPECT_EQ(UnitText(problem.data[kProducts][0]), "L a 2.00atm y 300K");
}

TEST_F(CalculationModelTest, ResetAndStartClearDataAndResults) {
    calc.TypeInBox(kReactants, 1, "4");
    ASSERT_TRUE(calc.Calculate(water, port));
    calc.Reset();
    EXPECT_FALSE(calc.HasResults());
    for (std::size_t slot = 1; slot <= 2; ++slot)
        EXPECT_EQ(Box(kReactants, slot), "");
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).caption, "Ningún dato válido");
    calc.TypeInBox(kReactants, 1, "4");
    ASSERT_TRUE(calc.AcceptUnit(kReactants, 1, AmountUnit::Mole, Inputs(), port));
    calc.Start(water);
    EXPECT_EQ(Box(kReactants, 1), "");
    EXPECT_EQ(calc.Unit(kReactants, 1), AmountUnit::Gram);
}

TEST_F(CalculationModelTest, BadAmountsAreRefusedBeforeComputing) {
    calc.TypeInBox(kReactants, 1, "4");
    calc.TypeInBox(kReactants, 2, "abc");
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).caption, "Datos no válidos");
    EXPECT_EQ(test::LastMessage(port).text,
              "Cantidad no válida para O2: abc; use números como 1.04 o 1,04");
    calc.TypeInBox(kReactants, 1, "-4");
    calc.TypeInBox(kReactants, 2, "");
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).text,
              "Cantidad no válida para H2: -4; no puede ser negativa");
    calc.TypeInBox(kReactants, 1, "");
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).caption, "Ningún dato válido");
    EXPECT_EQ(test::LastMessage(port).text, "Hay que introducir al menos 1 dato");
    EXPECT_EQ(test::LastMessage(port).icon, MessageIcon::Exclamation);
    EXPECT_FALSE(calc.HasResults());
}

TEST_F(CalculationModelTest, AmountsTooLargeForANumberAreRefused) {
    calc.TypeInBox(kReactants, 1, "1e308");
    UnitInputs in = Inputs();
    ASSERT_TRUE(
        calc.AcceptUnit(kProducts, 1, AmountUnit::LitreNormal, in, port));  // x 22.4 overflows
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).text,
              "Con estas cantidades algún resultado no cabe en un número: use cantidades menores");
    EXPECT_FALSE(calc.HasResults());
}

TEST_F(CalculationModelTest, AGasWithoutConditionsIsNotCalculated) {
    UnitInputs gas = Inputs();
    gas.pressure = "1";
    gas.temperature = "20";
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, AmountUnit::LitrePT, gas, port));
    gas.pressure = "0";
    EXPECT_FALSE(calc.AcceptGasConditions(kProducts, 1, gas));
    EXPECT_FALSE(calc.GasSet(kProducts, 1));
    calc.TypeInBox(kReactants, 1, "4");
    EXPECT_FALSE(calc.Calculate(water, port));
    EXPECT_EQ(test::LastMessage(port).caption, "Unidad no definida");
    EXPECT_EQ(test::LastMessage(port).text, "H2O: Hay que entrar P y T");
}

TEST_F(CalculationModelTest, PurityLimits) {
    UnitInputs in = Inputs();
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, AmountUnit::Gram, in, port));
    EXPECT_EQ(calc.Qualifier(1), "");
    EXPECT_EQ(calc.Purity(1), 100);
    in.purity = "80";
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, AmountUnit::Gram, in, port));
    EXPECT_EQ(calc.Qualifier(1), " 80%");
    in.purity = "85,5";  // a decimal comma is a number too
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, AmountUnit::Gram, in, port));
    EXPECT_EQ(calc.Purity(1), 85.5);
    EXPECT_TRUE(port.messages.empty());
    for (const char* bad : {"0", "101", "-5"}) {
        in.purity = bad;
        EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, AmountUnit::Gram, in, port)) << bad;
        EXPECT_EQ(test::LastMessage(port).caption, "Valor fuera de rango");
        EXPECT_EQ(test::LastMessage(port).text, "% de pureza de H2: " + std::string(bad) +
                                                    "; ha de ser mayor que 0 y como mucho 100");
    }
    EXPECT_EQ(port.messages.size(), 3u);  // one message a refusal
    EXPECT_EQ(calc.Purity(1), 85.5);      // a refused purity leaves the slot as it was
    in.purity = "abc";
    EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, AmountUnit::Gram, in, port));
    EXPECT_EQ(test::LastMessage(port).caption, "Datos no válidos");
    EXPECT_EQ(test::LastMessage(port).text, "% de pureza de H2: abc; use números como 1.04 o 1,04");
}

TEST_F(CalculationModelTest, GasAtCelsiusAndKiloPascals) {
    UnitInputs in = Inputs();
    in.pressure = "101.3";
    in.pressureUnit = PressureUnit::KPa;
    in.temperature = "25";
    ASSERT_TRUE(calc.AcceptUnit(kProducts, 1, AmountUnit::LitrePT, in, port));
    EXPECT_EQ(calc.Gas(kProducts, 1).temperature, 298);
    EXPECT_DOUBLE_EQ(GasFactor(calc.Gas(kProducts, 1)), 101.3 / 298 / 8.31);
    EXPECT_EQ(calc.UnitText(kProducts, 1), "L a 101kPa y 298K");
    const struct {
        const char* pressure;
        const char* temperature;
        const char* message;
    } refused[] = {
        {"0", "20", "P de H2O: 0; ha de ser mayor que 0"},
        {"1", "-300", "T de H2O: -300 °C; ha de ser mayor que 0 K (-273 °C)"},
        {"x", "20", "P de H2O: x; use números como 1.04 o 1,04"},
        {"1", "", "T de H2O: ; use números como 1.04 o 1,04"},
    };
    for (const auto& r : refused) {
        in.pressure = r.pressure;
        in.temperature = r.temperature;
        in.pressureUnit = PressureUnit::Atm;
        EXPECT_FALSE(calc.AcceptUnit(kProducts, 1, AmountUnit::LitrePT, in, port));
        EXPECT_EQ(test::LastMessage(port).text, r.message);
        EXPECT_FALSE(calc.GasSet(kProducts, 1));
    }
    EXPECT_EQ(port.messages.size(), std::size(refused));
}

TEST_F(CalculationModelTest, OkAndEnterTakeTheSameMolarities) {
    UnitInputs in = Inputs();
    in.molarity = "0,5";
    EXPECT_TRUE(calc.AcceptUnit(kReactants, 1, AmountUnit::Solution, in, port));
    EXPECT_EQ(calc.Qualifier(1), " 0.5M");
    EXPECT_TRUE(calc.EnterMolarity(1, "2", port));
    EXPECT_EQ(calc.Molarity(1), 2);
    EXPECT_EQ(calc.Qualifier(1), " 2M");
    for (const char* bad : {"11", "0", "-1"}) {
        in.molarity = bad;
        EXPECT_FALSE(calc.AcceptUnit(kReactants, 1, AmountUnit::Solution, in, port)) << bad;
        const std::string byOk = test::LastMessage(port).text;
        EXPECT_FALSE(calc.EnterMolarity(1, bad, port)) << bad;
        EXPECT_EQ(test::LastMessage(port).text, byOk);
        EXPECT_EQ(byOk,
                  "M de H2: " + std::string(bad) + "; ha de ser mayor que 0 y menor que 11 mol/L");
    }
    EXPECT_EQ(calc.Molarity(1), 2);
    EXPECT_FALSE(calc.AcceptUnit(kProducts, 1, AmountUnit::Solution, in, port));  // reactants only
}

// Through the main window's model: leaving calculation mode and coming back starts clean.
TEST(MainModelCalculation, ComingBackStartsClean) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    MainModel model(table, port);
    model.LineText(EditLine::Equation) = "H2+O2=H2O";
    model.EnterEquationLine();
    ASSERT_TRUE(model.AutoAdjust());
    model.EnterCalculation();
    model.TypeAmount(kReactants, 1, "4");
    model.Calculate();
    ASSERT_TRUE(model.ResultsReady());
    EXPECT_EQ(model.Selection(kReactants), std::optional<std::size_t>(1));
    const int generation = model.CalculationGeneration();
    model.TypeAmount(kReactants, 1, "4");  // the same text: nothing changed
    EXPECT_TRUE(model.ResultsReady());
    model.TypeAmount(kReactants, 1, "5");
    EXPECT_FALSE(model.ResultsReady());
    EXPECT_GT(model.CalculationGeneration(), generation);
    model.Calculate();
    EXPECT_EQ(model.Problem().result.extent, model.Calculation().Result().extent);
    EXPECT_EQ(model.Problem().data[kReactants][0].amount, 5.0);

    model.NewReaction();
    model.LineText(EditLine::Equation) = "H2+O2=H2O";
    model.EnterEquationLine();
    ASSERT_TRUE(model.AutoAdjust());
    model.EnterCalculation();
    EXPECT_FALSE(model.Calculation().HasResults());
    EXPECT_EQ(model.Calculation().Box(kReactants, 1).text, "");
}

}  // namespace
}  // namespace tovel
