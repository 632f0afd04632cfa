#pragma once
// A problem sheet saved as a text file.

#include <string>

#include "core/safe_file.h"
#include "exercises/sheet_text.h"

namespace tovel {

// Writes the sheet as a text file in place of any file at path: Windows-1252, CR LF, as saved
// problems are.
FileResult WriteSheetText(const std::string& path, const SheetText& text);

}  // namespace tovel
