#include "data/tools/library_source.h"

#include "core/text_utils.h"
#include "core/user_port.h"
#include "data/tools/source_lines.h"
#include "exercises/reaction_types.h"

namespace tovel {

namespace {

// Building the data never asks anybody anything.
class NoUser : public UserPort {
  public:
    int ShowMessage(const Message&) override { return kAnswerNo; }
    void OpenElementEditor(ElementTable&, const std::string&) override {}
};

}  // namespace

LibrarySource ReadLibrarySource(std::string_view text) {
    LibrarySource library;
    for (const auto& [number, line] : ContentLines(text)) {
        if (line[0] == '@') {
            library.types.push_back({TrimWhitespace(line.substr(1)), {}});
            continue;
        }
        const auto tab = line.find('\t');
        if (library.types.empty() || tab == std::string::npos) {
            library.error = "line " + std::to_string(number) + ": " + line;
            return library;
        }
        library.types.back().entries.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return library;
}

std::string WriteLibrary(const LibrarySource& library, const std::string& folder) {
    ReactionTypes types;
    NoUser user;
    for (const auto& type : library.types) {
        if (!types.Add(type.name, user)) return "too many types";
        const auto written = WriteReactions(
            folder + "/" + ReactionFileName(types.Type(types.Count())), type.entries);
        if (!written) return written.error;
    }
    const auto written = types.Write(folder + "/" + kTypesFileName);
    return written ? "" : written.error;
}

}  // namespace tovel
