#include "problem_file.h"

#include "file_helpers.h"
#include "text_file.h"

namespace tovel {

FileResult AppendProblem(const std::string& path, const std::vector<std::string>& statement,
                         const std::vector<std::string>& resolution) {
    TextFile file;
    const bool opened = FileExists(path) ? OpenForAppending(path, file) : OpenForWriting(path, file);
    if (!opened) return {false, "No se puede escribir en " + path};
    file.Write("\r\n");
    file.WriteLine("");
    for (const auto& line : statement) file.WriteLine(line);
    for (const auto& line : resolution) file.WriteLine(line);
    return file.Close();
}

}  // namespace tovel
