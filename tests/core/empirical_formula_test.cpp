#include <gtest/gtest.h>

#include <sstream>

#include "core/empirical_formula.h"
#include "core/percent_composition.h"
#include "core/text_utils.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

std::vector<std::vector<std::string>> Cases(const std::string& name) {
    std::istringstream file(test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/" + name));
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#') rows.push_back(SplitAt(line, '\t'));
    }
    return rows;
}

// "C=40.0;H=6.7" as the elements and their amounts.
std::vector<ElementAmount> Amounts(const std::string& text) {
    std::vector<ElementAmount> amounts;
    for (const std::string& pair : SplitAt(text, ';')) {
        const auto equals = pair.find('=');
        amounts.push_back({pair.substr(0, equals), std::stod(pair.substr(equals + 1))});
    }
    return amounts;
}

class FormulaCases : public ::testing::Test {
  protected:
    ElementTable table = test::DefaultElements();
};

TEST_F(FormulaCases, EveryCompositionWorkedByHand) {
    const auto cases = Cases("composition_cases.tsv");
    ASSERT_GE(cases.size(), 10u);
    for (const auto& c : cases) {
        const Composition result = PercentComposition(c[0], table);
        ASSERT_EQ(result.error, "") << c[0];
        const std::vector<ElementAmount> expected = Amounts(c[1]);
        ASSERT_EQ(result.elements.size(), expected.size()) << c[0];
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(result.elements[i].symbol, expected[i].symbol) << c[0];
            EXPECT_NEAR(result.elements[i].percent, expected[i].value, 0.05) << c[0];
        }
        EXPECT_NEAR(result.waterPercent, c[2] == "-" ? 0 : std::stod(c[2]), 0.05) << c[0];
    }
    // The working as it is written: the sum of the masses, then each share.
    const Composition blue = PercentComposition("CuSO4·5H2O", table);
    EXPECT_EQ(blue.steps.front(),
              "M(CuSO4·5H2O) = 63.55 + 32.06 + 9·16.00 + 10·1.008 = 249.7 g/mol");
    EXPECT_EQ(blue.steps[1], "%Cu = 63.55 / 249.7 · 100 = 25.45 %");
    EXPECT_EQ(blue.steps.back(), "% de agua = 5·18.02 / 249.7 · 100 = 36.08 %");
}

TEST_F(FormulaCases, EveryEmpiricalAndMolecularFormulaWorkedByHand) {
    const auto cases = Cases("empirical_cases.tsv");
    ASSERT_GE(cases.size(), 25u);
    for (const auto& c : cases) {
        const double molar = c[2] == "-" ? 0 : std::stod(c[2]);
        EmpiricalResult result;
        if (c[0] == "combustion") {
            const std::vector<ElementAmount> v = Amounts(c[1]);
            result = CombustionFormula({v[0].value, v[1].value, v[2].value, molar}, table);
        } else {
            result = EmpiricalFormula({Amounts(c[1]), c[0] == "grams", molar}, table);
        }
        EXPECT_EQ(result.error, "") << c[1];
        EXPECT_EQ(result.empirical, c[3]) << c[1];
        EXPECT_EQ(result.molecular, c[4] == "-" ? "" : c[4]) << c[1];
    }
}

TEST_F(FormulaCases, EveryHydrateWorkedByHand) {
    const auto cases = Cases("hydrate_cases.tsv");
    ASSERT_GE(cases.size(), 5u);
    for (const auto& c : cases) {
        HydrateInput input{c[0]};
        if (const auto arrow = c[1].find('>'); arrow != std::string::npos) {
            input.masses = true;
            input.before = std::stod(c[1].substr(0, arrow));
            input.after = std::stod(c[1].substr(arrow + 1));
        } else {
            input.lossPercent = std::stod(c[1]);
        }
        const HydrateResult result = HydrateFromLoss(input, table);
        EXPECT_EQ(result.error, "") << c[0] << " " << c[1];
        EXPECT_EQ(result.water, std::stoi(c[2])) << c[0] << " " << c[1];
        EXPECT_EQ(result.formula, c[0] + "·" + c[2] + "H2O") << c[0];
    }
}

