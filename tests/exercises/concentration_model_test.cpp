#include "exercises/concentration_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/language.h"
#include "core/number_format.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using F = ConcentrationField;
using K = ConcentrationKind;

class ConcentrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.Open(true);
        model.ChooseCompound("NaCl");
    }
    void Type(K kind, const std::string& text) {
        model.Fields()[FieldOf(kind)] = text;
        model.ConcentrationTyped(kind);
    }
    void TypePreparation(F field, const std::string& text) {
        model.Fields()[field] = text;
        model.PreparationTyped(field);
    }
    const std::string& Shown(F field) const { return model.Fields()[field]; }
    // The concentration and preparation fields, "|"-separated in window order.
    std::string Results() const {
        std::string all;
        for (const F f : {F::Molarity, F::Molality, F::GramsPerLitre, F::MassPercent,
                          F::SoluteGrams, F::SolutionMillilitres, F::SolventGrams}) {
            all += Shown(f) + "|";
        }
        all.pop_back();
        return all;
    }

    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    ConcentrationModel model{table, port};
};

TEST_F(ConcentrationTest, ChoosingACompoundGivesItsMolarMass) {
    EXPECT_TRUE(model.InputsEnabled());
    EXPECT_EQ(Shown(F::MolarMass), "58.44");
    model.CompoundTyped();
    EXPECT_EQ(Shown(F::MolarMass), "");
    model.ChooseCompound("Na Cl");
    EXPECT_FALSE(model.InputsEnabled());
    ASSERT_EQ(port.messages.size(), 1u);  // the parser's message says it all
    EXPECT_EQ(test::LastMessage(port).text, "Carácter \" \" no válido en la posición 3 de Na Cl");
    model.ChooseCompound(" ");
    EXPECT_EQ(test::LastMessage(port).caption, "Error");
    EXPECT_EQ(test::LastMessage(port).text, "Fórmula incorrecta");
}

TEST_F(ConcentrationTest, AHydrateGivesTheConcentrationsOfItsSalt) {
    model.ChooseCompound("CuSO4·5H2O");
    EXPECT_EQ(Shown(F::MolarMass), "249.7");
    model.Fields()[F::Density] = "1.02";
    Type(K::Molarity, "0.1");
    model.Calculate();
    // Worked by hand with CuSO4 159.6 g/mol: 25.0 g of the hydrate weighed, 15.96 g/l, 1.56 %,
    // 0.0996 mol/kg, 1020 - 25.0 = 995 g of water added.
    EXPECT_EQ(Results(), "0.1|" + FormatSignificant(0.0996, 3) + "|16.0|1.56|25.0|1000|995");
    const CaseText text = model.ComposedCase();
    EXPECT_EQ(text.answer.rfind("R:\r\nEl agua de cristalización del CuSO4·5H2O pasa al "
                                "disolvente: las concentraciones son de CuSO4 (159.6 g/mol).\r\n"
                                "Pesando 25.0 g de CuSO4·5H2O",
                                0),
              0u)
        << text.answer;
}

TEST_F(ConcentrationTest, AnIonOrTheElectronIsNoSolute) {
    for (const char* ion : {"Cu^2+", "SO4^2-", "e^-"}) {
        model.ChooseCompound(ion);
        EXPECT_FALSE(model.InputsEnabled()) << ion;
        EXPECT_EQ(test::LastMessage(port).caption, "No podemos calcular");
    }
    EXPECT_EQ(port.messages[0].text,
              "Cu^2+ es un ion, y un ion no se disuelve solo: se disuelve la sal que lo contiene, "
              "por ejemplo CuSO4 para Cu^2+ o NaCl para Cl^-");
    EXPECT_EQ(test::LastMessage(port).text,
              "El electrón no se disuelve: el soluto es una sustancia, por ejemplo CuSO4");
}

