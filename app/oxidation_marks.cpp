#include "app/oxidation_marks.h"

#include <map>

#include "core/formula.h"
#include "core/oxidation.h"
#include "core/reaction.h"

namespace tovel {

namespace {

// The element symbols of a formula as written, as the formula parser reads them: HCOOH -> H C O O
// H.
std::vector<std::string> WrittenSymbols(const std::string& formula) {
    std::vector<std::string> symbols;
    for (const FormulaPart& part : ReadFormulaStructure(formula).structure.parts) {
        if (!part.IsGroup()) symbols.push_back(part.symbol);
    }
    return symbols;
}

bool Listed(const std::vector<ElementChange>& changes, const std::string& symbol, Fraction number,
            int side) {
    for (const ElementChange& c : changes) {
        if (c.symbol == symbol && (side == kReactants ? c.from : c.to) == number) return true;
    }
    return false;
}

}  // namespace

OxidationMarkSides MarkOxidationNumbers(const std::array<SideSubstances, 2>& sides) {
    // What changes does not depend on the coefficients: the reaction as written is enough.
    Reaction reaction;
    for (int side = 0; side < 2; ++side) {
        for (const Substance& s : sides[side])
            AppendSubstance(reaction, side, s);
    }
    const RedoxAnalysis analysis = AnalyseRedox(reaction);
    OxidationMarkSides marks;
    for (int side = 0; side < 2; ++side) {
        for (const Substance& s : sides[side]) {
            const SubstanceOxidation ox = OxidationNumbers(s.formula);
            std::vector<OxidationMark> row;
            std::map<std::string, std::size_t> seen;  // occurrences of each symbol so far
            for (const std::string& symbol : WrittenSymbols(s.formula)) {
                OxidationMark mark;
                // The k-th place of an element takes its k-th site (NH4NO3: N -3, then N +5).
                std::vector<const OxidationSite*> sites;
                for (const OxidationSite& site : ox.sites) {
                    if (site.symbol == symbol) sites.push_back(&site);
                }
                const std::size_t k = seen[symbol]++;
                if (ox.decided && !sites.empty()) {
                    const OxidationSite& site = *sites[k < sites.size() ? k : 0];
                    mark.label = SignedNumber(site.number);
                    const bool up = Listed(analysis.oxidised, symbol, site.number, side);
                    const bool down = Listed(analysis.reduced, symbol, site.number, side);
                    mark.kind = up && down ? MarkKind::Both
                                : up       ? MarkKind::Oxidised
                                : down     ? MarkKind::Reduced
                                           : MarkKind::Plain;
                }
                row.push_back(mark);
            }
            marks[side].push_back(std::move(row));
        }
    }
    return marks;
}

}  // namespace tovel
