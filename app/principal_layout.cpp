#include "app/principal_layout.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>

#include "app/equation_view.h"
#include "app/main_ids.h"
#include "ui/control_helpers.h"
#include "ui/icons.h"

namespace tovel {

namespace {

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

// The units group takes the place of the entry controls in calculation mode.
void BuildUnitsGroup(PrincipalControls& ui, const std::function<void(int)>& dispatch) {
    const QFont font = PixelFont("DejaVu Sans", 12);
    QWidget* client = ui.client;
    auto place = [&](int id, QWidget* widget, QRect geometry) {
        widget->setGeometry(geometry);
        widget->setFont(font);
        return ui.byId.Keep(id, widget);
    };
    const char* units[] = {"gramo", "mol", "L cn", "L =f(P,T)", "V disolución"};
    const int x[] = {37, 112, 170, 236, 340};
    // The unit and the font buttons share their parent: each set is made exclusive on its own.
    auto* unitButtons = new QButtonGroup(client);
    for (int i = 0; i < 5; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(units[i]), client);
        unitButtons->addButton(radio);
        place(kUnitRadioGram + i, radio, QRect(x[i], 238, 100, 20));
        QObject::connect(radio, &QRadioButton::clicked, radio,
                         [dispatch, i] { dispatch(kUnitRadioGram + i); });
        ui.unitRadios[static_cast<std::size_t>(i)] = radio;
    }
    auto edit = [&](int id, QRect geometry) {
        auto* line = new QLineEdit(client);
        SetBaseColour(*line, kEditColour);
        place(id, line, geometry);
        return line;
    };
    auto text = [&](int id, const QString& caption, QRect geometry) {
        return place(id, new QLabel(caption, client), geometry);
    };
    text(kPurityLabel, QStringLiteral("% pureza"), QRect(37, 264, 60, 22));
    ui.purity = edit(kPurity, QRect(98, 264, 50, 22));
    text(kPressureLabel, QStringLiteral("P"), QRect(168, 264, 12, 22));
    ui.pressure = edit(kPressure, QRect(182, 264, 55, 22));
    ui.pressureUnit = new QComboBox(client);
    place(kPressureUnit, ui.pressureUnit, QRect(240, 264, 62, 22));
    FillCombo(*ui.pressureUnit, "atm;kPa");
    text(kTemperatureLabel, QStringLiteral("T"), QRect(318, 264, 12, 22));
    ui.temperature = edit(kTemperature, QRect(332, 264, 55, 22));
    ui.temperatureUnit = new QComboBox(client);
    place(kTemperatureUnit, ui.temperatureUnit, QRect(390, 264, 56, 22));
    FillCombo(*ui.temperatureUnit, "°C;K");
    text(kMolarityLabel, QStringLiteral("M (mol/L)"), QRect(468, 264, 68, 22));
    ui.molarity = edit(kMolarityField, QRect(538, 264, 55, 22));
    place(kUnitsOk, ui.byId.Button(kUnitsOk, QStringLiteral("ok"), client),
          QRect(690, 250, 50, 26));
}

}  // namespace

void SetBaseColour(QWidget& widget, QColor colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, colour);
    widget.setPalette(palette);
}

QFont PixelFont(const char* family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

Canvas::Canvas(const DrawSurface& surface, std::function<void(QPoint)> clicked, QWidget* parent)
    : QWidget(parent), m_surface(surface), m_clicked(std::move(clicked)) {}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.image);
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    m_clicked(event->position().toPoint());
}

