#include "core/balance.h"

#include <algorithm>
#include <cstdlib>

#include "core/atom_matrix.h"
#include "core/rational_matrix.h"
#include "core/redox_balance.h"

namespace tovel {

namespace {

std::size_t SubstanceCount(const Reaction& reaction) {
    return reaction.Count(kReactants) + reaction.Count(kProducts);
}

// Values of the free coefficients, or of the determined ones, as the classic procedure finds them.
using Values = FixedVector<std::int64_t, kSubstanceLimit>;

RationalMatrix AtomMatrix(const AtomCounts& counts, std::size_t substances) {
    RationalMatrix m(counts.size(), substances);
    for (std::size_t row = 0; row < counts.size(); ++row) {
        for (std::size_t col = 0; col < counts[row].size(); ++col) {
            m.At(row + 1, col + 1) = Fraction::Make(counts[row][col]);
        }
    }
    return m;
}

// The free-value test: x[i] from the free values; every determined coefficient whole and positive.
bool FreeValuesFit(const RationalMatrix& m, std::size_t nfree, const Values& f, Values& x) {
    const std::size_t rows = m.Rows();
    const std::size_t cols = m.Cols();
    for (std::size_t i = 1; i <= rows; ++i) {
        std::int64_t sum = 0;
        for (std::size_t q = 1; q <= nfree; ++q) {
            sum = CheckedAdd(sum, CheckedMul(f[q - 1], m.At(i, cols - nfree + q).num));
        }
        x[i - 1] = sum;
        const std::int64_t pivot = m.At(i, i).num;
        if (CheckedMul(pivot, sum) <= 0 || std::llabs(sum) % std::llabs(pivot) != 0) return false;
    }
    return true;
}

// The classic procedure tries the free coefficients from 1 to this, in turn.
constexpr std::int64_t kLargestFreeValue = 9;

// Tries free values 1..kLargestFreeValue each, the first free value outermost, and stops at the
// first that fits.
bool SearchFreeValues(const RationalMatrix& m, std::size_t nfree, Values& f, Values& x,
                      std::size_t depth = 0) {
    if (depth == nfree) return FreeValuesFit(m, nfree, f, x);
    for (std::int64_t v = 1; v <= kLargestFreeValue; ++v) {
        f[depth] = v;
        if (SearchFreeValues(m, nfree, f, x, depth + 1)) return true;
    }
    return false;
}

// freeCount (when given) receives the number of free coefficients the elimination left.
std::optional<CoefficientList> ClassicBalanceUnchecked(const AtomCounts& counts,
                                                       std::size_t substances,
                                                       std::size_t* freeCount) {
    RationalMatrix m = AtomMatrix(counts, substances);
    const std::size_t cols = m.Cols();
    RationalMatrix work;
    GaussJordan(m, work);
    DropZeroRows(work, m);

    std::size_t rows = m.Rows();
    if (rows == 0 || cols < 2 || rows > cols) return std::nullopt;
    if (m.At(rows, cols - 1).IsZero()) return std::nullopt;
    if (m.At(rows, rows).IsZero()) {
        RemoveRow(m, rows);
        rows = m.Rows();
    }
    if (rows == 0 || rows >= cols) return std::nullopt;
    const std::size_t nfree = cols - rows;
    if (freeCount) *freeCount = nfree;
    if (nfree > 3) return std::nullopt;

    // A zero on the diagonal leaves its coefficient at zero for any free values; it also stops
    // the lcm below from dividing by gcd(0, 0).
    std::int64_t L = 1;
    for (std::size_t i = 1; i <= rows; ++i) {
        if (m.At(i, i).IsZero()) return std::nullopt;
        L = Lcm(static_cast<std::int32_t>(L), m.At(i, i).num);
        if (L > kCoefficientLimit) return std::nullopt;
    }
    for (std::size_t i = 1; i <= rows; ++i) {
        for (std::size_t k = cols - nfree + 1; k <= cols; ++k) {
            m.At(i, k).num = ToInt32(-static_cast<std::int64_t>(m.At(i, k).num));
        }
    }

    Values f(nfree, 0);
    Values x(rows, 0);
    if (nfree == 1) {
        f[0] = L;
        for (std::size_t i = 1; i <= rows; ++i) {
            x[i - 1] = ToInt32(CheckedMul(L, m.At(i, cols).num));
            if (CheckedMul(m.At(i, i).num, x[i - 1]) <= 0) return std::nullopt;
        }
    } else if (!SearchFreeValues(m, nfree, f, x)) {
        return std::nullopt;
    }

    // The determined coefficients belong to the first columns, the free values to the last ones,
    // whichever side these fall on.
    CoefficientList coefficients(cols, 0);
    for (std::size_t i = 1; i <= rows; ++i) {
        const std::int64_t value = x[i - 1] / m.At(i, i).num;
        if (value < 1 || value > kCoefficientLimit) return std::nullopt;
        coefficients[i - 1] = static_cast<std::uint32_t>(value);
    }
    for (std::size_t q = 0; q < nfree; ++q) {
        if (f[q] > kCoefficientLimit) return std::nullopt;
        coefficients[rows + q] = static_cast<std::uint32_t>(f[q]);
    }

    std::int64_t d = L;
    for (const auto c : coefficients)
        d = Gcd(d, c);
    if (d > 1) {
        for (auto& c : coefficients)
            c = static_cast<std::uint32_t>(c / d);
    }
    return coefficients;
}

std::optional<CoefficientList> ClassicBalanceOf(const AtomCounts& counts, std::size_t substances,
                                                std::size_t* freeCount = nullptr) {
    try {
        return ClassicBalanceUnchecked(counts, substances, freeCount);
    } catch (const ArithmeticOverflow&) {
        return std::nullopt;
    }
}

bool Balances(const AtomCounts& counts, std::size_t substances,
              const CoefficientList& coefficients) {
    if (coefficients.size() != substances) return false;
    for (const auto c : coefficients) {
        if (c < 1 || c > kCoefficientLimit) return false;
    }
    // Each row sums reactant atoms minus product atoms of one element; counts and coefficients
    // are 16-bit, so the sums fit easily.
    for (const auto& row : counts) {
        std::int64_t net = 0;
        for (std::size_t col = 0; col < row.size(); ++col)
            net += row[col] * coefficients[col];
        if (net != 0) return false;
    }
    return true;
}

}  // namespace

std::optional<CoefficientList> ClassicBalance(const Reaction& reaction) {
    return ClassicBalanceOf(AtomCountMatrix(reaction), SubstanceCount(reaction));
}

bool BalancesExactly(const Reaction& reaction, const CoefficientList& coefficients) {
    return Balances(AtomCountMatrix(reaction), SubstanceCount(reaction), coefficients);
}

BalanceOutcome FindBalance(const Reaction& reaction) {
    if (reaction.Count(kReactants) == 0 || reaction.Count(kProducts) == 0) {
        BalanceOutcome none;
        none.failure = BalanceFailure::NoPositiveBalance;
        return none;
    }
    // The classic procedure and its check read the same matrix.
    const AtomCounts counts = AtomCountMatrix(reaction);
    const std::size_t substances = SubstanceCount(reaction);
    std::size_t classicFree = 0;
    if (auto classic = ClassicBalanceOf(counts, substances, &classicFree);
        classic && Balances(counts, substances, *classic)) {
        BalanceOutcome found{BalanceMethod::Classic, std::move(*classic), BalanceFailure::None,
                             std::nullopt};
        // Every kept row has its pivot on the diagonal, so the rows are independent: one free
        // coefficient with a balance that holds means exactly one independent balance, and the
        // echelon need not be computed again.
        if (classicFree == 1) found.independent = 1;
        return found;
    }
    BalanceFailure failure = BalanceFailure::None;
    std::size_t independent = 0;
    if (auto general = GeneralBalance(reaction, &failure, &independent);
        general && Balances(counts, substances, *general)) {
        return {BalanceMethod::General, std::move(*general), BalanceFailure::None, std::nullopt,
                independent};
    }
    BalanceOutcome none;
    none.failure = failure == BalanceFailure::None ? BalanceFailure::BeyondLimits : failure;
    return none;
}

BalanceOutcome UniqueBalance(const Reaction& reaction) {
    // Most reactions have one balance up to its scale: the echelon alone gives it, the same
    // answer the classic procedure or the general method would give, for less work.
    if (reaction.Count(kReactants) > 0 && reaction.Count(kProducts) > 0) {
        RayBalance ray = SingleRayBalance(reaction);
        if (!ray.overflow && ray.independent <= 1) {
            BalanceOutcome one;
            one.independent = ray.independent;
            if (ray.coefficients && BalancesExactly(reaction, *ray.coefficients)) {
                one.method = BalanceMethod::General;
                one.coefficients = std::move(*ray.coefficients);
            } else {
                one.failure = ray.failure == BalanceFailure::None ? BalanceFailure::BeyondLimits
                                                                  : ray.failure;
            }
            return one;
        }
        if (!ray.overflow) {
            // Several balances: the redox pairs may decide; otherwise the general search tells
            // whether any is positive and finds two to show.
            if (auto redox = RedoxPoolBalance(reaction))
                return {BalanceMethod::Redox, std::move(*redox), BalanceFailure::None, std::nullopt,
                        1};
            BalanceOutcome none;
            none.independent = ray.independent;
            const SearchedBalances found = SearchBalances(reaction);
            if (!found.best) {
                none.failure = found.failure;
                return none;
            }
            none.failure = BalanceFailure::SeveralBalances;
            if (found.second) none.several = std::make_pair(*found.best, *found.second);
            return none;
        }
    }
    // Numbers too large for the echelon: the classic procedure and the general method say.
    BalanceOutcome outcome = FindBalance(reaction);
    if (!outcome) return outcome;
    if (outcome.independent == 0) outcome.independent = IndependentBalances(reaction);
    if (outcome.independent < 2) return outcome;
    if (auto redox = RedoxPoolBalance(reaction))
        return {BalanceMethod::Redox, std::move(*redox), BalanceFailure::None, std::nullopt, 1};
    BalanceOutcome none;
    none.failure = BalanceFailure::SeveralBalances;
    none.several = TwoBalances(reaction);
    return none;
}

void ApplyCoefficients(Reaction& reaction, const CoefficientList& coefficients) {
    std::size_t column = 0;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t k = 0; k < reaction.Count(side); ++k)
            reaction.coefficients[side][k] = static_cast<std::uint16_t>(coefficients[column++]);
    }
}

bool BalanceReaction(Reaction& reaction, BalanceFailure* failure) {
    const BalanceOutcome outcome = UniqueBalance(reaction);
    if (failure) *failure = outcome.failure;
    if (!outcome) return false;
    ApplyCoefficients(reaction, outcome.coefficients);
    return true;
}

}  // namespace tovel
