#include "app/formulas_model.h"

#include "core/empirical_formula.h"
#include "core/messages.h"
#include "core/percent_composition.h"
#include "core/text_utils.h"
#include "exercises/calculation_input.h"
#include "exercises/concentration_fields.h"

namespace tovel {

bool FormulasModel::Calculate(FormulasTab tab) {
    std::vector<std::string>& lines = m_lines[static_cast<std::size_t>(tab)];
    lines.clear();
    bool done = false;
    switch (tab) {
        case FormulasTab::Composition:
            done = Composition(lines);
            break;
        case FormulasTab::Empirical:
            done = Empirical(lines);
            break;
        case FormulasTab::Hydrate:
            done = Hydrate(lines);
            break;
    }
    if (!done) lines.clear();
    return done;
}

bool FormulasModel::Read(const std::string& text, const std::string& field, double& value,
                         bool optional) {
    value = 0;
    if (TrimBlanks(text).empty()) {
        if (optional) return true;
        ReportInvalidData(m_port, field + ": falta el dato");
        return false;
    }
    const std::optional<double> number = ReadNumber(text);
    if (!number) {
        ReportInvalidData(m_port, NotANumberText(field, text));
        return false;
    }
    value = *number;
    return true;
}

bool FormulasModel::Answer(const std::string& error, const std::vector<std::string>& steps,
                           const std::vector<std::string>& answers,
                           std::vector<std::string>& lines) {
    if (!error.empty()) {
        ReportInvalidData(m_port, error);
        return false;
    }
    lines = steps;
    lines.emplace_back();
    lines.insert(lines.end(), answers.begin(), answers.end());
    return true;
}

bool FormulasModel::Composition(std::vector<std::string>& lines) {
    const tovel::Composition result = PercentComposition(formula, m_table);
    return Answer(result.error.empty() ? "" : "Fórmula: " + result.error, result.steps,
                  ShareLines(result, " (agua de cristalización)"), lines);
}

bool FormulasModel::Empirical(std::vector<std::string>& lines) {
    const EmpiricalTexts& t = empirical;
    double molar = 0;
    if (!Read(t.molarMass, "Masa molar", molar, true)) return false;
    EmpiricalResult result;
    if (t.source == EmpiricalSource::Combustion) {
        Combustion input;
        input.molarMass = molar;
        if (!Read(t.carbonDioxide, "Gramos de CO2", input.carbonDioxide) ||
            !Read(t.water, "Gramos de H2O", input.water) ||
            !Read(t.sample, "Gramos de muestra", input.sample))
            return false;
        result = CombustionFormula(input, m_table);
    } else {
        CompositionInput input;
        input.grams = t.source == EmpiricalSource::Grams;
        input.molarMass = molar;
        for (std::size_t row = 0; row < kEmpiricalRows; ++row) {
            const std::string symbol = TrimBlanks(t.symbols[row]);
            if (symbol.empty() && TrimBlanks(t.values[row]).empty()) continue;
            const std::string field =
                "Elemento " + std::to_string(row + 1) + (symbol.empty() ? "" : " (" + symbol + ")");
            if (symbol.empty()) {
                ReportInvalidData(m_port, field + ": falta el símbolo");
                return false;
            }
            double value = 0;
            if (!Read(t.values[row], field, value)) return false;
            input.elements.push_back({symbol, value});
        }
        result = EmpiricalFormula(input, m_table);
        if (result.percentSumOff &&
            AskYesNo(m_port, "Porcentajes", result.error + ". ¿Repartirlos sobre 100?") ==
                kAnswerYes) {
            input.normalise = true;
            result = EmpiricalFormula(input, m_table);
        } else if (result.percentSumOff) {
            return false;
        }
    }
    return Answer(result.error, result.steps, AnswerLines(result), lines);
}

bool FormulasModel::Hydrate(std::vector<std::string>& lines) {
    HydrateInput input{TrimBlanks(hydrate.salt)};
    if (input.salt.empty()) {
        ReportInvalidData(m_port, "Sal anhidra: falta la fórmula");
        return false;
    }
    input.masses = hydrate.masses;
    if (hydrate.masses) {
        if (!Read(hydrate.before, "Masa antes de calentar", input.before) ||
            !Read(hydrate.after, "Masa después de calentar", input.after))
            return false;
    } else if (!Read(hydrate.loss, "Pérdida de masa %", input.lossPercent)) {
        return false;
    }
    const HydrateResult result = HydrateFromLoss(input, m_table);
    return Answer(result.error, result.steps, {AnswerLine(result)}, lines);
}

}  // namespace tovel
