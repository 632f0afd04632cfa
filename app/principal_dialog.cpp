#include "principal_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

#include "about_window.h"
#include "compounds_window.h"
#include "concentration_window.h"
#include "conf_file.h"
#include "control_helpers.h"
#include "element_windows.h"
#include "equation_view.h"
#include "icons.h"
#include "launch.h"
#include "main_ids.h"
#include "messages.h"
#include "problem_text.h"
#include "problem_window.h"
#include "program.h"
#include "tools_dialog.h"

namespace tovel {

namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 400;
const QColor kEditColour(217, 255, 250);
const QColor kListColour(181, 255, 226);
const QColor kBackground(246, 255, 240);

// The client area: shows the painted surface under the controls, and reports clicks on it.
class Canvas : public QWidget {
  public:
    Canvas(const DrawSurface& surface, std::function<void(QPoint)> clicked, QWidget* parent)
        : QWidget(parent), m_surface(surface), m_clicked(std::move(clicked)) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_surface.image);
    }
    void mousePressEvent(QMouseEvent* event) override { m_clicked(event->position().toPoint()); }

  private:
    const DrawSurface& m_surface;
    std::function<void(QPoint)> m_clicked;
};

// List rows as tall as the rows of the amount tables beside them, at both font sizes, so that
// every amount box sits beside its substance.
class TableRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(kTableRow);
        return size;
    }
};

void Colour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

