// tovel-cli ionelectron: a redox equation balanced by the ion-electron method, step by step, then
// the labelled results scripts read.
#include <ostream>

#include "cli/command.h"
#include "core/ion_electron_method.h"

namespace tovel {

namespace {

// "acido"/"ácido" or "basico"/"básico"; false for anything else.
bool ReadMedium(const std::string& word, MediumChoice& medium) {
    if (word == "acido" || word == "ácido")
        medium = MediumChoice::Acid;
    else if (word == "basico" || word == "básico")
        medium = MediumChoice::Basic;
    else
        return false;
    return true;
}

int RunIonElectron(const std::vector<std::string>& arguments, CliContext& context) {
    MediumChoice medium = MediumChoice::FromEquation;
    std::vector<std::string> equations;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--medio" || argument.rfind("--medio=", 0) == 0) {
            const bool joined = argument != "--medio";
            if (!joined && i + 1 == arguments.size()) {
                context.err << "tovel-cli: ionelectron: --medio needs acido or basico\n";
                return 2;
            }
            const std::string word = joined ? argument.substr(8) : arguments[++i];
            if (!ReadMedium(word, medium)) {
                context.err << "tovel-cli: ionelectron: --medio is acido or basico, not " << word
                            << "\n";
                return 2;
            }
            continue;
        }
        equations.push_back(argument);
    }
    const auto one = [medium](const std::string& equation, CliContext& c) {
        const IonElectronSolution solution = SolveIonElectron(equation, medium);
        if (!solution.solved) {
            c.out << "error: " << solution.error << "\n\n";
            return false;
        }
        c.out << IonElectronText(solution) << "\n";
        return true;
    };
    return RunEachItem(equations, context, true, one);
}

}  // namespace

const CliCommand kIonElectronCommand = {
    "ionelectron", "ionelectron [--medio acido|basico] [EQUATION...]",
    "balance each redox equation by the ion-electron method, ionic (MnO4^- +\n"
    "Fe^2+ = Mn^2+ + Fe^3+) or molecular (KMnO4 + FeSO4 + H2SO4 = ...): the\n"
    "dissociation, the half-reactions and each step, then the lines\n"
    "\"Semirreacción de oxidación:\", \"Semirreacción de reducción:\", \"Ecuación\n"
    "iónica:\", \"Ecuación molecular:\" (for a molecular equation) and \"Electrones\n"
    "transferidos:\"; the medium is read from the equation unless --medio gives it;\n"
    "without equations, each non-empty line of standard input",
    false, RunIonElectron};

}  // namespace tovel
