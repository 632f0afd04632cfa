// The ion-electron method from the typed equation: every case of the hand-worked file, molecular
// skeletons included, and what the method must refuse rather than guess.

#include <gtest/gtest.h>

#include <cctype>

#include "core/balance.h"
#include "core/electrolytes.h"
#include "core/ion_electron_method.h"
#include "core/reaction.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

TEST(IonElectronMethod, EveryCaseWorkedByHand) {
    const std::string file =
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/ionelectron_cases.tsv");
    int checked = 0, molecular = 0;
    std::string failed;
    for (const std::string& line : Split(file, "\n")) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> c = Split(line, "\t");
        ASSERT_EQ(c.size(), 8u) << line;
        ++checked;
        const MediumChoice medium = c[1] == "basico" ? MediumChoice::Basic : MediumChoice::Acid;
        const IonElectronSolution s = SolveIonElectron(c[2], medium);
        std::string expected = "Semirreacción de oxidación: " + c[3] +
                               "\nSemirreacción de reducción: " + c[4] +
                               "\nEcuación iónica: " + c[5] + "\n";
        if (c[6] != "-") {
            expected += "Ecuación molecular: " + c[6] + "\n";
            ++molecular;
        }
        expected += "Electrones transferidos: " + c[7] + "\n";
        std::string got = s.error;
        for (const std::string& summary : IonElectronSummary(s))
            got += summary + "\n";
        if (got != expected) failed += c[0] + ":\n" + got + "expected\n" + expected + "\n";
    }
    EXPECT_GE(checked, 90);
    EXPECT_GE(molecular, 30);
    EXPECT_TRUE(failed.empty()) << failed;
}

// The main window's balance picks, among the balances atoms and charge allow, the one the
// electrons decide: the same equation the method gives, for every hand-worked case.
TEST(IonElectronMethod, TheMainBalanceAgreesWithTheMethod) {
    const std::string file =
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/ionelectron_cases.tsv");
    std::string failed;
    for (const std::string& line : Split(file, "\n")) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> c = Split(line, "\t");
        // The molecular equation, or the ionic one where the skeleton writes every species.
        const std::string& expected = c[6] != "-" ? c[6] : c[5];
        std::string skeleton = c[2];
        if (c[6] == "-") {  // the ionic equation with its coefficients left out
            skeleton.clear();
            for (const std::string& word : Split(c[5], " ")) {
                if (word.empty() || std::isdigit(static_cast<unsigned char>(word[0]))) continue;
                skeleton += word;
            }
        }
        Reaction r = test::ParsedReaction(skeleton);
        if (!BalanceReaction(r) || ReactionText(r) != expected)
            failed += c[0] + ": " + ReactionText(r) + " expected " + expected + "\n";
    }
    EXPECT_TRUE(failed.empty()) << failed;
}

