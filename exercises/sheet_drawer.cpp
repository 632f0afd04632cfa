#include "exercises/sheet_drawer.h"

#include <algorithm>
#include <limits>
#include <random>

#include "core/stoichiometry.h"
#include "exercises/ion_electron_exercise.h"
#include "exercises/round_values.h"
#include "exercises/sheet_data.h"

namespace tovel {

namespace {

// How much more or less of the second reactant than the first would use up, in percent: far
// enough from 100 that the excess is plain.
constexpr int kShortLow = 50, kShortHigh = 80, kSurplusLow = 125, kSurplusHigh = 250;
constexpr int kDrawAttempts = 24;

// Every answer of the problem is a positive, finite amount; with two reactants, one of them is
// left over.
bool Answerable(const ProblemInput& p, SheetCase kind) {
    const StoichiometryResult& r = p.result;
    if (!r.HasData() || !AllFinite(r)) return false;
    if (r.dataSide != (kind == SheetCase::Product ? kProducts : kReactants)) return false;
    for (int side = 0; side < 2; ++side) {
        for (const SlotResult& a : r.amounts[side]) {
            // What reacts of a reactant, what forms of a product.
            const double amount = side == kReactants ? a.initialAmount : a.finalAmount;
            if (!(a.molesReacted > 0) || !(amount > 0)) return false;
        }
    }
    if (kind == SheetCase::TwoReactants) {
        for (const std::size_t slot : r.dataSlots) {
            const SlotResult& a = r.amounts[kReactants][slot - 1];
            if (slot != r.limiting && !(a.finalMoles > 0 && a.finalAmount > 0)) return false;
        }
    }
    return true;
}

// The given substances' data drawn anew, of the kinds asked: the first a round amount, the second
// short of or beyond what the first uses up. False when an amount falls out of its range.
bool DrawGiven(SeededRandom& random, ProblemInput& p, int side,
               const std::vector<std::size_t>& given, const std::vector<SheetDatum>& kinds) {
    const Reaction& r = p.reaction;
    double firstMoles = 0;
    for (std::size_t k = 0; k < given.size(); ++k) {
        const std::size_t slot = given[k];
        const Substance& substance = r.substances[side][slot - 1];
        SlotData d = DrawSlot(random, kinds[k], substance.formula);
        if (k == 0) {
            d.amount = DrawAmount(random, d.unit);
            firstMoles = MolesFromAmount(substance, d, side, d.amount) / r.Coefficient(side, slot);
        } else {
            // The second reactant short of or beyond what the first uses up.
            const bool surplus = random.Below(2) == 0;
            const auto percent = surplus ? random.Between(kSurplusLow, kSurplusHigh)
                                         : random.Between(kShortLow, kShortHigh);
            const double moles =
                firstMoles * r.Coefficient(side, slot) * static_cast<double>(percent) / 100;
            d.amount = RoundSignificant(AmountFromMoles(substance, d, side, moles),
                                        static_cast<int>(random.Between(2, 3)));
            if (!InAmountRange(d.amount, d.unit)) return false;
        }
        p.qualifiers[slot - 1].clear();
        if (side == kReactants && d.unit == AmountUnit::Gram)
            p.qualifiers[slot - 1] = PurityQualifier(d.purity);
        if (side == kReactants && d.unit == AmountUnit::Solution)
            p.qualifiers[slot - 1] = MolarityQualifier(d.molarity);
        p.data[side][slot - 1] = d;
    }
    return true;
}

// The calculation of p with a yield: percent of what can form, or, with a product obtained, what
// was obtained of it at that yield, from which the yield is to be found.
void CalculateWithYield(ProblemInput& p, double percent, std::size_t obtained) {
    const Reaction& r = p.reaction;
    if (obtained == 0) {
        p.result = CalculateStoichiometry(r, p.data, percent);
        return;
    }
    const StoichiometryResult whole = CalculateStoichiometry(r, p.data);
    // What was obtained as a student would weigh or measure it: three figures.
    p.data[kProducts][obtained - 1].amount = RoundSignificant(
        whole.amounts[kProducts][obtained - 1].finalAmount * percent / kPurePercent, 3);
    p.result = CalculateFromObtained(r, p.data, obtained);
}

// A yield a school uses: 60 to 95 %, in fives.
double DrawYieldPercent(SeededRandom& random) {
    return static_cast<double>(random.Between(12, 19) * 5);
}

// Elements of items at the smallest score, in their order.
template <typename T, typename Score>
std::vector<T> Least(const std::vector<T>& items, Score score) {
    std::vector<T> least;
    int best = std::numeric_limits<int>::max();
    for (const T& item : items) {
        const int s = score(item);
        if (s < best) {
            best = s;
            least.clear();
        }
        if (s == best) least.push_back(item);
    }
    return least;
}

template <typename T>
const T& Pick(SeededRandom& random, const std::vector<T>& items) {
    return items[random.Below(items.size())];
}

// Mixed into the seed for the yields' own stream of numbers.
constexpr std::uint64_t kYieldStream = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kEmpiricalStream = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kIonElectronStream = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kVersionStream = 0x27D4EB2F165667C5ULL;
// Compounds tried before an exercise is given up: every one of the list suits the default table.
constexpr int kEmpiricalAttempts = 20;

}  // namespace

SheetDrawer::SheetDrawer(const SheetLibrary& library, const SheetChoices& choices)
    : m_library(library),
      m_choices(choices),
      m_random(choices.seed),
      m_yieldRandom(choices.seed ^ kYieldStream),
      m_empiricalRandom(choices.seed ^ kEmpiricalStream),
      m_ionElectronRandom(choices.seed ^ kIonElectronStream),
      m_reactionUses(library.size(), 0) {
    // The types chosen, as indices of the library's names.
    std::vector<bool> chosen;
    for (std::size_t i = 0; i < library.size(); ++i) {
        const std::uint32_t type = library[i].type;
        if (type >= chosen.size()) {
            chosen.resize(type + 1);
            const auto& types = m_choices.types;
            chosen[type] = types.empty() || std::find(types.begin(), types.end(),
                                                      library.TypeName(i)) != types.end();
        }
        if (!chosen[type]) continue;
        // What each reaction can be drawn for is worked out once, not for every problem.
        std::uint8_t kinds = 0;
        for (int k = 0; k < kSheetCaseCount; ++k) {
            if (Eligible(library[i], static_cast<SheetCase>(k))) kinds |= std::uint8_t(1u << k);
        }
        m_pool.push_back(i);
        m_kinds.push_back(kinds);
    }
}

std::size_t SheetDrawer::Target() const {
    return static_cast<std::size_t>(std::clamp(m_choices.count, 0, kSheetCountLimit));
}

int SheetDrawer::FormulaUses(const std::string& formula) const {
    for (const auto& [name, uses] : m_formulaUses) {
        if (name == formula) return uses;
    }
    return 0;
}

bool SheetDrawer::Eligible(const SheetReaction& reaction, SheetCase kind) const {
    if (!m_choices.cases[static_cast<std::size_t>(kind)]) return false;
    const int side = kind == SheetCase::Product ? kProducts : kReactants;
    std::size_t suited = 0;
    for (std::size_t slot = 0; slot < reaction.count[side]; ++slot) {
        if (!DatumKinds(m_choices, reaction.traits[side][slot], side).empty()) ++suited;
    }
    return suited >= (kind == SheetCase::TwoReactants ? 2u : 1u);
}

bool SheetDrawer::TryDraw(std::size_t index, SheetCase kind, SheetProblem& problem) {
    Reaction r;
    if (!m_library.Balanced(index, r)) return false;
    const int side = kind == SheetCase::Product ? kProducts : kReactants;
    const auto formula = [&](int s, std::size_t slot) -> const std::string& {
        return r.substances[s][slot - 1].formula;
    };

    const ReactionTraits traits = SheetTraits(r);
    const auto kinds = [&](std::size_t slot) {
        return DatumKinds(m_choices, traits[side][slot - 1], side);
    };
    // Which substances are given: those given least often in the sheet so far.
    std::vector<std::vector<std::size_t>> choices;
    std::vector<std::size_t> suited;
    for (std::size_t slot = 1; slot <= r.Count(side); ++slot) {
        if (!kinds(slot).empty()) suited.push_back(slot);
    }
    if (kind == SheetCase::TwoReactants) {
        for (std::size_t i = 0; i < suited.size(); ++i) {
            for (std::size_t j = i + 1; j < suited.size(); ++j)
                choices.push_back({suited[i], suited[j]});
        }
    } else {
        for (const std::size_t slot : suited)
            choices.push_back({slot});
    }
    if (choices.empty()) return false;
    const std::vector<std::size_t> given = Pick(m_random, Least(choices, [&](const auto& slots) {
                                                    int uses = 0;
                                                    for (const std::size_t slot : slots)
                                                        uses += FormulaUses(formula(side, slot));
                                                    return uses;
                                                }));

    for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
        ProblemInput p;
        p.reaction = r;
        // The substances asked for first, then the data over them.
        for (int s = 0; s < 2; ++s) {
            p.data[s].resize(r.Count(s));
            for (std::size_t slot = 1; slot <= r.Count(s); ++slot) {
                SlotData& d = p.data[s][slot - 1];
                std::vector<AmountUnit> units = AskedUnits(m_choices, traits[s][slot - 1]);
                // "las cantidades ... de los otros reactivos" names no unit, and so could not
                // give a gas's pressure and temperature.
                if (s == kReactants && kind != SheetCase::Product && units.size() > 1)
                    std::erase(units, AmountUnit::LitrePT);
                d.unit = Pick(m_random, units);
                if (d.unit == AmountUnit::LitrePT) d.gas = DrawGas(m_random);
            }
        }
        std::vector<SheetDatum> kindsGiven;
        kindsGiven.reserve(given.size());
        for (const std::size_t slot : given)
            kindsGiven.push_back(Pick(m_random, kinds(slot)));
        const bool inRange = DrawGiven(m_random, p, side, given, kindsGiven);
        if (!inRange) continue;
        p.result = CalculateStoichiometry(r, p.data);
        if (!Answerable(p, kind)) continue;
        DrawYield(p, kind);
        problem.input = std::move(p);
        problem.reaction = index;
        problem.kind = kind;
        for (const std::size_t slot : given) {
            const std::string& name = formula(side, slot);
            auto it = std::find_if(m_formulaUses.begin(), m_formulaUses.end(),
                                   [&](const auto& use) { return use.first == name; });
            if (it == m_formulaUses.end()) {
                m_formulaUses.emplace_back(name, 1);
            } else {
                ++it->second;
            }
        }
        return true;
    }
    return false;
}

