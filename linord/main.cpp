// Linord: sorts a text file in place by blocks of N lines, keeping a backup of the unsorted
// text. "Linord FILE N" sorts unattended and ends; without a command line a small window asks
// for the file and N. With LINORD_QUIET set in the environment, or without a display to show a
// box on, its message boxes are written to standard output instead, so that scripts and tests are
// never held by a box.

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "linord/line_sorter.h"

namespace {

int g_argc = 0;
char** g_argv = nullptr;

constexpr const char* kUsage = "Usage: Linord FILE N  (N: lines per block, a whole number from 1)";

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Where a box cannot be seen, or could never be answered, it is written instead: without an X or
// Wayland display (a box would end the program with the toolkit's error), and on the platforms that
// draw nowhere.
bool BoxesAreWritten() {
    if (std::getenv("LINORD_QUIET")) return true;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && (std::strncmp(platform, "offscreen", 9) == 0 ||
                     std::strncmp(platform, "minimal", 7) == 0)) {
        return true;
    }
    return !Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !(platform && *platform);
}

void Box(const QString& title, const QString& text) {
    if (BoxesAreWritten()) {
        std::printf("%s: %s\n", title.toLocal8Bit().constData(),
                    QString(text).replace("\r\n", " ").toLocal8Bit().constData());
        return;
    }
    // Unattended runs need the windowing system only for this box.
    if (!QApplication::instance()) new QApplication(g_argc, g_argv);
    QMessageBox::information(nullptr, title, text);
}

// Sorts one file and tells the outcome.
int Ord(const std::string& file, std::size_t n) {
    if (file.empty()) return 0;
    const linord::SortOutcome outcome = linord::SortFile(file, n);
    switch (outcome.kind) {
        case linord::SortOutcome::NotFound:
            Box("Not found", QString::fromLocal8Bit(file.c_str()));
            return 1;
        case linord::SortOutcome::Failed:
            Box("Linord", QString::fromLocal8Bit(outcome.message.c_str()));
            return 1;
        case linord::SortOutcome::Sorted:
            Box("Sorted", QString::fromLocal8Bit(file.c_str()) +
                              "\r\nback: " + QString::fromLocal8Bit(outcome.backup.c_str()));
            return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    g_argc = argc;
    g_argv = argv;
    // A write beyond the file-size limit then fails with EFBIG, which is reported and leaves the
    // file as it was, instead of ending the program half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    linord::RemoveTemporariesOnSignals();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    if (commandLine == "--help" || commandLine == "-h") {
        std::printf("%s\nWithout arguments a window asks for the file and N.\n", kUsage);
        return 0;
    }
    if (commandLine == "--version") {
        std::printf("Linord %s\n", TOVEL_VERSION);
        return 0;
    }
    if (!commandLine.empty()) {
        std::string file;
        std::size_t n = 0;
        if (!linord::SplitCommandLine(commandLine, file, n)) {
            Box("Linord", kUsage);
            return 2;
        }
        return Ord(file, n);
    }

    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) {
        std::printf("Linord: no display to show the window on.\n%s\n", kUsage);
        return 2;
    }
    QApplication app(argc, argv);
    QWidget form;
    form.setObjectName("Form1");
    form.setWindowTitle("Sorting Text");
    auto* layout = new QGridLayout(&form);
    auto* fileName = new QLineEdit(&form);
    fileName->setObjectName("IdF");
    auto* lines = new QComboBox(&form);
    lines->setObjectName("LstN");
    for (int i = 1; i <= 9; ++i)
        lines->addItem(QString::number(i));
    lines->setCurrentIndex(0);
    auto* ok = new QPushButton("OK", &form);
    ok->setObjectName("BtOk");
    layout->addWidget(new QLabel("File", &form), 0, 0);
    layout->addWidget(fileName, 0, 1);
    layout->addWidget(new QLabel("N lines paragraf", &form), 1, 0);
    layout->addWidget(lines, 1, 1);
    layout->addWidget(ok, 2, 1);
    QObject::connect(ok, &QPushButton::clicked, [&] {
        Ord(fileName->text().toLocal8Bit().toStdString(),
            static_cast<std::size_t>(lines->currentText().toInt()));
    });
    form.resize(360, 120);
    form.show();
    return app.exec();
}