TEST(Electrolytes, WhatDissolvesIntoIonsAndWhatStaysWhole) {
    struct Case {
        const char* formula;
        const char* kind;
        std::vector<IonCount> parts;
    };
    const Case cases[] = {
        {"H2SO4", "ácido fuerte", {{"H^+", 2}, {"SO4^2-", 1}}},
        {"HNO3", "ácido fuerte", {{"H^+", 1}, {"NO3^-", 1}}},
        {"Ca(OH)2", "base fuerte", {{"Ca^2+", 1}, {"OH^-", 2}}},
        {"KMnO4", "sal soluble", {{"K^+", 1}, {"MnO4^-", 1}}},
        {"K2MnO4", "sal soluble", {{"K^+", 2}, {"MnO4^2-", 1}}},  // the charge the cation leaves
        {"Fe2(SO4)3", "sal soluble", {{"Fe^3+", 2}, {"SO4^2-", 3}}},
        {"FeSO4", "sal soluble", {{"Fe^2+", 1}, {"SO4^2-", 1}}},
        {"SnCl4", "sal soluble", {{"Sn^4+", 1}, {"Cl^-", 4}}},
        {"(NH4)2SO4", "sal soluble", {{"NH4^+", 2}, {"SO4^2-", 1}}},
        {"CuSO4·5H2O", "sal soluble", {{"Cu^2+", 1}, {"SO4^2-", 1}, {"H2O", 5}}},
        {"Na2CO3", "sal soluble", {{"Na^+", 2}, {"CO3^2-", 1}}},  // alkali salts before any rule
        {"AgCl", "sal insoluble", {{"AgCl", 1}}},
        {"BaSO4", "sal insoluble", {{"BaSO4", 1}}},
        {"CaCO3", "sal insoluble", {{"CaCO3", 1}}},
        {"Fe(OH)3", "hidróxido insoluble", {{"Fe(OH)3", 1}}},
        {"H2S", "ácido débil", {{"H2S", 1}}},
        {"CH3COOH", "ácido débil", {{"CH3COOH", 1}}},
        {"MnO2", "óxido", {{"MnO2", 1}}},
        {"H2O", "agua", {{"H2O", 1}}},
        {"H2O2", "sustancia molecular", {{"H2O2", 1}}},
        {"C2H5OH", "sustancia molecular", {{"C2H5OH", 1}}},
        {"Cl2", "elemento", {{"Cl2", 1}}},
        {"MnO4^-", "ion", {{"MnO4^-", 1}}},
    };
    for (const Case& c : cases) {
        const Dissociation d = Dissociate(c.formula);
        EXPECT_TRUE(d.decided) << c.formula;
        EXPECT_EQ(d.kind, c.kind) << c.formula;
        EXPECT_EQ(d.parts, c.parts) << c.formula;
        EXPECT_EQ(d.ions, c.parts.size() > 1) << c.formula;
    }
    // A salt of an anion the rules do not name is not guessed.
    EXPECT_FALSE(Dissociate("FeSeO4").decided);
}

std::string Solved(const std::string& equation, MediumChoice medium = MediumChoice::FromEquation) {
    const IonElectronSolution s = SolveIonElectron(equation, medium);
    return s.solved ? IonElectronSummary(s).back() : s.error;
}

TEST(IonElectronMethod, SaysWhatItCannotDoAndGivesNoEquation) {
    EXPECT_EQ(Solved("NaOH + HCl = NaCl + H2O"),
              "Ningún número de oxidación cambia: no es una reacción redox");
    EXPECT_EQ(Solved("MnO4^- + Fe^2+ = Mn^2+ + Fe^3+"),
              "La ecuación no dice el medio: no lleva ácido fuerte ni H^+, ni base fuerte ni "
              "OH^-; elige medio ácido o básico");
    EXPECT_EQ(Solved("KMnO4 + KOH + H2SO4 = MnSO4 + K2SO4 + O2 + H2O"),
              "La ecuación lleva un ácido (H2SO4) y una base (KOH): elige el medio");
    EXPECT_EQ(Solved("Cl2 + KOH = KCl + KClO3 + H2O", MediumChoice::Acid),
              "Se eligió medio ácido, pero la ecuación lleva KOH, una base fuerte, que da medio "
              "básico");
    // Two products of one element are in no fixed ratio.
    EXPECT_EQ(Solved("Cu + HNO3 = Cu(NO3)2 + NO + NO2 + H2O"),
              "No se puede decidir cómo se emparejan las especies (Cu → Cu^2+, NO3^- → NO, "
              "NO3^- → NO2): el método ajusta una oxidación y una reducción");
    EXPECT_EQ(Solved("KMnO4 + FeSeO4 + H2SO4 = MnSO4 + Fe2(SeO4)3 + K2SO4 + H2O"),
              "No se sabe si FeSeO4 se disocia en agua: las reglas de solubilidad no lo dicen");
    // A spectator that cannot complete the molecular equation: no K on the right.
    EXPECT_EQ(Solved("KMnO4 + FeSO4 + H2SO4 = MnSO4 + Fe2(SO4)3 + H2O"),
              "No se puede volver a la ecuación molecular: los iones espectadores no se "
              "completan con estas sustancias de una sola manera");
    EXPECT_EQ(Solved("MnO4^- + Fe^2+ = Mn^2+ + Fe^3+ + e^-", MediumChoice::Acid),
              "La ecuación lleva electrones: escribe la reacción completa, sin e^-");
    EXPECT_EQ(Solved("MnO4^- + Fe^2+", MediumChoice::Acid),
              "Escribe la ecuación con un signo = entre reactivos y productos");
    EXPECT_EQ(Solved("Mn O4^- + Fe^2+ = Mn^2+ + Fe^3+", MediumChoice::Acid),
              "No se puede leer la fórmula Mn O4^-");
}