void SheetDrawer::DrawYield(ProblemInput& p, SheetCase kind) {
    if (!m_choices.yields || kind == SheetCase::TwoReactants) return;
    // One problem in three gives a yield; of those given one reactant, half ask for it instead.
    if (m_yieldRandom.Below(3) != 0) return;
    const double percent = DrawYieldPercent(m_yieldRandom);
    const bool asked = kind == SheetCase::OneReactant && m_yieldRandom.Below(2) == 0;
    ProblemInput withYield = p;
    std::size_t obtained = 0;
    if (asked)
        obtained = static_cast<std::size_t>(m_yieldRandom.Below(p.reaction.Count(kProducts))) + 1;
    CalculateWithYield(withYield, percent, obtained);
    if (asked && !(withYield.result.yieldPercent <= kPurePercent)) return;
    if (Answerable(withYield, kind)) p = std::move(withYield);
}

bool SheetDrawer::IonElectronTurn() const {
    using Share = SheetChoices::Share;
    return m_choices.ionElectron == Share::All ||
           (m_choices.ionElectron == Share::Some && m_problems.size() % 4 == 1);
}

bool SheetDrawer::DrawIonElectron() {
    if (!m_redoxFound) {
        m_redoxFound = true;
        Reaction r;
        for (const std::size_t index : m_pool) {
            if (!m_library.Balanced(index, r)) continue;
            if (auto exercise = IonElectronExercise(r))
                m_redox.emplace_back(index, std::move(*exercise));
        }
    }
    // No equation twice in a sheet, nor two skeletons of one ionic equation.
    std::vector<std::size_t> fresh;
    for (std::size_t k = 0; k < m_redox.size(); ++k) {
        const std::string& ionic = m_redox[k].second.compound;
        if (std::find(m_redoxUsed.begin(), m_redoxUsed.end(), ionic) == m_redoxUsed.end() &&
            std::find_if(fresh.begin(), fresh.end(), [&](std::size_t other) {
                return m_redox[other].second.compound == ionic;
            }) == fresh.end())
            fresh.push_back(k);
    }
    if (fresh.empty()) return false;
    const auto& [index, exercise] = m_redox[Pick(m_ionElectronRandom, fresh)];
    m_redoxUsed.push_back(exercise.compound);
    SheetProblem problem{};
    problem.reaction = index;
    problem.worked = exercise;
    m_problems.push_back(std::move(problem));
    return true;
}

