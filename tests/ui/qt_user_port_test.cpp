// The Qt side of the user port as the user meets it: message boxes that show their whole caption
// and answer Enter and Esc cautiously, and file choosers in Spanish.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/qt_user_port.h"
#include "ui/translations.h"

namespace tovel {

class QtUserPortTest : public QObject {
    Q_OBJECT

    // Runs what the user does in the modal window that the port is about to open.
    static void WhenShown(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal != nullptr);
            act(modal);
        });
    }

  private slots:
    void initTestCase() { QVERIFY(InstallSpanishQtTexts(*QCoreApplication::instance())); }

    void boxesAreWideEnoughForTheirCaption() {
        for (const char* caption :
             {"Demasiadas substancias", "No se puede ajustar", "Fórmula incorrecta     ",
              "Reacción o no viable o inexistente"}) {
            int width = 0;
            int needed = 0;
            WhenShown([&](QWidget* box) {
                QFont bold = box->font();
                bold.setBold(true);
                needed = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(caption).trimmed());
                width = box->width();
                QTest::keyClick(box, Qt::Key_Return);
            });
            QtUserPort port;
            QCOMPARE(port.ShowMessage(Message{caption, "2", MessageIcon::Exclamation}),
                     int(kAnswerOk));
            QVERIFY2(width >= needed + 100, caption);
        }
    }

    void enterGivesTheDefaultAnswerAndEscTheCautiousOne() {
        QtUserPort port;
        Message question{"Confirmar", "¿Salir del programa?", MessageIcon::Question,
                         MessageButtons::YesNo, kAnswerNo};
        WhenShown([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(port.ShowMessage(question), int(kAnswerNo));
        question.defaultAnswer = kAnswerYes;
        WhenShown([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(port.ShowMessage(question), int(kAnswerYes));
        WhenShown([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(port.ShowMessage(question), int(kAnswerNo));
        question.buttons = MessageButtons::YesNoCancel;
        WhenShown([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(port.ShowMessage(question), int(kAnswerCancel));
    }

    void fileChoosersSpeakSpanish() {
        QStringList buttons;
        QStringList types;
        WhenShown([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
                for (auto* button : box->buttons())
                    buttons << button->text().remove('&');
            }
            for (auto* combo : dialog->findChildren<QComboBox*>()) {
                for (int i = 0; i < combo->count(); ++i)
                    types << combo->itemText(i);
            }
            dialog->reject();
        });
        QtUserPort port;
        std::string path;
        QVERIFY(!port.ChooseFile(FileChooserMode::Save, path));
        QVERIFY2(buttons.contains("Guardar") && buttons.contains("Cancelar"),
                 qPrintable(buttons.join(", ")));
        QVERIFY(types.contains("Ficheros de texto (*.txt)"));
        QVERIFY(types.contains("Todos los ficheros (*)"));

        // A sheet for Moodle is offered as what it is, not as text.
        types.clear();
        WhenShown([&](QWidget* modal) {
            for (auto* combo : modal->findChildren<QComboBox*>()) {
                for (int i = 0; i < combo->count(); ++i)
                    types << combo->itemText(i);
            }
            qobject_cast<QDialog*>(modal)->reject();
        });
        path = "hoja42.xml";
        QVERIFY(!port.ChooseFile(FileChooserMode::Save, path));
        QVERIFY(types.contains("Preguntas para Moodle (*.xml)"));
        QVERIFY(!types.contains("Ficheros de texto (*.txt)"));
    }

    // What the chooser's list shows of each file: its kind and its date, in Spanish whatever the
    // language the desktop runs in.
    void kindsAndDatesAreSpanishToo() {
        QFileIconProvider icons;
        QCOMPARE(icons.type(QFileInfo(QDir::tempPath())), QStringLiteral("Carpeta"));
        QCOMPARE(QLocale().language(), QLocale::Spanish);
        const QDate date(2026, 12, 9);
        QCOMPARE(QLocale().toString(date, QStringLiteral("d MMMM yyyy")),
                 QStringLiteral("9 diciembre 2026"));
        QCOMPARE(QLocale().toString(date, QLocale::ShortFormat), QStringLiteral("9/12/26"));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::QtUserPortTest)
#include "qt_user_port_test.moc"
