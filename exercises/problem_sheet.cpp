#include "exercises/problem_sheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "core/balance.h"
#include "core/text_utils.h"
#include "exercises/reaction_file.h"
#include "exercises/reaction_types.h"
#include "exercises/seeded_random.h"
#include "system/text_file.h"

namespace tovel {

namespace {

// A port for reading the library without anyone to ask: every question is answered No, so a
// formula with an unknown element leaves its reaction out.
class SilentPort : public UserPort {
  public:
    int ShowMessage(const Message& message) override {
        return message.buttons == MessageButtons::Ok ? kAnswerOk : kAnswerNo;
    }
    void OpenElementEditor(ElementTable&) override {}
};

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder == "." ? name : folder + "/" + name;
}

// Exact powers of ten: every one up to 1e22 is a double, so no power function (whose last bit
// may differ between libraries) decides a drawn value.
double PowerOfTen(int exponent) {
    double power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    return power;
}
// value x 10^exponent, rounded once.
double Scaled(double value, int exponent) {
    return exponent >= 0 ? value * PowerOfTen(exponent) : value / PowerOfTen(-exponent);
}

// value (positive) rounded to digits significant figures.
double RoundSignificant(double value, int digits) {
    if (!(value > 0) || !std::isfinite(value)) return value;
    int exponent = 0;
    while (Scaled(1, exponent + 1) <= value)
        ++exponent;
    while (Scaled(1, exponent) > value)
        --exponent;
    const int shift = exponent - digits + 1;
    return Scaled(static_cast<double>(std::llround(Scaled(value, -shift))), shift);
}

// The amounts a school problem uses, by unit: a value from low to high whose first digit lies
// in one of the decades lowDecade to highDecade.
struct Range {
    double low, high;
    int lowDecade, highDecade;
};
constexpr Range kGramRange{1, 500, 0, 2};
constexpr Range kMoleRange{0.1, 10, -1, 1};
constexpr Range kLitreRange{1, 100, 0, 2};
constexpr Range kMillilitreRange{10, 500, 1, 2};
constexpr Range kMolarityRange{0.1, 6, -1, 0};
constexpr Range kAtmRange{0.5, 5, -1, 0};
constexpr Range kKPaRange{50, 500, 1, 2};
constexpr int kPurityLow = 60, kPurityHigh = 99;
constexpr int kCelsiusStep = 5, kCelsiusHigh = 100;
// How much more or less of the second reactant than the first would use up, in percent: far
// enough from 100 that the excess is plain.
constexpr int kShortLow = 50, kShortHigh = 80, kSurplusLow = 125, kSurplusHigh = 250;
constexpr int kDrawAttempts = 24;

// A round value of the range: digits significant figures, drawn figure by figure.
double RoundValue(SeededRandom& random, const Range& range, int digits) {
    const auto smallest = static_cast<std::int64_t>(PowerOfTen(digits - 1));
    for (int attempt = 0; attempt < 64; ++attempt) {
        const auto decade = static_cast<int>(random.Between(range.lowDecade, range.highDecade));
        const std::int64_t mantissa = random.Between(smallest, 10 * smallest - 1);
        const double value = Scaled(static_cast<double>(mantissa), decade - digits + 1);
        if (value >= range.low && value <= range.high) return value;
    }
    return range.low;
}
double RoundValue(SeededRandom& random, const Range& range) {
    return RoundValue(random, range, static_cast<int>(random.Between(2, 3)));
}

const Range& AmountRange(AmountUnit unit) {
    switch (unit) {
        case AmountUnit::Mole:
            return kMoleRange;
        case AmountUnit::LitreNormal:
        case AmountUnit::LitrePT:
            return kLitreRange;
        case AmountUnit::Solution:
            return kMillilitreRange;
        default:
            return kGramRange;
    }
}

AmountUnit UnitOf(SheetDatum datum) {
    switch (datum) {
        case SheetDatum::Moles:
            return AmountUnit::Mole;
        case SheetDatum::LitresNormal:
            return AmountUnit::LitreNormal;
        case SheetDatum::LitresPT:
            return AmountUnit::LitrePT;
        case SheetDatum::Solution:
            return AmountUnit::Solution;
        default:
            return AmountUnit::Gram;
    }
}

// The data kinds of the choices that suit a substance given as a datum.
std::vector<SheetDatum> DatumKinds(const SheetChoices& choices, const std::string& formula,
                                   int side) {
    const bool gas = IsSheetGas(formula);
    std::vector<SheetDatum> kinds;
    for (int k = 0; k < kSheetDatumCount; ++k) {
        const auto kind = static_cast<SheetDatum>(k);
        if (!choices.data[static_cast<std::size_t>(k)]) continue;
        bool suits = true;
        switch (kind) {
            case SheetDatum::ImpureGrams:
                // Ores, metals and salts come impure; gases and water do not.
                suits = side == kReactants && !gas && formula != "H2O";
                break;
            case SheetDatum::LitresNormal:
            case SheetDatum::LitresPT:
                suits = gas;
                break;
            case SheetDatum::Solution:
                suits = side == kReactants && IsSheetSolute(formula);
                break;
            default:
                break;
        }
        if (suits) kinds.push_back(kind);
    }
    return kinds;
}

// The units a substance that is asked for may be asked in: those of the chosen kinds that need
// no datum of their own (a purity or a molarity the statement would not state), grams if none.
std::vector<AmountUnit> AskedUnits(const SheetChoices& choices, const std::string& formula) {
    const auto chosen = [&](SheetDatum kind) { return choices.data[static_cast<int>(kind)]; };
    std::vector<AmountUnit> units;
    if (chosen(SheetDatum::Grams) || chosen(SheetDatum::ImpureGrams))
        units.push_back(AmountUnit::Gram);
    if (chosen(SheetDatum::Moles)) units.push_back(AmountUnit::Mole);
    if (IsSheetGas(formula)) {
        if (chosen(SheetDatum::LitresNormal)) units.push_back(AmountUnit::LitreNormal);
        if (chosen(SheetDatum::LitresPT)) units.push_back(AmountUnit::LitrePT);
    }
    if (units.empty()) units.push_back(AmountUnit::Gram);
    return units;
}

GasConditions DrawGas(SeededRandom& random) {
    GasConditions gas;
    gas.pressureUnit = random.Below(2) == 0 ? PressureUnit::Atm : PressureUnit::KPa;
    gas.pressure = gas.pressureUnit == PressureUnit::Atm ? RoundValue(random, kAtmRange, 2)
                                                         : RoundValue(random, kKPaRange);
    gas.temperatureUnit = TemperatureUnit::Celsius;
    gas.temperature =
        kCelsiusOffset +
        static_cast<double>(kCelsiusStep * random.Between(0, kCelsiusHigh / kCelsiusStep));
    return gas;
}

// A datum's unit and conditions, its amount still 0.
SlotData DrawSlot(SeededRandom& random, SheetDatum kind) {
    SlotData slot;
    slot.unit = UnitOf(kind);
    if (kind == SheetDatum::ImpureGrams)
        slot.purity = static_cast<double>(random.Between(kPurityLow, kPurityHigh));
    if (kind == SheetDatum::LitresPT) slot.gas = DrawGas(random);
    if (kind == SheetDatum::Solution) slot.molarity = RoundValue(random, kMolarityRange, 2);
    return slot;
}

bool InRange(double value, const Range& range) {
    return value >= range.low && value <= range.high;
}

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

}  // namespace

