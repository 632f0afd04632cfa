// The concentration window driven through its controls, opened from the main window.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "exercises/concentration_window.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"

namespace tovel {

class ConcentrationWindowTest : public QObject {
    Q_OBJECT

    ConcentrationWindow* Open(PrincipalDialog& main) {
        main.MenuAction(kMenuConcentrations)->trigger();
        return test::FindWindow<ConcentrationWindow>();
    }
    static QLineEdit* Edit(ConcentrationWindow* w, int id) {
        return qobject_cast<QLineEdit*>(w->Control(id));
    }

  private slots:
    void initTestCase() {
        QDir::setCurrent(QString::fromStdString(test::TempDir()));
        QFile::copy(TOVEL_BIN_DIR "/elements.dat", "elements.dat");
    }

    void typicalSession() {
        ElementTable table;
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        ConcentrationWindow* w = Open(main);
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), QStringLiteral("Concentración de disoluciones"));
        QCOMPARE(w->Compounds()->count(), 445);
        QVERIFY(!w->Control(ConcentrationWindow::kCalc)->isEnabled());
        QVERIFY(!w->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());

        // Typing a compound and pressing Enter chooses it.
        QApplication::setActiveWindow(w);
        w->Compounds()->lineEdit()->setText("NaCl");
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(Edit(w, ConcentrationWindow::kMolarMass)->text(), QStringLiteral("58.44"));
        QVERIFY(w->Control(ConcentrationWindow::kCalc)->isEnabled());

        QTest::keyClicks(Edit(w, ConcentrationWindow::kFirstConcentration), "1");
        Edit(w, ConcentrationWindow::kDensity)->setText("1.04");
        QTest::mouseClick(w->Control(ConcentrationWindow::kCalc), Qt::LeftButton);
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstConcentration + 2)->text(),
                 QStringLiteral("58.4"));
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstConcentration + 1)->text(),
                 QStringLiteral("1.02"));
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstPreparation + 1)->text(),
                 QStringLiteral("1000"));
        QVERIFY(w->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());

        // Typing in the preparation group empties the concentrations.
        QTest::keyClicks(Edit(w, ConcentrationWindow::kFirstPreparation), "0");
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstConcentration)->text(), QString());
        QVERIFY(!w->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());
        Edit(w, ConcentrationWindow::kFirstPreparation)->clear();
        QTest::keyClicks(Edit(w, ConcentrationWindow::kFirstPreparation), "10");
        Edit(w, ConcentrationWindow::kFirstPreparation + 2)->clear();  // it holds what "Calc" wrote
        QTest::keyClicks(Edit(w, ConcentrationWindow::kFirstPreparation + 2), "90");
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstPreparation + 1)->text(),
                 QString());  // link clearing
        QTest::mouseClick(w->Control(ConcentrationWindow::kOk), Qt::LeftButton);
        QCOMPARE(Edit(w, ConcentrationWindow::kFirstConcentration + 2)->text(),
                 QStringLiteral("104"));

        const std::string path = (QDir::currentPath() + "/casos.txt").toStdString();
        port.files = {path};
        w->MenuAction(ConcentrationWindow::kSaveCase)->trigger();
        QVERIFY(test::ReadBytes(path).find(
                    "Se prepara una disoluci\xf3n con 10 g de NaCl y 90 g de agua.") !=
                std::string::npos);

        // A new window shows empty fields; there is no case to store in it.
        w->close();
        QApplication::processEvents();
        ConcentrationWindow* again = Open(main);
        QVERIFY(again != nullptr && again != w);
        QCOMPARE(Edit(again, ConcentrationWindow::kMolarMass)->text(), QString());
        QVERIFY(!again->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());
        again->close();
    }

    // What cannot be a solution is refused with a message; a second "Calc" leaves nothing of
    // the first.
    void refusalAndStaleResults() {
        ElementTable table;
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        ConcentrationWindow* w = Open(main);
        QVERIFY(w != nullptr);
        QApplication::setActiveWindow(w);
        w->Compounds()->lineEdit()->setText("NaCl");
        QTest::keyClick(w, Qt::Key_Return);
        const int c = ConcentrationWindow::kFirstConcentration;
        const int p = ConcentrationWindow::kFirstPreparation;

        QTest::keyClicks(Edit(w, c + 3), "150");
        QTest::keyClicks(Edit(w, ConcentrationWindow::kDensity), "1.04");
        QTest::mouseClick(w->Control(ConcentrationWindow::kCalc), Qt::LeftButton);
        QVERIFY(!port.messages.empty());
        QCOMPARE(test::LastMessage(port).caption, std::string("No podemos calcular"));
        QCOMPARE(test::LastMessage(port).text,
                 std::string("% en masa: ha de ser mayor que 0 y menor que 100"));
        for (int id : {c, c + 1, c + 2, p, p + 1, p + 2})
            QCOMPARE(Edit(w, id)->text(), QString());
        QVERIFY(!w->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());

        QTest::keyClicks(Edit(w, c), "1");
        QCOMPARE(Edit(w, c + 3)->text(), QString());
        QTest::mouseClick(w->Control(ConcentrationWindow::kCalc), Qt::LeftButton);
        QCOMPARE(Edit(w, c + 1)->text(), QStringLiteral("1.02"));
        QVERIFY(w->MenuAction(ConcentrationWindow::kSaveCase)->isEnabled());
        Edit(w, ConcentrationWindow::kDensity)->clear();
        QTest::mouseClick(w->Control(ConcentrationWindow::kCalc), Qt::LeftButton);
        QCOMPARE(Edit(w, c + 1)->text(), QString());
        QCOMPARE(Edit(w, c + 3)->text(), QString());
        QCOMPARE(Edit(w, p + 2)->text(), QString());
        QCOMPARE(Edit(w, c + 2)->text(), QStringLiteral("58.4"));
        QCOMPARE(Edit(w, c)->text(), QStringLiteral("1"));
        w->close();
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::ConcentrationWindowTest)
#include "concentration_window_test.moc"
