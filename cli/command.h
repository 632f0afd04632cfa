#pragma once
// One way to add a tovel-cli command: an entry with its name, its help and its handler, in its
// own file, listed once in the command table (cli_app.cpp). The handlers share the running
// context and the helpers below, so each says its errors and sets the exit status alike.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_port.h"
#include "core/element_table.h"
#include "core/reaction.h"

namespace tovel {

// What a command runs with. The table is loaded before the handler runs, for every command that
// needs one.
struct CliContext {
    ElementTable& table;
    const std::string& programDir;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    CliPort port;
    // Room to work in, kept from one equation to the next so that what it holds need not be set
    // up again for each.
    Reaction reaction;
};

struct CliCommand {
    const char* name;
    // Shown by --help and by COMMAND --help alike, and in the manual page.
    const char* synopsis;
    const char* description;
    bool needsTable;
    // The exit status: 0 every item done, 1 some failed, 2 wrong usage.
    int (*run)(const std::vector<std::string>& items, CliContext& context);
};

// The items given, or each non-empty line of standard input when there are none (read with
// fromInput), each done by one; 0 when every one succeeded, 1 otherwise.
int RunEachItem(const std::vector<std::string>& items, CliContext& context, bool fromInput,
                const std::function<bool(const std::string& item, CliContext& context)>& one);

// Parses and balances an equation as the main window's "Autoajuste" does. On failure, writes
// "error: " and what the window would say (with the elements that stand on one side only) to the
// output, followed by lineEnd, and returns false.
bool ParseAndBalance(const std::string& equation, Reaction& reaction, CliContext& context,
                     const char* lineEnd);

// The commands, one a file.
extern const CliCommand kBalanceCommand;
extern const CliCommand kExplainCommand;
extern const CliCommand kRedoxCommand;
extern const CliCommand kIonElectronCommand;
extern const CliCommand kNameCommand;
extern const CliCommand kFormulaCommand;
extern const CliCommand kMassCommand;
extern const CliCommand kProblemCommand;
extern const CliCommand kConcCommand;
extern const CliCommand kSheetCommand;
extern const CliCommand kCompoundsCommand;
extern const CliCommand kCompositionCommand;
extern const CliCommand kEmpiricalCommand;

}  // namespace tovel
