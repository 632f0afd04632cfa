#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>

#include <filesystem>

#include "core/elements_file.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(ElementRecordBytes, LayoutIsLittleEndianThirtyBytes) {
    const std::string bytes = EncodeElementRecord(MakeElementRecord(0x0102, "Cl", 35.45, "Cloro"));
    ASSERT_EQ(bytes.size(), kElementRecordSize);
    EXPECT_EQ(bytes[0], '\x02');
    EXPECT_EQ(bytes[1], '\x01');
    EXPECT_EQ(bytes.substr(2, 3), std::string("\x02"
                                              "Cl",
                                              3));
    EXPECT_EQ(bytes[5], '\0');
    EXPECT_EQ(bytes.substr(6, 8), std::string("\x9a\x99\x99\x99\x99\xb9\x41\x40", 8));  // 35.45
    EXPECT_EQ(bytes.substr(14, 16), std::string("\x05"
                                                "Cloro         "
                                                "\0",
                                                16));
}

TEST(ElementRecordBytes, BlankRecordIsBlankPadded) {
    const std::string bytes = EncodeElementRecord(ElementRecord{});
    EXPECT_EQ(bytes, std::string("\0\0\0  \0", 6) + std::string(8, '\0') + std::string(1, '\0') +
                         std::string(14, ' ') + std::string(1, '\0'));
}

TEST(ElementRecordBytes, NamesAreWindows1252OnDisk) {
    const auto record = MakeElementRecord(7, "N", 14.007, "Nitrógeno");
    const std::string bytes = EncodeElementRecord(record);
    EXPECT_EQ(bytes.substr(15, 9), "Nitr\xf3geno");
    EXPECT_EQ(DecodeElementRecord(bytes), record);
}

TEST(ElementRecordBytes, CorruptFieldsAreClampedOrRepaired) {
    std::string bytes = EncodeElementRecord(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    bytes[2] = '\xff';   // symbol length
    bytes[14] = '\x7f';  // name length
    for (int i = 6; i < 14; ++i)
        bytes[i] = '\xff';  // NaN
    bool repaired = false;
    const auto record = DecodeElementRecord(bytes, &repaired);
    EXPECT_EQ(record.symbol, "H ");
    EXPECT_EQ(record.name, "Hidrógeno     ");
    EXPECT_EQ(record.atomicMass, 0.0);
    EXPECT_TRUE(repaired);
}

class ElementsFileTest : public ::testing::Test {
  protected:
    std::string path = TempDir() + "/elements.dat";
};

TEST_F(ElementsFileTest, SaveThenLoadKeepsEveryRecord) {
    ElementTable t;
    t.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    t.Add(MakeElementRecord(8, "O", 15.999, "Oxígeno"));
    t.Add(MakeElementRecord(92, "U", 238.03, "ABCDEFGHIJKLMN"));
    ASSERT_TRUE(SaveElements(t, path));
    EXPECT_EQ(std::filesystem::file_size(path), 90u);
    ElementTable loaded;
    const auto result = LoadElements(loaded, path);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.recordsInFile, 3u);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(loaded.Records(), t.Records());
}

TEST_F(ElementsFileTest, EmptyFileLoadsNoElements) {
    WriteBytes(path, "");
    ElementTable t;
    t.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    ASSERT_TRUE(LoadElements(t, path));
    EXPECT_EQ(t.Count(), 0u);
}

// A distinct symbol formulas can name for every atomic number: A, B, ..., Z, Aa, Ba, ...
std::string SymbolFor(int z) {
    std::string symbol(1, static_cast<char>('A' + z % 26));
    if (z / 26 > 0) symbol += static_cast<char>('a' + z / 26 - 1);
    return symbol;
}

TEST_F(ElementsFileTest, TrailingPartialRecordIsIgnored) {
    std::string bytes;
    for (int z = 1; z <= 3; ++z)
        bytes += EncodeElementRecord(MakeElementRecord(z, SymbolFor(z), z, "x"));
    WriteBytes(path, bytes + "12345");
    ElementTable t;
    const auto result = LoadElements(t, path);
    ASSERT_TRUE(result);
    EXPECT_EQ(t.Count(), 3u);
    EXPECT_EQ(
        LoadElementsReport(result, path),
        path + ": 3 elementos leídos de 3 registros; acaba con un registro incompleto de 5 bytes");
}

