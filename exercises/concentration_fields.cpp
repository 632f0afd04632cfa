#include "exercises/concentration_fields.h"

#include <algorithm>
#include <cmath>

#include "core/control_text.h"
#include "core/formula.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

constexpr std::string_view kMissingData = "Faltan datos válidos";
constexpr std::string_view kBadMolarMass = "Masa molar no válida";

struct FieldNames {
    std::string_view label;
    std::string_view unit;
    std::string_view listName;  // empty: the label
};

// In ConcentrationField order.
constexpr std::array<FieldNames, kConcentrationFieldCount> kFieldNames = {{
    {"Compuesto", "", ""},
    {"MM", "g/mol", ""},
    {"Densidad disolución", "g/ml", "Densidad"},
    {"Molaridad", "", ""},
    {"molalidad", "", ""},
    {"g/l", "", ""},
    {"% en masa", "", ""},
    {"g soluto", "", ""},
    {"ml disolución", "", ""},
    {"g disolvente", "", ""},
}};

// How the case's texts speak of each concentration, in ConcentrationKind order.
struct KindTexts {
    std::string_view article;  // before the field's label
    std::string_view unit;
    std::string_view prefix;  // before the value
    std::string_view opening;
    std::string_view preparation;  // how the answer makes it; empty for none
};

constexpr std::array<KindTexts, 4> kKindTexts = {{
    {"la ", "mol/l", "M= ", "¿Cómo se debe preparar 1 l de disolución de ",
     " y añadiendo agua hasta un volumen total de 1 l, en un matraz aforado."},
    {"la ", "mol/kg", "m= ", "Si disponemos de 1 l. de agua ¿cómo prepararemos una disolución de ",
     " y disolviéndolos en el l de agua."},
    {"los ", "g/l", "", "Una disolución tiene una concentración de ", ""},
    {"el ", "% en masa", "", "¿Cómo prepararemos 1 kg de disolución del ",
     " y añadiendo agua hasta un peso total de 1 kg."},
}};

// Three significant figures without an exponent, as a bound reads best: 0.0584, 1.20.
std::string BoundText(double value) {
    if (!(value > 0) || !std::isfinite(value)) return FormatSignificant(value, 3);
    const int magnitude = static_cast<int>(std::floor(std::log10(value)));
    return TrimBlanks(
        FormatFixed(value, 0, static_cast<unsigned>(std::clamp(2 - magnitude, 0, 20))));
}

const FieldNames& Names(ConcentrationField field) {
    return kFieldNames[static_cast<std::size_t>(field)];
}

const KindTexts& Texts(ConcentrationKind kind) {
    return kKindTexts[static_cast<std::size_t>(kind)];
}

std::string Label(ConcentrationKind kind) {
    return std::string(FieldLabel(FieldOf(kind)));
}

const std::optional<double>& Amount(const SolutionAmounts& amounts, ConcentrationField field) {
    static const std::optional<double> none;
    switch (field) {
        case ConcentrationField::Molarity:
            return amounts.molarity;
        case ConcentrationField::Molality:
            return amounts.molality;
        case ConcentrationField::GramsPerLitre:
            return amounts.gramsPerLitre;
        case ConcentrationField::MassPercent:
            return amounts.massPercent;
        case ConcentrationField::SoluteGrams:
            return amounts.soluteGrams;
        case ConcentrationField::SolutionMillilitres:
            return amounts.solutionMillilitres;
        case ConcentrationField::SolventGrams:
            return amounts.solventGrams;
        case ConcentrationField::Compound:
        case ConcentrationField::MolarMass:
        case ConcentrationField::Density:
            break;
    }
    return none;
}

// Every field a calculation writes or empties, except those given.
void ShowAll(const SolutionAmounts& amounts, ConcentrationField givenA, ConcentrationField givenB,
             ConcentrationFields& fields) {
    using F = ConcentrationField;
    for (const F field : {F::Molarity, F::Molality, F::GramsPerLitre, F::MassPercent,
                          F::SoluteGrams, F::SolutionMillilitres, F::SolventGrams}) {
        if (field == givenA || field == givenB) continue;
        const auto& value = Amount(amounts, field);
        fields[field] = value ? FormatSignificant(*value, 3) : "";
    }
}

}  // namespace

ConcentrationField FieldOf(ConcentrationKind kind) {
    switch (kind) {
        case ConcentrationKind::Molarity:
            return ConcentrationField::Molarity;
        case ConcentrationKind::Molality:
            return ConcentrationField::Molality;
        case ConcentrationKind::GramsPerLitre:
            return ConcentrationField::GramsPerLitre;
        case ConcentrationKind::MassPercent:
            break;
    }
    return ConcentrationField::MassPercent;
}

ConcentrationField FieldOf(PreparationQuantity quantity) {
    return quantity == PreparationQuantity::SolutionMillilitres
               ? ConcentrationField::SolutionMillilitres
               : ConcentrationField::SolventGrams;
}

