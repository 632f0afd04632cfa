#pragma once
// What the program body sets up once for the whole run.

#include <QColor>
#include <array>

namespace tovel {

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
