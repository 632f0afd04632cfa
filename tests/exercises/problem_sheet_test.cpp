// Problem sheets drawn from the shipped library: the rules every problem keeps over many seeds,
// the key checked against the calculation the main window runs for the same data, and the
// sheet made again from its seed.

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "app/calculation_model.h"
#include "core/balance.h"
#include "core/number_format.h"
#include "exercises/problem_sheet.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "exercises/seeded_random.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

class ProblemSheet : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        table = new ElementTable(test::DefaultElements());
        std::string problems;
        library = new SheetLibrary(LoadSheetLibrary(TOVEL_BIN_DIR, *table, &problems));
        ASSERT_EQ(problems, "");
    }
    static void TearDownTestSuite() {
        delete library;
        delete table;
    }
    static ElementTable* table;
    static SheetLibrary* library;
};
ElementTable* ProblemSheet::table = nullptr;
SheetLibrary* ProblemSheet::library = nullptr;

// A round value: at most three significant figures.
bool Round(double value) {
    for (int shift = -3; shift <= 4; ++shift) {
        const double scaled = value * std::pow(10.0, shift);
        if (scaled >= 1 && scaled < 1000 && std::fabs(scaled - std::round(scaled)) < 1e-9)
            return true;
    }
    return false;
}

bool Between(double value, double low, double high) {
    return value >= low - 1e-9 && value <= high + 1e-9;
}

// The choices of the sheet for seed: every third one a long sheet, and some of them restricted to
// a few types, kinds of data or cases.
SheetChoices ChoicesFor(std::uint32_t seed, const std::vector<std::string>& types) {
    SheetChoices c;
    c.seed = seed;
    c.count = seed % 3 == 0 ? 50 : 20;
    if (seed % 4 == 1) c.types = {types[seed % types.size()], types[(seed + 3) % types.size()]};
    if (seed % 5 == 2) c.data = {false, seed % 2 == 0, true, false, true, seed % 2 == 1};
    if (seed % 7 == 3) c.cases = {seed % 2 == 0, true, false};
    return c;
}

// What the main window's calculation mode makes of the same data, typed as a user would.
ProblemInput AsTheWindowDoes(const ProblemInput& sheet) {
    test::FakeUserPort port;
    CalculationModel calc;
    calc.Start(sheet.reaction);
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= sheet.reaction.Count(side); ++slot) {
            const SlotData& d = sheet.data[side][slot - 1];
            UnitInputs inputs;
            inputs.purity = FormatSignificantShort(d.purity, 3);
            inputs.molarity = FormatSignificantShort(d.molarity, 3);
            inputs.pressure = FormatSignificantShort(d.gas.pressure, 3);
            inputs.pressureUnit = d.gas.pressureUnit;
            inputs.temperature = FormatSignificantShort(d.gas.temperature - kCelsiusOffset, 3);
            inputs.temperatureUnit = TemperatureUnit::Celsius;
            EXPECT_TRUE(calc.AcceptUnit(side, slot, d.unit, inputs, port));
            if (d.amount > 0) calc.TypeInBox(side, slot, FormatSignificantShort(d.amount, 3));
        }
    }
    // The yield as the user gives it: typed, or found from the product's amount.
    if (sheet.result.obtained != 0) {
        calc.SetYieldFromObtained(true);
    } else {
        calc.TypeYield(FormatSignificantShort(sheet.result.yieldPercent, 3));
    }
    EXPECT_TRUE(calc.Calculate(sheet.reaction, port));
    return calc.Problem(sheet.reaction);
}

bool Charged(const Reaction& r, int side, std::size_t slot) {
    return r.substances[side][slot - 1].charge != 0;
}

// Whether the substance is a gas where the reaction takes place: hydrochloric acid poured on
// zinc or on marble is a solution; the same HCl formed from hydrogen and chlorine, or meeting
// ammonia, is a gas.
bool GasHere(const Reaction& r, int side, std::size_t slot) {
    const std::string& formula = r.substances[side][slot - 1].formula;
    if (!IsSheetGas(formula)) return false;
    if (side == kProducts || (formula != "HCl" && formula != "NH3")) return true;
    for (const Substance& other : r.substances[kReactants]) {
        if (!IsSheetGas(other.formula)) return false;
    }
    return true;
}

