#include "cli_port.h"

#include "text_utils.h"

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

}  // namespace

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
        report += OneLine(m.caption) + ": " +
                  (text.empty() && !m.text.empty() ? "\"" + m.text + "\"" : text);
    }
    m_messages.clear();
    return report;
}

}  // namespace tovel
