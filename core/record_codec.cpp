#include "core/record_codec.h"

#include <algorithm>

#include "core/cp1252.h"

namespace tovel {

void PutTextField(std::string& record, std::size_t offset, std::string_view text,
                  std::size_t capacity, char pad) {
    const std::string bytes = Utf8ToCp1252(text).substr(0, capacity);
    record[offset] = static_cast<char>(bytes.size());
    for (std::size_t i = 0; i < capacity; ++i)
        record[offset + 1 + i] = i < bytes.size() ? bytes[i] : pad;
}

std::string GetTextField(std::string_view record, std::size_t offset, std::size_t capacity) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(record[offset]), capacity);
    return Cp1252ToUtf8(record.substr(offset + 1, length));
}

void PutLittleEndian(std::string& record, std::size_t offset, std::uint64_t value,
                     std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i)
        record[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLittleEndian(std::string_view record, std::size_t offset, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= std::uint64_t{static_cast<unsigned char>(record[offset + i])} << (8 * i);
    return value;
}

}  // namespace tovel
