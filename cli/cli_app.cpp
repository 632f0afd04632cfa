#include "cli/cli_app.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/user_data.h"
#include "cli/cli_port.h"
#include "cli/compounds_command.h"
#include "cli/conc_command.h"
#include "cli/problem_command.h"
#include "core/element_table.h"
#include "core/elements_file.h"
#include "core/equation_checks.h"
#include "core/formula.h"
#include "core/number_format.h"
#include "core/reaction.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

constexpr const char* kUsage =
    "usage: tovel-cli [--elements FILE] COMMAND [ARGS...]\n"
    "\n"
    "commands:\n"
    "  balance [EQUATION...]  balance each equation (formulas only, e.g. H2+O2=H2O);\n"
    "                         without arguments, each non-empty line of standard input\n"
    "  mass FORMULA...        molar mass of each formula in g/mol\n"
    "  problem EQUATION DATUM...\n"
    "                         the worded problem of a calculation and its resolution; a DATUM\n"
    "                         is FORMULA=AMOUNT with a unit: g (g:80% with purity), mol, Lcn,\n"
    "                         L:P:T (L:2atm:300K, L:101.3kPa:25C) or ml:MM (ml:0.5M)\n"
    "  conc FORMULA (--molaridad V | --molalidad V | --gl V | --masa V |\n"
    "                --soluto G (--disolucion ML | --disolvente G)) [--densidad D] [--caso]\n"
    "                         the concentrations of a solution, and with --caso the case\n"
    "                         as a worded exercise with its answer\n"
    "  compounds              the compound list of the concentration window, a formula a\n"
    "                         line with a tab and its Spanish name; a metal with two\n"
    "                         valences takes the lower one\n"
    "\n"
    "The element table is elements.dat in the current folder, or else the default table\n"
    "shipped with tovel; --elements names another file.\n";

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
    ReportReactionParseFailure(code, port, &failure);
    if (code == kReactionOk && AutoBalance(reaction, table, port)) {
        out << ReactionText(reaction) << "\n";
        return true;
    }
    out << "error: " << port.TakeReport() << "\n";
    return false;
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

int RunCli(const std::vector<std::string>& args, const std::string& programDir, std::istream& in,
           std::ostream& out, std::ostream& err) {
    std::string elementsPath;
    std::vector<std::string> words;
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
            out << kUsage;
            return 0;
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.empty() || (words[0] != "balance" && words[0] != "mass" && words[0] != "problem" &&
                          words[0] != "conc" && words[0] != "compounds")) {
        err << kUsage;
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
        const bool done = command == "balance" ? BalanceOne(item, reaction, table, port, out)
                                               : MassOne(item, table, port, out);
        allDone = allDone && done;
    };
    if (command == "balance" && items.empty()) {
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
