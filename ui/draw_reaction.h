#pragma once
// Drawing an equation: its terms side by side with an arrow between the sides, wrapped onto as
// many lines as the width asks for, so that every equation the program accepts is drawn whole.

#include <QColor>
#include <QRect>
#include <array>
#include <string>
#include <vector>

namespace tovel {

// A small text written above one element symbol of a term (its oxidation number).
struct EquationMark {
    std::string label;
    QColor colour;
};

// One term: a formula in the toolkit's markup ("2 H_2O"), with a coefficient box before it in
// manual balancing, and optionally one mark per capital letter of its text, in order.
struct EquationTerm {
    std::string text;
    bool box = false;
    std::vector<EquationMark> marks;
};

// How far above the top of a line the marks are written.
constexpr int kMarkRise = 11;
using EquationSides = std::array<std::vector<EquationTerm>, 2>;

struct EquationDrawing {
    int lines = 1;
    std::array<std::vector<QRect>, 2> boxes;  // where each term's coefficient box goes
};

// Lays the sides out from (x, y) on the current surface: " + " between terms, an arrow between
// the sides. A term or the arrow that would pass right starts a new line, lineHeight lower; the
// arrow sits arrowDrop below the top of its line. Draws only when paint is set, so that the
// space an equation needs can be known before it is drawn.
EquationDrawing DrawWrappedEquation(const EquationSides& sides, int x, int y, int right,
                                    int lineHeight, int arrowDrop, bool paint);

}  // namespace tovel
