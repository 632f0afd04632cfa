#include "core/control_text.h"

#include <charconv>
#include <cmath>

#include "core/text_utils.h"

namespace tovel {

namespace {

// from_chars knows no leading "+"; a typed "+2" is still a number.
std::string WithoutPlus(std::string text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.erase(0, 1);
    return text;
}

}  // namespace

double ReadReal(std::string_view text, int& error) {
    std::string trimmed = WithoutPlus(TrimBlanks(text));
    // In Spain "1,04" is how a number is written: one comma, and no point, is the decimal mark.
    if (const auto comma = trimmed.find(','); comma != std::string::npos &&
                                              trimmed.find('.') == std::string::npos &&
                                              trimmed.find(',', comma + 1) == std::string::npos) {
        trimmed[comma] = '.';
    }
    error = 0;
    if (trimmed.empty()) return 0.0;
    double value = 0.0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [ptr, ec] = std::from_chars(trimmed.data(), end, value);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        error = 1;
        return 0.0;
    }
    return value;
}

long long ReadInteger(std::string_view text, int& error) {
    const std::string trimmed = WithoutPlus(TrimBlanks(text));
    error = 0;
    if (trimmed.empty()) return 0;
    long long value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [ptr, ec] = std::from_chars(trimmed.data(), end, value);
    if (ec != std::errc{} || ptr != end) {
        error = 1;
        return 0;
    }
    return value;
}

std::vector<std::string> SplitItems(std::string_view list) {
    std::vector<std::string> items;
    for (auto& item : SplitAt(list, ';')) {
        if (!item.empty()) items.push_back(std::move(item));
    }
    return items;
}

}  // namespace tovel
