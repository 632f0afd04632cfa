#include "ui/report_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>

#include "core/messages.h"
#include "core/text_runs.h"
#include "system/file_helpers.h"
#include "system/text_file.h"

namespace tovel {

void SaveReport(UserPort& port, const std::string& title, const std::vector<std::string>& lines) {
    std::string path;
    if (!ChooseFileToSave(port, path, ".txt")) return;
    const FileResult saved = AppendBlock(path, lines);
    QDir::setCurrent(QString::fromStdString(StartDirectory()));
    if (!saved) NoticeWith(port, title, saved.error, MessageIcon::Exclamation);
}

void CopyReport(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void CopyReport(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + '\n';
    CopyReport(text);
}

QString FormulaHtml(const std::string& text) {
    return QString::fromStdString(RunsHtml(FormulaRuns(text)));
}

}  // namespace tovel
