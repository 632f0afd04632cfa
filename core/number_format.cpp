#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/text_utils.h"

namespace tovel {

namespace {

// The magnitude as a digit string of at least 15 digits and a decimal exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits DecimalDigits(double magnitude, std::size_t minDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    Digits result;
    const std::string text(buffer);
    const auto e = text.find('e');
    result.digits = text.substr(0, 1);
    result.digits.append(text, 2, e - 2);
    result.exponent = magnitude == 0.0 ? 0 : std::atoi(text.c_str() + e + 1);
    if (result.digits.size() < minDigits)
        result.digits.append(minDigits - result.digits.size(), '0');
    return result;
}

std::string WithPointAfter(const std::string& digits, std::size_t count) {
    std::string text = digits;
    text.insert(count, 1, '.');
    return text;
}

// Fixed point with the given decimals, padded with blanks on the left to width; "." whatever
// the locale.
std::string FixedText(double value, std::size_t width, unsigned decimals) {
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                      static_cast<int>(std::min(decimals, 100u)));
    std::string text(buffer, result.ptr);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string ZeroPoint(const std::string& digits) {
    std::string text = "0.";
    text += digits;
    return text;
}

}  // namespace

std::string FormatWorking(double value, unsigned d) {
    if (d == 0) d = 1;
    const double magnitude = std::fabs(value);
    if (!std::isfinite(value) || magnitude < 1e-4 || magnitude >= 1e7)
        return FormatSignificant(value, d);
    if (value == 0) return "0";
    // Rounded first, so that 9.9996 to four figures is 10.00 and not 10.000.
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const double scale = std::pow(10.0, static_cast<int>(d) - 1 - exponent);
    const double rounded = std::round(value * scale) / scale;
    const int roundedExponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = std::max(0, static_cast<int>(d) - 1 - roundedExponent);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    return text;
}

std::string FormatSignificant(double value, unsigned d) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (d == 0) d = 1;

    const std::string sign = value < 0 ? "-" : " ";
    Digits split = DecimalDigits(std::fabs(value), std::max<std::size_t>(15, d + 2));
    std::string& D = split.digits;
    int e = split.exponent;

    // Round at digit d, carrying to the left.
    bool overflow = false;
    if (D[d] >= '5') {
        std::size_t pos = d;
        while (true) {
            --pos;
            if (D[pos] == '9') {
                D[pos] = '0';
                if (pos == 0) {
                    overflow = true;
                    break;
                }
            } else {
                ++D[pos];
                break;
            }
        }
    }
    for (std::size_t i = d; i < D.size(); ++i)
        D[i] = '0';
    if (overflow) D.insert(D.begin(), '1');

    const int sd = static_cast<int>(d);
    std::string text;
    if (e < -324 || e > 308) {
        text = D;
    } else if (e <= -3 || e > sd - 1) {  // written with an exponent
        text = WithPointAfter(D, 1);
        if (overflow) ++e;
    } else if (e == -2) {
        if (overflow) {
            text = ZeroPoint(D);
            e = 0;
        } else {
            text = WithPointAfter(D, 1);
        }
    } else if (e == -1) {
        text = overflow ? WithPointAfter(D, 1) : ZeroPoint(D);
        e = 0;
    } else if (e == 0) {
        text = WithPointAfter(D, overflow ? 2 : 1);
    } else if (e == sd - 1) {
        if (overflow) {
            text = WithPointAfter(D, 1);
            ++e;
        } else {
            text = D;
            e = 0;
        }
    } else {
        if (!overflow) {
            text = WithPointAfter(D, static_cast<std::size_t>(e) + 1);
        } else if (e + 2 < sd) {
            text = WithPointAfter(D, static_cast<std::size_t>(e) + 2);
        } else {
            text = D;
        }
        e = 0;
    }

    std::size_t keep = d;
    if (text.find('.') != std::string::npos) ++keep;
    if (text.front() == '0') ++keep;
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on string + temporary string.
    std::string result = sign;
    result.append(text, 0, keep);
    if (e != 0) {
        result += 'E';
        result += IntText(e);
    }
    return TrimBlanks(result);
}

std::string FormatSignificantShort(double value, unsigned d) {
    std::string text = FormatSignificant(value, d);
    if (text.find('.') == std::string::npos) return text;
    const auto e = text.find('E');
    std::string mantissa = text.substr(0, e);
    const std::string exponent = e == std::string::npos ? "" : text.substr(e);
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    return mantissa + exponent;
}

std::string FormatFixed(double value, std::size_t width, unsigned decimals) {
    return FixedText(value, width, decimals);
}

std::string FormatReal(double value, std::size_t width, unsigned decimals) {
    if (!std::isfinite(value)) return FormatSignificant(value, 3);
    std::string text = FixedText(value, width, std::fabs(value) < 1 ? 6 : decimals);
    const auto point = text.find('.');
    if (point == std::string::npos) return text;
    while (text.back() == '0')
        text.pop_back();

    // Whole digits are counted after the padding and the sign, so a wide field or a negative
    // value cannot push an ordinary number into the exponent form.
    const auto first = text.find_first_not_of(" -");
    const std::size_t wholeDigits = point - first;
    if (wholeDigits >= 6) {
        const std::string sign = value < 0 ? "-" : "";
        std::string digits = text.substr(first, wholeDigits);
        digits.append(text, point + 1);
        std::string mantissa = digits.substr(0, 1);
        mantissa += '.';
        mantissa.append(digits, 1);
        std::string result = sign;
        result.append(mantissa, 0, decimals + 2);
        result += 'e';
        result += IntText(static_cast<long>(wholeDigits) - 1);
        return result;
    }
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace tovel