TEST(IonElectronMethod, ReadsTheEquationAsTheMainWindowWritesIt) {
    // Coefficients typed before the formulas are read past; the medium comes from the H^+.
    EXPECT_EQ(Solved("2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O"),
              "Electrones transferidos: 10");
    const IonElectronSolution s =
        SolveIonElectron("MnO4^- + H2O2 + H^+ = Mn^2+ + O2 + H2O", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(HalfReactionText(s.ionic.left, s.ionic.right),
              "2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O");
    EXPECT_EQ(s.steps.front().what, "Medio ácido: la ecuación lleva H^+");
    EXPECT_FALSE(s.molecular);
}

// The board as a teacher writes it: each step's words and what it leaves, in order.
TEST(IonElectronMethod, TheStepsOfAMolecularEquation) {
    const IonElectronSolution s = SolveIonElectron(
        "K2Cr2O7 + KI + H2SO4 = Cr2(SO4)3 + I2 + K2SO4 + H2O", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    std::vector<std::string> words;
    for (const MethodStep& step : s.steps)
        words.push_back(step.what);
    const std::vector<std::string> expected = {
        "Medio ácido: la ecuación lleva H2SO4, un ácido fuerte",
        "Se disocian los ácidos fuertes, las bases fuertes y las sales solubles",
        "Quedan sin disociar: I2 (elemento), H2O (agua)",
        "Ecuación iónica sin ajustar",
        "Se apartan las especies que no cambian (espectadores): K^+, SO4^2-",
        "Semirreacción de oxidación: I^- → I2 (I -1 → 0)",
        "Se ajusta el I, el elemento que cambia",
        "Se ajusta la carga con electrones",
        "Semirreacción de reducción: Cr2O7^2- → Cr^3+ (Cr +6 → +3)",
        "Se ajusta el Cr, el elemento que cambia",
        "Se ajusta el O con H2O",
        "Se ajusta el H con H^+",
        "Se ajusta la carga con electrones",
        "Se multiplica la oxidación por 3 y la reducción por 1: 6 electrones en cada una",
        "Se suman y se simplifica lo que está en los dos lados",
        "Se comprueba: Cr 2 = 2, H 14 = 14, I 6 = 6, O 7 = 7; carga +6 = +6",
        "Se vuelve a la ecuación molecular: cada ion de la ecuación iónica se une a su "
        "compañero con el mismo coeficiente, y los iones espectadores se completan",
        "Se comprueba átomo a átomo: Cr 2 = 2, H 14 = 14, I 6 = 6, K 8 = 8, O 35 = 35, S 7 = 7",
    };
    EXPECT_EQ(words, expected);
    EXPECT_EQ(s.steps[1].equations,
              (std::vector<std::string>{"K2Cr2O7 → 2 K^+ + Cr2O7^2-", "KI → K^+ + I^-",
                                        "H2SO4 → 2 H^+ + SO4^2-", "Cr2(SO4)3 → 2 Cr^3+ + 3 SO4^2-",
                                        "K2SO4 → 2 K^+ + SO4^2-"}));
    EXPECT_EQ(s.steps[3].equations.front(),
              "K^+ + Cr2O7^2- + I^- + H^+ + SO4^2- = Cr^3+ + SO4^2- + I2 + K^+ + H2O");
    EXPECT_EQ(s.steps.at(16).equations.front(),
              "K2Cr2O7 + 6 KI + 7 H2SO4 = Cr2(SO4)3 + 3 I2 + 4 K2SO4 + 7 H2O");
}

// One species oxidised in two of its elements is one half, each product by its element; a
// spectator ion that also changes (the Cl^- of HCl beside that of KCl) pairs where nothing else
// does; hydrogen is reduced from water in basic medium.
TEST(IonElectronMethod, SpeciesThatChangeTwiceOrAlsoStandBy) {
    IonElectronSolution s =
        SolveIonElectron("As2S3 + HNO3 + H2O = H3AsO4 + H2SO4 + NO", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(HalfReactionText(s.oxidation.left, s.oxidation.right),
              "As2S3 + 20 H2O = 2 H3AsO4 + 3 SO4^2- + 34 H^+ + 28 e^-");
    EXPECT_EQ(HalfReactionText(s.molecularLeft, s.molecularRight),
              "3 As2S3 + 28 HNO3 + 4 H2O = 6 H3AsO4 + 9 H2SO4 + 28 NO");
    s = SolveIonElectron("KClO3 + HCl = KCl + Cl2 + H2O", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(HalfReactionText(s.ionic.left, s.ionic.right),
              "ClO3^- + 5 Cl^- + 6 H^+ = 3 Cl2 + 3 H2O");
    EXPECT_EQ(HalfReactionText(s.molecularLeft, s.molecularRight),
              "KClO3 + 6 HCl = KCl + 3 Cl2 + 3 H2O");
    s = SolveIonElectron("Al + NaOH + H2O = NaAlO2 + H2", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(HalfReactionText(s.reduction.left, s.reduction.right), "2 H2O + 2 e^- = H2 + 2 OH^-");
    EXPECT_EQ(HalfReactionText(s.molecularLeft, s.molecularRight),
              "2 Al + 2 NaOH + 2 H2O = 2 NaAlO2 + 3 H2");
    // Halves that take no water, H^+ or OH^- need no medium.
    s = SolveIonElectron("Na2S2O3 + I2 = Na2S4O6 + NaI", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(s.steps.front().what,
              "El medio no influye: ninguna semirreacción necesita H2O, H^+ ni OH^-");
    EXPECT_EQ(HalfReactionText(s.molecularLeft, s.molecularRight),
              "2 Na2S2O3 + I2 = Na2S4O6 + 2 NaI");
    s = SolveIonElectron("FeS2 + O2 = Fe2O3 + SO2", MediumChoice::Acid);
    ASSERT_TRUE(s.solved) << s.error;
    EXPECT_EQ(HalfReactionText(s.ionic.left, s.ionic.right), "4 FeS2 + 11 O2 = 2 Fe2O3 + 8 SO2");
}

TEST(IonElectronMethod, HalfAWholeSpectatorIsTakenToTheSmallestWholeMultiple) {
    const IonElectronSolution s = SolveIonElectron(
        "KMnO4 + FeSO4 + H2SO4 = MnSO4 + Fe2(SO4)3 + K2SO4 + H2O", MediumChoice::FromEquation);
    ASSERT_TRUE(s.solved) << s.error;
    const auto back = std::find_if(s.steps.begin(), s.steps.end(), [](const MethodStep& step) {
        return step.what.rfind("Se vuelve", 0) == 0;
    });
    ASSERT_NE(back, s.steps.end());
    EXPECT_NE(back->what.find("; saldrían 5/2 Fe2(SO4)3 y 1/2 K2SO4: se toma el menor múltiplo "
                              "entero, multiplicando todo por 2"),
              std::string::npos)
        << back->what;
    // The electrons are those of the net ionic equation, as the board gives them.
    EXPECT_EQ(s.electrons, 5);
}

}  // namespace
}  // namespace tovel
