#pragma once
// The readable data sources share one shape: text lines, "#" comments and empty lines skipped,
// fields separated by tabs.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

struct SourceLine {
    int number;  // 1-based, for error messages
    std::string text;
};

// The lines that carry data, without their CR.
std::vector<SourceLine> ContentLines(std::string_view text);

}  // namespace tovel
