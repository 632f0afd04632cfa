#pragma once
// The fields of the program's binary records (elements.dat, comps.rel, tiptovl.rel): text as a
// length byte and Windows-1252 bytes, integers little-endian. Records are read and written field
// by field, never by casting structs, so their layout is the same on every machine.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

// Writes text (UTF-8 in memory) at offset as a length byte and at most capacity Windows-1252
// bytes; the field's unused bytes get pad (each file has its own: blanks or zeros).
void PutTextField(std::string& record, std::size_t offset, std::string_view text,
                  std::size_t capacity, char pad);
// Reads such a field; a length byte above capacity is taken as capacity.
std::string GetTextField(std::string_view record, std::size_t offset, std::size_t capacity);

void PutLittleEndian(std::string& record, std::size_t offset, std::uint64_t value,
                     std::size_t bytes);
std::uint64_t GetLittleEndian(std::string_view record, std::size_t offset, std::size_t bytes);

}  // namespace tovel
