#include "source_lines.h"

#include <sstream>

#include "text_utils.h"

namespace tovel {

std::vector<SourceLine> ContentLines(std::string_view text) {
    std::vector<SourceLine> lines;
    std::istringstream in{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (TrimWhitespace(line).empty() || line[0] == '#') continue;
        lines.push_back({number, line});
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (auto tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', from)) {
        fields.push_back(line.substr(from, tab - from));
        from = tab + 1;
    }
    fields.push_back(line.substr(from));
    return fields;
}

}  // namespace tovel
