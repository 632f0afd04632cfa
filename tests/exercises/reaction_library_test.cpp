#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "exercises/reaction_library.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

TEST(ReactionTypes, BaseNamesAndRecords) {
    EXPECT_EQ(TypeBaseName("Ácido base"), "acidobase");
    EXPECT_EQ(TypeBaseName("Síntesis Ñu"), "SintesisÑu");
    EXPECT_EQ(ReactionFileName({"Ácido base", "acidobase"}), "Zq/acidobase.zq");
    const std::string bytes = EncodeTypeRecord({"Redox", "Redox"});
    ASSERT_EQ(bytes.size(), kTypeRecordSize);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(bytes.substr(1, 5), "Redox");
    EXPECT_EQ(bytes[32], 5);
    EXPECT_EQ(DecodeTypeRecord(bytes), (ReactionType{"Redox", "Redox"}));
    std::string corrupt = bytes;
    corrupt[0] = static_cast<char>(200);  // a length beyond the field is cut to it
    EXPECT_EQ(DecodeTypeRecord(corrupt).name.size(), 31u);
}

TEST(ReactionTypes, AddRenameDeleteAndTheFile) {
    const std::string path = test::TempDir() + "/tiptovl.rel";
    test::FakeUserPort port;
    ReactionTypes types;
    EXPECT_FALSE(types.Read(path));  // no file: no types
    ASSERT_TRUE(types.Add("Síntesis", port));
    ASSERT_TRUE(types.Add("Ácido base", port));
    ASSERT_TRUE(types.Add(std::string(31, 'x'), port));
    EXPECT_TRUE(port.messages.empty());
    ASSERT_TRUE(types.Rename(2, "Neutralización", port));
    EXPECT_EQ(types.Type(2).base, "acidobase");  // the reaction file stays
    ASSERT_TRUE(types.Write(path));
    EXPECT_EQ(std::filesystem::file_size(path), 3 * kTypeRecordSize);
    ReactionTypes again;
    ASSERT_TRUE(again.Read(path));
    EXPECT_EQ(again.Types(), types.Types());
    again.Delete(1);
    EXPECT_EQ(again.Count(), 2u);
    EXPECT_EQ(again.Type(1).name, "Neutralización");
    for (int i = 0; i < 300; ++i)
        again.Add("t" + std::to_string(i), port);
    EXPECT_EQ(again.Count(), kTypeLimit);
    EXPECT_EQ(test::LastMessage(port).caption, "Demasiados tipos");
}

TEST(ReactionTypes, AnIncompleteLastRecordIsToldAndKept) {
    const std::string path = test::TempDir() + "/tiptovl.rel";
    const std::string tail = EncodeTypeRecord({"Redox", "redox"}).substr(0, 54);
    test::WriteBytes(path, EncodeTypeRecord({"Síntesis", "sintesis"}) + tail);
    ReactionTypes types;
    ASSERT_TRUE(types.Read(path));
    EXPECT_EQ(types.Count(), 1u);
    EXPECT_EQ(types.Problems(), path +
                                    " acaba con un tipo incompleto de 54 bytes, que no se "
                                    "carga; se conserva al final del fichero");
    test::FakeUserPort port;
    ASSERT_TRUE(types.Add("Combustión", port));
    ASSERT_TRUE(types.Write(path));
    const std::string saved = test::ReadBytes(path);
    EXPECT_EQ(saved.size(), 2 * kTypeRecordSize + 54);
    EXPECT_TRUE(saved.ends_with(tail));
}

// Cut to 31 characters a name would silently become another, and two long names one file.
TEST(ReactionTypes, NamesLongerThanTheRecordAreRefused) {
    test::FakeUserPort port;
    ReactionTypes types;
    const std::string longName = "Reacciones de doble desplazamiento";  // 34 characters
    EXPECT_FALSE(types.Add(longName, port));
    EXPECT_EQ(types.Count(), 0u);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Nombre demasiado largo");
    EXPECT_EQ(port.messages[0].text, "El nombre de un tipo admite 31 caracteres como máximo; \"" +
                                         longName + "\" tiene 34");
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Exclamation);
    // Accented letters count once, as they are stored.
    ASSERT_TRUE(types.Add("Óxido-reducción ácida ñññññññññ", port));
    EXPECT_EQ(types.Type(1).base, "oxido-reduccionacidañññññññññ");
    EXPECT_FALSE(types.Rename(1, longName, port));
    EXPECT_EQ(types.Type(1).name, "Óxido-reducción ácida ñññññññññ");
    EXPECT_EQ(port.messages.size(), 2u);
    EXPECT_FALSE(types.Rename(2, "Otro", port));  // no such type
}