TEST_F(ConcentrationTest, WithoutElementTableTheMolarMassIsTyped) {
    ConcentrationModel other{table, port};
    other.Open(false);
    other.ChooseCompound("NaCl");
    EXPECT_EQ(test::LastMessage(port).caption, "No hallado: elements.dat");
    EXPECT_EQ(test::LastMessage(port).text, "No se podrá calcular masas molares");
    EXPECT_TRUE(other.InputsEnabled());
    other.Fields()[F::MolarMass] = "58.44";
    other.Fields()[F::Molarity] = "1";
    other.ConcentrationTyped(K::Molarity);
    other.Calculate();
    EXPECT_EQ(other.Fields()[F::GramsPerLitre], "58.4");
}

TEST_F(ConcentrationTest, OpeningLeavesTheProgramLanguageAlone) {
    SetLanguageIndex(Language::English);
    model.Open(true);
    EXPECT_EQ(LanguageIndex(), Language::English);
    SetLanguageIndex(Language::Spanish);
}

TEST_F(ConcentrationTest, OneMolarSodiumChloride) {
    Type(K::Molality, "3");
    Type(K::Molarity, "1");
    EXPECT_EQ(Shown(F::Molality), "");  // typing empties the other concentrations
    model.Calculate();
    EXPECT_EQ(Results(), "1||58.4||58.4|1000|");
    EXPECT_TRUE(model.CaseStored());

    model.Fields()[F::Density] = "1.04";
    model.Calculate();
    EXPECT_EQ(Shown(F::Molality), FormatSignificant(1 / (1.04 - 0.05844), 3));
    EXPECT_EQ(Shown(F::MassPercent), FormatSignificant(58.44 / 1.04 / 10, 3));
    EXPECT_EQ(Shown(F::SolventGrams), FormatSignificant(1040 - 58.44, 3));
}

TEST_F(ConcentrationTest, PreparationWithSolventAndDensity) {
    model.Fields()[F::Density] = "1.1";
    TypePreparation(F::SoluteGrams, "10");
    TypePreparation(F::SolventGrams, "90");
    model.Prepare();
    EXPECT_EQ(Shown(F::GramsPerLitre), "110");
    EXPECT_EQ(Shown(F::SolutionMillilitres), FormatSignificant(100 / 1.1, 3));
    EXPECT_EQ(Shown(F::MassPercent), "10.0");
    EXPECT_TRUE(model.CaseStored());
    EXPECT_EQ(model.CaseType(), CaseKind::PreparationGiven);
}

// A calculation shows what it gave and nothing of one before it.
TEST_F(ConcentrationTest, NoResultOutlivesTheCalculationThatGaveIt) {
    model.Fields()[F::Density] = "1.04";
    Type(K::Molarity, "1");
    model.Calculate();
    ASSERT_EQ(Shown(F::Molality), "1.02");
    model.Fields()[F::Density] = "";
    model.Calculate();
    EXPECT_EQ(Results(), "1||58.4||58.4|1000|");

    model.Fields()[F::Density] = "1.1";
    TypePreparation(F::SoluteGrams, "10");
    TypePreparation(F::SolventGrams, "90");
    model.Prepare();
    ASSERT_EQ(Shown(F::Molarity), "1.88");
    model.Fields()[F::Density] = "";
    model.Prepare();
    EXPECT_EQ(Results(), "|1.90||10.0|10||90");
}

