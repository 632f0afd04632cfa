#include "cli/sheet_command.h"
#include "cli/command.h"
#include "core/safe_file.h"
#include "exercises/reaction_types.h"
#include "system/user_data.h"

#include <charconv>
#include <ostream>

#include "cli/cli_port.h"
#include "cli/pdf_module.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

bool ReadWhole(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && value <= limit;
}

// The kinds of --kinds: the data, as the problem command writes their units, and the cases.
bool ReadKinds(const std::string& list, SheetChoices& choices, std::string& error) {
    static const std::pair<const char*, SheetDatum> kData[] = {
        {"g", SheetDatum::Grams},      {"g%", SheetDatum::ImpureGrams},
        {"mol", SheetDatum::Moles},    {"Lcn", SheetDatum::LitresNormal},
        {"LPT", SheetDatum::LitresPT}, {"ml", SheetDatum::Solution}};
    static const std::pair<const char*, SheetCase> kCases[] = {{"one", SheetCase::OneReactant},
                                                               {"excess", SheetCase::TwoReactants},
                                                               {"product", SheetCase::Product}};
    std::array<bool, kSheetDatumCount> data{};
    std::array<bool, kSheetCaseCount> cases{};
    bool anyData = false, anyCase = false;
    for (const std::string& word : SplitAt(list, ',')) {
        bool known = false;
        for (const auto& [name, datum] : kData) {
            if (word == name) {
                data[static_cast<std::size_t>(datum)] = anyData = known = true;
            }
        }
        for (const auto& [name, kind] : kCases) {
            if (word == name) {
                cases[static_cast<std::size_t>(kind)] = anyCase = known = true;
            }
        }
        if (!known) {
            error = "--kinds: " + word + " no es g, g%, mol, Lcn, LPT, ml, one, excess ni product";
            return false;
        }
    }
    // A group left out is all of it.
    if (anyData) choices.data = data;
    if (anyCase) choices.cases = cases;
    return true;
}

}  // namespace

bool ParseSheetOptions(const std::vector<std::string>& args,
                       const std::vector<std::string>& typeNames, SheetOptions& options,
                       std::string& error) {
    options = SheetOptions{};
    bool countGiven = false, seedGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option != "--count" && option != "--seed" && option != "--types" &&
            option != "--kinds" && option != "--pdf" && option != "--text") {
            error = "sheet: opción desconocida: " + option;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "sheet: " + option + " necesita un valor";
            return false;
        }
        const std::string& value = args[++i];
        std::uint64_t number = 0;
        if (option == "--count") {
            if (!ReadWhole(value, kSheetCountLimit, number) || number == 0) {
                error = "sheet: --count ha de ser de 1 a " + std::to_string(kSheetCountLimit);
                return false;
            }
            options.choices.count = static_cast<int>(number);
            countGiven = true;
        } else if (option == "--seed") {
            if (!ReadWhole(value, UINT32_MAX, number)) {
                error = "sheet: --seed ha de ser un número entero de 0 a 4294967295";
                return false;
            }
            options.choices.seed = static_cast<std::uint32_t>(number);
            seedGiven = true;
        } else if (option == "--types") {
            for (const std::string& typed : SplitAt(value, ',')) {
                const std::string name = MatchSheetType(typeNames, typed);
                if (name.empty()) {
                    error = "sheet: no hay ningún tipo de reacción " + typed;
                    return false;
                }
                options.choices.types.push_back(name);
            }
        } else if (option == "--kinds") {
            if (!ReadKinds(value, options.choices, error)) return false;
        } else if (option == "--pdf") {
            options.pdfPath = value;
        } else {
            options.textPath = value;
        }
    }
    if (!countGiven) {
        error = "sheet: falta --count N";
        return false;
    }
    if (!options.pdfPath.empty() && !options.textPath.empty()) {
        error = "sheet: --pdf o --text, no los dos";
        return false;
    }
    if (!seedGiven) options.choices.seed = NewSheetSeed();
    return true;
}

int RunSheet(const std::vector<std::string>& args, ElementTable& table,
             const std::string& libraryFolder, const std::string& programDir, std::ostream& out,
             std::ostream& err) {
    SheetOptions options;
    std::string error;
    if (!ParseSheetOptions(args, SheetTypeNames(libraryFolder), options, error)) {
        err << "tovel-cli: " << EscapeForTerminal(error) << "\n";
        return 2;
    }
    std::string problems;
    const SheetLibrary library = LoadSheetLibrary(libraryFolder, table, &problems);
    if (!problems.empty()) err << "tovel-cli: " << EscapeForTerminal(problems) << "\n";
    const SheetDraw draw = DrawSheet(library, options.choices);
    if (draw.problems.empty()) {
        out << "error: " << draw.error << "\n";
        return 1;
    }
    const SheetText text = ComposeSheet(draw.problems, options.choices.seed);
    int status = 0;
    if (!draw.error.empty()) {
        err << "tovel-cli: " << draw.error << "\n";
        status = 1;
    }
    FileResult written{true, {}};
    if (!options.pdfPath.empty()) {
        written = WriteSheetPdfWithModule(programDir, options.pdfPath, text);
    } else if (!options.textPath.empty()) {
        written = WriteSheetText(options.textPath, text);
    } else {
        for (const std::string& line : SheetLines(text))
            out << ShowSeparators(line) << "\n";
    }
    if (!written) {
        out << "error: " << EscapeForTerminal(written.error) << "\n";
        return 1;
    }
    return status;
}

const CliCommand kSheetCommand = {
    "sheet",
    "sheet --count N [--seed S] [--types T1,T2] [--kinds K1,K2]\n"
    "      [--pdf FILE | --text FILE]",
    "a sheet of N worded problems (1 to 50) drawn from the reaction library, then\n"
    "its answer key; the same seed gives the same sheet. --types names reaction\n"
    "types of the library; --kinds the data (g, g%, mol, Lcn, LPT, ml) and the\n"
    "cases (one, excess, product), all when left out. Printed to standard output,\n"
    "or written as PDF or as text (Windows-1252, CR LF)",
    true, [](const std::vector<std::string>& items, CliContext& context) {
        // The library the program reads: the current folder's, or else the default one.
        std::string library = ".";
        // Whatever stands at ./tiptovl.rel is this folder's library, reported if unreadable.
        if (!PathPresent(kTypesFileName)) {
            if (const std::string defaults = DefaultDataFolder(context.programDir);
                !defaults.empty())
                library = defaults;
        }
        return RunSheet(items, context.table, library, context.programDir, context.out,
                        context.err);
    }};

}  // namespace tovel
