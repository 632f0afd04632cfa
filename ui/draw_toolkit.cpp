#include "ui/draw_toolkit.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <utility>
#include <vector>

namespace tovel {

namespace {

// Program-wide by design: one font description shared by all drawing, one current surface.
FontSpec g_fontSpec;
FontSpec g_savedFontSpec;
DrawSurface* g_current = nullptr;

constexpr int kTextLimit = 255;

QString FaceFor(const std::string& name) {
    const QString face = QString::fromStdString(name).toLower();
    if (face.contains("narrow")) return QStringLiteral("DejaVu Sans Condensed");
    if (face.contains("courier") || face.contains("mono"))
        return QStringLiteral("DejaVu Sans Mono");
    if (face.contains("times") || face.contains("roman")) return QStringLiteral("DejaVu Serif");
    return QStringLiteral("DejaVu Sans");
}

void Reselect(DrawSurface& surface) {
    surface.font = MakeFont(g_fontSpec);
}

void ReselectCurrent() {
    if (g_current) Reselect(*g_current);
}

// Draws text at the pen and moves the pen past it.
void DrawAtPen(DrawSurface& surface, const QString& text) {
    QPainter painter(&surface.image);
    painter.setFont(surface.font);
    painter.setPen(surface.ink);
    const QFontMetrics metrics(surface.font);
    painter.drawText(surface.pen.x(), surface.pen.y() + metrics.ascent(), text);
    surface.pen.rx() += metrics.horizontalAdvance(text);
}

void ScriptText(DrawSurface& surface, const std::string& text, int drop) {
    g_savedFontSpec = g_fontSpec;
    g_fontSpec.height = g_fontSpec.height * 3 / 4;
    g_fontSpec.width = g_fontSpec.width * 3 / 4;
    Reselect(surface);
    const QPoint origin = surface.pen;
    surface.pen.ry() += drop;
    DrawAtPen(surface, QString::fromStdString(text).left(kTextLimit));
    g_fontSpec = g_savedFontSpec;
    Reselect(surface);
    surface.pen.setY(origin.y());
}

}  // namespace

QFont MakeFont(const FontSpec& description) {
    // Matching a font is the slowest step of drawing: each description is matched once, the first
    // time something is drawn with it, and kept for the run (as the windows keep their fonts).
    static std::vector<std::pair<FontSpec, QFont>> made;
    for (const auto& [held, font] : made) {
        if (held == description) return font;
    }
    QFont font(FaceFor(description.faceName));
    const int cell = description.height == 0 ? 16 : std::abs(description.height);
    // The description gives the cell height; the face's own size is about 86 % of it.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell / 1.16))));
    font.setWeight(description.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    if (description.width > 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0) {
            font.setStretch(std::clamp(
                static_cast<int>(std::lround(100.0 * description.width / natural)), 60, 150));
        }
    }
    made.emplace_back(description, font);
    return font;
}

DrawSurface::DrawSurface(QSize size, QColor background)
    : image(size, QImage::Format_ARGB32_Premultiplied), background(background) {
    image.fill(background);
}

FontSpec& CurrentFontSpec() {
    return g_fontSpec;
}
const FontSpec& SavedFontSpec() {
    return g_savedFontSpec;
}

void AttachWindow(DrawSurface& surface) {
    g_current = &surface;
    Reselect(surface);
}

DrawSurface* CurrentSurface() {
    return g_current;
}

void SetFontSize(int height, int width) {
    g_fontSpec.height = height;
    g_fontSpec.width = width;
    ReselectCurrent();
}

void SetFontSize(int height, int width, DrawSurface& surface) {
    g_fontSpec.height = height;
    g_fontSpec.width = width;
    Reselect(surface);
}

void SetBold(bool bold) {
    g_fontSpec.weight = bold ? 700 : 400;
    ReselectCurrent();
}

void SetBold(bool bold, DrawSurface& surface) {
    g_fontSpec.weight = bold ? 700 : 400;
    Reselect(surface);
}

void SetItalic(bool italic) {
    g_fontSpec.italic = italic;
    ReselectCurrent();
}

void SetFaceName(const std::string& name) {
    g_fontSpec.faceName = name.substr(0, 31);
    ReselectCurrent();
}

void SetInkColor(QColor colour) {
    if (g_current) g_current->ink = colour;
}

void TextAt(DrawSurface& surface, int x, int y, const std::string& text) {
    if (text.empty()) return;
    const QString cut = QString::fromStdString(text).left(kTextLimit);
    if (surface.updatePosition) {
        DrawAtPen(surface, cut);
        return;
    }
    const QPoint pen = surface.pen;
    surface.pen = QPoint(x, y);
    DrawAtPen(surface, cut);
    surface.pen = pen;
}

void TextAtCurrent(int x, int y, const std::string& text) {
    if (g_current) TextAt(*g_current, x, y, text);
}

void MovePen(int x, int y) {
    if (g_current) g_current->pen = QPoint(x, y);
}

int PenX() {
    return g_current ? g_current->pen.x() : 0;
}

int TextWidth(const std::string& text) {
    return g_current ? QFontMetrics(g_current->font).horizontalAdvance(QString::fromStdString(text))
                     : 0;
}

std::pair<QPoint, QPoint> ArrowBarbs(int x1, int y1, int x2, int y2) {
    // Angles are measured with the y axis pointing up, as on paper.
    const double theta =
        std::atan2(static_cast<double>(y1 - y2), static_cast<double>(x2 - x1)) * 180.0 / M_PI;
    // Halves round to the even neighbour (nearbyint); the offsets are first snapped to a
    // millionth, so that cos 240° = -0.5000000000000004 still counts as a half.
    auto offset = [](double value) {
        return static_cast<int>(std::nearbyint(std::round(value * 1e6) / 1e6));
    };
    auto barb = [&](double phiDegrees) {
        const double phi = phiDegrees * M_PI / 180.0;
        return QPoint(x2 + offset(5 * std::cos(phi)), y2 + offset(-5 * std::sin(phi)));
    };
    return {barb(theta + 150), barb(theta - 150)};
}

void Arrow(int x1, int y1, int x2, int y2) {
    if (!g_current) return;
    QPainter painter(&g_current->image);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(x1, y1, x2, y2);
    const auto [a, b] = ArrowBarbs(x1, y1, x2, y2);
    painter.drawLine(QPoint(x2, y2), a);
    painter.drawLine(QPoint(x2, y2), b);
    g_current->pen = b;
}

void FormulaAt(int x, int y, const std::string& text) {
    if (!g_current) return;
    DrawSurface& surface = *g_current;
    surface.pen = QPoint(x, y);
    surface.updatePosition = true;
    enum class Mode { Normal, Subscript, Superscript } mode = Mode::Normal;
    const QString formula = QString::fromStdString(text);
    for (const QChar ch : formula) {
        if (ch == '_') {
            mode = Mode::Subscript;
            continue;
        }
        if (ch == '^') {
            mode = Mode::Superscript;
            continue;
        }
        const std::string one = QString(ch).toStdString();
        if (mode == Mode::Subscript) {
            SubscriptText(surface, one);
        } else if (mode == Mode::Superscript) {
            SuperscriptText(surface, one);
        } else {
            TextAt(surface, surface.pen.x(), surface.pen.y(), one);
        }
        mode = Mode::Normal;
    }
    surface.updatePosition = false;
}

// The subscript drops half the cell height: 8 pixels for the usual 16, and still under its letter
// with a small font.
void SubscriptText(DrawSurface& surface, const std::string& text) {
    ScriptText(surface, text, std::max(1, std::abs(g_fontSpec.height)) / 2);
}

void SuperscriptText(DrawSurface& surface, const std::string& text) {
    ScriptText(surface, text, 0);
}

void FillArea(DrawSurface& surface, const QRect& area, QColor colour) {
    QPainter painter(&surface.image);
    painter.fillRect(area, colour);
}

void FrameArea(DrawSurface& surface, const QRect& area, QColor colour) {
    QPainter painter(&surface.image);
    painter.setPen(QPen(colour, 1));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void FontHolder::Init(DrawSurface& surface) {
    m_surface = &surface;
    m_description = FontSpec{};
}

void FontHolder::SetSize(int height, int width) {
    m_description.height = height;
    m_description.width = width;
    Apply();
}

void FontHolder::SetFace(const std::string& name) {
    m_description.faceName = name.substr(0, 31);
    Apply();
}

void FontHolder::SetBold(bool bold) {
    m_description.weight = bold ? 700 : 400;
    Apply();
}

void FontHolder::Done() {
    m_surface = nullptr;
}

void FontHolder::Apply() {
    if (m_surface) m_surface->font = MakeFont(m_description);
}

}  // namespace tovel
