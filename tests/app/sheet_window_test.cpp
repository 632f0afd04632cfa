// The problem-sheet window driven through its controls, opened from the main window's menu, in
// a folder holding the shipped library.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>
#include <filesystem>

#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "app/sheet_window.h"
#include "pdf/sheet_pdf.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"

namespace tovel {

class SheetWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main{table, port};
    };

    static SheetWindow* Open(PrincipalDialog& main) {
        main.show();
        main.MenuAction(kMenuSheet)->trigger();
        auto* w = test::FindWindow<SheetWindow>();
        if (w) QApplication::setActiveWindow(w);
        return w;
    }
    template <typename T>
    static T* Get(SheetWindow* w, int id) {
        return qobject_cast<T*>(w->Control(id));
    }
    static QString Preview(SheetWindow* w) {
        return Get<QPlainTextEdit>(w, SheetWindow::kPreview)->toPlainText();
    }
    static void TypeSeed(SheetWindow* w, const QString& seed) {
        QLineEdit* edit = Get<QLineEdit>(w, SheetWindow::kSeed);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, seed);
    }
    // The sheet the window makes, made at once.
    static SheetText Expected(int count, std::uint32_t seed,
                              SheetNumbers numbers = SheetNumbers::Spanish) {
        ElementTable table = test::DefaultElements();
        SheetChoices c;
        c.count = count;
        c.seed = seed;
        return PrintedSheet(ComposeSheet(DrawSheet(LoadSheetLibrary(".", table), c).problems, seed),
                            numbers);
    }

  private slots:
    // The window outlives the main window of the test that opened it (the program closes it on
    // leaving): it goes with the test.
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<SheetWindow*>(w)) delete w;
        }
    }

    void init() {
        QDir::setCurrent(QString::fromStdString(test::TempDir()));
        QFile::copy(TOVEL_BIN_DIR "/elements.dat", "elements.dat");
        QFile::copy(TOVEL_BIN_DIR "/tiptovl.rel", "tiptovl.rel");
        std::filesystem::copy(TOVEL_BIN_DIR "/Zq", "Zq");
    }

    void opensFromTheUtilitiesMenuWithEveryChoice() {
        Session s;
        QCOMPARE(s.main.MenuAction(kMenuSheet)->text(), QStringLiteral("Hoja de problemas..."));
        SheetWindow* w = Open(s.main);
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), QStringLiteral("Hoja de problemas"));
        QCOMPARE(Get<QSpinBox>(w, SheetWindow::kCount)->value(), 20);
        QCOMPARE(Get<QCheckBox>(w, SheetWindow::kFirstType)->text(), QStringLiteral("Síntesis"));
        for (const int id :
             std::initializer_list<int>{SheetWindow::kFirstType, SheetWindow::kFirstType + 7,
                                        SheetWindow::kFirstDatum, SheetWindow::kFirstDatum + 5,
                                        SheetWindow::kFirstCase, SheetWindow::kFirstCase + 2})
            QVERIFY(Get<QCheckBox>(w, id)->isChecked());
        QVERIFY(!Get<QProgressBar>(w, SheetWindow::kProgress)->isVisible());
        const QString seed = Get<QLineEdit>(w, SheetWindow::kSeed)->text();
        QVERIFY(Preview(w).startsWith("Hoja de problemas de estequiometría\nSemilla " + seed +
                                      "\n\nNombre: "));
        QCOMPARE(Get<QLineEdit>(w, SheetWindow::kTitle)->text(),
                 QStringLiteral("Hoja de problemas de estequiometría"));
        // Opening it again raises the same window.
        s.main.MenuAction(kMenuSheet)->trigger();
        QCOMPARE(test::FindWindow<SheetWindow>(), w);
    }

    void thePreviewFollowsTheChoices() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "123");
        const QString first = Preview(w);
        QVERIFY(
            first.startsWith(QStringLiteral("Hoja de problemas de estequiometría\nSemilla 123")));
        QVERIFY(first.contains("\n3.  "));
        QVERIFY(!first.contains("\n4.  "));
        TypeSeed(w, "124");
        QVERIFY(Preview(w) != first);
        TypeSeed(w, "123");
        QCOMPARE(Preview(w), first);
        // "Nueva semilla" draws another seed and shows its sheet.
        QTest::mouseClick(w->Control(SheetWindow::kNewSeed), Qt::LeftButton);
        QVERIFY(Get<QLineEdit>(w, SheetWindow::kSeed)->text() != "123");
        QVERIFY(Preview(w) != first);

        // With no type chosen there is no sheet, and the preview says why.
        for (int i = 0; w->Control(SheetWindow::kFirstType + i); ++i)
            QTest::mouseClick(w->Control(SheetWindow::kFirstType + i), Qt::LeftButton,
                              Qt::NoModifier, QPoint(4, 4));
        QCOMPARE(Preview(w), QStringLiteral("Elige al menos un tipo de reacción."));
        QTest::mouseClick(w->Control(SheetWindow::kAllTypes), Qt::LeftButton);
        QVERIFY(Get<QCheckBox>(w, SheetWindow::kFirstType + 3)->isChecked());
        QVERIFY(Preview(w).startsWith("Hoja de problemas"));

        // Only moles: every datum of the preview is in moles.
        for (int k : {0, 1, 3, 4, 5})
            Get<QCheckBox>(w, SheetWindow::kFirstDatum + k)->setChecked(false);
        QVERIFY(Preview(w).contains(" mol de "));
        QVERIFY(!Preview(w).contains(" g de "));
    }

    void aCountOutOfRangeIsRefusedWithTheRangeNotCut() {
        Session s;
        SheetWindow* w = Open(s.main);
        auto* count = Get<QSpinBox>(w, SheetWindow::kCount);
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, "99");
        QCOMPARE(count->value(), 99);
        const QString range = QStringLiteral("El número de problemas ha de ser de 1 a 50.");
        QTRY_VERIFY(Get<QPlainTextEdit>(w, SheetWindow::kPreview)->toPlainText().contains(range));
        const std::size_t told = s.port.messages.size();
        QTest::mouseClick(w->Control(SheetWindow::kSaveText), Qt::LeftButton);
        QCOMPARE(s.port.messages.size(), told + 1);
        QCOMPARE(test::LastMessage(s.port).text, range.toStdString());
        // The arrows bring it back, and keep within the range.
        QTest::keyClick(count, Qt::Key_Down);
        QCOMPARE(count->value(), 50);
        QTest::keyClick(count, Qt::Key_Up);
        QCOMPARE(count->value(), 50);
        count->setValue(1);
        QTest::keyClick(count, Qt::Key_Down);
        QCOMPARE(count->value(), 1);
    }

    void everyControlHasAKey() {
        Session s;
        SheetWindow* w = Open(s.main);
        QTest::keyClick(w, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w->Control(SheetWindow::kSeed));
        QTest::keyClick(w, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w->Control(SheetWindow::kCount));
        QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);  // "dos reactivos, uno en exceso"
        QTRY_VERIFY(!Get<QCheckBox>(w, SheetWindow::kFirstCase + 1)->isChecked());
        QTest::keyClick(w, Qt::Key_M, Qt::AltModifier);  // "moles"
        QTRY_VERIFY(!Get<QCheckBox>(w, SheetWindow::kFirstDatum + 2)->isChecked());
        // The reaction types, without letters of their own, are reached with Tab.
        w->Control(SheetWindow::kPointNotation)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->Control(SheetWindow::kFirstType));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!Get<QCheckBox>(w, SheetWindow::kFirstType)->isChecked());
    }

    void theTitleFollowsTheTypesUntilOneIsTyped() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "31");
        auto* title = Get<QLineEdit>(w, SheetWindow::kTitle);
        // Síntesis and Combustión only.
        for (int i = 0; w->Control(SheetWindow::kFirstType + i); ++i) {
            if (i != 0 && i != 2) Get<QCheckBox>(w, SheetWindow::kFirstType + i)->setChecked(false);
        }
        QCOMPARE(title->text(),
                 QString::fromUtf8("Hoja de problemas de estequiometría: síntesis y combustión"));
        QVERIFY(Preview(w).startsWith(title->text() + "\nSemilla 31\n"));
        // Alt+U reaches the title; what is typed stays whatever the types.
        QTest::keyClick(w, Qt::Key_U, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), title);
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Examen de Bachillerato"));
        QTest::mouseClick(w->Control(SheetWindow::kAllTypes), Qt::LeftButton);
        QCOMPARE(title->text(), QStringLiteral("Examen de Bachillerato"));
        QVERIFY(Preview(w).startsWith(QStringLiteral("Examen de Bachillerato\n")));
        // Emptied, it stays empty while it is edited, and follows the choices again once left.
        title->setFocus();
        title->selectAll();
        QTest::keyClick(title, Qt::Key_Delete);
        QCOMPARE(title->text(), QString());
        QVERIFY(Preview(w).startsWith(QStringLiteral("Hoja de problemas de estequiometría\n")));
        QTest::keyClicks(title, QStringLiteral("Tema 2"));
        QCOMPARE(title->text(), QStringLiteral("Tema 2"));
        title->selectAll();
        QTest::keyClick(title, Qt::Key_Delete);
        QTest::keyClick(title, Qt::Key_Tab);
        QCOMPARE(title->text(), QStringLiteral("Hoja de problemas de estequiometría"));
        // A title typed stays when the window is opened again.
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral(" final"));
        w->close();
        SheetWindow* again = Open(s.main);
        QCOMPARE(Get<QLineEdit>(again, SheetWindow::kTitle)->text(),
                 QStringLiteral("Hoja de problemas de estequiometría final"));
        QVERIFY(Preview(again).startsWith(
            QStringLiteral("Hoja de problemas de estequiometría final\n")));
        w = again;

        // Spanish numbers unless the point is kept.
        QVERIFY(Preview(w).contains(QStringLiteral("H = 1,008")));
        QTest::keyClick(w, Qt::Key_J, Qt::AltModifier);
        QTRY_VERIFY(Get<QCheckBox>(w, SheetWindow::kPointNotation)->isChecked());
        QVERIFY(Preview(w).contains(QStringLiteral("H = 1.008")));
    }

    void savesForMoodleWithVersions() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "40");
        Get<QSpinBox>(w, SheetWindow::kCount)->setValue(5);
        Get<QSpinBox>(w, SheetWindow::kVariants)->setValue(3);
        const std::string path = (QDir::currentPath() + "/moodle").toStdString();
        s.port.files.push_back(path);
        QSignalSpy finished(w, &SheetWindow::finished);
        QTest::keyClick(w, Qt::Key_A, Qt::AltModifier);  // "Guardar para Moodle"
        QVERIFY(finished.wait(10000));
        QVERIFY(finished.at(0).at(0).toBool());
        const std::string xml = test::ReadBytes(path + ".xml");
        // The same five problems with other numbers, from the next seeds.
        ElementTable table = test::DefaultElements();
        const SheetLibrary library = LoadSheetLibrary(".", table);
        SheetChoices c;
        c.count = 5;
        c.seed = 40;
        const std::vector<SheetProblem> first = DrawSheet(library, c).problems;
        std::vector<SheetText> versions{Expected(5, 40)};
        for (std::uint32_t seed = 41; seed < 43; ++seed)
            versions.push_back(PrintedSheet(
                ComposeSheet(SheetVersion(library, c, first, seed), seed), SheetNumbers::Spanish));
        QVERIFY(xml == MoodleXml(versions));
        QVERIFY(xml.find("Problema 5, variante 3 (semilla 42)") != std::string::npos);
    }

    void thePdfTakesTheTitleAndTheRoomForAnswers() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "8");
        Get<QSpinBox>(w, SheetWindow::kCount)->setValue(4);
        auto* title = Get<QLineEdit>(w, SheetWindow::kTitle);
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Examen final"));
        Get<QComboBox>(w, SheetWindow::kSpace)->setCurrentIndex(2);  // "media página"
        const std::string path = (QDir::currentPath() + "/hoja.pdf").toStdString();
        s.port.files.push_back(path);
        QSignalSpy finished(w, &SheetWindow::finished);
        QTest::mouseClick(w->Control(SheetWindow::kSavePdf), Qt::LeftButton);
        QVERIFY(finished.wait(10000));
        SheetText expected = Expected(4, 8);
        expected.title = "Examen final";
        expected.space = AnswerSpace::HalfPage;
        const std::string again = (QDir::currentPath() + "/again.pdf").toStdString();
        QVERIFY(WriteSheetPdf(again, expected));
        QVERIFY(test::ReadBytes(again) == test::ReadBytes(path));
        // Half a page each: two statements a page, the first page's too, then the key; with
        // no room the four fit on the first page.
        SheetPdfJob job(expected);
        while (job.Step()) {
        }
        expected.space = AnswerSpace::None;
        SheetPdfJob tight(expected);
        while (tight.Step()) {
        }
        QCOMPARE(job.Pages(), tight.Pages() + 1);
    }

    void savesTheSheetAsText() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "555");
        const std::string path = (QDir::currentPath() + "/hoja.txt").toStdString();
        s.port.files.push_back(path);
        QSignalSpy finished(w, &SheetWindow::finished);
        QTest::mouseClick(w->Control(SheetWindow::kSaveText), Qt::LeftButton);
        QCOMPARE(s.port.choosers.size(), 1u);
        QVERIFY(w->Busy());
        QVERIFY(!w->Control(SheetWindow::kSavePdf)->isEnabled());
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QVERIFY(w->Control(SheetWindow::kSavePdf)->isEnabled());
        const std::string expected = (QDir::currentPath() + "/expected.txt").toStdString();
        QVERIFY(WriteSheetText(expected, Expected(20, 555, SheetNumbers::SpanishPlain)));
        QCOMPARE(QString::fromLatin1(test::ReadBytes(path)),
                 QString::fromLatin1(test::ReadBytes(expected)));
        QVERIFY(s.port.messages.empty());
    }

    void aSheetOfNomenclatureExercisesInsteadOfProblems() {
        Session s;
        SheetWindow* w = Open(s.main);
        TypeSeed(w, "77");
        QTest::keyClick(w, Qt::Key_F, Qt::AltModifier);  // "Hoja de formulación..."
        QTRY_VERIFY(Get<QCheckBox>(w, SheetWindow::kNames)->isChecked());
        QVERIFY(
            Preview(w).startsWith(QString::fromUtf8("Hoja de formulación inorgánica\nSemilla 77")));
        // The problems' choices are set aside, the nomenclature's taken.
        QVERIFY(!w->Control(SheetWindow::kFirstDatum)->isEnabled());
        QVERIFY(w->Control(SheetWindow::kFirstNameClass)->isEnabled());
        Get<QCheckBox>(w, SheetWindow::kNameToFormula)->setChecked(false);
        QVERIFY(Preview(w).contains("1.  Nombra "));
        Get<QCheckBox>(w, SheetWindow::kFormulaToName)->setChecked(false);
        QCOMPARE(Preview(w),
                 QString::fromUtf8("Elige nombrar fórmulas, formular nombres o los dos."));
        Get<QCheckBox>(w, SheetWindow::kFormulaToName)->setChecked(true);

        // Saved as text: the sheet tovel-cli makes from the same choices.
        const std::string path = (QDir::currentPath() + "/formulacion.txt").toStdString();
        s.port.files.push_back(path);
        QSignalSpy finished(w, &SheetWindow::finished);
        QTest::mouseClick(w->Control(SheetWindow::kSaveText), Qt::LeftButton);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        NameSheetChoices c;
        c.count = 20;
        c.seed = 77;
        c.nameToFormula = false;
        const std::string expected = (QDir::currentPath() + "/expected.txt").toStdString();
        QVERIFY(
            WriteSheetText(expected, PrintedSheet(DrawNameSheet(c), SheetNumbers::SpanishPlain)));
        QCOMPARE(test::ReadBytes(path), test::ReadBytes(expected));

        // Back to problems: their preview again.
        Get<QCheckBox>(w, SheetWindow::kNames)->setChecked(false);
        QVERIFY(Preview(w).startsWith("Hoja de problemas de estequiometría\nSemilla 77"));
        QVERIFY(w->Control(SheetWindow::kFirstDatum)->isEnabled());
    }

    void aLongPdfShowsItsProgressAndLeavesTheWindowsWorking() {
        Session s;
        SheetWindow* w = Open(s.main);
        Get<QSpinBox>(w, SheetWindow::kCount)->setValue(50);
        TypeSeed(w, "9001");
        const std::string path = (QDir::currentPath() + "/hoja.pdf").toStdString();
        s.port.files.push_back(path);
        QSignalSpy finished(w, &SheetWindow::finished);
        QTest::mouseClick(w->Control(SheetWindow::kSavePdf), Qt::LeftButton);
        auto* progress = Get<QProgressBar>(w, SheetWindow::kProgress);
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->maximum(), 100);
        // Between steps the events are handled: the progress moves while the sheet is made, and
        // the choices cannot change under it.
        QTest::qWait(1);
        QVERIFY(w->Busy());
        QVERIFY(!w->Control(SheetWindow::kSeed)->isEnabled());
        QVERIFY(w->Control(SheetWindow::kExit)->isEnabled());
        QVERIFY(finished.wait(20000));
        QVERIFY(finished.at(0).at(0).toBool());
        QVERIFY(!progress->isVisible());
        const std::string pdf = test::ReadBytes(path);
        QVERIFY(pdf.rfind("%PDF-", 0) == 0);
        // The same file as the sheet written at once: the same sheet, byte for byte.
        const std::string again = (QDir::currentPath() + "/again.pdf").toStdString();
        QVERIFY(WriteSheetPdf(again, Expected(50, 9001)));
        QVERIFY(test::ReadBytes(again) == pdf);
    }

    void closingWhileASheetIsMadeWritesNothing() {
        Session s;
        SheetWindow* w = Open(s.main);
        Get<QSpinBox>(w, SheetWindow::kCount)->setValue(50);
        const QString path = QDir::currentPath() + "/hoja.pdf";
        s.port.files.push_back(path.toStdString());
        QTest::mouseClick(w->Control(SheetWindow::kSavePdf), Qt::LeftButton);
        QVERIFY(w->Busy());
        QPointer<SheetWindow> guard(w);
        QTest::mouseClick(w->Control(SheetWindow::kExit), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QTest::qWait(50);
        QVERIFY(!QFile::exists(path));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::SheetWindowTest)
#include "sheet_window_test.moc"
