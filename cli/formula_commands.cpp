// tovel-cli composition and empirical: the percentage composition of formulas, and the empirical
// and molecular formula of a compound (or the water of a hydrate) from what was measured.
#include <map>
#include <optional>
#include <ostream>

#include "cli/command.h"
#include "core/empirical_formula.h"
#include "core/percent_composition.h"
#include "core/text_utils.h"
#include "exercises/concentration_fields.h"

namespace tovel {

namespace {

int RunComposition(const std::vector<std::string>& items, CliContext& context) {
    return RunEachItem(items, context, true, [](const std::string& formula, CliContext& c) {
        const Composition result = PercentComposition(formula, c.table);
        if (!result.error.empty()) {
            c.err << "tovel-cli: composition: " << result.error << "\n";
            return false;
        }
        for (const std::string& line : result.steps)
            c.out << line << "\n";
        for (const std::string& line : ShareLines(result))
            c.out << line << "\n";
        return true;
    });
}

// "8.80,3.60,6.00" as numbers, exactly count of them.
std::optional<std::vector<double>> Numbers(const std::string& text, std::size_t count) {
    std::vector<double> values;
    for (const std::string& part : SplitAt(text, ',')) {
        const std::optional<double> value = ReadNumber(part);
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    if (values.size() != count) return std::nullopt;
    return values;
}

struct EmpiricalOptions {
    CompositionInput composition;
    std::optional<std::vector<double>> combustion;
    std::optional<std::string> salt;
    std::optional<double> loss;
    std::optional<std::vector<double>> masses;
};

// The options and El=VALUE items; a usage error on err and false when they do not read.
bool ReadEmpiricalOptions(const std::vector<std::string>& items, EmpiricalOptions& o,
                          std::ostream& err) {
    const auto usage = [&](const std::string& why) {
        err << "tovel-cli: empirical: " << why << "\n";
        return false;
    };
    const std::map<std::string, int> valued = {{"--masa-molar", 0},
                                               {"--combustion", 1},
                                               {"--hidrato", 2},
                                               {"--perdida", 3},
                                               {"--masas", 4}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string item = items[i];
        std::string value;
        if (const auto equals = item.find('=');
            item.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = item.substr(equals + 1);
            item = item.substr(0, equals);
        }
        if (item == "--gramos") {
            o.composition.grams = true;
            continue;
        }
        if (item == "--normalizar") {
            o.composition.normalise = true;
            continue;
        }
        const auto option = valued.find(item);
        if (option == valued.end()) {
            if (item.rfind("--", 0) == 0) return usage("no option " + item);
            const auto equals = item.find('=');
            const std::optional<double> amount =
                equals == std::string::npos ? std::nullopt : ReadNumber(item.substr(equals + 1));
            if (equals == 0 || !amount)
                return usage("an element is given as El=VALUE, not " + item);
            o.composition.elements.push_back({item.substr(0, equals), *amount});
            continue;
        }
        if (value.empty()) {
            if (i + 1 >= items.size()) return usage(item + " needs a value");
            value = items[++i];
        }
        switch (option->second) {
            case 0:
                if (const auto m = ReadNumber(value)) {
                    o.composition.molarMass = *m;
                } else {
                    return usage("--masa-molar needs a number, not " + value);
                }
                break;
            case 1:
                o.combustion = Numbers(value, 3);
                if (!o.combustion) return usage("--combustion needs GCO2,GH2O,GSAMPLE");
                break;
            case 2:
                o.salt = value;
                break;
            case 3:
                o.loss = ReadNumber(value);
                if (!o.loss) return usage("--perdida needs a percent, not " + value);
                break;
            default:
                o.masses = Numbers(value, 2);
                if (!o.masses) return usage("--masas needs BEFORE,AFTER in grams");
                break;
        }
    }
    const bool elements = !o.composition.elements.empty();
    if (o.salt.has_value() != (o.loss || o.masses) || (o.loss && o.masses))
        return usage("--hidrato SALT goes with one of --perdida P and --masas BEFORE,AFTER");
    const int ways = int(elements) + int(o.combustion.has_value()) + int(o.salt.has_value());
    if (ways != 1)
        return usage("give the elements (El=VALUE...), --combustion or --hidrato, one of them");
    return true;
}

int RunEmpirical(const std::vector<std::string>& items, CliContext& context) {
    EmpiricalOptions o;
    if (!ReadEmpiricalOptions(items, o, context.err)) return 2;
    const auto fail = [&](const std::string& error) {
        context.err << "tovel-cli: empirical: " << error << "\n";
        return 1;
    };
    if (o.salt) {
        HydrateInput input{*o.salt};
        if (o.loss) input.lossPercent = *o.loss;
        if (o.masses) {
            input.masses = true;
            input.before = (*o.masses)[0];
            input.after = (*o.masses)[1];
        }
        const HydrateResult result = HydrateFromLoss(input, context.table);
        for (const std::string& step : result.steps)
            context.out << step << "\n";
        if (!result.error.empty()) return fail(result.error);
        context.out << AnswerLine(result) << "\n";
        return 0;
    }
    const EmpiricalResult result =
        o.combustion ? CombustionFormula({(*o.combustion)[0], (*o.combustion)[1],
                                          (*o.combustion)[2], o.composition.molarMass},
                                         context.table)
                     : EmpiricalFormula(o.composition, context.table);
    for (const std::string& step : result.steps)
        context.out << step << "\n";
    if (!result.error.empty()) {
        if (result.percentSumOff)
            return fail(result.error + "; --normalizar los reparte sobre 100");
        return fail(result.error);
    }
    for (const std::string& line : AnswerLines(result))
        context.out << line << "\n";
    return 0;
}

}  // namespace

const CliCommand kCompositionCommand = {
    "composition", "composition [FORMULA...]",
    "the percentage composition of each formula, hydrates included: the working,\n"
    "then each element as \"<symbol>\\t<percent> %\" and, for a hydrate, \"H2O\\t<percent> %\";\n"
    "without arguments, each non-empty line of standard input",
    true, RunComposition};

const CliCommand kEmpiricalCommand = {
    "empirical",
    "empirical El=VALUE... [--gramos] [--normalizar] [--masa-molar M]\n"
    "      | --combustion GCO2,GH2O,GSAMPLE [--masa-molar M]\n"
    "      | --hidrato SALT (--perdida P | --masas BEFORE,AFTER)",
    "the empirical formula of a compound from the percent (or, with --gramos, the\n"
    "grams) of each element, or from the grams of CO2 and H2O a combustion of\n"
    "GSAMPLE grams gave; with --masa-molar also the molecular formula. The working,\n"
    "then \"Fórmula empírica: X\" and \"Fórmula molecular: Y\". Percents must add up\n"
    "to 100 (99.5 to 100.5) unless --normalizar shares them out over 100. With\n"
    "--hidrato, the water x of SALT·xH2O from the percent of mass lost on heating\n"
    "or the grams before and after: \"Fórmula del hidrato: SALT·xH2O\"",
    true, RunEmpirical};

}  // namespace tovel
