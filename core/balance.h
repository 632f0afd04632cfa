#pragma once
// Automatic balancing: whole-number coefficients that give every element as many atoms on the
// left as on the right.

#include <cstdint>
#include <optional>

#include "core/fixed_vector.h"
#include "core/reaction.h"

namespace tovel {

// Coefficients in substance order: the reactants, then the products.
using CoefficientList = FixedVector<std::uint32_t, kSubstanceLimit>;

// The classic procedure: fraction-free Gauss-Jordan elimination of the atom matrix, then the
// coefficients read off (one free coefficient) or found by trying free values 1 to 9 (two or
// three). Returns nothing when it fails or its arithmetic would overflow. Its answer is not
// checked here and can be wrong for some reactions with several free coefficients.
std::optional<CoefficientList> ClassicBalance(const Reaction& reaction);

// Why no balance came out: the reaction has none with positive coefficients (proven), or one may
// exist beyond what the program looks for (coefficients above 65535, or a search too long).
enum class BalanceFailure { None, NoPositiveBalance, BeyondLimits };

// An exact general method: the positive whole solution with the smallest sum of coefficients
// (for one free coefficient, the smallest whole coefficients). Nothing when the reaction has no
// positive balance, or none is found within the search's bound; failure (when given) says which.
std::optional<CoefficientList> GeneralBalance(const Reaction& reaction,
                                              BalanceFailure* failure = nullptr);

// Every coefficient is from 1 to 65535 and every element's atom total is the same on both sides.
bool BalancesExactly(const Reaction& reaction, const CoefficientList& coefficients);

enum class BalanceMethod { None, Classic, General };

struct BalanceOutcome {
    BalanceMethod method = BalanceMethod::None;
    CoefficientList coefficients;
    BalanceFailure failure = BalanceFailure::None;  // why there is none
    explicit operator bool() const { return method != BalanceMethod::None; }
};

// The classic answer when it balances exactly; otherwise the general method's.
BalanceOutcome FindBalance(const Reaction& reaction);

// Writes the balance found into the reaction's coefficients and returns true; on failure the
// coefficients are left as they were and failure (when given) says why.
bool BalanceReaction(Reaction& reaction, BalanceFailure* failure = nullptr);

}  // namespace tovel
