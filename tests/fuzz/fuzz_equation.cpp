// Fuzz target: any text typed as a formula or an equation. Parsing must never crash, and any
// balance found must be exact.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/balance.h"
#include "core/formula.h"
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
    tovel::Reaction reaction;
    if (tovel::ParseReaction(reaction, text, table, port) == tovel::kReactionOk) {
        tovel::CheckBalance(reaction);
        const auto outcome = tovel::FindBalance(reaction);
        if (outcome && !tovel::BalancesExactly(reaction, outcome.coefficients)) __builtin_trap();
    }
    return 0;
}
