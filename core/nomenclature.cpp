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

std::string RomanNumeral(int n) {
    static const char* const kRoman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII"};
    return n >= 1 && n <= 8 ? kRoman[n - 1] : "";
}

namespace {

using namespace naming;

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
    // Hydrogen, nitrogen, oxygen and the halogens are molecules of two: one atom is "mono-".
    static const char* const kDiatomic[] = {"H", "N", "O", "F", "Cl", "Br", "I"};
    const bool diatomic =
        std::find(std::begin(kDiatomic), std::end(kDiatomic), e.symbol) != std::end(kDiatomic);
    Add(n, kCompositionNames,
        diatomic && e.count == 1 ? "mono" + name.name : Counted(e.count, name.name));
    if (e.symbol == "O" && e.count == 3) Add(n, kTraditionalNames, "ozono");
    if (e.symbol == "P" && e.count == 4) Add(n, kTraditionalNames, "fósforo blanco");
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
                                             "Hg2I2", "Hg2F2", "S2Cl2", "C2N2", "O2F2",   "N2H4"};
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
    // A 1:1 compound of an element with several numbers says "mono": monóxido de carbono,
    // monocloruro de cobre (the name without it is read too).
    if (second.count == 1 && first.count == 1 && PositiveNumbers(first.symbol).size() > 1)
        composition = oxygen ? "monóxido" : "mono" + anion;
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

// Every reading of an anion's formula body: PO3 is metaphosphate (1-) and phosphite (3-).
std::vector<AnionReading> FindAnions(const std::string& body) {
    std::vector<AnionReading> found;
    for (const IonName& ion : BuiltInNames().anions) {
        const std::string own = Body(ion.formula);
        for (int h = 0; h < -ion.charge; ++h) {
            const std::string withH = h == 0   ? own
                                      : h == 1 ? "H" + own
                                               : "H" + std::to_string(h) + own;
            if (withH == body) found.push_back({&ion, h, ion.charge + h, body});
        }
    }
    return found;
}

