#pragma once
// The user port of tovel-cli: it never asks. Questions are answered No, so an unknown element is
// an error, and every message is kept to be printed after the item that caused it.

#include <string>
#include <vector>

#include "user_port.h"

namespace tovel {

class CliPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override;
    void OpenElementEditor(ElementTable&) override {}

    // The messages so far as one line ("caption: text; caption: text"), then forgets them.
    std::string TakeReport();

  private:
    std::vector<Message> m_messages;
};

}  // namespace tovel
