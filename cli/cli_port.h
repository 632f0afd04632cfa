#pragma once
// The user port of tovel-cli: it never asks. Questions are answered No, so an unknown element is
// an error, and every message is kept to be printed after the item that caused it.

#include <string>
#include <string_view>
#include <vector>

#include "core/user_port.h"

namespace tovel {

// Text for a terminal: control characters, malformed bytes and invisible or direction-changing
// marks are written as \xNN or \uNNNN, so that a message cannot hide or rewrite what it says.
std::string EscapeForTerminal(std::string_view text);

class CliPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override;
    void OpenElementEditor(ElementTable&, const std::string&) override {}

    // The messages so far as one line ("caption: text; caption: text"), then forgets them.
    std::string TakeReport();

  private:
    std::vector<Message> m_messages;
};

}  // namespace tovel
