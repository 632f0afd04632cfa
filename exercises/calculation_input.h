#pragma once
// What the calculation mode and tovel-cli share about the user's data: reading a typed amount, and
// the messages of a calculation that cannot start or that did not use every datum.

#include <optional>
#include <string>

#include "core/reaction.h"
#include "core/stoichiometry.h"
#include "core/user_port.h"

namespace tovel {

// A datum that cannot be taken, told to the user as "Datos no válidos".
void ReportInvalidData(UserPort& port, const std::string& text);
// "field: text; " followed by how to write a number.
std::string NotANumberText(const std::string& field, const std::string& text);

// An amount box's text as a datum: empty is no datum (0). Text that is no number, or a negative
// number, is reported naming the formula.
std::optional<double> ReadAmount(const std::string& text, const std::string& formula,
                                 UserPort& port);
// Tells the user why a calculation cannot start: no datum at all, or a gas without P and T.
void ReportNoData(UserPort& port);
void ReportGasNotSet(const std::string& formula, UserPort& port);
// Tells the user that the amounts are too large for the calculation.
void ReportOverflow(UserPort& port);
// Tells the user which data a calculation used when amounts were also given that it did not use.
void ReportUnusedProducts(const Reaction& reaction, const StoichiometryResult& result,
                          UserPort& port);

}  // namespace tovel