bool SheetDrawer::Next() {
    if (Done() || !m_error.empty()) return false;
    if (IonElectronTurn()) {
        if (DrawIonElectron()) return true;
        if (m_choices.ionElectron == SheetChoices::Share::All) {
            m_error = m_problems.empty() ? "Entre las reacciones elegidas no hay ninguna que se "
                                           "ajuste por el método del ion-electrón."
                                         : "Entre las reacciones elegidas solo hay " +
                                               std::to_string(m_problems.size()) +
                                               " que se ajustan por el método del ion-electrón.";
            return false;
        }
    }
    if (m_choices.empirical && m_problems.size() % 4 == 3 && m_library.Table() != nullptr) {
        std::vector<std::string> used;
        for (const SheetProblem& drawn : m_problems)
            used.push_back(drawn.worked.compound);
        for (int attempt = 0; attempt < kEmpiricalAttempts; ++attempt) {
            if (auto exercise =
                    DrawEmpiricalExercise(m_empiricalRandom, *m_library.Table(), used)) {
                SheetProblem problem{};
                problem.worked = std::move(*exercise);
                m_problems.push_back(std::move(problem));
                return true;
            }
        }
    }
    // A reaction that gives no sensible problem of a kind is not tried again for this problem.
    std::vector<std::pair<std::size_t, SheetCase>> failed;
    const auto open = [&](std::size_t entry, SheetCase kind) {
        return (m_kinds[entry] & (1u << static_cast<int>(kind))) != 0 &&
               std::find(failed.begin(), failed.end(), std::make_pair(m_pool[entry], kind)) ==
                   failed.end();
    };
    while (true) {
        // The reactions used least so far, and the cases they can be drawn for: a reaction comes
        // back only when every other one of the chosen types has been used as often.
        int least = std::numeric_limits<int>::max();
        for (std::size_t entry = 0; entry < m_pool.size(); ++entry) {
            for (int k = 0; k < kSheetCaseCount; ++k) {
                if (open(entry, static_cast<SheetCase>(k)))
                    least = std::min(least, m_reactionUses[m_pool[entry]]);
            }
        }
        if (least == std::numeric_limits<int>::max()) {
            m_error = m_problems.empty()
                          ? "Con las reacciones y los datos elegidos no se puede plantear ningún "
                            "problema."
                          : "Con las reacciones y los datos elegidos solo se pueden plantear " +
                                std::to_string(m_problems.size()) + " problemas.";
            return false;
        }
        std::vector<SheetCase> cases;
        for (int k = 0; k < kSheetCaseCount; ++k) {
            const auto kind = static_cast<SheetCase>(k);
            for (std::size_t entry = 0; entry < m_pool.size(); ++entry) {
                if (m_reactionUses[m_pool[entry]] == least && open(entry, kind)) {
                    cases.push_back(kind);
                    break;
                }
            }
        }
        const SheetCase kind = Pick(m_random, cases);
        std::vector<std::size_t> reactions;
        for (std::size_t entry = 0; entry < m_pool.size(); ++entry) {
            if (m_reactionUses[m_pool[entry]] == least && open(entry, kind))
                reactions.push_back(m_pool[entry]);
        }
        const std::size_t index = Pick(m_random, reactions);
        SheetProblem problem;
        if (TryDraw(index, kind, problem)) {
            ++m_reactionUses[index];
            m_problems.push_back(std::move(problem));
            return true;
        }
        failed.emplace_back(index, kind);
    }
}