// The reading of charge, or with charge 0 the first.
bool FindAnion(const std::string& body, AnionReading& reading, int charge = 0) {
    for (const AnionReading& candidate : FindAnions(body)) {
        if (charge == 0 || candidate.charge == charge) {
            reading = candidate;
            return true;
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
    // The anion's charge is the one the cation can balance: K2MnO4 is manganate, KMnO4
    // permanganate.
    bool anionFound = false;
    for (const AnionReading& candidate : FindAnions(salt.anion)) {
        if (anionFound) break;
        const long negative = -candidate.charge * salt.anions;
        const bool fits =
            salt.cation == "H" || salt.cation == "NH4"
                ? negative == salt.cations
                : negative % salt.cations == 0 &&
                      HasNumber(salt.cation, static_cast<int>(negative / salt.cations));
        if (fits) {
            anion = candidate;
            anionFound = true;
        }
    }
    if (!anionFound && !hydroxide) anionFound = FindAnion(salt.anion, anion);
    if (!hydroxide && !anionFound) {
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
        if (const AcidName* own = names.Acid(formula)) {
            Add(n, kTraditionalNames, "ácido " + own->adjective);
            if (!own->hydrogen.empty()) Add(n, kHydrogenNames, own->hydrogen);
            if (!own->additive.empty()) Add(n, kAdditiveNames, own->additive);
            return true;
        }
        if (const auto hydracid = names.hydracids.find(formula);
            hydracid != names.hydracids.end()) {
            // HCN: a hydracid whose anion is no single element.
            n.kind = "hidrácido";
            Add(n, kCompositionNames, anion.ion->name + " de hidrógeno");
            Add(n, kTraditionalNames, "ácido " + hydracid->second + " (en disolución acuosa)");
        }
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
    // A salt or a hydroxide is written in lowest terms (Fe3(SO4)3 is FeSO4), but for mercury(I),
    // whose cation is Hg2^2+ (Hg2(NO3)2).
    const long common = std::gcd(salt.cations, salt.anions);
    const bool mercuryOne = salt.cation == "Hg" && negative == salt.cations;
    if (common > 1 && !mercuryOne) {
        const auto polyatomic = [](const std::string& body) {
            return std::count_if(
                       body.begin(), body.end(),
                       [](char c) { return std::isupper(static_cast<unsigned char>(c)); }) > 1 ||
                   body.find_first_of("0123456789") != std::string::npos;
        };
        n.error = "Los subíndices se simplifican: " +
                  Part(salt.cation, salt.cations / common, polyatomic(salt.cation)) +
                  Part(salt.anion, salt.anions / common, polyatomic(salt.anion));
        return true;
    }
    if (hydroxide) {
        if (salt.cation != "NH4" && FindSchoolElement(salt.cation) &&
            FindSchoolElement(salt.cation)->Negative() != 0) {
            n.names.clear();
            n.error = Capitalised(The(*names.Element(salt.cation))) +
                      " no es un metal: no forma hidróxidos";
            return true;
        }
        n.kind = "hidróxido";
        const bool mono =
            salt.anions == 1 && salt.cation != "NH4" && PositiveNumbers(salt.cation).size() > 1;
        Add(n, kCompositionNames,
            (mono ? "monohidróxido" : Counted(salt.anions, "hidróxido")) + " de " +
                cationComposition);
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
        const std::string group = salt.anions == 1 ? additive
                                  // A group whose name has parentheses goes in square brackets.
                                  : additive.find('(') != std::string::npos
                                      ? GroupPrefix(salt.anions) + "[" + additive + "]"
                                      : GroupPrefix(salt.anions) + "(" + additive + ")";
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
            if (formula == "H^+") Add(n, kChargeNames, "hidrógeno(1+)");
            Add(n, kTraditionalNames, cation.name);
            if (!cation.substitutive.empty()) Add(n, kSubstitutiveNames, cation.substitutive);
            return;
        }
    }
    if (body == "OH" && charge == -1) {
        n.kind = "anión";
        Add(n, kTraditionalNames, "hidróxido");
        Add(n, kChargeNames, "hidróxido(1-)");
        Add(n, kSubstitutiveNames, "oxidanuro");
        return;
    }
    if (body == "Hg2" && charge == 2) {  // mercury(I)
        n.kind = "catión";
        Add(n, kCompositionNames, "dimercurio(2+)");
        Add(n, kOxidationNumberNames, "mercurio(I)");
        return;
    }
    if (body == "Hg" && charge == 1) {
        n.error = "El mercurio(I) es el ion Hg2^2+";
        return;
    }
    if (body == "S2" && charge == -2) {
        n.kind = "anión";
        Add(n, kCompositionNames, "disulfuro(2-)");
        Add(n, kTraditionalNames, "disulfuro");
        return;
    }
    if (body == "O2" && charge == -2) {
        n.kind = "anión";
        Add(n, kTraditionalNames, "peróxido");
        Add(n, kChargeNames, "dióxido(2-)");
        return;
    }
    AnionReading anion;
    if (charge < 0 && FindAnion(body, anion, charge)) {
        n.kind = "anión";
        Add(n, kTraditionalNames, AnionName(anion));
        const std::string additive = AnionAdditive(anion);
        if (!additive.empty())
            Add(n, anion.hydrogens > 0 ? kHydrogenNames : kAdditiveNames,
                additive + "(" + ChargeText(charge) + ")");
        if (!anion.ion->substitutive.empty()) Add(n, kSubstitutiveNames, anion.ion->substitutive);
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
        // Only metals are cations in school chemistry (B^3+ is no ion of water).
        if (!IsMetal(e->symbol) || !HasNumber(e->symbol, charge)) {
            n.error = Capitalised(The(*e)) + " no forma el catión " + formula;
            return;
        }
        n.kind = "catión";
        Add(n, kChargeNames, e->name + "(" + ChargeText(charge) + ")");
        // "sodio" alone is the element: its only cation is "ion sodio".
        Add(n, kOxidationNumberNames,
            PositiveNumbers(e->symbol).size() > 1 ? StockName(*e, charge) : "ion " + e->name);
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
                // The numbers of a non-metal's hydrogen compound are not named (NH3 is no
                // "hidruro de nitrógeno(III)"); a metal's hydride keeps its (AlH3).
                const SchoolElement* school = FindSchoolElement(first.symbol);
                const bool metal = school && school->Negative() == 0;
                for (const SystemName& c : binary.names) {
                    if (c.system != kOxidationNumberNames || metal ||
                        c.name.rfind("peróxido", 0) == 0)
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
    if (const AcidName* own = names.Acid(formula)) {
        n.kind = "oxoácido";
        Add(n, kTraditionalNames, "ácido " + own->adjective);
        if (!own->hydrogen.empty()) Add(n, kHydrogenNames, own->hydrogen);
        if (!own->additive.empty()) Add(n, kAdditiveNames, own->additive);
        return n;
    }
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
