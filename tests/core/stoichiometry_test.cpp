#include <gtest/gtest.h>

#include "core/stoichiometry.h"

#include <sstream>

#include "core/text_utils.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

// The reactions of these cases, balanced, with a table where O is 16.00 as in the examples.
Reaction Balanced(const std::string& equation, std::vector<std::uint16_t> coefficients) {
    ElementTable table = test::DefaultElements();
    for (std::size_t slot = 1; slot <= table.Count(); ++slot) {
        if (table.Slot(slot).symbol == "O") table.Slot(slot).atomicMass = 16.00;
    }
    test::FakeUserPort port;
    Reaction r;
    EXPECT_EQ(ParseReaction(r, equation, table, port), kReactionOk);
    std::size_t k = 0;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t i = 0; i < r.Count(side); ++i)
            r.coefficients[side][i] = coefficients[k++];
    }
    return r;
}

SlotData Grams(double amount, double purity = 100) {
    SlotData d;
    d.amount = amount;
    d.purity = purity;
    return d;
}

SlotData In(AmountUnit unit, double amount) {
    SlotData d;
    d.unit = unit;
    d.amount = amount;
    return d;
}

using Data = std::array<std::vector<SlotData>, 2>;

TEST(Stoichiometry, ConversionsAndNames) {
    Substance water;
    water.molarMass = 18.0;
    EXPECT_DOUBLE_EQ(ConvertAmount(36, water, AmountUnit::Gram, AmountUnit::Mole), 2.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(36, water, AmountUnit::Gram, AmountUnit::LitreNormal), 44.8);
    EXPECT_DOUBLE_EQ(ConvertAmount(2, water, AmountUnit::Mole, AmountUnit::Gram), 36.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(44.8, water, AmountUnit::LitreNormal, AmountUnit::Mole), 2.0);
    EXPECT_DOUBLE_EQ(ConvertAmount(44.8, water, AmountUnit::LitreNormal, AmountUnit::Gram), 36.0);
    EXPECT_EQ(GasConstant(PressureUnit::Atm), 0.082);
    EXPECT_EQ(GasConstant(PressureUnit::KPa), 8.31);
    EXPECT_EQ(UnitName(AmountUnit::LitreNormal), "L cn");
    EXPECT_EQ(UnitName(AmountUnit::Solution), "ml");
    EXPECT_EQ(PurityQualifier(80), " 80%");
    EXPECT_EQ(PurityQualifier(100), "");
    EXPECT_EQ(MolarityQualifier(0.5), " 0.5M");
}

TEST(Stoichiometry, GasConditions) {
    SlotData gas = In(AmountUnit::LitrePT, 3);
    gas.gas = {101.3, 298, PressureUnit::KPa, TemperatureUnit::Celsius};
    EXPECT_DOUBLE_EQ(GasFactor(gas.gas), 101.3 / 298 / 8.31);
    EXPECT_EQ(UnitText(gas), "L a 101kPa y 298K");
    Substance any;
    any.molarMass = 2;
    EXPECT_DOUBLE_EQ(MolesFromAmount(any, gas, kProducts, 3), 3 * 101.3 / 298 / 8.31);
    EXPECT_NEAR(AmountFromMoles(any, gas, kProducts, MolesFromAmount(any, gas, kProducts, 3)), 3,
                1e-12);
    // Not a gas: no pressure, or no absolute temperature.
    for (const GasConditions bad :
         {GasConditions{0, 300}, GasConditions{1, -27}, GasConditions{-1, 300}}) {
        EXPECT_EQ(GasFactor(bad), 0.0);
        gas.gas = bad;
        EXPECT_EQ(CheckSlot(gas, kProducts), SlotRefusal::GasConditionsNotSet);
        EXPECT_EQ(AmountFromMoles(any, gas, kProducts, 1), 0.0);
    }
}

TEST(Stoichiometry, PuritiesAsTheUserGaveThem) {
    const std::pair<double, const char*> cases[] = {
        {99.5, "99.5"}, {85.5, "85.5"},        {80, "80"}, {12.5, "12.5"}, {0.05, "0.05"},
        {7.25, "7.25"}, {0.0012345, "0.00123"}};
    for (const auto& [purity, text] : cases)
        EXPECT_EQ(PurityText(purity), text) << purity;
    EXPECT_EQ(PurityQualifier(99.5), " 99.5%");  // not " 1E2%"
}