TEST_F(ProblemSheet, TwoHundredSeedsKeepEveryRule) {
    const std::vector<std::string> types = SheetTypeNames(TOVEL_BIN_DIR);
    ASSERT_EQ(types.size(), 9u);
    ASSERT_EQ(library->size(), 98u);  // the half-reactions left out
    std::vector<std::pair<SheetChoices, SheetDraw>> sheets;
    int problems = 0, yieldsGiven = 0, yieldsAsked = 0, ions = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        const SheetChoices c = ChoicesFor(seed, types);
        const SheetDraw draw = DrawSheet(*library, c);
        ASSERT_EQ(draw.error, "") << "seed " << seed;
        ASSERT_EQ(draw.problems.size(), static_cast<std::size_t>(c.count)) << "seed " << seed;
        const SheetText text = ComposeSheet(draw.problems, seed);
        const SheetText printed = PrintedSheet(text, SheetNumbers::Spanish);
        for (std::size_t i = 0; i < draw.problems.size(); ++i) {
            const SheetProblem& problem = draw.problems[i];
            const ProblemInput& p = problem.input;
            const Reaction& r = p.reaction;
            SCOPED_TRACE("seed " + std::to_string(seed) + " problem " + std::to_string(i + 1) +
                         ": " + ReactionText(r));
            ++problems;
            // A reaction of the chosen types, balanced.
            const std::string& type = library->TypeName(problem.reaction);
            EXPECT_TRUE(c.types.empty() ||
                        std::find(c.types.begin(), c.types.end(), type) != c.types.end());
            CoefficientList coefficients;
            for (int side = 0; side < 2; ++side) {
                for (std::size_t k = 1; k <= r.Count(side); ++k)
                    coefficients.push_back(r.Coefficient(side, k));
            }
            EXPECT_TRUE(BalancesExactly(r, coefficients));
            EXPECT_TRUE(c.cases[static_cast<std::size_t>(problem.kind)]);

            // The data: of the chosen kinds, with amounts a school problem uses.
            const StoichiometryResult& result = p.result;
            EXPECT_EQ(result.DataCount(), problem.kind == SheetCase::TwoReactants ? 2 : 1);
            EXPECT_EQ(result.dataSide, problem.kind == SheetCase::Product ? kProducts : kReactants);
            for (const std::size_t slot : result.dataSlots) {
                const SlotData& d = p.data[result.dataSide][slot - 1];
                EXPECT_TRUE(Round(d.amount)) << d.amount;
                switch (d.unit) {
                    case AmountUnit::Gram:
                        EXPECT_TRUE(Between(d.amount, 1, 500)) << d.amount;
                        EXPECT_TRUE(d.purity == 100 ? c.data[0] : c.data[1]);
                        // An ion or the electron is counted, never weighed; only a solid
                        // comes impure.
                        EXPECT_FALSE(Charged(r, result.dataSide, slot));
                        if (d.purity != 100) {
                            EXPECT_TRUE(
                                IsSheetSolid(r.substances[result.dataSide][slot - 1].formula));
                            EXPECT_TRUE(Between(d.purity, 60, 99)) << d.purity;
                            EXPECT_EQ(d.purity, std::round(d.purity));
                        }
                        break;
                    case AmountUnit::Mole:
                        EXPECT_TRUE(c.data[2]);
                        EXPECT_TRUE(Between(d.amount, 0.1, 10)) << d.amount;
                        break;
                    case AmountUnit::LitreNormal:
                    case AmountUnit::LitrePT:
                        EXPECT_TRUE(c.data[d.unit == AmountUnit::LitreNormal ? 3 : 4]);
                        EXPECT_TRUE(IsSheetGas(r.substances[result.dataSide][slot - 1].formula));
                        EXPECT_TRUE(GasHere(r, result.dataSide, slot));
                        EXPECT_TRUE(Between(d.amount, 1, 100)) << d.amount;
                        break;
                    case AmountUnit::Solution:
                        EXPECT_TRUE(c.data[5]);
                        EXPECT_EQ(result.dataSide, kReactants);
                        EXPECT_TRUE(Between(d.amount, 10, 500)) << d.amount;
                        EXPECT_TRUE(Between(d.molarity, 0.1, 6) && Round(d.molarity));
                        break;
                }
            }
            // What is asked: an ion in moles; litres only of what is a gas in the reaction.
            for (int side = 0; side < 2; ++side) {
                for (std::size_t slot = 1; slot <= r.Count(side); ++slot) {
                    const AmountUnit unit = p.data[side][slot - 1].unit;
                    if (Charged(r, side, slot)) {
                        ++ions;
                        EXPECT_EQ(unit, AmountUnit::Mole);
                    }
                    // The other reactants are asked without naming a unit: never at a
                    // pressure and temperature the statement could not give.
                    const auto& given = result.dataSlots;
                    if (side == kReactants && result.dataSide == kReactants &&
                        std::find(given.begin(), given.end(), slot) == given.end()) {
                        EXPECT_NE(unit, AmountUnit::LitrePT);
                    }
                    if (unit == AmountUnit::LitreNormal || unit == AmountUnit::LitrePT) {
                        EXPECT_TRUE(GasHere(r, side, slot)) << r.substances[side][slot - 1].formula;
                    }
                }
            }
            for (int side = 0; side < 2; ++side) {
                for (const SlotData& d : p.data[side]) {
                    if (d.unit != AmountUnit::LitrePT) continue;
                    const double celsius = d.gas.temperature - kCelsiusOffset;
                    EXPECT_TRUE(Between(celsius, 0, 100)) << celsius;
                    EXPECT_TRUE(Round(d.gas.pressure));
                    EXPECT_TRUE(d.gas.pressureUnit == PressureUnit::Atm
                                    ? Between(d.gas.pressure, 0.5, 5)
                                    : Between(d.gas.pressure, 50, 500))
                        << d.gas.pressure;
                }
            }

            // Some problems carry a yield a school uses, or ask for one a student can believe.
            if (result.obtained != 0) {
                ++yieldsAsked;
                EXPECT_EQ(problem.kind, SheetCase::OneReactant);
                EXPECT_TRUE(Between(result.yieldPercent, 55, 100)) << result.yieldPercent;
            } else if (result.yieldPercent != 100) {
                ++yieldsGiven;
                EXPECT_NE(problem.kind, SheetCase::TwoReactants);
                EXPECT_TRUE(Between(result.yieldPercent, 60, 95) &&
                            std::fmod(result.yieldPercent, 5) == 0)
                    << result.yieldPercent;
            }

            // Every answer positive and finite; with two reactants one is left over.
            EXPECT_TRUE(AllFinite(result));
            for (int side = 0; side < 2; ++side) {
                for (const SlotResult& a : result.amounts[side]) {
                    EXPECT_GT(a.molesReacted, 0);
                    EXPECT_GT(side == kReactants ? a.initialAmount : a.finalAmount, 0);
                }
            }
            if (problem.kind == SheetCase::TwoReactants) {
                const std::size_t other = result.dataSlots[0] == result.limiting
                                              ? result.dataSlots[1]
                                              : result.dataSlots[0];
                EXPECT_GT(result.amounts[kReactants][other - 1].finalAmount, 0);
            }

            // The statement and the key are what the problem window writes for these data.
            const ProblemInput window = AsTheWindowDoes(p);
            EXPECT_EQ(text.statements[i], StatementLines(window));
            // As the sheet prints it: no ion weighed ("g de Cr2O7^2-"), none with a purity.
            for (const std::string& line : printed.statements[i]) {
                for (const Substance& s : r.substances[kReactants]) {
                    if (s.charge == 0) continue;
                    EXPECT_EQ(line.find(" g de " + s.formula + " "), std::string::npos) << line;
                    EXPECT_EQ(line.find(" g de " + s.formula + ","), std::string::npos) << line;
                }
            }
            EXPECT_EQ(text.resolutions[i], ResolutionLines(window));
        }
        sheets.emplace_back(c, draw);
    }
    EXPECT_GT(yieldsGiven, problems / 20);
    EXPECT_GT(yieldsAsked, problems / 40);
    EXPECT_GT(ions, 20);  // ionic equations are drawn, their ions in moles
    // No reaction twice in a sheet of every type (the library has more than 50 for any choice of
    // data); with two types, reactions come back evenly, once every one has been used.
    for (const auto& [c, draw] : sheets) {
        std::map<std::size_t, int> uses;
        for (const SheetProblem& problem : draw.problems)
            ++uses[problem.reaction];
        int most = 0, least = c.count;
        for (const auto& use : uses) {
            most = std::max(most, use.second);
            least = std::min(least, use.second);
        }
        if (c.types.empty()) {
            EXPECT_EQ(most, 1) << "seed " << c.seed;
        }
        EXPECT_LE(most - least, 1) << "seed " << c.seed;
    }
    EXPECT_GT(problems, 5000);
}

