// Fuzz target: any text typed as a formula or an equation. Parsing must never crash, any balance
// found must be exact, the balancing explained must reach it, and the redox analysis of it must
// never crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/balance.h"
#include "core/balance_explanation.h"
#include "core/formula.h"
#include "core/oxidation.h"
#include "core/reaction.h"
#include "core/user_port.h"

namespace {

class SilentPort : public tovel::UserPort {
  public:
    int ShowMessage(const tovel::Message& m) override {
        return m.buttons == tovel::MessageButtons::Ok ? tovel::kAnswerOk : tovel::kAnswerNo;
    }
    void OpenElementEditor(tovel::ElementTable&) override {}
};

tovel::ElementTable MakeTable() {
    tovel::ElementTable table;
    const char* symbols[] = {"H",  "He", "C",  "N", "O",  "Na", "Mg",
                             "Al", "S",  "Cl", "K", "Ca", "Fe", "Cu"};
    std::uint16_t z = 0;
    for (const char* s : symbols) {
        ++z;
        table.Add(tovel::MakeElementRecord(z, s, 1.5 * z, s));
    }
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tovel::ElementTable table = MakeTable();
    SilentPort port;
    const std::string text(reinterpret_cast<const char*>(data), size);
    tovel::ScanFormula(text);
    tovel::OxidationNumbers(text);
    tovel::Reaction reaction;
    if (tovel::ParseReaction(reaction, text, table, port) == tovel::kReactionOk) {
        tovel::CheckBalance(reaction);
        const auto outcome = tovel::FindBalance(reaction);
        if (outcome && !tovel::BalancesExactly(reaction, outcome.coefficients)) __builtin_trap();
        // The explanation always reaches the program's answer, or says it is impossible.
        const tovel::BalanceExplanation explanation = tovel::ExplainBalance(reaction);
        if (static_cast<bool>(outcome) !=
            (explanation.outcome != tovel::ExplanationOutcome::Impossible))
            __builtin_trap();
        if (outcome && !(explanation.coefficients == outcome.coefficients)) __builtin_trap();
        if (tovel::BalanceReaction(reaction)) tovel::RedoxLines(tovel::AnalyseRedox(reaction));
    }
    return 0;
}
