#pragma once
// A problem sheet's text and its answer key: the texts are those of the worded problem.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exercises/problem_text.h"
#include "exercises/sheet_answer.h"
#include "exercises/sheet_choices.h"

namespace tovel {

struct SheetProblem;

// How much room a printed sheet leaves under each statement for the student's answer.
enum class AnswerSpace { None, Lines, HalfPage };

// The sheet's texts: each problem's statement and resolution as the problem window writes them
// (separators as soft hyphens), kept apart so that a printed page never splits one.
struct SheetText {
    std::string title;
    std::uint32_t seed = 0;  // printed small under the title, so that the sheet can be made again
    std::vector<std::vector<std::string>> statements;  // each ends in an empty line
    std::string keyTitle = "Soluciones";
    std::vector<std::vector<std::string>> resolutions;
    // By exercise: what it asks and the key's answers, in the key's order.
    std::vector<std::vector<SheetAnswer>> answers;
    std::string keyWord = "Problema";  // what heads each resolution: "Problema 3", "Ejercicio 3"
    AnswerSpace space = AnswerSpace::Lines;
};

constexpr const char* kProblemSheetTitle = "Hoja de problemas de estequiometría";
constexpr const char* kIonElectronSheetTitle = "Ajuste redox por el método del ion-electrón";
// The title a sheet takes unless the user gives it one: the types of reaction named when only
// some of all are chosen ("Hoja de problemas de estequiometría: síntesis y combustión").
std::string SheetTitleFor(const std::vector<std::string>& chosenTypes, std::size_t allTypes,
                          SheetChoices::Share ionElectron = SheetChoices::Share::None);
// "Semilla 42": the seed in small print.
std::string SeedLine(std::uint32_t seed);
// The blanks a student fills in at the top of a printed sheet.
constexpr const char* kSheetHeaderWords[] = {"Nombre:", "Curso:", "Fecha:"};
// The line that heads problem number's resolution in the key.
std::string SheetKeyHeading(int number, const std::string& word = "Problema");
// Adds one problem's statement and resolution to text.
void AddToSheet(SheetText& text, const ProblemInput& problem);
void AddToSheet(SheetText& text, const SheetProblem& problem);
SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed,
                       const std::string& title = kProblemSheetTitle);

// A key's line of separators ("=====", or the resolution's soft hyphens): a rule on paper.
bool IsKeyRule(const std::string& line);

// A resolution as a printed key sets it: its prose a line at a time, and each run of lines with
// tabs (with the rules among them) as a table. A table's heading is the line before a rule: its
// names fill the columns from the left, the last one over all the columns left ("exceso" over
// what is left of each reactant); the tabs that only spaced it out are dropped.
struct KeyRow {
    std::vector<std::string> cells;  // without the blanks before each
    bool heading = false;
    bool rule = false;
};
struct KeyPiece {
    std::string line;           // a line of prose, or a rule outside a table
    std::vector<KeyRow> table;  // or a table
    std::size_t columns = 0;    // the table's, the widest row's
};
std::vector<KeyPiece> KeyPieces(const std::vector<std::string>& lines);

// The whole sheet as lines: the title, the seed, the student's blanks, the numbered statements (the
// first line of each after its number, the others under it), then the key, each resolution under
// its heading. Numbers are padded for a sheet of count problems (of as many as text holds when 0),
// so that a sheet's first problems look as they will in it.
std::vector<std::string> SheetLines(const SheetText& text, std::size_t count = 0);

}  // namespace tovel