// Every fourth problem an empirical formula when asked: its data, rounded as printed, give back
// the compound; the other problems are those of the sheet without them.
TEST_F(ProblemSheet, EmpiricalFormulasTakeEveryFourthPlace) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SheetChoices c;
        c.seed = seed;
        c.count = 24;
        const SheetDraw plain = DrawSheet(*library, c);
        c.empirical = true;
        const SheetDraw draw = DrawSheet(*library, c);
        ASSERT_EQ(draw.error, "") << seed;
        ASSERT_EQ(draw.problems.size(), 24u);
        std::set<std::string> compounds;
        for (std::size_t i = 0; i < draw.problems.size(); ++i) {
            const SheetProblem& p = draw.problems[i];
            ASSERT_EQ(!p.worked.statement.empty(), i % 4 == 3) << seed << " " << i;
            if (p.worked.statement.empty()) continue;
            EXPECT_TRUE(compounds.insert(p.worked.compound).second) << p.worked.compound;
            // "un compuesto de C y H": H is read "hache", so the "y" stays.
            EXPECT_EQ(p.worked.statement.front().find(" e H"), std::string::npos);
            const std::string& last = p.worked.resolution.back();
            const bool molecular = last.rfind("Fórmula molecular: ", 0) == 0;
            if (molecular) {
                EXPECT_EQ(last, "Fórmula molecular: " + p.worked.compound);
            }
            EXPECT_NE(p.worked.statement.front().find(molecular ? "masa molar"
                                                                : "Halla su fórmula "
                                                                  "empírica."),
                      std::string::npos);
        }
        // The first reaction problems are the plain sheet's first ones.
        EXPECT_EQ(ReactionText(draw.problems[0].input.reaction),
                  ReactionText(plain.problems[0].input.reaction));
    }
}

