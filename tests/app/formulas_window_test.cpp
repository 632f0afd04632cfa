// The "Fórmulas" window as a student uses it: Enter in a field calculates its tab, refusals name
// the field and leave what was typed, percents that do not add up are shared out only if the
// student says so, Esc closes.

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

#include "app/formulas_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"

namespace tovel {

class FormulasWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FakeUserPort> port;
    std::unique_ptr<FormulasWindow> window;

    QLineEdit* Line(int id) { return qobject_cast<QLineEdit*>(window->Control(id)); }
    QString View(int tab) {
        return qobject_cast<QTextBrowser*>(window->Control(FormulasWindow::kFirstView + tab))
            ->toPlainText();
    }
    void Type(int id, const QString& text) {
        Line(id)->setFocus();
        Line(id)->selectAll();
        QTest::keyClicks(Line(id), text);
    }
    void Enter(int id) { QTest::keyClick(Line(id), Qt::Key_Return); }

  private slots:
    void init() {
        QDir::setCurrent(QString::fromStdString(test::TempDir()));
        port = std::make_unique<test::FakeUserPort>();
        window = std::make_unique<FormulasWindow>(test::DefaultElements(), *port);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void compositionOnEnter() {
        QCOMPARE(window->windowTitle(), QString::fromUtf8("Fórmulas"));
        QCOMPARE(QApplication::focusWidget(), Line(FormulasWindow::kFormula));
        QTest::keyClicks(Line(FormulasWindow::kFormula), "CuSO4*5H2O");
        Enter(FormulasWindow::kFormula);
        const QString shown = View(0);
        QVERIFY(shown.contains(QStringLiteral("25.45 %")));
        QVERIFY(shown.contains(QString::fromUtf8("36.08 % (agua de cristalización)")));
        QVERIFY(window->isVisible());  // Enter calculated; it did not close the window
        // A second time, another formula: only its working is shown.
        Type(FormulasWindow::kFormula, "NaCl");
        Enter(FormulasWindow::kFormula);
        QVERIFY(View(0).startsWith(QStringLiteral("M(NaCl) = 22.99 + 35.45 = 58.44 g/mol")));
        // A wrong formula is refused naming the field; what was typed stays.
        Type(FormulasWindow::kFormula, "Qq2");
        Enter(FormulasWindow::kFormula);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos no válidos"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("Fórmula: El elemento Qq de Qq2 no está en la tabla de elementos"));
        QCOMPARE(Line(FormulasWindow::kFormula)->text(), QStringLiteral("Qq2"));
        QCOMPARE(View(0), QString());
    }

    void empiricalFromPercentsAndACombustion() {
        QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);  // "Fórmula &empírica"
        QCOMPARE(QApplication::focusWidget(), Line(FormulasWindow::kFirstSymbol));
        const char* typed[][2] = {{"C", "40.0"}, {"H", "6.7"}, {"O", "53.3"}};
        for (int row = 0; row < 3; ++row) {
            Type(FormulasWindow::kFirstSymbol + row, typed[row][0]);
            Type(FormulasWindow::kFirstValue + row, typed[row][1]);
        }
        Type(FormulasWindow::kMolarMass, "180");
        Enter(FormulasWindow::kMolarMass);
        QVERIFY(View(1).contains(QString::fromUtf8("Fórmula empírica: CH2O")));
        QVERIFY(View(1).contains(QString::fromUtf8("Fórmula molecular: C6H12O6")));

        // 98 %: asked, and No leaves nothing calculated.
        Type(FormulasWindow::kFirstValue + 2, "51.3");
        port->answers = {kAnswerNo};
        Enter(FormulasWindow::kFirstValue + 2);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Porcentajes"));
        QCOMPARE(View(1), QString());
        port->answers = {kAnswerYes};
        Enter(FormulasWindow::kFirstValue + 2);
        QVERIFY(View(1).contains(QString::fromUtf8("se reparten sobre 100")));
        QVERIFY(View(1).contains(QString::fromUtf8("Fórmula molecular: C6H12O6")));

        // A value that is no number names its row.
        Type(FormulasWindow::kFirstValue + 1, "seis");
        Enter(FormulasWindow::kFirstValue + 1);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos no válidos"));
        QVERIFY(test::LastMessage(*port).text.rfind("Elemento 2 (H): seis", 0) == 0);

        // A combustion: only its fields can be typed in.
        QTest::mouseClick(window->Control(FormulasWindow::kFirstSource + 2), Qt::LeftButton, {},
                          QPoint(6, 8));
        QVERIFY(!Line(FormulasWindow::kFirstSymbol)->isEnabled());
        QVERIFY(Line(FormulasWindow::kSample)->isEnabled());
        Type(FormulasWindow::kCarbonDioxide, "8.80");
        Type(FormulasWindow::kWater, "3.60");
        Type(FormulasWindow::kSample, "6.00");
        Enter(FormulasWindow::kSample);
        QVERIFY(View(1).contains(QString::fromUtf8("Fórmula molecular: C6H12O6")));
        QVERIFY(View(1).startsWith(QString::fromUtf8("Todo el C pasa al CO2")));
    }

    void hydrateFromTheLossOrTheMasses() {
        window->findChild<QTabWidget*>()->setCurrentIndex(2);
        QCOMPARE(QApplication::focusWidget(), Line(FormulasWindow::kSalt));
        QTest::keyClicks(Line(FormulasWindow::kSalt), "CuSO4");
        QVERIFY(!Line(FormulasWindow::kBefore)->isEnabled());
        Type(FormulasWindow::kLoss, "36.1");
        Enter(FormulasWindow::kLoss);
        QVERIFY(View(2).contains(QString::fromUtf8("Fórmula del hidrato: CuSO4·5H2O")));
        QTest::mouseClick(window->Control(FormulasWindow::kMassesChoice), Qt::LeftButton, {},
                          QPoint(6, 8));
        Type(FormulasWindow::kBefore, "5.00");
        Enter(FormulasWindow::kBefore);  // the mass after is missing
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("Masa después de calentar: falta el dato"));
        Type(FormulasWindow::kAfter, "5.50");
        Enter(FormulasWindow::kAfter);
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("La masa tras calentar ha de ser mayor que cero y menor que la de "
                             "antes"));
        Type(FormulasWindow::kAfter, "3,20");  // a decimal comma, as a student types it
        Enter(FormulasWindow::kAfter);
        QVERIFY(View(2).contains(QString::fromUtf8("Fórmula del hidrato: CuSO4·5H2O")));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
    }

    // The main window opens it from "Utilidades", once.
    void openedFromTheMenuOnce() {
        window.reset();
        ElementTable table = test::DefaultElements();
        PrincipalDialog main(table, *port);
        main.show();
        main.MenuAction(kMenuFormulas)->trigger();
        FormulasWindow* opened = test::FindWindow<FormulasWindow>();
        QVERIFY(opened != nullptr);
        main.MenuAction(kMenuFormulas)->trigger();
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            open += qobject_cast<FormulasWindow*>(w) != nullptr && w->isVisible();
        QCOMPARE(open, 1);
        opened->close();
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::FormulasWindowTest)
#include "formulas_window_test.moc"
