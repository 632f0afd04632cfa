#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "system/file_helpers.h"
#include "system/launch.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

class RecordingPort : public test::FakeUserPort {
  public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return documentsOpen;
    }
    bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string&, bool wait) override {
        started.push_back(program);
        lastArgs = args;
        waited = wait;
        return true;
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
    std::vector<std::string> lastArgs;
    bool waited = false;
    bool documentsOpen = true;
};

std::string MakeExecutable(const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name;
    test::WriteBytes(path, "#!/bin/sh\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

// Runs in a folder of its own, as tovel runs in the data folder.
class LaunchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = test::TempDir();
        before = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override { std::filesystem::current_path(before); }
    std::string dir;
    std::filesystem::path before;
};

TEST_F(LaunchTest, ProgramsAndDocuments) {
    const std::string programs = test::TempDir();
    MakeExecutable(programs, "Linord");
    const LaunchTarget linord = ResolveCommand("Linord.exe", "Zq/gases.zq 2", programs);
    EXPECT_TRUE(linord.isProgram);
    EXPECT_EQ(linord.file, programs + "/Linord");
    EXPECT_EQ(linord.args, (std::vector<std::string>{"Zq/gases.zq", "2"}));

    const LaunchTarget document = ResolveCommand("data.txt", "page2", programs);
    EXPECT_FALSE(document.isProgram);
    EXPECT_EQ(document.file, "data.txt");
    EXPECT_EQ(document.args, (std::vector<std::string>{"page2"}));

    EXPECT_TRUE(ResolveCommand(MakeExecutable(dir, "tool"), "", "/nowhere").isProgram);
    EXPECT_FALSE(ResolveCommand("notes.EXE", "", "/nowhere").isProgram);
    const LaunchTarget ls = ResolveCommand("ls", "-l", "/nowhere");  // found on the PATH
    EXPECT_TRUE(ls.isProgram);
    EXPECT_EQ(ls.file.front(), '/');
}

TEST_F(LaunchTest, NoProgramPlantedInTheDataFolderRuns) {
    const std::string programs = test::TempDir();
    MakeExecutable(programs, "Linord");
    MakeExecutable(dir, "Linord.exe");
    MakeExecutable(dir, "Linord");
    MakeExecutable(dir, "ls");
    MakeExecutable(dir, "logargs.sh");
    EXPECT_EQ(ResolveCommand("Linord.exe", "", programs).file, programs + "/Linord");
    EXPECT_NE(ResolveCommand("ls", "", programs).file, "./ls");
    EXPECT_NE(ResolveCommand("ls", "", programs).file, "ls");
    // ".exe" is dropped for Linord alone: this names no file, so nothing runs.
    EXPECT_FALSE(ResolveCommand("logargs.exe.sh", "", programs).isProgram);
    // A text with its execute bit set (every file on a FAT stick) is a document.
    test::WriteBytes(dir + "/readme.txt", "Léeme\n");
    ::chmod((dir + "/readme.txt").c_str(), 0755);
    EXPECT_FALSE(ResolveCommand("readme.txt", "", programs).isProgram);
}

// The data folder is searched for a bare name only where the user's PATH names it ("." or an
// empty entry), in its place.
TEST_F(LaunchTest, ABareNameIsFoundInTheDataFolderWherePathSaysSo) {
    const std::string programs = test::TempDir();
    MakeExecutable(dir, "informe.sh");
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::string here = std::filesystem::current_path().string() + "/informe.sh";
    for (const char* path : {"/usr/bin:.", ".:/usr/bin", "/usr/bin::/bin", "/usr/bin:", ":"}) {
        ::setenv("PATH", path, 1);
        const LaunchTarget found = ResolveCommand("informe.sh", "", programs);
        EXPECT_TRUE(found.isProgram) << path;
        EXPECT_EQ(found.file, here) << path;
    }
    ::setenv("PATH", "/usr/bin:/bin", 1);
    EXPECT_NE(ResolveCommand("informe.sh", "", programs).file, here);
    // A program of that name earlier on the PATH comes first.
    MakeExecutable(programs, "informe.sh");
    ::setenv("PATH", (programs + ":.").c_str(), 1);
    EXPECT_EQ(ResolveCommand("informe.sh", "", programs).file, programs + "/informe.sh");
    ::setenv("PATH", saved.c_str(), 1);
}

TEST_F(LaunchTest, NamesWithBlanks) {
    test::WriteBytes(dir + "/My File.txt", "x");
    const LaunchTarget whole = ResolveCommand("My File.txt", "", "/nowhere");
    EXPECT_EQ(whole.file, "My File.txt");
    EXPECT_TRUE(whole.args.empty());
    const LaunchTarget quoted =
        ResolveCommand("\"My File.txt\" --view", "\"page 2\" x", "/nowhere");
    EXPECT_EQ(quoted.file, "My File.txt");
    EXPECT_EQ(quoted.args, (std::vector<std::string>{"--view", "page 2", "x"}));
    EXPECT_EQ(SplitCommandLine("  a  \"b c\"d \"\" "), (std::vector<std::string>{"a", "b cd", ""}));

    RecordingPort port;
    std::filesystem::create_directory(dir + "/Mis problemas");
    test::WriteBytes(dir + "/Mis problemas/problema 1.txt", "x");
    EXPECT_TRUE(OpenDocumentFile(dir + "/Mis problemas/problema 1.txt", port));
    EXPECT_EQ(port.opened, (std::vector<std::string>{dir + "/Mis problemas/problema 1.txt"}));
}

TEST_F(LaunchTest, DocumentsAreOpenedNeverRun) {
    RecordingPort port;
    // An executable "guide" planted in the data folder is still only opened.
    MakeExecutable(dir, "Tovel.pdf");
    EXPECT_TRUE(OpenDocumentFile("Tovel.pdf", port));
    EXPECT_EQ(port.opened, (std::vector<std::string>{"Tovel.pdf"}));
    EXPECT_TRUE(port.started.empty());

    EXPECT_FALSE(OpenDocumentFile(dir + "/missing.htm", port));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "No hallado");
    EXPECT_EQ(port.messages[0].text, "No se encuentra el fichero: " + dir + "/missing.htm");

    port.documentsOpen = false;
    EXPECT_FALSE(OpenDocumentFile("Tovel.pdf", port));
    EXPECT_EQ(test::LastMessage(port).text, "No hay ningún programa que abra Tovel.pdf");
}

