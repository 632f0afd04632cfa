#pragma once
// The atom-count matrix of a reaction, shared by both balancing methods.

#include <cstdint>

#include "core/fixed_vector.h"
#include "core/reaction.h"

namespace tovel {

// One element's counts, a column for each substance.
using AtomCountRow = FixedVector<std::int64_t, kSubstanceLimit>;
using AtomCounts = FixedVector<AtomCountRow, kReactionElementLimit>;

// Rows are elements in order of first appearance, then the charge when any substance is an ion;
// columns substances (the reactants, then the products); reactant counts are positive and product
// counts negative.
// A formula that counts its atoms over several formulas (CaSO4·½H2O is counted as Ca2S2O9H2,
// two formulas) has its column scaled so that every column counts the same number of formulas:
// the matrix is the true one times a whole number, and has the same balances.
AtomCounts AtomCountMatrix(const Reaction& reaction);

// Columns of the atom matrix: of the pivots, or of the free coefficients.
using MatrixColumns = FixedVector<std::size_t, kSubstanceLimit>;

// The reduced row echelon form over the integers (fraction-free, each row divided by the gcd of
// its entries), rows of zeros dropped. The number of free columns is the number of independent
// balances the reaction has: 1 for a reaction with one balance up to its scale.
struct AtomEchelon {
    AtomCounts rows;
    MatrixColumns pivots;       // the pivot column of each row
    MatrixColumns freeColumns;  // the others, ascending
};

// Divides the row by the gcd of its entries when that is above 1.
void ReduceIntRow(AtomCountRow& row);

// Throws ArithmeticOverflow when the elimination's numbers do not fit 64 bits.
AtomEchelon ReduceToEchelon(AtomCounts m, std::size_t cols);

}  // namespace tovel
