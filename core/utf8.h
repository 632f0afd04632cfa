#pragma once
// Character-level access to UTF-8 text. Limits such as "a name of at most 14 characters" count
// characters, not bytes, so every cut goes through here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// Splits text into its characters, each as its UTF-8 bytes. A malformed byte counts as one
// character of its own, so nothing is lost and the split never fails.
std::vector<std::string_view> Utf8Chars(std::string_view text);
// Bytes of the character that starts at byte i of text (i within text), by the same rule: to
// walk a text character by character without splitting it first.
std::size_t Utf8CharLength(std::string_view text, std::size_t i);

std::size_t Utf8Length(std::string_view text);

// The first n characters of text (all of it when it is shorter).
std::string Utf8Prefix(std::string_view text, std::size_t n);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace tovel