PrincipalControls BuildPrincipalControls(QWidget* parent, const DrawSurface& surface,
                                         const std::function<void(int)>& dispatch,
                                         std::function<void(QPoint)> clicked, QObject* lineFilter,
                                         const QFont& font12, const QFont& font10) {
    PrincipalControls ui;
    ui.byId = ControlRegistry(dispatch);
    auto* client = new Canvas(surface, std::move(clicked), parent);
    ui.client = client;
    client->resize(kClientWidth, kClientHeight);

    // Buttons, labels and groups at their places on the client.
    auto button = [&](int id, const QString& text, QRect geometry) {
        QPushButton* b = ui.byId.Button(id, text, client);
        b->setGeometry(geometry);
        return b;
    };
    auto label = [&](int id, const QString& text, QRect geometry) {
        auto* l = ui.byId.Keep(id, new QLabel(text, client));
        l->setGeometry(geometry);
        return l;
    };
    auto group = [&](int id, const QString& text, QRect geometry) {
        auto* g = ui.byId.Keep(id, new QGroupBox(text, client));
        g->setGeometry(geometry);
        return g;
    };

    ui.description = label(kDescription, QString(), QRect(25, 52, kClientWidth - 49, 18));
    ui.description->setFont(PixelFont("DejaVu Sans Condensed", 13));

    ui.sidesGroup = group(kSidesGroup, QString(), QRect(12, 72, kClientWidth - 24, 254));
    label(kReactantsLabel, QStringLiteral("Reactivos"), QRect(25, 90, 120, 16));
    label(kProductsLabel, QStringLiteral("Productos"), QRect(445, 90, 120, 16));
    // The amount tables beside each list (filled in calculation mode).
    group(kReactantAmounts, QStringLiteral("Inicial"), QRect(155, 90, 122, 124));
    group(kMolesReacted, QStringLiteral("mol r."), QRect(277, 90, 54, 124));
    group(kFinalAmounts, QStringLiteral("Final"), QRect(331, 90, 106, 124));
    group(kProductAmounts, QStringLiteral("Obt."), QRect(575, 90, 100, 124));
    group(kMolesFormed, QStringLiteral("mol"), QRect(675, 90, 90, 124));

    for (int side = 0; side < 2; ++side) {
        auto* list = new QListWidget(client);
        list->setGeometry(side == 0 ? 25 : 445, 108, 128, 106);
        list->setFont(font12);
        list->setItemDelegate(new TableRowDelegate(list));
        // Six rows always fit; a long formula is cut short rather than pushing a scroll bar over
        // the last row.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideRight);
        SetBaseColour(*list, kListColour);
        ui.byId.Keep(side == 0 ? kReactantList : kProductList, list);
        ui.lists[static_cast<std::size_t>(side)] = list;

        auto* line = new QLineEdit(client);
        // The products' line is shorter, so that its "^" stays inside the group's frame.
        line->setGeometry(side == 0 ? 25 : 445, 224, side == 0 ? 300 : 272, 24);
        line->setFont(font12);
        line->setMaxLength(255);
        SetBaseColour(*line, kEditColour);
        line->installEventFilter(lineFilter);
        ui.byId.Keep(side == 0 ? kReactantLine : kProductLine, line);
        ui.lines[static_cast<std::size_t>(side)] = line;
        button(side == 0 ? kCmdEnterReactants : kCmdEnterProducts, QStringLiteral("^"),
               QRect(side == 0 ? 328 : 720, 224, 24, 24))
            ->setToolTip(QStringLiteral("Entrar las fórmulas"));
    }
    button(kCmdPlus, QStringLiteral("+"), QRect(360, 224, 32, 24))
        ->setToolTip(QStringLiteral("Añadir una fórmula al lado actual"));
    button(kCmdMinus, QStringLiteral("-"), QRect(398, 224, 32, 24))
        ->setToolTip(QStringLiteral("Quitar la fórmula seleccionada"));

    label(kEquationLabel, QStringLiteral("Ecuación:"), QRect(25, 260, 70, 24));
    auto* equation = new QLineEdit(client);
    equation->setGeometry(100, 260, 600, 24);
    equation->setFont(font12);
    equation->setMaxLength(255);
    equation->setPlaceholderText(QStringLiteral("H2 + O2 = H2O"));
    SetBaseColour(*equation, kEditColour);
    ui.byId.Keep(kEquationLine, equation);
    ui.lines[static_cast<std::size_t>(EditLine::Equation)] = equation;
    button(kCmdEquationOk, QStringLiteral("ok"), QRect(706, 260, 46, 24));

    label(kFontLabel, QStringLiteral("Fuente:"), QRect(25, 296, 50, 20))->setFont(font10);
    auto* fontButtons = new QButtonGroup(client);
    for (int id : {kFontSize12, kFontSize10}) {
        auto* radio = new QRadioButton(id == kFontSize12 ? "12" : "10", client);
        fontButtons->addButton(radio);
        radio->setGeometry(id == kFontSize12 ? 78 : 122, 296, 44, 20);
        radio->setFont(font10);
        QObject::connect(radio, &QRadioButton::clicked, radio, [dispatch, id] { dispatch(id); });
        ui.byId.Keep(id, radio);
        ui.fontSizes[id == kFontSize12 ? 0 : 1] = radio;
    }
    ui.fontSizes[0]->setChecked(true);

    ui.resultLine = label(kResultLine, QString(), QRect(25, 296, 730, 20));
    ui.resultLine->setFont(font12);
    // The units group takes the place of the entry controls in calculation mode.
    ui.unitsGroup = group(kUnitsGroup, QStringLiteral("Unidades"), QRect(25, 218, 730, 74));
    BuildUnitsGroup(ui, dispatch);

    button(kCmdNew, QStringLiteral("Nueva"), QRect(25, 336, 80, 28));
    ui.adjust = button(kCmdAdjust, QStringLiteral("Ajustar"), QRect(112, 336, 90, 28));
    button(kCmdAutoAdjust, QStringLiteral("Autoajuste"), QRect(209, 336, 100, 28));
    button(kCmdImport, QStringLiteral("importar"), QRect(316, 336, 80, 28));
    button(kCmdSaveReaction, QStringLiteral("guardar"), QRect(403, 336, 80, 28));
    button(kCmdCalc, QStringLiteral("Calc"), QRect(490, 336, 60, 28));
    button(kCmdReset, QStringLiteral("Rst"), QRect(557, 336, 50, 28));
    button(kCmdProblem, QStringLiteral("Problema >"), QRect(614, 336, 100, 28));

    button(kMenuIonElectron, QStringLiteral("Ion-electrón"), QRect(25, 368, 110, 24))
        ->setToolTip(QStringLiteral("Ajuste redox (ion-electrón)"));

    // The yield belongs to the whole reaction, not to the substance the units group shows.
    label(kYieldLabel, QStringLiteral("Rendimiento %"), QRect(150, 368, 92, 24));
    ui.yield = new QLineEdit(client);
    ui.yield->setGeometry(QRect(244, 368, 50, 24));
    ui.yield->setFont(font12);
    SetBaseColour(*ui.yield, kEditColour);
    ui.byId.Keep(kYield, ui.yield);
    ui.yieldFromObtained = new QCheckBox(QStringLiteral("calcularlo de lo obtenido"), client);
    ui.yieldFromObtained->setGeometry(QRect(304, 368, 200, 24));
    ui.yieldFromObtained->setFont(font12);
    ui.yieldFromObtained->setToolTip(
        QStringLiteral("La cantidad escrita de un producto es lo que se obtuvo de verdad"));
    ui.byId.Keep(kYieldFromObtained, ui.yieldFromObtained);
    QObject::connect(ui.yieldFromObtained, &QCheckBox::toggled, ui.yieldFromObtained,
                     [dispatch] { dispatch(kYieldFromObtained); });

    auto* balanced = label(kBalancedIcon, QString(), QRect(724, 334, 32, 32));
    balanced->setPixmap(LoadPictureByName("BeIcon", QSize(32, 32)));
    balanced->setToolTip(QStringLiteral("Ecuación ajustada"));
    auto* mark =
        label(kResolutionMark, QStringLiteral("Resolución escrita"), QRect(614, 366, 140, 16));
    mark->setFont(font10);
    mark->hide();
    return ui;
}

