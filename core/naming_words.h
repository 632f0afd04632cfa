#pragma once
// The words inorganic names are built of, shared by the two directions of the nomenclature
// (naming a formula, reading a name): multiplying prefixes, numerals and charges, an element's
// school numbers and article, formula parts. Not for use outside those two files.

#include <string>
#include <string_view>
#include <vector>

#include "core/school_names.h"

namespace tovel::naming {

// di-, tri-... for simple names; bis-, tris-... before a name in parentheses.
std::string Prefix(long n);
std::string GroupPrefix(long n);
// A count before a word; 1 writes nothing.
std::string Counted(long n, const std::string& word);
// "2+", "1-".
std::string ChargeText(int charge);
// "SO4^2-" from "SO4" and -2.
std::string IonFormula(const std::string& body, int charge);
// The positive oxidation numbers school tables give an element.
std::vector<int> PositiveNumbers(std::string_view symbol);
bool HasNumber(std::string_view symbol, int n);
// A metal of the school tables: positive numbers only, no noble gas.
bool IsMetal(const std::string& symbol);
std::string Capitalised(std::string text);
// "el hierro", "la plata"; "del hierro", "de la plata".
std::string The(const ElementName& element);
std::string OfThe(const ElementName& element);
// "hierro(III)", "sodio": the numeral only where the element has more than one number.
std::string StockName(const ElementName& element, int number);
// "Fe2", "(NH4)2", "Na": a part of a formula with its count.
std::string Part(const std::string& body, long count, bool group);
std::string Joined(const std::vector<std::string>& items, const std::string& separator);

struct Element {
    std::string symbol;
    long count = 0;
};

// The elements of a formula without groups or charge, in the order written; false for any other.
bool PlainElements(const std::string& formula, std::vector<Element>& elements);

// "SO4" of "SO4^2-".
std::string Body(const std::string& ionFormula);

}  // namespace tovel::naming
