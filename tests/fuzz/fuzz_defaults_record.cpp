// Fuzz target: any bytes as the record of the default files a data folder was seeded with.
// Parsing never crashes, and what it keeps is written and read back unchanged.

#include <cstddef>
#include <cstdint>

#include "core/default_data.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const DefaultsRecord record = ParseDefaultsRecord(fuzz::Bytes(data, size));
    const std::string written = FormatDefaultsRecord(record);
    if (ParseDefaultsRecord(written) != record) fuzz::Fail("the record changed on a round trip");
    if (FormatDefaultsRecord(ParseDefaultsRecord(written)) != written)
        fuzz::Fail("the record is written two ways");
    return 0;
}
