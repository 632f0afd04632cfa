#include "core/concentration.h"

#include <cmath>
#include <optional>

namespace tovel {

namespace {

ConcentrationResult Refused(ConcentrationRefusal reason, double densityLimit = 0) {
    ConcentrationResult result;
    result.refusal = reason;
    result.densityLimit = densityLimit;
    return result;
}

ConcentrationRefusal RefusalFor(ConcentrationKind kind) {
    switch (kind) {
        case ConcentrationKind::Molarity:
            return ConcentrationRefusal::Molarity;
        case ConcentrationKind::Molality:
            return ConcentrationRefusal::Molality;
        case ConcentrationKind::GramsPerLitre:
            return ConcentrationRefusal::GramsPerLitre;
        case ConcentrationKind::MassPercent:
            break;
    }
    return ConcentrationRefusal::MassPercent;
}

// Huge inputs can still overflow; no infinity reaches a field.
ConcentrationResult Checked(const SolutionAmounts& amounts) {
    for (const auto* value :
         {&amounts.molarity, &amounts.molality, &amounts.gramsPerLitre, &amounts.massPercent,
          &amounts.soluteGrams, &amounts.solutionMillilitres, &amounts.solventGrams}) {
        if (*value && !std::isfinite(**value)) return Refused(ConcentrationRefusal::OutOfRange);
    }
    ConcentrationResult result;
    result.amounts = amounts;
    return result;
}

}  // namespace

std::optional<double>& SolutionAmounts::Concentration(ConcentrationKind kind) {
    switch (kind) {
        case ConcentrationKind::Molarity:
            return molarity;
        case ConcentrationKind::Molality:
            return molality;
        case ConcentrationKind::GramsPerLitre:
            return gramsPerLitre;
        case ConcentrationKind::MassPercent:
            break;
    }
    return massPercent;
}

const std::optional<double>& SolutionAmounts::Concentration(ConcentrationKind kind) const {
    return const_cast<SolutionAmounts*>(this)->Concentration(kind);
}

// Every calculation goes through the same few quantities of one batch of solution: the moles of
// solute, the grams of solution and, where known, its millilitres. The grams weighed count the
// hydrate's water, the concentrations only the salt; that water is part of the solvent.
namespace {

struct Batch {
    double moles = 0;
    double weighed = 0;
    double solutionGrams = 0;          // 0: not known (no density where it would be needed)
    double millilitres = 0;            // 0: not known
    std::optional<double> waterAdded;  // when given: what is left of the solution otherwise
};

ConcentrationResult Amounts(const Batch& b, const SoluteMolarMass& mm) {
    SolutionAmounts a;
    const double salt = b.moles * mm.dissolved;
    a.soluteGrams = b.weighed;
    if (b.millilitres > 0) {
        a.solutionMillilitres = b.millilitres;
        a.molarity = b.moles / b.millilitres * 1000;
        a.gramsPerLitre = salt / b.millilitres * 1000;
    }
    if (b.solutionGrams > 0) {
        // The solution must weigh more than what is weighed into it: some water is added.
        const double added = b.waterAdded.value_or(b.solutionGrams - b.weighed);
        if (!(added > 0)) {
            const double limit = b.millilitres > 0 ? *a.soluteGrams / b.millilitres : 0;
            return Refused(b.millilitres > 0 ? ConcentrationRefusal::DensityAtMostSolute
                                             : ConcentrationRefusal::HydrateWater,
                           limit);
        }
        const double water = b.solutionGrams - salt;
        a.solventGrams = added;
        a.molality = b.moles / water * 1000;
        a.massPercent = salt / b.solutionGrams * 100;
    }
    return Checked(a);
}

}  // namespace

ConcentrationResult FromConcentration(ConcentrationKind kind, double value,
                                      SoluteMolarMass molarMass, double density) {
    const double q = value;
    const double w = molarMass.weighed;
    const double s = molarMass.dissolved;
    const double d = density;
    if (!(w > 0) || !(s > 0) || s > w) return Refused(ConcentrationRefusal::MolarMass);
    // 100 % would be solute without water: no solution, and an infinite molality.
    const bool valueOk =
        kind == ConcentrationKind::MassPercent ? q > 0 && q < 100 && 1000 - 10 * q > 0 : q > 0;
    if (!valueOk) return Refused(RefusalFor(kind));
    if (!(d >= 0)) return Refused(ConcentrationRefusal::Density);

    // The batch each concentration states: 1 l of solution (molarity, g/l), the solution of 1 kg
    // of water (molality), 1 kg of solution (% in mass).
    Batch b;
    switch (kind) {
        case ConcentrationKind::Molarity:
            b.moles = q;
            b.millilitres = 1000;
            b.solutionGrams = 1000 * d;
            break;
        case ConcentrationKind::GramsPerLitre:
            b.moles = q / s;
            b.millilitres = 1000;
            b.solutionGrams = 1000 * d;
            break;
        case ConcentrationKind::Molality:
            b.moles = q;
            b.solutionGrams = 1000 + q * s;
            b.millilitres = d > 0 ? b.solutionGrams / d : 0;
            break;
        case ConcentrationKind::MassPercent:
            b.moles = 10 * q / s;
            b.solutionGrams = 1000;
            b.millilitres = d > 0 ? 1000 / d : 0;
            break;
    }
    b.weighed = b.moles * w;
    ConcentrationResult result = Amounts(b, molarMass);
    if (result) result.amounts.Concentration(kind) = q;  // as given, not recomputed
    return result;
}

ConcentrationResult FromPreparation(double soluteGrams, PreparationQuantity quantity, double amount,
                                    SoluteMolarMass molarMass, double density) {
    const double g = soluteGrams;
    const double x = amount;
    const double w = molarMass.weighed;
    const double s = molarMass.dissolved;
    const double d = density;
    const bool byVolume = quantity == PreparationQuantity::SolutionMillilitres;
    if (!(w > 0) || !(s > 0) || s > w) return Refused(ConcentrationRefusal::MolarMass);
    if (!(g > 0)) return Refused(ConcentrationRefusal::SoluteGrams);
    if (!(x > 0)) {
        return Refused(byVolume ? ConcentrationRefusal::SolutionMillilitres
                                : ConcentrationRefusal::SolventGrams);
    }
    if (!(d >= 0)) return Refused(ConcentrationRefusal::Density);

    Batch b;
    b.moles = g / w;
    b.weighed = g;
    if (byVolume) {
        b.millilitres = x;
        b.solutionGrams = x * d;
    } else {
        b.waterAdded = x;
        b.solutionGrams = x + g;
        b.millilitres = d > 0 ? b.solutionGrams / d : 0;
    }
    return Amounts(b, molarMass);
}

}  // namespace tovel