void ShowUnitsGroup(PrincipalControls& ui, const UnitsGroup& u, const std::string& caption,
                    bool on) {
    ui.unitsGroup->setTitle(QString::fromStdString(caption));
    for (std::size_t i = 0; i < ui.unitRadios.size(); ++i) {
        QRadioButton* radio = ui.unitRadios[i];
        radio->setChecked(static_cast<std::size_t>(u.unit) == i);
        radio->setVisible(on);
    }
    ui.unitRadios[static_cast<std::size_t>(AmountUnit::Solution)]->setEnabled(u.solutionOffered);
    auto setText = [](QLineEdit* line, const std::string& text) {
        if (line->text().toStdString() != text) line->setText(QString::fromStdString(text));
    };
    setText(ui.purity, u.inputs.purity);
    setText(ui.pressure, u.inputs.pressure);
    setText(ui.temperature, u.inputs.temperature);
    setText(ui.molarity, u.inputs.molarity);
    SetComboSelection(*ui.pressureUnit, static_cast<int>(u.inputs.pressureUnit) + 1);
    SetComboSelection(*ui.temperatureUnit, static_cast<int>(u.inputs.temperatureUnit) + 1);
    for (int id = kPressureLabel; id <= kTemperatureUnit; ++id)
        ui.byId.Control(id)->setEnabled(u.gasFields);
    for (int id : {kMolarityField, kMolarityLabel})
        ui.byId.Control(id)->setEnabled(u.molarityField);
    for (int id : {kPurity, kPurityLabel})
        ui.byId.Control(id)->setEnabled(u.purityField);
    for (int id :
         {kPurity, kPurityLabel, kPressureLabel, kPressure, kPressureUnit, kTemperatureLabel,
          kTemperature, kTemperatureUnit, kMolarityLabel, kMolarityField, kUnitsOk}) {
        ui.byId.Control(id)->setVisible(on);
    }
}

