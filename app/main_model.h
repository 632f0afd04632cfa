#pragma once
// The main window's work in progress, without the window: the equation by side and slot, the
// reaction record, the state machine and what every command does to them. The window reads the
// model to draw itself and passes the user's commands on; messages go through the user port.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/calculation_model.h"
#include "app/main_state.h"
#include "app/oxidation_marks.h"
#include "core/balance_explanation.h"
#include "core/element_table.h"
#include "core/reaction.h"
#include "core/user_port.h"

namespace tovel {

// The units group of calculation mode: which unit is chosen for the selected substance and the
// conditions typed for it.
struct UnitsGroup {
    AmountUnit unit = AmountUnit::Gram;  // the radio button on
    UnitInputs inputs;
    bool solutionOffered = true;  // "V disolución" only for reactants
    bool gasFields = false;       // P and T with their units
    bool molarityField = false;
    bool purityField = true;
};

// The edit lines: each side's, and the whole equation's.
enum class EditLine : int { Reactants = 0, Products = 1, Equation = 2 };
constexpr EditLine SideLine(int side) {
    return side == kReactants ? EditLine::Reactants : EditLine::Products;
}

// What the refresh step enables and shows.
struct MainControls {
    bool adjust = false;       // button 10
    bool autoAdjust = false;   // "Autoajuste"
    bool save = false;         // "guardar" and its menu item
    bool newReaction = false;  // "Nueva" and its menu item
    bool problem = false;      // "Problema >"
    bool explain = false;      // "Ajuste paso a paso": an equation is drawn
    bool redox = false;        // "Números de oxidación" and "Análisis redox"
    bool editingVisible = true;
    bool calculationVisible = false;
};

class MainModel {
  public:
    MainModel(ElementTable& table, UserPort& port);

    // --- what the window shows
    MainState State() const { return m_state; }
    int CurrentSide() const { return m_side; }
    std::size_t Count(int side) const { return m_substances[side].size(); }
    const SideSubstances& Substances(int side) const { return m_substances[side]; }
    std::size_t Cursor(int side) const { return m_cursor[side]; }
    // The selected row of a side's list (1-based), if any.
    std::optional<std::size_t> Selection(int side) const { return m_selection[side]; }
    const Reaction& CurrentReaction() const { return m_reaction; }
    ElementTable& Table() { return m_table; }
    const std::string& Description() const { return m_description; }
    const std::string& CompactText() const { return m_compactText; }
    // The label of the button that starts manual balancing, checks it, and enters calculation mode.
    std::string AdjustButtonLabel() const;
    std::string GroupCaption() const;
    MainControls Controls() const;
    // The mark of an equation balanced by hand, beside the balanced equation only.
    bool BalancedIconVisible() const {
        return m_balancedIcon &&
               (m_state == MainState::Ajustada || m_state == MainState::Calculant);
    }
    bool ResultsReady() const { return m_resultsReady; }
    int FontSizeSelector() const { return m_fontSize; }
    bool ConfirmExit() const { return m_confirmExit; }

    // The texts of the edit lines.
    std::string& LineText(EditLine line) { return m_lines[static_cast<std::size_t>(line)]; }
    const std::string& LineText(EditLine line) const {
        return m_lines[static_cast<std::size_t>(line)];
    }

