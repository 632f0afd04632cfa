// The problem-sheet window's model: the choices it refuses, the preview, and a sheet made a
// problem at a time into the file the user chose.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/sheet_model.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

class SheetModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = test::TempDir();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        std::filesystem::copy_file(TOVEL_BIN_DIR "/tiptovl.rel", "tiptovl.rel");
        std::filesystem::copy(TOVEL_BIN_DIR "/Zq", "Zq");
        model.Open();
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    // Runs the steps of a sheet begun with Start, as the window does between events.
    int RunSteps() {
        int steps = 1;
        while (model.Step())
            ++steps;
        return steps;
    }

    std::string folder;
    std::filesystem::path previous;
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    SheetModel model{table, port};
};

TEST_F(SheetModelTest, OpensWithEveryTypeChosenAndASeed) {
    ASSERT_EQ(model.TypeNames().size(), 9u);
    EXPECT_EQ(model.types, std::vector<bool>(9, true));
    const unsigned long seed = std::stoul(model.seedText);
    EXPECT_GE(seed, 1u);
    EXPECT_LE(seed, kSheetSeedLimit);
    EXPECT_TRUE(port.messages.empty());
    // A second opening keeps the user's choices and seed.
    model.types[2] = false;
    model.seedText = "77";
    model.Open();
    EXPECT_FALSE(model.types[2]);
    EXPECT_EQ(model.seedText, "77");
}

TEST_F(SheetModelTest, RefusesChoicesThatMakeNoSheet) {
    std::string reason;
    model.seedText = "12a";
    EXPECT_FALSE(model.Choices(&reason));
    EXPECT_EQ(reason, "La semilla ha de ser un número entero de 0 a 4294967295.");
    model.seedText = "4294967296";
    EXPECT_FALSE(model.Choices(&reason));
    model.seedText = "12";
    model.types.assign(8, false);
    EXPECT_FALSE(model.Choices(&reason));
    EXPECT_EQ(reason, "Elige al menos un tipo de reacción.");
    EXPECT_EQ(model.Preview(), "Elige al menos un tipo de reacción.");
    model.types[0] = true;
    model.data.fill(false);
    EXPECT_FALSE(model.Choices(&reason));
    EXPECT_EQ(reason, "Elige al menos una clase de datos.");
    model.data[2] = true;
    model.cases.fill(false);
    EXPECT_FALSE(model.Choices(&reason));
    EXPECT_EQ(reason, "Elige al menos un planteamiento.");
    // Saving tells the user, and asks for no file.
    EXPECT_FALSE(model.Start(SheetOutput::Text));
    EXPECT_EQ(test::LastMessage(port).text, "Elige al menos un planteamiento.");
    EXPECT_TRUE(port.choosers.empty());
    model.cases[0] = true;
    const auto choices = model.Choices();
    ASSERT_TRUE(choices);
    EXPECT_EQ(choices->seed, 12u);
    EXPECT_EQ(choices->types, std::vector<std::string>{"Síntesis"});
}

TEST_F(SheetModelTest, PreviewsTheFirstStatementsOfTheSheet) {
    model.seedText = "31";
    model.count = 10;
    const std::string preview = model.Preview(3);
    const auto choices = model.Choices();
    ASSERT_TRUE(choices);
    const SheetDraw draw = DrawSheet(LoadSheetLibrary(".", table), *choices);
    const std::vector<std::string> lines =
        SheetLines(PrintedSheet(ComposeSheet(draw.problems, 31), SheetNumbers::Spanish));
    // The header and the first three statements of the ten-problem sheet, then "...".
    EXPECT_EQ(
        preview.rfind(
            lines[0] + "\nSemilla 31\n\n" + lines[3] + "\n\n1.  " + lines[5].substr(4) + "\n", 0),
        0u);
    EXPECT_NE(preview.find("3.  "), std::string::npos);
    EXPECT_EQ(preview.find("4.  "), std::string::npos);
    EXPECT_EQ(preview.substr(preview.size() - 4), "...\n");
    EXPECT_EQ(preview.find("Soluciones"), std::string::npos);
}

