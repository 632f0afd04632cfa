#include <gtest/gtest.h>

#include <set>

#include "compound_generator.h"
#include "formula.h"
#include "test_support.h"

namespace tovel {
namespace {

ValenceChoice Always(int choice) {
    return [choice] { return choice; };
}

std::string Make(int cation, int anion, int choice = 0) {
    Compound c;
    return MakeCompound(c, cation, anion, Always(choice)) ? c.formula : "none";
}

TEST(CompoundGenerator, CrossesCharges) {
    EXPECT_EQ(Make(0, 0), "H2O");
    EXPECT_EQ(Make(9, 0), "Al2O3");
    EXPECT_EQ(Make(9, 0, 1), "Al2O3");  // one valence: the choice does not matter
    EXPECT_EQ(Make(10, 17, 0), "FeSO4");
    EXPECT_EQ(Make(10, 17, 1), "Fe2(SO4)3");
    EXPECT_EQ(Make(1, 17), "(NH4)2SO4");
    EXPECT_EQ(Make(6, 22), "Ca3(PO4)2");
    EXPECT_EQ(Make(16, 0, 1), "PbO2");
    EXPECT_EQ(Make(6, 4), "CaCl2");
    EXPECT_EQ(Make(9, 1), "Al(OH)3");
    EXPECT_EQ(Make(0, 17), "H2SO4");
    EXPECT_EQ(Make(2, 7), "Na2S");
    EXPECT_EQ(Make(9, 22), "AlPO4");
    EXPECT_EQ(Make(16, 22, 1), "Pb3(PO4)4");
    EXPECT_EQ(Make(14, 0, 0), "Cu2O");
}

TEST(CompoundGenerator, PairsWithoutCompound) {
    EXPECT_EQ(Make(1, 0), "none");
    EXPECT_EQ(Make(1, 2), "none");
    EXPECT_EQ(Make(0, 1), "none");
    EXPECT_EQ(Make(0, 2), "none");
    EXPECT_EQ(Make(19, 0), "none");
    EXPECT_EQ(Make(0, 24), "none");
}

TEST(CompoundGenerator, TwoValenceCationsChooseAtRandom) {
    std::set<std::string> seen;
    const ValenceChoice random = RandomValenceChoice();
    Compound c;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(MakeCompound(c, 10, 4, random));
        seen.insert(c.formula);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"FeCl2", "FeCl3"}));
}

TEST(CompoundGenerator, EveryListEntryIsAFormulaWithAMolarMass) {
    for (int choice : {0, 1}) {
        const auto list = CompoundList(Always(choice));
        ASSERT_EQ(list.size(), 450u);
        EXPECT_EQ(list.front(), "HF");
        EXPECT_EQ(list[21], "NH4F");
        EXPECT_EQ(list[42], "Na2O");
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        for (const auto& formula : list) {
            EXPECT_LE(formula.size(), 14u) << formula;
            Substance s;
            ASSERT_TRUE(ParseFormula(s, formula, table, port)) << formula;
            EXPECT_GT(s.molarMass, 0) << formula;
        }
        EXPECT_TRUE(port.messages.empty());
    }
}

}  // namespace
}  // namespace tovel
