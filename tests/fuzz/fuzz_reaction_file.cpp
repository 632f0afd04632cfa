// Fuzz target: any bytes as a type's reaction file (Zq/<base>.zq). Reading must never crash,
// and what was read (whole lines, however long) must save and read back unchanged.

#include <cstddef>
#include <cstdint>

#include "core/utf8.h"
#include "exercises/reaction_file.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput("reactions.zq", fuzz::Bytes(data, size));
    const std::vector<LibraryEntry> entries = ReadReactions(path);
    if (entries.size() > size) fuzz::Fail("more reactions than bytes");

    if (!WriteReactions(path, entries)) return 0;
    if (ReadReactions(path) != entries) fuzz::Fail("a reaction file changed on a round trip");
    return 0;
}
