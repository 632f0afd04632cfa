#pragma once
// The oxidation numbers written above the elements of the drawn equation: one mark per element
// symbol of each formula, coloured by what the element does in the reaction.

#include <array>
#include <string>
#include <vector>

#include "core/reaction.h"

namespace tovel {

enum class MarkKind { Plain, Oxidised, Reduced, Both };

struct OxidationMark {
    std::string label;  // "+7", "-8/3"; empty where the rules do not decide
    MarkKind kind = MarkKind::Plain;
};

// Per side, per substance, one mark per element symbol written in its formula, in order.
using OxidationMarkSides = std::array<std::vector<std::vector<OxidationMark>>, 2>;

OxidationMarkSides MarkOxidationNumbers(const std::array<SideSubstances, 2>& sides);

}  // namespace tovel
