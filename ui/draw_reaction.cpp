#include "ui/draw_reaction.h"

#include <algorithm>
#include <cctype>

#include "ui/draw_toolkit.h"

namespace tovel {

namespace {

// A coefficient box is 7 pixels after the pen and wide enough for five digits; its formula
// follows 9 pixels after it.
constexpr int kBoxGap = 7;
constexpr int kBoxWidth = 38;
constexpr int kBoxHeight = 16;
constexpr int kAfterBox = 9;

// The arrow between the sides: shorter among boxes, as a box already sets the terms apart.
int ArrowLength(bool boxes) {
    return boxes ? 25 : 30;
}

// Each mark centred above its capital letter, in a smaller face, then the pen where it was.
template <class Width>
void DrawMarks(const EquationTerm& term, int start, int top, const Width& width) {
    DrawSurface* surface = CurrentSurface();
    if (!surface) return;
    const FontSpec saved = CurrentFontSpec();
    const QColor ink = surface->ink;
    const QPoint pen = surface->pen;
    std::size_t mark = 0;
    int lastEnd = start - 1000;  // labels of neighbouring symbols never run together
    for (std::size_t i = 0; i < term.text.size() && mark < term.marks.size(); ++i) {
        if (!std::isupper(static_cast<unsigned char>(term.text[i]))) continue;
        const EquationMark& m = term.marks[mark++];
        if (m.label.empty()) continue;
        std::size_t end = i + 1;
        if (end < term.text.size() && std::islower(static_cast<unsigned char>(term.text[end])))
            ++end;
        const int left = start + width(term.text.substr(0, i));
        const int symbol = start + width(term.text.substr(0, end)) - left;
        SetFontSize(std::max(8, saved.height * 5 / 8), 0);
        SetInkColor(m.colour);
        const int labelWidth = TextWidth(m.label);
        const int x = std::max(left + (symbol - labelWidth) / 2, lastEnd + 4);
        TextAt(*surface, x, top - kMarkRise, m.label);
        lastEnd = x + labelWidth;
        CurrentFontSpec() = saved;
        AttachWindow(*surface);
    }
    SetInkColor(ink);
    surface->pen = pen;
}

EquationDrawing Lay(const EquationSides& sides, int x, int y, int right, int lineHeight,
                    int arrowDrop) {
    EquationDrawing drawing;
    const bool boxes = !sides[0].empty() && sides[0].front().box;
    int line = 0;
    auto top = [&] { return y + line * lineHeight; };
    MovePen(x, top());
    auto newLineIfPast = [&](int width) {
        if (PenX() > x && PenX() + width > right) {
            ++line;
            MovePen(x, top());
        }
    };
    auto width = [](const std::string& text) {
        // The pen's advance over the text, measured by drawing it where nothing is kept.
        DrawSurface* current = CurrentSurface();
        DrawSurface scratch(QSize(1, 1));
        AttachWindow(scratch);
        FormulaAt(0, 0, text);
        const int advance = scratch.pen.x();
        if (current) AttachWindow(*current);
        return advance;
    };
    for (int side = 0; side < 2; ++side) {
        if (side == 1) {
            const int length = ArrowLength(boxes);
            newLineIfPast(length + 10);
            const int from = PenX();
            Arrow(from + 5, top() + arrowDrop, from + 5 + length, top() + arrowDrop);
            MovePen(from + length + 10, top());
        }
        for (std::size_t k = 0; k < sides[side].size(); ++k) {
            const EquationTerm& term = sides[side][k];
            if (k > 0) FormulaAt(PenX(), top(), " + ");
            const int boxRoom = term.box ? kBoxGap + kBoxWidth + kAfterBox : 0;
            newLineIfPast(boxRoom + width(term.text));
            if (term.box) {
                const QRect box(PenX() + kBoxGap, top(), kBoxWidth, kBoxHeight);
                drawing.boxes[side].push_back(box);
                MovePen(box.right() + 1 + kAfterBox, top());
            }
            const int start = PenX();
            FormulaAt(start, top(), term.text);
            if (!term.marks.empty()) DrawMarks(term, start, top(), width);
        }
    }
    drawing.lines = line + 1;
    return drawing;
}

}  // namespace

EquationDrawing DrawWrappedEquation(const EquationSides& sides, int x, int y, int right,
                                    int lineHeight, int arrowDrop, bool paint) {
    if (paint) return Lay(sides, x, y, right, lineHeight, arrowDrop);
    DrawSurface* current = CurrentSurface();
    DrawSurface scratch(QSize(1, 1));
    AttachWindow(scratch);
    const EquationDrawing drawing = Lay(sides, x, y, right, lineHeight, arrowDrop);
    if (current) AttachWindow(*current);
    return drawing;
}

}  // namespace tovel
