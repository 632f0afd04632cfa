#include "exercises/reaction_file.h"

#include <filesystem>

#include "core/utf8.h"
#include "system/text_file.h"

namespace tovel {

std::vector<LibraryEntry> ReadReactions(const std::string& path, std::string* problem) {
    std::vector<LibraryEntry> entries;
    TextFile file;
    std::string error;
    if (!OpenForReading(path, file, &error)) {
        if (problem) *problem = error;
        return entries;
    }
    if (problem) problem->clear();
    std::string reaction;
    while (file.ReadLine(reaction)) {
        std::string description;
        file.ReadLine(description);
        // Kept whole: a line cut here would be written back cut.
        entries.push_back({reaction, description});
    }
    file.Close();
    return entries;
}

FileResult WriteReactions(const std::string& path, const std::vector<LibraryEntry>& entries) {
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    TextFile file;
    if (!OpenForWriting(path, file)) return {false, "No se puede escribir " + path};
    for (const auto& entry : entries) {
        file.WriteLine(entry.reaction);
        file.WriteLine(entry.description);
    }
    return file.Close();
}

}  // namespace tovel
