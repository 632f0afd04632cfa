#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "file_helpers.h"
#include "launch.h"
#include "test_support.h"

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

TEST(ResolveCommand, ProgramsAndDocuments) {
    const std::string dir = test::TempDir();
    MakeExecutable(dir, "Linord");
    const LaunchTarget linord = ResolveCommand("Linord.exe Zq/gases.zq 2", dir);
    EXPECT_TRUE(linord.isProgram);
    EXPECT_EQ(linord.file, dir + "/Linord");
    EXPECT_EQ(linord.args, (std::vector<std::string>{"Zq/gases.zq", "2"}));

    const LaunchTarget document = ResolveCommand("data.txt page2", dir);
    EXPECT_FALSE(document.isProgram);
    EXPECT_EQ(document.file, "data.txt");
    EXPECT_EQ(document.args, (std::vector<std::string>{"page2"}));

    EXPECT_TRUE(ResolveCommand(MakeExecutable(dir, "tool"), "/nowhere").isProgram);
    EXPECT_FALSE(ResolveCommand("notes.EXE", "/nowhere").isProgram);  // ".exe" is exact case
    EXPECT_TRUE(ResolveCommand("ls -l", "/nowhere").isProgram);        // found on the PATH
}

TEST(Launch, OpensExistingDocumentsAndReportsTheRest) {
    const std::string dir = test::TempDir();
    RecordingPort port;
    test::WriteBytes(dir + "/Tovel.pdf", "%PDF");
    EXPECT_TRUE(Launch(dir + "/Tovel.pdf", port));
    EXPECT_EQ(port.opened, (std::vector<std::string>{dir + "/Tovel.pdf"}));
    EXPECT_TRUE(port.messages.empty());

    EXPECT_FALSE(Launch(dir + "/missing.htm", port));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "No hallado");
    EXPECT_EQ(port.messages[0].text, "No se encuentra el fichero: " + dir + "/missing.htm");

    port.documentsOpen = false;
    EXPECT_FALSE(Launch(dir + "/Tovel.pdf", port));
    EXPECT_EQ(port.messages.back().text, "No hay ningún programa que abra " + dir + "/Tovel.pdf");
}

TEST(Launch, StartsPrograms) {
    RecordingPort port;
    const std::string tool = MakeExecutable(test::TempDir(), "tool");
    EXPECT_TRUE(RunCommand(tool + " a b", port, true));
    EXPECT_EQ(port.started, (std::vector<std::string>{tool}));
    EXPECT_EQ(port.lastArgs, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(port.waited);
    EXPECT_FALSE(RunCommand("no-such-program.exe", port));
    EXPECT_EQ(port.messages.back().text, "No se puede ejecutar: no-such-program.exe");
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
    EXPECT_EQ(ProgramName(), "tovel_ui_logic_tests");
    EXPECT_EQ(FileYear(dir + "/absent"), "");
    EXPECT_EQ(FileYear(dir + "/.hidden"), "");
    test::WriteBytes(dir + "/visible", "x");
    EXPECT_EQ(FileYear(dir + "/visible").size(), 4u);
}

}  // namespace
}  // namespace tovel
