#include "app/main_model.h"

#include "app/conf_file.h"
#include "core/balance.h"
#include "core/control_text.h"
#include "core/equation_checks.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/oxidation.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

// The units group shows the gas conditions of the slot in the scale they were typed in.
void ShowGas(UnitInputs& inputs, const GasConditions& gas) {
    inputs.pressure = FormatSignificantShort(gas.pressure, 3);
    inputs.temperature = FormatSignificantShort(gas.temperatureUnit == TemperatureUnit::Celsius
                                                    ? gas.temperature - kCelsiusOffset
                                                    : gas.temperature,
                                                3);
    inputs.pressureUnit = gas.pressureUnit;
    inputs.temperatureUnit = gas.temperatureUnit;
}

}  // namespace

MainModel::MainModel(ElementTable& table, UserPort& port) : m_table(table), m_port(port) {}

std::string MainModel::AdjustButtonLabel() const {
    switch (m_state) {
        case MainState::Ajustant:
            return "acepta";
        case MainState::Ajustada:
        case MainState::Calculant:
            return "Cálculos";
        default:
            return "Ajustar";
    }
}

std::string MainModel::GroupCaption() const {
    return m_state == MainState::Calculant ? "Cálculos sobre la reacción" : "Reactivos / Productos";
}

MainControls MainModel::Controls() const {
    const bool any = Count(kReactants) + Count(kProducts) > 0;
    const bool both = Count(kReactants) > 0 && Count(kProducts) > 0;
    MainControls c;
    c.adjust = both && m_state < MainState::Calculant;
    c.autoAdjust = both && m_state < MainState::Ajustada;
    c.save = both;
    c.newReaction = any;
    c.problem = m_resultsReady;
    c.explain = both && (m_state == MainState::Editant || m_state == MainState::Ajustant ||
                         m_state == MainState::Ajustada);
    c.redox = both && (c.explain || m_state == MainState::Calculant);
    c.editingVisible = m_state != MainState::Calculant;
    c.calculationVisible = m_state == MainState::Calculant;
    return c;
}

Reaction MainModel::DrawnReaction() const {
    Reaction reaction;
    for (int side = 0; side < 2; ++side) {
        for (const Substance& substance : m_substances[side])
            AppendSubstance(reaction, side, substance);
    }
    return reaction;
}

std::string MainModel::SkeletonText() const {
    if (m_substances[kReactants].empty() || m_substances[kProducts].empty()) return {};
    return ReactionText(DrawnReaction());
}

BalanceExplanation MainModel::Explanation() const {
    return ExplainBalance(DrawnReaction());
}

std::vector<std::string> MainModel::RedoxText() const {
    Reaction reaction = DrawnReaction();
    // The electrons are counted in the balanced equation, whatever the user typed in the boxes.
    if (!SameElements(reaction) || !BalanceReaction(reaction)) {
        std::vector<std::string> lines;
        for (int side = 0; side < 2; ++side) {
            for (const Substance& substance : m_substances[side])
                lines.push_back(OxidationText(OxidationNumbers(substance.formula)));
        }
        lines.emplace_back();
        lines.emplace_back("La ecuación no se puede ajustar: no se pueden contar los electrones");
        return lines;
    }
    std::vector<std::string> lines = {ReactionText(reaction), ""};
    const std::vector<std::string> analysis = RedoxLines(AnalyseRedox(reaction));
    lines.insert(lines.end(), analysis.begin(), analysis.end());
    return lines;
}

bool MainModel::IsRedox() const {
    Reaction reaction = DrawnReaction();
    if (!SameElements(reaction) || !BalanceReaction(reaction)) return false;
    return AnalyseRedox(reaction).outcome == RedoxOutcome::Redox;
}

void MainModel::EnterSideLine(int side) {
    m_description.clear();
    DropCoefficientBoxes();
    std::string& line = LineText(SideLine(side));
    if (TrimWhitespace(line).empty()) return;
    if (m_side != side) ActivateSide(side);

    std::string rest = line;
    while (true) {
        const auto plus = FindSubstanceSeparator(rest);
        const std::string piece = rest.substr(0, plus);
        // "H2+" or "H2++O2": an empty piece is no formula and nothing to report.
        if (!TrimWhitespace(piece).empty() && !EnterFormula(piece)) {
            line = rest;  // what could not be entered stays for the user to mend
            return;
        }
        line.clear();
        if (plus == std::string::npos) return;
        rest.erase(0, plus + 1);
    }
}

