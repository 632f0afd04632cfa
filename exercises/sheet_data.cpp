#include "exercises/sheet_data.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

#include "core/reaction.h"
#include "exercises/round_values.h"

namespace tovel {

namespace {

// The amounts a school problem uses, by unit.
constexpr ValueRange kGramRange{1, 500, 0, 2};
constexpr ValueRange kMoleRange{0.1, 10, -1, 1};
constexpr ValueRange kLitreRange{1, 100, 0, 2};
constexpr ValueRange kMillilitreRange{10, 500, 1, 2};
// Strong acids and bases, ammonia and acetic acid come up to 6 M in a school laboratory; salts
// to 1 M; barium hydroxide, permanganate and dichromate dissolve less.
constexpr ValueRange kMolarityRange{0.1, 6, -1, 0};
constexpr ValueRange kSaltMolarityRange{0.1, 1, -1, 0};
constexpr ValueRange kScarceMolarityRange{0.1, 0.2, -1, -1};
constexpr ValueRange kAtmRange{0.5, 5, -1, 0};
constexpr ValueRange kKPaRange{50, 500, 1, 2};
constexpr int kPurityLow = 60, kPurityHigh = 99;
constexpr int kCelsiusStep = 5, kCelsiusHigh = 100;

const ValueRange& AmountRange(AmountUnit unit) {
    switch (unit) {
        case AmountUnit::Mole:
            return kMoleRange;
        case AmountUnit::LitreNormal:
        case AmountUnit::LitrePT:
            return kLitreRange;
        case AmountUnit::Solution:
            return kMillilitreRange;
        default:
            return kGramRange;
    }
}

// Each kind of datum and the unit it is given in, in the kinds' order.
constexpr std::pair<SheetDatum, AmountUnit> kDatumUnits[] = {
    {SheetDatum::Grams, AmountUnit::Gram},
    {SheetDatum::ImpureGrams, AmountUnit::Gram},
    {SheetDatum::Moles, AmountUnit::Mole},
    {SheetDatum::LitresNormal, AmountUnit::LitreNormal},
    {SheetDatum::LitresPT, AmountUnit::LitrePT},
    {SheetDatum::Solution, AmountUnit::Solution}};

AmountUnit UnitOf(SheetDatum datum) {
    return kDatumUnits[static_cast<std::size_t>(datum)].second;
}

}  // namespace

bool IsSheetGas(const std::string& formula) {
    static const char* const kGases[] = {"H2",   "O2",   "N2",  "Cl2", "F2",   "O3",   "CO2",
                                         "CO",   "SO2",  "NH3", "HCl", "HBr",  "HI",   "H2S",
                                         "NO",   "NO2",  "N2O", "CH4", "C2H6", "C3H8", "C4H10",
                                         "C2H2", "C2H4", "He",  "Ne",  "Ar",   "HF"};
    return std::find(std::begin(kGases), std::end(kGases), formula) != std::end(kGases);
}

bool IsSheetSolute(const std::string& formula) {
    static const char* const kSolutes[] = {
        "HCl",   "HNO3",  "H2SO4",   "H3PO4",    "CH3COOH",  "HBr",    "HI",
        "NaOH",  "KOH",   "Ba(OH)2", "NH3",      "H2O2",     "AgNO3",  "NaCl",
        "KCl",   "BaCl2", "Na2SO4",  "Pb(NO3)2", "KI",       "KBr",    "FeCl3",
        "FeCl2", "CuSO4", "CaCl2",   "Na2CO3",   "K2CrO4",   "Na2S",   "AlCl3",
        "FeSO4", "KMnO4", "K2Cr2O7", "NaHCO3",   "Cu(NO3)2", "ZnSO4",  "MgCl2",
        "NH4Cl", "ZnCl2", "K2CO3",   "NaNO3",    "KNO3",     "Na2S2O3"};
    return std::find(std::begin(kSolutes), std::end(kSolutes), formula) != std::end(kSolutes);
}

bool IsSheetSolid(const std::string& formula) {
    if (formula.find('^') != std::string::npos || IsSheetGas(formula)) return false;
    static const char* const kLiquids[] = {"H2O",  "H2O2", "H2SO4", "HNO3", "H3PO4", "HClO4",
                                           "Hg",   "Br2",  "CS2",   "CCl4", "CHCl3", "SiCl4",
                                           "PCl3", "SO3",  "N2H4",  "N2O4"};
    if (std::find(std::begin(kLiquids), std::end(kLiquids), formula) != std::end(kLiquids))
        return false;
    // Carbon, hydrogen and oxygen alone make the fuels, alcohols and acids of the laboratory,
    // which are liquids; the sugars and a few acids that are solids are named.
    static const char* const kOrganicSolids[] = {"C6H12O6", "C12H22O11", "C2H2O4", "C6H8O7",
                                                 "C7H6O2",  "C7H6O3",    "C9H8O4", "C10H8"};
    if (std::find(std::begin(kOrganicSolids), std::end(kOrganicSolids), formula) !=
        std::end(kOrganicSolids))
        return true;
    const bool onlyCHO = formula.find_first_not_of("CHO0123456789()") == std::string::npos;
    const bool carbonAndHydrogen =
        formula.find('C') != std::string::npos && formula.find('H') != std::string::npos;
    return !(onlyCHO && carbonAndHydrogen);
}

unsigned char SheetTraits(const std::string& formula) {
    unsigned char traits = 0;
    if (formula.find('^') != std::string::npos) return kSheetIon;
    if (IsSheetGas(formula)) traits |= kSheetGas;
    if (IsSheetSolute(formula)) traits |= kSheetSolute;
    if (formula == "H2O") traits |= kSheetWater;
    if (IsSheetSolid(formula)) traits |= kSheetSolid;
    return traits;
}

ReactionTraits SheetTraits(const Reaction& reaction) {
    ReactionTraits traits{};
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot)
            traits[side][slot - 1] = SheetTraits(reaction.substances[side][slot - 1].formula);
    }
    const std::size_t reactants = reaction.Count(kReactants);
    const bool allGases = std::all_of(traits[kReactants].begin(),
                                      traits[kReactants].begin() + static_cast<long>(reactants),
                                      [](unsigned char t) { return (t & kSheetGas) != 0; });
    for (std::size_t slot = 0; slot < reactants; ++slot) {
        unsigned char& t = traits[kReactants][slot];
        // A gas that is also a laboratory solute comes as its solution among other reactants.
        if (!allGases && (t & kSheetGas) != 0 && (t & kSheetSolute) != 0)
            t = static_cast<unsigned char>(t & ~kSheetGas);
    }
    return traits;
}

