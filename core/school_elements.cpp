#include "core/school_elements.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace tovel {

bool SchoolElement::HasNumber(int n) const {
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

std::vector<SchoolElement> ReadSchoolElements(std::string_view text) {
    std::vector<SchoolElement> elements;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        SchoolElement element;
        std::string electronegativity;
        if (!(fields >> element.symbol >> electronegativity >> element.highest)) continue;
        const char* first = electronegativity.data();
        const char* last = first + electronegativity.size();
        if (std::from_chars(first, last, element.electronegativity).ptr != last) continue;
        int n = 0;
        while (fields >> n)
            element.numbers.push_back(n);
        std::sort(element.numbers.begin(), element.numbers.end());
        elements.push_back(std::move(element));
    }
    return elements;
}

const SchoolElement* FindSchoolElement(std::string_view symbol) {
    // Read once; never changed after.
    static const std::vector<SchoolElement> table = ReadSchoolElements(SchoolElementsText());
    for (const SchoolElement& element : table) {
        if (element.symbol == symbol) return &element;
    }
    return nullptr;
}

}  // namespace tovel
