#pragma once
// How a new version of the shipped data reaches a user's data folder. The folder keeps a
// record of the shipped version each default file was copied from; a file still equal to that
// copy was not changed by its user and follows the shipped data, a file the user changed is
// never touched.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// The record's name in the user's data folder.
constexpr const char* kDefaultsRecordName = ".tovel-defaults";

// A file's fingerprint (64-bit FNV-1a): enough to tell a change, not a protection.
std::uint64_t Fingerprint(std::string_view bytes);

enum class DefaultUpdate {
    Copy,     // the user's folder lacks the file: copy the shipped one
    Replace,  // the user's copy is the earlier shipped one, unchanged: take the new one
    Record,   // the user's copy already is the shipped one: only remember it
    Keep,     // the user changed the file (or it cannot be told): leave it alone
};

// user: the user's file, if present; recorded: the shipped version it was copied from, if known.
DefaultUpdate DecideDefaultUpdate(std::optional<std::uint64_t> user,
                                  std::optional<std::uint64_t> recorded, std::uint64_t shipped);

// Relative file name -> fingerprint of the shipped version copied.
using DefaultsRecord = std::map<std::string, std::uint64_t>;

// One line per file: 16 hexadecimal digits, a blank, the relative name. Lines that do not
// have that form are skipped, so a damaged record only makes files count as changed.
DefaultsRecord ParseDefaultsRecord(std::string_view text);
std::string FormatDefaultsRecord(const DefaultsRecord& record);

}  // namespace tovel
