// Inorganic nomenclature both ways: the names of a formula by system, the formula of a name as a
// student types it, and the reasons a wrong one is refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/nomenclature.h"

namespace tovel {
namespace {

std::string Names(const std::string& formula) {
    const Nomenclature n = NameFormula(formula);
    if (!n.Named()) return "error: " + n.error;
    std::string text;
    for (const SystemName& name : n.names)
        text += name.system + ": " + name.name + (name.kept ? "" : " (no IUPAC 2005)") + "\n";
    return text;
}

std::string Formula(const std::string& name) {
    const NameReading r = FormulaOfName(name);
    return r.formula.empty() ? "error: " + r.error : r.formula;
}

TEST(Nomenclature, EveryNameOfAFormulaBySystem) {
    EXPECT_EQ(Names("Fe2O3"),
              "composición: trióxido de dihierro\nnúmeros de oxidación: óxido de hierro(III)\n");
    // The numeral only for an element with more than one number.
    EXPECT_EQ(Names("Na2O"),
              "composición: óxido de disodio\nnúmeros de oxidación: óxido de sodio\n");
    EXPECT_EQ(Names("Na2O2"),
              "composición: dióxido de disodio\nnúmeros de oxidación: peróxido de sodio\n");
    EXPECT_EQ(Names("OCl2"), "composición: dicloruro de oxígeno\n");
    EXPECT_EQ(Names("NH3"),
              "tradicional: amoniaco\nsustitución: azano\ncomposición: trihidruro de nitrógeno\n");
    EXPECT_EQ(Names("H2SO4"),
              "tradicional: ácido sulfúrico\nhidrógeno: dihidrogeno(tetraoxidosulfato)\n"
              "adición: dihidroxidodioxidoazufre\n");
    EXPECT_EQ(Names("H2CrO4"),
              "tradicional: ácido crómico (no IUPAC 2005)\n"
              "hidrógeno: dihidrogeno(tetraoxidocromato)\n"
              "adición: dihidroxidodioxidocromo\n");
    EXPECT_EQ(Names("Fe2(SO4)3"),
              "tradicional: sulfato de hierro(III)\n"
              "composición: tris(tetraoxidosulfato) de dihierro\n");
    EXPECT_EQ(Names("KMnO4"),
              "tradicional: permanganato de potasio\n"
              "composición: tetraoxidomanganato de potasio\n");
    EXPECT_EQ(Names("NaHCO3"),
              "tradicional: hidrogenocarbonato de sodio\n"
              "hidrógeno: hidrogeno(trioxidocarbonato) de sodio\n");
    EXPECT_EQ(Names("Fe^3+"), "carga: hierro(3+)\nnúmeros de oxidación: hierro(III)\n");
    EXPECT_EQ(Names("SO4^2-"), "tradicional: sulfato\nadición: tetraoxidosulfato(2-)\n");
    EXPECT_EQ(Names("O3"), "composición: trioxígeno\ntradicional: ozono\n");
}

TEST(Nomenclature, TheOrderIupacWritesIsSaid) {
    const Nomenclature n = NameFormula("Cl2O7");
    EXPECT_EQ(n.formula, "O7Cl2");
    ASSERT_EQ(n.notes.size(), 1u);
    EXPECT_EQ(n.notes[0], "IUPAC 2005 escribe O7Cl2: el Cl va detrás del O");
    // A name in the old order is refused with the one IUPAC 2005 gives.
    EXPECT_EQ(Formula("heptaóxido de dicloro"),
              "error: IUPAC 2005 lo escribe O7Cl2 y lo nombra dicloruro de heptaoxígeno");
    // The textbook name of an oxygen halide is read, with the name IUPAC 2005 gives.
    const NameReading old = FormulaOfName("óxido de cloro(VII)");
    EXPECT_EQ(old.formula, "O7Cl2");
    EXPECT_EQ(old.spelled, "dicloruro de heptaoxígeno");
    EXPECT_FALSE(old.kept);
}

TEST(Nomenclature, TheFormulaOfANameAsAStudentTypesIt) {
    EXPECT_EQ(Formula("Óxido de Hierro (III)"), "Fe2O3");
    EXPECT_EQ(Formula("óxido de titanio(4+)"), "TiO2");
    EXPECT_EQ(Formula("hidróxido de cromo(3+)"), "Cr(OH)3");
    EXPECT_EQ(Formula("bromito de cobre(1+)"), "CuBrO2");
    EXPECT_EQ(Formula("tetraóxido de dinitrógeno"), "N2O4");
    EXPECT_EQ(Formula("sulfato de amonio"), "(NH4)2SO4");
    EXPECT_EQ(Formula("hierro(3+)"), "Fe^3+");
    EXPECT_EQ(Formula("ácido clorhídrico"), "HCl");
    const NameReading r = FormulaOfName("acido sulfurico");
    EXPECT_EQ(r.formula, "H2SO4");
    EXPECT_EQ(r.spelled, "ácido sulfúrico");
    EXPECT_EQ(r.system, "tradicional");
}

TEST(Nomenclature, WrongNamesAndFormulasAreRefusedWithTheReason) {
    EXPECT_EQ(Formula("óxido de sodio(III)"), "error: El sodio solo tiene número de oxidación +1");
    EXPECT_EQ(Formula("cloruro de hierro(V)"),
              "error: El hierro tiene los números de oxidación +2 y +3, no +5");
    EXPECT_EQ(Formula("hidruro de cloro"),
              "error: El cloro no forma un hidruro: su compuesto con hidrógeno es el cloruro de "
              "hidrógeno");
    EXPECT_EQ(Formula("acido sulfurrico"),
              "error: «sulfurrico» no es una palabra de la nomenclatura: ¿«sulfúrico»?");
    EXPECT_EQ(Formula("trióxido de sodio"),
              "error: Las cargas no suman cero: el sodio tendría número de oxidación +6, que no "
              "tiene");
    EXPECT_EQ(Names("NaCl2"),
              "error: Las cargas no suman cero: el sodio tendría número de oxidación +2, que no "
              "tiene");
    EXPECT_EQ(Names("AgO"),
              "error: Las cargas no suman cero: la plata tendría número de oxidación +2, que no "
              "tiene");
    // Salts and hydroxides in lowest terms, as binary compounds: their composition names would
    // read back to nothing. Mercury(I) keeps its Hg2^2+.
    EXPECT_EQ(Names("Fe3(SO4)3"), "error: Los subíndices se simplifican: FeSO4");
    EXPECT_EQ(Names("Ca2(OH)4"), "error: Los subíndices se simplifican: Ca(OH)2");
    EXPECT_EQ(Names("Fe2(CN)4"), "error: Los subíndices se simplifican: Fe(CN)2");
    EXPECT_EQ(Names("Hg2(NO3)2").rfind("error", 0), std::string::npos);
}

// Every name the program gives reads back to its formula.
TEST(Nomenclature, EveryNameReadsBackToItsFormula) {
    for (const char* formula :
         {"Fe2O3",  "CO",     "N2O5",    "O5Br2", "BaO2",  "CaH2",     "HBr",
          "H2Se",   "PCl5",   "Fe(OH)2", "HClO4", "H3PO4", "H4P2O7",   "CuSO4",
          "KH2PO4", "NH4NO3", "(NH4)2S", "Cu^+",  "ClO^-", "Cr2O7^2-", "H2PO4^-",
          "NH4^+",  "H3O^+",  "S^2-",    "H2O",   "PH3"}) {
        const Nomenclature n = NameFormula(formula);
        ASSERT_TRUE(n.Named()) << formula << ": " << n.error;
        for (const SystemName& name : n.names) {
            std::string typed = name.name;
            const auto aqueous = typed.find(" (en disolución acuosa)");
            if (aqueous != std::string::npos) typed.erase(aqueous);
            EXPECT_EQ(Formula(typed), n.formula) << formula << " <- " << typed;
        }
    }
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

std::vector<std::string> Pieces(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The hand-written cases both ways: every name of a case is among the formula's names, and every
// name, accepted variant and older formula reads back to the formula.
TEST(NomenclatureCases, EveryCaseBothWays) {
    const std::string file =
        ReadFile(std::string(TOVEL_SOURCE_DIR) + "/tests/data/nomenclature_cases.tsv");
    int cases = 0;
    std::string failed;
    int failures = 0;
    for (const std::string& line : Pieces(file, "\n")) {
        if (line.empty() || line[0] == '#' || line.rfind("id\t", 0) == 0) continue;
        const std::vector<std::string> c = Pieces(line, "\t");
        ASSERT_EQ(c.size(), 8u) << line;
        ++cases;
        const std::string& formula = c[2];
        const Nomenclature n = NameFormula(formula);
        std::string given;
        for (const SystemName& name : n.names)
            given += " | " + name.name;
        for (int column = 3; column <= 7; ++column) {
            if (c[column] == "-") continue;
            for (std::string name : Pieces(c[column], " ; ")) {
                const auto mark = name.find(" [no IUPAC 2005]");
                if (mark != std::string::npos) name.erase(mark);
                if (name.rfind("fórmula:", 0) == 0) {
                    const Nomenclature other = NameFormula(name.substr(9));
                    if (other.formula != formula) {
                        failed += c[0] + ": " + name + " -> " + other.formula + other.error + "\n";
                        ++failures;
                    }
                    continue;
                }
                if (column < 7) {
                    const bool listed =
                        std::any_of(n.names.begin(), n.names.end(), [&](const SystemName& s) {
                            std::string plain = s.name;
                            const auto aqueous = plain.find(" (en disolución acuosa)");
                            if (aqueous != std::string::npos) plain.erase(aqueous);
                            return plain == name;
                        });
                    if (!listed) {
                        failed += c[0] + " " + formula + ": not given \"" + name + "\"; given" +
                                  given + n.error + "\n";
                        ++failures;
                    }
                }
                const NameReading back = FormulaOfName(name);
                if (back.formula != formula) {
                    failed += c[0] + ": \"" + name + "\" reads " + back.formula + back.error + "\n";
                    ++failures;
                }
            }
        }
    }
    EXPECT_GE(cases, 250);
    EXPECT_EQ(failures, 0) << failed;
}

TEST(NomenclatureCases, EveryWrongNameOrFormulaIsRefused) {
    const std::string file =
        ReadFile(std::string(TOVEL_SOURCE_DIR) + "/tests/data/nomenclature_refusals.tsv");
    int refusals = 0;
    std::string failed;
    for (const std::string& line : Pieces(file, "\n")) {
        if (line.empty() || line[0] == '#' || line.rfind("entrada\t", 0) == 0) continue;
        const std::vector<std::string> c = Pieces(line, "\t");
        ++refusals;
        const NameReading reading = FormulaOfName(c[0]);
        const Nomenclature named = NameFormula(c[0]);
        if (!reading.formula.empty() || named.Named())
            failed += c[0] + " -> " + reading.formula + " / " +
                      (named.Named() ? named.formula : "") + "  (" + (c.size() > 1 ? c[1] : "") +
                      ")\n";
    }
    EXPECT_GE(refusals, 30);
    EXPECT_TRUE(failed.empty()) << failed;
}

}  // namespace
}  // namespace tovel
