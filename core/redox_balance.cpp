#include "core/redox_balance.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/atom_matrix.h"
#include "core/oxidation.h"

namespace tovel {

namespace {

// One element's atoms at each oxidation number, a column for each substance.
using Pools = std::map<Fraction, AtomCountRow>;

}  // namespace

std::optional<CoefficientList> RedoxPoolBalance(const Reaction& reaction) {
    const std::size_t cols = reaction.Count(kReactants) + reaction.Count(kProducts);
    const std::uint32_t scale = FormulaScale(reaction);
    std::vector<std::string> order;
    std::map<std::string, Pools> byElement;
    std::size_t col = 0;
    for (int side = 0; side < 2; ++side) {
        for (const Substance& substance : reaction.substances[side]) {
            const SubstanceOxidation ox = OxidationNumbers(substance.formula);
            if (!ox.decided) return std::nullopt;
            const std::int64_t times = scale / substance.formulas;
            for (const OxidationSite& site : ox.sites) {
                if (!byElement.count(site.symbol)) order.push_back(site.symbol);
                AtomCountRow& row = byElement[site.symbol][site.number];
                if (row.empty()) row.resize(cols, 0);
                const std::int64_t atoms = static_cast<std::int64_t>(site.atoms) * times;
                row[col] += side == kReactants ? atoms : -atoms;
            }
            ++col;
        }
    }
    const std::size_t reactants = reaction.Count(kReactants);
    auto onSide = [&](const AtomCountRow& row, int side) {
        for (std::size_t c = 0; c < cols; ++c) {
            if (row[c] != 0 && (c < reactants) == (side == kReactants)) return true;
        }
        return false;
    };
    AtomCounts rows;
    bool split = false;
    for (const std::string& symbol : order) {
        const Pools& pools = byElement[symbol];
        // Numbers on both sides are kept; the others change into each other.
        AtomCountRow changing(cols, 0);
        AtomCountRow all(cols, 0);
        std::size_t kept = 0;
        bool leftChanges = false;
        bool rightChanges = false;
        for (const auto& [number, row] : pools) {
            for (std::size_t c = 0; c < cols; ++c)
                all[c] += row[c];
            const bool left = onSide(row, kReactants);
            const bool right = onSide(row, kProducts);
            if (left && right) {
                ++kept;
                continue;
            }
            leftChanges = leftChanges || left;
            rightChanges = rightChanges || right;
            for (std::size_t c = 0; c < cols; ++c)
                changing[c] += row[c];
        }
        if (kept == 0 || !leftChanges || !rightChanges) {
            rows.push_back(all);
            continue;
        }
        split = true;
        for (const auto& [number, row] : pools) {
            if (onSide(row, kReactants) && onSide(row, kProducts)) rows.push_back(row);
        }
        rows.push_back(changing);
    }
    if (!split) return std::nullopt;  // the pairs add nothing to what the atoms say
    if (HasCharges(reaction)) {
        AtomCountRow& row = rows.emplace_back(cols, 0);
        col = 0;
        for (int side = 0; side < 2; ++side) {
            for (const Substance& substance : reaction.substances[side]) {
                const std::int64_t charge = std::int64_t{substance.charge} * scale;
                row[col++] = side == kReactants ? charge : -charge;
            }
        }
    }
    try {
        if (ReduceToEchelon(rows, cols).freeColumns.size() != 1) return std::nullopt;
    } catch (const ArithmeticOverflow&) {
        return std::nullopt;
    }
    std::optional<CoefficientList> balance = BalanceOfMatrix(rows, cols);
    if (!balance || !BalancesExactly(reaction, *balance)) return std::nullopt;
    return balance;
}

}  // namespace tovel
