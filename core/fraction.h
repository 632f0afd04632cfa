#pragma once
// Exact rational numbers for balancing. Every result is checked: a value that does not fit the
// 32-bit numerator or denominator, or a division by zero, throws ArithmeticOverflow instead of
// wrapping, so a balance is never computed from a wrapped number.

#include <compare>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace tovel {

struct ArithmeticOverflow : std::overflow_error {
    ArithmeticOverflow() : std::overflow_error("arithmetic overflow in balancing") {}
};

// Greatest common divisor of the absolute values; Gcd(0, 0) is 0.
std::int64_t Gcd(std::int64_t a, std::int64_t b);
// |a| / gcd(a, b) * |b|; 0 when either is 0. Throws when the result exceeds 32 bits.
std::int32_t Lcm(std::int32_t a, std::int32_t b);

// Normalised after every operation: 0 is 0/1, otherwise numerator and denominator are coprime and
// the denominator is positive.
struct Fraction {
    std::int32_t num = 0;
    std::int32_t den = 1;

    static inline Fraction Make(std::int64_t numerator, std::int64_t denominator = 1);
    bool IsZero() const { return num == 0; }
    bool IsWhole() const { return den == 1; }
    bool operator==(const Fraction&) const = default;
};

inline Fraction operator+(Fraction a, Fraction b);  // by the lcm of the denominators
Fraction operator-(Fraction a);
Fraction operator-(Fraction a, Fraction b);
inline Fraction operator*(Fraction a, Fraction b);
Fraction operator/(Fraction a, Fraction b);
// Exact: cross products in 64 bits never overflow for 32-bit parts.
std::strong_ordering operator<=>(Fraction a, Fraction b);
Fraction Abs(Fraction a);
// "3", "-8/3": the numerator, and "/" with the denominator when it is not 1.
std::string FractionText(Fraction a);
// Product with a whole number, reducing by gcd(k, denominator) first.
inline Fraction MultiplyWhole(Fraction a, std::int64_t k);

// Checked 64-bit helpers shared by the balancing code; inline, as they sit in its inner loops.
inline std::int64_t CheckedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

inline std::int64_t CheckedMul(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

inline std::int32_t ToInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw ArithmeticOverflow();
    }
    return static_cast<std::int32_t>(value);
}

// Balancing mostly works on whole numbers (the classic procedure's integer mode never leaves
// them): the short way for denominators of 1 is inline, the general case out of line.
Fraction MakeReduced(std::int64_t numerator, std::int64_t denominator);
Fraction AddFractions(Fraction a, Fraction b);
Fraction MultiplyFractions(Fraction a, Fraction b);
Fraction MultiplyWholeReduced(Fraction a, std::int64_t k);

inline Fraction Fraction::Make(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 1) return Fraction{ToInt32(numerator), 1};
    return MakeReduced(numerator, denominator);
}

inline Fraction operator+(Fraction a, Fraction b) {
    if (a.den == 1 && b.den == 1) return Fraction{ToInt32(CheckedAdd(a.num, b.num)), 1};
    return AddFractions(a, b);
}

inline Fraction operator*(Fraction a, Fraction b) {
    if (a.den == 1 && b.den == 1) return Fraction{ToInt32(CheckedMul(a.num, b.num)), 1};
    return MultiplyFractions(a, b);
}

inline Fraction MultiplyWhole(Fraction a, std::int64_t k) {
    // gcd(k, 1) is 1 for every k but the one whose absolute value does not fit.
    if (a.den == 1 && k != std::numeric_limits<std::int64_t>::min())
        return Fraction{ToInt32(CheckedMul(a.num, k)), 1};
    return MultiplyWholeReduced(a, k);
}

}  // namespace tovel
