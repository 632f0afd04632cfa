#pragma once
// The concentration window's fields without the window: their names, how a calculation reads
// them and writes its results into them, the messages about them, and the case ("guardar caso")
// composed from them. Shared by the window's model and tovel-cli.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/concentration.h"
#include "core/element_table.h"
#include "core/user_port.h"

namespace tovel {

enum class ConcentrationField {
    Compound,
    MolarMass,
    Density,
    Molarity,
    Molality,
    GramsPerLitre,
    MassPercent,
    SoluteGrams,
    SolutionMillilitres,
    SolventGrams,
};
inline constexpr std::size_t kConcentrationFieldCount = 10;
// The preparation box, top to bottom.
inline constexpr std::array<ConcentrationField, 3> kPreparationFields = {
    ConcentrationField::SoluteGrams, ConcentrationField::SolutionMillilitres,
    ConcentrationField::SolventGrams};

ConcentrationField FieldOf(ConcentrationKind kind);
ConcentrationField FieldOf(PreparationQuantity quantity);

// The field's label in the window without its unit: "Molaridad", "Densidad disolución".
std::string_view FieldLabel(ConcentrationField field);
// The unit the window shows after a label: "g/mol", "g/ml"; empty for none.
std::string_view FieldUnit(ConcentrationField field);
// The field's name in tovel-cli's listing: "MM", "Densidad", otherwise its label.
std::string_view FieldListName(ConcentrationField field);

// What the window's fields hold.
class ConcentrationFields {
  public:
    std::string& operator[](ConcentrationField field) {
        return m_texts[static_cast<std::size_t>(field)];
    }
    const std::string& operator[](ConcentrationField field) const {
        return m_texts[static_cast<std::size_t>(field)];
    }

  private:
    std::array<std::string, kConcentrationFieldCount> m_texts;
};

// Caption of every message that stops a calculation.
inline constexpr std::string_view kCannotCompute = "No podemos calcular";

// The molar mass of formula; none, after telling the user why, without an element table or
// when the formula does not parse.
std::optional<double> CompoundMolarMass(const std::string& formula, ElementTable& table,
                                        bool tableLoaded, UserPort& port);
// The solute's molar masses from the molar mass field's value: for a hydrate, the anhydrous
// salt's is that less the mass of its water of crystallisation (H and O from the table).
SoluteMolarMass SoluteMasses(std::string_view formula, double molarMass, const ElementTable& table);
// How the molar mass field shows it: 4 significant figures.
std::string MolarMassText(double molarMass);

// A number typed in a field; none when the field is empty or holds no number.
std::optional<double> ReadNumber(std::string_view text);
// The molar mass field: a number greater than 0, or none after "Masa molar no válida".
std::optional<double> ReadMolarMass(std::string_view text, UserPort& port);
// The density field before a calculation, 0 for none. An empty field is none; text that is no
// number is told to be ignored and is emptied. A number not greater than 0 is refused: the user
// is told and the result is none.
std::optional<double> ReadDensity(std::string& text, UserPort& port);
// A concentration or a preparation amount is missing or is no number.
void TellMissingData(UserPort& port);
// Why the calculation was refused, naming the field that is wrong.
std::string RefusalText(const ConcentrationResult& refused);
void TellRefusal(UserPort& port, const ConcentrationResult& refused);

// Writes the results into the concentration and preparation fields as the window shows them and
// empties those the calculation did not give, so nothing of an earlier one stays; the fields
// the user gave keep their text.
void ShowResults(const SolutionAmounts& amounts, ConcentrationKind given,
                 ConcentrationFields& fields);
void ShowResults(const SolutionAmounts& amounts, PreparationQuantity given,
                 ConcentrationFields& fields);

// What the user gave for the case on screen.
enum class CaseKind { None, PreparationGiven, ConcentrationGiven };

struct ConcentrationCase {
    CaseKind kind = CaseKind::None;
    ConcentrationKind concentration = ConcentrationKind::Molarity;     // the one given
    PreparationQuantity quantity = PreparationQuantity::SolventGrams;  // the one given
    std::string formula;
    // The texts as shown; the density empty when the calculation had none.
    ConcentrationFields fields;
    // For a hydrate: the anhydrous salt's molar mass, which the concentrations are of.
    double saltMolarMass = 0;
};

struct CaseText {
    std::string statement;
    std::string answer;
};

// The case as a worded exercise and its answer, lines ending in CR LF.
CaseText ComposeCase(const ConcentrationCase& shown);

}  // namespace tovel
