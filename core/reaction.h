#pragma once
// A reaction: reactants (side 0) and products (side 1), each substance with its coefficient.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/fixed_vector.h"
#include "core/formula.h"

namespace tovel {

constexpr std::size_t kSideLimit = 6;  // substances per side
constexpr int kReactants = 0;
constexpr int kProducts = 1;
constexpr std::uint32_t kCoefficientLimit = kSixteenBitLimit;
// Substances of a whole reaction, and the most elements they can hold between them: the columns
// and rows of its atom-count matrix.
constexpr std::size_t kSubstanceLimit = 2 * kSideLimit;
constexpr std::size_t kReactionElementLimit = kSubstanceLimit * kFormulaSymbolLimit;

using SideSubstances = FixedVector<Substance, kSideLimit>;

struct Reaction {
    std::array<SideSubstances, 2> substances;
    std::array<std::array<std::uint16_t, kSideLimit>, 2> coefficients{};  // 1 in a fresh reaction
    // Atomic numbers present on each side, ascending, without repeats.
    std::array<std::vector<std::uint16_t>, 2> elements;
    // Atoms of each element of the side's element set, coefficients counted (see CheckBalance).
    std::array<std::vector<std::uint64_t>, 2> atomTotals;
    // The charge of each side, coefficients counted (see CheckBalance).
    std::array<std::int64_t, 2> chargeTotals{};

    Reaction();
    std::size_t Count(int side) const { return substances[side].size(); }
    std::uint16_t& Coefficient(int side, std::size_t position) {
        return coefficients[side][position - 1];
    }
    std::uint16_t Coefficient(int side, std::size_t position) const {
        return coefficients[side][position - 1];
    }
};

// Empty sides, coefficients 1, no element sets, no totals.
void InitReaction(Reaction& reaction);

// Puts substance at position (1-based) of side. A position past the side's count appends it and
// adds its elements to the side's element set; a position within the count replaces that
// substance and leaves the element set as it is. Returns false when the side is full.
bool PutSubstance(Reaction& reaction, int side, std::size_t position, Substance substance);
bool AppendSubstance(Reaction& reaction, int side, Substance substance);

enum ParseReactionResult : int {
    kReactionOk = 0,
    kReactionNoEquals = 1,      // no "=" between the sides
    kReactionBadSubstance = 2,  // a formula failed (its own message, if any, has been shown)
    kReactionTooMany = 3,       // more than kSideLimit substances on a side
};

// Which formula of an equation text could not be read.
struct ReactionParseFailure {
    int side = kReactants;
    std::size_t position = 0;  // 1-based, among the side's "+"-separated pieces
    bool empty = false;        // nothing there: the formula parser said nothing about it
};

// Parses "H2 + O2 = H2O" (formulas only, no coefficients) into reaction. On failure the reaction
// is left partly filled, and failure (when given) says which formula failed.
int ParseReaction(Reaction& reaction, std::string_view text, ElementTable& table, UserPort& port,
                  ReactionParseFailure* failure = nullptr);

// The least common multiple of the formulas its substances' entries count (see Substance): 1
// unless a hydrate has a fractional multiplier. A substance's counts times
// FormulaScale(reaction) / substance.formulas count this many of its formulas, the same for all.
std::uint32_t FormulaScale(const Reaction& reaction);

// Both sides hold the same elements.
bool SameElements(const Reaction& reaction);

// Fills the atom and charge totals of both sides and tells whether they are equal.
bool CheckBalance(Reaction& reaction);

// Whether any substance of the reaction is an ion or the electron; whether one is the electron.
bool HasCharges(const Reaction& reaction);
bool HasElectron(const Reaction& reaction);

// Each total of the side in decimal followed by four blanks: "4    2    ".
std::string AtomTotalsText(const Reaction& reaction, int side);

// H2+O2=H2O: formulas only, no blanks.
std::string ReactionCompactText(const Reaction& reaction);
// 2 H2 + O2 = 2 H2O: coefficients above 1 written before their formula.
std::string ReactionText(const Reaction& reaction);

}  // namespace tovel
