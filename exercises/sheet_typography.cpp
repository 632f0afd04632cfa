#include "exercises/sheet_typography.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/text_utils.h"

namespace tovel {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Blanks single, none at the end or before a stop; an indentation stays.
std::string Tidy(std::string_view text) {
    const std::size_t indent = std::min(text.find_first_not_of(' '), text.size());
    std::string tidy(indent, ' ');
    for (const char c : text.substr(indent)) {
        if (c == ' ' && (tidy.size() == indent || tidy.back() == ' ')) continue;
        if ((c == '.' || c == ',' || c == ';' || c == ':') && tidy.size() > indent &&
            tidy.back() == ' ')
            tidy.pop_back();
        tidy += c;
    }
    while (!tidy.empty() && tidy.back() == ' ')
        tidy.pop_back();
    return tidy;
}

// A unit written against its number ("1.86mol", "159.6g/mol", "373K", "74%") is set apart from
// it, as print does. A unit is followed by no letter, so that "Li" or "Kr" never reads as one.
std::string SpaceUnits(const std::string& text) {
    static const char* const kUnits[] = {"g/mol", "L/mol", "mol/L", "mol", "ml", "mmHg",
                                         "atm",   "kPa",   "g",     "L",   "K",  "%"};
    std::string spaced;
    for (std::size_t i = 0; i < text.size(); ++i) {
        spaced += text[i];
        if (!IsDigit(text[i]) || i + 1 >= text.size()) continue;
        for (const char* unit : kUnits) {
            const std::string_view u(unit);
            const std::size_t end = i + 1 + u.size();
            if (text.compare(i + 1, u.size(), u) != 0) continue;
            if (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) continue;
            // Digits after a letter are a formula's counts ("K2", "O2"), never an amount.
            std::size_t start = i;
            while (start > 0 &&
                   (IsDigit(text[start - 1]) || text[start - 1] == '.' || text[start - 1] == ','))
                --start;
            // An exponent's E follows a number's digits ("1.38E3g"); a formula's letters do not.
            const bool exponent = start > 1 && text[start - 1] == 'E' && IsDigit(text[start - 2]);
            if (start > 0 && std::isalpha(static_cast<unsigned char>(text[start - 1])) &&
                text[start - 1] != 'x' && !exponent)
                break;
            spaced += ' ';
            break;
        }
    }
    return spaced;
}

// The times sign of the working set apart from a number it touches: "x75/100" and "0.992x 32"
// are "x 75/100" and "0.992 x 32".
std::string SpaceTimes(const std::string& text) {
    std::string spaced;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool times = text[i] == 'x' &&
                           (i == 0 || text[i - 1] == ' ' || IsDigit(text[i - 1])) &&
                           (i + 1 == text.size() || text[i + 1] == ' ' || IsDigit(text[i + 1]));
        if (times && i > 0 && IsDigit(text[i - 1])) spaced += ' ';
        spaced += text[i];
        if (times && i + 1 < text.size() && IsDigit(text[i + 1])) spaced += ' ';
    }
    return spaced;
}

const char* const kSuperscriptDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

}  // namespace

std::string PrintedProse(std::string_view line) {
    std::vector<std::string> words = SplitAt(
        SpaceUnits(Tidy(line.substr(std::min(line.find_first_not_of(' '), line.size())))), ' ');
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        // After a number "mol" is the unit of an amount; elsewhere it names the quantity asked.
        const bool amount = i > 0 && !words[i - 1].empty() && IsDigit(words[i - 1].back());
        if (words[i] == "mol" && words[i + 1] == "de" && !amount) words[i] = "moles";
    }
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

std::string PrintedWorking(std::string_view line) {
    std::string text;
    std::size_t from = 0;
    while (true) {
        const std::size_t tab = line.find('\t', from);
        const std::string_view cell =
            line.substr(from, tab == std::string_view::npos ? tab : tab - from);
        text += SpaceTimes(SpaceUnits(Tidy(cell)));
        if (tab == std::string_view::npos) break;
        text += '\t';
        from = tab + 1;
    }
    return text;
}

std::string SpanishNumbers(std::string_view line, bool plain) {
    std::string text;
    std::size_t i = 0;
    while (i < line.size()) {
        const char previous = i > 0 ? line[i - 1] : ' ';
        // "x" is the times sign of the working ("x85.5/100"); no element's symbol has it.
        const bool letter = std::isalnum(static_cast<unsigned char>(previous)) && previous != 'x';
        const bool start = IsDigit(line[i]) && !letter && previous != ')' && previous != ']' &&
                           previous != '.' && previous != '^' && previous != '_';
        if (!start) {
            text += line[i++];
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && IsDigit(line[end]))
            ++end;
        std::string number(line.substr(i, end - i));
        if (end + 1 < line.size() && line[end] == '.' && IsDigit(line[end + 1])) {
            number += ',';
            ++end;
            while (end < line.size() && IsDigit(line[end]))
                number += line[end++];
        }
        // An exponent: E, a sign perhaps, and digits.
        std::size_t digits = end + 1;
        if (digits < line.size() && (line[digits] == '-' || line[digits] == '+')) ++digits;
        if (end < line.size() && line[end] == 'E' && digits < line.size() &&
            IsDigit(line[digits])) {
            number += plain ? "·10^" : "·10";
            if (line[end + 1] == '-') number += plain ? "-" : "⁻";
            std::size_t k = digits;
            while (k < line.size() && line[k] == '0' && k + 1 < line.size() && IsDigit(line[k + 1]))
                ++k;
            for (; k < line.size() && IsDigit(line[k]); ++k)
                number += plain ? std::string(1, line[k]) : kSuperscriptDigits[line[k] - '0'];
            end = k;
        }
        text += number;
        i = end;
    }
    return text;
}

SheetText PrintedSheet(const SheetText& text, SheetNumbers numbers) {
    SheetText printed = text;
    const auto written = [&](const std::string& line) {
        return numbers == SheetNumbers::Point
                   ? line
                   : SpanishNumbers(line, numbers == SheetNumbers::SpanishPlain);
    };
    printed.title = written(Tidy(text.title));
    for (auto& block : printed.statements) {
        for (std::string& line : block)
            line = written(PrintedProse(line));
    }
    for (auto& block : printed.resolutions) {
        for (std::string& line : block)
            line = written(PrintedWorking(line));
    }
    for (auto& answers : printed.answers) {
        for (SheetAnswer& answer : answers)
            answer.label = written(PrintedProse(answer.label));
    }
    return printed;
}

}  // namespace tovel
