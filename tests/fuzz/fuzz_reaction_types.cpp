// Fuzz target: any bytes as tiptovl.rel. Reading must never crash nor hold more types than the
// library can have, and what was read must save and read back unchanged.

#include <cstddef>
#include <cstdint>

#include "fuzz_files.h"
#include "reaction_types.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput(kTypesFileName, fuzz::Bytes(data, size));
    ReactionTypes types;
    if (!types.Read(path)) fuzz::Fail("an existing tiptovl.rel was not read");
    if (types.Count() > kTypeLimit) fuzz::Fail("more types than the library can have");
    if (types.Count() != std::min(size / kTypeRecordSize, kTypeLimit)) fuzz::Fail("whole records lost");

    if (!types.Write(path)) return 0;
    ReactionTypes again;
    if (!again.Read(path) || again.Types() != types.Types()) fuzz::Fail("tiptovl.rel changed on a round trip");
    return 0;
}
