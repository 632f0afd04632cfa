// Linord's block sort on reaction libraries far larger than a class ever writes: 100,000 and
// 1.45 million lines, sorted by single lines and by blocks of two (an equation and its
// description, as tovel stores a reaction type). Target: the sort grows as n log n, so the
// larger library sorts in well under two seconds and the smaller in well under a tenth.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "linord/line_sorter.h"

namespace {

// Lines like a library's: an equation of random formulas, then a Windows-1252 description;
// CR LF after each line. The same seed gives the same text on every run.
std::string Library(std::size_t lines) {
    static const char* const kFormulas[] = {"H2",  "O2",    "H2O",   "NaCl",  "HCl",   "NaOH",
                                            "Fe",  "Fe2O3", "CuSO4", "KMnO4", "MnCl2", "Cl2",
                                            "CO2", "CaCO3", "NH3",   "N2",    "Al",    "SO2"};
    static const char* const kWords[] = {"Formaci\xf3n", "del", "agua", "hierro", "\xf3xido",
                                         "reacci\xf3n",  "con", "de",   "sodio",  "\xc1\x63ido"};
    std::mt19937 random(2024);
    auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    std::string text;
    text.reserve(lines * 40);
    for (std::size_t i = 0; i < lines; ++i) {
        if (i % 2 == 0) {
            text += kFormulas[pick(std::size(kFormulas))];
            text += "+";
            text += kFormulas[pick(std::size(kFormulas))];
            text += "=";
            text += kFormulas[pick(std::size(kFormulas))];
        } else {
            for (int w = 0; w < 5; ++w) {
                if (w > 0) text += ' ';
                text += kWords[pick(std::size(kWords))];
            }
        }
        text += "\r\n";
    }
    return text;
}

// Arguments: the number of lines, the lines per block.
void BM_SortText(benchmark::State& state) {
    const std::string text = Library(static_cast<std::size_t>(state.range(0)));
    const auto n = static_cast<std::size_t>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(linord::SortText(text, n));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SortText)
    ->ArgsProduct({{100000, 1450000}, {1, 2}})
    ->ArgNames({"lines", "n"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
