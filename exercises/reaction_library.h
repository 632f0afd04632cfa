#pragma once
// The reaction library without its window: the types, the reactions of the current type, the
// fields the user edits and what every command of the "Reacciones tipo" window does. Its state
// lives for the whole run, across openings of the window.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/reaction.h"
#include "core/user_port.h"
#include "exercises/random_source.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "system/file_helpers.h"

namespace tovel {

// What the window enables and shows.
struct LibraryControls {
    bool deleteType = false, newType = false, storeType = false, randomType = false;
    bool sort = false, deleteReaction = false, newReaction = false, storeReaction = false;
    bool search = false, randomReaction = false, transfer = false, reactionFields = false;
    bool saveHints = false;
};

class ReactionLibrary {
  public:
    ReactionLibrary(ElementTable& table, UserPort& port, RandomIndex random = UniformRandomIndex());

    // The window opens: types read, nothing selected, and the first type the first time.
    void Open();
    // The window closes; with its close box the next opening selects the first type again.
    void Close(bool closeBox);

    const ReactionTypes& Types() const { return m_types; }
    std::size_t CurrentType() const { return m_type; }
    const std::vector<LibraryEntry>& Entries() const { return m_entries; }
    std::size_t Selected() const { return m_selected; }
    bool SaveMode() const { return m_saveMode; }
    std::string Title() const { return m_saveMode ? "GUARDAR REACCIÓN" : "Reacciones tipo"; }
    LibraryControls Controls() const;

    // The fields: type name, search text, reaction and description.
    std::string typeText, searchText, reactionText, descriptionText;

    // --- types
    void SelectType(std::size_t type);
    void RandomType();
    void NewType();
    void TypeTextChanged();
    // "ok" or Enter in the type field: a new type, or the current one renamed; it is then
    // the type shown.
    void StoreType();
    void DeleteType();

    // --- reactions
    void SelectEntry(std::size_t index);
    void ReactionTextChanged();
    void RandomReaction();
    void NewReaction();
    // "ok" or Enter in the reaction or description field: appends, or replaces the reaction
    // selected; the reaction stored is then the one selected. Ends the save mode.
    void StoreReaction();
    void DeleteReaction();
    void Search();
    // Sorts the type's file with Linord (blocks of 2 lines) and reads it again.
    void Sort();
    // "Pasar ->": the reaction field parsed; the reaction and its description on success.
    std::optional<std::pair<Reaction, std::string>> Transfer();
    // The main window asks to store its reaction (given as compact text).
    void RequestSave(const std::string& compactReaction);
    // Opening the window for browsing ends a save mode.
    void CancelSaveMode() { m_saveMode = false; }

    // Called before a message about a file that could not be read, so that a window shows the
    // library's state (the fields emptied) behind the message.
    void SetBeforeMessage(std::function<void()> show) { m_beforeMessage = std::move(show); }

    // Where Linord is looked for: beside tovel, unless a test says otherwise.
    void SetProgramFolder(const std::string& folder) { m_programDir = folder; }

  private:
    FileResult WriteEntries(const std::vector<LibraryEntry>& entries) const;
    // Saves the entries unless another window saved the type's file since it was read; then
    // the user chooses. True when saved.
    SaveOutcome SaveEntries(const std::vector<LibraryEntry>& entries);
    // Saves the types the same way; what is not saved is undone (before is the list as read).
    bool SaveTypes(const ReactionTypes& before);
    std::string TypeFile() const;
    void Refill();
    void Report(const FileResult& written);

    ElementTable& m_table;
    UserPort& m_port;
    RandomIndex m_random;
    ReactionTypes m_types;
    std::size_t m_type = 0;
    std::vector<LibraryEntry> m_entries;
    std::size_t m_selected = 0;
    bool m_saveMode = false;
    bool m_openedBefore = false;
    std::string m_programDir = ProgramFolder();
    std::string m_fileProblem;  // why the type's file could not be read, if it exists
    FileStamp m_entriesStamp;   // the type's file as it was read
    std::function<void()> m_beforeMessage;
};

}  // namespace tovel
