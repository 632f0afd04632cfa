// The exact general balancing method, used when the classic procedure fails or gives a wrong
// answer. It reduces the atom matrix over the integers to find which coefficients are free, then
// looks for the positive whole solution with the smallest sum of coefficients.

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "core/atom_matrix.h"
#include "core/balance.h"
#include "core/fraction.h"

namespace tovel {

namespace {

constexpr std::int64_t kSearchLimit = kCoefficientLimit;
// How many assignments of the free coefficients the search may try: a few milliseconds, and far
// more than any school reaction needs.
constexpr std::size_t kSearchBudget = 1'000'000;

using IntRow = AtomCountRow;
using IntMatrix = AtomCounts;
using Columns = MatrixColumns;
using Values = FixedVector<std::int64_t, kSubstanceLimit>;

std::size_t SubstanceColumns(const Reaction& reaction) {
    return reaction.Count(kReactants) + reaction.Count(kProducts);
}

struct Search {
    const IntMatrix& m;
    const Columns& pivots;
    const Columns& freeColumns;
    std::size_t cols;

    Values freeValues;
    std::optional<CoefficientList> best;
    std::int64_t bestSum = 0;
    std::size_t tried = 0;
    // A balance found that is no multiple of best, the smallest such one seen.
    std::optional<CoefficientList> second;
    std::int64_t secondSum = 0;

    static bool Proportional(const CoefficientList& a, const CoefficientList& b) {
        for (std::size_t i = 1; i < a.size(); ++i) {
            if (std::uint64_t{a[i]} * b[0] != std::uint64_t{b[i]} * a[0]) return false;
        }
        return true;
    }

    void Keep(CoefficientList c, std::int64_t sum) {
        if (!best || sum < bestSum) {
            if (best && !Proportional(*best, c)) {
                second = std::move(best);
                secondSum = bestSum;
            }
            best = std::move(c);
            bestSum = sum;
        } else if (!Proportional(*best, c) && (!second || sum < secondSum)) {
            second = std::move(c);
            secondSum = sum;
        }
    }

    // Completes the coefficients from the free values; keeps them if they beat the best so far.
    void Try() {
        ++tried;
        CoefficientList c(cols, 0);
        std::int64_t sum = 0;
        for (std::size_t q = 0; q < freeColumns.size(); ++q) {
            c[freeColumns[q]] = static_cast<std::uint32_t>(freeValues[q]);
            sum += freeValues[q];
        }
        for (std::size_t i = 0; i < pivots.size(); ++i) {
            std::int64_t s = 0;
            for (std::size_t q = 0; q < freeColumns.size(); ++q) {
                s = CheckedAdd(s, CheckedMul(m[i][freeColumns[q]], freeValues[q]));
            }
            const std::int64_t pivot = m[i][pivots[i]];
            if (s % pivot != 0) return;
            const std::int64_t value = -s / pivot;
            if (value < 1 || value > kSearchLimit) return;
            c[pivots[i]] = static_cast<std::uint32_t>(value);
            sum += value;
        }
        Keep(std::move(c), sum);
    }

