#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "system/user_data.h"
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

// A new version of the program ships new default data: what each user sees depends on whether
// they changed the file since it was copied to them.
TEST(UserData, NewDefaultsReachOnlyTheFilesTheUserDidNotChange) {
    const std::string defaults = test::TempDir();
    const std::string folder = test::TempDir() + "/tovel";
    std::filesystem::create_directories(defaults + "/Zq");
    test::WriteBytes(defaults + "/elements.dat", "masses v1");
    test::WriteBytes(defaults + "/tiptovl.rel", "types v1");
    test::WriteBytes(defaults + "/comps.rel", "compounds v1");
    test::WriteBytes(defaults + "/Zq/Redox.zq", "redox v1");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");  // the first start
    test::WriteBytes(folder + "/tiptovl.rel", "types v1 plus my own type");
    test::WriteBytes(folder + "/Zq/Redox.zq", "my reactions");

    // The next package corrects a mass, adds a reaction type and a reaction file.
    test::WriteBytes(defaults + "/elements.dat", "masses v2");
    test::WriteBytes(defaults + "/tiptovl.rel", "types v2");
    test::WriteBytes(defaults + "/Zq/Redox.zq", "redox v2");
    test::WriteBytes(defaults + "/Zq/Combustion.zq", "combustion v2");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    EXPECT_EQ(test::ReadBytes(folder + "/elements.dat"), "masses v2");
    EXPECT_EQ(test::ReadBytes(folder + "/comps.rel"), "compounds v1");
    EXPECT_EQ(test::ReadBytes(folder + "/tiptovl.rel"), "types v1 plus my own type");
    EXPECT_EQ(test::ReadBytes(folder + "/Zq/Redox.zq"), "my reactions");
    EXPECT_EQ(test::ReadBytes(folder + "/Zq/Combustion.zq"), "combustion v2");

    // A user who changes a file back to the shipped text follows the shipped data again.
    test::WriteBytes(folder + "/tiptovl.rel", "types v2");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    test::WriteBytes(defaults + "/tiptovl.rel", "types v3");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    EXPECT_EQ(test::ReadBytes(folder + "/tiptovl.rel"), "types v3");
}

TEST(UserData, FoldersWithoutARecordOrWithADamagedOneKeepWhatDiffers) {
    const std::string defaults = test::TempDir();
    const std::string folder = test::TempDir() + "/tovel";
    std::filesystem::create_directories(defaults + "/Zq");
    std::filesystem::create_directories(folder + "/Zq");
    test::WriteBytes(defaults + "/elements.dat", "masses v2");
    test::WriteBytes(defaults + "/comps.rel", "compounds v2");
    // Seeded by a program that kept no record: a difference may be the user's work.
    test::WriteBytes(folder + "/elements.dat", "masses v1");
    test::WriteBytes(folder + "/comps.rel", "compounds v2");
    test::WriteBytes(folder + "/.tovel-defaults",
                     std::string("\xff\0garbage\n0123 comps.rel\n", 25));
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    EXPECT_EQ(test::ReadBytes(folder + "/elements.dat"), "masses v1");
    // The file equal to the shipped one is now recorded and follows the next version.
    test::WriteBytes(defaults + "/comps.rel", "compounds v3");
    ASSERT_EQ(SeedDataFolder(folder, defaults), "");
    EXPECT_EQ(test::ReadBytes(folder + "/comps.rel"), "compounds v3");
    EXPECT_EQ(test::ReadBytes(folder + "/elements.dat"), "masses v1");
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