TEST(ReactionFile, ReadsPairsAndKeepsLongLinesWhole) {
    const std::string dir = test::TempDir();
    test::WriteBytes(dir + "/a.zq",
                     "H2+O2=H2O\r\nAgua\r\n" + std::string(300, 'C') + "\r\n\r\nCO=CO2\r\n");
    const auto entries = ReadReactions(dir + "/a.zq");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (LibraryEntry{"H2+O2=H2O", "Agua"}));
    EXPECT_EQ(entries[1].reaction.size(), 300u);          // cut, a rewrite would lose the rest
    EXPECT_EQ(entries[2], (LibraryEntry{"CO=CO2", ""}));  // no description line
    EXPECT_TRUE(ReadReactions(dir + "/absent.zq").empty());
}

TEST(ReactionFile, WritesEveryReactionAndItsFolder) {
    const std::string path = test::TempDir() + "/Zq/many.zq";
    std::vector<LibraryEntry> entries;
    for (int i = 0; i < 300; ++i)
        entries.push_back({"H2+O2=H2O", "n\xc2\xba " + std::to_string(i)});
    ASSERT_TRUE(WriteReactions(path, entries));
    EXPECT_EQ(ReadReactions(path).size(), 300u);  // nothing is lost beyond 255
    EXPECT_NE(test::ReadBytes(path).find("n\xba 0\r\n"), std::string::npos);  // Windows-1252
    ASSERT_TRUE(WriteReactions(path, {}));
    EXPECT_EQ(test::ReadBytes(path), "");
}

// The library in a folder of its own, with two types.
class ReactionLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        before = std::filesystem::current_path();
        std::filesystem::current_path(test::TempDir());
        ReactionTypes types;
        types.Add("Síntesis", port);
        types.Add("Vacío", port);
        ASSERT_TRUE(types.Write());
        ASSERT_TRUE(WriteReactions(
            "Zq/Sintesis.zq",
            {{"H2+O2=H2O", "Agua"}, {"N2+H2=NH3", "Amoníaco"}, {"Na+Cl2=NaCl", "Sal común"}}));
        library.Open();
    }
    void TearDown() override { std::filesystem::current_path(before); }

    std::filesystem::path before;
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    std::size_t nextRandom = 0;
    ReactionLibrary library{table, port, [this](std::size_t n) { return nextRandom % n; }};
};

TEST_F(ReactionLibraryTest, TheFirstOpeningSelectsTheFirstType) {
    EXPECT_EQ(library.CurrentType(), 1u);
    EXPECT_EQ(library.Entries().size(), 3u);
    EXPECT_EQ(library.Selected(), 1u);
    EXPECT_EQ(library.reactionText, "H2+O2=H2O");
    EXPECT_EQ(library.descriptionText, "Agua");
    const LibraryControls c = library.Controls();
    EXPECT_TRUE(c.sort && c.transfer && c.randomReaction && c.deleteReaction);
    EXPECT_FALSE(c.storeType);
    library.Close(false);  // by the icon: the next opening selects nothing
    library.Open();
    EXPECT_EQ(library.CurrentType(), 0u);
    library.Close(true);  // by the close box: the first type again
    library.Open();
    EXPECT_EQ(library.CurrentType(), 1u);
}

TEST_F(ReactionLibraryTest, RandomChoices) {
    nextRandom = 2;
    library.RandomReaction();
    EXPECT_EQ(library.Selected(), 3u);
    library.SelectType(2);  // no reactions
    EXPECT_FALSE(library.Controls().randomReaction);
    EXPECT_FALSE(library.Controls().sort);
    nextRandom = 0;
    library.RandomType();
    EXPECT_EQ(library.CurrentType(), 1u);
}

TEST_F(ReactionLibraryTest, SearchThenStoreReplacesTheEntryFound) {
    library.searchText = "NH3";
    library.Search();
    EXPECT_EQ(library.Selected(), 2u);
    library.reactionText = "N2+H2=NH3";
    library.descriptionText = "Síntesis del amoníaco";
    library.StoreReaction();
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq")[1].description, "Síntesis del amoníaco");
    library.searchText = "nh3";  // the search is case-sensitive
    library.Search();
    EXPECT_EQ(test::LastMessage(port).caption, "No hallado:");
    EXPECT_EQ(test::LastMessage(port).text, std::string(13, ' ') + "nh3" + std::string(15, ' '));
}

