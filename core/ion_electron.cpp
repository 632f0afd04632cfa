#include "core/ion_electron.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "core/formula.h"
#include "core/oxidation.h"

namespace tovel {

namespace {

constexpr long kLargestCoefficient = 12;  // school half-reactions need far less
constexpr std::size_t kMostSpecies = 5;   // species on both sides, before the medium's

struct Species {
    std::string formula;
    std::map<std::string, long> atoms;
    long charge = 0;
    long coefficient = 1;
};

// One side of the half-reaction: its species, then what the method adds, in the order it is
// written.
struct Side {
    std::vector<Species> species;
    long water = 0;
    long hydrogen = 0;   // H^+
    long hydroxide = 0;  // OH^-
    long electrons = 0;

    long Atoms(const std::string& symbol) const {
        long total = 0;
        for (const Species& s : species) {
            const auto it = s.atoms.find(symbol);
            if (it != s.atoms.end()) total += s.coefficient * it->second;
        }
        if (symbol == "H") total += 2 * water + hydrogen + hydroxide;
        if (symbol == "O") total += water + hydroxide;
        return total;
    }
    long Charge() const {
        long total = hydrogen - hydroxide - electrons;
        for (const Species& s : species)
            total += s.coefficient * s.charge;
        return total;
    }
    std::vector<HalfTerm> Terms() const {
        std::vector<HalfTerm> terms;
        for (const Species& s : species)
            terms.push_back({s.formula, s.coefficient});
        if (water > 0) terms.push_back({"H2O", water});
        if (hydrogen > 0) terms.push_back({"H^+", hydrogen});
        if (hydroxide > 0) terms.push_back({"OH^-", hydroxide});
        if (electrons > 0) terms.push_back({"e^-", electrons});
        return terms;
    }
};

bool Fail(std::string* why, std::string text) {
    if (why) *why = std::move(text);
    return false;
}

bool IsMediumSpecies(const std::string& formula) {
    return formula == "H2O" || formula == "H^+" || formula == "OH^-";
}

bool ReadSide(const std::vector<std::string>& formulas, Side& side, std::string* why) {
    for (const std::string& formula : formulas) {
        const FormulaScan scan = ScanFormula(formula);
        if (scan.error != FormulaError::None || scan.entries.empty())
            return Fail(why, "No se puede leer la fórmula " + formula);
        Species species;
        species.formula = scan.formula;
        species.charge = scan.charge;
        for (const FormulaEntry& entry : scan.entries)
            species.atoms[entry.element.symbol] += entry.count;
        side.species.push_back(std::move(species));
    }
    return true;
}

// Water, H^+ and OH^- written in the skeleton are the method's to place. Where a side holds
// nothing else they are what the other side becomes (H2O2 to H2O, H2 to H^+) and are balanced as
// species first; with keepLone false they are counted as the method's too, once balanced.
void TakeMediumSpecies(Side& side, bool keepLone) {
    const bool alone = std::all_of(side.species.begin(), side.species.end(),
                                   [](const Species& s) { return IsMediumSpecies(s.formula); });
    if (alone && keepLone) return;
    std::vector<Species> kept;
    for (Species& s : side.species) {
        if (s.formula == "H2O") {
            side.water += s.coefficient;
        } else if (s.formula == "H^+") {
            side.hydrogen += s.coefficient;
        } else if (s.formula == "OH^-") {
            side.hydroxide += s.coefficient;
        } else {
            kept.push_back(std::move(s));
        }
    }
    side.species = std::move(kept);
}

// The elements that change, balanced by the species' coefficients: the smallest ones that
// balance them all (the smallest sum, the first in order among equal sums).
bool BalanceChangingElements(Side& left, Side& right, std::vector<std::string>& elements,
                             std::string* why) {
    std::vector<Species*> all;
    for (Species& s : left.species)
        all.push_back(&s);
    for (Species& s : right.species)
        all.push_back(&s);
    if (all.empty() || all.size() > kMostSpecies)
        return Fail(why,
                    "Una semirreacción necesita de 1 a 5 especies, sin contar H2O, H^+ y OH^-");
    std::vector<std::string> symbols;
    for (const Species* s : all) {
        for (const auto& [symbol, count] : s->atoms) {
            if (std::find(symbols.begin(), symbols.end(), symbol) == symbols.end())
                symbols.push_back(symbol);
        }
    }
    for (const std::string& symbol : symbols) {
        if (symbol != "H" && symbol != "O") elements.push_back(symbol);
    }
    // Without another element, the one that changes is oxygen (H2O2 to H2O) or hydrogen (H2 to
    // H^+).
    if (elements.empty())
        elements.push_back(left.Atoms("O") > 0 && right.Atoms("O") > 0 ? "O" : "H");
    for (const std::string& symbol : elements) {
        const bool onLeft = std::any_of(left.species.begin(), left.species.end(),
                                        [&](const Species& s) { return s.atoms.count(symbol); });
        const bool onRight = std::any_of(right.species.begin(), right.species.end(),
                                         [&](const Species& s) { return s.atoms.count(symbol); });
        if (onLeft != onRight)
            return Fail(why, symbol + " solo está en un lado de la semirreacción");
    }

    std::vector<long> best;
    long bestSum = 0;
    std::vector<long> trial(all.size(), 1);
    while (true) {
        long sum = 0;
        for (const long c : trial)
            sum += c;
        if (best.empty() || sum < bestSum) {
            for (std::size_t i = 0; i < all.size(); ++i)
                all[i]->coefficient = trial[i];
            const bool balanced =
                std::all_of(elements.begin(), elements.end(), [&](const std::string& symbol) {
                    return left.Atoms(symbol) == right.Atoms(symbol) ||
                           symbol == "H";  // hydrogen is the medium's to balance
                });
            if (balanced) {
                best = trial;
                bestSum = sum;
            }
        }
        std::size_t k = all.size();
        while (k > 0 && trial[k - 1] == kLargestCoefficient)
            trial[--k] = 1;
        if (k == 0) break;
        ++trial[k - 1];
    }
    if (best.empty()) return Fail(why, "No se puede ajustar el elemento que cambia");
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i]->coefficient = best[i];
    return true;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " y " : ", ") + items[i];
    return text;
}

}  // namespace

