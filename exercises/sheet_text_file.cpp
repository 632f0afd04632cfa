#include "exercises/sheet_text_file.h"

#include "core/text_utils.h"
#include "system/text_file.h"

namespace tovel {

FileResult WriteSheetText(const std::string& path, const SheetText& text) {
    TextFile file;
    if (!OpenForWriting(path, file))
        return {false, "No se puede escribir en la carpeta de " + path};
    // Windows-1252 has no arrow and no "almost equal": the method's and the working's are written
    // as a keyboard writes them.
    for (const std::string& line : SheetLines(text))
        file.WriteLine(ReplaceAll(ReplaceAll(line, "\u2192", "->"), "\u2248", "~"));
    return file.Close();
}

}  // namespace tovel
