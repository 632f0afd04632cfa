#pragma once
// tovel-cli conc: the concentration window's calculation from the command line.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/user_port.h"

namespace tovel {

// args: FORMULA and the options (--molaridad V, --molalidad V, --gl V, --masa V, or --soluto G
// with --disolucion ML or --disolvente G; --densidad D; --caso). Writes one "name<TAB>value"
// line per filled field, and with --caso an empty line, the statement and the answer. False with
// error set for wrong usage; the messages the window would show go through port.
bool RunConcentration(const std::vector<std::string>& args, ElementTable& table, UserPort& port,
                      std::string& error, std::ostream& out);

}  // namespace tovel
