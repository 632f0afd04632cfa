#include "exercises/problem_text.h"

#include "core/number_format.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

std::string Fmt(double value, unsigned digits) {
    return FormatSignificant(value, digits);
}
std::string Compact(double value) {
    return FormatSignificantShort(value, 3);
}

const std::string& Formula(const Reaction& r, int side, std::size_t slot) {
    return r.substances[side][slot - 1].formula;
}

std::string FormulaList(const Reaction& r, int side, std::size_t first) {
    std::string text;
    const std::size_t n = r.Count(side) - (first - 1);
    for (std::size_t i = 1; i <= n; ++i)
        text += Formula(r, side, first + i - 1) + ListJoiner(i, n);
    return text;
}

// Appends text as lines: text holding "\r\n" becomes several lines, so "\r\nResultados:\r\n" is
// an empty line, the word and another empty line, as a multi-line box shows it.
void Append(std::vector<std::string>& lines, const std::string& text) {
    std::size_t from = 0;
    while (true) {
        const auto br = text.find("\r\n", from);
        lines.push_back(text.substr(from, br == std::string::npos ? std::string::npos : br - from));
        if (br == std::string::npos) break;
        from = br + 2;
    }
}

const SlotData& Data(const ProblemInput& p, int side, std::size_t slot) {
    return p.data[side][slot - 1];
}
const SlotResult& Result(const ProblemInput& p, int side, std::size_t slot) {
    return p.result.amounts[side][slot - 1];
}
std::string Unit(const ProblemInput& p, int side, std::size_t slot) {
    return UnitText(Data(p, side, slot));
}

}  // namespace

std::string ListJoiner(std::size_t i, std::size_t n) {
    if (i + 1 < n) return ", ";
    if (i + 1 == n) return " y ";
    return "";
}

std::vector<std::string> StatementLines(const ProblemInput& p) {
    std::vector<std::string> lines;
    const Reaction& r = p.reaction;
    const std::size_t nR = r.Count(kReactants);
    const std::size_t nP = r.Count(kProducts);
    const int given = p.result.dataSide;
    const auto& slots = p.result.dataSlots;

    std::string reaction = "El " + Formula(r, kReactants, 1);
    reaction += nR == 1 ? " se descompone en "
                        : " reacciona con " + FormulaList(r, kReactants, 2) + " para dar: ";
    lines.push_back(reaction + FormulaList(r, kProducts, 1) + ".");

    std::string data = given == kReactants ? "Si han intervenido " : "Si se quiere obtener ";
    for (std::size_t k = 1; k <= slots.size(); ++k) {
        const std::size_t slot = slots[k - 1];
        data += Fmt(Data(p, given, slot).amount, 3) + " " + Unit(p, given, slot) + " de " +
                Formula(r, given, slot);
        if (given == kReactants) {
            const std::string& qualifier = p.qualifiers[slot - 1];
            data += " " + std::string(qualifier.find('%') != std::string::npos ? "del" : "") +
                    qualifier + ListJoiner(k, slots.size());
        }
    }
    const std::size_t obtained = p.result.obtained;
    if (obtained != 0) {
        const SlotData& real = Data(p, kProducts, obtained);
        if (data.back() != ' ') data += ' ';
        data += "y se obtienen " + Fmt(real.amount, 3) + " " + UnitText(real) + " de " +
                Formula(r, kProducts, obtained) + ",";
    } else if (p.result.yieldPercent < kPurePercent) {
        if (data.back() != ' ') data += ' ';
        data += "con un rendimiento del " + PurityText(p.result.yieldPercent) + " %,";
    }
    lines.push_back(data + " calcula:");

    const int other = 1 - given;
    if (obtained != 0) {
        // The yield is asked first, then what else forms at that yield.
        std::string question = "El rendimiento de la reacción";
        const std::size_t others = r.Count(kProducts) - 1;
        std::size_t listed = 0;
        for (std::size_t i = 1; i <= r.Count(kProducts); ++i) {
            if (i == obtained) continue;
            if (++listed == 1) question += " y los ";
            question += Unit(p, kProducts, i) + " de " + Formula(r, kProducts, i) +
                        ListJoiner(listed, others);
        }
        lines.push_back(question + (others > 0 ? " obtenidos." : "."));
    } else {
        std::string question = "Los ";
        for (std::size_t i = 1; i <= r.Count(other); ++i) {
            question +=
                Unit(p, other, i) + " de " + Formula(r, other, i) + ListJoiner(i, r.Count(other));
        }
        lines.push_back(question + (other == kProducts ? " obtenidos" : " que han de reaccionar ") +
                        ".");
    }

    if (given == kReactants && slots.size() > 1) {
        lines.push_back(
            "También las cantidades reaccionantes y en exceso de los diferentes reactivos.");
    } else if (given == kReactants && nR > 1) {
        lines.push_back("También las cantidades que han reaccionado de los otros reactivos.");
    } else if (given == kProducts && nP > 1) {
        std::string also = "También ";
        std::size_t listed = 0;
        for (std::size_t i = 1; i <= nP; ++i) {
            if (i == slots.front()) continue;
            ++listed;
            also += Unit(p, kProducts, i) + " de " + Formula(r, kProducts, i) +
                    ListJoiner(listed, nP - 1);
        }
        lines.push_back(also + " obtenidos.");
    }
    lines.push_back(AtomicMassLine(r));
    lines.push_back("");
    return lines;
}