std::string HalfReactionText(const std::vector<HalfTerm>& left,
                             const std::vector<HalfTerm>& right) {
    const auto side = [](const std::vector<HalfTerm>& terms) {
        std::string text;
        for (const HalfTerm& term : terms) {
            if (!text.empty()) text += " + ";
            if (term.coefficient != 1) text += std::to_string(term.coefficient) + " ";
            text += term.formula;
        }
        return text;
    };
    return side(left) + " = " + side(right);
}

std::optional<HalfReaction> BalanceHalfReaction(const std::vector<std::string>& from,
                                                const std::vector<std::string>& to, Medium medium,
                                                std::string* why) {
    Side left, right;
    if (!ReadSide(from, left, why) || !ReadSide(to, right, why)) return std::nullopt;
    TakeMediumSpecies(left, true);
    TakeMediumSpecies(right, true);
    std::vector<std::string> elements;
    if (!BalanceChangingElements(left, right, elements, why)) return std::nullopt;

    HalfReaction half;
    const auto step = [&](std::string what) {
        half.steps.push_back({std::move(what), HalfReactionText(left.Terms(), right.Terms())});
    };
    step(std::string(elements.size() == 1 ? "Se ajusta el " : "Se ajustan ") + Joined(elements) +
         ", el elemento que cambia");
    TakeMediumSpecies(left, false);
    TakeMediumSpecies(right, false);

    if (const long oxygen = left.Atoms("O") - right.Atoms("O"); oxygen != 0) {
        (oxygen > 0 ? right : left).water += oxygen > 0 ? oxygen : -oxygen;
        step("Se ajusta el O con H2O");
    }
    if (const long hydrogen = left.Atoms("H") - right.Atoms("H"); hydrogen != 0) {
        Side& poorer = hydrogen > 0 ? right : left;
        const long added = hydrogen > 0 ? hydrogen : -hydrogen;
        poorer.hydrogen += added;
        step("Se ajusta el H con H^+");
        if (medium == Medium::Basic) {
            left.hydroxide += added;
            right.hydroxide += added;
            step("En medio básico se suman " + std::to_string(added) +
                 " OH^- a cada lado, tantos como H^+");
            poorer.water += added;
            poorer.hydrogen = 0;
            poorer.hydroxide -= added;
            step("H^+ y OH^- forman H2O");
            if (left.water > 0 && right.water > 0) {
                const long common = std::min(left.water, right.water);
                left.water -= common;
                right.water -= common;
                step("Se simplifica el H2O");
            }
        }
    }
    const long charge = left.Charge() - right.Charge();
    if (charge == 0) {
        if (why) *why = "Ni toma ni cede electrones: no es una semirreacción redox";
        return std::nullopt;
    }
    half.oxidation = charge < 0;
    half.electrons = charge > 0 ? charge : -charge;
    (half.oxidation ? right : left).electrons = half.electrons;
    step("Se ajusta la carga con electrones");
    half.left = left.Terms();
    half.right = right.Terms();
    return half;
}

