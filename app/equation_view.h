#pragma once
// The painted band of the main window: the frame of the equation area and, by state, the start
// sample, the equation as entered or the balanced equation; and the exit icon.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <array>
#include <string>
#include <vector>

#include "draw_toolkit.h"
#include "main_model.h"

namespace tovel {

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

// Paints the band for the model's state; in manual balancing it draws the formulas, " + " and
// the arrow around the coefficient boxes and returns where the boxes go.
BoxLayout PaintMainSurface(DrawSurface& surface, const MainModel& model);

}  // namespace tovel