// Ion-electron exercises: redox equations of the library whose halves need water, none twice,
// every fourth from the second or the whole sheet; the answers the key's final equation.
TEST_F(ProblemSheet, IonElectronExercisesAmongTheProblemsOrAlone) {
    SheetChoices c;
    c.seed = 77;
    c.count = 20;
    c.ionElectron = SheetChoices::Share::Some;
    const SheetDraw some = DrawSheet(*library, c);
    ASSERT_EQ(some.error, "");
    for (std::size_t i = 0; i < some.problems.size(); ++i) {
        const auto& statement = some.problems[i].worked.statement;
        const bool redox =
            !statement.empty() && statement.front().rfind("Ajusta por el método", 0) == 0;
        EXPECT_EQ(redox, i % 4 == 1) << i;
    }

    c.ionElectron = SheetChoices::Share::All;
    c.count = 50;
    const SheetDraw all = DrawSheet(*library, c);
    // The shipped library's equations that need water, two skeletons of one ionic equation
    // (Cu + HNO3 and Cu + NO3^- + H^+ to NO) once, a metal in water left out.
    ASSERT_EQ(all.problems.size(), 17u);
    EXPECT_EQ(all.error,
              "Entre las reacciones elegidas solo hay 17 que se ajustan por el método del "
              "ion-electrón.");
    std::set<std::string> equations;
    for (const SheetProblem& p : all.problems) {
        const WorkedExercise& w = p.worked;
        SCOPED_TRACE(w.compound);
        EXPECT_TRUE(equations.insert(w.compound).second);
        for (const char* skipped : {"Ajusta por el método del ion-electrón la reacción: Zn + CuSO4",
                                    "Ajusta por el método del ion-electrón la reacción: Na + H2O"})
            EXPECT_NE(w.statement.front().rfind(skipped, 0), 0u);
        // The last answer is the electrons; the others are the final equation's coefficients,
        // in its order.
        ASSERT_GE(w.answers.size(), 3u);
        EXPECT_EQ(w.answers.back().label, "Electrones transferidos en la ecuación iónica");
        EXPECT_EQ(w.resolution.back(),
                  "Electrones transferidos: " + FormatSignificantShort(w.answers.back().value, 3));
        const std::string& equation = w.resolution[w.resolution.size() - 2];
        std::string coefficients;
        for (std::size_t k = 0; k + 1 < w.answers.size(); ++k) {
            const SheetAnswer& a = w.answers[k];
            EXPECT_TRUE(a.exact);
            const std::string formula = a.label.substr(std::string("Coeficiente de ").size());
            const auto number = static_cast<long>(a.value);
            const std::string term = (number == 1 ? "" : std::to_string(number) + " ") + formula;
            EXPECT_NE(equation.find(term), std::string::npos) << term << " in " << equation;
        }
    }
    // Types without such an equation give no sheet, and say why.
    c.types = {"Síntesis"};
    EXPECT_EQ(DrawSheet(*library, c).error,
              "Entre las reacciones elegidas no hay ninguna que se ajuste por el método del "
              "ion-electrón.");
}

