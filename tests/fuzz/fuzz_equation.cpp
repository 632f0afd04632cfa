// Fuzz target: any text typed as a formula or an equation. Parsing must never crash, the structure
// read must hold the atoms counted, any balance found must be exact, the balancing explained must
// reach the one the user is given, and the redox analysis of it must never crash.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

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
    void OpenElementEditor(tovel::ElementTable&, const std::string&) override {}
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

// The atoms the structure's pieces hold, each component by its multiplier, counted over the
// formulas the entries count.
std::map<std::string, std::uint64_t> StructureAtoms(const tovel::FormulaStructure& s,
                                                    std::uint32_t formulas) {
    std::map<std::string, std::uint64_t> atoms;
    for (const auto& component : s.components) {
        // The multipliers of the open groups (one may be 0), and where each group ends.
        std::vector<std::uint64_t> factor;
        std::vector<std::size_t> ends;
        for (std::size_t i = component.first; i < component.end; ++i) {
            while (!ends.empty() && ends.back() == i) {
                factor.pop_back();
                ends.pop_back();
            }
            const auto& part = s.parts[i];
            if (part.IsGroup()) {
                factor.push_back(part.count);
                ends.push_back(part.end);
                continue;
            }
            std::uint64_t times = 1;
            for (const std::uint64_t f : factor)
                times *= f;
            atoms[part.symbol] +=
                times * part.count * component.numerator * (formulas / component.denominator);
        }
    }
    return atoms;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tovel::ElementTable table = MakeTable();
    SilentPort port;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tovel::ReadFormulaResult read = tovel::ReadFormulaStructure(text);
    if (read.scan.error == tovel::FormulaError::None && !read.structure.electron) {
        std::map<std::string, std::uint64_t> counted;
        for (const auto& entry : read.scan.entries)
            counted[entry.element.symbol] += entry.count;
        if (StructureAtoms(read.structure, read.scan.formulas) != counted) __builtin_trap();
    }
    tovel::OxidationNumbers(text);
    tovel::Reaction reaction;
    if (tovel::ParseReaction(reaction, text, table, port) == tovel::kReactionOk) {
        tovel::CheckBalance(reaction);
        const auto outcome = tovel::FindBalance(reaction);
        if (outcome && !tovel::BalancesExactly(reaction, outcome.coefficients)) __builtin_trap();
        const auto given = tovel::UniqueBalance(reaction);
        if (given && !tovel::BalancesExactly(reaction, given.coefficients)) __builtin_trap();
        if (static_cast<bool>(given) && !outcome) __builtin_trap();
        // The explanation reaches the answer the user is given, says there are several, or says
        // it is impossible.
        const tovel::BalanceExplanation explanation = tovel::ExplainBalance(reaction);
        if (static_cast<bool>(outcome) !=
            (explanation.outcome != tovel::ExplanationOutcome::Impossible))
            __builtin_trap();
        if (given && !(explanation.coefficients == given.coefficients)) __builtin_trap();
        if (tovel::BalanceReaction(reaction)) tovel::RedoxLines(tovel::AnalyseRedox(reaction));
    }
    return 0;
}