TEST(Stoichiometry, BothPressureUnitsGiveTheSameGas) {
    // 10 L of N2 at 2 atm (202.6 kPa) and 400 K: 0.610 mol, in either unit, to three figures.
    GasConditions atm{2, 400, PressureUnit::Atm, TemperatureUnit::Kelvin};
    GasConditions kpa{202.6, 400, PressureUnit::KPa, TemperatureUnit::Kelvin};
    EXPECT_NEAR(10 * GasFactor(kpa), 0.610, 0.0005);
    EXPECT_NEAR(10 * GasFactor(atm), 10 * GasFactor(kpa), 0.0005);
}

TEST(Stoichiometry, SlotChecks) {
    EXPECT_EQ(CheckSlot(Grams(1, 100), kReactants), SlotRefusal::None);
    EXPECT_EQ(CheckSlot(Grams(1, 0.5), kReactants), SlotRefusal::None);
    EXPECT_EQ(CheckSlot(Grams(1, 0), kReactants), SlotRefusal::PurityOutOfRange);
    EXPECT_EQ(CheckSlot(Grams(1, 101), kReactants), SlotRefusal::PurityOutOfRange);
    EXPECT_EQ(CheckSlot(Grams(1, 101), kProducts),
              SlotRefusal::None);  // a product's purity is not used
    SlotData solution = In(AmountUnit::Solution, 10);
    EXPECT_EQ(CheckSlot(solution, kReactants), SlotRefusal::None);
    EXPECT_EQ(CheckSlot(solution, kProducts), SlotRefusal::ProductSolution);
    solution.molarity = 0;
    EXPECT_EQ(CheckSlot(solution, kReactants), SlotRefusal::MolarityOutOfRange);
}

TEST(Stoichiometry, HydrogenIsLimitingAgainstOxygen) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    const StoichiometryResult result =
        CalculateStoichiometry(r, Data{{{Grams(4), Grams(32)}, {Grams(0)}}});
    ASSERT_TRUE(result.HasData());
    EXPECT_EQ(result.dataSide, kReactants);
    EXPECT_EQ(result.limiting, 1u);
    EXPECT_EQ(result.dataSlots, (std::vector<std::size_t>{1, 2}));
    EXPECT_NEAR(result.extent, 0.992, 0.0005);
    EXPECT_NEAR(result.amounts[kReactants][1].finalAmount, 0.254, 0.0005);  // grams of O2 left
    EXPECT_EQ(result.amounts[kReactants][0].finalAmount, 0.0);
    EXPECT_EQ(result.amounts[kReactants][0].initialAmount, 4.0);
    EXPECT_NEAR(result.amounts[kProducts][0].molesReacted, 1.984, 0.0005);
    EXPECT_NEAR(result.amounts[kProducts][0].finalAmount, 1.984 * 18.016, 0.01);
    EXPECT_TRUE(result.unusedProducts.empty());
}

TEST(Stoichiometry, TinyLeftoversAndEqualRatios) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    // O2 exceeds what H2 needs by less than a thousandth of the extent.
    StoichiometryResult result =
        CalculateStoichiometry(r, Data{{{Grams(2.016), Grams(16.0100)}, {Grams(0)}}});
    EXPECT_EQ(result.limiting, 1u);
    EXPECT_EQ(result.amounts[kReactants][1].finalMoles, 0.0);
    EXPECT_EQ(result.amounts[kReactants][1].finalAmount, 0.0);
    // Equal ratios: the lower slot is limiting.
    result = CalculateStoichiometry(
        r, Data{{{In(AmountUnit::Mole, 2), In(AmountUnit::Mole, 1)}, {Grams(0)}}});
    EXPECT_EQ(result.limiting, 1u);
}

