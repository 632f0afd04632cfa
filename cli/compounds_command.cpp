#include "cli/compounds_command.h"

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

}  // namespace tovel
