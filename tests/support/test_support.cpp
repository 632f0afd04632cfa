#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/tools/element_source.h"

namespace tovel::test {

int FakeUserPort::ShowMessage(const Message& message) {
    messages.push_back(message);
    if (onMessage) onMessage(message);
    if (message.buttons == MessageButtons::Ok) return kAnswerOk;
    if (answers.empty()) return kAnswerNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUserPort::OpenElementEditor(ElementTable& table, const std::string& newSymbol) {
    ++editorOpened;
    editorSymbols.push_back(newSymbol);
    if (editor) editor(table);
}

bool FakeUserPort::ChooseFile(FileChooserMode mode, std::string& path) {
    choosers.push_back(mode);
    if (files.empty()) return false;
    path = files.front();
    files.pop_front();
    return true;
}

bool FakeUserPort::StartProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string&, bool) {
    std::string line = program;
    for (const auto& a : args)
        line += " " + a;
    started.push_back(line);
    if (!runPrograms) return true;
    std::vector<char*> argv;
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return true;
}

std::string CaseName(std::string_view text, std::size_t index) {
    std::string name;
    for (const char c : text) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return name + "_" + std::to_string(index);
}

const Message& LastMessage(const FakeUserPort& port) {
    static const Message none{"(ningún mensaje)", "(ningún mensaje)"};
    if (!port.messages.empty()) return port.messages.back();
    // Qt Test programs run no GoogleTest: their comparison with the placeholder fails instead.
    if (::testing::UnitTest::GetInstance()->current_test_info() != nullptr)
        ADD_FAILURE() << "no message was recorded";
    return none;
}

const ElementTable& DefaultElements() {
    static const ElementTable table = [] {
        const auto source =
            ReadElementSource(ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/data/elements.tsv"));
        if (!source.error.empty()) throw std::runtime_error(source.error);
        return source.table;
    }();
    return table;
}

Reaction ParsedReaction(const std::string& equation) {
    ElementTable table = DefaultElements();
    FakeUserPort port;
    Reaction reaction;
    EXPECT_EQ(ParseReaction(reaction, equation, table, port), kReactionOk) << equation;
    EXPECT_TRUE(port.messages.empty()) << equation;
    return reaction;
}

std::string TempDir() {
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "x";
    std::replace(name.begin(), name.end(), '/', '_');
    auto dir =
        std::filesystem::temp_directory_path() /
        ("tovel-test-" + std::to_string(::getpid()) + "-" + name + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace tovel::test