bool IsSheetGas(const std::string& formula) {
    static const char* const kGases[] = {"H2",   "O2",   "N2",  "Cl2", "F2",   "O3",   "CO2",
                                         "CO",   "SO2",  "NH3", "HCl", "HBr",  "HI",   "H2S",
                                         "NO",   "NO2",  "N2O", "CH4", "C2H6", "C3H8", "C4H10",
                                         "C2H2", "C2H4", "He",  "Ne",  "Ar",   "HF"};
    return std::find(std::begin(kGases), std::end(kGases), formula) != std::end(kGases);
}

bool IsSheetSolute(const std::string& formula) {
    static const char* const kSolutes[] = {
        "HCl",   "HNO3",  "H2SO4",   "H3PO4",   "CH3COOH",  "HBr",      "HI",
        "NaOH",  "KOH",   "Ca(OH)2", "Ba(OH)2", "NH3",      "H2O2",     "AgNO3",
        "NaCl",  "KCl",   "BaCl2",   "Na2SO4",  "Pb(NO3)2", "KI",       "KBr",
        "FeCl3", "FeCl2", "CuSO4",   "CaCl2",   "Na2CO3",   "K2CrO4",   "Na2S",
        "AlCl3", "FeSO4", "KMnO4",   "K2Cr2O7", "NaHCO3",   "Cu(NO3)2", "ZnSO4",
        "MgCl2", "NH4Cl", "ZnCl2",   "K2CO3",   "NaNO3",    "KNO3",     "Na2S2O3"};
    return std::find(std::begin(kSolutes), std::end(kSolutes), formula) != std::end(kSolutes);
}

std::vector<std::string> SheetTypeNames(const std::string& folder) {
    ReactionTypes types;
    types.Read(InFolder(folder, kTypesFileName));
    std::vector<std::string> names;
    for (const ReactionType& type : types.Types())
        names.push_back(type.name);
    return names;
}

