#include "exercises/reaction_types.h"

#include <algorithm>

#include "core/messages.h"
#include "core/record_codec.h"
#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

namespace {

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

namespace {

bool PlainCharacter(std::string_view ch) {
    if (ch.size() == 1) {
        const char c = ch[0];
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == ' ' || c == '-' || c == '_';
    }
    // The letters of Windows-1252 beyond ASCII (Ñ, ç, á...), as two UTF-8 bytes from U+00C0 on,
    // without the signs × and ÷.
    if (ch.size() != 2) return false;
    const auto a = static_cast<unsigned char>(ch[0]);
    const auto b = static_cast<unsigned char>(ch[1]);
    const unsigned cp = ((a & 0x1Fu) << 6) | (b & 0x3Fu);
    return (a & 0xE0) == 0xC0 && cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7;
}

std::string PlainCharactersOf(std::string_view text) {
    std::string out;
    for (std::string_view ch : Utf8Chars(text)) {
        if (PlainCharacter(ch)) out += ch;
    }
    return out;
}

// File names that a file system ignoring case would take for one.
bool SameFileName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

bool TypeNameFits(std::string_view name, UserPort& port) {
    if (!FitsItsField("nombre de un tipo", name, port)) return false;
    const std::string base = PlainCharactersOf(StripAccents(RemoveBlanks(name)));
    if (!FitsItsField("nombre de fichero de un tipo", base, port)) return false;
    if (!base.empty()) return true;
    NoticeWith(port, "Nombre no válido",
               "El nombre de un tipo necesita letras o números para nombrar su fichero: \"" +
                   std::string(name) + "\"",
               MessageIcon::Exclamation);
    return false;
}

std::string TypeBaseName(std::string_view name) {
    return Utf8Prefix(PlainCharactersOf(StripAccents(RemoveBlanks(name))), kTypeNameLimit);
}

bool IsPlainBaseName(std::string_view base) {
    if (TrimBlanks(base).empty()) return false;
    for (std::string_view ch : Utf8Chars(base)) {
        if (!PlainCharacter(ch)) return false;
    }
    return true;
}

std::string ReactionFileName(const ReactionType& type) {
    return "Zq/" + type.base + ".zq";
}

std::string EncodeTypeRecord(const ReactionType& type) {
    std::string out(kTypeRecordSize, ' ');
    PutTextField(out, 0, type.name, kTypeNameLimit, ' ');
    PutTextField(out, 32, type.base, kTypeNameLimit, ' ');
    return out;
}

ReactionType DecodeTypeRecord(std::string_view bytes) {
    return {GetTextField(bytes, 0, kTypeNameLimit), GetTextField(bytes, 32, kTypeNameLimit)};
}

bool ReactionTypes::Read(const std::string& path) {
    m_types.clear();
    m_kept.clear();
    m_partial.clear();
    m_unreadable.clear();
    m_problems.clear();
    m_stamp = StampOf(path);  // before reading: a save in between is noticed, never missed
    // Read whole, within reason: the records beyond the limit are kept, not dropped.
    const ReadResult file = ReadFilePrefix(path, 4 * kTypeLimit * kTypeRecordSize);
    if (!file) {
        // Anything there, a link loop too, is a file that could not be read: never written over.
        if (PathPresent(path)) m_unreadable = m_problems = file.error;
        return false;
    }
    if (file.fileSize > file.bytes.size()) {
        m_unreadable = m_problems =
            path + " es demasiado grande: " + IntText(static_cast<long>(file.fileSize)) + " bytes";
        return false;
    }
    std::vector<ReactionType> refused;
    std::vector<ReactionType> beyond;
    for (std::size_t at = 0; at + kTypeRecordSize <= file.bytes.size(); at += kTypeRecordSize) {
        const std::string_view record = std::string_view(file.bytes).substr(at, kTypeRecordSize);
        ReactionType type = DecodeTypeRecord(record);
        if (!IsPlainBaseName(type.base)) {
            refused.push_back(std::move(type));
            m_kept += record;
        } else if (m_types.size() >= kTypeLimit) {
            beyond.push_back(std::move(type));
            m_kept += record;
        } else {
            m_types.push_back(std::move(type));
        }
    }
    AddNotLoaded(refused,
                 "con un nombre de fichero que no vale (solo letras, números, espacios, - y _)");
    AddNotLoaded(beyond, "más allá de los " + IntText(kTypeLimit) + " que caben");
    if (!m_problems.empty()) m_problems += "; se conservan en " + path;
    // A last record cut short is kept at the end of the file, out of the way of whole records.
    if (const std::size_t partial = file.bytes.size() % kTypeRecordSize; partial > 0) {
        m_partial = file.bytes.substr(file.bytes.size() - partial);
        m_problems += std::string(m_problems.empty() ? "" : ". ") + path +
                      " acaba con un tipo incompleto de " + IntText(static_cast<long>(partial)) +
                      " bytes, que no se carga; se conserva al final del fichero";
    }
    return true;
}

// '2 tipos con ... no se cargan: "Ácidos" (Zq/../a.zq), "Sales" (Zq/.zq)': the user can find each
// one in the file and mend it. A few are named, so that the message keeps its end in a box.
void ReactionTypes::AddNotLoaded(const std::vector<ReactionType>& types, const std::string& why) {
    if (types.empty()) return;
    const bool one = types.size() == 1;
    std::string text = IntText(static_cast<long>(types.size())) + (one ? " tipo " : " tipos ") +
                       why + (one ? " no se carga: " : " no se cargan: ");
    constexpr std::size_t kNamed = 3;
    for (std::size_t i = 0; i < types.size() && i < kNamed; ++i) {
        if (i > 0) text += ", ";
        text += "\"" + types[i].name + "\" (" + ReactionFileName(types[i]) + ")";
    }
    if (types.size() > kNamed)
        text += " y " + IntText(static_cast<long>(types.size() - kNamed)) + " más";
    m_problems += (m_problems.empty() ? "" : "; ") + text;
}

FileResult ReactionTypes::Write(const std::string& path) const {
    if (!m_unreadable.empty())
        return {false,
                "No se guarda encima de un fichero que no se ha podido leer: " + m_unreadable};
    std::string bytes;
    for (const auto& type : m_types)
        bytes += EncodeTypeRecord(type);
    return WriteFileAtomically(path, bytes + m_kept + m_partial);
}

bool ReactionTypes::Add(std::string_view name, UserPort& port) {
    if (m_types.size() >= kTypeLimit) {
        NoticeWith(port, "Demasiados tipos",
                   "Caben " + IntText(kTypeLimit) + " tipos de reacción como máximo",
                   MessageIcon::Exclamation);
        return false;
    }
    if (!TypeNameFits(name, port)) return false;
    // Two types never share a file: "Síntesis" and "sintesis" both name sintesis, so the second
    // gets sintesis2 (compared without case, as some file systems do).
    const std::string base = PlainCharactersOf(StripAccents(RemoveBlanks(name)));
    auto taken = [this](const std::string& candidate) {
        return std::any_of(m_types.begin(), m_types.end(), [&](const ReactionType& type) {
            return SameFileName(type.base, candidate);
        });
    };
    std::string unique = base;
    for (int n = 2; taken(unique); ++n) {
        const std::string suffix = std::to_string(n);
        unique = Utf8Prefix(base, kTypeNameLimit - suffix.size()) + suffix;
    }
    m_types.push_back({std::string(name), unique});
    return true;
}

bool ReactionTypes::Rename(std::size_t index, std::string_view name, UserPort& port) {
    if (index < 1 || index > m_types.size() || !TypeNameFits(name, port)) return false;
    m_types[index - 1].name = std::string(name);
    return true;
}

void ReactionTypes::Delete(std::size_t index) {
    if (index >= 1 && index <= m_types.size())
        m_types.erase(m_types.begin() + static_cast<std::ptrdiff_t>(index - 1));
}

}  // namespace tovel
