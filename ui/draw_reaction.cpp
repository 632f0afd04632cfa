#include "draw_reaction.h"

#include "draw_toolkit.h"
#include "text_utils.h"

namespace tovel {

namespace {

void DrawSides(const std::string& left, const std::string& right, int x, int y) {
    FormulaAt(x, y, left);
    const int px = PenX();
    Arrow(px + 5, y + 10, px + 35, y + 10);
    FormulaAt(px + 40, y, right);
}

}  // namespace

std::string SideDisplayText(const std::vector<Substance>& substances,
                            std::span<const std::uint16_t> coefficients) {
    std::string text;
    for (std::size_t k = 0; k < substances.size(); ++k) {
        if (k > 0) text += " + ";
        if (k < coefficients.size() && coefficients[k] > 1) text += IntText(coefficients[k]) + " ";
        text += FormulaDisplayText(substances[k].formula);
    }
    return text;
}

void DrawReaction(const Reaction& reaction, int x, int y) {
    DrawSides(SideDisplayText(reaction.substances[kReactants], reaction.coefficients[kReactants]),
              SideDisplayText(reaction.substances[kProducts], reaction.coefficients[kProducts]), x, y);
}

void DrawEquation(const std::vector<Substance>& reactants, const std::vector<Substance>& products,
                  int x, int y) {
    DrawSides(SideDisplayText(reactants, {}), SideDisplayText(products, {}), x, y);
}

}  // namespace tovel
