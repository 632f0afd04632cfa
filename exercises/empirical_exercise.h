#pragma once
// Empirical-formula exercises for problem sheets: a compound a textbook uses, given by its
// percentage composition or by what its combustion gave, with or without its molar mass; the
// resolution is the working the "Fórmulas" window shows.

#include <optional>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "exercises/seeded_random.h"
#include "exercises/sheet_answer.h"

namespace tovel {

struct WorkedExercise {
    std::vector<std::string> statement;  // ends in an empty line, as a problem's does
    std::vector<std::string> resolution;
    std::string compound;  // the formula the exercise is about
    std::vector<SheetAnswer> answers;
};

// One exercise drawn with random, of a compound not in used while there are others; nothing when
// the compound drawn cannot be worked with table (an element it lacks, data rounding spoilt).
std::optional<WorkedExercise> DrawEmpiricalExercise(SeededRandom& random, const ElementTable& table,
                                                    const std::vector<std::string>& used = {});

}  // namespace tovel
