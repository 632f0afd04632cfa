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
