#pragma once
// elements.dat: the element table as a bare sequence of 30-byte little-endian records.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "core/safe_file.h"

namespace tovel {

constexpr std::size_t kElementRecordSize = 30;
constexpr const char* kElementsFileName = "elements.dat";

// Record layout: Z (u16) | symbol length (u8) | 2 symbol bytes | pad | mass (f64) |
// name length (u8) | 14 name bytes | pad. Text is Windows-1252; unused text bytes are blanks
// and padding bytes are 0.
std::string EncodeElementRecord(const ElementRecord& record);
// bytes must hold kElementRecordSize bytes. Lengths above their limits are clamped; a mass that
// is not a finite number reads as 0 and sets *repaired.
ElementRecord DecodeElementRecord(std::string_view in, bool* repaired = nullptr);

struct LoadElementsResult {
    bool loaded = false;            // false: the file could not be read, the table is unchanged
    bool missing = false;           // there is no such file (not an error at start-up)
    std::size_t recordsInFile = 0;  // whole records in the file
    bool truncated = false;         // more records than the table holds: the first 100 were kept
    std::size_t partialBytes = 0;   // bytes of an incomplete last record, ignored
    // One text for each record refused: "registro 3 (qn): símbolo no válido".
    std::vector<std::string> refused;
    // The refused records that repeat a symbol or an atomic number of a record kept before
    // them, both named with their masses: "registro 2 (H, 1.008): símbolo repetido, ya en el
    // registro 1 (H, 100.000)". Such a table may compute with the wrong element.
    std::vector<std::string> repeated;
    std::string repeatedSymbol;  // the kept element of the first repetition
    std::string error;
    explicit operator bool() const { return loaded; }
};

// Replaces the table with the file's valid records: a symbol formulas can name, a positive
// atomic number and a mass IsAtomicMass accepts, and no atomic number or symbol twice (the
// first stays). A trailing partial record is ignored. The table notes what it left out.
LoadElementsResult LoadElements(ElementTable& table, const std::string& path = kElementsFileName);

// The repeated records, three named at most: "Un elemento repetido: registro 2 (H, ...".
std::string RepeatedElementsText(const LoadElementsResult& result);

// What the user is told about a load that left something out or failed, naming the file; empty
// when all was read (or the file does not exist).
std::string LoadElementsReport(const LoadElementsResult& result,
                               const std::string& path = kElementsFileName);

// Writes the table in its order, safely (temporary file, then rename).
FileResult SaveElements(const ElementTable& table, const std::string& path = kElementsFileName);

}  // namespace tovel
