#pragma once
// Calculation mode without the window: each substance's unit and conditions, the amount boxes and
// the results of the last "Calc". What the user typed is kept apart from what the program wrote:
// a box the program filled holds a result, shown as one and never read back as a datum, so a
// second "Calc" computes from the user's data alone.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/reaction.h"
#include "core/stoichiometry.h"
#include "core/user_port.h"
#include "exercises/calculation_input.h"
#include "exercises/problem_text.h"

namespace tovel {

// What the user types in the units group for the selected substance.
struct UnitInputs {
    std::string purity;
    std::string pressure;
    std::string temperature;
    PressureUnit pressureUnit = PressureUnit::Atm;
    TemperatureUnit temperatureUnit = TemperatureUnit::Celsius;
    std::string molarity;
};

// One amount box beside a list.
struct AmountBox {
    std::string text;
    bool result = false;  // written by the program: shown as a result, never read as a datum
};

// The significant figures of every amount calculation mode shows.
constexpr int kResultFigures = 3;

class CalculationModel {
  public:
    // Entering calculation mode on a balanced reaction: every unit grams, every purity 100, no
    // qualifier, empty boxes. Gas conditions and molarities stay as they were.
    void Start(const Reaction& reaction);

    AmountUnit Unit(int side, std::size_t slot) const { return m_unit[side][slot - 1]; }
    const GasConditions& Gas(int side, std::size_t slot) const { return m_gas[side][slot - 1]; }
    // False after P and T that could not be taken: the gas cannot be used until they are.
    bool GasSet(int side, std::size_t slot) const { return m_gasSet[side][slot - 1]; }
    double Purity(std::size_t slot) const { return m_purity[slot - 1]; }
    double Molarity(std::size_t slot) const { return m_molarity[slot - 1]; }
    const std::string& Qualifier(std::size_t slot) const { return m_qualifier[slot - 1]; }
    // The unit's short name, for P and T gases followed by " a " P unit " y " T "K".
    std::string UnitText(int side, std::size_t slot) const;

    // "ok" of the units group: sets the unit when its conditions are acceptable. Anything not
    // accepted is reported once, naming the substance, the field and what is allowed; false then,
    // and the slot keeps its unit.
    bool AcceptUnit(int side, std::size_t slot, AmountUnit unit, const UnitInputs& inputs,
                    UserPort& port);
    // P and T of a gas; false (conditions not set) when either is no number, P is not positive
    // or T not above absolute zero. EnterGasConditions also tells the user why.
    bool AcceptGasConditions(int side, std::size_t slot, const UnitInputs& inputs);
    bool EnterGasConditions(int side, std::size_t slot, const UnitInputs& inputs, UserPort& port);
    // Enter in the molarity field: the molarities "ok" accepts, with the same report.
    bool EnterMolarity(std::size_t slot, const std::string& text, UserPort& port);

    const AmountBox& Box(int side, std::size_t slot) const { return m_boxes[side][slot - 1]; }
    // The user typed in a box: its text is a datum again, and the results no longer stand.
    void TypeInBox(int side, std::size_t slot, const std::string& text);

    // The "Rendimiento %" field: given, the products form that part of their theoretical
    // amounts; found from what was obtained of a product, it shows the yield as a result.
    const AmountBox& Yield() const { return m_yield; }
    void TypeYield(const std::string& text);
    bool YieldFromObtained() const { return m_yieldFromObtained; }
    void SetYieldFromObtained(bool fromObtained);

    // "Calc" on the user's data. Reports a box that holds no amount, a gas without P and T, the
    // lack of any datum (false then, and no results) and data it did not use.
    bool Calculate(const Reaction& reaction, UserPort& port);
    // "Rst": every box emptied, no results.
    void Reset();
    // Something the results came from changed: they and the boxes the program filled are gone.
    void ClearResults();

    bool HasResults() const { return m_result.has_value(); }
    // The last calculation; only while HasResults().
    const StoichiometryResult& Result() const { return *m_result; }
    // The last calculation's amounts as the window shows them (only while HasResults()): the
    // moles of the substance that react or form, and what is left of a reactant in its unit.
    std::string ReactedMolesText(int side, std::size_t slot) const;
    std::string FinalAmountText(std::size_t slot) const;
    // What the worded problem is written from: the user's data and this calculation's results.
    ProblemInput Problem(const Reaction& reaction) const;

  private:
    SlotData Data(int side, std::size_t slot) const;
    const std::string& Formula(int side, std::size_t slot) const {
        return m_formulas[side][slot - 1];
    }
    // Reads P and T into gas; the reason they cannot be taken, or nothing.
    std::string ReadGas(int side, std::size_t slot, const UnitInputs& inputs,
                        GasConditions& gas) const;
    // Reads a molarity; the reason it cannot be taken, or nothing.
    std::string ReadMolarity(std::size_t slot, const std::string& text, double& molarity) const;

    std::array<std::vector<std::string>, 2> m_formulas;  // for the messages
    std::array<std::array<AmountUnit, kSideLimit>, 2> m_unit{};
    std::array<std::array<GasConditions, kSideLimit>, 2> m_gas{};
    std::array<std::array<bool, kSideLimit>, 2> m_gasSet{
        {{true, true, true, true, true, true}, {true, true, true, true, true, true}}};
    // Molarity and purity are kept by slot number, for both sides, and entered for reactants.
    std::array<double, kSideLimit> m_molarity{1, 1, 1, 1, 1, 1};
    std::array<double, kSideLimit> m_purity{100, 100, 100, 100, 100, 100};
    std::array<std::string, kSideLimit> m_qualifier;
    std::array<std::array<AmountBox, kSideLimit>, 2> m_boxes;
    std::optional<StoichiometryResult> m_result;
    std::array<std::vector<SlotData>, 2> m_data;  // what the last calculation was given
    AmountBox m_yield{"100", false};
    bool m_yieldFromObtained = false;
};

}  // namespace tovel