bool MainModel::EnterFormula(const std::string& formula) {
    const std::size_t position = m_cursor[m_side];
    if (position > Count(m_side) && Count(m_side) >= kSideLimit) {
        ReportTooManySubstances(m_port);
        return false;
    }
    Substance substance;
    if (!ParseFormula(substance, formula, m_table, m_port)) return false;

    DropCoefficientBoxes();
    LeaveCalculation();
    auto& side = m_substances[m_side];
    if (position > side.size()) {
        side.push_back(substance);
    } else {
        side[position - 1] = substance;
    }
    EquationChanged();
    return true;
}

// The equation was edited by hand: it is no longer balanced, and the start sample gives way to it.
void MainModel::EquationChanged() {
    if (m_state == MainState::Start || m_state == MainState::Inicial ||
        m_state == MainState::Ajustada || m_state == MainState::Calculant) {
        m_state = MainState::Editant;
    }
    m_cursor[m_side] = Count(m_side) + 1;
    m_selection[m_side].reset();
    m_balancedIcon = false;
    ShowEquationLine();
}

// The equation line shows the equation of the lists, however it was entered.
void MainModel::ShowEquationLine() {
    std::string text;
    for (int side = 0; side < 2; ++side) {
        if (side == kProducts) text += "=";
        for (std::size_t k = 0; k < Count(side); ++k)
            text += (k > 0 ? "+" : "") + m_substances[side][k].formula;
    }
    LineText(EditLine::Equation) = Count(kReactants) + Count(kProducts) > 0 ? text : "";
}

void MainModel::EnterEquationLine() {
    m_description.clear();
    Reaction parsed;
    ReactionParseFailure failure;
    const int code = ParseReaction(parsed, LineText(EditLine::Equation), m_table, m_port, &failure);
    if (code != kReactionOk) {
        ReportReactionParseFailure(code, m_port, &failure, LineText(EditLine::Equation));
        return;
    }
    m_compactText = ReactionCompactText(parsed);
    LoadReaction(parsed);
}

void MainModel::SelectSlot(int side, std::size_t position) {
    if (position < 1 || position > Count(side)) {
        m_selection[side].reset();
        return;
    }
    if (m_state == MainState::Calculant) {
        // Leaving a gas without its P and T: they are taken from the fields, or asked for.
        const std::size_t before = m_cursor[m_side];
        if (before >= 1 && before <= Count(m_side) &&
            m_calc.Unit(m_side, before) == AmountUnit::LitrePT && !m_calc.GasSet(m_side, before) &&
            !m_calc.AcceptGasConditions(m_side, before, m_units.inputs)) {
            ReportGasNotSet(m_substances[m_side][before - 1].formula, m_port);
            m_selection = {};
            m_selection[m_side] = before;
            return;
        }
        m_side = side;
        m_cursor[side] = position;
        m_selection = {};
        m_selection[side] = position;
        ShowUnitsOf(side, position);
        return;
    }
    m_side = side;
    m_cursor[side] = position;
    m_selection[side] = position;
    m_selection[1 - side].reset();
    LineText(SideLine(side)) = m_substances[side][position - 1].formula;
}

void MainModel::ActivateSide(int side) {
    if (side == m_side) return;
    m_side = side;
    m_cursor[side] = Count(side) + 1;
    m_selection[1 - side].reset();
}

void MainModel::PrepareNewFormula() {
    LineText(SideLine(m_side)).clear();
    m_cursor[m_side] = Count(m_side) + 1;
    m_selection[m_side].reset();
}

void MainModel::DeleteAtCursor() {
    auto& side = m_substances[m_side];
    const std::size_t position = m_cursor[m_side];
    if (position < 1 || position > side.size()) return;
    DropCoefficientBoxes();
    side.erase(side.begin() + static_cast<std::ptrdiff_t>(position - 1));
    LineText(SideLine(m_side)).clear();
    EquationChanged();
}

