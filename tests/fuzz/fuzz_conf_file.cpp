// Fuzz target: any bytes as Conf.txt. Reading must never crash; a file that decides the flag
// must decide it whatever the fallback, and the flag written must read back whatever the
// fallback.

#include <cstddef>
#include <cstdint>

#include "app/conf_file.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput(kConfFileName, fuzz::Bytes(data, size));
    const bool withFalse = ReadConfirmExit(path, false);
    const bool withTrue = ReadConfirmExit(path, true);
    // Either the file holds the flag, or each fallback comes back as it went in.
    if (withFalse != withTrue && (withFalse || !withTrue))
        fuzz::Fail("a fallback came back changed");
    const bool flag = withFalse;

    if (!WriteConfirmExit(path, flag)) return 0;
    if (ReadConfirmExit(path, !flag) != flag || ReadConfirmExit(path, flag) != flag) {
        fuzz::Fail("Conf.txt changed on a round trip");
    }
    return 0;
}
