// tovel: starts in the current folder, where its data files are, and runs the main window.

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <cstdlib>

#include "element_windows.h"
#include "elements_file.h"
#include "file_helpers.h"
#include "principal_dialog.h"
#include "program.h"
#include "qt_user_port.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tovel");
    QApplication::setFont(QFont("DejaVu Sans", 9));
    tovel::RememberStartDirectory();
    std::srand(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));

    tovel::ElementTable table;
    tovel::LoadElements(table);  // a missing table is not reported here: formulas will ask
    tovel::QtUserPort port;
    port.elementEditor = [&port](tovel::ElementTable& t) { tovel::RunElementEditor(t, port); };
    tovel::PrincipalDialog dialog(table, port);
    dialog.show();
    dialog.exec();
    return 0;
}
