#include "exercises/problem_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/messages.h"
#include "exercises/problem_text.h"
#include "system/file_helpers.h"
#include "system/launch.h"
#include "system/text_file.h"

namespace tovel {

namespace {

QString ShownText(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return QString::fromStdString(ShowSeparators(text));
}

}  // namespace

ProblemWindow::ProblemWindow(const std::vector<std::string>& statement,
                             const std::vector<std::string>& resolution, UserPort& port,
                             const std::vector<std::string>& balancing, QWidget* parent)
    : QDialog(parent), m_port(port), m_balancing(balancing) {
    setWindowTitle(QStringLiteral("Problema"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(
        QStringLiteral("QDialog, QLabel { background: rgb(209, 224, 255); }"
                       "QPlainTextEdit { background: rgb(255, 255, 250); }"));

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("Archivo"));
    connect(file->addAction(QStringLiteral("Guardar problema")), &QAction::triggered, this,
            [this] { Dispatch(kSave); });
    connect(file->addAction(QStringLiteral("Ver fichero")), &QAction::triggered, this,
            [this] { Dispatch(kViewFile); });
    m_addBalancing = file->addAction(QStringLiteral("Añadir ajuste paso a paso"));
    m_addBalancing->setEnabled(!m_balancing.empty());
    connect(m_addBalancing, &QAction::triggered, this, [this] { Dispatch(kAddBalancing); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("&Salir")), &QAction::triggered, this,
            [this] { Dispatch(kExit); });

    // A fixed-width face keeps the tab-separated columns of the tables in line.
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(12);
    auto box = [&](int id) {
        auto* edit = m_controls.Keep(id, new QPlainTextEdit(this));
        edit->setFont(font);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(' '));
        return edit;
    };
    m_statement = box(kStatement);
    m_resolution = box(kResolution);
    m_statement->setPlainText(ShownText(statement));
    m_resolution->setPlainText(ShownText(resolution));
    for (QPlainTextEdit* edit : {m_statement, m_resolution})
        edit->document()->setModified(false);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(new QLabel(QStringLiteral("Posible enunciado"), this));
    layout->addWidget(m_statement, 1);
    layout->addWidget(new QLabel(QStringLiteral("Resolución"), this));
    layout->addWidget(m_resolution, 3);
    resize(820, 600);

    m_resolution->setFocus();
    m_resolution->moveCursor(QTextCursor::Start);
}

bool ProblemWindow::Edited() const {
    return m_statement->document()->isModified() || m_resolution->document()->isModified();
}

void ProblemWindow::MarkStale() {
    setWindowTitle(QStringLiteral("Problema (de un cálculo anterior)"));
}

void ProblemWindow::reject() {
    close();
}

void ProblemWindow::closeEvent(QCloseEvent* event) {
    if (Edited()) {
        switch (AskYesNoCancelWith(
            m_port, "Problema modificado",
            "Se ha cambiado el enunciado o la resolución.\r\n¿Guardar el problema antes de cerrar?",
            MessageIcon::Question)) {
            case kAnswerYes:
                if (!Save()) {
                    event->ignore();
                    return;
                }
                break;
            case kAnswerNo:
                break;
            default:
                event->ignore();
                return;
        }
    }
    event->accept();
}

QPlainTextEdit* ProblemWindow::Box(int id) const {
    return qobject_cast<QPlainTextEdit*>(m_controls.Control(id));
}

void ProblemWindow::Dispatch(int id) {
    switch (id) {
        case kSave:
            Save();
            break;
        case kViewFile:
            OpenChosenDocument(m_port);
            break;
        case kAddBalancing: {
            if (!m_addBalancing->isEnabled()) break;
            // Written by the program, not the user: it does not count as an edit.
            const bool edited = m_resolution->document()->isModified();
            // An empty line after the resolution, a heading, an empty line, the steps.
            std::vector<std::string> added = {"", "", "Ajuste paso a paso:", ""};
            added.insert(added.end(), m_balancing.begin(), m_balancing.end());
            m_resolution->moveCursor(QTextCursor::End);
            m_resolution->insertPlainText(ShownText(added));
            m_resolution->document()->setModified(edited);
            m_addBalancing->setEnabled(false);
            break;
        }
        case kExit:
            close();
            break;
        default:
            break;
    }
}

std::vector<std::string> ProblemWindow::Lines(int id) const {
    std::vector<std::string> lines;
    for (const QString& line : Box(id)->toPlainText().split('\n'))
        lines.push_back(StoreSeparators(line.toStdString()));
    return lines;
}

bool ProblemWindow::Save() {
    std::string path;
    if (!ChooseFileToSave(m_port, path, ".txt")) return false;
    std::vector<std::string> lines = Lines(kStatement);
    const std::vector<std::string> resolution = Lines(kResolution);
    lines.insert(lines.end(), resolution.begin(), resolution.end());
    const FileResult saved = AppendBlock(path, lines);
    QDir::setCurrent(QString::fromStdString(StartDirectory()));
    if (!saved) {
        NoticeWith(m_port, "Guardar problema", saved.error, MessageIcon::Exclamation);
        return false;
    }
    // What is on screen is now in the file.
    for (QPlainTextEdit* edit : {m_statement, m_resolution})
        edit->document()->setModified(false);
    return true;
}

}  // namespace tovel
