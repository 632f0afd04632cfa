#pragma once
// The reaction types of the library and tiptovl.rel, their file: 64-byte records, one a type,
// each a name and the base name of the type's reaction file Zq/<base>.zq.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_guard.h"
#include "core/safe_file.h"
#include "core/user_port.h"

namespace tovel {

constexpr const char* kTypesFileName = "tiptovl.rel";
constexpr std::size_t kTypeRecordSize = 64;
constexpr std::size_t kTypeNameLimit = 31;  // characters of a name and of a base name
constexpr std::size_t kTypeLimit = 255;

struct ReactionType {
    std::string name;
    std::string base;

    bool operator==(const ReactionType&) const = default;
};

// "Ácido base" -> "acidobase": blanks removed, accented vowels made plain, and every character
// a plain file name may not hold left out.
std::string TypeBaseName(std::string_view name);
// A base name is used as a file name in Zq/: letters, digits, blanks, "-" and "_" only, so that
// it can never reach outside the library's folder or cut its path short.
bool IsPlainBaseName(std::string_view base);
// A name that fits its field and gives a base name that fits its own; an empty name, or one
// without a letter or a digit, would name no file. What is wrong is told to the user.
bool TypeNameFits(std::string_view name, UserPort& port);
// Zq/<base>.zq
std::string ReactionFileName(const ReactionType& type);

std::string EncodeTypeRecord(const ReactionType& type);
ReactionType DecodeTypeRecord(std::string_view bytes);

class ReactionTypes {
  public:
    // Replaces the list with the file's types; false (and no types) when it cannot be read. A
    // record whose base name is no plain file name, or beyond kTypeLimit, is not loaded but kept
    // to be written back, as is an incomplete last record; Problems() names them.
    bool Read(const std::string& path = kTypesFileName);
    // Refuses to write over a file that exists but could not be read.
    FileResult Write(const std::string& path = kTypesFileName) const;
    // What the last Read could not take, to tell the user; empty when all was read.
    const std::string& Problems() const { return m_problems; }
    // The file as it was when it was read: a save notices another window's save since.
    FileStamp& Stamp() { return m_stamp; }

    std::size_t Count() const { return m_types.size(); }
    const ReactionType& Type(std::size_t index) const { return m_types.at(index - 1); }
    const std::vector<ReactionType>& Types() const { return m_types; }

    // Appends a type named name. Refuses, with a message, a 256th type and a name or base name
    // of more than 31 characters: cut, it would name another type or another file.
    bool Add(std::string_view name, UserPort& port);
    // A new name only: the base name, and so the reaction file, stay. Refuses what Add refuses
    // of a name.
    bool Rename(std::size_t index, std::string_view name, UserPort& port);
    // Removes the type; its reaction file stays on disk.
    void Delete(std::size_t index);

  private:
    void AddNotLoaded(const std::vector<ReactionType>& types, const std::string& why);

    std::vector<ReactionType> m_types;
    std::string m_kept;        // the records not loaded, written back as they were
    std::string m_partial;     // an incomplete last record, written back last
    std::string m_unreadable;  // why the file could not be read, when it exists
    std::string m_problems;
    FileStamp m_stamp;
};

}  // namespace tovel