std::string FactorText(const ProblemInput& p, int side, std::size_t slot) {
    const SlotData& d = Data(p, side, slot);
    switch (d.unit) {
        case AmountUnit::Gram: {
            std::string text =
                "x " + Fmt(p.reaction.substances[side][slot - 1].molarMass, 4) + "g/mol";
            if (side == kReactants && d.purity < kPurePercent)
                text += " x 100/" + PurityText(d.purity);
            return text;
        }
        case AmountUnit::LitreNormal:
            return "x " + Compact(kMolarVolume) + "L/mol";
        case AmountUnit::LitrePT:
            return "· R·" + Fmt(d.gas.temperature, 4) + "K/" + Fmt(d.gas.pressure, 3) +
                   PressureUnitName(d.gas.pressureUnit) + " L/mol";
        case AmountUnit::Solution:
            // The moles before it are named, so that "0.456" and "1 L" do not read as one number.
            return " mol x 1 L/" + Fmt(d.molarity, 3) + " mol x 1000 ml/L";
        default:
            return "";
    }
}

std::vector<std::string> ResolutionLines(const ProblemInput& p) {
    std::vector<std::string> lines;
    const Reaction& r = p.reaction;
    const StoichiometryResult& result = p.result;
    const int given = result.dataSide;
    const double xi = result.extent;
    Append(lines, "REACCIÓN: " + ReactionText(r));
    Append(lines, RepeatChar("=", 48));
    Append(lines, "Datos: ");
    for (const std::size_t slot : result.dataSlots) {
        const SlotData& d = Data(p, given, slot);
        std::string line = Formula(r, given, slot) + ":\t" + Fmt(d.amount, 3) + " " + UnitText(d);
        const double moles = Result(p, given, slot).initialMoles;
        switch (d.unit) {
            case AmountUnit::Gram:
                if (given == kReactants && d.purity != kPurePercent)
                    line += " x" + PurityText(d.purity) + "/100";
                line += " x 1 mol/" + Fmt(r.substances[given][slot - 1].molarMass, 4) +
                        "g = " + Fmt(moles, 3) + " mol";
                break;
            case AmountUnit::LitreNormal:
                line += " x 1 mol/" + Compact(kMolarVolume) + "L = " + Fmt(moles, 3) + " mol";
                break;
            case AmountUnit::LitrePT:
                line += " = " + Fmt(moles, 3) + " mol";
                break;
            case AmountUnit::Solution:
                line +=
                    " x 1L/1000ml x " + Fmt(d.molarity, 3) + "mol/L = " + Fmt(moles, 3) + " mol";
                break;
            default:
                break;
        }
        double theoretical = moles;
        if (given == kProducts && result.yieldPercent < kPurePercent) {
            // What is obtained is the yield's part of what forms: the reactants must give more.
            theoretical = moles * kPurePercent / result.yieldPercent;
            line += " x 100/" + PurityText(result.yieldPercent) + " = " + Fmt(theoretical, 3) +
                    " mol teóricos";
        }
        const auto coefficient = r.coefficients[given][slot - 1];
        if (coefficient > 1)
            line += "   / " + IntText(coefficient) + " -> " + Fmt(theoretical / coefficient, 3);
        if (result.DataCount() > 1 && given == kReactants && slot == result.limiting)
            line += "\t <- R.Limitante";
        Append(lines, line);
    }
    if (result.obtained != 0) {
        const SlotData& real = Data(p, kProducts, result.obtained);
        Append(lines, Formula(r, kProducts, result.obtained) + ":\t" + Fmt(real.amount, 3) + " " +
                          UnitText(real) + " obtenidos");
    }
    Append(lines, "\r\nResultados:\r\n");

    if (r.Count(kReactants) > 1 || given == kProducts) {
        std::string header = "REACTIVO\tmoles reac.    -  cantidad";
        if (result.DataCount() > 1) header += "\t\t\t\texceso (=ini-reac.)";
        Append(lines, header);
        Append(lines, SeparatorLine(80));
        for (std::size_t i = 1; i <= r.Count(kReactants); ++i) {
            if (given == kReactants && i == result.limiting) continue;
            const SlotResult& a = Result(p, kReactants, i);
            const SlotData& d = Data(p, kReactants, i);
            const double reacting =
                AmountFromMoles(r.substances[kReactants][i - 1], d, kReactants, a.molesReacted);
            std::string line = Formula(r, kReactants, i) + "\t" + Fmt(xi, 3) + " x  " +
                               IntText(r.coefficients[kReactants][i - 1]) + " = " +
                               Fmt(a.molesReacted, 3) + FactorText(p, kReactants, i) + " = " +
                               Fmt(reacting, 3) + (d.unit == AmountUnit::Solution ? " " : "") +
                               UnitName(d.unit);
            if (a.finalMoles > 0)
                line += "\t -> " + Fmt(a.finalAmount, 3) + " " + UnitName(d.unit) + " final";
            Append(lines, line);
        }
    }
    if (given == kReactants || r.Count(kProducts) > 1) {
        Append(lines, "\r\nPRODUCTO\tmoles formados\t\tcantidades");
        Append(lines, SeparatorLine(80));
        for (std::size_t i = 1; i <= r.Count(kProducts); ++i) {
            if (given == kProducts && i == result.dataSlots.front()) continue;
            const SlotResult& a = Result(p, kProducts, i);
            // With a yield, what would form first, then the share of it that does.
            std::string formed;
            if (result.yieldPercent < kPurePercent) {
                formed = Fmt(a.theoreticalMoles, 3);
                formed += " mol teóricos x " + PurityText(result.yieldPercent) + "/100 = ";
            }
            formed += Fmt(a.molesReacted, 3);
            Append(lines, Formula(r, kProducts, i) + "\t" + Fmt(xi, 3) + " x " +
                              IntText(r.coefficients[kProducts][i - 1]) + " = " + formed + "\t" +
                              FactorText(p, kProducts, i) + "\t= " + Fmt(a.finalAmount, 3) + " " +
                              UnitName(Data(p, kProducts, i).unit));
        }
    }
    if (result.obtained != 0) {
        const std::size_t slot = result.obtained;
        const SlotData& real = Data(p, kProducts, slot);
        const double theoretical =
            AmountFromMoles(r.substances[kProducts][slot - 1], real, kProducts,
                            Result(p, kProducts, slot).theoreticalMoles);
        // Four figures, so that the division can be checked on a calculator.
        Append(lines, "\r\nRendimiento = " + Fmt(real.amount, 3) + " " + UnitName(real.unit) +
                          " obtenidos / " + Fmt(theoretical, 4) + " " + UnitName(real.unit) +
                          " teóricos x 100 = " + Fmt(result.yieldPercent, 4) + " %");
    }
    return lines;
}

std::string ShowSeparators(const std::string& text) {
    return ReplaceAll(text, "\u00AD", kVisibleSeparator);
}

std::string StoreSeparators(const std::string& text) {
    return ReplaceAll(text, kVisibleSeparator, "\u00AD");
}

}  // namespace tovel
