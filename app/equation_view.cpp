#include "equation_view.h"

#include "draw_reaction.h"
#include "formula.h"
#include "icons.h"
#include "number_format.h"

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

// Formulas with a box in front of each: the box at the pen + 7, 20 by 16 pixels, the formula 9
// pixels after it, " + " between formulas, a shorter arrow between the sides.
BoxLayout PaintAroundBoxes(const MainModel& model, QPoint origin) {
    BoxLayout boxes;
    MovePen(origin.x(), origin.y());
    for (int side = 0; side < 2; ++side) {
        if (side == kProducts) {
            const int x = PenX();
            Arrow(x + 5, origin.y() + 10, x + 30, origin.y() + 10);
            MovePen(x + 35, origin.y());
        }
        const auto& substances = model.Substances(side);
        for (std::size_t k = 0; k < substances.size(); ++k) {
            if (k > 0) FormulaAt(PenX(), origin.y(), " + ");
            const QRect box(PenX() + 7, origin.y(), 20, 16);
            boxes[side].push_back(box);
            FormulaAt(box.right() + 1 + 9, origin.y(), FormulaDisplayText(substances[k].formula));
        }
    }
    return boxes;
}

// Unit names beside the amount boxes and, once calculated, the moles and amounts in blue.
void PaintAmountTables(DrawSurface& surface, const MainModel& model) {
    const QColor background = surface.background;
    SetFaceName("tahoma");
    SetBold(false);
    SetItalic(false);
    SetFontSize(14, 0);
    for (int side = 0; side < 2; ++side) {
        const int x = TableLeft(side);
        const int right = side == kReactants ? x + 280 : x + 188;
        for (std::size_t slot = 1; slot <= model.Count(side); ++slot) {
            const int y = kTableTop + static_cast<int>(slot - 1) * kTableRow;
            FillArea(surface, QRect(x + 62, y, right - (x + 62), kTableRow), background);
            const AmountRow row = AmountTableRow(model, side, slot);
            SetInkColor(Qt::black);
            TextAtCurrent(x + 64, y + 1, row.unit);
            SetInkColor(kResultColour);
            TextAtCurrent(x + (side == kReactants ? 124 : 102), y + 1, row.moles);
            TextAtCurrent(x + 178, y + 1, row.final);
        }
    }
}

}  // namespace

AmountRow AmountTableRow(const MainModel& model, int side, std::size_t slot) {
    const CalculationModel& calc = model.Calculation();
    const std::string unit =
        UnitName(calc.Unit(side, slot)) + (side == kReactants ? calc.Qualifier(slot) : "");
    AmountRow row{unit, "", ""};
    if (!model.ResultsReady() || !calc.HasResults()) return row;
    const SlotResult& r = calc.Result().amounts[side][slot - 1];
    row.moles = FormatSignificant(r.molesReacted, 3);
    if (side == kReactants) row.final = FormatSignificant(r.finalAmount, 3) + " " + unit;
    return row;
}

QPoint EquationOrigin(int fontSizeSelector) {
    return QPoint(30, 26 + 4 * fontSizeSelector);
}

BoxLayout PaintMainSurface(DrawSurface& surface, const MainModel& model) {
    BoxLayout boxes;
    AttachWindow(surface);
    const int width = surface.image.width();
    const int height = surface.image.height();
    surface.image.fill(surface.background);
    const QRect frame(QPoint(25, 20), QPoint(width - 24, 50));
    FillArea(surface, frame, Qt::white);
    FrameArea(surface, frame, QColor(0, 0, 100));

    const QPoint origin = EquationOrigin(model.FontSizeSelector());
    switch (model.State()) {
        case MainState::Start:
            PaintSample();
            break;
        case MainState::Ajustant:
            SelectDrawingFont(model.FontSizeSelector());
            boxes = PaintAroundBoxes(model, origin);
            break;
        case MainState::Editant:
            SelectDrawingFont(model.FontSizeSelector());
            DrawEquation(model.Substances(kReactants), model.Substances(kProducts), origin.x(),
                         origin.y());
            break;
        case MainState::Ajustada:
            SelectDrawingFont(model.FontSizeSelector());
            DrawReaction(model.CurrentReaction(), origin.x(), origin.y());
            break;
        case MainState::Calculant:
            SelectDrawingFont(model.FontSizeSelector());
            DrawReaction(model.CurrentReaction(), origin.x(), origin.y());
            PaintAmountTables(surface, model);
            break;
        case MainState::Inicial:
            break;
    }
    DrawIconAt(surface, 6, height - 19, "SortirIc", QSize(16, 16));
    return boxes;
}

}  // namespace tovel