    // --- commands
    // "^" or Enter in a side's line: every "+"-separated formula of the line, in order, at the
    // side's cursor. What could not be entered stays in the line.
    void EnterSideLine(int side);
    // "ok" or Enter in the equation line.
    void EnterEquationLine();
    // A row chosen in a side's list (0: none).
    void SelectSlot(int side, std::size_t position);
    // The user started typing in the line of the side that is not current.
    void ActivateSide(int side);
    // "+": the current side's next formula is appended.
    void PrepareNewFormula();
    // "-": deletes the substance at the current side's cursor.
    void DeleteAtCursor();
    // "Nueva".
    void NewReaction();
    // "Autoajuste"; reports a failure.
    bool AutoAdjust();
    // Button 10: "Ajustar" starts manual balancing, "acepta" checks the coefficients typed in
    // the boxes, "Cálculos" enters calculation mode.
    void Adjust();
    // A coefficient box was used: the empty boxes before it are filled with "1".
    void BoxNotified(int side, std::size_t slot);
    // The text of a coefficient box, in manual balancing.
    std::string& BoxText(int side, std::size_t slot) { return m_boxes[side][slot - 1]; }
    const std::string& BoxText(int side, std::size_t slot) const { return m_boxes[side][slot - 1]; }
    // Command 199: a formula handed over by the usual-compounds window.
    void TransferFormula(const std::string& formula);
    // --- calculation mode
    // Button 10 in AJUSTADA: amount boxes, units group, every unit grams.
    void EnterCalculation();
    const CalculationModel& Calculation() const { return m_calc; }
    // The user typed in an amount box (its text is a datum again); the results no longer stand.
    void TypeAmount(int side, std::size_t slot, const std::string& text);
    // The "Rendimiento %" field and the choice of finding it from what was obtained.
    void TypeYield(const std::string& text);
    void SetYieldFromObtained(bool fromObtained);
    // How the drawn equation is balanced, step by step (whatever coefficients the user typed).
    BalanceExplanation Explanation() const;
    // "Números de oxidación": shown above the elements of the drawn equation, or not.
    bool ShowOxidation() const { return m_showOxidation; }
    void ToggleOxidation() { m_showOxidation = !m_showOxidation; }
    OxidationMarkSides OxidationMarks() const { return MarkOxidationNumbers(m_substances); }
    // The redox analysis of the drawn equation, balanced by the program when it is not yet.
    std::vector<std::string> RedoxText() const;
    // The drawn equation without coefficients ("KMnO4 + HCl = KCl + MnCl2 + Cl2 + H2O"), for the
    // ion-electron window; empty while a side is.
    std::string SkeletonText() const;
    // Whether the drawn equation, balanced, is a redox reaction (not a half-reaction).
    bool IsRedox() const;
    // What the worded problem of the last calculation is written from.
    ProblemInput Problem() const { return m_calc.Problem(m_reaction); }
    UnitsGroup& Units() { return m_units; }
    const UnitsGroup& Units() const { return m_units; }
    std::string UnitsCaption() const;
    // The radio buttons 121..125: purity, P and T or molarity as the unit needs.
    void ChooseUnit(AmountUnit unit);
    // "ok" of the units group; reports a unit that is not accepted.
    bool AcceptUnits();
    // Enter in the P or T field, and in the molarity field.
    void EnterGasConditions();
    void EnterMolarity();
    // "Calc", or Enter in an amount box.
    void Calculate();
    // "Rst": empties the amount boxes.
    void ResetAmounts();
    // Something the results came from changed: they no longer stand.
    void AmountChanged();
    // Bumped whenever the results or the reaction change: a problem written before is stale.
    int CalculationGeneration() const { return m_generation; }
    const std::string& ResultLine() const { return m_resultLine; }
    // The problem window wrote its resolution (control 198 is shown until calculation mode ends).
    void SetResolutionWritten() { m_resolutionWritten = true; }
    bool ResolutionWritten() const { return m_resolutionWritten; }

    // "guardar": the reaction as it stands (the coefficients as typed unless balanced), in compact
    // text, when both sides hold the same elements; otherwise the user is told and nothing.
    std::optional<std::string> ReactionToSave();

    // The reaction library hands over a reaction; it is loaded at the next refresh.
    void QueueReaction(const Reaction& reaction, const std::string& description);
    // The refresh step run before every command: loads a queued reaction.
    void Refresh();
    void ToggleConfirmExit() { m_confirmExit = !m_confirmExit; }
    void SetConfirmExit(bool confirm) { m_confirmExit = confirm; }
    void SetFontSizeSelector(int selector) { m_fontSize = selector == 1 ? 1 : 0; }
    // The exit procedure's question; true when the program may end.
    bool AskExit();
    // The exit procedure of the program: the question, then the confirm-exit choice written to
    // confPath (a failed write is told, and leaving goes on). True when the program may end.
    bool Leave(const std::string& confPath);
    // "Donación gratificada": true when the user wants to see the page.
    bool AskDonation();

    // Copies the dialog's substances into the reaction record (with coefficients 1).
    void HandOver();

  private:
    void StartManualBalancing();
    void AcceptCoefficients();
    bool EnterFormula(const std::string& formula);
    void LoadReaction(const Reaction& reaction);
    void LeaveCalculation();
    void DropCoefficientBoxes();
    void EquationChanged();
    void ShowEquationLine();

    void ShowUnitsOf(int side, std::size_t slot);

    ElementTable& m_table;
    UserPort& m_port;

    MainState m_state = MainState::Start;
    int m_side = kReactants;
    // The substances of the lists as a reaction, coefficients 1, whatever the state.
    Reaction DrawnReaction() const;

    std::array<SideSubstances, 2> m_substances;
    bool m_showOxidation = false;
    std::array<std::size_t, 2> m_cursor{1, 1};
    std::array<std::optional<std::size_t>, 2> m_selection;
    std::array<std::string, 3> m_lines;
    std::array<std::array<std::string, kSideLimit>, 2> m_boxes;
    Reaction m_reaction;
    std::string m_description;
    std::string m_compactText;
    bool m_confirmExit = true;
    int m_fontSize = 0;
    bool m_resultsReady = false;
    bool m_balancedIcon = false;
    CalculationModel m_calc;
    UnitsGroup m_units;
    std::string m_resultLine;
    int m_generation = 0;
    bool m_resolutionWritten = false;
    std::optional<Reaction> m_queued;
    std::string m_queuedDescription;
};

}  // namespace tovel
