#include "app/conf_file.h"

#include <cstdlib>
#include <filesystem>

#include "core/text_utils.h"
#include "system/text_file.h"

namespace tovel {

bool ReadConfirmExit(const std::string& path, bool fallback) {
    TextFile file;
    if (!OpenForReading(path, file)) return fallback;
    std::string line;
    const bool read = file.ReadLine(line);
    file.Close();
    const std::string text = TrimWhitespace(line);
    if (!read || text.empty()) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str()) return fallback;
    return value != 0;
}

FileResult WriteConfirmExit(const std::string& path, bool confirmExit) {
    if (PathPresent(path)) {
        std::error_code ec;
        const bool own = !std::filesystem::is_symlink(path, ec) &&
                         KindOfPath(path) == PathKind::Regular && ReadFilePrefix(path, 64);
        if (!own) {
            return {false, "No se guarda la preferencia de salida: " + path +
                               " no es un fichero de tovel que se pueda leer"};
        }
    }
    TextFile file;
    if (!OpenForWriting(path, file)) return {false, "No se puede escribir " + path};
    file.WriteLine(confirmExit ? "1" : "0");
    return file.Close();
}

}  // namespace tovel
