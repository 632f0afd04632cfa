#include "core/nomenclature.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <numeric>
#include <set>

#include "core/formula.h"
#include "core/naming_words.h"
#include "core/school_elements.h"
#include "core/school_names.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

using namespace naming;

// A name folded as a student may type it: small letters, no accents, single blanks, none
// before "(", charge numbers as Roman numerals.
std::string Fold(std::string_view text) {
    std::string plain = StripAccents(text);
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(plain[i]);
        if (plain.compare(i, 2, "\u00d1") == 0) {  // Ñ
            out += "\u00f1";
            ++i;
            continue;
        }
        if (std::isspace(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        if (c == '(' && !out.empty() && out.back() == ' ') out.pop_back();
        if (c == ')' || c == '(') {
            if (!out.empty() && out.back() == ' ' && c == ')') out.pop_back();
        }
        out += static_cast<char>(std::tolower(c));
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    // "(3+)" and "(+3)" read as "(iii)"; "(1-)" stays, it belongs to an anion.
    for (int n = 1; n <= 8; ++n) {
        std::string roman = RomanNumeral(n);
        std::transform(roman.begin(), roman.end(), roman.begin(),
                       [](unsigned char r) { return static_cast<char>(std::tolower(r)); });
        for (const std::string& charge :
             {"(" + std::to_string(n) + "+)", "(+" + std::to_string(n) + ")"}) {
            for (auto at = out.find(charge); at != std::string::npos; at = out.find(charge))
                out.replace(at, charge.size(), "(" + roman + ")");
        }
    }
    return out;
}

struct Entry {
    std::string formula;
    std::string system;
    std::string name;
    bool kept = true;
};

struct Universe {
    std::vector<std::string> formulas;
    std::set<std::string> known;
    std::map<std::string, Entry> byName;
    std::map<std::string, std::string> words;  // folded word -> as written
};

void AddNames(Universe& u, const std::string& formula) {
    const Nomenclature n = NameFormula(formula);
    if (!n.Named() || n.names.empty()) return;
    if (u.known.insert(n.formula).second) u.formulas.push_back(n.formula);
    for (const SystemName& c : n.names) {
        std::string name = c.name;
        const auto aqueous = name.find(" (en disolución acuosa)");
        if (aqueous != std::string::npos) name.erase(aqueous);
        u.byName.try_emplace(Fold(name), Entry{n.formula, c.system, name, c.kept});
        std::string word;
        for (const char ch : name + " ") {
            if (ch == ' ' || ch == '(' || ch == ')') {
                if (!word.empty()) u.words.try_emplace(Fold(word), word);
                word.clear();
            } else {
                word += ch;
            }
        }
    }
}

Universe Build() {
    Universe u;
    const SchoolNames& names = BuiltInNames();
    for (const ElementName& e : names.elements)
        AddNames(u, e.symbol);
    for (const char* molecule : {"H2", "N2", "O2", "F2", "Cl2", "Br2", "I2", "O3", "P4", "S8"})
        AddNames(u, molecule);
    for (const HydrideName& h : names.hydrides)
        AddNames(u, h.formula);
    for (const auto& [formula, adjective] : names.hydracids)
        AddNames(u, formula);
    for (const AcidName& acid : names.acids)
        AddNames(u, acid.formula);
    // Binary compounds: each element with each of its numbers and an element after it.
    for (const ElementName& a : names.elements) {
        for (const int p : PositiveNumbers(a.symbol)) {
            for (const ElementName& b : names.elements) {
                const SchoolElement* sb = FindSchoolElement(b.symbol);
                if (!sb || sb->Negative() == 0 || names.Rank(a.symbol) >= names.Rank(b.symbol))
                    continue;
                if (b.root.empty() && b.symbol != "O") continue;
                const int q = -sb->Negative();
                const int g = std::gcd(p, q);
                if (a.symbol == "Hg" && p == 1) {  // mercury(I) is Hg2^2+: Hg2Cl2, Hg2O
                    const int k = std::gcd(2, q);
                    AddNames(u, Part("Hg", 2 * q / k, false) + Part(b.symbol, 2 / k, false));
                    continue;
                }
                AddNames(u, Part(a.symbol, q / g, false) + Part(b.symbol, p / g, false));
            }
            // Peroxides of the elements with +1 or +2 (Na2O2, BaO2, H2O2): the school's.
            if ((IsMetal(a.symbol) || a.symbol == "H") && p <= 2) {
                const int g = std::gcd(p, 2);
                AddNames(u, Part(a.symbol, 2 / g, false) + "O" + std::to_string(2 * (p / g)));
            }
        }
    }
    // The oxides of the halogens, oxygen first.
    for (const char* halogen : {"Cl", "Br", "I"}) {
        for (const int p : PositiveNumbers(halogen)) {
            const int g = std::gcd(p, 2);
            AddNames(u, Part("O", p / g, false) + Part(halogen, 2 / g, false));
        }
    }
    // Salts, hydroxides and acids.
    std::vector<std::pair<std::string, int>> anions = {{"OH", -1}};
    for (const IonName& ion : names.anions) {
        const std::string body = Body(ion.formula);
        if (body == "OH" || body == "O2") continue;
        for (int h = 0; h < -ion.charge; ++h)
            anions.push_back({h == 0   ? body
                              : h == 1 ? "H" + body
                                       : "H" + std::to_string(h) + body,
                              ion.charge + h});
        if (!ion.acid.empty()) AddNames(u, Part("H", -ion.charge, false) + body);
    }
    std::vector<std::pair<std::string, int>> cations = {{"NH4", 1}};
    for (const ElementName& a : names.elements) {
        if (!IsMetal(a.symbol)) continue;
        for (const int p : PositiveNumbers(a.symbol))
            cations.push_back({a.symbol, p});
    }
    for (const auto& [element, number] : cations) {
        // Mercury(I) is the ion Hg2^2+: Hg2SO4, (Hg2)3(PO4)2.
        const bool mercury = element == "Hg" && number == 1;
        const std::string cation = mercury ? "Hg2" : element;
        const int p = mercury ? 2 : number;
        for (const auto& [anion, q] : anions) {
            const int g = std::gcd(p, -q);
            const long a = -q / g, b = p / g;
            const bool group =
                anion.size() > 2 || std::isupper(static_cast<unsigned char>(anion[1]));
            AddNames(u, Part(cation, a, cation == "NH4" || mercury) + Part(anion, b, group));
        }
    }
    for (const char* halide : {"F", "Cl", "Br", "I", "S"})
        AddNames(u, std::string(halide) == "S" ? "(NH4)2S" : "NH4" + std::string(halide));
    // Ions.
    for (const auto& [anion, q] : anions)
        AddNames(u, IonFormula(anion, q));
    for (const IonName& ion : names.cations)
        AddNames(u, ion.formula);
    for (const IonName& ion : names.anions)
        AddNames(u, ion.formula);
    AddNames(u, "O2^2-");
    for (const auto& [cation, p] : cations) {
        if (cation != "NH4") AddNames(u, IonFormula(cation, p));
    }
    AddNames(u, "Hg2^2+");
    for (const ElementName& e : names.elements) {
        const SchoolElement* s = FindSchoolElement(e.symbol);
        if (s && s->Negative() != 0) AddNames(u, IonFormula(e.symbol, s->Negative()));
    }
    for (const char* word : {"de", "acido"})
        u.words.try_emplace(word, word);
    return u;
}

const Universe& TheUniverse() {
    static const Universe universe = Build();
    return universe;
}

// The element a folded name word stands for.
const ElementName* ElementOfWord(const std::string& word) {
    for (const ElementName& e : BuiltInNames().elements) {
        if (Fold(e.name) == word) return &e;
    }
    return nullptr;
}

std::string NumbersText(const std::vector<int>& numbers) {
    std::vector<std::string> items;
    items.reserve(numbers.size());
    for (const int n : numbers)
        items.push_back("+" + std::to_string(n));
    if (items.size() == 1) return items.front();
    const std::string last = items.back();
    items.pop_back();
    return Joined(items, ", ") + " y " + last;
}

int RomanValue(const std::string& folded) {
    for (int n = 1; n <= 8; ++n) {
        std::string roman = RomanNumeral(n);
        std::transform(roman.begin(), roman.end(), roman.begin(),
                       [](unsigned char r) { return static_cast<char>(std::tolower(r)); });
        if (roman == folded) return n;
    }
    return 0;
}

std::string CompositionFormula(const std::string& folded, std::string* reversed);

// "óxido de cloro(VII)": the oxygen halide an old Stock name means (O7Cl2), with the name
// IUPAC 2005 gives it in iupacName; empty for any other name.
std::string OldHalogenOxide(const std::string& folded, std::string& iupacName) {
    const auto open = folded.find('(');
    const auto close = folded.find(')', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos || close + 1 != folded.size())
        return {};
    const std::string bare = folded.substr(0, open);
    const int value = RomanValue(folded.substr(open + 1, close - open - 1));
    const ElementName* halogen =
        bare.rfind("oxido de ", 0) == 0 ? ElementOfWord(bare.substr(9)) : nullptr;
    if (value == 0 || !halogen || !HasNumber(halogen->symbol, value) ||
        (halogen->symbol != "Cl" && halogen->symbol != "Br" && halogen->symbol != "I"))
        return {};
    const int g = std::gcd(value, 2);
    const Nomenclature n =
        NameFormula(Part("O", value / g, false) + Part(halogen->symbol, 2 / g, false));
    if (!n.Named() || n.names.empty()) return {};
    iupacName = n.names.front().name;
    return n.formula;
}

// Why a name that reads to no formula is wrong.
std::string Diagnose(const std::string& folded) {
    const Universe& u = TheUniverse();
    // A word no name has: the nearest one that does.
    std::string word;
    for (const char ch : folded + " ") {
        if (ch == ' ' || ch == '(' || ch == ')') {
            const bool numeral =
                RomanValue(word) > 0 ||
                (!word.empty() && std::isdigit(static_cast<unsigned char>(word[0])));
            if (!word.empty() && !numeral && !u.words.count(word)) {
                std::size_t best = 4;
                std::string nearest;
                for (const auto& [known, written] : u.words) {
                    const std::size_t d = EditDistance(word, known);
                    if (d < best) {
                        best = d;
                        nearest = written;
                    }
                }
                std::string why = "«" + word;
                why += "» no es una palabra de la nomenclatura";
                if (!nearest.empty()) why += ": ¿«" + nearest + "»?";
                return why;
            }
            word.clear();
        } else {
            word += ch;
        }
    }
    // A numeral the element does not have.
    const auto open = folded.find('(');
    if (open != std::string::npos) {
        const auto close = folded.find(')', open);
        const auto space = folded.rfind(' ', open);
        const std::string element =
            folded.substr(space == std::string::npos ? 0 : space + 1,
                          open - (space == std::string::npos ? 0 : space + 1));
        const int value =
            close == std::string::npos ? 0 : RomanValue(folded.substr(open + 1, close - open - 1));
        if (const ElementName* e = ElementOfWord(element); e && value > 0) {
            const std::vector<int> numbers = PositiveNumbers(e->symbol);
            if (std::find(numbers.begin(), numbers.end(), value) == numbers.end()) {
                if (numbers.size() == 1)
                    return Capitalised(The(*e)) + " solo tiene número de oxidación " +
                           NumbersText(numbers);
                return Capitalised(The(*e)) + " tiene los números de oxidación " +
                       NumbersText(numbers) + ", no +" + std::to_string(value);
            }
        }
    }
    // A hydride of a non-metal.
    if (folded.rfind("hidruro de ", 0) == 0 || folded.find("hidruro de ") != std::string::npos) {
        const std::string rest = folded.substr(folded.find("hidruro de ") + 11);
        const std::string element = rest.substr(0, rest.find('('));
        if (const ElementName* e = ElementOfWord(element);
            e && BuiltInNames().Rank(e->symbol) > BuiltInNames().Rank("H") && !e->root.empty())
            return Capitalised(The(*e)) +
                   " no forma un hidruro: su compuesto con hidrógeno es el " + e->root +
                   "uro de hidrógeno";
    }
    // A binary compound named in the old order.
    std::string reversed;
    if (CompositionFormula(folded, &reversed).empty() && !reversed.empty()) {
        const Nomenclature n = NameFormula(reversed);
        for (const SystemName& c : n.names) {
            if (c.system == kCompositionNames)
                return "IUPAC 2005 lo escribe " + n.formula + " y lo nombra " + c.name;
        }
    }
    return "No se reconoce el nombre";
}

// A composition name of any binary compound, "tetraóxido de dinitrógeno": the formula its
// prefixes count, in the order IUPAC 2005 writes it; empty when it reads no such way.
std::string CompositionFormula(const std::string& folded, std::string* reversed) {
    const auto de = folded.find(" de ");
    if (de == std::string::npos || folded.find(" de ", de + 1) != std::string::npos) return {};
    const auto count = [](std::string& word) {
        if (word.rfind("monoxido", 0) == 0) {
            word.erase(0, 3);
            return 1L;
        }
        for (long n = 12; n >= 1; --n) {
            const std::string prefix = Prefix(n);
            // A prefix is read only where a word follows it that is no element name by itself
            // (the "di" of "diyodo", not of "disprosio").
            if (word.size() > prefix.size() && word.rfind(prefix, 0) == 0) {
                word.erase(0, prefix.size());
                return n;
            }
        }
        return 1L;
    };
    std::string anion = folded.substr(0, de);
    std::string element = folded.substr(de + 4);
    const SchoolNames& names = BuiltInNames();
    const auto elementOf = [&](const std::string& word) -> const ElementName* {
        for (const ElementName& e : names.elements) {
            if (Fold(e.name) == word) return &e;
        }
        return nullptr;
    };
    // The bare word first: "oxígeno" must not lose an "o" it does not have.
    const ElementName* a = elementOf(element);
    long na = 1;
    if (!a) {
        na = count(element);
        a = elementOf(element);
    }
    long nb = count(anion);
    const ElementName* b = nullptr;
    if (anion == "oxido") b = names.Element("O");
    for (const ElementName& e : names.elements) {
        if (!b && !e.root.empty() && anion == Fold(e.root) + "uro") b = &e;
    }
    if (!a || !b || a == b) return {};
    if (names.Rank(a->symbol) > names.Rank(b->symbol)) {
        // Named the way IUPAC 2005 no longer orders it: "óxido de cloro" is an oxygen halide.
        if (reversed) *reversed = Part(b->symbol, nb, false) + Part(a->symbol, na, false);
        return {};
    }
    return Part(a->symbol, na, false) + Part(b->symbol, nb, false);
}

}  // namespace

const std::vector<std::string>& NamedFormulas() {
    return TheUniverse().formulas;
}

std::string FoldName(std::string_view name) {
    return Fold(name);
}

NameReading FormulaOfName(std::string_view name) {
    NameReading reading;
    const std::string folded = Fold(name);
    if (folded.empty()) {
        reading.error = "Escribe un nombre";
        return reading;
    }
    const Universe& u = TheUniverse();
    auto found = u.byName.find(folded);
    // A numeral written for an element that has one number only is no part of its name.
    if (found == u.byName.end()) {
        const auto open = folded.rfind('(');
        if (open != std::string::npos && folded.back() == ')') {
            const std::string bare = folded.substr(0, open);
            const auto space = bare.rfind(' ');
            const ElementName* e =
                ElementOfWord(bare.substr(space == std::string::npos ? 0 : space + 1));
            const int value = RomanValue(folded.substr(open + 1, folded.size() - open - 2));
            if (e && PositiveNumbers(e->symbol) == std::vector<int>{value} &&
                u.byName.count(bare)) {
                reading.error = Capitalised(The(*e)) + " solo tiene un número de oxidación (+" +
                                std::to_string(value) + "): no se escribe entre paréntesis; es " +
                                u.byName.at(bare).name;
                return reading;
            }
        }
    }
    // The bare name of hydrogen, nitrogen, oxygen or a halogen is its molecule of two.
    if (found == u.byName.end()) {
        const ElementName* e = ElementOfWord(folded);
        static const char* const kDiatomic[] = {"H", "N", "O", "F", "Cl", "Br", "I"};
        if (e && std::find(std::begin(kDiatomic), std::end(kDiatomic), e->symbol) !=
                     std::end(kDiatomic)) {
            reading.formula = e->symbol + "2";
            reading.system = kCompositionNames;
            reading.spelled = "di" + e->name;
            return reading;
        }
    }
    // "hidróxido de cobre": the hydroxide its prefix counts, where the charges allow it.
    if (found == u.byName.end()) {
        for (long count = 12; count >= 1; --count) {
            const std::string head = (count == 1 ? "" : Prefix(count)) + "hidroxido de ";
            if (folded.rfind(head, 0) != 0) continue;
            const ElementName* e = ElementOfWord(folded.substr(head.size()));
            if (!e) break;
            const std::string formula =
                e->symbol + (count == 1 ? "OH" : "(OH)" + std::to_string(count));
            const Nomenclature n = NameFormula(formula);
            if (!n.Named()) {
                reading.error = n.error;
                return reading;
            }
            reading.formula = n.formula;
            reading.system = kCompositionNames;
            reading.spelled = n.names.front().name;
            return reading;
        }
    }
    // A molecule of an element with any count: "tetraazufre".
    if (found == u.byName.end() && folded.find(' ') == std::string::npos) {
        for (long count = 12; count >= 2; --count) {
            const std::string prefix = Prefix(count);
            if (folded.rfind(prefix, 0) != 0) continue;
            if (const ElementName* e = ElementOfWord(folded.substr(prefix.size()))) {
                reading.formula = e->symbol + std::to_string(count);
                reading.system = kCompositionNames;
                const std::string written = Counted(count, e->name);
                if (written != std::string(name)) reading.spelled = written;
                return reading;
            }
        }
    }
    if (found == u.byName.end()) {
        const std::string formula = CompositionFormula(folded, nullptr);
        if (!formula.empty()) {
            const Nomenclature n = NameFormula(formula);
            if (!n.Named()) {
                reading.error = n.error;
                return reading;
            }
            for (const SystemName& c : n.names) {
                if (c.system != kCompositionNames) continue;
                reading.formula = n.formula;
                reading.system = c.system;
                if (c.name != std::string(name)) reading.spelled = c.name;
                return reading;
            }
        }
        // The old name of an oxygen halide is read, and the IUPAC 2005 one given.
        std::string iupacName;
        if (const std::string old = OldHalogenOxide(folded, iupacName); !old.empty()) {
            reading.formula = old;
            reading.system = kOxidationNumberNames;
            reading.spelled = iupacName;
            reading.kept = false;
            return reading;
        }
        reading.error = Diagnose(folded);
        return reading;
    }
    reading.formula = found->second.formula;
    reading.system = found->second.system;
    reading.kept = found->second.kept;
    if (found->second.name != std::string(name)) reading.spelled = found->second.name;
    return reading;
}

}  // namespace tovel
