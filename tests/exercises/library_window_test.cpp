// The reaction library window with the main window, on a small library in a folder of its own.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "exercises/library_window.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"

namespace tovel {

class LibraryWindowTest : public QObject {
    Q_OBJECT

    static LibraryWindow* Library() { return test::FindWindow<LibraryWindow>(); }
    static QComboBox* Combo(LibraryWindow* w, int id) {
        return qobject_cast<QComboBox*>(w->Control(id));
    }

  private slots:
    void init() {
        QDir::setCurrent(QString::fromStdString(test::TempDir()));
        test::FakeUserPort setup;
        ReactionTypes types;
        types.Add("Síntesis", setup);
        types.Add("Combustión", setup);
        QVERIFY(types.Write());
        QVERIFY(WriteReactions("Zq/Sintesis.zq",
                               {{"H2+O2=H2O", "Formación del agua"}, {"N2+H2=NH3", "Amoníaco"}}));
    }

    void browseAndPassToTheMainWindow() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        QTest::mouseClick(main.Control(kCmdImport), Qt::LeftButton);
        LibraryWindow* library = Library();
        QVERIFY(library != nullptr);
        QCOMPARE(library->windowTitle(), QStringLiteral("Reacciones tipo"));
        QCOMPARE(Combo(library, LibraryWindow::kTypes)->currentText(), QStringLiteral("Síntesis"));
        QCOMPARE(Combo(library, LibraryWindow::kReactions)->count(), 2);
        QCOMPARE(Combo(library, LibraryWindow::kReactions)->currentText(),
                 QStringLiteral("H2+O2=H2O"));
        QVERIFY(!library->Control(LibraryWindow::kTypeHint)->isVisible());

        qobject_cast<QLineEdit*>(library->Control(LibraryWindow::kSearchText))->setText("NH3");
        QTest::mouseClick(library->Control(LibraryWindow::kSearch), Qt::LeftButton);
        QCOMPARE(Combo(library, LibraryWindow::kDescriptions)->currentText(),
                 QStringLiteral("Amoníaco"));

        // A formula half typed in a side line does not stay beside the reaction passed.
        qobject_cast<QLineEdit*>(main.Control(kReactantLine))->setText("NaCl");
        QTest::mouseClick(library->Control(LibraryWindow::kTransfer), Qt::LeftButton);
        QCOMPARE(main.Model().State(), MainState::Editant);
        QCOMPARE(qobject_cast<QLineEdit*>(main.Control(kReactantLine))->text(), QString());
        QCOMPARE(qobject_cast<QLabel*>(main.Control(kDescription))->text(),
                 QStringLiteral("Amoníaco"));
        QCOMPARE(qobject_cast<QListWidget*>(main.Control(kProductList))->item(0)->text(),
                 QStringLiteral("NH3"));
        QVERIFY(library->isVisible());  // the library stays open

        // Opening again brings the same window forward.
        main.MenuAction(kMenuLibrary)->trigger();
        QCOMPARE(Library(), library);
        library->close();
    }

    void plusStartsAnEmptyReactionAndATypeShowsOnlyItsOwn() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        ReactionLibrary model(table, port);
        LibraryWindow library(model, {});
        library.show();
        QApplication::setActiveWindow(&library);
        QVERIFY(QTest::qWaitForWindowActive(&library));
        QComboBox* reactions = Combo(&library, LibraryWindow::kReactions);
        QComboBox* descriptions = Combo(&library, LibraryWindow::kDescriptions);
        QCOMPARE(reactions->currentText(), QStringLiteral("H2+O2=H2O"));

