#pragma once
// The elements as school chemistry uses them (data/school/elements.txt, built into the program):
// electronegativity, the highest oxidation number, the oxidation numbers school tables give.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

struct SchoolElement {
    std::string symbol;
    double electronegativity = 0.0;  // Pauling
    int highest = 0;                 // the group's highest oxidation number
    std::vector<int> numbers;        // ascending: the negative one first, where there is one
    bool HasNumber(int n) const;
    // The negative number of a non-metal (Cl -1, S -2, N -3); 0 for an element without one.
    int Negative() const { return !numbers.empty() && numbers.front() < 0 ? numbers.front() : 0; }
};

// The text of data/school/elements.txt.
std::string_view SchoolElementsText();

// Reads that text's format: one element a line, "#" comments; lines that do not read are skipped.
std::vector<SchoolElement> ReadSchoolElements(std::string_view text);

// The built-in table's element, or nullptr for one it lacks.
const SchoolElement* FindSchoolElement(std::string_view symbol);

}  // namespace tovel
