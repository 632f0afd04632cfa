#pragma once
// Chemical formulas: from the text a user types (H2SO4, Ca3(PO4)2) to the element composition
// that every calculation works on.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "core/fixed_vector.h"

namespace tovel {

class UserPort;

constexpr std::size_t kFormulaLimit = 64;                // characters of formula text
constexpr std::size_t kFormulaSymbolLimit = 20;          // element symbols written in one formula
constexpr std::uint32_t kCountLimit = kSixteenBitLimit;  // atoms of one element in one formula

struct FormulaEntry {
    ElementRecord element;  // number and mass come from the element table; the name stays empty
    std::uint16_t count = 1;

    bool operator==(const FormulaEntry&) const = default;
};

// One per element of a formula: never more than the symbols it may write.
using FormulaEntries = FixedVector<FormulaEntry, kFormulaSymbolLimit>;

// The electron of half-reactions, written e^-: no atoms, charge -1.
constexpr double kElectronMolarMass = 5.486e-4;
// The middle dot that joins the components of a hydrate (CuSO4·5H2O); "*" and "." are read as it.
constexpr const char* kHydrateDot = "\u00b7";

struct Substance {
    std::string formula;  // as typed, trimmed, the components of a hydrate joined by the middle dot
    double molarMass = 0.0;  // grams per mole
    FormulaEntries entries;  // in order of first appearance, one per element, all components summed
    int charge = 0;          // of an ion (Fe^3+ is 3, SO4^2- is -2, e^- is -1)
    // The entries count the atoms of this many formulas: 2 for CaSO4·½H2O (Ca2S2O9H2), so that
    // counts stay whole; 1 for every other formula.
    std::uint16_t formulas = 1;

    bool operator==(const Substance&) const = default;
};

enum class FormulaError {
    None,
    Empty,           // nothing but blanks: refused without a message
    WrongCharacter,  // outside the grammar, a digit first, a misplaced small letter
    TooManySymbols,  // more than kFormulaSymbolLimit symbols written
    TooLong,         // more than kFormulaLimit characters
    CountTooLarge,   // an atom count above kCountLimit
    BadCharge,       // a charge written wrong: no sign, two signs, nothing before "^"
    BadHydrate,      // a hydrate dot at an end, two dots together, a charge on a hydrate
    ZeroCount,       // a count or a group's multiplier of 0: H0, (OH)0
};

// A piece of a formula as written: an element symbol with its count, or a group "(...)n" or
// "[...]n" whose pieces follow it up to `end`.
struct FormulaPart {
    std::string symbol;       // empty for a group
    std::uint32_t count = 1;  // the symbol's count, or the group's multiplier
    std::uint16_t end = 0;    // a group's: one past its last piece
    std::uint16_t depth = 0;  // the groups around it within its component
    bool square = false;      // a group written in square brackets: [Cu(NH3)4]
    bool IsGroup() const { return symbol.empty(); }
};

// One component of a hydrate (CuSO4 and 5H2O of CuSO4·5H2O), or the whole formula: its pieces
// [first, end) and its multiplier numerator/denominator (1/2 for ½H2O).
struct FormulaComponent {
    std::uint16_t first = 0;
    std::uint16_t end = 0;
    std::uint32_t numerator = 1;
    std::uint32_t denominator = 1;
};

// A formula's structure as the grammar reads it: what oxidation numbers, the balancing
// explanation and nomenclature look at, where the atom counts are not enough.
struct FormulaStructure {
    FixedVector<FormulaPart, kFormulaLimit> parts;
    FixedVector<FormulaComponent, kFormulaLimit> components;
    int charge = 0;
    bool electron = false;
};

// The grammar, without the element table: symbols and counts, or why the text is no formula.
struct FormulaScan {
    FormulaError error = FormulaError::None;
    std::string offending;     // the offending character, for WrongCharacter and the charge
                               // and hydrate errors
    std::string reason;        // for BadCharge and BadHydrate: what is wrong there
    std::size_t position = 0;  // its position in the trimmed text, 1-based
    std::string formula;       // the trimmed text, hydrate dots written as the middle dot
    FormulaEntries entries;    // merged; symbols and counts only
    int charge = 0;
    std::uint16_t formulas = 1;  // the formulas the entries count (see Substance)
};

// Reads the whole formula: symbols, counts and groups; a charge after "^" at the end (Fe^3+,
// SO4^2-, H^+); hydrate components joined by "·", "*" or ".", the number after the dot multiplying
// the component that follows (a whole number, a decimal such as 0.5 or 1,5, or ½, ¼, ¾, ⅓, ⅔); e^-
// alone is the electron. A number after ")" multiplies the group; a ")" without a number closes
// the group once; groups nest; "[" and "]" are read as "(" and ")". A ")" without its "(" closes a
// group that starts at the first symbol, and an unclosed "(" counts once. With structure, the
// pieces as written are also recorded there.
FormulaScan ScanFormula(std::string_view text, FormulaStructure* structure = nullptr);

// Why the grammar refused a formula, as the messages say it ("el carácter \"a\" sobra o está
// fuera de sitio; ..."); empty when it did not (None, Empty).
std::string ScanErrorReason(const FormulaScan& scan);

// A formula with a charge written without "^" (Fe3+, SO42-, NH4+, e-): how it is written (Fe^3+);
// empty when the text reads no such way.
std::string ChargeHint(std::string_view formula);

// A formula read with its structure; when scan.error says the grammar refuses it, the structure
// is empty.
struct ReadFormulaResult {
    FormulaScan scan;
    FormulaStructure structure;
};
ReadFormulaResult ReadFormulaStructure(std::string_view text);

// Parses text into substance and resolves every symbol in the table, asking to add the ones it
// lacks. Returns false when the text is no formula (the user has been told why, except for an
// empty text) or a symbol stays unknown; substance is then left unchanged.
bool ParseFormula(Substance& substance, std::string_view text, ElementTable& table, UserPort& port);

// Fills the entry's atomic number and mass from the table. A missing symbol brings the question
// whether to add it; Yes opens the element editor and looks again, No returns false.
bool ResolveElement(FormulaEntry& entry, ElementTable& table, UserPort& port);

// The formula as the program writes it back (hydrate dots as the middle dot, blanks trimmed);
// the text trimmed when it is no formula.
std::string WrittenFormula(std::string_view text);

// The water of crystallisation of one formula: 5 for CuSO4·5H2O, 0.5 for CaSO4·½H2O, 0 for a
// text that is no hydrate or no formula. Only components written as H2O count.
double HydrateWater(std::string_view text);

// The formula without its water of crystallisation: CuSO4 for CuSO4·5H2O; the written formula
// for what is no hydrate.
std::string AnhydrousFormula(std::string_view text);

// No atoms and a charge of -1.
bool IsElectron(const Substance& substance);

// Sum of atomic mass times count over the entries, per formula (an ion's is its atoms', the
// electron's its own); also stored in the substance.
double MolarMass(Substance& substance);

// Where the "+" that separates two substances of an equation's side is, from `from` on: a "+"
// that ends a charge (H^++OH^-) belongs to its formula. npos when there is none.
std::size_t FindSubstanceSeparator(std::string_view text, std::size_t from = 0);

// Every count marked as a subscript and a charge as superscripts: H2SO4 -> H_2SO_4, Fe^3+ ->
// Fe^3^+; the hydrate dot and the number after it stay on the line. Other characters are
// dropped.
std::string FormulaDisplayText(std::string_view formula);

}  // namespace tovel
