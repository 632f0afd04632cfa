// Fuzz target: Linord's sort. The first byte is N, the lines per block (0 is taken as 1, as the
// sorter does); the rest is the text. The result must hold exactly the input's blocks (the last
// one completed with empty lines), each whole, in a new order.
//
// The order: the sorter places each new block by comparing its whole text, without blanks at
// its ends, with the first lines of the blocks already placed. That gives the order of the first
// lines (case-insensitive, stable) whenever comparing the new block's text gives the same answer
// as comparing its first line would; a blank first line, or a first line that begins another
// one followed by bytes below CR, can give another order. So the order by first lines is checked
// exactly on the texts where the placing rule promises it, and the blocks on every text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "linord/line_sorter.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

using Block = std::vector<std::string>;

// The sort key of a text: no blanks at its ends, ASCII letters upper-cased, other bytes as they
// are.
std::string Key(const std::string& text) {
    const char* blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    std::string key = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

// Byte by byte as unsigned codes; a prefix is smaller.
bool Less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

std::string WholeText(const Block& block) {
    std::string text;
    for (const auto& line : block)
        text += line + "\r\n";
    return text;
}

std::vector<Block> Blocks(const std::vector<std::string>& lines, std::size_t n) {
    std::vector<Block> blocks;
    for (std::size_t at = 0; at < lines.size(); at += n) {
        Block block;
        for (std::size_t k = at; k < at + n; ++k)
            block.push_back(k < lines.size() ? lines[k] : std::string());
        blocks.push_back(block);
    }
    return blocks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t n = std::max<std::size_t>(data[0], 1);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<std::string> lines = linord::SplitLines(text);
    const std::vector<std::string> sorted = linord::SortBlocks(lines, data[0]);

    const std::vector<Block> input = Blocks(lines, n);
    if (sorted.size() != input.size() * n) tovel::fuzz::Fail("lines lost or added");
    const std::vector<Block> output = Blocks(sorted, n);
    if (!std::is_permutation(output.begin(), output.end(), input.begin(), input.end())) {
        tovel::fuzz::Fail("the result is not the input's blocks");
    }

    std::vector<std::string> firstKeys, wholeKeys;
    for (const auto& block : input) {
        firstKeys.push_back(Key(block.front()));
        wholeKeys.push_back(Key(WholeText(block)));
    }
    for (std::size_t later = 0; later < input.size(); ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            if (Less(wholeKeys[later], firstKeys[earlier]) !=
                Less(firstKeys[later], firstKeys[earlier]))
                return 0;
        }
    }
    std::vector<Block> expected = input;
    std::stable_sort(expected.begin(), expected.end(), [](const Block& a, const Block& b) {
        return Less(Key(a.front()), Key(b.front()));
    });
    if (output != expected) tovel::fuzz::Fail("blocks out of the order of their first lines");
    return 0;
}
