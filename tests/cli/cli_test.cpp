#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_port.h"
#include "cli/problem_command.h"
#include "core/elements_file.h"
#include "exercises/problem_sheet.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// As a user runs it, with the table it finds for itself.
CliRun CliAsFound(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, TOVEL_BIN_DIR, in, out, err);
    return {status, out.str(), err.str()};
}

CliRun Cli(std::vector<std::string> args, const std::string& input = "") {
    // The shipped table, named explicitly so that no elements.dat of the working folder is used.
    args.insert(args.begin(), {"--elements", std::string(TOVEL_BIN_DIR) + "/elements.dat"});
    return CliAsFound(args, input);
}

TEST(Cli, BalancesEachArgument) {
    const CliRun run = Cli({"balance", "H2+O2=H2O", "C3H8 + O2 = CO2 + H2O"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2 H2 + O2 = 2 H2O\nC3H8 + 5 O2 = 3 CO2 + 4 H2O\n");
}

TEST(Cli, BalancesEachNonEmptyLineOfInput) {
    const CliRun run = Cli({"balance"}, "H2O2=H2O+O2\n\n   \r\nN2+H2=NH3\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2 H2O2 = 2 H2O + O2\nN2 + 3 H2 = 2 NH3\n");
}

TEST(Cli, ReportsWhatTheWindowWouldSay) {
    const CliRun run = Cli({"balance", "H2+O2->H2O", "H2 O+O2=H2O", "Xx+O2=XxO", "Fe+O2=H2O",
                            "CO=CO2", "H2=H2+O2+N2+Cl2+F2+I2+Br2", "H2+O2=H2O"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.out,
        "error: Falta separador (=) lados reacción\n"
        "error: Fórmula incorrecta: Carácter \" \" no válido en la posición 3 de H2 O\n"
        "error: Xx no está en la base de datos\n"
        "error: No se puede ajustar: faltan o sobran elementos en los reactivos: O Fe en los "
        "productos: H O (Fe solo está en los reactivos; H solo está en los productos)\n"
        "error: Reacción o no viable o inexistente: O no se puede ajustar o los productos son "
        "iguales a los reactivos\n"
        "error: Demasiadas substancias: Máximo: 6 en cada lado\n"
        "2 H2 + O2 = 2 H2O\n");
}

TEST(Cli, SaysEachThingOnceAndShowsHowToWriteACharge) {
    const CliRun run = Cli(
        {"balance", "Fe3+ + e- = Fe2+", "Na+Cl2=NaCl+O2", "Fe^3+·6H2O=Fe", "Cu + Ag+ = Cu2+ + Ag"});
    EXPECT_EQ(run.status, 1);
    std::istringstream lines(run.out);
    std::string hint, oneSide, dot;
    std::getline(lines, hint);
    std::getline(lines, oneSide);
    std::getline(lines, dot);
    EXPECT_EQ(hint,
              "error: Falta la fórmula 2 de los reactivos La carga se escribe tras ^: Fe^3+, "
              "e^-, Fe^2+");
    EXPECT_TRUE(oneSide.ends_with(" (O solo está en los productos)")) << oneSide;
    // The middle dot is named whole, never as a raw byte.
    EXPECT_NE(dot.find("Carácter \"·\""), std::string::npos) << dot;
    EXPECT_EQ(dot.find("\\x"), std::string::npos) << dot;
    EXPECT_EQ(run.out.find("rror: Error"), std::string::npos);
    std::string ions;
    std::getline(lines, ions);
    EXPECT_TRUE(ions.ends_with("La carga se escribe tras ^: Ag^+, Cu^2+")) << ions;
}

TEST(Cli, SeveralBalancesAreDecidedByElectronsOrRefused) {
    const CliRun run = Cli({"balance", "KMnO4 + H2O2 + H2SO4 = K2SO4 + MnSO4 + O2 + H2O",
                            "MnO4^- + H2O2 + H^+ = Mn^2+ + O2 + H2O", "C + CO + O2 = CO2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.out,
        "2 KMnO4 + 5 H2O2 + 3 H2SO4 = K2SO4 + 2 MnSO4 + 5 O2 + 8 H2O\n"
        "2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O\n"
        "error: Varios ajustes posibles: Hay más de un ajuste independiente, por ejemplo: C + 2 "
        "CO + 2 O2 = 3 CO2 o bien 2 C + 2 CO + 3 O2 = 4 CO2\n");
}

TEST(Cli, MolarMassesWithSixFigures) {
    const CliRun run = Cli({"mass", "H2O", "C57H110O6", "Q"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "H2O\t18.0150\nC57H110O6\t891.501\nerror: Q no está en la base de datos\n");
}

TEST(Cli, ElementsOptionWorksAnywhere) {
    const std::string path = test::TempDir() + "/tiny.dat";
    ElementTable tiny;
    tiny.Add(MakeElementRecord(1, "H", 1.0, "Uno"));
    ASSERT_TRUE(SaveElements(tiny, path));
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"mass", "H2", "--elements", path}, ".", in, out, err), 0);
    EXPECT_EQ(out.str(), "H2\t2.00000\n");
}

// Runs command on every NAME.args of a folder (one argument a line) and compares the output with
// NAME.txt, written by hand from the rules. Returns how many scenarios ran.
int CheckGoldenFolder(const std::string& subfolder, const std::string& command) {
    const std::filesystem::path folder =
        std::filesystem::path(TOVEL_SOURCE_DIR) / "tests/data" / subfolder;
    int scenarios = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".args") continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::istringstream lines(test::ReadBytes(entry.path().string()));
        std::vector<std::string> args = {command};
        for (std::string line; std::getline(lines, line);)
            args.push_back(line);
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        auto expected = entry.path();
        expected.replace_extension(".txt");
        EXPECT_EQ(run.out, test::ReadBytes(expected.string()));
        ++scenarios;
    }
    return scenarios;
}

