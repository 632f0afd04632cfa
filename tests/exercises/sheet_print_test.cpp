// What a printed sheet changes in the program's texts: print typography, units apart from their
// numbers, and Spanish numbers; and what it leaves as it is: a formula's counts.

#include <gtest/gtest.h>

#include "exercises/sheet_typography.h"

namespace tovel {
namespace {

TEST(SheetPrint, ProseByPrintTypography) {
    struct Case {
        const char* typed;
        const char* printed;
    };
    const Case cases[] = {
        // "mol" names the quantity asked after "Los", a comma or "y"; after a number it is the
        // unit of an amount.
        {"Los mol de Fe2O3 obtenidos.", "Los moles de Fe2O3 obtenidos."},
        {"Los g de CaCl2, mol de H2O y mol de CO2 obtenidos.",
         "Los g de CaCl2, moles de H2O y moles de CO2 obtenidos."},
        {"Si han intervenido 0.500 mol de H2  y 3.00 mol de O2  calcula:",
         "Si han intervenido 0.500 mol de H2 y 3.00 mol de O2 calcula:"},
        {"Los mol de KCl que han de reaccionar .", "Los moles de KCl que han de reaccionar."},
        {"Si han intervenido 50.0 g de CaCO3 del 85.5% calcula:",
         "Si han intervenido 50.0 g de CaCO3 del 85.5 % calcula:"},
        {"M.A.:  H = 1.008, O = 16.00", "M.A.: H = 1.008, O = 16.00"},
        {"  Los mol de Cl^- obtenidos", "Los moles de Cl^- obtenidos"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintedProse(c.typed), c.printed) << c.typed;
}

TEST(SheetPrint, WorkingKeepsItsColumnsAndSetsUnitsApart) {
    EXPECT_EQ(PrintedWorking("O2\t0.992 x  1 = 0.992x 32.00g/mol = 31.7g\t -> 0.256 g final"),
              "O2\t0.992 x 1 = 0.992 x 32.00 g/mol = 31.7 g\t -> 0.256 g final");
    EXPECT_EQ(PrintedWorking("CaCO3:\t50.0 g x85.5/100 x 1 mol/100.1g = 0.427 mol"),
              "CaCO3:\t50.0 g x 85.5/100 x 1 mol/100.1 g = 0.427 mol");
    EXPECT_EQ(PrintedWorking("REACTIVO\tmoles reac.    -  cantidad\t\t\t\texceso (=ini-reac.)"),
              "REACTIVO\tmoles reac. - cantidad\t\t\t\texceso (=ini-reac.)");
    EXPECT_EQ(PrintedWorking("O2\t· R·373.0K/65.0kPa L/mol\t= 572L"),
              "O2\t· R·373.0 K/65.0 kPa L/mol\t= 572 L");
    EXPECT_EQ(PrintedWorking("= 1.38E3g"), "= 1.38E3 g");
    // Counts are no amounts: K2Cr2O7, Mg3N2, C2H5OH, a hydrate's water and an ion's charge stay.
    for (const char* formula :
         {"K2Cr2O7 + 14 HCl", "Mg3N2", "C2H5OH", "CuSO4·5H2O", "Fe^3+", "Li2O", "H2O2"})
        EXPECT_EQ(PrintedWorking(formula), formula);
    // An equation under its step keeps its indent.
    EXPECT_EQ(PrintedWorking("    MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O"),
              "    MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O");
}

TEST(SheetPrint, SpanishNumbers) {
    struct Case {
        const char* typed;
        const char* typeset;
        const char* plain;
    };
    const Case cases[] = {
        {"4.01E-2 mol", "4,01·10⁻² mol", "4,01·10^-2 mol"},
        {"= 1.5E3 g", "= 1,5·10³ g", "= 1,5·10^3 g"},
        {"6.02E+23", "6,02·10²³", "6,02·10^23"},
        {"H = 1.008, O = 16.00", "H = 1,008, O = 16,00", "H = 1,008, O = 16,00"},
        {"x85.5/100 x 1 mol/100.1 g", "x85,5/100 x 1 mol/100,1 g", "x85,5/100 x 1 mol/100,1 g"},
        // A full stop after a number is no decimal point; counts and seeds stay.
        {"Se obtienen 25. Fe2O3 y CuSO4·5H2O", "Se obtienen 25. Fe2O3 y CuSO4·5H2O",
         "Se obtienen 25. Fe2O3 y CuSO4·5H2O"},
        {"Semilla 4294967295", "Semilla 4294967295", "Semilla 4294967295"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpanishNumbers(c.typed), c.typeset) << c.typed;
        EXPECT_EQ(SpanishNumbers(c.typed, true), c.plain) << c.typed;
    }
}

TEST(SheetPrint, ThePrintedSheetAsChosen) {
    SheetText text;
    text.title = "Hoja  de prueba";
    text.statements = {{"Si han intervenido 4.01E-2 mol de H2  calcula:", "Los mol de H2O.", ""}};
    text.resolutions = {{"H2:\t4.01E-2 mol", "H2O\t= 0.722g"}};
    SheetAnswer answer;
    answer.label = "mol de H2O obtenidos";
    text.answers = {{answer}};

    const SheetText spanish = PrintedSheet(text, SheetNumbers::Spanish);
    EXPECT_EQ(spanish.title, "Hoja de prueba");
    EXPECT_EQ(spanish.statements[0][0], "Si han intervenido 4,01·10⁻² mol de H2 calcula:");
    EXPECT_EQ(spanish.statements[0][1], "Los moles de H2O.");
    EXPECT_EQ(spanish.statements[0][2], "");
    EXPECT_EQ(spanish.resolutions[0][1], "H2O\t= 0,722 g");
    EXPECT_EQ(spanish.answers[0][0].label, "moles de H2O obtenidos");

    // With the point, only the typography changes.
    const SheetText point = PrintedSheet(text, SheetNumbers::Point);
    EXPECT_EQ(point.statements[0][0], "Si han intervenido 4.01E-2 mol de H2 calcula:");
    EXPECT_EQ(point.resolutions[0][0], "H2:\t4.01E-2 mol");
    EXPECT_EQ(PrintedSheet(text, SheetNumbers::SpanishPlain).resolutions[0][0],
              "H2:\t4,01·10^-2 mol");
}

}  // namespace
}  // namespace tovel