std::vector<SheetReaction> LoadSheetLibrary(const std::string& folder, ElementTable& table,
                                            std::string* problems) {
    std::vector<SheetReaction> library;
    std::string report;
    ReactionTypes types;
    if (!types.Read(InFolder(folder, kTypesFileName))) {
        report = "No hallado: " + std::string(kTypesFileName);
    }
    SilentPort port;
    for (const ReactionType& type : types.Types()) {
        std::string problem;
        const auto entries = ReadReactions(InFolder(folder, ReactionFileName(type)), &problem);
        if (!problem.empty()) report += (report.empty() ? "" : "; ") + problem;
        for (const LibraryEntry& entry : entries) {
            SheetReaction item;
            item.type = type.name;
            item.equation = entry.reaction;
            if (ParseReaction(item.reaction, entry.reaction, table, port) != kReactionOk ||
                !SameElements(item.reaction) || !BalanceReaction(item.reaction)) {
                report += (report.empty() ? "" : "; ") + type.name + ": " + entry.reaction +
                          " no se puede ajustar";
                continue;
            }
            // A half-reaction weighs electrons: no problem for a sheet.
            if (HasElectron(item.reaction)) continue;
            library.push_back(std::move(item));
        }
    }
    if (problems) *problems = report;
    return library;
}

