#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "linord/line_sorter.h"
#include "tests/support/test_support.h"

namespace linord {
namespace {

using Lines = std::vector<std::string>;

TEST(SortBlocks, ByFirstLineCaseInsensitively) {
    EXPECT_EQ(SortBlocks({"beta", "Alpha", "gamma"}, 1), (Lines{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(SortBlocks({"zinc", "1", "argon", "2"}, 2), (Lines{"argon", "2", "zinc", "1"}));
    EXPECT_EQ(SortBlocks({"  b", "a  "}, 1),
              (Lines{"a  ", "  b"}));  // blanks at the ends do not count
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

// Every block is placed by its first line, also one whose first line is blank: it sorts first,
// wherever it stood.
TEST(SortBlocks, BlankFirstLinesSortFirst) {
    EXPECT_EQ(SortBlocks({"b", "1", "", "zeta", "a", "2"}, 2),
              (Lines{"", "zeta", "a", "2", "b", "1"}));
    EXPECT_EQ(SortBlocks({"b", "  ", "a", ""}, 1), (Lines{"  ", "", "a", "b"}));
}

TEST(SortBlocks, AccentedCapitalsAfterZ) {
    // Windows-1252: Á is 0xC1.
    EXPECT_EQ(SortBlocks({"\xc1gua", "Zeta", "agua"}, 1), (Lines{"agua", "Zeta", "\xc1gua"}));
    EXPECT_EQ(SortBlocks({"ab", "a"}, 1), (Lines{"a", "ab"}));  // a prefix is smaller
}

// The sorted text differs from the original only in the order of its blocks.
TEST(SortText, KeepsTheLineEnds) {
    EXPECT_EQ(SortText("b\na\n", 1), "a\nb\n");
    EXPECT_EQ(SortText("b\r\na\r\n", 1), "a\r\nb\r\n");
    EXPECT_EQ(SortText("b\r\na\n", 1), "a\nb\r\n");    // each line its own
    EXPECT_EQ(SortText("b\rx\na\n", 1), "a\nb\rx\n");  // a lone CR belongs to its line
    EXPECT_EQ(SortText("", 2), "");
    EXPECT_EQ(SortText("\n", 1), "\n");
}

TEST(SortText, AddsNoFinalLineEnd) {
    EXPECT_EQ(SortText("b\na", 1), "a\nb");
    EXPECT_EQ(SortText("zinc\r\n1\r\nargon\r\n2", 2), "argon\r\n2\r\nzinc\r\n1");
    EXPECT_EQ(SortText("x", 1), "x");
    EXPECT_EQ(SortText("a\nb", 1), "a\nb");
}

// The empty lines that complete a last block take the file's line end, as does the last line
// when it moves up; the text still ends as it did.
TEST(SortText, CompletedBlocks) {
    EXPECT_EQ(SortText("c\n1\nb\n2\na\n", 2), "a\n\nb\n2\nc\n1\n");
    EXPECT_EQ(SortText("c\r\n1\r\nb\r\n2\r\na", 2), "a\r\n\r\nb\r\n2\r\nc\r\n1");
    EXPECT_EQ(SortText("c\n1\na", 2), "a\n\nc\n1");
    EXPECT_EQ(SortText("b\n1\na\n2\nc", 2), "a\n2\nb\n1\nc\n");
    EXPECT_EQ(SortText("a", 2), "a\r\n");  // no line end to follow: the program's own
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
    EXPECT_EQ(file, "a.txt");
    EXPECT_EQ(n, 3u);
    // A file name with blanks: the last word is N, never a part of the name.
    ASSERT_TRUE(SplitCommandLine("Zq/mis reacciones.zq 2", file, n));
    EXPECT_EQ(file, "Zq/mis reacciones.zq");
    EXPECT_EQ(n, 2u);
    ASSERT_TRUE(SplitCommandLine("lib.zq 2 3", file, n));
    EXPECT_EQ(file, "lib.zq 2");
    EXPECT_EQ(n, 3u);
    for (const char* bad :
         {"a.txt", "a.txt x", "a.txt 0", "a.txt -1", " a.txt 2", "a.txt 2.5", "a.txt "}) {
        EXPECT_FALSE(SplitCommandLine(bad, file, n)) << bad;
    }
}

// The real program, run in a folder of its own without its message boxes. A run that hangs is
// ended, so that it fails the test instead of outliving it.
class LinordProgram : public ::testing::Test {
  protected:
    std::string Run(const std::string& args, const std::string& before = "",
                    const std::string& quiet = "LINORD_QUIET=1 ") {
        const std::string out =
            dir + "/../" + std::filesystem::path(dir).filename().string() + ".out";
        const std::string command = "cd '" + dir + "' && " + before + quiet + "timeout -k 5 100 '" +
                                    std::string(TOVEL_BIN_DIR) + "/Linord' " + args + " > '" + out +
                                    "' 2>&1";
        status = std::system(command.c_str());
        const std::string printed = tovel::test::ReadBytes(out);
        std::filesystem::remove(out);
        return printed;
    }
    std::string Read(const std::string& name) { return tovel::test::ReadBytes(dir + "/" + name); }
    void Write(const std::string& name, const std::string& bytes, mode_t mode = 0644) {
        tovel::test::WriteBytes(dir + "/" + name, bytes);
        ASSERT_EQ(::chmod((dir + "/" + name).c_str(), mode), 0) << name;
    }
    mode_t Mode(const std::string& name) {
        struct stat info {};
        EXPECT_EQ(::stat((dir + "/" + name).c_str(), &info), 0) << name;
        return info.st_mode & 07777;
    }
    // The names in a folder of dir, sorted, hidden ones too: nothing is left behind.
    std::vector<std::string> Names(const std::string& folder = ".") {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir + "/" + folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir = tovel::test::TempDir();
    int status = 0;
};

using FileNames = std::vector<std::string>;

// Without a display there is no box to show, and none that could be answered: the outcome is
// written, and the window mode says why it cannot open.
TEST_F(LinordProgram, WithoutADisplayWritesWhatItWouldShow) {
    const std::string headless =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LINORD_QUIET ";
    tovel::test::WriteBytes(dir + "/lib.zq", "b\r\n1\r\na\r\n2\r\n");
    EXPECT_EQ(Run("lib.zq 2", headless, ""), "Sorted: lib.zq back: lib.~zq\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run("missing.zq 2", headless, ""), "Not found: missing.zq\n");
    EXPECT_NE(status, 0);
    EXPECT_EQ(Run("", headless, "")
                  .rfind("Linord: no display to show the window on.\nUsage: Linord FILE N", 0),
              0u);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    // A platform that draws nowhere could never have its box answered either.
    EXPECT_EQ(Run("lib.zq 2", headless + "QT_QPA_PLATFORM=offscreen ", ""),
              "Sorted: lib.zq back: lib.~zq\n");
}

TEST_F(LinordProgram, HelpAndVersion) {
    EXPECT_EQ(Run("--version"), std::string("Linord ") + TOVEL_VERSION + "\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run("--help").rfind("Usage: Linord FILE N", 0), 0u);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Names(), FileNames{});
}

TEST_F(LinordProgram, SortsInPlaceWithABackup) {
    tovel::test::WriteBytes(dir + "/notes.txt", "zinc\r\n1\r\nargon\r\n2\r\n");
    tovel::test::WriteBytes(dir + "/notes.~tx", "older backup");
    EXPECT_EQ(Run("notes.txt 2"), "Sorted: notes.txt back: notes.~tx\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read("notes.txt"), "argon\r\n2\r\nzinc\r\n1\r\n");
    EXPECT_EQ(Read("notes.~tx"), "zinc\r\n1\r\nargon\r\n2\r\n");
    EXPECT_EQ(Names(), (FileNames{"notes.txt", "notes.~tx"}));
}

// A name with a blank, as tovel passes it (one argument): that file is sorted, and a file named
// after the name's first word is not touched.
TEST_F(LinordProgram, AFileNameWithABlankIsThatFile) {
    Write("mis reacciones.zq", "zinc\r\n1\r\nargon\r\n2\r\n");
    Write("mis", "b\r\na\r\n");
    EXPECT_EQ(Run("'mis reacciones.zq' 2"), "Sorted: mis reacciones.zq back: mis reacciones.~zq\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read("mis reacciones.zq"), "argon\r\n2\r\nzinc\r\n1\r\n");
    EXPECT_EQ(Read("mis"), "b\r\na\r\n");
}

// The sorted text goes to a temporary file of its own beside the file: a file the user called
// New.txt is not touched, in the current folder or the file's.
TEST_F(LinordProgram, LeavesOtherFilesAlone) {
    Write("New.txt", "mine\n", 0600);
    std::filesystem::create_directory(dir + "/Zq");
    Write("Zq/New.txt", "mine too\n");
    Write("Zq/gases.zq", "b\r\na\r\n");
    EXPECT_EQ(Run("Zq/gases.zq 1"), "Sorted: Zq/gases.zq back: Zq/gases.~zq\n");
    EXPECT_EQ(Read("Zq/gases.zq"), "a\r\nb\r\n");
    EXPECT_EQ(Read("New.txt"), "mine\n");
    EXPECT_EQ(Mode("New.txt"), 0600u);
    EXPECT_EQ(Read("Zq/New.txt"), "mine too\n");
    EXPECT_EQ(Names(), (FileNames{"New.txt", "Zq"}));
    EXPECT_EQ(Names("Zq"), (FileNames{"New.txt", "gases.zq", "gases.~zq"}));
}

// The sorted file and its backup keep the permissions the file had: a private file stays
// private.
TEST_F(LinordProgram, KeepsTheFilesPermissions) {
    for (const mode_t kept : {mode_t{0600}, mode_t{0640}, mode_t{0755}, mode_t{0664}}) {
        Write("lib.zq", "zinc\r\n1\r\nargon\r\n2\r\n", kept);
        Write("lib.~zq", "older backup", 0644);
        EXPECT_EQ(Run("lib.zq 2"), "Sorted: lib.zq back: lib.~zq\n");
        EXPECT_EQ(Read("lib.zq"), "argon\r\n2\r\nzinc\r\n1\r\n");
        EXPECT_EQ(Read("lib.~zq"), "zinc\r\n1\r\nargon\r\n2\r\n");
        EXPECT_EQ(Mode("lib.zq"), kept);
        EXPECT_EQ(Mode("lib.~zq"), kept);
        EXPECT_EQ(Names(), (FileNames{"lib.zq", "lib.~zq"}));
        std::filesystem::remove(dir + "/lib.zq");
        std::filesystem::remove(dir + "/lib.~zq");
    }
    // Root sorting a user's file leaves it the user's.
    if (::geteuid() != 0) return;
    Write("lib.zq", "b\na\n", 0600);
    ASSERT_EQ(::chown((dir + "/lib.zq").c_str(), 65534, 65534), 0);
    Run("lib.zq 1");
    for (const char* name : {"lib.zq", "lib.~zq"}) {
        struct stat info {};
        ASSERT_EQ(::stat((dir + "/" + name).c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u) << name;
        EXPECT_EQ(info.st_gid, 65534u) << name;
        EXPECT_EQ(info.st_mode & 07777, 0600u) << name;
    }
}

// A file nobody may write is refused whoever runs the program, root too.
TEST_F(LinordProgram, RefusesAReadOnlyFile) {
    for (const mode_t readOnly : {mode_t{0444}, mode_t{0400}, mode_t{0555}}) {
        Write("lib.zq", "b\r\na\r\n", readOnly);
        EXPECT_EQ(Run("lib.zq 1"), "Linord: The file is read-only: lib.zq\n");
        EXPECT_NE(status, 0);
        EXPECT_EQ(Read("lib.zq"), "b\r\na\r\n");
        EXPECT_EQ(Mode("lib.zq"), readOnly);
        EXPECT_EQ(Names(), (FileNames{"lib.zq"}));
        ASSERT_EQ(::chmod((dir + "/lib.zq").c_str(), 0644), 0);
        std::filesystem::remove(dir + "/lib.zq");
    }
    // A read-only backup is one the user means to keep: the file is not sorted over it.
    Write("lib.zq", "b\r\na\r\n");
    Write("lib.~zq", "first version\r\n", 0444);
    EXPECT_EQ(Run("lib.zq 1"), "Linord: The backup is read-only, and is kept: lib.~zq\n");
    EXPECT_NE(status, 0);
    EXPECT_EQ(Read("lib.~zq"), "first version\r\n");
    EXPECT_EQ(Read("lib.zq"), "b\r\na\r\n");
    EXPECT_EQ(Names(), (FileNames{"lib.zq", "lib.~zq"}));
}

// A sort ended by a signal it can catch, where it has the most written: both temporary files
// are removed, the file and its folder are as they were, and the process ends by that signal.
TEST_F(LinordProgram, ASignalLeavesNoTemporaryFile) {
    Write("lib.zq", "b\na\n");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemoveTemporariesOnSignals();
            SortFile(dir + "/lib.zq", 1, [signal] { ::raise(signal); });
            ::_exit(0);
        }
        int how = 0;
        ASSERT_EQ(::waitpid(child, &how, 0), child);
        EXPECT_TRUE(WIFSIGNALED(how) && WTERMSIG(how) == signal) << signal;
        EXPECT_EQ(Names(), (FileNames{"lib.zq"})) << signal;
        EXPECT_EQ(Read("lib.zq"), "b\na\n");
    }
}

// A link stays a link: the file it points to is sorted, beside itself; the backup is named after
// the link.
TEST_F(LinordProgram, SortsTheFileALinkPointsTo) {
    std::filesystem::create_directory(dir + "/real");
    Write("real/lib.zq", "b\na\n", 0640);
    std::filesystem::create_symlink("real/lib.zq", dir + "/lib.zq");
    EXPECT_EQ(Run("lib.zq 1"), "Sorted: lib.zq back: lib.~zq\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/lib.zq"));
    EXPECT_EQ(std::filesystem::read_symlink(dir + "/lib.zq"), "real/lib.zq");
    EXPECT_EQ(Read("real/lib.zq"), "a\nb\n");
    EXPECT_EQ(Mode("real/lib.zq"), 0640u);
    EXPECT_FALSE(std::filesystem::is_symlink(dir + "/lib.~zq"));
    EXPECT_EQ(Read("lib.~zq"), "b\na\n");
    EXPECT_EQ(Mode("lib.~zq"), 0640u);
    EXPECT_EQ(Names(), (FileNames{"lib.zq", "lib.~zq", "real"}));
    EXPECT_EQ(Names("real"), (FileNames{"lib.zq"}));

    // A link to its own backup name would lose the backup under the sorted text.
    std::filesystem::create_symlink("self.~zq", dir + "/self.zq");
    Write("self.~zq", "b\na\n");
    EXPECT_EQ(Run("self.zq 1"), "Linord: The backup would replace the file itself: self.~zq\n");
    EXPECT_EQ(Read("self.~zq"), "b\na\n");
}

// The backup holds the file's exact bytes, and the sorted file differs from them only in the
// order of its blocks.
TEST_F(LinordProgram, KeepsTheBytesAndLineEnds) {
    Write("empty.txt", "");
    EXPECT_EQ(Run("empty.txt 2"), "Sorted: empty.txt back: empty.~tx\n");
    EXPECT_EQ(Read("empty.txt"), "");
    EXPECT_EQ(Read("empty.~tx"), "");
    Write("lf.zq", "b\na\n");
    Run("lf.zq 1");
    EXPECT_EQ(Read("lf.zq"), "a\nb\n");
    EXPECT_EQ(Read("lf.~zq"), "b\na\n");
    const std::string unsorted = "\xd3xido\r\nO\r\n\xe1gua\r\n\xc1\r\n  c\xf3\x64igo\t\r\nx";
    Write("w.txt", unsorted);
    Run("w.txt 2");
    EXPECT_EQ(Read("w.txt"), "  c\xf3\x64igo\t\r\nx\r\n\xd3xido\r\nO\r\n\xe1gua\r\n\xc1");
    EXPECT_EQ(Read("w.~tx"), unsorted);
}

// NUL bytes mean the file is not text; it is left as it was, and so is its older backup.
TEST_F(LinordProgram, RefusesABinaryFile) {
    const std::string binary("b\0\x01\xff\r\na\n\0", 9);
    Write("data.bin", binary);
    Write("data.~bi", "older backup");
    EXPECT_EQ(Run("data.bin 1"), "Linord: Not a text file (it holds NUL bytes): data.bin\n");
    EXPECT_NE(status, 0);
    EXPECT_EQ(Read("data.bin"), binary);
    EXPECT_EQ(Read("data.~bi"), "older backup");
    EXPECT_EQ(Names(), (FileNames{"data.bin", "data.~bi"}));
}

// Opening a pipe for reading waits for a writer: it is refused before, as is a device.
TEST_F(LinordProgram, RefusesWhatIsNotARegularFile) {
    ASSERT_EQ(::mkfifo((dir + "/pipe.txt").c_str(), 0644), 0);
    EXPECT_EQ(Run("pipe.txt 1"), "Linord: Not a regular file: pipe.txt\n");
    EXPECT_NE(status, 0);
    EXPECT_EQ(Names(), (FileNames{"pipe.txt"}));
    std::filesystem::create_symlink("pipe.txt", dir + "/link.txt");
    EXPECT_EQ(Run("link.txt 1"), "Linord: Not a regular file: link.txt\n");
    EXPECT_EQ(Run("/dev/null 1"), "Linord: Not a regular file: /dev/null\n");
    std::filesystem::create_directory(dir + "/folder.zq");
    EXPECT_EQ(Run("folder.zq 1"), "Not found: folder.zq\n");
}

// A write that fails (here beyond the file-size limit) is reported with the system's reason; the
// file, its older backup and the folder stay as they were.
TEST_F(LinordProgram, AFailedWriteLeavesTheFile) {
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "line " + std::to_string(5000 - i) + " of a long library\r\n";
    Write("big.txt", big);
    Write("big.~tx", "older backup");
    EXPECT_EQ(Run("big.txt 1", "ulimit -f 40 && "),
              "Linord: Cannot write big.txt: File too large\n");
    EXPECT_NE(status, 0);
    EXPECT_EQ(Read("big.txt"), big);
    EXPECT_EQ(Read("big.~tx"), "older backup");
    EXPECT_EQ(Names(), (FileNames{"big.txt", "big.~tx"}));
}

TEST_F(LinordProgram, AFolderItCannotWriteIn) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write in any folder";
    std::filesystem::create_directory(dir + "/locked");
    Write("locked/lib.zq", "b\na\n");
    ASSERT_EQ(::chmod((dir + "/locked").c_str(), 0555), 0);
    EXPECT_EQ(Run("locked/lib.zq 1"), "Linord: Cannot write locked/lib.zq: Permission denied\n");
    ASSERT_EQ(::chmod((dir + "/locked").c_str(), 0755), 0);
    EXPECT_EQ(Read("locked/lib.zq"), "b\na\n");
    EXPECT_EQ(Names("locked"), (FileNames{"lib.zq"}));
}

// A library of many thousand reactions: the run must simply end, with the file sorted. Every
// key appears twice, in two spellings, and the first one stays first.
TEST_F(LinordProgram, SortsALargeFile) {
    constexpr int kLines = 300000;
    constexpr int kKeys = kLines / 2;
    auto line = [](int key, bool second) {
        char text[32];
        std::snprintf(text, sizeof text, second ? " KEY%06d\t" : "key%06d", key);
        return std::string(text);
    };
    std::string unsorted;
    for (int i = 0; i < kLines; ++i) {
        unsorted += line(static_cast<int>((i * 7919LL) % kKeys), i >= kKeys) + "\r\n";
    }
    std::string sorted;
    for (int key = 0; key < kKeys; ++key)
        sorted += line(key, false) + "\r\n" + line(key, true) + "\r\n";
    Write("large.txt", unsorted);
    EXPECT_EQ(Run("large.txt 1"), "Sorted: large.txt back: large.~tx\n");
    EXPECT_TRUE(Read("large.txt") == sorted);
    EXPECT_TRUE(Read("large.~tx") == unsorted);
}

TEST_F(LinordProgram, RefusesWhatItCannotDo) {
    EXPECT_EQ(Run("absent.txt 2"), "Not found: absent.txt\n");
    EXPECT_NE(status, 0);
    std::filesystem::create_symlink("absent.txt", dir + "/dangling.txt");
    EXPECT_EQ(Run("dangling.txt 2"), "Not found: dangling.txt\n");
    tovel::test::WriteBytes(dir + "/noext", "b\na\n");
    EXPECT_EQ(Run("noext 1"), "Linord: The file name has no extension: noext\n");
    EXPECT_EQ(Read("noext"), "b\na\n");
    EXPECT_EQ(Run("noext"),
              "Linord: Usage: Linord FILE N  (N: lines per block, a whole number from 1)\n");
    EXPECT_EQ(Run("noext x"),
              "Linord: Usage: Linord FILE N  (N: lines per block, a whole number from 1)\n");
    EXPECT_EQ(Read("noext"), "b\na\n");
}

}  // namespace
}  // namespace linord