void ReadUnitsGroup(const PrincipalControls& ui, UnitInputs& inputs) {
    inputs.purity = ui.purity->text().toStdString();
    inputs.pressure = ui.pressure->text().toStdString();
    inputs.temperature = ui.temperature->text().toStdString();
    inputs.molarity = ui.molarity->text().toStdString();
    inputs.pressureUnit = static_cast<PressureUnit>(ComboSelection(*ui.pressureUnit) - 1);
    inputs.temperatureUnit = static_cast<TemperatureUnit>(ComboSelection(*ui.temperatureUnit) - 1);
}

PrincipalMenu BuildPrincipalMenu(QWidget* parent, const std::function<void(int)>& dispatch) {
    PrincipalMenu result;
    result.bar = new QMenuBar(parent);
    auto add = [&](QMenu* menu, int id, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setData(id);
        QObject::connect(action, &QAction::triggered, action, [dispatch, id] { dispatch(id); });
        result.actions[id] = action;
        return action;
    };
    QMenu* file = result.bar->addMenu(QStringLiteral("&Archivo"));
    add(file, kCmdNew, QStringLiteral("&Nueva reacción"));
    add(file, kMenuSaveReaction, QStringLiteral("&Guardar reacción"));
    add(file, kMenuOpenProblem, QStringLiteral("&Abrir problema"));
    file->addSeparator();
    add(file, kMenuConfirmExit, QStringLiteral("Confirmación salida"))->setCheckable(true);
    add(file, kCmdExit, QStringLiteral("&Salir"));
    QMenu* equation = result.bar->addMenu(QStringLiteral("&Ecuación"));
    add(equation, kMenuExplainBalance, QStringLiteral("Ajuste &paso a paso"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* numbers =
        add(equation, kMenuOxidationNumbers, QStringLiteral("Números de &oxidación"));
    numbers->setCheckable(true);
    numbers->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    add(equation, kMenuRedox, QStringLiteral("Análisis &redox"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    add(equation, kMenuIonElectron, QStringLiteral("Ajuste redox (&ion-electrón)"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    QMenu* data = result.bar->addMenu(QStringLiteral("Datos"));
    add(data, kMenuAtomicMasses, QStringLiteral("&Masas atómicas"));
    add(data, kMenuElementFile, QStringLiteral("&Fichero de elementos"));
    add(data, kMenuCompounds, QStringLiteral("&Compuestos usuales"));
    add(data, kMenuLibrary, QStringLiteral("&Reacciones tipo"));
    QMenu* tools = result.bar->addMenu(QStringLiteral("Utilidades"));
    add(tools, kMenuConcentrations, QStringLiteral("Cálculo concentraciones"));
    add(tools, kMenuSheet, QStringLiteral("Hoja de problemas..."));
    add(tools, kMenuFormulation, QStringLiteral("Formulación..."));
    add(tools, kMenuFormulas, QStringLiteral("Fórmulas..."));
    add(tools, kMenuToolsEditor, QStringLiteral("Edición utilidades"));
    tools->addSeparator();
    result.tools = tools;
    QMenu* info = result.bar->addMenu(QStringLiteral("&Info"));
    add(info, kMenuInfo, QStringLiteral("&Info"));
    add(info, kMenuDonation, QStringLiteral("&Donación gratificada"));
    add(info, kMenuAbout, QStringLiteral("&Respecto a Tovel"));
    return result;
}

}  // namespace tovel
