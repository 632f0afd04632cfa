#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/user_data.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(UserData, SeedsWhatIsMissingAndKeepsTheUsersFiles) {
    const std::string defaults = test::TempDir();
    const std::string folder = test::TempDir() + "/data/tovel";
    std::filesystem::create_directories(defaults + "/Zq");
    test::WriteBytes(defaults + "/elements.dat", "default");
    test::WriteBytes(defaults + "/comps.rel", "default");
    test::WriteBytes(defaults + "/Zq/Redox.zq", "default");
    std::filesystem::create_directories(folder);
    test::WriteBytes(folder + "/comps.rel", "mine");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    EXPECT_EQ(test::ReadBytes(folder + "/elements.dat"), "default");
    EXPECT_EQ(test::ReadBytes(folder + "/comps.rel"), "mine");
    EXPECT_EQ(test::ReadBytes(folder + "/Zq/Redox.zq"), "default");
    EXPECT_FALSE(std::filesystem::exists(folder + "/tiptovl.rel"));  // not among the defaults here
    EXPECT_NE(SeedDataFolder(folder + "/comps.rel/x", defaults), "");  // a file in the way
}

TEST(UserData, FolderFollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", "/somewhere", 1);
    EXPECT_EQ(UserDataFolder(), "/somewhere/tovel");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_NE(UserDataFolder().find("/.local/share/tovel"), std::string::npos);
    if (old) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace tovel
