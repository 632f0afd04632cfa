#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text_utils.h"
#include "exercises/problem_text.h"
#include "system/text_file.h"
#include "tests/support/test_support.h"

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
    ProblemInput p;
    p.reaction = r;
    p.data[kReactants].resize(2);
    p.data[kProducts].resize(3);
    p.data[kReactants][0].purity = 80;
    p.data[kReactants][1].unit = AmountUnit::Solution;
    p.data[kReactants][1].molarity = 2;
    p.data[kProducts][0].unit = AmountUnit::Mole;
    p.data[kProducts][1].unit = AmountUnit::LitreNormal;
    p.data[kProducts][2].unit = AmountUnit::LitrePT;
    p.data[kProducts][2].gas = {2, 300, PressureUnit::Atm, TemperatureUnit::Kelvin};
    EXPECT_EQ(FactorText(p, kReactants, 1), "x 100.1g/mol x 100/80");
    EXPECT_EQ(FactorText(p, kReactants, 2), " mol x 1 L/2.00 mol x 1000 ml/L");
    EXPECT_EQ(FactorText(p, kProducts, 1), "");
    EXPECT_EQ(FactorText(p, kProducts, 2), "x 22.4L/mol");
    EXPECT_EQ(FactorText(p, kProducts, 3), "· R·300.0K/2.00atm L/mol");
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

// The collection is the user's own file: a problem is added in place (its links and inode
// stay), and many windows saving at the same moment each add theirs, none lost or torn.
TEST(ProblemFile, ProblemsSavedAtOnceAreAllKept) {
    const std::string dir = test::TempDir();
    const std::string path = dir + "/problemas.txt";
    test::WriteBytes(dir + "/real.txt", "Mis notas\r\n");
    std::filesystem::create_symlink("real.txt", path);
    constexpr int kWriters = 8, kEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < kEach; ++i) {
                const std::string name = std::to_string(w) + "-" + std::to_string(i);
                if (!AppendBlock(path, {"Problema " + name, std::string(2000, 'x'), "Fin " + name}))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    const std::string text = test::ReadBytes(dir + "/real.txt");
    EXPECT_EQ(text.rfind("Mis notas\r\n", 0), 0u);
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kEach; ++i) {
            const std::string name = std::to_string(w) + "-" + std::to_string(i);
            // Each block whole: its first line, its body and its last line together.
            EXPECT_NE(text.find("Problema " + name + "\r\n" + std::string(2000, 'x') + "\r\nFin " +
                                name + "\r\n"),
                      std::string::npos)
                << name;
        }
    }
}

}  // namespace
}  // namespace tovel
