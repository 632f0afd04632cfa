#pragma once
// Qt's own texts (file choosers, standard buttons, context menus of edit lines) in Spanish, as
// every other text of the program.

class QCoreApplication;

namespace tovel {

// Before the application object exists: Qt's own windows (the file chooser's dates) write dates
// as Spain does, whatever language the desktop runs in.
void UseSpanishDates();

// Loads and installs Qt's Spanish translation; false when it is not installed (the texts then
// stay in English, and nothing else changes).
bool InstallSpanishQtTexts(QCoreApplication& app);

}  // namespace tovel
