#include "core/fraction.h"

#include <limits>

namespace tovel {

std::int64_t CheckedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

std::int64_t CheckedMul(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

std::int32_t ToInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw ArithmeticOverflow();
    }
    return static_cast<std::int32_t>(value);
}

namespace {

std::int64_t Abs(std::int64_t v) {
    if (v == std::numeric_limits<std::int64_t>::min()) throw ArithmeticOverflow();
    return v < 0 ? -v : v;
}

}  // namespace

std::int64_t Gcd(std::int64_t a, std::int64_t b) {
    a = Abs(a);
    b = Abs(b);
    while (b != 0) {
        const std::int64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

std::int32_t Lcm(std::int32_t a, std::int32_t b) {
    const std::int64_t g = Gcd(a, b);
    if (g == 0) return 0;
    return ToInt32(CheckedMul(Abs(a) / g, Abs(b)));
}

Fraction Fraction::Make(std::int64_t numerator, std::int64_t denominator) {
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

Fraction operator+(Fraction a, Fraction b) {
    const std::int64_t g = Gcd(a.den, b.den);
    const std::int64_t l = CheckedMul(a.den / g, b.den);
    return Fraction::Make(CheckedAdd(CheckedMul(a.num, l / a.den), CheckedMul(b.num, l / b.den)),
                          l);
}

Fraction operator*(Fraction a, Fraction b) {
    return Fraction::Make(CheckedMul(a.num, b.num), CheckedMul(a.den, b.den));
}

Fraction operator/(Fraction a, Fraction b) {
    if (b.num == 0) throw ArithmeticOverflow();
    return Fraction::Make(CheckedMul(a.num, b.den), CheckedMul(a.den, b.num));
}

Fraction MultiplyWhole(Fraction a, std::int64_t k) {
    const std::int64_t g = Gcd(k, a.den);
    if (g == 0) return Fraction{0, 1};
    return Fraction::Make(CheckedMul(a.num, k / g), a.den / g);
}

}  // namespace tovel
