#include "cli/cli_app.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>

#include "cli/cli_port.h"
#include "cli/compounds_command.h"
#include "cli/conc_command.h"
#include "cli/problem_command.h"
#include "cli/sheet_command.h"
#include "core/balance_explanation.h"
#include "core/element_table.h"
#include "core/elements_file.h"
#include "core/equation_checks.h"
#include "core/formula.h"
#include "core/number_format.h"
#include "core/oxidation.h"
#include "core/reaction.h"
#include "core/text_utils.h"
#include "exercises/reaction_types.h"
#include "system/user_data.h"

namespace tovel {

namespace {

// One entry a command: its synopsis (shown by --help and by COMMAND --help alike, and in the
// manual page) and what it does.
struct CommandHelp {
    const char* name;
    const char* synopsis;
    const char* description;
};

constexpr CommandHelp kCommands[] = {
    {"balance", "balance [EQUATION...]",
     "balance each equation (formulas only, e.g. H2+O2=H2O); without arguments,\n"
     "each non-empty line of standard input"},
    {"explain", "explain [EQUATION...]",
     "how each equation is balanced by the algebraic method, step by step; without\n"
     "arguments, each non-empty line of standard input"},
    {"redox", "redox [EQUATION...]",
     "balance each equation, then the oxidation number of every element of every\n"
     "substance, what is oxidised and reduced, the oxidant, the reductant and the\n"
     "electrons transferred; without arguments, each non-empty line of standard input"},
    {"mass", "mass FORMULA...", "the molar mass of each formula in g/mol, with six figures"},
    {"problem", "problem EQUATION DATUM...",
     "the worded problem of a calculation and its resolution; a DATUM is\n"
     "FORMULA=AMOUNT with a unit: g (g:80% with a purity), mol, Lcn (litres at\n"
     "normal conditions), L:P:T (L:2atm:300K, L:101.3kPa:25C) or ml:MM (ml:0.5M)"},
    {"conc",
     "conc FORMULA (--molaridad V | --molalidad V | --gl V | --masa V |\n"
     "     --soluto G (--disolucion ML | --disolvente G)) [--densidad D] [--caso]",
     "the concentrations of a solution, and with --caso the case as a worded\n"
     "exercise with its answer"},
    {"sheet",
     "sheet --count N [--seed S] [--types T1,T2] [--kinds K1,K2]\n"
     "      [--pdf FILE | --text FILE]",
     "a sheet of N worded problems (1 to 50) drawn from the reaction library, then\n"
     "its answer key; the same seed gives the same sheet. --types names reaction\n"
     "types of the library; --kinds the data (g, g%, mol, Lcn, LPT, ml) and the\n"
     "cases (one, excess, product), all when left out. Printed to standard output,\n"
     "or written as PDF or as text (Windows-1252, CR LF)"},
    {"compounds", "compounds",
     "the compound list of the concentration window, a formula a line with a tab\n"
     "and its Spanish name; a metal with two valences takes the lower one"},
};

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

const CommandHelp* FindCommand(const std::string& name) {
    for (const CommandHelp& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

std::string Usage() {
    std::string text = std::string(kUsageLine) +
                       "COMMAND [ARGS...]\n"
                       "       tovel-cli --help | --version | COMMAND --help\n"
                       "\n"
                       "commands:\n";
    for (const CommandHelp& command : kCommands) {
        text += "  " + Indented(command.synopsis, 2) + "\n";
        text += "      " + Indented(command.description, 6) + "\n";
    }
    text +=
        "\n"
        "The element table is elements.dat in the current folder, or else the default table\n"
        "shipped with tovel; --elements names another file. The exit status is 0 when every\n"
        "item succeeded, 1 when some failed, 2 for a usage error or no element table.\n";
    return text;
}

std::string CommandUsage(const CommandHelp& command) {
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
    for (const auto& path : candidates) {
        if (!explicitPath.empty() || std::filesystem::is_regular_file(path)) {
            const LoadElementsResult loaded = LoadElements(table, path);
            if (!loaded) {
                err << "tovel-cli: " << EscapeForTerminal(loaded.error) << "\n";
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

// reaction is only room to work in, kept from one equation to the next so that what it holds
// need not be set up again for each.
bool BalanceOne(const std::string& equation, Reaction& reaction, ElementTable& table, CliPort& port,
                std::ostream& out) {
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, table, port, &failure);
    ReportReactionParseFailure(code, port, &failure, equation);
    if (code == kReactionOk && AutoBalance(reaction, table, port)) {
        out << ReactionText(reaction) << "\n";
        return true;
    }
    std::string report = port.TakeReport();
    if (code == kReactionOk && !SameElements(reaction))
        report += " (" + OneSideElementsText(reaction, table) + ")";
    out << "error: " << report << "\n";
    return false;
}

// The explanation, then an empty line between equations.
bool ExplainOne(const std::string& equation, ElementTable& table, CliPort& port,
                std::ostream& out) {
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, table, port, &failure);
    ReportReactionParseFailure(code, port, &failure, equation);
    if (code != kReactionOk) {
        out << "error: " << port.TakeReport() << "\n\n";
        return false;
    }
    const BalanceExplanation explanation = ExplainBalance(reaction);
    out << ExplanationText(explanation, "\n") << "\n";
    return explanation.outcome != ExplanationOutcome::Impossible;
}

// The balanced equation, its redox text, then an empty line between equations.
bool RedoxOne(const std::string& equation, ElementTable& table, CliPort& port, std::ostream& out) {
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, table, port, &failure);
    ReportReactionParseFailure(code, port, &failure, equation);
    if (code != kReactionOk || !AutoBalance(reaction, table, port)) {
        out << "error: " << port.TakeReport() << "\n\n";
        return false;
    }
    const RedoxAnalysis analysis = AnalyseRedox(reaction);
    out << ReactionText(reaction) << "\n\n";
    for (const std::string& line : RedoxLines(analysis))
        out << line << "\n";
    out << "\n";
    return analysis.outcome == RedoxOutcome::Redox ||
           analysis.outcome == RedoxOutcome::HalfReaction ||
           analysis.outcome == RedoxOutcome::NotRedox;
}

bool MassOne(const std::string& formula, ElementTable& table, CliPort& port, std::ostream& out) {
    Substance substance;
    if (ParseFormula(substance, formula, table, port)) {
        out << substance.formula << "\t" << FormatSignificant(MolarMass(substance), 6) << "\n";
        return true;
    }
    const std::string report = port.TakeReport();
    out << "error: " << (report.empty() ? "Fórmula vacía" : report) << "\n";
    return false;
}

}  // namespace

std::vector<std::string> CliCommandNames() {
    std::vector<std::string> names;
    for (const CommandHelp& command : kCommands)
        names.emplace_back(command.name);
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
    const CommandHelp* known = words.empty() ? nullptr : FindCommand(words[0]);
    if (help && (known || words.empty())) {
        out << (known ? CommandUsage(*known) : Usage());
        return 0;
    }
    if (!known) {
        err << Usage();
        return 2;
    }
    const std::string command = words[0];
    std::vector<std::string> items(words.begin() + 1, words.end());
    if (command == "mass" && items.empty()) {
        err << "tovel-cli: mass needs at least one formula\n";
        return 2;
    }

    if (command == "problem" && items.size() < 2) {
        err << "tovel-cli: problem needs an equation and at least one datum\n";
        return 2;
    }
    if (command == "compounds") {
        if (!items.empty()) {
            err << "tovel-cli: compounds takes no arguments\n";
            return 2;
        }
        WriteCompounds(out);
        return 0;
    }

    ElementTable table;
    if (!LoadTable(table, elementsPath, programDir, err)) return 2;

    if (command == "sheet") {
        // The library the program reads: the current folder's, or else the default one.
        std::string library = ".";
        if (!std::filesystem::is_regular_file(kTypesFileName)) {
            if (const std::string defaults = DefaultDataFolder(programDir); !defaults.empty())
                library = defaults;
        }
        return RunSheet(items, table, library, programDir, out, err);
    }

    CliPort port;
    if (command == "conc") {
        std::string error;
        std::ostringstream text;
        if (RunConcentration(items, table, port, error, text)) {
            out << text.str();
            // What the window would also say, such as a field left empty.
            if (const std::string report = port.TakeReport(); !report.empty())
                err << "tovel-cli: " << EscapeForTerminal(report) << "\n";
            return 0;
        }
        const std::string report = port.TakeReport();
        if (report.empty() && !error.empty()) {
            err << "tovel-cli: " << EscapeForTerminal(error) << "\n";
            return 2;
        }
        out << "error: " << report << "\n";
        return 1;
    }
    if (command == "problem") {
        std::string error;
        std::ostringstream text;
        if (RunProblem(items[0], std::vector<std::string>(items.begin() + 1, items.end()), table,
                       port, error, text)) {
            out << text.str();
            // What the window would also say, such as data it did not use.
            if (const std::string report = port.TakeReport(); !report.empty())
                err << "tovel-cli: " << EscapeForTerminal(report) << "\n";
            return 0;
        }
        const std::string report = port.TakeReport();
        out << "error: " << (report.empty() ? EscapeForTerminal(error) : report) << "\n";
        return 1;
    }
    bool allDone = true;
    Reaction reaction;
    auto run = [&](const std::string& item) {
        const bool done = command == "balance"   ? BalanceOne(item, reaction, table, port, out)
                          : command == "explain" ? ExplainOne(item, table, port, out)
                          : command == "redox"   ? RedoxOne(item, table, port, out)
                                                 : MassOne(item, table, port, out);
        allDone = allDone && done;
    };
    if ((command == "balance" || command == "explain" || command == "redox") && items.empty()) {
        for (std::string line; std::getline(in, line);) {
            if (!TrimWhitespaceView(line).empty()) run(line);
        }
    } else {
        for (const auto& item : items)
            run(item);
    }
    return allDone ? 0 : 1;
}

}  // namespace tovel
