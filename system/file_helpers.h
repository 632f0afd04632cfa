#pragma once
// Questions about files and the program itself.

#include <string>
#include <string_view>

#include "core/user_port.h"

namespace tovel {

// An existing file that is not a folder (hidden and read-only files count).
bool FileExists(const std::string& name);
// An existing folder or file whose name is not hidden (does not start with ".").
bool DirectoryExists(const std::string& name);
// The running program's file name without its folder and without its last "." and what follows.
std::string ProgramName();
// The folder the running program's file is in.
std::string ProgramFolder();
// The folder the program was started in; windows that change folders come back to it.
const std::string& StartDirectory();
void RememberStartDirectory();
// The save chooser; a name chosen without an extension gets extension (".txt"), so that the
// desktop opens the file with the right program and the chooser lists it next time.
bool ChooseFileToSave(UserPort& port, std::string& path, std::string_view extension);
// The year of the file's last change, as digits; empty when there is no such (visible) file.
std::string FileYear(const std::string& name);

}  // namespace tovel