IonicEquation CombineHalves(const HalfReaction& oxidation, const HalfReaction& reduction,
                            const std::vector<std::string>& order,
                            const std::vector<std::string>& rightOrder) {
    IonicEquation ionic;
    const long electrons = std::lcm(oxidation.electrons, reduction.electrons);
    ionic.oxidationFactor = electrons / oxidation.electrons;
    ionic.reductionFactor = electrons / reduction.electrons;

    // Each formula's coefficient, left positive and right negative.
    std::vector<std::pair<std::string, long>> net;
    const auto add = [&net](const std::vector<HalfTerm>& terms, long factor) {
        for (const HalfTerm& term : terms) {
            auto it = std::find_if(net.begin(), net.end(),
                                   [&](const auto& entry) { return entry.first == term.formula; });
            if (it == net.end()) it = net.insert(net.end(), {term.formula, 0});
            it->second += factor * term.coefficient;
        }
    };
    const auto multiplied = [](const HalfReaction& half, long factor) {
        std::vector<HalfTerm> left = half.left, right = half.right;
        for (HalfTerm& term : left)
            term.coefficient *= factor;
        for (HalfTerm& term : right)
            term.coefficient *= factor;
        return HalfReactionText(left, right);
    };
    ionic.steps.push_back({"Se multiplica la oxidación por " +
                               std::to_string(ionic.oxidationFactor) + " y la reducción por " +
                               std::to_string(ionic.reductionFactor) + ": " +
                               std::to_string(electrons) + " electrones en cada una",
                           multiplied(oxidation, ionic.oxidationFactor) + "\n" +
                               multiplied(reduction, ionic.reductionFactor)});
    add(oxidation.left, ionic.oxidationFactor);
    add(reduction.left, ionic.reductionFactor);
    add(oxidation.right, -ionic.oxidationFactor);
    add(reduction.right, -ionic.reductionFactor);

    // The skeleton's order, then the medium's species in the order the method adds them.
    const auto rank = [&order, &rightOrder](const std::string& formula, bool right) {
        const std::vector<std::string>& own = right && !rightOrder.empty() ? rightOrder : order;
        const auto at = std::find(own.begin(), own.end(), formula);
        if (at != own.end()) return static_cast<long>(at - own.begin());
        const long size = static_cast<long>(std::max(order.size(), rightOrder.size()));
        static const char* const kMedium[] = {"H2O", "H^+", "OH^-"};
        for (long i = 0; i < 3; ++i) {
            if (formula == kMedium[i]) return size + 1 + i;
        }
        return size;
    };
    std::stable_sort(net.begin(), net.end(), [&](const auto& a, const auto& b) {
        return rank(a.first, a.second < 0) < rank(b.first, b.second < 0);
    });
    long divisor = 0;
    for (const auto& [formula, coefficient] : net)
        divisor = std::gcd(divisor, coefficient);
    if (divisor == 0) divisor = 1;
    for (const auto& [formula, coefficient] : net) {
        if (coefficient > 0) ionic.left.push_back({formula, coefficient / divisor});
        if (coefficient < 0) ionic.right.push_back({formula, -coefficient / divisor});
    }
    ionic.electrons = electrons / divisor;
    std::string simplified = "Se suman y se simplifica lo que está en los dos lados";
    if (divisor > 1) simplified += "; se divide entre " + std::to_string(divisor);
    ionic.steps.push_back({simplified, HalfReactionText(ionic.left, ionic.right)});
    return ionic;
}

namespace {

// The elements that characterise a species, each with its oxidation numbers there.
std::vector<std::pair<std::string, std::vector<Fraction>>> Characteristic(
    const SubstanceOxidation& species) {
    std::vector<std::pair<std::string, std::vector<Fraction>>> elements;
    const auto add = [&elements](const OxidationSite& site) {
        auto it = std::find_if(elements.begin(), elements.end(),
                               [&](const auto& e) { return e.first == site.symbol; });
        if (it == elements.end()) it = elements.insert(elements.end(), {site.symbol, {}});
        it->second.push_back(site.number);
    };
    for (const OxidationSite& site : species.sites) {
        if (site.symbol != "H" && site.symbol != "O") add(site);
    }
    // Water and hydrogen peroxide are followed by their O and their H: H2O2 is reduced to
    // water by its O, H2 oxidised to water by its H.
    for (const char* fallback : {"O", "H"}) {
        if (!elements.empty() && elements.front().first != "O") break;
        for (const OxidationSite& site : species.sites) {
            if (site.symbol == fallback) add(site);
        }
    }
    return elements;
}

}  // namespace

