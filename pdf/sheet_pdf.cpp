#include "pdf/sheet_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHashSeed>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <vector>

namespace tovel {

namespace {

constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kMarginMillimetres = 18;

QString Shown(const std::string& line) {
    return QString::fromStdString(ShowSeparators(line));
}

// The resolution's columns, in a fixed-width face, as the problem window shows them: tabs stop
// every eight characters.
QString ExpandTabs(const QString& line) {
    QString text;
    for (const QChar c : line) {
        if (c == '\t') {
            text += QString(8 - text.size() % 8, ' ');
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

// The document being written and the place on its current page.
struct SheetPdfJob::Page {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    QPainter painter;
    QFont title{QStringLiteral("DejaVu Sans")};
    QFont text{QStringLiteral("DejaVu Sans")};
    QFont heading{QStringLiteral("DejaVu Sans")};
    QFont mono{QStringLiteral("DejaVu Sans Mono")};
    QFont footer{QStringLiteral("DejaVu Sans")};
    double width = 0, bottom = 0;  // of the area a block may use
    double monoAdvance = 0;
    double y = 0;
    int pages = 1;
    bool open = false;

    // One paragraph laid out in the column from indent to the right margin, wrapped where it is
    // too long, the lines it wraps onto further in by hang.
    struct Laid {
        std::unique_ptr<QTextLayout> layout;
        double height = 0;
    };
    Laid Lay(const QString& line, const QFont& font, double indent, double hang = 0) {
        Laid laid;
        laid.layout = std::make_unique<QTextLayout>(line, font, &writer);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        laid.layout->setTextOption(option);
        laid.layout->beginLayout();
        while (true) {
            QTextLine text = laid.layout->createLine();
            if (!text.isValid()) break;
            const double x = laid.height > 0 ? indent + hang : indent;
            text.setLineWidth(width - x);
            text.setPosition(QPointF(x, laid.height));
            laid.height += text.height();
        }
        laid.layout->endLayout();
        if (line.isEmpty()) laid.height = QFontMetricsF(font, &writer).lineSpacing();
        return laid;
    }

    // A block is painted whole on the current page, or on a new one when it does not fit there;
    // only a block taller than a page is cut, at a line.
    void Block(const std::vector<Laid>& lines, double gapAfter) {
        double height = 0;
        for (const Laid& laid : lines)
            height += laid.height;
        if (y > 0 && y + height > bottom) NewPage();
        for (const Laid& laid : lines) {
            if (y > 0 && y + laid.height > bottom) NewPage();
            laid.layout->draw(&painter, QPointF(0, y));
            y += laid.height;
        }
        y += gapAfter;
    }

    void Footer() {
        painter.setFont(footer);
        const double line = QFontMetricsF(footer, &writer).lineSpacing();
        painter.drawText(QRectF(0, bottom + line * 0.5, width, line), Qt::AlignHCenter,
                         QStringLiteral("%1").arg(pages));
    }

    void NewPage() {
        Footer();
        writer.newPage();
        ++pages;
        y = 0;
    }
};

// The same sheet must give the same file. Qt's PDF writer orders the fonts it embeds by a hash
// whose seed is random in every run, and dates the document: while a sheet is written the seed
// is fixed, and the date is blanked out afterwards.
SheetPdfJob::SheetPdfJob(const SheetText& text) : m_text(text) {
    QHashSeed::setDeterministicGlobalSeed();
    m_page = std::make_unique<Page>();
    Page& p = *m_page;
    p.buffer.open(QIODevice::WriteOnly);
    p.writer.setPageSize(QPageSize(QPageSize::A4));
    p.writer.setResolution(kResolution);
    p.writer.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
    p.writer.setTitle(QString::fromStdString(text.title));
    p.writer.setCreator(QStringLiteral("tovel"));
    p.title.setPointSizeF(15);
    p.title.setBold(true);
    p.text.setPointSizeF(11);
    p.heading.setPointSizeF(10.5);
    p.heading.setBold(true);
    p.mono.setPointSizeF(8.5);
    p.footer.setPointSizeF(8);
    p.width = p.writer.width();
    p.monoAdvance = QFontMetricsF(p.mono, &p.writer).horizontalAdvance(' ');
    // The page number sits under the blocks.
    p.bottom = p.writer.height() - 2 * QFontMetricsF(p.footer, &p.writer).lineSpacing();
    p.open = p.painter.begin(&p.writer);
}

SheetPdfJob::~SheetPdfJob() {
    if (m_page->open) m_page->painter.end();
    QHashSeed::resetRandomGlobalSeed();
}

int SheetPdfJob::Total() const {
    return 2 + static_cast<int>(m_text.statements.size() + m_text.resolutions.size());
}

int SheetPdfJob::Pages() const {
    return m_page->pages;
}

const QByteArray& SheetPdfJob::Bytes() const {
    return m_page->buffer.data();
}

bool SheetPdfJob::Step() {
    Page& p = *m_page;
    if (!p.open || m_done >= Total()) return false;
    const auto statements = static_cast<int>(m_text.statements.size());
    const double gap = QFontMetricsF(p.text, &p.writer).lineSpacing();
    std::vector<Page::Laid> block;
    if (m_done == 0) {
        block.push_back(p.Lay(QString::fromStdString(m_text.title), p.title, 0));
        p.Block(block, gap);
    } else if (m_done <= statements) {
        // The number hangs in the margin of the statement's column.
        const int number = m_done;
        const QString widest = QString::number(statements) + QStringLiteral(". ");
        const double indent = QFontMetricsF(p.heading, &p.writer).horizontalAdvance(widest);
        const auto& lines = m_text.statements[static_cast<std::size_t>(number - 1)];
        for (const std::string& line : lines) {
            if (!line.empty()) block.push_back(p.Lay(Shown(line), p.text, indent));
        }
        if (!block.empty()) {
            block.insert(block.begin(), Page::Laid{});
            block.front().layout = std::make_unique<QTextLayout>(
                QString::number(number) + QStringLiteral("."), p.heading, &p.writer);
            QTextLayout& mark = *block.front().layout;
            mark.beginLayout();
            QTextLine markLine = mark.createLine();
            markLine.setLineWidth(indent);
            markLine.setPosition(QPointF(0, 0));
            mark.endLayout();
            // The number shares the first line of the statement, so it adds no height.
        }
        p.Block(block, gap);
    } else if (m_done == statements + 1) {
        p.NewPage();
        block.push_back(p.Lay(QString::fromStdString(m_text.keyTitle), p.title, 0));
        p.Block(block, gap);
    } else {
        const int number = m_done - statements - 1;
        block.push_back(
            p.Lay(QString::fromStdString(SheetKeyHeading(number, m_text.keyWord)), p.heading, 0));
        for (const std::string& line : m_text.resolutions[static_cast<std::size_t>(number - 1)])
            block.push_back(p.Lay(ExpandTabs(Shown(line)), p.mono, 0, 8 * p.monoAdvance));
        p.Block(block, gap);
    }
    if (++m_done == Total()) {
        p.Footer();
        p.painter.end();
        p.open = false;
        p.buffer.close();
        // Blanks keep every offset of the file's cross-reference table right.
        QByteArray& bytes = p.buffer.buffer();
        const qsizetype from = bytes.indexOf("/CreationDate (");
        const qsizetype to = from < 0 ? -1 : bytes.indexOf(')', from);
        if (to > from) bytes.replace(from, to + 1 - from, QByteArray(to + 1 - from, ' '));
        return false;
    }
    return true;
}

FileResult WriteSheetPdf(const std::string& path, const SheetText& text) {
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        // No window is shown: the offscreen platform needs no display, and the notes Qt prints
        // about a desktop session it does not need would only puzzle the user of a command.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char name[] = "tovel";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    SheetPdfJob job(text);
    while (job.Step()) {
    }
    if (job.Bytes().isEmpty()) return {false, "No se ha podido componer el PDF"};
    return WriteFileAtomically(
        path,
        std::string_view(job.Bytes().constData(), static_cast<std::size_t>(job.Bytes().size())));
}

}  // namespace tovel
