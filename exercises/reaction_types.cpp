#include "reaction_types.h"

#include "cp1252.h"
#include "messages.h"
#include "text_utils.h"
#include "utf8.h"

namespace tovel {

namespace {

void PutText(std::string& out, std::size_t offset, std::string_view text) {
    const std::string bytes = Utf8ToCp1252(text).substr(0, kTypeNameLimit);
    out[offset] = static_cast<char>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) out[offset + 1 + i] = bytes[i];
}

std::string GetText(std::string_view in, std::size_t offset) {
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(in[offset]), kTypeNameLimit);
    return Cp1252ToUtf8(in.substr(offset + 1, length));
}

// Tells the user when text is too long for its field of the record; what: the field's name.
bool FitsItsField(std::string_view what, std::string_view text, UserPort& port) {
    const std::size_t length = Utf8Length(text);
    if (length <= kTypeNameLimit) return true;
    NoticeWith(port, "Nombre demasiado largo",
               "El " + std::string(what) + " admite " + IntText(kTypeNameLimit) +
                   " caracteres como máximo; \"" + std::string(text) + "\" tiene " +
                   IntText(static_cast<long>(length)),
               MessageIcon::Exclamation);
    return false;
}

}  // namespace

std::string TypeBaseName(std::string_view name) { return Utf8Prefix(StripAccents(RemoveBlanks(name)), kTypeNameLimit); }

std::string ReactionFileName(const ReactionType& type) { return "Zq/" + type.base + ".zq"; }

std::string EncodeTypeRecord(const ReactionType& type) {
    std::string out(kTypeRecordSize, ' ');
    PutText(out, 0, type.name);
    PutText(out, 32, type.base);
    return out;
}

ReactionType DecodeTypeRecord(std::string_view bytes) { return {GetText(bytes, 0), GetText(bytes, 32)}; }

bool ReactionTypes::Read(const std::string& path) {
    m_types.clear();
    const ReadResult file = ReadFilePrefix(path, kTypeLimit * kTypeRecordSize);
    if (!file) return false;
    for (std::size_t at = 0; at + kTypeRecordSize <= file.bytes.size(); at += kTypeRecordSize) {
        m_types.push_back(DecodeTypeRecord(std::string_view(file.bytes).substr(at, kTypeRecordSize)));
    }
    return true;
}

FileResult ReactionTypes::Write(const std::string& path) const {
    std::string bytes;
    for (const auto& type : m_types) bytes += EncodeTypeRecord(type);
    return WriteFileAtomically(path, bytes);
}

bool ReactionTypes::Add(std::string_view name, UserPort& port) {
    if (m_types.size() >= kTypeLimit) {
        NoticeWith(port, "Demasiados tipos", "Caben " + IntText(kTypeLimit) + " tipos de reacción como máximo",
                   MessageIcon::Exclamation);
        return false;
    }
    if (!FitsItsField("nombre de un tipo", name, port)) return false;
    const std::string base = StripAccents(RemoveBlanks(name));
    if (!FitsItsField("nombre de fichero de un tipo", base, port)) return false;
    m_types.push_back({std::string(name), base});
    return true;
}

bool ReactionTypes::Rename(std::size_t index, std::string_view name, UserPort& port) {
    if (index < 1 || index > m_types.size() || !FitsItsField("nombre de un tipo", name, port)) {
        return false;
    }
    m_types[index - 1].name = std::string(name);
    return true;
}

void ReactionTypes::Delete(std::size_t index) {
    if (index >= 1 && index <= m_types.size()) m_types.erase(m_types.begin() + static_cast<std::ptrdiff_t>(index - 1));
}

}  // namespace tovel