TEST(CliProblem, MatchesTheHandWrittenTexts) {
    EXPECT_GE(CheckGoldenFolder("problems", "problem"), 7);
}

TEST(CliExplain, MatchesTheHandWrittenExplanations) {
    EXPECT_GE(CheckGoldenFolder("explanations", "explain"), 4);
}

TEST(CliExplain, ReadsStandardInputAndFailsAsBalanceDoes) {
    const CliRun run = Cli({"explain"}, "CO=CO2\n\nH2 O=H2O\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("O: 1 = 2·1: imposible\n\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("error: Fórmula incorrecta: Carácter \" \" no válido"),
              std::string::npos);
    EXPECT_EQ(Cli({"explain", "H2+O2=H2O"}).status, 0);
}

TEST(CliRedox, BalancesThenSaysWhatIsOxidisedAndReduced) {
    const CliRun run = Cli({"redox", "Zn+HCl=ZnCl2+H2", "CuFeS2+O2=CuO+Fe2O3+SO2"});
    EXPECT_EQ(run.status, 1);  // the second cannot be said
    EXPECT_EQ(run.out.substr(0, run.out.find("\n\n4 CuFeS2")),
              "Zn + 2 HCl = ZnCl2 + H2\n\nZn: Zn 0\nHCl: H +1, Cl -1\nZnCl2: Zn +2, Cl -1\n"
              "H2: H 0\n\nSe oxida: Zn (0 -> +2)\nSe reduce: H (+1 -> 0)\nOxidante: HCl\n"
              "Reductor: Zn\nElectrones transferidos: 2");
    EXPECT_EQ(Cli({"redox", "NaOH+HCl=NaCl+H2O"}).status, 0);
    EXPECT_EQ(Cli({"redox", "CO=CO2"}).status, 1);
}

