// Writes PNG grabs of the main window in each state into the folder given as argument, from
// the program itself, so that what a user sees can be looked at.
// usage: tovel_screenshots OUTPUT_DIR   (run where elements.dat is, e.g. with
// QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <iostream>

#include "app/compounds_window.h"
#include "app/element_windows.h"
#include "app/formulas_window.h"
#include "app/formulation_window.h"
#include "app/ion_electron_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "app/program.h"
#include "app/sheet_window.h"
#include "core/elements_file.h"
#include "exercises/concentration_window.h"
#include "exercises/library_window.h"
#include "exercises/problem_window.h"
#include "tests/support/test_support.h"
#include "tests/support/window_finder.h"
#include "ui/about_window.h"
#include "ui/text_report_window.h"
#include "ui/tools_dialog.h"

namespace {

void Save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + ".png");
    window.grab().save(path);
    std::cout << path.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));
    if (argc < 2) {
        std::cerr << "usage: tovel_screenshots OUTPUT_DIR\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    tovel::ElementTable table = tovel::test::DefaultElements();
    tovel::test::FakeUserPort port;
    tovel::PrincipalDialog window(table, port);
    window.show();
    Save(window, folder, "main-start");

    auto* equation = static_cast<QLineEdit*>(window.Control(tovel::kEquationLine));
    equation->setText("KMnO4 + HCl = KCl + MnCl2 + Cl2 + H2O");
    window.Dispatch(tovel::kCmdEquationOk);
    Save(window, folder, "main-editant");
    window.Dispatch(tovel::kMenuExplainBalance);
    if (auto* explanation = tovel::test::FindWindow<tovel::TextReportWindow>()) {
        Save(*explanation, folder, "explanation-window");
        explanation->close();
    }
    window.Dispatch(tovel::kCmdAutoAdjust);
    Save(window, folder, "main-ajustada");
    window.Dispatch(tovel::kFontSize10);
    Save(window, folder, "main-ajustada-size10");
    window.Dispatch(tovel::kFontSize12);
    window.Dispatch(tovel::kMenuOxidationNumbers);
    Save(window, folder, "main-oxidation");
    window.Dispatch(tovel::kFontSize10);
    Save(window, folder, "main-oxidation-size10");
    window.Dispatch(tovel::kFontSize12);
    window.Dispatch(tovel::kMenuRedox);
    if (auto* redox = tovel::test::FindWindow<tovel::TextReportWindow>()) {
        Save(*redox, folder, "redox-window");
        redox->close();
    }
    window.Dispatch(tovel::kMenuOxidationNumbers);

    // The ion-electron method, on a molecular equation in acid medium and an ionic one in basic
    // medium, at both font sizes.
    window.Dispatch(tovel::kCmdNew);
    equation->setText("KMnO4 + FeSO4 + H2SO4 = MnSO4 + Fe2(SO4)3 + K2SO4 + H2O");
    window.Dispatch(tovel::kCmdEquationOk);
    window.Dispatch(tovel::kMenuIonElectron);
    if (auto* ionElectron = tovel::test::FindWindow<tovel::IonElectronWindow>()) {
        Save(*ionElectron, folder, "ion-electron-acid");
        window.Dispatch(tovel::kFontSize10);
        Save(*ionElectron, folder, "ion-electron-acid-size10");
        window.Dispatch(tovel::kFontSize12);
        ionElectron->Show("MnO4^- + SO3^2- = MnO2 + SO4^2-");
        static_cast<QComboBox*>(ionElectron->Control(tovel::IonElectronWindow::kMedium))
            ->setCurrentIndex(1);
        Save(*ionElectron, folder, "ion-electron-basic");
        window.Dispatch(tovel::kFontSize10);
        Save(*ionElectron, folder, "ion-electron-basic-size10");
        window.Dispatch(tovel::kFontSize12);
        ionElectron->close();
    }

    window.Dispatch(tovel::kMenuFormulation);
    if (auto* formulation = tovel::test::FindWindow<tovel::FormulationWindow>()) {
        auto* query =
            static_cast<QLineEdit*>(formulation->Control(tovel::FormulationWindow::kQuery));
        query->setText("Fe2(SO4)3");
        formulation->Dispatch(tovel::FormulationWindow::kLookUp);
        formulation->Dispatch(tovel::FormulationWindow::kNext);
        Save(*formulation, folder, "formulation-window");
        formulation->close();
    }

    window.Dispatch(tovel::kMenuFormulas);
    if (auto* formulas = tovel::test::FindWindow<tovel::FormulasWindow>()) {
        using F = tovel::FormulasWindow;
        const auto type = [&](int id, const char* text) {
            static_cast<QLineEdit*>(formulas->Control(id))->setText(QString::fromUtf8(text));
        };
        type(F::kFormula, "CuSO4·5H2O");
        formulas->Dispatch(F::kFirstCalculate);
        Save(*formulas, folder, "formulas-composition");
        static_cast<QTabWidget*>(formulas->Control(F::kTabs))->setCurrentIndex(1);
        const char* data[][2] = {{"C", "40.0"}, {"H", "6.7"}, {"O", "53.3"}};
        for (int row = 0; row < 3; ++row) {
            type(F::kFirstSymbol + row, data[row][0]);
            type(F::kFirstValue + row, data[row][1]);
        }
        type(F::kMolarMass, "180");
        formulas->Dispatch(F::kFirstCalculate + 1);
        Save(*formulas, folder, "formulas-empirical");
        formulas->close();
    }

    window.Dispatch(tovel::kCmdNew);
    Save(window, folder, "main-inicial");
    static_cast<QLineEdit*>(window.Control(tovel::kReactantLine))->setText("Ca3(PO4)2+SiO2+C");
    window.Dispatch(tovel::kCmdEnterReactants);
    static_cast<QLineEdit*>(window.Control(tovel::kProductLine))->setText("CaSiO3+P4+CO");
    window.Dispatch(tovel::kCmdEnterProducts);
    window.Model().SelectSlot(tovel::kReactants, 2);
    window.Dispatch(tovel::kFontSize12);
    Save(window, folder, "main-by-side");
    window.Dispatch(tovel::kCmdAutoAdjust);
    Save(window, folder, "main-by-side-balanced");

    window.Dispatch(tovel::kCmdNew);
    equation->setText("Fe2O3 + CO = Fe + CO2");
    window.Dispatch(tovel::kCmdEquationOk);
    window.Dispatch(tovel::kCmdAdjust);
    Save(window, folder, "main-ajustant-boxes");
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(0, 2)))->setText("3");
    window.Dispatch(tovel::kCmdAdjust);  // the other boxes become 1: "No ajustada"
    Save(window, folder, "main-ajustant-no-ajustada");
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(1, 1)))->setText("2");
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(1, 2)))->setText("3");
    window.Dispatch(tovel::kCmdAdjust);
    Save(window, folder, "main-ajustada-by-hand");

    window.Dispatch(tovel::kCmdNew);
    equation->setText("CaCO3 + HCl = CaCl2 + H2O + CO2");
    window.Dispatch(tovel::kCmdEquationOk);
    window.Dispatch(tovel::kCmdAutoAdjust);
    window.Dispatch(tovel::kCmdAdjust);  // "Cálculos"
    Save(window, folder, "main-calculant");
    static_cast<QLineEdit*>(window.Control(tovel::kPurity))->setText("80");
    window.Dispatch(tovel::kUnitsOk);
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(0, 1)))->setText("50");
    window.Model().SelectSlot(tovel::kReactants, 2);
    window.Dispatch(tovel::kUnitSolutionRadio);
    static_cast<QLineEdit*>(window.Control(tovel::kMolarityField))->setText("2");
    window.Dispatch(tovel::kUnitsOk);
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(0, 2)))->setText("100");
    window.Model().SelectSlot(tovel::kProducts, 3);
    window.Dispatch(tovel::kUnitRadioGram + 3);
    static_cast<QLineEdit*>(window.Control(tovel::kPressure))->setText("101.3");
    static_cast<QComboBox*>(window.Control(tovel::kPressureUnit))->setCurrentIndex(1);
    static_cast<QLineEdit*>(window.Control(tovel::kTemperature))->setText("25");
    window.Dispatch(tovel::kUnitsOk);
    window.Dispatch(tovel::kCmdCalc);
    Save(window, folder, "main-calculant-results");
    window.Dispatch(tovel::kCmdProblem);
    if (auto* problem = tovel::test::FindWindow<tovel::ProblemWindow>()) {
        Save(*problem, folder, "problem-window");
        problem->close();
    }
    // The same calculation with what was really obtained of CaCl2: the yield comes out.
    window.Model().SetYieldFromObtained(true);
    static_cast<QLineEdit*>(window.Control(tovel::BoxId(1, 1)))->setText("9");
    window.Dispatch(tovel::kCmdCalc);
    Save(window, folder, "main-yield");

    window.Dispatch(tovel::kMenuSheet);
    if (auto* sheet = tovel::test::FindWindow<tovel::SheetWindow>()) {
        Save(*sheet, folder, "sheet-window");
        sheet->close();
    }

    window.Dispatch(tovel::kMenuConcentrations);
    if (auto* conc = tovel::test::FindWindow<tovel::ConcentrationWindow>()) {
        conc->Compounds()->lineEdit()->setText("NaCl");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(conc, &enter);
        auto* molarity =
            static_cast<QLineEdit*>(conc->Control(tovel::ConcentrationWindow::kFirstConcentration));
        molarity->setText("1");
        emit molarity->textEdited("1");
        static_cast<QLineEdit*>(conc->Control(tovel::ConcentrationWindow::kDensity))
            ->setText("1.04");
        conc->Dispatch(tovel::ConcentrationWindow::kCalc);
        Save(*conc, folder, "concentration-window");
    }

    window.Dispatch(tovel::kCmdImport);
    if (auto* library = tovel::test::FindWindow<tovel::LibraryWindow>())
        Save(*library, folder, "library-browse");
    window.Dispatch(tovel::kCmdNew);
    equation->setText("CaC2 + H2O = Ca(OH)2 + C2H2");
    window.Dispatch(tovel::kCmdEquationOk);
    window.Dispatch(tovel::kCmdAutoAdjust);
    window.Dispatch(tovel::kCmdSaveReaction);
    if (auto* library = tovel::test::FindWindow<tovel::LibraryWindow>()) {
        Save(*library, folder, "library-save-mode");
        library->close();
    }

    window.Dispatch(tovel::kMenuCompounds);
    if (auto* compounds = tovel::test::FindWindow<tovel::CompoundsWindow>()) {
        compounds->Model().SelectSlot(3, 2);
        compounds->Dispatch(tovel::CompoundsWindow::kEdit);
        Save(*compounds, folder, "compounds-window");
        compounds->close();
    }
    window.Dispatch(tovel::kMenuToolsEditor);
    if (auto* tools = tovel::test::FindWindow<tovel::ToolsDialog>()) {
        static_cast<QLineEdit*>(tools->Control(tovel::ToolsDialog::kTitle))
            ->setText("Tabla periódica");
        static_cast<QLineEdit*>(tools->Control(tovel::ToolsDialog::kFile))->setText("tabla.pdf");
        tools->Dispatch(tovel::ToolsDialog::kStore);
        static_cast<QLineEdit*>(tools->Control(tovel::ToolsDialog::kTitle))->setText("Calculadora");
        static_cast<QLineEdit*>(tools->Control(tovel::ToolsDialog::kFile))
            ->setText("gnome-calculator");
        Save(*tools, folder, "tools-editor");
        tools->Dispatch(tovel::ToolsDialog::kEsc);
    }
    tovel::AboutWindow about("Reacciones químicas: ajuste y cálculos", " V2.0", 6);
    about.show();
    Save(about, folder, "about-window");

    auto* editor = new tovel::ElementEditorDialog(table, port);
    editor->show();
    editor->Model().SelectRow(30);
    editor->Dispatch(tovel::ElementEditorDialog::kNew);
    static_cast<QListWidget*>(editor->Control(tovel::ElementEditorDialog::kList))
        ->setCurrentRow(29);
    Save(*editor, folder, "element-editor");
    auto* masses = new tovel::AtomicMassListDialog(table);
    masses->show();
    Save(*masses, folder, "atomic-mass-list");
    return 0;
}
