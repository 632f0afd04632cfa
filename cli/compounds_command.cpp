#include "cli/compounds_command.h"
#include "cli/command.h"

#include <ostream>

#include "exercises/compound_generator.h"

namespace tovel {

void WriteCompounds(std::ostream& out) {
    for (const Compound& compound : CompoundRecords([] { return 0; })) {
        out << compound.formula;
        if (const std::string name = CompoundName(compound); !name.empty()) out << "\t" << name;
        out << "\n";
    }
}

const CliCommand kCompoundsCommand = {
    "compounds", "compounds",
    "the compound list of the concentration window, a formula a line with a tab\n"
    "and its Spanish name; a metal with two valences takes the lower one",
    false, [](const std::vector<std::string>& items, CliContext& context) {
        if (!items.empty()) {
            context.err << "tovel-cli: compounds takes no arguments\n";
            return 2;
        }
        WriteCompounds(context.out);
        return 0;
    }};

}  // namespace tovel