// Two library windows on one folder: a save over the other's asks first; reading again keeps
// what was typed, and saving over keeps this window's list.
TEST_F(ReactionLibraryTest, ASaveOverAnotherWindowsSaveAsks) {
    test::FakeUserPort otherPort;
    ReactionLibrary other{table, otherPort, [](std::size_t) { return std::size_t{0}; }};
    other.Open();
    other.NewReaction();
    other.reactionText = "CH4+O2=CO2+H2O";
    other.StoreReaction();
    ASSERT_EQ(ReadReactions("Zq/Sintesis.zq").size(), 4u);

    library.NewReaction();
    library.reactionText = "C+O2=CO2";
    library.descriptionText = "Carbono";
    port.answers = {kAnswerYes};  // "Volver a leer"
    library.StoreReaction();
    EXPECT_EQ(test::LastMessage(port).caption, "Fichero cambiado");
    EXPECT_EQ(library.Entries().size(), 4u);      // the other window's reaction is shown
    EXPECT_EQ(library.reactionText, "C+O2=CO2");  // and what was typed is still there
    EXPECT_EQ(library.descriptionText, "Carbono");
    port.answers = {};
    library.StoreReaction();  // up to date now: stored without a question
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq").size(), 5u);

    // Types: Cancel leaves the file and this window's list as they were.
    other.typeText = "Combustión";
    other.NewType();
    other.typeText = "Combustión";
    other.StoreType();
    library.NewType();
    library.typeText = "Descomposición";
    port.answers = {kAnswerCancel};
    library.StoreType();
    EXPECT_EQ(test::LastMessage(port).caption, "Fichero cambiado");
    ReactionTypes saved;
    ASSERT_TRUE(saved.Read());
    EXPECT_EQ(saved.Count(), 3u);
    EXPECT_EQ(saved.Type(3).name, "Combustión");
    // "Guardar encima": this window's list replaces the other's.
    port.answers = {kAnswerNo};
    library.StoreType();
    ASSERT_TRUE(saved.Read());
    ASSERT_EQ(saved.Count(), 3u);
    EXPECT_EQ(saved.Type(3).name, "Descomposición");
}

TEST_F(ReactionLibraryTest, NewReactionsAppendAndDeletingAsks) {
    library.NewReaction();
    library.reactionText = "CH4+O2=CO2+H2O";
    library.descriptionText = "Metano";
    library.StoreReaction();
    EXPECT_EQ(library.Entries().size(), 4u);
    library.SelectEntry(4);
    port.answers = {kAnswerNo, kAnswerYes};
    library.DeleteReaction();
    EXPECT_EQ(library.Entries().size(), 4u);
    EXPECT_EQ(test::LastMessage(port).caption, "Confirmar");
    EXPECT_EQ(test::LastMessage(port).text, "¿Eliminar CH4+O2=CO2+H2O?");
    library.DeleteReaction();
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq").size(), 3u);
    for (int i = 0; i < 3; ++i) {
        port.answers = {kAnswerYes};
        library.SelectEntry(1);
        library.DeleteReaction();
    }
    EXPECT_EQ(test::ReadBytes("Zq/Sintesis.zq"), "");  // the last one deleted: an empty file
}

TEST_F(ReactionLibraryTest, PlusStartsFromEmptyFieldsAndOnlyEquationsAreStored) {
    // "+" after a reaction was shown: typing must not run on from it.
    library.SelectEntry(1);
    library.NewReaction();
    EXPECT_EQ(library.Selected(), 0u);
    EXPECT_EQ(library.reactionText, "");
    EXPECT_EQ(library.descriptionText, "");

    struct Refused {
        const char* equation;
        const char* message;
    };
    const Refused refused[] = {
        {"HCl+NaOH=NaCl+H2OLiOH+HCl=LiCl+H2O",
         "La ecuación tiene 2 signos =: escribe una sola ecuación, con un = entre los reactivos y "
         "los productos"},
        {"HCl+NaOH", "Falta separador (=) lados reacción"},
        {"HCl+NaOH=", "Falta la fórmula 1 de los productos"},
        {"H2+Cl2=H Cl", "Carácter \" \" no válido en la posición 2 de H Cl"},
        {"Fe+O2=FeO+SO2",
         "Los dos lados no tienen los mismos elementos: S solo está en los productos"},
    };
    for (const Refused& wrong : refused) {
        library.reactionText = wrong.equation;
        library.descriptionText = "Neutralización";
        library.StoreReaction();
        EXPECT_EQ(test::LastMessage(port).text, wrong.message) << wrong.equation;
        EXPECT_EQ(library.reactionText, wrong.equation);  // kept, to be mended
    }
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq").size(), 3u);

    library.reactionText = "LiOH+HCl=LiCl+H2O";
    library.StoreReaction();
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq").back(),
              (LibraryEntry{"LiOH+HCl=LiCl+H2O", "Neutralización"}));
}

