#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/element_editor_model.h"
#include "core/language.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

class ElementEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Stored out of alphabetical order.
        ElementTable stored;
        stored.Add(MakeElementRecord(8, "O", 15.999, "Oxígeno"));
        stored.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
        stored.Add(MakeElementRecord(26, "Fe", 55.845, "Hierro"));
        ASSERT_TRUE(SaveElements(stored, path));
        original = test::ReadBytes(path);
        editor.Open();
    }

    void Fill(const std::string& name, const std::string& symbol, const std::string& mass,
              const std::string& number) {
        editor.Fields() = {name, symbol, mass, number};
    }
    std::vector<std::string> Symbols() const {
        std::vector<std::string> out;
        for (const auto& r : table.Records())
            out.push_back(r.symbol);
        return out;
    }

    std::string path = test::TempDir() + "/elements.dat";
    std::string original;
    ElementTable table;
    test::FakeUserPort port;
    ElementEditorModel editor{table, port, path};
};

TEST(ElementRows, TextsOfBothLists) {
    EXPECT_EQ(EditorRowText(MakeElementRecord(26, "Fe", 55.845, "Hierro")), "Fe  Hierro   26");
    EXPECT_EQ(EditorRowText(MakeElementRecord(1, "H", 1.008, "Hidrógeno")), "H   Hidrógeno    1");
    EXPECT_EQ(AtomicMassRowText(MakeElementRecord(1, "H", 1.008, "Hidrógeno")), "H          1.01");
    EXPECT_EQ(AtomicMassRowText(MakeElementRecord(17, "Cl", 35.45, "Cloro")), "Cl        35.45");
}

TEST_F(ElementEditorTest, OpensSortedAndSavesNothingUnchanged) {
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"Fe  Hierro   26", "H   Hidrógeno    1",
                                                       "O   Oxígeno    8"}));
    EXPECT_EQ(Symbols(), (std::vector<std::string>{"Fe", "H", "O"}));
    EXPECT_EQ(editor.CurrentSlot(), 4u);
    EXPECT_EQ(editor.Fields().name, "");
    EXPECT_TRUE(editor.Finish());
    EXPECT_EQ(test::ReadBytes(path), original);  // still in the stored order
}

TEST_F(ElementEditorTest, NewElementGoesInAlphabeticalOrder) {
    Fill("Inventado", "Xx", "300.5", "120");
    ASSERT_TRUE(editor.Accept());
    EXPECT_EQ(editor.Rows().size(), 4u);
    EXPECT_EQ(editor.Rows()[3], "Xx  Inventado  120");
    Fill("Cobre", "Cu", "63.546", "29");
    ASSERT_TRUE(editor.Accept());
    EXPECT_EQ(Symbols(), (std::vector<std::string>{"Cu", "Fe", "H", "O", "Xx"}));
    EXPECT_EQ(editor.Fields().symbol, "");  // ready for the next element
    EXPECT_EQ(editor.CurrentSlot(), 6u);
    EXPECT_TRUE(editor.Modified());
    ASSERT_TRUE(editor.Finish());
    ElementTable saved;
    ASSERT_TRUE(LoadElements(saved, path));
    EXPECT_EQ(saved.Records(), table.Records());
}

TEST_F(ElementEditorTest, ShowsAnElementInTheFields) {
    editor.SelectRow(1);
    EXPECT_EQ(editor.Fields().name, "Hierro");
    EXPECT_EQ(editor.Fields().symbol, "Fe");
    EXPECT_EQ(editor.Fields().mass, "55.845");
    EXPECT_EQ(editor.Fields().number, " 26");
    editor.NewElement();
    EXPECT_EQ(editor.Fields().name, "");
    EXPECT_EQ(editor.CurrentSlot(), 4u);
}

TEST_F(ElementEditorTest, ChangingASymbolKeepsItsRowInPlace) {
    editor.SelectRow(1);  // Fe
    editor.Fields().symbol = "Zn";
    ASSERT_TRUE(editor.Accept());
    EXPECT_EQ(editor.Rows()[0], "Zn  Hierro   26");
    EXPECT_EQ(Symbols(), (std::vector<std::string>{"Zn", "H", "O"}));
}

TEST_F(ElementEditorTest, SymbolSearch) {
    editor.Fields().symbol = "O";
    EXPECT_TRUE(editor.SearchSymbol());
    EXPECT_EQ(editor.SelectedRow(), std::optional<std::size_t>(3));
    EXPECT_EQ(editor.Fields().name, "Oxígeno");
    SetLanguageIndex(Language::English);
    editor.Fields().symbol = "Zz";
    EXPECT_FALSE(editor.SearchSymbol());
    SetLanguageIndex(Language::Spanish);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Element not found");
    EXPECT_EQ(port.messages[0].text, "Zz");
}

