#pragma once
// Ion-electron exercises for sheets: a redox equation of the library to balance by the method,
// its resolution the method's steps, and the coefficients and electrons as the answers.

#include <optional>

#include "core/reaction.h"
#include "exercises/empirical_exercise.h"

namespace tovel {

// The exercise of reaction (parsed from the library), or nothing when the method cannot balance
// it from the equation alone (no redox pair, a medium the equation does not tell) or when no half
// needs water, which leaves nothing of the method to practise.
std::optional<WorkedExercise> IonElectronExercise(const Reaction& reaction);

}  // namespace tovel
