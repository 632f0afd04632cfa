#include "compounds_file.h"

#include <filesystem>

#include "cp1252.h"
#include "utf8.h"

namespace tovel {

namespace {

void PutText(std::string& out, std::size_t offset, std::string_view text, std::size_t limit) {
    const std::string bytes = Utf8ToCp1252(text).substr(0, limit);
    out[offset] = static_cast<char>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) out[offset + 1 + i] = bytes[i];
}

std::string GetText(std::string_view in, std::size_t offset, std::size_t limit) {
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(in[offset]), limit);
    return Cp1252ToUtf8(in.substr(offset + 1, length));
}

}  // namespace

CompoundRecord MakeCompoundRecord(std::string_view name, std::string_view formula, int category) {
    return {Utf8Prefix(name, kCompoundNameLimit), Utf8Prefix(formula, kCompoundFormulaLimit), category};
}

std::string EncodeCompoundRecord(const CompoundRecord& record) {
    std::string out(kCompoundRecordSize, '\0');  // unused bytes and padding are zero
    PutText(out, 0, record.name, kCompoundNameLimit);
    PutText(out, 32, record.formula, kCompoundFormulaLimit);
    const auto category = static_cast<std::uint32_t>(record.category);
    for (int i = 0; i < 4; ++i) out[48 + i] = static_cast<char>((category >> (8 * i)) & 0xFF);
    return out;
}

CompoundRecord DecodeCompoundRecord(std::string_view in) {
    std::uint32_t category = 0;
    for (int i = 0; i < 4; ++i) category |= std::uint32_t{static_cast<unsigned char>(in[48 + i])} << (8 * i);
    return {GetText(in, 0, kCompoundNameLimit), GetText(in, 32, kCompoundFormulaLimit),
            static_cast<int>(static_cast<std::int32_t>(category))};
}

CompoundsReadResult CompoundBook::Read(const std::string& path) {
    CompoundsReadResult result;
    for (auto& category : m_categories) category.clear();
    m_kept.clear();
    m_unreadable.clear();
    const ReadResult file = ReadFilePrefix(path, 64 * 1024 * 1024);
    std::error_code ec;
    if (!file || file.fileSize > file.bytes.size()) {
        if (std::filesystem::exists(path, ec)) {
            m_unreadable = result.error = file ? path + " es demasiado grande" : file.error;
        }
        return result;
    }
    result.opened = true;
    for (std::size_t at = 0; at + kCompoundRecordSize <= file.bytes.size(); at += kCompoundRecordSize) {
        const CompoundRecord record = DecodeCompoundRecord(std::string_view(file.bytes).substr(at, kCompoundRecordSize));
        if (record.category < 0 || record.category >= kCompoundCategories || IsFull(record.category)) {
            ++result.skipped;
            m_kept += file.bytes.substr(at, kCompoundRecordSize);  // not shown, but not lost
            continue;
        }
        m_categories[static_cast<std::size_t>(record.category)].push_back(record);
    }
    return result;
}

FileResult CompoundBook::Write(const std::string& path) const {
    if (!m_unreadable.empty()) return {false, "No se guarda encima de un fichero que no se ha podido leer: " + m_unreadable};
    std::string bytes;
    for (const auto& category : m_categories) {
        for (const auto& record : category) bytes += EncodeCompoundRecord(record);
    }
    return WriteFileAtomically(path, bytes + m_kept);
}

}  // namespace tovel
