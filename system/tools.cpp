#include "system/tools.h"

#include <unistd.h>

#include <filesystem>

#include "core/messages.h"
#include "core/text_utils.h"
#include "core/utf8.h"
#include "system/file_helpers.h"
#include "system/launch.h"
#include "system/text_file.h"

namespace tovel {

bool ToolList::Load(const std::string& path) {
    m_tools.clear();
    m_beyondLimit.clear();
    TextFile file;
    if (!OpenForReading(path, file, &m_unreadable)) return false;
    std::string line;
    while (file.ReadLine(line)) {
        if (m_tools.size() >= kToolLimit) {
            m_beyondLimit.push_back(line);  // a tool the menu has no room for is kept, not dropped
            continue;
        }
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

std::string ToolList::LoadReport() const {
    if (!m_unreadable.empty()) return "No se han podido leer las utilidades: " + m_unreadable;
    if (m_beyondLimit.empty()) return "";
    const std::size_t more = (m_beyondLimit.size() + 3) / 4;
    return "Caben " + std::to_string(kToolLimit) + " utilidades en el menú; las " +
           std::to_string(more) + " siguientes de " + std::string(kToolsFileName) +
           " no se muestran, pero se conservan";
}

FileResult ToolList::Save(const std::string& path) const {
    if (!m_unreadable.empty())
        return {false,
                "No se guarda encima de un fichero que no se ha podido leer: " + m_unreadable};
    TextFile file;
    if (!OpenForWriting(path, file)) return {false, "No se puede escribir " + path};
    for (const auto& tool : m_tools) {
        file.WriteLine(tool.title);
        file.WriteLine(tool.file);
        file.WriteLine(tool.workingDir);
        file.WriteLine(tool.parameters);
    }
    for (const auto& line : m_beyondLimit)
        file.WriteLine(line);
    return file.Close();
}

bool StartTool(const ToolEntry& tool, UserPort& port) {
    std::error_code ec;
    const auto remembered = std::filesystem::current_path(ec);
    if (!tool.workingDir.empty()) {
        const bool folder =
            DirectoryExists(tool.workingDir) && std::filesystem::is_directory(tool.workingDir, ec);
        if (!folder || ::chdir(tool.workingDir.c_str()) != 0) {
            NoticeWith(port, "No se encuentra la carpeta", tool.workingDir,
                       MessageIcon::Exclamation);
            std::filesystem::current_path(remembered, ec);
            return false;
        }
    }
    const bool started = StartCommand(tool.file, tool.parameters, port);
    std::filesystem::current_path(remembered, ec);
    return started;
}

}  // namespace tovel
