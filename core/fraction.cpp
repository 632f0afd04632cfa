#include "core/fraction.h"

#include <bit>
#include <limits>
#include <utility>

namespace tovel {

namespace {

std::int64_t Abs(std::int64_t v) {
    if (v == std::numeric_limits<std::int64_t>::min()) throw ArithmeticOverflow();
    return v < 0 ? -v : v;
}

}  // namespace

// Binary gcd: shifts and subtractions instead of divisions, which balancing does very often.
std::int64_t Gcd(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
    if (a == kLowest || b == kLowest) [[unlikely]]
        throw ArithmeticOverflow();  // its absolute value does not fit
    auto x = static_cast<std::uint64_t>(a < 0 ? -a : a);
    auto y = static_cast<std::uint64_t>(b < 0 ? -b : b);
    if (x == 0) return static_cast<std::int64_t>(y);
    if (y == 0) return static_cast<std::int64_t>(x);
    const int shift = std::countr_zero(x | y);
    x >>= std::countr_zero(x);
    while (y != 0) {
        y >>= std::countr_zero(y);
        if (x > y) std::swap(x, y);
        y -= x;
    }
    return static_cast<std::int64_t>(x << shift);
}

std::int32_t Lcm(std::int32_t a, std::int32_t b) {
    const std::int64_t g = Gcd(a, b);
    if (g == 0) return 0;
    return ToInt32(CheckedMul(Abs(a) / g, Abs(b)));
}

Fraction MakeReduced(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 1) return Fraction{ToInt32(numerator), 1};
    if (denominator == 0) throw ArithmeticOverflow();
    if (numerator == 0) return Fraction{0, 1};
    const std::int64_t g = Gcd(numerator, denominator);
    numerator /= g;
    denominator /= g;
    if (denominator < 0) {
        numerator = CheckedMul(numerator, -1);
        denominator = CheckedMul(denominator, -1);
    }
    return Fraction{ToInt32(numerator), ToInt32(denominator)};
}

Fraction AddFractions(Fraction a, Fraction b) {
    const std::int64_t g = Gcd(a.den, b.den);
    const std::int64_t l = CheckedMul(a.den / g, b.den);
    return Fraction::Make(CheckedAdd(CheckedMul(a.num, l / a.den), CheckedMul(b.num, l / b.den)),
                          l);
}

Fraction operator-(Fraction a) {
    return Fraction{ToInt32(-static_cast<std::int64_t>(a.num)), a.den};
}

Fraction operator-(Fraction a, Fraction b) {
    return a + -b;
}

std::strong_ordering operator<=>(Fraction a, Fraction b) {
    return static_cast<std::int64_t>(a.num) * b.den <=> static_cast<std::int64_t>(b.num) * a.den;
}

Fraction Abs(Fraction a) {
    return a.num < 0 ? -a : a;
}

std::string FractionText(Fraction a) {
    std::string text = std::to_string(a.num);
    if (a.den != 1) text += "/" + std::to_string(a.den);
    return text;
}

Fraction MultiplyFractions(Fraction a, Fraction b) {
    return Fraction::Make(CheckedMul(a.num, b.num), CheckedMul(a.den, b.den));
}

Fraction operator/(Fraction a, Fraction b) {
    if (b.num == 0) throw ArithmeticOverflow();
    return Fraction::Make(CheckedMul(a.num, b.den), CheckedMul(a.den, b.num));
}

Fraction MultiplyWholeReduced(Fraction a, std::int64_t k) {
    const std::int64_t g = Gcd(k, a.den);
    if (g == 0) return Fraction{0, 1};
    return Fraction::Make(CheckedMul(a.num, k / g), a.den / g);
}

}  // namespace tovel
