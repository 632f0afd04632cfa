#pragma once
// Sheets are printed and handed out, so they follow print typography where the program's own
// windows keep their texts: "Los moles de", no blank before a full stop or a comma, no double
// blanks; and, by default, Spanish numbers: a decimal comma and powers of ten as "4,01·10⁻²".

#include <string>
#include <string_view>

#include "exercises/sheet_text.h"

namespace tovel {

// A sentence of a statement: blanks single and none before ".", ",", ";" or ":" nor at either
// end; a unit apart from its number ("1.86 mol", "74 %"); the unit "mol" that names what is asked,
// not an amount ("Los mol de", ", mol de"), is "moles".
std::string PrintedProse(std::string_view line);

// A line of a resolution: blanks inside each of its tab-separated cells single and none at a
// cell's end, units apart from their numbers; the tabs, which keep its columns, stay.
std::string PrintedWorking(std::string_view line);

// Numbers written with a decimal point or an exponent ("4.01E-2", "1.008") in Spanish: "4,01·10⁻²",
// "1,008"; in plain text, which has no superscripts, "4,01·10^-2". Digits that follow a letter or
// a bracket are a formula's counts and stay.
std::string SpanishNumbers(std::string_view line, bool plain = false);

// How a printed sheet writes its numbers.
enum class SheetNumbers {
    Spanish,       // typeset: 4,01·10⁻²
    SpanishPlain,  // in a text file, in tovel's plain notation: 4,01·10^-2
    Point,         // as the program's windows: 4.01E-2
};

// The sheet as it is printed: its prose, its resolutions and its answers' labels by print
// typography, and its numbers as asked.
SheetText PrintedSheet(const SheetText& text, SheetNumbers numbers);

}  // namespace tovel
