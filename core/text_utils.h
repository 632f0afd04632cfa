#pragma once
// Small text utilities shared by every window. Positions are 1-based and count characters, as
// the program's texts always have; 0 means "not found".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

std::string IntText(std::int64_t value);
// IntText preceded by blanks up to width characters; never cut when longer.
std::string IntTextPadded(std::int64_t value, std::size_t width);

std::string RepeatChar(std::string_view character, std::size_t count);
std::string Blanks(std::size_t count);
// The separator line of the resolution texts: soft hyphens (byte 0xAD on disk).
std::string SeparatorLine(std::size_t count);

// Removes blank characters (only ' ') at both ends.
std::string TrimBlanks(std::string_view text);
// Removes tab, line feed, carriage return and blank at both ends: how formulas and equation
// sides are cleaned before parsing.
std::string TrimWhitespace(std::string_view text);
// The same, as a view into text: for looking at a text without copying it.
std::string_view TrimWhitespaceView(std::string_view text);
std::string RemoveBlanks(std::string_view text);

// Inserts c before the first byte with a greater code, so an ascending text stays ascending;
// returns the 1-based position where it went.
std::size_t InsertSorted(char c, std::string& text);

std::size_t LastPos(std::string_view character, std::string_view text);

std::string ReplaceFirst(std::string_view text, std::string_view find, std::string_view with);
// Replaces until the text no longer changes. A replacement that contains what it replaces would
// never settle; then every occurrence is replaced once instead.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

std::string ReverseText(std::string_view text);

// Vowels with grave, acute or diaeresis become plain lower-case vowels; the rest is unchanged.
std::string StripAccents(std::string_view text);

// For a text starting with "(": the text up to and including the ")" that closes it, nested
// parentheses counted. Without a closing ")" the whole text; without a leading "(" empty.
std::string ParenthesisedPrefix(std::string_view text);

// The edits (a byte inserted, removed or changed) that turn a into b: how near a misspelt word is
// to a right one.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The pieces of text between separators, empty ones included: "a::b" -> {"a", "", "b"}.
std::vector<std::string> SplitAt(std::string_view text, char separator);

}  // namespace tovel
