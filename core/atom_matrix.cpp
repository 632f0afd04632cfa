#include "core/atom_matrix.h"

#include <algorithm>

namespace tovel {

std::vector<std::vector<std::int64_t>> AtomCountMatrix(const Reaction& reaction) {
    const std::size_t cols = reaction.Count(kReactants) + reaction.Count(kProducts);
    std::vector<std::uint16_t> order;
    std::vector<std::vector<std::int64_t>> m;
    std::size_t col = 0;
    for (int side = 0; side < 2; ++side) {
        for (const auto& substance : reaction.substances[side]) {
            for (const auto& entry : substance.entries) {
                auto at = std::find(order.begin(), order.end(), entry.element.atomicNumber);
                if (at == order.end()) {
                    at = order.insert(order.end(), entry.element.atomicNumber);
                    m.emplace_back(cols, 0);
                }
                const std::int64_t count = entry.count;
                m[static_cast<std::size_t>(at - order.begin())][col] +=
                    side == kReactants ? count : -count;
            }
            ++col;
        }
    }
    return m;
}

}  // namespace tovel
