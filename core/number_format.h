#pragma once
// Every number the program shows goes through these functions; no window formats numbers itself.
// The decimal separator is always ".", whatever the user's locale.

#include <cstddef>
#include <string>

namespace tovel {

// value with d significant figures, switching to an exponent form with "E" for small and large
// magnitudes: 0.0005 -> 5.00E-4, 0.5 -> 0.500, 22.4 -> 22.4, 1234 -> 1.23E3 (d = 3).
std::string FormatSignificant(double value, unsigned d);

// value with d significant figures as a student writes it on paper: fixed point from 0.0001 up
// to ten million (0.09998, 249.7, 6.000), FormatSignificant's exponent form beyond.
std::string FormatWorking(double value, unsigned d);

// FormatSignificant without trailing zeros in the mantissa and without a trailing point.
std::string FormatSignificantShort(double value, unsigned d);

// Fixed point with n decimals, right-aligned in at least width characters.
std::string FormatFixed(double value, std::size_t width, unsigned decimals);

// Fixed point (6 decimals below 1, otherwise n) without trailing zeros or point; values with six
// or more whole digits switch to an exponent form with "e" (123456.7 -> 1.23e5 for n = 2).
std::string FormatReal(double value, std::size_t width, unsigned decimals);

}  // namespace tovel