std::vector<SheetDatum> DatumKinds(const SheetChoices& choices, const std::string& formula,
                                   int side) {
    return DatumKinds(choices, SheetTraits(formula), side);
}

std::vector<SheetDatum> DatumKinds(const SheetChoices& choices, unsigned char traits, int side) {
    const bool gas = (traits & kSheetGas) != 0;
    std::vector<SheetDatum> kinds;
    // An ion is never weighed, nor the electron: it is counted in moles.
    if ((traits & kSheetIon) != 0) {
        if (choices.data[static_cast<std::size_t>(SheetDatum::Moles)])
            kinds.push_back(SheetDatum::Moles);
        return kinds;
    }
    for (int k = 0; k < kSheetDatumCount; ++k) {
        const auto kind = static_cast<SheetDatum>(k);
        if (!choices.data[static_cast<std::size_t>(k)]) continue;
        bool suits = true;
        switch (kind) {
            case SheetDatum::ImpureGrams:
                // Ores, metals and salts come impure; gases and liquids do not.
                suits = side == kReactants && (traits & kSheetSolid) != 0;
                break;
            case SheetDatum::LitresNormal:
            case SheetDatum::LitresPT:
                suits = gas;
                break;
            case SheetDatum::Solution:
                suits = side == kReactants && (traits & kSheetSolute) != 0;
                break;
            default:
                break;
        }
        if (suits) kinds.push_back(kind);
    }
    return kinds;
}

