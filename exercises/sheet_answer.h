#pragma once
// What one exercise of a sheet asks, with the answer its key gives: a quantity in its unit, or
// the texts accepted for a formula or a name. A virtual classroom checks a student's answers
// against these.

#include <string>
#include <vector>

namespace tovel {

struct SheetAnswer {
    std::string label;  // what is asked, as the statement says it: "g de CaCl2 obtenidos"
    double value = 0;   // the key's number, as the key prints it
    std::string unit;   // "g", "mol", "%"; empty for a count
    // For an answer in words or a formula, every form accepted; empty for a quantity.
    std::vector<std::string> accepted;
    bool caseMatters = false;  // a formula's letters, not a name's
    bool exact = false;        // a coefficient: no tolerance

    bool IsText() const { return !accepted.empty(); }
};

}  // namespace tovel
