#pragma once
// Starting programs and opening documents through the user port. tovel's own Linord is started
// by its absolute path beside tovel; a tool names a program (on the PATH, or the path the user
// registered) or a document; the guide, the sharing page and files chosen in a file chooser are
// always documents, opened with the desktop's handler for their type, never run.

#include <string>
#include <vector>

#include "core/user_port.h"
#include "system/file_helpers.h"

namespace tovel {

// Splits a command line at blanks; a word in double quotes keeps its blanks ("My File.txt").
std::vector<std::string> SplitCommandLine(const std::string& command);

// A file this system runs as a program: executable, and an ELF binary or a script ("#!"). Any
// other file, even with its execute bit set (as on FAT sticks), is a document.
bool IsProgramFile(const std::string& path);

struct LaunchTarget {
    bool isProgram = false;
    std::string file;               // the program's path, or the document
    std::vector<std::string> args;  // what follows the file, and the parameters
};

// How a tool is started. file is the program or document, whole when it names an existing file,
// otherwise its first word (quotes honoured) with the rest as arguments; parameters follow.
// "Linord.exe" (as stored files name it) and "Linord" are tovel's own, in programDir. A bare name
// is looked for on the PATH before it is taken as a file of the working folder.
LaunchTarget ResolveCommand(const std::string& file, const std::string& parameters,
                            const std::string& programDir);

// Opens a document with the desktop's handler; a missing file, or one no handler opens, is
// reported. The path is taken whole.
bool OpenDocumentFile(const std::string& path, UserPort& port);

// "Ver fichero" and "Abrir problema": lets the user choose a file and opens it as a document.
bool OpenChosenDocument(UserPort& port);

// Starts a tool's program with its arguments, or opens its document; failures are reported.
bool StartCommand(const std::string& file, const std::string& parameters, UserPort& port);

// Runs Linord, which lies beside tovel in programDir, on file with blocks of blockSize lines,
// and waits for it to end. A missing Linord is reported with the folder it was looked for in.
bool RunLinord(const std::string& file, int blockSize, UserPort& port,
               const std::string& programDir = ProgramFolder());

}  // namespace tovel
