#include "cli/problem_command.h"

#include <sstream>
#include "cli/command.h"

#include <algorithm>
#include <ostream>

#include "core/control_text.h"
#include "core/equation_checks.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/reaction.h"
#include "core/text_utils.h"
#include "exercises/calculation_input.h"
#include "exercises/problem_text.h"

namespace tovel {

namespace {

// Splits "2atm" into "2" and "atm".
bool SplitNumber(const std::string& text, std::string& number, std::string& suffix) {
    std::size_t i = 0;
    while (i < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.' || text[i] == '+' ||
            text[i] == '-' ||
            ((text[i] == 'e' || text[i] == 'E') && i > 0 && i + 1 < text.size() &&
             (std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '-')))) {
        ++i;
    }
    number = text.substr(0, i);
    suffix = text.substr(i);
    return !number.empty();
}

bool ReadNumber(const std::string& text, double& value) {
    int error = 0;
    value = ReadReal(text, error);
    return error == 0 && !text.empty();
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
    const std::vector<std::string> fields = SplitAt(text.substr(equals + 1), ':');
    std::string unit;
    if (!SplitNumber(fields[0], datum.amount, unit)) {
        error = "falta la cantidad: " + text;
        return false;
    }
    auto bad = [&] {
        error = "unidad no válida (g, g:P%, mol, Lcn, L:P:T, ml:MM): " + text;
        return false;
    };
    SlotData& slot = datum.slot;
    if (unit == "g" && fields.size() <= 2) {
        slot.unit = AmountUnit::Gram;
        if (fields.size() == 2) {
            datum.purityGiven = true;
            const std::string& purity = fields[1];
            if (purity.empty() || purity.back() != '%' ||
                !ReadNumber(purity.substr(0, purity.size() - 1), slot.purity)) {
                return bad();
            }
        }
    } else if (unit == "mol" && fields.size() == 1) {
        slot.unit = AmountUnit::Mole;
    } else if (unit == "Lcn" && fields.size() == 1) {
        slot.unit = AmountUnit::LitreNormal;
    } else if (unit == "L" && fields.size() == 3) {
        slot.unit = AmountUnit::LitrePT;
        std::string pressure, pressureUnit, temperature, temperatureUnit;
        if (!SplitNumber(fields[1], pressure, pressureUnit) ||
            !SplitNumber(fields[2], temperature, temperatureUnit) ||
            !ReadNumber(pressure, slot.gas.pressure) ||
            !ReadNumber(temperature, slot.gas.temperature)) {
            return bad();
        }
        if (pressureUnit != "atm" && pressureUnit != "kPa") return bad();
        if (temperatureUnit != "C" && temperatureUnit != "K") return bad();
        slot.gas.pressureUnit = pressureUnit == "kPa" ? PressureUnit::KPa : PressureUnit::Atm;
        slot.gas.temperatureUnit =
            temperatureUnit == "K" ? TemperatureUnit::Kelvin : TemperatureUnit::Celsius;
        if (slot.gas.temperatureUnit == TemperatureUnit::Celsius)
            slot.gas.temperature += kCelsiusOffset;
    } else if (unit == "ml" && fields.size() == 2) {
        slot.unit = AmountUnit::Solution;
        const std::string& molarity = fields[1];
        if (molarity.size() < 2 || molarity.back() != 'M' ||
            !ReadNumber(molarity.substr(0, molarity.size() - 1), slot.molarity)) {
            return bad();
        }
    } else {
        return bad();
    }
    return true;
}

bool RunProblem(const std::string& equation, const std::vector<std::string>& data,
                ElementTable& table, UserPort& port, std::string& error, std::ostream& out,
                const ProblemYield& yield) {
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, table, port, &failure);
    ReportReactionParseFailure(code, port, &failure, equation);
    if (code != kReactionOk || !AutoBalance(reaction, table, port)) return false;

