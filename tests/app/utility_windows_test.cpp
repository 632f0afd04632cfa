// The usual-compounds window, the tools editor and menu, and the about window, with the main
// window, in a folder of their own.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <set>

#include "app/compounds_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "app/program.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"
#include "ui/about_window.h"
#include "ui/named_formula_delegate.h"
#include "ui/tools_dialog.h"

namespace tovel {

class UtilityWindowsTest : public QObject {
    Q_OBJECT

    class RecordingPort : public test::FakeUserPort {
      public:
        bool OpenDocument(const std::string& path) override {
            opened.push_back(std::filesystem::current_path().string() + " " + path);
            return true;
        }
        std::vector<std::string> opened;
    };

  private slots:
    void init() { QDir::setCurrent(QString::fromStdString(test::TempDir())); }

    void compoundsGoIntoTheEquation() {
        CompoundBook book;
        book.Category(3).push_back(MakeCompoundRecord("Cloruro de sodio", "NaCl", 3));
        book.Category(0).push_back(MakeCompoundRecord("Agua", "H2O", 0));
        QVERIFY(book.Write());
        // The main window opens the compounds window on its own element table.
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        qobject_cast<QLineEdit*>(main.Control(kEquationLine))->setText("Na+Cl2=NaCl");
        main.Dispatch(kCmdEquationOk);
        main.Dispatch(kCmdAutoAdjust);
        QCOMPARE(main.Model().State(), MainState::Ajustada);

        main.MenuAction(kMenuCompounds)->trigger();
        auto* compounds = test::FindWindow<CompoundsWindow>();
        QVERIFY(compounds != nullptr);
        QCOMPARE(compounds->windowTitle(), QStringLiteral("Compuestos usuales"));
        QCOMPARE(compounds->List(3)->item(0)->text(), QStringLiteral("NaCl"));
        QCOMPARE(compounds->List(0)->item(0)->toolTip(), QStringLiteral("Agua"));

        // A double-click enters the formula at the cursor of the current side.
        QListWidget* salts = compounds->List(3);
        const QRect first = salts->visualItemRect(salts->item(0));
        // A double-click is a click and a second press that the system reports as double.
        QTest::mouseClick(salts->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(salts->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(main.Model().State(), MainState::Editant);
        QCOMPARE(main.Model().Substances(kReactants).back().formula, std::string("NaCl"));

        // "&Transferir" of the context menu does the same.
        compounds->Model().SelectSlot(0, 1);
        compounds->Dispatch(CompoundsWindow::kTransfer);
        QCOMPARE(main.Model().Substances(kReactants).back().formula, std::string("H2O"));

        // A new compound through the edit row, then leaving saves it when asked.
        compounds->Dispatch(CompoundsWindow::kNew);
        compounds->Field(CompoundsWindow::kFormula)->setText("KCl");
        compounds->Field(CompoundsWindow::kName)->setText("Cloruro de potasio");
        compounds->Dispatch(CompoundsWindow::kOk);
        QCOMPARE(compounds->List(0)->count(), 2);
        // Each formula shows its name under it: the stored one, or nomenclature's when none was
        // stored; the item is tall enough for both lines.
        const auto nameShown = [&](int category, int row) {
            return compounds->List(category)->item(row)->data(NamedFormulaDelegate::kNameRole);
        };
        QCOMPARE(nameShown(0, 1).toString(), QStringLiteral("Cloruro de potasio"));
        compounds->Dispatch(CompoundsWindow::kNew);
        compounds->Field(CompoundsWindow::kFormula)->setText("Fe2O3");
        compounds->Dispatch(CompoundsWindow::kOk);
        QCOMPARE(nameShown(0, 2).toString(), QStringLiteral("óxido de hierro(III)"));
        QListWidget* oxides = compounds->List(0);
        QVERIFY(oxides->visualItemRect(oxides->item(2)).height() >
                2 * oxides->fontMetrics().height() * 8 / 10);
        port.answers = {kAnswerYes};
        compounds->Dispatch(CompoundsWindow::kLeave);
        QVERIFY(test::FindWindow<CompoundsWindow>() == nullptr);
        CompoundBook saved;
        saved.Read();
        QCOMPARE(saved.Category(0).size(), std::size_t{3});
    }

    // A formula is checked when it is entered: what is no formula, or names an element the
    // table lacks and the user does not add, stays in the field with a message.
    void compoundsRefuseWrongFormulas() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        auto* window = new CompoundsWindow(table, port, [](const std::string&) {});
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QListWidget* acids = window->List(2);
        QTest::mouseClick(acids->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QLineEdit* formula = window->Field(CompoundsWindow::kFormula);
        QVERIFY(formula->isVisible());
        QTest::mouseClick(formula, Qt::LeftButton);

        QTest::keyClicks(formula, "abc((");
        QTest::keyClick(formula, Qt::Key_Return);
        QCOMPARE(port.messages.size(), std::size_t{1});
        QCOMPARE(port.messages[0].caption, std::string("Fórmula incorrecta"));
        QCOMPARE(port.messages[0].text,
                 std::string(
                     "La fórmula \"abc((\" no vale: el carácter \"a\" sobra o está fuera de "
                     "sitio; escriba símbolos de elementos, números y paréntesis, como Ca(OH)2"));
        QCOMPARE(acids->count(), 0);
        QCOMPARE(formula->text(), QStringLiteral("abc(("));
        QVERIFY(formula->isVisible());

        // An unknown element the user will not add: refused; added in the editor: stored.
        formula->selectAll();
        QTest::keyClicks(formula, "HQq");
        QTest::keyClick(formula, Qt::Key_Return);
        QCOMPARE(port.messages.size(), std::size_t{3});
        QCOMPARE(port.messages[1].buttons, MessageButtons::YesNo);
        QCOMPARE(
            port.messages[2].text,
            std::string(
                "La fórmula \"HQq\" no vale: el elemento Qq no está en la tabla de elementos"));
        QCOMPARE(acids->count(), 0);
        port.answers = {kAnswerYes};
        port.editor = [](ElementTable& t) {
            t.Add(MakeElementRecord(119, "Qq", 300, "Inventado"));
        };
        QTest::mouseClick(window->Field(CompoundsWindow::kName), Qt::LeftButton);
        QTest::keyClicks(window->Field(CompoundsWindow::kName), "Acido inventado");
        QTest::keyClick(window->Field(CompoundsWindow::kName), Qt::Key_Return);
        QCOMPARE(port.messages.size(), std::size_t{4});  // the question only
        QCOMPARE(acids->count(), 1);
        QCOMPARE(acids->item(0)->text(), QStringLiteral("HQq"));
        QCOMPARE(acids->item(0)->toolTip(), QStringLiteral("Acido inventado"));
        QCOMPARE(formula->text(), QString());  // ready for the next compound

        port.answers = {kAnswerYes};
        window->Dispatch(CompoundsWindow::kLeave);
        QTRY_VERIFY(test::FindWindow<CompoundsWindow>() == nullptr);
        CompoundBook saved;
        saved.Read();
        QCOMPARE(saved.Category(2),
                 (std::vector<CompoundRecord>{MakeCompoundRecord("Acido inventado", "HQq", 2)}));
    }

    void toolsEditorFillsTheMenu() {
        ElementTable table = test::DefaultElements();
        RecordingPort port;
        test::WriteBytes("guia.txt", "x");
        QDir().mkdir("docs");
        test::WriteBytes("docs/notas.txt", "x");
        PrincipalDialog main(table, port);
        main.show();
        main.MenuAction(kMenuToolsEditor)->trigger();
        auto* editor = test::FindWindow<ToolsDialog>();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Edición útiles"));
        auto type = [&](int id, const char* text) {
            qobject_cast<QLineEdit*>(editor->Control(id))->setText(text);
        };
        type(ToolsDialog::kTitle, "Guía");
        type(ToolsDialog::kFile, "guia.txt");
        editor->Dispatch(ToolsDialog::kStore);
        type(ToolsDialog::kTitle, "Notas");
        type(ToolsDialog::kFile, "notas.txt");
        type(ToolsDialog::kWorkingDir, "docs");
        editor->Dispatch(ToolsDialog::kStore);
        editor->Dispatch(ToolsDialog::kOk);
        QTRY_VERIFY(test::FindWindow<ToolsDialog>() == nullptr);
        QVERIFY(main.MenuAction(kToolCommandBase + 1) != nullptr);
        QCOMPARE(main.MenuAction(kToolCommandBase + 2)->text(), QStringLiteral("Notas"));
        QVERIFY(main.MenuAction(kMenuConcentrations) != nullptr);  // the fixed items stay

        const std::string here = QDir::currentPath().toStdString();
        main.MenuAction(kToolCommandBase + 2)->trigger();
        main.MenuAction(kToolCommandBase + 1)->trigger();
        QCOMPARE(port.opened,
                 (std::vector<std::string>{here + "/docs notas.txt", here + " guia.txt"}));
        QCOMPARE(QDir::currentPath().toStdString(), here);

        // "esc" drops the edits, and the menu follows the list.
        main.MenuAction(kMenuToolsEditor)->trigger();
        editor = test::FindWindow<ToolsDialog>();
        qobject_cast<QListWidget*>(editor->Control(ToolsDialog::kList))->setCurrentRow(0);
        port.answers = {kAnswerYes};
        editor->Dispatch(ToolsDialog::kDelete);
        editor->Dispatch(ToolsDialog::kEsc);
        QTRY_VERIFY(test::FindWindow<ToolsDialog>() == nullptr);
        QCOMPARE(main.MenuAction(kToolCommandBase + 1)->text(), QStringLiteral("Guía"));
        QVERIFY(main.MenuAction(kToolCommandBase + 2) != nullptr);
    }

    // A tool typed with Enter from field to field is stored by Enter on "<- ok"; the focus then
    // reaching the list leaves the fields alone, and only a row the user picks is shown.
    void toolsEditorTakesATypedToolWithEnter() {
        test::WriteBytes("Tools.rel", "Uno\r\nuno.txt\r\n\r\n\r\nDos\r\ndos.txt\r\n/tmp\r\n-v\r\n");
        ToolList tools;
        QVERIFY(tools.Load());
        RecordingPort port;
        ToolsDialog editor(tools, port);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        auto field = [&](int id) { return qobject_cast<QLineEdit*>(editor.Control(id)); };
        auto* list = qobject_cast<QListWidget*>(editor.Control(ToolsDialog::kList));
        auto focused = [] { return QApplication::focusWidget(); };
        auto press = [&](Qt::Key key) { QTest::keyClick(focused(), key); };

        QCOMPARE(focused(), editor.Control(ToolsDialog::kTitle));
        QTest::keyClicks(focused(), "Tres");
        press(Qt::Key_Return);
        QCOMPARE(focused(), editor.Control(ToolsDialog::kFile));
        QTest::keyClicks(focused(), "tres.txt");
        press(Qt::Key_Return);
        QTest::keyClicks(focused(), "docs");
        press(Qt::Key_Return);
        QCOMPARE(focused(), editor.Control(ToolsDialog::kParameters));
        press(Qt::Key_Return);
        QCOMPARE(focused(), editor.Control(ToolsDialog::kStore));
        press(Qt::Key_Return);
        QCOMPARE(tools.Count(), std::size_t{3});
        QCOMPARE(tools.Tools()[2], (ToolEntry{"Tres", "tres.txt", "docs", ""}));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("Tres"));
        // Stored, the fields wait for the next tool, and the list that has the focus shows none.
        QCOMPARE(focused(), static_cast<QWidget*>(list));
        QVERIFY(list->selectedItems().isEmpty());
        for (int id : {ToolsDialog::kTitle, ToolsDialog::kFile, ToolsDialog::kWorkingDir,
                       ToolsDialog::kParameters}) {
            QCOMPARE(field(id)->text(), QString());
        }
        QVERIFY(!editor.Control(ToolsDialog::kDelete)->isEnabled());

        // Half a tool typed, then the focus goes to the list and away again: nothing is lost.
        field(ToolsDialog::kTitle)->setFocus();
        QTest::keyClicks(focused(), "Cuatro");
        QTest::keyClick(focused(), Qt::Key_Backtab);
        QCOMPARE(focused(), static_cast<QWidget*>(list));
        field(ToolsDialog::kFile)->setFocus();
        QCOMPARE(field(ToolsDialog::kTitle)->text(), QStringLiteral("Cuatro"));
        QCOMPARE(tools.Count(), std::size_t{3});

        // An arrow key in the list picks a row and shows its tool.
        list->setFocus();
        press(Qt::Key_Down);
        const int picked = list->currentRow();
        QVERIFY(list->item(picked)->isSelected());
        QCOMPARE(field(ToolsDialog::kTitle)->text(), list->item(picked)->text());
        QVERIFY(editor.Control(ToolsDialog::kDelete)->isEnabled());

        // So does a click; Enter through its fields and "<- ok" then changes that tool.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(field(ToolsDialog::kTitle)->text(), QStringLiteral("Dos"));
        QCOMPARE(field(ToolsDialog::kWorkingDir)->text(), QStringLiteral("/tmp"));
        QVERIFY(editor.Control(ToolsDialog::kUp)->isEnabled());
        field(ToolsDialog::kParameters)->setFocus();
        field(ToolsDialog::kParameters)->selectAll();
        QTest::keyClicks(focused(), "-q");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(tools.Count(), std::size_t{3});
        QCOMPARE(tools.Tools()[1], (ToolEntry{"Dos", "dos.txt", "/tmp", "-q"}));

        QTest::mouseClick(editor.Control(ToolsDialog::kOk), Qt::LeftButton);
        ToolList saved;
        QVERIFY(saved.Load());
        QCOMPARE(saved.Tools(), tools.Tools());
    }

    void aboutWindowSpeaksSpanish() {
        AboutWindow about("Reacciones químicas: ajuste y cálculos", " V2.0", 3);
        QCOMPARE(about.Button()->text(), QStringLiteral("psé"));
        QVERIFY(about.windowTitle().startsWith("Respecto "));
        QVERIFY(about.windowTitle().endsWith("..."));
        QCOMPARE(about.size(), QSize(312, 240));
        QCOMPARE(about.Button()->geometry(), QRect(122, 180, 70, 24));
        const std::set<std::string> spanish = {"bueno", "¡Ah!",  "¡Oh!",  "psé",
                                               "¡hum!", "mmm..", "¡vaya!"};
        for (std::size_t i = 0; i < 7; ++i)
            QVERIFY(spanish.count(Interjection(i)) == 1);
        // The texts are painted: the description line in its orange.
        bool orange = false;
        for (int x = 20; x < 300 && !orange; ++x) {
            for (int y = 60; y < 80 && !orange; ++y) {
                const QColor c = about.Surface().pixelColor(x, y);
                orange = c.red() > 180 && c.green() > 60 && c.green() < 150 && c.blue() < 80;
            }
        }
        QVERIFY(orange);
        QTest::mouseClick(about.Button(), Qt::LeftButton);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::UtilityWindowsTest)
#include "utility_windows_test.moc"
