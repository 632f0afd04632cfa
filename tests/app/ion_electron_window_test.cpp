// The ion-electron window as a student uses it: an equation typed and Enter, the medium chosen,
// Copiar, Esc; opened from the main window on its equation, and offered by the redox analysis.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/ion_electron_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"
#include "ui/report_actions.h"
#include "ui/text_report_window.h"

namespace tovel {

class IonElectronWindowTest : public QObject {
    Q_OBJECT

    static QLineEdit* Line(const IonElectronWindow& w) {
        return qobject_cast<QLineEdit*>(w.Control(IonElectronWindow::kEquation));
    }
    static QComboBox* Medium(const IonElectronWindow& w) {
        return qobject_cast<QComboBox*>(w.Control(IonElectronWindow::kMedium));
    }
    static QString Shown(const IonElectronWindow& w) {
        return qobject_cast<QTextBrowser*>(w.Control(IonElectronWindow::kView))->toPlainText();
    }
    // What the window must show for the equation in the medium: the method's own text.
    static std::string Expected(const std::string& equation, MediumChoice medium) {
        return IonElectronText(SolveIonElectron(equation, medium));
    }

  private slots:
    void init() { QDir::setCurrent(QString::fromStdString(test::TempDir())); }

    void enterBalancesInTheMediumChosen() {
        test::FakeUserPort port;
        IonElectronWindow window(port);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Ajuste redox (ion-electrón)"));
        QCOMPARE(Medium(window)->currentText(), QStringLiteral("Según la ecuación"));
        QCOMPARE(QApplication::focusWidget(), Line(window));

        const std::string ionic = "MnO4^- + SO3^2- = MnO2 + SO4^2-";
        QTest::keyClicks(Line(window), QString::fromStdString(ionic));
        QTest::keyClick(Line(window), Qt::Key_Return);
        // No medium in the equation: said, and no equation given.
        QVERIFY(Shown(window).startsWith("La ecuación no dice el medio"));
        QCOMPARE(window.Lines().back() + "\n", Expected(ionic, MediumChoice::FromEquation));

        // Choosing the medium balances at once; the results are set, not written with carets.
        Medium(window)->setCurrentIndex(1);
        QVERIFY(Shown(window).contains(QString::fromUtf8(
            "Ecuación iónica: 2 MnO4− + 3 SO32− + H2O = 2 MnO2 + 3 SO42− + 2 OH−")));
        QVERIFY(!Shown(window).contains('^'));
        Medium(window)->setCurrentIndex(0);
        QVERIFY(Shown(window).contains(QString::fromUtf8("Medio ácido, elegido")));

        // Copiar gives the text scripts read, the equation first.
        qobject_cast<QPushButton*>(window.Control(IonElectronWindow::kCopy))->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QString::fromStdString(ionic + "\n\n")));
        QVERIFY(copied.endsWith(QString::fromStdString(Expected(ionic, MediumChoice::Acid))));

        // A molecular equation reads its medium; Enter again on a changed equation.
        Line(window)->setFocus();
        Line(window)->selectAll();
        QTest::keyClicks(Line(window), QStringLiteral("Cl2 + KOH = KCl + KClO3 + H2O"));
        Medium(window)->blockSignals(true);
        Medium(window)->setCurrentIndex(2);
        Medium(window)->blockSignals(false);
        QTest::keyClick(Line(window), Qt::Key_Return);
        QVERIFY(Shown(window).contains(
            QString::fromUtf8("Ecuación molecular: 3 Cl2 + 6 KOH = 5 KCl + KClO3 + 3 H2O")));

        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
    }

    void theMainWindowOpensItOnItsEquationAndTheRedoxAnalysisOffersIt() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        qobject_cast<QLineEdit*>(main.Control(kEquationLine))->setText("Zn + HCl = ZnCl2 + H2");
        main.Dispatch(kCmdEquationOk);

        main.MenuAction(kMenuRedox)->trigger();
        auto* redox = test::FindWindow<TextReportWindow>();
        QVERIFY(redox != nullptr);
        QPushButton* offer = redox->Button(kMenuIonElectron);
        QVERIFY(offer != nullptr);
        QVERIFY(offer->isVisible());
        offer->click();
        auto* window = test::FindWindow<IonElectronWindow>();
        QVERIFY(window != nullptr);
        QCOMPARE(Line(*window)->text(), QStringLiteral("Zn + HCl = ZnCl2 + H2"));
        QVERIFY(
            Shown(*window).contains(QStringLiteral("Ecuación molecular: Zn + 2 HCl = ZnCl2 + H2")));

        // An equation that is no redox: the analysis does not offer the method.
        main.Dispatch(kCmdNew);
        qobject_cast<QLineEdit*>(main.Control(kEquationLine))->setText("NaOH + HCl = NaCl + H2O");
        main.Dispatch(kCmdEquationOk);
        main.MenuAction(kMenuRedox)->trigger();
        QVERIFY(!redox->Button(kMenuIonElectron)->isVisible());

        // The menu opens the same window again, now on the new equation.
        main.MenuAction(kMenuIonElectron)->trigger();
        QCOMPARE(test::FindWindow<IonElectronWindow>(), window);
        QCOMPARE(Line(*window)->text(), QStringLiteral("NaOH + HCl = NaCl + H2O"));
        QVERIFY(Shown(*window).contains(QStringLiteral("no es una reacción redox")));
    }

    void formulasAreSetInTheText() {
        QCOMPARE(
            FormulaHtml("2 MnO4^- + 8 H^+ + 5 e^- = Mn^2+"),
            QString::fromUtf8("2 MnO<sub>4</sub><sup>−</sup> + 8 H<sup>+</sup> + 5 e<sup>−</sup> = "
                              "Mn<sup>2+</sup>"));
        // Words stay words, punctuation stays outside, and text is escaped.
        QCOMPARE(FormulaHtml("Se ajusta el O con H2O, y <b>"),
                 QStringLiteral("Se ajusta el O con H<sub>2</sub>O, y &lt;b&gt;"));
        QCOMPARE(FormulaHtml("(Fe2(SO4)3)"),
                 QStringLiteral("(Fe<sub>2</sub>(SO<sub>4</sub>)<sub>3</sub>)"));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::IonElectronWindowTest)
#include "ion_electron_window_test.moc"
