// Round values as a sheet draws them: exact to the last bit, because a sheet is made again from
// its seed on any machine, and of the sizes and figures asked for.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "exercises/round_values.h"
#include "exercises/seeded_random.h"

namespace tovel {
namespace {

TEST(RoundSignificant, GivesTheDoubleOfTheRoundedDecimal) {
    // Each result is the double nearest the rounded decimal, compared bit for bit: 0.3 is
    // 3 / 10, not 3 x 0.1, so scaling down by multiplying with 0.1, 0.01... would miss it.
    EXPECT_EQ(RoundSignificant(0.31, 1), 0.3);
    EXPECT_EQ(RoundSignificant(0.012345, 2), 0.012);
    EXPECT_EQ(RoundSignificant(123456, 3), 123000);
    EXPECT_EQ(RoundSignificant(4.56789, 3), 4.57);
    EXPECT_EQ(RoundSignificant(0.000123456, 2), 0.00012);

    // Exact powers of ten come back unchanged; a carry moves into the next decade.
    EXPECT_EQ(RoundSignificant(1000, 2), 1000);
    EXPECT_EQ(RoundSignificant(0.001, 1), 0.001);
    EXPECT_EQ(RoundSignificant(1, 3), 1);
    EXPECT_EQ(RoundSignificant(99.96, 3), 100);
    EXPECT_EQ(RoundSignificant(0.09996, 2), 0.1);

    // Halves go away from zero.
    EXPECT_EQ(RoundSignificant(2.5, 1), 3);
    EXPECT_EQ(RoundSignificant(0.125, 2), 0.13);

    // Zero, negative and non-finite values come back as they are.
    EXPECT_EQ(RoundSignificant(0, 2), 0);
    EXPECT_EQ(RoundSignificant(-4.567, 2), -4.567);
    EXPECT_EQ(RoundSignificant(std::numeric_limits<double>::infinity(), 2),
              std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(RoundSignificant(std::nan(""), 2)));
}

// The decade of value's first digit: 0 for 1 to 9.99, -1 for 0.1 to 0.999.
int Decade(double value) {
    return static_cast<int>(std::floor(std::log10(value) + 1e-12));
}

TEST(RoundValue, DrawsRoundValuesDecadeByDecade) {
    const ValueRange ranges[] = {{1, 500, 0, 2}, {0.1, 10, -1, 1}, {0.5, 5, -1, 0}};
    SeededRandom random(20240611);
    for (const ValueRange& range : ranges) {
        for (const int digits : {2, 3}) {
            SCOPED_TRACE(std::to_string(range.low) + " to " + std::to_string(range.high) + ", " +
                         std::to_string(digits) + " figures");
            std::map<int, int> decades;
            for (int i = 0; i < 600; ++i) {
                const double value = RoundValue(random, range, digits);
                ASSERT_TRUE(InRange(value, range)) << value;
                // Already round to the last bit: rounding it again changes nothing.
                ASSERT_EQ(RoundSignificant(value, digits), value);
                const int decade = Decade(value);
                ASSERT_TRUE(decade >= range.lowDecade && decade <= range.highDecade) << value;
                ++decades[decade];
            }
            // A school problem gives 3 g as well as 300 g: a value drawn evenly over the range
            // would lie in its lowest decade about one time in ten.
            EXPECT_GT(decades[range.lowDecade], 150);
        }
    }

    // Without a number of figures, two and three both come out.
    std::set<bool> threeFigures;
    for (int i = 0; i < 200; ++i) {
        const double value = RoundValue(random, ranges[0]);
        ASSERT_TRUE(InRange(value, ranges[0])) << value;
        ASSERT_EQ(RoundSignificant(value, 3), value);
        threeFigures.insert(RoundSignificant(value, 2) != value);
    }
    EXPECT_EQ(threeFigures.size(), 2u);

    // A range no round value of the figures falls in gives its low end.
    EXPECT_EQ(RoundValue(random, {7.5, 7.6, 0, 0}, 1), 7.5);
}

}  // namespace
}  // namespace tovel
