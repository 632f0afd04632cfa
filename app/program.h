#pragma once
// What the program body sets up once for the whole run.

#include <QColor>
#include <array>

#include "element_table.h"

namespace tovel {

// The element table of the run: the one the program body loads and every window works on.
inline ElementTable& ProgramElementTable() {
    static ElementTable table;
    return table;
}

constexpr const char* kVersionText = " V2.0";

// The shared colours of the program's windows.
inline const std::array<QColor, 9>& ProgramPalette() {
    static const std::array<QColor, 9> palette = {
        QColor(255, 255, 255), QColor(0, 180, 255),   QColor(171, 207, 255),
        QColor(0, 176, 122),   QColor(246, 255, 240), QColor(212, 255, 238),
        QColor(255, 255, 199), QColor(255, 231, 176), QColor(255, 240, 240)};
    return palette;
}

}  // namespace tovel
