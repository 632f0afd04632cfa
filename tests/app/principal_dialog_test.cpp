// The main window driven through its real controls, with the fake user port recording every
// message box.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <tuple>

#include "app/conf_file.h"
#include "app/element_windows.h"
#include "app/equation_view.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "core/elements_file.h"
#include "exercises/problem_window.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"
#include "ui/text_report_window.h"

namespace tovel {

// Pixels in the band above the equation's letters, where the numbers go, of a hue.
enum class Hue { Red, Blue, Purple };

class PrincipalDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ElementTable> table;
    std::unique_ptr<test::FakeUserPort> port;
    std::unique_ptr<PrincipalDialog> window;
    QString folder;

    QPushButton* Button(int id) { return qobject_cast<QPushButton*>(window->Control(id)); }
    QLineEdit* Line(int id) { return qobject_cast<QLineEdit*>(window->Control(id)); }
    QListWidget* List(int id) { return qobject_cast<QListWidget*>(window->Control(id)); }
    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    void TypeAndEnter(int id, const QString& text) {
        Line(id)->setFocus();
        Line(id)->setText(text);
        QTest::keyClick(Line(id), Qt::Key_Return);
    }
    // The main window in calculation mode on the equation, balanced automatically.
    void StartCalculation(const QString& equation) {
        TypeAndEnter(kEquationLine, equation);
        Click(kCmdAutoAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
        Click(kCmdAdjust);  // "Cálculos"
        QCOMPARE(window->Model().State(), MainState::Calculant);
    }
    // A new equation, entered after choosing the font size.
    void StartAtFontSize(int size, const char* equation) {
        QTest::mouseClick(window->Control(size), Qt::LeftButton);
        Click(kCmdNew);
        TypeAndEnter(kEquationLine, equation);
    }
    // Replaces an amount box's text by typing, as the user does.
    void TypeAmount(int side, int slot, const char* text) {
        QLineEdit* box = Line(BoxId(side, slot));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // An amount box: its text, and "result" or "datum" by the colour it is shown in.
    QString AmountBox(int side, int slot) {
        QLineEdit* box = Line(BoxId(side, slot));
        const QColor ink = box->palette().color(QPalette::Text);
        return box->text() + (ink == kResultColour       ? " result"
                              : ink == QColor(Qt::black) ? " datum"
                                                         : " ?");
    }
    // A row of the amount tables as painted: unit | moles | final amount.
    QString Row(int side, std::size_t slot) {
        const AmountRow row = AmountTableRow(window->Model(), side, slot);
        return QString::fromStdString(row.unit + " | " + row.moles + " | " + row.final);
    }
    void ChooseUnit(int list, int row, int radio) {
        List(list)->setCurrentRow(row);
        // On the button's circle: a click right of its short text would miss it.
        QTest::mouseClick(window->Control(radio), Qt::LeftButton, {}, QPoint(6, 10));
        Click(kUnitsOk);
    }
    QStringList Items(int id) {
        QStringList items;
        for (int i = 0; i < List(id)->count(); ++i)
            items << List(id)->item(i)->text();
        return items;
    }
    // The row of the arrow's shaft: the longest run of dark pixels in the equation frame.
    int ArrowRow() {
        const QImage& image = window->Surface();
        int bestRow = -1, best = 0;
        for (int y = 22; y < 49; ++y) {
            int run = 0;
            for (int x = 27; x < image.width() - 26; ++x) {
                run = qGray(image.pixel(x, y)) < 100 ? run + 1 : 0;
                if (run > best) {
                    best = run;
                    bestRow = y;
                }
            }
        }
        return best >= 25 ? bestRow : -1;
    }
    void Restart() {
        window.reset();
        port = std::make_unique<test::FakeUserPort>();
        window = std::make_unique<PrincipalDialog>(*table, *port);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Text is smoothed, so its pixels are shades of its colour.
    int InkAboveEquation(Hue hue) {
        const QImage& image = window->Surface();
        int count = 0;
        for (int y = 22; y < 36; ++y) {
            for (int x = 26; x < image.width() - 26; ++x) {
                const QColor c = image.pixelColor(x, y);
                const int r = c.red(), g = c.green(), b = c.blue();
                const bool red = r > g + 60 && r > b + 60;
                const bool blue = b > r + 60 && b > g + 60;
                const bool purple = r > g + 40 && b > g + 40 && std::abs(r - b) < 60;
                count += hue == Hue::Red ? red : hue == Hue::Blue ? blue : purple;
            }
        }
        return count;
    }

  private slots:
    void initTestCase() {
        folder = QString::fromStdString(test::TempDir());
        QDir::setCurrent(folder);
        QFile::copy(TOVEL_BIN_DIR "/elements.dat", "elements.dat");
        table = std::make_unique<ElementTable>(test::DefaultElements());
    }

    void init() {
        QFile::remove("Conf.txt");
        Restart();
    }

    void cleanup() { window.reset(); }

    void startsWithOnlyEntryOffered() {
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("TOVEL: Reacciones químicas, ajuste y cálculos"));
        for (int id : {kCmdNew, kCmdAdjust, kCmdAutoAdjust, kCmdSaveReaction})
            QVERIFY(!Button(id)->isEnabled());
        QVERIFY(Button(kCmdProblem)->isHidden());
        QVERIFY(!window->MenuAction(kCmdNew)->isEnabled());
        QVERIFY(!window->MenuAction(kMenuSaveReaction)->isEnabled());
        QVERIFY(window->MenuAction(kMenuConfirmExit)->isChecked());
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("Ajustar"));
        QVERIFY(qobject_cast<QRadioButton*>(window->Control(kFontSize12))->isChecked());
        QVERIFY(Line(kReactantLine)->hasFocus());
        QCOMPARE(window->Model().State(), MainState::Start);
        QCOMPARE(ArrowRow(), -1);  // the sample "A + B  ->  C + D" has no drawn arrow
    }

    void typicalRoad() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        QCOMPARE(window->Model().State(), MainState::Editant);
        QCOMPARE(Items(kReactantList), (QStringList{"H2", "O2"}));
        QCOMPARE(Items(kProductList), (QStringList{"H2O"}));
        QCOMPARE(ArrowRow(), 36);
        const QImage unbalanced = window->Surface();
        for (int id : {kCmdNew, kCmdAdjust, kCmdAutoAdjust})
            QVERIFY(Button(id)->isEnabled());
        Click(kCmdAutoAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
        QCOMPARE(ReactionText(window->Model().CurrentReaction()), std::string("2 H2 + O2 = 2 H2O"));
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("Cálculos"));
        QVERIFY(!Button(kCmdAutoAdjust)->isEnabled());
        QVERIFY(window->Surface() != unbalanced);  // the coefficients are drawn
        QVERIFY(port->messages.empty());
    }

    void sideLineFillsSlots() {
        Line(kReactantLine)->setText("H2+O2");
        Click(kCmdEnterReactants);
        QCOMPARE(Items(kReactantList), (QStringList{"H2", "O2"}));
        QCOMPARE(window->Model().Cursor(kReactants), std::size_t{3});
        QCOMPARE(Line(kReactantLine)->text(), QString());
        QVERIFY(Button(kCmdNew)->isEnabled());
        QVERIFY(!Button(kCmdAdjust)->isEnabled());
        TypeAndEnter(kProductLine, "H2O");
        QVERIFY(Button(kCmdAdjust)->isEnabled());
        QCOMPARE(window->Model().State(), MainState::Editant);
        QVERIFY(ArrowRow() > 0);
    }

