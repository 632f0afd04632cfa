#include "system/text_file.h"

#include <unistd.h>

#include <filesystem>

#include "core/cp1252.h"
#include "system/file_helpers.h"

namespace tovel {

namespace {

// Text files the program reads are small; anything beyond this is not one of them.
constexpr std::size_t kTextFileLimit = 16 * 1024 * 1024;

bool FolderWritable(const std::string& name) {
    auto folder = std::filesystem::path(name).parent_path();
    if (folder.empty()) folder = ".";
    return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

bool OpenForReading(const std::string& name, TextFile& file, std::string* error) {
    file = TextFile();
    if (error) error->clear();
    if (KindOfPath(name) == PathKind::Missing) return false;
    ReadResult read = ReadFilePrefix(name, kTextFileLimit);
    if (read && read.fileSize > kTextFileLimit) {
        read.ok = false;
        read.error = name + " es demasiado grande: " + std::to_string(read.fileSize) +
                     " bytes (caben " + std::to_string(kTextFileLimit) + ")";
    }
    if (!read) {
        if (error) *error = read.error;
        return false;
    }
    file.m_mode = TextFile::Mode::Reading;
    file.m_path = name;
    file.m_bytes = std::move(read.bytes);
    return true;
}

bool OpenForWriting(const std::string& name, TextFile& file) {
    file = TextFile();
    const PathKind kind = KindOfPath(name);
    if (!FolderWritable(name) || (kind != PathKind::Missing && kind != PathKind::Regular))
        return false;
    file.m_mode = TextFile::Mode::Writing;
    file.m_path = name;
    return true;
}

bool OpenForAppending(const std::string& name, TextFile& file) {
    file = TextFile();
    if (!FileExists(name) || !FolderWritable(name)) return false;
    ReadResult read = ReadFilePrefix(name, kTextFileLimit);
    if (!read || read.fileSize > kTextFileLimit) return false;
    file.m_mode = TextFile::Mode::Writing;
    file.m_path = name;
    file.m_bytes = std::move(read.bytes);
    return true;
}

FileResult AppendBlock(const std::string& path, const std::vector<std::string>& lines) {
    // Added in place, in one write: another window appending at the same moment adds its own
    // block before or after this one, and neither is lost.
    std::string block = "\r\n\r\n";
    for (const auto& line : lines)
        block += line + "\r\n";
    return AppendToFile(path, Utf8ToCp1252(block));
}

bool TextFile::ReadLine(std::string& line) {
    if (m_mode != Mode::Reading || m_next >= m_bytes.size()) return false;
    auto end = m_bytes.find('\n', m_next);
    if (end == std::string::npos) end = m_bytes.size();
    std::string raw = m_bytes.substr(m_next, end - m_next);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    m_next = end + 1;
    line = Cp1252ToUtf8(raw);
    return true;
}

void TextFile::Write(const std::string& text) {
    if (m_mode == Mode::Writing) m_bytes += Utf8ToCp1252(text);
}

void TextFile::WriteLine(const std::string& line) {
    Write(line + "\r\n");
}

FileResult TextFile::Close() {
    const Mode mode = m_mode;
    m_mode = Mode::Closed;
    if (mode != Mode::Writing) return {true, {}};
    return WriteFileAtomically(m_path, m_bytes);
}

}  // namespace tovel
