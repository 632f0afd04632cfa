#include "exercises/ion_electron_exercise.h"

#include "core/ion_electron_method.h"
#include "core/text_utils.h"

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

// Whether an equation has water on both sides. Balancing oxygen so ("H2O = H2 + H2O", a metal in
// water) is a step no teacher writes; in basic medium water on both sides is the method's own
// step before it is simplified.
bool WaterOnBothSides(const std::string& equation) {
    const std::size_t equals = equation.find(" = ");
    if (equals == std::string::npos) return false;
    const auto hasWater = [](const std::string& side) {
        for (const std::string& term : SplitAt(side, '+')) {
            std::string formula = term;
            formula.erase(0, formula.find_first_not_of(" 0123456789"));
            formula.erase(formula.find_last_not_of(' ') + 1);
            if (formula == "H2O") return true;
        }
        return false;
    };
    return hasWater(equation.substr(0, equals)) && hasWater(equation.substr(equals + 3));
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
    for (const MethodStep& step : solution.steps) {
        if (step.what.rfind("Se ajusta el O", 0) != 0) continue;
        for (const std::string& equation : step.equations) {
            if (WaterOnBothSides(equation)) return std::nullopt;
        }
    }
    WorkedExercise exercise;
    // The net ionic equation: two skeletons of it (Cu + HNO3, Cu + NO3^- + H^+) are one exercise.
    exercise.compound = HalfReactionText(solution.ionic.left, solution.ionic.right);
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
    // The electrons of the net ionic equation, as the key says them, whatever the molecular
    // equation's multiple.
    exercise.answers.push_back(Count("Electrones transferidos en la ecuación iónica",
                                     static_cast<double>(solution.electrons)));
    return exercise;
}

}  // namespace tovel