// Versions for a class: the same problems with other numbers, which the main window's
// calculation still answers as the key does.
TEST_F(ProblemSheet, VersionsAreTheSameProblemsWithOtherNumbers) {
    const std::vector<std::string> types = SheetTypeNames(TOVEL_BIN_DIR);
    int problems = 0, renumbered = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        SheetChoices c = ChoicesFor(seed, types);
        c.empirical = seed % 2 == 0;
        const SheetDraw draw = DrawSheet(*library, c);
        const std::vector<SheetProblem> version =
            SheetVersion(*library, c, draw.problems, seed + 1);
        ASSERT_EQ(version.size(), draw.problems.size());
        // The same seed, the same version.
        EXPECT_EQ(SheetLines(ComposeSheet(SheetVersion(*library, c, draw.problems, seed + 1), 2)),
                  SheetLines(ComposeSheet(version, 2)));
        for (std::size_t i = 0; i < version.size(); ++i) {
            const SheetProblem& a = draw.problems[i];
            const SheetProblem& b = version[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + " problem " + std::to_string(i + 1));
            ASSERT_EQ(a.worked.statement.empty(), b.worked.statement.empty());
            if (!a.worked.statement.empty()) continue;
            ++problems;
            EXPECT_EQ(ReactionText(a.input.reaction), ReactionText(b.input.reaction));
            EXPECT_EQ(a.kind, b.kind);
            EXPECT_EQ(a.input.result.dataSlots, b.input.result.dataSlots);
            EXPECT_EQ(a.input.result.obtained, b.input.result.obtained);
            EXPECT_EQ(a.input.result.yieldPercent < 100, b.input.result.yieldPercent < 100);
            for (int side = 0; side < 2; ++side) {
                for (std::size_t k = 0; k < a.input.data[side].size(); ++k) {
                    EXPECT_EQ(a.input.data[side][k].unit, b.input.data[side][k].unit);
                    EXPECT_EQ(a.input.data[side][k].purity < 100,
                              b.input.data[side][k].purity < 100);
                }
            }
            const int side = a.input.result.dataSide;
            const std::size_t slot = a.input.result.dataSlots.front();
            if (a.input.data[side][slot - 1].amount != b.input.data[side][slot - 1].amount)
                ++renumbered;
            const ProblemInput window = AsTheWindowDoes(b.input);
            EXPECT_EQ(StatementLines(b.input), StatementLines(window));
            EXPECT_EQ(ResolutionLines(b.input), ResolutionLines(window));
        }
    }
    EXPECT_GT(renumbered, problems * 9 / 10);
}