    void enteringWhileBalancedReturnsToEditant() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        Click(kCmdAutoAdjust);
        TypeAndEnter(kProductLine, "H2O2");
        QCOMPARE(window->Model().State(), MainState::Editant);
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("Ajustar"));
        QVERIFY(Button(kCmdAutoAdjust)->isEnabled());
    }

    void minusAndPlus() {
        TypeAndEnter(kReactantLine, "H2+O2+N2");
        List(kReactantList)->setCurrentRow(1);
        QCOMPARE(Line(kReactantLine)->text(), QStringLiteral("O2"));
        Click(kCmdMinus);
        QCOMPARE(Items(kReactantList), (QStringList{"H2", "N2"}));
        List(kReactantList)->setCurrentRow(0);
        Click(kCmdPlus);
        QCOMPARE(Line(kReactantLine)->text(), QString());
        QCOMPARE(List(kReactantList)->selectedItems().size(), 0);
        TypeAndEnter(kReactantLine, "Cl2");
        QCOMPARE(Items(kReactantList), (QStringList{"H2", "N2", "Cl2"}));
    }

    void selectingAProductMakesThatSideCurrent() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O+H2O2");
        List(kProductList)->setCurrentRow(1);
        QCOMPARE(window->Model().CurrentSide(), kProducts);
        QCOMPARE(Line(kProductLine)->text(), QStringLiteral("H2O2"));
        TypeAndEnter(kProductLine, "O3");
        QCOMPARE(Items(kProductList), (QStringList{"H2O", "O3"}));
    }

    void messagesAsTheUserSeesThem() {
        TypeAndEnter(kEquationLine, "H2 + O2 -> H2O");
        TypeAndEnter(kEquationLine, "Fe + O2 = H2O");
        Click(kCmdAutoAdjust);
        TypeAndEnter(kEquationLine, "CO = CO2");
        Click(kCmdAutoAdjust);
        TypeAndEnter(kEquationLine, "H2+O2+N2+Cl2+F2+I2+Br2=H2O");
        QCOMPARE(int(port->messages.size()), 4);
        QCOMPARE(port->messages[0].caption, std::string("Error"));
        QCOMPARE(port->messages[0].text, std::string("Falta separador (=) lados reacción"));
        QCOMPARE(port->messages[1].caption, std::string("No se puede ajustar"));
        QCOMPARE(
            port->messages[1].text,
            std::string("faltan o sobran elementos    \r\n\r\nen los reactivos:    O   Fe   \r\n"
                        "en los productos:  H   O   "));
        QCOMPARE(port->messages[2].caption, std::string("Reacción o no viable o inexistente"));
        QCOMPARE(port->messages[3].caption, std::string("Demasiadas substancias"));
        QCOMPARE(port->messages[3].text, std::string("Máximo: 6 en cada lado"));
    }

    void newReactionClearsTheWindow() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        Click(kCmdNew);
        QCOMPARE(window->Model().State(), MainState::Inicial);
        QVERIFY(Items(kReactantList).isEmpty());
        QCOMPARE(Line(kEquationLine)->text(), QString());
        QVERIFY(Line(kEquationLine)->hasFocus());
        QVERIFY(!Button(kCmdNew)->isEnabled());
        QCOMPARE(ArrowRow(), -1);
    }

    // The first row of the equation frame with ink in it: where the letters start.
    int TopInkRow() {
        const QImage& image = window->Surface();
        for (int y = 22; y < 49; ++y) {
            for (int x = 27; x < image.width() - 26; ++x) {
                if (qGray(image.pixel(x, y)) < 100) return y;
            }
        }
        return -1;
    }

    void smallFontMovesTheEquationFourPixelsDown() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        Click(kCmdAutoAdjust);
        QCOMPARE(ArrowRow(), 36);
        const int top = TopInkRow();
        QTest::mouseClick(window->Control(kFontSize10), Qt::LeftButton);
        // The smaller letters start 4 pixels lower, and the arrow stays at their middle height.
        QVERIFY(TopInkRow() > top);
        QCOMPARE(ArrowRow(), 36);
        QCOMPARE(Line(kEquationLine)->font().pixelSize(), 11);  // as the digits of the boxes
        QCOMPARE(window->Model().State(), MainState::Ajustada);
    }

    void reactionFromTheLibraryLoadsAtTheNextCommand() {
        window->Model().QueueReaction(test::ParsedReaction("CH4+O2=CO2+H2O"),
                                      "Combustión del metano");
        Click(kCmdPlus);
        QCOMPARE(Items(kProductList), (QStringList{"CO2", "H2O"}));
        QCOMPARE(qobject_cast<QLabel*>(window->Control(kDescription))->text(),
                 QStringLiteral("Combustión del metano"));
    }

    void transferredFormulaGoesToTheCurrentSide() {
        TypeAndEnter(kEquationLine, "Na+Cl2=NaCl");
        Click(kCmdAutoAdjust);
        window->TransferFormula("H2");
        QCOMPARE(Items(kReactantList), (QStringList{"Na", "Cl2", "H2"}));
        QCOMPARE(window->Model().State(), MainState::Editant);
    }

    void exitAsksAndRemembersTheChoice() {
        port->answers = {kAnswerNo};
        window->Dispatch(kCmdExit);
        QVERIFY(window->isVisible());
        QCOMPARE(test::LastMessage(*port).caption, std::string("Confirmar"));
        QCOMPARE(test::LastMessage(*port).text, std::string("¿Salir del programa?"));

        window->MenuAction(kMenuConfirmExit)->trigger();
        QVERIFY(!window->MenuAction(kMenuConfirmExit)->isChecked());
        const auto asked = port->messages.size();
        // The exit icon at the bottom left, without a question now.
        QTest::mouseClick(window->Control(kSidesGroup)->parentWidget(), Qt::LeftButton, {},
                          QPoint(10, 390));
        QVERIFY(!window->isVisible());
        QCOMPARE(port->messages.size(), asked);
        QCOMPARE(test::ReadBytes("Conf.txt"), std::string("0\r\n"));

        Restart();
        QVERIFY(!window->MenuAction(kMenuConfirmExit)->isChecked());
        QVERIFY(!window->Model().ConfirmExit());
    }

    void escapeNeverLeaves() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        for (bool confirm : {true, false}) {
            window->Model().SetConfirmExit(confirm);
            QTest::keyClick(window.get(), Qt::Key_Escape);
            QTest::keyClick(Line(kEquationLine), Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QVERIFY(port->messages.empty());  // not even the question
            QCOMPARE(Items(kReactantList), (QStringList{"H2", "O2"}));
        }
        // The question, when it comes, is answered No by Enter.
        window->Model().SetConfirmExit(true);
        window->MenuAction(kCmdExit)->trigger();
        QCOMPARE(test::LastMessage(*port).defaultAnswer, int(kAnswerNo));
        QVERIFY(window->isVisible());
    }

    void manualBalancingWithBoxes() {
        TypeAndEnter(kEquationLine, "H2 + O2 = H2O");
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustant);
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("acepta"));
        for (int id : {BoxId(0, 1), BoxId(0, 2), BoxId(1, 1)})
            QVERIFY(window->Control(id) != nullptr);
        QVERIFY(window->Control(BoxId(0, 3)) == nullptr);
        QVERIFY(window->Control(BoxId(0, 1))->hasFocus());
        // The boxes sit inside the equation frame, in order.
        const QRect first = window->Control(BoxId(0, 1))->geometry();
        const QRect product = window->Control(BoxId(1, 1))->geometry();
        QCOMPARE(first.topLeft(), QPoint(37, 26));
        QCOMPARE(first.height(), 16);
        // Wide enough to show the largest coefficient whole.
        auto* box = qobject_cast<QLineEdit*>(window->Control(BoxId(0, 1)));
        QVERIFY(box->fontMetrics().horizontalAdvance("65535") <= box->contentsRect().width() - 2);
        QVERIFY(product.left() > window->Control(BoxId(0, 2))->geometry().right());

        Click(kCmdAdjust);  // all boxes empty: they become 1
        for (int id : {BoxId(0, 1), BoxId(0, 2), BoxId(1, 1)}) {
            QCOMPARE(qobject_cast<QLineEdit*>(window->Control(id))->text(), QStringLiteral("1"));
        }
        QCOMPARE(test::LastMessage(*port).caption, std::string("No ajustada"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("elementos:\t\tH   O   \r\n\r\nen los reactivos:\t2    2    \r\n"
                             "en los productos:\t2    1    "));
        QCOMPARE(window->Model().State(), MainState::Ajustant);

        Line(BoxId(0, 1))->setText("2");
        Line(BoxId(1, 1))->setText("2");
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
        QVERIFY(window->Control(BoxId(0, 1)) == nullptr);
        QVERIFY(window->Control(kBalancedIcon)->isVisible());
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("Cálculos"));
        QCOMPARE(ReactionText(window->Model().CurrentReaction()), std::string("2 H2 + O2 = 2 H2O"));
        Click(kCmdNew);
        QVERIFY(!window->Control(kBalancedIcon)->isVisible());
    }

    void usingABoxFillsTheEmptyBoxesBeforeIt() {
        TypeAndEnter(kEquationLine, "CH4 + O2 = CO2 + H2O");
        Click(kCmdAdjust);
        Line(BoxId(0, 2))->setText("2");
        Line(BoxId(1, 2))->setFocus();
        QCOMPARE(Line(BoxId(0, 1))->text(), QStringLiteral("1"));
        QCOMPARE(Line(BoxId(0, 2))->text(), QStringLiteral("2"));
        QCOMPARE(Line(BoxId(1, 1))->text(), QStringLiteral("1"));
        QCOMPARE(Line(BoxId(1, 2))->text(), QString());
        QTest::keyClicks(Line(BoxId(1, 2)), "2");
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
    }

    void boxesRefuseWhatIsNoCoefficient() {
        TypeAndEnter(kEquationLine, "H2 + O2 = H2O");
        Click(kCmdAdjust);
        Line(BoxId(0, 2))->setText("x");
        Click(kCmdAdjust);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Coeficiente no válido"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("El coeficiente de O2 debe ser un número entero de 1 a 65535"));
        QCOMPARE(window->Model().State(), MainState::Ajustant);
        QVERIFY(window->Control(BoxId(0, 2)) != nullptr);
        Line(BoxId(0, 2))->setText("70000");
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustant);
    }

    void elementsMissingOnASideStopManualBalancing() {
        TypeAndEnter(kEquationLine, "Fe + O2 = H2O");
        Click(kCmdAdjust);
        QCOMPARE(test::LastMessage(*port).caption, std::string("No se puede ajustar"));
        QCOMPARE(
            test::LastMessage(*port).text,
            std::string("faltan o sobran elementos    \r\n\r\nen los reactivos:    O   Fe   \r\n"
                        "en los productos:  H   O   "));
        QCOMPARE(window->Model().State(), MainState::Editant);
        QVERIFY(window->Control(BoxId(0, 1)) == nullptr);
    }

    void enteringALineDropsTheBoxes() {
        TypeAndEnter(kEquationLine, "CH4 + O2 = CO2");
        Click(kCmdAdjust);
        TypeAndEnter(kProductLine, "H2O");
        QVERIFY(window->Control(BoxId(0, 1)) == nullptr);
        QCOMPARE(window->Model().State(), MainState::Editant);
        QCOMPARE(Button(kCmdAdjust)->text(), QStringLiteral("Ajustar"));
        Click(kCmdAdjust);
        Click(kCmdAutoAdjust);  // also drops them
        QVERIFY(window->Control(BoxId(0, 1)) == nullptr);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
    }

    void sixSubstancesASideHaveTwelveBoxes() {
        TypeAndEnter(kEquationLine, "H2+Li+Na+K+Rb+Cs=LiH+NaH+KH+RbH+CsH+H");
        Click(kCmdAdjust);
        QSet<QString> names;
        for (int side = 0; side < 2; ++side) {
            for (int slot = 1; slot <= 6; ++slot) {
                QWidget* box = window->Control(BoxId(side, slot));
                QVERIFY(box != nullptr);
                names.insert(box->objectName());
            }
        }
        QCOMPARE(names.size(), 12);
        QVERIFY(names.contains("id50") && names.contains("id61"));
    }

    void unknownSymbolAddedInTheEditorLetsTheFormulaIn() {
        port->answers = {kAnswerYes};
        port->editor = [this](ElementTable& t) {
            QTimer::singleShot(0, [] {
                ElementEditorDialog* editor = ElementEditorDialog::Current();
                QVERIFY(editor != nullptr);
                // The missing symbol is filled in, and the name is asked for first.
                QCOMPARE(
                    qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kSymbol))->text(),
                    QStringLiteral("Xx"));
                QCOMPARE(editor->focusWidget(), editor->Control(ElementEditorDialog::kName));
                qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kName))
                    ->setText("Inventado");
                qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kMass))
                    ->setText("300");
                qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kNumber))
                    ->setText("120");
                QTest::mouseClick(editor->Control(ElementEditorDialog::kAccept), Qt::LeftButton);
                QTest::mouseClick(editor->Control(ElementEditorDialog::kOk), Qt::LeftButton);
            });
            RunElementEditor(t, *port, port->editorSymbols.back());
        };
        TypeAndEnter(kReactantLine, "Xx2O");
        QCOMPARE(Items(kReactantList), (QStringList{"Xx2O"}));
        QCOMPARE(port->editorOpened, 1);
        QCOMPARE(port->messages.front().caption, std::string("* Error *"));
        QVERIFY(table->FindSymbol("Xx") != nullptr);
        ElementTable saved;
        QVERIFY(LoadElements(saved, "elements.dat"));
        QVERIFY(saved.FindSymbol("Xx") != nullptr);
        // Put the shipped table back for the other tests.
        QFile::remove("elements.dat");
        QFile::copy(TOVEL_BIN_DIR "/elements.dat", "elements.dat");
        LoadElements(*table, "elements.dat");
    }

    void atomicMassListShowsEveryElement() {
        window->MenuAction(kMenuAtomicMasses)->trigger();
        AtomicMassListDialog* list = test::FindWindow<AtomicMassListDialog>();
        QVERIFY(list != nullptr);
        QCOMPARE(list->windowTitle(), QStringLiteral("M. atómicas"));
        QCOMPARE(list->List()->count(), int(table->Count()));
        QCOMPARE(list->List()->item(0)->text(), QStringLiteral("Ac        227"));
        list->close();
    }

    void fromEquationToSavedProblem() {
        StartCalculation("H2 + O2 = H2O");
        QCOMPARE(window->Model().State(), MainState::Calculant);
        QCOMPARE(qobject_cast<QGroupBox*>(window->Control(kSidesGroup))->title(),
                 QStringLiteral("Cálculos sobre la reacción"));
        QVERIFY(Line(kEquationLine)->isHidden());
        QVERIFY(!Button(kCmdCalc)->isHidden());
        QVERIFY(!Button(kCmdProblem)->isEnabled());
        QCOMPARE(qobject_cast<QLabel*>(window->Control(kResultLine))->text(),
                 QStringLiteral("M.A.:  H = 1.008, O = 16.00"));
        QCOMPARE(qobject_cast<QGroupBox*>(window->Control(kUnitsGroup))->title(),
                 QStringLiteral("Unidades H2"));
        QVERIFY(qobject_cast<QRadioButton*>(window->Control(kUnitRadioGram))->isChecked());
        QVERIFY(window->Control(BoxId(0, 1))->hasFocus());

        Line(BoxId(0, 1))->setText("4");
        Line(BoxId(0, 2))->setText("32");
        QTest::keyClick(Line(BoxId(0, 2)), Qt::Key_Return);  // Enter in an amount box calculates
        QVERIFY(window->Model().ResultsReady());
        QVERIFY(Button(kCmdProblem)->isEnabled());
        QCOMPARE(Line(BoxId(1, 1))->text(), QStringLiteral("35.7"));  // "Obt."
        QCOMPARE(List(kReactantList)->currentRow(), 0);               // H2 is limiting

        port->files = {(folder + "/problemas.txt").toStdString(),
                       (folder + "/problemas.txt").toStdString()};
        Click(kCmdProblem);
        ProblemWindow* problem = test::FindWindow<ProblemWindow>();
        QVERIFY(problem != nullptr);
        QVERIFY(window->Control(kResolutionMark)->isVisible());
        QCOMPARE(problem->Box(ProblemWindow::kStatement)->toPlainText().split('\n').first(),
                 QStringLiteral("El H2 reacciona con O2 para dar: H2O."));
        QVERIFY(problem->Box(ProblemWindow::kResolution)
                    ->toPlainText()
                    .contains(QString(80, QChar(0x2500))));
        problem->Dispatch(ProblemWindow::kSave);
        problem->Dispatch(ProblemWindow::kSave);
        QCOMPARE(QDir::currentPath(), folder);
        const std::string bytes = test::ReadBytes((folder + "/problemas.txt").toStdString());
        QVERIFY(bytes.rfind("\r\n\r\nEl H2 reacciona con O2 para dar: H2O.\r\n", 0) == 0);
        QVERIFY(bytes.find("REACCI\xd3N: 2 H2 + O2 = 2 H2O\r\n") != std::string::npos);
        QVERIFY(bytes.find(std::string(80, '\xad') + "\r\n") != std::string::npos);
        QVERIFY(bytes.find('\n') > 0 &&
                bytes.find("\n\n") == std::string::npos);  // every line ends CR LF
        const std::string one = bytes.substr(0, bytes.size() / 2);
        QCOMPARE(bytes, one + one);  // the second save follows the first

        // A changed box makes the written problem stale: its window closes.
        QPointer<ProblemWindow> open(problem);
        Line(BoxId(0, 2))->setFocus();
        QTest::keyClicks(Line(BoxId(0, 2)), "0");
        QTRY_VERIFY(open.isNull());
        QVERIFY(!window->Model().ResultsReady());
        Click(kCmdReset);
        QCOMPARE(Line(BoxId(0, 1))->text(), QString());
        Click(kCmdNew);
        QVERIFY(window->Control(BoxId(0, 1)) == nullptr);
        QVERIFY(!Line(kEquationLine)->isHidden());
        QVERIFY(!window->Control(kResolutionMark)->isVisible());
    }

    void menuShortcutsWorkFromTheLinesAndNewEmptiesTheReports() {
        TypeAndEnter(kEquationLine, "Cu+HNO3=Cu(NO3)2+NO+H2O");
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Ctrl+E is also "end of line" to a line edit: the menu's comes first.
        for (int id : {kEquationLine, kReactantLine}) {
            Line(id)->setFocus();
            Line(id)->setCursorPosition(0);
            QTest::keyClick(Line(id), Qt::Key_E, Qt::ControlModifier);
            QTRY_VERIFY(test::FindWindow<TextReportWindow>() != nullptr);
            QCOMPARE(Line(id)->cursorPosition(), 0);
            test::FindWindow<TextReportWindow>()->close();
            QTRY_VERIFY(test::FindWindow<TextReportWindow>() == nullptr);
        }
        window->MenuAction(kMenuExplainBalance)->trigger();
        TextReportWindow* explanation = test::FindWindow<TextReportWindow>();
        QVERIFY(explanation != nullptr);
        QVERIFY(explanation->Text()->toPlainText().contains("Cu(NO3)2"));
        Click(kCmdNew);
        QCOMPARE(explanation->Text()->toPlainText(),
                 QStringLiteral("No hay ninguna ecuación: escríbela en la ventana principal."));
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        QVERIFY(explanation->Text()->toPlainText().contains("H2O"));
        explanation->close();
    }

    void bothFontSizesDrawFormulasAsTallAsTheBoxDigits() {
        for (int size : {kFontSize12, kFontSize10}) {
            StartAtFontSize(size, "H2+O2=H2O");
            Click(kCmdAdjust);
            QWidget* box = window->Control(BoxId(0, 1));
            QVERIFY(box != nullptr);
            const int digit = QFontMetrics(box->font()).tightBoundingRect("8").height();
            const QFont drawn = MakeFont(EquationFont(window->Model().FontSizeSelector()));
            const int letter =
                std::min(QFontMetrics(drawn).tightBoundingRect("H").height(),
                         QFontMetrics(List(kReactantList)->font()).tightBoundingRect("H").height());
            QVERIFY2(letter >= digit, qPrintable(QString("font %1: H %2 px, digit %3 px")
                                                     .arg(size == kFontSize12 ? 12 : 10)
                                                     .arg(letter)
                                                     .arg(digit)));
        }
        QTest::mouseClick(window->Control(kFontSize12), Qt::LeftButton);
    }

    void balancingExplainedFollowsTheEquation() {
        QAction* explain = window->MenuAction(kMenuExplainBalance);
        QVERIFY(!explain->isEnabled());  // nothing drawn yet
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        QVERIFY(explain->isEnabled());
        QCOMPARE(explain->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        // Manual balancing gives nothing away: the window opens only when asked.
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustant);
        QVERIFY(test::FindWindow<TextReportWindow>() == nullptr);
        explain->trigger();
        TextReportWindow* shown = test::FindWindow<TextReportWindow>();
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Ajuste paso a paso"));
        QVERIFY(shown->Text()->isReadOnly());
        QVERIFY(shown->Text()->toPlainText().startsWith("a H2 + b O2 = c H2O\n\n(1) H: 2a = 2c\n"));
        QVERIFY(shown->Text()->toPlainText().endsWith("\n2 H2 + O2 = 2 H2O"));
        // A second request raises the same window; a new equation is followed in it.
        explain->trigger();
        QCOMPARE(test::FindWindow<TextReportWindow>(), shown);
        TypeAndEnter(kEquationLine, "CO=CO2");
        QVERIFY(shown->Text()->toPlainText().endsWith("O: 1 = 2·1: imposible"));

        // "Guardar" appends to the user's file as saved problems are, twice means twice; a name
        // given without an extension is a text file's.
        const std::string path = (folder + "/ajustes.txt").toStdString();
        QFile::remove(QString::fromStdString(path));
        port->files = {(folder + "/ajustes").toStdString(), path};
        QTest::mouseClick(shown->Button(TextReportWindow::kSave), Qt::LeftButton);
        QTest::mouseClick(shown->Button(TextReportWindow::kSave), Qt::LeftButton);
        const std::string bytes = test::ReadBytes(path);
        QVERIFY(bytes.rfind("\r\n\r\na CO = b CO2\r\n\r\n(1) C: a = b\r\n", 0) == 0);
        QVERIFY(bytes.find("O: 1 = 2\xb7"
                           "1: imposible\r\n") != std::string::npos);
        QCOMPARE(bytes, bytes.substr(0, bytes.size() / 2) + bytes.substr(0, bytes.size() / 2));
        QCOMPARE(QDir::currentPath(), folder);

        QTest::mouseClick(shown->Button(TextReportWindow::kCopy), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), shown->Text()->toPlainText());
        QPointer<TextReportWindow> open(shown);
        QTest::mouseClick(shown->Button(TextReportWindow::kExit), Qt::LeftButton);
        QTRY_VERIFY(open.isNull());
    }

    void oxidationNumbersAboveTheEquation() {
        QAction* numbers = window->MenuAction(kMenuOxidationNumbers);
        QAction* redox = window->MenuAction(kMenuRedox);
        QVERIFY(!numbers->isEnabled() && !redox->isEnabled());
        TypeAndEnter(kEquationLine, "Cl2+NaOH=NaCl+NaClO+H2O");
        QVERIFY(numbers->isEnabled() && !numbers->isChecked());
        QCOMPARE(numbers->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        const int listTop = List(kReactantList)->geometry().top();
        QCOMPARE(InkAboveEquation(Hue::Purple), 0);
        numbers->trigger();
        QVERIFY(numbers->isChecked());
        // Room is made above the letters, everything under the equation moves down.
        QVERIFY(List(kReactantList)->geometry().top() > listTop);
        // Chlorine is both oxidised and reduced; the sodium chloride's is reduced, the
        // hypochlorite's oxidised.
        QVERIFY(InkAboveEquation(Hue::Purple) > 0);
        QVERIFY(InkAboveEquation(Hue::Blue) > 0);
        QVERIFY(InkAboveEquation(Hue::Red) > 0);
        Click(kCmdAutoAdjust);
        QVERIFY(numbers->isChecked());  // kept while the equation changes state

        redox->trigger();
        TextReportWindow* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* t = qobject_cast<TextReportWindow*>(w);
                t && t->isVisible() && t->windowTitle() == "Análisis redox")
                shown = t;
        }
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->Lines().front(), std::string("Cl2 + 2 NaOH = NaCl + NaClO + H2O"));
        QCOMPARE(shown->Lines().back(), std::string("Electrones transferidos: 1"));
        // Another equation, still unbalanced: the analysis balances it to count the electrons.
        TypeAndEnter(kEquationLine, "Zn+HCl=ZnCl2+H2");
        QCOMPARE(shown->Lines().front(), std::string("Zn + 2 HCl = ZnCl2 + H2"));
        TypeAndEnter(kEquationLine, "CO=CO2");
        QCOMPARE(
            shown->Lines().back(),
            std::string("La ecuación no se puede ajustar: no se pueden contar los electrones"));
        numbers->trigger();
        QVERIFY(!numbers->isChecked());
        QCOMPARE(List(kReactantList)->geometry().top(), listTop);
        QPointer<TextReportWindow> open(shown);
        shown->close();
        QTRY_VERIFY(open.isNull());
    }

    void theProblemCanCarryTheBalancingSteps() {
        StartCalculation("H2 + O2 = H2O");
        Line(BoxId(0, 1))->setText("4");
        QTest::keyClick(Line(BoxId(0, 1)), Qt::Key_Return);
        Click(kCmdProblem);
        ProblemWindow* problem = test::FindWindow<ProblemWindow>();
        QVERIFY(problem != nullptr);
        QPlainTextEdit* resolution = problem->Box(ProblemWindow::kResolution);
        const QString before = resolution->toPlainText();
        problem->Dispatch(ProblemWindow::kAddBalancing);
        QCOMPARE(resolution->toPlainText(),
                 before +
                     "\n\nAjuste paso a paso:\n\na H2 + b O2 = c H2O\n\n(1) H: 2a = 2c\n"
                     "(2) O: 2b = c\n\nSe toma c = 1 (H2O es la sustancia con más átomos).\n"
                     "De (1) H: 2a = 2·1, luego a = 1\nDe (2) O: 2b = 1, luego b = 1/2\n\n"
                     "Multiplicando por 2:\na = 2, b = 1, c = 2\nComprobación:\n"
                     "(1) H: 2·2 = 2·2 (4 = 4)\n(2) O: 2·1 = 2 (2 = 2)\n2 H2 + O2 = 2 H2O");
        // Once only, and it is no edit of the user's: the problem goes with its calculation.
        problem->Dispatch(ProblemWindow::kAddBalancing);
        QVERIFY(resolution->toPlainText().count("Ajuste paso a paso:") == 1);
        QVERIFY(!problem->Edited());
        QPointer<ProblemWindow> open(problem);
        problem->close();
        QTRY_VERIFY(open.isNull());
    }

    void calculatingAgainUsesOnlyTheUsersData() {
        StartCalculation("H2+O2=H2O");
        TypeAmount(0, 1, "4");
        Click(kCmdCalc);
        QCOMPARE(AmountBox(0, 1), QStringLiteral("4 datum"));
        QCOMPARE(AmountBox(0, 2), QStringLiteral("31.7 result"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral("35.7 result"));
        QCOMPARE(Row(0, 1), QStringLiteral("g | 1.98 | 0.000 g"));
        QCOMPARE(Row(0, 2), QStringLiteral("g | 0.992 | 0.000 g"));
        QCOMPARE(Row(1, 1), QStringLiteral("g | 1.98 | "));
        QCOMPARE(List(kReactantList)->currentRow(), 0);

        // Calc again, nothing changed: the same, to the last digit.
        const double extent = window->Model().Calculation().Result().extent;
        Click(kCmdCalc);
        QCOMPARE(window->Model().Calculation().Result().extent, extent);
        QCOMPARE(AmountBox(0, 2), QStringLiteral("31.7 result"));
        QCOMPARE(Row(0, 1), QStringLiteral("g | 1.98 | 0.000 g"));
        QCOMPARE(Row(0, 2), QStringLiteral("g | 0.992 | 0.000 g"));
        QCOMPARE(List(kReactantList)->currentRow(), 0);

        // A changed datum: nothing of the previous calculation stays on screen.
        TypeAmount(0, 1, "2");
        QCOMPARE(AmountBox(0, 2), QStringLiteral(" datum"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral(" datum"));
        QCOMPARE(Row(0, 2), QStringLiteral("g |  | "));
        Click(kCmdCalc);
        QCOMPARE(AmountBox(0, 2), QStringLiteral("15.9 result"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral("17.9 result"));
        QCOMPARE(Row(0, 2), QStringLiteral("g | 0.496 | 0.000 g"));

        // A changed unit: recomputed from the data, the product in its new unit.
        ChooseUnit(kProductList, 0, kUnitRadioGram + 1);
        QCOMPARE(AmountBox(1, 1), QStringLiteral(" datum"));
        QCOMPARE(AmountBox(0, 1), QStringLiteral("2 datum"));
        Click(kCmdCalc);
        QCOMPARE(AmountBox(0, 2), QStringLiteral("15.9 result"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral("0.992 result"));
        QCOMPARE(Row(1, 1), QStringLiteral("mol | 0.992 | "));

        // A product given stays a product given, whatever changes elsewhere.
        Click(kCmdReset);
        ChooseUnit(kProductList, 0, kUnitRadioGram);
        TypeAmount(1, 1, "36");
        Click(kCmdCalc);
        QCOMPARE(AmountBox(0, 1), QStringLiteral("4.03 result"));
        QCOMPARE(AmountBox(0, 2), QStringLiteral("32.0 result"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral("36 datum"));
        QCOMPARE(Row(0, 1), QStringLiteral("g | 2.00 | 0.000 g"));
        QCOMPARE(Row(0, 2), QStringLiteral("g | 0.999 | 0.000 g"));
        QCOMPARE(Row(1, 1), QStringLiteral("g | 2.00 | "));
        QVERIFY(List(kReactantList)->selectedItems().isEmpty());
        ChooseUnit(kReactantList, 1, kUnitRadioGram + 1);
        Click(kCmdCalc);
        QCOMPARE(window->Model().Calculation().Result().dataSide, kProducts);
        QCOMPARE(AmountBox(0, 2), QStringLiteral("0.999 result"));
        QCOMPARE(Row(0, 2), QStringLiteral("mol | 0.999 | 0.000 mol"));
        QVERIFY(port->messages.empty());

        // The worded problem tells the user's datum, not a result.
        Click(kCmdProblem);
        ProblemWindow* problem = test::FindWindow<ProblemWindow>();
        QVERIFY(problem != nullptr);
        QCOMPARE(problem->Box(ProblemWindow::kStatement)->toPlainText().split('\n').at(1),
                 QStringLiteral("Si se quiere obtener 36.0 g de H2O calcula:"));
        problem->close();

        // Both sides typed: the reactant decides, and the user is told.
        TypeAmount(0, 2, "1");
        Click(kCmdCalc);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos de más"));
        QCOMPARE(AmountBox(1, 1),
                 QStringLiteral("36.0 result"));  // 2 mol of water from 1 mol of O2
        QCOMPARE(AmountBox(0, 1), QStringLiteral("4.03 result"));
    }

    // "Rendimiento %" shrinks what forms, never what reacts; found from what was obtained it is
    // an answer in the results' blue, and a typed yield again when the choice is undone.
    void yieldGivenAndFoundFromWhatWasObtained() {
        StartCalculation("CaCO3=CaO+CO2");
        QLineEdit* yield = Line(kYield);
        QVERIFY(yield->isVisible());
        QCOMPARE(yield->text(), QStringLiteral("100"));
        TypeAmount(0, 1, "50");
        yield->setFocus();
        yield->selectAll();
        QTest::keyClicks(yield, "80");
        QTest::keyClick(yield, Qt::Key_Return);  // moves on, computes nothing yet
        QVERIFY(!yield->hasFocus());
        QVERIFY(!window->Model().Calculation().HasResults());
        Click(kCmdCalc);
        QCOMPARE(AmountBox(1, 1), QStringLiteral("22.4 result"));  // 0.5 mol x 80 % x 56.08
        QCOMPARE(Row(0, 1), QStringLiteral("g | 0.500 | 0.000 g"));
        QCOMPARE(Row(1, 1), QStringLiteral("g | 0.400 | "));
        Click(kCmdProblem);
        ProblemWindow* problem = test::FindWindow<ProblemWindow>();
        QVERIFY(problem != nullptr);
        QVERIFY(problem->Box(ProblemWindow::kStatement)
                    ->toPlainText()
                    .contains(QStringLiteral("con un rendimiento del 80 %, calcula:")));
        problem->close();

        // A yield out of range is refused naming the field; nothing is computed.
        yield->selectAll();
        QTest::keyClicks(yield, "120");
        Click(kCmdCalc);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos no válidos"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("Rendimiento %: 120; ha de ser mayor que 0 y no pasar de 100"));
        QVERIFY(!window->Model().Calculation().HasResults());

        // From what was obtained: 25 g of CaO out of 28.0 possible.
        auto* fromObtained = qobject_cast<QCheckBox*>(window->Control(kYieldFromObtained));
        QTest::mouseClick(fromObtained, Qt::LeftButton, {}, QPoint(6, 12));
        QVERIFY(fromObtained->isChecked());
        QVERIFY(yield->isReadOnly());
        TypeAmount(1, 1, "25");
        Click(kCmdCalc);
        QCOMPARE(
            yield->text() +
                (yield->palette().color(QPalette::Text) == kResultColour ? " result" : " datum"),
            QStringLiteral("89.2 result"));
        QCOMPARE(AmountBox(1, 1), QStringLiteral("25 datum"));
        QCOMPARE(AmountBox(1, 2), QStringLiteral("19.6 result"));  // CO2 at the same yield
        // More than can form is refused.
        TypeAmount(1, 1, "30");
        const std::size_t before = port->messages.size();
        Click(kCmdCalc);
        QCOMPARE(port->messages.size(), before + 1);
        QVERIFY(test::LastMessage(*port).text.find("no puede pasar del 100 %") !=
                std::string::npos);
        QCOMPARE(yield->text(), QString());
        // Undone, the field is a yield to type again.
        QTest::mouseClick(fromObtained, Qt::LeftButton, {}, QPoint(6, 12));
        QVERIFY(!yield->isReadOnly());
        QCOMPARE(yield->text(), QStringLiteral("100"));
    }

    void typedProblemTextIsNeverDroppedSilently() {
        StartCalculation("H2+O2=H2O");
        TypeAmount(0, 1, "4");
        Click(kCmdCalc);
        Click(kCmdProblem);
        QPointer<ProblemWindow> problem(test::FindWindow<ProblemWindow>());
        QVERIFY(problem);
        QTest::keyClicks(problem->Box(ProblemWindow::kStatement), "Nota ");
        // A new calculation: the edited problem stays, marked as written for the earlier one.
        TypeAmount(0, 1, "5");
        Click(kCmdCalc);
        QApplication::processEvents();
        QVERIFY(problem && problem->isVisible());
        QCOMPARE(problem->windowTitle(), QStringLiteral("Problema (de un cálculo anterior)"));
        QVERIFY(problem->Box(ProblemWindow::kStatement)->toPlainText().startsWith("Nota "));
        // Leaving asks for it; Cancel keeps both windows.
        port->answers = {kAnswerYes, kAnswerCancel};
        window->MenuAction(kCmdExit)->trigger();
        QCOMPARE(test::LastMessage(*port).caption, std::string("Problema modificado"));
        QVERIFY(problem && problem->isVisible());
        QVERIFY(window->isVisible());
        // Saved at the question: the file holds the typed text, and the program ends.
        const std::string path = (folder + "/notas.txt").toStdString();
        port->files = {path};
        port->answers = {kAnswerYes, kAnswerYes};
        window->MenuAction(kCmdExit)->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(test::ReadBytes(path).find("Nota El H2 reacciona") != std::string::npos);
    }

    void anUneditedProblemGoesWithItsCalculation() {
        StartCalculation("H2+O2=H2O");
        TypeAmount(0, 1, "4");
        Click(kCmdCalc);
        Click(kCmdProblem);
        QPointer<ProblemWindow> problem(test::FindWindow<ProblemWindow>());
        QVERIFY(problem);
        TypeAmount(0, 1, "5");
        QTRY_VERIFY(problem.isNull() || !problem->isVisible());
        QVERIFY(port->messages.empty());
    }

    void leavingAsksTheElementEditorFirst() {
        auto* editor = new ElementEditorDialog(*table, *port);
        editor->show();
        QPointer<ElementEditorDialog> open(editor);
        qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kName))->setText("Inventado");
        qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kSymbol))->setText("Qz");
        qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kMass))->setText("300");
        qobject_cast<QLineEdit*>(editor->Control(ElementEditorDialog::kNumber))->setText("120");
        QTest::mouseClick(editor->Control(ElementEditorDialog::kAccept), Qt::LeftButton);
        QVERIFY(editor->Model().Modified());
        port->answers = {kAnswerYes, kAnswerCancel};  // leave; then keep the editor open
        window->MenuAction(kCmdExit)->trigger();
        QVERIFY(open && open->isVisible());
        QVERIFY(window->isVisible());
        port->answers = {kAnswerYes, kAnswerNo};  // leave; drop the new element
        window->MenuAction(kCmdExit)->trigger();
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(open.isNull() || !open->isVisible());
    }

    // Nothing painted outside the equation's frame, and every box inside it and apart from the
    // others.
    void CheckEquationDrawnWhole(const char* what) {
        const QImage& image = window->Surface();
        const int extra = image.height() - 400;
        const QRect frame(QPoint(25, 20), QPoint(image.width() - 24, 50 + extra));
        for (int y = 0; y < frame.bottom() + 3; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (frame.adjusted(-1, -1, 1, 1).contains(x, y)) continue;
                QVERIFY2(qGray(image.pixel(x, y)) > 150,
                         qPrintable(QStringLiteral("%1: ink at %2,%3").arg(what).arg(x).arg(y)));
            }
        }
        std::vector<QRect> boxes;
        for (int id = BoxId(0, 1); id < BoxId(0, 1) + 12; ++id) {
            if (QWidget* box = window->Control(id)) boxes.push_back(box->geometry());
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            QVERIFY2(frame.contains(boxes[i]), what);
            for (std::size_t j = 0; j < i; ++j)
                QVERIFY2(!boxes[i].intersects(boxes[j]), what);
        }
        QVERIFY(window->height() < 768);  // still on a small classroom screen
    }

    void everyAcceptedEquationIsDrawnWhole() {
        // Six formulas a side of 63 characters each, with as many symbols as a formula may have.
        const QString formula = "(CH3COOH)999(C6H12O6)999(NH4)999(H2SO4)999(KMnO4)999(NaCl)999Ca";
        // Too long for the equation line: typed formula by formula in the sides' lines.
        for (int k = 0; k < 6; ++k) {
            TypeAndEnter(kReactantLine, formula);
            TypeAndEnter(kProductLine, formula);
        }
        QCOMPARE(window->Model().Count(kReactants), 6u);
        QCOMPARE(window->Model().Count(kProducts), 6u);
        for (int list :
             {kReactantList, kProductList}) {  // the sixth row is in sight, beside its box
            const QRect sixth = List(list)->visualItemRect(List(list)->item(5));
            QVERIFY(sixth.top() >= 0 && sixth.bottom() < List(list)->viewport()->height());
        }
        Click(kCmdAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustant);
        CheckEquationDrawnWhole("6 + 6 boxes at size 12");
        QTest::mouseClick(window->Control(kFontSize10), Qt::LeftButton);
        CheckEquationDrawnWhole("6 + 6 boxes at size 10");
        // A box at the end of the last line still takes a click and a coefficient.
        QLineEdit* last = Line(BoxId(1, 6));
        QTest::mouseClick(last, Qt::LeftButton);
        QVERIFY(last->hasFocus());
        QTest::keyClicks(last, "65535");
        QCOMPARE(last->text(), QStringLiteral("65535"));

        Click(kCmdNew);
        QTest::mouseClick(window->Control(kFontSize12), Qt::LeftButton);
        TypeAndEnter(kEquationLine, "K4Fe(CN)6+KMnO4+H2SO4=KHSO4+Fe2(SO4)3+MnSO4+HNO3+CO2+H2O");
        Click(kCmdAutoAdjust);
        QCOMPARE(window->Model().State(), MainState::Ajustada);
        CheckEquationDrawnWhole("a balanced redox equation at size 12");
        QVERIFY(window->Surface().height() > 400);  // on two lines
        // The controls moved down with the frame: the lists still start under it.
        QVERIFY(List(kReactantList)->geometry().top() > window->Surface().height() - 400 + 50);
        Click(kCmdNew);
        QCOMPARE(window->Surface().height(), 400);
    }

    void amountBoxesSitBesideTheirRows() {
        for (int size : {kFontSize12, kFontSize10}) {
            StartAtFontSize(size, "H2+O2+N2+Cl2+F2+C=H2O+NO2+HCl+HF+CO2+CH4");
            // Balanced by hand: it has more than one balance, which "Autoajuste" will not pick.
            // H: 2·8 = 2·2 + 2 + 2 + 4·2; O: 2·5 = 2 + 2·2 + 2·2; C: 4 = 2 + 2.
            Click(kCmdAdjust);
            const char* coefficients[2][6] = {{"8", "5", "1", "1", "1", "4"},
                                              {"2", "2", "2", "2", "2", "2"}};
            for (int side = 0; side < 2; ++side) {
                for (int slot = 1; slot <= 6; ++slot)
                    TypeAmount(side, slot, coefficients[side][slot - 1]);
            }
            Click(kCmdAdjust);
            QCOMPARE(window->Model().State(), MainState::Ajustada);
            Click(kCmdAdjust);
            for (int side = 0; side < 2; ++side) {
                QListWidget* list = List(side == 0 ? kReactantList : kProductList);
                for (int row = 0; row < 6; ++row) {
                    const QRect item = list->visualItemRect(list->item(row));
                    const int rowTop =
                        list->viewport()->mapTo(list->parentWidget(), item.topLeft()).y();
                    const int boxTop = Line(BoxId(side, row + 1))->geometry().top();
                    QVERIFY2(std::abs(rowTop - boxTop) <= 2,
                             qPrintable(QStringLiteral("side %1 row %2: %3 vs %4")
                                            .arg(side)
                                            .arg(row)
                                            .arg(rowTop)
                                            .arg(boxTop)));
                }
            }
            Click(kCmdNew);
        }
    }

    void ClickRow(int list, int row) {
        QListWidget* l = List(list);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }
    QString UnitsCaption() {
        return qobject_cast<QGroupBox*>(window->Control(kUnitsGroup))->title();
    }

    void theUnitsGroupWorksOnTheHighlightedRow() {
        StartCalculation("H2+Cl2=HCl");
        TypeAmount(0, 1, "4");
        TypeAmount(0, 2, "100");
        QCOMPARE(UnitsCaption(), QStringLiteral("Unidades H2"));
        Click(kCmdCalc);
        // Cl2 is limiting: its row is highlighted, and the group names it.
        QCOMPARE(List(kReactantList)->currentRow(), 1);
        QCOMPARE(UnitsCaption(), QStringLiteral("Unidades Cl2"));
        // The group shows the unit of the substance it names, and its "ok" takes it.
        QVERIFY(qobject_cast<QRadioButton*>(window->Control(kUnitRadioGram))->isChecked());
        const std::size_t told = port->messages.size();
        Click(kUnitsOk);
        QCOMPARE(port->messages.size(), told);
        Click(kCmdCalc);
        QVERIFY(qobject_cast<QRadioButton*>(window->Control(kUnitRadioGram))->isChecked());
        ClickRow(kReactantList, 1);  // the row already highlighted
        QCOMPARE(UnitsCaption(), QStringLiteral("Unidades Cl2"));
        QVERIFY(qobject_cast<QRadioButton*>(window->Control(kUnitRadioGram))->isChecked());
        ChooseUnit(kReactantList, 1, kUnitRadioGram + 1);
        QCOMPARE(window->Model().Calculation().Unit(kReactants, 2), AmountUnit::Mole);
        QCOMPARE(window->Model().Calculation().Unit(kReactants, 1), AmountUnit::Gram);
        // A product given: the highlighted row is still the one the group changes.
        Click(kCmdReset);
        TypeAmount(1, 1, "10");
        Click(kCmdCalc);
        const int side = List(kProductList)->currentRow() >= 0 ? kProducts : kReactants;
        const QListWidget* list = List(side == kProducts ? kProductList : kReactantList);
        QVERIFY(list->currentRow() >= 0);
        QCOMPARE(UnitsCaption(), "Unidades " + list->currentItem()->text());
    }

    void theBalancedMarkAndTheEquationLineFollowTheEquation() {
        TypeAndEnter(kEquationLine, "H2+O2=H2O");
        Click(kCmdAdjust);
        for (auto [side, slot, text] : {std::tuple{0, 1, "2"}, {0, 2, "1"}, {1, 1, "2"}}) {
            Line(BoxId(side, slot))->setText(text);
        }
        Click(kCmdAdjust);  // "acepta"
        QCOMPARE(window->Model().State(), MainState::Ajustada);
        QVERIFY(window->Control(kBalancedIcon)->isVisible());
        TypeAndEnter(kProductLine, "H2O2");
        QVERIFY(!window->Control(kBalancedIcon)->isVisible());
        QCOMPARE(Line(kEquationLine)->text(), QStringLiteral("H2+O2=H2O+H2O2"));
        List(kProductList)->setCurrentRow(1);
        Click(kCmdMinus);
        QCOMPARE(Line(kEquationLine)->text(), QStringLiteral("H2+O2=H2O"));
        // Balanced by hand again, then a new equation typed: the mark goes with the old one.
        Click(kCmdAdjust);
        for (auto [side, slot, text] : {std::tuple{0, 1, "2"}, {0, 2, "1"}, {1, 1, "2"}}) {
            Line(BoxId(side, slot))->setText(text);
        }
        Click(kCmdAdjust);
        QVERIFY(window->Control(kBalancedIcon)->isVisible());
        TypeAndEnter(kEquationLine, "N2 + H2 = NH3");
        QVERIFY(!window->Control(kBalancedIcon)->isVisible());
        QCOMPARE(Line(kEquationLine)->text(), QStringLiteral("N2+H2=NH3"));
    }

    void decimalCommasAreNumbers() {
        StartCalculation("CaCO3=CaO+CO2");
        Line(kPurity)->setText("80,5");
        Click(kUnitsOk);
        TypeAmount(0, 1, "12,5");
        Click(kCmdCalc);
        QVERIFY(port->messages.empty());
        QVERIFY(window->Model().ResultsReady());
        QCOMPARE(window->Model().Calculation().Purity(1), 80.5);
        QCOMPARE(window->Model().Problem().data[kReactants][0].amount, 12.5);
        TypeAmount(0, 1, "12;5");
        Click(kCmdCalc);
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("Cantidad no válida para CaCO3: 12;5; use números como 1.04 o 1,04"));
    }

    void theProblemOpensBesideTheMainWindow() {
        StartCalculation("H2+O2=H2O");
        TypeAmount(0, 1, "4");
        Click(kCmdCalc);
        Click(kCmdProblem);
        ProblemWindow* problem = test::FindWindow<ProblemWindow>();
        QVERIFY(problem != nullptr);
        const QRect available = window->screen()->availableGeometry();
        const QRect main = window->frameGeometry();
        const QRect placed(problem->pos(), problem->size());
        if (available.width() >= main.width() + placed.width() + 8) {
            QVERIFY(!placed.intersects(main));  // beside, with both in sight
        } else {
            // A narrow screen: inside it, and over as little of the main window as it can be.
            QVERIFY(placed.left() >= available.left() &&
                    placed.right() <= std::max(available.right(), placed.width()));
            QCOMPARE(placed.left(), std::max(available.left(), available.right() - placed.width()));
        }
        problem->close();
    }

    void unitsGroupRules() {
        StartCalculation("Zn + HCl = ZnCl2 + H2");
        List(kProductList)->setCurrentRow(1);  // H2
        QCOMPARE(qobject_cast<QGroupBox*>(window->Control(kUnitsGroup))->title(),
                 QStringLiteral("Unidades H2"));
        QVERIFY(!window->Control(kUnitSolutionRadio)->isEnabled());  // reactants only
        QTest::mouseClick(window->Control(kUnitRadioGram + 3), Qt::LeftButton);
        QVERIFY(window->Control(kPressure)->isEnabled());
        QCOMPARE(Line(kPressure)->text(), QStringLiteral("1"));
        QCOMPARE(Line(kTemperature)->text(), QStringLiteral("20"));  // 293 K shown in °C
        Line(kPressure)->setText("");
        Click(kUnitsOk);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos no válidos"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("P de H2: ; use números como 1.04 o 1,04"));
        Line(kPressure)->setText("2");
        Line(kTemperature)->setText("300");
        qobject_cast<QComboBox*>(window->Control(kTemperatureUnit))->setCurrentIndex(1);
        Click(kUnitsOk);
        QCOMPARE(window->Model().Calculation().UnitText(kProducts, 2),
                 std::string("L a 2.00atm y 300K"));

        // A gas whose P and T are no longer valid cannot be left.
        Line(kPressure)->setText("0");
        Line(kPressure)->setFocus();
        QTest::keyClick(Line(kPressure), Qt::Key_Return);
        QVERIFY(!window->Model().Calculation().GasSet(kProducts, 2));
        QCOMPARE(test::LastMessage(*port).text, std::string("P de H2: 0; ha de ser mayor que 0"));
        List(kReactantList)->setCurrentRow(0);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Unidad no definida"));
        QCOMPARE(test::LastMessage(*port).text, std::string("H2: Hay que entrar P y T"));
        QCOMPARE(List(kProductList)->currentRow(), 1);
        QVERIFY(List(kReactantList)->selectedItems().isEmpty());
        Line(kPressure)->setText("1");
        List(kReactantList)->setCurrentRow(0);  // the fields are taken on the way
        QVERIFY(window->Model().Calculation().GasSet(kProducts, 2));

        List(kReactantList)->setCurrentRow(1);  // HCl
        QTest::mouseClick(window->Control(kUnitSolutionRadio), Qt::LeftButton);
        QVERIFY(window->Control(kMolarityField)->isEnabled());
        Line(kMolarityField)->setText("11");
        Click(kUnitsOk);
        const std::string refused = "M de HCl: 11; ha de ser mayor que 0 y menor que 11 mol/L";
        QCOMPARE(test::LastMessage(*port).text, refused);
        Line(kMolarityField)->setText("11");
        Line(kMolarityField)->setFocus();
        QTest::keyClick(Line(kMolarityField), Qt::Key_Return);  // Enter refuses it as "ok" does
        QCOMPARE(test::LastMessage(*port).text, refused);
        QCOMPARE(window->Model().Calculation().Molarity(2), 1.0);
        Line(kMolarityField)->setText("2,5");
        QTest::keyClick(Line(kMolarityField), Qt::Key_Return);
        QCOMPARE(window->Model().Calculation().Molarity(2), 2.5);

        List(kReactantList)->setCurrentRow(0);  // Zn, grams
        Line(kPurity)->setText("101");
        const auto before = port->messages.size();
        Click(kUnitsOk);
        QCOMPARE(port->messages.size(), before + 1);  // one message, naming what is wrong
        QCOMPARE(test::LastMessage(*port).caption, std::string("Valor fuera de rango"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("% de pureza de Zn: 101; ha de ser mayor que 0 y como mucho 100"));
        Line(BoxId(0, 1))->setText("abc");
        Click(kCmdCalc);
        QCOMPARE(test::LastMessage(*port).caption, std::string("Datos no válidos"));
        QVERIFY(!window->Model().ResultsReady());
    }

    void missingHelpDocumentsAreReported() {
        window->MenuAction(kMenuInfo)->trigger();
        QCOMPARE(test::LastMessage(*port).caption, std::string("No hallado"));
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("No se encuentra el fichero: Tovel.pdf"));
        port->answers = {kAnswerYes};
        window->MenuAction(kMenuDonation)->trigger();
        const auto& question = port->messages[port->messages.size() - 2];
        QCOMPARE(question.caption, std::string("DONACIÓN GRATIFICADA"));
        QCOMPARE(question.text, "\r\nCon un PACK AMPLIADO DE REACCIONES\r\n\r\n" +
                                    std::string(18, ' ') + "¿Ver más?");
        QCOMPARE(question.icon, MessageIcon::Information);
        QCOMPARE(test::LastMessage(*port).text,
                 std::string("No se encuentra el fichero: DonaciónGratificada.htm"));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::PrincipalDialogTest)
#include "principal_dialog_test.moc"
