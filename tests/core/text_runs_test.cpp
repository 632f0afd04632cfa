// Formulas set inside a line of prose, as every printed or shown text sets them.

#include <gtest/gtest.h>

#include "core/text_runs.h"

namespace tovel {
namespace {

using S = Script;

TEST(TextRuns, FormulasAreSetAndTheRestIsLeft) {
    EXPECT_EQ(FormulaRuns("El Fe2(SO4)3 reacciona."),
              (std::vector<TextRun>{{"El Fe", S::Line},
                                    {"2", S::Low},
                                    {"(SO", S::Line},
                                    {"4", S::Low},
                                    {")", S::Line},
                                    {"3", S::Low},
                                    {" reacciona.", S::Line}}));
    // A charge is set high with the typographic minus; punctuation and a tab do not belong to it.
    EXPECT_EQ(FormulaRuns("Cr2O7^2-:\t4.90 mol"), (std::vector<TextRun>{{"Cr", S::Line},
                                                                        {"2", S::Low},
                                                                        {"O", S::Line},
                                                                        {"7", S::Low},
                                                                        {"2\u2212", S::High},
                                                                        {":\t4.90 mol", S::Line}}));
    EXPECT_EQ(RunsHtml(FormulaRuns("5 e^- + (Ag^+)")), "5 e<sup>\u2212</sup> + (Ag<sup>+</sup>)");
    // Words that are no formula, or have nothing to set, stay on the line.
    for (const char* text : {"M.A.: H = 1.008, Cu = 63.55", "Los moles de Cu", "R.Limitante",
                             "4,01·10⁻² mol", "x 100/85"}) {
        EXPECT_EQ(FormulaRuns(text), (std::vector<TextRun>{{text, S::Line}})) << text;
    }
    EXPECT_EQ(RunsHtml(FormulaRuns("CuSO4·5H2O & <b>")),
              "CuSO<sub>4</sub>·5H<sub>2</sub>O &amp; &lt;b&gt;");
    EXPECT_TRUE(FormulaRuns("").empty());
}

}  // namespace
}  // namespace tovel
