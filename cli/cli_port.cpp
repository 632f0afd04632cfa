#include "cli/cli_port.h"

#include <cstdio>

#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

namespace {

// Line breaks and runs of blanks become one blank, so a report fits on one line.
std::string OneLine(const std::string& text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// The code point of one well-formed UTF-8 character, or -1.
long CodePoint(std::string_view ch) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(ch[i]); };
    if (ch.size() == 1) return b(0) < 0x80 ? b(0) : -1;
    if (ch.size() == 2 && (b(0) & 0xE0) == 0xC0) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (ch.size() == 3 && (b(0) & 0xF0) == 0xE0)
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    if (ch.size() == 4 && (b(0) & 0xF8) == 0xF0) {
        return ((b(0) & 0x07L) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) |
               (b(3) & 0x3F);
    }
    return -1;
}

// Characters a terminal would act on or not show: controls, and the invisible and
// direction-changing marks that could make a message read other than it is.
bool Hidden(long cp) {
    return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F) ||
           (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2060 && cp <= 0x2069) || cp == 0xFEFF;
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    char buffer[16];
    for (std::string_view ch : Utf8Chars(text)) {
        const long cp = CodePoint(ch);
        if (cp < 0) {
            for (unsigned char byte : ch) {
                std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
                out += buffer;
            }
        } else if (Hidden(cp)) {
            std::snprintf(buffer, sizeof buffer, cp < 0x100 ? "\\x%02lX" : "\\u%04lX", cp);
            out += buffer;
        } else {
            out += ch;
        }
    }
    return out;
}

int CliPort::ShowMessage(const Message& message) {
    Message kept = message;
    if (message.buttons != MessageButtons::Ok) {
        // A question's last line asks what the CLI will not do; keep what it states.
        const auto br = kept.text.find_last_of("\r\n");
        if (br != std::string::npos) kept.text.erase(br);
    }
    m_messages.push_back(kept);
    return message.buttons == MessageButtons::Ok ? kAnswerOk : kAnswerNo;
}

std::string CliPort::TakeReport() {
    std::string report;
    for (const auto& m : m_messages) {
        if (!report.empty()) report += "; ";
        // A text of blanks only (a blank inside a formula) is shown quoted, or it would vanish.
        const std::string text = OneLine(m.text);
        const std::string caption = OneLine(m.caption);
        // The line already starts "error: ": a caption that says only that is not repeated.
        if (caption != "Error" && caption != "* Error *" && !caption.empty())
            report += EscapeForTerminal(caption) + ": ";
        report += EscapeForTerminal(text.empty() && !m.text.empty() ? "\"" + m.text + "\"" : text);
    }
    m_messages.clear();
    return report;
}

}  // namespace tovel
