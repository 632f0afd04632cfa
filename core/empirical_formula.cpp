#include "core/empirical_formula.h"

#include <algorithm>
#include <cmath>

#include "core/formula.h"
#include "core/number_format.h"
#include "core/percent_composition.h"
#include "core/school_names.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

// Counts beyond this are no school formula: the data are wrong.
constexpr int kCountLimitForSchool = 99;

std::string Number(double value) {
    return FormatWorking(value, 4);
}

// "C 1.000, H 1.993, O 1.000"
std::string RatioList(const std::vector<std::string>& symbols, const std::vector<double>& ratios,
                      double factor) {
    std::string text;
    for (std::size_t i = 0; i < symbols.size(); ++i)
        text += (i == 0 ? "" : ", ") + symbols[i] + " " + Number(ratios[i] * factor);
    return text;
}

bool NearWhole(double value) {
    return std::fabs(value - std::round(value)) <= kWholeTolerance;
}

// The smallest multiplier that makes every ratio whole; 0 when none up to the limit does.
int ClearingMultiplier(const std::vector<double>& ratios) {
    for (int k = 1; k <= kMultiplierLimit; ++k) {
        if (std::all_of(ratios.begin(), ratios.end(),
                        [k](double r) { return NearWhole(r * k) && std::round(r * k) >= 1; }))
            return k;
    }
    return 0;
}

// symbol and count pairs written as a formula, in school order.
std::string FormulaText(const std::vector<std::string>& symbols, const std::vector<int>& counts) {
    std::string text;
    for (const std::string& symbol : SchoolOrder(symbols)) {
        const auto at = std::find(symbols.begin(), symbols.end(), symbol) - symbols.begin();
        const int count = counts[static_cast<std::size_t>(at)];
        text += symbol + (count > 1 ? IntText(count) : "");
    }
    return text;
}

// What follows item i (1-based) of n in a list: ", ", " y " or nothing.
std::string Joiner(std::size_t i, std::size_t n) {
    return i + 1 < n ? ", " : i + 1 == n ? " y " : "";
}

bool Positive(double value) {
    return std::isfinite(value) && value >= kAmountFloor && value <= kAmountLimit;
}

// Why an amount is refused, after the field's name: "ha de ser mayor que cero" or its range.
std::string AmountRule(double value, const char* verb) {
    if (!(value > 0)) return std::string(verb) + " ser mayor que cero";
    return std::string(verb) + " estar entre " + Number(kAmountFloor) + " y " +
           Number(kAmountLimit);
}

}  // namespace

std::vector<std::string> SchoolOrder(std::vector<std::string> symbols) {
    const auto has = [&](const char* s) {
        return std::find(symbols.begin(), symbols.end(), s) != symbols.end();
    };
    if (has("C") && has("H")) {
        // Carbon compounds: C, H, then the rest alphabetically.
        const auto rank = [](const std::string& s) { return s == "C" ? 0 : s == "H" ? 1 : 2; };
        std::sort(symbols.begin(), symbols.end(), [&](const std::string& a, const std::string& b) {
            return rank(a) != rank(b) ? rank(a) < rank(b) : a < b;
        });
        return symbols;
    }
    const SchoolNames& names = BuiltInNames();
    std::stable_sort(symbols.begin(), symbols.end(),
                     [&](const std::string& a, const std::string& b) {
                         const int ra = names.Rank(a), rb = names.Rank(b);
                         if ((ra < 0) != (rb < 0))
                             return rb < 0;  // elements the order lacks go last
                         return ra != rb ? ra < rb : a < b;
                     });
    return symbols;
}

