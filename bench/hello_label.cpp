// The yardstick for tovel's start-up: a Qt program that shows one label, the least a window can
// do. bench/startup_under_x compares the time both take to map their window.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("TOVEL yardstick"));
    label.setWindowTitle(QStringLiteral("yardstick"));
    label.show();
    return app.exec();
}
