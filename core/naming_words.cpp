#include "core/naming_words.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/nomenclature.h"
#include "core/school_elements.h"

namespace tovel::naming {

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

std::string Body(const std::string& ionFormula) {
    return ionFormula.substr(0, ionFormula.find('^'));
}

bool IsMetal(const std::string& symbol) {
    static const char* const kNoble[] = {"He", "Ne", "Ar", "Kr", "Xe", "Rn"};
    if (std::find(std::begin(kNoble), std::end(kNoble), symbol) != std::end(kNoble)) return false;
    const SchoolElement* e = FindSchoolElement(symbol);
    return e && e->Negative() == 0 && !PositiveNumbers(symbol).empty();
}

}  // namespace tovel::naming
