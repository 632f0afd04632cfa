#include <gtest/gtest.h>

#include <filesystem>

#include "system/text_file.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(TextFile, WritesWindows1252WithCrLf) {
    const std::string path = test::TempDir() + "/out.txt";
    TextFile file;
    ASSERT_TRUE(OpenForWriting(path, file));
    file.WriteLine("Combustión");
    file.WriteLine("");
    EXPECT_FALSE(std::filesystem::exists(path));  // nothing on disk before Close
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(test::ReadBytes(path), "Combusti\xf3n\r\n\r\n");
}

TEST(TextFile, AppendsAfterWhatWasThere) {
    const std::string path = test::TempDir() + "/out.txt";
    TextFile file;
    EXPECT_FALSE(OpenForAppending(path, file));  // appending needs an existing file
    test::WriteBytes(path, "uno\r\n");
    ASSERT_TRUE(OpenForAppending(path, file));
    file.WriteLine("dos");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(test::ReadBytes(path), "uno\r\ndos\r\n");
}

TEST(TextFile, ReadsCrLfAndLfLines) {
    const std::string path = test::TempDir() + "/in.txt";
    test::WriteBytes(path, "a\xf1o\r\nb\nlast");
    TextFile file;
    ASSERT_TRUE(OpenForReading(path, file));
    std::string line;
    std::vector<std::string> lines;
    while (file.ReadLine(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"año", "b", "last"}));
    EXPECT_FALSE(OpenForReading(test::TempDir(), file));  // a folder is no file
}

TEST(TextFile, AFolderThatCannotBeWrittenRefuses) {
    TextFile file;
    EXPECT_FALSE(OpenForWriting(test::TempDir() + "/missing/out.txt", file));
    EXPECT_FALSE(file.IsOpen());
}

}  // namespace
}  // namespace tovel