std::vector<AmountUnit> AskedUnits(const SheetChoices& choices, const std::string& formula) {
    return AskedUnits(choices, SheetTraits(formula));
}

std::vector<AmountUnit> AskedUnits(const SheetChoices& choices, unsigned char traits) {
    if ((traits & kSheetIon) != 0) return {AmountUnit::Mole};
    const auto chosen = [&](SheetDatum kind) { return choices.data[static_cast<int>(kind)]; };
    std::vector<AmountUnit> units;
    if (chosen(SheetDatum::Grams) || chosen(SheetDatum::ImpureGrams))
        units.push_back(AmountUnit::Gram);
    if (chosen(SheetDatum::Moles)) units.push_back(AmountUnit::Mole);
    if ((traits & kSheetGas) != 0) {
        if (chosen(SheetDatum::LitresNormal)) units.push_back(AmountUnit::LitreNormal);
        if (chosen(SheetDatum::LitresPT)) units.push_back(AmountUnit::LitrePT);
    }
    if (units.empty()) units.push_back(AmountUnit::Gram);
    return units;
}

GasConditions DrawGas(SeededRandom& random) {
    GasConditions gas;
    gas.pressureUnit = random.Below(2) == 0 ? PressureUnit::Atm : PressureUnit::KPa;
    gas.pressure = gas.pressureUnit == PressureUnit::Atm ? RoundValue(random, kAtmRange, 2)
                                                         : RoundValue(random, kKPaRange);
    gas.temperatureUnit = TemperatureUnit::Celsius;
    gas.temperature =
        kCelsiusOffset +
        static_cast<double>(kCelsiusStep * random.Between(0, kCelsiusHigh / kCelsiusStep));
    return gas;
}

const ValueRange& MolarityRange(const std::string& formula) {
    static const char* const kConcentrated[] = {"HCl", "HNO3", "H2SO4", "H3PO4", "CH3COOH", "HBr",
                                                "HI",  "NaOH", "KOH",   "NH3",   "H2O2"};
    static const char* const kScarce[] = {"Ba(OH)2", "KMnO4", "K2Cr2O7"};
    if (std::find(std::begin(kConcentrated), std::end(kConcentrated), formula) !=
        std::end(kConcentrated))
        return kMolarityRange;
    if (std::find(std::begin(kScarce), std::end(kScarce), formula) != std::end(kScarce))
        return kScarceMolarityRange;
    return kSaltMolarityRange;
}

SlotData DrawSlot(SeededRandom& random, SheetDatum kind, const std::string& formula) {
    SlotData slot;
    slot.unit = UnitOf(kind);
    if (kind == SheetDatum::ImpureGrams)
        slot.purity = static_cast<double>(random.Between(kPurityLow, kPurityHigh));
    if (kind == SheetDatum::LitresPT) slot.gas = DrawGas(random);
    if (kind == SheetDatum::Solution) slot.molarity = RoundValue(random, MolarityRange(formula), 2);
    return slot;
}

SheetDatum DatumKindOf(const SlotData& d) {
    if (d.unit == AmountUnit::Gram)
        return d.purity < kPurePercent ? SheetDatum::ImpureGrams : SheetDatum::Grams;
    for (const auto& [datum, unit] : kDatumUnits) {
        if (unit == d.unit) return datum;
    }
    return SheetDatum::Grams;
}

double DrawAmount(SeededRandom& random, AmountUnit unit) {
    return RoundValue(random, AmountRange(unit));
}

bool InAmountRange(double amount, AmountUnit unit) {
    return InRange(amount, AmountRange(unit));
}

}  // namespace tovel
