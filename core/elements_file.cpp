#include "elements_file.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "cp1252.h"

namespace tovel {

namespace {

constexpr std::size_t kSymbolBytes = 2;
constexpr std::size_t kNameBytes = 14;

void PutText(std::string& out, std::size_t offset, std::string_view text, std::size_t capacity) {
    const std::string bytes = Utf8ToCp1252(text).substr(0, capacity);
    out[offset] = static_cast<char>(bytes.size());
    for (std::size_t i = 0; i < capacity; ++i) {
        out[offset + 1 + i] = i < bytes.size() ? bytes[i] : ' ';
    }
}

std::string GetText(std::string_view in, std::size_t offset, std::size_t capacity) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(in[offset]), capacity);
    return Cp1252ToUtf8(in.substr(offset + 1, length));
}

}  // namespace

std::string EncodeElementRecord(const ElementRecord& record) {
    std::string out(kElementRecordSize, '\0');
    out[0] = static_cast<char>(record.atomicNumber & 0xFF);
    out[1] = static_cast<char>(record.atomicNumber >> 8);
    PutText(out, 2, record.symbol, kSymbolBytes);
    const auto bits = std::bit_cast<std::uint64_t>(record.atomicMass);
    for (int i = 0; i < 8; ++i)
        out[6 + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    PutText(out, 14, record.name, kNameBytes);
    return out;
}

ElementRecord DecodeElementRecord(std::string_view in, bool* repaired) {
    ElementRecord record;
    record.atomicNumber = static_cast<std::uint16_t>(static_cast<unsigned char>(in[0]) |
                                                     (static_cast<unsigned char>(in[1]) << 8));
    record.symbol = GetText(in, 2, kSymbolBytes);
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t{static_cast<unsigned char>(in[6 + i])} << (8 * i);
    record.atomicMass = std::bit_cast<double>(bits);
    if (!std::isfinite(record.atomicMass)) {
        record.atomicMass = 0.0;
        if (repaired) *repaired = true;
    }
    record.name = GetText(in, 14, kNameBytes);
    return record;
}

LoadElementsResult LoadElements(ElementTable& table, const std::string& path) {
    LoadElementsResult result;
    const ReadResult file = ReadFilePrefix(path, ElementTable::kCapacity * kElementRecordSize);
    if (!file) {
        result.error = file.error;
        return result;
    }
    result.loaded = true;
    result.recordsInFile = file.fileSize / kElementRecordSize;
    result.truncated = result.recordsInFile > ElementTable::kCapacity;

    std::vector<ElementRecord> records;
    const std::size_t whole = file.bytes.size() / kElementRecordSize;
    records.reserve(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        bool repaired = false;
        records.push_back(DecodeElementRecord(
            std::string_view(file.bytes).substr(i * kElementRecordSize, kElementRecordSize),
            &repaired));
        if (repaired) ++result.repairedRecords;
    }
    table.Assign(std::move(records));
    return result;
}

FileResult SaveElements(const ElementTable& table, const std::string& path) {
    std::string bytes;
    bytes.reserve(table.Count() * kElementRecordSize);
    for (const auto& record : table.Records())
        bytes += EncodeElementRecord(record);
    return WriteFileAtomically(path, bytes);
}

}  // namespace tovel
