#include "line_sorter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

namespace linord {

namespace {

const char* kBlanks = " \t\r\n\v\f";

std::string Key(const std::string& text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    std::string key = text.substr(first, last - first + 1);
    for (auto& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return key;
}

bool Less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

bool ReadAll(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return !in.bad();
}

// Writes through a temporary file in the same folder and a rename, so the target is either
// the old or the new contents. With a mode, the new file gets it before it takes the name.
bool WriteReplacing(const std::string& path, const std::string& contents,
                    std::optional<mode_t> mode = {}) {
    const std::string temp = path + ".tmp-linord";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << contents;
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if ((mode && ::chmod(temp.c_str(), *mode) != 0) ||
        std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& contents) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < contents.size()) {
        auto end = contents.find('\n', from);
        if (end == std::string::npos) end = contents.size();
        std::string line = contents.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

std::vector<std::string> SortBlocks(const std::vector<std::string>& lines, std::size_t n) {
    if (n == 0) n = 1;
    std::vector<std::vector<std::string>> blocks;
    std::vector<std::string> keys;  // first line of each block in the result
    for (std::size_t d = 0; d < lines.size(); d += n) {
        std::vector<std::string> block;
        for (std::size_t k = d; k < d + n; ++k) block.push_back(k < lines.size() ? lines[k] : std::string());
        const std::string key = Key(Joined(block));
        std::size_t at = 0;
        while (at < blocks.size() && !Less(key, keys[at])) ++at;
        blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(at), block);
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), Key(block.front()));
    }
    std::vector<std::string> result;
    for (const auto& block : blocks) result.insert(result.end(), block.begin(), block.end());
    return result;
}

std::string BackupName(const std::string& file) {
    const auto slash = file.find_last_of('/');
    const auto dot = file.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return file.substr(0, dot) + ".~" + file.substr(dot + 1, 2);
}

bool SplitCommandLine(const std::string& commandLine, std::string& file, std::size_t& n) {
    const auto blank = commandLine.find(' ');
    if (blank == std::string::npos || blank == 0) return false;
    file = commandLine.substr(0, blank);
    std::string count = commandLine.substr(blank + 1);
    const auto first = count.find_first_not_of(' ');
    const auto last = count.find_last_not_of(' ');
    if (first == std::string::npos) return false;
    count = count.substr(first, last - first + 1);
    if (count.empty() || count.size() > 3 || count.find_first_not_of("0123456789") != std::string::npos) return false;
    n = static_cast<std::size_t>(std::stoul(count));
    return n >= 1;
}

SortOutcome SortFile(const std::string& file, std::size_t n) {
    SortOutcome outcome;
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        outcome.kind = SortOutcome::NotFound;
        return outcome;
    }
    outcome.backup = BackupName(file);
    if (outcome.backup.empty()) {
        outcome.message = "The file name has no extension: " + file;
        return outcome;
    }
    std::string contents;
    if (!ReadAll(file, contents)) {
        outcome.message = "Cannot read " + file;
        return outcome;
    }
    const std::string sorted = Joined(SortBlocks(SplitLines(contents), n));
    const std::string unsorted = Joined(SplitLines(contents));
    // The sorted file and its backup keep the file's permissions: a library made read-only, or
    // readable by its owner alone, stays so. A read-only file is still sorted, as the program
    // rewrites it when a reaction is stored: replacing it needs a writable folder, not a
    // writable file.
    const mode_t mode = info.st_mode & 07777;
    if (!WriteReplacing("New.txt", sorted)) {
        outcome.message = std::string("Cannot write New.txt: ") + std::strerror(errno);
        return outcome;
    }
    if (!WriteReplacing(outcome.backup, unsorted, mode)) {
        outcome.message = "Cannot write the backup " + outcome.backup;
        return outcome;
    }
    // New.txt becomes the file; across file systems a rename fails, so it is copied instead.
    if (::chmod("New.txt", mode) != 0 || std::rename("New.txt", file.c_str()) != 0) {
        if (!WriteReplacing(file, sorted, mode)) {
            outcome.message = "Cannot replace " + file + "; the sorted text is in New.txt";
            return outcome;
        }
        std::remove("New.txt");
    }
    outcome.kind = SortOutcome::Sorted;
    return outcome;
}

}  // namespace linord
