#include "core/text_utils.h"

#include <algorithm>

#include "core/utf8.h"

namespace tovel {

std::string IntText(std::int64_t value) {
    return std::to_string(value);
}

std::string IntTextPadded(std::int64_t value, std::size_t width) {
    std::string text = IntText(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string RepeatChar(std::string_view character, std::size_t count) {
    std::string out;
    out.reserve(character.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        out += character;
    return out;
}

std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

std::string SeparatorLine(std::size_t count) {
    return RepeatChar("\u00AD", count);
}

namespace {

std::string_view TrimAnyView(std::string_view text, std::string_view set) {
    const auto first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}

std::string TrimAny(std::string_view text, std::string_view set) {
    return std::string(TrimAnyView(text, set));
}

}  // namespace

std::string TrimBlanks(std::string_view text) {
    return TrimAny(text, " ");
}

std::string TrimWhitespace(std::string_view text) {
    return std::string(TrimWhitespaceView(text));
}

std::string_view TrimWhitespaceView(std::string_view text) {
    // Every formula parsed comes through here: plain comparisons, not a search of a set.
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string RemoveBlanks(std::string_view text) {
    std::string out(text);
    out.erase(std::remove(out.begin(), out.end(), ' '), out.end());
    return out;
}

std::size_t InsertSorted(char c, std::string& text) {
    const auto code = static_cast<unsigned char>(c);
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= code)
        ++i;
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(i), c);
    return i + 1;
}

std::size_t LastPos(std::string_view character, std::string_view text) {
    const auto chars = Utf8Chars(text);
    for (std::size_t i = chars.size(); i > 0; --i) {
        if (chars[i - 1] == character) return i;
    }
    return 0;
}

std::string ReplaceFirst(std::string_view text, std::string_view find, std::string_view with) {
    std::string out(text);
    if (find.empty()) return out;
    const auto at = out.find(find);
    if (at != std::string::npos) out.replace(at, find.size(), with);
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
    std::string out(text);
    if (find.empty()) return out;
    if (with.find(find) != std::string_view::npos) {
        std::string result;
        std::size_t from = 0;
        for (auto at = out.find(find); at != std::string::npos; at = out.find(find, from)) {
            result.append(out, from, at - from);
            result += with;
            from = at + find.size();
        }
        result.append(out, from);
        return result;
    }
    for (auto at = out.find(find); at != std::string::npos; at = out.find(find)) {
        out.replace(at, find.size(), with);
    }
    return out;
}

std::string ReverseText(std::string_view text) {
    const auto chars = Utf8Chars(text);
    std::string out;
    out.reserve(text.size());
    for (auto it = chars.rbegin(); it != chars.rend(); ++it)
        out += *it;
    return out;
}

std::string StripAccents(std::string_view text) {
    struct Mapping {
        std::string_view from;
        char to;
    };
    static constexpr Mapping kMappings[] = {
        {"À", 'a'}, {"Á", 'a'}, {"à", 'a'}, {"á", 'a'}, {"È", 'e'}, {"É", 'e'}, {"è", 'e'},
        {"é", 'e'}, {"Í", 'i'}, {"Ï", 'i'}, {"í", 'i'}, {"ï", 'i'}, {"Ò", 'o'}, {"Ó", 'o'},
        {"ò", 'o'}, {"ó", 'o'}, {"Ú", 'u'}, {"Ü", 'u'}, {"ú", 'u'}, {"ü", 'u'},
    };
    std::string out;
    out.reserve(text.size());
    for (std::string_view ch : Utf8Chars(text)) {
        const auto hit = std::find_if(std::begin(kMappings), std::end(kMappings),
                                      [&](const Mapping& m) { return m.from == ch; });
        if (hit != std::end(kMappings)) {
            out += hit->to;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string ParenthesisedPrefix(std::string_view text) {
    if (text.empty() || text.front() != '(') return {};
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return std::string(text.substr(0, i + 1));
    }
    return std::string(text);
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (auto at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, from)) {
        pieces.emplace_back(text.substr(from, at - from));
        from = at + 1;
    }
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

}  // namespace tovel
