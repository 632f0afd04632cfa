#pragma once
// What tovel's command line asks for, read before any window exists, so that --help and
// --version work without a display.

#include <string>
#include <vector>

namespace tovel {

enum class StartRequest { Run, Help, Version, Unknown };

struct StartOptions {
    StartRequest request = StartRequest::Run;
    bool userData = false;  // --user-data: run in the user's data folder
    std::string unknown;    // for Unknown: the first option tovel does not know
};

// args without the program name. Words that are not options are left alone (the desktop entry
// may pass none, a file manager may pass a file); Qt's own options (-style, -platform ...) are
// taken out by the toolkit before this is asked again.
StartOptions ReadStartOptions(const std::vector<std::string>& args);

// The usage text of --help; the version line of --version.
std::string TovelUsage();
std::string TovelVersionLine();

}  // namespace tovel