TEST_F(ProblemSheet, TheSameSeedMakesTheSameSheetAndAnotherSeedAnother) {
    SheetChoices c;
    c.count = 30;
    c.seed = 4711;
    const std::vector<std::string> first =
        SheetLines(ComposeSheet(DrawSheet(*library, c).problems, c.seed));
    const std::vector<std::string> again =
        SheetLines(ComposeSheet(DrawSheet(*library, c).problems, c.seed));
    EXPECT_EQ(first, again);
    c.seed = 4712;
    const std::vector<std::string> other =
        SheetLines(ComposeSheet(DrawSheet(*library, c).problems, c.seed));
    EXPECT_NE(first, other);

    // And as files, byte for byte.
    const std::string folder = test::TempDir();
    const SheetText text = ComposeSheet(DrawSheet(*library, c).problems, c.seed);
    ASSERT_TRUE(WriteSheetText(folder + "/a.txt", text));
    ASSERT_TRUE(WriteSheetText(folder + "/b.txt", text));
    EXPECT_EQ(test::ReadBytes(folder + "/a.txt"), test::ReadBytes(folder + "/b.txt"));
}

TEST_F(ProblemSheet, ASheetBeginsWithTheProblemsOfAShorterOne) {
    SheetChoices c;
    c.seed = 99;
    c.count = 50;
    const SheetDraw whole = DrawSheet(*library, c);
    c.count = 3;
    const SheetDraw start = DrawSheet(*library, c);
    ASSERT_EQ(start.problems.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(StatementLines(start.problems[i].input), StatementLines(whole.problems[i].input));
        EXPECT_EQ(ResolutionLines(start.problems[i].input),
                  ResolutionLines(whole.problems[i].input));
    }
}

TEST_F(ProblemSheet, NarrowChoicesAreKept) {
    SheetChoices c;
    c.count = 20;
    c.seed = 5;
    // Only solutions, one reactant given: every datum is millilitres of a solution.
    c.data = {false, false, false, false, false, true};
    c.cases = {true, false, false};
    SheetDraw draw = DrawSheet(*library, c);
    ASSERT_EQ(draw.problems.size(), 20u) << draw.error;
    for (const SheetProblem& p : draw.problems) {
        const std::size_t slot = p.input.result.dataSlots.at(0);
        EXPECT_EQ(p.input.data[kReactants][slot - 1].unit, AmountUnit::Solution);
        EXPECT_TRUE(IsSheetSolute(p.input.reaction.substances[kReactants][slot - 1].formula));
    }
    // A solution is never a product's datum: nothing can be drawn.
    c.cases = {false, false, true};
    draw = DrawSheet(*library, c);
    EXPECT_TRUE(draw.problems.empty());
    EXPECT_EQ(draw.error,
              "Con las reacciones y los datos elegidos no se puede plantear ningún problema.");

    // Eleven decompositions for 22 problems: each comes twice, none a third time.
    c = SheetChoices{};
    c.count = 22;
    c.types = {"Descomposición"};
    draw = DrawSheet(*library, c);
    ASSERT_EQ(draw.problems.size(), 22u);
    std::map<std::size_t, int> uses;
    for (const SheetProblem& p : draw.problems) {
        EXPECT_EQ(library->TypeName(p.reaction), "Descomposición");
        EXPECT_NE(p.kind, SheetCase::TwoReactants);
        ++uses[p.reaction];
    }
    EXPECT_EQ(uses.size(), 11u);
    for (const auto& use : uses)
        EXPECT_EQ(use.second, 2);
}

