#pragma once
// The one way core code tells or asks the user something in the middle of an operation. The
// windows implement it with real message boxes and dialogs; tests implement it with a fake that
// records every call and answers from a script; tovel-cli answers without asking.

#include <string>
#include <vector>

namespace tovel {

class ElementTable;

enum class MessageIcon { None, Exclamation, Question, Information, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };

// Button codes as the message boxes return them.
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

enum class FileChooserMode { Open, Save };

struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // The answer Enter gives: the first button (OK or Yes) unless a question says otherwise.
    int defaultAnswer = 0;
    // Where "Sí", "No" and "Cancelar" would not say what each answer does, the texts of the
    // buttons in that order ("Volver a leer", "Guardar encima", "Cancelar").
    std::vector<std::string> buttonTexts{};
};

class UserPort {
  public:
    virtual ~UserPort() = default;

    // Shows a modal message box and returns the button pressed (a MessageAnswer).
    virtual int ShowMessage(const Message& message) = 0;

    // Runs the element editor on the program's element table and returns when it closes. The
    // editor may add, change or remove elements, saved or not. A symbol the table holds is
    // shown; another (a formula's element the table lacks) starts a new element with it.
    virtual void OpenElementEditor(ElementTable& table, const std::string& symbol) = 0;

    // The open or save file chooser; path is the initial name and, on true, the chosen one.
    // Ports that cannot ask answer false, as a user who cancels.
    virtual bool ChooseFile(FileChooserMode /*mode*/, std::string& /*path*/) { return false; }

    // Opens an existing document with the desktop's handler for its type; false when none did.
    virtual bool OpenDocument(const std::string& /*path*/) { return false; }

    // Starts a program with its arguments in a working folder (empty: the current one); with
    // wait, returns when it has ended. False when it could not be started.
    virtual bool StartProgram(const std::string& /*program*/,
                              const std::vector<std::string>& /*args*/,
                              const std::string& /*workingDir*/, bool /*wait*/) {
        return false;
    }
};

}  // namespace tovel
