#include "core/nomenclature.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <numeric>
#include <set>

#include "core/formula.h"
#include "core/school_elements.h"
#include "core/school_names.h"
#include "core/text_utils.h"

namespace tovel {

std::string RomanNumeral(int n) {
    static const char* const kRoman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII"};
    return n >= 1 && n <= 8 ? kRoman[n - 1] : "";
}

namespace {

// di-, tri-... for simple names; bis-, tris-... before a name in parentheses.
std::string Prefix(long n) {
    static const char* const kPrefix[] = {"",      "mono",   "di",    "tri",  "tetra",
                                          "penta", "hexa",   "hepta", "octa", "nona",
                                          "deca",  "undeca", "dodeca"};
    return n >= 1 && n <= 12 ? kPrefix[n] : std::to_string(n) + "-";
}

std::string GroupPrefix(long n) {
    static const char* const kPrefix[] = {"", "", "bis", "tris", "tetrakis", "pentakis", "hexakis"};
    return n >= 2 && n <= 6 ? kPrefix[n] : Prefix(n);
}

// A count before a word; 1 writes nothing.
std::string Counted(long n, const std::string& word) {
    if (n == 1) return word;
    return Prefix(n) + word;
}

std::string ChargeText(int charge) {
    const int size = std::abs(charge);
    return std::to_string(size) + (charge > 0 ? "+" : "-");
}

std::string IonFormula(const std::string& body, int charge) {
    const int size = std::abs(charge);
    return body + "^" + (size > 1 ? std::to_string(size) : "") + (charge > 0 ? "+" : "-");
}

// The positive oxidation numbers school tables give an element.
std::vector<int> PositiveNumbers(std::string_view symbol) {
    std::vector<int> numbers;
    if (const SchoolElement* e = FindSchoolElement(symbol)) {
        for (const int n : e->numbers) {
            if (n > 0) numbers.push_back(n);
        }
    }
    return numbers;
}

bool HasNumber(std::string_view symbol, int n) {
    const std::vector<int> numbers = PositiveNumbers(symbol);
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

// "el hierro", "la plata".
std::string Capitalised(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string The(const ElementName& element) {
    return (element.name == "plata" ? "la " : "el ") + element.name;
}

// "del hierro", "de la plata".
std::string OfThe(const ElementName& element) {
    return (element.name == "plata" ? "de la " : "del ") + element.name;
}

// "hierro(III)", "sodio": the numeral only where the element has more than one number.
std::string StockName(const ElementName& element, int number) {
    if (PositiveNumbers(element.symbol).size() <= 1) return element.name;
    return element.name + "(" + RomanNumeral(number) + ")";
}

// "Fe2", "(NH4)2", "Na": a part of a formula with its count.
std::string Part(const std::string& body, long count, bool group) {
    if (count == 1) return body;
    return (group ? "(" + body + ")" : body) + std::to_string(count);
}

std::string Joined(const std::vector<std::string>& items, const std::string& separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

struct Element {
    std::string symbol;
    long count = 0;
};

// The elements of a formula without groups or charge, in the order written; false for any other.
bool PlainElements(const std::string& formula, std::vector<Element>& elements) {
    std::size_t at = 0;
    while (at < formula.size()) {
        if (!std::isupper(static_cast<unsigned char>(formula[at]))) return false;
        std::size_t end = at + 1;
        while (end < formula.size() && std::islower(static_cast<unsigned char>(formula[end])))
            ++end;
        Element e{formula.substr(at, end - at), 0};
        while (end < formula.size() && std::isdigit(static_cast<unsigned char>(formula[end]))) {
            e.count = e.count * 10 + (formula[end] - '0');
            if (e.count > 100) return false;
            ++end;
        }
        if (e.count == 0) {
            if (end > at + e.symbol.size()) return false;  // a written 0
            e.count = 1;
        }
        elements.push_back(e);
        at = end;
    }
    return !elements.empty();
}

void Add(Nomenclature& n, const std::string& system, const std::string& name, bool kept = true) {
    const SystemName entry{system, name, kept};
    if (std::find(n.names.begin(), n.names.end(), entry) == n.names.end()) n.names.push_back(entry);
}

// The names of an element's molecule: diyodo, trioxígeno (ozono).
constexpr const char* kTooMany =
    "Un nombre de composición no cuenta más de 12 átomos de un elemento";

void NameElement(const Element& e, const ElementName& name, Nomenclature& n) {
    if (e.count > 12) {
        n.error = kTooMany;
        return;
    }
    n.kind = "elemento";
    Add(n, kCompositionNames, Counted(e.count, name.name));
    if (e.symbol == "O" && e.count == 3) Add(n, kTraditionalNames, "ozono");
}

// A binary compound, its elements already in the order IUPAC 2005 writes them.
void NameBinary(const Element& first, const Element& second, Nomenclature& n) {
    const SchoolNames& names = BuiltInNames();
    if (first.count > 12 || second.count > 12) {
        n.error = kTooMany;
        return;
    }
    const ElementName* a = names.Element(first.symbol);
    const ElementName* b = names.Element(second.symbol);
    if (!a || !b) {
        n.error = "No se conoce el nombre de " + std::string(!a ? first.symbol : second.symbol);
        return;
    }
    const bool oxygen = second.symbol == "O";
    if (!oxygen && b->root.empty()) {
        n.error = b->name + " no forma aniones con nombre en -uro";
        return;
    }
    // Peroxides: O2^2- where O^2- leaves the other element a number it does not have.
    const long gcd = std::gcd(first.count, second.count);
    if (oxygen && second.count % 2 == 0) {
        const long oxide = 2 * second.count;
        const long peroxide = second.count;  // O2^2- carries 2 per two O
        const bool asOxide = oxide % first.count == 0 &&
                             HasNumber(first.symbol, static_cast<int>(oxide / first.count));
        const bool asPeroxide = peroxide % first.count == 0 &&
                                HasNumber(first.symbol, static_cast<int>(peroxide / first.count));
        // Peroxides are the school's of hydrogen and the metals with +1 or +2 (Na2O2, BaO2).
        const bool peroxideMaker =
            first.symbol == "H" ||
            (FindSchoolElement(first.symbol) && FindSchoolElement(first.symbol)->Negative() == 0);
        if (!asOxide && asPeroxide && peroxideMaker && peroxide / first.count <= 2) {
            n.kind = "peróxido";
            const int number = static_cast<int>(peroxide / first.count);
            Add(n, kCompositionNames,
                Counted(second.count, "óxido") + " de " + Counted(first.count, a->name));
            Add(n, kOxidationNumberNames, "peróxido de " + StockName(*a, number));
            return;
        }
    }
    const SchoolElement* negative = FindSchoolElement(second.symbol);
    const int q = negative ? negative->Negative() : 0;
    // Ionic formulas are written in lowest terms; only molecules that exist as written keep a
    // common factor (N2O4 beside NO2, Hg2Cl2 with its Hg2^2+).
    static const char* const kMolecules[] = {"N2O4",  "P4O6",  "P4O10", "B2H6", "Hg2Cl2", "Hg2Br2",
                                             "Hg2I2", "Hg2F2", "S2Cl2", "C2N2", "O2F2"};
    const std::string written =
        Part(first.symbol, first.count, false) + Part(second.symbol, second.count, false);
    if (gcd > 1 &&
        std::find(std::begin(kMolecules), std::end(kMolecules), written) == std::end(kMolecules)) {
        n.error = "Los subíndices se simplifican: " + Part(first.symbol, first.count / gcd, false) +
                  Part(second.symbol, second.count / gcd, false);
        return;
    }
    const std::string anion = oxygen ? "óxido" : b->root + "uro";
    if (first.symbol == "Hg" && q != 0 && -q * second.count == first.count &&
        first.count % 2 != 0) {
        n.error = "El mercurio(I) es el ion Hg2^2+: se escribe " +
                  Part("Hg", 2 * first.count, false) + Part(second.symbol, 2 * second.count, false);
        return;
    }
    std::string composition = Counted(second.count, anion);
    if (oxygen && second.count == 1 && first.count == 1 && PositiveNumbers(first.symbol).size() > 1)
        composition = "monóxido";
    Add(n, kCompositionNames, composition + " de " + Counted(first.count, a->name));

    // The oxidation-number name, where the second element's negative number leaves the first one
    // of its own.
    const bool metalHydride = second.symbol == "H";
    if (first.symbol == "H") {
        const SchoolElement* other = FindSchoolElement(second.symbol);
        if (other && other->Negative() != 0 && first.count != -other->Negative() * second.count) {
            n.names.clear();
            n.error = "Las cargas no suman cero: con el hidrógeno " + The(*b) + " tiene " +
                      std::to_string(other->Negative());
            return;
        }
        n.kind = "hidruro no metálico";
        if (const auto acid = names.hydracids.find(
                first.count > 1 ? "H" + std::to_string(first.count) + second.symbol
                                : "H" + second.symbol);
            acid != names.hydracids.end()) {
            n.kind = "hidrácido";
            Add(n, kTraditionalNames, "ácido " + acid->second + " (en disolución acuosa)");
        }
        if (first.count > 1) Add(n, kCompositionNames, anion + " de hidrógeno");
        return;
    }
    if (first.symbol == "O") {
        // The oxygen halides (OCl2, O7Cl2): the halogen carries the positive number.
        const long total = 2 * first.count;
        if (second.symbol == "F") {  // OF2, O2F2: here the oxygen is the positive one
            n.kind = "haluro de oxígeno";
            return;
        }
        if (total % second.count != 0 ||
            !HasNumber(second.symbol, static_cast<int>(total / second.count))) {
            n.names.clear();
            n.error = "Las cargas no suman cero con ningún número de oxidación " + OfThe(*b);
            return;
        }
        n.kind = "haluro de oxígeno";
        return;
    }
    if (q == 0 || (-q * second.count) % first.count != 0) {
        // A mixed oxide (Fe3O4, Pb3O4): the mean number lies between two the element has.
        const std::vector<int> numbers = PositiveNumbers(first.symbol);
        const long total = -q * second.count;
        const bool mixed = q != 0 && !numbers.empty() && total > numbers.front() * first.count &&
                           total < numbers.back() * first.count;
        if (!mixed) {
            n.names.clear();
            n.error = "Las cargas no suman cero con ningún número de oxidación " + OfThe(*a);
            return;
        }
        n.kind = oxygen ? "óxido" : "compuesto binario";
        return;
    }
    const int number = static_cast<int>(-q * second.count / first.count);
    if (!HasNumber(first.symbol, number)) {
        n.names.clear();
        n.error = "Las cargas no suman cero: " + The(*a) + " tendría número de oxidación +" +
                  std::to_string(number) + ", que no tiene";
        return;
    }
    n.kind = oxygen ? "óxido" : metalHydride ? "hidruro metálico" : "sal binaria";
    Add(n, kOxidationNumberNames, anion + " de " + StockName(*a, number));
}

// A polyatomic anion of the table, or one of its hydrogen anions (HCO3^-).
struct AnionReading {
    const IonName* ion = nullptr;
    int hydrogens = 0;
    int charge = 0;
    std::string body;  // "HCO3"
};

std::string Body(const std::string& ionFormula) {
    return ionFormula.substr(0, ionFormula.find('^'));
}

bool FindAnion(const std::string& body, AnionReading& reading) {
    for (const IonName& ion : BuiltInNames().anions) {
        const std::string own = Body(ion.formula);
        for (int h = 0; h < -ion.charge; ++h) {
            const std::string withH = h == 0   ? own
                                      : h == 1 ? "H" + own
                                               : "H" + std::to_string(h) + own;
            if (withH == body) {
                reading = {&ion, h, ion.charge + h, body};
                return true;
            }
        }
    }
    return false;
}

std::string AnionName(const AnionReading& a) {
    const std::string prefix = a.hydrogens == 0 ? "" : Counted(a.hydrogens, "hidrogeno");
    return prefix + a.ion->name;
}

// "hidrogeno(trioxidocarbonato)" or "tetraoxidosulfato"; empty where the ion has no additive name.
std::string AnionAdditive(const AnionReading& a) {
    if (a.ion->additive.empty()) return {};
    if (a.hydrogens == 0) return a.ion->additive;
    return Counted(a.hydrogens, "hidrogeno") + "(" + a.ion->additive + ")";
}

// A salt, hydroxide or acid written cation first: its cation and anion.
struct SaltParts {
    std::string cation;  // "Fe", "NH4", "H"
    long cations = 1;
    std::string anion;  // body as written
    long anions = 1;
};

long ReadCount(const std::string& text, std::size_t& at) {
    long count = 0;
    bool any = false;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        count = count * 10 + (text[at] - '0');
        if (count > 100) return 0;
        any = true;
        ++at;
    }
    return any ? count : 1;
}

bool SplitSalt(const std::string& formula, SaltParts& salt) {
    std::size_t at = 0;
    if (formula.rfind("(NH4)", 0) == 0) {
        salt.cation = "NH4";
        at = 5;
        salt.cations = ReadCount(formula, at);
    } else if (formula.rfind("(Hg2)", 0) == 0) {  // mercury(I) is the ion Hg2^2+
        salt.cation = "Hg";
        at = 5;
        salt.cations = 2 * ReadCount(formula, at);
    } else if (formula.rfind("NH4", 0) == 0) {
        salt.cation = "NH4";
        at = 3;
    } else {
        if (formula.empty() || !std::isupper(static_cast<unsigned char>(formula[0]))) return false;
        at = 1;
        while (at < formula.size() && std::islower(static_cast<unsigned char>(formula[at])))
            ++at;
        salt.cation = formula.substr(0, at);
        salt.cations = ReadCount(formula, at);
    }
    if (salt.cations == 0 || at >= formula.size()) return false;
    const std::string rest = formula.substr(at);
    if (rest[0] == '(') {
        const auto close = rest.find(')');
        if (close == std::string::npos) return false;
        salt.anion = rest.substr(1, close - 1);
        std::size_t after = close + 1;
        salt.anions = ReadCount(rest, after);
        return after == rest.size() && salt.anions > 0;
    }
    salt.anion = rest;
    return true;
}

// Hydroxides, oxoacids, oxosalts, acid salts and ammonium salts.
bool NameSalt(const std::string& formula, Nomenclature& n) {
    const SchoolNames& names = BuiltInNames();
    SaltParts salt;
    if (!SplitSalt(formula, salt)) return false;
    if (salt.cations > 12 || salt.anions > 12) {
        n.error = kTooMany;
        return true;
    }
    AnionReading anion;
    const bool hydroxide = salt.anion == "OH";
    std::string monatomic;  // the -uro anion of an ammonium salt: NH4Cl
    if (!hydroxide && !FindAnion(salt.anion, anion)) {
        if (salt.cation != "NH4") return false;
        std::vector<Element> one;
        if (!PlainElements(salt.anion, one) || one.size() != 1) return false;
        const ElementName* b = names.Element(one[0].symbol);
        const SchoolElement* school = FindSchoolElement(one[0].symbol);
        if (!b || b->root.empty() || !school || school->Negative() == 0) return false;
        monatomic = b->root + "uro";
        salt.anions = one[0].count;
        anion.charge = school->Negative();
    }
    if (hydroxide) anion.charge = -1;
    const long negative = -anion.charge * salt.anions;

    if (salt.cation == "H") {
        if (hydroxide || !monatomic.empty() || anion.hydrogens != 0 || salt.anions != 1 ||
            salt.cations != -anion.charge)
            return false;
        n.kind = "oxoácido";
        if (!anion.ion->acid.empty())
            Add(n, kTraditionalNames, "ácido " + anion.ion->acid, !anion.ion->old);
        if (!anion.ion->additive.empty())
            Add(n, kHydrogenNames,
                Counted(salt.cations, "hidrogeno") + "(" + anion.ion->additive + ")");
        // The additive name of an acid of one central atom: H2SO4 is SO2(OH)2,
        // dihidroxidodioxidoazufre.
        std::vector<Element> central;
        if (PlainElements(salt.anion, central) && central.size() == 2 && central[1].symbol == "O" &&
            central[0].count == 1 && central[1].count >= salt.cations) {
            if (const ElementName* x = names.Element(central[0].symbol)) {
                const long oxides = central[1].count - salt.cations;
                Add(n, kAdditiveNames,
                    Counted(salt.cations, "hidroxido") +
                        (oxides > 0 ? Counted(oxides, "oxido") : "") + x->name);
            }
        }
        if (anion.ion->old)
            n.notes.push_back("IUPAC 2005 no mantiene el nombre tradicional de este ácido");
        return true;
    }

    std::string cationName;
    std::string cationComposition;
    if (salt.cation == "NH4") {
        if (salt.cations * 1 != negative) {
            n.error = "Las cargas no suman cero: " + std::to_string(salt.cations) +
                      " amonio no compensan la carga del anión";
            return true;
        }
        cationName = "amonio";
        cationComposition = Counted(salt.cations, "amonio");
    } else {
        const ElementName* a = names.Element(salt.cation);
        if (!a) return false;
        if (negative % salt.cations != 0 ||
            !HasNumber(salt.cation, static_cast<int>(negative / salt.cations))) {
            n.error = "Las cargas no suman cero con ningún número de oxidación " + OfThe(*a);
            return true;
        }
        if (salt.cation == "Hg" && negative == salt.cations && salt.cations % 2 != 0) {
            n.error = "El mercurio(I) es el ion Hg2^2+: se escribe con Hg2";
            return true;
        }
        cationName = StockName(*a, static_cast<int>(negative / salt.cations));
        cationComposition = Counted(salt.cations, a->name);
    }
    if (hydroxide) {
        n.kind = "hidróxido";
        Add(n, kCompositionNames, Counted(salt.anions, "hidróxido") + " de " + cationComposition);
        Add(n, kOxidationNumberNames, "hidróxido de " + cationName);
        return true;
    }
    if (!monatomic.empty()) {
        n.kind = "sal de amonio";
        Add(n, kCompositionNames, Counted(salt.anions, monatomic) + " de " + cationComposition);
        Add(n, kOxidationNumberNames, monatomic + " de " + cationName);
        return true;
    }
    n.kind = salt.cation == "NH4" ? "sal de amonio" : anion.hydrogens > 0 ? "sal ácida" : "oxosal";
    Add(n, kTraditionalNames, AnionName(anion) + " de " + cationName);
    const std::string additive = AnionAdditive(anion);
    if (!additive.empty()) {
        const std::string group =
            salt.anions == 1 ? additive : GroupPrefix(salt.anions) + "(" + additive + ")";
        Add(n, anion.hydrogens > 0 ? kHydrogenNames : kCompositionNames,
            group + " de " + cationComposition);
    }
    return true;
}

void NameIon(const std::string& formula, int charge, Nomenclature& n) {
    const SchoolNames& names = BuiltInNames();
    const std::string body = Body(formula);
    for (const IonName& cation : names.cations) {
        if (cation.formula == formula) {
            n.kind = "catión";
            Add(n, kTraditionalNames, cation.name);
            return;
        }
    }
    if (body == "OH" && charge == -1) {
        n.kind = "anión";
        Add(n, kTraditionalNames, "hidróxido");
        Add(n, kChargeNames, "hidróxido(1-)");
        return;
    }
    if (body == "O2" && charge == -2) {
        n.kind = "anión";
        Add(n, kTraditionalNames, "peróxido");
        Add(n, kChargeNames, "dióxido(2-)");
        return;
    }
    AnionReading anion;
    if (charge < 0 && FindAnion(body, anion) && anion.charge == charge) {
        n.kind = "anión";
        Add(n, kTraditionalNames, AnionName(anion));
        const std::string additive = AnionAdditive(anion);
        if (!additive.empty())
            Add(n, anion.hydrogens > 0 ? kHydrogenNames : kAdditiveNames,
                additive + "(" + ChargeText(charge) + ")");
        return;
    }
    std::vector<Element> elements;
    if (!PlainElements(body, elements) || elements.size() != 1 || elements[0].count != 1) {
        n.error = "No se conoce el nombre del ion " + formula;
        return;
    }
    const ElementName* e = names.Element(elements[0].symbol);
    if (!e) {
        n.error = "No se conoce el nombre de " + elements[0].symbol;
        return;
    }
    if (charge > 0) {
        if (!HasNumber(e->symbol, charge)) {
            n.error = Capitalised(The(*e)) + " no forma el catión " + formula;
            return;
        }
        n.kind = "catión";
        Add(n, kChargeNames, e->name + "(" + ChargeText(charge) + ")");
        Add(n, kOxidationNumberNames, StockName(*e, charge));
        return;
    }
    const SchoolElement* school = FindSchoolElement(e->symbol);
    if (!school || school->Negative() != charge || (e->root.empty() && e->symbol != "O")) {
        n.error = Capitalised(The(*e)) + " no forma el anión " + formula;
        return;
    }
    n.kind = "anión";
    const std::string name = e->symbol == "O" ? "óxido" : e->root + "uro";
    Add(n, kCompositionNames, name);
    Add(n, kChargeNames, name + "(" + ChargeText(charge) + ")");
}

}  // namespace

Nomenclature NameFormula(std::string_view typed) {
    Nomenclature n;
    const FormulaScan scan = ScanFormula(typed);
    if (scan.error != FormulaError::None || scan.entries.empty()) {
        n.error = "No se puede leer la fórmula " + std::string(typed);
        return n;
    }
    std::string formula = scan.formula;
    std::replace(formula.begin(), formula.end(), '[', '(');
    std::replace(formula.begin(), formula.end(), ']', ')');
    n.formula = formula;
    if (formula.find("\u00b7") != std::string::npos) {
        n.error = "Los hidratos no se nombran aquí";
        return n;
    }
    if (scan.charge != 0) {
        NameIon(formula, scan.charge, n);
        return n;
    }
    const SchoolNames& names = BuiltInNames();
    if (const HydrideName* hydride = names.Hydride(formula)) {
        n.kind = "hidruro no metálico";
        if (hydride->names.front() != "-") Add(n, kTraditionalNames, hydride->names.front());
        for (std::size_t i = 1; i < hydride->names.size(); ++i)
            Add(n, kSubstitutiveNames, hydride->names[i]);
    }
    std::vector<Element> elements;
    if (PlainElements(formula, elements)) {
        if (elements.size() == 1) {
            const ElementName* e = names.Element(elements[0].symbol);
            if (!e) {
                n.error = "No se conoce el nombre de " + elements[0].symbol;
                return n;
            }
            NameElement(elements[0], *e, n);
            return n;
        }
        if (elements.size() == 2 && elements[0].symbol != elements[1].symbol) {
            Element first = elements[0], second = elements[1];
            const int r1 = names.Rank(first.symbol), r2 = names.Rank(second.symbol);
            if (r1 >= 0 && r2 >= 0 && r1 > r2) {
                // Only the oxides of the halogens changed their order in 2005 (Cl2O7 is now
                // O7Cl2): their old writing is read; any other order is wrong.
                const bool halogenOxide =
                    second.symbol == "O" &&
                    (first.symbol == "Cl" || first.symbol == "Br" || first.symbol == "I");
                const std::string right = Part(second.symbol, second.count, false) +
                                          Part(first.symbol, first.count, false);
                if (!halogenOxide) {
                    n.error = "Se escribe " + right + ": primero el elemento menos electronegativo";
                    return n;
                }
                std::swap(first, second);
                n.formula = Part(first.symbol, first.count, false) +
                            Part(second.symbol, second.count, false);
                n.notes.push_back("IUPAC 2005 escribe " + n.formula + ": el " + second.symbol +
                                  " va detrás del " + first.symbol);
            }
            if (!n.names.empty()) {
                // A hydride with a name of its own keeps it; its composition name follows.
                Nomenclature binary;
                NameBinary(first, second, binary);
                for (const SystemName& c : binary.names) {
                    if (c.system == kCompositionNames || c.system == kTraditionalNames)
                        Add(n, c.system, c.name);
                }
                return n;
            }
            NameBinary(first, second, n);
            if (!n.error.empty()) n.names.clear();
            return n;
        }
    }
    if (!n.names.empty()) return n;
    if (NameSalt(formula, n)) {
        if (!n.error.empty()) n.names.clear();
        return n;
    }
    n.error = "No se sabe nombrar " + formula +
              ": no es de ninguna clase de compuesto que se "
              "nombre aquí";
    return n;
}

}  // namespace tovel

namespace tovel {

namespace {

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

bool IsMetal(const std::string& symbol) {
    static const char* const kNoble[] = {"He", "Ne", "Ar", "Kr", "Xe", "Rn"};
    if (std::find(std::begin(kNoble), std::end(kNoble), symbol) != std::end(kNoble)) return false;
    const SchoolElement* e = FindSchoolElement(symbol);
    return e && e->Negative() == 0 && !PositiveNumbers(symbol).empty();
}

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
    for (const auto& [cation, p] : cations) {
        if (cation != "NH4") AddNames(u, IonFormula(cation, p));
    }
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
    // A Stock name in the old order: "óxido de cloro(VII)".
    if (open != std::string::npos) {
        const std::string bare = folded.substr(0, open);
        const auto close = folded.find(')', open);
        const int value =
            close == std::string::npos ? 0 : RomanValue(folded.substr(open + 1, close - open - 1));
        std::string old;
        const ElementName* halogen =
            bare.rfind("oxido de ", 0) == 0 ? ElementOfWord(bare.substr(9)) : nullptr;
        if (value > 0 && halogen && HasNumber(halogen->symbol, value) &&
            CompositionFormula(bare, &old).empty() && !old.empty()) {
            const int g = std::gcd(value, 2);
            const Nomenclature n =
                NameFormula(Part("O", value / g, false) + Part(halogen->symbol, 2 / g, false));
            if (n.Named())
                return "IUPAC 2005 escribe el oxígeno delante del " + halogen->name + ": " +
                       n.formula + ", " + n.names.front().name;
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

namespace tovel {

std::string ListName(const Nomenclature& n) {
    for (const char* system : {kTraditionalNames, kOxidationNumberNames, kCompositionNames}) {
        for (const SystemName& c : n.names) {
            if (c.system != system || !c.kept) continue;
            std::string name = c.name;
            const auto aqueous = name.find(" (en disolución acuosa)");
            if (aqueous != std::string::npos) name.erase(aqueous);
            return name;
        }
    }
    return {};
}

}  // namespace tovel