TEST_F(ReactionLibraryTest, TransferParsesTheReactionField) {
    library.SelectEntry(2);
    auto transferred = library.Transfer();
    ASSERT_TRUE(transferred);
    EXPECT_EQ(ReactionCompactText(transferred->first), "N2+H2=NH3");
    EXPECT_EQ(transferred->second, "Amoníaco");
    library.reactionText = "H2+O2";
    EXPECT_FALSE(library.Transfer());
    EXPECT_EQ(test::LastMessage(port).text, "Falta separador (=) lados reacción");
    library.reactionText = "H2+O2=H2 O";
    const auto before = port.messages.size();
    EXPECT_FALSE(library.Transfer());
    EXPECT_EQ(port.messages.size(), before + 1);  // the formula's own message, once
    EXPECT_EQ(test::LastMessage(port).text, "Carácter \" \" no válido en la posición 3 de H2 O");
    library.reactionText = "H2+O2+N2+Cl2+F2+I2+Br2=H2O";
    EXPECT_FALSE(library.Transfer());
    EXPECT_EQ(test::LastMessage(port).caption, "Demasiadas substancias");
}

TEST_F(ReactionLibraryTest, SaveModeStoresTheMainReaction) {
    library.RequestSave("CaCO3=CaO+CO2");
    EXPECT_TRUE(library.SaveMode());
    EXPECT_EQ(library.Title(), "GUARDAR REACCIÓN");
    EXPECT_EQ(library.CurrentType(), 0u);
    EXPECT_EQ(library.reactionText, "CaCO3=CaO+CO2");
    EXPECT_FALSE(library.Controls().transfer);
    EXPECT_TRUE(library.Controls().reactionFields);
    library.SelectType(2);
    EXPECT_EQ(library.reactionText, "CaCO3=CaO+CO2");  // kept while a type is chosen
    library.descriptionText = "Calcinación de la caliza";
    library.StoreReaction();
    EXPECT_FALSE(library.SaveMode());
    EXPECT_EQ(library.Title(), "Reacciones tipo");
    EXPECT_EQ(ReadReactions("Zq/Vacio.zq"),
              (std::vector<LibraryEntry>{{"CaCO3=CaO+CO2", "Calcinación de la caliza"}}));
    // The reaction saved is the one selected: "ok" again replaces it, never adds a copy.
    EXPECT_EQ(library.Selected(), 1u);
    EXPECT_EQ(library.reactionText, "CaCO3=CaO+CO2");
    library.descriptionText = "Descomposición térmica";
    library.StoreReaction();
    EXPECT_EQ(ReadReactions("Zq/Vacio.zq"),
              (std::vector<LibraryEntry>{{"CaCO3=CaO+CO2", "Descomposición térmica"}}));
}

TEST_F(ReactionLibraryTest, AStoredReactionStaysSelected) {
    library.NewReaction();
    library.reactionText = "CH4+O2=CO2+H2O";
    library.descriptionText = "Metano";
    library.StoreReaction();
    EXPECT_EQ(library.Selected(), 4u);
    library.StoreReaction();
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq").size(), 4u);
    // A type without reactions shows empty fields, not the reaction of the type before.
    library.SelectType(2);
    EXPECT_EQ(library.reactionText, "");
    EXPECT_EQ(library.descriptionText, "");
    EXPECT_EQ(library.Selected(), 0u);
}

TEST_F(ReactionLibraryTest, AReactionThatCannotBeWrittenIsKeptInItsFields) {
    library.SelectType(1);
    library.RequestSave("CaCO3=CaO+CO2");
    library.SelectType(1);
    std::filesystem::remove_all("Zq");
    test::WriteBytes("Zq", "a file where the folder should be");
    library.descriptionText = "Calcinación";
    library.StoreReaction();
    EXPECT_EQ(test::LastMessage(port).caption, "No se ha guardado");
    EXPECT_TRUE(library.SaveMode());
    EXPECT_EQ(library.reactionText, "CaCO3=CaO+CO2");
    EXPECT_EQ(library.Entries().size(), 3u);
}

