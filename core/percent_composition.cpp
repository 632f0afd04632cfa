#include "core/percent_composition.h"

#include <cmath>

#include "core/formula.h"
#include "core/number_format.h"

namespace tovel {

namespace {

// "63.55", "9·16.00", "4.5·16.00": an element's part of the molar mass as it is summed.
std::string Term(double atoms, double mass) {
    std::string each = FormatWorking(mass, 4);
    if (atoms == 1) return each;
    return FormatSignificantShort(atoms, 4) + "·" + each;
}

}  // namespace

std::string PercentText(double percent) {
    return FormatFixed(percent, 0, 2);
}

std::vector<std::string> ShareLines(const Composition& composition, std::string_view waterNote) {
    std::vector<std::string> lines;
    for (const ElementShare& share : composition.elements)
        lines.push_back(share.symbol + "\t" + PercentText(share.percent) + " %");
    if (composition.waterPercent > 0)
        lines.push_back("H2O\t" + PercentText(composition.waterPercent) + " %" +
                        std::string(waterNote));
    return lines;
}

Composition PercentComposition(std::string_view formula, const ElementTable& table) {
    Composition c;
    const FormulaScan scan = ScanFormula(formula);
    c.formula = scan.formula;
    if (scan.error == FormulaError::Empty) {
        c.error = "Falta la fórmula";
        return c;
    }
    if (scan.error != FormulaError::None) {
        c.error = "La fórmula \"" + std::string(formula) + "\" no vale: " + ScanErrorReason(scan);
        return c;
    }
    if (scan.entries.empty()) {
        c.error = "El electrón no tiene composición: no es un compuesto";
        return c;
    }
    std::string sum;
    std::vector<double> atomicMasses;  // by element, for the working
    for (const FormulaEntry& entry : scan.entries) {
        const ElementRecord* element = table.FindSymbol(entry.element.symbol);
        if (element == nullptr) {
            c.error = "El elemento " + entry.element.symbol + " de " + c.formula +
                      " no está en la tabla de elementos";
            return c;
        }
        ElementShare share;
        share.symbol = entry.element.symbol;
        share.atoms = static_cast<double>(entry.count) / scan.formulas;
        share.mass = share.atoms * element->atomicMass;
        atomicMasses.push_back(element->atomicMass);
        c.molarMass += share.mass;
        sum += (sum.empty() ? "" : " + ") + Term(share.atoms, element->atomicMass);
        c.elements.push_back(share);
    }
    if (!(c.molarMass > 0)) {
        c.error = "La masa molar de " + c.formula + " es 0: revise la tabla de elementos";
        return c;
    }
    const std::string molar = FormatWorking(c.molarMass, 4);
    c.steps.push_back("M(" + c.formula + ") = " + sum + " = " + molar + " g/mol");
    for (std::size_t i = 0; i < c.elements.size(); ++i) {
        ElementShare& share = c.elements[i];
        share.percent = share.mass / c.molarMass * 100;
        c.steps.push_back("%" + share.symbol + " = " + Term(share.atoms, atomicMasses[i]) + " / " +
                          molar + " · 100 = " + PercentText(share.percent) + " %");
    }
    const double water = HydrateWater(c.formula);
    const ElementRecord* hydrogen = table.FindSymbol("H");
    const ElementRecord* oxygen = table.FindSymbol("O");
    if (water > 0 && hydrogen != nullptr && oxygen != nullptr) {
        const double waterMass = 2 * hydrogen->atomicMass + oxygen->atomicMass;
        c.waterPercent = water * waterMass / c.molarMass * 100;
        c.steps.push_back("% de agua = " + Term(water, waterMass) + " / " + molar +
                          " · 100 = " + PercentText(c.waterPercent) + " %");
    }
    return c;
}

}  // namespace tovel
