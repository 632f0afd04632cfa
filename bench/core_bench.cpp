// The core's operations on realistic inputs: formula parsing and balancing of the equations of
// tests/data/balance_cases.tsv, and the stoichiometric calculation. Targets: a six-substance
// school redox equation is parsed and balanced in under 2 microseconds, without touching the heap
// (the "allocs" counter: heap allocations per iteration), and its calculation with data in
// several units takes well under one.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/balance.h"
#include "core/formula.h"
#include "core/reaction.h"
#include "core/stoichiometry.h"
#include "core/user_port.h"
#include "data/tools/element_source.h"
#include "tests/support/allocation_counter.h"

namespace {

using namespace tovel;

class SilentPort : public UserPort {
  public:
    int ShowMessage(const Message&) override { return kAnswerNo; }
    void OpenElementEditor(ElementTable&, const std::string&) override {}
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

ElementTable& Table() {
    static ElementTable table =
        ReadElementSource(ReadFile(std::string(TOVEL_SOURCE_DIR) + "/data/elements.tsv")).table;
    return table;
}

std::vector<std::string> CaseEquations() {
    std::istringstream in(
        ReadFile(std::string(TOVEL_SOURCE_DIR) + "/tests/data/balance_cases.tsv"));
    std::vector<std::string> equations;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') equations.push_back(line.substr(0, line.find('\t')));
    }
    return equations;
}

// Heap allocations per iteration over the timed loop, from the count at its start.
void ReportAllocations(benchmark::State& state, std::size_t before) {
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(test::AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

Reaction Parsed(const std::string& equation) {
    SilentPort port;
    Reaction reaction;
    ParseReaction(reaction, equation, Table(), port);
    return reaction;
}

void BM_ParseFormula(benchmark::State& state) {
    const std::vector<std::string> formulas = {"H2SO4",      "Ca3(PO4)2",     "K4Fe(CN)6",
                                               "C57H110O6",  "CH3CH(CH3)CH3", "Ca(Al(OH)4)2",
                                               "(NH4)2Cr2O7"};
    SilentPort port;
    const std::size_t before = test::AllocationCount();
    for (auto _ : state) {
        for (const auto& f : formulas) {
            Substance s;
            benchmark::DoNotOptimize(ParseFormula(s, f, Table(), port));
        }
    }
    ReportAllocations(state, before);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(formulas.size()));
}
BENCHMARK(BM_ParseFormula);

void BM_ParseReactionCaseFile(benchmark::State& state) {
    const auto equations = CaseEquations();
    for (auto _ : state) {
        for (const auto& e : equations)
            benchmark::DoNotOptimize(Parsed(e));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(equations.size()));
}
BENCHMARK(BM_ParseReactionCaseFile);

void BM_Balance(benchmark::State& state, const std::string& equation) {
    const Reaction parsed = Parsed(equation);
    Reaction r = parsed;
    const std::size_t before = test::AllocationCount();
    for (auto _ : state) {
        r.coefficients = parsed.coefficients;
        benchmark::DoNotOptimize(BalanceReaction(r));
    }
    ReportAllocations(state, before);
}
BENCHMARK_CAPTURE(BM_Balance, SchoolRedox, std::string("KMnO4+HCl=KCl+MnCl2+Cl2+H2O"));
BENCHMARK_CAPTURE(BM_Balance, NineSubstances,
                  std::string("K4Fe(CN)6+KMnO4+H2SO4=KHSO4+Fe2(SO4)3+MnSO4+HNO3+CO2+H2O"));
BENCHMARK_CAPTURE(BM_Balance, TwoFreeCoefficientsGeneral, std::string("S+HNO3=H2SO4+NO2+NO+H2O"));
BENCHMARK_CAPTURE(BM_Balance, ImpossibleThreeFree, std::string("H2O+H2=H2O+O2+H2O2"));

// What a user's "Autoajuste" of a typed equation costs: the text parsed into a reaction (reused,
// as the main window and tovel-cli reuse theirs) and balanced.
void BM_ParseAndBalance(benchmark::State& state, const std::string& equation) {
    SilentPort port;
    Reaction r;
    const std::size_t before = test::AllocationCount();
    for (auto _ : state) {
        ParseReaction(r, equation, Table(), port);
        benchmark::DoNotOptimize(BalanceReaction(r));
    }
    ReportAllocations(state, before);
}
BENCHMARK_CAPTURE(BM_ParseAndBalance, SchoolRedox, std::string("KMnO4+HCl=KCl+MnCl2+Cl2+H2O"));
BENCHMARK_CAPTURE(BM_ParseAndBalance, Combustion, std::string("C3H8 + O2 = CO2 + H2O"));

void BM_BalanceCaseFile(benchmark::State& state) {
    std::vector<Reaction> reactions;
    for (const auto& e : CaseEquations())
        reactions.push_back(Parsed(e));
    for (auto _ : state) {
        for (const auto& parsed : reactions) {
            Reaction r = parsed;
            benchmark::DoNotOptimize(BalanceReaction(r));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(reactions.size()));
}
BENCHMARK(BM_BalanceCaseFile);

// 2 KMnO4 + 16 HCl = 2 KCl + 2 MnCl2 + 5 Cl2 + 8 H2O with both reactants given (impure grams and
// a solution volume) and the products asked in moles, litres at normal conditions and at P and T.
void BM_Stoichiometry(benchmark::State& state) {
    Reaction r = Parsed("KMnO4+HCl=KCl+MnCl2+Cl2+H2O");
    BalanceReaction(r);
    std::array<std::vector<SlotData>, 2> data;
    data[kReactants].resize(2);
    data[kProducts].resize(4);
    data[kReactants][0].amount = 15.8;
    data[kReactants][0].purity = 90;
    data[kReactants][1].unit = AmountUnit::Solution;
    data[kReactants][1].molarity = 6;
    data[kReactants][1].amount = 250;
    data[kProducts][1].unit = AmountUnit::Mole;
    data[kProducts][2].unit = AmountUnit::LitrePT;
    data[kProducts][2].gas = {101.3, 298, PressureUnit::KPa, TemperatureUnit::Celsius};
    data[kProducts][3].unit = AmountUnit::LitreNormal;
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateStoichiometry(r, data));
}
BENCHMARK(BM_Stoichiometry);

}  // namespace

BENCHMARK_MAIN();