EmpiricalResult EmpiricalFormula(const CompositionInput& input, const ElementTable& table) {
    EmpiricalResult result;
    const auto refuse = [&](std::string why) {
        result.error = std::move(why);
        return result;
    };
    if (input.elements.empty()) return refuse("Faltan los elementos y sus cantidades");
    std::vector<std::string> symbols;
    std::vector<double> masses;  // atomic
    std::vector<double> grams;
    double sum = 0;
    for (const ElementAmount& e : input.elements) {
        const ElementRecord* element = e.symbol.empty() ? nullptr : table.FindSymbol(e.symbol);
        if (element == nullptr || !(element->atomicMass > 0))
            return refuse("El elemento \"" + e.symbol + "\" no está en la tabla de elementos");
        if (std::find(symbols.begin(), symbols.end(), e.symbol) != symbols.end())
            return refuse("El elemento " + e.symbol +
                          " está dos veces: dé una cantidad de cada uno");
        if (!Positive(e.value))
            return refuse("La cantidad de " + e.symbol + " " + AmountRule(e.value, "ha de"));
        symbols.push_back(e.symbol);
        masses.push_back(element->atomicMass);
        grams.push_back(e.value);
        sum += e.value;
    }
    if (input.molarMass != 0 && !Positive(input.molarMass))
        return refuse("La masa molar " + AmountRule(input.molarMass, "ha de"));

    if (!input.grams) {
        if (std::fabs(sum - 100) > kPercentSumTolerance) {
            if (!input.normalise) {
                result.percentSumOff = true;
                return refuse("Los porcentajes suman " + Number(sum) +
                              " %, y han de sumar 100 (entre 99.5 y 100.5)");
            }
            result.steps.push_back("Los porcentajes suman " + Number(sum) +
                                   " %: se reparten sobre 100 (cada uno x 100/" + Number(sum) +
                                   ")");
            for (double& g : grams)
                g *= 100 / sum;
        }
        std::string line = "En 100 g de compuesto hay ";
        for (std::size_t i = 0; i < symbols.size(); ++i)
            line += Number(grams[i]) + " g de " + symbols[i] + Joiner(i + 1, symbols.size());
        result.steps.push_back(line);
    }

    result.steps.push_back("Moles de cada elemento (n = m / M):");
    std::vector<double> moles;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        moles.push_back(grams[i] / masses[i]);
        result.steps.push_back("  " + symbols[i] + ": " + Number(grams[i]) + " g / " +
                               Number(masses[i]) + " g/mol = " + Number(moles.back()) + " mol");
    }
    const double smallest = *std::min_element(moles.begin(), moles.end());
    std::vector<double> ratios;
    ratios.reserve(moles.size());
    for (const double n : moles)
        ratios.push_back(n / smallest);
    // Amounts far apart give ratios no multiplier brings to a school formula (or overflow).
    const double largest = *std::max_element(ratios.begin(), ratios.end());
    if (!(largest <= kCountLimitForSchool + kWholeTolerance))
        return refuse("Las cantidades dan más de " + IntText(kCountLimitForSchool) +
                      " átomos de un elemento por cada uno de otro: revise los datos");
    result.steps.push_back("Se divide entre el menor, " + Number(smallest) +
                           " mol: " + RatioList(symbols, ratios, 1));
    const int k = ClearingMultiplier(ratios);
    if (k == 0) {
        return refuse("Ninguna multiplicación por 1 a " + IntText(kMultiplierLimit) +
                      " da números enteros (" + RatioList(symbols, ratios, 1) +
                      "): revise los datos");
    }
    if (k > 1) {
        result.steps.push_back("No son todas enteras: se multiplica por " + IntText(k) + ": " +
                               RatioList(symbols, ratios, k));
    }
    result.steps.push_back("Una razón a menos de " + FormatSignificantShort(kWholeTolerance, 2) +
                           " de un número entero se toma como ese entero.");
    std::vector<int> counts;
    counts.reserve(ratios.size());
    for (const double r : ratios)
        counts.push_back(static_cast<int>(std::lround(r * k)));
    if (*std::max_element(counts.begin(), counts.end()) > kCountLimitForSchool)
        return refuse("Las proporciones dan más de " + IntText(kCountLimitForSchool) +
                      " átomos de un elemento: revise los datos");
    result.empirical = FormulaText(symbols, counts);

    if (input.molarMass > 0) {
        double empiricalMass = 0;
        for (std::size_t i = 0; i < symbols.size(); ++i)
            empiricalMass += counts[i] * masses[i];
        const double n = input.molarMass / empiricalMass;
        const int most = *std::max_element(counts.begin(), counts.end());
        // Checked as a double first: a huge molar mass must not overflow the whole number.
        if (n * most > kCountLimitForSchool + 1)
            return refuse("La masa molar da más de " + IntText(kCountLimitForSchool) +
                          " átomos de un elemento: revise los datos");
        const long whole = std::lround(n);
        result.steps.push_back("M(" + result.empirical + ") = " + Number(empiricalMass) +
                               " g/mol; n = " + Number(input.molarMass) + " / " +
                               Number(empiricalMass) + " = " + Number(n) +
                               (NearWhole(n) ? " ≈ " + IntText(std::lround(n)) : ""));
        if (whole < 1 || !NearWhole(n)) {
            return refuse("La masa molar " + Number(input.molarMass) +
                          " g/mol no es un múltiplo entero de la de " + result.empirical + " (" +
                          Number(empiricalMass) + " g/mol): n = " + Number(n));
        }
        result.multiplier = static_cast<int>(whole);
        for (int& c : counts)
            c *= result.multiplier;
        result.molecular = FormulaText(symbols, counts);
    }
    return result;
}

