#pragma once
// The tools' items of the "Utilidades" menu: one item a registered tool after the separator,
// rebuilt whenever the tools editor closes, and the commands of those items and of the editor.

#include <QAction>
#include <QMap>
#include <QPointer>
#include <functional>

#include "core/user_port.h"
#include "system/tools.h"
#include "ui/child_windows.h"
#include "ui/tools_dialog.h"

class QMenu;

namespace tovel {

class ToolsMenu {
  public:
    // The items go after the last separator of menu, and into actions by command; each sends its
    // command to dispatch. Windows the editor opens are added to children.
    ToolsMenu(QMenu* menu, QMap<int, QAction*>& actions, UserPort& port, ChildWindows& children,
              std::function<void(int)> dispatch);

    // Reads Tools.rel and fills the menu; what could not be read is told once the window shows.
    void Load(QWidget* owner);
    // Runs the command if it is the editor's or a tool's; false for any other command.
    bool Command(int id);

  private:
    void Rebuild();

    QMenu* m_menu;
    QMap<int, QAction*>& m_actions;
    UserPort& m_port;
    ChildWindows& m_children;
    std::function<void(int)> m_dispatch;
    ToolList m_tools;
    QPointer<ToolsDialog> m_editor;
};

}  // namespace tovel
