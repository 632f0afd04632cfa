#pragma once
// Inorganic nomenclature as Spanish schools teach it (the IUPAC 2005 recommendations summarised
// for secondary education): every name a formula has, each by its system, and the formula of a
// name, with the reason when a name or a formula is wrong.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// The systems, by the labels a student sees.
inline constexpr const char* kCompositionNames = "composición";
inline constexpr const char* kOxidationNumberNames = "números de oxidación";
inline constexpr const char* kChargeNames = "carga";
inline constexpr const char* kTraditionalNames = "tradicional";
inline constexpr const char* kHydrogenNames = "hidrógeno";
inline constexpr const char* kAdditiveNames = "adición";
inline constexpr const char* kSubstitutiveNames = "sustitución";

struct SystemName {
    std::string system;  // one of the labels above
    std::string name;
    bool kept = true;  // false: a name textbooks use that IUPAC 2005 no longer keeps

    bool operator==(const SystemName&) const = default;
};

struct Nomenclature {
    std::string formula;  // as IUPAC 2005 writes it (O7Cl2 for a typed Cl2O7)
    std::string kind;     // "óxido", "oxoácido", "oxosal", "catión"...
    std::vector<SystemName> names;
    std::vector<std::string> notes;  // "IUPAC 2005 escribe O7Cl2, con el O delante del Cl"
    std::string error;               // when the formula has no name: why
    bool Named() const { return error.empty(); }
};

// Every name of the formula, each by its system; or why it has none (charges that add to zero
// with no oxidation number the elements have, a class the school does not name).
Nomenclature NameFormula(std::string_view typed);

struct NameReading {
    std::string formula;  // empty when the name is wrong
    std::string system;   // the system the name was read by
    std::string spelled;  // the name as it is written, where the student's accents or case differ
    bool kept = true;
    std::string error;  // why no formula: an impossible number, a misspelt word and the right one
};

// The formula of a name written as a student types it: accents and capitals as they come,
// charge numbers wherever Roman numerals go ("óxido de titanio(4+)").
NameReading FormulaOfName(std::string_view name);

// The one name a list shows beside a formula: the traditional name IUPAC 2005 keeps (ácido
// sulfúrico, agua), else the oxidation-number name (cloruro de hierro(III)), else the composition
// name; empty for a formula without names.
std::string ListName(const Nomenclature& n);

// Every formula the school's names cover: elements, binary compounds, hydroxides, acids, salts and
// ions, each once, in a fixed order (what practice draws from).
const std::vector<std::string>& NamedFormulas();

// A name folded for comparison: small letters, no accents, single blanks, charge numbers as
// Roman numerals.
std::string FoldName(std::string_view name);

// "III" for 3; empty outside 1 to 8.
std::string RomanNumeral(int n);

}  // namespace tovel
