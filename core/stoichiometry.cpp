#include "core/stoichiometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/language.h"
#include "core/number_format.h"

namespace tovel {

namespace {

constexpr std::array<MessageTriple, kAmountUnitCount> kUnitNames = {{
    {"g", "g", "g"},
    {"mol", "mole", "mol"},
    {"L cn", "L sc", "L cn"},
    {"L", "L", "L"},
    {"ml", "ml", "ml"},
}};

// The residue threshold: what is left below a thousandth of the extent is nothing.
constexpr double kResidueFraction = 1000;

bool ImpureGrams(const SlotData& slot, int side) {
    return side == kReactants && slot.unit == AmountUnit::Gram && slot.purity < kPurePercent;
}

}  // namespace

double GasConstant(PressureUnit unit) {
    return unit == PressureUnit::KPa ? kGasConstantKPa : kGasConstantAtm;
}

std::string UnitName(AmountUnit unit) {
    const auto index = static_cast<std::size_t>(unit);
    return index < kUnitNames.size() ? std::string(Select(kUnitNames[index])) : "";
}

std::string PressureUnitName(PressureUnit unit) {
    return unit == PressureUnit::KPa ? "kPa" : "atm";
}

double ConvertAmount(double value, const Substance& substance, AmountUnit from, AmountUnit to) {
    double moles = value;
    if (from == AmountUnit::Gram) moles = value / substance.molarMass;
    if (from == AmountUnit::LitreNormal) moles = value / kMolarVolume;
    if (to == AmountUnit::Gram) return moles * substance.molarMass;
    if (to == AmountUnit::LitreNormal) return moles * kMolarVolume;
    return moles;
}

double GasFactor(const GasConditions& gas) {
    if (!(gas.pressure > 0) || !(gas.temperature > 0)) return 0;
    return gas.pressure / gas.temperature / GasConstant(gas.pressureUnit);
}

SlotRefusal CheckSlot(const SlotData& slot, int side) {
    switch (slot.unit) {
        case AmountUnit::Gram:
            if (side == kReactants && !(slot.purity > 0 && slot.purity <= kPurePercent)) {
                return SlotRefusal::PurityOutOfRange;
            }
            return SlotRefusal::None;
        case AmountUnit::LitrePT:
            return GasFactor(slot.gas) > 0 ? SlotRefusal::None : SlotRefusal::GasConditionsNotSet;
        case AmountUnit::Solution:
            if (side != kReactants) return SlotRefusal::ProductSolution;
            return slot.molarity > 0 ? SlotRefusal::None : SlotRefusal::MolarityOutOfRange;
        default:
            return SlotRefusal::None;
    }
}

double MolesFromAmount(const Substance& substance, const SlotData& slot, int side, double amount) {
    switch (slot.unit) {
        case AmountUnit::LitrePT:
            return GasFactor(slot.gas) * amount;
        case AmountUnit::Solution:
            return amount * slot.molarity / kMillilitresPerLitre;
        default: {
            const double pure =
                ImpureGrams(slot, side) ? amount * slot.purity / kPurePercent : amount;
            return ConvertAmount(pure, substance, slot.unit, AmountUnit::Mole);
        }
    }
}

double AmountFromMoles(const Substance& substance, const SlotData& slot, int side, double moles) {
    switch (slot.unit) {
        case AmountUnit::LitrePT: {
            const double factor = GasFactor(slot.gas);
            return factor == 0 ? 0 : moles / factor;
        }
        case AmountUnit::Solution:
            return kMillilitresPerLitre * moles / slot.molarity;
        default: {
            const double amount = ConvertAmount(moles, substance, AmountUnit::Mole, slot.unit);
            return ImpureGrams(slot, side) ? amount * kPurePercent / slot.purity : amount;
        }
    }
}

StoichiometryResult CalculateStoichiometry(const Reaction& reaction,
                                           const std::array<std::vector<SlotData>, 2>& given,
                                           double yieldPercent) {
    StoichiometryResult result;
    result.yieldPercent = yieldPercent;
    const double yield = yieldPercent / kPurePercent;
    // A substance without its SlotData counts as grams without an amount.
    std::array<std::vector<SlotData>, 2> data = given;
    std::array<std::vector<bool>, 2> used;
    for (int side = 0; side < 2; ++side) {
        data[side].resize(reaction.Count(side));
        result.amounts[side].resize(reaction.Count(side));
        used[side].assign(reaction.Count(side), false);
    }
    auto hasAmount = [&](int side, std::size_t slot) { return data[side][slot - 1].amount > 0; };
    // Reads a datum into moles and returns its ratio to the coefficient.
    auto take = [&](int side, std::size_t slot) {
        used[side][slot - 1] = true;
        result.dataSide = side;
        result.dataSlots.push_back(slot);
        const SlotData& d = data[side][slot - 1];
        const double moles =
            MolesFromAmount(reaction.substances[side][slot - 1], d, side, d.amount);
        result.amounts[side][slot - 1].initialMoles = moles;
        return moles / reaction.coefficients[side][slot - 1];
    };

    for (std::size_t slot = 1; slot <= reaction.Count(kReactants); ++slot) {
        if (!hasAmount(kReactants, slot)) continue;
        const double ratio = take(kReactants, slot);
        if (result.limiting == 0 || ratio < result.extent) {  // the first of equal ratios stays
            result.extent = ratio;
            result.limiting = slot;
        }
    }
    for (std::size_t slot = 1; slot <= reaction.Count(kProducts); ++slot) {
        if (!hasAmount(kProducts, slot)) continue;
        if (result.HasData()) {
            result.unusedProducts.push_back(slot);
        } else {
            // The first product with an amount decides alone; what was obtained is the yield's
            // part of what the reactants would give.
            result.extent = take(kProducts, slot) / yield;
        }
    }
    if (!result.HasData()) return result;

    const double threshold = result.extent / kResidueFraction;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot) {
            SlotResult& r = result.amounts[side][slot - 1];
            const bool datum = used[side][slot - 1];
            r.molesReacted = reaction.coefficients[side][slot - 1] * result.extent;
            if (side == kReactants) {
                if (!datum) r.initialMoles = r.molesReacted;
                r.finalMoles = datum ? r.initialMoles - r.molesReacted : 0;
            } else {
                r.theoreticalMoles = r.molesReacted;
                r.molesReacted *= yield;
                r.finalMoles = r.molesReacted;
            }
            if (r.finalMoles < (side == kProducts ? threshold * yield : threshold))
                r.finalMoles = 0;
            const Substance& substance = reaction.substances[side][slot - 1];
            const SlotData& d = data[side][slot - 1];
            r.initialAmount =
                datum ? d.amount : AmountFromMoles(substance, d, side, r.initialMoles);
            r.finalAmount = AmountFromMoles(substance, d, side, r.finalMoles);
        }
    }
    return result;
}

