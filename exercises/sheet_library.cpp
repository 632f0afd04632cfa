#include "exercises/sheet_library.h"

#include <cctype>
#include <string_view>
#include <utility>

#include "core/balance.h"
#include "core/user_port.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "exercises/sheet_data.h"

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

// Parses and balances an equation of the library; false when it gives no problem.
bool ParseForSheet(std::string_view equation, ElementTable& table, Reaction& reaction) {
    SilentPort port;
    return ParseReaction(reaction, equation, table, port) == kReactionOk &&
           SameElements(reaction) && BalanceReaction(reaction);
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

const std::string& SheetLibrary::TypeName(std::size_t index) const {
    return m_typeNames.at(m_reactions.at(index).type);
}

std::string_view SheetLibrary::Equation(std::size_t index) const {
    const SheetReaction& entry = m_reactions.at(index);
    return std::string_view(m_text).substr(entry.at, entry.length);
}

bool SheetLibrary::Balanced(std::size_t index, Reaction& reaction) const {
    return m_table && ParseForSheet(Equation(index), *m_table, reaction);
}

SheetLibrary LoadSheetLibrary(const std::string& folder, ElementTable& table,
                              std::string* problems) {
    SheetLibrary library;
    library.m_table = &table;
    std::string report;
    ReactionTypes types;
    if (!types.Read(InFolder(folder, kTypesFileName))) {
        // Not there, or there and unreadable: the reason the reading gave, if any.
        report = types.Problems().empty() ? "No hallado: " + std::string(kTypesFileName)
                                          : types.Problems();
    }
    // One reaction parsed at a time, and only what a draw chooses by is kept of it.
    Reaction reaction;
    for (const ReactionType& type : types.Types()) {
        std::string problem;
        const auto entries = ReadReactions(InFolder(folder, ReactionFileName(type)), &problem);
        if (!problem.empty()) report += (report.empty() ? "" : "; ") + problem;
        const auto typeIndex = static_cast<std::uint32_t>(library.m_typeNames.size());
        library.m_typeNames.push_back(type.name);
        for (const LibraryEntry& entry : entries) {
            if (!ParseForSheet(entry.reaction, table, reaction)) {
                report += (report.empty() ? "" : "; ") + type.name + ": " + entry.reaction +
                          " no se puede ajustar";
                continue;
            }
            // A half-reaction weighs electrons: no problem for a sheet.
            if (HasElectron(reaction)) continue;
            SheetReaction item;
            item.type = typeIndex;
            item.at = library.m_text.size();
            item.length = static_cast<std::uint32_t>(entry.reaction.size());
            for (int side = 0; side < 2; ++side)
                item.count[side] = static_cast<std::uint8_t>(reaction.Count(side));
            item.traits = SheetTraits(reaction);
            library.m_text += entry.reaction;
            library.m_reactions.push_back(item);
        }
    }
    library.m_text.shrink_to_fit();
    library.m_reactions.shrink_to_fit();
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
