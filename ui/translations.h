#pragma once
// Qt's own texts (file choosers, standard buttons, context menus of edit lines) in Spanish, as
// every other text of the program.

class QCoreApplication;

namespace tovel {

// Loads and installs Qt's Spanish translation; false when it is not installed (the texts then
// stay in English, and nothing else changes).
bool InstallSpanishQtTexts(QCoreApplication& app);

}  // namespace tovel