    // Every way of writing total as a sum of positive free values, in lexicographic order.
    void Compose(std::size_t index, std::int64_t remaining) {
        if (tried >= kSearchBudget) return;
        const std::size_t left = freeColumns.size() - index;
        if (left == 1) {
            if (remaining > kSearchLimit) return;
            freeValues[index] = remaining;
            Try();
            return;
        }
        for (std::int64_t v = 1; v <= remaining - static_cast<std::int64_t>(left - 1); ++v) {
            if (v > kSearchLimit) return;
            freeValues[index] = v;
            Compose(index + 1, remaining - v);
        }
    }
};

// Whether some positive real values of the free coefficients make every determined coefficient
// positive too; without them no whole positive balance exists and the search need not start.
// Fourier-Motzkin elimination on the strict homogeneous inequalities a . f > 0. Answers true when
// the system grows too large to decide cheaply.
bool HasPositiveSolution(const IntMatrix& m, const Columns& pivots, const Columns& freeColumns) {
    constexpr std::size_t kConstraintLimit = 4096;
    const std::size_t k = freeColumns.size();
    // Only reactions with two or more free coefficients come here, and their constraints can
    // number thousands: these live on the heap.
    std::vector<IntRow> constraints;
    for (std::size_t q = 0; q < k; ++q) {
        IntRow unit(k, 0);
        unit[q] = 1;
        constraints.push_back(unit);
    }
    for (std::size_t i = 0; i < pivots.size(); ++i) {
        const std::int64_t sign = m[i][pivots[i]] > 0 ? -1 : 1;
        IntRow row(k, 0);
        for (std::size_t q = 0; q < k; ++q)
            row[q] = sign * m[i][freeColumns[q]];
        constraints.push_back(row);
    }
    for (std::size_t v = 0; v < k; ++v) {
        std::vector<IntRow> next;
        std::vector<const IntRow*> positive;
        std::vector<const IntRow*> negative;
        for (const auto& c : constraints) {
            if (c[v] > 0) {
                positive.push_back(&c);
            } else if (c[v] < 0) {
                negative.push_back(&c);
            } else {
                next.push_back(c);
            }
        }
        for (const IntRow* p : positive) {
            for (const IntRow* n : negative) {
                IntRow combined(k, 0);
                for (std::size_t q = 0; q < k; ++q) {
                    combined[q] =
                        CheckedAdd(CheckedMul((*p)[q], -(*n)[v]), CheckedMul((*n)[q], (*p)[v]));
                }
                ReduceIntRow(combined);
                next.push_back(std::move(combined));
                if (next.size() > kConstraintLimit) return true;
            }
        }
        // A constraint with no variable left reads 0 > 0.
        for (const auto& c : next) {
            if (std::all_of(c.begin(), c.end(), [](std::int64_t a) { return a == 0; }))
                return false;
        }
        constraints = std::move(next);
    }
    return true;
}

std::optional<CoefficientList> OneFreeCoefficient(const IntMatrix& m, const Columns& pivots,
                                                  std::size_t freeColumn, std::size_t cols,
                                                  BalanceFailure& failure) {
    // The free coefficient is the least common multiple that makes every other one whole.
    std::int64_t scale = 1;
    for (std::size_t i = 0; i < pivots.size(); ++i) {
        const std::int64_t pivot = std::llabs(m[i][pivots[i]]);
        const std::int64_t need = pivot / Gcd(pivot, m[i][freeColumn]);
        scale = CheckedMul(scale / Gcd(scale, need), need);
    }
    CoefficientList c(cols, 0);
    // The balance is unique up to its scale: a coefficient below 1 means there is no positive
    // one at all, one too large that it exists beyond the program's limits.
    failure = BalanceFailure::BeyondLimits;
    Values values(pivots.size());
    for (std::size_t i = 0; i < pivots.size(); ++i) {
        values[i] = -CheckedMul(m[i][freeColumn], scale) / m[i][pivots[i]];
        if (values[i] < 1) {
            failure = BalanceFailure::NoPositiveBalance;
            return std::nullopt;
        }
    }
    if (scale > kSearchLimit) return std::nullopt;
    c[freeColumn] = static_cast<std::uint32_t>(scale);
    for (std::size_t i = 0; i < pivots.size(); ++i) {
        if (values[i] > kSearchLimit) return std::nullopt;
        c[pivots[i]] = static_cast<std::uint32_t>(values[i]);
    }
    failure = BalanceFailure::None;
    return c;
}

std::optional<CoefficientList> GeneralBalanceUnchecked(const AtomCounts& matrix, std::size_t cols,
                                                       BalanceFailure& failure,
                                                       std::optional<CoefficientList>* second,
                                                       std::size_t* independent = nullptr) {
    failure = BalanceFailure::NoPositiveBalance;
    if (cols < 2) return std::nullopt;
    const AtomEchelon echelon = ReduceToEchelon(matrix, cols);
    if (independent) *independent = echelon.freeColumns.size();
    const IntMatrix& m = echelon.rows;
    const Columns& pivots = echelon.pivots;
    const Columns& freeColumns = echelon.freeColumns;
    if (freeColumns.empty()) return std::nullopt;  // only the all-zero solution
    if (freeColumns.size() == 1)
        return OneFreeCoefficient(m, pivots, freeColumns[0], cols, failure);
    if (!HasPositiveSolution(m, pivots, freeColumns)) return std::nullopt;
    // A positive real solution exists, hence a whole one: not finding it is the search's limit.
    failure = BalanceFailure::BeyondLimits;

    // A solution whose free values add up to total costs at least total + one per determined
    // coefficient, so the search stops when no larger total can beat the best found.
    Search search{m, pivots, freeColumns,  cols, Values(freeColumns.size(), 0), std::nullopt,
                  0, 0,      std::nullopt, 0};
    const auto determined = static_cast<std::int64_t>(pivots.size());
    const std::int64_t maxTotal = kSearchLimit * static_cast<std::int64_t>(freeColumns.size());
    for (std::int64_t total = static_cast<std::int64_t>(freeColumns.size()); total <= maxTotal;
         ++total) {
        // Looking for a second balance, the search goes on until it has one.
        if (search.best && total + determined >= search.bestSum && (!second || search.second))
            break;
        if (search.tried >= kSearchBudget) break;
        search.Compose(0, total);
    }
    if (search.best) failure = BalanceFailure::None;
    if (second) *second = search.second;
    return search.best;
}

}  // namespace

std::optional<CoefficientList> GeneralBalance(const Reaction& reaction, BalanceFailure* failure,
                                              std::size_t* independent) {
    BalanceFailure why = BalanceFailure::None;
    std::optional<CoefficientList> result;
    try {
        result = GeneralBalanceUnchecked(AtomCountMatrix(reaction), SubstanceColumns(reaction), why,
                                         nullptr, independent);
    } catch (const ArithmeticOverflow&) {
        why = BalanceFailure::BeyondLimits;  // numbers too large for the arithmetic, not no answer
        result.reset();
    }
    if (failure) *failure = result ? BalanceFailure::None : why;
    return result;
}

}  // namespace tovel