TEST_F(ProblemSheet, TheSheetsTextNumbersTheStatementsAndHeadsTheKey) {
    SheetChoices c;
    c.count = 12;
    c.seed = 8;
    const SheetDraw draw = DrawSheet(*library, c);
    const SheetText text = ComposeSheet(draw.problems, c.seed);
    const std::vector<std::string> lines = SheetLines(text);
    EXPECT_EQ(lines[0], "Hoja de problemas de estequiometría");
    EXPECT_EQ(lines[1], "Semilla 8");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3].rfind("Nombre: ___", 0), 0u);
    EXPECT_NE(lines[3].find("   Curso: ___"), std::string::npos);
    EXPECT_NE(lines[3].find("   Fecha: ___"), std::string::npos);
    EXPECT_EQ(lines[4], "");
    // Numbers padded to the width of "12.", the text of every statement in one column.
    const std::vector<std::string> first = StatementLines(draw.problems[0].input);
    EXPECT_EQ(lines[5], "1.  " + first[0]);
    EXPECT_EQ(lines[6], "    " + first[1]);
    const auto keyTitle = std::find(lines.begin(), lines.end(), "Soluciones");
    ASSERT_NE(keyTitle, lines.end());
    EXPECT_EQ(*(keyTitle + 1), "Semilla 8");
    const auto lastHeading = std::find(keyTitle, lines.end(), "Problema 12");
    ASSERT_NE(lastHeading, lines.end());
    EXPECT_EQ(*(lastHeading + 1), ResolutionLines(draw.problems[11].input)[0]);
    EXPECT_EQ(lines.back(), ResolutionLines(draw.problems[11].input).back());
    // Everything before the key is statements: no resolution line comes before it.
    EXPECT_EQ(std::find(lines.begin(), keyTitle, "Problema 1"), keyTitle);

    // On disk: Windows-1252 and CR LF, separators as soft hyphens.
    const std::string path = test::TempDir() + "/hoja.txt";
    ASSERT_TRUE(WriteSheetText(path, text));
    const std::string bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.rfind("Hoja de problemas de estequiometr\xed"
                          "a\r\nSemilla 8\r\n\r\nNombre: ",
                          0),
              0u);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_NE(bytes.find("\xad\xad\xad"), std::string::npos);
}