TEST_F(ConcentrationTest, LinkClearingBetweenTheTwoGroups) {
    // On at the start: one preparation quantity empties the other and the concentrations.
    Type(K::Molarity, "1");
    TypePreparation(F::SolventGrams, "90");
    EXPECT_EQ(Shown(F::Molarity), "");
    TypePreparation(F::SolutionMillilitres, "250");
    EXPECT_EQ(Shown(F::SolventGrams), "");
    EXPECT_EQ(model.GivenQuantity(), PreparationQuantity::SolutionMillilitres);
    TypePreparation(F::SoluteGrams, "10");
    model.Prepare();
    EXPECT_FALSE(model.LinkClearing());
    // Off after "ok": both quantities stay, and so do the concentrations.
    TypePreparation(F::SolventGrams, "90");
    EXPECT_EQ(Shown(F::SolutionMillilitres), "250");
    EXPECT_EQ(Shown(F::Molarity), "0.684");
    EXPECT_EQ(model.GivenQuantity(), PreparationQuantity::SolventGrams);
    // On again after "Calc"; typing a concentration always empties the preparation.
    Type(K::GramsPerLitre, "20");
    EXPECT_EQ(Shown(F::SoluteGrams), "");
    EXPECT_EQ(model.CaseType(), CaseKind::ConcentrationGiven);
    model.Calculate();
    EXPECT_TRUE(model.LinkClearing());
    TypePreparation(F::SolventGrams, "5");
    EXPECT_EQ(Shown(F::SolutionMillilitres), "");
}

TEST_F(ConcentrationTest, MessagesThatLetTheCalculationGoOnOrStopIt) {
    TypePreparation(F::SoluteGrams, "10");
    model.Prepare();  // no quantity of solution or solvent
    EXPECT_EQ(test::LastMessage(port).text, "Faltan datos válidos");
    model.Fields()[F::MolarMass] = "abc";
    Type(K::Molarity, "1");
    model.Calculate();
    EXPECT_EQ(test::LastMessage(port).caption, "No podemos calcular");
    EXPECT_EQ(test::LastMessage(port).text,
              "Masa molar no válida: abc; use números como 1.04 o 1,04");
    EXPECT_FALSE(model.CaseStored());
    EXPECT_EQ(Shown(F::GramsPerLitre), "");
    model.Fields()[F::MolarMass] = "58.44";
    model.Fields()[F::Density] = "1.0.4";
    model.Calculate();
    EXPECT_EQ(test::LastMessage(port).caption, "Densidad incorrecta");
    EXPECT_EQ(test::LastMessage(port).text,
              "No se tendrá en cuenta: 1.0.4; use números como 1.04 o 1,04");
    EXPECT_EQ(Shown(F::Density), "");
    EXPECT_EQ(Shown(F::GramsPerLitre), "58.4");  // computed without density
    EXPECT_TRUE(model.CaseStored());
}

