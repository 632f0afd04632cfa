#pragma once
// The element editor ("Elementos químicos") and the atomic-mass list ("M. atómicas"). Both are
// windows of their own: the main window stays usable beside them.

#include <QDialog>

#include "app/element_editor_model.h"
#include "ui/control_registry.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tovel {

class ElementEditorDialog : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kOk = 1,
        kExit = 2,
        kAccept = 3,
        kNew = 4,
        kList = 100,
        kName = 120,
        kSymbol = 121,
        kMass = 122,
        kNumber = 123,
    };

    ElementEditorDialog(ElementTable& table, UserPort& port, QWidget* parent = nullptr);

    void Dispatch(int id);
    // The Ok button: saves a change and closes.
    void Finish();
    // A new element with its symbol filled in; the name is asked for first.
    void StartNewElement(const std::string& symbol);
    // Shows the element of that symbol, or starts a new one with it when the table lacks it.
    void OpenOn(const std::string& symbol);
    QWidget* Control(int id) const { return m_controls.Control(id); }
    ElementEditorModel& Model() { return m_model; }

    // The editor that is open, if any: there is one at a time.
    static ElementEditorDialog* Current();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void Pull();
    void Sync();

    ElementEditorModel m_model;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QListWidget* m_list = nullptr;
    QLineEdit* m_fields[4] = {};  // name, symbol, mass, number
    QPushButton* m_ok = nullptr;
    bool m_syncing = false;
    bool m_closing = false;
};

// Opens the element editor and returns when it has closed; the other windows stay usable
// meanwhile. An editor already open is brought forward and waited for.
// With a symbol the table holds, the editor shows that element; with another symbol, a new
// element is started with it filled in.
void RunElementEditor(ElementTable& table, UserPort& port, const std::string& symbol = {});

class AtomicMassListDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AtomicMassListDialog(ElementTable& table, QWidget* parent = nullptr);
    QListWidget* List() const { return m_list; }

  private:
    QListWidget* m_list = nullptr;
};

// Shows the atomic-mass list, loading elements.dat first; brings it forward when it is open.
void ShowAtomicMassList(ElementTable& table);

}  // namespace tovel