bool YieldInRange(double percent) {
    return percent > 0 && percent <= kPurePercent;
}

StoichiometryResult CalculateFromObtained(const Reaction& reaction,
                                          const std::array<std::vector<SlotData>, 2>& given,
                                          std::size_t obtainedSlot) {
    std::array<std::vector<SlotData>, 2> reactants = given;
    reactants[kProducts].clear();
    StoichiometryResult theoretical = CalculateStoichiometry(reaction, reactants);
    if (!theoretical.HasData() || theoretical.dataSide != kReactants || obtainedSlot < 1 ||
        obtainedSlot > reaction.Count(kProducts) || obtainedSlot > given[kProducts].size())
        return {};
    const SlotData& obtained = given[kProducts][obtainedSlot - 1];
    const double real = MolesFromAmount(reaction.substances[kProducts][obtainedSlot - 1], obtained,
                                        kProducts, obtained.amount);
    const double yieldPercent =
        real / theoretical.amounts[kProducts][obtainedSlot - 1].theoreticalMoles * kPurePercent;
    StoichiometryResult result = CalculateStoichiometry(reaction, given, yieldPercent);
    result.obtained = obtainedSlot;
    std::erase(result.unusedProducts, obtainedSlot);
    return result;
}

bool AllFinite(const StoichiometryResult& result) {
    if (!std::isfinite(result.extent) || !std::isfinite(result.yieldPercent)) return false;
    for (const auto& side : result.amounts) {
        for (const SlotResult& r : side) {
            for (double v :
                 {r.initialMoles, r.molesReacted, r.finalMoles, r.initialAmount, r.finalAmount}) {
                if (!std::isfinite(v)) return false;
            }
        }
    }
    return true;
}

std::string UnitText(const SlotData& slot) {
    std::string text = UnitName(slot.unit);
    if (slot.unit == AmountUnit::LitrePT) {
        text += " a " + FormatSignificant(slot.gas.pressure, 3) +
                PressureUnitName(slot.gas.pressureUnit) + " y " +
                FormatSignificant(slot.gas.temperature, 3) + "K";
    }
    return text;
}

std::string PurityText(double purity) {
    if (!(purity > 0) || !std::isfinite(purity)) return FormatSignificantShort(purity, 3);
    // Decimals enough for three significant figures, then the zeros the user did not write go.
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(purity))));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, purity);
    std::string fixed = text;
    if (fixed.find('.') != std::string::npos) {
        while (fixed.back() == '0')
            fixed.pop_back();
        if (fixed.back() == '.') fixed.pop_back();
    }
    return fixed;
}

std::string PurityQualifier(double purity) {
    if (purity >= kPurePercent) return "";
    return " " + PurityText(purity) + "%";
}

std::string MolarityQualifier(double molarity) {
    return " " + FormatSignificantShort(molarity, 3) + "M";
}

std::string AtomicMassLine(const Reaction& reaction) {
    std::string line = "M.A.: ";
    std::vector<std::uint16_t> seen;
    for (const auto& substance : reaction.substances[kReactants]) {
        for (const auto& entry : substance.entries) {
            const auto z = entry.element.atomicNumber;
            if (std::find(seen.begin(), seen.end(), z) != seen.end()) continue;
            seen.push_back(z);
            line += " " + entry.element.symbol + " = " +
                    FormatSignificant(entry.element.atomicMass, 4) + ",";
        }
    }
    line.pop_back();
    return line;
}

}  // namespace tovel
