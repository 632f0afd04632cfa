// A menu's shortcut reaches its action even when the focus widget claims the key for itself, as
// line edits on X11 claim Ctrl+E ("end of line").

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QtTest>

#include "ui/menu_shortcuts.h"

namespace tovel {

namespace {

// Claims Ctrl+E, whatever the platform's keyboard scheme.
class ClaimingLine : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    int claimed = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier) {
                event->accept();
                ++claimed;
                return true;
            }
        }
        return QLineEdit::event(event);
    }
};

}  // namespace

class MenuShortcutsTest : public QObject {
    Q_OBJECT

    struct Window {
        QDialog dialog;
        QAction* explain = nullptr;
        QAction* other = nullptr;
        ClaimingLine* line = nullptr;
        int triggered = 0;

        Window() {
            auto* bar = new QMenuBar(&dialog);
            QMenu* menu = bar->addMenu(QStringLiteral("&Ecuación"));
            explain = menu->addAction(QStringLiteral("Ajuste &paso a paso"));
            explain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
            QObject::connect(explain, &QAction::triggered, &dialog, [this] { ++triggered; });
            line = new ClaimingLine(&dialog);
            auto* layout = new QVBoxLayout(&dialog);
            layout->setMenuBar(bar);
            layout->addWidget(line);
        }
        void Show() {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            line->setFocus();
        }
    };

  private slots:
    void aClaimedKeyIsTheLineEditsWithoutTheGuard() {
        Window w;
        w.Show();
        QTest::keyClick(w.line, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.line->claimed, 1);
        QCOMPARE(w.triggered, 0);
    }

    void theGuardGivesTheMenuItsShortcut() {
        Window w;
        KeepMenuShortcuts(w.dialog);
        w.Show();
        QTest::keyClick(w.line, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.triggered, 1);
        // A disabled action leaves the key to the line edit.
        w.explain->setEnabled(false);
        QTest::keyClick(w.line, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.triggered, 1);
        QCOMPARE(w.line->claimed, 1);
        // Another window's line edit keeps its keys.
        Window other;
        other.Show();
        QTest::keyClick(other.line, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(other.line->claimed, 1);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::MenuShortcutsTest)
#include "menu_shortcuts_test.moc"
