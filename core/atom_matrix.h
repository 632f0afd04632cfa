#pragma once
// The atom-count matrix of a reaction, shared by both balancing methods.

#include <cstdint>

#include "core/fixed_vector.h"
#include "core/reaction.h"

namespace tovel {

// One element's counts, a column for each substance.
using AtomCountRow = FixedVector<std::int64_t, kSubstanceLimit>;
using AtomCounts = FixedVector<AtomCountRow, kReactionElementLimit>;

// Rows are elements in order of first appearance, then the charge when any substance is an ion;
// columns substances (the reactants, then the products); reactant counts are positive and product
// counts negative.
AtomCounts AtomCountMatrix(const Reaction& reaction);

}  // namespace tovel
