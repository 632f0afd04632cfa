#include "system/file_helpers.h"

#include <sys/stat.h>

#include <ctime>
#include <filesystem>

namespace tovel {

namespace {

bool Hidden(const std::string& name) {
    const std::string base = std::filesystem::path(name).filename().string();
    return !base.empty() && base[0] == '.' && base != "." && base != "..";
}

std::filesystem::path ProgramPath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path("tovel") : path;
}

std::string g_startDirectory;  // set once at start-up

}  // namespace

const std::string& StartDirectory() {
    return g_startDirectory;
}

void RememberStartDirectory() {
    std::error_code ec;
    g_startDirectory = std::filesystem::current_path(ec).string();
}

bool FileExists(const std::string& name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::exists(name, ec) &&
           !std::filesystem::is_directory(name, ec);
}

bool DirectoryExists(const std::string& name) {
    std::error_code ec;
    return !name.empty() && !Hidden(name) && std::filesystem::exists(name, ec);
}

std::string ProgramName() {
    const std::string file = ProgramPath().filename().string();
    const auto dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::string ProgramFolder() {
    return ProgramPath().parent_path().string();
}

std::string FileYear(const std::string& name) {
    struct stat info {};
    if (Hidden(name) || ::stat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return {};
    std::tm local{};
    ::localtime_r(&info.st_mtime, &local);
    return std::to_string(local.tm_year + 1900);
}

bool ChooseFileToSave(UserPort& port, std::string& path, std::string_view extension) {
    if (!port.ChooseFile(FileChooserMode::Save, path)) return false;
    if (!std::filesystem::path(path).has_extension()) path += extension;
    return true;
}

}  // namespace tovel
