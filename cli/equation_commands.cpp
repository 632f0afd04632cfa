// tovel-cli balance, explain and redox: an equation an item, from the arguments or standard input.
#include <ostream>

#include "cli/command.h"
#include "core/balance_explanation.h"
#include "core/equation_checks.h"
#include "core/oxidation.h"

namespace tovel {

namespace {

bool BalanceOne(const std::string& equation, CliContext& context) {
    if (!ParseAndBalance(equation, context.reaction, context, "\n")) return false;
    context.out << ReactionText(context.reaction) << "\n";
    return true;
}

// The explanation, then an empty line between equations.
bool ExplainOne(const std::string& equation, CliContext& context) {
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, context.table, context.port, &failure);
    ReportReactionParseFailure(code, context.port, &failure, equation);
    if (code != kReactionOk) {
        context.out << "error: " << context.port.TakeReport() << "\n\n";
        return false;
    }
    const BalanceExplanation explanation = ExplainBalance(reaction);
    context.out << ExplanationText(explanation, "\n") << "\n";
    return explanation.outcome != ExplanationOutcome::Impossible;
}

// The balanced equation, its redox text, then an empty line between equations.
bool RedoxOne(const std::string& equation, CliContext& context) {
    Reaction reaction;
    if (!ParseAndBalance(equation, reaction, context, "\n\n")) return false;
    const RedoxAnalysis analysis = AnalyseRedox(reaction);
    context.out << ReactionText(reaction) << "\n\n";
    for (const std::string& line : RedoxLines(analysis))
        context.out << line << "\n";
    context.out << "\n";
    return analysis.outcome == RedoxOutcome::Redox ||
           analysis.outcome == RedoxOutcome::HalfReaction ||
           analysis.outcome == RedoxOutcome::NotRedox;
}

}  // namespace

const CliCommand kBalanceCommand = {
    "balance", "balance [EQUATION...]",
    "balance each equation (formulas only, e.g. H2+O2=H2O); without arguments,\n"
    "each non-empty line of standard input",
    true, [](const std::vector<std::string>& items, CliContext& context) {
        return RunEachItem(items, context, true, BalanceOne);
    }};

const CliCommand kExplainCommand = {
    "explain", "explain [EQUATION...]",
    "how each equation is balanced by the algebraic method, step by step; without\n"
    "arguments, each non-empty line of standard input",
    true, [](const std::vector<std::string>& items, CliContext& context) {
        return RunEachItem(items, context, true, ExplainOne);
    }};

const CliCommand kRedoxCommand = {
    "redox", "redox [EQUATION...]",
    "balance each equation, then the oxidation number of every element of every\n"
    "substance, what is oxidised and reduced, the oxidant, the reductant and the\n"
    "electrons transferred; without arguments, each non-empty line of standard input",
    true, [](const std::vector<std::string>& items, CliContext& context) {
        return RunEachItem(items, context, true, RedoxOne);
    }};

}  // namespace tovel
