#pragma once
// The concentration window ("Concentración de disoluciones"). Its calculation and its state,
// which lasts for the whole run, are ConcentrationModel's; the window shows them.

#include <QDialog>
#include <QMap>

#include "exercises/concentration_model.h"
#include "ui/control_registry.h"

class QAction;
class QComboBox;
class QLineEdit;

namespace tovel {

class ConcentrationWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kCalc = 3,
        kOk = 5,
        kCompound = 60,
        kMolarMass = 70,
        kDensity = 80,
        kFirstConcentration = 100,
        kFirstPreparation = 130,
        kSaveCase = 301,
        kViewFile = 302,
        kElements = 303,
    };

    ConcentrationWindow(ConcentrationModel& model, ElementTable& table, UserPort& port,
                        QWidget* parent = nullptr);

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }
    QAction* MenuAction(int id) const;
    QComboBox* Compounds() const { return m_compound; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Pull();
    void Sync();
    QLineEdit* Edit(ConcentrationField field, QWidget* parent);

    ConcentrationModel& m_model;
    ElementTable& m_table;
    UserPort& m_port;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QComboBox* m_compound = nullptr;
    QMap<ConcentrationField, QLineEdit*> m_fieldEdits;
    QMap<int, QAction*> m_actions;
};

}  // namespace tovel
