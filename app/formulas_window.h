#pragma once
// "Fórmulas": the percentage composition of a formula, the empirical and molecular formula of a
// compound from its composition or a combustion, and the water of a hydrate from its loss on
// heating, each in its tab with the working set as formulas are drawn, "Guardar" and "Copiar".

#include <QDialog>
#include <array>

#include "app/formulas_model.h"
#include "ui/control_registry.h"

class QFormLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTextBrowser;

namespace tovel {

class FormulasWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kTabs = 100,
        kFormula = 110,
        kFirstSymbol = 120,  // one per row of elements
        kFirstValue = 130,
        kFirstSource = 140,  // one per EmpiricalSource
        kCarbonDioxide = 150,
        kWater = 151,
        kSample = 152,
        kMolarMass = 153,
        kSalt = 160,
        kLossChoice = 161,
        kMassesChoice = 162,
        kLoss = 163,
        kBefore = 164,
        kAfter = 165,
        kFirstCalculate = 200,  // one per tab, in FormulasTab's order
        kSave = 210,
        kCopy = 211,
        kFirstView = 300,  // one per tab
    };

    FormulasWindow(const ElementTable& table, UserPort& port, QWidget* parent = nullptr);

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }
    FormulasTab CurrentTab() const;
    const FormulasModel& Model() const { return m_model; }

  private:
    QWidget* BuildComposition();
    QWidget* BuildEmpirical();
    QWidget* BuildHydrate();
    // Takes a line's Enter: it calculates the tab the line is on.
    QLineEdit* Field(int id, FormulasTab tab, QWidget* parent);
    // A field with its label (whose letter jumps to it) as a row of form.
    QLineEdit* LabelledField(QFormLayout& form, int id, const char* caption, FormulasTab tab,
                             QWidget* parent);
    void Pull();
    void Calculate(FormulasTab tab);
    void ShowSource();

    UserPort& m_port;
    FormulasModel m_model;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QTabWidget* m_tabs = nullptr;
    std::array<QTextBrowser*, 3> m_views{};
};

// The working as rich text: formulas set with their counts, the answers in bold.
QString WorkingHtml(const std::vector<std::string>& lines);

}  // namespace tovel