void MainModel::NewReaction() {
    LineText(EditLine::Equation).clear();
    m_description.clear();
    m_balancedIcon = false;
    LeaveCalculation();
    for (auto& side : m_substances)
        side.clear();
    InitReaction(m_reaction);
    m_state = MainState::Inicial;
    m_side = kReactants;
    LineText(EditLine::Reactants).clear();
    LineText(EditLine::Products).clear();
    m_cursor = {1, 1};
    m_selection = {};
}

bool MainModel::AutoAdjust() {
    if (!Controls().autoAdjust) return false;
    if (m_state == MainState::Ajustant) m_state = MainState::Editant;  // the boxes go
    HandOver();
    if (!AutoBalance(m_reaction, m_table, m_port)) return false;
    m_state = MainState::Ajustada;
    return true;
}

void MainModel::Adjust() {
    if (!Controls().adjust) return;
    if (m_state == MainState::Editant) {
        StartManualBalancing();
    } else if (m_state == MainState::Ajustant) {
        AcceptCoefficients();
    } else if (m_state == MainState::Ajustada) {
        EnterCalculation();
    }
}

void MainModel::EnterCalculation() {
    if (m_state != MainState::Ajustada) return;
    m_state = MainState::Calculant;
    m_resultsReady = false;
    ++m_generation;
    m_calc.Start(m_reaction);
    m_resultLine = AtomicMassLine(m_reaction);
    m_units = UnitsGroup{};
    m_units.inputs.purity = "100";
    m_side = kReactants;
    m_cursor = {1, 1};
    m_selection = {std::size_t{1}, std::nullopt};
    ShowUnitsOf(kReactants, 1);
}

std::string MainModel::UnitsCaption() const {
    const std::size_t slot = m_cursor[m_side];
    if (slot < 1 || slot > Count(m_side)) return "Unidades ";
    return "Unidades " + m_substances[m_side][slot - 1].formula;
}

void MainModel::ShowUnitsOf(int side, std::size_t slot) {
    const AmountUnit unit = m_calc.Unit(side, slot);
    UnitsGroup& u = m_units;
    u.unit = unit;
    u.solutionOffered = side == kReactants;
    u.gasFields = unit == AmountUnit::LitrePT;
    if (u.gasFields && m_calc.GasSet(side, slot)) ShowGas(u.inputs, m_calc.Gas(side, slot));
    u.molarityField = side == kReactants && unit == AmountUnit::Solution;
    if (u.molarityField) u.inputs.molarity = FormatSignificantShort(m_calc.Molarity(slot), 3);
    u.purityField = unit == AmountUnit::Gram;
    if (side == kReactants && unit == AmountUnit::Gram)
        u.inputs.purity = PurityText(m_calc.Purity(slot));
}

void MainModel::ChooseUnit(AmountUnit unit) {
    if (m_state != MainState::Calculant) return;
    m_units.unit = unit;
    m_units.purityField = unit == AmountUnit::Gram && m_side == kReactants;
    if (m_units.purityField && TrimBlanks(m_units.inputs.purity).empty())
        m_units.inputs.purity = "100";
    m_units.gasFields = unit == AmountUnit::LitrePT;
    if (m_units.gasFields) ShowGas(m_units.inputs, m_calc.Gas(m_side, m_cursor[m_side]));
    m_units.molarityField = unit == AmountUnit::Solution && m_side == kReactants;
    if (m_units.molarityField)
        m_units.inputs.molarity = FormatSignificantShort(m_calc.Molarity(m_cursor[m_side]), 3);
}

bool MainModel::AcceptUnits() {
    if (m_state != MainState::Calculant) return false;
    const std::size_t slot = m_cursor[m_side];
    if (slot < 1 || slot > Count(m_side)) return false;
    if (!m_calc.AcceptUnit(m_side, slot, m_units.unit, m_units.inputs, m_port)) return false;
    AmountChanged();
    return true;
}

void MainModel::EnterGasConditions() {
    const std::size_t slot = m_cursor[m_side];
    if (m_state != MainState::Calculant || slot < 1 || slot > Count(m_side)) return;
    m_calc.EnterGasConditions(m_side, slot, m_units.inputs, m_port);
    AmountChanged();
}

void MainModel::EnterMolarity() {
    const std::size_t slot = m_cursor[m_side];
    if (m_state != MainState::Calculant || m_side != kReactants || slot < 1 || slot > Count(m_side))
        return;
    if (m_calc.EnterMolarity(slot, m_units.inputs.molarity, m_port)) AmountChanged();
}

