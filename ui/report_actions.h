#pragma once
// What every window that shows a worked text does with it: "Guardar" appends it to a text file of
// the user's, as saved problems are, and "Copiar" puts it on the clipboard.

#include <QString>
#include <string>
#include <vector>

#include "core/user_port.h"

namespace tovel {

// Asks for the file and appends the lines; a failure is told in a box titled title.
void SaveReport(UserPort& port, const std::string& title, const std::vector<std::string>& lines);

// Puts text on the clipboard; lines each end in a line break.
void CopyReport(const QString& text);
void CopyReport(const std::vector<std::string>& lines);

// The text with each formula in it set as it is drawn: counts as subscripts, charges as
// superscripts (MnO4^- is MnO<sub>4</sub><sup>−</sup>), the rest HTML-escaped. A word that is no
// formula, and a number standing alone (a coefficient), stay as they are.
QString FormulaHtml(const std::string& text);

}  // namespace tovel
