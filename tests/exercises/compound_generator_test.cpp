#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <optional>
#include <set>

#include "core/formula.h"
#include "exercises/compound_generator.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

ValenceChoice Always(int choice) {
    return [choice] { return choice; };
}

std::string Make(int cation, int anion, int choice = 0) {
    Compound c;
    return MakeCompound(c, cation, anion, Always(choice)) ? c.formula : "none";
}

TEST(CompoundGenerator, CrossesCharges) {
    EXPECT_EQ(Make(0, 0), "H2O");
    EXPECT_EQ(Make(9, 0), "Al2O3");
    EXPECT_EQ(Make(9, 0, 1), "Al2O3");  // one valence: the choice does not matter
    EXPECT_EQ(Make(10, 17, 0), "FeSO4");
    EXPECT_EQ(Make(10, 17, 1), "Fe2(SO4)3");
    EXPECT_EQ(Make(1, 17), "(NH4)2SO4");
    EXPECT_EQ(Make(6, 22), "Ca3(PO4)2");
    EXPECT_EQ(Make(16, 0, 1), "PbO2");
    EXPECT_EQ(Make(6, 4), "CaCl2");
    EXPECT_EQ(Make(9, 1), "Al(OH)3");
    EXPECT_EQ(Make(0, 17), "H2SO4");
    EXPECT_EQ(Make(2, 7), "Na2S");
    EXPECT_EQ(Make(9, 22), "AlPO4");
    EXPECT_EQ(Make(16, 22, 1), "Pb3(PO4)4");
    EXPECT_EQ(Make(14, 0, 0), "Cu2O");
}

TEST(CompoundGenerator, MercuryOneIsTheHg2Ion) {
    // Mercury(I) is Hg2 2+: one ion of it stands bare, several are put in parentheses.
    EXPECT_EQ(Make(15, 4, 0), "Hg2Cl2");
    EXPECT_EQ(Make(15, 19, 0), "Hg2(NO3)2");
    EXPECT_EQ(Make(15, 22, 0), "(Hg2)3(PO4)2");
    EXPECT_EQ(Make(15, 0, 0), "Hg2O");
    EXPECT_EQ(Make(15, 17, 0), "Hg2SO4");
    EXPECT_EQ(Make(15, 1, 0), "Hg2(OH)2");
    // Mercury(II) is the plain Hg2+.
    EXPECT_EQ(Make(15, 4, 1), "HgCl2");
    EXPECT_EQ(Make(15, 22, 1), "Hg3(PO4)2");
    Compound c;
    ASSERT_TRUE(MakeCompound(c, 15, 4, Always(0)));
    EXPECT_EQ(c.valence, 1);
    EXPECT_EQ(c.cationIon, "Hg2");
    EXPECT_EQ(c.cationCharge, 2);
}

TEST(CompoundGenerator, PairsWithoutCompound) {
    EXPECT_EQ(Make(1, 0), "none");
    EXPECT_EQ(Make(1, 2), "none");
    EXPECT_EQ(Make(0, 1), "none");
    EXPECT_EQ(Make(0, 2), "none");
    EXPECT_EQ(Make(19, 0), "none");
    EXPECT_EQ(Make(0, 24), "none");
}

TEST(CompoundGenerator, CompoundsThatDoNotExistGiveWayToTheOtherValence) {
    EXPECT_EQ(Make(14, 6, 1), "CuI");
    EXPECT_EQ(Make(10, 6, 1), "FeI2");
    EXPECT_EQ(Make(10, 21, 1), "FeCO3");
    EXPECT_EQ(Make(16, 21, 1), "PbCO3");
    EXPECT_EQ(Make(18, 2, 1), "none");  // neither AuH nor AuH3
    EXPECT_EQ(Make(16, 2, 0), "none");
    EXPECT_EQ(Make(15, 2, 0), "none");
    EXPECT_EQ(Make(4, 2), "none");
    EXPECT_EQ(Make(9, 21), "none");
    // The record tells the valence really used.
    Compound c;
    ASSERT_TRUE(MakeCompound(c, 14, 6, Always(1)));
    EXPECT_EQ(c.valence, 1);
    EXPECT_EQ(c.cationCharge, 1);
    // Still one choice per call, so a sequence of choices means the same list every time.
    int calls = 0;
    ASSERT_TRUE(MakeCompound(c, 10, 6, [&calls] { return ++calls, 1; }));
    EXPECT_EQ(calls, 1);
}

