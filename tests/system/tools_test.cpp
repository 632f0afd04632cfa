#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "system/tools_editor.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

class RecordingPort : public test::FakeUserPort {
  public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(std::filesystem::current_path().string() + " " + path);
        return true;
    }
    std::vector<std::string> opened;
};

TEST(ToolsFile, FourLinesATool) {
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/Tools.rel",
                     "Uno\r\na.txt\r\n\r\n\r\nDos\r\nb.exe x\r\n/tmp\r\n-v\r\nTres\r\n");
    ToolList tools;
    ASSERT_TRUE(tools.Load(dir + "/Tools.rel"));
    ASSERT_EQ(tools.Count(), 3u);
    EXPECT_EQ(tools.Tools()[1], (ToolEntry{"Dos", "b.exe x", "/tmp", "-v"}));
    EXPECT_EQ(tools.Tools()[2], (ToolEntry{"Tres", "", "", ""}));
    ASSERT_TRUE(tools.Save(dir + "/out.rel"));
    EXPECT_EQ(test::ReadBytes(dir + "/out.rel"),
              "Uno\r\na.txt\r\n\r\n\r\nDos\r\nb.exe x\r\n/tmp\r\n-v\r\nTres\r\n\r\n\r\n\r\n");
    EXPECT_FALSE(tools.Load(dir + "/absent.rel"));
    EXPECT_EQ(tools.Count(), 0u);
}

// A longer file (written by hand or by another program) is read up to the last tool the menu
// can start.
TEST(ToolsFile, AtMostSixtyFourTools) {
    const std::string dir = test::TempDir();
    std::string bytes;
    for (int i = 1; i <= 70; ++i)
        bytes += "T" + std::to_string(i) + "\r\nt.txt\r\n\r\n\r\n";
    test::WriteBytes(dir + "/Tools.rel", bytes);
    ToolList tools;
    ASSERT_TRUE(tools.Load(dir + "/Tools.rel"));
    ASSERT_EQ(tools.Count(), kToolLimit);
    EXPECT_EQ(tools.Tools().back().title, "T64");
}

TEST(StartTool, InItsWorkingFolderAndBack) {
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/readme.txt", "x");
    RecordingPort port;
    const auto before = std::filesystem::current_path();
    EXPECT_TRUE(StartTool({"Léeme", "readme.txt", dir, ""}, port));
    EXPECT_EQ(port.opened, (std::vector<std::string>{dir + " readme.txt"}));
    EXPECT_EQ(std::filesystem::current_path(), before);
    // Without a working folder it starts here.
    test::WriteBytes(before.string() + "/tovel-tool-test.txt", "x");
    EXPECT_TRUE(StartTool({"Aquí", "tovel-tool-test.txt", "", ""}, port));
    EXPECT_EQ(port.opened.back(), before.string() + " tovel-tool-test.txt");
    std::filesystem::remove(before.string() + "/tovel-tool-test.txt");
}

TEST(StartTool, AMissingOrWrongFolderIsReported) {
    RecordingPort port;
    const auto before = std::filesystem::current_path();
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/file", "x");
    for (const std::string& folder : {dir + "/absent", dir + "/file"}) {
        EXPECT_FALSE(StartTool({"t", "readme.txt", folder, ""}, port));
        EXPECT_EQ(test::LastMessage(port).caption, "No se encuentra la carpeta");
        EXPECT_EQ(test::LastMessage(port).text, folder);
        EXPECT_EQ(test::LastMessage(port).icon, MessageIcon::Exclamation);
    }
    EXPECT_TRUE(port.opened.empty());
    EXPECT_EQ(std::filesystem::current_path(), before);
}

class ToolsEditorTest : public ::testing::Test {
  protected:
    void Add(const std::string& title) {
        editor.New();
        editor.fields = {title, title + ".txt", "", ""};
        editor.Store();
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> out;
        for (const auto& t : tools.Tools())
            out.push_back(t.title);
        return out;
    }

    std::string path = test::TempDir() + "/Tools.rel";
    ToolList tools;
    test::FakeUserPort port;
    ToolsEditor editor{tools, port, path};
};

TEST_F(ToolsEditorTest, AddMoveDeleteAndSave) {
    EXPECT_EQ(editor.Cursor(), 1u);
    EXPECT_FALSE(editor.CanDelete() || editor.CanMoveUp() || editor.CanMoveDown());
    Add("A");
    Add("B");
    Add("C");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B", "C"}));
    editor.Select(1);
    EXPECT_FALSE(editor.CanMoveUp());
    EXPECT_TRUE(editor.CanMoveDown());
    editor.MoveDown();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(editor.Cursor(), 2u);
    editor.MoveUp();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B", "C"}));
    editor.Select(2);
    port.answers = {kAnswerYes};
    editor.Delete();
    EXPECT_EQ(test::LastMessage(port).caption, "Confirmar eliminar");
    EXPECT_EQ(test::LastMessage(port).text, "¿Eliminar \"B\"?");
    EXPECT_EQ(test::LastMessage(port).icon, MessageIcon::Question);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(editor.Cursor(), 3u);
    ASSERT_TRUE(editor.Ok());
    ToolList saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_EQ(saved.Tools(), tools.Tools());
}

