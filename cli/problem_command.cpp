#include "problem_command.h"

#include <ostream>

#include "equation_checks.h"
#include "problem_text.h"
#include "reaction.h"

namespace tovel {

namespace {

// Splits "2atm" into "2" and "atm".
bool SplitNumber(const std::string& text, std::string& number, std::string& suffix) {
    std::size_t i = 0;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.' ||
                               text[i] == '+' || text[i] == '-' ||
                               ((text[i] == 'e' || text[i] == 'E') && i > 0 && i + 1 < text.size() &&
                                (std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '-')))) {
        ++i;
    }
    number = text.substr(0, i);
    suffix = text.substr(i);
    return !number.empty();
}

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (auto colon = text.find(':'); colon != std::string::npos; colon = text.find(':', from)) {
        parts.push_back(text.substr(from, colon - from));
        from = colon + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

}  // namespace

bool ParseDatum(const std::string& text, Datum& datum, std::string& error) {
    datum = Datum{};
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        error = "dato sin FÓRMULA=CANTIDAD: " + text;
        return false;
    }
    datum.formula = text.substr(0, equals);
    const std::vector<std::string> parts = SplitColons(text.substr(equals + 1));
    std::string unit;
    if (!SplitNumber(parts[0], datum.amount, unit)) {
        error = "falta la cantidad: " + text;
        return false;
    }
    datum.inputs.purity = "100";
    auto bad = [&] {
        error = "unidad no válida (g, g:P%, mol, Lcn, L:P:T, ml:MM): " + text;
        return false;
    };
    if (unit == "g" && parts.size() <= 2) {
        datum.unit = kUnitGram;
        if (parts.size() == 2) {
            if (parts[1].empty() || parts[1].back() != '%') return bad();
            datum.inputs.purity = parts[1].substr(0, parts[1].size() - 1);
        }
    } else if (unit == "mol" && parts.size() == 1) {
        datum.unit = kUnitMole;
    } else if (unit == "Lcn" && parts.size() == 1) {
        datum.unit = kUnitLitreNormal;
    } else if (unit == "L" && parts.size() == 3) {
        datum.unit = kUnitLitrePT;
        std::string pressureUnit;
        std::string temperatureUnit;
        if (!SplitNumber(parts[1], datum.inputs.pressure, pressureUnit) ||
            !SplitNumber(parts[2], datum.inputs.temperature, temperatureUnit)) {
            return bad();
        }
        if (pressureUnit != "atm" && pressureUnit != "kPa") return bad();
        if (temperatureUnit != "C" && temperatureUnit != "K") return bad();
        datum.inputs.pressureUnit = pressureUnit == "kPa" ? 1 : 0;
        datum.inputs.temperatureUnit = temperatureUnit == "K" ? 1 : 0;
    } else if (unit == "ml" && parts.size() == 2) {
        datum.unit = kUnitSolution;
        if (parts[1].size() < 2 || parts[1].back() != 'M') return bad();
        datum.inputs.molarity = parts[1].substr(0, parts[1].size() - 1);
    } else {
        return bad();
    }
    return true;
}

bool RunProblem(const std::string& equation, const std::vector<std::string>& data, ElementTable& table,
                UserPort& port, std::string& error, std::ostream& out) {
    Reaction reaction;
    const int code = ParseReaction(reaction, equation, table, port);
    ReportReactionParseFailure(code, port);
    if (code != kReactionOk || !AutoBalance(reaction, table, port)) return false;

    Stoichiometry calc;
    calc.Start();
    std::array<std::vector<std::string>, 2> boxes{std::vector<std::string>(reaction.Count(kReactants)),
                                                  std::vector<std::string>(reaction.Count(kProducts))};
    for (const auto& text : data) {
        Datum datum;
        if (!ParseDatum(text, datum, error)) return false;
        int side = -1;
        std::size_t slot = 0;
        for (int s = 0; s < 2 && side < 0; ++s) {
            for (std::size_t k = 1; k <= reaction.Count(s); ++k) {
                if (reaction.substances[s][k - 1].formula == datum.formula) {
                    side = s;
                    slot = k;
                    break;
                }
            }
        }
        if (side < 0) {
            error = datum.formula + " no está en la ecuación";
            return false;
        }
        if (!calc.AcceptUnit(side, slot, datum.unit, datum.inputs, port)) {
            if (error.empty()) error = "Datos no válidos: No se ha establecido la unidad de " + datum.formula;
            return false;
        }
        boxes[side][slot - 1] = datum.amount;
    }
    if (!calc.Calculate(reaction, boxes, port)) return false;

    for (const auto& line : StatementLines(reaction, calc)) out << ShowSeparators(line) << "\n";
    out << "\n";
    for (const auto& line : ResolutionLines(reaction, calc)) out << ShowSeparators(line) << "\n";
    return true;
}

}  // namespace tovel
