#include "ui/qt_user_port.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMap>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>

namespace tovel {

namespace {

// Room a title bar takes beside its text: the window icon and the close, maximise and minimise
// buttons, with their margins.
constexpr int kTitleBarAllowance = 140;

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The caption carries the meaning of most messages, and a box sized to a short text lets the
// window manager cut it: the box is made wide enough for the whole caption in a bold title face,
// beside the title bar's icon and buttons.
void FitCaption(QMessageBox& box, const QString& caption) {
    QFont title = box.font();
    title.setBold(true);
    const int needed =
        QFontMetrics(title).horizontalAdvance(caption.trimmed()) + kTitleBarAllowance;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int QtUserPort::ShowMessage(const Message& message) {
    // The text's line breaks are CR, CR LF or LF; the box shows each as one new line.
    QString text = QString::fromStdString(message.text);
    text.replace("\r\n", "\n").replace('\r', '\n');
    QMessageBox box(IconOf(message.icon), QString::fromStdString(message.caption), text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    // Buttons in Spanish, mapped back to the answer codes.
    QMap<QAbstractButton*, int> answers;
    std::size_t added = 0;
    auto add = [&](const QString& text, QMessageBox::ButtonRole role, int answer) {
        const QString shown = added < message.buttonTexts.size()
                                  ? QString::fromStdString(message.buttonTexts[added])
                                  : text;
        ++added;
        answers[box.addButton(shown, role)] = answer;
    };
    switch (message.buttons) {
        case MessageButtons::Ok:
            add(QStringLiteral("Aceptar"), QMessageBox::AcceptRole, kAnswerOk);
            break;
        case MessageButtons::YesNo:
            add(QStringLiteral("Sí"), QMessageBox::YesRole, kAnswerYes);
            add(QStringLiteral("No"), QMessageBox::NoRole, kAnswerNo);
            break;
        case MessageButtons::YesNoCancel:
            add(QStringLiteral("Sí"), QMessageBox::YesRole, kAnswerYes);
            add(QStringLiteral("No"), QMessageBox::NoRole, kAnswerNo);
            add(QStringLiteral("Cancelar"), QMessageBox::RejectRole, kAnswerCancel);
            break;
    }
    FitCaption(box, box.windowTitle());
    // Enter presses the default answer; Esc is the cautious one (Cancel, No, or OK).
    const int escape = message.buttons == MessageButtons::YesNoCancel ? kAnswerCancel
                       : message.buttons == MessageButtons::YesNo     ? kAnswerNo
                                                                      : kAnswerOk;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it) {
        if (it.value() == escape) box.setEscapeButton(it.key());
        if (it.value() == message.defaultAnswer)
            box.setDefaultButton(qobject_cast<QPushButton*>(it.key()));
    }
    box.exec();
    const int answer = answers.value(box.clickedButton(), 0);
    return answer != 0 ? answer : escape;
}

void QtUserPort::OpenElementEditor(ElementTable& table, const std::string& symbol) {
    if (elementEditor) elementEditor(table, symbol);
}

bool QtUserPort::ChooseFile(FileChooserMode mode, std::string& path) {
    // The chooser may change folders; the program's files are found by bare name in the
    // current folder, so it is restored afterwards.
    const QString current = QDir::currentPath();
    const QString initial = QString::fromStdString(path);
    // Problems and cases are saved as text, problem sheets also as PDF or for Moodle (the
    // initial name tells); what is opened may be any document or program.
    QString text = QStringLiteral("Ficheros de texto (*.txt)");
    if (initial.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        text = QStringLiteral("Documentos PDF (*.pdf)");
    if (initial.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive))
        text = QStringLiteral("Preguntas para Moodle (*.xml)");
    const QString all = QStringLiteral("Todos los ficheros (*)");
    const QString chosen =
        mode == FileChooserMode::Open
            ? QFileDialog::getOpenFileName(nullptr, QString(), initial, all + ";;" + text)
            : QFileDialog::getSaveFileName(nullptr, QString(), initial, text + ";;" + all, nullptr,
                                           QFileDialog::DontConfirmOverwrite);
    QDir::setCurrent(current);
    if (chosen.isEmpty()) return false;
    path = chosen.toStdString();
    return true;
}

bool QtUserPort::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath()));
}

bool QtUserPort::StartProgram(const std::string& program, const std::vector<std::string>& args,
                              const std::string& workingDir, bool wait) {
    QStringList arguments;
    for (const auto& a : args)
        arguments << QString::fromStdString(a);
    const QString folder = QString::fromStdString(workingDir);
    if (!wait) {
        return QProcess::startDetached(QString::fromStdString(program), arguments, folder);
    }
    // Waiting keeps the windows painted: a local event loop runs until the program ends.
    QProcess process;
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process.start(QString::fromStdString(program), arguments);
    if (!process.waitForStarted()) return false;
    if (process.state() != QProcess::NotRunning) loop.exec();
    return process.exitStatus() == QProcess::NormalExit;
}

}  // namespace tovel
