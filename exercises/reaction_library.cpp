#include "exercises/reaction_library.h"

#include "core/equation_checks.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "system/launch.h"

namespace tovel {

ReactionLibrary::ReactionLibrary(ElementTable& table, UserPort& port, RandomIndex random)
    : m_table(table), m_port(port), m_random(std::move(random)) {}

void ReactionLibrary::Open() {
    m_types.Read();
    if (!m_types.Problems().empty())
        NoticeWith(m_port, "Tipos de reacción", m_types.Problems(), MessageIcon::Exclamation);
    m_type = 0;
    m_selected = 0;
    m_saveMode = false;
    if (!m_openedBefore) {
        SelectType(m_types.Count() > 0 ? 1 : 0);
        m_openedBefore = true;
    } else {
        SelectType(0);
    }
}

void ReactionLibrary::Close(bool closeBox) {
    if (closeBox) m_openedBefore = false;
}

LibraryControls ReactionLibrary::Controls() const {
    LibraryControls c;
    const bool type = m_type > 0;
    c.deleteType = c.newType = type;
    c.sort = type && m_entries.size() > 1 && !m_saveMode;
    c.deleteReaction = c.newReaction = m_selected > 0;
    c.transfer = type && !m_saveMode;
    c.storeReaction = c.search = type;
    c.reactionFields = type || m_saveMode;
    c.randomType = !m_saveMode && m_types.Count() > 0;
    c.randomReaction = !m_entries.empty();
    c.saveHints = m_saveMode;
    // A new type's name, or a new name for the type shown; Enter in the field does what this
    // control does, and only when it is enabled.
    const std::string name = TrimBlanks(typeText);
    c.storeType = !name.empty() && (!type || m_types.Type(m_type).name != name);
    return c;
}

std::string ReactionLibrary::TypeFile() const {
    return m_type > 0 ? ReactionFileName(m_types.Type(m_type)) : "";
}

void ReactionLibrary::SelectType(std::size_t type) {
    if (type == 0 || type > m_types.Count()) {
        m_type = 0;
        m_entries.clear();
        m_selected = 0;
        typeText.clear();
        if (!m_saveMode) reactionText.clear();
        descriptionText.clear();
        return;
    }
    m_type = type;
    typeText = m_types.Type(type).name;
    Refill();
}

// The type's reactions read again; in save mode the reaction being saved stays in its field.
void ReactionLibrary::Refill() {
    m_entriesStamp = StampOf(TypeFile());
    m_entries = ReadReactions(TypeFile(), &m_fileProblem);
    if (m_saveMode) {
        m_selected = 0;
    } else if (m_entries.empty()) {
        // Nothing to show: the fields must not keep another type's reaction.
        m_selected = 0;
        reactionText.clear();
        descriptionText.clear();
    } else {
        SelectEntry(1);
    }
    if (!m_fileProblem.empty()) {
        if (m_beforeMessage) m_beforeMessage();
        NoticeWith(m_port, "Reacciones", "No se han podido leer las reacciones: " + m_fileProblem,
                   MessageIcon::Exclamation);
    }
}

void ReactionLibrary::RandomType() {
    if (m_types.Count() > 0) SelectType(m_random(m_types.Count()) + 1);
}

void ReactionLibrary::NewType() {
    m_type = 0;
    m_entries.clear();
    m_selected = 0;
    typeText.clear();
    if (!m_saveMode) reactionText.clear();
    descriptionText.clear();
}

void ReactionLibrary::TypeTextChanged() {
    if (TrimBlanks(typeText).empty()) {
        const std::string kept = reactionText;
        SelectType(0);
        if (m_saveMode) reactionText = kept;
    }
}

void ReactionLibrary::StoreType() {
    if (!Controls().storeType) return;
    const std::string name = TrimBlanks(typeText);
    const ReactionTypes before = m_types;
    if (m_type == 0) {
        if (!m_types.Add(name, m_port)) return;
    } else {
        const std::string& old = m_types.Type(m_type).name;
        if (!TypeNameFits(name, m_port) ||
            AskYesNoWith(m_port, "Confirmar",
                         "¿Cambiar el nombre del tipo \"" + old + "\" por \"" + name + "\"?",
                         MessageIcon::Question, kAnswerNo) != kAnswerYes ||
            !m_types.Rename(m_type, name, m_port)) {
            return;
        }
    }
    const std::size_t stored = m_type == 0 ? m_types.Count() : m_type;
    if (!SaveTypes(before)) return;
    // The type just named is shown, ready for its reactions (in save mode, for the one saved).
    SelectType(stored);
}

void ReactionLibrary::DeleteType() {
    if (m_type == 0) return;
    if (AskYesNo(m_port, "Confirmar", "¿Eliminar " + m_types.Type(m_type).name + "?") != kAnswerYes)
        return;
    const ReactionTypes before = m_types;
    m_types.Delete(m_type);
    if (!SaveTypes(before)) return;
    SelectType(0);
}

void ReactionLibrary::SelectEntry(std::size_t index) {
    if (index < 1 || index > m_entries.size()) {
        m_selected = 0;
        return;
    }
    m_selected = index;
    reactionText = m_entries[index - 1].reaction;
    descriptionText = m_entries[index - 1].description;
}

void ReactionLibrary::ReactionTextChanged() {
    if (reactionText.empty()) m_selected = 0;
}

void ReactionLibrary::RandomReaction() {
    if (!m_entries.empty()) SelectEntry(m_random(m_entries.size()) + 1);
}

void ReactionLibrary::NewReaction() {
    // A new reaction starts from empty fields: typing after the old one would run two together.
    m_selected = 0;
    reactionText.clear();
    descriptionText.clear();
}

void ReactionLibrary::StoreReaction() {
    if (m_type == 0 || TrimBlanks(reactionText).empty()) return;
    // A reaction kept is one "Pasar ->" can use.
    if (!CheckEquationText(reactionText, m_table, m_port)) return;
    std::vector<LibraryEntry> entries = m_entries;
    const LibraryEntry entry{reactionText, descriptionText};
    std::size_t stored = m_selected;
    if (stored == 0) {
        entries.push_back(entry);
        stored = entries.size();
    } else {
        entries[stored - 1] = entry;
    }
    if (SaveEntries(entries) != SaveOutcome::Saved) {
        // Nothing changed: the fields keep what was typed, and a save can be tried again.
        return;
    }
    // The reaction stored stays selected, so that a second "ok" replaces it instead of adding
    // it again.
    m_saveMode = false;
    m_entries = ReadReactions(TypeFile(), &m_fileProblem);
    SelectEntry(stored);
}

void ReactionLibrary::DeleteReaction() {
    if (m_selected == 0) return;
    if (AskYesNo(m_port, "Confirmar", "¿Eliminar " + m_entries[m_selected - 1].reaction + "?") !=
        kAnswerYes)
        return;
    std::vector<LibraryEntry> entries = m_entries;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(m_selected - 1));
    SaveEntries(entries);
    Refill();
}

