#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <clocale>
#include <filesystem>

#include "core/file_guard.h"
#include "core/safe_file.h"
#include "core/system_error.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::ReadBytes;
using test::TempDir;

TEST(SafeFile, WritesAndReplaces) {
    const std::string path = TempDir() + "/data.bin";
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0nd", 6)));
    EXPECT_EQ(ReadBytes(path), std::string("sec\0nd", 6));
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // the permissions of the file it replaced
}

TEST(SafeFile, ReadsOnlyWhatWasAskedFor) {
    const std::string path = TempDir() + "/big.bin";
    ASSERT_TRUE(WriteFileAtomically(path, std::string(1000, 'z')));
    const ReadResult read = ReadFilePrefix(path, 30);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.bytes.size(), 30u);
    EXPECT_EQ(read.fileSize, 1000u);
}

TEST(SafeFile, ReportsWhatCannotBeDone) {
    const std::string dir = TempDir();
    EXPECT_FALSE(ReadFilePrefix(dir + "/absent", 10));
    EXPECT_FALSE(ReadFilePrefix(dir, 10));  // a folder
    const FileResult write = WriteFileAtomically(dir + "/no/such/folder", "x");
    EXPECT_FALSE(write);
    // In Spanish whatever the locale, with the file's name.
    ::setlocale(LC_ALL, "C");
    EXPECT_EQ(ReadFilePrefix(dir + "/absent", 10).error,
              "No se puede abrir " + dir + "/absent: no existe");
    EXPECT_EQ(ReadFilePrefix(dir, 10).error, "No es un fichero normal: " + dir);
    EXPECT_EQ(write.error.rfind("No se puede escribir " + dir + "/no/such/folder", 0), 0u);
    EXPECT_NE(write.error.find(": no existe"), std::string::npos);
}

// A link to itself, or a ring of links, names no file: it is refused as a pipe is, never thrown
// over, and never replaced by a file of its own.
TEST(SafeFile, LinkLoopsAreNoFiles) {
    const std::string dir = TempDir();
    const std::string self = dir + "/Conf.txt";
    const std::string ring = dir + "/a.rel";
    ASSERT_EQ(::symlink("Conf.txt", self.c_str()), 0);
    ASSERT_EQ(::symlink("b.rel", ring.c_str()), 0);
    ASSERT_EQ(::symlink("a.rel", (dir + "/b.rel").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere.txt", (dir + "/dangling.txt").c_str()), 0);
    for (const std::string& loop : {self, ring}) {
        SCOPED_TRACE(loop);
        EXPECT_EQ(KindOfPath(loop), PathKind::Other);
        EXPECT_TRUE(PathPresent(loop));
        EXPECT_FALSE(ReadFilePrefix(loop, 10));
        const FileResult saved = WriteFileAtomically(loop, "1");
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.error, "No se puede guardar: no es un fichero normal: " + loop);
        struct stat info {};
        ASSERT_EQ(::lstat(loop.c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));  // still the link it was
    }
    // A broken link names a file that is not there yet; a save makes it.
    EXPECT_EQ(KindOfPath(dir + "/dangling.txt"), PathKind::Missing);
    EXPECT_TRUE(PathPresent(dir + "/dangling.txt"));
    EXPECT_FALSE(PathPresent(dir + "/absent.txt"));
    EXPECT_EQ(KindOfPath(dir), PathKind::Folder);
}

TEST(SystemErrors, AreToldInSpanish) {
    EXPECT_EQ(SystemErrorText(EACCES), "no hay permiso");
    EXPECT_EQ(SystemErrorText(ENOSPC), "no queda espacio en el disco");
    EXPECT_EQ(SystemErrorText(EROFS), "el disco es de solo lectura");
    EXPECT_EQ(SystemErrorText(9999), "error del sistema número 9999");
}

TEST(SafeFile, NeverWaitsForWhatIsNoFile) {
    const std::string pipe = TempDir() + "/Conf.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const ReadResult read = ReadFilePrefix(pipe, 10);  // would block for ever on open()
    EXPECT_FALSE(read);
    EXPECT_EQ(read.error, "No es un fichero normal: " + pipe);
    EXPECT_FALSE(WriteFileAtomically(pipe, "1"));
    struct stat info {};
    ASSERT_EQ(::lstat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));  // left as it was
}

