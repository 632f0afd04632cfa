// Which kinds of data a sheet offers for a substance, by the school's conventions: gases in
// litres, laboratory solutes in millilitres of a solution, ores and salts impure; and the units a
// substance is asked in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/reaction.h"
#include "exercises/sheet_data.h"

namespace tovel {
namespace {

using D = SheetDatum;
using U = AmountUnit;

TEST(SheetData, KindsSuitTheSubstanceAndItsSide) {
    const SheetChoices all;
    struct Case {
        const char* formula;
        int side;
        std::vector<SheetDatum> kinds;
    };
    const Case cases[] = {
        // A solid reactant may be impure; not a solute, so never a solution.
        {"CaCO3", kReactants, {D::Grams, D::ImpureGrams, D::Moles}},
        // Water is never impure.
        {"H2O", kReactants, {D::Grams, D::Moles}},
        // A gas that is also a solute: litres and solutions, but never impure.
        {"HCl", kReactants, {D::Grams, D::Moles, D::LitresNormal, D::LitresPT, D::Solution}},
        {"NaOH", kReactants, {D::Grams, D::ImpureGrams, D::Moles, D::Solution}},
        // A product is neither impure nor a solution.
        {"NaCl", kProducts, {D::Grams, D::Moles}},
        {"CO2", kProducts, {D::Grams, D::Moles, D::LitresNormal, D::LitresPT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.formula) + (c.side == kReactants ? " reactant" : " product"));
        EXPECT_EQ(DatumKinds(all, c.formula, c.side), c.kinds);
    }

    // Only the chosen kinds, and none when none of them suits.
    SheetChoices litres;
    litres.data = {false, false, false, true, true, false};
    EXPECT_EQ(DatumKinds(litres, "O2", kReactants),
              (std::vector<SheetDatum>{D::LitresNormal, D::LitresPT}));
    EXPECT_TRUE(DatumKinds(litres, "CaCO3", kReactants).empty());
}

TEST(SheetData, AskedUnitsNeedNoDatumOfTheirOwn) {
    const SheetChoices all;
    EXPECT_EQ(AskedUnits(all, "O2"),
              (std::vector<AmountUnit>{U::Gram, U::Mole, U::LitreNormal, U::LitrePT}));
    // Never millilitres of a solution: its molarity would not be stated.
    EXPECT_EQ(AskedUnits(all, "HNO3"), (std::vector<AmountUnit>{U::Gram, U::Mole}));

    // Impure grams ask in grams; a choice of solutions only falls back on grams.
    SheetChoices impure;
    impure.data = {false, true, false, false, false, false};
    EXPECT_EQ(AskedUnits(impure, "CaO"), std::vector<AmountUnit>{U::Gram});
    SheetChoices solutions;
    solutions.data = {false, false, false, false, false, true};
    EXPECT_EQ(AskedUnits(solutions, "HCl"), std::vector<AmountUnit>{U::Gram});
    // Litres only for a gas.
    SheetChoices litres;
    litres.data = {false, false, false, true, false, false};
    EXPECT_EQ(AskedUnits(litres, "H2"), std::vector<AmountUnit>{U::LitreNormal});
    EXPECT_EQ(AskedUnits(litres, "Fe"), std::vector<AmountUnit>{U::Gram});
}

}  // namespace
}  // namespace tovel