void MainModel::Calculate() {
    if (m_state != MainState::Calculant) return;
    ++m_generation;
    m_resultsReady = false;
    if (!m_calc.Calculate(m_reaction, m_port)) return;
    const StoichiometryResult& result = m_calc.Result();
    // The limiting reactant is shown selected, and the units group works on the selected row.
    if (result.dataSide == kReactants && result.limiting > 0) {
        m_side = kReactants;
        m_cursor[kReactants] = result.limiting;
    }
    m_selection = {};
    if (m_cursor[m_side] >= 1 && m_cursor[m_side] <= Count(m_side))
        m_selection[m_side] = m_cursor[m_side];
    // The group names a substance: it shows that substance's unit, so that its "ok" keeps it.
    ShowUnitsOf(m_side, m_cursor[m_side]);
    m_resultsReady = true;
}

void MainModel::TypeAmount(int side, std::size_t slot, const std::string& text) {
    if (m_state != MainState::Calculant || slot < 1 || slot > Count(side)) return;
    if (m_calc.Box(side, slot).text == text) return;
    m_calc.TypeInBox(side, slot, text);
    AmountChanged();
}

void MainModel::TypeYield(const std::string& text) {
    if (m_state != MainState::Calculant || m_calc.YieldFromObtained()) return;
    if (m_calc.Yield().text == text) return;
    m_calc.TypeYield(text);
    AmountChanged();
}

void MainModel::SetYieldFromObtained(bool fromObtained) {
    if (m_state != MainState::Calculant || m_calc.YieldFromObtained() == fromObtained) return;
    m_calc.SetYieldFromObtained(fromObtained);
    AmountChanged();
}

void MainModel::ResetAmounts() {
    m_calc.Reset();
    m_resultsReady = false;
    ++m_generation;
}

void MainModel::AmountChanged() {
    m_calc.ClearResults();
    m_resultsReady = false;
    ++m_generation;
}

void MainModel::StartManualBalancing() {
    HandOver();
    if (!CheckSameElements(m_reaction, m_table, m_port)) return;
    for (auto& side : m_boxes)
        side.fill("");
    m_state = MainState::Ajustant;
}

void MainModel::BoxNotified(int side, std::size_t slot) {
    if (m_state != MainState::Ajustant) return;
    // Boxes are ordered reactants first, so "before" runs over both sides.
    const std::size_t limit = static_cast<std::size_t>(side) * kSideLimit + (slot - 1);
    for (std::size_t index = 0; index < limit; ++index) {
        const int s = static_cast<int>(index / kSideLimit);
        const std::size_t k = index % kSideLimit;
        if (k < Count(s) && TrimBlanks(m_boxes[s][k]).empty()) m_boxes[s][k] = "1";
    }
}

void MainModel::AcceptCoefficients() {
    // Every box must hold a whole number from 1 to 65535; an empty box counts as 1.
    for (int side = 0; side < 2; ++side) {
        for (std::size_t k = 0; k < Count(side); ++k) {
            std::string& text = m_boxes[side][k];
            if (TrimBlanks(text).empty()) text = "1";
            int error = 0;
            const long long value = ReadInteger(text, error);
            if (error != 0 || value < 1 || value > static_cast<long long>(kCoefficientLimit)) {
                NoticeWith(m_port, "Coeficiente no válido",
                           "El coeficiente de " + m_substances[side][k].formula +
                               " debe ser un número entero de 1 a " + IntText(kCoefficientLimit),
                           MessageIcon::Exclamation);
                return;
            }
            m_reaction.coefficients[side][k] = static_cast<std::uint16_t>(value);
        }
    }
    if (CheckBalance(m_reaction)) {
        m_state = MainState::Ajustada;
        m_balancedIcon = true;
        return;
    }
    std::string text = "elementos:\t\t" + ElementListText(m_reaction, kReactants, m_table) +
                       "\r\n\r\nen los reactivos:\t" + AtomTotalsText(m_reaction, kReactants) +
                       "\r\nen los productos:\t" + AtomTotalsText(m_reaction, kProducts);
    if (m_reaction.chargeTotals[0] != m_reaction.chargeTotals[1]) {
        text += "\r\n\r\ncarga de los reactivos:\t" + IntText(m_reaction.chargeTotals[0]) +
                "\r\ncarga de los productos:\t" + IntText(m_reaction.chargeTotals[1]);
    }
    Notice(m_port, "No ajustada", text);
}

