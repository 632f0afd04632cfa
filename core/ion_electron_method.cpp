#include "core/ion_electron_method.h"

namespace tovel {

IonElectronSolution SolveIonElectron(std::string_view equation, MediumChoice medium) {
    (void)equation;
    (void)medium;
    IonElectronSolution solution;
    solution.error = "Todavía no";
    return solution;
}

std::vector<std::string> IonElectronSummary(const IonElectronSolution& solution) {
    std::vector<std::string> lines;
    if (!solution.solved) return lines;
    lines.push_back("Semirreacción de oxidación: " +
                    HalfReactionText(solution.oxidation.left, solution.oxidation.right));
    lines.push_back("Semirreacción de reducción: " +
                    HalfReactionText(solution.reduction.left, solution.reduction.right));
    lines.push_back("Ecuación iónica: " + HalfReactionText(solution.ionic.left, solution.ionic.right));
    if (solution.molecular)
        lines.push_back("Ecuación molecular: " +
                        HalfReactionText(solution.molecularLeft, solution.molecularRight));
    lines.push_back("Electrones transferidos: " + std::to_string(solution.electrons));
    return lines;
}

std::string IonElectronText(const IonElectronSolution& solution) {
    if (!solution.solved) return solution.error + "\n";
    std::string text;
    for (const MethodStep& step : solution.steps) {
        text += step.what + "\n";
        for (const std::string& equation : step.equations)
            text += "    " + equation + "\n";
    }
    text += "\n";
    for (const std::string& line : IonElectronSummary(solution))
        text += line + "\n";
    return text;
}

}  // namespace tovel