namespace tovel {

std::optional<std::pair<CoefficientList, CoefficientList>> TwoBalances(const Reaction& reaction) {
    try {
        BalanceFailure why = BalanceFailure::None;
        std::optional<CoefficientList> second;
        std::optional<CoefficientList> best = GeneralBalanceUnchecked(
            AtomCountMatrix(reaction), SubstanceColumns(reaction), why, &second);
        if (!best || !second) return std::nullopt;
        return std::make_pair(std::move(*best), std::move(*second));
    } catch (const ArithmeticOverflow&) {
        return std::nullopt;
    }
}

std::optional<CoefficientList> BalanceOfMatrix(const AtomCounts& matrix, std::size_t cols) {
    try {
        BalanceFailure why = BalanceFailure::None;
        return GeneralBalanceUnchecked(matrix, cols, why, nullptr);
    } catch (const ArithmeticOverflow&) {
        return std::nullopt;
    }
}

SearchedBalances SearchBalances(const Reaction& reaction) {
    SearchedBalances out;
    try {
        out.best = GeneralBalanceUnchecked(AtomCountMatrix(reaction), SubstanceColumns(reaction),
                                           out.failure, &out.second);
    } catch (const ArithmeticOverflow&) {
        out = SearchedBalances{};
        out.failure = BalanceFailure::BeyondLimits;
    }
    if (out.best) out.failure = BalanceFailure::None;
    return out;
}

RayBalance SingleRayBalance(const Reaction& reaction) {
    RayBalance out;
    const std::size_t cols = SubstanceColumns(reaction);
    try {
        const AtomEchelon echelon = ReduceToEchelon(AtomCountMatrix(reaction), cols);
        out.independent = echelon.freeColumns.size();
        if (out.independent == 0) out.failure = BalanceFailure::NoPositiveBalance;
        if (out.independent != 1) return out;
        out.coefficients = OneFreeCoefficient(echelon.rows, echelon.pivots, echelon.freeColumns[0],
                                              cols, out.failure);
    } catch (const ArithmeticOverflow&) {
        out.overflow = true;
    }
    return out;
}

std::size_t IndependentBalances(const Reaction& reaction) {
    try {
        return ReduceToEchelon(AtomCountMatrix(reaction), SubstanceColumns(reaction))
            .freeColumns.size();
    } catch (const ArithmeticOverflow&) {
        return 1;  // too large to tell: the balancing itself will say
    }
}

}  // namespace tovel
