// Fuzz target: any bytes as Tools.rel. Reading must never crash, keep no field longer than the
// editor allows nor more tools than the menu has commands for, and what was read must save and
// read back unchanged. The saved file holds every line the read one held, unless the fields cut
// on reading are named (the editor asks before it saves them cut).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "system/text_file.h"
#include "system/tools.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

void ReadLines(const std::string& path, std::vector<std::string>& lines) {
    tovel::TextFile file;
    if (!tovel::OpenForReading(path, file)) return;
    std::string line;
    while (file.ReadLine(line))
        lines.push_back(line);
    file.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput(kToolsFileName, fuzz::Bytes(data, size));
    ToolList tools;
    if (!tools.Load(path)) fuzz::Fail("an existing Tools.rel was not read");
    if (tools.Count() > kToolLimit) fuzz::Fail("more tools than menu commands");
    for (const auto& tool : tools.Tools()) {
        for (const std::string* field :
             {&tool.title, &tool.file, &tool.workingDir, &tool.parameters}) {
            if (Utf8Length(*field) > kToolFieldLimit) fuzz::Fail("a field longer than its limit");
        }
    }

    std::vector<std::string> before;
    ReadLines(path, before);
    const bool cutNamed = !tools.CutFields().empty();
    if (!tools.Save(path)) return 0;
    std::vector<std::string> after;
    ReadLines(path, after);
    // A last incomplete tool is completed with empty lines; nothing else may differ.
    if (!cutNamed) {
        if (after.size() < before.size()) fuzz::Fail("a save dropped lines");
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (i < before.size() ? after[i] != before[i] : !after[i].empty())
                fuzz::Fail("a save changed a line without a word");
        }
    }
    ToolList again;
    if (!again.Load(path) || again.Tools() != tools.Tools())
        fuzz::Fail("Tools.rel changed on a round trip");
    return 0;
}
