#pragma once
// The atom-count matrix of a reaction, shared by both balancing methods.

#include <cstdint>
#include <vector>

#include "core/reaction.h"

namespace tovel {

// Rows are elements in order of first appearance, columns substances (the reactants, then the
// products); reactant counts are positive and product counts negative.
std::vector<std::vector<std::int64_t>> AtomCountMatrix(const Reaction& reaction);

}  // namespace tovel