// Data without a solution are refused before anything is computed: one message naming the
// field, no result, nothing to store.
TEST_F(ConcentrationTest, RefusedUpFront) {
    const struct {
        std::optional<K> kind;  // none: the preparation amounts
        std::string value;
        std::string density;
        std::string text;
    } cases[] = {
        {K::MassPercent, "150", "1.04", "% en masa: ha de ser mayor que 0 y menor que 100"},
        {K::Molarity, "0", "", "Molaridad: ha de ser mayor que 0"},
        {K::Molality, "-2", "1.1", "molalidad: ha de ser mayor que 0"},
        {K::GramsPerLitre, "0", "", "g/l: ha de ser mayor que 0"},
        {K::Molarity, "1", "0", "Densidad disolución: ha de ser mayor que 0"},
        {K::Molarity, "1", "0.05844",
         "Densidad disolución: ha de ser mayor que 0.0584 g/ml (los g de soluto por ml)"},
        {std::nullopt, "30", "2.5",
         "Densidad disolución: ha de ser mayor que 3.00 g/ml (los g de soluto por ml)"},
        {std::nullopt, "0", "", "Faltan datos válidos"},
        {std::nullopt, "10", "-1", "Densidad disolución: ha de ser mayor que 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value + " " + c.density);
        model.Fields()[F::Density] = c.density;
        if (c.kind) {
            Type(*c.kind, c.value);
            model.Calculate();
        } else {
            TypePreparation(F::SoluteGrams, c.value);
            TypePreparation(F::SolutionMillilitres, "10");
            model.Prepare();
        }
        ASSERT_FALSE(port.messages.empty());
        EXPECT_EQ(test::LastMessage(port).caption, "No podemos calcular");
        EXPECT_EQ(test::LastMessage(port).text, c.text);
        EXPECT_EQ(port.messages.size(), 1u);
        port.messages.clear();
        EXPECT_FALSE(model.CaseStored());
        EXPECT_EQ(Shown(F::Density), c.density);  // a wrong number stays for the user to correct
        const std::string expected = c.kind ? std::string(static_cast<int>(*c.kind) * 1, '|') +
                                                  c.value +
                                                  std::string(6 - static_cast<int>(*c.kind), '|')
                                            : "||||" + c.value + "|10|";
        EXPECT_EQ(Results(), expected);
    }
    // A case on screen is no longer offered once a calculation from changed data is refused.
    model.Fields()[F::Density] = "";
    Type(K::Molarity, "1");
    model.Calculate();
    ASSERT_TRUE(model.CaseStored());
    model.Fields()[F::Density] = "0.01";
    model.Calculate();
    EXPECT_FALSE(model.CaseStored());
}

TEST_F(ConcentrationTest, TheCaseStatesTheDensityItsResultsCameFrom) {
    model.Fields()[F::Density] = "1.04";
    Type(K::Molarity, "1");
    model.Calculate();
    model.Fields()[F::Density] = "1.2";
    const CaseText text = model.ComposedCase();
    EXPECT_NE(text.statement.find("Densidad de la disolución: 1.04 g/ml."), std::string::npos);
    EXPECT_EQ(text.answer.substr(text.answer.size() - 2), ". ");
}

// The statement's request depends on what the preparation gave and on the density.
TEST(ConcentrationCaseText, PreparationStatements) {
    const struct {
        PreparationQuantity quantity;
        std::string density;
        std::string statement;
    } cases[] = {
        {PreparationQuantity::SolventGrams, "",
         "Se prepara una disolución con 10 g de KCl y 90 g de agua.\r\nCalcular la concentración "
         "de la disolución expresada en: molalidad y % en masa."},
        {PreparationQuantity::SolutionMillilitres, "1.1",
         "Se prepara una disolución con 10 g de KCl hasta un volumen final de disolución de 250 "
         "ml.\r\nCalcular la concentración de la disolución expresada en: Molaridad, molalidad, "
         "g/l y % en masa.\r\nDensidad de la disolución: 1.1 g/ml."},
    };
    for (const auto& c : cases) {
        ConcentrationCase shown;
        shown.kind = CaseKind::PreparationGiven;
        shown.quantity = c.quantity;
        shown.formula = "KCl";
        shown.fields[F::SoluteGrams] = "10";
        shown.fields[F::SolventGrams] = "90";
        shown.fields[F::SolutionMillilitres] = "250";
        shown.fields[F::Density] = c.density;
        shown.fields[F::Molality] = "1.49";
        const CaseText text = ComposeCase(shown);
        EXPECT_EQ(text.statement, c.statement);
        EXPECT_EQ(text.answer, "R:\r\nm= 1.49 mol/kg. ");
    }
}

TEST_F(ConcentrationTest, SavedCasesFollowTwoEmptyLines) {
    Type(K::Molarity, "1");
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
        "C\xf3mo se debe preparar 1 l de disoluci\xf3n de M= 1 mol/l, de NaCl ?\r\nCalcular: los "
        "g/l, de esta "
        "disoluci\xf3n \r\nR:\r\nPesando 58.4 g de NaCl y a\xf1"
        "adiendo agua hasta un volumen total de 1 l, en un matraz aforado.\r\n58.4 g/l. \r\n";
    EXPECT_EQ(test::ReadBytes(path), one + one);
    EXPECT_EQ(port.choosers.size(), 2u);
}

}  // namespace
}  // namespace tovel