// The labelled lines scripts read come last, after a blank line, for each equation.
TEST(CliIonElectron, StepsThenTheLabelledLines) {
    CliRun run = Cli({"ionelectron", "--medio", "basico", "MnO4^- + SO3^2- = MnO2 + SO4^2-"});
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Medio básico, elegido");
    EXPECT_NE(
        run.out.find("\n\nSemirreacción de oxidación: SO3^2- + 2 OH^- = SO4^2- + H2O + 2 e^-\n"
                     "Semirreacción de reducción: MnO4^- + 2 H2O + 3 e^- = MnO2 + 4 OH^-\n"
                     "Ecuación iónica: 2 MnO4^- + 3 SO3^2- + H2O = 2 MnO2 + 3 SO4^2- + 2 OH^-\n"
                     "Electrones transferidos: 6\n\n"),
        std::string::npos)
        << run.out;

    // The medium read from the equation; a molecular skeleton gets its molecular line.
    run = Cli({"ionelectron"}, "Cl2 + KOH = KCl + KClO3 + H2O\nH2 + O2 = H2O\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Ecuación molecular: 3 Cl2 + 6 KOH = 5 KCl + KClO3 + 3 H2O\n"
                           "Electrones transferidos: 5\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("error: La ecuación no dice el medio"), std::string::npos);

    run = Cli({"ionelectron", "--medio=ácido", "Cl2 + KOH = KCl + KClO3 + H2O"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "error: Se eligió medio ácido, pero la ecuación lleva KOH, una base fuerte, "
              "que da medio básico\n\n");

    EXPECT_EQ(Cli({"ionelectron", "--medio", "neutro", "H2+O2=H2O"}).status, 2);
    EXPECT_EQ(Cli({"ionelectron", "H2+O2=H2O", "--medio"}).status, 2);
}

TEST(CliFormulas, CompositionEmpiricalAndHydrateLines) {
    CliRun run = Cli({"composition", "CuSO4·5H2O"});
    EXPECT_EQ(run.status, 0);
    const std::string tail = "Cu\t25.45 %\nS\t12.84 %\nO\t57.67 %\nH\t4.04 %\nH2O\t36.08 %\n";
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
    // One line of standard input a formula; a wrong one fails alone.
    run = Cli({"composition"}, "NaCl\nQq2\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Na\t39.34 %\nCl\t60.66 %\n"), std::string::npos);
    EXPECT_EQ(run.err,
              "tovel-cli: composition: El elemento Qq de Qq2 no está en la tabla de elementos\n");
    EXPECT_NE(Cli({"composition", "Cu@"}).err.find("no vale: el carácter \"@\""),
              std::string::npos);

    run = Cli({"empirical", "C=40.0", "H=6.7", "O=53.3", "--masa-molar", "180"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nFórmula empírica: CH2O\nFórmula molecular: C6H12O6\n"),
              std::string::npos);
    run = Cli({"empirical", "Fe=11.17", "S=6.41", "--gramos"});
    EXPECT_EQ(run.out.substr(run.out.rfind("Fórmula")), "Fórmula empírica: FeS\n");
    run = Cli({"empirical", "--combustion=5.99,3.27,2.00", "--masa-molar=44"});
    EXPECT_NE(run.out.find("Fórmula molecular: C3H8\n"), std::string::npos);
    run = Cli({"empirical", "--hidrato", "CoCl2", "--masas", "2.38,1.30"});
    EXPECT_EQ(run.out.substr(run.out.rfind("Fórmula")), "Fórmula del hidrato: CoCl2·6H2O\n");

    // Refusals: the reason on standard error, status 1; wrong usage, status 2.
    run = Cli({"empirical", "C=40", "H=6.7", "O=51.3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tovel-cli: empirical: Los porcentajes suman 98.00 %, y han de sumar 100 (entre "
              "99.5 y 100.5); --normalizar los reparte sobre 100\n");
    EXPECT_NE(Cli({"empirical", "C=40", "H=6.7", "O=51.3", "--normalizar"})
                  .out.find("Fórmula empírica: CH2O"),
              std::string::npos);
    EXPECT_EQ(Cli({"empirical", "C=0", "H=1", "--gramos"}).err,
              "tovel-cli: empirical: La cantidad de C ha de ser mayor que cero\n");
    EXPECT_EQ(Cli({"empirical", "C=1", "--combustion", "1,2,3"}).status, 2);
    EXPECT_EQ(Cli({"empirical", "--hidrato", "CuSO4"}).status, 2);
    EXPECT_EQ(Cli({"empirical", "C=diez"}).status, 2);
    EXPECT_EQ(Cli({"empirical", "--masa-molar"}).status, 2);
    EXPECT_EQ(Cli({"empirical"}).status, 2);
}

TEST(CliNames, EveryNameOfAFormulaAndTheFormulaOfAName) {
    CliRun run = Cli({"name", "Fe2O3", "Cl2O7", "NaCl2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "composición: trióxido de dihierro\nnúmeros de oxidación: óxido de hierro(III)\n"
              "composición: dicloruro de heptaoxígeno\n");
    EXPECT_EQ(run.err,
              "tovel-cli: name: Cl2O7: IUPAC 2005 escribe O7Cl2: el Cl va detrás del O\n"
              "tovel-cli: name: NaCl2: Las cargas no suman cero: el sodio tendría número de "
              "oxidación +2, que no tiene\n");
    run = Cli({"formula"}, "acido sulfurico\nóxido de titanio(4+)\nóxido de sodio(III)\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "H2SO4\nTiO2\n");
    EXPECT_EQ(run.err,
              "tovel-cli: formula: óxido de sodio(III): El sodio solo tiene número de "
              "oxidación +1\n");
}

TEST(CliNames, ASheetOfNomenclatureExercises) {
    CliRun run = Cli(
        {"sheet", "--count", "3", "--seed", "7", "--kinds", "nombrar", "--clases", "hidroxidos"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Hoja de formulación inorgánica\nSemilla 7\n\nNombre: ", 0), 0u)
        << run.out;
    EXPECT_NE(run.out.find("\n\n1. Nombra "), std::string::npos);
    EXPECT_NE(run.out.find("\nEjercicio 3\n"), std::string::npos);
    EXPECT_NE(run.out.find("hidróxido de "), std::string::npos);
    EXPECT_EQ(Cli({"sheet", "--count", "3", "--seed", "7", "--kinds", "nombrar", "--clases",
                   "hidroxidos"})
                  .out,
              run.out);
    // Problems and nomenclature do not mix in one sheet; classes only for nomenclature.
    EXPECT_EQ(Cli({"sheet", "--count", "3", "--kinds", "nombrar,g"}).status, 2);
    EXPECT_EQ(Cli({"sheet", "--count", "3", "--clases", "oxidos"}).status, 2);
    EXPECT_EQ(Cli({"sheet", "--count", "3", "--kinds", "formular", "--clases", "xx"}).status, 2);
}

TEST(Cli, IonsAndHydratesInTheTypedNotation) {
    CliRun run = Cli({"balance", "MnO4^- + Fe^2+ + H^+ = Mn^2+ + Fe^3+ + H2O", "Cu=Cu^2++e^-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "MnO4^- + 5 Fe^2+ + 8 H^+ = Mn^2+ + 5 Fe^3+ + 4 H2O\nCu = Cu^2+ + 2 e^-\n");
    run = Cli({"mass", "CuSO4·5H2O", "CuSO4*5H2O"});
    EXPECT_EQ(run.out, "CuSO4·5H2O\t249.677\nCuSO4·5H2O\t249.677\n");
    // A solution prepared from the hydrate weighs the hydrate, and names it.
    run = Cli({"conc", "CuSO4*5H2O", "--soluto", "12.5", "--disolucion", "250", "--caso"});
    EXPECT_NE(run.out.find("MM\t249.7\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("12.5 g de CuSO4·5H2O hasta"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("M= 0.200 mol/l"), std::string::npos);
}

TEST(CliConcentration, MatchesTheHandWrittenCases) {
    EXPECT_GE(CheckGoldenFolder("cases", "conc"), 7);
}

// As the window counts it: the hydrate weighed, the concentrations of CuSO4 (0.1 × 159.6 g/l,
// 15.96 / 1020 = 1.56 %), and the water of crystallisation with the solvent.
TEST(CliConcentration, AHydrateIsCountedAsItsSalt) {
    const CliRun run = Cli({"conc", "CuSO4·5H2O", "--molaridad", "0.1", "--densidad", "1.02"});
    EXPECT_EQ(run.status, 0);
    for (const char* line : {"g/l\t16.0\n", "% en masa\t1.56\n", "g soluto\t25.0\n",
                             "g disolvente\t995\n", "molalidad\t9.96E-2\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
    EXPECT_EQ(Cli({"conc", "SO4^2-", "--molaridad", "0.1"}).status, 1);
}

TEST(CliConcentration, ReportsWhatCannotBeComputed) {
    // Refused as the window refuses them: nothing is printed but the reason, status 1.
    const struct {
        std::vector<std::string> args;
        std::string out;
    } refused[] = {
        {{"--masa", "100"},
         "error: No podemos calcular: % en masa: ha de ser mayor que 0 y menor que 100\n"},
        {{"--molaridad", "0"}, "error: No podemos calcular: Molaridad: ha de ser mayor que 0\n"},
        {{"--molaridad", "1", "--densidad", "0"},
         "error: No podemos calcular: Densidad disolución: ha de ser mayor que 0\n"},
        {{"--molaridad", "1", "--densidad", "0.05"},
         "error: No podemos calcular: Densidad disolución: ha de ser mayor que 0.0584 g/ml (los g "
         "de soluto por ml)\n"},
        {{"--soluto", "0", "--disolucion", "250"},
         "error: No podemos calcular: Faltan datos válidos\n"},
        {{"--gl", "abc"}, "error: No podemos calcular: Faltan datos válidos\n"},
    };
    for (const auto& r : refused) {
        std::vector<std::string> args = {"conc", "NaCl"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        SCOPED_TRACE(args[2] + " " + args[3]);
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, r.out);
        EXPECT_EQ(run.err, "");
    }
    // A density that is no number is left out, as the window does, and said on stderr.
    const CliRun ignored = Cli({"conc", "NaCl", "--molaridad", "1", "--densidad", "x"});
    EXPECT_EQ(ignored.status, 0);
    EXPECT_EQ(ignored.out,
              "MM\t58.44\nMolaridad\t1\ng/l\t58.4\ng soluto\t58.4\nml disolución\t1000\n");
    EXPECT_EQ(ignored.err,
              "tovel-cli: Densidad incorrecta: No se tendrá en cuenta: x; use números como 1.04 o "
              "1,04\n");
    EXPECT_EQ(Cli({"conc", "NaCl", "--molaridad", "1"}).status, 0);
    EXPECT_EQ(Cli({"conc", "NaCl"}).status, 2);
    EXPECT_EQ(Cli({"conc", "NaCl", "--molaridad", "1", "--gl", "3"}).status, 2);
    EXPECT_EQ(Cli({"conc", "Na Cl", "--molaridad", "1"}).out,
              "error: Fórmula incorrecta: Carácter \" \" no válido en la posición 3 de Na Cl\n");
}

TEST(CliProblem, ReportsBadData) {
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4kg"}).out,
              "error: unidad no válida (g, g:P%, mol, Lcn, L:P:T, ml:MM): H2=4kg\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "N2=4g"}).out, "error: N2 no está en la ecuación\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4g:120%"}).out,
              "error: Valor fuera de rango: % de pureza de H2: 120; ha de ser mayor que 0 y como "
              "mucho 100\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2O=4ml:2M"}).out,
              "error: Datos no válidos: No se ha establecido la unidad de H2O\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=0g"}).out,
              "error: Ningún dato válido: Hay que introducir al menos 1 dato\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=1L:0atm:300K"}).out,
              "error: Datos no válidos: No se ha establecido la unidad de H2\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=-1g"}).out,
              "error: Datos no válidos: Cantidad no válida para H2: -1; no puede ser negativa\n");
    // What the window cannot hold is refused, never silently dropped.
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2O=36g:80%"}).out,
              "error: la pureza solo se da a los reactivos, y H2O es un producto: H2O=36g:80%\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4g", "O2=1mol", "H2=2mol"}).out,
              "error: H2 tiene dos datos: da uno solo\n");
    EXPECT_EQ(Cli({"problem", "Fe+O2=H2O", "Fe=1g"}).status, 1);
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O"}).status, 2);
}

TEST(CliProblem, RefusesAYieldThatCannotBe) {
    EXPECT_EQ(Cli({"problem", "--rendimiento", "0", "H2+O2=H2O", "H2=4g"}).out,
              "error: Datos no válidos: Rendimiento %: 0; ha de ser mayor que 0 y no pasar de "
              "100\n");
    EXPECT_EQ(Cli({"problem", "--rendimiento=ochenta", "H2+O2=H2O", "H2=4g"}).status, 1);
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4g", "--obtenido", "H2O=40g"}).out,
              "error: Datos no válidos: Se obtienen 40.0 g de H2O y con esos reactivos solo "
              "pueden formarse 35.7 g: el rendimiento no puede pasar del 100 %\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4g", "--obtenido", "O2=4g"}).out,
              "error: --obtenido da lo que se obtiene de un producto, y O2 es un reactivo\n");
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "--obtenido", "H2O=4g"}).out,
              "error: Datos no válidos: Para calcular el rendimiento hay que dar la cantidad de "
              "algún reactivo\n");
    const CliRun both =
        Cli({"problem", "--rendimiento", "80", "--obtenido", "H2O=4g", "H2+O2=H2O", "H2=4g"});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("exclude each other"), std::string::npos);
    EXPECT_EQ(Cli({"problem", "H2+O2=H2O", "H2=4g", "--rendimiento"}).status, 2);
}

