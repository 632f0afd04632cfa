#pragma once
// The problem-sheet window ("Hoja de problemas"): the choices, a preview of the first problems,
// and "Guardar PDF" / "Guardar texto" / "Guardar para Moodle". A sheet is made a problem, then a
// page block, at a time between events, with its progress shown, so the window never stops
// answering.

#include <QDialog>
#include <memory>

#include "app/sheet_model.h"
#include "ui/control_registry.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace tovel {

class SheetPdfJob;

class SheetWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kCount = 10,
        kSeed = 11,
        kNewSeed = 12,
        kAllTypes = 13,
        kFirstDatum = 20,   // one check box per SheetDatum, in its order
        kFirstCase = 30,    // one per SheetCase
        kYields = 35,       // "algunos con rendimiento"
        kEmpirical = 36,    // "uno de cada cuatro, de fórmula empírica"
        kIonElectron = 37,  // none, one in four or all to balance by the ion-electron method
        kPreview = 40,
        kProgress = 41,
        kNames = 50,  // "Hoja de formulación en lugar de problemas"
        kFormulaToName = 51,
        kNameToFormula = 52,
        kFirstNameClass = 60,  // one per PracticeClasses()
        kFirstType = 100,      // one per reaction type of the library
        kTitle = 70,
        kSpace = 71,          // the room left for answers
        kPointNotation = 72,  // numbers as 4.01E-2 instead of 4,01·10⁻²
        kVariants = 73,       // versions of each exercise for Moodle
        kSavePdf = 201,
        kSaveText = 202,
        kSaveMoodle = 203,
    };

    SheetWindow(SheetModel& model, QWidget* parent = nullptr);
    ~SheetWindow() override;

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }
    // A sheet is being made.
    bool Busy() const { return m_model.Running() || m_job != nullptr; }

  signals:
    // A sheet was written, or could not be.
    void finished(bool written);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Pull();
    void Sync();
    void UpdatePreview();
    void Save(SheetOutput output);
    void Work();
    void End(bool written);

    SheetModel& m_model;
    QSpinBox* m_count = nullptr;
    QLineEdit* m_seed = nullptr;
    QLineEdit* m_title = nullptr;
    bool m_titleTyped = false;  // the user's own title, which the choices no longer change
    QPlainTextEdit* m_preview = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    std::vector<QCheckBox*> m_typeBoxes;
    std::vector<QWidget*> m_problemGroups;  // types, data, cases: off for a nomenclature sheet
    QWidget* m_namesGroup = nullptr;
    std::unique_ptr<SheetPdfJob> m_job;
    bool m_syncing = false;
};

}  // namespace tovel
