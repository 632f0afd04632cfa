#include "app/principal_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <tuple>

#include "app/conf_file.h"
#include "app/element_windows.h"
#include "app/equation_view.h"
#include "app/main_ids.h"
#include "ui/control_helpers.h"
#include "ui/icons.h"
#include "ui/menu_shortcuts.h"

namespace tovel {

PrincipalDialog::PrincipalDialog(ElementTable& table, UserPort& port, QWidget* parent)
    : QDialog(parent),
      m_model(table, port),
      m_port(port),
      m_surface(QSize(kClientWidth, kClientHeight), kWindowBackground),
      m_font12(PixelFont("DejaVu Sans", 12)),
      m_font10(PixelFont("DejaVu Sans", 11)),
      m_concentration(table, port),
      m_library(table, port),
      m_sheet(table, port) {
    setWindowTitle(QStringLiteral("TOVEL: Reacciones químicas, ajuste y cálculos"));
    SetWindowIconByName(*this, "AReacIcon");
    const auto dispatch = [this](int id) { Dispatch(id); };
    m_menu = BuildPrincipalMenu(this, dispatch);
    KeepMenuShortcuts(*this);
    m_toolsMenu =
        std::make_unique<ToolsMenu>(m_menu.tools, m_menu.actions, m_port, m_children, dispatch);
    m_toolsMenu->Load(this);
    m_ui = BuildPrincipalControls(
        this, m_surface, dispatch,
        [this](QPoint at) {
            // The exit icon at the bottom left.
            if (at.x() <= 30 && at.y() >= m_ui.client->height() - 20) Dispatch(kCmdExit);
        },
        this, m_font12, m_font10);
    m_boxes = std::make_unique<FormulaBoxes>(
        m_ui.client, this, [this](int side, std::size_t slot) { BoxNotified(side, slot); });
    Connect();

    m_model.SetConfirmExit(ReadConfirmExit(kConfFileName, true));
    // Every control sits under the equation's frame, and moves down when the frame grows.
    for (QWidget* control : m_ui.byId.Controls())
        m_placeUnderEquation[control] = control->geometry();
    PlaceUnderEquation(0);
    m_ui.client->move(0, m_menu.bar->sizeHint().height());
    m_ui.lines[static_cast<std::size_t>(EditLine::Reactants)]->setFocus();
    Sync();
}

QWidget* PrincipalDialog::Control(int id) const {
    if (id >= kFirstBox && id < kFirstBox + 2 * static_cast<int>(kSideLimit)) {
        const int side = (id - kFirstBox) / static_cast<int>(kSideLimit);
        const auto slot = static_cast<std::size_t>((id - kFirstBox) % static_cast<int>(kSideLimit));
        const auto& boxes = m_boxes->Side(side);
        return slot < boxes.size() ? boxes[slot] : nullptr;
    }
    return m_ui.byId.Control(id);
}

QAction* PrincipalDialog::MenuAction(int id) const {
    return m_menu.actions.value(id, nullptr);
}

void PrincipalDialog::PlaceUnderEquation(int extra) {
    m_extra = extra;
    for (auto it = m_placeUnderEquation.cbegin(); it != m_placeUnderEquation.cend(); ++it) {
        it.key()->setGeometry(it.value().translated(0, extra));
    }
    const QSize client(kClientWidth, kClientHeight + extra);
    m_surface.image = QImage(client, QImage::Format_ARGB32_Premultiplied);
    m_ui.client->resize(client);
    setFixedSize(client.width(), client.height() + m_menu.bar->sizeHint().height());
    // A window that grew past the bottom of the screen moves up, so that all of it can be used.
    if (isVisible() && screen()) {
        const QRect available = screen()->availableGeometry();
        const int below = frameGeometry().bottom() - available.bottom();
        if (below > 0) move(x(), std::max(available.top(), y() - below));
    }
}

void PrincipalDialog::Connect() {
    for (int side = 0; side < 2; ++side) {
        QListWidget* list = m_ui.lists[static_cast<std::size_t>(side)];
        connect(list, &QListWidget::currentRowChanged, this, [this, side](int row) {
            if (m_syncing) return;
            Pull();
            m_model.SelectSlot(side, static_cast<std::size_t>(row) + 1);
            Sync();
        });
        // In calculation mode a click on the row already selected also gives it the units group.
        connect(list, &QListWidget::itemClicked, this, [this, side, list](QListWidgetItem* item) {
            if (m_syncing || m_model.State() != MainState::Calculant) return;
            Pull();
            m_model.SelectSlot(side, static_cast<std::size_t>(list->row(item)) + 1);
            Sync();
        });
    }
}

bool PrincipalDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (const auto box = m_boxes->Find(watched)) BoxNotified(box->first, box->second);
    }
    // Typing in the line of the side that is not current makes that side current.
    if (!m_syncing && (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)) {
        for (int side = 0; side < 2; ++side) {
            if (watched == m_ui.lines[static_cast<std::size_t>(side)] &&
                m_model.CurrentSide() != side) {
                Pull();
                m_model.ActivateSide(side);
                Sync();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PrincipalDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Dispatch(kCmdOk);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Esc never leaves the main window: one stray key would end the program and lose the equation.
// Leaving is "Salir", the exit icon or the window's close button.
void PrincipalDialog::reject() {}

void PrincipalDialog::closeEvent(QCloseEvent* event) {
    if (m_exiting) {
        event->accept();
        return;
    }
    event->ignore();
    Dispatch(kCmdExit);
}

void PrincipalDialog::EnterKey() {
    // Enter acts by the control that has the focus.
    const QWidget* focus = focusWidget();
    auto line = [this](EditLine l) { return m_ui.lines[static_cast<std::size_t>(l)]; };
    if (focus == line(EditLine::Reactants)) {
        Dispatch(kCmdEnterReactants);
    } else if (focus == line(EditLine::Products)) {
        Dispatch(kCmdEnterProducts);
    } else if (focus == line(EditLine::Equation)) {
        Dispatch(kCmdEquationOk);
    } else if (m_model.State() == MainState::Calculant) {
        if (m_boxes->Find(focus)) {
            Dispatch(kCmdCalc);
        } else if (focus == m_ui.pressure || focus == m_ui.temperature) {
            Pull();
            m_model.EnterGasConditions();
            Sync();
        } else if (focus == m_ui.molarity) {
            Pull();
            m_model.EnterMolarity();
            Sync();
        } else if (focus == m_ui.yield) {
            focusNextChild();  // the yield is read by "Calc"; Enter moves on
        }
    }
}

void PrincipalDialog::TransferFormula(const std::string& formula) {
    m_transferFormula = formula;
    Dispatch(kCmdTransfer);
}

void PrincipalDialog::Dispatch(int id) {
    Pull();
    m_model.Refresh();
    if (m_toolsMenu->Command(id) || WindowCommand(id)) {
        Sync();
        return;
    }
    switch (id) {
        case kCmdNew:
            m_model.NewReaction();
            m_ui.lines[static_cast<std::size_t>(EditLine::Equation)]->setFocus();
            break;
        case kCmdOk:
            EnterKey();
            return;
        case kCmdExit:
        case kMenuExit:
            ExitProcedure();
            return;
        case kCmdPlus:
            m_model.PrepareNewFormula();
            m_ui.lines[static_cast<std::size_t>(m_model.CurrentSide())]->setFocus();
            break;
        case kCmdEnterReactants:
        case kCmdEnterProducts:
            m_model.EnterSideLine(id == kCmdEnterReactants ? kReactants : kProducts);
            break;
        case kCmdMinus:
            m_model.DeleteAtCursor();
            break;
        case kCmdEquationOk:
            m_model.EnterEquationLine();
            break;
        case kCmdAutoAdjust:
            m_model.AutoAdjust();
            break;
        case kCmdAdjust:
            m_model.Adjust();
            break;
        case kCmdCalc:
            m_model.Calculate();
            break;
        case kCmdReset:
            m_model.ResetAmounts();
            break;
        case kUnitRadioGram:
        case kUnitRadioMole:
        case kUnitRadioLitreNormal:
        case kUnitRadioLitrePT:
        case kUnitSolutionRadio:
            m_model.ChooseUnit(static_cast<AmountUnit>(id - kUnitRadioGram));
            break;
        case kUnitsOk:
            m_model.AcceptUnits();
            break;
        case kYieldFromObtained:
            m_model.SetYieldFromObtained(m_ui.yieldFromObtained->isChecked());
            break;
        case kFontSize12:
        case kFontSize10: {
            m_model.SetFontSizeSelector(id == kFontSize10 ? 1 : 0);
            const QFont& font = id == kFontSize10 ? m_font10 : m_font12;
            for (auto* list : m_ui.lists)
                list->setFont(font);
            for (auto* line : m_ui.lines)
                line->setFont(font);
            if (m_ionElectronWindow) m_ionElectronWindow->SetSmallFont(id == kFontSize10);
            break;
        }
        case kCmdTransfer:
            m_model.TransferFormula(m_transferFormula);
            break;
        case kMenuConfirmExit:
            m_model.ToggleConfirmExit();
            break;
        default:
            break;  // an id of no command: nothing to do
    }
    Sync();
}

void PrincipalDialog::ExitProcedure() {
    if (!m_model.Leave(kConfFileName)) return;
    // Windows that may hold unsaved work ask first, and any of them may keep us here.
    if (!m_children.CloseAll()) return;
    // The element editor may close from inside its own question: being on screen is what tells.
    if (QPointer<ElementEditorDialog> editor = ElementEditorDialog::Current()) {
        editor->close();
        if (editor && editor->isVisible()) return;
    }
    m_exiting = true;
    done(0);
}

void PrincipalDialog::Pull() {
    for (int line = 0; line < 3; ++line) {
        m_model.LineText(static_cast<EditLine>(line)) =
            m_ui.lines[static_cast<std::size_t>(line)]->text().toStdString();
    }
    ReadUnitsGroup(m_ui, m_model.Units().inputs);
    PullBoxes();
}

void PrincipalDialog::PullBoxes() {
    const bool amounts =
        m_boxes->Kind() == BoxKind::Amount && m_model.State() == MainState::Calculant;
    // An amount box whose text differs from the model's was typed in: a datum, even where a result
    // stood. All are compared before any is taken, since taking one clears the results.
    std::vector<std::tuple<int, std::size_t, std::string>> typed;
    for (int side = 0; side < 2; ++side) {
        const auto& boxes = m_boxes->Side(side);
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            std::string text = boxes[k]->text().toStdString();
            if (!amounts) {
                m_model.BoxText(side, k + 1) = text;
            } else if (text != m_model.Calculation().Box(side, k + 1).text) {
                typed.emplace_back(side, k + 1, std::move(text));
            }
        }
    }
    for (const auto& [side, slot, text] : typed)
        m_model.TypeAmount(side, slot, text);
    if (amounts && m_ui.yield->text().toStdString() != m_model.Calculation().Yield().text)
        m_model.TypeYield(m_ui.yield->text().toStdString());
}

void PrincipalDialog::BoxNotified(int side, std::size_t slot) {
    if (m_syncing) return;
    Pull();
    if (m_model.State() != MainState::Calculant) m_model.BoxNotified(side, slot);
    Sync();
}

void PrincipalDialog::SyncBoxes(const BoxLayout& layout) {
    // Coefficient boxes in manual balancing, amount boxes in calculation mode.
    if (m_model.State() == MainState::Ajustant) {
        m_boxes->Show(BoxKind::Coefficient, layout, [this](int side, std::size_t slot) {
            return BoxContent{m_model.BoxText(side, slot), false};
        });
    } else if (m_model.State() == MainState::Calculant) {
        BoxLayout places;
        for (int side = 0; side < 2; ++side) {
            for (std::size_t slot = 1; slot <= m_model.Count(side); ++slot) {
                places[static_cast<std::size_t>(side)].emplace_back(
                    TableLeft(side), m_extra + kTableTop + static_cast<int>(slot - 1) * kTableRow,
                    60, 16);
            }
        }
        m_boxes->Show(BoxKind::Amount, places, [this](int side, std::size_t slot) {
            const AmountBox& box = m_model.Calculation().Box(side, slot);
            return BoxContent{box.text, box.result};
        });
    } else {
        m_boxes->Show(BoxKind::None, {}, {});
    }
}

void PrincipalDialog::SyncControls() {
    const MainControls c = m_model.Controls();
    auto enable = [this](int id, bool on) { m_ui.byId.Control(id)->setEnabled(on); };
    auto show = [this](int id, bool on) { m_ui.byId.Control(id)->setVisible(on); };
    enable(kCmdAdjust, c.adjust);
    enable(kCmdAutoAdjust, c.autoAdjust);
    enable(kCmdNew, c.newReaction);
    enable(kCmdProblem, c.problem);
    enable(kCmdSaveReaction, c.save);
    m_menu.actions[kCmdNew]->setEnabled(c.newReaction);
    m_menu.actions[kMenuSaveReaction]->setEnabled(c.save);
    m_menu.actions[kMenuExplainBalance]->setEnabled(c.explain);
    m_menu.actions[kMenuOxidationNumbers]->setEnabled(c.redox);
    m_menu.actions[kMenuOxidationNumbers]->setChecked(m_model.ShowOxidation());
    m_menu.actions[kMenuRedox]->setEnabled(c.redox);
    m_menu.actions[kMenuConfirmExit]->setChecked(m_model.ConfirmExit());
    for (int id : {kReactantsLabel, kProductsLabel, kReactantLine, kProductLine, kEquationLine,
                   kEquationLabel, kCmdEquationOk, kCmdEnterReactants, kCmdEnterProducts, kCmdPlus,
                   kCmdMinus, kFontLabel, kFontSize12, kFontSize10}) {
        show(id, c.editingVisible);
    }
    for (int id : {kCmdCalc, kCmdReset, kCmdProblem, kResultLine, kUnitsGroup, kYieldLabel, kYield,
                   kYieldFromObtained}) {
        show(id, c.calculationVisible);
    }
    SyncYield();
    for (int id = kProductAmounts; id <= kMolesFormed; ++id)
        enable(id, c.calculationVisible);
    show(kBalancedIcon, m_model.BalancedIconVisible());
    show(kResolutionMark, m_model.ResolutionWritten() && m_model.State() == MainState::Calculant);
    m_ui.fontSizes[m_model.FontSizeSelector() == 0 ? 0 : 1]->setChecked(true);
    m_ui.adjust->setText(QString::fromStdString(m_model.AdjustButtonLabel()));
    m_ui.sidesGroup->setTitle(QString::fromStdString(m_model.GroupCaption()));
    m_ui.description->setText(QString::fromStdString(m_model.Description()));
    m_ui.resultLine->setText(QString::fromStdString(m_model.ResultLine()));
}

void PrincipalDialog::SyncYield() {
    const CalculationModel& calc = m_model.Calculation();
    const AmountBox& yield = calc.Yield();
    if (m_ui.yield->text().toStdString() != yield.text)
        m_ui.yield->setText(QString::fromStdString(yield.text));
    // Found from what was obtained, the yield is an answer: the results' blue, not typed over.
    m_ui.yield->setReadOnly(calc.YieldFromObtained());
    QPalette palette = m_ui.yield->palette();
    palette.setColor(QPalette::Text, yield.result ? kResultColour : QColor(Qt::black));
    m_ui.yield->setPalette(palette);
    const QSignalBlocker quiet(m_ui.yieldFromObtained);
    m_ui.yieldFromObtained->setChecked(calc.YieldFromObtained());
}

void PrincipalDialog::Sync() {
    m_syncing = true;
    for (int side = 0; side < 2; ++side) {
        QListWidget* list = m_ui.lists[static_cast<std::size_t>(side)];
        QStringList formulas;
        for (const auto& s : m_model.Substances(side))
            formulas << QString::fromStdString(s.formula);
        ShowItems(*list, formulas);
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setToolTip(list->item(row)->text());
        SetListSelection(*list, static_cast<int>(m_model.Selection(side).value_or(0)));
    }
    for (int line = 0; line < 3; ++line) {
        const QString text = QString::fromStdString(m_model.LineText(static_cast<EditLine>(line)));
        QLineEdit* edit = m_ui.lines[static_cast<std::size_t>(line)];
        if (edit->text() != text) edit->setText(text);
    }
    SyncControls();
    if (const int extra = EquationExtraHeight(m_model, kClientWidth); extra != m_extra)
        PlaceUnderEquation(extra);
    SyncBoxes(PaintMainSurface(m_surface, m_model, m_extra));
    ShowUnitsGroup(m_ui, m_model.Units(), m_model.UnitsCaption(),
                   m_model.State() == MainState::Calculant);
    CloseStaleProblem();
    SyncExplanation();
    m_ui.client->update();
    m_syncing = false;
}

}  // namespace tovel
