#pragma once
// The main window's controls and menu, built once and kept as typed pointers, so that the window
// itself only dispatches commands and shows the model. Every control also keeps its id, named
// in main_ids.h, for the tests and the screenshots that reach it by id.

#include <QColor>
#include <QMap>
#include <QWidget>
#include <array>
#include <functional>

#include "app/main_model.h"
#include "ui/control_registry.h"
#include "ui/draw_toolkit.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace tovel {

// The client area for a one-line equation; a longer equation makes it taller.
constexpr int kClientWidth = 780;
constexpr int kClientHeight = 400;
inline const QColor kEditColour(217, 255, 250);
inline const QColor kListColour(181, 255, 226);
inline const QColor kWindowBackground(246, 255, 240);

// Sets the colour a line edit or a list paints its text area with.
void SetBaseColour(QWidget& widget, QColor colour);
QFont PixelFont(const char* family, int pixels);

// The client area: shows the painted surface under the controls, and reports clicks on it.
class Canvas : public QWidget {
  public:
    Canvas(const DrawSurface& surface, std::function<void(QPoint)> clicked, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const DrawSurface& m_surface;
    std::function<void(QPoint)> m_clicked;
};

struct PrincipalControls {
    Canvas* client = nullptr;
    std::array<QListWidget*, 2> lists{};
    std::array<QLineEdit*, 3> lines{};  // by EditLine
    QLabel* description = nullptr;
    QGroupBox* sidesGroup = nullptr;
    QPushButton* adjust = nullptr;             // "Ajustar", "acepta", "Cálculos"
    std::array<QRadioButton*, 2> fontSizes{};  // "12", "10"
    QLabel* resultLine = nullptr;
    // The units group of calculation mode.
    QGroupBox* unitsGroup = nullptr;
    std::array<QRadioButton*, kAmountUnitCount> unitRadios{};
    QLineEdit* purity = nullptr;
    QLineEdit* pressure = nullptr;
    QComboBox* pressureUnit = nullptr;
    QLineEdit* temperature = nullptr;
    QComboBox* temperatureUnit = nullptr;
    QLineEdit* molarity = nullptr;
    QLineEdit* yield = nullptr;  // "Rendimiento %"
    QCheckBox* yieldFromObtained = nullptr;
    ControlRegistry byId;  // every control by its id
};

struct PrincipalMenu {
    QMenuBar* bar = nullptr;
    QMenu* tools = nullptr;       // "Utilidades": the tools go after its separator
    QMap<int, QAction*> actions;  // by command id
};

// Builds the controls on a new Canvas of parent, showing surface. Buttons, radio buttons and
// the units group's "ok" send their id to dispatch; a click on the canvas goes to clicked; the
// side lines report their events to lineFilter.
PrincipalControls BuildPrincipalControls(QWidget* parent, const DrawSurface& surface,
                                         const std::function<void(int)>& dispatch,
                                         std::function<void(QPoint)> clicked, QObject* lineFilter,
                                         const QFont& font12, const QFont& font10);

// The units group shows the model's units group (on: in calculation mode), and gives back what
// the user typed in it.
void ShowUnitsGroup(PrincipalControls& ui, const UnitsGroup& units, const std::string& caption,
                    bool on);
void ReadUnitsGroup(const PrincipalControls& ui, UnitInputs& inputs);

// The menu bar of the main window; every item sends its id to dispatch.
PrincipalMenu BuildPrincipalMenu(QWidget* parent, const std::function<void(int)>& dispatch);

}  // namespace tovel
