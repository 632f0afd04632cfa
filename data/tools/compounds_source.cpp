#include "data/tools/compounds_source.h"

#include "core/text_utils.h"
#include "core/utf8.h"
#include "data/tools/source_lines.h"

namespace tovel {

CompoundsSource ReadCompoundsSource(std::string_view text) {
    CompoundsSource source;
    for (const auto& [number, line] : ContentLines(text)) {
        const auto first = line.find('\t');
        const auto second = first == std::string::npos ? first : line.find('\t', first + 1);
        const int category = line[0] - '0';
        if (second == std::string::npos || first != 1 || category < 0 ||
            category >= kCompoundCategories) {
            source.error = "line " + std::to_string(number) + ": " + line;
            return source;
        }
        const std::string formula = line.substr(first + 1, second - first - 1);
        const std::string name = line.substr(second + 1);
        if (Utf8Length(formula) > kCompoundFormulaLimit || Utf8Length(name) > kCompoundNameLimit ||
            source.book.IsFull(category)) {
            source.error = "line " + std::to_string(number) + " does not fit: " + line;
            return source;
        }
        source.book.Category(category).push_back(MakeCompoundRecord(name, formula, category));
    }
    return source;
}

}  // namespace tovel