TEST(Stoichiometry, OnlyAProductGiven) {
    const Reaction r = Balanced("H2+O2=H2O", {2, 1, 2});
    const StoichiometryResult result =
        CalculateStoichiometry(r, Data{{{Grams(0), Grams(0)}, {Grams(36.032)}}});
    EXPECT_EQ(result.dataSide, kProducts);
    EXPECT_EQ(result.limiting, 0u);
    EXPECT_EQ(result.dataSlots, (std::vector<std::size_t>{1}));
    EXPECT_NEAR(result.extent, 1.0, 1e-9);
    for (std::size_t slot = 1; slot <= 2; ++slot) {
        const SlotResult& reactant = result.amounts[kReactants][slot - 1];
        EXPECT_EQ(reactant.finalAmount, 0.0);
        EXPECT_NEAR(reactant.initialMoles, slot == 1 ? 2.0 : 1.0, 1e-9);
    }
    EXPECT_NEAR(result.amounts[kReactants][1].initialAmount, 32.0, 1e-9);  // the oxygen needed
    EXPECT_NEAR(result.amounts[kProducts][0].finalAmount, 36.032, 1e-9);
}

TEST(Stoichiometry, ReactantsDecideOverProductsAndTheFirstProductOverTheOthers) {
    const Reaction r = Balanced("C3H8+O2=CO2+H2O", {1, 5, 3, 4});
    StoichiometryResult result = CalculateStoichiometry(
        r, Data{{{Grams(0), Grams(16)}, {In(AmountUnit::LitreNormal, 10), Grams(0)}}});
    EXPECT_EQ(result.dataSide, kReactants);
    EXPECT_EQ(result.limiting, 2u);
    EXPECT_EQ(result.unusedProducts, (std::vector<std::size_t>{1}));
    EXPECT_NEAR(result.amounts[kProducts][0].finalAmount, 16.0 / 32 / 5 * 3 * 22.4,
                1e-9);  // computed, not the 10
    result = CalculateStoichiometry(
        r, Data{{{Grams(0), Grams(0)}, {In(AmountUnit::LitreNormal, 10), Grams(18)}}});
    EXPECT_EQ(result.dataSide, kProducts);
    EXPECT_EQ(result.dataSlots, (std::vector<std::size_t>{1}));
    EXPECT_EQ(result.unusedProducts, (std::vector<std::size_t>{2}));
    EXPECT_NEAR(result.extent, 10 / 22.4 / 3, 1e-12);
    // Nothing given: no result.
    EXPECT_FALSE(CalculateStoichiometry(r, Data{}).HasData());
}

TEST(Stoichiometry, PurityCountsOnlyThePureMass) {
    const Reaction r = Balanced("CaCO3=CaO+CO2", {1, 1, 1});
    const double mm = r.substances[0][0].molarMass;
    StoichiometryResult result =
        CalculateStoichiometry(r, Data{{{Grams(50, 80)}, {Grams(0), Grams(0)}}});
    EXPECT_NEAR(result.amounts[kReactants][0].initialMoles, 40 / mm, 1e-12);
    // The amount needed of an impure reactant is impure grams.
    result = CalculateStoichiometry(
        r, Data{{{Grams(0, 80)}, {In(AmountUnit::Mole, 40 / mm), Grams(0)}}});
    EXPECT_NEAR(result.amounts[kReactants][0].initialAmount, 50, 1e-9);
}

TEST(Stoichiometry, SolutionVolumeAndGasAmounts) {
    const Reaction r = Balanced("Zn+HCl=ZnCl2+H2", {1, 2, 1, 1});
    SlotData acid = In(AmountUnit::Solution, 100);
    acid.molarity = 2;
    SlotData hydrogen = In(AmountUnit::LitrePT, 0);
    hydrogen.gas = {1, 273, PressureUnit::Atm, TemperatureUnit::Kelvin};
    const StoichiometryResult result =
        CalculateStoichiometry(r, Data{{{Grams(0), acid}, {Grams(0), hydrogen}}});
    EXPECT_NEAR(result.extent, 0.1, 1e-12);
    EXPECT_NEAR(result.amounts[kProducts][1].finalAmount, 0.1 * 0.082 * 273, 1e-9);
    acid.amount = 0;
    EXPECT_NEAR(AmountFromMoles(r.substances[0][1], acid, kReactants, 0.2), 100, 1e-9);
}