TEST(CliProblem, SaysWhichDataItUsed) {
    const CliRun run = Cli({"problem", "H2+O2=H2O", "H2O=36g", "O2=16g"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "tovel-cli: Datos de más: Se calcula con los datos de O2. La cantidad de H2O no se "
              "usa: se muestra la "
              "que se obtiene.\n");
    EXPECT_NE(run.out.find("Si han intervenido 16.0 g de O2  calcula:"), std::string::npos)
        << run.out;
}

TEST(CliProblem, ParsesEveryKindOfDatum) {
    Datum d;
    std::string error;
    ASSERT_TRUE(ParseDatum("CaCO3=50g:80%", d, error));
    EXPECT_EQ(d.formula, "CaCO3");
    EXPECT_EQ(d.amount, "50");
    EXPECT_EQ(d.slot.unit, AmountUnit::Gram);
    EXPECT_EQ(d.slot.purity, 80);
    ASSERT_TRUE(ParseDatum("O2=1.5e-2mol", d, error));
    EXPECT_EQ(d.amount, "1.5e-2");
    EXPECT_EQ(d.slot.unit, AmountUnit::Mole);
    ASSERT_TRUE(ParseDatum("CO2=2.24Lcn", d, error));
    EXPECT_EQ(d.slot.unit, AmountUnit::LitreNormal);
    ASSERT_TRUE(ParseDatum("H2=3L:101.3kPa:25C", d, error));
    EXPECT_EQ(d.slot.unit, AmountUnit::LitrePT);
    EXPECT_EQ(d.slot.gas.pressure, 101.3);
    EXPECT_EQ(d.slot.gas.pressureUnit, PressureUnit::KPa);
    EXPECT_EQ(d.slot.gas.temperature, 298);
    EXPECT_EQ(d.slot.gas.temperatureUnit, TemperatureUnit::Celsius);
    ASSERT_TRUE(ParseDatum("HCl=100ml:2M", d, error));
    EXPECT_EQ(d.slot.unit, AmountUnit::Solution);
    EXPECT_EQ(d.slot.molarity, 2);
    for (const char* bad : {"H2", "=4g", "H2=g", "H2=4L:2atm", "H2=4L:2bar:300K", "H2=4ml",
                            "H2=4g:80", "H2=4g:x%", "HCl=1ml:xM"}) {
        EXPECT_FALSE(ParseDatum(bad, d, error)) << bad;
    }
}

TEST(Cli, OffendingBytesAreShownNotObeyed) {
    // A byte that is no text, an escape sequence and a right-to-left override, in formulas.
    const CliRun run = Cli({"balance", "H2\xFF+O2=H2O", "H2\x1b[2J+O2=H2O", "H2\u202E+O2=H2O"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.out,
        "error: Fórmula incorrecta: Carácter \"\\xFF\" no válido en la posición 3 de H2\\xFF\n"
        "error: Fórmula incorrecta: Carácter \"\\x1B\" no válido en la posición 3 de H2\\x1B[2J\n"
        "error: Fórmula incorrecta: Carácter \"\\u202E\" no válido en la posición 3 de "
        "H2\\u202E\n");
    EXPECT_EQ(EscapeForTerminal("Año \u00ed\u200Bx"), "Año \u00ed\\u200Bx");
}

TEST(CliCompounds, ListsTheWindowsCompoundsWithTheirNames) {
    const CliRun run = Cli({"compounds"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines;
    std::istringstream text(run.out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 445u);
    EXPECT_EQ(lines.front(), "HF\tácido fluorhídrico");
    for (const char* expected :
         {"H2SO4\tácido sulfúrico", "(NH4)3PO4\tfosfato de amonio", "NaCl\tcloruro de sodio",
          "Al2(SO4)3\tsulfato de aluminio", "FeSO4\tsulfato de hierro(II)",
          "Hg2Cl2\tcloruro de mercurio(I)", "(Hg2)3(PO4)2\tfosfato de mercurio(I)",
          "Cu2O\tóxido de cobre(I)", "PbCO3\tcarbonato de plomo(II)"}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), expected), 1) << expected;
    }
    // The lower valence only, the same on every run.
    EXPECT_EQ(run.out.find("Fe2(SO4)3"), std::string::npos);
    EXPECT_EQ(Cli({"compounds"}).out, run.out);
    // No element table is needed to list formulas.
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"compounds", "--elements", "/nonexistent/elements.dat"}, "/nonexistent", in,
                     out, err),
              0);
    EXPECT_EQ(out.str(), run.out);

    const CliRun extra = Cli({"compounds", "NaCl"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.out, "");
    EXPECT_EQ(extra.err, "tovel-cli: compounds takes no arguments\n");
}

