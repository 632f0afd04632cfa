#include <gtest/gtest.h>

#include <filesystem>

#include "app/conf_file.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(ConfFile, ReadsTheFlag) {
    const std::string path = test::TempDir() + "/Conf.txt";
    EXPECT_TRUE(ReadConfirmExit(path, true));  // no file: the default
    EXPECT_FALSE(ReadConfirmExit(path, false));
    test::WriteBytes(path, "0\r\n");
    EXPECT_FALSE(ReadConfirmExit(path, true));
    test::WriteBytes(path, "7\r\nanything\r\n");
    EXPECT_TRUE(ReadConfirmExit(path, false));
    test::WriteBytes(path, "  0");
    EXPECT_FALSE(ReadConfirmExit(path, true));
    test::WriteBytes(path, "no\r\n");
    EXPECT_TRUE(ReadConfirmExit(path, true));
    test::WriteBytes(path, "");
    EXPECT_TRUE(ReadConfirmExit(path, true));
}

TEST(ConfFile, WritesOneOrZero) {
    const std::string path = test::TempDir() + "/Conf.txt";
    ASSERT_TRUE(WriteConfirmExit(path, true));
    EXPECT_EQ(test::ReadBytes(path), "1\r\n");
    ASSERT_TRUE(WriteConfirmExit(path, false));
    EXPECT_EQ(test::ReadBytes(path), "0\r\n");
    EXPECT_FALSE(WriteConfirmExit(test::TempDir() + "/missing/Conf.txt", true));
}

// Conf.txt is written at every exit: never into a file that is not its own.
TEST(ConfFile, NeverWritesOverWhatIsNotItsOwn) {
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/notes.txt", "my notes\n");
    std::filesystem::create_symlink("notes.txt", dir + "/Conf.txt");
    const FileResult linked = WriteConfirmExit(dir + "/Conf.txt", true);
    EXPECT_FALSE(linked);
    EXPECT_EQ(linked.error, "No se guarda la preferencia de salida: " + dir +
                                "/Conf.txt no es un fichero de tovel que se pueda leer");
    EXPECT_EQ(test::ReadBytes(dir + "/notes.txt"), "my notes\n");
    std::filesystem::remove(dir + "/Conf.txt");
    std::filesystem::create_symlink("Conf.txt", dir + "/Conf.txt");  // a loop
    EXPECT_FALSE(WriteConfirmExit(dir + "/Conf.txt", true));
    std::filesystem::remove(dir + "/Conf.txt");
    std::filesystem::create_directory(dir + "/Conf.txt");
    EXPECT_FALSE(WriteConfirmExit(dir + "/Conf.txt", true));
}

}  // namespace
}  // namespace tovel
