#include "data/tools/element_source.h"

#include "data/tools/source_lines.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

namespace {

std::string Upper(std::string s) {
    for (auto& c : s)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return s;
}

}  // namespace

ElementSourceResult ReadElementSource(std::string_view text) {
    ElementSourceResult result;
    std::vector<ElementRecord> records;
    for (const auto& [lineNumber, content] : ContentLines(text)) {
        const std::string line = TrimWhitespace(content);
        const auto fields = SplitAt(line, '\t');
        unsigned z = 0;
        char* end = nullptr;
        const double mass = fields.size() == 4 ? std::strtod(fields[2].c_str(), &end) : 0.0;
        const bool zOk =
            fields.size() == 4 &&
            std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), z).ec ==
                std::errc{} &&
            z >= 1 && z <= 255;
        if (!zOk || end == fields[2].c_str() || *end != '\0' || mass <= 0 || fields[1].empty() ||
            Utf8Length(fields[1]) > kSymbolLimit || Utf8Length(fields[3]) > kNameLimit) {
            result.error = "line " + std::to_string(lineNumber) + ": " + line;
            return result;
        }
        records.push_back(
            MakeElementRecord(static_cast<std::uint16_t>(z), fields[1], mass, fields[3]));
    }
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        return Upper(a.symbol) < Upper(b.symbol);
    });
    if (!result.table.Assign(std::move(records))) result.error = "more than 100 elements";
    return result;
}

}  // namespace tovel
