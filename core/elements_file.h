#pragma once
// elements.dat: the element table as a bare sequence of 30-byte little-endian records.

#include <cstddef>
#include <string>
#include <string_view>

#include "element_table.h"
#include "safe_file.h"

namespace tovel {

constexpr std::size_t kElementRecordSize = 30;
constexpr const char* kElementsFileName = "elements.dat";

// Record layout: Z (u16) | symbol length (u8) | 2 symbol bytes | pad | mass (f64) |
// name length (u8) | 14 name bytes | pad. Text is Windows-1252; unused text bytes are blanks
// and padding bytes are 0.
std::string EncodeElementRecord(const ElementRecord& record);
// bytes must hold kElementRecordSize bytes. Lengths above their limits are clamped; a mass that
// is not a finite number reads as 0 and sets *repaired.
ElementRecord DecodeElementRecord(std::string_view bytes, bool* repaired = nullptr);

struct LoadElementsResult {
    bool loaded = false;            // false: the file could not be read, the table is unchanged
    std::size_t recordsInFile = 0;  // whole records in the file
    bool truncated = false;         // more records than the table holds: the first 100 were kept
    std::size_t repairedRecords = 0;
    std::string error;
    explicit operator bool() const { return loaded; }
};

// Replaces the table with the file's records. A trailing partial record is ignored.
LoadElementsResult LoadElements(ElementTable& table, const std::string& path = kElementsFileName);

// Writes the table in its order, safely (temporary file, then rename).
FileResult SaveElements(const ElementTable& table, const std::string& path = kElementsFileName);

}  // namespace tovel
