#include "equation_view.h"

#include "draw_reaction.h"
#include "icons.h"

namespace tovel {

namespace {

void SelectDrawingFont(int fontSizeSelector) {
    SetFaceName("tahoma");
    SetBold(false);
    SetItalic(false);
    if (fontSizeSelector == 0) {
        SetFontSize(16, 6);
    } else {
        SetFontSize(11, 4);
    }
    SetInkColor(Qt::black);
}

void PaintSample() {
    SetFaceName("Bauhaus");
    SetFontSize(20, 10);
    SetBold(true);
    SetItalic(true);
    SetInkColor(QColor(0, 0, 202));
    TextAtCurrent(239, 26, "A + B  ->  C + D");
}

}  // namespace

QPoint EquationOrigin(int fontSizeSelector) { return QPoint(30, 26 + 4 * fontSizeSelector); }

void PaintMainSurface(DrawSurface& surface, const MainModel& model) {
    AttachWindow(surface);
    const int width = surface.image.width();
    const int height = surface.image.height();
    const QRect frame(QPoint(25, 20), QPoint(width - 24, 50));
    FillArea(surface, frame, Qt::white);
    FrameArea(surface, frame, QColor(0, 0, 100));

    const QPoint origin = EquationOrigin(model.FontSizeSelector());
    switch (model.State()) {
        case MainState::Start:
            PaintSample();
            break;
        case MainState::Editant:
        case MainState::Ajustant:
            SelectDrawingFont(model.FontSizeSelector());
            DrawEquation(model.Substances(kReactants), model.Substances(kProducts), origin.x(), origin.y());
            break;
        case MainState::Ajustada:
        case MainState::Calculant:
            SelectDrawingFont(model.FontSizeSelector());
            DrawReaction(model.CurrentReaction(), origin.x(), origin.y());
            break;
        case MainState::Inicial:
            break;
    }
    DrawIconAt(surface, 6, height - 19, "SortirIc", QSize(16, 16));
}

}  // namespace tovel
