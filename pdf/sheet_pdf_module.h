#pragma once
// The PDF writer as a module that tovel-cli opens only when a PDF is asked for, so that no other
// command loads Qt's GUI, X11 or OpenGL libraries. The module and its caller are built from the
// same sources, so C++ types pass between them.

#include "core/safe_file.h"
#include "exercises/sheet_text.h"

// The module's file name, beside tovel-cli or in the library folder of the installation.
#define TOVEL_SHEET_PDF_MODULE "tovel-sheet-pdf.so"
// The entry the module exports: WriteSheetPdf.
#define TOVEL_SHEET_PDF_ENTRY "tovel_write_sheet_pdf"

extern "C" {
using TovelWriteSheetPdf = void (*)(const char* path, const tovel::SheetText* text,
                                    tovel::FileResult* result);
}
