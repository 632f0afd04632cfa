#include "app/calculation_model.h"

#include <algorithm>

#include "core/control_text.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/text_utils.h"
#include "exercises/calculation_input.h"

namespace tovel {

std::string CalculationModel::ReactedMolesText(int side, std::size_t slot) const {
    return FormatSignificant(m_result->amounts[side][slot - 1].molesReacted, kResultFigures);
}

std::string CalculationModel::FinalAmountText(std::size_t slot) const {
    return FormatSignificant(m_result->amounts[kReactants][slot - 1].finalAmount, kResultFigures);
}

void CalculationModel::Start(const Reaction& reaction) {
    for (int side = 0; side < 2; ++side) {
        m_formulas[side].clear();
        for (const auto& substance : reaction.substances[side])
            m_formulas[side].push_back(substance.formula);
    }
    for (auto& side : m_unit)
        side.fill(AmountUnit::Gram);
    for (auto& q : m_qualifier)
        q.clear();
    m_purity.fill(kPurePercent);
    for (auto& side : m_boxes)
        side.fill(AmountBox{});
    m_yield = AmountBox{"100", false};
    m_yieldFromObtained = false;
    m_result.reset();
}

void CalculationModel::TypeYield(const std::string& text) {
    if (m_yield.text == text && !m_yield.result) return;
    m_yield = AmountBox{text, false};
    ClearResults();
}

void CalculationModel::SetYieldFromObtained(bool fromObtained) {
    if (m_yieldFromObtained == fromObtained) return;
    m_yieldFromObtained = fromObtained;
    // The field is the answer when it is found and a datum again when it is given.
    m_yield = AmountBox{fromObtained ? "" : "100", false};
    ClearResults();
}

std::string CalculationModel::UnitText(int side, std::size_t slot) const {
    return tovel::UnitText(Data(side, slot));
}

std::string CalculationModel::ReadGas(int side, std::size_t slot, const UnitInputs& inputs,
                                      GasConditions& gas) const {
    const std::string& formula = Formula(side, slot);
    int error = 0;
    const double pressure = ReadReal(inputs.pressure, error);
    if (error != 0 || TrimBlanks(inputs.pressure).empty())
        return NotANumberText("P de " + formula, inputs.pressure);
    double temperature = ReadReal(inputs.temperature, error);
    if (error != 0 || TrimBlanks(inputs.temperature).empty()) {
        return NotANumberText("T de " + formula, inputs.temperature);
    }
    const bool celsius = inputs.temperatureUnit == TemperatureUnit::Celsius;
    if (celsius) temperature += kCelsiusOffset;
    // Only positive pressures and absolute temperatures describe a gas.
    if (!(pressure > 0))
        return "P de " + formula + ": " + TrimBlanks(inputs.pressure) + "; ha de ser mayor que 0";
    if (!(temperature > 0)) {
        return "T de " + formula + ": " + TrimBlanks(inputs.temperature) +
               (celsius ? " °C" : " K") + "; ha de ser mayor que 0 K (-273 °C)";
    }
    gas = GasConditions{pressure, temperature, inputs.pressureUnit, inputs.temperatureUnit};
    return "";
}

bool CalculationModel::AcceptGasConditions(int side, std::size_t slot, const UnitInputs& inputs) {
    GasConditions gas;
    bool& set = m_gasSet[side][slot - 1];
    set = ReadGas(side, slot, inputs, gas).empty();
    if (set) m_gas[side][slot - 1] = gas;
    ClearResults();
    return set;
}

bool CalculationModel::EnterGasConditions(int side, std::size_t slot, const UnitInputs& inputs,
                                          UserPort& port) {
    GasConditions gas;
    const std::string problem = ReadGas(side, slot, inputs, gas);
    if (!problem.empty()) {
        m_gasSet[side][slot - 1] = false;  // what was typed no longer describes the gas
        ClearResults();
        ReportInvalidData(port, problem);
        return false;
    }
    return AcceptGasConditions(side, slot, inputs);
}

std::string CalculationModel::ReadMolarity(std::size_t slot, const std::string& text,
                                           double& molarity) const {
    const std::string field = "M de " + Formula(kReactants, slot);
    int error = 0;
    molarity = ReadReal(text, error);
    if (error != 0 || TrimBlanks(text).empty()) return NotANumberText(field, text);
    if (!(molarity > 0 && molarity < kMolarityLimit)) {
        return field + ": " + TrimBlanks(text) + "; ha de ser mayor que 0 y menor que " +
               FormatSignificantShort(kMolarityLimit, 3) + " mol/L";
    }
    return "";
}

bool CalculationModel::AcceptUnit(int side, std::size_t slot, AmountUnit unit,
                                  const UnitInputs& inputs, UserPort& port) {
    std::string qualifier;
    if (unit == AmountUnit::Gram && side == kReactants) {
        int error = 0;
        const double purity = ReadReal(inputs.purity, error);
        if (error != 0 || TrimBlanks(inputs.purity).empty()) {
            ReportInvalidData(
                port, NotANumberText("% de pureza de " + Formula(side, slot), inputs.purity));
            return false;
        }
        if (!(purity > 0 && purity <= kPurePercent)) {
            NoticeWith(port, "Valor fuera de rango",
                       "% de pureza de " + Formula(side, slot) + ": " + TrimBlanks(inputs.purity) +
                           "; ha de ser mayor que 0 y como mucho 100",
                       MessageIcon::Exclamation);
            return false;
        }
        m_purity[slot - 1] = purity;
        qualifier = PurityQualifier(purity);
    } else if (unit == AmountUnit::LitrePT) {
        if (!EnterGasConditions(side, slot, inputs, port)) return false;
    } else if (unit == AmountUnit::Solution) {
        if (side != kReactants) {
            ReportInvalidData(port, "V disolución: solo para los reactivos");
            return false;
        }
        double molarity = 0;
        if (const std::string problem = ReadMolarity(slot, inputs.molarity, molarity);
            !problem.empty()) {
            ReportInvalidData(port, problem);
            return false;
        }
        m_molarity[slot - 1] = molarity;
        qualifier = MolarityQualifier(molarity);
    }
    m_unit[side][slot - 1] = unit;
    // The qualifier belongs to the unit that has one; another unit shows none.
    if (side == kReactants) m_qualifier[slot - 1] = qualifier;
    ClearResults();
    return true;
}

bool CalculationModel::EnterMolarity(std::size_t slot, const std::string& text, UserPort& port) {
    double molarity = 0;
    if (const std::string problem = ReadMolarity(slot, text, molarity); !problem.empty()) {
        ReportInvalidData(port, problem);
        return false;
    }
    m_molarity[slot - 1] = molarity;
    m_qualifier[slot - 1] = MolarityQualifier(molarity);
    ClearResults();
    return true;
}

void CalculationModel::TypeInBox(int side, std::size_t slot, const std::string& text) {
    m_boxes[side][slot - 1] = AmountBox{text, false};
    ClearResults();
}

SlotData CalculationModel::Data(int side, std::size_t slot) const {
    SlotData data;
    data.unit = Unit(side, slot);
    data.purity = side == kReactants ? Purity(slot) : kPurePercent;
    data.molarity = Molarity(slot);
    data.gas = Gas(side, slot);
    return data;
}

bool CalculationModel::Calculate(const Reaction& reaction, UserPort& port) {
    ClearResults();
    std::array<std::vector<SlotData>, 2> data;
    // Every box must hold an amount (or nothing), and every gas its P and T, before anything is
    // computed; the boxes the program filled are not data.
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot) {
            SlotData d = Data(side, slot);
            const std::string& formula = reaction.substances[side][slot - 1].formula;
            const AmountBox& box = Box(side, slot);
            if (!box.result) {
                const std::optional<double> amount = ReadAmount(box.text, formula, port);
                if (!amount) return false;
                d.amount = *amount;
            }
            if (d.unit == AmountUnit::LitrePT && !GasSet(side, slot)) {
                ReportGasNotSet(formula, port);
                return false;
            }
            data[side].push_back(d);
        }
    }
    StoichiometryResult result;
    if (m_yieldFromObtained) {
        std::optional<StoichiometryResult> found = CalculateObtainedYield(reaction, data, port);
        if (!found) return false;
        result = std::move(*found);
        m_yield = AmountBox{FormatSignificant(result.yieldPercent, kResultFigures), true};
    } else {
        const std::optional<double> yield = ReadYield(m_yield.text, port);
        if (!yield) return false;
        result = CalculateStoichiometry(reaction, data, *yield);
        if (!result.HasData()) {
            ReportNoData(port);
            return false;
        }
        if (!AllFinite(result)) {
            ReportOverflow(port);
            return false;
        }
    }
    ReportUnusedProducts(reaction, result, port);

    // A reactant without a datum shows the amount needed; every product not given, what forms.
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot) {
            const bool given = result.dataSide == side &&
                               std::find(result.dataSlots.begin(), result.dataSlots.end(), slot) !=
                                   result.dataSlots.end();
            if (given || (side == kProducts && slot == result.obtained)) continue;
            const SlotResult& r = result.amounts[side][slot - 1];
            const double amount = side == kReactants ? r.initialAmount : r.finalAmount;
            m_boxes[side][slot - 1] = AmountBox{FormatSignificant(amount, kResultFigures), true};
        }
    }
    m_result = std::move(result);
    m_data = std::move(data);
    return true;
}

void CalculationModel::Reset() {
    for (auto& side : m_boxes)
        side.fill(AmountBox{});
    if (m_yield.result) m_yield = AmountBox{};
    m_result.reset();
}

void CalculationModel::ClearResults() {
    m_result.reset();
    if (m_yield.result) m_yield = AmountBox{};
    for (auto& side : m_boxes) {
        for (AmountBox& box : side) {
            if (box.result) box = AmountBox{};
        }
    }
}

ProblemInput CalculationModel::Problem(const Reaction& reaction) const {
    ProblemInput problem;
    problem.reaction = reaction;
    problem.data = m_data;
    problem.qualifiers = m_qualifier;
    if (m_result) problem.result = *m_result;
    return problem;
}

}  // namespace tovel