QFont PixelFont(const char* family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

PrincipalDialog::PrincipalDialog(ElementTable& table, UserPort& port, QWidget* parent)
    : QDialog(parent),
      m_model(table, port),
      m_port(port),
      m_surface(QSize(kClientWidth, kClientHeight), kBackground),
      m_font12(PixelFont("DejaVu Sans", 12)),
      m_font10(PixelFont("DejaVu Sans", 10)),
      m_concentration(table, port),
      m_library(table, port) {
    setWindowTitle(QStringLiteral("TOVEL: Reacciones químicas, ajuste y cálculos"));
    SetWindowIconByName(*this, "AReacIcon");
    BuildMenu();
    BuildControls();
    Connect();

    m_model.SetConfirmExit(ReadConfirmExit(kConfFileName, true));
    // Every control sits under the equation's frame, and moves down when the frame grows.
    for (QWidget* control : m_controls) m_placeUnderEquation[control] = control->geometry();
    PlaceUnderEquation(0);
    m_client->move(0, m_menuBar->sizeHint().height());
    m_lines[MainModel::kReactantLine]->setFocus();
    Sync();
}

QWidget* PrincipalDialog::Control(int id) const {
    if (id >= kFirstBox && id < kFirstBox + 2 * static_cast<int>(kSideLimit)) {
        const int side = (id - kFirstBox) / static_cast<int>(kSideLimit);
        const auto slot = static_cast<std::size_t>((id - kFirstBox) % static_cast<int>(kSideLimit));
        return slot < m_boxes[side].size() ? m_boxes[side][slot] : nullptr;
    }
    return m_controls.value(id, nullptr);
}

QAction* PrincipalDialog::MenuAction(int id) const {
    return m_actions.value(id, nullptr);
}

void PrincipalDialog::PlaceUnderEquation(int extra) {
    m_extra = extra;
    for (auto it = m_placeUnderEquation.cbegin(); it != m_placeUnderEquation.cend(); ++it) {
        it.key()->setGeometry(it.value().translated(0, extra));
    }
    const QSize client(kClientWidth, kClientHeight + extra);
    m_surface.image = QImage(client, QImage::Format_ARGB32_Premultiplied);
    m_client->resize(client);
    setFixedSize(client.width(), client.height() + m_menuBar->sizeHint().height());
    // A window that grew past the bottom of the screen moves up, so that all of it can be used.
    if (isVisible() && screen()) {
        const QRect available = screen()->availableGeometry();
        const int below = frameGeometry().bottom() - available.bottom();
        if (below > 0) move(x(), std::max(available.top(), y() - below));
    }
}

void PrincipalDialog::BuildMenu() {
    m_menuBar = new QMenuBar(this);
    auto add = [this](QMenu* menu, int id, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        m_actions[id] = action;
        return action;
    };
    QMenu* file = m_menuBar->addMenu(QStringLiteral("&Archivo"));
    add(file, kCmdNew, QStringLiteral("&Nueva reacción"));
    add(file, kMenuSaveReaction, QStringLiteral("&Guardar reacción"));
    add(file, kMenuOpenProblem, QStringLiteral("&Abrir problema"));
    file->addSeparator();
    add(file, kMenuConfirmExit, QStringLiteral("Confirmación salida"))->setCheckable(true);
    add(file, kCmdExit, QStringLiteral("&Salir"));
    QMenu* data = m_menuBar->addMenu(QStringLiteral("Datos"));
    add(data, kMenuAtomicMasses, QStringLiteral("&Masas atómicas"));
    add(data, kMenuElementFile, QStringLiteral("&Fichero de elementos"));
    add(data, kMenuCompounds, QStringLiteral("&Compuestos usuales"));
    add(data, kMenuLibrary, QStringLiteral("&Reacciones tipo"));
    QMenu* tools = m_menuBar->addMenu(QStringLiteral("Utilidades"));
    add(tools, kMenuConcentrations, QStringLiteral("Cálculo concentraciones"));
    add(tools, kMenuToolsEditor, QStringLiteral("Edición utilidades"));
    tools->addSeparator();
    m_toolsMenu = tools;
    if (m_tools.Load()) RebuildToolsMenu();
    // Told once the window is on screen: tools left out of the menu, or a file that cannot be read.
    if (const std::string report = m_tools.LoadReport(); !report.empty()) {
        QTimer::singleShot(0, this, [this, report] { NoticeWith(m_port, "Utilidades", report, MessageIcon::Exclamation); });
    }
    QMenu* info = m_menuBar->addMenu(QStringLiteral("&Info"));
    add(info, kMenuInfo, QStringLiteral("&Info"));
    add(info, kMenuDonation, QStringLiteral("&Donación gratificada"));
    add(info, kMenuAbout, QStringLiteral("&Respecto a Tovel"));
}

void PrincipalDialog::BuildControls() {
    m_client = new Canvas(
        m_surface,
        [this](QPoint at) {
            if (at.x() <= 30 && at.y() >= m_client->height() - 20) Dispatch(kCmdExit);
        },
        this);
    m_client->resize(kClientWidth, kClientHeight);

    auto keep = [this](int id, QWidget* widget) {
        widget->setObjectName(QStringLiteral("id%1").arg(id));
        m_controls[id] = widget;
        return widget;
    };
    auto button = [&](int id, const QString& text, QRect geometry) {
        auto* b = new QPushButton(text, m_client);
        b->setGeometry(geometry);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, id] { Dispatch(id); });
        keep(id, b);
        return b;
    };
    auto label = [&](int id, const QString& text, QRect geometry) {
        auto* l = new QLabel(text, m_client);
        l->setGeometry(geometry);
        keep(id, l);
        return l;
    };
    auto group = [&](int id, const QString& text, QRect geometry) {
        auto* g = new QGroupBox(text, m_client);
        g->setGeometry(geometry);
        keep(id, g);
        return g;
    };

    auto* description = label(kDescription, QString(), QRect(25, 52, kClientWidth - 49, 18));
    description->setFont(PixelFont("DejaVu Sans Condensed", 13));

    group(kSidesGroup, QString(), QRect(12, 72, kClientWidth - 24, 254));
    label(kReactantsLabel, QStringLiteral("Reactivos"), QRect(25, 90, 120, 16));
    label(kProductsLabel, QStringLiteral("Productos"), QRect(445, 90, 120, 16));
    // The amount tables beside each list (filled in calculation mode).
    group(kReactantAmounts, QStringLiteral("Inicial"), QRect(155, 90, 122, 124));
    group(kMolesReacted, QStringLiteral("mol r."), QRect(277, 90, 54, 124));
    group(kFinalAmounts, QStringLiteral("Final"), QRect(331, 90, 106, 124));
    group(kProductAmounts, QStringLiteral("Obt."), QRect(575, 90, 100, 124));
    group(kMolesFormed, QStringLiteral("mol"), QRect(675, 90, 90, 124));

    for (int side = 0; side < 2; ++side) {
        auto* list = new QListWidget(m_client);
        list->setGeometry(side == 0 ? 25 : 445, 108, 128, 106);
        list->setFont(m_font12);
        list->setItemDelegate(new TableRowDelegate(list));
        // Six rows always fit; a long formula is cut short rather than pushing a scroll bar over
        // the last row.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideRight);
        Colour(list, kListColour);
        keep(side == 0 ? kReactantList : kProductList, list);
        m_lists[side] = list;

        auto* line = new QLineEdit(m_client);
        // The products' line is shorter, so that its "^" stays inside the group's frame.
        line->setGeometry(side == 0 ? 25 : 445, 224, side == 0 ? 300 : 272, 24);
        line->setFont(m_font12);
        line->setMaxLength(255);
        Colour(line, kEditColour);
        line->installEventFilter(this);
        keep(side == 0 ? kReactantLine : kProductLine, line);
        m_lines[side] = line;
        button(side == 0 ? kCmdEnterReactants : kCmdEnterProducts, QStringLiteral("^"),
               QRect(side == 0 ? 328 : 720, 224, 24, 24))
            ->setToolTip(QStringLiteral("Entrar las fórmulas"));
    }
    button(kCmdPlus, QStringLiteral("+"), QRect(360, 224, 32, 24))
        ->setToolTip(QStringLiteral("Añadir una fórmula al lado actual"));
    button(kCmdMinus, QStringLiteral("-"), QRect(398, 224, 32, 24))
        ->setToolTip(QStringLiteral("Quitar la fórmula seleccionada"));

    label(kEquationLabel, QStringLiteral("Ecuación:"), QRect(25, 260, 70, 24));
    auto* equation = new QLineEdit(m_client);
    equation->setGeometry(100, 260, 600, 24);
    equation->setFont(m_font12);
    equation->setMaxLength(255);
    equation->setPlaceholderText(QStringLiteral("H2 + O2 = H2O"));
    Colour(equation, kEditColour);
    keep(kEquationLine, equation);
    m_lines[MainModel::kEquationLine] = equation;
    button(kCmdEquationOk, QStringLiteral("ok"), QRect(706, 260, 46, 24));

    label(kFontLabel, QStringLiteral("Fuente:"), QRect(25, 296, 50, 20))->setFont(m_font10);
    for (int id : {kFontSize12, kFontSize10}) {
        auto* radio = new QRadioButton(id == kFontSize12 ? "12" : "10", m_client);
        radio->setGeometry(id == kFontSize12 ? 78 : 122, 296, 44, 20);
        radio->setFont(m_font10);
        connect(radio, &QRadioButton::clicked, this, [this, id] { Dispatch(id); });
        keep(id, radio);
    }
    static_cast<QRadioButton*>(Control(kFontSize12))->setChecked(true);

    auto* results = label(kResultLine, QString(), QRect(25, 296, 730, 20));
    results->setFont(m_font12);
    // The units group takes the place of the entry controls in calculation mode.
    group(kUnitsGroup, QStringLiteral("Unidades"), QRect(25, 218, 730, 74));
    BuildUnitsGroup();

    button(kCmdNew, QStringLiteral("Nueva"), QRect(25, 336, 80, 28));
    button(kCmdAdjust, QStringLiteral("Ajustar"), QRect(112, 336, 90, 28));
    button(kCmdAutoAdjust, QStringLiteral("Autoajuste"), QRect(209, 336, 100, 28));
    button(kCmdImport, QStringLiteral("importar"), QRect(316, 336, 80, 28));
    button(kCmdSaveReaction, QStringLiteral("guardar"), QRect(403, 336, 80, 28));
    button(kCmdCalc, QStringLiteral("Calc"), QRect(490, 336, 60, 28));
    button(kCmdReset, QStringLiteral("Rst"), QRect(557, 336, 50, 28));
    button(kCmdProblem, QStringLiteral("Problema >"), QRect(614, 336, 100, 28));

    auto* balanced = label(kBalancedIcon, QString(), QRect(724, 334, 32, 32));
    balanced->setPixmap(LoadPictureByName("BeIcon", QSize(32, 32)));
    balanced->setToolTip(QStringLiteral("Ecuación ajustada"));
    auto* mark =
        label(kResolutionMark, QStringLiteral("Resolución escrita"), QRect(614, 366, 140, 16));
    mark->setFont(m_font10);
    mark->hide();
}

