// Fuzz target: any formula for its composition, and any numbers for an empirical formula, a
// combustion and a hydrate. Nothing may crash, and what is answered is a number: no "nan" or
// "inf" in the working, percents that add up to 100.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/empirical_formula.h"
#include "core/percent_composition.h"

namespace {

const tovel::ElementTable& Table() {
    static const tovel::ElementTable table = [] {
        tovel::ElementTable t;
        const std::pair<const char*, double> elements[] = {
            {"H", 1.008}, {"C", 12.011}, {"N", 14.007},  {"O", 15.999},  {"Na", 22.99},
            {"S", 32.06}, {"Cl", 35.45}, {"Ca", 40.078}, {"Fe", 55.845}, {"Cu", 63.546}};
        std::uint16_t z = 1;
        for (const auto& [symbol, mass] : elements)
            t.Add(tovel::MakeElementRecord(z++, symbol, mass, symbol));
        return t;
    }();
    return table;
}

void MustBeNumbers(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        if (step.find("nan") != std::string::npos || step.find("inf") != std::string::npos)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 300) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto newline = text.find('\n');
    const std::string formula = text.substr(0, newline);

    const tovel::Composition composition = tovel::PercentComposition(formula, Table());
    if (composition.error.empty()) {
        double sum = 0;
        for (const auto& share : composition.elements)
            sum += share.percent;
        if (!(std::fabs(sum - 100) < 1e-6)) std::abort();
        MustBeNumbers(composition.steps);
    }

    // The rest: "El value" pairs, read as a student would type them, then reused as numbers.
    std::vector<tovel::ElementAmount> amounts;
    std::vector<double> numbers;
    const char* p = newline == std::string::npos ? "" : text.c_str() + newline + 1;
    while (*p != '\0' && amounts.size() < 8) {
        std::string symbol;
        while (*p != '\0' && *p != ' ')
            symbol += *p++;
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p) break;
        p = end;
        while (*p == ' ' || *p == '\n')
            ++p;
        amounts.push_back({symbol, value});
        numbers.push_back(value);
    }
    numbers.resize(4, 0);
    for (const bool grams : {false, true}) {
        for (const bool normalise : {false, true}) {
            const tovel::EmpiricalResult r =
                tovel::EmpiricalFormula({amounts, grams, numbers[3], normalise}, Table());
            if (r.error.empty() && r.empirical.empty()) std::abort();
            MustBeNumbers(r.steps);
        }
    }
    const tovel::EmpiricalResult burnt =
        tovel::CombustionFormula({numbers[0], numbers[1], numbers[2], numbers[3]}, Table());
    if (burnt.error.empty() && burnt.empirical.empty()) std::abort();
    MustBeNumbers(burnt.steps);
    const tovel::HydrateResult hydrate = tovel::HydrateFromLoss(
        {formula, numbers[0], numbers[3] > 0, numbers[1], numbers[2]}, Table());
    if (hydrate.error.empty() && hydrate.water < 1) std::abort();
    MustBeNumbers(hydrate.steps);
    return 0;
}
