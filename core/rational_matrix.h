#pragma once
// Exact matrices for balancing and the eliminations that reduce them. Rows and columns are
// numbered from 1. The matrix is as large as the reaction needs, within the atom-count matrix of
// the largest reaction (kReactionElementLimit rows of kSubstanceLimit), and holds its entries
// itself: a larger one throws std::length_error.

#include <cstddef>

#include "core/fixed_vector.h"
#include "core/fraction.h"
#include "core/reaction.h"

namespace tovel {

class RationalMatrix {
  public:
    static constexpr std::size_t kEntryLimit = kReactionElementLimit * kSubstanceLimit;

    RationalMatrix() = default;
    RationalMatrix(std::size_t rows, std::size_t cols);

    std::size_t Rows() const { return m_rows; }
    std::size_t Cols() const { return m_cols; }
    bool IsSquare() const { return m_rows == m_cols; }

    Fraction& At(std::size_t row, std::size_t col) { return m_entries[Index(row, col)]; }
    const Fraction& At(std::size_t row, std::size_t col) const {
        return m_entries[Index(row, col)];
    }

    void SwapRows(std::size_t a, std::size_t b);
    bool RowIsZero(std::size_t row) const;

  private:
    std::size_t Index(std::size_t row, std::size_t col) const {
        return (row - 1) * m_cols + (col - 1);
    }

    std::size_t m_rows = 0;
    std::size_t m_cols = 0;
    FixedVector<Fraction, kEntryLimit> m_entries;
};

// Every entry becomes 0/1.
void FillMatrix(RationalMatrix& m);

// Clears one column of row t with pivot row p: the column is the first from column p on where row
// p is not zero. In integer mode row t becomes f.den * row t + f.num * row p, where
// -f = m[t][s] / m[p][s] in lowest terms, and is then reduced (ReduceRow); in fractional mode
// row t := row t + f * row p.
void RowEliminate(RationalMatrix& m, std::size_t p, std::size_t t, bool integerMode);

// Divides every numerator of the row by their gcd when it is above 1.
void ReduceRow(RationalMatrix& m, std::size_t row);

void ForwardEliminate(const RationalMatrix& src, RationalMatrix& dst, bool integerMode);
// Forward elimination in integer mode, then elimination upwards from the last diagonal entry.
void GaussJordan(const RationalMatrix& src, RationalMatrix& dst);
// dst := src without its rows of zeros.
void DropZeroRows(const RationalMatrix& src, RationalMatrix& dst);
void RemoveRow(RationalMatrix& m, std::size_t row);

}  // namespace tovel
