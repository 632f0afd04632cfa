#pragma once
// A problem sheet as a PDF document: A4, the statements from the first page, the answer key from
// a new page, and a page break only ever between two problems. Written a block at a time, so that
// a window can show its progress.

#include <QByteArray>
#include <memory>
#include <string>

#include "core/safe_file.h"
#include "exercises/sheet_text.h"

namespace tovel {

class SheetPdfJob {
  public:
    // Needs a QGuiApplication; text must outlive the job.
    explicit SheetPdfJob(const SheetText& text);
    ~SheetPdfJob();
    SheetPdfJob(const SheetPdfJob&) = delete;
    SheetPdfJob& operator=(const SheetPdfJob&) = delete;

    // Lays out and paints the next block (the title, a statement, the key's title or a
    // resolution); false once every block is painted and the document is closed.
    bool Step();
    int Done() const { return m_done; }
    int Total() const;
    int Pages() const;
    // The document; complete once Step has returned false.
    const QByteArray& Bytes() const;

  private:
    struct Page;
    const SheetText& m_text;
    std::unique_ptr<Page> m_page;
    int m_done = 0;
};

// The whole sheet written to path in place of any file there (through a temporary file, as every
// save). Makes an offscreen QGuiApplication for the while when there is none, as in tovel-cli.
FileResult WriteSheetPdf(const std::string& path, const SheetText& text);

}  // namespace tovel
