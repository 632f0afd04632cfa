#include "data/tools/source_lines.h"

#include <sstream>

#include "core/text_utils.h"

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

}  // namespace tovel