TEST_F(ElementEditorTest, LeavingAfterAChangeAsks) {
    EXPECT_TRUE(editor.RequestClose());  // nothing changed: no question
    EXPECT_TRUE(port.messages.empty());
    Fill("Cobre", "Cu", "63.546", "29");
    ASSERT_TRUE(editor.Accept());
    port.answers = {kAnswerCancel, kAnswerNo};
    EXPECT_FALSE(editor.RequestClose());
    EXPECT_EQ(table.Count(), 4u);  // the change is still there
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Datos modificados");
    EXPECT_EQ(port.messages[0].text, "¿Grabar los cambios?   ");
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(editor.RequestClose());
    EXPECT_EQ(test::ReadBytes(path), original);  // No: not saved
    port.answers = {kAnswerYes};
    EXPECT_TRUE(editor.RequestClose());
    ElementTable saved;
    ASSERT_TRUE(LoadElements(saved, path));
    EXPECT_EQ(saved.Count(), 4u);
}

TEST_F(ElementEditorTest, RefusesWhatWouldSpoilTheTable) {
    // An element no formula can name, or without mass or number, would make every formula
    // with it wrong: each fault gets one message naming the field, the value and the rule.
    const std::string symbolRule =
        "escriba una letra mayúscula, o una mayúscula y una minúscula, como O o Fe";
    const std::string massRule = "debe ser un número de 0.001 a 1000, como 55.845 o 55,845";
    const std::string numberRule = "escriba un número entero de 1 a 65535, como 26";
    const struct {
        ElementFields fields;
        std::string message;
    } cases[] = {
        {{"Otro", "Fe", "1", "1"}, "El símbolo Fe ya está en la tabla"},
        {{"Otro", " ", "1", "1"}, "Falta el símbolo (Smb): " + symbolRule},
        {{"Otro", "qn", "1", "1"}, "El símbolo (Smb) \"qn\" no vale: " + symbolRule},
        {{"Otro", "QN", "1", "1"}, "El símbolo (Smb) \"QN\" no vale: " + symbolRule},
        {{"Otro", "Q1", "1", "1"}, "El símbolo (Smb) \"Q1\" no vale: " + symbolRule},
        {{"Otro", "Qqq", "1", "1"}, "El símbolo (Smb) \"Qqq\" no vale: " + symbolRule},
        {{"Otro", "Qq", "", "1"}, "Falta la masa atómica (MA): " + massRule},
        {{"Otro", "Qq", "12.5.1", "1"},
         "La masa atómica (MA) \"12.5.1\" no es un número: use números como 1.04 o 1,04"},
        {{"Otro", "Qq", "0", "1"}, "La masa atómica (MA) \"0\" no vale: " + massRule},
        {{"Otro", "Qq", "-3,5", "1"}, "La masa atómica (MA) \"-3,5\" no vale: " + massRule},
        {{"Otro", "Qq", "12.5", ""}, "Falta el número atómico (Z): " + numberRule},
        {{"Otro", "Qq", "12.5", "x"}, "El número atómico (Z) \"x\" no vale: " + numberRule},
        {{"Otro", "Qq", "12.5", "0"}, "El número atómico (Z) \"0\" no vale: " + numberRule},
        {{"Otro", "Qq", "12.5", "2.5"}, "El número atómico (Z) \"2.5\" no vale: " + numberRule},
        {{"Otro", "Qq", "12.5", "65536"}, "El número atómico (Z) \"65536\" no vale: " + numberRule},
    };
    for (const auto& c : cases) {
        editor.Fields() = c.fields;
        EXPECT_FALSE(editor.Accept()) << c.message;
        ASSERT_FALSE(port.messages.empty());
        EXPECT_EQ(test::LastMessage(port).text, c.message);
        EXPECT_EQ(test::LastMessage(port).caption, "Datos no válidos");
        EXPECT_EQ(test::LastMessage(port).icon, MessageIcon::Exclamation);
        EXPECT_EQ(editor.Fields().symbol, c.fields.symbol);  // kept to be corrected
    }
    EXPECT_EQ(port.messages.size(), std::size(cases));
    EXPECT_EQ(table.Count(), 3u);
    EXPECT_FALSE(editor.Modified());
    // An element may keep its own symbol when other fields change.
    editor.SelectRow(2);
    editor.Fields().mass = "1.00794";
    EXPECT_TRUE(editor.Accept());
}

TEST_F(ElementEditorTest, MassesTakeTheDecimalComma) {
    Fill("Cobre", " Cu ", "63,546", "29");
    ASSERT_TRUE(editor.Accept());
    const ElementRecord* copper = table.FindSymbol("Cu");
    ASSERT_NE(copper, nullptr);
    EXPECT_DOUBLE_EQ(copper->atomicMass, 63.546);
    EXPECT_EQ(copper->atomicNumber, 29);
}

