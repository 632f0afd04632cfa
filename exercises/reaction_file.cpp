#include "reaction_file.h"

#include <filesystem>

#include "text_file.h"
#include "utf8.h"

namespace tovel {

std::vector<LibraryEntry> ReadReactions(const std::string& path) {
    std::vector<LibraryEntry> entries;
    TextFile file;
    if (!OpenForReading(path, file)) return entries;
    std::string reaction;
    while (file.ReadLine(reaction)) {
        std::string description;
        file.ReadLine(description);
        entries.push_back({Utf8Prefix(reaction, kLibraryLineLimit), Utf8Prefix(description, kLibraryLineLimit)});
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
