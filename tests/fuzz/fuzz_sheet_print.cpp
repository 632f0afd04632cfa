// Fuzz target: any text as a line of a printed sheet. Print typography, Spanish numbers, formulas
// set for print and the Moodle file must never crash; a working line keeps its columns, runs of
// one script are never empty nor next to one of the same script, and no text can end the HTML
// kept whole in the Moodle file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text_runs.h"
#include "exercises/sheet_moodle.h"
#include "exercises/sheet_typography.h"

namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Outside its CDATA sections the file holds only tags and escaped text: a "<" opens a tag or a
// section, a section ends at the first "]]>", and no "]]>" stands outside one.
bool WellMarked(const std::string& xml) {
    static const std::string kOpen = "<![CDATA[";
    std::size_t at = 0;
    while (at < xml.size()) {
        const std::size_t lt = xml.find('<', at);
        const std::string outside = xml.substr(at, lt == std::string::npos ? lt : lt - at);
        if (outside.find("]]>") != std::string::npos) return false;
        if (lt == std::string::npos) break;
        if (xml.compare(lt, kOpen.size(), kOpen) == 0) {
            const std::size_t end = xml.find("]]>", lt + kOpen.size());
            if (end == std::string::npos) return false;
            at = end + 3;
            continue;
        }
        const char next = lt + 1 < xml.size() ? xml[lt + 1] : ' ';
        if (next != '/' && next != '?' && (next < 'a' || next > 'z')) return false;
        const std::size_t gt = xml.find('>', lt);
        if (gt == std::string::npos) return false;
        at = gt + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    if (size > 400) return 0;
    const std::string line(reinterpret_cast<const char*>(data), size);
    if (Count(PrintedWorking(line), "\t") != Count(line, "\t")) std::abort();
    (void)PrintedProse(line);
    (void)SpanishNumbers(line);
    (void)SpanishNumbers(line, true);
    const std::vector<TextRun> runs = FormulaRuns(line);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].text.empty()) std::abort();
        if (i > 0 && runs[i].script == runs[i - 1].script) std::abort();
    }

    SheetText sheet;
    sheet.title = line;
    sheet.statements = {{line, ""}};
    sheet.resolutions = {{line}};
    SheetAnswer quantity;
    quantity.label = line;
    quantity.value = static_cast<double>(size) / 7;
    SheetAnswer text;
    text.label = line;
    text.accepted = {line};
    sheet.answers = {{quantity, text}};
    const std::string xml = MoodleXml({PrintedSheet(sheet, SheetNumbers::Spanish)});
    if (!WellMarked(xml)) std::abort();
    return 0;
}