SheetDrawer::SheetDrawer(const std::vector<SheetReaction>& library, const SheetChoices& choices)
    : m_library(library),
      m_choices(choices),
      m_random(choices.seed),
      m_reactionUses(library.size(), 0) {
    for (std::size_t i = 0; i < library.size(); ++i) {
        const auto& types = m_choices.types;
        if (types.empty() || std::find(types.begin(), types.end(), library[i].type) != types.end())
            m_pool.push_back(i);
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

bool SheetDrawer::Eligible(std::size_t index, SheetCase kind) const {
    if (!m_choices.cases[static_cast<std::size_t>(kind)]) return false;
    const Reaction& r = m_library[index].reaction;
    const int side = kind == SheetCase::Product ? kProducts : kReactants;
    std::size_t suited = 0;
    for (const Substance& s : r.substances[side]) {
        if (!DatumKinds(m_choices, s.formula, side).empty()) ++suited;
    }
    return suited >= (kind == SheetCase::TwoReactants ? 2u : 1u);
}

bool SheetDrawer::TryDraw(std::size_t index, SheetCase kind, SheetProblem& problem) {
    const Reaction& r = m_library[index].reaction;
    const int side = kind == SheetCase::Product ? kProducts : kReactants;
    const auto formula = [&](int s, std::size_t slot) -> const std::string& {
        return r.substances[s][slot - 1].formula;
    };

    // Which substances are given: those given least often in the sheet so far.
    std::vector<std::vector<std::size_t>> choices;
    std::vector<std::size_t> suited;
    for (std::size_t slot = 1; slot <= r.Count(side); ++slot) {
        if (!DatumKinds(m_choices, formula(side, slot), side).empty()) suited.push_back(slot);
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
                d.unit = Pick(m_random, AskedUnits(m_choices, formula(s, slot)));
                if (d.unit == AmountUnit::LitrePT) d.gas = DrawGas(m_random);
            }
        }
        bool inRange = true;
        double firstMoles = 0;
        for (std::size_t k = 0; k < given.size(); ++k) {
            const std::size_t slot = given[k];
            const Substance& substance = r.substances[side][slot - 1];
            SlotData d =
                DrawSlot(m_random, Pick(m_random, DatumKinds(m_choices, substance.formula, side)));
            if (k == 0) {
                d.amount = RoundValue(m_random, AmountRange(d.unit));
                firstMoles =
                    MolesFromAmount(substance, d, side, d.amount) / r.Coefficient(side, slot);
            } else {
                // The second reactant short of or beyond what the first uses up.
                const bool surplus = m_random.Below(2) == 0;
                const auto percent = surplus ? m_random.Between(kSurplusLow, kSurplusHigh)
                                             : m_random.Between(kShortLow, kShortHigh);
                const double moles =
                    firstMoles * r.Coefficient(side, slot) * static_cast<double>(percent) / 100;
                d.amount = RoundSignificant(AmountFromMoles(substance, d, side, moles),
                                            static_cast<int>(m_random.Between(2, 3)));
                inRange = InRange(d.amount, AmountRange(d.unit));
            }
            if (side == kReactants && d.unit == AmountUnit::Gram)
                p.qualifiers[slot - 1] = PurityQualifier(d.purity);
            if (side == kReactants && d.unit == AmountUnit::Solution)
                p.qualifiers[slot - 1] = MolarityQualifier(d.molarity);
            p.data[side][slot - 1] = d;
        }
        if (!inRange) continue;
        p.result = CalculateStoichiometry(r, p.data);
        if (!Answerable(p, kind)) continue;
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

bool SheetDrawer::Next() {
    if (Done() || !m_error.empty()) return false;
    // A reaction that gives no sensible problem of a kind is not tried again for this problem.
    std::vector<std::pair<std::size_t, SheetCase>> failed;
    const auto open = [&](std::size_t index, SheetCase kind) {
        return Eligible(index, kind) &&
               std::find(failed.begin(), failed.end(), std::make_pair(index, kind)) == failed.end();
    };
    while (true) {
        // The reactions used least so far, and the cases they can be drawn for: a reaction comes
        // back only when every other one of the chosen types has been used as often.
        int least = std::numeric_limits<int>::max();
        for (const std::size_t index : m_pool) {
            for (int k = 0; k < kSheetCaseCount; ++k) {
                if (open(index, static_cast<SheetCase>(k)))
                    least = std::min(least, m_reactionUses[index]);
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
            for (const std::size_t index : m_pool) {
                if (m_reactionUses[index] == least && open(index, kind)) {
                    cases.push_back(kind);
                    break;
                }
            }
        }
        const SheetCase kind = Pick(m_random, cases);
        std::vector<std::size_t> reactions;
        for (const std::size_t index : m_pool) {
            if (m_reactionUses[index] == least && open(index, kind)) reactions.push_back(index);
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

SheetDraw DrawSheet(const std::vector<SheetReaction>& library, const SheetChoices& choices) {
    SheetDrawer drawer(library, choices);
    while (drawer.Next()) {
    }
    return {drawer.Problems(), drawer.Error()};
}

std::string SheetTitle(std::uint32_t seed) {
    return "Hoja de problemas de estequiometría (semilla " + std::to_string(seed) + ")";
}

std::string SheetKeyTitle(std::uint32_t seed) {
    return "Soluciones (semilla " + std::to_string(seed) + ")";
}

std::string SheetKeyHeading(int number) {
    return "Problema " + std::to_string(number);
}

void AddToSheet(SheetText& text, const ProblemInput& problem) {
    text.statements.push_back(StatementLines(problem));
    text.resolutions.push_back(ResolutionLines(problem));
}

SheetText ComposeSheet(const std::vector<SheetProblem>& problems, std::uint32_t seed) {
    SheetText text;
    text.title = SheetTitle(seed);
    text.keyTitle = SheetKeyTitle(seed);
    for (const SheetProblem& problem : problems)
        AddToSheet(text, problem.input);
    return text;
}

std::vector<std::string> SheetLines(const SheetText& text, std::size_t count) {
    std::vector<std::string> lines{text.title, ""};
    // Numbers padded to one width keep every statement's text in one column.
    const std::size_t width = std::to_string(std::max(count, text.statements.size())).size() + 2;
    for (std::size_t i = 0; i < text.statements.size(); ++i) {
        const std::string mark = std::to_string(i + 1) + ".";
        const auto& block = text.statements[i];
        for (std::size_t k = 0; k < block.size(); ++k) {
            if (block[k].empty()) {
                lines.emplace_back();
            } else {
                const std::string head = k == 0 ? mark : "";
                lines.push_back(head + std::string(width - head.size(), ' ') + block[k]);
            }
        }
    }
    lines.emplace_back();
    lines.push_back(text.keyTitle);
    for (std::size_t i = 0; i < text.resolutions.size(); ++i) {
        lines.emplace_back();
        lines.push_back(SheetKeyHeading(static_cast<int>(i) + 1));
        lines.insert(lines.end(), text.resolutions[i].begin(), text.resolutions[i].end());
    }
    return lines;
}

std::uint32_t NewSheetSeed() {
    SeededRandom random((static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                        std::random_device{}());
    return static_cast<std::uint32_t>(random.Between(1, kSheetSeedLimit));
}

std::string MatchSheetType(const std::vector<std::string>& names, const std::string& typed) {
    const auto folded = [](std::string_view name) {
        std::string text = TypeBaseName(name);
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const std::string& name : names) {
        if (name == typed) return name;
    }
    const std::string key = folded(typed);
    for (const std::string& name : names) {
        if (!key.empty() && folded(name) == key) return name;
    }
    return "";
}

FileResult WriteSheetText(const std::string& path, const SheetText& text) {
    TextFile file;
    if (!OpenForWriting(path, file))
        return {false, "No se puede escribir en la carpeta de " + path};
    for (const std::string& line : SheetLines(text))
        file.WriteLine(line);
    return file.Close();
}

}  // namespace tovel
