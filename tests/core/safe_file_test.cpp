#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "safe_file.h"
#include "test_support.h"

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
    EXPECT_NE(write.error.find("No se puede escribir"), std::string::npos);
}

}  // namespace
}  // namespace tovel
