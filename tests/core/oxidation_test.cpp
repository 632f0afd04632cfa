#include "core/oxidation.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/balance.h"
#include "core/formula.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::ParsedReaction;

// Each line of a case file without comments: the text before the tab, and the text after it.
std::vector<std::pair<std::string, std::string>> CaseFile(const std::string& name) {
    std::istringstream in(test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/" + name));
    std::vector<std::pair<std::string, std::string>> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        cases.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return cases;
}

TEST(OxidationNumbers, TheTextbookCases) {
    const auto cases = CaseFile("oxidation_numbers.tsv");
    ASSERT_GE(cases.size(), 150u);
    for (const auto& [formula, expected] : cases) {
        const SubstanceOxidation ox = OxidationNumbers(formula);
        EXPECT_EQ(ox.decided, expected != "?") << formula;
        const std::string text = OxidationText(ox);
        if (expected == "?") {
            EXPECT_EQ(text, formula + ": las reglas no deciden sus números de oxidación");
            EXPECT_TRUE(ox.sites.empty()) << formula;  // nothing is guessed
        } else {
            EXPECT_EQ(text, formula + ": " + expected);
            // The numbers add up to the charge, whatever rule gave them.
            Fraction sum{0, 1};
            for (const auto& site : ox.sites)
                sum = sum + Fraction::Make(site.number.num * static_cast<std::int64_t>(site.atoms),
                                           site.number.den);
            EXPECT_EQ(sum, Fraction::Make(ScanFormula(formula).charge)) << formula;
        }
    }
}

TEST(OxidationNumbers, IonsAndWhatIsNoFormula) {
    EXPECT_EQ(OxidationText(OxidationNumbers("SO4", -2)), "SO4: S +6, O -2");
    EXPECT_EQ(OxidationText(OxidationNumbers("Fe", 3)), "Fe: Fe +3");
    EXPECT_EQ(OxidationText(OxidationNumbers("MnO4", -1)), "MnO4: Mn +7, O -2");
    EXPECT_EQ(OxidationText(OxidationNumbers("NH4", 1)), "NH4: N -3, H +1");
    for (const char* bad :
         {"", "h2o", "2H", "C8*888888888888888888888888", "Fe^999999999999+", "CuSO4·0H2O", "Fe3+"})
        EXPECT_FALSE(OxidationNumbers(bad).decided) << bad;
    // Read as the formula parser reads it, the one grammar of the program: an unclosed "(" counts
    // once, a ")" without its "(" groups from the first symbol.
    EXPECT_EQ(OxidationText(OxidationNumbers("H2(O")), "H2(O: H +1, O -2");
    // (CaOH)2 is Ca2O2H2, which no oxidation numbers fit.
    EXPECT_FALSE(OxidationNumbers("CaOH)2").decided);
    EXPECT_EQ(SignedNumber(Fraction::Make(-8, 3)), "-8/3");
    EXPECT_EQ(SignedNumber(Fraction::Make(0)), "0");
}

TEST(Redox, TheWorkedReactions) {
    const auto cases = CaseFile("redox_cases.tsv");
    ASSERT_GE(cases.size(), 30u);
    int redox = 0;
    for (const auto& [equation, expected] : cases) {
        Reaction reaction = ParsedReaction(equation);
        ASSERT_TRUE(BalanceReaction(reaction)) << equation;
        const RedoxAnalysis analysis = AnalyseRedox(reaction);
        const std::vector<std::string> lines = RedoxLines(analysis);
        // One line per substance, an empty line, then the analysis.
        ASSERT_EQ(lines.size() > analysis.substances.size(), true) << equation;
        EXPECT_EQ(lines[analysis.substances.size()], "") << equation;
        std::string said;
        for (std::size_t k = analysis.substances.size() + 1; k < lines.size(); ++k)
            said += (said.empty() ? "" : " | ") + lines[k];
        EXPECT_EQ(said, expected) << equation;
        redox += analysis.outcome == RedoxOutcome::Redox;
    }
    EXPECT_GE(redox, 25);
}

TEST(OxidationNumbers, NeverAnImpossibleNumber) {
    // Every number of every decided case file substance lies within its element's range.
    for (const auto& [formula, expected] : CaseFile("oxidation_numbers.tsv")) {
        for (const auto& site : OxidationNumbers(formula).sites) {
            EXPECT_LE(site.number, Fraction::Make(8)) << formula;
            EXPECT_GE(site.number, Fraction::Make(-4)) << formula;
        }
    }
    // Formulas no rule reads: nothing is guessed rather than an impossible number printed.
    // MnO5 would need Mn +10 or an odd number of peroxo oxygens; SF8 S +8 with no oxygen; CH5
    // C -5; NaF2 contradicts two fixed numbers.
    for (const char* formula : {"MnO5", "SF8", "CH5", "NaF2", "CuFeS2", "Fe3C"})
        EXPECT_FALSE(OxidationNumbers(formula).decided) << formula;
}

TEST(Redox, UnequalElectronsAreAFaultNotAnAnswer) {
    // Coefficients left at 1: copper gives two electrons, the nitrogen of NO takes three.
    const RedoxAnalysis analysis = AnalyseRedox(ParsedReaction("Cu+HNO3=Cu(NO3)2+NO+H2O"));
    EXPECT_EQ(analysis.outcome, RedoxOutcome::Fault);
    EXPECT_EQ(RedoxLines(analysis).back(),
              "Error en el cálculo redox: los electrones cedidos (2) y los ganados (3) no son "
              "iguales");
}

}  // namespace
}  // namespace tovel
