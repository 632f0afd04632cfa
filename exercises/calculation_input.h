#pragma once
// What the calculation mode and tovel-cli share about the user's data: reading a typed amount, and
// the messages of a calculation that cannot start or that did not use every datum.

#include <array>
#include <optional>
#include <string>
#include <vector>

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
// The "Rendimiento %" field: empty is 100; anything but a number above 0 and up to 100 is
// reported naming the field.
std::optional<double> ReadYield(const std::string& text, UserPort& port);
// The calculation that finds the yield from what was obtained of a product: the one in
// obtainedSlot, or the first with an amount when it is 0. Reported, and nothing returned: no
// reactant amount, no product amount, or more obtained than the reactants can give.
std::optional<StoichiometryResult> CalculateObtainedYield(
    const Reaction& reaction, const std::array<std::vector<SlotData>, 2>& data, UserPort& port,
    std::size_t obtainedSlot = 0);

// Tells the user why a calculation cannot start: no datum at all, or a gas without P and T.
void ReportNoData(UserPort& port);
void ReportGasNotSet(const std::string& formula, UserPort& port);
// Tells the user that the amounts are too large for the calculation.
void ReportOverflow(UserPort& port);
// Tells the user which data a calculation used when amounts were also given that it did not use.
void ReportUnusedProducts(const Reaction& reaction, const StoichiometryResult& result,
                          UserPort& port);

}  // namespace tovel
