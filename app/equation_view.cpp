#include "app/equation_view.h"

#include "core/formula.h"
#include "core/text_utils.h"
#include "ui/draw_reaction.h"
#include "ui/icons.h"

namespace tovel {

namespace {

void SelectDrawingFont(int fontSizeSelector) {
    const FontSpec font = EquationFont(fontSizeSelector);
    SetFaceName(font.faceName);
    SetBold(false);
    SetItalic(false);
    SetFontSize(font.height, font.width);
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

// The terms of the equation as the state shows it: boxes before the formulas in manual
// balancing, the coefficients once balanced, the bare formulas while it is being entered.
QColor MarkColour(MarkKind kind) {
    switch (kind) {
        case MarkKind::Oxidised:
            return {200, 0, 0};
        case MarkKind::Reduced:
            return {0, 0, 220};
        case MarkKind::Both:
            return {140, 0, 160};
        case MarkKind::Plain:
            break;
    }
    return {70, 70, 70};
}

EquationSides Terms(const MainModel& model) {
    EquationSides sides;
    const MainState state = model.State();
    const bool balanced = state == MainState::Ajustada || state == MainState::Calculant;
    OxidationMarkSides marks;
    if (model.ShowOxidation()) marks = model.OxidationMarks();
    for (int side = 0; side < 2; ++side) {
        const auto& substances =
            balanced ? model.CurrentReaction().substances[side] : model.Substances(side);
        for (std::size_t k = 0; k < substances.size(); ++k) {
            EquationTerm term{
                FormulaDisplayText(substances[k].formula), state == MainState::Ajustant, {}};
            if (k < marks[side].size()) {
                for (const OxidationMark& mark : marks[side][k])
                    term.marks.push_back({mark.label, MarkColour(mark.kind)});
            }
            const auto coefficient = model.CurrentReaction().coefficients[side][k];
            if (balanced && coefficient > 1) term.text = IntText(coefficient) + " " + term.text;
            sides[side].push_back(term);
        }
    }
    return sides;
}

bool DrawsEquation(MainState state) {
    return state == MainState::Editant || state == MainState::Ajustant ||
           state == MainState::Ajustada || state == MainState::Calculant;
}

// The arrow at mid-height of the capitals: 10 pixels down with the usual size, 6 with the small.
int ArrowDrop(int fontSizeSelector) {
    return fontSizeSelector == 0 ? 10 : 6;
}

// An equation that needs more lines than this at the usual size is drawn with the small one, so
// that the window stays within a classroom screen.
constexpr int kMaxLinesAtUsualSize = 4;

// The room the oxidation numbers take above each line of the equation, when they are shown.
int MarkRoom(const MainModel& model) {
    return model.ShowOxidation() ? kMarkRise - 2 : 0;
}

struct LaidOutEquation {
    EquationDrawing drawing;
    int selector = 0;  // the font size it is drawn with
};

LaidOutEquation LayOutEquation(const MainModel& model, int width, bool paint) {
    if (!DrawsEquation(model.State())) return {};
    auto lay = [&](int selector, bool draw) {
        SelectDrawingFont(selector);
        const int room = MarkRoom(model);
        const QPoint origin = EquationOrigin(selector) + QPoint(0, room);
        return DrawWrappedEquation(Terms(model), origin.x(), origin.y(),
                                   width - kEquationRightMargin,
                                   EquationLineHeight(selector) + room, ArrowDrop(selector), draw);
    };
    int selector = model.FontSizeSelector();
    if (selector == 0 && lay(0, false).lines > kMaxLinesAtUsualSize) selector = 1;
    return {lay(selector, paint), selector};
}

// A table's text in its column: a value too wide for it ("5.70E297") is drawn smaller, so that
// it never runs into the next column.
void TextInColumn(int x, int y, int width, const std::string& text) {
    SetFontSize(14, 0);
    if (TextWidth(text) > width) SetFontSize(11, 0);
    TextAtCurrent(x, y, text);
}

// Unit names beside the amount boxes and, once calculated, the moles and amounts in blue.
void PaintAmountTables(DrawSurface& surface, const MainModel& model, int extra) {
    const QColor background = surface.background;
    SetFaceName("tahoma");
    SetBold(false);
    SetItalic(false);
    for (int side = 0; side < 2; ++side) {
        const int x = TableLeft(side);
        const int right = side == kReactants ? x + 280 : x + 188;
        for (std::size_t slot = 1; slot <= model.Count(side); ++slot) {
            const int y = extra + kTableTop + static_cast<int>(slot - 1) * kTableRow;
            FillArea(surface, QRect(x + 62, y, right - (x + 62), kTableRow), background);
            const AmountRow row = AmountTableRow(model, side, slot);
            SetInkColor(Qt::black);
            TextInColumn(x + 64, y + 1, side == kReactants ? 58 : 36, row.unit);
            SetInkColor(kResultColour);
            if (side == kReactants) {
                TextInColumn(x + 124, y + 1, 52, row.moles);
                TextInColumn(x + 178, y + 1, 100, row.final);
            } else {
                TextInColumn(x + 102, y + 1, 86, row.moles);
            }
        }
    }
}

}  // namespace

FontSpec EquationFont(int fontSizeSelector) {
    FontSpec font;
    font.faceName = "tahoma";
    // The small size fits long equations by narrower letters, not by shorter ones: its formulas
    // stay as tall as the digits typed in the coefficient boxes in front of them.
    font.height = fontSizeSelector == 0 ? 16 : 13;
    font.width = fontSizeSelector == 0 ? 6 : 5;
    return font;
}

AmountRow AmountTableRow(const MainModel& model, int side, std::size_t slot) {
    const CalculationModel& calc = model.Calculation();
    const std::string unit =
        UnitName(calc.Unit(side, slot)) + (side == kReactants ? calc.Qualifier(slot) : "");
    AmountRow row{unit, "", ""};
    if (!model.ResultsReady() || !calc.HasResults()) return row;
    row.moles = calc.ReactedMolesText(side, slot);
    if (side == kReactants) row.final = calc.FinalAmountText(slot) + " " + unit;
    return row;
}

QPoint EquationOrigin(int fontSizeSelector) {
    return QPoint(30, 26 + 4 * fontSizeSelector);
}

int EquationLineHeight(int fontSizeSelector) {
    return fontSizeSelector == 0 ? 26 : 19;
}

int EquationExtraHeight(const MainModel& model, int width) {
    const LaidOutEquation laid = LayOutEquation(model, width, false);
    const int room = DrawsEquation(model.State()) ? MarkRoom(model) : 0;
    return (laid.drawing.lines - 1) * (EquationLineHeight(laid.selector) + room) + room;
}

BoxLayout PaintMainSurface(DrawSurface& surface, const MainModel& model, int extra) {
    AttachWindow(surface);
    const int width = surface.image.width();
    const int height = surface.image.height();
    surface.image.fill(surface.background);
    const QRect frame(QPoint(25, 20), QPoint(width - 24, 50 + extra));
    FillArea(surface, frame, Qt::white);
    FrameArea(surface, frame, QColor(0, 0, 100));

    BoxLayout boxes;
    if (model.State() == MainState::Start) PaintSample();
    const LaidOutEquation laid = LayOutEquation(model, width, true);
    if (model.State() == MainState::Ajustant) boxes = laid.drawing.boxes;
    if (model.State() == MainState::Calculant) PaintAmountTables(surface, model, extra);
    DrawIconAt(surface, 6, height - 19, "SortirIc", QSize(16, 16));
    return boxes;
}

}  // namespace tovel
