#include "system/tools.h"

#include <unistd.h>

#include <algorithm>
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
    m_cut.clear();
    m_stamp = StampOf(path);  // before reading: a save in between is noticed, never missed
    TextFile file;
    if (!OpenForReading(path, file, &m_unreadable)) return false;
    std::string line;
    while (file.ReadLine(line)) {
        if (m_tools.size() >= kToolLimit) {
            m_beyondLimit.push_back(line);  // a tool the menu has no room for is kept, not dropped
            continue;
        }
        ToolEntry tool;
        std::string cut;  // the names of the fields longer than the limit
        auto take = [&cut](const std::string& text, std::string& field, const char* name) {
            field = Utf8Prefix(text, kToolFieldLimit);
            if (field.size() < text.size()) cut += std::string(cut.empty() ? "" : ", ") + name;
        };
        take(line, tool.title, "título");
        std::pair<std::string*, const char*> rest[] = {{&tool.file, "programa"},
                                                       {&tool.workingDir, "carpeta"},
                                                       {&tool.parameters, "parámetros"}};
        for (auto& [field, name] : rest) {
            if (!file.ReadLine(line)) break;
            take(line, *field, name);
        }
        if (!cut.empty()) m_cut.emplace_back(tool, cut);
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

std::vector<std::string> ToolList::CutFields() const {
    std::vector<std::string> named;
    for (const auto& [tool, fields] : m_cut) {
        // A tool the user changed or removed since is no longer the one that was cut.
        if (std::find(m_tools.begin(), m_tools.end(), tool) != m_tools.end())
            named.push_back("\"" + tool.title + "\" (" + fields + ")");
    }
    return named;
}

FileResult ToolList::Save(const std::string& path) {
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
    FileResult closed = file.Close();
    if (closed) m_cut.clear();
    return closed;
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