// Every yield case worked by hand: a yield given (the products form that part; a product wanted
// needs the reactants of more), or asked for from what was obtained.
TEST(Stoichiometry, YieldCasesWorkedByHand) {
    std::istringstream file(
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/yield_cases.tsv"));
    int checked = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> c = SplitAt(line, '\t');
        ASSERT_EQ(c.size(), 5u) << line;
        std::vector<std::uint16_t> coefficients;
        std::istringstream numbers(c[1]);
        for (int k; numbers >> k;)
            coefficients.push_back(static_cast<std::uint16_t>(k));
        const Reaction r = Balanced(c[0], coefficients);
        Data data;
        for (int side = 0; side < 2; ++side)
            data[side].resize(r.Count(side));
        const auto place = [&](const std::string& datum, bool amountToo) {
            const auto equals = datum.find('=');
            std::istringstream value(datum.substr(equals + 1));
            double amount = 0;
            std::string unit;
            value >> amount >> unit;
            for (int side = 0; side < 2; ++side) {
                for (std::size_t slot = 1; slot <= r.Count(side); ++slot) {
                    if (r.substances[side][slot - 1].formula != datum.substr(0, equals)) continue;
                    SlotData& d = data[side][slot - 1];
                    d.unit = unit == "mol"   ? AmountUnit::Mole
                             : unit == "Lcn" ? AmountUnit::LitreNormal
                                             : AmountUnit::Gram;
                    if (amountToo) d.amount = amount;
                    return std::tuple{side, slot, amount};
                }
            }
            ADD_FAILURE() << datum << " not in " << c[0];
            return std::tuple{0, std::size_t{1}, 0.0};
        };
        std::size_t obtained = 0;
        // The unit the answer is asked in is chosen before the calculation, as in the window.
        const auto [askedSide, askedSlot, answer] =
            c[3] == "?" ? std::tuple{0, std::size_t{0}, 0.0} : place(c[4], false);
        for (const std::string& datum : SplitAt(c[2], ';')) {
            const auto [side, slot, amount] = place(datum, true);
            if (c[3] == "?" && side == kProducts) obtained = slot;
        }
        const StoichiometryResult result = c[3] == "?"
                                               ? CalculateFromObtained(r, data, obtained)
                                               : CalculateStoichiometry(r, data, std::stod(c[3]));
        ASSERT_TRUE(result.HasData()) << line;
        double got = result.yieldPercent;
        double want = std::stod(c[4].substr(c[4].find('=') + 1));
        if (c[3] != "?") {
            const SlotResult& a = result.amounts[askedSide][askedSlot - 1];
            got = askedSide == kReactants ? a.initialAmount : a.finalAmount;
            want = answer;
        }
        EXPECT_NEAR(got, want, want * 0.003) << line;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(Stoichiometry, YieldBoundsAndWhatCannotBeFound) {
    EXPECT_FALSE(YieldInRange(0));
    EXPECT_TRUE(YieldInRange(0.5));
    EXPECT_TRUE(YieldInRange(100));
    EXPECT_FALSE(YieldInRange(100.01));
    const Reaction r = Balanced("CaCO3=CaO+CO2", {1, 1, 1});
    // No reactant amount: nothing to compare what was obtained with.
    EXPECT_FALSE(CalculateFromObtained(r, Data{{{Grams(0)}, {Grams(5), Grams(0)}}}, 1).HasData());
    // More obtained than can form: a yield above 100 the caller refuses.
    const StoichiometryResult over =
        CalculateFromObtained(r, Data{{{Grams(10)}, {Grams(10), Grams(0)}}}, 1);
    EXPECT_GT(over.yieldPercent, 100);
    // The reactants react whole whatever the yield; only the products shrink.
    const StoichiometryResult half =
        CalculateStoichiometry(r, Data{{{Grams(100.09)}, {Grams(0), Grams(0)}}}, 50);
    EXPECT_NEAR(half.amounts[kReactants][0].molesReacted, 1, 1e-3);
    EXPECT_NEAR(half.amounts[kProducts][1].theoreticalMoles, 1, 1e-3);
    EXPECT_NEAR(half.amounts[kProducts][1].finalMoles, 0.5, 1e-3);
}

TEST(AtomicMassLine, ListsTheReactantsElementsOnce) {
    const Reaction r = Balanced("CaCO3+HCl=CaCl2+H2O+CO2", {1, 2, 1, 1, 1});
    EXPECT_EQ(AtomicMassLine(r), "M.A.:  Ca = 40.08, C = 12.01, O = 16.00, H = 1.008, Cl = 35.45");
}

}  // namespace
}  // namespace tovel
