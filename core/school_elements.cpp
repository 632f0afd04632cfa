#include "core/school_elements.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tovel {

bool SchoolElement::HasNumber(int n) const {
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

namespace {

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

template <class Number>
bool ReadWord(std::string_view word, Number& value) {
    // from_chars reads no "+"; the school numbers are written with their sign.
    if (!word.empty() && word[0] == '+') word.remove_prefix(1);
    const char* last = word.data() + word.size();
    return !word.empty() && std::from_chars(word.data(), last, value).ptr == last;
}

}  // namespace

std::vector<SchoolElement> ReadSchoolElements(std::string_view text) {
    std::vector<SchoolElement> elements;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string_view> words = Words(line);
        SchoolElement element;
        if (words.size() < 3 || !ReadWord(words[1], element.electronegativity) ||
            !ReadWord(words[2], element.highest))
            continue;
        element.symbol = std::string(words[0]);
        bool numbers = true;
        for (std::size_t w = 3; w < words.size() && numbers; ++w) {
            int n = 0;
            numbers = ReadWord(words[w], n);
            element.numbers.push_back(n);
        }
        if (!numbers) continue;
        std::sort(element.numbers.begin(), element.numbers.end());
        elements.push_back(std::move(element));
    }
    return elements;
}

namespace {

// A symbol's place in a direct index: its capital letter, and its small letter or none.
int SymbolIndex(std::string_view symbol) {
    if (symbol.empty() || symbol.size() > 2 || symbol[0] < 'A' || symbol[0] > 'Z') return -1;
    const int second = symbol.size() == 2 ? symbol[1] - 'a' + 1 : 0;
    if (second < 0 || second > 26) return -1;
    return (symbol[0] - 'A') * 27 + second;
}

// A capital letter, then none or one of 26 small letters.
constexpr std::size_t kSymbolPlaces = std::size_t{26} * 27;

struct SchoolTable {
    std::vector<SchoolElement> elements;
    std::array<int, kSymbolPlaces> index{};  // 1 + the element's place; 0 for none
};

SchoolTable MakeTable() {
    SchoolTable table;
    table.elements = ReadSchoolElements(SchoolElementsText());
    for (std::size_t i = 0; i < table.elements.size(); ++i) {
        const int at = SymbolIndex(table.elements[i].symbol);
        if (at >= 0) table.index[static_cast<std::size_t>(at)] = static_cast<int>(i) + 1;
    }
    return table;
}

}  // namespace

const SchoolElement* FindSchoolElement(std::string_view symbol) {
    // Read once; never changed after. Oxidation numbers ask for every element of every formula.
    static const SchoolTable table = MakeTable();
    const int at = SymbolIndex(symbol);
    if (at < 0) return nullptr;
    const int place = table.index[static_cast<std::size_t>(at)];
    return place == 0 ? nullptr : &table.elements[static_cast<std::size_t>(place - 1)];
}

}  // namespace tovel
