#pragma once
// The drawing toolkit: text, formulas with one-character subscripts and superscripts, and arrows
// painted on a window's persistent image, the way the program's windows draw their equations and
// tables. One shared font description (FontSpec) serves every drawing; a window can own a
// FontHolder for private texts. Coordinates are the window's client pixels.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

namespace tovel {

// A font description with the fields the drawing code sets. A weight of 0 is the normal weight.
struct FontSpec {
    int height = 16;  // cell height in pixels
    int width = 6;    // average character width in pixels; 0 for the face's own
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string faceName = "arial";  // at most 31 characters

    bool operator==(const FontSpec&) const = default;
};

// The Qt font that best matches a description on this system.
QFont MakeFont(const FontSpec& description);

// What a window draws on: a persistent image it shows, with the font selected on it, the pen
// position, the text colour and whether drawing text moves the pen.
struct DrawSurface {
    QImage image;
    QColor background;
    QFont font = MakeFont(FontSpec{});
    QPoint pen{0, 0};
    QColor ink{0, 0, 0};
    bool updatePosition = false;  // text drawn at the pen, which moves past it

    explicit DrawSurface(QSize size = QSize(1, 1), QColor background = Qt::white);
};

// The shared description and the one remembered while a script character is drawn.
FontSpec& CurrentFontSpec();
const FontSpec& SavedFontSpec();

// Makes surface the current one and selects the shared font on it.
void AttachWindow(DrawSurface& surface);
DrawSurface* CurrentSurface();

// Change one attribute of the shared description and select the result on the current surface
// (or on the given one).
void SetFontSize(int height, int width);
void SetFontSize(int height, int width, DrawSurface& surface);
void SetBold(bool bold);
void SetBold(bool bold, DrawSurface& surface);
void SetItalic(bool italic);
void SetFaceName(const std::string& name);
void SetInkColor(QColor colour);

// Text with its top-left corner at (x, y), at most 255 characters; an empty text draws nothing.
// Where the surface updates its position the text goes at the pen instead, and the pen moves.
void TextAt(DrawSurface& surface, int x, int y, const std::string& text);
void TextAtCurrent(int x, int y, const std::string& text);
void MovePen(int x, int y);
int PenX();
// How wide text is in the current surface's font, in pixels.
int TextWidth(const std::string& text);

// A line from (x1, y1) to (x2, y2) with two barbs of 5 pixels at the head.
void Arrow(int x1, int y1, int x2, int y2);
// The barb ends of an arrow, for the arrow's head at (x2, y2).
std::pair<QPoint, QPoint> ArrowBarbs(int x1, int y1, int x2, int y2);

// A formula from (x, y), left-aligned: "_" makes the next character a subscript, "^" a
// superscript. Leaves the pen after the text and the surface no longer moving its pen.
void FormulaAt(int x, int y, const std::string& text);
void SubscriptText(DrawSurface& surface, const std::string& text);
void SuperscriptText(DrawSurface& surface, const std::string& text);

// Plain shapes the windows paint around their texts.
void FillArea(DrawSurface& surface, const QRect& area, QColor colour);
void FrameArea(DrawSurface& surface, const QRect& area, QColor colour);

// A window's own font, independent of the shared description.
class FontHolder {
  public:
    void Init(DrawSurface& surface);
    void SetSize(int height, int width);
    void SetFace(const std::string& name);
    void SetBold(bool bold);
    void Done();
    const FontSpec& Description() const { return m_description; }

  private:
    void Apply();
    DrawSurface* m_surface = nullptr;
    FontSpec m_description;
};

}  // namespace tovel
