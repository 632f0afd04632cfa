#include "cli/cli_app.h"

#include <filesystem>
#include <istream>
#include <ostream>

#include "cli/cli_port.h"
#include "cli/command.h"
#include "core/element_table.h"
#include "core/elements_file.h"
#include "core/safe_file.h"
#include "core/text_utils.h"
#include "system/user_data.h"

namespace tovel {

namespace {

// The commands, in the order --help lists them.
const CliCommand* const kCommands[] = {&kBalanceCommand,     &kExplainCommand,   &kRedoxCommand,
                                       &kIonElectronCommand, &kMassCommand,      &kProblemCommand,
                                       &kConcCommand,        &kSheetCommand,     &kCompoundsCommand,
                                       &kCompositionCommand, &kEmpiricalCommand, &kNameCommand,
                                       &kFormulaCommand};

constexpr const char* kUsageLine = "usage: tovel-cli [--elements FILE] ";

// Each line of text after the first indented by indent blanks.
std::string Indented(const std::string& text, std::size_t indent) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(indent, ' ');
    }
    return out;
}

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand* command : kCommands) {
        if (name == command->name) return command;
    }
    return nullptr;
}

std::string Usage() {
    std::string text = std::string(kUsageLine) +
                       "COMMAND [ARGS...]\n"
                       "       tovel-cli --help | --version | COMMAND --help\n"
                       "\n"
                       "commands:\n";
    for (const CliCommand* command : kCommands) {
        text += "  " + Indented(command->synopsis, 2) + "\n";
        text += "      " + Indented(command->description, 6) + "\n";
    }
    text +=
        "\n"
        "The element table is elements.dat in the current folder, or else the default table\n"
        "shipped with tovel; --elements names another file. The exit status is 0 when every\n"
        "item succeeded, 1 when some failed, 2 for a usage error or no element table.\n";
    return text;
}

std::string CommandUsage(const CliCommand& command) {
    const std::string usage = kUsageLine;
    return usage + Indented(command.synopsis, usage.size()) + "\n\n" + command.description + "\n";
}

// Finds and loads the element table; reports and returns false when there is none.
bool LoadTable(ElementTable& table, const std::string& explicitPath, const std::string& programDir,
               std::ostream& err) {
    std::vector<std::string> candidates;
    if (!explicitPath.empty()) {
        candidates.push_back(explicitPath);
    } else {
        candidates.push_back(kElementsFileName);
        if (const std::string defaults = DefaultDataFolder(programDir); !defaults.empty()) {
            candidates.push_back((std::filesystem::path(defaults) / kElementsFileName).string());
        }
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string& path = candidates[i];
        // Whatever stands at ./elements.dat is this folder's table: a pipe, a folder or a broken
        // link there is reported, never passed over for the default table without a word.
        const bool use = !explicitPath.empty() ||
                         (i == 0 ? PathPresent(path) : KindOfPath(path) == PathKind::Regular);
        if (use) {
            const LoadElementsResult loaded = LoadElements(table, path);
            if (!loaded) {
                err << "tovel-cli: " << EscapeForTerminal(loaded.error) << "\n";
                return false;
            }
            if (!loaded.repeated.empty()) {
                // The first of two records would be used, and nothing says it is the right one.
                err << "tovel-cli: " << EscapeForTerminal(path) << ": "
                    << EscapeForTerminal(RepeatedElementsText(loaded))
                    << ". Corrige la tabla de elementos antes de calcular.\n";
                return false;
            }
            if (const std::string report = LoadElementsReport(loaded, path); !report.empty()) {
                err << "tovel-cli: " << EscapeForTerminal(report) << "\n";
            }
            return true;
        }
    }
    err << "tovel-cli: No hallado: elements.dat\n";
    return false;
}

}  // namespace

std::vector<std::string> CliCommandNames() {
    std::vector<std::string> names;
    for (const CliCommand* command : kCommands)
        names.emplace_back(command->name);
    return names;
}

int RunCli(const std::vector<std::string>& args, const std::string& programDir, std::istream& in,
           std::ostream& out, std::ostream& err) {
    std::string elementsPath;
    std::vector<std::string> words;
    bool help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--elements") {
            if (i + 1 >= args.size()) {
                err << "tovel-cli: --elements needs a file name\n";
                return 2;
            }
            elementsPath = args[++i];
        } else if (args[i].rfind("--elements=", 0) == 0) {
            elementsPath = args[i].substr(11);
        } else if (args[i] == "--help" || args[i] == "-h") {
            help = true;
        } else if (args[i] == "--version") {
            out << "tovel-cli " << TOVEL_VERSION << "\n";
            return 0;
        } else {
            words.push_back(args[i]);
        }
    }
    const CliCommand* known = words.empty() ? nullptr : FindCommand(words[0]);
    if (help && (known || words.empty())) {
        out << (known ? CommandUsage(*known) : Usage());
        return 0;
    }
    if (!known) {
        err << Usage();
        return 2;
    }
    const std::vector<std::string> items(words.begin() + 1, words.end());
    ElementTable table;
    if (known->needsTable && !LoadTable(table, elementsPath, programDir, err)) return 2;
    CliContext context{table, programDir, in, out, err, {}, {}};
    return known->run(items, context);
}

}  // namespace tovel
