#include "exercises/empirical_exercise.h"

#include <algorithm>

#include "core/empirical_formula.h"
#include "core/formula.h"
#include "core/number_format.h"
#include "core/percent_composition.h"
#include "exercises/round_values.h"

namespace tovel {

namespace {

// Compounds whose empirical formula school problems ask for: the molecular formula, and whether
// the problem can start from a combustion (compounds of C, H and maybe O).
struct Compound {
    const char* formula;
    bool burns;
};
constexpr Compound kCompounds[] = {
    {"C6H12O6", true},   {"C2H6O", true},  {"C2H4O2", true}, {"C6H6", true},   {"C3H8", true},
    {"C4H10", true},     {"C2H2", true},   {"C3H6O", true},  {"C4H8O2", true}, {"C2H2O4", true},
    {"C12H22O11", true}, {"N2O4", false},  {"P4O10", false}, {"Fe2O3", false}, {"Fe3O4", false},
    {"Na2SO4", false},   {"KMnO4", false}, {"CaCO3", false}, {"H2O2", false},  {"Cr2O3", false}};

std::string Figures(double value) {
    return FormatWorking(RoundSignificant(value, 3), 3);
}

// "C, H y O" or "C y H".
std::string ElementList(const std::vector<ElementShare>& elements) {
    std::string text;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            const bool last = i + 1 == elements.size();
            // "y" turns to "e" only before the sound of i: "C y H" (hache), "K e I".
            text += !last ? ", " : elements[i].symbol == "I" ? " e " : " y ";
        }
        text += elements[i].symbol;
    }
    return text;
}

}  // namespace

std::optional<WorkedExercise> DrawEmpiricalExercise(SeededRandom& random, const ElementTable& table,
                                                    const std::vector<std::string>& used) {
    std::vector<const Compound*> fresh;
    for (const Compound& c : kCompounds) {
        if (std::find(used.begin(), used.end(), c.formula) == used.end()) fresh.push_back(&c);
    }
    if (fresh.empty()) {
        for (const Compound& c : kCompounds)
            fresh.push_back(&c);
    }
    const Compound& compound = *fresh[random.Below(fresh.size())];
    const Composition composition = PercentComposition(compound.formula, table);
    if (!composition.error.empty()) return std::nullopt;
    const bool withMolarMass = random.Below(3) != 0;
    const bool burnt = compound.burns && random.Below(2) == 0;
    const double molar = RoundSignificant(composition.molarMass, 3);

    WorkedExercise exercise;
    EmpiricalResult result;
    std::string statement;
    if (burnt) {
        const double sample =
            RoundSignificant(static_cast<double>(random.Between(100, 999)) / 100, 3);
        const double moles = sample / composition.molarMass;
        double carbon = 0, hydrogen = 0;
        for (const ElementShare& share : composition.elements) {
            if (share.symbol == "C") carbon = share.atoms;
            if (share.symbol == "H") hydrogen = share.atoms;
        }
        // A compound that burns has C and H, and the table they came from has O too.
        const double co2 =
            RoundSignificant(moles * carbon * PercentComposition("CO2", table).molarMass, 3);
        const double h2o =
            RoundSignificant(moles * hydrogen / 2 * PercentComposition("H2O", table).molarMass, 3);
        statement = "Al quemar " + Figures(sample) + " g de un compuesto de " +
                    ElementList(composition.elements) + " se obtienen " + Figures(co2) +
                    " g de CO2 y " + Figures(h2o) + " g de H2O.";
        result = CombustionFormula({co2, h2o, sample, withMolarMass ? molar : 0}, table);
    } else {
        CompositionInput input;
        input.molarMass = withMolarMass ? molar : 0;
        statement = "Un compuesto contiene, en masa, ";
        for (std::size_t i = 0; i < composition.elements.size(); ++i) {
            const ElementShare& share = composition.elements[i];
            const double percent = RoundSignificant(share.percent, 3);
            input.elements.push_back({share.symbol, percent});
            if (i > 0) statement += i + 1 == composition.elements.size() ? " y " : ", ";
            statement += "un " + Figures(percent) + " % de " + share.symbol;
        }
        statement += ".";
        result = EmpiricalFormula(input, table);
    }
    // Data rounded to three figures must still give the compound, or the exercise is no good.
    CompositionInput exact;
    exact.molarMass = composition.molarMass;
    for (const ElementShare& share : composition.elements)
        exact.elements.push_back({share.symbol, share.percent});
    const EmpiricalResult truth = EmpiricalFormula(exact, table);
    if (!result.error.empty() || truth.molecular != compound.formula ||
        result.empirical != truth.empirical ||
        (withMolarMass && result.molecular != compound.formula))
        return std::nullopt;
    if (withMolarMass) {
        statement += " Su masa molar es " + Figures(molar) +
                     " g/mol. Halla su fórmula empírica y su "
                     "fórmula molecular.";
    } else {
        statement += " Halla su fórmula empírica.";
    }
    exercise.compound = compound.formula;
    exercise.statement = {statement, ""};
    exercise.resolution = result.steps;
    for (const std::string& line : AnswerLines(result))
        exercise.resolution.push_back(line);
    const auto formula = [](const std::string& label, const std::string& text) {
        SheetAnswer answer;
        answer.label = label;
        answer.accepted = {text};
        answer.caseMatters = true;
        return answer;
    };
    exercise.answers.push_back(formula("Fórmula empírica", result.empirical));
    if (withMolarMass) exercise.answers.push_back(formula("Fórmula molecular", compound.formula));
    return exercise;
}

}  // namespace tovel