TEST(SafeFile, SavesThroughLinksAndRespectsReadOnlyFiles) {
    const std::string dir = TempDir();
    ASSERT_TRUE(WriteFileAtomically(dir + "/real.txt", "old"));
    ::chmod((dir + "/real.txt").c_str(), 0600);
    ASSERT_EQ(::symlink("real.txt", (dir + "/link.txt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir + "/link.txt", "new"));
    struct stat info {};
    ASSERT_EQ(::lstat((dir + "/link.txt").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));  // still a link
    EXPECT_EQ(ReadBytes(dir + "/real.txt"), "new");
    ::stat((dir + "/real.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    ::chmod((dir + "/real.txt").c_str(), 0444);
    const FileResult refused = WriteFileAtomically(dir + "/real.txt", "newer");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error,
              "No se puede guardar: el fichero es de solo lectura: " + dir + "/real.txt");
    EXPECT_EQ(ReadBytes(dir + "/real.txt"), "new");
    ::chmod((dir + "/real.txt").c_str(), 0600);
}

// A save notices another window's save since the file was read, and does what the user says.
TEST(SafeFile, ASaveOverAnotherWindowsSaveAsksFirst) {
    const std::string path = TempDir() + "/comps.rel";
    ASSERT_TRUE(WriteFileAtomically(path, "read"));
    FileStamp stamp = StampOf(path);
    test::FakeUserPort port;
    int writes = 0;
    const auto write = [&] {
        ++writes;
        return WriteFileAtomically(path, "mine " + std::to_string(writes));
    };
    // Unchanged: written without a question, and the stamp follows the file.
    ASSERT_EQ(SaveUnlessChanged(path, stamp, port, write, nullptr), SaveOutcome::Saved);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(stamp, StampOf(path));
    ASSERT_EQ(SaveUnlessChanged(path, stamp, port, write, nullptr), SaveOutcome::Saved);
    EXPECT_TRUE(port.messages.empty());

    // Another window saves: each answer does what its button says.
    const std::pair<int, SaveOutcome> answers[] = {{kAnswerCancel, SaveOutcome::Cancelled},
                                                   {kAnswerYes, SaveOutcome::Reload},
                                                   {kAnswerNo, SaveOutcome::Saved}};
    for (const auto& [answer, outcome] : answers) {
        ASSERT_TRUE(WriteFileAtomically(path, "theirs"));
        port.answers = {answer};
        EXPECT_EQ(SaveUnlessChanged(path, stamp, port, write, nullptr), outcome);
        EXPECT_EQ(ReadBytes(path), outcome == SaveOutcome::Saved ? "mine 3" : "theirs");
        const Message& asked = test::LastMessage(port);
        EXPECT_EQ(asked.caption, "Fichero cambiado");
        EXPECT_EQ(asked.buttonTexts,
                  (std::vector<std::string>{"Volver a leer", "Guardar encima", "Cancelar"}));
        EXPECT_EQ(asked.defaultAnswer, int(kAnswerCancel));
        EXPECT_EQ(asked.text.rfind(path + " ha cambiado desde que esta ventana lo leyó", 0), 0u);
    }
    // A file removed since it was read is a change too; one that was missing and still is, not.
    std::filesystem::remove(path);
    port.answers = {kAnswerCancel};
    EXPECT_EQ(SaveUnlessChanged(path, stamp, port, write, nullptr), SaveOutcome::Cancelled);
    FileStamp absent = StampOf(TempDir() + "/absent.rel");
    const std::size_t asked = port.messages.size();
    EXPECT_EQ(SaveUnlessChanged(
                  TempDir() + "/absent.rel", absent, port,
                  [&] { return WriteFileAtomically(TempDir() + "/absent.rel", "new"); }, nullptr),
              SaveOutcome::Saved);
    EXPECT_EQ(port.messages.size(), asked);
}

TEST(SafeFile, AppendingAddsInPlaceAndRefusesWhatItMayNotWrite) {
    const std::string dir = TempDir();
    ASSERT_TRUE(AppendToFile(dir + "/new.txt", "a"));
    ASSERT_TRUE(AppendToFile(dir + "/new.txt", "b"));
    EXPECT_EQ(ReadBytes(dir + "/new.txt"), "ab");
    test::WriteBytes(dir + "/kept.txt", "mine");
    ::chmod((dir + "/kept.txt").c_str(), 0444);  // refused even where root could write it
    const FileResult readOnly = AppendToFile(dir + "/kept.txt", "x");
    EXPECT_FALSE(readOnly);
    EXPECT_EQ(readOnly.error,
              "No se puede escribir en " + dir + "/kept.txt: el fichero es de solo lectura");
    EXPECT_EQ(ReadBytes(dir + "/kept.txt"), "mine");
    ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
    EXPECT_FALSE(AppendToFile(dir + "/pipe", "x"));  // no reader: refused, never waited for
    std::filesystem::create_directory(dir + "/folder");
    EXPECT_FALSE(AppendToFile(dir + "/folder", "x"));
    std::filesystem::create_symlink("loop", dir + "/loop");
    EXPECT_FALSE(AppendToFile(dir + "/loop", "x"));
}

TEST(SafeFile, StaleTemporaryFilesAreRemovedAndNothingElse) {
    const std::string dir = TempDir();
    for (const char* name :
         {"elements.dat.tmp-a1B2c3", "comps.rel.tmp-zzzzzz", "notes.tmp-abc", "x.tmp-123456.txt",
          "elements.dat", ".Síntesis.zq.linord-Ab12Cd", ".lib.~zq.linord-000000",
          "lib.zq.linord-abcdef", ".lib.zq.linord-abc", ".linord-abcdef"}) {
        test::WriteBytes(dir + "/" + name, "x");
    }
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir, std::time(nullptr) - 3600),
              0);  // too fresh: maybe a save under way
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir, std::time(nullptr) + 1), 4);
    EXPECT_FALSE(std::filesystem::exists(dir + "/elements.dat.tmp-a1B2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/.Síntesis.zq.linord-Ab12Cd"));
    for (const char* kept : {"notes.tmp-abc", "x.tmp-123456.txt", "elements.dat",
                             "lib.zq.linord-abcdef", ".lib.zq.linord-abc", ".linord-abcdef"}) {
        EXPECT_TRUE(std::filesystem::exists(dir + "/" + kept)) << kept;
    }
}

}  // namespace
}  // namespace tovel
