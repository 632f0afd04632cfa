#include <gtest/gtest.h>

#include <map>

#include "core/formula.h"
#include "core/language.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::DefaultElements;
using test::FakeUserPort;

// Composition as symbol -> count, in the order of the entries.
std::vector<std::pair<std::string, int>> Composition(const Substance& s) {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& e : s.entries)
        out.emplace_back(e.element.symbol, e.count);
    return out;
}

class FormulaTest : public ::testing::Test {
  protected:
    bool Parse(const std::string& text) { return ParseFormula(substance, text, table, port); }

    ElementTable table = DefaultElements();
    FakeUserPort port;
    Substance substance;
};

struct CompositionCase {
    const char* formula;
    std::vector<std::pair<std::string, int>> expected;
};
void PrintTo(const CompositionCase& c, std::ostream* out) {
    *out << c.formula;
}

class FormulaCompositionTest : public FormulaTest,
                               public ::testing::WithParamInterface<CompositionCase> {};

TEST_P(FormulaCompositionTest, ReadsTheWholeFormula) {
    const auto& c = GetParam();
    ASSERT_TRUE(Parse(c.formula)) << c.formula;
    EXPECT_EQ(Composition(substance), c.expected) << c.formula;
    EXPECT_TRUE(port.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, FormulaCompositionTest,
    ::testing::Values(
        CompositionCase{"NaCl", {{"Na", 1}, {"Cl", 1}}},
        CompositionCase{"  H2O \t", {{"H", 2}, {"O", 1}}},
        CompositionCase{"Fe2(SO4)3", {{"Fe", 2}, {"S", 3}, {"O", 12}}},
        CompositionCase{"Mg(OH)2", {{"Mg", 1}, {"O", 2}, {"H", 2}}},
        CompositionCase{"Ca3(PO4)2", {{"Ca", 3}, {"P", 2}, {"O", 8}}},
        CompositionCase{"CH3COOH", {{"C", 2}, {"H", 4}, {"O", 2}}},
        // Numbers keep all their digits.
        CompositionCase{"C100", {{"C", 100}}},
        CompositionCase{"C57H110O6", {{"C", 57}, {"H", 110}, {"O", 6}}},
        // A group without a number counts once and is closed.
        CompositionCase{"CH3CH(CH3)CH3", {{"C", 4}, {"H", 10}}},
        CompositionCase{"Fe(OH)SO4", {{"Fe", 1}, {"O", 5}, {"H", 1}, {"S", 1}}},
        // Groups nest.
        CompositionCase{"Ca(Al(OH)4)2", {{"Ca", 1}, {"Al", 2}, {"O", 8}, {"H", 8}}},
        CompositionCase{"K4Fe(CN)6", {{"K", 4}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
        CompositionCase{"(NH4)2Cr2O7", {{"N", 2}, {"H", 8}, {"Cr", 2}, {"O", 7}}},
        // A ")" without its "(" groups from the first symbol; an unclosed "(" counts once.
        CompositionCase{"H2O)2", {{"H", 4}, {"O", 2}}},
        CompositionCase{"Ca(OH", {{"Ca", 1}, {"O", 1}, {"H", 1}}},
        // Everything past the 21st character counts.
        CompositionCase{"CH3CH2CH2CH2CH2CH2CH2CH3", {{"C", 8}, {"H", 18}}}),
    [](const auto& info) { return test::CaseName(info.param.formula, info.index); });

TEST_F(FormulaTest, KeepsTheTrimmedTextAndItsMolarMass) {
    ASSERT_TRUE(Parse("  H2SO4\r\n"));
    EXPECT_EQ(substance.formula, "H2SO4");
    EXPECT_NEAR(substance.molarMass, 2 * 1.008 + 32.06 + 4 * 15.999, 1e-9);
    EXPECT_EQ(substance.entries[0].element.atomicNumber, 1);
    EXPECT_TRUE(substance.entries[0].element.name.empty());
}

TEST_F(FormulaTest, MolarMassIsTheSumOfMassTimesCount) {
    ElementTable small;
    small.Add(MakeElementRecord(1, "H", 1.008, "Hidrógeno"));
    small.Add(MakeElementRecord(8, "O", 15.999, "Oxígeno"));
    ASSERT_TRUE(ParseFormula(substance, "H2O", small, port));
    substance.molarMass = 0;
    EXPECT_DOUBLE_EQ(MolarMass(substance), 2 * 1.008 + 15.999);
    EXPECT_DOUBLE_EQ(substance.molarMass, 18.015);
}

struct WrongCase {
    const char* formula;
    const char* message;
};
void PrintTo(const WrongCase& c, std::ostream* out) {
    *out << c.formula;
}

class FormulaWrongTest : public FormulaTest, public ::testing::WithParamInterface<WrongCase> {};

TEST_P(FormulaWrongTest, NamesTheOffendingCharacter) {
    const auto& c = GetParam();
    substance.formula = "untouched";
    EXPECT_FALSE(Parse(c.formula));
    ASSERT_EQ(port.messages.size(), 1u) << c.formula;
    EXPECT_EQ(port.messages[0].caption, "Fórmula incorrecta     ");
    EXPECT_EQ(port.messages[0].text, c.message);
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(substance.formula, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, FormulaWrongTest,
    ::testing::Values(WrongCase{"H2 O", "Carácter \" \" no válido en la posición 3 de H2 O"},
                      WrongCase{"2H2O", "Carácter \"2\" no válido en la posición 1 de 2H2O"},
                      WrongCase{"aH", "Carácter \"a\" no válido en la posición 1 de aH"},
                      WrongCase{"Abc", "Carácter \"c\" no válido en la posición 3 de Abc"},
                      WrongCase{"CuSO4··5H2O",
                                "Carácter \"·\" no válido en la posición 7 de CuSO4··5H2O: un "
                                "punto de hidrato aquí"},
                      WrongCase{"·5H2O",
                                "Carácter \"·\" no válido en la posición 1 de ·5H2O: un punto "
                                "de hidrato aquí"},
                      WrongCase{"CuSO4*",
                                "Carácter \"·\" no válido en la posición 6 de CuSO4*: un punto "
                                "de hidrato al final"},
                      WrongCase{"CuSO4·5H2O^2+",
                                "Carácter \"^\" no válido en la posición 11 de CuSO4·5H2O^2+: "
                                "una carga en un hidrato"},
                      WrongCase{"Fe^3",
                                "Carácter \"3\" no válido en la posición 4 de Fe^3: "
                                "una carga sin signo (+ o -)"},
                      WrongCase{"^2+",
                                "Carácter \"^\" no válido en la posición 1 de ^2+: una "
                                "carga sin fórmula delante"},
                      WrongCase{"SO4^2--",
                                "Carácter \"-\" no válido en la posición 7 de "
                                "SO4^2--: un carácter tras el signo de la carga"},
                      WrongCase{"Fe^x+",
                                "Carácter \"x\" no válido en la posición 4 de Fe^x+: "
                                "un carácter en la carga"},
                      WrongCase{"Fe^0+",
                                "Carácter \"0\" no válido en la posición 4 de Fe^0+: "
                                "una carga de 1 a 99"},
                      WrongCase{"Fe+3", "Carácter \"+\" no válido en la posición 3 de Fe+3"},
                      WrongCase{"H2=O", "Carácter \"=\" no válido en la posición 3 de H2=O"},
                      WrongCase{"(2H)", "Carácter \"2\" no válido en la posición 2 de (2H)"},
                      // A count after an opening bracket would count nothing inside it.
                      WrongCase{"H(3O)", "Carácter \"3\" no válido en la posición 3 de H(3O)"},
                      WrongCase{"K[4Fe]", "Carácter \"4\" no válido en la posición 3 de K[4Fe]"},
                      // A small letter only completes the capital just before it.
                      WrongCase{"H2e", "Carácter \"e\" no válido en la posición 3 de H2e"},
                      WrongCase{"(Na)a", "Carácter \"a\" no válido en la posición 5 de (Na)a"}),
    [](const auto& info) { return test::CaseName(info.param.formula, info.index); });

TEST_F(FormulaTest, EmptyTextFailsSilently) {
    EXPECT_FALSE(Parse(" \t\r\n"));
    EXPECT_FALSE(Parse(""));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(FormulaTest, RefusesMoreThanTwentyWrittenSymbols) {
    EXPECT_TRUE(Parse("HHHHHHHHHHHHHHHHHHHH"));  // 20 merge into H20
    EXPECT_EQ(Composition(substance), (std::vector<std::pair<std::string, int>>{{"H", 20}}));
    EXPECT_FALSE(Parse("HHHHHHHHHHHHHHHHHHHHH"));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Error");
    EXPECT_EQ(port.messages[0].text.rfind("Demasiados elementos no agrupados: HHHH", 0), 0u);
    EXPECT_EQ(port.messages[0].icon, MessageIcon::None);
}

TEST_F(FormulaTest, RefusesCountsBeyondSixteenBits) {
    EXPECT_TRUE(Parse("C65535"));
    for (const char* text : {"C65536", "C99999999999999999999", "(C300)300", "C60000C6000"}) {
        port.messages.clear();
        EXPECT_FALSE(Parse(text)) << text;
        ASSERT_EQ(port.messages.size(), 1u) << text;
        EXPECT_EQ(port.messages[0].text,
                  "Número de átomos demasiado grande en " + std::string(text) + " (máximo 65535)");
    }
}

TEST_F(FormulaTest, RefusesFormulasLongerThanTheirField) {
    const std::string sixtyFour = "C" + std::string(63, 'H');  // merges into C H63
    EXPECT_FALSE(Parse(sixtyFour));  // 64 written symbols: too many, not too long
    EXPECT_EQ(test::LastMessage(port).caption, "Error");
    port.messages.clear();
    const std::string longOne = "C" + std::string(30, '1') + "H" + std::string(33, '2');
    EXPECT_FALSE(Parse(longOne));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, "Fórmula demasiado larga: 65 caracteres (máximo 64)");
}

TEST_F(FormulaTest, WrongFormulaCaptionFollowsTheLanguage) {
    SetLanguageIndex(Language::English);
    EXPECT_FALSE(Parse("H-"));
    SetLanguageIndex(Language::Catalan);
    EXPECT_FALSE(Parse("H-"));
    SetLanguageIndex(Language::Spanish);
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].caption, "Wrong formula   ");
    EXPECT_EQ(port.messages[1].caption, "Fórmula incorrecta    ");
}

// A count of zero writes no atoms: refused with the place and the reason, never read as a
// formula without that element (H0 was 0 g/mol, H2O0 water without its oxygen).
TEST(FormulaScan, ZeroCountsAreRefused) {
    struct Case {
        const char* text;
        std::size_t position;
        const char* reason;
    };
    for (const Case& c :
         {Case{"H0", 2, "un número de átomos cero"}, Case{"H2O0", 4, "un número de átomos cero"},
          Case{"C00", 2, "un número de átomos cero"},
          Case{"Ca(OH)0", 7, "un grupo multiplicado por cero"},
          Case{"CuSO4·0H2O", 7, "un componente de hidrato multiplicado por cero"}}) {
        const FormulaScan scan = ScanFormula(c.text);
        EXPECT_NE(scan.error, FormulaError::None) << c.text;
        EXPECT_EQ(scan.position, c.position) << c.text;
        EXPECT_EQ(scan.reason, c.reason) << c.text;
        EXPECT_TRUE(scan.entries.empty()) << c.text;
    }
    // Zeros inside a count are digits like any other.
    EXPECT_EQ(ScanFormula("H10").entries[0].count, 10);
    EXPECT_EQ(ScanFormula("C20H10").error, FormulaError::None);
}

TEST_F(FormulaTest, UnknownSymbolAsksToAddIt) {
    EXPECT_FALSE(Parse("NACL"));  // N is known; A is not, and the user declines
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "* Error *");
    EXPECT_EQ(port.messages[0].text, "A no está en la base de datos\r¿añadir?");
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Exclamation);
    // Enter answers No: a stray Enter must not open the element editor.
    EXPECT_EQ(port.messages[0].defaultAnswer, kAnswerNo);
    EXPECT_EQ(port.editorOpened, 0);
}

