#include "core/atom_matrix.h"

#include <algorithm>

namespace tovel {

AtomCounts AtomCountMatrix(const Reaction& reaction) {
    const std::size_t cols = reaction.Count(kReactants) + reaction.Count(kProducts);
    FixedVector<std::uint16_t, kReactionElementLimit> order;  // atomic number of each row
    AtomCounts m;
    std::size_t col = 0;
    for (int side = 0; side < 2; ++side) {
        for (const auto& substance : reaction.substances[side]) {
            for (const auto& entry : substance.entries) {
                auto at = std::find(order.begin(), order.end(), entry.element.atomicNumber);
                if (at == order.end()) {
                    order.push_back(entry.element.atomicNumber);
                    at = order.end() - 1;
                    m.emplace_back(cols, 0);
                }
                const std::int64_t count = entry.count;
                m[static_cast<std::size_t>(at - order.begin())][col] +=
                    side == kReactants ? count : -count;
            }
            ++col;
        }
    }
    // Charge is conserved like an element: one more row, when any substance is an ion.
    if (HasCharges(reaction)) {
        AtomCountRow& row = m.emplace_back(cols, 0);
        col = 0;
        for (int side = 0; side < 2; ++side) {
            for (const auto& substance : reaction.substances[side]) {
                row[col++] = side == kReactants ? substance.charge : -substance.charge;
            }
        }
    }
    return m;
}

}  // namespace tovel