void PrincipalDialog::BuildUnitsGroup() {
    const QFont font = PixelFont("DejaVu Sans", 12);
    auto place = [&](int id, QWidget* widget, QRect geometry) {
        widget->setGeometry(geometry);
        widget->setFont(font);
        widget->setObjectName(QStringLiteral("id%1").arg(id));
        m_controls[id] = widget;
        return widget;
    };
    const char* units[] = {"gramo", "mol", "L cn", "L =f(P,T)", "V disolución"};
    const int x[] = {37, 112, 170, 236, 340};
    for (int i = 0; i < 5; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(units[i]), m_client);
        place(kUnitRadioGram + i, radio, QRect(x[i], 238, 100, 20));
        connect(radio, &QRadioButton::clicked, this, [this, i] { Dispatch(kUnitRadioGram + i); });
    }
    auto edit = [&](int id, QRect geometry) {
        auto* line = new QLineEdit(m_client);
        Colour(line, kEditColour);
        place(id, line, geometry);
        return line;
    };
    auto text = [&](int id, const QString& caption, QRect geometry) {
        return place(id, new QLabel(caption, m_client), geometry);
    };
    text(kPurityLabel, QStringLiteral("% pureza"), QRect(37, 264, 60, 22));
    edit(kPurity, QRect(98, 264, 50, 22));
    text(kPressureLabel, QStringLiteral("P"), QRect(168, 264, 12, 22));
    edit(kPressure, QRect(182, 264, 55, 22));
    auto* pressureUnit = new QComboBox(m_client);
    place(kPressureUnit, pressureUnit, QRect(240, 264, 62, 22));
    FillCombo(*pressureUnit, "atm;kPa");
    text(kTemperatureLabel, QStringLiteral("T"), QRect(318, 264, 12, 22));
    edit(kTemperature, QRect(332, 264, 55, 22));
    auto* temperatureUnit = new QComboBox(m_client);
    place(kTemperatureUnit, temperatureUnit, QRect(390, 264, 56, 22));
    FillCombo(*temperatureUnit, "°C;K");
    text(kMolarityLabel, QStringLiteral("M (mol/L)"), QRect(468, 264, 68, 22));
    edit(kMolarityField, QRect(538, 264, 55, 22));
    auto* ok = new QPushButton(QStringLiteral("ok"), m_client);
    ok->setAutoDefault(false);
    place(kUnitsOk, ok, QRect(690, 250, 50, 26));
    connect(ok, &QPushButton::clicked, this, [this] { Dispatch(kUnitsOk); });
}