// Nonsense is refused naming the field, never answered.
TEST_F(FormulaCases, RefusalsNameTheField) {
    const auto error = [&](const CompositionInput& input) {
        return EmpiricalFormula(input, table).error;
    };
    EmpiricalResult off = EmpiricalFormula({{{"C", 40}, {"H", 6.7}, {"O", 51.3}}}, table);
    EXPECT_EQ(off.error, "Los porcentajes suman 98.00 %, y han de sumar 100 (entre 99.5 y 100.5)");
    EXPECT_TRUE(off.percentSumOff);
    // Accepted, they are shared out over 100 and the working says so.
    off = EmpiricalFormula({{{"C", 40}, {"H", 6.7}, {"O", 51.3}}, false, 0, true}, table);
    EXPECT_EQ(off.empirical, "CH2O");
    EXPECT_EQ(off.steps.front().rfind("Los porcentajes suman 98.00 %: se reparten sobre 100", 0),
              0u);
    EXPECT_EQ(error({{{"C", 0}, {"H", 1}}, true}), "La cantidad de C ha de ser mayor que cero");
    EXPECT_EQ(error({{{"C", -2}, {"H", 1}}, true}), "La cantidad de C ha de ser mayor que cero");
    EXPECT_EQ(error({{{"Xx", 50}, {"O", 50}}}),
              "El elemento \"Xx\" no está en la tabla de elementos");
    EXPECT_EQ(error({{{"C", 50}, {"C", 50}}}),
              "El elemento C está dos veces: dé una cantidad de cada uno");
    EXPECT_EQ(error({}), "Faltan los elementos y sus cantidades");
    // 1 : 1.45 is neither whole nor cleared by any multiplier up to 6.
    EXPECT_NE(error({{{"C", 1}, {"H", 1.45}}, true, 0}).find("Ninguna multiplicación por 1 a 6"),
              std::string::npos);
    EXPECT_NE(error({{{"C", 40.0}, {"H", 6.7}, {"O", 53.3}}, false, 100})
                  .find("no es un múltiplo entero de la de CH2O"),
              std::string::npos);
    EXPECT_EQ(error({{{"C", 40.0}, {"H", 6.7}, {"O", 53.3}}, false, -5}),
              "La masa molar ha de ser mayor que cero");
    EXPECT_EQ(error({{{"C", 1e-318}, {"O", 1e-318}}, false, 0, true}),
              "La cantidad de C ha de estar entre 1.000E-9 y 1.000E9");

    EXPECT_EQ(CombustionFormula({0, 3.6, 6.0, 0}, table).error,
              "Los gramos de CO2 han de ser mayores que cero");
    EXPECT_NE(CombustionFormula({8.8, 3.6, 1.0, 0}, table).error.find("pesan más que la muestra"),
              std::string::npos);

    EXPECT_EQ(HydrateFromLoss({"CuSO4", 120}, table).error,
              "La pérdida de masa ha de ser mayor que 0 y menor que 100 %");
    EXPECT_EQ(HydrateFromLoss({"CuSO4", 0, true, 3.0, 5.0}, table).error,
              "La masa tras calentar ha de ser mayor que cero y menor que la de antes");
    EXPECT_EQ(HydrateFromLoss({"CuSO4·5H2O", 36.1}, table).error,
              "Escriba la sal sin su agua: CuSO4");
    EXPECT_NE(HydrateFromLoss({"CuSO4", 30}, table).error.find("no está a menos de 0.1"),
              std::string::npos);
    EXPECT_NE(PercentComposition("Cu@", table).error.find("no vale"), std::string::npos);
    EXPECT_EQ(PercentComposition("e^-", table).error,
              "El electrón no tiene composición: no es un compuesto");
    EXPECT_EQ(PercentComposition("QqO", table).error,
              "El elemento Qq de QqO no está en la tabla de elementos");
}

TEST(SchoolOrder, CarbonCompoundsFirstCAndHThenTheMostElectropositiveFirst) {
    EXPECT_EQ(SchoolOrder({"O", "H", "C", "N"}), (std::vector<std::string>{"C", "H", "N", "O"}));
    EXPECT_EQ(SchoolOrder({"O", "S", "Na"}), (std::vector<std::string>{"Na", "S", "O"}));
    EXPECT_EQ(SchoolOrder({"Cl", "O"}), (std::vector<std::string>{"O", "Cl"}));
    EXPECT_EQ(SchoolOrder({"O", "C", "Ca"}), (std::vector<std::string>{"Ca", "C", "O"}));
}

}  // namespace
}  // namespace tovel