std::vector<std::string> AnswerLines(const EmpiricalResult& result) {
    std::vector<std::string> lines = {"Fórmula empírica: " + result.empirical};
    if (!result.molecular.empty()) lines.push_back("Fórmula molecular: " + result.molecular);
    return lines;
}

std::string AnswerLine(const HydrateResult& result) {
    return "Fórmula del hidrato: " + result.formula;
}

EmpiricalResult CombustionFormula(const Combustion& input, const ElementTable& table) {
    EmpiricalResult result;
    const ElementRecord* carbon = table.FindSymbol("C");
    const ElementRecord* hydrogen = table.FindSymbol("H");
    const ElementRecord* oxygen = table.FindSymbol("O");
    if (carbon == nullptr || hydrogen == nullptr || oxygen == nullptr) {
        result.error = "La tabla de elementos ha de tener C, H y O";
        return result;
    }
    const std::pair<double, const char*> fields[] = {{input.carbonDioxide, "Los gramos de CO2"},
                                                     {input.water, "Los gramos de H2O"},
                                                     {input.sample, "Los gramos de muestra"}};
    for (const auto& [value, name] : fields) {
        if (!Positive(value)) {
            result.error = std::string(name) + " " +
                           (value > 0 ? AmountRule(value, "han de")
                                      : std::string("han de ser mayores que cero"));
            return result;
        }
    }
    const double co2 = carbon->atomicMass + 2 * oxygen->atomicMass;
    const double h2o = 2 * hydrogen->atomicMass + oxygen->atomicMass;
    const double c = input.carbonDioxide * carbon->atomicMass / co2;
    const double h = input.water * 2 * hydrogen->atomicMass / h2o;
    const double o = input.sample - c - h;
    std::vector<std::string> steps = {
        "Todo el C pasa al CO2 y todo el H al H2O:",
        "  C: " + Number(input.carbonDioxide) + " g de CO2 · " + Number(carbon->atomicMass) +
            " / " + Number(co2) + " = " + Number(c) + " g de C",
        "  H: " + Number(input.water) + " g de H2O · 2·" + Number(hydrogen->atomicMass) + " / " +
            Number(h2o) + " = " + Number(h) + " g de H"};
    // The rest of the sample is oxygen, unless it is within what rounding leaves.
    const double slack = input.sample * 0.01;
    if (o < -slack) {
        result.error = "El C y el H (" + Number(c + h) + " g) pesan más que la muestra (" +
                       Number(input.sample) + " g): revise los datos";
        return result;
    }
    CompositionInput composition;
    composition.grams = true;
    composition.molarMass = input.molarMass;
    composition.elements = {{"C", c}, {"H", h}};
    if (o > slack) {
        steps.push_back("  O: lo que falta, " + Number(input.sample) + " - " + Number(c) + " - " +
                        Number(h) + " = " + Number(o) + " g de O");
        composition.elements.push_back({"O", o});
    } else {
        steps.push_back("  El C y el H son toda la muestra: no hay O");
    }
    result = EmpiricalFormula(composition, table);
    result.steps.insert(result.steps.begin(), steps.begin(), steps.end());
    return result;
}

