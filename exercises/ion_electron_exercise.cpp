#include "exercises/ion_electron_exercise.h"

#include "core/ion_electron_method.h"

namespace tovel {

namespace {

// The skeleton as a student copies it: formulas only, no coefficients.
std::string Skeleton(const Reaction& r) {
    std::string text;
    for (int side = 0; side < 2; ++side) {
        if (side == kProducts) text += " = ";
        for (std::size_t slot = 1; slot <= r.Count(side); ++slot)
            text += (slot > 1 ? " + " : "") + r.substances[side][slot - 1].formula;
    }
    return text;
}

SheetAnswer Count(const std::string& label, double value) {
    SheetAnswer answer;
    answer.label = label;
    answer.value = value;
    answer.exact = true;
    return answer;
}

}  // namespace

std::optional<WorkedExercise> IonElectronExercise(const Reaction& reaction) {
    const std::string skeleton = Skeleton(reaction);
    const IonElectronSolution solution = SolveIonElectron(skeleton, MediumChoice::FromEquation);
    if (!solution.solved) return std::nullopt;
    // An exam asks for the method where oxygen is balanced with water; a metal displacing
    // another (Zn + CuSO4) is balanced at a glance and left to the main window.
    const auto hasWater = [](const HalfReaction& half) {
        for (const auto* terms : {&half.left, &half.right}) {
            for (const HalfTerm& term : *terms) {
                if (term.formula == "H2O") return true;
            }
        }
        return false;
    };
    if (!hasWater(solution.oxidation) && !hasWater(solution.reduction)) return std::nullopt;
    WorkedExercise exercise;
    exercise.compound = skeleton;
    exercise.statement = {"Ajusta por el método del ion-electrón la reacción: " + skeleton + ".",
                          ""};
    for (const MethodStep& step : solution.steps) {
        exercise.resolution.push_back(step.what);
        for (const std::string& equation : step.equations)
            exercise.resolution.push_back("    " + equation);
    }
    exercise.resolution.emplace_back();
    for (const std::string& line : IonElectronSummary(solution))
        exercise.resolution.push_back(line);
    // The coefficients of the equation the student is asked to balance, as the key gives them.
    const auto& left = solution.molecular ? solution.molecularLeft : solution.ionic.left;
    const auto& right = solution.molecular ? solution.molecularRight : solution.ionic.right;
    for (const auto* terms : {&left, &right}) {
        for (const HalfTerm& term : *terms)
            exercise.answers.push_back(
                Count("Coeficiente de " + term.formula, static_cast<double>(term.coefficient)));
    }
    exercise.answers.push_back(
        Count("Electrones transferidos", static_cast<double>(solution.electrons)));
    return exercise;
}

}  // namespace tovel
