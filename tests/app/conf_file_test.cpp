#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tovel
