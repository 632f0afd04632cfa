#pragma once
// External tools: programs or documents the user registers and starts from the "Utilidades"
// menu. Tools.rel keeps them, four lines a tool.

#include <string>
#include <utility>
#include <vector>

#include "core/file_guard.h"
#include "core/safe_file.h"
#include "core/user_port.h"

namespace tovel {

constexpr const char* kToolsFileName = "Tools.rel";
constexpr int kToolCommandBase = 530;   // tool i (1-based) has the menu command 530 + i
constexpr int kEditToolsCommand = 501;  // "Edición utilidades"
constexpr std::size_t kToolLimit = 64;

// The menu command of tool index (1-based), and the tool a command stands for (0: none). The
// commands 531..594 are the tools' alone: no other command of the program falls among them.
constexpr int ToolCommand(std::size_t index) {
    return kToolCommandBase + static_cast<int>(index);
}
constexpr std::size_t ToolOfCommand(int command) {
    const int index = command - kToolCommandBase;
    return index >= 1 && index <= static_cast<int>(kToolLimit) ? static_cast<std::size_t>(index)
                                                               : 0;
}
constexpr std::size_t kToolFieldLimit = 255;

struct ToolEntry {
    std::string title;
    std::string file;        // a program or a document, optionally with arguments
    std::string workingDir;  // empty: the current folder
    std::string parameters;  // passed to the program after the file field's own arguments

    bool operator==(const ToolEntry&) const = default;
};

class ToolList {
  public:
    // Reads four lines a tool, at most kToolLimit tools; a last incomplete tool keeps empty
    // fields. False when the file does not exist or cannot be read (the list is then empty).
    // Tools beyond the limit are kept aside and written back after the others by Save.
    bool Load(const std::string& path = kToolsFileName);
    // Refuses to write over a file that exists but could not be read. Once saved, the fields
    // cut on reading are what the file holds.
    FileResult Save(const std::string& path = kToolsFileName);
    // What the last Load could not take, to tell the user; empty when all was read.
    std::string LoadReport() const;
    // The tools still in the list whose fields the last Load cut to kToolFieldLimit characters,
    // each with the fields cut: "\"Editor\" (programa, parámetros)". A save writes them cut,
    // so the user is asked first.
    std::vector<std::string> CutFields() const;

    std::vector<ToolEntry>& Tools() { return m_tools; }
    const std::vector<ToolEntry>& Tools() const { return m_tools; }
    std::size_t Count() const { return m_tools.size(); }
    // The file as it was when it was loaded: a save notices another window's save since.
    FileStamp& Stamp() { return m_stamp; }

  private:
    std::vector<ToolEntry> m_tools;
    std::vector<std::string> m_beyondLimit;  // the lines of the tools after the kToolLimit-th
    // The tools Load cut, as cut, with the names of their fields that were longer.
    std::vector<std::pair<ToolEntry, std::string>> m_cut;
    std::string m_unreadable;  // why the file could not be read, if it exists
    FileStamp m_stamp;
};

// Starts the tool in its working folder (a missing folder, a file or one that cannot be entered
// is reported) and comes back to the current folder whatever happens.
bool StartTool(const ToolEntry& tool, UserPort& port);

}  // namespace tovel
