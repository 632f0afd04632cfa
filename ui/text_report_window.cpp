#include "ui/text_report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/messages.h"
#include "system/file_helpers.h"
#include "system/text_file.h"

namespace tovel {

namespace {

QString Joined(const std::vector<std::string>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += QString::fromStdString(lines[i]);
    }
    return text;
}

}  // namespace

TextReportWindow::TextReportWindow(const QString& title, const std::vector<std::string>& lines,
                                   UserPort& port, QWidget* parent)
    : QDialog(parent), m_port(port) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    m_text = m_controls.Keep(kText, new QPlainTextEdit(this));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(12);
    m_text->setFont(font);

    // Enter in the text must not save or close; only a button pressed does, as none of them
    // is an Enter default.
    QPushButton* save = m_controls.Button(kSave, QStringLiteral("&Guardar"), this);
    QPushButton* copy = m_controls.Button(kCopy, QStringLiteral("&Copiar"), this);
    QPushButton* close = m_controls.Button(kExit, QStringLiteral("C&errar"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    SetLines(lines);
    m_text->setFocus();
}

void TextReportWindow::SetLines(const std::vector<std::string>& lines) {
    m_lines = lines;
    m_text->setPlainText(Joined(lines));
    // Wide and tall enough for the whole text where the screen allows, so nothing is cut.
    const QFontMetrics metrics(m_text->font());
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    const int width = std::clamp(widest + 60, 420, 1000);
    const int height =
        std::clamp(static_cast<int>(lines.size()) * metrics.lineSpacing() + 90, 240, 700);
    resize(width, height);
}

QPushButton* TextReportWindow::Button(int id) const {
    return qobject_cast<QPushButton*>(m_controls.Control(id));
}

void TextReportWindow::Dispatch(int id) {
    switch (id) {
        case kSave: {
            std::string path;
            if (!ChooseFileToSave(m_port, path, ".txt")) return;
            const FileResult saved = AppendBlock(path, m_lines);
            QDir::setCurrent(QString::fromStdString(StartDirectory()));
            if (!saved) {
                NoticeWith(m_port, windowTitle().toStdString(), saved.error,
                           MessageIcon::Exclamation);
            }
            return;
        }
        case kCopy:
            // The selection when there is one, else the whole text.
            QApplication::clipboard()->setText(
                m_text->textCursor().hasSelection()
                    ? m_text->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n')
                    : m_text->toPlainText());
            return;
        case kExit:
            close();
            return;
        default:
            return;
    }
}

}  // namespace tovel
