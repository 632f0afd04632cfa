#include "ui/draw_reaction.h"

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
            FormulaAt(PenX(), top(), term.text);
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
