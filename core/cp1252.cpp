#include "core/cp1252.h"

#include <array>

#include "core/utf8.h"

namespace tovel {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t DecodeChar(std::string_view ch) {
    const auto b0 = static_cast<unsigned char>(ch[0]);
    switch (ch.size()) {
        case 2:
            return ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(ch[1]) & 0x3Fu);
        case 3:
            return ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(ch[1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(ch[2]) & 0x3Fu);
        case 4:
            return ((b0 & 0x07u) << 18) | ((static_cast<unsigned char>(ch[1]) & 0x3Fu) << 12) |
                   ((static_cast<unsigned char>(ch[2]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(ch[3]) & 0x3Fu);
        default:
            return b0 < 0x80 ? b0 : 0xFFFD;
    }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            AppendUtf8(out, kHighTable[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::string_view ch : Utf8Chars(text)) {
        const char32_t cp = DecodeChar(ch);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighTable.size(); ++i) {
            if (kHighTable[i] == cp) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

}  // namespace tovel
