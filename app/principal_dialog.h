#pragma once
// The main window ("Principal"): the equation, its entry controls, balancing and the menu from
// which every other window is reached. The work itself is MainModel's; this class passes every
// command to one dispatch and shows the model after each. Its controls are built by
// principal_layout, the tools' menu items by tools_menu, the boxes by formula_boxes.

#include <QDialog>
#include <QPointer>
#include <memory>

#include "app/equation_view.h"
#include "app/formula_boxes.h"
#include "app/ion_electron_window.h"
#include "app/main_model.h"
#include "app/principal_layout.h"
#include "app/sheet_model.h"
#include "app/tools_menu.h"
#include "exercises/concentration_model.h"
#include "exercises/library_window.h"
#include "exercises/problem_window.h"
#include "exercises/reaction_library.h"
#include "ui/child_windows.h"
#include "ui/draw_toolkit.h"
#include "ui/text_report_window.h"

namespace tovel {

class PrincipalDialog : public QDialog {
    Q_OBJECT

  public:
    // The window runs in the current folder, where it reads and writes its data files.
    PrincipalDialog(ElementTable& table, UserPort& port, QWidget* parent = nullptr);

    // Runs a command as if its control or menu item had been used.
    void Dispatch(int id);

    MainModel& Model() { return m_model; }
    // The painted surface (equation area, exit icon), as shown.
    const QImage& Surface() const { return m_surface.image; }
    QWidget* Control(int id) const;
    QAction* MenuAction(int id) const;

    // Hands a formula over as the usual-compounds window does, then sends command 199.
    void TransferFormula(const std::string& formula);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Connect();
    void EnterKey();
    void ExitProcedure();
    bool WindowCommand(int id);
    // Shows the model: lists, lines, labels, enabled and visible controls, the painted band.
    void Sync();
    void SyncControls();
    void SyncYield();
    void SyncBoxes(const BoxLayout& layout);
    // Copies the edit lines' and the units group's texts into the model.
    void Pull();
    void PullBoxes();
    void BoxNotified(int side, std::size_t slot);
    // Moves everything under the equation's frame extra pixels down, and sizes the window to it.
    void PlaceUnderEquation(int extra);
    void PlaceBeside(QWidget& window) const;
    void OpenProblem();
    // "Ajuste paso a paso"; an open one follows the equation on screen.
    void OpenExplanation();
    // "Análisis redox"; like the explanation, an open one follows the equation.
    void OpenRedox();
    // "Ajuste redox (ion-electrón)", on the equation drawn.
    void OpenIonElectron();
    void SyncExplanation();
    void CloseStaleProblem();
    LibraryWindow* OpenLibrary();
    // A reaction passed from the library: loaded as the current one.
    void ReceiveReaction(const Reaction& reaction, const std::string& description);

    MainModel m_model;
    UserPort& m_port;
    DrawSurface m_surface;
    QFont m_font12;
    QFont m_font10;
    PrincipalMenu m_menu;
    PrincipalControls m_ui;
    std::unique_ptr<FormulaBoxes> m_boxes;
    std::unique_ptr<ToolsMenu> m_toolsMenu;
    QHash<QWidget*, QRect> m_placeUnderEquation;  // each control's place for a one-line equation
    int m_extra = 0;
    bool m_syncing = false;
    bool m_exiting = false;
    std::string m_transferFormula;
    ChildWindows m_children;  // asked to close, in order, when the program ends
    QPointer<ProblemWindow> m_problem;
    QPointer<TextReportWindow> m_explanationWindow;
    QPointer<TextReportWindow> m_redoxWindow;
    QPointer<IonElectronWindow> m_ionElectronWindow;
    QPointer<QDialog> m_formulationWindow;
    QPointer<QDialog> m_formulasWindow;
    int m_problemGeneration = -1;
    QPointer<QDialog> m_concentrationWindow;
    QPointer<QDialog> m_sheetWindow;
    QPointer<LibraryWindow> m_libraryWindow;
    QPointer<QDialog> m_compoundsWindow;
    ConcentrationModel m_concentration;  // lives for the whole run, as the window's state does
    ReactionLibrary m_library;           // so does the library's
    SheetModel m_sheet;                  // and the problem sheet's choices
};

}  // namespace tovel
