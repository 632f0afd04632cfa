#include "core/concentration.h"

#include <cmath>

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

ConcentrationResult FromConcentration(ConcentrationKind kind, double value, double molarMass,
                                      double density) {
    const double q = value;
    const double mm = molarMass;
    const double d = density;
    if (!(mm > 0)) return Refused(ConcentrationRefusal::MolarMass);
    // 100 % would be solute without water: no solution, and an infinite molality.
    const bool valueOk =
        kind == ConcentrationKind::MassPercent ? q > 0 && q < 100 && 1000 - 10 * q > 0 : q > 0;
    if (!valueOk) return Refused(RefusalFor(kind));
    if (!(d >= 0)) return Refused(ConcentrationRefusal::Density);
    const bool withDensity = d > 0;

    SolutionAmounts a;
    a.Concentration(kind) = q;
    switch (kind) {
        case ConcentrationKind::Molarity:
            // A litre of solution weighing no more than its solute leaves no water for it.
            if (withDensity && (!(d - q * mm / 1000 > 0) || !(1000 * d - q * mm > 0))) {
                return Refused(ConcentrationRefusal::DensityAtMostSolute, q * mm / 1000);
            }
            a.gramsPerLitre = q * mm;
            a.soluteGrams = q * mm;
            a.solutionMillilitres = 1000;
            if (withDensity) {
                a.molality = q / (d - q * mm / 1000);
                a.massPercent = q * mm / d / 10;
                a.solventGrams = 1000 * d - q * mm;
            }
            break;
        case ConcentrationKind::Molality:
            a.massPercent = q * mm / (q * mm + 1000) * 100;
            a.soluteGrams = q * mm;
            a.solventGrams = 1000;
            if (withDensity) {
                a.molarity = q / (q * mm + 1000) * d * 1000;
                a.gramsPerLitre = q * mm / (q * mm + 1000) * d * 1000;
                a.solutionMillilitres = (q * mm + 1000) / d;
            }
            break;
        case ConcentrationKind::GramsPerLitre:
            if (withDensity && (!(d - q / 1000 > 0) || !(1000 * d - q > 0))) {
                return Refused(ConcentrationRefusal::DensityAtMostSolute, q / 1000);
            }
            a.molarity = q / mm;
            a.soluteGrams = q;
            a.solutionMillilitres = 1000;
            if (withDensity) {
                a.molality = (q / mm) / (d - q / 1000);
                a.massPercent = q / d / 10;
                a.solventGrams = 1000 * d - q;
            }
            break;
        case ConcentrationKind::MassPercent:
            a.molality = (q / mm) / (100 - q) * 1000;
            a.soluteGrams = 10 * q;
            a.solventGrams = 1000 - 10 * q;
            if (withDensity) {
                a.molarity = q / mm * d * 10;
                a.gramsPerLitre = q * d * 10;
                a.solutionMillilitres = 1000 / d;
            }
            break;
    }
    return Checked(a);
}

ConcentrationResult FromPreparation(double soluteGrams, PreparationQuantity quantity, double amount,
                                    double molarMass, double density) {
    const double g = soluteGrams;
    const double x = amount;
    const double mm = molarMass;
    const double d = density;
    const bool byVolume = quantity == PreparationQuantity::SolutionMillilitres;
    if (!(mm > 0)) return Refused(ConcentrationRefusal::MolarMass);
    if (!(g > 0)) return Refused(ConcentrationRefusal::SoluteGrams);
    if (!(x > 0)) {
        return Refused(byVolume ? ConcentrationRefusal::SolutionMillilitres
                                : ConcentrationRefusal::SolventGrams);
    }
    if (!(d >= 0)) return Refused(ConcentrationRefusal::Density);
    const bool withDensity = d > 0;
    // Grams of solute per litre of solution, or per kilogram of water.
    const double q = g / x * 1000;

    SolutionAmounts a;
    a.soluteGrams = g;
    if (byVolume) {
        if (withDensity && (!(d - q / 1000 > 0) || !(x * d - g > 0))) {
            return Refused(ConcentrationRefusal::DensityAtMostSolute, g / x);
        }
        a.solutionMillilitres = x;
        a.gramsPerLitre = q;
        a.molarity = q / mm;
        if (withDensity) {
            a.molality = q / (d - q / 1000) / mm;
            a.massPercent = q / (1000 * d) * 100;
            a.solventGrams = x * d - g;
        }
    } else {
        a.solventGrams = x;
        a.molality = q / mm;
        a.massPercent = q / (q + 1000) * 100;
        if (withDensity) {
            a.gramsPerLitre = q / (q + 1000) * d * 1000;
            a.molarity = *a.gramsPerLitre / mm;
            a.solutionMillilitres = (x + g) / d;
        }
    }
    return Checked(a);
}

}  // namespace tovel
