#pragma once
// The worded problem of a stoichiometric calculation: its statement and its step-by-step
// resolution by the factor-label method, line by line, from the reaction and the calculation's
// results. Nothing here is random: the same calculation always gives the same problem.

#include <array>
#include <string>
#include <vector>

#include "core/reaction.h"
#include "core/stoichiometry.h"

namespace tovel {

// A finished calculation as a worded problem tells it.
struct ProblemInput {
    Reaction reaction;                               // balanced
    std::array<std::vector<SlotData>, 2> data;       // every substance's unit, conditions and datum
    std::array<std::string, kSideLimit> qualifiers;  // " 80%", " 2M": shown after a reactant's unit
    StoichiometryResult result;
};

// "A", "A y B", "A, B y C": what follows item i (1-based) of n in a list.
std::string ListJoiner(std::size_t i, std::size_t n);

// The statement's sentences, then an empty line.
std::vector<std::string> StatementLines(const ProblemInput& problem);

// The factor that turns moles of the substance into its unit.
std::string FactorText(const ProblemInput& problem, int side, std::size_t slot);

// The resolution's lines. Its separator lines are soft hyphens (byte 0xAD on disk).
std::vector<std::string> ResolutionLines(const ProblemInput& problem);

// Soft hyphens are invisible on screen: a window shows this line character in their place and
// turns it back when the text is saved.
constexpr const char* kVisibleSeparator = "\u2500";
std::string ShowSeparators(const std::string& text);
std::string StoreSeparators(const std::string& text);

}  // namespace tovel
