#include "stoichiometry.h"

#include <algorithm>

#include "control_text.h"
#include "language.h"
#include "messages.h"
#include "number_format.h"
#include "text_utils.h"

namespace tovel {

namespace {

constexpr std::array<MessageTriple, 5> kUnitNames = {{
    {"g", "g", "g"},
    {"mol", "mole", "mol"},
    {"L cn", "L sc", "L cn"},
    {"L", "L", "L"},
    {"ml", "ml", "ml"},
}};

}  // namespace

double GasConstant(int pressureUnit) { return pressureUnit == 1 ? kGasConstantKPa : kGasConstantAtm; }

std::string UnitName(int unit) {
    return unit >= 0 && unit < 5 ? std::string(Select(kUnitNames[static_cast<std::size_t>(unit)])) : "";
}

double ConvertAmount(double value, const Substance& substance, int from, int to) {
    double moles = value;
    if (from == kUnitGram) moles = value / substance.molarMass;
    if (from == kUnitLitreNormal) moles = value / kMolarVolume;
    if (to == kUnitGram) return moles * substance.molarMass;
    if (to == kUnitLitreNormal) return moles * kMolarVolume;
    return moles;
}

void Stoichiometry::Start() {
    for (auto& side : m_unit) side.fill(kUnitGram);
    for (auto& q : m_qualifier) q.clear();
    m_purity.fill(100);
    m_dataCount = 0;
    m_dataSlots.clear();
    m_limiting = 0;
    m_extent = 0;
    m_amounts = {};
}

std::string Stoichiometry::UnitText(int side, std::size_t slot) const {
    const int unit = Unit(side, slot);
    std::string text = UnitName(unit);
    if (unit == kUnitLitrePT) {
        const GasConditions& gas = Gas(side, slot);
        text += " a " + FormatSignificant(gas.pressure, 3) + (gas.pressureUnit == 1 ? "kPa" : "atm") + " y " +
                FormatSignificant(gas.temperature, 3) + "ºK";
    }
    return text;
}

bool Stoichiometry::AcceptGasConditions(int side, std::size_t slot, const UnitInputs& inputs) {
    GasConditions& gas = m_gas[side][slot - 1];
    gas.factor = 0;
    int error = 0;
    const double pressure = ReadReal(inputs.pressure, error);
    if (error != 0) return false;
    double temperature = ReadReal(inputs.temperature, error);
    if (error != 0) return false;
    gas.pressureUnit = inputs.pressureUnit;
    gas.temperatureUnit = inputs.temperatureUnit;
    if (inputs.temperatureUnit == 0) temperature += kCelsiusOffset;
    gas.pressure = pressure;
    gas.temperature = temperature;
    // Only positive pressures and absolute temperatures describe a gas.
    if (pressure <= 0 || temperature <= 0) return false;
    gas.factor = pressure / temperature / GasConstant(inputs.pressureUnit);
    return true;
}

bool Stoichiometry::AcceptUnit(int side, std::size_t slot, int unit, const UnitInputs& inputs, UserPort& port) {
    int error = 0;
    std::string qualifier;
    if (unit == kUnitGram && side == kReactants) {
        const double purity = ReadReal(inputs.purity, error);
        if (error != 0) return false;
        if (purity > 0 && purity < 100) {
            m_purity[slot - 1] = purity;
            qualifier = " " + FormatSignificantShort(purity, 2) + "%";
        } else if (purity == 100) {
            m_purity[slot - 1] = 100;
        } else {
            Notice(port, "Valor fuera de rango", "% de pureza entre 1 y 100");
            return false;
        }
    } else if (unit == kUnitLitrePT) {
        if (!AcceptGasConditions(side, slot, inputs)) return false;
    } else if (unit == kUnitSolution) {
        // A solution volume is offered for reactants only.
        if (side != kReactants) return false;
        const double molarity = ReadReal(inputs.molarity, error);
        if (error != 0 || molarity <= 0 || molarity >= kMolarityLimit) return false;
        m_molarity[slot - 1] = molarity;
        qualifier = " " + FormatSignificantShort(molarity, 3) + "M";
    } else if (unit < 0 || unit > kUnitSolution) {
        return false;
    }
    m_unit[side][slot - 1] = unit;
    // The qualifier belongs to the unit that has one; another unit shows none.
    if (side == kReactants) m_qualifier[slot - 1] = qualifier;
    return true;
}

void Stoichiometry::EnterMolarity(std::size_t slot, const std::string& text) {
    int error = 0;
    const double molarity = ReadReal(text, error);
    if (error != 0 || molarity <= 0) return;  // a molarity of 0 would divide by zero
    m_molarity[slot - 1] = molarity;
    m_qualifier[slot - 1] = " " + FormatSignificant(molarity, 3) + "M";
}

double Stoichiometry::AmountInUnit(const Reaction& reaction, int side, std::size_t slot, double moles) const {
    const int unit = Unit(side, slot);
    switch (unit) {
        case kUnitLitrePT: {
            const double factor = Gas(side, slot).factor;
            return factor == 0 ? 0 : moles / factor;
        }
        case kUnitSolution:
            return kMillilitresPerLitre * moles / Molarity(slot);
        default: {
            double amount = ConvertAmount(moles, reaction.substances[side][slot - 1], kUnitMole, unit);
            if (unit == kUnitGram && side == kReactants && Purity(slot) < 100) amount = amount * 100 / Purity(slot);
            return amount;
        }
    }
}

int Stoichiometry::ReadSide(const Reaction& reaction, int side, const std::vector<std::string>& boxes) {
    m_dataSide = side;
    m_dataCount = 0;
    m_limiting = 0;
    m_dataSlots.clear();
    double runningMinimum = 1e300;
    for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot) {
        SlotAmounts& a = m_amounts[side][slot - 1];
        int error = 0;
        a.entered = slot <= boxes.size() ? ReadReal(boxes[slot - 1], error) : 0;
        if (a.entered == 0) {
            a.initialMoles = 0;
            continue;
        }
        m_dataSlots.push_back(slot);
        ++m_dataCount;
        const int unit = Unit(side, slot);
        double moles = 0;
        if (unit == kUnitLitrePT) {
            moles = Gas(side, slot).factor * a.entered;
        } else if (unit == kUnitSolution) {
            moles = a.entered * Molarity(slot) / kMillilitresPerLitre;
        } else {
            double value = a.entered;
            if (side == kReactants && unit == kUnitGram && Purity(slot) != 100) value = value * Purity(slot) / 100;
            moles = ConvertAmount(value, reaction.substances[side][slot - 1], unit, kUnitMole);
        }
        a.initialMoles = moles;
        const double ratio = moles / reaction.coefficients[side][slot - 1];
        if (side == kProducts) {
            m_extent = ratio;  // the first product given decides
            return m_dataCount;
        }
        if (ratio < runningMinimum) {
            runningMinimum = ratio;
            m_limiting = slot;  // the first of equal ratios stays
        }
    }
    m_extent = runningMinimum;
    return m_dataCount;
}

