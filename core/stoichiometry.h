#pragma once
// The stoichiometric calculation on a balanced reaction, as a pure function: amounts in grams
// (with purity), moles, litres of gas at normal conditions or at P and T, or millilitres of a
// solution go in; the limiting reactant, the extent of reaction and what reacts, remains and
// forms come out. Nothing here reads or writes a text the user typed: the main window's model
// and tovel-cli read and refuse their inputs, then both call CalculateStoichiometry.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/reaction.h"

namespace tovel {

// The order is that of the units group's radio buttons.
enum class AmountUnit : int {
    Gram = 0,
    Mole = 1,
    LitreNormal = 2,  // litres of gas at normal conditions
    LitrePT = 3,      // litres of gas at the slot's P and T
    Solution = 4,     // millilitres of a solution of the slot's molarity
};
constexpr int kAmountUnitCount = 5;

// The order is that of the pressure and temperature combo boxes.
enum class PressureUnit : int { Atm = 0, KPa = 1 };
enum class TemperatureUnit : int { Celsius = 0, Kelvin = 1 };

constexpr double kMolarVolume = 22.4;      // L/mol at normal conditions
constexpr double kGasConstantAtm = 0.082;  // atm·L/(mol·K)
constexpr double kGasConstantKPa = 8.31;   // kPa·L/(mol·K): 0.082 x 101.3, so both units agree
constexpr double kCelsiusOffset = 273;
constexpr double kMillilitresPerLitre = 1000;
constexpr double kPurePercent = 100;
constexpr double kMolarityLimit = 11;  // molarities accepted by the units group: 0 < M < 11

double GasConstant(PressureUnit unit);
// The unit's short name in the current language: "g", "mol", "L cn", "L", "ml".
std::string UnitName(AmountUnit unit);
std::string PressureUnitName(PressureUnit unit);  // "atm", "kPa"

// Between grams, moles and litres at normal conditions, through the substance's molar mass.
// The other units need the slot's conditions: see MolesFromAmount and AmountFromMoles.
double ConvertAmount(double value, const Substance& substance, AmountUnit from, AmountUnit to);

struct GasConditions {
    double pressure = 1;       // in pressureUnit
    double temperature = 293;  // kelvin, whatever the scale it was typed in
    PressureUnit pressureUnit = PressureUnit::Atm;
    TemperatureUnit temperatureUnit = TemperatureUnit::Celsius;  // how T is typed and shown
};

// Moles of gas per litre, P / (R T); 0 when P or T is not positive.
double GasFactor(const GasConditions& gas);

// One substance's unit, its conditions and the user's amount.
struct SlotData {
    AmountUnit unit = AmountUnit::Gram;
    double purity = kPurePercent;  // percent; counts for a reactant in grams only
    double molarity = 1;           // mol/L, for AmountUnit::Solution
    GasConditions gas;             // for AmountUnit::LitrePT
    double amount = 0;             // in the unit; 0 is no datum
};

// What is wrong with a slot's unit and conditions, checked before a calculation.
enum class SlotRefusal {
    None,
    PurityOutOfRange,     // 0 < purity <= 100
    MolarityOutOfRange,   // 0 < molarity
    GasConditionsNotSet,  // P and T must both be positive
    ProductSolution,      // a solution volume is offered for reactants only
};
SlotRefusal CheckSlot(const SlotData& slot, int side);

// The moles an amount in the slot's unit stands for: a reactant's impure grams count only the
// pure substance, litres at P and T through the gas factor, millilitres through the molarity.
double MolesFromAmount(const Substance& substance, const SlotData& slot, int side, double amount);
// The reverse: moles as an amount in the slot's unit (impure grams for an impure reactant).
double AmountFromMoles(const Substance& substance, const SlotData& slot, int side, double moles);

struct SlotResult {
    double initialMoles = 0;   // the datum in moles; for a reactant without datum, what reacts
    double molesReacted = 0;   // reacted, or formed for a product
    double finalMoles = 0;     // left of a reactant, formed of a product; below ξ/1000 it is 0
    double initialAmount = 0;  // initialMoles in the slot's unit (the amount needed, when no datum)
    double finalAmount = 0;    // finalMoles in the slot's unit
    // What a product would form at a yield of 100 %; molesReacted is this times the yield.
    double theoreticalMoles = 0;
};

struct StoichiometryResult {
    int dataSide = kReactants;           // where the data came from
    std::vector<std::size_t> dataSlots;  // 1-based slots of that side with a datum, in order
    // Products with an amount that was not used because reactants were given.
    std::vector<std::size_t> unusedProducts;
    std::size_t limiting = 0;  // the limiting reactant's slot; 0 when a product was given
    double extent = 0;         // ξ in moles: moles of a reactant = coefficient x ξ
    // Percent of the theoretical amount of each product that forms; the reactants react as the
    // equation says whatever it is.
    double yieldPercent = kPurePercent;
    // The product whose amount was what was really obtained, from which yieldPercent was found;
    // 0 when the yield was given.
    std::size_t obtained = 0;
    std::array<std::vector<SlotResult>, 2> amounts;  // by side and slot

    bool HasData() const { return !dataSlots.empty(); }
    int DataCount() const { return static_cast<int>(dataSlots.size()); }
};

// The calculation. given holds one SlotData for every substance of each side, with positive or
// zero amounts and slots that CheckSlot accepts. Reactants with an amount decide: the one with
// the smallest moles / coefficient is limiting (the first of equal ratios). Only when no reactant
// has an amount does the first product with one decide. Without any amount the result HasData()
// is false and nothing else is set. Products form yieldPercent of their theoretical amounts; a
// product that decides is what is really obtained, so the reactants it needs are more.
StoichiometryResult CalculateStoichiometry(const Reaction& reaction,
                                           const std::array<std::vector<SlotData>, 2>& given,
                                           double yieldPercent = kPurePercent);

// A yield is accepted above 0 and up to 100 %.
bool YieldInRange(double percent);

// The yield from what was really obtained: the reactants' amounts give the theoretical amount of
// the product in obtainedSlot, whose own amount is what was obtained; the other products follow
// the same yield. HasData() is false without a reactant amount; yieldPercent may come out above
// 100 (more obtained than can form) or be no number (nothing can form): the caller refuses those.
StoichiometryResult CalculateFromObtained(const Reaction& reaction,
                                          const std::array<std::vector<SlotData>, 2>& given,
                                          std::size_t obtainedSlot);

// Whether every figure of the result is a finite number; amounts so large that some figure
// overflows give a result no one may be shown.
bool AllFinite(const StoichiometryResult& result);

// The unit's short name, for a gas at P and T followed by " a " P unit " y " T "K".
std::string UnitText(const SlotData& slot);
// A purity as the user gave it: up to three significant figures, never in exponent form
// (99.5, 85.5, 80, 12.5, 0.05).
std::string PurityText(double purity);
// Shown after a reactant's unit name: " 80%" for a purity below 100, " 2M" for a molarity.
std::string PurityQualifier(double purity);
std::string MolarityQualifier(double molarity);

// "M.A.: " and, for each element of the reactants in order of first appearance,
// " symbol = mass," with 4 figures; the last comma dropped.
std::string AtomicMassLine(const Reaction& reaction);

}  // namespace tovel
