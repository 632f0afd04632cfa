#include "exercises/round_values.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tovel {

namespace {

// Exact powers of ten: every one up to 1e22 is a double, so no power function (whose last bit
// may differ between libraries) decides a drawn value.
double PowerOfTen(int exponent) {
    double power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    return power;
}
// value x 10^exponent, rounded once.
double Scaled(double value, int exponent) {
    return exponent >= 0 ? value * PowerOfTen(exponent) : value / PowerOfTen(-exponent);
}

}  // namespace

double RoundSignificant(double value, int digits) {
    if (!(value > 0) || !std::isfinite(value)) return value;
    int exponent = 0;
    while (Scaled(1, exponent + 1) <= value)
        ++exponent;
    while (Scaled(1, exponent) > value)
        --exponent;
    const int shift = exponent - digits + 1;
    return Scaled(static_cast<double>(std::llround(Scaled(value, -shift))), shift);
}

bool InRange(double value, const ValueRange& range) {
    return value >= range.low && value <= range.high;
}

double RoundValue(SeededRandom& random, const ValueRange& range, int digits) {
    const auto smallest = static_cast<std::int64_t>(PowerOfTen(digits - 1));
    for (int attempt = 0; attempt < 64; ++attempt) {
        const auto decade = static_cast<int>(random.Between(range.lowDecade, range.highDecade));
        const std::int64_t mantissa = random.Between(smallest, 10 * smallest - 1);
        const double value = Scaled(static_cast<double>(mantissa), decade - digits + 1);
        if (value >= range.low && value <= range.high) return value;
    }
    return range.low;
}

double RoundValue(SeededRandom& random, const ValueRange& range) {
    return RoundValue(random, range, static_cast<int>(random.Between(2, 3)));
}

}  // namespace tovel
