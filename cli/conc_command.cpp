#include "cli/conc_command.h"
#include <sstream>
#include "cli/cli_port.h"
#include "cli/command.h"

#include <map>
#include <optional>
#include <ostream>

#include "core/concentration.h"
#include "core/formula.h"
#include "core/text_utils.h"
#include "exercises/concentration_fields.h"

namespace tovel {

using F = ConcentrationField;

bool RunConcentration(const std::vector<std::string>& args, ElementTable& table, UserPort& port,
                      std::string& error, std::ostream& out) {
    const std::map<std::string, ConcentrationKind> concentrations = {
        {"--molaridad", ConcentrationKind::Molarity},
        {"--molalidad", ConcentrationKind::Molality},
        {"--gl", ConcentrationKind::GramsPerLitre},
        {"--masa", ConcentrationKind::MassPercent}};
    const std::map<std::string, F> preparation = {{"--soluto", F::SoluteGrams},
                                                  {"--disolucion", F::SolutionMillilitres},
                                                  {"--disolvente", F::SolventGrams}};
    if (args.empty() || args[0].rfind("--", 0) == 0) {
        error = "conc needs a formula first";
        return false;
    }
    const std::string& formula = args[0];
    ConcentrationFields fields;
    fields[F::Compound] = formula;
    const bool tableLoaded = table.Count() > 0;
    const std::optional<double> compoundMass = CompoundMolarMass(formula, table, tableLoaded, port);
    if (tableLoaded && !compoundMass) return false;
    if (compoundMass) fields[F::MolarMass] = MolarMassText(*compoundMass);

    bool caseWanted = false;
    std::optional<ConcentrationKind> given;
    std::vector<std::pair<F, std::string>> amounts;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--caso") {
            caseWanted = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (const auto c = concentrations.find(option); c != concentrations.end() && !given) {
            given = c->second;
            fields[FieldOf(c->second)] = value;
        } else if (const auto p = preparation.find(option); p != preparation.end()) {
            amounts.emplace_back(p->second, value);
        } else if (option == "--densidad") {
            fields[F::Density] = value;
        } else {
            error = "unknown or repeated option " + option;
            return false;
        }
    }
    const bool prepare = !amounts.empty();
    if (prepare == given.has_value() || (prepare && amounts.size() != 2)) {
        error = "give one concentration, or --soluto with --disolucion or --disolvente";
        return false;
    }
    // The amounts in the order given, as the window takes them: of "ml disolución" and
    // "g disolvente" the last one given counts and empties the other.
    std::optional<PreparationQuantity> quantity;
    for (const auto& [field, value] : amounts) {
        fields[field] = value;
        if (field == F::SoluteGrams || TrimBlanks(value).empty()) continue;
        quantity = field == F::SolutionMillilitres ? PreparationQuantity::SolutionMillilitres
                                                   : PreparationQuantity::SolventGrams;
        fields[field == F::SolutionMillilitres ? F::SolventGrams : F::SolutionMillilitres].clear();
    }

    const std::optional<double> density = ReadDensity(fields[F::Density], port);
    if (!density) return false;
    ConcentrationResult result;
    SoluteMolarMass masses;
    if (prepare) {
        const std::optional<double> mm = ReadMolarMass(fields[F::MolarMass], port);
        if (!mm) return false;
        const std::optional<double> solute = ReadNumber(fields[F::SoluteGrams]);
        const std::optional<double> amount =
            quantity ? ReadNumber(fields[FieldOf(*quantity)]) : std::nullopt;
        if (!solute || !amount) {
            TellMissingData(port);
            return false;
        }
        masses = SoluteMasses(formula, *mm, table);
        result = FromPreparation(*solute, *quantity, *amount, masses, *density);
        if (result) ShowResults(result.amounts, *quantity, fields);
    } else {
        const std::optional<double> value = ReadNumber(fields[FieldOf(*given)]);
        if (!value) {
            TellMissingData(port);
            return false;
        }
        const std::optional<double> mm = ReadMolarMass(fields[F::MolarMass], port);
        if (!mm) return false;
        masses = SoluteMasses(formula, *mm, table);
        result = FromConcentration(*given, *value, masses, *density);
        if (result) ShowResults(result.amounts, *given, fields);
    }
    if (!result) {
        TellRefusal(port, result);
        return false;
    }

    for (const F field :
         {F::MolarMass, F::Density, F::Molarity, F::Molality, F::GramsPerLitre, F::MassPercent,
          F::SoluteGrams, F::SolutionMillilitres, F::SolventGrams}) {
        if (!fields[field].empty()) out << FieldListName(field) << "\t" << fields[field] << "\n";
    }
    if (caseWanted) {
        ConcentrationCase shown;
        shown.kind = prepare ? CaseKind::PreparationGiven : CaseKind::ConcentrationGiven;
        shown.concentration = given.value_or(ConcentrationKind::Molarity);
        shown.quantity = quantity.value_or(PreparationQuantity::SolventGrams);
        shown.formula = WrittenFormula(formula);
        shown.fields = fields;
        if (masses.dissolved < masses.weighed) shown.saltMolarMass = masses.dissolved;
        const CaseText text = ComposeCase(shown);
        out << "\n"
            << ReplaceAll(text.statement, "\r\n", "\n") << "\n"
            << ReplaceAll(text.answer, "\r\n", "\n") << "\n";
    }
    return true;
}

const CliCommand kConcCommand = {
    "conc",
    "conc FORMULA (--molaridad V | --molalidad V | --gl V | --masa V |\n"
    "     --soluto G (--disolucion ML | --disolvente G)) [--densidad D] [--caso]",
    "the concentrations of a solution, and with --caso the case as a worded\n"
    "exercise with its answer",
    true, [](const std::vector<std::string>& items, CliContext& context) {
        std::string error;
        std::ostringstream text;
        if (RunConcentration(items, context.table, context.port, error, text)) {
            context.out << text.str();
            // What the window would also say, such as a field left empty.
            if (const std::string report = context.port.TakeReport(); !report.empty())
                context.err << "tovel-cli: " << EscapeForTerminal(report) << "\n";
            return 0;
        }
        const std::string report = context.port.TakeReport();
        if (report.empty() && !error.empty()) {
            context.err << "tovel-cli: " << EscapeForTerminal(error) << "\n";
            return 2;
        }
        context.out << "error: " << report << "\n";
        return 1;
    }};

}  // namespace tovel
