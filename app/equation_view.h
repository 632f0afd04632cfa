#pragma once
// The painted band of the main window: the frame of the equation area and, by state, the start
// sample, the equation as entered or the balanced equation; and the exit icon.

#include <QPoint>

#include "draw_toolkit.h"
#include "main_model.h"

namespace tovel {

// The equation's origin for the chosen size: 4 pixels lower with the small font.
QPoint EquationOrigin(int fontSizeSelector);

void PaintMainSurface(DrawSurface& surface, const MainModel& model);

}  // namespace tovel
