#pragma once
// Writing a sheet's PDF through the module that holds Qt's PDF writer, opened only then.

#include <string>

#include "core/safe_file.h"
#include "exercises/sheet_text.h"

namespace tovel {

// The sheet written to path by the module found beside the program (programDir) or in the
// installation's library folder; a failure, with the reason, when the module cannot be opened.
FileResult WriteSheetPdfWithModule(const std::string& programDir, const std::string& path,
                                   const SheetText& text);

}  // namespace tovel
