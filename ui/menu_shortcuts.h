#pragma once
// A window's menu shortcuts work wherever its focus is. A line edit claims some control keys for
// its own editing (Ctrl+E moves to the end of the line on X11), which would swallow the menu's
// Ctrl+E while the cursor is in a line.

class QWidget;

namespace tovel {

// From now on, a key that is the shortcut of an enabled action of window triggers that action,
// whichever of the window's widgets has the focus.
void KeepMenuShortcuts(QWidget& window);

}  // namespace tovel
