// Drawing a sheet from a large library: a type of 100,000 reactions is read, every reaction
// parsed and balanced once, and 50 problems drawn. The goal is under a second for the whole,
// with memory in proportion to the file (the peak resident size is printed as a counter).

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

}  // namespace

BENCHMARK_MAIN();
