#include <gtest/gtest.h>

#include <filesystem>

#include "concentration_model.h"
#include "number_format.h"
#include "test_support.h"

namespace tovel {
namespace {

class ConcentrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.Open(true);
        model.ChooseCompound("NaCl");
    }
    void Type(int kind, const std::string& text) {
        model.Fields().concentrations[kind] = text;
        model.ConcentrationTyped(kind);
    }
    void TypePreparation(int field, const std::string& text) {
        model.Fields().preparation[field] = text;
        model.PreparationTyped(field);
    }
    const ConcentrationFields& F() const { return model.Fields(); }

    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    ConcentrationModel model{table, port};
};

TEST_F(ConcentrationTest, ChoosingACompoundGivesItsMolarMass) {
    EXPECT_TRUE(model.InputsEnabled());
    EXPECT_EQ(F().molarMass, "58.44");
    model.CompoundTyped();
    EXPECT_EQ(F().molarMass, "");
    model.ChooseCompound("Na Cl");
    EXPECT_FALSE(model.InputsEnabled());
    EXPECT_EQ(port.messages.back().caption, "Error");
    EXPECT_EQ(port.messages.back().text, "Fórmula incorrecta");
}

TEST_F(ConcentrationTest, WithoutElementTableTheMolarMassIsTyped) {
    ConcentrationModel other{table, port};
    other.Open(false);
    other.ChooseCompound("NaCl");
    EXPECT_EQ(port.messages.back().caption, "No hallado: elements.dat");
    EXPECT_EQ(port.messages.back().text, "No se podrá calcular masas molares");
    EXPECT_TRUE(other.InputsEnabled());
    other.Fields().molarMass = "58.44";
    other.Fields().concentrations[kMolarity] = "1";
    other.ConcentrationTyped(kMolarity);
    other.Calculate();
    EXPECT_EQ(other.Fields().concentrations[kGramsPerLitre], "58.4");
}

TEST_F(ConcentrationTest, OneMolarSodiumChloride) {
    Type(kMolality, "3");
    Type(kMolarity, "1");
    EXPECT_EQ(F().concentrations[kMolality], "");  // typing empties the other concentrations
    model.Calculate();
    EXPECT_EQ(F().concentrations[kGramsPerLitre], "58.4");
    EXPECT_EQ(F().preparation[kSoluteGrams], "58.4");
    EXPECT_EQ(F().preparation[kSolutionMillilitres], "1000");
    EXPECT_EQ(F().concentrations[kMolality], "");
    EXPECT_EQ(F().concentrations[kMassPercent], "");
    EXPECT_EQ(F().preparation[kSolventGrams], "");
    EXPECT_TRUE(model.CaseStored());

    model.Fields().density = "1.04";
    model.Calculate();
    EXPECT_EQ(F().concentrations[kMolality], FormatSignificant(1 / (1.04 - 0.05844), 3));
    EXPECT_EQ(F().concentrations[kMassPercent], FormatSignificant(58.44 / 1.04 / 10, 3));
    EXPECT_EQ(F().preparation[kSolventGrams], FormatSignificant(1040 - 58.44, 3));
}

TEST_F(ConcentrationTest, PreparationWithSolventAndDensity) {
    model.Fields().density = "1.1";
    TypePreparation(kSoluteGrams, "10");
    TypePreparation(kSolventGrams, "90");
    model.Prepare();
    EXPECT_EQ(F().concentrations[kGramsPerLitre], "110");
    EXPECT_EQ(F().preparation[kSolutionMillilitres], FormatSignificant(100 / 1.1, 3));
    EXPECT_EQ(F().concentrations[kMassPercent], "10.0");
    EXPECT_TRUE(model.CaseStored());
    EXPECT_EQ(model.CaseType(), 1);
}