TEST_F(ProblemSheet, ALibraryReactionThatDoesNotBalanceIsLeftOutAndNamed) {
    const std::string folder = test::TempDir();
    ReactionTypes types;
    test::FakeUserPort port;
    ASSERT_TRUE(types.Add("Mezcla", port));
    ASSERT_TRUE(types.Write(folder + "/tiptovl.rel"));
    ASSERT_TRUE(WriteReactions(folder + "/Zq/Mezcla.zq", {{"H2+O2=H2O", "agua"},
                                                          {"Fe+O2=H2O", "imposible"},
                                                          {"Xx+O2=XxO", "desconocido"},
                                                          {"CaCO3=CaO+CO2", "caliza"}}));
    std::string problems;
    ElementTable elements = test::DefaultElements();
    const SheetLibrary mixed = LoadSheetLibrary(folder, elements, &problems);
    ASSERT_EQ(mixed.size(), 2u);
    EXPECT_EQ(mixed.Equation(0), "H2+O2=H2O");
    Reaction reaction;
    ASSERT_TRUE(mixed.Balanced(1, reaction));
    EXPECT_EQ(ReactionText(reaction), "CaCO3 = CaO + CO2");
    EXPECT_EQ(problems,
              "Mezcla: Fe+O2=H2O no se puede ajustar; Mezcla: Xx+O2=XxO no se puede ajustar");
    EXPECT_EQ(elements.Count(), test::DefaultElements().Count());  // nothing was added
    EXPECT_EQ(SheetTypeNames(folder), std::vector<std::string>{"Mezcla"});
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVEL_HAS_ASAN 1
#endif
#endif
#ifndef TOVEL_HAS_ASAN
#define TOVEL_HAS_ASAN 0
#endif

// A library keeps a few dozen bytes of each reaction, not the parsed reaction (18 KB each, which
// made 100,000 reactions take 1.8 GB), and the reactions drawn are parsed again, as they were.
TEST(SheetLibraryMemory, ALargeLibraryKeepsLittleOfEachReaction) {
#if defined(__SANITIZE_ADDRESS__) || TOVEL_HAS_ASAN
    GTEST_SKIP() << "the sanitizer's allocator does not report the heap in use";
#else
    const std::string folder = test::TempDir();
    ReactionTypes types;
    test::FakeUserPort port;
    ASSERT_TRUE(types.Add("Grande", port));
    ASSERT_TRUE(types.Write(folder + "/tiptovl.rel"));
    const char* const equations[] = {"H2 + O2 = H2O", "CH4 + O2 = CO2 + H2O",
                                     "NaOH + HCl = NaCl + H2O"};
    constexpr std::size_t kReactions = 20000;
    std::vector<LibraryEntry> entries;
    for (std::size_t i = 0; i < kReactions; ++i)
        entries.push_back({equations[i % 3], "reacción " + std::to_string(i)});
    ASSERT_TRUE(WriteReactions(folder + "/Zq/Grande.zq", entries));
    entries.clear();
    entries.shrink_to_fit();
    ElementTable table = test::DefaultElements();
    const std::size_t before = ::mallinfo2().uordblks;
    const SheetLibrary library = LoadSheetLibrary(folder, table);
    const std::size_t held = ::mallinfo2().uordblks - before;
    ASSERT_EQ(library.size(), kReactions);
    EXPECT_LT(held / kReactions, 100u) << held << " bytes";
    EXPECT_EQ(library.TypeName(kReactions - 1), "Grande");
    EXPECT_EQ(library.Equation(kReactions - 1), equations[(kReactions - 1) % 3]);
    Reaction reaction;
    ASSERT_TRUE(library.Balanced(1, reaction));
    EXPECT_EQ(ReactionText(reaction), "CH4 + 2 O2 = CO2 + 2 H2O");
#endif
}

TEST(SheetTypes, TypedNamesMatchTheLibrarysNames) {
    const std::vector<std::string> names{"Síntesis", "Ácido base", "Redox"};
    EXPECT_EQ(MatchSheetType(names, "Síntesis"), "Síntesis");
    EXPECT_EQ(MatchSheetType(names, "sintesis"), "Síntesis");
    EXPECT_EQ(MatchSheetType(names, "acidobase"), "Ácido base");
    EXPECT_EQ(MatchSheetType(names, "REDOX"), "Redox");
    EXPECT_EQ(MatchSheetType(names, "Gases"), "");
    EXPECT_EQ(MatchSheetType(names, ""), "");
}

TEST(SeededRandom, GivesTheReferenceSequenceAndUnbiasedRanges) {
    // The published test values of SplitMix64: the same on every machine.
    SeededRandom random(1234567);
    EXPECT_EQ(random.Next(), 6457827717110365317ULL);
    EXPECT_EQ(random.Next(), 3203168211198807973ULL);
    EXPECT_EQ(random.Next(), 9817491932198370423ULL);
    std::map<std::int64_t, int> seen;
    for (int i = 0; i < 6000; ++i) {
        const std::int64_t value = random.Between(-2, 3);
        ASSERT_TRUE(value >= -2 && value <= 3) << value;
        ++seen[value];
    }
    EXPECT_EQ(seen.size(), 6u);
    for (const auto& [value, count] : seen)
        EXPECT_NEAR(count, 1000, 150) << value;
    EXPECT_EQ(random.Below(0), 0u);
    EXPECT_EQ(random.Between(5, 5), 5);
    EXPECT_EQ(random.Between(5, 1), 5);
}

}  // namespace
}  // namespace tovel