TEST(Cli, UsageErrorsExitWithTwo) {
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({}, ".", in, out, err), 2);
    EXPECT_EQ(RunCli({"weigh", "H2O"}, ".", in, out, err), 2);
    EXPECT_EQ(RunCli({"mass", "H2O", "--elements"}, ".", in, out, err), 2);
    EXPECT_EQ(RunCli({"mass", "H2O", "--elements", "/nonexistent/elements.dat"}, ".", in, out, err),
              2);
    EXPECT_NE(err.str().find("usage:"), std::string::npos);
    EXPECT_EQ(Cli({"mass"}).status, 2);
}

TEST(Cli, HelpAndVersion) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: tovel-cli [--elements FILE] COMMAND", 0), 0u) << help.out;
    for (const std::string& command : CliCommandNames()) {
        // A command's own help is its synopsis and description, word for word as in the list.
        const CliRun own = Cli({command, "--help"});
        EXPECT_EQ(own.status, 0) << command;
        const std::string prefix = "usage: tovel-cli [--elements FILE] " + command;
        ASSERT_EQ(own.out.rfind(prefix, 0), 0u) << own.out;
        const std::string firstLine = own.out.substr(
            prefix.size() - command.size(), own.out.find('\n') - prefix.size() + command.size());
        EXPECT_NE(help.out.find("\n  " + firstLine + "\n"), std::string::npos) << firstLine;
        const std::string description = own.out.substr(own.out.find("\n\n") + 2);
        const std::string firstDescribed = description.substr(0, description.find('\n'));
        EXPECT_NE(help.out.find("      " + firstDescribed + "\n"), std::string::npos) << command;
    }
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tovel-cli ") + TOVEL_VERSION + "\n");
    // Help after a word that is no command is still a usage error.
    EXPECT_EQ(Cli({"weigh", "--help"}).status, 2);
}

