#include "cli/pdf_module.h"

#include <dlfcn.h>

#include "pdf/sheet_pdf_module.h"

namespace tovel {

namespace {

// Opened once and never closed: Qt does not unload cleanly, and a second PDF reuses it.
TovelWriteSheetPdf LoadEntry(const std::string& programDir, std::string& error) {
    static TovelWriteSheetPdf entry = nullptr;
    if (entry) return entry;
    for (const std::string& path : {programDir + "/" TOVEL_SHEET_PDF_MODULE,
                                    programDir + "/../lib/tovel/" TOVEL_SHEET_PDF_MODULE}) {
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            if (error.empty()) error = dlerror();
            continue;
        }
        entry = reinterpret_cast<TovelWriteSheetPdf>(dlsym(module, TOVEL_SHEET_PDF_ENTRY));
        if (entry) return entry;
        error = dlerror();
    }
    return nullptr;
}

}  // namespace

FileResult WriteSheetPdfWithModule(const std::string& programDir, const std::string& path,
                                   const SheetText& text) {
    std::string why;
    const TovelWriteSheetPdf write = LoadEntry(programDir, why);
    if (!write) {
        return {false, "No se puede escribir el PDF: falta el módulo " TOVEL_SHEET_PDF_MODULE
                       " de tovel (" +
                           why + ")"};
    }
    FileResult result;
    write(path.c_str(), &text, &result);
    return result;
}

}  // namespace tovel
