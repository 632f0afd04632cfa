#include <gtest/gtest.h>

#include "core/element_table.h"

namespace tovel {
namespace {

TEST(ElementRecord, TextsAreCutToTheirLimitsInCharacters) {
    const auto r = MakeElementRecord(7, "Nit", 14.007, "Nitrógeno del aire puro");
    EXPECT_EQ(r.symbol, "Ni");
    EXPECT_EQ(r.name, "Nitrógeno del ");  // 14 characters, one of them two bytes
    EXPECT_EQ(MakeElementRecord(1, "H", 1.008, "Hidrógeno").name, "Hidrógeno");
}

TEST(ElementTable, FindsTheFirstExactSymbol) {
    ElementTable t;
    t.Add(MakeElementRecord(6, "C", 12.011, "Carbono"));
    t.Add(MakeElementRecord(17, "Cl", 35.45, "Cloro"));
    t.Add(MakeElementRecord(99, "Cl", 1.0, "Duplicado"));
    ASSERT_NE(t.FindSymbol("Cl"), nullptr);
    EXPECT_EQ(t.FindSymbol("Cl")->atomicNumber, 17);
    EXPECT_EQ(t.FindSymbol("cl"), nullptr);
    EXPECT_EQ(t.FindSymbol("Ca"), nullptr);
    EXPECT_EQ(t.FindSymbol("C")->atomicNumber, 6);
    EXPECT_EQ(ElementSymbolOfZ(t, 17), "Cl");
    EXPECT_EQ(ElementSymbolOfZ(t, 8), "");
    EXPECT_EQ(t.Slot(2).name, "Cloro");
}

// Lookups go through an index from symbol to slot; whatever changed the table, they must find
// what a search of the records one by one would.
TEST(ElementTable, LookupsFollowEveryChange) {
    ElementTable t;
    t.Assign({MakeElementRecord(1, "H", 1.008, "Hidrógeno"),
              MakeElementRecord(8, "O", 16, "Oxígeno"),
              MakeElementRecord(101, "H", 2.014, "Deuterio")});
    EXPECT_EQ(t.FindSymbol("H")->atomicNumber, 1);  // the first of two
    t.RemoveSlot(1);
    EXPECT_EQ(t.FindSymbol("H")->atomicNumber, 101);
    EXPECT_EQ(t.FindSymbol("O")->atomicNumber, 8);  // moved up a slot

    t.Replace(1, MakeElementRecord(7, "N", 14.007, "Nitrógeno"));
    EXPECT_EQ(t.FindSymbol("O"), nullptr);
    EXPECT_EQ(t.FindSymbol("N")->atomicNumber, 7);

    // Changed through the record itself, out of the index's sight.
    t.Slot(2).symbol = "Zz";
    EXPECT_EQ(t.FindSymbol("H"), nullptr);
    EXPECT_EQ(t.FindSymbol("Zz")->atomicNumber, 101);
    t.Add(MakeElementRecord(2, "He", 4.0026, "Helio"));
    EXPECT_EQ(t.FindSymbol("Zz")->atomicNumber, 101);
    EXPECT_EQ(t.FindSymbol("He")->atomicNumber, 2);

    t.Clear();
    EXPECT_EQ(t.FindSymbol("N"), nullptr);
}

TEST(ElementTable, FindsSymbolsNoFormulaCanName) {
    // A table read from a file may hold any text as a symbol; an exact match still finds it.
    ElementTable t;
    t.Assign({MakeElementRecord(1, "h", 1, ""), MakeElementRecord(2, "X1", 2, ""),
              MakeElementRecord(3, "Ñ", 3, "")});
    EXPECT_EQ(t.FindSymbol("h")->atomicNumber, 1);
    EXPECT_EQ(t.FindSymbol("X1")->atomicNumber, 2);
    EXPECT_EQ(t.FindSymbol("Ñ")->atomicNumber, 3);
    EXPECT_EQ(t.FindSymbol("H"), nullptr);
    EXPECT_EQ(t.FindSymbol("X"), nullptr);
    EXPECT_EQ(t.FindSymbol(""), nullptr);
}

TEST(ElementTable, HoldsAtMostOneHundredElements) {
    ElementTable t;
    for (int z = 1; z <= 100; ++z)
        EXPECT_TRUE(t.Add(MakeElementRecord(z, "X", z, "")));
    EXPECT_TRUE(t.IsFull());
    EXPECT_FALSE(t.Add(MakeElementRecord(101, "Y", 1, "")));
    EXPECT_EQ(t.Count(), 100u);
    std::vector<ElementRecord> many(120, MakeElementRecord(1, "H", 1, ""));
    EXPECT_FALSE(t.Assign(many));
    EXPECT_EQ(t.Count(), 100u);
    t.RemoveSlot(1);
    t.RemoveSlot(500);
    EXPECT_EQ(t.Count(), 99u);
}

}  // namespace
}  // namespace tovel
