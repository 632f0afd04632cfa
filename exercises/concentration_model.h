#pragma once
// The concentration window without the window: what its fields hold, the flags that decide what
// typing empties, and the calculations from the fields, which it reads, refuses and fills. Its
// state lasts for the whole run, as the window's does.

#include <optional>
#include <string>

#include "core/concentration.h"
#include "core/element_table.h"
#include "core/user_port.h"
#include "exercises/concentration_fields.h"

namespace tovel {

class ConcentrationModel {
  public:
    ConcentrationModel(ElementTable& table, UserPort& port);

    // A new window: its fields start empty; the flags and remembered values stay as they were.
    // tableLoaded: whether the element table could be loaded for it.
    void Open(bool tableLoaded);

    ConcentrationFields& Fields() { return m_fields; }
    const ConcentrationFields& Fields() const { return m_fields; }
    bool InputsEnabled() const { return m_inputsEnabled; }
    bool CaseStored() const { return m_caseStored; }
    bool LinkClearing() const { return m_linkClearing; }
    CaseKind CaseType() const { return m_caseType; }
    // Which of "ml disolución" and "g disolvente" the user gave.
    std::optional<PreparationQuantity> GivenQuantity() const { return m_quantity; }

    // The compound chosen from the list or typed and confirmed with Enter.
    void ChooseCompound(const std::string& formula);
    // Typing in the compound's field: the molar mass no longer applies.
    void CompoundTyped();
    // The user typed in a concentration field, or in a field of the preparation box
    // (SoluteGrams, SolutionMillilitres or SolventGrams).
    void ConcentrationTyped(ConcentrationKind kind);
    void PreparationTyped(ConcentrationField field);
    // "Calc": everything from the active concentration.
    void Calculate();
    // "ok" of the preparation box: the concentrations from the amounts.
    void Prepare();

    // "guardar caso": the statement and the answer of the case on screen.
    CaseText ComposedCase() const;
    // Asks for a file and appends the case to it; reports a failed write.
    void SaveCase();

  private:
    // After a calculation that gave a result.
    void Computed();
    // The solute's molar masses for a calculation, remembering a hydrate's salt for the case.
    SoluteMolarMass Masses(double molarMass);

    ElementTable& m_table;
    UserPort& m_port;
    bool m_tableLoaded = false;
    std::string m_openedIn;  // the current folder when the window opened

    ConcentrationFields m_fields;
    std::string m_formula;
    bool m_inputsEnabled = false;
    bool m_caseStored = false;
    bool m_editGuard = true;
    bool m_linkClearing = true;
    std::optional<ConcentrationKind> m_active;  // the concentration field typed in last
    std::optional<PreparationQuantity> m_quantity;
    CaseKind m_caseType = CaseKind::None;
    ConcentrationKind m_kind = ConcentrationKind::Molarity;  // of the last "Calc"
    // The density text the last calculation used, empty when it had none: the case states the
    // density its results come from, even if the field has been edited since.
    std::string m_caseDensity;
    double m_saltMolarMass = 0;  // of the last calculation's anhydrous salt, for a hydrate
};

}  // namespace tovel
