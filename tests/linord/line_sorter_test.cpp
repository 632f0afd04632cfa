#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "line_sorter.h"
#include "test_support.h"

namespace linord {
namespace {

using Lines = std::vector<std::string>;

TEST(SortBlocks, ByFirstLineCaseInsensitively) {
    EXPECT_EQ(SortBlocks({"beta", "Alpha", "gamma"}, 1), (Lines{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(SortBlocks({"zinc", "1", "argon", "2"}, 2), (Lines{"argon", "2", "zinc", "1"}));
    EXPECT_EQ(SortBlocks({"  b", "a  "}, 1), (Lines{"a  ", "  b"}));  // blanks at the ends do not count
}

TEST(SortBlocks, TheLastBlockIsCompleted) {
    const Lines sorted = SortBlocks({"c", "1", "b", "2", "a"}, 2);
    EXPECT_EQ(sorted, (Lines{"a", "", "b", "2", "c", "1"}));
}

TEST(SortBlocks, EqualFirstLinesKeepTheirOrder) {
    EXPECT_EQ(SortBlocks({"x", "first", "X", "second", "a", "0"}, 2),
              (Lines{"a", "0", "x", "first", "X", "second"}));
    EXPECT_EQ(SortBlocks({"Same", "same", "SAME"}, 1), (Lines{"Same", "same", "SAME"}));
    EXPECT_EQ(SortBlocks({"q", "", "q", ""}, 2), (Lines{"q", "", "q", ""}));
}

TEST(SortBlocks, AccentedCapitalsAfterZ) {
    // Windows-1252: Á is 0xC1.
    EXPECT_EQ(SortBlocks({"\xc1gua", "Zeta", "agua"}, 1), (Lines{"agua", "Zeta", "\xc1gua"}));
    EXPECT_EQ(SortBlocks({"ab", "a"}, 1), (Lines{"a", "ab"}));  // a prefix is smaller
}

TEST(SplitLines, CrLfAndLf) {
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(BackupName, FromTheLastDotOfTheFileName) {
    EXPECT_EQ(BackupName("lib.zq"), "lib.~zq");
    EXPECT_EQ(BackupName("notes.txt"), "notes.~tx");
    EXPECT_EQ(BackupName("Zq/gases.zq"), "Zq/gases.~zq");
    EXPECT_EQ(BackupName("my.dir/list.txt"), "my.dir/list.~tx");
    EXPECT_EQ(BackupName("my.dir/list"), "");
    EXPECT_EQ(BackupName("README"), "");
}

TEST(SplitCommandLine, FileAndCount) {
    std::string file;
    std::size_t n = 0;
    ASSERT_TRUE(SplitCommandLine("Zq/gases.zq 2", file, n));
    EXPECT_EQ(file, "Zq/gases.zq");
    EXPECT_EQ(n, 2u);
    ASSERT_TRUE(SplitCommandLine("a.txt   3  ", file, n));
    EXPECT_EQ(n, 3u);
    for (const char* bad : {"a.txt", "a.txt x", "a.txt 0", "a.txt -1", " a.txt 2", "a.txt 2.5", "a.txt "}) {
        EXPECT_FALSE(SplitCommandLine(bad, file, n)) << bad;
    }
}

// The real program, run in a folder of its own without its message boxes.
class LinordProgram : public ::testing::Test {
protected:
    std::string Run(const std::string& args) {
        const std::string out = dir + "/out.txt";
        const std::string command = "cd '" + dir + "' && LINORD_QUIET=1 '" + std::string(TOVEL_BIN_DIR) +
                                    "/Linord' " + args + " > '" + out + "' 2>&1";
        status = std::system(command.c_str());
        return tovel::test::ReadBytes(out);
    }
    std::string Read(const std::string& name) { return tovel::test::ReadBytes(dir + "/" + name); }

    std::string dir = tovel::test::TempDir();
    int status = 0;
};

TEST_F(LinordProgram, SortsInPlaceWithABackup) {
    tovel::test::WriteBytes(dir + "/notes.txt", "zinc\r\n1\r\nargon\r\n2\r\n");
    tovel::test::WriteBytes(dir + "/notes.~tx", "older backup");
    EXPECT_EQ(Run("notes.txt 2"), "Sorted: notes.txt back: notes.~tx\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read("notes.txt"), "argon\r\n2\r\nzinc\r\n1\r\n");
    EXPECT_EQ(Read("notes.~tx"), "zinc\r\n1\r\nargon\r\n2\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/New.txt"));
}

// The sorted file and its backup keep the permissions the file had, also when it is read-only
// (a file in a writable folder is replaced, not written into).
TEST_F(LinordProgram, KeepsTheFilesPermissions) {
    auto mode = [&](const std::string& name) {
        struct stat info {};
        EXPECT_EQ(::stat((dir + "/" + name).c_str(), &info), 0) << name;
        return info.st_mode & 07777;
    };
    for (const mode_t kept : {mode_t{0444}, mode_t{0640}, mode_t{0755}}) {
        tovel::test::WriteBytes(dir + "/lib.zq", "zinc\r\n1\r\nargon\r\n2\r\n");
        tovel::test::WriteBytes(dir + "/lib.~zq", "older backup");
        ASSERT_EQ(::chmod((dir + "/lib.zq").c_str(), kept), 0);
        ASSERT_EQ(::chmod((dir + "/lib.~zq").c_str(), 0600), 0);
        EXPECT_EQ(Run("lib.zq 2"), "Sorted: lib.zq back: lib.~zq\n");
        EXPECT_EQ(Read("lib.zq"), "argon\r\n2\r\nzinc\r\n1\r\n");
        EXPECT_EQ(Read("lib.~zq"), "zinc\r\n1\r\nargon\r\n2\r\n");
        EXPECT_EQ(mode("lib.zq"), kept);
        EXPECT_EQ(mode("lib.~zq"), kept);
        EXPECT_FALSE(std::filesystem::exists(dir + "/New.txt"));
        std::filesystem::remove(dir + "/lib.zq");
        std::filesystem::remove(dir + "/lib.~zq");
    }
    // A file in another folder, as the library sorts Zq/<type>.zq.
    std::filesystem::create_directory(dir + "/Zq");
    tovel::test::WriteBytes(dir + "/Zq/gases.zq", "b\r\na\r\n");
    ASSERT_EQ(::chmod((dir + "/Zq/gases.zq").c_str(), 0444), 0);
    Run("Zq/gases.zq 1");
    EXPECT_EQ(Read("Zq/gases.zq"), "a\r\nb\r\n");
    EXPECT_EQ(mode("Zq/gases.zq"), 0444u);
    EXPECT_EQ(mode("Zq/gases.~zq"), 0444u);
}

TEST_F(LinordProgram, EmptyFileAndLfLines) {
    tovel::test::WriteBytes(dir + "/empty.txt", "");
    Run("empty.txt 2");
    EXPECT_EQ(Read("empty.txt"), "");
    EXPECT_EQ(Read("empty.~tx"), "");
    tovel::test::WriteBytes(dir + "/lf.zq", "b\na\n");
    Run("lf.zq 1");
    EXPECT_EQ(Read("lf.zq"), "a\r\nb\r\n");
}

TEST_F(LinordProgram, RefusesWhatItCannotDo) {
    EXPECT_EQ(Run("absent.txt 2"), "Not found: absent.txt\n");
    EXPECT_NE(status, 0);
    tovel::test::WriteBytes(dir + "/noext", "b\na\n");
    EXPECT_EQ(Run("noext 1"), "Linord: The file name has no extension: noext\n");
    EXPECT_EQ(Read("noext"), "b\na\n");
    EXPECT_EQ(Run("noext"), "Linord: Usage: Linord FILE N  (N: lines per block, a whole number from 1)\n");
    EXPECT_EQ(Run("noext x"), "Linord: Usage: Linord FILE N  (N: lines per block, a whole number from 1)\n");
    EXPECT_EQ(Read("noext"), "b\na\n");
}

}  // namespace
}  // namespace linord
