// tovel: runs the main window in the current folder, where its data files are; with --user-data
// it first moves to the user's data folder, seeded with the default data it lacks (how the
// desktop menu and the run script start it).

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/element_windows.h"
#include "app/principal_dialog.h"
#include "app/program.h"
#include "core/elements_file.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/safe_file.h"
#include "core/system_error.h"
#include "system/file_helpers.h"
#include "system/user_data.h"
#include "ui/qt_user_port.h"
#include "ui/translations.h"

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so that they need no display.
    const tovel::StartOptions early = tovel::ReadStartOptions({argv + 1, argv + argc});
    if (early.request == tovel::StartRequest::Help) {
        std::cout << tovel::TovelUsage();
        return 0;
    }
    if (early.request == tovel::StartRequest::Version) {
        std::cout << tovel::TovelVersionLine();
        return 0;
    }
    tovel::UseSpanishDates();
    QApplication app(argc, argv);
    // The toolkit has taken its own options out; what is left must be tovel's.
    std::vector<std::string> rest;
    for (const QString& arg : QApplication::arguments().mid(1))
        rest.push_back(arg.toStdString());
    const tovel::StartOptions options = tovel::ReadStartOptions(rest);
    if (options.request == tovel::StartRequest::Unknown) {
        std::cerr << "tovel: unknown option " << options.unknown << "\n" << tovel::TovelUsage();
        return 2;
    }
    QApplication::setApplicationName("tovel");
    QApplication::setFont(QFont("DejaVu Sans", 9));
    tovel::InstallSpanishQtTexts(app);
    if (options.userData) {
        const std::string folder = tovel::UserDataFolder();
        const std::string error = tovel::SeedDataFolder(folder, tovel::DefaultDataFolder());
        std::error_code ec;
        if (error.empty()) std::filesystem::current_path(folder, ec);
        if (!error.empty() || ec) {
            QMessageBox::warning(
                nullptr, "tovel",
                QString::fromStdString(error.empty() ? "No se puede entrar en " + folder + ": " +
                                                           tovel::SystemErrorText(ec.value())
                                                     : error));
        }
    }
    // A save that reaches the file-size limit fails and is reported, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Saves and sorts killed half-way left their temporary files beside the data files. Those
    // of the last minute are spared: a large library may still be sorting for another window.
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {".", "Zq"})
        tovel::RemoveStaleTemporaryFiles(folder, now - 60);
    tovel::RememberStartDirectory();
    // One language for every window of the run; nothing changes it afterwards.
    tovel::SetLanguageIndex(tovel::Language::Spanish);

    tovel::ElementTable table;
    // A missing table is not reported here (formulas will ask); a damaged one is.
    const tovel::LoadElementsResult loaded = tovel::LoadElements(table);
    tovel::QtUserPort port;
    port.elementEditor = [&port](tovel::ElementTable& t, const std::string& symbol) {
        tovel::RunElementEditor(t, port, symbol);
    };
    tovel::PrincipalDialog dialog(table, port);
    dialog.show();
    if (!loaded.repeatedSymbol.empty()) {
        // A repeated element may make every calculation use the wrong mass: the editor opens
        // on it, and reading the file there tells what it found.
        port.OpenElementEditor(table, loaded.repeatedSymbol);
    } else if (const std::string report = tovel::LoadElementsReport(loaded); !report.empty()) {
        tovel::NoticeWith(port, "elements.dat", report, tovel::MessageIcon::Exclamation);
    }
    dialog.exec();
    return 0;
}
