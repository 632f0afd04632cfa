#pragma once
// The one way core code tells or asks the user something in the middle of an operation. The
// windows implement it with real message boxes and dialogs; tests implement it with a fake that
// records every call and answers from a script; tovel-cli answers without asking.

#include <string>

namespace tovel {

class ElementTable;

enum class MessageIcon { None, Exclamation, Question, Information, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };

// Button codes as the message boxes return them.
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class UserPort {
  public:
    virtual ~UserPort() = default;

    // Shows a modal message box and returns the button pressed (a MessageAnswer).
    virtual int ShowMessage(const Message& message) = 0;

    // Runs the element editor on the program's element table and returns when it closes. The
    // editor may add, change or remove elements, saved or not.
    virtual void OpenElementEditor(ElementTable& table) = 0;
};

}  // namespace tovel
