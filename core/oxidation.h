#pragma once
// Oxidation numbers by the rules taught in school, and what they say about a reaction: which
// element is oxidised and which reduced, the oxidant and the reductant, the electrons that pass.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/fraction.h"
#include "core/reaction.h"

namespace tovel {

// One element at one place of a formula: NH4NO3 has two, N -3 in the ammonium and N +5 in the
// nitrate.
struct OxidationSite {
    std::string symbol;
    std::uint32_t atoms = 0;  // atoms of the formula at this place
    Fraction number;
    bool average = false;  // the mean over atoms that may differ (C in C3H8: -8/3)
};

struct SubstanceOxidation {
    std::string formula;
    bool decided = false;  // false: no rule decides, nothing is guessed
    std::vector<OxidationSite> sites;
};

// The oxidation numbers of a formula (as typed: H2SO4, K4Fe(CN)6) with its charge.
SubstanceOxidation OxidationNumbers(std::string_view formula, int charge = 0);

// "KMnO4: K +1, Mn +7, O -2"; "C3H8: C -8/3 (media), H +1"; undecided substances say so.
std::string OxidationText(const SubstanceOxidation& substance);
// "+7", "0", "-8/3".
std::string SignedNumber(Fraction number);

struct ElementChange {
    std::string symbol;
    Fraction from;
    Fraction to;
};

enum class RedoxOutcome {
    Redox,
    HalfReaction,  // with electrons written: only an oxidation or only a reduction
    NotRedox,      // no oxidation number changes
    Undecided,     // a substance without oxidation numbers, or changes the rules cannot pair
    Fault,         // the electrons lost and gained differ: reported, never shown as an answer
};

struct RedoxAnalysis {
    RedoxOutcome outcome = RedoxOutcome::Undecided;
    std::vector<SubstanceOxidation> substances;  // each formula of the reaction once
    std::vector<ElementChange> oxidised;
    std::vector<ElementChange> reduced;
    std::vector<std::string> oxidants;
    std::vector<std::string> reductants;
    Fraction electrons;  // transferred in the balanced equation
    std::string reason;  // for Undecided and Fault
};

// The analysis of a balanced reaction (its coefficients are used as they stand).
RedoxAnalysis AnalyseRedox(const Reaction& reaction);

// The Spanish text: a line per substance, then what is oxidised and reduced, the oxidant, the
// reductant and the electrons; or why it cannot be said.
std::vector<std::string> RedoxLines(const RedoxAnalysis& analysis);

}  // namespace tovel
