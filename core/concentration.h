#pragma once
// Concentration of solutions as arithmetic over plain numbers: from one concentration, or from
// the amounts a solution was prepared with, every other concentration and the amounts that make
// it. Reading and writing the window's fields is the exercises' business.

#include <array>
#include <optional>

namespace tovel {

enum class ConcentrationKind { Molarity, Molality, GramsPerLitre, MassPercent };
inline constexpr std::array<ConcentrationKind, 4> kConcentrationKinds = {
    ConcentrationKind::Molarity, ConcentrationKind::Molality, ConcentrationKind::GramsPerLitre,
    ConcentrationKind::MassPercent};

// What a preparation states besides the grams of solute.
enum class PreparationQuantity { SolutionMillilitres, SolventGrams };

// The input that makes a calculation impossible.
enum class ConcentrationRefusal {
    MolarMass,            // not greater than 0
    Molarity,             // not greater than 0
    Molality,             // not greater than 0
    GramsPerLitre,        // not greater than 0
    MassPercent,          // not greater than 0 and less than 100
    SoluteGrams,          // not greater than 0
    SolutionMillilitres,  // not greater than 0
    SolventGrams,         // not greater than 0
    Density,              // negative
    DensityAtMostSolute,  // not above the grams of solute per millilitre of solution
    HydrateWater,         // the hydrate brings more water than the solution holds
    OutOfRange,           // some result would not be a finite number
};

// The molar masses of a solute: of what is weighed and of what is dissolved. They differ for a
// hydrate (CuSO4·5H2O is weighed, CuSO4 is dissolved): its water of crystallisation joins the
// solvent, and the concentrations are those of the anhydrous salt.
struct SoluteMolarMass {
    double weighed = 0;
    double dissolved = 0;
};

// Every quantity a calculation can give; absent where the data do not determine it.
struct SolutionAmounts {
    std::optional<double> molarity;       // mol/l
    std::optional<double> molality;       // mol/kg
    std::optional<double> gramsPerLitre;  // g of solute per l of solution
    std::optional<double> massPercent;    // g of solute per 100 g of solution
    std::optional<double> soluteGrams;    // grams weighed (of the hydrate, for one)
    std::optional<double> solutionMillilitres;
    std::optional<double> solventGrams;  // grams of water added

    std::optional<double>& Concentration(ConcentrationKind kind);
    const std::optional<double>& Concentration(ConcentrationKind kind) const;
};

struct ConcentrationResult {
    std::optional<ConcentrationRefusal> refusal;  // none: amounts holds the results
    // With DensityAtMostSolute: the grams of solute per millilitre of solution, which the
    // density must exceed.
    double densityLimit = 0;
    SolutionAmounts amounts;

    explicit operator bool() const { return !refusal; }
};

// From value of one concentration of a solute of molarMass g/mol; density in g/ml, 0 for none.
// The amounts are those that make 1 l of solution (molarity, g/l), a solution in 1 kg of water
// (molality) or 1 kg of solution (% in mass). Without a density, what needs one is absent.
ConcentrationResult FromConcentration(ConcentrationKind kind, double value,
                                      SoluteMolarMass molarMass, double density);
inline ConcentrationResult FromConcentration(ConcentrationKind kind, double value, double molarMass,
                                             double density) {
    return FromConcentration(kind, value, SoluteMolarMass{molarMass, molarMass}, density);
}

// From soluteGrams made up to amount ml of solution, or dissolved in amount g of water.
ConcentrationResult FromPreparation(double soluteGrams, PreparationQuantity quantity, double amount,
                                    SoluteMolarMass molarMass, double density);
inline ConcentrationResult FromPreparation(double soluteGrams, PreparationQuantity quantity,
                                           double amount, double molarMass, double density) {
    return FromPreparation(soluteGrams, quantity, amount, SoluteMolarMass{molarMass, molarMass},
                           density);
}

}  // namespace tovel
