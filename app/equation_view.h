#pragma once
// The painted band of the main window: the frame of the equation area and, by state, the start
// sample, the equation as entered or the balanced equation; and the exit icon.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <array>
#include <string>
#include <vector>

#include "app/main_model.h"
#include "ui/draw_toolkit.h"

namespace tovel {

// The face and size the equation is drawn with: 0 is "12", 1 is "10".
FontSpec EquationFont(int fontSizeSelector);

// The equation's origin for the chosen size: 4 pixels lower with the small font.
QPoint EquationOrigin(int fontSizeSelector);

// The amount tables of calculation mode: each side's starts at the right edge of its list, the
// first row level with the top of the lists, rows 17 pixels apart.
constexpr int kTableTop = 108;
constexpr int kTableRow = 17;
constexpr int TableLeft(int side) {
    return side == 0 ? 155 : 575;
}
// Computed amounts, in the tables and in the boxes the program fills.
inline const QColor kResultColour(0, 0, 240);

// What a substance's row of the amount tables shows: the unit name (with a reactant's
// qualifier) and, once calculated, the moles reacted ("mol r.") or formed ("mol") and, for a
// reactant, the final amount with its unit. Empty texts are not drawn.
struct AmountRow {
    std::string unit;
    std::string moles;
    std::string final;
};
AmountRow AmountTableRow(const MainModel& model, int side, std::size_t slot);

// Where the coefficient boxes go in front of each formula, by side and slot.
using BoxLayout = std::array<std::vector<QRect>, 2>;

// The equation is wrapped inside its frame, which ends this far from the window's right edge
// (with room for a " + " after the last term of a line).
constexpr int kEquationRightMargin = 32;
int EquationLineHeight(int fontSizeSelector);
// The height the equation needs beyond the one line the window is laid out for: everything
// under the equation's frame moves down by it.
int EquationExtraHeight(const MainModel& model, int width);

// Paints the window for the model's state, the equation's frame extra pixels taller and the
// amount tables extra pixels lower; in manual balancing it draws the formulas, " + " and the
// arrow around the coefficient boxes and returns where the boxes go.
BoxLayout PaintMainSurface(DrawSurface& surface, const MainModel& model, int extra);

}  // namespace tovel
