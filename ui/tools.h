#pragma once
// External tools: programs or documents the user registers and starts from the "Utilidades"
// menu. Tools.rel keeps them, four lines a tool.

#include <string>
#include <vector>

#include "safe_file.h"
#include "user_port.h"

namespace tovel {

constexpr const char* kToolsFileName = "Tools.rel";
constexpr int kToolCommandBase = 530;  // tool i has the menu command 530 + i
constexpr int kEditToolsCommand = 501;
constexpr std::size_t kToolLimit = 64;
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
    // fields. False when the file does not exist (the list is then empty).
    bool Load(const std::string& path = kToolsFileName);
    FileResult Save(const std::string& path = kToolsFileName) const;

    std::vector<ToolEntry>& Tools() { return m_tools; }
    const std::vector<ToolEntry>& Tools() const { return m_tools; }
    std::size_t Count() const { return m_tools.size(); }

private:
    std::vector<ToolEntry> m_tools;
};

// Starts the tool in its working folder (a missing folder, a file or one that cannot be entered
// is reported) and comes back to the current folder whatever happens.
bool StartTool(const ToolEntry& tool, UserPort& port);

}  // namespace tovel
