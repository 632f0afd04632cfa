#include "core/concentration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace tovel {
namespace {

constexpr double kNaCl = 58.44;

using K = ConcentrationKind;
using R = ConcentrationRefusal;

TEST(Concentration, OneMolarSodiumChloride) {
    const ConcentrationResult plain = FromConcentration(K::Molarity, 1, kNaCl, 0);
    ASSERT_TRUE(plain);
    const SolutionAmounts& a = plain.amounts;
    EXPECT_EQ(a.molarity, 1.0);
    EXPECT_DOUBLE_EQ(*a.gramsPerLitre, 58.44);
    EXPECT_DOUBLE_EQ(*a.soluteGrams, 58.44);
    EXPECT_EQ(a.solutionMillilitres, 1000.0);
    // Without a density the mass of the solution, and all that needs it, is unknown.
    EXPECT_FALSE(a.molality);
    EXPECT_FALSE(a.massPercent);
    EXPECT_FALSE(a.solventGrams);

    const ConcentrationResult dense = FromConcentration(K::Molarity, 1, kNaCl, 1.04);
    ASSERT_TRUE(dense);
    EXPECT_DOUBLE_EQ(*dense.amounts.molality, 1 / (1.04 - 0.05844));
    EXPECT_DOUBLE_EQ(*dense.amounts.massPercent, 58.44 / 1.04 / 10);
    EXPECT_DOUBLE_EQ(*dense.amounts.solventGrams, 1040 - 58.44);
}

// CuSO4·5H2O (249.68 g/mol) is weighed, CuSO4 (159.61 g/mol) is dissolved: its five waters join
// the solvent. By hand, 0.1 M with density 1.02 g/ml: 0.1 mol in 1 l, 1020 g of solution;
// 0.1 × 249.68 = 24.968 g weighed; 0.1 × 159.61 = 15.961 g of CuSO4 per litre; 15.961 / 1020 =
// 1.5648 %; water 1020 - 15.961 = 1004.039 g, so 0.1 / 1.004039 = 0.099598 mol/kg; water added
// 1020 - 24.968 = 995.032 g.
TEST(Concentration, AHydrateIsWeighedWholeAndCountedAsItsSalt) {
    const SoluteMolarMass copperSulfate{249.68, 159.61};
    const ConcentrationResult r = FromConcentration(K::Molarity, 0.1, copperSulfate, 1.02);
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r.amounts.soluteGrams, 24.968, 1e-9);
    EXPECT_NEAR(*r.amounts.gramsPerLitre, 15.961, 1e-9);
    EXPECT_NEAR(*r.amounts.massPercent, 1.56480, 1e-5);
    EXPECT_NEAR(*r.amounts.molality, 0.099598, 1e-6);
    EXPECT_NEAR(*r.amounts.solventGrams, 995.032, 1e-9);
    // The same solution made from its recipe gives the same concentrations.
    const ConcentrationResult made = FromPreparation(
        24.968, PreparationQuantity::SolutionMillilitres, 1000, copperSulfate, 1.02);
    ASSERT_TRUE(made);
    EXPECT_NEAR(*made.amounts.molarity, 0.1, 1e-12);
    EXPECT_NEAR(*made.amounts.molality, 0.099598, 1e-6);
    EXPECT_NEAR(*made.amounts.massPercent, 1.56480, 1e-5);
    // 24.968 g in 100 g of water: 124.968 g of solution, water 124.968 - 15.961 = 109.007 g.
    const ConcentrationResult inWater =
        FromPreparation(24.968, PreparationQuantity::SolventGrams, 100, copperSulfate, 0);
    ASSERT_TRUE(inWater);
    EXPECT_NEAR(*inWater.amounts.molality, 0.1 / 0.109007, 1e-6);
    EXPECT_NEAR(*inWater.amounts.massPercent, 15.961 / 124.968 * 100, 1e-9);
    // 1 mol/kg: 1000 g of water in all, 90.07 g of it from the hydrate; 909.93 g added.
    const ConcentrationResult molal = FromConcentration(K::Molality, 1, copperSulfate, 0);
    ASSERT_TRUE(molal);
    EXPECT_NEAR(*molal.amounts.soluteGrams, 249.68, 1e-9);
    EXPECT_NEAR(*molal.amounts.solventGrams, 909.93, 1e-9);
    // 20 mol/kg would need 1801.4 g of water from the hydrate alone.
    EXPECT_EQ(FromConcentration(K::Molality, 20, copperSulfate, 0).refusal, R::HydrateWater);
    // A salt heavier than its hydrate is no hydrate.
    EXPECT_EQ(FromConcentration(K::Molarity, 1, SoluteMolarMass{100, 120}, 0).refusal,
              R::MolarMass);
}

