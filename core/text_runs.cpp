#include "core/text_runs.h"

#include <cctype>

#include "core/formula.h"

namespace tovel {

namespace {

constexpr const char* kMinus = "\u2212";

void Add(std::vector<TextRun>& runs, std::string_view text, Script script) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().script == script) {
        runs.back().text += text;
    } else {
        runs.push_back({std::string(text), script});
    }
}

// A formula's display marks ("H_2SO_4", "Fe^3^+") as runs.
void AddMarked(std::vector<TextRun>& runs, const std::string& marked) {
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const char c = marked[i];
        if ((c == '_' || c == '^') && i + 1 < marked.size()) {
            const char next = marked[++i];
            const std::string character = next == '-' ? kMinus : std::string(1, next);
            Add(runs, character, c == '_' ? Script::Low : Script::High);
        } else {
            Add(runs, std::string_view(&marked[i], 1), Script::Line);
        }
    }
}

// Whether a word is a formula to set: it reads as one and has a count or a charge to show.
bool IsFormula(const std::string& word) {
    if (word.empty() || !std::isupper(static_cast<unsigned char>(word[0]))) return false;
    const FormulaScan scan = ScanFormula(word);
    if (scan.error != FormulaError::None) return false;
    return word.find_first_of("0123456789^") != std::string::npos;
}

void AddWord(std::vector<TextRun>& runs, std::string_view word) {
    std::size_t first = 0, last = word.size();
    while (first < last && (word[first] == '(' || word[first] == '['))
        ++first;
    while (last > first &&
           std::string_view(",;:.)]").find(word[last - 1]) != std::string_view::npos)
        --last;
    const std::string core(word.substr(first, last - first));
    if (core == "e^-") {
        Add(runs, word.substr(0, first), Script::Line);
        Add(runs, "e", Script::Line);
        Add(runs, kMinus, Script::High);
        Add(runs, word.substr(last), Script::Line);
    } else if (IsFormula(core)) {
        Add(runs, word.substr(0, first), Script::Line);
        AddMarked(runs, FormulaDisplayText(core));
        Add(runs, word.substr(last), Script::Line);
    } else {
        Add(runs, word, Script::Line);
    }
}

}  // namespace

std::vector<TextRun> FormulaRuns(std::string_view text) {
    std::vector<TextRun> runs;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t blank = text.find_first_of(" \t", from);
        const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
        AddWord(runs, text.substr(from, end - from));
        if (blank == std::string_view::npos) break;
        Add(runs, text.substr(blank, 1), Script::Line);
        from = blank + 1;
    }
    return runs;
}

std::string HtmlEscaped(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

std::string RunsHtml(const std::vector<TextRun>& runs) {
    std::string html;
    for (const TextRun& run : runs) {
        if (run.script == Script::Line) {
            html += HtmlEscaped(run.text);
        } else {
            const char* tag = run.script == Script::Low ? "sub" : "sup";
            html += std::string("<") + tag + ">";
            html += HtmlEscaped(run.text);
            html += std::string("</") + tag + ">";
        }
    }
    return html;
}

}  // namespace tovel
