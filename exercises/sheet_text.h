#pragma once
// A problem sheet's text and its answer key: the texts are those of the worded problem.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exercises/problem_text.h"

namespace tovel {

struct SheetProblem;

// The sheet's texts: each problem's statement and resolution as the problem window writes them
// (separators as soft hyphens), kept apart so that a printed page never splits one.
struct SheetText {
    std::string title;
    std::vector<std::vector<std::string>> statements;  // each ends in an empty line
    std::string keyTitle;
    std::vector<std::vector<std::string>> resolutions;
    std::string keyWord = "Problema";  // what heads each resolution: "Problema 3", "Ejercicio 3"
};

std::string SheetTitle(std::uint32_t seed);
std::string SheetKeyTitle(std::uint32_t seed);
// The line that heads problem number's resolution in the key.
std::string SheetKeyHeading(int number, const std::string& word = "Problema");
// Adds one problem's statement and resolution to text.
void AddToSheet(SheetText& text, const ProblemInput& problem);
void AddToSheet(SheetText& text, const SheetProblem& problem);
SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed);

// The whole sheet as lines: the title, the numbered statements (the first line of each after its
// number, the others under it), then the key, each resolution under its heading. Numbers are
// padded for a sheet of count problems (of as many as text holds when 0), so that a sheet's
// first problems look as they will in it.
std::vector<std::string> SheetLines(const SheetText& text, std::size_t count = 0);

}  // namespace tovel