std::string_view FieldLabel(ConcentrationField field) {
    return Names(field).label;
}
std::string_view FieldUnit(ConcentrationField field) {
    return Names(field).unit;
}
std::string_view FieldListName(ConcentrationField field) {
    return Names(field).listName.empty() ? Names(field).label : Names(field).listName;
}

std::optional<double> CompoundMolarMass(const std::string& formula, ElementTable& table,
                                        bool tableLoaded, UserPort& port) {
    if (!tableLoaded) {
        Notice(port, "No hallado: elements.dat", "No se podrá calcular masas molares");
        return std::nullopt;
    }
    Substance substance;
    if (!ParseFormula(substance, formula, table, port)) {
        // The parser has told what is wrong, but for an empty formula.
        if (TrimWhitespace(formula).empty()) Notice(port, "Error", "Fórmula incorrecta");
        return std::nullopt;
    }
    // A solution is made by dissolving a substance; its ions come with it, never alone.
    if (IsElectron(substance)) {
        Notice(port, kCannotCompute,
               "El electrón no se disuelve: el soluto es una sustancia, por ejemplo CuSO4");
        return std::nullopt;
    }
    if (substance.charge != 0) {
        Notice(port, kCannotCompute,
               substance.formula +
                   " es un ion, y un ion no se disuelve solo: se disuelve la sal que lo "
                   "contiene, por ejemplo CuSO4 para Cu^2+ o NaCl para Cl^-");
        return std::nullopt;
    }
    return MolarMass(substance);
}

SoluteMolarMass SoluteMasses(std::string_view formula, double molarMass,
                             const ElementTable& table) {
    SoluteMolarMass masses{molarMass, molarMass};
    const ElementRecord* hydrogen = table.FindSymbol("H");
    const ElementRecord* oxygen = table.FindSymbol("O");
    const double water = HydrateWater(formula);
    if (water > 0 && hydrogen && oxygen) {
        masses.dissolved = molarMass - water * (2 * hydrogen->atomicMass + oxygen->atomicMass);
    }
    return masses;
}

std::string MolarMassText(double molarMass) {
    return TrimBlanks(FormatSignificant(molarMass, 4));
}

std::optional<double> ReadNumber(std::string_view text) {
    if (TrimBlanks(text).empty()) return std::nullopt;
    int error = 0;
    const double value = ReadReal(text, error);
    if (error != 0) return std::nullopt;
    return value;
}

std::optional<double> ReadMolarMass(std::string_view text, UserPort& port) {
    const std::optional<double> mm = ReadNumber(text);
    if (!mm && !TrimBlanks(text).empty()) {
        // Typed, but no number: say how numbers are written.
        Notice(port, kCannotCompute,
               std::string(kBadMolarMass) + ": " + TrimBlanks(text) + "; " + kNumberHint);
        return std::nullopt;
    }
    if (!mm || !(*mm > 0)) {
        Notice(port, kCannotCompute, kBadMolarMass);
        return std::nullopt;
    }
    return mm;
}

std::optional<double> ReadDensity(std::string& text, UserPort& port) {
    if (TrimBlanks(text).empty()) return 0.0;
    const std::optional<double> d = ReadNumber(text);
    if (!d) {
        Notice(port, "Densidad incorrecta",
               "No se tendrá en cuenta: " + TrimBlanks(text) + "; " + kNumberHint);
        text.clear();
        return 0.0;
    }
    // The calculation reads 0 as no density; a typed 0 is a wrong density.
    if (!(*d > 0)) {
        ConcentrationResult refused;
        refused.refusal = ConcentrationRefusal::Density;
        TellRefusal(port, refused);
        return std::nullopt;
    }
    return d;
}

void TellMissingData(UserPort& port) {
    Notice(port, kCannotCompute, kMissingData);
}

std::string RefusalText(const ConcentrationResult& refused) {
    const std::string density(FieldLabel(ConcentrationField::Density));
    const std::string aboveZero = ": ha de ser mayor que 0";
    switch (refused.refusal.value_or(ConcentrationRefusal::OutOfRange)) {
        case ConcentrationRefusal::MolarMass:
            return std::string(kBadMolarMass);
        case ConcentrationRefusal::Molarity:
            return Label(ConcentrationKind::Molarity) + aboveZero;
        case ConcentrationRefusal::Molality:
            return Label(ConcentrationKind::Molality) + aboveZero;
        case ConcentrationRefusal::GramsPerLitre:
            return Label(ConcentrationKind::GramsPerLitre) + aboveZero;
        case ConcentrationRefusal::MassPercent:
            return Label(ConcentrationKind::MassPercent) + aboveZero + " y menor que 100";
        case ConcentrationRefusal::SoluteGrams:
        case ConcentrationRefusal::SolutionMillilitres:
        case ConcentrationRefusal::SolventGrams:
            // The preparation box has always answered this for amounts of 0 or less.
            return std::string(kMissingData);
        case ConcentrationRefusal::Density:
            return density + aboveZero;
        case ConcentrationRefusal::DensityAtMostSolute:
            return density + ": ha de ser mayor que " + BoundText(refused.densityLimit) +
                   " g/ml (los g de soluto por ml)";
        case ConcentrationRefusal::HydrateWater:
            return "El agua de cristalización del hidrato ya es más de la que admite la "
                   "disolución: con esta concentración no queda agua que añadir";
        case ConcentrationRefusal::OutOfRange:
            break;
    }
    return "Con estos datos algún resultado sale infinito";
}

