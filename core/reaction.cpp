#include "core/reaction.h"

#include <algorithm>
#include <utility>

#include "core/text_utils.h"

namespace tovel {

Reaction::Reaction() {
    InitReaction(*this);
}

void InitReaction(Reaction& reaction) {
    for (int side = 0; side < 2; ++side) {
        reaction.substances[side].clear();
        reaction.coefficients[side].fill(1);
        reaction.elements[side].clear();
        reaction.atomTotals[side].clear();
    }
}

namespace {

void AddElement(std::vector<std::uint16_t>& elements, std::uint16_t z) {
    const auto at = std::lower_bound(elements.begin(), elements.end(), z);
    if (at == elements.end() || *at != z) elements.insert(at, z);
}

void AddElements(std::vector<std::uint16_t>& elements, const Substance& substance) {
    for (const auto& entry : substance.entries)
        AddElement(elements, entry.element.atomicNumber);
}

}  // namespace

bool PutSubstance(Reaction& reaction, int side, std::size_t position, Substance substance) {
    auto& substances = reaction.substances[side];
    if (position >= 1 && position <= substances.size()) {
        substances[position - 1] = std::move(substance);
        return true;
    }
    if (substances.size() >= kSideLimit) return false;
    AddElements(reaction.elements[side], substances.emplace_back(std::move(substance)));
    return true;
}

bool AppendSubstance(Reaction& reaction, int side, Substance substance) {
    return PutSubstance(reaction, side, reaction.Count(side) + 1, std::move(substance));
}

namespace {

// One side's text: every "+"-separated piece is a formula; at most kSideLimit of them.
int ParseSide(Reaction& reaction, int side, std::string_view text, ElementTable& table,
              UserPort& port, ReactionParseFailure& failure) {
    failure.side = side;
    while (true) {
        const auto plus = FindSubstanceSeparator(text);
        const std::string_view piece = text.substr(0, plus);
        ++failure.position;
        auto& substances = reaction.substances[side];
        if (substances.full()) return kReactionTooMany;
        // Parsed in its place, so that nothing is copied; taken off again if it fails.
        Substance& substance = substances.emplace_back();
        if (!ParseFormula(substance, piece, table, port)) {
            substances.pop_back();
            failure.empty = TrimWhitespaceView(piece).empty();
            return kReactionBadSubstance;
        }
        AddElements(reaction.elements[side], substance);
        if (plus == std::string_view::npos) return kReactionOk;
        text.remove_prefix(plus + 1);
    }
}

}  // namespace

int ParseReaction(Reaction& reaction, std::string_view text, ElementTable& table, UserPort& port,
                  ReactionParseFailure* failure) {
    InitReaction(reaction);
    ReactionParseFailure where;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return kReactionNoEquals;
    const std::string_view sides[2] = {TrimWhitespaceView(text.substr(0, equals)),
                                       TrimWhitespaceView(text.substr(equals + 1))};
    for (int side = 0; side < 2; ++side) {
        where = ReactionParseFailure{};
        const int result = ParseSide(reaction, side, sides[side], table, port, where);
        if (result != kReactionOk) {
            if (failure) *failure = where;
            return result;
        }
    }
    return kReactionOk;
}

bool SameElements(const Reaction& reaction) {
    return reaction.elements[0] == reaction.elements[1];
}

std::uint32_t FormulaScale(const Reaction& reaction) {
    std::uint32_t scale = 1;
    for (const auto& side : reaction.substances) {
        for (const auto& substance : side) {
            if (substance.formulas == 1) continue;
            std::uint32_t a = scale;
            std::uint32_t b = substance.formulas;
            while (b != 0) {
                const std::uint32_t t = a % b;
                a = b;
                b = t;
            }
            scale = scale / a * substance.formulas;
        }
    }
    return scale;
}

bool CheckBalance(Reaction& reaction) {
    const std::uint32_t scale = FormulaScale(reaction);
    for (int side = 0; side < 2; ++side) {
        auto& elements = reaction.elements[side];
        // A substance put in place of another may bring an element the set lacks; it is added so
        // that every atom is counted.
        for (const auto& substance : reaction.substances[side]) {
            for (const auto& entry : substance.entries)
                AddElement(elements, entry.element.atomicNumber);
        }
        auto& totals = reaction.atomTotals[side];
        totals.assign(elements.size(), 0);
        reaction.chargeTotals[side] = 0;
        for (std::size_t k = 0; k < reaction.Count(side); ++k) {
            const std::uint64_t coefficient = reaction.coefficients[side][k];
            reaction.chargeTotals[side] +=
                static_cast<std::int64_t>(coefficient) * reaction.substances[side][k].charge;
            // Whole totals where a formula counts half atoms: every total counts `scale` times.
            const std::uint64_t times =
                coefficient * (scale / reaction.substances[side][k].formulas);
            for (const auto& entry : reaction.substances[side][k].entries) {
                const auto at =
                    std::lower_bound(elements.begin(), elements.end(), entry.element.atomicNumber);
                totals[static_cast<std::size_t>(at - elements.begin())] += entry.count * times;
            }
        }
    }
    return reaction.elements[0] == reaction.elements[1] &&
           reaction.atomTotals[0] == reaction.atomTotals[1] &&
           reaction.chargeTotals[0] == reaction.chargeTotals[1];
}

bool HasElectron(const Reaction& reaction) {
    for (int side = 0; side < 2; ++side) {
        for (const auto& substance : reaction.substances[side]) {
            if (IsElectron(substance)) return true;
        }
    }
    return false;
}

bool HasCharges(const Reaction& reaction) {
    for (int side = 0; side < 2; ++side) {
        for (const auto& substance : reaction.substances[side]) {
            if (substance.charge != 0) return true;
        }
    }
    return false;
}

std::string AtomTotalsText(const Reaction& reaction, int side) {
    std::string text;
    for (const auto total : reaction.atomTotals[side])
        text += std::to_string(total) + "    ";
    return text;
}

namespace {

std::string SideText(const Reaction& reaction, int side, std::string_view joiner,
                     bool withCoefficients) {
    std::string text;
    for (std::size_t k = 0; k < reaction.Count(side); ++k) {
        if (k > 0) text += joiner;
        const auto coefficient = reaction.coefficients[side][k];
        if (withCoefficients && coefficient > 1) text += IntText(coefficient) + " ";
        text += reaction.substances[side][k].formula;
    }
    return text;
}

}  // namespace

std::string ReactionCompactText(const Reaction& reaction) {
    return SideText(reaction, 0, "+", false) + "=" + SideText(reaction, 1, "+", false);
}

std::string ReactionText(const Reaction& reaction) {
    return SideText(reaction, 0, " + ", true) + " = " + SideText(reaction, 1, " + ", true);
}

}  // namespace tovel
