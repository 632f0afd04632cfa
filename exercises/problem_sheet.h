#pragma once
// Problem sheets: many worded stoichiometry problems at once, drawn from the reactions of the
// library, and their answer key. Drawing is a pure function of the library, the choices and the
// seed, so the same sheet can be made again; the texts are those of the worded problem.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/reaction.h"
#include "core/safe_file.h"
#include "core/user_port.h"
#include "exercises/problem_text.h"
#include "exercises/seeded_random.h"

namespace tovel {

constexpr int kSheetCountLimit = 50;
constexpr std::uint32_t kSheetSeedLimit = 999999;  // seeds the program draws: short to type

// What kind of datum a problem gives.
enum class SheetDatum : int {
    Grams = 0,
    ImpureGrams = 1,  // grams of a reactant with its purity
    Moles = 2,
    LitresNormal = 3,
    LitresPT = 4,
    Solution = 5,  // millilitres of a solution of a reactant
};
constexpr int kSheetDatumCount = 6;

// Which substances a problem gives.
enum class SheetCase : int {
    OneReactant = 0,
    TwoReactants = 1,  // one of them is in excess
    Product = 2,
};
constexpr int kSheetCaseCount = 3;

struct SheetChoices {
    int count = 20;                  // 1 to kSheetCountLimit
    std::vector<std::string> types;  // the reaction types drawn from, by name; empty is all
    std::array<bool, kSheetDatumCount> data{true, true, true, true, true, true};
    std::array<bool, kSheetCaseCount> cases{true, true, true};
    std::uint32_t seed = 1;
};

// A reaction of the library that the program balances.
struct SheetReaction {
    std::string type;  // the name of its type
    std::string equation;
    Reaction reaction;  // balanced
};

// The library's reactions, type by type in the library's order, read from folder (tiptovl.rel
// and Zq/). Those that do not parse or balance are left out, and so are the types whose file
// cannot be read; problems names them. Nothing is asked: an unknown element leaves its reaction
// out.
std::vector<SheetReaction> LoadSheetLibrary(const std::string& folder, ElementTable& table,
                                            std::string* problems = nullptr);
// The type names of the library in folder, in order.
std::vector<std::string> SheetTypeNames(const std::string& folder);

// Whether a school problem treats the substance as a gas (offered in litres), and as a solute of
// the solutions used in the laboratory (offered, as a reactant, in millilitres of a solution).
bool IsSheetGas(const std::string& formula);
bool IsSheetSolute(const std::string& formula);

struct SheetProblem {
    ProblemInput input;    // as the main window passes it to the problem window
    std::size_t reaction;  // index into the library given to the drawer
    SheetCase kind = SheetCase::OneReactant;
};

// Draws a sheet's problems one at a time, so that a window can show its progress. The problems
// drawn so far never depend on how many are still to come: a sheet's first problems are those
// of a shorter sheet with the same choices.
class SheetDrawer {
  public:
    // library must outlive the drawer.
    SheetDrawer(const std::vector<SheetReaction>& library, const SheetChoices& choices);

    // Draws the next problem; false when the sheet is complete or no problem can be drawn with
    // these choices (Error() then says why).
    bool Next();
    bool Done() const { return m_problems.size() >= Target(); }
    const std::vector<SheetProblem>& Problems() const { return m_problems; }
    const std::string& Error() const { return m_error; }

  private:
    std::size_t Target() const;
    bool Eligible(std::size_t index, SheetCase kind) const;
    bool TryDraw(std::size_t index, SheetCase kind, SheetProblem& problem);

    int FormulaUses(const std::string& formula) const;

    const std::vector<SheetReaction>& m_library;
    SheetChoices m_choices;
    SeededRandom m_random;
    std::vector<std::size_t> m_pool;                         // the reactions of the chosen types
    std::vector<int> m_reactionUses;                         // by reaction of the library
    std::vector<std::pair<std::string, int>> m_formulaUses;  // substances given as data
    std::vector<SheetProblem> m_problems;
    std::string m_error;
};

struct SheetDraw {
    std::vector<SheetProblem> problems;
    std::string error;  // why fewer problems than asked came out, or empty
};
SheetDraw DrawSheet(const std::vector<SheetReaction>& library, const SheetChoices& choices);

// The sheet's texts: each problem's statement and resolution as the problem window writes them
// (separators as soft hyphens), kept apart so that a printed page never splits one.
struct SheetText {
    std::string title;
    std::vector<std::vector<std::string>> statements;  // each ends in an empty line
    std::string keyTitle;
    std::vector<std::vector<std::string>> resolutions;
};

std::string SheetTitle(std::uint32_t seed);
std::string SheetKeyTitle(std::uint32_t seed);
// The line that heads problem number's resolution in the key.
std::string SheetKeyHeading(int number);
// Adds one problem's statement and resolution to text.
void AddToSheet(SheetText& text, const ProblemInput& problem);
SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed);

// The whole sheet as lines: the title, the numbered statements (the first line of each after its
// number, the others under it), then the key, each resolution under its heading. Numbers are
// padded for a sheet of count problems (of as many as text holds when 0), so that a sheet's
// first problems look as they will in it.
std::vector<std::string> SheetLines(const SheetText& text, std::size_t count = 0);

// A seed for a new sheet, from 1 to kSheetSeedLimit; different on every call.
std::uint32_t NewSheetSeed();

// Which type of names a typed name means: the same name, or the same once blanks, accents and
// case are set aside ("sintesis" is "Síntesis"). Empty when none.
std::string MatchSheetType(const std::vector<std::string>& names, const std::string& typed);

// Writes the sheet as a text file in place of any file at path: Windows-1252, CR LF, as saved
// problems are.
FileResult WriteSheetText(const std::string& path, const SheetText& text);

}  // namespace tovel
