#pragma once
// A line of prose with formulas in it, cut into runs on the line, below it and above it: the
// counts of "Fe2(SO4)3" set low, the charge of "Cr2O7^2-" set high, so that whatever prints or
// shows the line (a PDF, HTML, a window) draws it as the equation is drawn and never shows the
// "^" of the plain notation.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

enum class Script { Line, Low, High };

struct TextRun {
    std::string text;  // UTF-8
    Script script = Script::Line;
    bool operator==(const TextRun&) const = default;
};

// The words of text (between blanks and tabs) that read as formulas with a count or a charge to
// show are set; punctuation around a formula does not belong to it ("(Mn", "H2O,", "SO4^2-:"); the
// electron "e^-" is set too. A charge's minus is the typographic one (U+2212). Runs of one script
// are joined.
std::vector<TextRun> FormulaRuns(std::string_view text);

// text with &, <, > and " written as HTML (and XML) entities.
std::string HtmlEscaped(std::string_view text);

// The runs as HTML: escaped, with <sub> and <sup>.
std::string RunsHtml(const std::vector<TextRun>& runs);

}  // namespace tovel
