#pragma once
// The electron balance of the redox pairs, where atoms and charge alone leave several balances.

#include <optional>

#include "core/balance.h"
#include "core/reaction.h"

namespace tovel {

// For a reaction whose atoms and charge leave several independent balances, the one the redox
// pairs decide: an element whose atoms keep an oxidation number on both sides while others of its
// atoms change (the O of KMnO4, H2SO4 and H2O beside the O of H2O2 that becomes O2) is counted as
// separate conserved quantities, the atoms at each number kept and the atoms that change, so that
// each half-reaction keeps its own atoms, as the ion-electron method writes them. Nothing when a
// substance has no oxidation numbers, or the pairs still leave several balances or none positive.
std::optional<CoefficientList> RedoxPoolBalance(const Reaction& reaction);

}  // namespace tovel
