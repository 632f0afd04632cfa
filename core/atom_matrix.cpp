#include "core/atom_matrix.h"

#include <algorithm>

#include "core/fraction.h"

namespace tovel {

AtomCounts AtomCountMatrix(const Reaction& reaction) {
    const std::size_t cols = reaction.Count(kReactants) + reaction.Count(kProducts);
    FixedVector<std::uint16_t, kReactionElementLimit> order;  // atomic number of each row
    AtomCounts m;
    std::size_t col = 0;
    const std::uint32_t scale = FormulaScale(reaction);
    for (int side = 0; side < 2; ++side) {
        for (const auto& substance : reaction.substances[side]) {
            // Reactant counts positive, product counts negative, each scaled to `scale` formulas.
            const std::int64_t times = scale == 1 ? 1 : scale / substance.formulas;
            const std::int64_t factor = side == kReactants ? times : -times;
            for (const auto& entry : substance.entries) {
                auto at = std::find(order.begin(), order.end(), entry.element.atomicNumber);
                if (at == order.end()) {
                    order.push_back(entry.element.atomicNumber);
                    at = order.end() - 1;
                    m.emplace_back(cols, 0);
                }
                m[static_cast<std::size_t>(at - order.begin())][col] += entry.count * factor;
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
                const std::int64_t charge = std::int64_t{substance.charge} * scale;
                row[col++] = side == kReactants ? charge : -charge;
            }
        }
    }
    return m;
}

}  // namespace tovel

namespace tovel {

void ReduceIntRow(AtomCountRow& row) {
    std::int64_t g = 0;
    for (auto v : row)
        g = Gcd(g, v);
    if (g > 1) {
        for (auto& v : row)
            v /= g;
    }
}

AtomEchelon ReduceToEchelon(AtomCounts m, std::size_t cols) {
    AtomEchelon out;
    std::size_t r = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        std::size_t p = r;
        while (p < m.size() && m[p][c] == 0)
            ++p;
        if (p == m.size()) {
            out.freeColumns.push_back(c);
            continue;
        }
        std::swap(m[p], m[r]);
        for (std::size_t i = 0; i < m.size(); ++i) {
            if (i == r || m[i][c] == 0) continue;
            const std::int64_t g = Gcd(m[r][c], m[i][c]);
            const std::int64_t a = m[r][c] / g;
            const std::int64_t b = m[i][c] / g;
            for (std::size_t k = 0; k < cols; ++k) {
                m[i][k] = CheckedAdd(CheckedMul(a, m[i][k]), CheckedMul(-b, m[r][k]));
            }
            ReduceIntRow(m[i]);
        }
        ReduceIntRow(m[r]);
        out.pivots.push_back(c);
        ++r;
    }
    m.resize(r);
    out.rows = std::move(m);
    return out;
}

}  // namespace tovel
