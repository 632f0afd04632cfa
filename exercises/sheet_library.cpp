#include "exercises/sheet_library.h"

#include <cctype>
#include <string_view>
#include <utility>

#include "core/balance.h"
#include "core/user_port.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"

namespace tovel {

namespace {

// A port for reading the library without anyone to ask: every question is answered No, so a
// formula with an unknown element leaves its reaction out.
class SilentPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override {
        return message.buttons == MessageButtons::Ok ? kAnswerOk : kAnswerNo;
    }
    void OpenElementEditor(ElementTable&, const std::string&) override {}
};

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder == "." ? name : folder + "/" + name;
}

}  // namespace

std::vector<std::string> SheetTypeNames(const std::string& folder) {
    ReactionTypes types;
    types.Read(InFolder(folder, kTypesFileName));
    std::vector<std::string> names;
    for (const ReactionType& type : types.Types())
        names.push_back(type.name);
    return names;
}

std::vector<SheetReaction> LoadSheetLibrary(const std::string& folder, ElementTable& table,
                                            std::string* problems) {
    std::vector<SheetReaction> library;
    std::string report;
    ReactionTypes types;
    if (!types.Read(InFolder(folder, kTypesFileName))) {
        // Not there, or there and unreadable: the reason the reading gave, if any.
        report = types.Problems().empty() ? "No hallado: " + std::string(kTypesFileName)
                                          : types.Problems();
    }
    SilentPort port;
    for (const ReactionType& type : types.Types()) {
        std::string problem;
        const auto entries = ReadReactions(InFolder(folder, ReactionFileName(type)), &problem);
        if (!problem.empty()) report += (report.empty() ? "" : "; ") + problem;
        for (const LibraryEntry& entry : entries) {
            SheetReaction item;
            item.type = type.name;
            item.equation = entry.reaction;
            if (ParseReaction(item.reaction, entry.reaction, table, port) != kReactionOk ||
                !SameElements(item.reaction) || !BalanceReaction(item.reaction)) {
                report += (report.empty() ? "" : "; ") + type.name + ": " + entry.reaction +
                          " no se puede ajustar";
                continue;
            }
            // A half-reaction weighs electrons: no problem for a sheet.
            if (HasElectron(item.reaction)) continue;
            library.push_back(std::move(item));
        }
    }
    if (problems) *problems = report;
    return library;
}

std::string MatchSheetType(const std::vector<std::string>& names, const std::string& typed) {
    const auto folded = [](std::string_view name) {
        std::string text = TypeBaseName(name);
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const std::string& name : names) {
        if (name == typed) return name;
    }
    const std::string key = folded(typed);
    for (const std::string& name : names) {
        if (!key.empty() && folded(name) == key) return name;
    }
    return "";
}

}  // namespace tovel
