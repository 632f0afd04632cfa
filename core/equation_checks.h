#pragma once
// What the main window says about an equation: the messages for a text that is no equation, the
// check that both sides hold the same elements, and automatic balancing with its report. Shared
// by the window and tovel-cli so that both say exactly the same.

#include <string>

#include "core/element_table.h"
#include "core/reaction.h"
#include "core/user_port.h"

namespace tovel {

// The side's element symbols, each followed by three blanks, in the order of the side's set.
std::string ElementListText(const Reaction& reaction, int side, const ElementTable& table);

// A seventh substance on a side.
void ReportTooManySubstances(UserPort& port);

// Tells the user why ParseReaction returned code (1 to 3); nothing for 0. With the failure's
// detail, a formula that the parser already reported is not reported again, and a missing one is
// named by its side and position. With the equation's text, charges written without "^" (Fe3+ +
// e-, which the "+" splits) are shown written right.
void ReportReactionParseFailure(int code, UserPort& port,
                                const ReactionParseFailure* failure = nullptr,
                                std::string_view equation = {});

// The charges of an equation written without "^", written right: "Fe^3+, e^-". Empty when there
// are none.
std::string EquationChargeHints(std::string_view equation);

// SameElements, telling the user which elements each side holds when they differ.
bool CheckSameElements(const Reaction& reaction, const ElementTable& table, UserPort& port);

// The elements that stand on one side only, named: "Fe solo está en los reactivos; H solo está en
// los productos". Empty when both sides hold the same elements.
std::string OneSideElementsText(const Reaction& reaction, const ElementTable& table);

// An equation fit to be kept in the library: one "=", formulas that parse, and the same elements
// on both sides. What is wrong is told to the user; false then.
bool CheckEquationText(std::string_view equation, ElementTable& table, UserPort& port);

// "Autoajuste": the element check, then BalanceReaction; a failure is reported.
bool AutoBalance(Reaction& reaction, const ElementTable& table, UserPort& port);

}  // namespace tovel