void PrincipalDialog::Connect() {
    for (int side = 0; side < 2; ++side) {
        connect(m_lists[side], &QListWidget::currentRowChanged, this, [this, side](int row) {
            if (m_syncing) return;
            Pull();
            m_model.SelectSlot(side, static_cast<std::size_t>(row + 1));
            Sync();
        });
        // In calculation mode a click on the row already selected also gives it the units group.
        connect(m_lists[side], &QListWidget::itemClicked, this, [this, side](QListWidgetItem* item) {
            if (m_syncing || m_model.State() != MainState::Calculant) return;
            Pull();
            m_model.SelectSlot(side, static_cast<std::size_t>(m_lists[side]->row(item) + 1));
            Sync();
        });
    }
}

bool PrincipalDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int side = 0; side < 2; ++side) {
            for (std::size_t k = 0; k < m_boxes[side].size(); ++k) {
                if (watched == m_boxes[side][k]) BoxNotified(side, k + 1);
            }
        }
    }
    // Typing in the line of the side that is not current makes that side current.
    if (!m_syncing && (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)) {
        for (int side = 0; side < 2; ++side) {
            if (watched == m_lines[side] && m_model.CurrentSide() != side) {
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
    if (focus == m_lines[0]) {
        Dispatch(kCmdEnterReactants);
    } else if (focus == m_lines[1]) {
        Dispatch(kCmdEnterProducts);
    } else if (focus == m_lines[MainModel::kEquationLine]) {
        Dispatch(kCmdEquationOk);
    } else if (m_model.State() == MainState::Calculant) {
        const bool inBox = std::any_of(m_boxes.begin(), m_boxes.end(), [focus](const auto& side) {
            return std::find(side.begin(), side.end(), focus) != side.end();
        });
        if (inBox) {
            Dispatch(kCmdCalc);
        } else if (focus == Control(kPressure) || focus == Control(kTemperature)) {
            Pull();
            m_model.EnterGasConditions();
            Sync();
        } else if (focus == Control(kMolarityField)) {
            Pull();
            m_model.EnterMolarity();
            Sync();
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
    if (ToolsCommand(id)) {
        Sync();
        return;
    }
    switch (id) {
        case kCmdNew:
            m_model.NewReaction();
            m_lines[MainModel::kEquationLine]->setFocus();
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
            m_lines[m_model.CurrentSide()]->setFocus();
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
            if (m_model.State() == MainState::Calculant && !m_boxes[0].empty())
                m_boxes[0][0]->setFocus();
            break;
        case kCmdCalc:
            m_model.Calculate();
            break;
        case kCmdReset:
            m_model.ResetAmounts();
            break;
        case kCmdProblem:
            OpenProblem();
            break;
        case kUnitRadioGram:
        case kUnitRadioGram + 1:
        case kUnitRadioGram + 2:
        case kUnitRadioGram + 3:
        case kUnitSolutionRadio:
            m_model.ChooseUnit(static_cast<AmountUnit>(id - kUnitRadioGram));
            break;
        case kUnitsOk:
            m_model.AcceptUnits();
            break;
        case kFontSize12:
        case kFontSize10: {
            m_model.SetFontSizeSelector(id == kFontSize10 ? 1 : 0);
            const QFont& font = id == kFontSize10 ? m_font10 : m_font12;
            for (auto* list : m_lists)
                list->setFont(font);
            for (auto* line : m_lines)
                line->setFont(font);
            break;
        }
        case kCmdTransfer:
            m_model.TransferFormula(m_transferFormula);
            break;
        case kMenuOpenProblem: {
            std::string path;
            if (m_port.ChooseFile(FileChooserMode::Open, path)) OpenDocumentFile(path, m_port);
            break;
        }
        case kCmdImport:
        case kMenuLibrary:
            m_library.CancelSaveMode();
            OpenLibrary();
            break;
        case kCmdSaveReaction:
        case kMenuSaveReaction:
            if (const auto compact = m_model.ReactionToSave()) OpenLibrary()->RequestSave(*compact);
            break;
        case kMenuCompounds:
            if (!m_compoundsWindow || !m_compoundsWindow->isVisible()) {
                m_compoundsWindow = new CompoundsWindow(m_model.Table(), m_port, [this](const std::string& formula) {
                    TransferFormula(formula);
                });
                m_compoundsWindow->show();
            }
            m_compoundsWindow->raise();
            m_compoundsWindow->activateWindow();
            break;
        case kMenuAtomicMasses:
            ShowAtomicMassList(m_model.Table());
            break;
        case kMenuElementFile:
            m_port.OpenElementEditor(m_model.Table());
            break;
        case kMenuConcentrations:
            if (!m_concentrationWindow || !m_concentrationWindow->isVisible()) {
                m_concentrationWindow =
                    new ConcentrationWindow(m_concentration, m_model.Table(), m_port);
                m_concentrationWindow->show();
            }
            m_concentrationWindow->raise();
            m_concentrationWindow->activateWindow();
            break;
        case kMenuAbout:
            ShowAbout("Reacciones químicas: ajuste y cálculos", kVersionText);
            break;
        case kMenuConfirmExit:
            m_model.ToggleConfirmExit();
            break;
        case kMenuInfo:
            OpenDocument("Tovel.pdf");
            break;
        case kMenuDonation:
            if (AskYesNoWith(m_port, "DONACIÓN GRATIFICADA",
                             "\r\nCon un PACK AMPLIADO DE REACCIONES\r\n\r\n" +
                                 std::string(18, ' ') + "¿Ver más?",
                             MessageIcon::Information) == kAnswerYes) {
                OpenDocument("DonaciónGratificada.htm");
            }
            break;
        default:
            break;  // the windows of the other commands come later
    }
    Sync();
}

void PrincipalDialog::OpenDocument(const std::string& name) {
    OpenDocumentFile(name, m_port);
}

void PrincipalDialog::ExitProcedure() {
    if (!m_model.AskExit()) return;
    if (const FileResult written = WriteConfirmExit(kConfFileName, m_model.ConfirmExit());
        !written) {
        // Leaving goes on; only the preference is lost, and the user is told.
        NoticeWith(m_port, "Conf.txt", written.error, MessageIcon::Exclamation);
    }
    // Windows that may hold unsaved work ask first, and any of them may keep us here.
    if (m_compoundsWindow && !m_compoundsWindow->close()) return;
    std::vector<QPointer<ProblemWindow>> problems = m_staleProblems;
    problems.push_back(m_problem);
    for (const QPointer<ProblemWindow>& problem : problems) {
        if (problem && !problem->close()) return;
    }
    // The element editor and the tools editor may close from inside their own question, so
    // whether they are still on screen is what tells.
    for (QPointer<QWidget> window : {QPointer<QWidget>(ElementEditorDialog::Current()), QPointer<QWidget>(m_toolsDialog)}) {
        if (!window) continue;
        window->close();
        if (window && window->isVisible()) return;
    }
    m_exiting = true;
    if (m_libraryWindow) m_libraryWindow->close();
    if (m_concentrationWindow) m_concentrationWindow->close();
    done(0);
}

void PrincipalDialog::Pull() {
    for (int line = 0; line < 3; ++line)
        m_model.LineText(line) = m_lines[line]->text().toStdString();
    UnitInputs& inputs = m_model.Units().inputs;
    auto text = [this](int id) {
        return static_cast<QLineEdit*>(Control(id))->text().toStdString();
    };
    inputs.purity = text(kPurity);
    inputs.pressure = text(kPressure);
    inputs.temperature = text(kTemperature);
    inputs.molarity = text(kMolarityField);
    inputs.pressureUnit = static_cast<PressureUnit>(
        ComboSelection(*static_cast<QComboBox*>(Control(kPressureUnit))) - 1);
    inputs.temperatureUnit = static_cast<TemperatureUnit>(
        ComboSelection(*static_cast<QComboBox*>(Control(kTemperatureUnit))) - 1);
    const bool amounts = m_model.State() == MainState::Calculant;
    // An amount box whose text differs from the model's was typed in: a datum, even where a result
    // stood. All are compared before any is taken, since taking one clears the results.
    std::vector<std::tuple<int, std::size_t, std::string>> typed;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t k = 0; k < m_boxes[side].size(); ++k) {
            std::string text = m_boxes[side][k]->text().toStdString();
            if (!amounts) {
                m_model.BoxText(side, k + 1) = text;
            } else if (text != m_model.Calculation().Box(side, k + 1).text) {
                typed.emplace_back(side, k + 1, std::move(text));
            }
        }
    }
    for (const auto& [side, slot, text] : typed)
        m_model.TypeAmount(side, slot, text);
}

void PrincipalDialog::BoxNotified(int side, std::size_t slot) {
    if (m_syncing) return;
    Pull();
    if (m_model.State() != MainState::Calculant) m_model.BoxNotified(side, slot);
    Sync();
}

void PrincipalDialog::SyncBoxes(const std::array<std::vector<QRect>, 2>& layout) {
    // Coefficient boxes in manual balancing, amount boxes in calculation mode.
    const bool coefficients = m_model.State() == MainState::Ajustant;
    const bool amounts = m_model.State() == MainState::Calculant;
    std::array<std::vector<QRect>, 2> places = layout;
    if (amounts) {
        for (int side = 0; side < 2; ++side) {
            places[side].clear();
            for (std::size_t slot = 1; slot <= m_model.Count(side); ++slot) {
                places[side].emplace_back(TableLeft(side), m_extra + kTableTop + static_cast<int>(slot - 1) * kTableRow,
                                          60, 16);
            }
        }
    }
    const bool wanted = coefficients || amounts;
    // A box kind that changes (coefficients to amounts) starts over with fresh boxes.
    if (!m_boxes[0].empty() && (m_boxes[0][0]->maxLength() == 5) != coefficients) {
        for (auto& side : m_boxes) {
            for (auto* box : side)
                delete box;
            side.clear();
        }
    }
    const bool created = wanted && m_boxes[0].empty() && m_boxes[1].empty();
    for (int side = 0; side < 2; ++side) {
        auto& boxes = m_boxes[side];
        const std::size_t count = wanted ? places[side].size() : 0;
        while (boxes.size() > count) {
            delete boxes.back();
            boxes.pop_back();
        }
        while (boxes.size() < count) {
            const std::size_t slot = boxes.size() + 1;
            auto* box = new QLineEdit(m_client);
            box->setObjectName(QStringLiteral("id%1").arg(BoxId(side, static_cast<int>(slot))));
            box->setFrame(false);
            box->setAlignment(coefficients ? Qt::AlignCenter : Qt::AlignRight);
            box->setFont(PixelFont("DejaVu Sans", 11));
            box->setMaxLength(coefficients ? 5 : 32);
            Colour(box, kEditColour);
            box->installEventFilter(this);
            connect(box, &QLineEdit::textEdited, this,
                    [this, side, slot] { BoxNotified(side, slot); });
            box->show();
            boxes.push_back(box);
        }
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            boxes[k]->setGeometry(places[side][k]);
            bool result = false;
            QString text;
            if (amounts) {
                const AmountBox& box = m_model.Calculation().Box(side, k + 1);
                text = QString::fromStdString(box.text);
                result = box.result;
            } else {
                text = QString::fromStdString(m_model.BoxText(side, k + 1));
            }
            if (boxes[k]->text() != text) boxes[k]->setText(text);
            // What the program computed reads in the results' blue, what the user typed in black.
            QPalette palette = boxes[k]->palette();
            palette.setColor(QPalette::Text, result ? kResultColour : QColor(Qt::black));
            boxes[k]->setPalette(palette);
        }
    }
    if (created && !m_boxes[0].empty()) m_boxes[0][0]->setFocus();
}

void PrincipalDialog::SyncUnitsGroup() {
    const UnitsGroup& u = m_model.Units();
    const bool on = m_model.State() == MainState::Calculant;
    static_cast<QGroupBox*>(Control(kUnitsGroup))
        ->setTitle(QString::fromStdString(m_model.UnitsCaption()));
    for (int i = 0; i < 5; ++i) {
        auto* radio = static_cast<QRadioButton*>(Control(kUnitRadioGram + i));
        radio->setAutoExclusive(false);
        radio->setChecked(u.unit && static_cast<int>(*u.unit) == i);
        radio->setAutoExclusive(true);
        radio->setVisible(on);
    }
    Control(kUnitSolutionRadio)->setEnabled(u.solutionOffered);
    auto setText = [this](int id, const std::string& text) {
        auto* line = static_cast<QLineEdit*>(Control(id));
        if (line->text().toStdString() != text) line->setText(QString::fromStdString(text));
    };
    setText(kPurity, u.inputs.purity);
    setText(kPressure, u.inputs.pressure);
    setText(kTemperature, u.inputs.temperature);
    setText(kMolarityField, u.inputs.molarity);
    SetComboSelection(*static_cast<QComboBox*>(Control(kPressureUnit)),
                      static_cast<int>(u.inputs.pressureUnit) + 1);
    SetComboSelection(*static_cast<QComboBox*>(Control(kTemperatureUnit)),
                      static_cast<int>(u.inputs.temperatureUnit) + 1);
    for (int id = kPressureLabel; id <= kTemperatureUnit; ++id)
        Control(id)->setEnabled(u.gasFields);
    Control(kMolarityField)->setEnabled(u.molarityField);
    Control(kMolarityLabel)->setEnabled(u.molarityField);
    Control(kPurity)->setEnabled(u.purityField);
    Control(kPurityLabel)->setEnabled(u.purityField);
    for (int id :
         {kPurity, kPurityLabel, kPressureLabel, kPressure, kPressureUnit, kTemperatureLabel,
          kTemperature, kTemperatureUnit, kMolarityLabel, kMolarityField, kUnitsOk}) {
        Control(id)->setVisible(on);
    }
}

void PrincipalDialog::RebuildToolsMenu() {
    // Everything after the separator is a tool.
    const QList<QAction*> actions = m_toolsMenu->actions();
    bool afterSeparator = false;
    for (QAction* action : actions) {
        if (afterSeparator) {
            m_actions.remove(action->data().toInt());
            m_toolsMenu->removeAction(action);
            action->deleteLater();
        }
        if (action->isSeparator()) afterSeparator = true;
    }
    for (std::size_t i = 0; i < m_tools.Count(); ++i) {
        const int id = kToolCommandBase + static_cast<int>(i) + 1;
        QAction* action = m_toolsMenu->addAction(QString::fromStdString(m_tools.Tools()[i].title));
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        m_actions[id] = action;
    }
}

bool PrincipalDialog::ToolsCommand(int id) {
    if (id == kEditToolsCommand) {
        // A dialog that has ended is on its way out.
        if (!m_toolsDialog || !m_toolsDialog->isVisible()) {
            auto* dialog = new ToolsDialog(m_tools, m_port);
            // Saved or not, the menu shows the list as it now is.
            connect(dialog, &QDialog::finished, this, [this] { RebuildToolsMenu(); });
            connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
            m_toolsDialog = dialog;
            dialog->show();
        }
        m_toolsDialog->raise();
        m_toolsDialog->activateWindow();
        return true;
    }
    const int index = id - kToolCommandBase;
    if (index < 1 || index > static_cast<int>(kToolLimit)) return false;
    if (static_cast<std::size_t>(index) <= m_tools.Count())
        StartTool(m_tools.Tools()[static_cast<std::size_t>(index) - 1], m_port);
    return true;
}

LibraryWindow* PrincipalDialog::OpenLibrary() {
    if (!m_libraryWindow || !m_libraryWindow->isVisible()) {
        m_libraryWindow = new LibraryWindow(
            m_library, [this](const Reaction& reaction, const std::string& description) {
                ReceiveReaction(reaction, description);
            });
        m_libraryWindow->show();
    }
    m_libraryWindow->raise();
    m_libraryWindow->activateWindow();
    return m_libraryWindow;
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
    auto* problem = new ProblemWindow(StatementLines(input), ResolutionLines(input), m_port);
    m_problem = problem;
    m_problemGeneration = m_model.CalculationGeneration();
    m_model.SetResolutionWritten();
    PlaceBeside(*problem);
    problem->show();
}

// A window opened from this one goes beside it, so that the equation and the results stay in
// sight; where the screen is too narrow it overlaps as little as it can.
void PrincipalDialog::PlaceBeside(QWidget& window) const {
    const QRect main = frameGeometry();
    QRect available = screen() ? screen()->availableGeometry() : main;
    const QSize size = window.size();
    int x = main.right() + 8;
    if (x + size.width() > available.right()) x = std::max(available.left(), available.right() - size.width());
    const int y = std::clamp(main.top(), available.top(), std::max(available.top(), available.bottom() - size.height()));
    window.move(x, y);
}

void PrincipalDialog::Sync() {
    m_syncing = true;
    for (int side = 0; side < 2; ++side) {
        QListWidget* list = m_lists[side];
        QStringList formulas;
        for (const auto& s : m_model.Substances(side))
            formulas << QString::fromStdString(s.formula);
        ShowItems(*list, formulas);
        for (int row = 0; row < list->count(); ++row) list->item(row)->setToolTip(list->item(row)->text());
        SetListSelection(*list, static_cast<int>(m_model.Selection(side).value_or(0)));
    }
    for (int line = 0; line < 3; ++line) {
        const QString text = QString::fromStdString(m_model.LineText(line));
        if (m_lines[line]->text() != text) m_lines[line]->setText(text);
    }

    const MainControls c = m_model.Controls();
    auto enable = [this](int id, bool on) { Control(id)->setEnabled(on); };
    auto show = [this](int id, bool on) { Control(id)->setVisible(on); };
    enable(kCmdAdjust, c.adjust);
    enable(kCmdAutoAdjust, c.autoAdjust);
    enable(kCmdNew, c.newReaction);
    enable(kCmdProblem, c.problem);
    enable(kCmdSaveReaction, c.save);
    m_actions[kCmdNew]->setEnabled(c.newReaction);
    m_actions[kMenuSaveReaction]->setEnabled(c.save);
    m_actions[kMenuConfirmExit]->setChecked(m_model.ConfirmExit());
    for (int id : {kReactantsLabel, kProductsLabel, kReactantLine, kProductLine, kEquationLine,
                   kEquationLabel, kCmdEquationOk, kCmdEnterReactants, kCmdEnterProducts, kCmdPlus,
                   kCmdMinus, kFontLabel, kFontSize12, kFontSize10}) {
        show(id, c.editingVisible);
    }
    for (int id : {kCmdCalc, kCmdReset, kCmdProblem, kResultLine, kUnitsGroup})
        show(id, c.calculationVisible);
    for (int id = kProductAmounts; id <= kMolesFormed; ++id)
        enable(id, c.calculationVisible);
    show(kBalancedIcon, m_model.BalancedIconVisible());
    static_cast<QRadioButton*>(Control(m_model.FontSizeSelector() == 0 ? kFontSize12 : kFontSize10))
        ->setChecked(true);
    static_cast<QPushButton*>(Control(kCmdAdjust))
        ->setText(QString::fromStdString(m_model.Button10Label()));
    static_cast<QGroupBox*>(Control(kSidesGroup))
        ->setTitle(QString::fromStdString(m_model.GroupCaption()));
    static_cast<QLabel*>(Control(kDescription))
        ->setText(QString::fromStdString(m_model.Description()));

    if (const int extra = EquationExtraHeight(m_model, kClientWidth); extra != m_extra) PlaceUnderEquation(extra);
    SyncBoxes(PaintMainSurface(m_surface, m_model, m_extra));
    SyncUnitsGroup();
    static_cast<QLabel*>(Control(kResultLine))
        ->setText(QString::fromStdString(m_model.ResultLine()));
    show(kResolutionMark, m_model.ResolutionWritten() && m_model.State() == MainState::Calculant);
    // A problem written for another calculation or reaction no longer holds: it goes, unless the
    // user has written in it, which is never dropped without a word.
    if (m_problem && m_problemGeneration != m_model.CalculationGeneration()) {
        if (m_problem->Edited()) {
            m_problem->MarkStale();
            m_staleProblems.push_back(m_problem);  // it stays until the user closes it
            m_problem.clear();
        } else {
            m_problem->close();
        }
    }
    m_client->update();
    m_syncing = false;
}

}  // namespace tovel