TEST_F(FormulaTest, AddingTheElementInTheEditorLetsTheParseGoOn) {
    port.answers = {kAnswerYes};
    port.editor = [](ElementTable& t) { t.Add(MakeElementRecord(200, "Xx", 300.0, "Inventado")); };
    ASSERT_TRUE(Parse("Xx2O"));
    EXPECT_EQ(port.editorSymbols, std::vector<std::string>{"Xx"});  // filled in for the user
    EXPECT_EQ(substance.entries[0].element.atomicNumber, 200);
    EXPECT_DOUBLE_EQ(substance.molarMass, 600.0 + 15.999);
}

TEST_F(FormulaTest, TheQuestionComesBackWhileTheSymbolStaysMissing) {
    port.answers = {kAnswerYes, kAnswerYes, kAnswerNo};
    EXPECT_FALSE(Parse("Xx"));
    EXPECT_EQ(port.editorOpened, 2);
    EXPECT_EQ(port.messages.size(), 3u);
}

TEST_F(FormulaTest, ResolveLooksSymbolsUpExactly) {
    FormulaEntry entry;
    entry.element.symbol = "cl";
    EXPECT_FALSE(ResolveElement(entry, table, port));
    EXPECT_EQ(entry.element.atomicNumber, 0);
    entry.element.symbol = "Cl";
    EXPECT_TRUE(ResolveElement(entry, table, port));
    EXPECT_EQ(entry.element.atomicNumber, 17);
}

