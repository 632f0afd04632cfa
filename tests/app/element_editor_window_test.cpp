// The element editor window driven by clicks and typing, on a small table in a folder of its own.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/element_windows.h"
#include "core/elements_file.h"
#include "tests/support/test_support.h"

namespace tovel {

class ElementEditorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QDir::setCurrent(QString::fromStdString(test::TempDir()));
        ElementTable stored;
        stored.Add(MakeElementRecord(8, "O", 15.999, "Oxigeno"));
        stored.Add(MakeElementRecord(1, "H", 1.008, "Hidrogeno"));
        stored.Add(MakeElementRecord(26, "Fe", 55.845, "Hierro"));
        QVERIFY(SaveElements(stored));
    }

    // An element that formulas cannot use is refused field by field, and what was typed stays
    // to be corrected; the element is stored once every field is right.
    void refusesAnElementNothingCanUse() {
        ElementTable table;
        test::FakeUserPort port;
        auto* editor = new ElementEditorDialog(table, port);
        editor->show();
        QApplication::setActiveWindow(editor);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        auto field = [&](int id) { return qobject_cast<QLineEdit*>(editor->Control(id)); };
        auto type = [&](int id, const char* text) {
            QTest::mouseClick(field(id), Qt::LeftButton);
            field(id)->selectAll();
            QTest::keyClicks(field(id), text);
        };
        auto accept = [&] {
            QTest::mouseClick(editor->Control(ElementEditorDialog::kAccept), Qt::LeftButton);
        };
        auto* list = qobject_cast<QListWidget*>(editor->Control(ElementEditorDialog::kList));
        QCOMPARE(list->count(), 3);

        type(ElementEditorDialog::kName, "Inventado");
        type(ElementEditorDialog::kSymbol, "qn");
        accept();
        QCOMPARE(port.messages.size(), std::size_t{1});
        QCOMPARE(test::LastMessage(port).caption, std::string("Datos no válidos"));
        QCOMPARE(test::LastMessage(port).text,
                 std::string("El símbolo (Smb) \"qn\" no vale: escriba una letra mayúscula, o una "
                             "mayúscula y una minúscula, como O o Fe"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(field(ElementEditorDialog::kName)->text(), QStringLiteral("Inventado"));
        QCOMPARE(field(ElementEditorDialog::kSymbol)->text(), QStringLiteral("qn"));

        type(ElementEditorDialog::kSymbol, "Qn");
        accept();
        QCOMPARE(test::LastMessage(port).text,
                 std::string("Falta la masa atómica (MA): debe ser un número de 0.001 a 1000, como "
                             "55.845 o 55,845"));
        type(ElementEditorDialog::kMass, "1,04");
        accept();
        QCOMPARE(
            test::LastMessage(port).text,
            std::string(
                "Falta el número atómico (Z): escriba un número entero de 1 a 65535, como 26"));
        type(ElementEditorDialog::kNumber, "0");
        accept();
        QCOMPARE(test::LastMessage(port).text,
                 std::string("El número atómico (Z) \"0\" no vale: escriba un número entero de 1 a "
                             "65535, como 26"));
        QCOMPARE(port.messages.size(), std::size_t{4});
        QCOMPARE(list->count(), 3);
        QCOMPARE(table.Count(), std::size_t{3});

        type(ElementEditorDialog::kNumber, "120");
        accept();
        QCOMPARE(port.messages.size(), std::size_t{4});
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(3)->text(), QStringLiteral("Qn  Inventado  120"));
        QCOMPARE(field(ElementEditorDialog::kSymbol)->text(), QString());  // ready for the next one
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(field(ElementEditorDialog::kName)));

        // The mass typed with a comma is shown back as the number it is.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(3)).center());
        QCOMPARE(field(ElementEditorDialog::kMass)->text(), QStringLiteral("1.040"));
        QCOMPARE(field(ElementEditorDialog::kNumber)->text(), QStringLiteral("120"));

        QTest::mouseClick(editor->Control(ElementEditorDialog::kOk), Qt::LeftButton);
        QTRY_VERIFY(ElementEditorDialog::Current() == nullptr);
        ElementTable saved;
        QVERIFY(LoadElements(saved));
        const ElementRecord* invented = saved.FindSymbol("Qn");
        QVERIFY(invented != nullptr);
        QCOMPARE(invented->atomicMass, 1.04);
        QCOMPARE(invented->atomicNumber, std::uint16_t{120});
    }

    // At start a repeated element opens the editor on the record in use: the file is read
    // again and tells both records, the element is shown and its mass is where the cursor is.
    void opensOnARepeatedElement() {
        std::string bytes = EncodeElementRecord(MakeElementRecord(1, "H", 100, "Falso"));
        bytes += EncodeElementRecord(MakeElementRecord(1, "H", 1.008, "Hidrogeno"));
        test::WriteBytes(kElementsFileName, bytes);
        ElementTable table;
        test::FakeUserPort port;
        QTimer::singleShot(0, [&] {
            ElementEditorDialog* editor = ElementEditorDialog::Current();
            QVERIFY(editor != nullptr);
            QVERIFY(QTest::qWaitForWindowActive(editor));
            auto field = [&](int id) { return qobject_cast<QLineEdit*>(editor->Control(id)); };
            QCOMPARE(field(ElementEditorDialog::kSymbol)->text(), QStringLiteral("H"));
            QCOMPARE(field(ElementEditorDialog::kMass)->text(), QStringLiteral("100.000"));
            QCOMPARE(editor->focusWidget(), editor->Control(ElementEditorDialog::kMass));
            field(ElementEditorDialog::kMass)->selectAll();
            QTest::keyClicks(field(ElementEditorDialog::kMass), "1.008");
            QTest::mouseClick(editor->Control(ElementEditorDialog::kAccept), Qt::LeftButton);
            port.answers = {kAnswerYes};  // the second record is left out of the file
            QTest::mouseClick(editor->Control(ElementEditorDialog::kOk), Qt::LeftButton);
        });
        RunElementEditor(table, port, "H");
        QVERIFY(!port.messages.empty());
        QVERIFY(port.messages.front().text.find("registro 2 (H, 1.008): número atómico 1 "
                                                "repetido, ya en el registro 1 (H, 100.000)") !=
                std::string::npos);
        ElementTable saved;
        const LoadElementsResult reread = LoadElements(saved);
        QVERIFY(reread.repeated.empty());
        QCOMPARE(saved.FindSymbol("H")->atomicMass, 1.008);
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::ElementEditorWindowTest)
#include "element_editor_window_test.moc"