    ProblemInput problem;
    problem.reaction = reaction;
    for (int side = 0; side < 2; ++side)
        problem.data[side].resize(reaction.Count(side));
    std::vector<std::string> given;  // the formulas that have a datum
    std::size_t obtained = 0;        // the product of --obtenido
    std::vector<std::string> all = data;
    if (!yield.obtained.empty()) all.push_back(yield.obtained);
    for (const auto& text : all) {
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
        // One box per substance in the window: a second amount would have to replace the first
        // without a word, and a product has no purity (it is what forms).
        if (std::find(given.begin(), given.end(), datum.formula) != given.end()) {
            error = datum.formula + " tiene dos datos: da uno solo";
            return false;
        }
        given.push_back(datum.formula);
        if (datum.purityGiven && side == kProducts) {
            error = "la pureza solo se da a los reactivos, y " + datum.formula +
                    " es un producto: " + text;
            return false;
        }
        // The units group's rules: a purity from 0 to 100, a molarity below the limit.
        SlotData& d = datum.slot;
        const SlotRefusal refusal = CheckSlot(d, side);
        if (refusal == SlotRefusal::PurityOutOfRange) {
            Notice(port, "Valor fuera de rango",
                   "% de pureza de " + datum.formula + ": " + PurityText(d.purity) +
                       "; ha de ser mayor que 0 y como mucho 100");
            return false;
        }
        if (refusal != SlotRefusal::None ||
            (d.unit == AmountUnit::Solution && d.molarity >= kMolarityLimit)) {
            error = "Datos no válidos: No se ha establecido la unidad de " + datum.formula;
            return false;
        }
        const std::optional<double> amount = ReadAmount(datum.amount, datum.formula, port);
        if (!amount) return false;
        d.amount = *amount;
        if (side == kReactants) {
            if (d.unit == AmountUnit::Gram)
                problem.qualifiers[slot - 1] = PurityQualifier(d.purity);
            if (d.unit == AmountUnit::Solution)
                problem.qualifiers[slot - 1] = MolarityQualifier(d.molarity);
        }
        problem.data[side][slot - 1] = d;
        if (!yield.obtained.empty() && &text == &all.back()) {
            if (side != kProducts) {
                error = "--obtenido da lo que se obtiene de un producto, y " + datum.formula +
                        " es un reactivo";
                return false;
            }
            obtained = slot;
        }
    }
    if (obtained != 0) {
        std::optional<StoichiometryResult> found =
            CalculateObtainedYield(reaction, problem.data, port, obtained);
        if (!found) return false;
        problem.result = std::move(*found);
    } else {
        const std::optional<double> percent = ReadYield(yield.percent, port);
        if (!percent) return false;
        problem.result = CalculateStoichiometry(reaction, problem.data, *percent);
        if (!problem.result.HasData()) {
            ReportNoData(port);
            return false;
        }
        if (!AllFinite(problem.result)) {
            ReportOverflow(port);
            return false;
        }
    }
    ReportUnusedProducts(reaction, problem.result, port);

    // The statement ends with its empty line, which separates it from the resolution.
    for (const auto& line : StatementLines(problem))
        out << ShowSeparators(line) << "\n";
    for (const auto& line : ResolutionLines(problem))
        out << ShowSeparators(line) << "\n";
    return true;
}

namespace {

// Takes --rendimiento P and --obtenido DATUM (or --opcion=VALUE) out of the items; false after
// telling what is wrong with them.
bool TakeYieldOptions(std::vector<std::string>& items, ProblemYield& yield, std::ostream& err) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        std::string* target = nullptr;
        std::string option;
        for (const auto& [name, field] : {std::pair{"--rendimiento", &yield.percent},
                                          std::pair{"--obtenido", &yield.obtained}}) {
            if (item == name || item.rfind(std::string(name) + "=", 0) == 0) {
                target = field;
                option = name;
            }
        }
        if (target == nullptr) {
            rest.push_back(item);
            continue;
        }
        std::string value;
        if (item != option) {
            value = item.substr(option.size() + 1);
        } else if (i + 1 < items.size()) {
            value = items[++i];
        }
        if (value.empty() || !target->empty()) {
            err << "tovel-cli: problem: " << option
                << (value.empty() ? " needs a value\n" : " is given twice\n");
            return false;
        }
        *target = value;
    }
    if (!yield.percent.empty() && !yield.obtained.empty()) {
        err << "tovel-cli: problem: --rendimiento and --obtenido exclude each other: the yield "
               "is given or found\n";
        return false;
    }
    items = std::move(rest);
    return true;
}

}  // namespace

const CliCommand kProblemCommand = {
    "problem", "problem [--rendimiento P | --obtenido DATUM] EQUATION DATUM...",
    "the worded problem of a calculation and its resolution; a DATUM is\n"
    "FORMULA=AMOUNT with a unit: g (g:80% with a purity), mol, Lcn (litres at\n"
    "normal conditions), L:P:T (L:2atm:300K, L:101.3kPa:25C) or ml:MM (ml:0.5M);\n"
    "--rendimiento P makes the products form P % of their theoretical amounts;\n"
    "--obtenido gives what was really obtained of a product (CaCl2=40g), and the\n"
    "yield is found from it",
    true, [](const std::vector<std::string>& arguments, CliContext& context) {
        std::vector<std::string> items = arguments;
        ProblemYield yield;
        if (!TakeYieldOptions(items, yield, context.err)) return 2;
        if (items.empty() || (items.size() < 2 && yield.obtained.empty())) {
            context.err << "tovel-cli: problem needs an equation and at least one datum\n";
            return 2;
        }
        std::string error;
        std::ostringstream text;
        if (RunProblem(items[0], std::vector<std::string>(items.begin() + 1, items.end()),
                       context.table, context.port, error, text, yield)) {
            context.out << text.str();
            // What the window would also say, such as data it did not use.
            if (const std::string report = context.port.TakeReport(); !report.empty())
                context.err << "tovel-cli: " << EscapeForTerminal(report) << "\n";
            return 0;
        }
        const std::string report = context.port.TakeReport();
        context.out << "error: " << (report.empty() ? EscapeForTerminal(error) : report) << "\n";
        return 1;
    }};

}  // namespace tovel