TEST(FormulaDisplayText, MarksDigitsAsSubscripts) {
    EXPECT_EQ(FormulaDisplayText("H2SO4"), "H_2SO_4");
    EXPECT_EQ(FormulaDisplayText("Ca3(PO4)2"), "Ca_3(PO_4)_2");
    EXPECT_EQ(FormulaDisplayText("C57H110O6"), "C_5_7H_1_1_0O_6");
    EXPECT_EQ(FormulaDisplayText("Cu SO4·5"), "CuSO_4·5");
    // Charges raised, the hydrate dot and its number on the line.
    EXPECT_EQ(FormulaDisplayText("SO4^2-"), "SO_4^2^-");
    EXPECT_EQ(FormulaDisplayText("H^+"), "H^+");
    EXPECT_EQ(FormulaDisplayText("CuSO4·5H2O"), "CuSO_4·5H_2O");
    EXPECT_EQ(FormulaDisplayText("e^-"), "e^-");
}

TEST(ScanFormula, IonsElectronsAndHydrates) {
    auto scan = ScanFormula("Cr2O7^2-");
    EXPECT_EQ(scan.error, FormulaError::None);
    EXPECT_EQ(scan.charge, -2);
    EXPECT_EQ(scan.entries.size(), 2u);
    EXPECT_EQ(ScanFormula("NH4^+").charge, 1);
    EXPECT_EQ(ScanFormula("Fe^3+").charge, 3);
    scan = ScanFormula("e^-");
    EXPECT_EQ(scan.error, FormulaError::None);
    EXPECT_EQ(scan.charge, -1);
    EXPECT_TRUE(scan.entries.empty());
    // Every way of writing the dot is the same substance, written back with the middle dot.
    for (const char* text : {"CuSO4·5H2O", "CuSO4*5H2O", "CuSO4.5H2O"}) {
        scan = ScanFormula(text);
        ASSERT_EQ(scan.error, FormulaError::None) << text;
        EXPECT_EQ(scan.formula, "CuSO4·5H2O");
        ASSERT_EQ(scan.entries.size(), 4u);  // Cu S O H: the water's O added to the sulfate's
        EXPECT_EQ(scan.entries[2].count, 9);
        EXPECT_EQ(scan.entries[3].count, 10);
    }
    // The number multiplies the component that follows only; several dots add their components.
    scan = ScanFormula("CaSO4·(H2O)2·3NH3");
    ASSERT_EQ(scan.error, FormulaError::None);
    EXPECT_EQ(scan.entries[2].count, 6);   // O: 4 + 2
    EXPECT_EQ(scan.entries[3].count, 13);  // H: 4 + 9
    EXPECT_EQ(scan.entries[4].count, 3);   // N
    // Charges and dots count toward the length limit.
    EXPECT_EQ(ScanFormula(std::string(61, 'H') + "^10+").error, FormulaError::TooLong);
}