TEST_F(ElementsFileTest, RecordsNoCalculationCanUseAreRefusedAndNamed) {
    const ElementRecord records[] = {
        MakeElementRecord(26, "Fe", 55.845, "Hierro"),
        MakeElementRecord(26, "O", 15.999, "Oxígeno"),  // a second 26 would merge O into Fe
        MakeElementRecord(8, "qn", 16, "Nada"),
        MakeElementRecord(7, "N", std::numeric_limits<double>::quiet_NaN(), "Nitrógeno"),
        MakeElementRecord(1, "H", 1e308, "Hidrógeno"),
        MakeElementRecord(2, "He", -4, "Helio"),
        MakeElementRecord(3, "Li", 4.9e-324, "Litio"),  // denormal: every amount would be infinite
        MakeElementRecord(0, "C", 12.011, "Carbono"),
        MakeElementRecord(6, "Fe", 12.011, "Otro"),
        MakeElementRecord(17, "Cl", 35.45, "Cloro"),
    };
    std::string bytes;
    for (const auto& r : records)
        bytes += EncodeElementRecord(r);
    WriteBytes(path, bytes);
    ElementTable t;
    const auto result = LoadElements(t, path);
    ASSERT_TRUE(result);
    ASSERT_EQ(t.Count(), 2u);
    EXPECT_EQ(t.Slot(1).symbol, "Fe");
    EXPECT_EQ(t.Slot(2).symbol, "Cl");
    const std::vector<std::string> refused = {
        "registro 2 (O, 15.999): número atómico 26 repetido, ya en el registro 1 (Fe, 55.845)",
        "registro 3 (qn): símbolo no válido",
        "registro 4 (N): masa no válida (no es un número)",
        "registro 5 (H): masa no válida (1.000E308)",
        "registro 6 (He): masa no válida (-4.000)",
        "registro 7 (Li): masa no válida (4.941E-324)",
        "registro 8 (C): número atómico 0",
        "registro 9 (Fe, 12.011): símbolo repetido, ya en el registro 1 (Fe, 55.845)",
    };
    EXPECT_EQ(result.refused, refused);
    EXPECT_EQ(t.LeftOut(), refused);  // what a save would lose
    EXPECT_FALSE(t.FileUnreadable());
    EXPECT_EQ(
        LoadElementsReport(result, path)
            .rfind(path + ": 2 elementos leídos de 10 registros; 6 descartados: registro 3 (qn)",
                   0),
        0u);
}

TEST_F(ElementsFileTest, ARepeatedElementNamesBothRecordsAndTheOneInUse) {
    // A record planted before the real hydrogen wins: the report must say so, not merely that
    // the real one was left out.
    std::string bytes = EncodeElementRecord(MakeElementRecord(1, "H", 100, "Falso"));
    bytes += EncodeElementRecord(MakeElementRecord(8, "O", 15.999, "Oxígeno"));
    bytes += EncodeElementRecord(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    bytes += EncodeElementRecord(MakeElementRecord(9, "O", 18.998, "Flúor"));
    WriteBytes(path, bytes);
    ElementTable t;
    const auto result = LoadElements(t, path);
    ASSERT_TRUE(result);
    EXPECT_EQ(t.Count(), 2u);
    EXPECT_EQ(result.repeatedSymbol, "H");
    const std::vector<std::string> repeated = {
        "registro 3 (H, 1.008): número atómico 1 repetido, ya en el registro 1 (H, 100.000)",
        "registro 4 (O, 18.998): símbolo repetido, ya en el registro 2 (O, 15.999)",
    };
    EXPECT_EQ(result.repeated, repeated);
    EXPECT_EQ(t.LeftOut(), repeated);  // a save would lose them: it asks first
    EXPECT_EQ(LoadElementsReport(result, path),
              path + ": 2 elementos leídos de 4 registros. Elementos repetidos: " + repeated[0] +
                  "; " + repeated[1] +
                  ". Se usa el primer registro de cada elemento repetido: comprueba su masa.");

    // Four repetitions: three are named and the message keeps its end.
    for (int i = 0; i < 2; ++i)
        bytes += EncodeElementRecord(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    WriteBytes(path, bytes);
    const std::string many = RepeatedElementsText(LoadElements(t, path));
    EXPECT_EQ(many.rfind("Elementos repetidos: registro 3 (H", 0), 0u);
    EXPECT_TRUE(many.ends_with(" y 1 más")) << many;
}

TEST_F(ElementsFileTest, AFileThatCannotBeReadIsNoted) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);  // there, but no file that can be read
    ElementTable t;
    const auto result = LoadElements(t, path);
    EXPECT_FALSE(result);
    EXPECT_TRUE(t.FileUnreadable());
    EXPECT_FALSE(result.missing);
    EXPECT_NE(LoadElementsReport(result, path).find("no se ha podido leer"), std::string::npos);
    ElementTable fresh;
    EXPECT_EQ(LoadElementsReport(LoadElements(fresh, TempDir() + "/absent.dat")),
              "");  // missing: not an error
}

TEST_F(ElementsFileTest, MissingFileLeavesTheTableAsItWas) {
    ElementTable t;
    t.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    const auto result = LoadElements(t, path);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(t.Count(), 1u);
    std::filesystem::create_directory(path);  // a folder of that name
    EXPECT_FALSE(LoadElements(t, path));
    EXPECT_EQ(t.Count(), 1u);
}

TEST_F(ElementsFileTest, OversizedFileLoadsTheFirstHundredAndSaysSo) {
    std::string bytes;
    for (int z = 1; z <= 130; ++z)
        bytes += EncodeElementRecord(MakeElementRecord(z, SymbolFor(z), z, "x"));
    WriteBytes(path, bytes);
    ElementTable t;
    const auto result = LoadElements(t, path);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(result.recordsInFile, 130u);
    EXPECT_EQ(t.Count(), 100u);
    EXPECT_EQ(t.Slot(100).atomicNumber, 100);
    EXPECT_EQ(t.LeftOut(),
              (std::vector<std::string>{"30 registros más allá de los 100 que caben"}));
}

TEST_F(ElementsFileTest, FailedSaveKeepsTheOldFile) {
    ElementTable t;
    t.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    ASSERT_TRUE(SaveElements(t, path));
    const std::string before = ReadBytes(path);
    const auto failed = SaveElements(t, TempDir() + "/missing-folder/elements.dat");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_EQ(ReadBytes(path), before);
    // No temporary files are left behind.
    std::size_t files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace tovel
