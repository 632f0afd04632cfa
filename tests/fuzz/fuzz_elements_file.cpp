// Fuzz target: any bytes as elements.dat. Loading must never crash, never hold more than the
// table's capacity, and whatever loads must save and load again unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/elements_file.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = tovel::fuzz::PutInput("elements.dat", tovel::fuzz::Bytes(data, size));
    tovel::ElementTable table;
    const auto loaded = tovel::LoadElements(table, path);
    if (!loaded || table.Count() > tovel::ElementTable::kCapacity) __builtin_trap();
    if (!tovel::SaveElements(table, path)) return 0;
    tovel::ElementTable again;
    if (!tovel::LoadElements(again, path) || again.Records() != table.Records()) __builtin_trap();
    return 0;
}
