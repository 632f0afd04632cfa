// Nomenclature practice: what is drawn, how an answer is judged and the score kept.

#include <gtest/gtest.h>

#include "core/formula.h"
#include "exercises/nomenclature_practice.h"
#include "exercises/nomenclature_sheet.h"

namespace tovel {
namespace {

// Draws the first compound of the pool, and asks alternately for the name and the formula.
RandomIndex Fixed(std::size_t compound, std::size_t ask) {
    auto calls = std::make_shared<int>(0);
    return [=](std::size_t n) -> std::size_t {
        const int call = (*calls)++;
        if (n == 2) return ask;
        return call == 0 ? compound % n : 0;
    };
}

std::size_t ClassIndex(const std::string& label) {
    const auto& classes = PracticeClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (classes[i].label == label) return i;
    }
    return classes.size();
}

TEST(NomenclaturePractice, DrawsOnlyTheTickedClassesOfSchoolElements) {
    NomenclaturePractice practice;
    practice.SetClasses({ClassIndex("Oxoácidos")});
    for (int i = 0; i < 40; ++i) {
        const PracticeQuestion& q = practice.Next();
        ASSERT_FALSE(q.formula.empty());
        EXPECT_EQ(NameFormula(q.formula).kind, "oxoácido") << q.formula;
        EXPECT_EQ(q.formula[0], 'H') << q.formula;
    }
    practice.SetClasses({ClassIndex("Hidróxidos")});
    for (int i = 0; i < 40; ++i) {
        const std::string formula = practice.Next().formula;
        for (const char* rare : {"Fr", "Ra", "Tl", "Os", "Cs", "Rb"})
            EXPECT_EQ(formula.find(rare), std::string::npos) << formula;
    }
}

TEST(NomenclaturePractice, EveryRightNameIsAcceptedAndItsSystemTold) {
    NomenclaturePractice practice(Fixed(0, 0));
    practice.SetClasses({ClassIndex("Óxidos y peróxidos")});
    const PracticeQuestion q = practice.Next();
    ASSERT_TRUE(q.askName);
    const Nomenclature n = NameFormula(q.formula);
    ASSERT_GE(n.names.size(), 1u);
    for (const SystemName& name : n.names) {
        const PracticeVerdict v = practice.Check(name.name);
        EXPECT_TRUE(v.right) << name.name << ": " << v.message;
        EXPECT_EQ(v.message.rfind("Correcto (", 0), 0u) << v.message;
    }
    // The score counts the question once, at its first answer.
    EXPECT_EQ(practice.Asked(), 1);
    EXPECT_EQ(practice.Right(), 1);
}

TEST(NomenclaturePractice, WhatIsWrongInAWrongName) {
    const Nomenclature fe2o3 = NameFormula("Fe2O3");
    EXPECT_EQ(WhatIsWrongInName("dióxido de dihierro", fe2o3),
              "Los prefijos no son los correctos: se escribe «trióxido de dihierro»");
    EXPECT_EQ(WhatIsWrongInName("óxido de hierro(II)", fe2o3),
              "«óxido de hierro(II)» es FeO, no Fe2O3");
    EXPECT_EQ(WhatIsWrongInName("óxido de hierro(IV)", fe2o3),
              "El número entre paréntesis no es el correcto: se escribe «óxido de hierro(III)»");
    const Nomenclature sulfate = NameFormula("Na2SO4");
    EXPECT_EQ(WhatIsWrongInName("sulfito de sodio", sulfate),
              "«sulfito de sodio» es Na2SO3, no Na2SO4");
    const Nomenclature acid = NameFormula("H2SO4");
    EXPECT_EQ(WhatIsWrongInName("ácido sulfurrico", acid),
              "«sulfurrico» no es una palabra de la nomenclatura: ¿«sulfúrico»?");
    EXPECT_EQ(WhatIsWrongInName("ácido sulfuroso", acid), "«ácido sulfuroso» es H2SO3, no H2SO4");
}

TEST(NomenclaturePractice, AFormulaAnswerIsReadAsWritten) {
    NomenclaturePractice practice(Fixed(0, 1));
    practice.SetClasses({ClassIndex("Óxidos y peróxidos")});
    const PracticeQuestion q = practice.Next();
    ASSERT_FALSE(q.askName);
    PracticeVerdict v = practice.Check("Xx9");
    EXPECT_FALSE(v.right);
    v = practice.Check(q.formula);
    EXPECT_TRUE(v.right) << v.message;
    EXPECT_EQ(practice.Asked(), 1);
    EXPECT_EQ(practice.Right(), 0);  // the first answer was wrong
    EXPECT_EQ(practice.Check("").message, "Escribe una fórmula");
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

TEST(NameSheet, TheSameSeedGivesTheSameSheetOfTheChosenClasses) {
    NameSheetChoices choices;
    choices.count = 12;
    choices.seed = 4242;
    choices.formulaToName = true;
    choices.nameToFormula = false;
    choices.classes = {5};  // oxoácidos
    const SheetText sheet = DrawNameSheet(choices);
    ASSERT_EQ(sheet.statements.size(), 12u);
    ASSERT_EQ(sheet.resolutions.size(), 12u);
    EXPECT_EQ(sheet.title, "Hoja de formulación inorgánica");
    EXPECT_EQ(sheet.seed, 4242u);
    EXPECT_EQ(sheet.keyWord, "Ejercicio");
    for (std::size_t i = 0; i < 12; ++i) {
        const std::string& asked = sheet.statements[i].front();
        ASSERT_EQ(asked.rfind("Nombra ", 0), 0u) << asked;
        // The key starts with the formula asked, then every name of it.
        const std::string formula = sheet.resolutions[i].front();
        EXPECT_EQ(asked, "Nombra " + formula + ".");
        EXPECT_EQ(NameFormula(formula).kind, "oxoácido");
        EXPECT_GE(sheet.resolutions[i].size(), 2u);
    }
    const SheetText again = DrawNameSheet(choices);
    EXPECT_EQ(again.statements, sheet.statements);
    EXPECT_EQ(again.resolutions, sheet.resolutions);
    choices.seed = 4243;
    EXPECT_NE(DrawNameSheet(choices).statements, sheet.statements);

    choices.formulaToName = false;
    choices.nameToFormula = true;
    for (const auto& statement : DrawNameSheet(choices).statements)
        EXPECT_EQ(statement.front().rfind("Escribe la fórmula de: ", 0), 0u) << statement.front();
}

}  // namespace
}  // namespace tovel