TEST(Concentration, TenGramsInNinetyOfWater) {
    const ConcentrationResult r =
        FromPreparation(10, PreparationQuantity::SolventGrams, 90, kNaCl, 1.1);
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r.amounts.gramsPerLitre, 110, 1e-9);
    EXPECT_DOUBLE_EQ(*r.amounts.solutionMillilitres, 100 / 1.1);
    EXPECT_NEAR(*r.amounts.massPercent, 10, 1e-12);
    EXPECT_DOUBLE_EQ(*r.amounts.molality, 10.0 / 90 * 1000 / kNaCl);
    EXPECT_DOUBLE_EQ(*r.amounts.molarity, *r.amounts.gramsPerLitre / kNaCl);
    EXPECT_EQ(r.amounts.soluteGrams, 10.0);
    EXPECT_EQ(r.amounts.solventGrams, 90.0);
}

// Which quantities each calculation gives without a density: the order is molarity, molality,
// g/l, %, g of solute, ml of solution, g of solvent.
TEST(Concentration, WithoutDensityOnlyWhatTheDataDetermine) {
    struct Case {
        std::string name;
        ConcentrationResult result;
        std::string present;
    };
    const std::vector<Case> cases = {
        {"molarity", FromConcentration(K::Molarity, 2, kNaCl, 0), "1010110"},
        {"molality", FromConcentration(K::Molality, 2, kNaCl, 0), "0101101"},
        {"g/l", FromConcentration(K::GramsPerLitre, 20, kNaCl, 0), "1010110"},
        {"% in mass", FromConcentration(K::MassPercent, 10, kNaCl, 0), "0101101"},
        {"made up to a volume",
         FromPreparation(10, PreparationQuantity::SolutionMillilitres, 250, kNaCl, 0), "1010110"},
        {"dissolved in water", FromPreparation(10, PreparationQuantity::SolventGrams, 90, kNaCl, 0),
         "0101101"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.result);
        const SolutionAmounts& a = c.result.amounts;
        std::string present;
        for (const auto* value : {&a.molarity, &a.molality, &a.gramsPerLitre, &a.massPercent,
                                  &a.soluteGrams, &a.solutionMillilitres, &a.solventGrams}) {
            present += value->has_value() ? '1' : '0';
        }
        EXPECT_EQ(present, c.present);
    }
}

// With a density every measure follows from any one of them: starting from each kind in turn,
// the others must agree with those computed from a molarity.
TEST(Concentration, WithDensityEveryKindDescribesTheSameSolution) {
    const double d = 1.07;
    const ConcentrationResult reference = FromConcentration(K::Molarity, 1.83, kNaCl, d);
    ASSERT_TRUE(reference);
    for (const K kind : kConcentrationKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const ConcentrationResult r =
            FromConcentration(kind, *reference.amounts.Concentration(kind), kNaCl, d);
        ASSERT_TRUE(r);
        for (const K other : kConcentrationKinds) {
            const double expected = *reference.amounts.Concentration(other);
            EXPECT_NEAR(*r.amounts.Concentration(other), expected, expected * 1e-12);
        }
        // The amounts describe the same solution: solute over solution or over water.
        const SolutionAmounts& a = r.amounts;
        EXPECT_NEAR(*a.soluteGrams / (*a.solutionMillilitres * d) * 100, *a.massPercent, 1e-9);
        EXPECT_NEAR(*a.soluteGrams / *a.solventGrams * 1000 / kNaCl, *a.molality, 1e-9);
    }
    const ConcentrationResult made =
        FromPreparation(*reference.amounts.soluteGrams / 4,
                        PreparationQuantity::SolutionMillilitres, 250, kNaCl, d);
    ASSERT_TRUE(made);
    for (const K kind : kConcentrationKinds) {
        const double expected = *reference.amounts.Concentration(kind);
        EXPECT_NEAR(*made.amounts.Concentration(kind), expected, expected * 1e-12);
    }
    EXPECT_NEAR(*made.amounts.solventGrams, *reference.amounts.solventGrams / 4, 1e-9);
}

