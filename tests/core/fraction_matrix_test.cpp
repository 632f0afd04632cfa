#include <gtest/gtest.h>

#include <limits>

#include "core/fraction.h"
#include "core/rational_matrix.h"

namespace tovel {
namespace {

TEST(Fraction, StaysNormalised) {
    EXPECT_EQ(Fraction::Make(4, -6), (Fraction{-2, 3}));
    EXPECT_EQ(Fraction::Make(0, -5), (Fraction{0, 1}));
    EXPECT_EQ(Fraction::Make(1, 2) + Fraction::Make(1, 3), Fraction::Make(5, 6));
    EXPECT_EQ(Fraction::Make(1, 6) + Fraction::Make(1, 3), Fraction::Make(1, 2));
    EXPECT_EQ(Fraction::Make(2, 3) / Fraction::Make(4, 9), Fraction::Make(3, 2));
    EXPECT_EQ(Fraction::Make(2, 3) * Fraction::Make(-3, 4), Fraction::Make(-1, 2));
    EXPECT_EQ(MultiplyWhole(Fraction::Make(5, 6), 4), Fraction::Make(10, 3));
}

TEST(Fraction, OverflowAndDivisionByZeroThrow) {
    const auto big = Fraction::Make(std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(big + Fraction::Make(1), ArithmeticOverflow);
    EXPECT_THROW(big * Fraction::Make(2), ArithmeticOverflow);
    EXPECT_THROW(Fraction::Make(1) / Fraction::Make(0), ArithmeticOverflow);
    EXPECT_THROW(Fraction::Make(1, 0), ArithmeticOverflow);
    EXPECT_THROW(Lcm(65521, 65519), ArithmeticOverflow);
}

TEST(Fraction, SubtractsComparesAndWritesItself) {
    EXPECT_EQ(Fraction::Make(1, 2) - Fraction::Make(1, 3), Fraction::Make(1, 6));
    EXPECT_EQ(-Fraction::Make(8, 3), Fraction::Make(-8, 3));
    EXPECT_EQ(Fraction::Make(1) - Fraction::Make(1), (Fraction{0, 1}));
    EXPECT_LT(Fraction::Make(-8, 3), Fraction::Make(-5, 2));
    EXPECT_GT(Fraction::Make(2, 3), Fraction::Make(3, 5));
    EXPECT_LE(Fraction::Make(4, 6), Fraction::Make(2, 3));
    // Ordering crosses in 64 bits: the largest parts do not wrap.
    const auto max = std::numeric_limits<std::int32_t>::max();
    EXPECT_LT(Fraction::Make(max - 1, max), Fraction::Make(1));
    EXPECT_EQ(Abs(Fraction::Make(-3, 4)), Fraction::Make(3, 4));
    EXPECT_EQ(FractionText(Fraction::Make(-8, 3)), "-8/3");
    EXPECT_EQ(FractionText(Fraction::Make(6, 3)), "2");
    EXPECT_EQ(FractionText(Fraction{}), "0");
    EXPECT_TRUE(Fraction::Make(4, 2).IsWhole());
    // The one value whose negation does not fit.
    const Fraction min{std::numeric_limits<std::int32_t>::min(), 1};
    EXPECT_THROW(-min, ArithmeticOverflow);
    EXPECT_THROW(Fraction::Make(0) - min, ArithmeticOverflow);
}

TEST(IntegerHelpers, GcdAndLcm) {
    EXPECT_EQ(Gcd(12, -18), 6);
    EXPECT_EQ(Gcd(0, 7), 7);
    EXPECT_EQ(Gcd(0, 0), 0);
    EXPECT_EQ(Lcm(4, 6), 12);
    EXPECT_EQ(Lcm(-4, 6), 12);
    EXPECT_EQ(Lcm(0, 0), 0);
}

RationalMatrix FromRows(std::vector<std::vector<int>> rows) {
    RationalMatrix m(rows.size(), rows[0].size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t k = 0; k < rows[i].size(); ++k)
            m.At(i + 1, k + 1) = Fraction::Make(rows[i][k]);
    }
    return m;
}

std::vector<std::vector<int>> Numerators(const RationalMatrix& m) {
    std::vector<std::vector<int>> out(m.Rows());
    for (std::size_t i = 1; i <= m.Rows(); ++i) {
        for (std::size_t k = 1; k <= m.Cols(); ++k)
            out[i - 1].push_back(m.At(i, k).num);
    }
    return out;
}

TEST(RationalMatrix, GaussJordanOnTheSecondWorkedExample) {
    // H2O2 = H2O + O2: rows H, O.
    const RationalMatrix m = FromRows({{2, -2, 0}, {2, -1, -2}});
    RationalMatrix forward;
    ForwardEliminate(m, forward, true);
    EXPECT_EQ(Numerators(forward), (std::vector<std::vector<int>>{{2, -2, 0}, {0, 1, -2}}));
    RationalMatrix reduced;
    GaussJordan(m, reduced);
    EXPECT_EQ(Numerators(reduced), (std::vector<std::vector<int>>{{1, 0, -2}, {0, 1, -2}}));
}

TEST(RationalMatrix, AZeroPivotSwapsInTheRowBelow) {
    const RationalMatrix m = FromRows({{0, 1}, {1, 0}});
    RationalMatrix forward;
    ForwardEliminate(m, forward, true);
    EXPECT_EQ(Numerators(forward), (std::vector<std::vector<int>>{{1, 0}, {0, 1}}));
}

TEST(RationalMatrix, FractionalModeAddsAMultipleOfThePivotRow) {
    RationalMatrix m = FromRows({{2, 1}, {3, 5}});
    RowEliminate(m, 1, 2, false);
    EXPECT_EQ(m.At(2, 1), Fraction::Make(0));
    EXPECT_EQ(m.At(2, 2), Fraction::Make(7, 2));
}

TEST(RationalMatrix, DropAndRemoveRows) {
    const RationalMatrix m = FromRows({{1, 2}, {0, 0}, {3, 4}});
    RationalMatrix dropped;
    DropZeroRows(m, dropped);
    EXPECT_EQ(Numerators(dropped), (std::vector<std::vector<int>>{{1, 2}, {3, 4}}));
    RemoveRow(dropped, 1);
    EXPECT_EQ(Numerators(dropped), (std::vector<std::vector<int>>{{3, 4}}));
    EXPECT_FALSE(dropped.IsSquare());
    FillMatrix(dropped);
    EXPECT_TRUE(dropped.RowIsZero(1));
}

}  // namespace
}  // namespace tovel
