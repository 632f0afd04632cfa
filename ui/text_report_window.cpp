#include "ui/text_report_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/report_actions.h"

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

    m_offer = new QPushButton(this);
    m_offer->setAutoDefault(false);
    m_offer->hide();
    connect(m_offer, &QPushButton::clicked, this, [this] {
        if (m_open) m_open();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addWidget(m_offer);
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

void TextReportWindow::SetOffer(int id, const QString& text, std::function<void()> open) {
    m_offer->setText(text);
    m_offer->setProperty("controlId", id);
    m_open = std::move(open);
}

void TextReportWindow::ShowOffer(bool shown) {
    m_offer->setVisible(shown && m_open);
}

QPushButton* TextReportWindow::Button(int id) const {
    if (m_offer && m_offer->property("controlId").toInt() == id && id != 0) return m_offer;
    return qobject_cast<QPushButton*>(m_controls.Control(id));
}

void TextReportWindow::Dispatch(int id) {
    switch (id) {
        case kSave:
            SaveReport(m_port, windowTitle().toStdString(), m_lines);
            return;
        case kCopy:
            // The selection when there is one, else the whole text.
            CopyReport(
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
