#include "ui/menu_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace tovel {

namespace {

// Qt asks the focus widget whether it wants a key before the key reaches the shortcuts
// (ShortcutOverride); the widget's answer is taken away for the keys of the window's menus.
class ShortcutGuard : public QObject {
  public:
    explicit ShortcutGuard(QWidget& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || (widget != &m_window && !m_window.isAncestorOf(widget))) return false;
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        const auto actions = m_window.findChildren<QAction*>();
        for (const QAction* action : actions) {
            if (action->isEnabled() && action->shortcut() == key) return true;
        }
        return false;
    }

  private:
    QWidget& m_window;
};

}  // namespace

void KeepMenuShortcuts(QWidget& window) {
    qApp->installEventFilter(new ShortcutGuard(window));
}

}  // namespace tovel
