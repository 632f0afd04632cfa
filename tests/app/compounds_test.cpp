#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "app/compounds_model.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(CompoundsFile, RecordLayout) {
    const std::string bytes = EncodeCompoundRecord(MakeCompoundRecord("Óxido de calcio", "CaO", 3));
    ASSERT_EQ(bytes.size(), kCompoundRecordSize);
    EXPECT_EQ(bytes[0], 15);
    EXPECT_EQ(bytes.substr(1, 15), "\xd3xido de calcio");
    EXPECT_EQ(bytes[31], '\0');  // padding zeroed
    EXPECT_EQ(bytes[32], 3);
    EXPECT_EQ(bytes.substr(33, 3), "CaO");
    EXPECT_EQ(bytes.substr(48, 4), std::string("\x03\0\0\0", 4));
    EXPECT_EQ(DecodeCompoundRecord(bytes), MakeCompoundRecord("Óxido de calcio", "CaO", 3));
    const auto cut = MakeCompoundRecord(std::string(40, 'n'), "C12H22O11C12H22O11", 4);
    EXPECT_EQ(cut.name.size(), 30u);
    EXPECT_EQ(cut.formula, "C12H22O11C12H2");
}

TEST(CompoundsFile, ReadsAnyOrderWritesGroupedAndSkipsBadCategories) {
    const std::string path = test::TempDir() + "/comps.rel";
    std::string bytes = EncodeCompoundRecord(MakeCompoundRecord("Sal", "NaCl", 3)) +
                        EncodeCompoundRecord(MakeCompoundRecord("Agua", "H2O", 0)) +
                        EncodeCompoundRecord(MakeCompoundRecord("Mal", "X", 9)) +
                        EncodeCompoundRecord(MakeCompoundRecord("Potasa", "KOH", 1)) +
                        EncodeCompoundRecord(MakeCompoundRecord("Cal", "CaO", 0)) + "tail";
    test::WriteBytes(path, bytes);
    CompoundBook book;
    const auto read = book.Read(path);
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.skipped, 1u);
    EXPECT_EQ(book.Category(0).size(), 2u);
    EXPECT_EQ(book.Category(0)[1].formula, "CaO");  // file order within a category
    ASSERT_TRUE(book.Write(path));
    const std::string written = test::ReadBytes(path);
    // The skipped record is kept after the others, and the incomplete one last.
    ASSERT_EQ(written.size(), 5 * kCompoundRecordSize + 4);
    EXPECT_TRUE(written.ends_with("tail"));
    EXPECT_EQ(DecodeCompoundRecord(written.substr(0, 52)).formula, "H2O");
    EXPECT_EQ(DecodeCompoundRecord(written.substr(104, 52)).formula, "KOH");
    EXPECT_EQ(DecodeCompoundRecord(written.substr(156, 52)).formula, "NaCl");
    EXPECT_EQ(DecodeCompoundRecord(written.substr(208, 52)).category, 9);
    EXPECT_FALSE(CompoundBook().Read(test::TempDir() + "/absent.rel").opened);
}

TEST(CompoundsFile, NothingTheFileHeldIsLostBySaving) {
    const std::string path = test::TempDir() + "/comps.rel";
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += EncodeCompoundRecord(MakeCompoundRecord("Sal " + std::to_string(i), "NaCl", 3));
    test::WriteBytes(path, bytes);
    CompoundBook book;
    EXPECT_EQ(book.Read(path).skipped, 300 - kCompoundsPerCategory);
    book.Category(0).push_back(MakeCompoundRecord("Agua", "H2O", 0));
    ASSERT_TRUE(book.Write(path));
    EXPECT_EQ(test::ReadBytes(path).size(), 301 * kCompoundRecordSize);

    // An incomplete last record stays, last, however the records are reordered around it.
    const std::string tail =
        EncodeCompoundRecord(MakeCompoundRecord("Ácido sulfúrico", "H2SO4", 2)).substr(0, 42);
    test::WriteBytes(path, EncodeCompoundRecord(MakeCompoundRecord("Sal", "NaCl", 3)) + tail);
    const CompoundsReadResult read = book.Read(path);
    EXPECT_EQ(read.partialBytes, 42u);
    book.Category(0).push_back(MakeCompoundRecord("Agua", "H2O", 0));
    ASSERT_TRUE(book.Write(path));
    const std::string saved = test::ReadBytes(path);
    EXPECT_EQ(saved.size(), 2 * kCompoundRecordSize + 42);
    EXPECT_TRUE(saved.ends_with(tail));
    EXPECT_EQ(book.Read(path).partialBytes, 42u);

    const std::string pipe = test::TempDir() + "/pipe.rel";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    CompoundBook blocked;
    EXPECT_FALSE(blocked.Read(pipe).error.empty());
    EXPECT_FALSE(blocked.Write(pipe));
}

