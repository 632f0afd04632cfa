#pragma once
// The painted band of the main window: the frame of the equation area and, by state, the start
// sample, the equation as entered or the balanced equation; and the exit icon.

#include <QPoint>
#include <QRect>
#include <array>
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
constexpr int TableLeft(int side) { return side == 0 ? 155 : 575; }

// Where the coefficient boxes go in front of each formula, by side and slot.
using BoxLayout = std::array<std::vector<QRect>, 2>;

// Paints the band for the model's state; in manual balancing it draws the formulas, " + " and
// the arrow around the coefficient boxes and returns where the boxes go.
BoxLayout PaintMainSurface(DrawSurface& surface, const MainModel& model);

}  // namespace tovel