TEST_F(FormulaTest, HydrateAndElectronMasses) {
    ASSERT_TRUE(Parse("CuSO4*5H2O"));
    EXPECT_NEAR(substance.molarMass, 249.68, 0.005);
    EXPECT_EQ(substance.formula, "CuSO4·5H2O");
    ASSERT_TRUE(Parse("e^-"));
    EXPECT_TRUE(IsElectron(substance));
    EXPECT_DOUBLE_EQ(substance.molarMass, kElectronMolarMass);
    ASSERT_TRUE(Parse("SO4^2-"));  // an ion's mass is its atoms'
    EXPECT_NEAR(substance.molarMass, 96.06, 0.005);
    EXPECT_EQ(substance.charge, -2);
}

TEST(FindSubstanceSeparator, TheSignOfAChargeIsNoSeparator) {
    const std::string side = "H^++OH^-+Fe^3+ + Cl2";
    EXPECT_EQ(FindSubstanceSeparator(side), 3u);
    EXPECT_EQ(FindSubstanceSeparator(side, 4), 8u);
    EXPECT_EQ(FindSubstanceSeparator(side, 9), 15u);
    EXPECT_EQ(FindSubstanceSeparator("H2O"), std::string::npos);
}

TEST(ScanFormula, KnowsNothingOfTheTable) {
    const FormulaScan scan = ScanFormula("Qq3Zz");
    EXPECT_EQ(scan.error, FormulaError::None);
    ASSERT_EQ(scan.entries.size(), 2u);
    EXPECT_EQ(scan.entries[0].element.symbol, "Qq");
    EXPECT_EQ(scan.entries[0].count, 3);
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

// The structure as text: symbols with their counts, groups as "(" ... ")n", components after
// "·" with their multiplier.
std::string StructureText(const FormulaStructure& s) {
    std::string text;
    for (std::size_t c = 0; c < s.components.size(); ++c) {
        const FormulaComponent& component = s.components[c];
        if (c > 0) {
            text += "·" + std::to_string(component.numerator);
            if (component.denominator != 1) text += "/" + std::to_string(component.denominator);
        }
        std::vector<std::size_t> ends;
        for (std::size_t i = component.first; i < component.end; ++i) {
            while (!ends.empty() && ends.back() == i) {
                text += ")";
                ends.pop_back();
            }
            const FormulaPart& part = s.parts[i];
            if (part.IsGroup()) {
                text += "(";
                ends.push_back(part.end);
                continue;
            }
            text += part.symbol + std::to_string(part.count) + " ";
        }
        while (!ends.empty()) {
            text += ")";
            ends.pop_back();
        }
    }
    return text;
}

TEST(FormulaStructure, PiecesAsWrittenWithTheirCounts) {
    struct Case {
        const char* formula;
        const char* structure;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"H2SO4", "H2 S1 O4 "},
             {"Ca3(PO4)2", "Ca3 (P1 O4 )"},
             {"K4[Fe(CN)6]", "K4 (Fe1 (C1 N1 ))"},
             {"[Cu(NH3)4]SO4", "(Cu1 (N1 H3 ))S1 O4 "},
             {"CuSO4·5H2O", "Cu1 S1 O4 ·5H2 O1 "},
             {"CaSO4·½H2O", "Ca1 S1 O4 ·1/2H2 O1 "},
             {"CaSO4·0.5H2O", "Ca1 S1 O4 ·1/2H2 O1 "},
             {"CaSO4·1,5H2O", "Ca1 S1 O4 ·3/2H2 O1 "},
             // A ")" without its "(" groups from the first symbol; an unclosed "(" counts once.
             {"CaOH)2", "(Ca1 O1 H1 )"},
             {"H2(O", "H2 (O1 )"},
         }) {
        const ReadFormulaResult read = ReadFormulaStructure(c.formula);
        ASSERT_EQ(read.scan.error, FormulaError::None) << c.formula;
        EXPECT_EQ(StructureText(read.structure), c.structure) << c.formula;
    }
    const ReadFormulaResult k4 = ReadFormulaStructure("K4[Fe(CN)6]");
    EXPECT_EQ(k4.structure.parts[1].count, 1u);  // the bracket group, once
    EXPECT_EQ(k4.structure.parts[3].count, 6u);  // (CN)6
    const ReadFormulaResult ion = ReadFormulaStructure("Cr2O7^2-");
    EXPECT_EQ(ion.structure.charge, -2);
    EXPECT_TRUE(ReadFormulaStructure("e^-").structure.electron);
    // The structure and the atom counts come from one reading: refused alike.
    for (const char* bad : {"h2o", "2H", "CuSO4·", "Fe^3+·6H2O"}) {
        const ReadFormulaResult read = ReadFormulaStructure(bad);
        EXPECT_NE(read.scan.error, FormulaError::None) << bad;
        EXPECT_TRUE(read.structure.parts.empty()) << bad;
    }
}

