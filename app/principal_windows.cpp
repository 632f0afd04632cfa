// The main window's commands that open other windows and documents, and how those windows
// follow the main window: the problem, the balancing explained, the library, the usual
// compounds, the concentration calculator, the problem sheet.

#include <QScreen>
#include <algorithm>

#include "app/compounds_window.h"
#include "app/element_windows.h"
#include "app/formulas_window.h"
#include "app/formulation_window.h"
#include "app/ion_electron_window.h"
#include "app/main_ids.h"
#include "app/principal_dialog.h"
#include "app/program.h"
#include "app/sheet_window.h"
#include "exercises/concentration_window.h"
#include "exercises/problem_text.h"
#include "system/launch.h"
#include "ui/about_window.h"

namespace tovel {

// The commands that open another window or a document; false for any other command.
bool PrincipalDialog::WindowCommand(int id) {
    switch (id) {
        case kCmdProblem:
            OpenProblem();
            return true;
        case kMenuOpenProblem:
            OpenChosenDocument(m_port);
            return true;
        case kMenuExplainBalance:
            OpenExplanation();
            return true;
        case kMenuOxidationNumbers:
            m_model.ToggleOxidation();
            return true;
        case kMenuRedox:
            OpenRedox();
            return true;
        case kMenuIonElectron:
            OpenIonElectron();
            return true;
        case kCmdImport:
        case kMenuLibrary:
            m_library.CancelSaveMode();
            OpenLibrary();
            return true;
        case kCmdSaveReaction:
        case kMenuSaveReaction:
            if (const auto compact = m_model.ReactionToSave()) OpenLibrary()->RequestSave(*compact);
            return true;
        case kMenuCompounds:
            OpenOrRaise<QDialog>(m_compoundsWindow, [this] {
                auto* window = new CompoundsWindow(
                    m_model.Table(), m_port,
                    [this](const std::string& formula) { TransferFormula(formula); });
                m_children.Add(window);
                return window;
            });
            return true;
        case kMenuAtomicMasses:
            ShowAtomicMassList(m_model.Table());
            return true;
        case kMenuElementFile:
            m_port.OpenElementEditor(m_model.Table(), {});
            return true;
        case kMenuConcentrations:
            OpenOrRaise<QDialog>(m_concentrationWindow, [this] {
                auto* window = new ConcentrationWindow(m_concentration, m_model.Table(), m_port);
                m_children.Add(window);
                return window;
            });
            return true;
        case kMenuSheet:
            OpenOrRaise<QDialog>(m_sheetWindow, [this] {
                auto* window = new SheetWindow(m_sheet);
                m_children.Add(window);
                return window;
            });
            return true;
        case kMenuFormulation:
            OpenOrRaise<QDialog>(m_formulationWindow, [this] {
                auto* window = new FormulationWindow();
                m_children.Add(window);
                return window;
            });
            return true;
        case kMenuFormulas:
            OpenOrRaise<QDialog>(m_formulasWindow, [this] {
                auto* window = new FormulasWindow(m_model.Table(), m_port);
                m_children.Add(window);
                return window;
            });
            return true;
        case kMenuAbout:
            ShowAbout("Reacciones químicas: ajuste y cálculos", kVersionText);
            return true;
        case kMenuInfo:
            OpenDocumentFile("Tovel.pdf", m_port);
            return true;
        case kMenuDonation:
            if (m_model.AskDonation()) OpenDocumentFile("DonaciónGratificada.htm", m_port);
            return true;
        default:
            return false;
    }
}

void PrincipalDialog::OpenExplanation() {
    if (!m_model.Controls().explain) return;
    OpenOrRaise<TextReportWindow>(m_explanationWindow, [this] {
        auto* window = new TextReportWindow(QStringLiteral("Ajuste paso a paso"),
                                            m_model.Explanation().lines, m_port);
        m_children.Add(window);
        PlaceBeside(*window);
        return window;
    });
}

void PrincipalDialog::OpenRedox() {
    if (!m_model.Controls().redox) return;
    OpenOrRaise<TextReportWindow>(m_redoxWindow, [this] {
        auto* window =
            new TextReportWindow(QStringLiteral("Análisis redox"), m_model.RedoxText(), m_port);
        window->SetOffer(kMenuIonElectron, QStringLiteral("&Ion-electrón..."),
                         [this] { OpenIonElectron(); });
        m_children.Add(window);
        PlaceBeside(*window);
        return window;
    });
    m_redoxWindow->ShowOffer(m_model.IsRedox());
}

void PrincipalDialog::OpenIonElectron() {
    const bool open = m_ionElectronWindow;
    IonElectronWindow* window = OpenOrRaise<IonElectronWindow>(m_ionElectronWindow, [this] {
        auto* created = new IonElectronWindow(m_port);
        created->SetSmallFont(m_model.FontSizeSelector() == 1);
        m_children.Add(created);
        PlaceBeside(*created);
        return created;
    });
    // The equation on screen, each time the window is asked for; one typed in the window stays
    // while the main window has none.
    const std::string equation = m_model.SkeletonText();
    if (!equation.empty() || !open) window->Show(equation);
}

void PrincipalDialog::SyncExplanation() {
    auto show = [](TextReportWindow& window, const std::vector<std::string>& lines) {
        if (lines != window.Lines()) window.SetLines(lines);
    };
    // After "Nueva", or while a side is empty, the old explanation would be read as this one's.
    const bool equation = m_model.Count(kReactants) > 0 && m_model.Count(kProducts) > 0;
    const std::vector<std::string> none = {
        "No hay ninguna ecuación: escríbela en la ventana principal."};
    if (m_explanationWindow) {
        if (!equation) {
            show(*m_explanationWindow, none);
        } else if (m_model.Controls().explain) {
            show(*m_explanationWindow, m_model.Explanation().lines);
        }
    }
    if (m_redoxWindow) {
        if (!equation) {
            show(*m_redoxWindow, none);
        } else if (m_model.Controls().redox) {
            show(*m_redoxWindow, m_model.RedoxText());
        }
        // The ion-electron method is offered where the equation is redox.
        m_redoxWindow->ShowOffer(equation && m_model.IsRedox());
    }
}

LibraryWindow* PrincipalDialog::OpenLibrary() {
    return OpenOrRaise<LibraryWindow>(m_libraryWindow, [this] {
        auto* window = new LibraryWindow(
            m_library, [this](const Reaction& reaction, const std::string& description) {
                ReceiveReaction(reaction, description);
            });
        m_children.Add(window);
        return window;
    });
}

void PrincipalDialog::ReceiveReaction(const Reaction& reaction, const std::string& description) {
    m_model.QueueReaction(reaction, description);
    Dispatch(-1);  // the next message loads it
    raise();
    activateWindow();
}

void PrincipalDialog::OpenProblem() {
    if (!m_model.ResultsReady()) return;
    // The problem of this calculation is written anew; edited text is asked about first.
    if (m_problem && !m_problem->close()) return;
    const ProblemInput input = m_model.Problem();
    auto* problem = new ProblemWindow(StatementLines(input), ResolutionLines(input), m_port,
                                      m_model.Explanation().lines);
    m_problem = problem;
    m_children.Add(problem);
    m_problemGeneration = m_model.CalculationGeneration();
    m_model.SetResolutionWritten();
    PlaceBeside(*problem);
    problem->show();
}

// A problem written for another calculation or reaction no longer holds: it goes, unless the user
// has written in it, which is never dropped without a word.
void PrincipalDialog::CloseStaleProblem() {
    if (!m_problem || m_problemGeneration == m_model.CalculationGeneration()) return;
    if (m_problem->Edited()) {
        m_problem->MarkStale();
        m_problem.clear();  // it stays until the user closes it, and is asked about on leaving
    } else {
        m_problem->close();
    }
}

// A window opened from this one goes beside it, so that the equation and the results stay in
// sight; where the screen is too narrow it overlaps as little as it can.
void PrincipalDialog::PlaceBeside(QWidget& window) const {
    const QRect main = frameGeometry();
    const QRect available = screen() ? screen()->availableGeometry() : main;
    const QSize size = window.size();
    int x = main.right() + 8;
    if (x + size.width() > available.right())
        x = std::max(available.left(), available.right() - size.width());
    const int y = std::clamp(main.top(), available.top(),
                             std::max(available.top(), available.bottom() - size.height()));
    window.move(x, y);
}

}  // namespace tovel
