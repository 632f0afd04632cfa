// tovel-cli mass: each formula, a tab and its molar mass.
#include <ostream>

#include "cli/command.h"
#include "core/formula.h"
#include "core/number_format.h"

namespace tovel {

namespace {

bool MassOne(const std::string& formula, CliContext& context) {
    Substance substance;
    if (ParseFormula(substance, formula, context.table, context.port)) {
        context.out << substance.formula << "\t" << FormatSignificant(MolarMass(substance), 6)
                    << "\n";
        return true;
    }
    const std::string report = context.port.TakeReport();
    context.out << "error: " << (report.empty() ? "Fórmula vacía" : report) << "\n";
    return false;
}

}  // namespace

const CliCommand kMassCommand = {
    "mass", "mass FORMULA...", "the molar mass of each formula in g/mol, with six figures", true,
    [](const std::vector<std::string>& items, CliContext& context) {
        if (items.empty()) {
            context.err << "tovel-cli: mass needs at least one formula\n";
            return 2;
        }
        return RunEachItem(items, context, false, MassOne);
    }};

}  // namespace tovel