void ReactionLibrary::Search() {
    if (m_type == 0) return;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].reaction.find(searchText) != std::string::npos) {
            SelectEntry(i + 1);
            return;
        }
    }
    Notice(m_port, "No hallado:", Blanks(13) + searchText + Blanks(15));
}

void ReactionLibrary::Sort() {
    if (m_type == 0) return;
    RunLinord(TypeFile(), 2, m_port, m_programDir);
    Refill();
}

std::optional<std::pair<Reaction, std::string>> ReactionLibrary::Transfer() {
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, reactionText, m_table, m_port, &failure);
    if (code != kReactionOk) {
        ReportReactionParseFailure(code, m_port, &failure, reactionText);
        return std::nullopt;
    }
    const std::string description =
        m_selected > 0 ? m_entries[m_selected - 1].description : descriptionText;
    return std::make_pair(reaction, description);
}

void ReactionLibrary::RequestSave(const std::string& compactReaction) {
    m_saveMode = true;
    m_selected = 0;
    SelectType(0);
    reactionText = compactReaction;
}

FileResult ReactionLibrary::WriteEntries(const std::vector<LibraryEntry>& entries) const {
    // What could not be read is not replaced by the little that was.
    if (!m_fileProblem.empty())
        return {false, "No se guarda encima de " + TypeFile() + ": " + m_fileProblem};
    return WriteReactions(TypeFile(), entries);
}

SaveOutcome ReactionLibrary::SaveEntries(const std::vector<LibraryEntry>& entries) {
    std::string error;
    const SaveOutcome outcome = SaveUnlessChanged(
        TypeFile(), m_entriesStamp, m_port, [&] { return WriteEntries(entries); }, &error);
    if (outcome == SaveOutcome::Failed) Report({false, error});
    if (outcome == SaveOutcome::Reload) {
        // The other window's reactions are shown; what this one typed stays in its fields, to
        // be stored again as a new reaction.
        const std::string reaction = reactionText, description = descriptionText;
        Refill();
        m_selected = 0;
        reactionText = reaction;
        descriptionText = description;
    }
    return outcome;
}

bool ReactionLibrary::SaveTypes(const ReactionTypes& before) {
    std::string error;
    const SaveOutcome outcome = SaveUnlessChanged(
        kTypesFileName, m_types.Stamp(), m_port, [this] { return m_types.Write(); }, &error);
    switch (outcome) {
        case SaveOutcome::Saved:
            return true;
        case SaveOutcome::Reload:
            m_types.Read();
            SelectType(0);
            return false;
        case SaveOutcome::Failed:
            Report({false, error});
            break;
        case SaveOutcome::Cancelled:
            break;
    }
    m_types = before;
    return false;
}

void ReactionLibrary::Report(const FileResult& written) {
    if (!written) NoticeWith(m_port, "No se ha guardado", written.error, MessageIcon::Exclamation);
}

}  // namespace tovel
