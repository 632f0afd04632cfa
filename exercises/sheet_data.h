#pragma once
// The data a sheet's problem gives and asks for: which kinds suit a substance, and round amounts
// and conditions of the sizes a school problem uses.

#include <array>
#include <string>
#include <vector>

#include "core/reaction.h"
#include "core/stoichiometry.h"
#include "exercises/seeded_random.h"
#include "exercises/sheet_choices.h"

namespace tovel {

// Whether a school problem treats the substance as a gas (offered in litres), and as a solute of
// the solutions used in the laboratory (offered, as a reactant, in millilitres of a solution).
bool IsSheetGas(const std::string& formula);
bool IsSheetSolute(const std::string& formula);

// Whether a sheet weighs the substance as a solid, which alone may come impure: not a gas, an
// ion, a liquid of the laboratory or a small molecule of carbon, hydrogen and oxygen (alcohols,
// acids, fuels), sugars aside.
bool IsSheetSolid(const std::string& formula);

// What of a formula decides which data kinds suit it, as bits: a library of many reactions keeps
// these few bits of each substance instead of the substance.
enum SheetTrait : unsigned char {
    kSheetGas = 1,
    kSheetSolute = 2,
    kSheetWater = 4,
    kSheetIon = 8,  // an ion or the electron: counted in moles, never weighed
    kSheetSolid = 16,
};
unsigned char SheetTraits(const std::string& formula);
using ReactionTraits = std::array<std::array<unsigned char, kSideLimit>, 2>;
// The traits of every substance as it is in the reaction: a gas that dissolves well (HCl, NH3)
// is added as its solution where a reactant beside it is no gas (zinc in hydrochloric acid), so
// it is no gas there; it is one where it forms or meets only gases.
ReactionTraits SheetTraits(const Reaction& reaction);

// The data kinds of the choices that suit a substance of side given as a datum.
std::vector<SheetDatum> DatumKinds(const SheetChoices& choices, const std::string& formula,
                                   int side);
std::vector<SheetDatum> DatumKinds(const SheetChoices& choices, unsigned char traits, int side);

// The units a substance that is asked for may be asked in: those of the chosen kinds that need
// no datum of their own (a purity or a molarity the statement would not state), grams if none.
// An ion is asked in moles only.
std::vector<AmountUnit> AskedUnits(const SheetChoices& choices, const std::string& formula);
std::vector<AmountUnit> AskedUnits(const SheetChoices& choices, unsigned char traits);

// A gas's pressure and temperature.
GasConditions DrawGas(SeededRandom& random);

// A datum's unit and conditions, its amount still 0; a solution of formula as concentrated as
// the laboratory keeps it.
SlotData DrawSlot(SeededRandom& random, SheetDatum kind, const std::string& formula);

// The kind of datum d is.
SheetDatum DatumKindOf(const SlotData& d);

// A round amount in unit, of the size a school problem gives; whether amount is of that size.
double DrawAmount(SeededRandom& random, AmountUnit unit);
bool InAmountRange(double amount, AmountUnit unit);

}  // namespace tovel
