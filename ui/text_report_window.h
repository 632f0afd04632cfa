#pragma once
// A window that shows a worked explanation as plain text: fixed-width, selectable, not editable,
// with "Guardar" (appended to a text file of the user's, as saved problems are) and "Copiar".

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "ui/control_registry.h"

class QPlainTextEdit;
class QPushButton;

namespace tovel {

class TextReportWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int { kExit = 2, kText = 100, kSave = 201, kCopy = 202 };

    // title names the window and the messages of its saves.
    TextReportWindow(const QString& title, const std::vector<std::string>& lines, UserPort& port,
                     QWidget* parent = nullptr);

    // Shows other lines (the equation changed while the window was open).
    void SetLines(const std::vector<std::string>& lines);
    // A button beside Copiar that opens another window on the same text ("Ion-electrón…" in the
    // redox analysis), shown only while offered.
    void SetOffer(int id, const QString& text, std::function<void()> open);
    void ShowOffer(bool shown);
    const std::vector<std::string>& Lines() const { return m_lines; }
    void Dispatch(int id);
    QPlainTextEdit* Text() const { return m_text; }
    QPushButton* Button(int id) const;

  private:
    UserPort& m_port;
    std::vector<std::string> m_lines;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_offer = nullptr;
    std::function<void()> m_open;
};

}  // namespace tovel