TEST_F(ReactionLibraryTest, TypeCommands) {
    library.NewType();
    EXPECT_EQ(library.CurrentType(), 0u);
    library.typeText = "Combustión";
    EXPECT_TRUE(library.Controls().storeType);
    library.StoreType();
    EXPECT_EQ(library.Types().Count(), 3u);
    EXPECT_EQ(library.Types().Type(3).base, "Combustion");
    // The new type is the one shown, ready for its first reaction.
    EXPECT_EQ(library.CurrentType(), 3u);
    EXPECT_EQ(library.typeText, "Combustión");
    EXPECT_TRUE(library.Entries().empty());
    EXPECT_EQ(library.reactionText, "");
    EXPECT_FALSE(library.Controls().storeType);
    library.SelectType(1);
    library.typeText = "Formación";
    // A new name for the type shown enables "ok", which asks first; No keeps the old name.
    EXPECT_TRUE(library.Controls().storeType);
    port.answers = {kAnswerNo};
    library.StoreType();
    EXPECT_EQ(test::LastMessage(port).text,
              "¿Cambiar el nombre del tipo \"Síntesis\" por \"Formación\"?");
    EXPECT_EQ(test::LastMessage(port).defaultAnswer, kAnswerNo);
    EXPECT_EQ(library.Types().Type(1).name, "Síntesis");
    port.answers = {kAnswerYes};
    library.StoreType();
    EXPECT_EQ(library.CurrentType(), 1u);  // renamed, and still shown with its reactions
    EXPECT_EQ(library.Entries().size(), 3u);
    ReactionTypes onDisk;
    onDisk.Read();
    EXPECT_EQ(onDisk.Type(1).name, "Formación");
    EXPECT_EQ(onDisk.Type(1).base, "Sintesis");
    // A name that cannot be stored is refused before anything is asked.
    const std::size_t asked = port.messages.size();
    for (const char* wrong : {"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn", "¿?"}) {
        library.typeText = wrong;
        library.StoreType();
    }
    ASSERT_EQ(port.messages.size(), asked + 2);
    EXPECT_EQ(port.messages[asked].caption, "Nombre demasiado largo");
    EXPECT_EQ(port.messages[asked + 1].caption, "Nombre no válido");
    // The name as it stands, or an empty field, leave "ok" grey and Enter does nothing.
    for (const char* same : {"Formación", "  "}) {
        library.SelectType(1);
        library.typeText = same;
        EXPECT_FALSE(library.Controls().storeType) << same;
        library.StoreType();
    }
    EXPECT_EQ(port.messages.size(), asked + 2);
    onDisk.Read();
    EXPECT_EQ(onDisk.Type(1).name, "Formación");
    library.SelectType(1);
    port.answers = {kAnswerYes};
    library.DeleteType();
    onDisk.Read();
    EXPECT_EQ(onDisk.Count(), 2u);
    EXPECT_TRUE(std::filesystem::exists("Zq/Sintesis.zq"));  // the reactions stay on disk
}

TEST_F(ReactionLibraryTest, SortingRunsLinordOnTheTypeFile) {
    // Linord lies beside tovel, and runs here without its boxes.
    library.SetProgramFolder(TOVEL_BIN_DIR);
    ::setenv("LINORD_QUIET", "1", 1);
    port.runPrograms = true;
    ASSERT_TRUE(WriteReactions(
        "Zq/Sintesis.zq",
        {{"Na+Cl2=NaCl", "Sal común"}, {"H2+O2=H2O", "Agua"}, {"N2+H2=NH3", "Amoníaco"}}));
    library.SelectType(1);
    library.Sort();
    ASSERT_EQ(port.started.size(), 1u);
    EXPECT_EQ(port.started[0], std::string(TOVEL_BIN_DIR) + "/Linord Zq/Sintesis.zq 2");
    EXPECT_EQ(library.Entries()[0], (LibraryEntry{"H2+O2=H2O", "Agua"}));
    EXPECT_EQ(library.Entries()[1].reaction, "N2+H2=NH3");
    EXPECT_EQ(library.Entries()[2].reaction, "Na+Cl2=NaCl");
    EXPECT_TRUE(std::filesystem::exists("Zq/Sintesis.~zq"));
}

