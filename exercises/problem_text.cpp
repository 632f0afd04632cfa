#include "problem_text.h"

#include "number_format.h"
#include "text_utils.h"

namespace tovel {

namespace {

std::string Fmt(double value, unsigned digits) { return FormatSignificant(value, digits); }
std::string Compact(double value) { return FormatSignificantShort(value, 3); }

const std::string& Formula(const Reaction& r, int side, std::size_t slot) {
    return r.substances[side][slot - 1].formula;
}

std::string FormulaList(const Reaction& r, int side, std::size_t first) {
    std::string text;
    const std::size_t n = r.Count(side) - (first - 1);
    for (std::size_t i = 1; i <= n; ++i) text += Formula(r, side, first + i - 1) + ListJoiner(i, n);
    return text;
}

// Appends a line the way a multi-line box does: a line break first unless the box is empty.
// A line holding line breaks itself becomes several lines.
void Append(std::vector<std::string>& lines, const std::string& text) {
    std::size_t from = 0;
    while (true) {
        const auto br = text.find("\r\n", from);
        lines.push_back(text.substr(from, br == std::string::npos ? std::string::npos : br - from));
        if (br == std::string::npos) break;
        from = br + 2;
    }
}

// The amount that reacts, in the reactant's own unit (impure grams for an impure reactant).
double ReactingAmount(const Reaction& r, const Stoichiometry& calc, std::size_t slot, double moles) {
    switch (calc.Unit(kReactants, slot)) {
        case kUnitSolution:
            return moles * kMillilitresPerLitre / calc.Molarity(slot);
        case kUnitLitrePT: {
            const GasConditions& gas = calc.Gas(kReactants, slot);
            return moles * GasConstant(gas.pressureUnit) * gas.temperature / gas.pressure;
        }
        default: {
            const int unit = calc.Unit(kReactants, slot);
            double amount = ConvertAmount(moles, r.substances[kReactants][slot - 1], kUnitMole, unit);
            if (unit == kUnitGram && calc.Purity(slot) < 100) amount = amount / calc.Purity(slot) * 100;
            return amount;
        }
    }
}

}  // namespace

std::string ListJoiner(std::size_t i, std::size_t n) {
    if (i + 1 < n) return ", ";
    if (i + 1 == n) return " y ";
    return "";
}

std::vector<std::string> StatementLines(const Reaction& r, const Stoichiometry& calc) {
    std::vector<std::string> lines;
    const std::size_t nR = r.Count(kReactants);
    const std::size_t nP = r.Count(kProducts);
    const int given = calc.DataSide();
    const auto& slots = calc.DataSlots();

    std::string reaction = "El " + Formula(r, kReactants, 1);
    reaction += nR == 1 ? " se descompone en " : " reacciona con " + FormulaList(r, kReactants, 2) + " para dar: ";
    lines.push_back(reaction + FormulaList(r, kProducts, 1) + ".");

    std::string data = given == kReactants ? "Si han intervenido " : "Si se quiere obtener ";
    for (std::size_t k = 1; k <= slots.size(); ++k) {
        const std::size_t slot = slots[k - 1];
        data += Fmt(calc.Amounts(given, slot).entered, 3) + " " + calc.UnitText(given, slot) + " de " +
                Formula(r, given, slot);
        if (given == kReactants) {
            const std::string& qualifier = calc.Qualifier(slot);
            data += " " + std::string(qualifier.find('%') != std::string::npos ? "del" : "") + qualifier +
                    ListJoiner(k, slots.size());
        }
    }
    lines.push_back(data + " calcula:");

    const int other = 1 - given;
    std::string question = "Los ";
    for (std::size_t i = 1; i <= r.Count(other); ++i) {
        question += calc.UnitText(other, i) + " de " + Formula(r, other, i) + ListJoiner(i, r.Count(other));
    }
    lines.push_back(question + (other == kProducts ? " obtenidos" : " que han de reaccionar ") + ".");

    if (given == kReactants && slots.size() > 1) {
        lines.push_back("También las cantidades reaccionantes y en exceso de los diferentes reactivos.");
    } else if (given == kReactants && nR > 1) {
        lines.push_back("También les cantidades que han reaccionado de los otros reactivos.");
    } else if (given == kProducts && nP > 1) {
        std::string also = "También ";
        std::size_t listed = 0;
        for (std::size_t i = 1; i <= nP; ++i) {
            if (i == slots.front()) continue;
            ++listed;
            also += calc.UnitText(kProducts, i) + " de " + Formula(r, kProducts, i) + ListJoiner(listed, nP - 1);
        }
        lines.push_back(also + " obtenidos.");
    }
    lines.push_back(AtomicMassLine(r));
    lines.push_back("");
    return lines;
}

std::string FactorText(const Reaction& r, const Stoichiometry& calc, int side, std::size_t slot) {
    switch (calc.Unit(side, slot)) {
        case kUnitGram: {
            std::string text = "x " + Fmt(r.substances[side][slot - 1].molarMass, 4) + "g/mol";
            if (side == kReactants && calc.Purity(slot) < 100) text += " x 100/" + Compact(calc.Purity(slot));
            return text;
        }
        case kUnitLitreNormal:
            return "x 22.4L/mol";
        case kUnitLitrePT: {
            const GasConditions& gas = calc.Gas(side, slot);
            return "· R·" + Fmt(gas.temperature, 4) + "K/" + Fmt(gas.pressure, 3) +
                   (gas.pressureUnit == 1 ? "kPa" : "atm") + " L/mol";
        }
        case kUnitSolution:
            return "1L/" + Fmt(calc.Molarity(slot), 3) + " mol x 1000 ml/L";
        default:
            return "";
    }
}

std::vector<std::string> ResolutionLines(const Reaction& r, const Stoichiometry& calc) {
    std::vector<std::string> lines;
    const int given = calc.DataSide();
    const double xi = calc.Extent();
    Append(lines, "REACCIÓN: " + ReactionText(r));
    Append(lines, RepeatChar("=", 48));
    Append(lines, "Datos: ");
    for (const std::size_t slot : calc.DataSlots()) {
        const SlotAmounts& a = calc.Amounts(given, slot);
        std::string line = Formula(r, given, slot) + ":\t" + Fmt(a.entered, 3) + " " + calc.UnitText(given, slot);
        const double moles = a.initialMoles;
        switch (calc.Unit(given, slot)) {
            case kUnitGram:
                if (given == kReactants && calc.Purity(slot) != 100) line += " x" + Compact(calc.Purity(slot)) + "/100";
                line += " x 1 mol/" + Fmt(r.substances[given][slot - 1].molarMass, 4) + "g = " + Fmt(moles, 3) + " mol";
                break;
            case kUnitLitreNormal:
                line += " x 1 mol/22.4L = " + Fmt(moles, 3) + " mol";
                break;
            case kUnitLitrePT:
                line += " = " + Fmt(moles, 3) + " mol";
                break;
            case kUnitSolution:
                line += " x 1L/1000ml x " + Fmt(calc.Molarity(slot), 3) + "mol/L = " + Fmt(moles, 3) + " mol";
                break;
            default:
                break;
        }
        const auto coefficient = r.coefficients[given][slot - 1];
        if (coefficient > 1) line += "   / " + IntText(coefficient) + " -> " + Fmt(moles / coefficient, 3);
        if (calc.DataCount() > 1 && given == kReactants && slot == calc.Limiting()) line += "\t <- R.Limitante";
        Append(lines, line);
    }
    Append(lines, "\r\nResultados:\r\n");

    if (r.Count(kReactants) > 1 || given == kProducts) {
        std::string header = "REACTIVO\tmoles reac.    -  cantidad";
        if (calc.DataCount() > 1) header += "\t\t\t\texceso (=ini-reac.)";
        Append(lines, header);
        Append(lines, SeparatorLine(80));
        for (std::size_t i = 1; i <= r.Count(kReactants); ++i) {
            if (given == kReactants && i == calc.Limiting()) continue;
            const SlotAmounts& a = calc.Amounts(kReactants, i);
            const int unit = calc.Unit(kReactants, i);
            std::string line = Formula(r, kReactants, i) + "\t" + Fmt(xi, 3) + " x  " +
                               IntText(r.coefficients[kReactants][i - 1]) + " = " + Fmt(a.molesReacted, 3) +
                               FactorText(r, calc, kReactants, i) + " = " +
                               Fmt(ReactingAmount(r, calc, i, a.molesReacted), 3) + UnitName(unit);
            if (a.finalMoles > 0) line += "\t -> " + Fmt(a.finalAmount, 3) + " " + UnitName(unit) + " final";
            Append(lines, line);
        }
    }
    if (given == kReactants || r.Count(kProducts) > 1) {
        Append(lines, "\r\nPRODUCTO\tmoles formados\t\tcantidades");
        Append(lines, SeparatorLine(80));
        for (std::size_t i = 1; i <= r.Count(kProducts); ++i) {
            if (given == kProducts && i == calc.DataSlots().front()) continue;
            const SlotAmounts& a = calc.Amounts(kProducts, i);
            Append(lines, Formula(r, kProducts, i) + "\t" + Fmt(xi, 3) + " x " +
                              IntText(r.coefficients[kProducts][i - 1]) + " = " + Fmt(a.molesReacted, 3) + "\t" +
                              FactorText(r, calc, kProducts, i) + "\t= " + Fmt(a.finalAmount, 3) + " " +
                              UnitName(calc.Unit(kProducts, i)));
        }
    }
    return lines;
}

std::string ShowSeparators(const std::string& text) { return ReplaceAll(text, "\u00AD", kVisibleSeparator); }

std::string StoreSeparators(const std::string& text) { return ReplaceAll(text, kVisibleSeparator, "\u00AD"); }

}  // namespace tovel
