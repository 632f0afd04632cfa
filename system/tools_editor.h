#pragma once
// The tools editor ("Edición útiles") without its window: the list, the four fields of the tool
// shown and the commands. It edits the program's tool list directly; "Ok" saves it, "esc"
// reloads it from the file so that list and menu always agree.

#include <string>

#include "system/tools.h"

namespace tovel {

class ToolsEditor {
  public:
    ToolsEditor(ToolList& tools, UserPort& port, std::string path = kToolsFileName);

    std::size_t Cursor() const { return m_cursor; }
    ToolEntry fields;

    bool CanDelete() const { return m_cursor <= m_tools.Count(); }
    bool CanMoveUp() const { return m_cursor > 1 && m_cursor <= m_tools.Count(); }
    bool CanMoveDown() const { return m_cursor < m_tools.Count(); }

    void Select(std::size_t position);
    void New();
    void Delete();
    void MoveUp();
    void MoveDown();
    // "<- ok": the fields into the tool shown, or a new tool; refuses a 65th.
    void Store();
    // "···": the file chosen, without its folder; its folder as working folder when none is set.
    void Browse();
    // "Ok": saves; false (with a message) when the file cannot be written.
    bool Ok();
    // "esc": the edits are dropped.
    void Cancel();

  private:
    ToolList& m_tools;
    UserPort& m_port;
    std::string m_path;
    std::size_t m_cursor;
};

}  // namespace tovel