TEST_F(ReactionLibraryTest, AFileThatCannotBeReadWholeIsNeverWrittenOver) {
    // Lines longer than a field are kept whole, so a rewrite loses nothing of them.
    const std::string longDescription(400, 'x');
    ASSERT_TRUE(WriteReactions("Zq/Sintesis.zq", {{"H2+O2=H2O", longDescription}}));
    EXPECT_EQ(ReadReactions("Zq/Sintesis.zq")[0].description, longDescription);

    std::filesystem::remove("Zq/Sintesis.zq");
    ASSERT_EQ(::mkfifo("Zq/Sintesis.zq", 0600), 0);  // there, but nothing that can be read
    std::string problem;
    EXPECT_TRUE(ReadReactions("Zq/Sintesis.zq", &problem).empty());
    EXPECT_FALSE(problem.empty());
    library.SelectType(1);
    EXPECT_NE(test::LastMessage(port).text.find("No se han podido leer las reacciones"),
              std::string::npos);
    library.reactionText = "N2+H2=NH3";
    library.descriptionText = "Amoníaco";
    library.StoreReaction();
    EXPECT_NE(test::LastMessage(port).text.find("No se guarda encima de Zq/Sintesis.zq"),
              std::string::npos);
    struct stat info {};
    ASSERT_EQ(::lstat("Zq/Sintesis.zq", &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    std::filesystem::remove("Zq/Sintesis.zq");
}

TEST(ReactionTypesFile, ABaseNameIsAPlainFileName) {
    const std::string dir = test::TempDir();
    const std::string path = dir + "/tiptovl.rel";
    std::string bytes = EncodeTypeRecord({"Síntesis", "sintesis"});
    for (const char* base : {"../../../escape", "/etc", "a.b"})
        bytes += EncodeTypeRecord({"Mal", base});
    std::string nul = EncodeTypeRecord({"Nul", "host"});
    nul[33 + 2] = '\0';  // "ho\0t": the path would stop at the NUL
    bytes += nul;
    for (int i = 0; i < 256; ++i)
        bytes += EncodeTypeRecord({"T" + std::to_string(i), "t" + std::to_string(i)});
    test::WriteBytes(path, bytes);

    ReactionTypes types;
    ASSERT_TRUE(types.Read(path));
    EXPECT_EQ(types.Count(), kTypeLimit);
    for (const auto& type : types.Types())
        EXPECT_TRUE(IsPlainBaseName(type.base)) << type.base;
    // Each refused type is named with its file, so that the user can find it; a few at most.
    EXPECT_EQ(types.Problems(),
              "4 tipos con un nombre de fichero que no vale (solo letras, números, espacios, - y "
              "_) no se cargan: \"Mal\" (Zq/../../../escape.zq), \"Mal\" (Zq//etc.zq), \"Mal\" "
              "(Zq/a.b.zq) y 1 más; "
              "2 tipos más allá de los 255 que caben no se cargan: \"T254\" (Zq/t254.zq), "
              "\"T255\" (Zq/t255.zq); se conservan en " +
                  path);
    ASSERT_TRUE(types.Write(path));
    EXPECT_EQ(test::ReadBytes(path).size(), bytes.size());  // nothing dropped

    test::WriteBytes(
        path, EncodeTypeRecord({"Síntesis", "sintesis"}) + EncodeTypeRecord({"Redox", "re/dox"}));
    ASSERT_TRUE(types.Read(path));
    EXPECT_EQ(types.Problems(),
              "1 tipo con un nombre de fichero que no vale (solo letras, números, espacios, - y "
              "_) no se carga: \"Redox\" (Zq/re/dox.zq); se conservan en " +
                  path);

    test::FakeUserPort port;
    ReactionTypes fresh;
    ASSERT_TRUE(fresh.Add("Óxido (II) / básico", port));
    EXPECT_EQ(fresh.Type(1).base, "oxidoIIbasico");
    EXPECT_FALSE(fresh.Add("//..", port));
    EXPECT_EQ(test::LastMessage(port).caption, "Nombre no válido");
    // Two types never share a reaction file, whatever the case of their names.
    ASSERT_TRUE(fresh.Add("Óxido II básico", port));
    ASSERT_TRUE(fresh.Add("oxido (ii) basico", port));
    EXPECT_EQ(fresh.Type(2).base, "oxidoIIbasico2");
    EXPECT_EQ(fresh.Type(3).base, "oxidoiibasico3");

    const std::string pipe = dir + "/pipe.rel";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ReactionTypes blocked;
    EXPECT_FALSE(blocked.Read(pipe));
    EXPECT_FALSE(blocked.Problems().empty());
    EXPECT_FALSE(blocked.Write(pipe));
}

}  // namespace
}  // namespace tovel
