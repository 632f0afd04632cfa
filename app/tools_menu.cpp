#include "app/tools_menu.h"

#include <QMenu>
#include <QTimer>

#include "core/messages.h"

namespace tovel {

ToolsMenu::ToolsMenu(QMenu* menu, QMap<int, QAction*>& actions, UserPort& port,
                     ChildWindows& children, std::function<void(int)> dispatch)
    : m_menu(menu),
      m_actions(actions),
      m_port(port),
      m_children(children),
      m_dispatch(std::move(dispatch)) {}

void ToolsMenu::Load(QWidget* owner) {
    if (m_tools.Load()) Rebuild();
    // Told once the window is on screen: tools left out of the menu, or a file that cannot be read.
    if (const std::string report = m_tools.LoadReport(); !report.empty()) {
        QTimer::singleShot(0, owner, [this, report] {
            NoticeWith(m_port, "Utilidades", report, MessageIcon::Exclamation);
        });
    }
}

void ToolsMenu::Rebuild() {
    // Everything after the separator is a tool.
    const QList<QAction*> actions = m_menu->actions();
    bool afterSeparator = false;
    for (QAction* action : actions) {
        if (afterSeparator) {
            m_actions.remove(action->data().toInt());
            m_menu->removeAction(action);
            action->deleteLater();
        }
        if (action->isSeparator()) afterSeparator = true;
    }
    for (std::size_t i = 1; i <= m_tools.Count(); ++i) {
        const int id = ToolCommand(i);
        QAction* action = m_menu->addAction(QString::fromStdString(m_tools.Tools()[i - 1].title));
        action->setData(id);
        QObject::connect(action, &QAction::triggered, action, [this, id] { m_dispatch(id); });
        m_actions[id] = action;
    }
}

bool ToolsMenu::Command(int id) {
    if (id == kEditToolsCommand) {
        OpenOrRaise<ToolsDialog>(m_editor, [this] {
            auto* dialog = new ToolsDialog(m_tools, m_port);
            // Saved or not, the menu shows the list as it now is.
            QObject::connect(dialog, &QDialog::finished, dialog, [this] { Rebuild(); });
            QObject::connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
            m_children.Add(dialog);
            return dialog;
        });
        return true;
    }
    const std::size_t index = ToolOfCommand(id);
    if (index == 0) return false;
    if (index <= m_tools.Count()) StartTool(m_tools.Tools()[index - 1], m_port);
    return true;
}

}  // namespace tovel
