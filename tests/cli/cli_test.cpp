#include <gtest/gtest.h>

#include <sstream>

#include "cli_app.h"
#include "elements_file.h"
#include "test_support.h"

namespace tovel {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args, const std::string& input = "") {
    // The shipped table, named explicitly so that no elements.dat of the working folder is used.
    args.insert(args.begin(), {"--elements", std::string(TOVEL_BIN_DIR) + "/elements.dat"});
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, TOVEL_BIN_DIR, in, out, err);
    return {status, out.str(), err.str()};
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
        "error: Error: Falta separador (=) lados reacción\n"
        "error: Fórmula incorrecta: \" \"; Error: En compuesto\n"
        "error: * Error *: Xx no está en la base de datos; Error: En compuesto\n"
        "error: No se puede ajustar: faltan o sobran elementos en los reactivos: O Fe en los "
        "productos: H O\n"
        "error: Reacción o no viable o inexistente: O no se puede ajustar o los productos son "
        "iguales a los reactivos\n"
        "error: Demasiadas substancias: Máximo: 6 en cada lado\n"
        "2 H2 + O2 = 2 H2O\n");
}

TEST(Cli, MolarMassesWithSixFigures) {
    const CliRun run = Cli({"mass", "H2O", "C57H110O6", "Q"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.out,
        "H2O\t18.0150\nC57H110O6\t891.501\nerror: * Error *: Q no está en la base de datos\n");
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

}  // namespace
}  // namespace tovel