TEST_F(ToolsEditorTest, FieldsCutOnReadingAreNamedBeforeSaving) {
    const std::string longFile = "/opt/" + std::string(300, 'x') + "/editor";
    const std::string original =
        "Editor\r\n" + longFile + "\r\n\r\n-n\r\nOtra\r\nb.txt\r\n\r\n\r\n";
    test::WriteBytes(path, original);
    ASSERT_TRUE(tools.Load(path));
    EXPECT_EQ(tools.CutFields(), (std::vector<std::string>{"\"Editor\" (programa)"}));
    Add("Nueva");
    // No (Enter's answer) saves nothing: the file keeps the long line.
    port.answers = {kAnswerNo};
    EXPECT_FALSE(editor.Ok());
    EXPECT_EQ(test::LastMessage(port).defaultAnswer, int(kAnswerNo));
    EXPECT_EQ(test::LastMessage(port).text,
              "Al guardar se acortan a 255 caracteres estos campos de " + path +
                  ":\r\n\"Editor\" (programa)\r\n¿Guardar?");
    EXPECT_EQ(test::ReadBytes(path), original);
    // Yes saves them cut, and the next save has nothing more to ask.
    port.answers = {kAnswerYes};
    ASSERT_TRUE(editor.Ok());
    EXPECT_EQ(tools.Count(), 3u);
    const std::size_t asked = port.messages.size();
    ASSERT_TRUE(editor.Ok());
    EXPECT_EQ(port.messages.size(), asked);
    // A cut tool the user removed is not asked about.
    test::WriteBytes(path, original);
    ASSERT_TRUE(tools.Load(path));
    port.answers = {kAnswerYes};
    editor.Select(1);
    editor.Delete();
    EXPECT_TRUE(tools.CutFields().empty());
}

TEST_F(ToolsEditorTest, ReadingAgainShowsTheOtherWindowsTools) {
    ToolList otherTools;
    test::FakeUserPort otherPort;
    ToolsEditor other{otherTools, otherPort, path};
    other.New();
    other.fields = {"Calculadora", "calc", "", ""};
    other.Store();
    ASSERT_TRUE(other.Ok());
    Add("Editor");
    port.answers = {kAnswerYes};  // "Volver a leer"
    EXPECT_FALSE(editor.Ok());
    EXPECT_EQ(test::LastMessage(port).caption, "Fichero cambiado");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Calculadora"}));
    Add("Editor");
    ASSERT_TRUE(editor.Ok());  // up to date: saved without a question
    ToolList saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_EQ(saved.Count(), 2u);
}

TEST_F(ToolsEditorTest, EscReloadsWhatWasSaved) {
    Add("A");
    ASSERT_TRUE(editor.Ok());
    Add("B");
    editor.Cancel();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A"}));
}

TEST_F(ToolsEditorTest, RefusesTheSixtyFifthTool) {
    for (int i = 0; i < 64; ++i)
        Add("t" + std::to_string(i));
    Add("one more");
    EXPECT_EQ(tools.Count(), 64u);
    EXPECT_EQ(test::LastMessage(port).caption, "Demasiadas utilidades");
}

TEST_F(ToolsEditorTest, BrowseSplitsFolderAndFile) {
    port.files = {"/opt/apps/viewer", "/elsewhere/other"};
    editor.Browse();
    EXPECT_EQ(editor.fields.file, "viewer");
    EXPECT_EQ(editor.fields.workingDir, "/opt/apps");
    editor.Browse();
    EXPECT_EQ(editor.fields.file, "other");
    EXPECT_EQ(editor.fields.workingDir, "/opt/apps");  // kept once set
}

TEST(ToolsFile, AtMostTheMenusToolsAreLoadedAndTheRestKept) {
    const std::string path = test::TempDir() + "/Tools.rel";
    std::string text;
    for (int i = 1; i <= 70; ++i)
        text += "T" + std::to_string(i) + "\r\nf" + std::to_string(i) + ".txt\r\n\r\n\r\n";
    test::WriteBytes(path, text);
    ToolList tools;
    ASSERT_TRUE(tools.Load(path));
    EXPECT_EQ(tools.Count(),
              kToolLimit);  // the menu's room; the last command stays below every other
    EXPECT_LT(kToolCommandBase + static_cast<int>(kToolLimit), 997);
    EXPECT_EQ(tools.LoadReport(),
              "Caben 64 utilidades en el menú; las 6 siguientes de Tools.rel no se muestran, pero "
              "se conservan");
    tools.Tools().erase(tools.Tools().begin());
    ASSERT_TRUE(tools.Save(path));
    const std::string saved = test::ReadBytes(path);
    EXPECT_NE(saved.find("T70\r\nf70.txt\r\n"), std::string::npos);  // nothing was dropped
    EXPECT_EQ(saved.find("T1\r\n"), std::string::npos);

    // A file that is there but cannot be read is never written over.
    const std::string pipe = test::TempDir() + "/Tools.rel";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ToolList blocked;
    EXPECT_FALSE(blocked.Load(pipe));
    EXPECT_NE(blocked.LoadReport().find("No se han podido leer las utilidades"), std::string::npos);
    blocked.Tools().push_back({"Nueva", "x.txt", "", ""});
    EXPECT_FALSE(blocked.Save(pipe));
}

}  // namespace
}  // namespace tovel
