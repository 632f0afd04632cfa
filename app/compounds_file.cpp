#include "app/compounds_file.h"

#include "core/record_codec.h"
#include "core/utf8.h"

namespace tovel {

CompoundRecord MakeCompoundRecord(std::string_view name, std::string_view formula, int category) {
    return {Utf8Prefix(name, kCompoundNameLimit), Utf8Prefix(formula, kCompoundFormulaLimit),
            category};
}

std::string EncodeCompoundRecord(const CompoundRecord& record) {
    std::string out(kCompoundRecordSize, '\0');  // unused bytes and padding are zero
    PutTextField(out, 0, record.name, kCompoundNameLimit, '\0');
    PutTextField(out, 32, record.formula, kCompoundFormulaLimit, '\0');
    PutLittleEndian(out, 48, static_cast<std::uint32_t>(record.category), 4);
    return out;
}

CompoundRecord DecodeCompoundRecord(std::string_view in) {
    const auto category = static_cast<std::uint32_t>(GetLittleEndian(in, 48, 4));
    return {GetTextField(in, 0, kCompoundNameLimit), GetTextField(in, 32, kCompoundFormulaLimit),
            static_cast<int>(static_cast<std::int32_t>(category))};
}

CompoundsReadResult CompoundBook::Read(const std::string& path) {
    CompoundsReadResult result;
    for (auto& category : m_categories)
        category.clear();
    m_kept.clear();
    m_partial.clear();
    m_unreadable.clear();
    // Taken before reading: a save between the two is then noticed, never missed.
    m_stamp = StampOf(path);
    const ReadResult file = ReadFilePrefix(path, std::size_t{64} * 1024 * 1024);
    if (!file || file.fileSize > file.bytes.size()) {
        // Anything there, a link loop too, is a file that could not be read: never written over.
        if (PathPresent(path)) {
            m_unreadable = result.error = file ? path + " es demasiado grande" : file.error;
        }
        return result;
    }
    result.opened = true;
    for (std::size_t at = 0; at + kCompoundRecordSize <= file.bytes.size();
         at += kCompoundRecordSize) {
        const CompoundRecord record =
            DecodeCompoundRecord(std::string_view(file.bytes).substr(at, kCompoundRecordSize));
        if (record.category < 0 || record.category >= kCompoundCategories ||
            IsFull(record.category)) {
            ++result.skipped;
            m_kept += file.bytes.substr(at, kCompoundRecordSize);  // not shown, but not lost
            continue;
        }
        m_categories[static_cast<std::size_t>(record.category)].push_back(record);
    }
    // A last record cut short (a copy or a save that was interrupted) is kept as it is, at the
    // end of the file, where it stays out of the way of the whole records.
    result.partialBytes = file.bytes.size() % kCompoundRecordSize;
    m_partial = file.bytes.substr(file.bytes.size() - result.partialBytes);
    return result;
}

FileResult CompoundBook::Write(const std::string& path) const {
    if (!m_unreadable.empty())
        return {false,
                "No se guarda encima de un fichero que no se ha podido leer: " + m_unreadable};
    std::string bytes;
    for (const auto& category : m_categories) {
        for (const auto& record : category)
            bytes += EncodeCompoundRecord(record);
    }
    return WriteFileAtomically(path, bytes + m_kept + m_partial);
}

}  // namespace tovel
