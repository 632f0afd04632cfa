#include "exercises/sheet_text_file.h"

#include "system/text_file.h"

namespace tovel {

FileResult WriteSheetText(const std::string& path, const SheetText& text) {
    TextFile file;
    if (!OpenForWriting(path, file))
        return {false, "No se puede escribir en la carpeta de " + path};
    for (const std::string& line : SheetLines(text))
        file.WriteLine(line);
    return file.Close();
}

}  // namespace tovel
