// Start-up time of the main window: from the start of the process (and from the start of main)
// to the first painted main window, as tovel's own main does it, under the offscreen platform.
// usage: tovel_startup_bench [RUNS]   (runs itself RUNS times, 5 by default, and prints each)

#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/principal_dialog.h"
#include "core/elements_file.h"
#include "ui/qt_user_port.h"

namespace {

// Milliseconds since this process started, from the kernel's records (10 ms resolution).
double MillisecondsSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    return uptime * 1000.0 - startTicks * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

int MeasureOnce(int argc, char** argv) {
    const auto mainStart = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));
    tovel::ElementTable table;
    tovel::LoadElements(table);
    tovel::QtUserPort port;
    tovel::PrincipalDialog dialog(table, port);
    dialog.show();
    const QPixmap painted = dialog.grab();  // forces the first complete paint
    const double fromMain =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainStart)
            .count();
    std::printf("%.1f %.1f\n", MillisecondsSinceProcessStart(), fromMain);
    return painted.isNull() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--once") return MeasureOnce(argc, argv);
    QCoreApplication parent(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("start-up to a painted main window (ms): from process start, from main\n");
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QString::fromLocal8Bit(argv[0]), {"--once"});
        child.waitForFinished(30000);
        std::printf("%s", child.readAllStandardOutput().constData());
    }
    return 0;
}