TEST_F(FormulaTest, BracketsAreParenthesesAndHalfHydratesWeighHalf) {
    ASSERT_TRUE(Parse("K4[Fe(CN)6]"));
    EXPECT_EQ(Composition(substance),
              (std::vector<std::pair<std::string, int>>{{"K", 4}, {"Fe", 1}, {"C", 6}, {"N", 6}}));
    ASSERT_TRUE(Parse("[Cu(NH3)4]SO4"));
    EXPECT_NEAR(substance.molarMass, 227.72, 0.01);
    EXPECT_EQ(FormulaDisplayText("K4[Fe(CN)6]"), "K_4[Fe(CN)_6]");

    // Two formulas counted, so the counts stay whole; the mass is one formula's.
    ASSERT_TRUE(Parse("CaSO4·½H2O"));
    EXPECT_EQ(substance.formulas, 2);
    EXPECT_EQ(Composition(substance),
              (std::vector<std::pair<std::string, int>>{{"Ca", 2}, {"S", 2}, {"O", 9}, {"H", 2}}));
    EXPECT_NEAR(substance.molarMass, 145.15, 0.01);
    for (const char* same : {"CaSO4·0.5H2O", "CaSO4*0,5H2O", "CaSO4.0.5H2O"}) {
        ASSERT_TRUE(Parse(same)) << same;
        EXPECT_NEAR(substance.molarMass, 145.15, 0.01) << same;
        EXPECT_EQ(substance.formulas, 2) << same;
    }
    EXPECT_EQ(substance.formula, "CaSO4·0.5H2O");
    EXPECT_EQ(FormulaDisplayText("CaSO4·0.5H2O"), "CaSO_4·0.5H_2O");
    EXPECT_EQ(FormulaDisplayText("CaSO4·½H2O"), "CaSO_4·½H_2O");
    ASSERT_TRUE(Parse("CaSO4·1½H2O"));  // one and a half
    EXPECT_EQ(substance.formulas, 2);
    EXPECT_EQ(substance.entries[3].count, 6);  // H: 3 for each formula, two formulas
}

