#include "core/rational_matrix.h"

#include <algorithm>

namespace tovel {

RationalMatrix::RationalMatrix(std::size_t rows, std::size_t cols)
    : m_rows(rows), m_cols(cols), m_entries(rows * cols) {}

void RationalMatrix::SwapRows(std::size_t a, std::size_t b) {
    for (std::size_t k = 1; k <= m_cols; ++k)
        std::swap(At(a, k), At(b, k));
}

bool RationalMatrix::RowIsZero(std::size_t row) const {
    for (std::size_t k = 1; k <= m_cols; ++k) {
        if (!At(row, k).IsZero()) return false;
    }
    return true;
}

void FillMatrix(RationalMatrix& m) {
    for (std::size_t i = 1; i <= m.Rows(); ++i) {
        for (std::size_t k = 1; k <= m.Cols(); ++k)
            m.At(i, k) = Fraction{0, 1};
    }
}

void ReduceRow(RationalMatrix& m, std::size_t row) {
    std::int64_t g = 0;
    for (std::size_t k = 1; k <= m.Cols() && g != 1; ++k)
        g = Gcd(g, m.At(row, k).num);
    if (g <= 1) return;
    for (std::size_t k = 1; k <= m.Cols(); ++k) {
        m.At(row, k) = Fraction::Make(m.At(row, k).num / g, m.At(row, k).den);
    }
}

void RowEliminate(RationalMatrix& m, std::size_t p, std::size_t t, bool integerMode) {
    std::size_t s = p;
    while (s < m.Cols() && m.At(p, s).IsZero())
        ++s;
    if (s > m.Cols() || m.At(p, s).IsZero() || m.At(t, s).IsZero()) return;

    Fraction f = m.At(t, s) / m.At(p, s);
    f.num = ToInt32(-static_cast<std::int64_t>(f.num));
    for (std::size_t k = 1; k <= m.Cols(); ++k) {
        const Fraction pk = m.At(p, k);
        if (integerMode) {
            m.At(t, k) = MultiplyWhole(m.At(t, k), f.den) +
                         Fraction::Make(CheckedMul(pk.num, f.num), pk.den);
        } else {
            m.At(t, k) = m.At(t, k) + pk * f;
        }
    }
    if (integerMode) ReduceRow(m, t);
}

void ForwardEliminate(const RationalMatrix& src, RationalMatrix& dst, bool integerMode) {
    dst = src;
    const std::size_t rows = dst.Rows();
    const std::size_t n = std::min(rows, dst.Cols());
    std::size_t counter = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        std::size_t j = i + 1;
        while (dst.At(i, i).IsZero() && j <= rows) {
            if (!dst.At(j, i).IsZero()) dst.SwapRows(i, j);
            ++j;
        }
        if (j > rows) ++counter;
        for (std::size_t t = i + 1; t <= rows; ++t)
            RowEliminate(dst, i, t, integerMode);
        if (++counter == dst.Cols()) break;
    }
}

void GaussJordan(const RationalMatrix& src, RationalMatrix& dst) {
    ForwardEliminate(src, dst, true);
    for (std::size_t i = std::min(dst.Rows(), dst.Cols()); i >= 2; --i) {
        if (dst.At(i, i).IsZero()) continue;
        for (std::size_t j = i - 1; j >= 1; --j)
            RowEliminate(dst, i, j, true);
    }
}

void DropZeroRows(const RationalMatrix& src, RationalMatrix& dst) {
    FixedVector<std::size_t, RationalMatrix::kEntryLimit> kept;  // a row has at least one entry
    for (std::size_t i = 1; i <= src.Rows(); ++i) {
        if (!src.RowIsZero(i)) kept.push_back(i);
    }
    RationalMatrix out(kept.size(), src.Cols());
    for (std::size_t r = 0; r < kept.size(); ++r) {
        for (std::size_t k = 1; k <= src.Cols(); ++k)
            out.At(r + 1, k) = src.At(kept[r], k);
    }
    dst = std::move(out);
}

void RemoveRow(RationalMatrix& m, std::size_t row) {
    RationalMatrix out(m.Rows() - 1, m.Cols());
    for (std::size_t i = 1, r = 1; i <= m.Rows(); ++i) {
        if (i == row) continue;
        for (std::size_t k = 1; k <= m.Cols(); ++k)
            out.At(r, k) = m.At(i, k);
        ++r;
    }
    m = std::move(out);
}

}  // namespace tovel
