#pragma once
// The ion-electron method, one half-reaction at a time: the species that change are balanced in
// the element that changes, then oxygen with water, hydrogen with H^+ (in acid medium) or, in
// basic medium, the acid result with OH^- added to both sides and water simplified, and last the
// charge with electrons. Each step is kept as a teacher writes it on the board.

#include <optional>
#include <string>
#include <vector>

#include "core/fraction.h"

namespace tovel {

enum class Medium { Acid, Basic };

struct HalfTerm {
    std::string formula;  // as tovel writes it: "MnO4^-", "H^+", "e^-"
    long coefficient = 1;

    bool operator==(const HalfTerm&) const = default;
};

struct HalfStep {
    std::string what;      // "Se ajusta el O con H2O"
    std::string equation;  // the half-reaction after the step
};

struct HalfReaction {
    std::vector<HalfTerm> left;
    std::vector<HalfTerm> right;
    long electrons = 0;      // how many e^- the half takes or gives
    bool oxidation = false;  // electrons on the right: the species lose them
    std::vector<HalfStep> steps;
};

// Balances the half-reaction that takes the species from into the species to (each formula as
// the equation line reads it, charges after "^"). The species keep their order; water, H^+ or
// OH^- and the electrons follow them. Nothing when the formulas do not read, when the two sides
// cannot be balanced in their elements with small coefficients, or when no electron is taken or
// given (no redox half); why then says so.
std::optional<HalfReaction> BalanceHalfReaction(const std::vector<std::string>& from,
                                                const std::vector<std::string>& to, Medium medium,
                                                std::string* why = nullptr);

struct IonicEquation {
    std::vector<HalfTerm> left;
    std::vector<HalfTerm> right;
    long electrons = 0;  // transferred in the equation as written
    long oxidationFactor = 1;
    long reductionFactor = 1;
    std::vector<HalfStep> steps;
};

// Adds the two halves, each multiplied so that the electrons cancel, and simplifies what stands
// on both sides (water, H^+, OH^-, or a species of both halves). The species come in the order
// of order (the skeleton's formulas), then water, H^+ and OH^-; with rightOrder, the products
// come in its order instead (a species on both sides of a skeleton goes where it ends).
// Coefficients with a common divisor are divided by it, and so are the electrons transferred.
IonicEquation CombineHalves(const HalfReaction& oxidation, const HalfReaction& reduction,
                            const std::vector<std::string>& order,
                            const std::vector<std::string>& rightOrder = {});

// A species of the skeleton and the one it becomes, by the element whose oxidation number
// changes between them.
struct RedoxPair {
    std::string from;
    std::string to;
    std::string element;
    Fraction before;
    Fraction after;
};

struct RedoxPairs {
    std::vector<RedoxPair> oxidations;
    std::vector<RedoxPair> reductions;
    std::string reason;  // why no pair could be found, when one side is empty
};

// The redox pairs of an ionic skeleton, by oxidation numbers. A species is followed by the
// elements that characterise it (all but H and O; O or H where it has no other), so the oxygen
// of an oxoanion never pairs with O2. Water, H^+ and OH^- never form a pair, except where nothing
// else gives an oxidation or a reduction (H2O2 to H2O, H^+ to H2), and then also as the medium
// supplies them unwritten (H2O2 to OH^- in basic medium).
RedoxPairs FindRedoxPairs(const std::vector<std::string>& left,
                          const std::vector<std::string>& right, Medium medium);

// "MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O": coefficient 1 left out.
std::string HalfReactionText(const std::vector<HalfTerm>& left, const std::vector<HalfTerm>& right);

}  // namespace tovel
