#pragma once
// Texts kept in three languages, always in the order Catalan, English, Spanish. The program
// chooses one language for the whole run (Spanish); tests may switch it to check the others.

#include <array>
#include <string_view>

namespace tovel {

enum class Language { Catalan = 0, English = 1, Spanish = 2 };

using MessageTriple = std::array<std::string_view, 3>;

Language LanguageIndex();
void SetLanguageIndex(Language language);

// The text of the triple in the current language.
std::string_view Select(const MessageTriple& triple);

}  // namespace tovel