TEST_F(FormulaTest, HydrateMultipliersThatAreNoNumberAreRefusedWithTheirReason) {
    EXPECT_FALSE(Parse("CuSO4·0H2O"));
    EXPECT_EQ(LastMessage(port).text,
              "Carácter \"0\" no válido en la posición 7 de CuSO4·0H2O: un componente de hidrato "
              "multiplicado por cero");
    EXPECT_FALSE(Parse("CaSO4·0.125H2O"));
    EXPECT_NE(LastMessage(port).text.find("más de dos decimales"), std::string::npos);
}

TEST_F(FormulaTest, AChargeWithoutCaretIsShownHowToWrite) {
    struct Case {
        const char* typed;
        const char* hint;
    };
    for (const Case& c : std::initializer_list<Case>{{"Fe3+", "Fe^3+"},
                                                     {"Cu2+", "Cu^2+"},
                                                     {"SO42-", "SO4^2-"},
                                                     {"NH4+", "NH4^+"},
                                                     {"Cl-", "Cl^-"},
                                                     {"e-", "e^-"},
                                                     {"Cr2O72-", "Cr2O7^2-"}}) {
        EXPECT_FALSE(Parse(c.typed)) << c.typed;
        const std::string text = LastMessage(port).text;
        // The parser's own message stays, the hint follows it.
        EXPECT_EQ(text.rfind("Carácter \"", 0), 0u) << text;
        EXPECT_NE(text.find("La carga se escribe tras ^: " + std::string(c.hint)),
                  std::string::npos)
            << text;
    }
    EXPECT_FALSE(Parse("Fe++"));  // no hint where none would read
    EXPECT_EQ(LastMessage(port).text.find("La carga"), std::string::npos);
}

TEST_F(FormulaTest, MessagesNameWholeCharactersNeverBytes) {
    // The middle dot after a charge is two bytes: the message names it whole.
    EXPECT_FALSE(Parse("Fe^3+·6H2O"));
    const std::string text = LastMessage(port).text;
    EXPECT_NE(text.find("\"·\""), std::string::npos) << text;
    EXPECT_EQ(text.find("\xC2\""), std::string::npos) << text;  // not a lone first byte
}

}  // namespace
}  // namespace tovel
