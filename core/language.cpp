#include "core/language.h"

namespace tovel {

namespace {
// Program-wide by design: one language for every window of the run.
Language g_language = Language::Spanish;
}  // namespace

Language LanguageIndex() {
    return g_language;
}

void SetLanguageIndex(Language language) {
    g_language = language;
}

std::string_view Select(const MessageTriple& triple) {
    return triple[static_cast<std::size_t>(g_language)];
}

}  // namespace tovel