RedoxPairs FindRedoxPairs(const std::vector<std::string>& left,
                          const std::vector<std::string>& right, Medium medium) {
    RedoxPairs pairs;
    std::vector<SubstanceOxidation> from, to;
    for (const std::string& formula : left) {
        from.push_back(OxidationNumbers(formula));
        if (!from.back().decided && !IsMediumSpecies(formula)) {
            pairs.reason = "No se pueden dar números de oxidación a " + formula;
            return pairs;
        }
    }
    for (const std::string& formula : right) {
        to.push_back(OxidationNumbers(formula));
        if (!to.back().decided && !IsMediumSpecies(formula)) {
            pairs.reason = "No se pueden dar números de oxidación a " + formula;
            return pairs;
        }
    }
    // What the medium gives a species that the skeleton does not write a product for: the
    // peroxide's oxygen ends in water, or in OH^- in basic medium.
    std::vector<SubstanceOxidation> supplied = to;
    supplied.push_back(OxidationNumbers(medium == Medium::Basic ? "OH^-" : "H2O"));
    // First without the medium's species as partners; they are taken only for a direction that
    // nothing else gives, first as written, then as the medium supplies them.
    for (const int pass : {0, 1, 2}) {
        const bool neededOxidation = pairs.oxidations.empty();
        const bool neededReduction = pairs.reductions.empty();
        if (pass > 0 && !neededOxidation && !neededReduction) break;
        for (const SubstanceOxidation& a : from) {
            for (const SubstanceOxidation& b : pass == 2 ? supplied : to) {
                const bool withMedium = IsMediumSpecies(a.formula) || IsMediumSpecies(b.formula);
                if (withMedium != (pass > 0)) continue;
                const auto mine = Characteristic(a);
                const auto theirs = Characteristic(b);
                for (const auto& element : mine) {
                    const std::string& symbol = element.first;
                    const std::vector<Fraction>& before = element.second;
                    const auto match =
                        std::find_if(theirs.begin(), theirs.end(),
                                     [&](const auto& e) { return e.first == symbol; });
                    if (match == theirs.end()) continue;
                    for (const Fraction& x : before) {
                        for (const Fraction& y : match->second) {
                            if (x == y) continue;
                            const bool oxidation = y > x;
                            auto& list = oxidation ? pairs.oxidations : pairs.reductions;
                            if (pass > 0 && !(oxidation ? neededOxidation : neededReduction))
                                continue;
                            const auto known = [&](const RedoxPair& p) {
                                return p.from == a.formula && p.to == b.formula;
                            };
                            if (std::any_of(list.begin(), list.end(), known)) continue;
                            list.push_back({a.formula, b.formula, symbol, x, y});
                        }
                    }
                }
            }
        }
    }
    // Hydrogen that changes goes to or comes from H^+ in acid medium, where the water written
    // only carries it (H2 = 2 H^+ + 2 e^-), and water in basic medium, where OH^- is what it
    // leaves (2 H2O + 2 e^- = H2 + 2 OH^-).
    const std::string carrier = medium == Medium::Acid ? "H^+" : "H2O";
    const std::string other = medium == Medium::Acid ? "H2O" : "OH^-";
    for (auto* list : {&pairs.oxidations, &pairs.reductions}) {
        for (RedoxPair& pair : *list) {
            if (pair.element != "H") continue;
            if (pair.to == other) pair.to = carrier;
            if (pair.from == other) pair.from = carrier;
        }
        for (auto it = list->begin(); it != list->end(); ++it) {
            list->erase(std::remove_if(std::next(it), list->end(),
                                       [&](const RedoxPair& p) {
                                           return p.from == it->from && p.to == it->to;
                                       }),
                        list->end());
        }
    }
    if (pairs.oxidations.empty() || pairs.reductions.empty()) {
        pairs.reason = pairs.oxidations.empty() && pairs.reductions.empty()
                           ? "Ningún número de oxidación cambia: no es una reacción redox"
                       : pairs.oxidations.empty() ? "Hay una reducción, pero ninguna oxidación"
                                                  : "Hay una oxidación, pero ninguna reducción";
    }
    return pairs;
}

}  // namespace tovel
