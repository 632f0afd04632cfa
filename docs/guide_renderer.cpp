#include "docs/guide_renderer.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

namespace tovel {

QStringList GuideImages(const QString& html) {
    QStringList images;
    static const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
    for (auto it = image.globalMatch(html); it.hasNext();)
        images << it.next().captured(1);
    return images;
}

QString GuideTitle(const QString& html) {
    static const QRegularExpression heading(QStringLiteral("<h1>([^<]*)</h1>"));
    return heading.match(html).captured(1);
}

int RenderGuide(const QString& htmlPath, const QString& pdfPath) {
    QFile file(htmlPath);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QString html = QString::fromUtf8(file.readAll());

    QPdfWriter writer(pdfPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(110);
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setTitle(GuideTitle(html));
    writer.setCreator(QStringLiteral("tovel"));

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(htmlPath).absolutePath() + "/"));
    document.setDefaultStyleSheet(
        QStringLiteral("h1 { color: #00704e; } h2 { color: #00408a; } p { margin: 6px; }"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setHtml(html);

    // Laid out on the page's printable area, then painted a page at a time.
    const QSizeF page(writer.width(), writer.height());
    document.setPageSize(page);
    const int pages = document.pageCount();
    QPainter painter;
    if (!painter.begin(&writer)) return 0;
    for (int i = 0; i < pages; ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    painter.end();
    return QFileInfo(pdfPath).size() > 0 ? pages : 0;
}

}  // namespace tovel
