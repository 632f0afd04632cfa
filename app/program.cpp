#include "program.h"

#include <filesystem>

namespace tovel {

namespace {
std::string g_startDirectory;  // set once at start-up
}  // namespace

const std::string& StartDirectory() { return g_startDirectory; }

void RememberStartDirectory() {
    std::error_code ec;
    g_startDirectory = std::filesystem::current_path(ec).string();
}

}  // namespace tovel