TEST(Concentration, RefusesWhatHasNoSolution) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto volume = PreparationQuantity::SolutionMillilitres;
    const auto water = PreparationQuantity::SolventGrams;
    struct Case {
        std::string name;
        std::function<ConcentrationResult()> run;
        R refusal;
        double densityLimit;
    };
    const std::vector<Case> cases = {
        {"molar mass 0", [] { return FromConcentration(K::Molarity, 1, 0, 0); }, R::MolarMass, 0},
        {"molar mass not a number", [&] { return FromPreparation(1, water, 1, nan, 0); },
         R::MolarMass, 0},
        {"molarity 0", [] { return FromConcentration(K::Molarity, 0, kNaCl, 0); }, R::Molarity, 0},
        {"molality negative", [] { return FromConcentration(K::Molality, -1, kNaCl, 0); },
         R::Molality, 0},
        {"g/l 0", [] { return FromConcentration(K::GramsPerLitre, 0, kNaCl, 1.1); },
         R::GramsPerLitre, 0},
        {"% 0", [] { return FromConcentration(K::MassPercent, 0, kNaCl, 0); }, R::MassPercent, 0},
        {"% 100: no water", [] { return FromConcentration(K::MassPercent, 100, kNaCl, 0); },
         R::MassPercent, 0},
        {"% 150", [] { return FromConcentration(K::MassPercent, 150, kNaCl, 1.04); },
         R::MassPercent, 0},
        {"density negative", [] { return FromConcentration(K::Molality, 1, kNaCl, -1); },
         R::Density, 0},
        {"density not a number", [&] { return FromConcentration(K::Molality, 1, kNaCl, nan); },
         R::Density, 0},
        {"density of the solute alone",
         [] { return FromConcentration(K::Molarity, 1, kNaCl, 0.05844); }, R::DensityAtMostSolute,
         0.05844},
        {"density below the solute", [] { return FromConcentration(K::Molarity, 1, kNaCl, 0.01); },
         R::DensityAtMostSolute, 0.05844},
        {"g/l above the density",
         [] { return FromConcentration(K::GramsPerLitre, 1200, kNaCl, 1.2); },
         R::DensityAtMostSolute, 1.2},
        {"solute 0", [] { return FromPreparation(0, volume, 250, kNaCl, 0); }, R::SoluteGrams, 0},
        {"ml of solution 0", [] { return FromPreparation(10, volume, 0, kNaCl, 0); },
         R::SolutionMillilitres, 0},
        {"g of water negative", [] { return FromPreparation(10, water, -90, kNaCl, 0); },
         R::SolventGrams, 0},
        {"prepared solution no heavier than its solute",
         [] { return FromPreparation(30, volume, 10, kNaCl, 2.5); }, R::DensityAtMostSolute, 3},
        {"overflow", [] { return FromConcentration(K::Molarity, 1e300, 1e10, 0); }, R::OutOfRange,
         0},
        {"infinite amount", [] { return FromPreparation(1e308, water, 1e-10, kNaCl, 0); },
         R::OutOfRange, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ConcentrationResult r = c.run();
        EXPECT_FALSE(r);
        EXPECT_EQ(r.refusal, c.refusal);
        EXPECT_NEAR(r.densityLimit, c.densityLimit, 1e-12);
        EXPECT_FALSE(r.amounts.molarity || r.amounts.molality || r.amounts.gramsPerLitre ||
                     r.amounts.massPercent || r.amounts.soluteGrams ||
                     r.amounts.solutionMillilitres || r.amounts.solventGrams);
    }
}

// Only a volume of solution bounds the density from below; molality and % in mass hold for any.
TEST(Concentration, DensityBoundOnlyWhereTheSolutionVolumeIsGiven) {
    EXPECT_TRUE(FromConcentration(K::Molality, 5, kNaCl, 0.2));
    EXPECT_TRUE(FromConcentration(K::MassPercent, 90, kNaCl, 0.2));
    EXPECT_TRUE(FromPreparation(30, PreparationQuantity::SolventGrams, 10, kNaCl, 0.2));
    EXPECT_TRUE(FromPreparation(30, PreparationQuantity::SolutionMillilitres, 10, kNaCl, 3.01));
}

}  // namespace
}  // namespace tovel