// The manual pages name every command in their synopsis, in English and in Spanish.
TEST(Cli, ManualPagesNameEveryCommand) {
    for (const char* language : {"en", "es"}) {
        const std::string page = test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/docs/man/" +
                                                 language + "/tovel-cli.1");
        const std::size_t begin = page.find("\n.SH S");
        const std::size_t end = page.find("\n.SH ", begin + 1);
        ASSERT_NE(end, std::string::npos) << language;
        const std::string synopsis = page.substr(begin, end - begin);
        for (const std::string& command : CliCommandNames()) {
            EXPECT_NE(synopsis.find("\n.B " + command + "\n"), std::string::npos)
                << language << " " << command;
        }
        EXPECT_NE(page.find(std::string("\"tovel ") + TOVEL_VERSION + "\""), std::string::npos)
            << language;
    }
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

TEST(CliSheet, PrintsTheSheetItsWindowWouldSave) {
    const CliRun run = Cli({"sheet", "--count", "5", "--seed", "17"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ElementTable table = test::DefaultElements();
    SheetChoices c;
    c.count = 5;
    c.seed = 17;
    std::string expected;
    for (const std::string& line : SheetLines(PrintedSheet(
             ComposeSheet(DrawSheet(LoadSheetLibrary(TOVEL_BIN_DIR, table), c).problems, 17),
             SheetNumbers::SpanishPlain)))
        expected += ShowSeparators(line) + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(Cli({"sheet", "--count", "5", "--seed", "17"}).out, run.out);
    EXPECT_NE(Cli({"sheet", "--count", "5", "--seed", "18"}).out, run.out);
}

TEST(CliSheet, TypesAndKindsNarrowTheSheet) {
    const CliRun run = Cli({"sheet", "--count", "4", "--seed", "3", "--types", "redox,Gases",
                            "--kinds", "mol,product"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Si se quiere obtener "), std::string::npos);
    EXPECT_EQ(run.out.find("Si han intervenido "), std::string::npos);
    EXPECT_EQ(run.out.find(" g de "), std::string::npos);
    // Only solutions and a product given: no problem can be set.
    const CliRun none = Cli({"sheet", "--count", "4", "--kinds", "ml,product"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out,
              "error: Con las reacciones y los datos elegidos no se puede plantear ningún "
              "problema.\n");
}

TEST(CliSheet, WritesTextAndPdfFiles) {
    const std::string folder = test::TempDir();
    const CliRun text =
        Cli({"sheet", "--count", "3", "--seed", "8", "--text", folder + "/hoja.txt"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "");
    const std::string bytes = test::ReadBytes(folder + "/hoja.txt");
    EXPECT_EQ(bytes.rfind("Hoja de problemas de estequiometr\xed"
                          "a\r\nSemilla 8\r\n",
                          0),
              0u);
    const CliRun pdf = Cli({"sheet", "--count", "3", "--seed", "8", "--pdf", folder + "/hoja.pdf"});
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(test::ReadBytes(folder + "/hoja.pdf").rfind("%PDF-", 0), 0u);
    const CliRun failed =
        Cli({"sheet", "--count", "3", "--text", folder + "/no/such/folder/hoja.txt"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out.rfind("error: ", 0), 0u);
}

// A link loop, a folder or a broken link where the current folder's data file stands is told,
// never thrown over (an abort) nor passed over for the default data without a word.
TEST(CliFiles, WhatStandsInPlaceOfADataFileIsTold) {
    const std::filesystem::path before = std::filesystem::current_path();
    const std::string folder = test::TempDir();
    std::filesystem::current_path(folder);
    struct Case {
        std::function<void()> plant;
        const char* told;
    };
    const Case cases[] = {
        {[] { std::filesystem::create_symlink("elements.dat", "elements.dat"); },
         "hay demasiados enlaces simbólicos"},
        {[] { std::filesystem::create_directory("elements.dat"); }, "No es un fichero normal"},
        {[] { std::filesystem::create_symlink("gone.dat", "elements.dat"); }, "no existe"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all("elements.dat");
        c.plant();
        const CliRun run = CliAsFound({"mass", "H2O"});
        EXPECT_EQ(run.status, 2) << c.told;
        EXPECT_NE(run.err.find(c.told), std::string::npos) << run.err;
    }
    // A table with a repeated element may use the wrong one: nothing is computed with it.
    std::filesystem::remove_all("elements.dat");
    std::string planted = EncodeElementRecord(MakeElementRecord(1, "H", 100, "Falso"));
    planted += EncodeElementRecord(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    planted += EncodeElementRecord(MakeElementRecord(8, "O", 15.999, "Oxígeno"));
    test::WriteBytes("elements.dat", planted);
    const CliRun repeated = CliAsFound({"mass", "H2O"});
    EXPECT_EQ(repeated.status, 2);
    EXPECT_EQ(repeated.out, "");
    EXPECT_EQ(repeated.err,
              "tovel-cli: elements.dat: Un elemento repetido: registro 2 (H, 1.008): número "
              "atómico 1 repetido, ya en el registro 1 (H, 100.000). Corrige la tabla de "
              "elementos antes de calcular.\n");
    std::filesystem::remove_all("elements.dat");
    std::filesystem::create_symlink("tiptovl.rel", "tiptovl.rel");
    const CliRun sheet = Cli({"sheet", "--count", "2"});
    EXPECT_NE(sheet.status, 0);
    EXPECT_NE(sheet.err.find("demasiados enlaces simbólicos"), std::string::npos) << sheet.err;
    std::filesystem::current_path(before);
}

TEST(CliSheet, UsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"sheet"}, "tovel-cli: sheet: falta --count N\n"},
        {{"sheet", "--count", "0"}, "tovel-cli: sheet: --count ha de ser de 1 a 50\n"},
        {{"sheet", "--count", "51"}, "tovel-cli: sheet: --count ha de ser de 1 a 50\n"},
        {{"sheet", "--count", "5x"}, "tovel-cli: sheet: --count ha de ser de 1 a 50\n"},
        {{"sheet", "--count", "5", "--seed", "-1"},
         "tovel-cli: sheet: --seed ha de ser un número entero de 0 a 4294967295\n"},
        {{"sheet", "--count", "5", "--types", "Nucleares"},
         "tovel-cli: sheet: no hay ningún tipo de reacción Nucleares\n"},
        {{"sheet", "--count", "5", "--kinds", "g,kg"},
         "tovel-cli: --kinds: kg no es g, g%, mol, Lcn, LPT, ml, one, excess, product, "
         "rendimiento, empirica, ionelectron, nombrar ni formular\n"},
        {{"sheet", "--count", "5", "--pdf", "a.pdf", "--text", "a.txt"},
         "tovel-cli: sheet: --pdf, --text o --moodle, solo uno\n"},
        {{"sheet", "--count", "5", "--moodle", "a.xml", "--text", "a.txt"},
         "tovel-cli: sheet: --pdf, --text o --moodle, solo uno\n"},
        {{"sheet", "--count", "5", "--variantes", "3"},
         "tovel-cli: sheet: --variantes es para --moodle\n"},
        {{"sheet", "--count", "5", "--moodle", "a.xml", "--variantes", "21"},
         "tovel-cli: sheet: --variantes ha de ser de 1 a 20\n"},
        {{"sheet", "--count", "5", "--espacio", "mucho"},
         "tovel-cli: sheet: --espacio es ninguno, lineas o media, no mucho\n"},
        {{"sheet", "--count", "5", "--kinds", "nombrar,ionelectron"},
         "tovel-cli: --kinds: los ejercicios de formulación (nombrar, formular) van en una hoja "
         "propia, sin problemas\n"},
        {{"sheet", "--count"}, "tovel-cli: sheet: --count necesita un valor\n"},
        {{"sheet", "--count", "5", "--color", "red"},
         "tovel-cli: sheet: opción desconocida: --color\n"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace tovel
