#pragma once
// What the tests share: a user port that records every message and answers from a script, and
// the default element table read from the shipped source.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "core/reaction.h"
#include "core/user_port.h"

namespace tovel::test {

class FakeUserPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override;
    void OpenElementEditor(ElementTable& table, const std::string& newSymbol) override;
    // The next path in files, as if the user had chosen it; none left is a cancel.
    bool ChooseFile(FileChooserMode mode, std::string& path) override;
    // Records the program; with runPrograms on, really runs it and waits for it.
    bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workingDir, bool wait) override;

    // Answers for the next questions (Yes/No boxes), in order; once used up, questions get No.
    std::deque<int> answers;
    // Called with each message as it is shown, to look at the windows behind it.
    std::function<void(const Message&)> onMessage;
    // What the element editor does when it is opened.
    std::function<void(ElementTable&)> editor;

    std::deque<std::string> files;
    bool runPrograms = false;
    std::vector<std::string> started;
    std::vector<FileChooserMode> choosers;

    std::vector<Message> messages;
    int editorOpened = 0;
    std::vector<std::string> editorSymbols;  // the symbol each opening was asked to fill in
};

// The last message the port recorded. With none, the running test fails (instead of the test
// program crashing) and a placeholder comes back.
const Message& LastMessage(const FakeUserPort& port);

// A parameterised case's name from its text: "H2 O" -> "H2_O_3" for case 3, letters and digits
// kept, so that a failure says which case it was.
std::string CaseName(std::string_view text, std::size_t index);

// The shipped default table (data/elements.tsv).
const ElementTable& DefaultElements();

// Parses an equation with the default table; fails the test when it does not parse.
Reaction ParsedReaction(const std::string& equation);

// A fresh, empty folder for one test's files.
std::string TempDir();

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace tovel::test
