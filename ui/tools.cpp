#include "tools.h"

#include <unistd.h>

#include <filesystem>

#include "file_helpers.h"
#include "launch.h"
#include "messages.h"
#include "text_file.h"
#include "text_utils.h"
#include "utf8.h"

namespace tovel {

bool ToolList::Load(const std::string& path) {
    m_tools.clear();
    TextFile file;
    if (!OpenForReading(path, file)) return false;
    std::string line;
    // The menu has commands for 64 tools only; the rest of a longer file is not read, so no menu
    // item is shown that cannot be chosen.
    while (m_tools.size() < kToolLimit && file.ReadLine(line)) {
        ToolEntry tool;
        tool.title = Utf8Prefix(line, kToolFieldLimit);
        std::string* rest[] = {&tool.file, &tool.workingDir, &tool.parameters};
        for (std::string* field : rest) {
            if (!file.ReadLine(line)) break;
            *field = Utf8Prefix(line, kToolFieldLimit);
        }
        m_tools.push_back(tool);
    }
    file.Close();
    return true;
}

FileResult ToolList::Save(const std::string& path) const {
    TextFile file;
    if (!OpenForWriting(path, file)) return {false, "No se puede escribir " + path};
    for (const auto& tool : m_tools) {
        file.WriteLine(tool.title);
        file.WriteLine(tool.file);
        file.WriteLine(tool.workingDir);
        file.WriteLine(tool.parameters);
    }
    return file.Close();
}

bool StartTool(const ToolEntry& tool, UserPort& port) {
    std::error_code ec;
    const auto remembered = std::filesystem::current_path(ec);
    if (!tool.workingDir.empty()) {
        const bool folder = DirectoryExists(tool.workingDir) && std::filesystem::is_directory(tool.workingDir, ec);
        if (!folder || ::chdir(tool.workingDir.c_str()) != 0) {
            NoticeWith(port, "No se encuentra la carpeta", tool.workingDir, MessageIcon::Exclamation);
            std::filesystem::current_path(remembered, ec);
            return false;
        }
    }
    const bool started = StartCommand(tool.file, tool.parameters, port);
    std::filesystem::current_path(remembered, ec);
    return started;
}

}  // namespace tovel
