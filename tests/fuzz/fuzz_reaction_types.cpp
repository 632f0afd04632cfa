// Fuzz target: any bytes as tiptovl.rel. Reading must never crash, hold more types than the
// library can have or a base name that is no plain file name, and a save must lose no record:
// what was read reads back unchanged, and the file keeps its size.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "exercises/reaction_types.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput(kTypesFileName, fuzz::Bytes(data, size));
    ReactionTypes types;
    if (!types.Read(path)) {
        // Only a file larger than the program reads is refused, and then never written over.
        if (types.Problems().empty() || types.Write(path))
            fuzz::Fail("a tiptovl.rel refused without a reason");
        return 0;
    }
    if (types.Count() > kTypeLimit) fuzz::Fail("more types than the library can have");
    for (const auto& type : types.Types()) {
        if (!IsPlainBaseName(type.base)) fuzz::Fail("a base name that is no plain file name");
    }

    if (!types.Write(path)) return 0;
    ReactionTypes again;
    if (!again.Read(path) || again.Types() != types.Types())
        fuzz::Fail("tiptovl.rel changed on a round trip");
    // Every record is written back, and an incomplete last one after them as it was.
    if (std::filesystem::file_size(path) != size) fuzz::Fail("records lost on saving");
    const std::size_t partial = size % kTypeRecordSize;
    const std::string saved = fuzz::ReadFile(path);
    if (saved.compare(saved.size() - partial, partial,
                      reinterpret_cast<const char*>(data) + size - partial, partial) != 0)
        fuzz::Fail("an incomplete last record changed on saving");
    return 0;
}