TEST_F(ConcentrationTest, LinkClearingBetweenTheTwoGroups) {
    // On at the start: one preparation quantity empties the other and the concentrations.
    Type(kMolarity, "1");
    TypePreparation(kSolventGrams, "90");
    EXPECT_EQ(F().concentrations[kMolarity], "");
    TypePreparation(kSolutionMillilitres, "250");
    EXPECT_EQ(F().preparation[kSolventGrams], "");
    EXPECT_EQ(model.PreparationQuantity(), kSolutionMillilitres);
    TypePreparation(kSoluteGrams, "10");
    model.Prepare();
    EXPECT_FALSE(model.LinkClearing());
    // Off after "ok": both quantities stay, and so do the concentrations.
    TypePreparation(kSolventGrams, "90");
    EXPECT_EQ(F().preparation[kSolutionMillilitres], "250");
    EXPECT_EQ(F().concentrations[kMolarity], "0.684");
    EXPECT_EQ(model.PreparationQuantity(), kSolventGrams);
    // On again after "Calc"; typing a concentration always empties the preparation.
    Type(kGramsPerLitre, "20");
    EXPECT_EQ(F().preparation[kSoluteGrams], "");
    model.Calculate();
    EXPECT_TRUE(model.LinkClearing());
    TypePreparation(kSolventGrams, "5");
    EXPECT_EQ(F().preparation[kSolutionMillilitres], "");
}

TEST_F(ConcentrationTest, RefusalsAndMessages) {
    TypePreparation(kSoluteGrams, "10");
    model.Prepare();  // no quantity of solution or solvent
    EXPECT_EQ(port.messages.back().text, "Faltan datos válidos");
    model.Fields().molarMass = "abc";
    Type(kMolarity, "1");
    model.Calculate();
    EXPECT_EQ(port.messages.back().caption, "No podemos calcular");
    EXPECT_EQ(port.messages.back().text, "Masa molar no válida");
    EXPECT_FALSE(model.CaseStored());
    EXPECT_EQ(F().concentrations[kGramsPerLitre], "");
    model.Fields().molarMass = "58.44";
    model.Fields().density = "-1";
    model.Calculate();
    EXPECT_EQ(port.messages[port.messages.size() - 1].caption, "Densidad incorrecta");
    EXPECT_EQ(port.messages.back().text, "No se tendrá en cuenta");
    EXPECT_EQ(F().density, "");
    EXPECT_EQ(F().concentrations[kGramsPerLitre], "58.4");  // computed without density
}

TEST_F(ConcentrationTest, NoInfiniteOrNegativeResults) {
    model.Fields().density = "0.05844";  // exactly the grams of solute per millilitre
    Type(kMolarity, "1");
    model.Calculate();
    EXPECT_EQ(F().concentrations[kMolality], "");
    EXPECT_EQ(F().preparation[kSolventGrams], "0.000");
    EXPECT_NE(port.messages.back().text.find("molalidad"), std::string::npos);
    model.Fields().density = "0.01";
    model.Calculate();
    EXPECT_EQ(F().preparation[kSolventGrams], "");  // would be negative
}

TEST_F(ConcentrationTest, SavedCasesFollowTwoEmptyLines) {
    Type(kMolarity, "1");
    model.Calculate();
    const std::string dir = test::TempDir();
    const std::string path = dir + "/casos.txt";
    port.files = {path, path};
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    model.SaveCase();
    model.SaveCase();
    std::filesystem::current_path(before);
    const std::string one =
        "\r\n\r\n\xbf"
        "C\xf3mo se debe preparar 1 l de disoluci\xf3n de M= 1 mol/l, de NaCl ?\r\nCalcular: los g/l, de esta "
        "disoluci\xf3n \r\nR:\r\nPesando 58.4 g de NaCl y a\xf1"
        "adiendo agua hasta un volumen total de 1 l, en un matraz aforado.\r\n58.4 g/l. \r\n";
    EXPECT_EQ(test::ReadBytes(path), one + one);
    EXPECT_EQ(port.choosers.size(), 2u);
}

}  // namespace
}  // namespace tovel