TEST_F(ElementEditorTest, RefusesTheHundredAndFirstElement) {
    for (int i = 0; table.Count() < ElementTable::kCapacity; ++i) {
        const std::string symbol =
            std::string(1, static_cast<char>('A' + i / 26)) + static_cast<char>('a' + i % 26);
        Fill("X", symbol, "1", std::to_string(200 + i));
        ASSERT_TRUE(editor.Accept()) << symbol;
    }
    Fill("Uno más", "Zy", "1", "1");
    EXPECT_FALSE(editor.Accept());
    EXPECT_EQ(test::LastMessage(port).text, "La tabla está llena: caben 100 elementos");
    EXPECT_EQ(table.Count(), 100u);
}

TEST_F(ElementEditorTest, RefusesAnAtomicNumberTakenAndAnImpossibleMass) {
    Fill("Otro", "Qq", "10", "26");
    EXPECT_FALSE(editor.Accept());
    EXPECT_EQ(test::LastMessage(port).text, "El número atómico 26 ya es el de Fe");
    for (const char* mass : {"1e308", "0.0001", "1001"}) {
        Fill("Otro", "Qq", mass, "119");
        EXPECT_FALSE(editor.Accept()) << mass;
    }
    EXPECT_EQ(table.Count(), 3u);
}

TEST_F(ElementEditorTest, ASaveOverAnotherWindowsSaveAsksAndReadsItAgain) {
    ElementTable otherTable;
    test::FakeUserPort otherPort;
    ElementEditorModel other{otherTable, otherPort, path};
    other.Open();
    other.Fields() = {"Cobre", "Cu", "63.546", "29"};
    ASSERT_TRUE(other.Accept());
    ASSERT_TRUE(other.Finish());

    Fill("Cinc", "Zn", "65.38", "30");
    ASSERT_TRUE(editor.Accept());
    port.answers = {kAnswerCancel};
    EXPECT_FALSE(editor.Finish());
    EXPECT_EQ(test::LastMessage(port).caption, "Fichero cambiado");
    ElementTable saved;
    ASSERT_TRUE(LoadElements(saved, path));
    EXPECT_TRUE(saved.FindSymbol("Cu") && !saved.FindSymbol("Zn"));
    port.answers = {kAnswerYes};  // "Volver a leer": the other window's copper is shown
    EXPECT_FALSE(editor.Finish());
    EXPECT_TRUE(table.FindSymbol("Cu") && !table.FindSymbol("Zn"));
    EXPECT_FALSE(editor.Modified());
}

TEST_F(ElementEditorTest, ASaveNeverLosesWhatTheFileHeldWithoutAsking) {
    // A file with a record the table could not take: saving asks first, and No keeps the file.
    std::string bytes;
    for (const auto& r : table.Records())
        bytes += EncodeElementRecord(r);
    bytes += EncodeElementRecord(MakeElementRecord(26, "Xx", 1, "Repetido"));
    test::WriteBytes(path, bytes);
    editor.Open();
    EXPECT_NE(test::LastMessage(port).text.find("Un elemento repetido: registro 4 (Xx, 1.000)"),
              std::string::npos);
    Fill("Cobre", "Cu", "63.546", "29");
    ASSERT_TRUE(editor.Accept());
    port.answers = {kAnswerNo};
    EXPECT_FALSE(editor.Finish());
    EXPECT_EQ(test::LastMessage(port).defaultAnswer, int(kAnswerNo));
    EXPECT_NE(test::LastMessage(port).text.find(
                  "registro 4 (Xx, 1.000): número atómico 26 repetido, ya en el registro"),
              std::string::npos);
    EXPECT_EQ(test::ReadBytes(path), bytes);
    port.answers = {kAnswerYes};
    EXPECT_TRUE(editor.Finish());
    EXPECT_TRUE(table.LeftOut().empty());

    // A file that exists but cannot be read is never written over.
    const std::string pipe = test::TempDir() + "/elements.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ElementEditorModel blocked{table, port, pipe};
    blocked.Open();
    blocked.Fields() = {"Cinc", "Zn", "65.38", "30"};
    ASSERT_TRUE(blocked.Accept());
    EXPECT_FALSE(blocked.Finish());
    EXPECT_NE(test::LastMessage(port).text.find("no se guarda encima"), std::string::npos);
}

TEST_F(ElementEditorTest, AFailedSaveKeepsTheEditorOpen) {
    ElementEditorModel elsewhere{table, port, test::TempDir() + "/missing/elements.dat"};
    elsewhere.Open();
    editor.Fields() = {"Cobre", "Cu", "63.546", "29"};
    elsewhere.Fields() = editor.Fields();
    ASSERT_TRUE(elsewhere.Accept());
    EXPECT_FALSE(elsewhere.Finish());
    EXPECT_EQ(test::LastMessage(port).caption, "Error");
    EXPECT_TRUE(elsewhere.Modified());
}

}  // namespace
}  // namespace tovel
