#include "ui/report_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>

#include "core/formula.h"
#include "core/messages.h"
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

namespace {

// A formula's display marks ("H_2SO_4", "Fe^3^+") as HTML.
QString MarkedHtml(const std::string& marked) {
    QString html;
    std::string plain;  // UTF-8 bytes between marks (the hydrate dot is two)
    const auto flush = [&] {
        html += QString::fromStdString(plain).toHtmlEscaped();
        plain.clear();
    };
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const char c = marked[i];
        if ((c == '_' || c == '^') && i + 1 < marked.size()) {
            flush();
            const char next = marked[++i];
            const QString character = next == '-' ? QStringLiteral("\u2212") : QString(QChar(next));
            html += c == '_' ? "<sub>" + character + "</sub>" : "<sup>" + character + "</sup>";
        } else {
            plain += c;
        }
    }
    flush();
    return html;
}

// Whether a word is a formula to set: it reads as one and has a count or a charge to show.
bool IsFormula(const std::string& word) {
    if (word.empty() || !std::isupper(static_cast<unsigned char>(word[0]))) return false;
    const FormulaScan scan = ScanFormula(word);
    if (scan.error != FormulaError::None) return false;
    return word.find_first_of("0123456789^") != std::string::npos;
}

}  // namespace

QString FormulaHtml(const std::string& text) {
    QString html;
    std::string word;
    const auto flush = [&] {
        // Punctuation around a formula is no part of it: "(Mn", "H2O,", "SO4^2-:".
        std::size_t first = 0, last = word.size();
        while (first < last && (word[first] == '(' || word[first] == '['))
            ++first;
        while (last > first &&
               std::string_view(",;:.)]").find(word[last - 1]) != std::string_view::npos)
            --last;
        const std::string core = word.substr(first, last - first);
        if (core == "e^-") {  // the electron of half-reactions
            html += QString::fromStdString(word.substr(0, first)).toHtmlEscaped();
            html += QStringLiteral("e<sup>\u2212</sup>");
            html += QString::fromStdString(word.substr(last)).toHtmlEscaped();
        } else if (IsFormula(core)) {
            html += QString::fromStdString(word.substr(0, first)).toHtmlEscaped();
            html += MarkedHtml(FormulaDisplayText(core));
            html += QString::fromStdString(word.substr(last)).toHtmlEscaped();
        } else {
            html += QString::fromStdString(word).toHtmlEscaped();
        }
        word.clear();
    };
    for (const char c : text) {
        if (c == ' ') {
            flush();
            html += ' ';
        } else {
            word += c;
        }
    }
    flush();
    return html;
}

}  // namespace tovel
