#include "exercises/sheet_text.h"

#include <algorithm>

#include "exercises/sheet_drawer.h"

namespace tovel {

std::string SheetTitle(std::uint32_t seed) {
    return "Hoja de problemas de estequiometría (semilla " + std::to_string(seed) + ")";
}

std::string SheetKeyTitle(std::uint32_t seed) {
    return "Soluciones (semilla " + std::to_string(seed) + ")";
}

std::string SheetKeyHeading(int number, const std::string& word) {
    return word + " " + std::to_string(number);
}

void AddToSheet(SheetText& text, const ProblemInput& problem) {
    text.statements.push_back(StatementLines(problem));
    text.resolutions.push_back(ResolutionLines(problem));
}

void AddToSheet(SheetText& text, const SheetProblem& problem) {
    if (problem.worked.statement.empty()) {
        AddToSheet(text, problem.input);
        return;
    }
    text.statements.push_back(problem.worked.statement);
    text.resolutions.push_back(problem.worked.resolution);
}

SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed) {
    SheetText text;
    text.title = SheetTitle(seed);
    text.keyTitle = SheetKeyTitle(seed);
    for (const SheetProblem& problem : problems)
        AddToSheet(text, problem);
    return text;
}

std::vector<std::string> SheetLines(const SheetText& text, std::size_t count) {
    std::vector<std::string> lines{text.title, ""};
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
    for (std::size_t i = 0; i < text.resolutions.size(); ++i) {
        lines.emplace_back();
        lines.push_back(SheetKeyHeading(static_cast<int>(i) + 1, text.keyWord));
        lines.insert(lines.end(), text.resolutions[i].begin(), text.resolutions[i].end());
    }
    return lines;
}

}  // namespace tovel
