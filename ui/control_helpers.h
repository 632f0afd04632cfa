#pragma once
// Control conventions shared by every window: list and combo positions are 1-based (0 is
// "none"), item lists come as ";"-separated texts, numbers are read with an error flag.

#include <QString>
#include <QStringList>
#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QAbstractButton;
class QPlainTextEdit;
template <typename T>
class QList;

namespace tovel {

int ListSelection(const QListWidget& list);
void SetListSelection(QListWidget& list, int position);
// Replaces the list's items with those of a ";"-separated text, numbered "[n] " when asked.
void FillList(QListWidget& list, const std::string& items, bool numbered = false);
// Puts text at position (1-based), appending when the position is past the end.
void ReplaceListItem(QListWidget& list, int position, const QString& text);
// Deletes the selected item and selects the next one, or the new last one.
void DeleteSelectedListItem(QListWidget& list);

int ComboSelection(const QComboBox& combo);
void SetComboSelection(QComboBox& combo, int position);
void FillCombo(QComboBox& combo, const std::string& items);

double ReadReal(const QLineEdit& edit, int& error);
long long ReadInteger(const QLineEdit& edit, int& error);

// Shows items in the list (or combo box) unless it shows them already, so that a refresh does
// not lose the user's place.
void ShowItems(QListWidget& list, const QStringList& items);
void ShowItems(QComboBox& combo, const QStringList& items);

// The 1-based position of the checked button (the last one when several are), 0 when none.
int CheckedPosition(const QList<QAbstractButton*>& buttons);

// The current text, CR LF (a new line) when it is not empty, then the line.
void AppendLine(QPlainTextEdit& edit, const QString& line);

}  // namespace tovel
