#include "app/oxidation_marks.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace tovel {
namespace {

OxidationMarkSides Marks(const std::string& equation) {
    const Reaction r = test::ParsedReaction(equation);
    return MarkOxidationNumbers(r.substances);
}

TEST(OxidationMarks, OnePerWrittenSymbolColouredByWhatItDoes) {
    const auto marks = Marks("Cl2+NaOH=NaCl+NaClO+H2O");
    ASSERT_EQ(marks[0].size(), 2u);
    EXPECT_EQ(marks[0][0][0].label, "0");
    EXPECT_EQ(marks[0][0][0].kind, MarkKind::Both);  // disproportionation
    ASSERT_EQ(marks[0][1].size(), 3u);               // Na O H
    EXPECT_EQ(marks[0][1][1].label, "-2");
    EXPECT_EQ(marks[0][1][1].kind, MarkKind::Plain);
    EXPECT_EQ(marks[1][0][1].kind, MarkKind::Reduced);   // Cl -1 in NaCl
    EXPECT_EQ(marks[1][1][1].kind, MarkKind::Oxidised);  // Cl +1 in NaClO

    // Each place of an element takes its own number; HCOOH writes O and H twice.
    const auto nitrate = Marks("NH4NO3=N2O+H2O");
    ASSERT_EQ(nitrate[0][0].size(), 4u);  // N H N O, as written
    EXPECT_EQ(nitrate[0][0][0].label, "-3");
    EXPECT_EQ(nitrate[0][0][2].label, "+5");
    EXPECT_EQ(nitrate[0][0][0].kind, MarkKind::Oxidised);
    EXPECT_EQ(nitrate[0][0][2].kind, MarkKind::Reduced);
    const auto formic = Marks("HCOOH=CO+H2O");
    ASSERT_EQ(formic[0][0].size(), 5u);
    EXPECT_EQ(formic[0][0][3].label, "-2");
    EXPECT_EQ(formic[0][0][4].label, "+1");

    // Undecided substances carry no numbers rather than guesses.
    const auto chalcopyrite = Marks("CuFeS2+O2=CuO+Fe2O3+SO2");
    EXPECT_EQ(chalcopyrite[0][0][0].label, "");
    EXPECT_EQ(chalcopyrite[1][0][0].label, "+2");
    // Pyrite is read with its disulfide ion: S -1, each S marked.
    const auto pyrite = Marks("FeS2+O2=Fe2O3+SO2");
    EXPECT_EQ(pyrite[0][0][0].label, "+2");
    EXPECT_EQ(pyrite[0][0][1].label, "-1");
    EXPECT_EQ(pyrite[0][0][1].kind, MarkKind::Oxidised);
}

}  // namespace
}  // namespace tovel
