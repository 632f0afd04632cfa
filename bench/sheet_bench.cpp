// Drawing a sheet from a large library: a type of 100,000 reactions is read, every reaction
// parsed and balanced once, and 50 problems drawn. The goal is under a second for the whole,
// with memory in proportion to the file (the peak resident size is printed as a counter).
// And the longest Moodle file the sheet window writes at once, between two events: 20 versions
// of a 50-exercise sheet from the shipped library, drawn, printed and written as XML; the goal
// is under a second, so that the window need not show its progress.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/tools/element_source.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "exercises/sheet_drawer.h"
#include "exercises/sheet_library.h"
#include "exercises/sheet_moodle.h"
#include "exercises/sheet_typography.h"

namespace {

class QuietPort : public tovel::UserPort {
  public:
    int ShowMessage(const tovel::Message&) override { return tovel::kAnswerOk; }
    void OpenElementEditor(tovel::ElementTable&, const std::string&) override {}
};

std::string LargeLibrary(std::size_t reactions) {
    const std::string folder = std::filesystem::temp_directory_path() / "tovel-sheet-bench";
    std::filesystem::create_directories(folder + "/Zq");
    static const char* const kEquations[] = {"H2 + O2 = H2O",         "N2 + H2 = NH3",
                                             "CH4 + O2 = CO2 + H2O",  "Fe + O2 = Fe2O3",
                                             "C3H8 + O2 = CO2 + H2O", "Zn + HCl = ZnCl2 + H2",
                                             "CaCO3 = CaO + CO2",     "Al + O2 = Al2O3",
                                             "Mg + HCl = MgCl2 + H2", "NaOH + HCl = NaCl + H2O"};
    std::vector<tovel::LibraryEntry> entries;
    for (std::size_t i = 0; i < reactions; ++i)
        entries.push_back({kEquations[i % std::size(kEquations)], "r" + std::to_string(i)});
    QuietPort port;
    tovel::ReactionTypes types;
    types.Add("Grande", port);
    types.Write(folder + "/" + tovel::kTypesFileName);
    tovel::WriteReactions(folder + "/" + tovel::ReactionFileName(types.Type(1)), entries);
    return folder;
}

tovel::ElementTable ShippedTable() {
    std::ifstream in(std::string(TOVEL_SOURCE_DIR) + "/data/elements.tsv");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return tovel::ReadElementSource(text).table;
}

void BM_SheetFromALargeLibrary(benchmark::State& state) {
    const std::string folder = LargeLibrary(static_cast<std::size_t>(state.range(0)));
    tovel::ElementTable table = ShippedTable();
    tovel::SheetChoices choices;
    choices.count = 50;
    choices.seed = 5;
    for (auto _ : state) {
        const tovel::SheetLibrary library = tovel::LoadSheetLibrary(folder, table);
        const tovel::SheetDraw draw = tovel::DrawSheet(library, choices);
        benchmark::DoNotOptimize(draw.problems.data());
        if (draw.problems.size() != 50) state.SkipWithError("fewer problems than asked");
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SheetFromALargeLibrary)->Arg(100000)->Unit(benchmark::kMillisecond);

// The shipped library's text ("@Type" lines, then "equation<TAB>description") as a library folder.
std::string ShippedLibrary() {
    const std::string folder = std::filesystem::temp_directory_path() / "tovel-moodle-bench";
    std::filesystem::create_directories(folder + "/Zq");
    std::ifstream in(std::string(TOVEL_SOURCE_DIR) + "/data/library.txt");
    QuietPort port;
    tovel::ReactionTypes types;
    std::vector<std::vector<tovel::LibraryEntry>> entries;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '@') {
            types.Add(line.substr(1), port);
            entries.emplace_back();
        } else if (!entries.empty()) {
            const auto tab = line.find('\t');
            entries.back().push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    types.Write(folder + "/" + tovel::kTypesFileName);
    for (std::size_t i = 0; i < entries.size(); ++i)
        tovel::WriteReactions(folder + "/" + tovel::ReactionFileName(types.Type(i + 1)),
                              entries[i]);
    return folder;
}

void BM_MoodleVersions(benchmark::State& state) {
    const std::string folder = ShippedLibrary();
    tovel::ElementTable table = ShippedTable();
    const tovel::SheetLibrary library = tovel::LoadSheetLibrary(folder, table);
    tovel::SheetChoices choices;
    choices.count = 50;
    choices.empirical = true;
    choices.ionElectron = tovel::SheetChoices::Share::Some;
    for (auto _ : state) {
        std::vector<tovel::SheetText> versions;
        for (std::uint32_t seed = 1; seed <= static_cast<std::uint32_t>(state.range(0)); ++seed) {
            choices.seed = seed;
            versions.push_back(tovel::PrintedSheet(
                tovel::ComposeSheet(tovel::DrawSheet(library, choices).problems, seed),
                tovel::SheetNumbers::Spanish));
        }
        const std::string xml = tovel::MoodleXml(versions);
        benchmark::DoNotOptimize(xml.data());
        state.counters["MB"] = static_cast<double>(xml.size()) / 1e6;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MoodleVersions)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
