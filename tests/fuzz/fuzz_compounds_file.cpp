// Fuzz target: any bytes as comps.rel. Reading must never crash, must account for every whole
// record (kept or skipped), never fill a category past its limit, and a save must lose nothing:
// what was read reads back unchanged, and the records skipped are skipped again.

#include <cstddef>
#include <cstdint>

#include "app/compounds_file.h"
#include "tests/fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string path = fuzz::PutInput(kCompoundsFileName, fuzz::Bytes(data, size));
    CompoundBook book;
    const CompoundsReadResult read = book.Read(path);
    if (!read.opened) fuzz::Fail("an existing comps.rel was not opened");
    std::size_t kept = 0;
    for (int category = 0; category < kCompoundCategories; ++category) {
        const auto& records = book.Category(category);
        if (records.size() > kCompoundsPerCategory) fuzz::Fail("a category past its limit");
        for (const auto& record : records) {
            if (record.category != category) fuzz::Fail("a record in another category");
        }
        kept += records.size();
    }
    if (kept + read.skipped != size / kCompoundRecordSize) fuzz::Fail("records lost or invented");

    if (!book.Write(path)) return 0;
    // An incomplete last record is written back too, after the others, as it was.
    const std::string saved = fuzz::ReadFile(path);
    const std::size_t partial = size % kCompoundRecordSize;
    if (saved.size() != size ||
        saved.compare(saved.size() - partial, partial,
                      reinterpret_cast<const char*>(data) + size - partial, partial) != 0)
        fuzz::Fail("comps.rel lost bytes on saving");
    CompoundBook again;
    const CompoundsReadResult reread = again.Read(path);
    if (!reread.opened || reread.skipped != read.skipped)
        fuzz::Fail("a saved comps.rel does not read back whole");
    for (int category = 0; category < kCompoundCategories; ++category) {
        if (again.Category(category) != book.Category(category))
            fuzz::Fail("comps.rel changed on a round trip");
    }
    return 0;
}
