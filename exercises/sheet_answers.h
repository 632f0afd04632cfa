#pragma once
// The quantities a worded problem asks for, with the numbers its resolution prints for them.

#include <vector>

#include "exercises/problem_text.h"
#include "exercises/sheet_answer.h"

namespace tovel {

// In the resolution's order: what reacts (and is left) of the reactants not wholly given, what
// forms of the products not given, and the yield when it is asked for.
std::vector<SheetAnswer> ProblemAnswers(const ProblemInput& problem);

}  // namespace tovel