bool Stoichiometry::Calculate(const Reaction& reaction, const std::array<std::vector<std::string>, 2>& boxes,
                              UserPort& port) {
    // Every box must hold an amount (or nothing) before anything is computed.
    for (int side = 0; side < 2; ++side) {
        for (std::size_t k = 0; k < boxes[side].size() && k < reaction.Count(side); ++k) {
            int error = 0;
            const double value = ReadReal(boxes[side][k], error);
            if (error != 0 || value < 0) {
                NoticeWith(port, "Datos no válidos",
                           "Cantidad no válida para " + reaction.substances[side][k].formula + ": " +
                               TrimBlanks(boxes[side][k]),
                           MessageIcon::Exclamation);
                return false;
            }
        }
    }
    if (ReadSide(reaction, kReactants, boxes[kReactants]) == 0) ReadSide(reaction, kProducts, boxes[kProducts]);
    if (m_dataCount == 0) {
        NoticeWith(port, "Ningún dato válido", "Hay que introducir al menos 1 dato", MessageIcon::Exclamation);
        return false;
    }
    const double threshold = m_extent / 1000;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t slot = 1; slot <= reaction.Count(side); ++slot) {
            SlotAmounts& a = m_amounts[side][slot - 1];
            a.molesReacted = reaction.coefficients[side][slot - 1] * m_extent;
            if (side == kReactants) {
                if (a.initialMoles <= 0) {
                    a.initialMoles = a.molesReacted;
                    a.finalMoles = 0;
                } else {
                    a.finalMoles = a.initialMoles - a.molesReacted;
                }
            } else {
                a.finalMoles = a.molesReacted;
            }
            if (a.finalMoles < threshold) a.finalMoles = 0;
            a.finalAmount = AmountInUnit(reaction, side, slot, a.finalMoles);
        }
    }
    return true;
}

std::string AtomicMassLine(const Reaction& reaction) {
    std::string line = "M.A.: ";
    std::vector<std::uint16_t> seen;
    for (const auto& substance : reaction.substances[kReactants]) {
        for (const auto& entry : substance.entries) {
            const auto z = entry.element.atomicNumber;
            if (std::find(seen.begin(), seen.end(), z) != seen.end()) continue;
            seen.push_back(z);
            line += " " + entry.element.symbol + " = " + FormatSignificant(entry.element.atomicMass, 4) + ",";
        }
    }
    line.pop_back();
    return line;
}

}  // namespace tovel