        // "+": empty fields and the cursor in the reaction line, so typing starts a new one.
        QTest::mouseClick(library.Control(LibraryWindow::kNewReaction), Qt::LeftButton);
        QCOMPARE(reactions->currentText(), QString());
        QCOMPARE(descriptions->currentText(), QString());
        QVERIFY(reactions->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), "LiOH+HCl=LiCl+H2O");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(ReadReactions("Zq/Sintesis.zq").back(), (LibraryEntry{"LiOH+HCl=LiCl+H2O", ""}));

        // A type whose file cannot be read shows nothing of the type before it.
        test::WriteBytes("Zq/Combustion.zq", std::string(17 * 1024 * 1024, 'x'));
        QStringList behind;  // the fields while the message is up
        port.onMessage = [&](const Message&) {
            behind << reactions->currentText() << descriptions->currentText();
        };
        Combo(&library, LibraryWindow::kTypes)->setCurrentIndex(1);
        emit Combo(&library, LibraryWindow::kTypes)->activated(1);
        port.onMessage = nullptr;
        QCOMPARE(behind, (QStringList{QString(), QString()}));
        QVERIFY(test::LastMessage(port).text.find("demasiado grande") != std::string::npos);
        QCOMPARE(reactions->currentText(), QString());
        QCOMPARE(descriptions->currentText(), QString());
        QCOMPARE(reactions->count(), 0);
        QVERIFY(!library.Control(LibraryWindow::kStoreType)->isEnabled());
        library.close();
    }

    void saveModeStoresTheMainReaction() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        qobject_cast<QLineEdit*>(main.Control(kEquationLine))->setText("CH4+O2=CO2+H2O");
        main.Dispatch(kCmdEquationOk);
        main.Dispatch(kCmdAutoAdjust);
        QVERIFY(main.Control(kCmdSaveReaction)->isEnabled());
        QTest::mouseClick(main.Control(kCmdSaveReaction), Qt::LeftButton);
        LibraryWindow* library = Library();
        QVERIFY(library != nullptr);
        QCOMPARE(library->windowTitle(), QStringLiteral("GUARDAR REACCIÓN"));
        QCOMPARE(Combo(library, LibraryWindow::kReactions)->currentText(),
                 QStringLiteral("CH4+O2=CO2+H2O"));
        QVERIFY(library->Control(LibraryWindow::kTypeHint)->isVisible());
        QVERIFY(!library->Control(LibraryWindow::kTransfer)->isEnabled());

        Combo(library, LibraryWindow::kTypes)->setCurrentIndex(1);
        emit Combo(library, LibraryWindow::kTypes)->activated(1);
        QCOMPARE(Combo(library, LibraryWindow::kReactions)->currentText(),
                 QStringLiteral("CH4+O2=CO2+H2O"));
        Combo(library, LibraryWindow::kDescriptions)
            ->setEditText(QStringLiteral("Combustión del metano"));
        QTest::mouseClick(library->Control(LibraryWindow::kStoreReaction), Qt::LeftButton);
        QCOMPARE(library->windowTitle(), QStringLiteral("Reacciones tipo"));
        QCOMPARE(ReadReactions("Zq/Combustion.zq"),
                 (std::vector<LibraryEntry>{{"CH4+O2=CO2+H2O", "Combustión del metano"}}));
        // The reaction saved is shown selected, so "ok" again replaces it instead of adding a copy.
        QCOMPARE(Combo(library, LibraryWindow::kReactions)->currentIndex(), 0);
        QCOMPARE(Combo(library, LibraryWindow::kDescriptions)->currentText(),
                 QStringLiteral("Combustión del metano"));
        QVERIFY(library->Control(LibraryWindow::kTransfer)->isEnabled());
        QTest::mouseClick(library->Control(LibraryWindow::kStoreReaction), Qt::LeftButton);
        QCOMPARE(ReadReactions("Zq/Combustion.zq").size(), std::size_t{1});
        QApplication::setActiveWindow(library);
        QVERIFY(QTest::qWaitForWindowActive(library));
        QComboBox* description = Combo(library, LibraryWindow::kDescriptions);
        description->setFocus();
        description->lineEdit()->selectAll();
        QTest::keyClicks(description, "Metano");
        QTest::keyClick(description, Qt::Key_Return);
        QCOMPARE(ReadReactions("Zq/Combustion.zq"),
                 (std::vector<LibraryEntry>{{"CH4+O2=CO2+H2O", "Metano"}}));
        library->close();
    }

    // Types and reactions made and renamed with the keyboard alone.
    void enterStoresTypesAndReactions() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        QTest::mouseClick(main.Control(kCmdImport), Qt::LeftButton);
        LibraryWindow* library = Library();
        QVERIFY(library != nullptr);
        QApplication::setActiveWindow(library);
        QVERIFY(QTest::qWaitForWindowActive(library));
        QComboBox* types = Combo(library, LibraryWindow::kTypes);
        QComboBox* reactions = Combo(library, LibraryWindow::kReactions);
        auto typeInFocus = [](const char* text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
        };
        auto enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };

        // "+", a name, Enter: a new type, shown. "Comb" is not completed to "Combustión".
        QTest::mouseClick(library->Control(LibraryWindow::kNewType), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(types));
        typeInFocus("Comb");
        QVERIFY(library->Control(LibraryWindow::kStoreType)->isEnabled());
        enter();
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->currentIndex(), 2);
        QCOMPARE(types->currentText(), QStringLiteral("Comb"));
        QVERIFY(!library->Control(LibraryWindow::kStoreType)->isEnabled());
        QVERIFY(library->Control(LibraryWindow::kDeleteType)->isEnabled());
        QVERIFY(library->Control(LibraryWindow::kStoreReaction)->isEnabled());
        QCOMPARE(reactions->currentText(), QString());
        ReactionTypes onDisk;
        QVERIFY(onDisk.Read());
        QCOMPARE(onDisk.Type(3), (ReactionType{"Comb", "Comb"}));

        // A reaction and its description; Enter in the description field stores the pair.
        reactions->setFocus();
        typeInFocus("Fe+O2=Fe2O3");
        Combo(library, LibraryWindow::kDescriptions)->setFocus();
        typeInFocus("Herrumbre");
        enter();
        QCOMPARE(ReadReactions("Zq/Comb.zq"),
                 (std::vector<LibraryEntry>{{"Fe+O2=Fe2O3", "Herrumbre"}}));
        QCOMPARE(reactions->count(), 1);
        QCOMPARE(reactions->currentIndex(), 0);
        // Enter in the reaction field stores it again, in its place.
        reactions->setFocus();
        enter();
        QCOMPARE(ReadReactions("Zq/Comb.zq").size(), std::size_t{1});

        // Enter on a changed name renames the type shown; its reactions stay with it.
        types->setFocus();
        types->lineEdit()->selectAll();
        typeInFocus("Oxidaciones");
        QVERIFY(library->Control(LibraryWindow::kStoreType)->isEnabled());
        port.answers = {kAnswerYes};  // asked first
        enter();
        QVERIFY(onDisk.Read());
        QCOMPARE(onDisk.Count(), std::size_t{3});
        QCOMPARE(onDisk.Type(3), (ReactionType{"Oxidaciones", "Comb"}));
        QCOMPARE(types->itemText(2), QStringLiteral("Oxidaciones"));
        QCOMPARE(types->currentIndex(), 2);
        QCOMPARE(reactions->currentText(), QStringLiteral("Fe+O2=Fe2O3"));

        // A name the record cannot hold is refused, and stays in the field to be shortened.
        QTest::mouseClick(library->Control(LibraryWindow::kNewType), Qt::LeftButton);
        typeInFocus("Reacciones de doble desplazamiento");
        enter();
        QCOMPARE(test::LastMessage(port).caption, std::string("Nombre demasiado largo"));
        QCOMPARE(test::LastMessage(port).text,
                 std::string("El nombre de un tipo admite 31 caracteres como máximo; "
                             "\"Reacciones de doble desplazamiento\" tiene 34"));
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->currentText(), QStringLiteral("Reacciones de doble desplazamiento"));
        QVERIFY(onDisk.Read());
        QCOMPARE(onDisk.Count(), std::size_t{3});
        library->close();
    }

    void anIncompleteReactionIsNotSaved() {
        ElementTable table = test::DefaultElements();
        test::FakeUserPort port;
        PrincipalDialog main(table, port);
        main.show();
        qobject_cast<QLineEdit*>(main.Control(kEquationLine))->setText("Fe+O2=H2O");
        main.Dispatch(kCmdEquationOk);
        main.MenuAction(kMenuSaveReaction)->trigger();
        QCOMPARE(test::LastMessage(port).caption, std::string("Reacción incompleta"));
        QCOMPARE(test::LastMessage(port).text,
                 std::string("Faltan elementos en alguno de los lados"));
        QVERIFY(Library() == nullptr);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::LibraryWindowTest)
#include "library_window_test.moc"
