#pragma once
// The user port of the real program: message boxes, file choosers, the desktop's document
// handler and started programs.

#include <functional>

#include "core/user_port.h"

namespace tovel {

class QtUserPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override;
    void OpenElementEditor(ElementTable& table, const std::string& symbol) override;
    bool ChooseFile(FileChooserMode mode, std::string& path) override;
    bool OpenDocument(const std::string& path) override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workingDir, bool wait) override;

    // Set by the main window once the element editor exists.
    std::function<void(ElementTable&, const std::string&)> elementEditor;
};

}  // namespace tovel
