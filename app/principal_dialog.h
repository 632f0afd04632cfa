#pragma once
// The main window ("Principal"): the equation, its entry controls, balancing and the menu from
// which every other window is reached. The work itself is MainModel's; this class lays out the
// controls, passes every command to one dispatch and shows the model after each.

#include <QDialog>
#include <QHash>
#include <QMap>
#include <QPointer>
#include <array>
#include <functional>

#include "draw_toolkit.h"
#include "concentration_model.h"
#include "library_window.h"
#include "reaction_library.h"
#include "tools.h"
#include "main_model.h"
#include "problem_window.h"

class QAction;
class QMenu;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QRadioButton;

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
    void BuildControls();
    // Moves everything under the equation's frame extra pixels down, and sizes the window to it.
    void PlaceUnderEquation(int extra);
    void BuildMenu();
    void Connect();
    void EnterKey();
    void ExitProcedure();
    void OpenDocument(const std::string& name);
    // Shows the model: lists, lines, labels, enabled and visible controls, the painted band.
    void Sync();
    // Copies the edit lines' texts into the model.
    void Pull();
    // Creates, places or removes the coefficient boxes to match the state.
    void SyncBoxes(const std::array<std::vector<QRect>, 2>& layout);
    void BoxNotified(int side, std::size_t slot);
    void BuildUnitsGroup();
    void SyncUnitsGroup();
    void OpenProblem();
    void PlaceBeside(QWidget& window) const;
    // The tools' menu items after the "Utilidades" separator, commands 531 on.
    void RebuildToolsMenu();
    // Commands of the tools launcher; true when the id was one of them.
    bool ToolsCommand(int id);
    // Opens the reaction library, or brings it forward; optionally in save mode.
    LibraryWindow* OpenLibrary();
    // A reaction passed from the library: loaded as the current one.
    void ReceiveReaction(const Reaction& reaction, const std::string& description);

    MainModel m_model;
    UserPort& m_port;
    DrawSurface m_surface;
    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMap<int, QWidget*> m_controls;
    QHash<QWidget*, QRect> m_placeUnderEquation;  // each control's place for a one-line equation
    int m_extra = 0;
    QMap<int, QAction*> m_actions;
    std::array<QListWidget*, 2> m_lists{};
    std::array<QLineEdit*, 3> m_lines{};
    std::array<std::vector<QLineEdit*>, 2> m_boxes;
    QFont m_font12;
    QFont m_font10;
    bool m_syncing = false;
    bool m_exiting = false;
    std::string m_transferFormula;
    QPointer<ProblemWindow> m_problem;
    std::vector<QPointer<ProblemWindow>> m_staleProblems;  // edited, of an earlier calculation
    QPointer<QDialog> m_concentrationWindow;
    QPointer<LibraryWindow> m_libraryWindow;
    QPointer<QDialog> m_compoundsWindow;
    QPointer<QDialog> m_toolsDialog;
    ToolList m_tools;
    QMenu* m_toolsMenu = nullptr;
    ConcentrationModel m_concentration;  // lives for the whole run, as the window's state does
    ReactionLibrary m_library;           // so does the library's
    int m_problemGeneration = -1;
};

}  // namespace tovel
