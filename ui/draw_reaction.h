#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "reaction.h"

namespace tovel {

// Draws the reaction with its coefficients on the current surface: the reactants from (x, y),
// an arrow, then the products, formulas with their subscripts.
void DrawReaction(const Reaction& reaction, int x, int y);

// Draws two sides of formulas without coefficients the same way.
void DrawEquation(const std::vector<Substance>& reactants, const std::vector<Substance>& products,
                  int x, int y);

// One side's text for FormulaAt: formulas marked for subscripts, joined by " + ", each
// coefficient above 1 written before its formula (none when coefficients is empty).
std::string SideDisplayText(const std::vector<Substance>& substances,
                            std::span<const std::uint16_t> coefficients);

}  // namespace tovel
