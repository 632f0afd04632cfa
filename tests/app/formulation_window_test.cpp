// The "Formulación" window as a student uses it: a name or a formula looked up with Enter, a
// practice question answered right and wrong with Enter, the score, Esc.

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/formulation_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"

namespace tovel {

class FormulationWindowTest : public QObject {
    Q_OBJECT

    template <class Widget>
    static Widget* Get(const FormulationWindow& w, int id) {
        return qobject_cast<Widget*>(w.Control(id));
    }
    static QString Text(const FormulationWindow& w, int id) {
        return Get<QTextBrowser>(w, id)->toPlainText();
    }

  private slots:
    void init() { QDir::setCurrent(QString::fromStdString(test::TempDir())); }

    void enterLooksUpAFormulaOrAName() {
        FormulationWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Formulación"));
        auto* query = Get<QLineEdit>(window, FormulationWindow::kQuery);
        QCOMPARE(QApplication::focusWidget(), query);
        QTest::keyClicks(query, QStringLiteral("acido sulfurico"));
        QTest::keyClick(query, Qt::Key_Return);
        QVERIFY(Text(window, FormulationWindow::kResult).startsWith(QStringLiteral("H2SO4")));
        QVERIFY(Text(window, FormulationWindow::kResult)
                    .contains(QString::fromUtf8("Se escribe «ácido sulfúrico»")));
        QVERIFY(window.isVisible());  // Enter looked up; it did not close the window

        query->clear();
        QTest::keyClicks(query, QStringLiteral("Cl2O7"));
        QTest::keyClick(query, Qt::Key_Return);
        const QString shown = Text(window, FormulationWindow::kResult);
        QVERIFY(shown.startsWith(QStringLiteral("O7Cl2")));
        QVERIFY(shown.contains(QString::fromUtf8("composición: dicloruro de heptaoxígeno")));

        query->setText(QString::fromUtf8("óxido de sodio(III)"));  // keyClicks types ASCII only
        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(Text(window, FormulationWindow::kResult),
                 QStringLiteral("El sodio solo tiene número de oxidación +1"));
        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
    }

    void practiceChecksTheAnswerAndKeepsTheScore() {
        // The first compound of the pool, asked by its name.
        FormulationWindow window([](std::size_t) -> std::size_t { return 0; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int id = FormulationWindow::kFirstClass; Get<QCheckBox>(window, id); ++id)
            Get<QCheckBox>(window, id)->setChecked(false);
        Get<QCheckBox>(window, FormulationWindow::kFirstClass + 1)->setChecked(true);  // oxides
        Get<QPushButton>(window, FormulationWindow::kNext)->click();
        const QString question = Get<QLabel>(window, FormulationWindow::kQuestion)->text();
        QVERIFY(question.startsWith(QString::fromUtf8("¿Cómo se nombra ")));
        auto* answer = Get<QLineEdit>(window, FormulationWindow::kAnswer);
        QCOMPARE(QApplication::focusWidget(), answer);

        // A wrong answer first: said, and counted.
        QTest::keyClicks(answer, QStringLiteral("sulfato de sodio"));
        QTest::keyClick(answer, Qt::Key_Return);
        QVERIFY(Text(window, FormulationWindow::kVerdict).startsWith(QStringLiteral("No.")));
        QCOMPARE(Get<QLabel>(window, FormulationWindow::kScore)->text(),
                 QStringLiteral("Aciertos: 0 de 1"));

        // The right names are shown; one of them typed is right, the question counted once.
        const QString verdict = Text(window, FormulationWindow::kVerdict);
        const auto colon = verdict.indexOf(QStringLiteral("composición: "));
        QVERIFY(colon >= 0);
        const QString right = verdict.mid(colon + 13).section('\n', 0, 0);
        answer->setText(right);
        QTest::keyClick(answer, Qt::Key_Return);
        QVERIFY2(Text(window, FormulationWindow::kVerdict)
                     .startsWith(QString::fromUtf8("Bien. Correcto (nombre de composición)")),
                 qPrintable(Text(window, FormulationWindow::kVerdict)));
        QCOMPARE(Get<QLabel>(window, FormulationWindow::kScore)->text(),
                 QStringLiteral("Aciertos: 0 de 1"));

        // No class ticked: the student is told, nothing is drawn.
        Get<QCheckBox>(window, FormulationWindow::kFirstClass + 1)->setChecked(false);
        Get<QPushButton>(window, FormulationWindow::kNext)->click();
        QCOMPARE(Get<QLabel>(window, FormulationWindow::kQuestion)->text(),
                 QStringLiteral("Marca alguna clase de compuestos"));
    }

    void theMenuOpensItOnce() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        main.MenuAction(kMenuFormulation)->trigger();
        auto* window = test::FindWindow<FormulationWindow>();
        QVERIFY(window != nullptr);
        main.MenuAction(kMenuFormulation)->trigger();
        QCOMPARE(test::FindWindow<FormulationWindow>(), window);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::FormulationWindowTest)
#include "formulation_window_test.moc"
