#pragma once
// Sheets of nomenclature exercises: formulas to name and names to formulate, of the classes
// chosen, drawn from a seed so that the same sheet can be made again, with their key.

#include <cstdint>
#include <string>
#include <vector>

#include "exercises/sheet_text.h"

namespace tovel {

struct NameSheetChoices {
    int count = 20;
    bool formulaToName = true;         // "Nombra Fe2(SO4)3."
    bool nameToFormula = true;         // "Escribe la fórmula de: sulfato de hierro(III)."
    std::vector<std::size_t> classes;  // indexes of PracticeClasses(); empty is all
    std::uint32_t seed = 1;
    std::string title;  // empty is kNameSheetTitle
};

constexpr const char* kNameSheetTitle = "Hoja de formulación inorgánica";

// The keys --clases takes, one per practice class, in their order.
const std::vector<std::string>& NameClassKeys();

SheetText DrawNameSheet(const NameSheetChoices& choices);

}  // namespace tovel
