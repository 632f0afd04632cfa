#include "cli/sheet_command.h"
#include "cli/command.h"
#include "core/safe_file.h"
#include "exercises/reaction_types.h"
#include "system/user_data.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "cli/cli_port.h"
#include "cli/pdf_module.h"
#include "core/text_utils.h"
#include "exercises/sheet_moodle.h"
#include "exercises/sheet_typography.h"

namespace tovel {

namespace {

bool ReadWhole(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && value <= limit;
}

// The kinds of --kinds: the data, as the problem command writes their units, and the cases.
bool ReadKinds(const std::string& list, SheetOptions& options, std::string& error) {
    SheetChoices& choices = options.choices;
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
    bool nameToFormula = false, formulaToName = false, yields = false, ionElectron = false;
    for (const std::string& word : SplitAt(list, ',')) {
        bool known = false;
        if (word == "rendimiento") yields = known = true;
        if (word == "empirica") choices.empirical = known = true;
        if (word == "nombrar") formulaToName = known = true;
        if (word == "formular") nameToFormula = known = true;
        if (word == "ionelectron") ionElectron = known = true;
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
            error = "--kinds: " + word +
                    " no es g, g%, mol, Lcn, LPT, ml, one, excess, product, rendimiento, "
                    "empirica, ionelectron, nombrar ni formular";
            return false;
        }
    }
    if ((nameToFormula || formulaToName) &&
        (anyData || anyCase || yields || choices.empirical || ionElectron)) {
        error =
            "--kinds: los ejercicios de formulación (nombrar, formular) van en una hoja "
            "propia, sin problemas";
        return false;
    }
    if (nameToFormula || formulaToName) {
        options.names = true;
        options.nameChoices.nameToFormula = nameToFormula;
        options.nameChoices.formulaToName = formulaToName;
    }
    // Alone, ion-electron exercises make the whole sheet; with problems, every fourth.
    if (ionElectron) {
        const bool alone = !anyData && !anyCase && !yields && !choices.empirical;
        choices.ionElectron = alone ? SheetChoices::Share::All : SheetChoices::Share::Some;
    }
    // A group left out is all of it.
    if (anyData) choices.data = data;
    if (anyCase) choices.cases = cases;
    // Yields go with the cases: all of them when none is named, else only when named.
    choices.yields = yields || !anyCase;
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
        if (option == "--punto") {
            options.pointNotation = true;
            continue;
        }
        static const char* const kValued[] = {"--count",  "--seed",    "--types",    "--kinds",
                                              "--clases", "--pdf",     "--text",     "--moodle",
                                              "--titulo", "--espacio", "--variantes"};
        if (std::find(std::begin(kValued), std::end(kValued), option) == std::end(kValued)) {
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
            if (!ReadKinds(value, options, error)) return false;
        } else if (option == "--clases") {
            for (const std::string& key : SplitAt(value, ',')) {
                const auto& keys = NameClassKeys();
                const auto at = std::find(keys.begin(), keys.end(), key);
                if (at == keys.end()) {
                    std::string all;
                    for (const std::string& k : keys)
                        all += (all.empty() ? "" : ", ") + k;
                    error = "sheet: --clases: " + key;
                    error += " no es ninguna de " + all;
                    return false;
                }
                options.nameChoices.classes.push_back(static_cast<std::size_t>(at - keys.begin()));
            }
        } else if (option == "--pdf") {
            options.pdfPath = value;
        } else if (option == "--text") {
            options.textPath = value;
        } else if (option == "--moodle") {
            options.moodlePath = value;
        } else if (option == "--titulo") {
            options.title = value;
        } else if (option == "--espacio") {
            static const std::pair<const char*, AnswerSpace> kSpaces[] = {
                {"ninguno", AnswerSpace::None},
                {"lineas", AnswerSpace::Lines},
                {"media", AnswerSpace::HalfPage}};
            const auto at = std::find_if(std::begin(kSpaces), std::end(kSpaces),
                                         [&](const auto& space) { return value == space.first; });
            if (at == std::end(kSpaces)) {
                error = "sheet: --espacio es ninguno, lineas o media, no " + value;
                return false;
            }
            options.space = at->second;
        } else {
            if (!ReadWhole(value, kMoodleVariantLimit, number) || number == 0) {
                error =
                    "sheet: --variantes ha de ser de 1 a " + std::to_string(kMoodleVariantLimit);
                return false;
            }
            options.variants = static_cast<int>(number);
        }
    }
    if (!countGiven) {
        error = "sheet: falta --count N";
        return false;
    }
    if (!options.pdfPath.empty() + !options.textPath.empty() + !options.moodlePath.empty() > 1) {
        error = "sheet: --pdf, --text o --moodle, solo uno";
        return false;
    }
    if (options.variants > 1 && options.moodlePath.empty()) {
        error = "sheet: --variantes es para --moodle";
        return false;
    }
    if (!seedGiven) options.choices.seed = NewSheetSeed();
    if (!options.nameChoices.classes.empty() && !options.names) {
        error = "sheet: --clases es para las hojas de formulación (--kinds nombrar,formular)";
        return false;
    }
    options.nameChoices.count = options.choices.count;
    options.nameChoices.seed = options.choices.seed;
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
    const SheetNumbers numbers = options.pointNotation ? SheetNumbers::Point
                                 : options.pdfPath.empty() && options.moodlePath.empty()
                                     ? SheetNumbers::SpanishPlain
                                     : SheetNumbers::Spanish;
    std::string problems;
    SheetLibrary library;
    if (!options.names) {
        library = LoadSheetLibrary(libraryFolder, table, &problems);
        if (!problems.empty()) err << "tovel-cli: " << EscapeForTerminal(problems) << "\n";
    }
    const std::string defaultTitle =
        options.names ? std::string()
                      : SheetTitleFor(options.choices.types, SheetTypeNames(libraryFolder).size(),
                                      options.choices.ionElectron);
    // The sheet of a seed as it is printed; with the shortfall of its draw, if any.
    std::string shortfall;
    // The sheet of a seed as it is printed: the first drawn, the others (versions for Moodle)
    // the first's problems with other numbers.
    std::vector<SheetProblem> first;
    const auto sheet = [&](std::uint32_t seed) {
        SheetText drawn;
        if (options.names) {
            // Nomenclature needs no library: the names are the program's own.
            NameSheetChoices choices = options.nameChoices;
            choices.seed = seed;
            drawn = DrawNameSheet(choices);
        } else if (first.empty()) {
            SheetChoices choices = options.choices;
            choices.seed = seed;
            const SheetDraw draw = DrawSheet(library, choices);
            shortfall = draw.error;
            first = draw.problems;
            drawn = ComposeSheet(draw.problems, seed);
        } else {
            drawn = ComposeSheet(SheetVersion(library, options.choices, first, seed), seed);
        }
        if (!options.title.empty()) {
            drawn.title = options.title;
        } else if (!options.names) {
            drawn.title = defaultTitle;
        }
        drawn.space = options.space;
        return PrintedSheet(drawn, numbers);
    };
    const SheetText text = sheet(options.choices.seed);
    int status = 0;
    if (text.statements.empty()) {
        out << "error: " << shortfall << "\n";
        return 1;
    }
    if (!shortfall.empty()) {
        err << "tovel-cli: " << shortfall << "\n";
        status = 1;
    }
    FileResult written{true, {}};
    if (!options.pdfPath.empty()) {
        written = WriteSheetPdfWithModule(programDir, options.pdfPath, text);
    } else if (!options.textPath.empty()) {
        written = WriteSheetText(options.textPath, text);
    } else if (!options.moodlePath.empty()) {
        std::vector<SheetText> variants{text};
        for (int v = 1; v < options.variants; ++v)
            variants.push_back(sheet(options.choices.seed + static_cast<std::uint32_t>(v)));
        written = WriteFileAtomically(options.moodlePath, MoodleXml(variants));
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
    "sheet --count N [--seed S] [--types T1,T2] [--kinds K1,K2] [--clases C1,C2]\n"
    "      [--titulo T] [--espacio ninguno|lineas|media] [--punto]\n"
    "      [--pdf FILE | --text FILE | --moodle FILE [--variantes N]]",
    "a sheet of N worded problems (1 to 50) drawn from the reaction library, then\n"
    "its answer key; the same seed gives the same sheet. --types names reaction\n"
    "types of the library; --kinds the data (g, g%, mol, Lcn, LPT, ml) and the\n"
    "cases (one, excess, product), all when left out; rendimiento gives some\n"
    "problems a yield or asks for it (so they do when no case is named); empirica\n"
    "makes every fourth problem an empirical formula to find; ionelectron every\n"
    "fourth from the second a redox equation to balance by the ion-electron method\n"
    "(every exercise when it is the only kind).\n"
    "--kinds nombrar,formular makes a sheet of nomenclature exercises instead (formulas to name, "
    "names to\n"
    "formulate) of the --clases given (elementos, oxidos, hidruros, binarias,\n"
    "hidroxidos, oxoacidos, oxosales, acidas, iones; all when left out). Printed to\n"
    "standard output, or written as PDF, as text (Windows-1252, CR LF) or as Moodle\n"
    "XML (one Cloze question per exercise; --variantes N adds versions from the\n"
    "next seeds). --titulo replaces the title, --espacio sets the room left for\n"
    "answers in the PDF (lineas by default), and numbers are Spanish (4,01·10⁻²)\n"
    "unless --punto keeps 4.01E-2.",
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
