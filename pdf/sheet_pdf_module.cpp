// The module's one entry: the whole sheet written as WriteSheetPdf writes it.
#include "pdf/sheet_pdf_module.h"

#include "pdf/sheet_pdf.h"

extern "C" __attribute__((visibility("default"))) void tovel_write_sheet_pdf(
    const char* path, const tovel::SheetText* text, tovel::FileResult* result) {
    *result = tovel::WriteSheetPdf(path, *text);
}
