// Fuzz target: any bytes as Tools.rel. Reading must never crash, keep no field longer than the
// editor allows nor more tools than the menu has commands for, and what was read must save and
// read back unchanged.

#include <cstddef>
#include <cstdint>

#include "core/utf8.h"
#include "system/tools.h"
#include "tests/fuzz/fuzz_files.h"

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

    if (!tools.Save(path)) return 0;
    ToolList again;
    if (!again.Load(path) || again.Tools() != tools.Tools())
        fuzz::Fail("Tools.rel changed on a round trip");
    return 0;
}