std::optional<std::string> MainModel::ReactionToSave() {
    if (!Controls().save) return std::nullopt;
    if (m_state != MainState::Ajustada && m_state != MainState::Calculant) {
        // The coefficients as they stand: those typed in the boxes, or 1.
        std::array<std::array<std::uint16_t, kSideLimit>, 2> typed{};
        for (int side = 0; side < 2; ++side) {
            for (std::size_t k = 0; k < kSideLimit; ++k) {
                int error = 0;
                const long long value = ReadInteger(m_boxes[side][k], error);
                typed[side][k] = m_state == MainState::Ajustant && error == 0 && value >= 1 &&
                                         value <= static_cast<long long>(kCoefficientLimit)
                                     ? static_cast<std::uint16_t>(value)
                                     : 1;
            }
        }
        HandOver();
        m_reaction.coefficients = typed;
    }
    if (!SameElements(m_reaction)) {
        NoticeWith(m_port, "Reacción incompleta", "Faltan elementos en alguno de los lados",
                   MessageIcon::Exclamation);
        return std::nullopt;
    }
    return ReactionCompactText(m_reaction);
}

void MainModel::TransferFormula(const std::string& formula) {
    m_description.clear();
    EnterFormula(formula);
}

void MainModel::QueueReaction(const Reaction& reaction, const std::string& description) {
    m_queued = reaction;
    m_queuedDescription = description;
}

void MainModel::Refresh() {
    if (!m_queued) return;
    const Reaction reaction = std::move(*m_queued);
    m_queued.reset();
    m_description = m_queuedDescription;
    m_compactText = ReactionCompactText(reaction);
    LoadReaction(reaction);
}

void MainModel::LoadReaction(const Reaction& reaction) {
    LeaveCalculation();
    m_reaction = reaction;
    for (int side = 0; side < 2; ++side) {
        m_substances[side] = reaction.substances[side];
        m_cursor[side] = Count(side) + 1;
        m_selection[side].reset();
    }
    m_state = MainState::Editant;
    m_balancedIcon = false;
    // A formula half typed for the old equation would be entered into the new one.
    LineText(EditLine::Reactants).clear();
    LineText(EditLine::Products).clear();
    ShowEquationLine();
}

bool MainModel::AskExit() {
    // No is what Enter answers: leaving ends the work on the equation.
    return !m_confirmExit || AskYesNoWith(m_port, "Confirmar", "¿Salir del programa?",
                                          MessageIcon::Question, kAnswerNo) == kAnswerYes;
}

bool MainModel::Leave(const std::string& confPath) {
    if (!AskExit()) return false;
    if (const FileResult written = WriteConfirmExit(confPath, m_confirmExit); !written) {
        // Only the preference is lost, and the user is told.
        NoticeWith(m_port, "Conf.txt", written.error, MessageIcon::Exclamation);
    }
    return true;
}

bool MainModel::AskDonation() {
    return AskYesNoWith(m_port, "DONACIÓN GRATIFICADA",
                        "\r\nCon un PACK AMPLIADO DE REACCIONES\r\n\r\n" + std::string(18, ' ') +
                            "¿Ver más?",
                        MessageIcon::Information) == kAnswerYes;
}

void MainModel::HandOver() {
    InitReaction(m_reaction);
    for (int side = 0; side < 2; ++side) {
        for (std::size_t k = 0; k < Count(side); ++k)
            PutSubstance(m_reaction, side, k + 1, m_substances[side][k]);
    }
}

void MainModel::LeaveCalculation() {
    if (m_state != MainState::Calculant) return;
    m_balancedIcon = false;
    m_resultsReady = false;
    m_resolutionWritten = false;
    m_calc.Start(m_reaction);
    m_resultLine.clear();
    ++m_generation;
}

void MainModel::DropCoefficientBoxes() {
    if (m_state == MainState::Ajustant) m_state = MainState::Inicial;
}

}  // namespace tovel
