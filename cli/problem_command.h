#pragma once
// tovel-cli problem: the worded problem of a calculation given on the command line.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/stoichiometry.h"
#include "core/user_port.h"

namespace tovel {

// One datum: FORMULA=AMOUNT and a unit: g (optionally :P% purity), mol, Lcn, L:P:T (P in atm or
// kPa, T in C or K) or ml:MM (molarity).
struct Datum {
    std::string formula;
    std::string amount;  // as typed: read and refused as an amount box's text is
    SlotData slot;       // the unit with its purity, P and T or molarity
    bool purityGiven = false;
};

// False with the reason in error when the text is no datum.
bool ParseDatum(const std::string& text, Datum& datum, std::string& error);

// Balances the equation, runs the calculation on the data and writes the statement, an empty
// line and the resolution to out. False when something fails: the user port holds the messages,
// or error the reason when it is no message of the window's.
// yield is the --rendimiento percent as typed (empty: 100); obtained, the --obtenido datum of a
// product, from which the yield is found instead.
struct ProblemYield {
    std::string percent;
    std::string obtained;
};
bool RunProblem(const std::string& equation, const std::vector<std::string>& data,
                ElementTable& table, UserPort& port, std::string& error, std::ostream& out,
                const ProblemYield& yield = {});

}  // namespace tovel
