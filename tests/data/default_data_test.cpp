#include <gtest/gtest.h>

#include <set>

#include "core/elements_file.h"
#include "core/equation_checks.h"
#include "core/utf8.h"
#include "data/tools/element_source.h"
#include "data/tools/library_source.h"
#include "exercises/reaction_types.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(DefaultElements, CoverTheNaturalElementsWithinCapacity) {
    const ElementTable& table = test::DefaultElements();
    EXPECT_GE(table.Count(), 92u);
    EXPECT_LE(table.Count(), ElementTable::kCapacity);
    std::set<std::string> symbols;
    std::set<int> numbers;
    for (const auto& e : table.Records()) {
        EXPECT_TRUE(symbols.insert(e.symbol).second) << e.symbol;
        EXPECT_TRUE(numbers.insert(e.atomicNumber).second) << e.symbol;
        EXPECT_LE(Utf8Length(e.name), kNameLimit) << e.symbol;
        EXPECT_GT(e.atomicMass, 0.9 * e.atomicNumber) << e.symbol;
        EXPECT_LT(e.atomicMass, 2.7 * e.atomicNumber + 1) << e.symbol;
    }
    for (int z = 1; z <= 92; ++z)
        EXPECT_TRUE(numbers.count(z)) << "Z = " << z;
}

TEST(DefaultElements, StandardAtomicWeightsOfCommonElements) {
    const ElementTable& table = test::DefaultElements();
    const std::pair<const char*, double> expected[] = {
        {"H", 1.008}, {"C", 12.011}, {"N", 14.007},  {"O", 15.999},  {"Na", 22.990},
        {"S", 32.06}, {"Cl", 35.45}, {"Fe", 55.845}, {"Cu", 63.546}, {"Ag", 107.87}};
    for (const auto& [symbol, mass] : expected) {
        ASSERT_NE(table.FindSymbol(symbol), nullptr) << symbol;
        EXPECT_DOUBLE_EQ(table.FindSymbol(symbol)->atomicMass, mass) << symbol;
    }
    EXPECT_EQ(table.FindSymbol("Fe")->name, "Hierro");
}

TEST(DefaultElements, AreInSymbolOrderAsTheEditorKeepsThem) {
    const auto& records = test::DefaultElements().Records();
    EXPECT_EQ(records.front().symbol, "Ac");
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_LT(records[i - 1].symbol, records[i].symbol);
    }
}

TEST(DefaultElements, TheBuiltFileHoldsTheSameTable) {
    ElementTable loaded;
    const auto result = LoadElements(loaded, std::string(TOVEL_BIN_DIR) + "/elements.dat");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(loaded.Records(), test::DefaultElements().Records());
}

LibrarySource ShippedLibrary() {
    return ReadLibrarySource(test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/data/library.txt"));
}

TEST(DefaultLibrary, EveryShippedReactionBalances) {
    const LibrarySource library = ShippedLibrary();
    ASSERT_TRUE(library.error.empty()) << library.error;
    EXPECT_GE(library.types.size(), 8u);
    std::size_t reactions = 0;
    for (const auto& type : library.types) {
        EXPECT_LE(Utf8Length(type.name), kTypeNameLimit);
        EXPECT_GE(type.entries.size(), 10u) << type.name;
        for (const auto& entry : type.entries) {
            SCOPED_TRACE(type.name + ": " + entry.reaction);
            ElementTable table = test::DefaultElements();
            test::FakeUserPort port;
            Reaction reaction;
            ASSERT_EQ(ParseReaction(reaction, entry.reaction, table, port), kReactionOk);
            EXPECT_TRUE(AutoBalance(reaction, table, port));
            EXPECT_TRUE(CheckBalance(reaction));
            EXPECT_FALSE(entry.description.empty());
            EXPECT_LE(Utf8Length(entry.description), kLibraryLineLimit);
            ++reactions;
        }
    }
    EXPECT_GE(reactions, 80u);
}

TEST(DefaultLibrary, TheBuiltFilesHoldTheSameLibrary) {
    const LibrarySource library = ShippedLibrary();
    ReactionTypes types;
    ASSERT_TRUE(types.Read(std::string(TOVEL_BIN_DIR) + "/" + kTypesFileName));
    ASSERT_EQ(types.Count(), library.types.size());
    for (std::size_t i = 0; i < types.Count(); ++i) {
        EXPECT_EQ(types.Type(i + 1).name, library.types[i].name);
        EXPECT_EQ(
            ReadReactions(std::string(TOVEL_BIN_DIR) + "/" + ReactionFileName(types.Type(i + 1))),
            library.types[i].entries);
    }
}

TEST(ElementSource, RejectsBadLines) {
    EXPECT_FALSE(ReadElementSource("1\tH\t1.008\n").error.empty());
    EXPECT_FALSE(ReadElementSource("1\tH\tx\tHidrógeno\n").error.empty());
    EXPECT_FALSE(ReadElementSource("0\tH\t1.008\tHidrógeno\n").error.empty());
    EXPECT_FALSE(ReadElementSource("1\tHyd\t1.008\tHidrógeno\n").error.empty());
    EXPECT_FALSE(ReadElementSource("1\tH\t1.008\tHidrógenoHidrógeno\n").error.empty());
    const auto ok =
        ReadElementSource("# comment\n\n8\tO\t15.999\tOxígeno\r\n1\tH\t1.008\tHidrógeno\n");
    EXPECT_TRUE(ok.error.empty());
    EXPECT_EQ(ok.table.Slot(1).symbol, "H");
}

}  // namespace
}  // namespace tovel
