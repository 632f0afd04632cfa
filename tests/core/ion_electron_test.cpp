// Half-reactions by the ion-electron method, worked by hand as 2º Bachillerato textbooks give
// them.

#include <gtest/gtest.h>

#include "core/ion_electron.h"
#include "core/oxidation.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

struct Case {
    std::vector<std::string> from, to;
    Medium medium;
    const char* balanced;
    long electrons;
    bool oxidation;
};

TEST(IonElectron, HalfReactionsOfTheTextbooks) {
    const Case cases[] = {
        {{"MnO4^-"}, {"Mn^2+"}, Medium::Acid, "MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O", 5, false},
        {{"Fe^2+"}, {"Fe^3+"}, Medium::Acid, "Fe^2+ = Fe^3+ + e^-", 1, true},
        {{"Cr2O7^2-"},
         {"Cr^3+"},
         Medium::Acid,
         "Cr2O7^2- + 14 H^+ + 6 e^- = 2 Cr^3+ + 7 H2O",
         6,
         false},
        {{"C2O4^2-"}, {"CO2"}, Medium::Acid, "C2O4^2- = 2 CO2 + 2 e^-", 2, true},
        {{"H2O2"}, {"O2"}, Medium::Acid, "H2O2 = O2 + 2 H^+ + 2 e^-", 2, true},
        {{"H2O2"}, {"H2O"}, Medium::Acid, "H2O2 + 2 H^+ + 2 e^- = 2 H2O", 2, false},
        {{"NO3^-"}, {"NO"}, Medium::Acid, "NO3^- + 4 H^+ + 3 e^- = NO + 2 H2O", 3, false},
        {{"NO3^-"}, {"NO2"}, Medium::Acid, "NO3^- + 2 H^+ + e^- = NO2 + H2O", 1, false},
        {{"SO3^2-"}, {"SO4^2-"}, Medium::Acid, "SO3^2- + H2O = SO4^2- + 2 H^+ + 2 e^-", 2, true},
        {{"Cl2"}, {"Cl^-"}, Medium::Acid, "Cl2 + 2 e^- = 2 Cl^-", 2, false},
        {{"H2S"}, {"S"}, Medium::Acid, "H2S = S + 2 H^+ + 2 e^-", 2, true},
        {{"H2"}, {"H^+"}, Medium::Acid, "H2 = 2 H^+ + 2 e^-", 2, true},
        {{"MnO4^-"}, {"MnO2"}, Medium::Basic, "MnO4^- + 2 H2O + 3 e^- = MnO2 + 4 OH^-", 3, false},
        {{"SO3^2-"}, {"SO4^2-"}, Medium::Basic, "SO3^2- + 2 OH^- = SO4^2- + H2O + 2 e^-", 2, true},
        {{"Cl2"}, {"ClO3^-"}, Medium::Basic, "Cl2 + 12 OH^- = 2 ClO3^- + 6 H2O + 10 e^-", 10, true},
        {{"Cl2"}, {"ClO^-"}, Medium::Basic, "Cl2 + 4 OH^- = 2 ClO^- + 2 H2O + 2 e^-", 2, true},
        {{"H2O2"}, {"OH^-"}, Medium::Basic, "H2O2 + 2 e^- = 2 OH^-", 2, false},
        {{"Cr(OH)4^-"},
         {"CrO4^2-"},
         Medium::Basic,
         "Cr(OH)4^- + 4 OH^- = CrO4^2- + 4 H2O + 3 e^-",
         3,
         true},
        // H2O and H^+ the student wrote are placed by the method, never counted twice.
        {{"MnO4^-", "H^+"},
         {"Mn^2+", "H2O"},
         Medium::Acid,
         "MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O",
         5,
         false},
    };
    for (const Case& c : cases) {
        std::string why;
        const auto half = BalanceHalfReaction(c.from, c.to, c.medium, &why);
        ASSERT_TRUE(half) << c.balanced << ": " << why;
        EXPECT_EQ(HalfReactionText(half->left, half->right), c.balanced);
        EXPECT_EQ(half->electrons, c.electrons) << c.balanced;
        EXPECT_EQ(half->oxidation, c.oxidation) << c.balanced;
        ASSERT_FALSE(half->steps.empty());
        EXPECT_EQ(half->steps.back().equation, c.balanced);
    }
}

TEST(IonElectron, StepsAsOnTheBoard) {
    const auto half = BalanceHalfReaction({"Cr(OH)4^-"}, {"CrO4^2-"}, Medium::Basic);
    ASSERT_TRUE(half);
    std::vector<std::string> steps;
    for (const HalfStep& step : half->steps)
        steps.push_back(step.what + ": " + step.equation);
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "Se ajusta el Cr, el elemento que cambia: Cr(OH)4^- = CrO4^2-",
                         "Se ajusta el H con H^+: Cr(OH)4^- = CrO4^2- + 4 H^+",
                         "En medio básico se suman 4 OH^- a cada lado, tantos como H^+: "
                         "Cr(OH)4^- + 4 OH^- = CrO4^2- + 4 H^+ + 4 OH^-",
                         "H^+ y OH^- forman H2O: Cr(OH)4^- + 4 OH^- = CrO4^2- + 4 H2O",
                         "Se ajusta la carga con electrones: "
                         "Cr(OH)4^- + 4 OH^- = CrO4^2- + 4 H2O + 3 e^-",
                     }));
}

