#include "pdf/sheet_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHashSeed>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <vector>

#include "core/text_runs.h"

namespace tovel {

namespace {

constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kMarginMillimetres = 18;
constexpr double kDotsPerMillimetre = kResolution / 25.4;
constexpr int kAnswerLines = 4;
constexpr double kAnswerLineMillimetres = 9;

// A line of the plain notation with its formulas set: counts low, charges high, in a smaller
// size, as the main window draws them.
struct SetText {
    QString text;
    QList<QTextLayout::FormatRange> formats;
};

SetText Typeset(const std::string& line) {
    SetText set;
    for (const TextRun& run : FormulaRuns(ShowSeparators(line))) {
        const QString piece = QString::fromStdString(run.text);
        if (run.script != Script::Line) {
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(set.text.size());
            range.length = static_cast<int>(piece.size());
            range.format.setVerticalAlignment(run.script == Script::Low
                                                  ? QTextCharFormat::AlignSubScript
                                                  : QTextCharFormat::AlignSuperScript);
            set.formats.push_back(range);
        }
        set.text += piece;
    }
    return set;
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
    QFont key{QStringLiteral("DejaVu Sans")};        // the key's working
    QFont tableHead{QStringLiteral("DejaVu Sans")};  // a table's column names
    QFont small{QStringLiteral("DejaVu Sans")};
    double width = 0, bottom = 0;  // of the area a block may use
    double y = 0;
    int pages = 1;
    bool open = false;

    // Something of a known height painted at a given top.
    struct Item {
        double height = 0;
        std::function<void(double top)> draw;
    };

    // A paragraph laid out in the column from indent to the right margin, wrapped where it is
    // too long, the lines it wraps onto further in by hang.
    Item Paragraph(const std::string& line, const QFont& font, double indent, double hang = 0) {
        const SetText set = Typeset(line);
        auto layout = std::make_shared<QTextLayout>(set.text, font, &writer);
        layout->setFormats(set.formats);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        double height = 0;
        layout->beginLayout();
        while (true) {
            QTextLine text = layout->createLine();
            if (!text.isValid()) break;
            const double x = height > 0 ? indent + hang : indent;
            text.setLineWidth(std::max(1.0, width - x));
            text.setPosition(QPointF(x, height));
            height += text.height();
        }
        layout->endLayout();
        if (set.text.isEmpty()) height = QFontMetricsF(font, &writer).lineSpacing();
        return {height, [this, layout](double top) { layout->draw(&painter, QPointF(0, top)); }};
    }

    // One line of text at x, not wrapped; its width in advance.
    std::shared_ptr<QTextLayout> Cell(const std::string& text, const QFont& font, double& advance) {
        const SetText set = Typeset(text);
        auto layout = std::make_shared<QTextLayout>(set.text, font, &writer);
        layout->setFormats(set.formats);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        if (line.isValid()) {
            line.setNumColumns(static_cast<int>(set.text.size()));
            line.setPosition(QPointF(0, 0));
            advance = line.naturalTextWidth();
        }
        layout->endLayout();
        return layout;
    }

    Item Space(double height) {
        return {height, [](double) {}};
    }

    Item Rule(double height, const QColor& color) {
        return {height, [this, height, color](double top) {
                    painter.save();
                    painter.setPen(QPen(color, 2));
                    painter.drawLine(QPointF(0, top + height / 2),
                                     QPointF(width, top + height / 2));
                    painter.restore();
                }};
    }

    // A key's table: each column as wide as its widest cell; a heading's last name spans the
    // columns left and widens none.
    void Table(const KeyPiece& piece, std::vector<Item>& items) {
        const double gap = 4 * kDotsPerMillimetre;
        const double lineHeight = QFontMetricsF(key, &writer).lineSpacing() * 1.15;
        struct Row {
            std::vector<std::shared_ptr<QTextLayout>> cells;
            bool rule = false;
        };
        std::vector<Row> rows;
        std::vector<double> columnWidths(piece.columns, 0);
        for (const KeyRow& keyRow : piece.table) {
            Row row;
            row.rule = keyRow.rule;
            for (std::size_t k = 0; k < keyRow.cells.size(); ++k) {
                double advance = 0;
                row.cells.push_back(
                    Cell(keyRow.cells[k], keyRow.heading ? tableHead : key, advance));
                const bool spans = keyRow.heading && k > 0 && k + 1 == keyRow.cells.size();
                if (!spans) columnWidths[k] = std::max(columnWidths[k], advance);
            }
            rows.push_back(std::move(row));
        }
        std::vector<double> starts{0};
        for (const double w : columnWidths)
            starts.push_back(starts.back() + w + gap);
        for (Row& row : rows) {
            if (row.rule) {
                items.push_back(Rule(lineHeight * 0.5, QColor(120, 120, 120)));
                continue;
            }
            auto drawn = std::make_shared<Row>(std::move(row));
            items.push_back({lineHeight, [this, drawn, starts](double top) {
                                 for (std::size_t k = 0; k < drawn->cells.size(); ++k)
                                     drawn->cells[k]->draw(&painter, QPointF(starts[k], top));
                             }});
        }
    }

    // A resolution's lines: prose wrapped, rules drawn, tabbed lines as tables.
    void Resolution(const std::vector<std::string>& lines, std::vector<Item>& items) {
        for (const KeyPiece& piece : KeyPieces(lines)) {
            const std::string& line = piece.line;
            if (!piece.table.empty()) {
                Table(piece, items);
            } else if (IsKeyRule(line)) {
                items.push_back(
                    Rule(QFontMetricsF(key, &writer).lineSpacing() * 0.6, QColor(120, 120, 120)));
            } else {
                // An indented line (an equation under its step) keeps its indent.
                const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
                const double in = static_cast<double>(indent) *
                                  QFontMetricsF(key, &writer).horizontalAdvance(' ') * 1.5;
                items.push_back(Paragraph(line.substr(indent), key, in, 4 * kDotsPerMillimetre));
            }
        }
    }

    // A block is painted whole on the current page, or on a new one when it does not fit there;
    // only a block taller than a page is cut, between two items.
    void Block(const std::vector<Item>& items, double gapAfter) {
        double height = 0;
        for (const Item& item : items)
            height += item.height;
        if (y > 0 && y + height > bottom) NewPage();
        for (const Item& item : items) {
            if (y > 0 && y + item.height > bottom) NewPage();
            item.draw(y);
            y += item.height;
        }
        y += gapAfter;
    }

    void Footer() {
        painter.setFont(small);
        const double line = QFontMetricsF(small, &writer).lineSpacing();
        painter.drawText(QRectF(0, bottom + line * 0.5, width, line), Qt::AlignHCenter,
                         QStringLiteral("%1").arg(pages));
    }

    void NewPage() {
        Footer();
        writer.newPage();
        ++pages;
        y = 0;
    }

    // The title, and the seed in small print under it.
    void Title(const std::string& title, std::uint32_t seed) {
        std::vector<Item> block{Paragraph(title, this->title, 0)};
        block.push_back(Paragraph(SeedLine(seed), small, 0));
        Block(block, QFontMetricsF(text, &writer).lineSpacing() * 0.6);
    }

    // "Nombre:", "Curso:" and "Fecha:", each with its line to write on.
    void Blanks() {
        const double height = QFontMetricsF(text, &writer).lineSpacing() * 1.6;
        const double shares[] = {0.5, 0.22, 0.28};
        std::vector<Item> block{
            {height, [this, height, shares](double top) {
                 painter.save();
                 painter.setFont(text);
                 const QFontMetricsF metrics(text, &writer);
                 double x = 0;
                 int k = 0;
                 for (const char* word : kSheetHeaderWords) {
                     const QString label = QString::fromUtf8(word);
                     const double baseline = top + height * 0.7;
                     painter.setPen(Qt::black);
                     painter.drawText(QPointF(x, baseline), label);
                     const double from = x + metrics.horizontalAdvance(label + ' ');
                     const double to = x + width * shares[k] - 3 * kDotsPerMillimetre;
                     painter.setPen(QPen(Qt::black, 2));
                     painter.drawLine(QPointF(from, baseline + 6), QPointF(to, baseline + 6));
                     x += width * shares[k++];
                 }
                 painter.restore();
             }}};
        Block(block, QFontMetricsF(text, &writer).lineSpacing());
    }

    // The room for a student's answer under a statement: a few ruled lines, or what fills the
    // statement's half of a page (two a page, the first page's header counted).
    void AnswerRoom(AnswerSpace space, double gap, std::vector<Item>& block) {
        if (space == AnswerSpace::Lines) {
            for (int i = 0; i < kAnswerLines; ++i)
                block.push_back(
                    Rule(kAnswerLineMillimetres * kDotsPerMillimetre, QColor(170, 170, 170)));
        } else if (space == AnswerSpace::HalfPage) {
            double statement = 0;
            for (const Item& item : block)
                statement += item.height;
            const double half = (bottom - header) / 2 - gap;
            const double lines = kAnswerLines * kAnswerLineMillimetres * kDotsPerMillimetre;
            block.push_back(Space(std::max(half - statement, lines)));
        }
    }

    double header = 0;  // the height of the first page's title and blanks
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
    p.key.setPointSizeF(9);
    p.tableHead.setPointSizeF(9);
    p.tableHead.setBold(true);
    p.small.setPointSizeF(8);
    p.width = p.writer.width();
    // The page number sits under the blocks.
    p.bottom = p.writer.height() - 2 * QFontMetricsF(p.small, &p.writer).lineSpacing();
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
    std::vector<Page::Item> block;
    if (m_done == 0) {
        p.Title(m_text.title, m_text.seed);
        p.Blanks();
        p.header = p.y;
    } else if (m_done <= statements) {
        // The number hangs in the margin of the statement's column.
        const int number = m_done;
        const QString widest = QString::number(statements) + QStringLiteral(". ");
        const double indent = QFontMetricsF(p.heading, &p.writer).horizontalAdvance(widest);
        const auto& lines = m_text.statements[static_cast<std::size_t>(number - 1)];
        for (const std::string& line : lines) {
            if (!line.empty()) block.push_back(p.Paragraph(line, p.text, indent));
        }
        if (!block.empty()) {
            // The number shares the first line of the statement, so it adds no height.
            const QString mark = QString::number(number) + QStringLiteral(".");
            auto first = block.front().draw;
            block.front().draw = [&p, first, mark](double top) {
                first(top);
                p.painter.save();
                p.painter.setFont(p.heading);
                p.painter.setPen(Qt::black);
                p.painter.drawText(QPointF(0, top + QFontMetricsF(p.heading, &p.writer).ascent()),
                                   mark);
                p.painter.restore();
            };
        }
        p.AnswerRoom(m_text.space, gap, block);
        p.Block(block, gap);
    } else if (m_done == statements + 1) {
        p.NewPage();
        p.Title(m_text.keyTitle, m_text.seed);
    } else {
        const int number = m_done - statements - 1;
        block.push_back(p.Paragraph(SheetKeyHeading(number, m_text.keyWord), p.heading, 0));
        p.Resolution(m_text.resolutions[static_cast<std::size_t>(number - 1)], block);
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
