#pragma once
// "Ajuste redox (ion-electrón)": a redox equation balanced by the ion-electron method, the medium
// chosen or read from the equation, every step set as the equation is drawn, with "Guardar" and
// "Copiar" as the other worked texts.

#include <QDialog>
#include <string>
#include <vector>

#include "core/ion_electron_method.h"
#include "core/user_port.h"
#include "ui/control_registry.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace tovel {

class IonElectronWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kEquation = 100,
        kMedium = 101,
        kView = 102,
        kBalance = 200,
        kSave = 201,
        kCopy = 202
    };
    // The medium choices, in the order the list shows them.
    static constexpr const char* kMediumTexts[] = {"Ácido", "Básico", "Según la ecuación"};

    explicit IonElectronWindow(UserPort& port, QWidget* parent = nullptr);

    // Puts the equation in the line and balances it (the main window's equation).
    void Show(const std::string& equation);
    void Dispatch(int id);
    // The main window's font choice: 10 sets the steps smaller, as it does the equation.
    void SetSmallFont(bool small);

    QWidget* Control(int id) const { return m_controls.Control(id); }
    // What Guardar saves and Copiar copies: the steps and the results as plain text.
    const std::vector<std::string>& Lines() const { return m_lines; }

  private:
    void Balance();

    UserPort& m_port;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QLineEdit* m_equation = nullptr;
    QComboBox* m_medium = nullptr;
    QTextBrowser* m_view = nullptr;
    std::vector<std::string> m_lines;
};

// The resolution as rich text: each step's words, its equations below them, then the results,
// formulas set with their counts and charges.
QString IonElectronHtml(const IonElectronSolution& solution);

}  // namespace tovel