// Whole ionic equations: each half multiplied so the electrons cancel, added and simplified.
TEST(IonElectron, HalvesAddUpToTheIonicEquation) {
    struct Whole {
        std::vector<std::string> reductant, oxidised, oxidant, reduced;
        Medium medium;
        std::vector<std::string> order;
        const char* ionic;
        long electrons;
    };
    const Whole cases[] = {
        {{"Fe^2+"},
         {"Fe^3+"},
         {"MnO4^-"},
         {"Mn^2+"},
         Medium::Acid,
         {"MnO4^-", "Fe^2+", "Mn^2+", "Fe^3+"},
         "MnO4^- + 5 Fe^2+ + 8 H^+ = Mn^2+ + 5 Fe^3+ + 4 H2O",
         5},
        {{"H2O2"},
         {"O2"},
         {"MnO4^-"},
         {"Mn^2+"},
         Medium::Acid,
         {"MnO4^-", "H2O2", "Mn^2+", "O2"},
         "2 MnO4^- + 5 H2O2 + 6 H^+ = 2 Mn^2+ + 5 O2 + 8 H2O",
         10},
        {{"SO3^2-"},
         {"SO4^2-"},
         {"MnO4^-"},
         {"MnO2"},
         Medium::Basic,
         {"MnO4^-", "SO3^2-", "MnO2", "SO4^2-"},
         "2 MnO4^- + 3 SO3^2- + H2O = 2 MnO2 + 3 SO4^2- + 2 OH^-",
         6},
        {{"Cu"},
         {"Cu^2+"},
         {"NO3^-"},
         {"NO"},
         Medium::Acid,
         {"Cu", "NO3^-", "Cu^2+", "NO"},
         "3 Cu + 2 NO3^- + 8 H^+ = 3 Cu^2+ + 2 NO + 4 H2O",
         6},
        // Disproportionation: chlorine is both halves' species.
        {{"Cl2"},
         {"ClO3^-"},
         {"Cl2"},
         {"Cl^-"},
         Medium::Basic,
         {"Cl2", "Cl^-", "ClO3^-"},
         "3 Cl2 + 6 OH^- = 5 Cl^- + ClO3^- + 3 H2O",
         5},
        // Comproportionation: halved once added (10 electrons become 5).
        {{"I^-"},
         {"I2"},
         {"IO3^-"},
         {"I2"},
         Medium::Acid,
         {"IO3^-", "I^-", "I2"},
         "IO3^- + 5 I^- + 6 H^+ = 3 I2 + 3 H2O",
         5},
    };
    for (const Whole& c : cases) {
        const auto oxidation = BalanceHalfReaction(c.reductant, c.oxidised, c.medium);
        const auto reduction = BalanceHalfReaction(c.oxidant, c.reduced, c.medium);
        ASSERT_TRUE(oxidation && reduction) << c.ionic;
        ASSERT_TRUE(oxidation->oxidation && !reduction->oxidation) << c.ionic;
        const IonicEquation ionic = CombineHalves(*oxidation, *reduction, c.order);
        EXPECT_EQ(HalfReactionText(ionic.left, ionic.right), c.ionic);
        EXPECT_EQ(ionic.electrons, c.electrons) << c.ionic;
        EXPECT_EQ(ionic.steps.back().equation, c.ionic);
    }
}

