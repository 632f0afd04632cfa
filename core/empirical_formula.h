#pragma once
// The empirical and molecular formula of a compound from its composition (percent or grams of
// each element, or the CO2 and H2O of a combustion), and the water of a hydrate from the mass it
// loses on heating, each with the working a teacher writes: grams to moles, divided by the
// smallest, multiplied by the small whole number that clears the ratios.

#include <string>
#include <vector>

#include "core/element_table.h"

namespace tovel {

// A ratio within this of a whole number is taken as that number.
constexpr double kWholeTolerance = 0.1;
// The largest multiplier tried to clear the ratios.
constexpr int kMultiplierLimit = 6;
// Amounts (grams, percents, g/mol) beyond this are no school datum, and would overflow the
// working.
constexpr double kAmountLimit = 1e9;
// Amounts below this are no measurement either, and would overflow the ratios.
constexpr double kAmountFloor = 1e-9;
// Percentages that add up to within this of 100 are taken as they are.
constexpr double kPercentSumTolerance = 0.5;

struct ElementAmount {
    std::string symbol;
    double value = 0;  // percent or grams
};

struct CompositionInput {
    std::vector<ElementAmount> elements;
    bool grams = false;      // the values are grams, not percents
    double molarMass = 0;    // g/mol, 0 when not given
    bool normalise = false;  // percents that do not add up to 100 are scaled to it
};

struct Combustion {
    double carbonDioxide = 0;  // grams of CO2 formed
    double water = 0;          // grams of H2O formed
    double sample = 0;         // grams of the compound burnt, of C, H and maybe O
    double molarMass = 0;      // g/mol, 0 when not given
};

struct EmpiricalResult {
    std::string error;           // names the field that is wrong; empty on success
    bool percentSumOff = false;  // the error is the sum of the percents, which normalise accepts
    std::string empirical;       // "CH2O"
    std::string molecular;       // "C6H12O6"; empty without a molar mass
    int multiplier = 0;          // n = M / M(empirical), with a molar mass
    std::vector<std::string> steps;
};

EmpiricalResult EmpiricalFormula(const CompositionInput& input, const ElementTable& table);

// The answer under the working: "Fórmula empírica: CH2O" and, with a molar mass, "Fórmula
// molecular: C6H12O6".
std::vector<std::string> AnswerLines(const EmpiricalResult& result);
EmpiricalResult CombustionFormula(const Combustion& input, const ElementTable& table);

struct HydrateInput {
    std::string salt;        // the anhydrous salt: CuSO4
    double lossPercent = 0;  // of the hydrate's mass lost as water
    bool masses = false;     // given instead: the grams before and after heating
    double before = 0;       // grams of hydrate heated
    double after = 0;        // grams of anhydrous salt left
};

struct HydrateResult {
    std::string error;
    int water = 0;        // x of CuSO4·xH2O
    std::string formula;  // "CuSO4·5H2O"
    std::vector<std::string> steps;
};

HydrateResult HydrateFromLoss(const HydrateInput& input, const ElementTable& table);

// "Fórmula del hidrato: CuSO4·5H2O".
std::string AnswerLine(const HydrateResult& result);

// The elements of a formula written in the order a school writes them: C and H first, then the
// others alphabetically, for what has carbon and hydrogen; otherwise the most electropositive
// first (Na2SO4, OCl2).
std::vector<std::string> SchoolOrder(std::vector<std::string> symbols);

}  // namespace tovel
