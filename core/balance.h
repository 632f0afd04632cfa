#pragma once
// Automatic balancing: whole-number coefficients that give every element as many atoms on the
// left as on the right.

#include <cstdint>
#include <optional>
#include <utility>

#include "core/atom_matrix.h"
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
// Or it has several independent balances (atoms and charge leave more than one free
// coefficient), and none is chosen silently.
enum class BalanceFailure { None, NoPositiveBalance, BeyondLimits, SeveralBalances };

// An exact general method: the positive whole solution with the smallest sum of coefficients
// (for one free coefficient, the smallest whole coefficients). Nothing when the reaction has no
// positive balance, or none is found within the search's bound; failure (when given) says which.
// independent (when given) receives the number of independent balances.
std::optional<CoefficientList> GeneralBalance(const Reaction& reaction,
                                              BalanceFailure* failure = nullptr,
                                              std::size_t* independent = nullptr);

// Two positive balances that are not multiples of each other, for a reaction with several
// independent ones: the one with the smallest sum of coefficients, then another. Nothing when
// the search finds fewer than two.
std::optional<std::pair<CoefficientList, CoefficientList>> TwoBalances(const Reaction& reaction);

// The general method on a matrix of conserved quantities (rows) over the substances (cols): its
// positive whole solution with the smallest sum, nothing when there is none or it overflows.
std::optional<CoefficientList> BalanceOfMatrix(const AtomCounts& matrix, std::size_t cols);

// The echelon of the atom matrix read once: the number of independent balances and, where it is
// one, the balance (the smallest whole coefficients) or why there is none. overflow: the
// elimination's numbers did not fit, and nothing is known.
struct RayBalance {
    std::size_t independent = 0;
    std::optional<CoefficientList> coefficients;
    BalanceFailure failure = BalanceFailure::None;
    bool overflow = false;
};
RayBalance SingleRayBalance(const Reaction& reaction);

// The general method's search: the positive balance with the smallest sum and another that is no
// multiple of it, or why there is none (NoPositiveBalance, BeyondLimits).
struct SearchedBalances {
    std::optional<CoefficientList> best;
    std::optional<CoefficientList> second;
    BalanceFailure failure = BalanceFailure::None;
};
SearchedBalances SearchBalances(const Reaction& reaction);

// The number of independent balances of the reaction: its coefficients minus the rank of its
// atom matrix, the charge row included.
std::size_t IndependentBalances(const Reaction& reaction);

// Every coefficient is from 1 to 65535 and every element's atom total is the same on both sides.
bool BalancesExactly(const Reaction& reaction, const CoefficientList& coefficients);

// Redox: atoms and charge left several balances, and the electron balance of the redox pairs
// chose one (see RedoxPoolBalance).
enum class BalanceMethod { None, Classic, General, Redox };

struct BalanceOutcome {
    BalanceMethod method = BalanceMethod::None;
    CoefficientList coefficients;
    BalanceFailure failure = BalanceFailure::None;  // why there is none
    // For SeveralBalances: two of them, when the search found two.
    std::optional<std::pair<CoefficientList, CoefficientList>> several;
    // The number of independent balances, where finding the balance told it; 0 when not known.
    std::size_t independent = 0;
    explicit operator bool() const { return method != BalanceMethod::None; }
};

// The classic answer when it balances exactly; otherwise the general method's. For a reaction with
// several independent balances, the one with the smallest sum: a mathematical answer, which the
// user is not given as the balance (see UniqueBalance).
BalanceOutcome FindBalance(const Reaction& reaction);

// The balance the user is given: FindBalance's where atoms and charge leave one balance up to its
// scale; where they leave several, the one the electron balance of the redox pairs decides
// (RedoxPoolBalance), or none (failure SeveralBalances, with two examples), so that no balance is
// ever chosen silently.
BalanceOutcome UniqueBalance(const Reaction& reaction);

// Writes coefficients (reactants, then products) into the reaction.
void ApplyCoefficients(Reaction& reaction, const CoefficientList& coefficients);

// Writes UniqueBalance's answer into the reaction's coefficients and returns true; on failure the
// coefficients are left as they were and failure (when given) says why.
bool BalanceReaction(Reaction& reaction, BalanceFailure* failure = nullptr);

}  // namespace tovel