TEST(IonElectron, RedoxPairsByOxidationNumbers) {
    struct Pairs {
        std::vector<std::string> left, right;
        const char* found;  // oxidations, then reductions: "from > to (element a > b)"
    };
    const auto text = [](const RedoxPairs& pairs) {
        std::string out;
        for (const auto* list : {&pairs.oxidations, &pairs.reductions}) {
            out += list == &pairs.oxidations ? "ox:" : " red:";
            for (const RedoxPair& p : *list)
                out += " " + p.from + " > " + p.to + " (" + p.element + " " +
                       SignedNumber(p.before) + " > " + SignedNumber(p.after) + ")";
        }
        return out;
    };
    const Pairs cases[] = {
        {{"MnO4^-", "Fe^2+"},
         {"Mn^2+", "Fe^3+"},
         "ox: Fe^2+ > Fe^3+ (Fe +2 > +3) red: MnO4^- > Mn^2+ (Mn +7 > +2)"},
        // The oxygen of permanganate never pairs with O2, nor the peroxide with water.
        {{"MnO4^-", "H2O2", "H^+"},
         {"Mn^2+", "O2", "H2O"},
         "ox: H2O2 > O2 (O -1 > 0) red: MnO4^- > Mn^2+ (Mn +7 > +2)"},
        {{"H2O2"}, {"H2O", "O2"}, "ox: H2O2 > O2 (O -1 > 0) red: H2O2 > H2O (O -1 > -2)"},
        {{"Cl2", "OH^-"},
         {"Cl^-", "ClO3^-", "H2O"},
         "ox: Cl2 > ClO3^- (Cl 0 > +5) red: Cl2 > Cl^- (Cl 0 > -1)"},
        {{"IO3^-", "I^-"}, {"I2"}, "ox: I^- > I2 (I -1 > 0) red: IO3^- > I2 (I +5 > 0)"},
        {{"Cu", "NO3^-"},
         {"Cu^2+", "NO"},
         "ox: Cu > Cu^2+ (Cu 0 > +2) red: NO3^- > NO (N +5 > +2)"},
    };
    for (const Pairs& c : cases) {
        const RedoxPairs pairs = FindRedoxPairs(c.left, c.right, Medium::Acid);
        EXPECT_EQ(text(pairs), c.found);
        EXPECT_EQ(pairs.reason, "") << c.found;
    }
    EXPECT_EQ(FindRedoxPairs({"Ba^2+", "SO4^2-"}, {"BaSO4"}, Medium::Acid).reason,
              "Ningún número de oxidación cambia: no es una reacción redox");
    EXPECT_EQ(FindRedoxPairs({"Fe^2+"}, {"Fe^3+"}, Medium::Acid).reason,
              "Hay una oxidación, pero ninguna reducción");
}

std::vector<std::string> Split(const std::string& text, const std::string& by) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(by, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos) return parts;
        start = at + by.size();
    }
}

// The hand-worked ionic skeletons of the case file: pairs, halves and the ionic equation as the
// method gives them.
TEST(IonElectron, TheIonicCasesWorkedByHand) {
    const std::string file =
        test::ReadBytes(std::string(TOVEL_SOURCE_DIR) + "/tests/data/ionelectron_cases.tsv");
    int checked = 0;
    std::vector<std::string> failed;
    for (const std::string& line : Split(file, "\n")) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> c = Split(line, "\t");
        ASSERT_EQ(c.size(), 8u) << line;
        if (c[6] != "-") continue;  // molecular skeletons need the dissociation first
        ++checked;
        const Medium medium = c[1] == "basico" ? Medium::Basic : Medium::Acid;
        const std::vector<std::string> sides = Split(c[2], " = ");
        const std::vector<std::string> left = Split(sides[0], " + ");
        const std::vector<std::string> right = Split(sides[1], " + ");
        const RedoxPairs pairs = FindRedoxPairs(left, right, medium);
        std::string got = pairs.reason;
        if (pairs.oxidations.size() == 1 && pairs.reductions.size() == 1) {
            const RedoxPair& o = pairs.oxidations[0];
            const RedoxPair& r = pairs.reductions[0];
            const auto ox = BalanceHalfReaction({o.from}, {o.to}, medium, &got);
            const auto red = BalanceHalfReaction({r.from}, {r.to}, medium, &got);
            if (ox && red) {
                std::vector<std::string> order = left;
                order.insert(order.end(), right.begin(), right.end());
                const IonicEquation ionic = CombineHalves(*ox, *red, order);
                got = HalfReactionText(ox->left, ox->right) + " | " +
                      HalfReactionText(red->left, red->right) + " | " +
                      HalfReactionText(ionic.left, ionic.right) + " | " +
                      std::to_string(ionic.electrons);
            }
        }
        const std::string expected = c[3] + " | " + c[4] + " | " + c[5] + " | " + c[7];
        if (got != expected) failed.push_back(c[0] + ": " + got + "\n   expected " + expected);
    }
    EXPECT_GE(checked, 60);
    std::string all;
    for (const std::string& f : failed)
        all += f + "\n";
    EXPECT_TRUE(failed.empty()) << failed.size() << " of " << checked << "\n" << all;
}

TEST(IonElectron, WhatIsNoHalfReactionIsSaid) {
    std::string why;
    EXPECT_FALSE(BalanceHalfReaction({"SO4^2-"}, {"HSO4^-"}, Medium::Acid, &why));
    EXPECT_EQ(why, "Ni toma ni cede electrones: no es una semirreacción redox");
    EXPECT_FALSE(BalanceHalfReaction({"MnO4^-"}, {"Fe^3+"}, Medium::Acid, &why));
    EXPECT_EQ(why, "Mn solo está en un lado de la semirreacción");
    EXPECT_FALSE(BalanceHalfReaction({"Mn O4"}, {"Mn^2+"}, Medium::Acid, &why));
    EXPECT_EQ(why, "No se puede leer la fórmula Mn O4");
}

}  // namespace
}  // namespace tovel