TEST_F(LaunchTest, StartsToolsAndLinord) {
    RecordingPort port;
    const std::string tool = MakeExecutable(test::TempDir(), "tool");
    EXPECT_TRUE(StartCommand(tool, "a b", port));
    EXPECT_EQ(port.started, (std::vector<std::string>{tool}));
    EXPECT_EQ(port.lastArgs, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(port.waited);

    const std::string programs = test::TempDir();
    EXPECT_FALSE(RunLinord("Zq/gases.zq", 2, port, programs));
    EXPECT_EQ(test::LastMessage(port).caption, "Linord");
    EXPECT_EQ(test::LastMessage(port).text, "No se encuentra Linord en " + programs);
    MakeExecutable(programs, "Linord");
    EXPECT_TRUE(RunLinord("Zq/gases.zq", 2, port, programs));
    EXPECT_EQ(port.started.back(), programs + "/Linord");
    EXPECT_EQ(port.lastArgs, (std::vector<std::string>{"Zq/gases.zq", "2"}));
    EXPECT_TRUE(port.waited);
}

TEST(FileHelpers, FilesFoldersAndTheProgram) {
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/.hidden", "x");
    std::filesystem::create_directory(dir + "/.hiddendir");
    EXPECT_TRUE(FileExists(dir + "/.hidden"));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(DirectoryExists(dir + "/.hiddendir"));
    EXPECT_FALSE(DirectoryExists(dir + "/absent"));
    EXPECT_EQ(ProgramName(), "tovel_system_tests");
    EXPECT_EQ(FileYear(dir + "/absent"), "");
    EXPECT_EQ(FileYear(dir + "/.hidden"), "");
    test::WriteBytes(dir + "/visible", "x");
    EXPECT_EQ(FileYear(dir + "/visible").size(), 4u);
}

TEST(FileHelpers, ASavedNameWithoutAnExtensionGetsTheFilesOwn) {
    test::FakeUserPort port;
    port.files = {"notas", "notas.md", "curso.2/notas", ".apuntes"};
    const char* saved[] = {"notas.txt", "notas.md", "curso.2/notas.txt", ".apuntes.txt"};
    for (const char* expected : saved) {
        std::string path;
        ASSERT_TRUE(ChooseFileToSave(port, path, ".txt"));
        EXPECT_EQ(path, expected);
    }
    std::string path = "kept";
    EXPECT_FALSE(ChooseFileToSave(port, path, ".txt"));  // cancelled: nothing made up
}

}  // namespace
}  // namespace tovel