class CompoundsModelTest : public ::testing::Test {
  protected:
    std::string path = test::TempDir() + "/comps.rel";
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    std::vector<std::string> transferred;
    CompoundsModel model{table, port, [this](const std::string& f) { transferred.push_back(f); },
                         path};
};

TEST_F(CompoundsModelTest, AddEditDeleteTransferAndSave) {
    model.Open();
    model.ListActivated(2);  // an empty list opens the row for a new compound
    EXPECT_TRUE(model.EditRowOpen());
    model.formulaText = "HCl";
    model.nameText = "Ácido clorhídrico";
    model.Store();
    EXPECT_TRUE(model.EditRowOpen());  // open for the next one
    EXPECT_EQ(model.formulaText, "");
    model.formulaText = "HNO3";
    model.nameText = "Ácido nítrico";
    model.Store();
    model.formulaText = "";
    model.Store();  // empty: closes the row
    EXPECT_FALSE(model.EditRowOpen());
    EXPECT_EQ(model.Book().Category(2).size(), 2u);

    model.SelectSlot(2, 2);
    model.Edit();
    EXPECT_EQ(model.formulaText, "HNO3");
    model.nameText = "Ácido nítrico (V)";
    model.Store();
    EXPECT_FALSE(model.EditRowOpen());  // editing closes it
    model.SelectSlot(2, 1);
    model.Transfer();
    EXPECT_EQ(transferred, (std::vector<std::string>{"HCl"}));
    model.Delete();
    EXPECT_EQ(model.Book().Category(2).size(), 1u);
    EXPECT_EQ(model.CurrentSlot(), 0u);

    port.answers = {kAnswerCancel, kAnswerYes};
    EXPECT_FALSE(model.Leave(false));
    EXPECT_TRUE(model.Leave(false));
    EXPECT_EQ(test::LastMessage(port).caption, "Ha habido cambios");
    EXPECT_EQ(test::LastMessage(port).text, "¿Guardar?");
    EXPECT_EQ(test::LastMessage(port).buttons, MessageButtons::YesNoCancel);
    CompoundBook saved;
    saved.Read(path);
    ASSERT_EQ(saved.Category(2).size(), 1u);
    EXPECT_EQ(saved.Category(2)[0].name, "Ácido nítrico (V)");
}

