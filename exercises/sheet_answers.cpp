#include "exercises/sheet_answers.h"

#include <cstdlib>

#include "core/number_format.h"

namespace tovel {

namespace {

// The number as the resolution prints it, so that an answer and the key never differ.
double AsPrinted(double value, unsigned digits) {
    return std::strtod(FormatSignificant(value, digits).c_str(), nullptr);
}

}  // namespace

std::vector<SheetAnswer> ProblemAnswers(const ProblemInput& p) {
    std::vector<SheetAnswer> answers;
    const Reaction& r = p.reaction;
    const StoichiometryResult& result = p.result;
    const int given = result.dataSide;
    const auto add = [&](int side, std::size_t slot, const std::string& what, double amount) {
        const SlotData& d = p.data[side][slot - 1];
        SheetAnswer answer;
        answer.label = UnitText(d) + " de " + r.substances[side][slot - 1].formula + " " + what;
        answer.value = AsPrinted(amount, 3);
        answer.unit = UnitName(d.unit);
        answers.push_back(answer);
    };
    if (r.Count(kReactants) > 1 || given == kProducts) {
        for (std::size_t i = 1; i <= r.Count(kReactants); ++i) {
            if (given == kReactants && i == result.limiting) continue;
            const SlotResult& a = result.amounts[kReactants][i - 1];
            const SlotData& d = p.data[kReactants][i - 1];
            add(kReactants, i, given == kProducts ? "que han de reaccionar" : "que reaccionan",
                AmountFromMoles(r.substances[kReactants][i - 1], d, kReactants, a.molesReacted));
            if (a.finalMoles > 0) add(kReactants, i, "en exceso", a.finalAmount);
        }
    }
    if (given == kReactants || r.Count(kProducts) > 1) {
        for (std::size_t i = 1; i <= r.Count(kProducts); ++i) {
            if (given == kProducts && i == result.dataSlots.front()) continue;
            if (i == result.obtained) continue;  // given: what was obtained
            add(kProducts, i, "obtenidos", result.amounts[kProducts][i - 1].finalAmount);
        }
    }
    if (result.obtained != 0) {
        SheetAnswer yield;
        yield.label = "Rendimiento";
        yield.value = AsPrinted(result.yieldPercent, 4);
        yield.unit = "%";
        answers.push_back(yield);
    }
    return answers;
}

}  // namespace tovel
