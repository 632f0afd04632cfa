#pragma once
// The tools editor window ("Edición útiles"); ToolsEditor does the work. It ends with 1 when
// the tools were saved (the caller rebuilds its menu) and 0 otherwise.

#include <QDialog>

#include "system/tools_editor.h"
#include "ui/control_registry.h"

class QLineEdit;
class QListWidget;

namespace tovel {

class ToolsDialog : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kEsc = 2,
        kNew = 3,
        kDelete = 4,
        kUp = 5,
        kDown = 6,
        kBrowse = 10,
        kStore = 15,
        kOk = 20,
        kList = 40,
        kTitle = 100,
        kFile = 101,
        kWorkingDir = 102,
        kParameters = 103
    };

    ToolsDialog(ToolList& tools, UserPort& port, QWidget* parent = nullptr);

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    void Pull();
    void Sync();

    ToolsEditor m_editor;
    ToolList& m_tools;
    QListWidget* m_list = nullptr;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    bool m_syncing = false;
};

}  // namespace tovel
