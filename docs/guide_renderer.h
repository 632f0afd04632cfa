#pragma once
// The user guide: an HTML text with pictures, rendered to a PDF with Qt's own PDF writer.

#include <QString>
#include <QStringList>

namespace tovel {

// The src of every <img> of the html, as written.
QStringList GuideImages(const QString& html);
// The text of the first <h1>.
QString GuideTitle(const QString& html);

// Renders the guide (images relative to its folder) to an A4 PDF; returns the number of pages,
// 0 when the guide cannot be read or the PDF written.
int RenderGuide(const QString& htmlPath, const QString& pdfPath);

}  // namespace tovel
