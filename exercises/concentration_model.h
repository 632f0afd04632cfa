#pragma once
// Concentration of solutions without the window: from one concentration (molarity, molality,
// grams per litre or percentage in mass) or from the amounts used to prepare the solution, every
// other measure and the preparation amounts; and the case as a worded exercise with its answer.

#include <array>
#include <string>

#include "element_table.h"
#include "formula.h"
#include "user_port.h"

namespace tovel {

// The four concentrations, in field order (ids 100 to 103).
enum ConcentrationKind : int { kMolarity = 0, kMolality = 1, kGramsPerLitre = 2, kMassPercent = 3 };
// The preparation fields (ids 130 to 132).
enum PreparationField : int { kSoluteGrams = 0, kSolutionMillilitres = 1, kSolventGrams = 2 };

// What the window's fields hold.
struct ConcentrationFields {
    std::string compound;  // 60
    std::string molarMass;  // 70
    std::string density;    // 80, g/ml
    std::array<std::string, 4> concentrations;  // 100..103
    std::array<std::string, 3> preparation;     // 130..132
};

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
    int CaseType() const { return m_caseType; }
    int ActiveConcentration() const { return m_active; }  // -1: none
    int PreparationQuantity() const { return m_preparationQuantity; }  // -1: none

    // The compound chosen from the list or typed and confirmed with Enter.
    void ChooseCompound(const std::string& formula);
    // Typing in the compound's field: the molar mass no longer applies.
    void CompoundTyped();
    // The user typed in a concentration field or a preparation field.
    void ConcentrationTyped(int kind);
    void PreparationTyped(int field);
    // "Calc": everything from the active concentration.
    void Calculate();
    // "ok" of the preparation box: the concentrations from the amounts.
    void Prepare();

    // "guardar caso": the statement and the answer of the case on screen.
    std::string CaseStatement() const;
    std::string CaseAnswer() const;
    // Asks for a file and appends the case to it; reports a failed write.
    void SaveCase();

private:
    bool ReadMolarMass();
    void ReadDensity();
    // Writes value into field with 3 figures; a value that is not a finite, non-negative number
    // leaves the field empty and is named in the report.
    void Put(std::string& field, double value, const char* name);
    void ReportUnusable();

    ElementTable& m_table;
    UserPort& m_port;
    bool m_tableLoaded = false;
    std::string m_openedIn;  // the current folder when the window opened

    ConcentrationFields m_fields;
    std::string m_formula;
    Substance m_substance;
    double m_molarMass = 0;
    double m_density = 0;
    std::array<double, 4> m_computed{};
    double m_soluteGrams = 0;
    bool m_inputsEnabled = false;
    bool m_caseStored = false;
    bool m_editGuard = true;
    bool m_linkClearing = true;
    int m_active = -1;
    int m_preparationQuantity = -1;
    int m_caseType = 0;
    int m_kind = 0;
    std::string m_unusable;  // fields left empty by the last computation
};

}  // namespace tovel
