// Controls built through a registry: named and kept by id, and command buttons that dispatch
// their id and that Enter does not press.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <vector>

#include "ui/control_registry.h"

namespace tovel {

class ControlRegistryTest : public QObject {
    Q_OBJECT

  private slots:
    void keptWidgetsAreNamedAndFoundById() {
        QCOMPARE(ControlName(42), QStringLiteral("id42"));
        QDialog window;
        ControlRegistry controls;
        QLineEdit* edit = controls.Keep(120, new QLineEdit(&window));
        QWidget* other = controls.Keep(7, new QWidget(&window));
        QCOMPARE(edit->objectName(), QStringLiteral("id120"));
        QCOMPARE(controls.Control(120), edit);
        QCOMPARE(controls.Control(7), other);
        QCOMPARE(controls.Control(121), nullptr);
        // Found by name as the window tests find them.
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("id120")), edit);
        QCOMPARE(controls.Controls().keys(), QList<int>({7, 120}));
    }

    void buttonsDispatchTheirIdWhenClicked() {
        std::vector<int> dispatched;
        QDialog window;
        ControlRegistry controls([&](int id) { dispatched.push_back(id); });
        QPushButton* save = controls.Button(201, QStringLiteral("&Guardar"), &window);
        QPushButton* copy = controls.Button(202, QStringLiteral("&Copiar"), &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(save);
        layout->addWidget(copy);
        window.show();
        QCOMPARE(save->text(), QStringLiteral("&Guardar"));
        QCOMPARE(save->parentWidget(), &window);
        QCOMPARE(save->objectName(), QStringLiteral("id201"));
        QCOMPARE(controls.Control(202), copy);
        QTest::mouseClick(copy, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(dispatched, std::vector<int>({202, 201}));
    }

    void enterInAFieldPressesNoButton() {
        std::vector<int> dispatched;
        QDialog window;
        ControlRegistry controls([&](int id) { dispatched.push_back(id); });
        auto* edit = new QLineEdit(&window);
        QPushButton* button = controls.Button(3, QStringLiteral("Ok"), &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(button);
        // A dialog shown makes its first auto-default button the Enter default.
        window.show();
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(dispatched.empty());
    }

    void buttonsKeepTheDispatchTheyWereMadeWith() {
        std::vector<int> dispatched;
        std::vector<int> elsewhere;
        QDialog window;
        ControlRegistry controls([&](int id) { dispatched.push_back(id); });
        QPushButton* button = controls.Button(5, QStringLiteral("x"), &window);
        // Windows hand their registry on by value; the buttons must not reach back into it.
        const ControlRegistry copy = controls;
        controls = ControlRegistry([&](int id) { elsewhere.push_back(id); });
        QCOMPARE(copy.Control(5), button);
        QCOMPARE(controls.Control(5), nullptr);
        window.show();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(dispatched, std::vector<int>({5}));
        QVERIFY(elsewhere.empty());
        // A registry without a dispatch function makes buttons that do nothing.
        ControlRegistry().Button(7, QStringLiteral("z"), &window)->click();
        QCOMPARE(dispatched, std::vector<int>({5}));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::ControlRegistryTest)
#include "control_registry_test.moc"
