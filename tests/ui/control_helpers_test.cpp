// The control conventions on real Qt controls.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include "app/choice_dialog.h"
#include "ui/control_helpers.h"

namespace tovel {

class ControlHelpersTest : public QObject {
    Q_OBJECT

  private slots:
    void listPositionsAreOneBased() {
        QListWidget list;
        FillList(list, "uno;dos;;tres;");
        QCOMPARE(list.count(), 3);
        SetListSelection(list, 2);
        QCOMPARE(ListSelection(list), 2);
        QCOMPARE(list.currentItem()->text(), QStringLiteral("dos"));
        SetListSelection(list, 0);
        QCOMPARE(ListSelection(list), 0);
        QVERIFY(list.selectedItems().isEmpty());
        FillList(list, "a;b", true);
        QCOMPARE(list.item(1)->text(), QStringLiteral("[2] b"));
        ReplaceListItem(list, 1, "x");
        ReplaceListItem(list, 9, "y");
        QCOMPARE(list.item(0)->text(), QStringLiteral("x"));
        QCOMPARE(list.count(), 3);
    }

    void deletingTheLastItemSelectsTheNewLast() {
        QListWidget list;
        FillList(list, "a;b;c");
        SetListSelection(list, 3);
        DeleteSelectedListItem(list);
        QCOMPARE(list.count(), 2);
        QCOMPARE(ListSelection(list), 2);
        SetListSelection(list, 1);
        DeleteSelectedListItem(list);
        QCOMPARE(list.currentItem()->text(), QStringLiteral("b"));
    }

    void combosFillFromItemLists() {
        QComboBox combo;
        FillCombo(combo, "atm;kPa");
        QCOMPARE(combo.count(), 2);
        FillCombo(combo, "°C;;°K;");
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(1), QStringLiteral("°K"));
        SetComboSelection(combo, 2);
        QCOMPARE(ComboSelection(combo), 2);
    }

    void numbersFromEdits() {
        QLineEdit edit;
        int error = -1;
        QCOMPARE(ReadReal(edit, error), 0.0);
        QCOMPARE(error, 0);
        edit.setText("abc");
        ReadReal(edit, error);
        QCOMPARE(error, 1);
        edit.setText(" 12 ");
        QCOMPARE(ReadInteger(edit, error), 12LL);
        QCOMPARE(error, 0);
    }

    void radioPositionAndAppendedLines() {
        QRadioButton a("a"), b("b"), c("c");
        QCOMPARE(CheckedPosition({&a, &b, &c}), 0);
        b.setChecked(true);
        QCOMPARE(CheckedPosition({&a, &b, &c}), 2);
        QPlainTextEdit text;
        AppendLine(text, "uno");
        AppendLine(text, "dos");
        QCOMPARE(text.toPlainText(), QStringLiteral("uno\ndos"));
    }

    void choiceDialogResults() {
        ChoiceDialog dialog("Elegir", {"primera", "segunda"});
        QTimer::singleShot(0, [&] { dialog.Command(102); });
        QCOMPARE(dialog.exec(), 2);
        QTimer::singleShot(0, [&] {
            dialog.Command(150);  // ignored
            dialog.Command(0);
        });
        QCOMPARE(dialog.exec(), 3);
        QTimer::singleShot(0, [&] { dialog.Command(2); });
        QCOMPARE(dialog.exec(), 0);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::ControlHelpersTest)
#include "control_helpers_test.moc"