SheetProblem Renumbered(const SheetProblem& problem, std::uint32_t seed) {
    if (!problem.worked.statement.empty()) return problem;
    const ProblemInput& original = problem.input;
    const int side = original.result.dataSide;
    const std::vector<std::size_t> given(original.result.dataSlots.begin(),
                                         original.result.dataSlots.end());
    std::vector<SheetDatum> kinds;
    kinds.reserve(given.size());
    for (const std::size_t slot : given)
        kinds.push_back(DatumKindOf(original.data[side][slot - 1]));
    SeededRandom random(seed ^ kVersionStream);
    for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
        ProblemInput p = original;
        for (auto& slots : p.data) {
            for (SlotData& d : slots) {
                if (d.unit == AmountUnit::LitrePT) d.gas = DrawGas(random);
            }
        }
        if (!DrawGiven(random, p, side, given, kinds)) continue;
        const bool yield = original.result.yieldPercent < kPurePercent;
        CalculateWithYield(p, yield ? DrawYieldPercent(random) : kPurePercent,
                           original.result.obtained);
        if (original.result.obtained != 0 && !(p.result.yieldPercent <= kPurePercent)) continue;
        if (!Answerable(p, problem.kind)) continue;
        SheetProblem version = problem;
        version.input = std::move(p);
        return version;
    }
    return problem;
}

