#pragma once
// What the windows read from their controls, without the controls: numbers typed by the user
// and ";"-separated item lists.

#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// A number as typed in a control: blanks around it are ignored, "." or "," is the decimal mark
// whatever the locale (1.04 or 1,04; never both, and no thousands separator), empty text reads 0.
// error is set to 1 when the text is no number, else 0.
double ReadReal(std::string_view text, int& error);
// What a number field that holds no number tells the user, after the field's name.
constexpr const char* kNumberHint = "use números como 1.04 o 1,04";

long long ReadInteger(std::string_view text, int& error);

// "atm;kPa" -> {"atm", "kPa"}; empty items are skipped.
std::vector<std::string> SplitItems(std::string_view list);

}  // namespace tovel