TEST_F(SheetModelTest, MakesTheSheetAProblemAtATimeIntoTheChosenFile) {
    model.seedText = "2024";
    model.count = 15;
    port.files.push_back(folder + "/examen");  // typed without its extension
    ASSERT_TRUE(model.Start(SheetOutput::Text));
    EXPECT_TRUE(model.Running());
    EXPECT_EQ(model.Path(), folder + "/examen.txt");
    EXPECT_EQ(RunSteps(), 15);
    EXPECT_EQ(model.Done(), 15);
    ASSERT_TRUE(model.FinishText());
    EXPECT_FALSE(model.Running());
    EXPECT_TRUE(port.messages.empty());

    // The same as the sheet drawn at once.
    SheetChoices c = *model.Choices();
    const SheetText whole = ComposeSheet(DrawSheet(LoadSheetLibrary(".", table), c).problems, 2024);
    ASSERT_TRUE(
        WriteSheetText(folder + "/whole.txt", PrintedSheet(whole, SheetNumbers::SpanishPlain)));
    EXPECT_EQ(test::ReadBytes(folder + "/examen.txt"), test::ReadBytes(folder + "/whole.txt"));
}

TEST_F(SheetModelTest, AsksBeforeReplacingAFile) {
    test::WriteBytes("hoja.pdf", "old");
    port.files.push_back("hoja.pdf");
    port.answers.push_back(kAnswerNo);
    EXPECT_FALSE(model.Start(SheetOutput::Pdf));
    EXPECT_EQ(test::LastMessage(port).text, "Ya existe hoja.pdf.\r\n¿Reemplazarlo?");
    EXPECT_EQ(test::LastMessage(port).defaultAnswer, kAnswerNo);
    EXPECT_FALSE(model.Running());
    EXPECT_EQ(test::ReadBytes("hoja.pdf"), "old");

    port.files.push_back("hoja.pdf");
    port.answers.push_back(kAnswerYes);
    ASSERT_TRUE(model.Start(SheetOutput::Pdf));
    RunSteps();
    ASSERT_TRUE(model.FinishBytes("%PDF-new"));
    EXPECT_EQ(test::ReadBytes("hoja.pdf"), "%PDF-new");
    // A cancelled chooser makes nothing.
    EXPECT_FALSE(model.Start(SheetOutput::Pdf));
}

TEST_F(SheetModelTest, SaysWhenFewerProblemsCouldBeDrawnAndWhenNoneCould) {
    model.count = 30;
    model.types.assign(8, false);
    model.types[1] = true;  // Descomposición: no two reactants
    model.cases = {false, true, false};
    port.files.push_back("nada.txt");
    ASSERT_TRUE(model.Start(SheetOutput::Text));
    EXPECT_EQ(RunSteps(), 1);
    EXPECT_FALSE(model.FinishText());
    EXPECT_EQ(test::LastMessage(port).text,
              "Con las reacciones y los datos elegidos no se puede plantear ningún problema.");
    EXPECT_FALSE(std::filesystem::exists("nada.txt"));

    // Only solutions of a reactant: fewer reactions than problems, each used evenly.
    model.types.assign(8, true);
    model.cases = {true, false, false};
    model.data = {false, false, false, false, false, true};
    model.count = 50;
    port.files.push_back("disoluciones.txt");
    ASSERT_TRUE(model.Start(SheetOutput::Text));
    RunSteps();
    EXPECT_TRUE(model.FinishText());
    EXPECT_EQ(model.Done(), 50);
}

TEST_F(SheetModelTest, AFailedWriteIsReported) {
    port.files.push_back(folder + "/no/such/folder/hoja.txt");
    ASSERT_TRUE(model.Start(SheetOutput::Text));
    RunSteps();
    EXPECT_FALSE(model.FinishText());
    EXPECT_EQ(test::LastMessage(port).caption, "Hoja de problemas");
    EXPECT_FALSE(test::LastMessage(port).text.empty());
}

}  // namespace
}  // namespace tovel