std::vector<SheetProblem> SheetVersion(const SheetLibrary& library, SheetChoices choices,
                                       const std::vector<SheetProblem>& problems,
                                       std::uint32_t seed) {
    // The exercises of their own (an empirical formula, a redox equation) are those of the
    // other seed's sheet, in the same places.
    choices.seed = seed;
    choices.count = static_cast<int>(problems.size());
    const bool anyWorked = std::any_of(problems.begin(), problems.end(), [](const SheetProblem& p) {
        return !p.worked.statement.empty();
    });
    const SheetDraw other = anyWorked ? DrawSheet(library, choices) : SheetDraw{};
    std::vector<SheetProblem> version;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const bool worked = !problems[i].worked.statement.empty();
        if (worked && i < other.problems.size() && !other.problems[i].worked.statement.empty()) {
            version.push_back(other.problems[i]);
        } else {
            version.push_back(Renumbered(problems[i], seed + static_cast<std::uint32_t>(i)));
        }
    }
    return version;
}

SheetDraw DrawSheet(const SheetLibrary& library, const SheetChoices& choices) {
    SheetDrawer drawer(library, choices);
    while (drawer.Next()) {
    }
    return {drawer.Problems(), drawer.Error()};
}

std::uint32_t NewSheetSeed() {
    SeededRandom random((static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                        std::random_device{}());
    return static_cast<std::uint32_t>(random.Between(1, kSheetSeedLimit));
}

}  // namespace tovel
