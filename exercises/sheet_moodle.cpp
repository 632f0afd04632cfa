#include "exercises/sheet_moodle.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/number_format.h"
#include "core/text_runs.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

// HTML kept whole inside the XML; a "]]>" in it would end the section.
std::string Cdata(const std::string& html) {
    return "<![CDATA[" + ReplaceAll(html, "]]>", "]]]]><![CDATA[>") + "]]>";
}

std::string Html(const std::string& line) {
    return RunsHtml(FormulaRuns(ShowSeparators(line)));
}

// A text answer inside a gap: the marks of the gap's syntax are escaped.
std::string GapText(const std::string& text) {
    std::string gap;
    for (const char c : text) {
        if (std::string_view("}#~/\"\\").find(c) != std::string_view::npos) gap += '\\';
        gap += c;
    }
    return gap;
}

// A key's table in HTML, a heading's last name over the columns left; a rule across it.
std::string KeyTable(const KeyPiece& piece) {
    std::string html = "<table>\n";
    for (const KeyRow& row : piece.table) {
        if (row.rule) {
            html += "<tr><td colspan=\"" + std::to_string(piece.columns) + "\"><hr></td></tr>\n";
            continue;
        }
        html += "<tr>";
        const std::string tag = row.heading ? "th" : "td";
        for (std::size_t k = 0; k < row.cells.size(); ++k) {
            const std::size_t span = k + 1 == row.cells.size() ? piece.columns - k : 1;
            html += "<" + tag + " style=\"text-align:left;padding-right:1em\"";
            if (span > 1) html += " colspan=\"" + std::to_string(span) + "\"";
            html += ">" + Html(row.cells[k]) + "</" + tag + ">";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

// A resolution as HTML: its prose a line each (an indented equation indented), its columns as
// tables.
std::string KeyHtml(const std::vector<std::string>& lines) {
    std::string html;
    for (const KeyPiece& piece : KeyPieces(lines)) {
        const std::string& line = piece.line;
        if (!piece.table.empty()) {
            html += KeyTable(piece);
        } else if (IsKeyRule(line)) {
            html += "<hr>\n";
        } else if (line.empty()) {
            html += "<br>\n";
        } else {
            const std::size_t indent = line.find_first_not_of(' ');
            html += indent > 0 ? "<div style=\"margin-left:2em\">" : "<div>";
            html += Html(line.substr(indent)) + "</div>\n";
        }
    }
    return html;
}

std::string Gap(const SheetAnswer& answer) {
    if (answer.IsText()) {
        std::string gap = answer.caseMatters ? "{1:SHORTANSWER_C:" : "{1:SHORTANSWER:";
        for (std::size_t i = 0; i < answer.accepted.size(); ++i)
            gap += (i == 0 ? "=" : "~=") + GapText(answer.accepted[i]);
        return gap + "}";
    }
    const double tolerance =
        answer.exact
            ? 0
            : std::strtod(FormatSignificant(std::fabs(answer.value) * kMoodleTolerance, 3).c_str(),
                          nullptr);
    return "{1:NUMERICAL:=" + MoodleNumber(answer.value) + ":" + MoodleNumber(tolerance) + "}";
}

// A category's path: a slash inside a name is written twice.
std::string CategoryName(const std::string& name) {
    return ReplaceAll(name, "/", "//");
}

void Category(std::string& xml, const std::string& path) {
    xml += "  <question type=\"category\">\n    <category><text>" +
           HtmlEscaped("$course$/top/" + path) + "</text></category>\n  </question>\n";
}

void Question(std::string& xml, const SheetText& sheet, std::size_t index,
              const std::string& name) {
    std::string text;
    for (const std::string& line : sheet.statements[index]) {
        if (!line.empty()) text += "<p>" + Html(line) + "</p>\n";
    }
    if (index < sheet.answers.size() && !sheet.answers[index].empty()) {
        text += "<ul>\n";
        for (const SheetAnswer& answer : sheet.answers[index]) {
            text += "<li>" + Html(answer.label) + ": " + Gap(answer);
            if (!answer.unit.empty()) text += " " + HtmlEscaped(answer.unit);
            text += "</li>\n";
        }
        text += "</ul>\n";
    }
    const std::string feedback = KeyHtml(sheet.resolutions[index]);
    xml += "  <question type=\"cloze\">\n";
    xml += "    <name><text>" + HtmlEscaped(name) + "</text></name>\n";
    xml += "    <questiontext format=\"html\"><text>" + Cdata(text) + "</text></questiontext>\n";
    xml += "    <generalfeedback format=\"html\"><text>" + Cdata(feedback) +
           "</text></generalfeedback>\n";
    xml += "    <penalty>0.3333333</penalty>\n    <hidden>0</hidden>\n  </question>\n";
}

}  // namespace

std::string MoodleNumber(double value) {
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::string MoodleXml(const std::vector<SheetText>& variants) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    if (variants.empty()) return xml + "</quiz>\n";
    const SheetText& sheet = variants.front();
    const std::string top = CategoryName(sheet.title);
    if (variants.size() == 1) Category(xml, top);
    for (std::size_t i = 0; i < sheet.statements.size(); ++i) {
        const std::string exercise = SheetKeyHeading(static_cast<int>(i) + 1, sheet.keyWord);
        if (variants.size() > 1) {
            std::string path = top;
            path += '/';
            path += exercise;
            Category(xml, path);
        }
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const SheetText& variant = variants[v];
            if (i >= variant.statements.size()) continue;
            std::string name = exercise;
            if (variants.size() > 1) name += ", variante " + std::to_string(v + 1);
            Question(xml, variant, i, name + " (semilla " + std::to_string(variant.seed) + ")");
        }
    }
    return xml + "</quiz>\n";
}

}  // namespace tovel