HydrateResult HydrateFromLoss(const HydrateInput& input, const ElementTable& table) {
    HydrateResult result;
    const auto refuse = [&](std::string why) {
        result.error = std::move(why);
        return result;
    };
    const FormulaScan scan = ScanFormula(input.salt);
    if (scan.error == FormulaError::Empty) return refuse("Falta la fórmula de la sal anhidra");
    if (scan.error != FormulaError::None)
        return refuse("La fórmula \"" + input.salt + "\" no vale: " + ScanErrorReason(scan));
    if (HydrateWater(scan.formula) > 0 || scan.formula.find(kHydrateDot) != std::string::npos)
        return refuse("Escriba la sal sin su agua: " + AnhydrousFormula(scan.formula));
    if (scan.charge != 0 || scan.entries.empty())
        return refuse(scan.formula + " no es una sal: escriba una sal sin carga, como CuSO4");
    const Composition anhydrous = PercentComposition(scan.formula, table);
    if (!anhydrous.error.empty()) return refuse(anhydrous.error);
    const Composition waterComposition = PercentComposition("H2O", table);
    if (!waterComposition.error.empty()) return refuse("La tabla de elementos ha de tener H y O");
    const double salt = anhydrous.molarMass;
    const double water = waterComposition.molarMass;

    double waterGrams = 0, saltGrams = 0;
    if (!input.masses) {
        if (!(input.lossPercent > 0 && input.lossPercent < 100))  // NaN too
            return refuse("La pérdida de masa ha de ser mayor que 0 y menor que 100 %");
        waterGrams = input.lossPercent;
        saltGrams = 100 - input.lossPercent;
        result.steps.push_back("En 100 g de hidrato: " + Number(waterGrams) + " g de agua y " +
                               Number(saltGrams) + " g de " + scan.formula);
    } else {
        if (!Positive(input.before) || !Positive(input.after) || input.after >= input.before)
            return refuse("La masa tras calentar ha de ser mayor que cero y menor que la de antes");
        waterGrams = input.before - input.after;
        saltGrams = input.after;
        result.steps.push_back("Agua perdida: " + Number(input.before) + " - " +
                               Number(input.after) + " = " + Number(waterGrams) + " g; quedan " +
                               Number(saltGrams) + " g de " + scan.formula);
    }
    const double nWater = waterGrams / water;
    const double nSalt = saltGrams / salt;
    const double x = nWater / nSalt;
    result.steps.push_back("n(H2O) = " + Number(waterGrams) + " / " + Number(water) + " = " +
                           Number(nWater) + " mol");
    result.steps.push_back("n(" + scan.formula + ") = " + Number(saltGrams) + " / " + Number(salt) +
                           " = " + Number(nSalt) + " mol");
    result.steps.push_back("x = " + Number(nWater) + " / " + Number(nSalt) + " = " + Number(x));
    if (!NearWhole(x) || std::lround(x) < 1 || std::lround(x) > kCountLimitForSchool) {
        return refuse("x = " + Number(x) + " no está a menos de " +
                      FormatSignificantShort(kWholeTolerance, 2) +
                      " de un número entero: revise los datos");
    }
    result.water = static_cast<int>(std::lround(x));
    result.formula =
        scan.formula + kHydrateDot + (result.water > 1 ? IntText(result.water) : "") + "H2O";
    return result;
}

}  // namespace tovel