TEST(CompoundGenerator, TwoValenceCationsChooseAtRandom) {
    std::set<std::string> seen;
    const ValenceChoice random = RandomValenceChoice();
    Compound c;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(MakeCompound(c, 10, 4, random));
        seen.insert(c.formula);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"FeCl2", "FeCl3"}));
}

std::string Name(int cation, int anion, int choice = 0) {
    Compound c;
    return MakeCompound(c, cation, anion, Always(choice)) ? CompoundName(c) : "none";
}

TEST(CompoundGenerator, SpanishNames) {
    EXPECT_EQ(Name(2, 4), "cloruro de sodio");
    EXPECT_EQ(Name(10, 17, 1), "sulfato de hierro(III)");
    EXPECT_EQ(Name(10, 17, 0), "sulfato de hierro(II)");
    EXPECT_EQ(Name(15, 4, 0), "cloruro de mercurio(I)");
    EXPECT_EQ(Name(16, 0, 1), "óxido de plomo(IV)");
    EXPECT_EQ(Name(14, 6, 1), "yoduro de cobre(I)");  // the valence really used
    EXPECT_EQ(Name(9, 1), "hidróxido de aluminio");   // one valence: no numeral
    EXPECT_EQ(Name(8, 22), "fosfato de cinc");
    EXPECT_EQ(Name(1, 17), "sulfato de amonio");
    EXPECT_EQ(Name(2, 2), "hidruro de sodio");
    EXPECT_EQ(Name(3, 11), "hipoclorito de potasio");
    EXPECT_EQ(Name(17, 14, 1), "peryodato de estaño(IV)");
    EXPECT_EQ(Name(0, 17), "ácido sulfúrico");
    EXPECT_EQ(Name(0, 18), "ácido sulfuroso");
    EXPECT_EQ(Name(0, 4), "ácido clorhídrico");
    EXPECT_EQ(Name(0, 7), "ácido sulfhídrico");
    EXPECT_EQ(Name(0, 11), "ácido hipocloroso");
    EXPECT_EQ(Name(0, 0), "agua");
    EXPECT_EQ(CompoundName(Compound{}), "");
}

TEST(CompoundGenerator, EveryListedCompoundHasItsOwnName) {
    // Across both valences: a name never stands for two formulas, nor a formula for two names.
    std::map<std::string, std::string> formulaOf;
    std::map<std::string, std::string> nameOf;
    for (int choice : {0, 1}) {
        for (const Compound& c : CompoundRecords(Always(choice))) {
            const std::string name = CompoundName(c);
            EXPECT_FALSE(name.empty()) << c.formula;
            EXPECT_EQ(formulaOf.emplace(name, c.formula).first->second, c.formula) << name;
            EXPECT_EQ(nameOf.emplace(c.formula, name).first->second, name) << c.formula;
        }
    }
    EXPECT_EQ(formulaOf.size(), nameOf.size());
}

using Composition = std::map<std::string, int>;

Composition CompositionOf(const std::string& formula) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    Substance s;
    EXPECT_TRUE(ParseFormula(s, formula, table, port)) << formula;
    Composition atoms;
    for (const auto& entry : s.entries)
        atoms[entry.element.symbol] += entry.count;
    return atoms;
}

