#pragma once
// The stoichiometric calculation on a balanced reaction: amounts in grams (with purity), moles,
// litres of gas at normal conditions or at P and T, or millilitres of a solution; the limiting
// reactant, the extent of reaction and what reacts, remains and forms. No window here: the main
// window and tovel-cli both drive it.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "reaction.h"
#include "user_port.h"

namespace tovel {

enum AmountUnit : int {
    kUnitGram = 0,
    kUnitMole = 1,
    kUnitLitreNormal = 2,  // litres of gas at normal conditions
    kUnitLitrePT = 3,      // litres of gas at the slot's P and T
    kUnitSolution = 4,     // millilitres of a solution of the slot's molarity
};

constexpr double kMolarVolume = 22.4;      // L/mol at normal conditions
constexpr double kGasConstantAtm = 0.082;  // atm·L/(mol·K)
constexpr double kGasConstantKPa = 8.29;   // kPa·L/(mol·K), as the problems use it
constexpr double kCelsiusOffset = 273;
constexpr double kMillilitresPerLitre = 1000;
constexpr double kMolarityLimit = 11;      // accepted molarities: 0 < M < 11

double GasConstant(int pressureUnit);
// The unit's short name in the current language: "g", "mol", "L cn", "L", "ml".
std::string UnitName(int unit);
// Between grams, moles and litres at normal conditions, through the substance's molar mass.
double ConvertAmount(double value, const Substance& substance, int from, int to);

struct GasConditions {
    double pressure = 1;       // in the pressure unit
    double temperature = 293;  // kelvin
    int pressureUnit = 0;      // 0 atm, 1 kPa
    int temperatureUnit = 0;   // 0 °C, 1 K (how T is typed and shown)
    double factor = 1.0 / 293 / kGasConstantAtm;  // mol/L = P / (R T); 0: not set
};

struct SlotAmounts {
    double entered = 0;       // in the slot's unit; 0 is no datum
    double initialMoles = 0;
    double molesReacted = 0;  // reacted, or formed for a product
    double finalMoles = 0;
    double finalAmount = 0;   // in the slot's unit
};

// What the user types in the units group for the selected substance.
struct UnitInputs {
    std::string purity;
    std::string pressure;
    std::string temperature;
    int pressureUnit = 0;
    int temperatureUnit = 0;
    std::string molarity;
};

class Stoichiometry {
public:
    // Entering calculation mode: every unit grams, no qualifier, every purity 100.
    void Start();

    int Unit(int side, std::size_t slot) const { return m_unit[side][slot - 1]; }
    const GasConditions& Gas(int side, std::size_t slot) const { return m_gas[side][slot - 1]; }
    double Purity(std::size_t slot) const { return m_purity[slot - 1]; }
    double Molarity(std::size_t slot) const { return m_molarity[slot - 1]; }
    const std::string& Qualifier(std::size_t slot) const { return m_qualifier[slot - 1]; }
    const SlotAmounts& Amounts(int side, std::size_t slot) const { return m_amounts[side][slot - 1]; }

    // The unit's short name, for P and T gases followed by " a " P unit " y " T "ºK".
    std::string UnitText(int side, std::size_t slot) const;

    // "ok" of the units group: sets the unit when its conditions are acceptable; purity out of
    // range is reported. False when not accepted (the slot keeps its unit).
    bool AcceptUnit(int side, std::size_t slot, int unit, const UnitInputs& inputs, UserPort& port);
    // P and T of a gas; false (factor 0, conditions not set) when either is no number or P x T is 0.
    bool AcceptGasConditions(int side, std::size_t slot, const UnitInputs& inputs);
    // Enter in the molarity field: any number is taken.
    void EnterMolarity(std::size_t slot, const std::string& text);

    // "Calc": amounts as typed in the boxes, by side and slot. Reports a box that is no amount
    // and the lack of any datum; false then, with nothing computed.
    bool Calculate(const Reaction& reaction, const std::array<std::vector<std::string>, 2>& boxes,
                   UserPort& port);
    // "Rst" or a changed box: the results no longer stand.
    void ClearResults() { m_dataCount = 0; }

    // Results of the last calculation.
    double Extent() const { return m_extent; }
    int DataCount() const { return m_dataCount; }
    int DataSide() const { return m_dataSide; }
    std::size_t Limiting() const { return m_limiting; }  // 0: none (a product was given)
    const std::vector<std::size_t>& DataSlots() const { return m_dataSlots; }

    // Moles of a substance in its unit, with the purity (impure grams) and molarity rules.
    double AmountInUnit(const Reaction& reaction, int side, std::size_t slot, double moles) const;

private:
    // Reads one side's amounts into moles; returns how many were given.
    int ReadSide(const Reaction& reaction, int side, const std::vector<std::string>& boxes);

    std::array<std::array<int, kSideLimit>, 2> m_unit{};
    std::array<std::array<GasConditions, kSideLimit>, 2> m_gas{};
    std::array<double, kSideLimit> m_molarity{1, 1, 1, 1, 1, 1};
    std::array<double, kSideLimit> m_purity{100, 100, 100, 100, 100, 100};
    std::array<std::string, kSideLimit> m_qualifier;
    std::array<std::array<SlotAmounts, kSideLimit>, 2> m_amounts{};
    double m_extent = 0;
    int m_dataCount = 0;
    int m_dataSide = 0;
    std::size_t m_limiting = 0;
    std::vector<std::size_t> m_dataSlots;
};

// "M.A.: " and, for each element of the reactants in order of first appearance,
// " symbol = mass," with 4 figures; the last comma dropped.
std::string AtomicMassLine(const Reaction& reaction);

}  // namespace tovel