void TellRefusal(UserPort& port, const ConcentrationResult& refused) {
    Notice(port, kCannotCompute, RefusalText(refused));
}

void ShowResults(const SolutionAmounts& amounts, ConcentrationKind given,
                 ConcentrationFields& fields) {
    ShowAll(amounts, FieldOf(given), FieldOf(given), fields);
    // The amounts for the basis quantity are exact: "1000", not 1.00E3.
    if (given == ConcentrationKind::Molarity || given == ConcentrationKind::GramsPerLitre) {
        fields[ConcentrationField::SolutionMillilitres] = "1000";
    } else if (given == ConcentrationKind::Molality &&
               std::abs(amounts.solventGrams.value_or(0) - 1000) < 1e-9) {
        // A hydrate's own water leaves less than 1000 g to add.
        fields[ConcentrationField::SolventGrams] = "1000";
    }
}

void ShowResults(const SolutionAmounts& amounts, PreparationQuantity given,
                 ConcentrationFields& fields) {
    ShowAll(amounts, ConcentrationField::SoluteGrams, FieldOf(given), fields);
}

CaseText ComposeCase(const ConcentrationCase& shown) {
    using F = ConcentrationField;
    const ConcentrationFields& f = shown.fields;
    const bool given = shown.kind == CaseKind::ConcentrationGiven;
    const bool withDensity = !f[F::Density].empty();
    const auto valueText = [&](ConcentrationKind kind) {
        const KindTexts& k = Texts(kind);
        return std::string(k.prefix) + f[FieldOf(kind)] + " " + std::string(k.unit);
    };

    std::string s;
    if (given) {
        const ConcentrationKind kind = shown.concentration;
        s = std::string(Texts(kind).opening) + valueText(kind) + ", de " + shown.formula +
            (kind == ConcentrationKind::GramsPerLitre ? "." : " ?") + "\r\nCalcular: ";
        for (const ConcentrationKind other : kConcentrationKinds) {
            if (other != kind && !f[FieldOf(other)].empty()) {
                s += std::string(Texts(other).article) + Label(other) + ", ";
            }
        }
        s += "de esta disolución ";
    } else {
        const bool byVolume = shown.quantity == PreparationQuantity::SolutionMillilitres;
        s = "Se prepara una disolución con " + f[F::SoluteGrams] + " g de " + shown.formula;
        s += byVolume
                 ? " hasta un volumen final de disolución de " + f[F::SolutionMillilitres] + " ml."
                 : " y " + f[F::SolventGrams] + " g de agua.";
        s += "\r\nCalcular la concentración de la disolución expresada en: ";
        using K = ConcentrationKind;
        if (withDensity) {
            s += Label(K::Molarity) + ", " + Label(K::Molality) + ", " + Label(K::GramsPerLitre) +
                 " y " + Label(K::MassPercent) + ".";
        } else if (byVolume) {
            s += Label(K::Molarity) + " y " + Label(K::GramsPerLitre) + ".";
        } else {
            s += Label(K::Molality) + " y " + Label(K::MassPercent) + ".";
        }
    }
    if (withDensity) s += "\r\nDensidad de la disolución: " + f[F::Density] + " g/ml.";

    std::string a = "R:\r\n";
    if (shown.saltMolarMass > 0) {
        a += "El agua de cristalización del " + shown.formula +
             " pasa al disolvente: las concentraciones son de " + AnhydrousFormula(shown.formula) +
             " (" + MolarMassText(shown.saltMolarMass) + " g/mol).\r\n";
    }
    if (given && !Texts(shown.concentration).preparation.empty()) {
        a += "Pesando " + f[F::SoluteGrams] + " g de " + shown.formula +
             std::string(Texts(shown.concentration).preparation) + "\r\n";
    }
    for (const ConcentrationKind kind : kConcentrationKinds) {
        if (given && kind == shown.concentration) continue;
        if (!f[FieldOf(kind)].empty()) a += valueText(kind) + ", ";
    }
    // The comma of the last ", " becomes the full stop.
    if (a.size() >= 2 && a.compare(a.size() - 2, 2, ", ") == 0) a[a.size() - 2] = '.';
    return {s, a};
}

}  // namespace tovel
