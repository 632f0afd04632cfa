#pragma once
// Balancing explained as schools teach the algebraic method: a letter for each coefficient, one
// equation per element, one letter fixed to 1, the others solved in turn (combining two
// equations where none has a single unknown left), fractions cleared. The answer it reaches is
// always the one the program's balancing gives.

#include <string>
#include <vector>

#include "core/balance.h"
#include "core/reaction.h"

namespace tovel {

enum class ExplanationOutcome {
    Balanced,         // solved step by step, reaching the program's coefficients
    SeveralBalances,  // more than one independent balance: two are shown, none is the answer
    Impossible,       // the equations contradict each other, or no positive balance exists
};

struct BalanceExplanation {
    ExplanationOutcome outcome = ExplanationOutcome::Impossible;
    std::vector<std::string> lines;  // Spanish, plain text, one line each
    CoefficientList coefficients;    // for Balanced: the program's
};

// The explanation for the substances of reaction (their coefficients are not read).
BalanceExplanation ExplainBalance(const Reaction& reaction);

// The lines joined with line ends, as a text window or a file shows them.
std::string ExplanationText(const BalanceExplanation& explanation, const std::string& lineEnd);

}  // namespace tovel
