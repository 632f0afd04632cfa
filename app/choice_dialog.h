#pragma once
// A small dialog offering n choices: it returns the 1-based number of the choice taken, n + 1
// for its confirm button (command 0) and 0 when it is cancelled (commands 1 and 2, Esc).

#include <QDialog>
#include <QStringList>

namespace tovel {

class ChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    ChoiceDialog(const QString& title, const QStringList& choices, QWidget* parent = nullptr);
    // Ends the dialog as the command with this id would: 0, 1, 2 or 101..100 + n; other ids
    // are ignored.
    void Command(int id);

  private:
    int m_count;
};

int RunChoiceDialog(const QString& title, const QStringList& choices);

}  // namespace tovel
