#pragma once
// The program's own icons and pictures, kept as SVG in the resources.

#include <QIcon>
#include <QPixmap>
#include <string>

#include "ui/draw_toolkit.h"

namespace tovel {

// The named icon ("AReacIcon", "BeIcon", "SortirIc", "IcQuim") rendered at size; a null pixmap
// for an unknown name.
QPixmap LoadPictureByName(const std::string& name, QSize size);
QIcon LoadIconByName(const std::string& name);
// Draws the named icon at (x, y) on the surface, at its own size.
void DrawIconAt(DrawSurface& surface, int x, int y, const std::string& name, QSize size);
void SetWindowIconByName(QWidget& window, const std::string& name);

}  // namespace tovel
