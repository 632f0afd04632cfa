#include "system/tools_editor.h"

#include <filesystem>

#include "core/messages.h"
#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

ToolsEditor::ToolsEditor(ToolList& tools, UserPort& port, std::string path)
    : m_tools(tools), m_port(port), m_path(std::move(path)), m_cursor(tools.Count() + 1) {}

void ToolsEditor::Select(std::size_t position) {
    if (position < 1 || position > m_tools.Count()) return;
    m_cursor = position;
    fields = m_tools.Tools()[position - 1];
}

void ToolsEditor::New() {
    fields = ToolEntry{};
    m_cursor = m_tools.Count() + 1;
}

void ToolsEditor::Delete() {
    if (!CanDelete()) return;
    auto& tools = m_tools.Tools();
    if (AskYesNoWith(m_port, "Confirmar eliminar",
                     "¿Eliminar \"" + tools[m_cursor - 1].title + "\"?",
                     MessageIcon::Question) != kAnswerYes) {
        return;
    }
    tools.erase(tools.begin() + static_cast<std::ptrdiff_t>(m_cursor - 1));
    New();
}

void ToolsEditor::MoveUp() {
    if (!CanMoveUp()) return;
    std::swap(m_tools.Tools()[m_cursor - 1], m_tools.Tools()[m_cursor - 2]);
    --m_cursor;
}

void ToolsEditor::MoveDown() {
    if (!CanMoveDown()) return;
    std::swap(m_tools.Tools()[m_cursor - 1], m_tools.Tools()[m_cursor]);
    ++m_cursor;
}

void ToolsEditor::Store() {
    auto& tools = m_tools.Tools();
    ToolEntry tool = fields;
    for (std::string* field : {&tool.title, &tool.file, &tool.workingDir, &tool.parameters}) {
        *field = Utf8Prefix(*field, kToolFieldLimit);
    }
    if (m_cursor > tools.size()) {
        if (tools.size() >= kToolLimit) {
            NoticeWith(m_port, "Demasiadas utilidades",
                       "Caben " + IntText(kToolLimit) + " utilidades como máximo",
                       MessageIcon::Exclamation);
            return;
        }
        tools.push_back(tool);
    } else {
        tools[m_cursor - 1] = tool;
    }
    New();
}

void ToolsEditor::Browse() {
    std::string path = fields.file;
    if (!m_port.ChooseFile(FileChooserMode::Open, path)) return;
    const std::filesystem::path chosen(path);
    fields.file = Utf8Prefix(chosen.filename().string(), 99);
    if (fields.workingDir.empty()) fields.workingDir = chosen.parent_path().string();
}

bool ToolsEditor::Ok() {
    // Fields longer than the editor takes were cut on reading: saving would lose their end.
    if (const std::vector<std::string> cut = m_tools.CutFields(); !cut.empty()) {
        std::string named;
        for (const std::string& tool : cut)
            named += "\r\n" + tool;
        if (AskYesNoWith(m_port, "Edición útiles",
                         "Al guardar se acortan a " + IntText(kToolFieldLimit) +
                             " caracteres estos campos de " + m_path + ":" + named +
                             "\r\n¿Guardar?",
                         MessageIcon::Exclamation, kAnswerNo) != kAnswerYes) {
            return false;
        }
    }
    std::string error;
    switch (SaveUnlessChanged(
        m_path, m_tools.Stamp(), m_port, [this] { return m_tools.Save(m_path); }, &error)) {
        case SaveOutcome::Saved:
            return true;
        case SaveOutcome::Failed:
            NoticeWith(m_port, "Edición útiles", error, MessageIcon::Exclamation);
            return false;
        case SaveOutcome::Reload:
            // The other window's list is shown, to be edited again.
            m_tools.Load(m_path);
            New();
            return false;
        case SaveOutcome::Cancelled:
            return false;
    }
    return false;
}

void ToolsEditor::Cancel() {
    m_tools.Load(m_path);
}

}  // namespace tovel