TEST_F(CompoundsModelTest, LeavingWithoutChangesOrWithNoSavesNothing) {
    model.Open();
    EXPECT_TRUE(model.Leave(false));
    EXPECT_TRUE(port.messages.empty());
    model.New();
    model.formulaText = "CO";
    model.Store();
    EXPECT_FALSE(model.Leave(true));  // Esc in the formula field only closes the row
    EXPECT_FALSE(model.EditRowOpen());
    port.answers = {kAnswerNo};
    EXPECT_TRUE(model.Leave(false));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(CompoundsModelTest, ListsHoldAtMost128AndSkippedRecordsAreReported) {
    std::string bytes = EncodeCompoundRecord(MakeCompoundRecord("x", "X", -1));
    for (int i = 0; i < 128; ++i)
        bytes += EncodeCompoundRecord(MakeCompoundRecord("c", "C", 4));
    test::WriteBytes(path, bytes);
    model.Open();
    EXPECT_EQ(test::LastMessage(port).caption, "comps.rel");
    EXPECT_NE(test::LastMessage(port).text.find("1 compuestos"), std::string::npos);
    model.ListActivated(4);
    model.New();
    model.formulaText = "D";
    model.Store();
    EXPECT_EQ(test::LastMessage(port).caption, "Lista llena");
    EXPECT_EQ(model.Book().Category(4).size(), 128u);
}

// A formula the main window could not take is refused when it is entered, with one message
// that names it and what is wrong; the row keeps it to be corrected.
TEST_F(CompoundsModelTest, AnIncompleteLastRecordIsToldAndKept) {
    test::WriteBytes(path, EncodeCompoundRecord(MakeCompoundRecord("Sal", "NaCl", 3)) + "Ácido");
    model.Open();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(test::LastMessage(port).text,
              path +
                  " acaba con un compuesto incompleto de 6 bytes, que no se muestra; se "
                  "conserva al final del fichero");
}

// Two windows on one data folder: the second save notices the first and asks; reading again
// shows what the other window saved.
TEST_F(CompoundsModelTest, TheOtherWindowsSaveIsNotLostWithoutAWord) {
    test::FakeUserPort otherPort;
    CompoundsModel other{table, otherPort, [](const std::string&) {}, path};
    model.Open();
    other.Open();
    const auto add = [](CompoundsModel& m, test::FakeUserPort& p, const char* formula) {
        m.ListActivated(0);
        m.formulaText = formula;
        m.nameText = formula;
        m.Store();
        m.formulaText = "";
        m.Store();
        p.answers = {kAnswerYes, kAnswerYes};  // "¿Guardar?", then "Volver a leer" if asked
        return m.Leave(false);
    };
    ASSERT_TRUE(add(other, otherPort, "CaO"));
    EXPECT_FALSE(add(model, port, "MgO"));
    EXPECT_EQ(test::LastMessage(port).caption, "Fichero cambiado");
    ASSERT_EQ(model.Book().Category(0).size(), 1u);  // read again: the other window's compound
    EXPECT_EQ(model.Book().Category(0)[0].formula, "CaO");
    CompoundBook saved;
    saved.Read(path);
    ASSERT_EQ(saved.Category(0).size(), 1u);
    EXPECT_EQ(saved.Category(0)[0].formula, "CaO");
    // Now up to date, this window saves without a question.
    const std::size_t asked = port.messages.size();
    EXPECT_TRUE(add(model, port, "MgO"));
    EXPECT_EQ(port.messages.size(), asked + 1);  // only "¿Guardar?"
    saved.Read(path);
    EXPECT_EQ(saved.Category(0).size(), 2u);
}

TEST_F(CompoundsModelTest, WrongFormulasAreRefused) {
    model.Open();
    model.New();
    const struct {
        std::string formula;
        std::string why;
    } cases[] = {
        {"abc((",
         "el carácter \"a\" sobra o está fuera de sitio; escriba símbolos de elementos, "
         "números y paréntesis, como Ca(OH)2"},
        {"H2O-",
         "el carácter \"-\" sobra o está fuera de sitio; escriba símbolos de elementos, "
         "números y paréntesis, como Ca(OH)2"},
        {"2H2O",
         "el carácter \"2\" sobra o está fuera de sitio; escriba símbolos de elementos, "
         "números y paréntesis, como Ca(OH)2"},
        {"H99999", "un número de átomos pasa de 65535"},
        {"C12H22O11C12H22O11", "tiene 18 caracteres y caben 14"},
    };
    for (const auto& c : cases) {
        model.formulaText = c.formula;
        model.nameText = "Algo";
        model.Store();
        ASSERT_FALSE(port.messages.empty());
        EXPECT_EQ(test::LastMessage(port).caption, "Fórmula incorrecta");
        EXPECT_EQ(test::LastMessage(port).text,
                  "La fórmula \"" + c.formula + "\" no vale: " + c.why);
        EXPECT_EQ(test::LastMessage(port).icon, MessageIcon::Exclamation);
        EXPECT_EQ(model.formulaText, c.formula);
        EXPECT_TRUE(model.EditRowOpen());
    }
    EXPECT_EQ(port.messages.size(), std::size(cases));
    EXPECT_TRUE(model.Book().Category(0).empty());
    EXPECT_FALSE(model.Changed());
    // Blanks around a formula do not belong to it.
    model.formulaText = "  Ca(OH)2 ";
    model.Store();
    ASSERT_EQ(model.Book().Category(0).size(), 1u);
    EXPECT_EQ(model.Book().Category(0)[0].formula, "Ca(OH)2");
    // An edit to a wrong formula keeps the compound as it was.
    model.SelectSlot(0, 1);
    model.Edit();
    model.formulaText = "Ca(OH)2+";
    model.Store();
    EXPECT_EQ(model.Book().Category(0)[0].formula, "Ca(OH)2");
    model.formulaText = "Ca(oh)2";
    model.Store();
    EXPECT_EQ(test::LastMessage(port).text,
              "La fórmula \"Ca(oh)2\" no vale: el carácter \"o\" sobra o está fuera de sitio; "
              "escriba símbolos de elementos, números y paréntesis, como Ca(OH)2");
    EXPECT_EQ(model.Book().Category(0)[0].formula, "Ca(OH)2");
}

TEST_F(CompoundsModelTest, AnUnknownElementIsAddedOrTheFormulaRefused) {
    model.Open();
    model.New();
    model.formulaText = "NaQq";
    port.answers = {kAnswerNo};
    model.Store();
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].text, "Qq no está en la base de datos\r¿añadir?");
    EXPECT_EQ(port.messages[1].caption, "Fórmula incorrecta");
    EXPECT_EQ(port.messages[1].text,
              "La fórmula \"NaQq\" no vale: el elemento Qq no está en la tabla de elementos");
    EXPECT_EQ(port.editorOpened, 0);
    EXPECT_TRUE(model.Book().Category(0).empty());

    // Yes opens the element editor; the element added there makes the formula good.
    port.answers = {kAnswerYes};
    port.editor = [](ElementTable& t) { t.Add(MakeElementRecord(119, "Qq", 300, "Inventado")); };
    model.Store();
    EXPECT_EQ(port.editorOpened, 1);
    EXPECT_EQ(port.messages.size(), 3u);  // only the question
    ASSERT_EQ(model.Book().Category(0).size(), 1u);
    EXPECT_EQ(model.Book().Category(0)[0].formula, "NaQq");
    EXPECT_NE(table.FindSymbol("Qq"), nullptr);
}

}  // namespace
}  // namespace tovel
