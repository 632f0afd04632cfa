#pragma once
// Drawing a problem sheet: worded stoichiometry problems from the reactions of the library.
// Drawing is a pure function of the library, the choices and the seed, so the same sheet can be
// made again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "exercises/empirical_exercise.h"
#include "exercises/problem_text.h"
#include "exercises/seeded_random.h"
#include "exercises/sheet_choices.h"
#include "exercises/sheet_library.h"

namespace tovel {

struct SheetProblem {
    ProblemInput input;    // as the main window passes it to the problem window
    std::size_t reaction;  // index into the library given to the drawer
    SheetCase kind = SheetCase::OneReactant;
    // An exercise of its own (an empirical formula), written instead of input when it holds one.
    WorkedExercise worked;
};

// Draws a sheet's problems one at a time, so that a window can show its progress. The problems
// drawn so far never depend on how many are still to come: a sheet's first problems are those
// of a shorter sheet with the same choices.
class SheetDrawer {
  public:
    // library must outlive the drawer.
    SheetDrawer(const SheetLibrary& library, const SheetChoices& choices);

    // Draws the next problem; false when the sheet is complete or no problem can be drawn with
    // these choices (Error() then says why).
    bool Next();
    bool Done() const { return m_problems.size() >= Target(); }
    const std::vector<SheetProblem>& Problems() const { return m_problems; }
    const std::string& Error() const { return m_error; }

  private:
    std::size_t Target() const;
    // Whether the reaction has the substances to give as data for a problem of that kind.
    bool Eligible(const SheetReaction& reaction, SheetCase kind) const;
    bool TryDraw(std::size_t index, SheetCase kind, SheetProblem& problem);
    // Gives an answerable problem a yield, or asks for it, now and then.
    void DrawYield(ProblemInput& p, SheetCase kind);

    int FormulaUses(const std::string& formula) const;
    // Whether the next exercise balances a redox equation, and one drawn for it.
    bool IonElectronTurn() const;
    bool DrawIonElectron();

    const SheetLibrary& m_library;
    SheetChoices m_choices;
    SeededRandom m_random;
    // Yields are drawn apart, so that the rest of a sheet is that of its seed without them.
    SeededRandom m_yieldRandom;
    SeededRandom m_empiricalRandom;    // and so are the empirical-formula exercises
    SeededRandom m_ionElectronRandom;  // and the ion-electron ones
    // Reactions the method balances, with their exercises, found at the first turn.
    std::vector<std::pair<std::size_t, WorkedExercise>> m_redox;
    std::vector<std::string> m_redoxUsed;  // the net ionic equations given
    bool m_redoxFound = false;
    std::vector<std::size_t> m_pool;    // the reactions of the chosen types
    std::vector<std::uint8_t> m_kinds;  // by pool entry: the cases it is eligible for, as bits
    std::vector<int> m_reactionUses;    // by reaction of the library
    std::vector<std::pair<std::string, int>> m_formulaUses;  // substances given as data
    std::vector<SheetProblem> m_problems;
    std::string m_error;
};

struct SheetDraw {
    std::vector<SheetProblem> problems;
    std::string error;  // why fewer problems than asked came out, or empty
};
SheetDraw DrawSheet(const SheetLibrary& library, const SheetChoices& choices);

// The same problem with other numbers, drawn from seed: its data of the same kinds with new
// amounts, purities, concentrations, conditions and yield, so that each student of a class can
// get one of their own. An exercise of its own is given back as it is.
SheetProblem Renumbered(const SheetProblem& problem, std::uint32_t seed);
// Another version of the sheet drawn as problems were with choices: each problem renumbered from
// seed, the empirical-formula and redox exercises those of seed's sheet in the same places.
std::vector<SheetProblem> SheetVersion(const SheetLibrary& library, SheetChoices choices,
                                       const std::vector<SheetProblem>& problems,
                                       std::uint32_t seed);

// A seed for a new sheet, from 1 to kSheetSeedLimit; different on every call.
std::uint32_t NewSheetSeed();

}  // namespace tovel
