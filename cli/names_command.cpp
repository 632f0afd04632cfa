// tovel-cli name and formula: inorganic nomenclature both ways, a formula or a name an item.
#include <ostream>

#include "cli/command.h"
#include "core/nomenclature.h"

namespace tovel {

namespace {

int RunName(const std::vector<std::string>& items, CliContext& context) {
    return RunEachItem(items, context, true, [](const std::string& formula, CliContext& c) {
        const Nomenclature n = NameFormula(formula);
        if (!n.Named()) {
            c.err << "tovel-cli: name: " << formula << ": " << n.error << "\n";
            return false;
        }
        // Notes go where errors go, so that every line of the output is a system and a name.
        for (const std::string& note : n.notes)
            c.err << "tovel-cli: name: " << formula << ": " << note << "\n";
        for (const SystemName& name : n.names)
            c.out << name.system << ": " << name.name << (name.kept ? "" : " (no IUPAC 2005)")
                  << "\n";
        return true;
    });
}

int RunFormula(const std::vector<std::string>& items, CliContext& context) {
    return RunEachItem(items, context, true, [](const std::string& name, CliContext& c) {
        const NameReading reading = FormulaOfName(name);
        if (reading.formula.empty()) {
            c.err << "tovel-cli: formula: " << name << ": " << reading.error << "\n";
            return false;
        }
        c.out << reading.formula << "\n";
        return true;
    });
}

}  // namespace

const CliCommand kNameCommand = {
    "name", "name [FORMULA...]",
    "every name of each inorganic formula, one a line as \"<system>: <name>\"\n"
    "(composición, números de oxidación, carga, tradicional, hidrógeno, adición,\n"
    "sustitución), by the IUPAC 2005 recommendations as Spanish schools use them;\n"
    "without arguments, each non-empty line of standard input",
    false, RunName};

const CliCommand kFormulaCommand = {
    "formula", "formula [NAME...]",
    "the formula of each inorganic name (accents and capitals as typed), one a\n"
    "line; without arguments, each non-empty line of standard input",
    false, RunFormula};

}  // namespace tovel