// How many cation and anion ions make up the formula's atoms, read from elements found in only
// one of the two ions and then checked against every element; nothing when no such counts exist.
std::optional<std::pair<int, int>> IonCounts(const Compound& c) {
    const Composition whole = CompositionOf(c.formula);
    const Composition cation = CompositionOf(c.cationIon);
    const Composition anion = CompositionOf(c.anion.symbol);
    auto countOf = [&whole](const Composition& ion, const Composition& other) -> int {
        for (const auto& [symbol, atoms] : ion) {
            if (other.count(symbol)) continue;
            const auto found = whole.find(symbol);
            if (found == whole.end() || found->second % atoms != 0) return 0;
            return found->second / atoms;
        }
        return 0;
    };
    const int cations = countOf(cation, anion);
    const int anions = countOf(anion, cation);
    if (cations == 0 || anions == 0) return std::nullopt;
    Composition rebuilt;
    for (const auto& [symbol, atoms] : cation)
        rebuilt[symbol] += cations * atoms;
    for (const auto& [symbol, atoms] : anion)
        rebuilt[symbol] += anions * atoms;
    if (rebuilt != whole) return std::nullopt;
    return std::pair{cations, anions};
}

// Every list the window can show: each fixed choice, and the random one a few times.
std::vector<std::vector<Compound>> EveryKindOfList() {
    std::vector<std::vector<Compound>> lists = {CompoundRecords(Always(0)),
                                                CompoundRecords(Always(1))};
    const ValenceChoice random = RandomValenceChoice();
    for (int i = 0; i < 5; ++i)
        lists.push_back(CompoundRecords(random));
    return lists;
}

TEST(CompoundGenerator, EveryListEntryIsARightFormula) {
    // Compounds that do not exist, and mercury(I) written as Hg+.
    const std::set<std::string> struckOut = {
        "Al2(CO3)3", "Fe2(CO3)3", "Pb(CO3)2", "Cr2(CO3)3", "Ni2(CO3)3", "Mn2(CO3)3", "Au2(CO3)3",
        "Sn(CO3)2",  "CuI2",      "FeI3",     "NiI3",      "MnI3",      "AuI3",      "PbI4",
        "PbBr4",     "AgH",       "AuH",      "AuH3",      "HgH",       "Hg2H2",     "HgH2",
        "PbH2",      "PbH4",      "HgCl",     "HgNO3",     "Hg3PO4",    "HgOH"};
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    for (const auto& list : EveryKindOfList()) {
        ASSERT_EQ(list.size(), 445u);
        EXPECT_EQ(list.front().formula, "HF");
        EXPECT_EQ(list[21].formula, "NH4F");
        EXPECT_EQ(list[42].formula, "Na2O");
        for (const Compound& c : list) {
            SCOPED_TRACE(c.formula);
            EXPECT_EQ(struckOut.count(c.formula), 0u);
            EXPECT_LE(c.formula.size(), 14u);
            Substance s;
            ASSERT_TRUE(ParseFormula(s, c.formula, table, port));
            EXPECT_GT(s.molarMass, 0);

            const auto counts = IonCounts(c);
            ASSERT_TRUE(counts.has_value()) << c.cationIon << " " << c.anion.symbol;
            const auto [cations, anions] = *counts;
            EXPECT_EQ(cations * c.cationCharge, anions * c.anion.charge);
            EXPECT_EQ(std::gcd(cations, anions), 1) << cations << " " << anions;

            // The ion's charge is the metal's valence on each of its atoms.
            const Composition ion = CompositionOf(c.cationIon);
            const std::string metal = c.cation.symbol;
            if (ion.size() == 1) {
                EXPECT_EQ(c.cationCharge, c.valence * ion.at(metal));
            }
            if (metal == "Hg") {
                EXPECT_EQ(ion.at("Hg"), c.valence == 1 ? 2 : 1);
                for (auto at = c.formula.find("Hg"); at != std::string::npos;
                     at = c.formula.find("Hg", at + 1)) {
                    EXPECT_EQ(c.formula[at + 2] == '2', c.valence == 1);
                }
            }
        }
    }
    EXPECT_TRUE(port.messages.empty());
}

}  // namespace
}  // namespace tovel
