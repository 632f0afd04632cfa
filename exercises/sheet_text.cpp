#include "exercises/sheet_text.h"

#include <algorithm>
#include <cctype>

#include "core/text_utils.h"
#include "exercises/sheet_answers.h"
#include "exercises/sheet_drawer.h"

namespace tovel {

std::string SheetTitleFor(const std::vector<std::string>& chosenTypes, std::size_t allTypes,
                          SheetChoices::Share ionElectron) {
    if (ionElectron == SheetChoices::Share::All) return kIonElectronSheetTitle;
    if (chosenTypes.empty() || chosenTypes.size() >= allTypes) return kProblemSheetTitle;
    std::string title = std::string(kProblemSheetTitle) + ": ";
    for (std::size_t i = 0; i < chosenTypes.size(); ++i) {
        std::string name = chosenTypes[i];
        // A type's name starts a title's line in capitals; inside the title it is a noun.
        if (!name.empty() && std::isupper(static_cast<unsigned char>(name[0])) &&
            (name.size() < 2 || !std::isupper(static_cast<unsigned char>(name[1]))))
            name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        title += name + ListJoiner(i + 1, chosenTypes.size());
    }
    return title;
}

std::string SeedLine(std::uint32_t seed) {
    return "Semilla " + std::to_string(seed);
}

std::string SheetKeyHeading(int number, const std::string& word) {
    return word + " " + std::to_string(number);
}

void AddToSheet(SheetText& text, const ProblemInput& problem) {
    text.statements.push_back(StatementLines(problem));
    text.resolutions.push_back(ResolutionLines(problem));
    text.answers.push_back(ProblemAnswers(problem));
}

void AddToSheet(SheetText& text, const SheetProblem& problem) {
    if (problem.worked.statement.empty()) {
        AddToSheet(text, problem.input);
        return;
    }
    text.statements.push_back(problem.worked.statement);
    text.resolutions.push_back(problem.worked.resolution);
    text.answers.push_back(problem.worked.answers);
}

SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed,
                       const std::string& title) {
    SheetText text;
    text.title = title;
    text.seed = seed;
    for (const SheetProblem& problem : problems)
        AddToSheet(text, problem);
    return text;
}

bool IsKeyRule(const std::string& line) {
    const std::string shown = ShowSeparators(line);
    if (shown.empty()) return false;
    if (shown.find_first_not_of('=') == std::string::npos) return true;
    const std::string_view rule(kVisibleSeparator);
    for (std::size_t i = 0; i < shown.size(); i += rule.size()) {
        if (shown.compare(i, rule.size(), rule) != 0) return false;
    }
    return true;
}

std::vector<KeyPiece> KeyPieces(const std::vector<std::string>& lines) {
    std::vector<KeyPiece> pieces;
    const auto heads = [&](std::size_t i) {
        return lines[i].find('\t') != std::string::npos && i + 1 < lines.size() &&
               IsKeyRule(lines[i + 1]);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool tabs = lines[i].find('\t') != std::string::npos;
        const bool inTable = !pieces.empty() && !pieces.back().table.empty();
        if (!tabs && !(IsKeyRule(lines[i]) && inTable)) {
            pieces.push_back({lines[i], {}, 0});
            continue;
        }
        if (!inTable) pieces.emplace_back();
        KeyPiece& table = pieces.back();
        KeyRow row;
        row.rule = !tabs;
        row.heading = heads(i);
        if (tabs) {
            for (std::string cell : SplitAt(lines[i], '\t')) {
                cell.erase(0, std::min(cell.find_first_not_of(' '), cell.size()));
                if (!(row.heading && cell.empty())) row.cells.push_back(cell);
            }
        }
        table.columns = std::max(table.columns, row.cells.size());
        table.table.push_back(std::move(row));
    }
    return pieces;
}

std::vector<std::string> SheetLines(const SheetText& text, std::size_t count) {
    std::string blanks;
    for (const char* word : kSheetHeaderWords)
        blanks += std::string(blanks.empty() ? "" : "   ") + word + " " +
                  std::string(word == kSheetHeaderWords[0] ? 32 : 12, '_');
    std::vector<std::string> lines{text.title, SeedLine(text.seed), "", blanks, ""};
    // Numbers padded to one width keep every statement's text in one column.
    const std::size_t width = std::to_string(std::max(count, text.statements.size())).size() + 2;
    for (std::size_t i = 0; i < text.statements.size(); ++i) {
        const std::string mark = std::to_string(i + 1) + ".";
        const auto& block = text.statements[i];
        for (std::size_t k = 0; k < block.size(); ++k) {
            if (block[k].empty()) {
                lines.emplace_back();
            } else {
                const std::string head = k == 0 ? mark : "";
                lines.push_back(head + std::string(width - head.size(), ' ') + block[k]);
            }
        }
    }
    lines.emplace_back();
    lines.push_back(text.keyTitle);
    lines.push_back(SeedLine(text.seed));
    for (std::size_t i = 0; i < text.resolutions.size(); ++i) {
        lines.emplace_back();
        lines.push_back(SheetKeyHeading(static_cast<int>(i) + 1, text.keyWord));
        lines.insert(lines.end(), text.resolutions[i].begin(), text.resolutions[i].end());
    }
    return lines;
}

}  // namespace tovel
