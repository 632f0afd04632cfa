#include <gtest/gtest.h>

#include "app/main_model.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

using test::DefaultElements;
using test::FakeUserPort;

class MainModelTest : public ::testing::Test {
  protected:
    void Type(EditLine line, const std::string& text) { model.LineText(line) = text; }
    void EnterSide(int side, const std::string& text) {
        Type(SideLine(side), text);
        model.EnterSideLine(side);
    }
    void EnterEquation(const std::string& text) {
        Type(EditLine::Equation, text);
        model.EnterEquationLine();
    }
    std::vector<std::string> Formulas(int side) const {
        std::vector<std::string> out;
        for (const auto& s : model.Substances(side))
            out.push_back(s.formula);
        return out;
    }

    ElementTable table = DefaultElements();
    FakeUserPort port;
    MainModel model{table, port};
};

TEST_F(MainModelTest, StartsWithNothingToDo) {
    EXPECT_EQ(model.State(), MainState::Start);
    const MainControls c = model.Controls();
    EXPECT_FALSE(c.adjust || c.autoAdjust || c.save || c.newReaction || c.problem);
    EXPECT_TRUE(c.editingVisible);
    EXPECT_FALSE(c.calculationVisible);
    EXPECT_EQ(model.AdjustButtonLabel(), "Ajustar");
    EXPECT_EQ(model.GroupCaption(), "Reactivos / Productos");
}

TEST_F(MainModelTest, TheTypicalRoad) {
    EnterEquation("H2+O2=H2O");
    EXPECT_EQ(model.State(), MainState::Editant);
    EXPECT_EQ(Formulas(kReactants), (std::vector<std::string>{"H2", "O2"}));
    EXPECT_EQ(model.CompactText(), "H2+O2=H2O");
    ASSERT_TRUE(model.AutoAdjust());
    EXPECT_EQ(model.State(), MainState::Ajustada);
    EXPECT_EQ(ReactionText(model.CurrentReaction()), "2 H2 + O2 = 2 H2O");
    EXPECT_EQ(model.AdjustButtonLabel(), "Cálculos");
    EXPECT_FALSE(model.Controls().autoAdjust);
    EXPECT_TRUE(model.Controls().adjust);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(MainModelTest, ButtonsFollowTheSides) {
    EnterSide(kReactants, "H2");
    EXPECT_TRUE(model.Controls().newReaction);
    EXPECT_FALSE(model.Controls().adjust);
    EXPECT_FALSE(model.Controls().save);
    EnterSide(kProducts, "H2O");
    EXPECT_TRUE(model.Controls().adjust);
    EXPECT_TRUE(model.Controls().autoAdjust);
    EXPECT_TRUE(model.Controls().save);
}

TEST_F(MainModelTest, SideLineEntersEachFormulaAtTheCursor) {
    EnterSide(kReactants, "H2+O2");
    EXPECT_EQ(Formulas(kReactants), (std::vector<std::string>{"H2", "O2"}));
    EXPECT_EQ(model.Cursor(kReactants), 3u);
    EXPECT_EQ(model.LineText(EditLine::Reactants), "");
    // Entering formulas at the start leads to EDITANT, so the equation replaces the sample.
    EXPECT_EQ(model.State(), MainState::Editant);
    model.SelectSlot(kReactants, 1);
    EXPECT_EQ(model.LineText(EditLine::Reactants), "H2");
    EXPECT_EQ(model.Cursor(kReactants), 1u);
    EnterSide(kReactants, "N2");
    EXPECT_EQ(Formulas(kReactants), (std::vector<std::string>{"N2", "O2"}));
    EXPECT_EQ(model.Cursor(kReactants), 3u);
}

TEST_F(MainModelTest, WhatCannotBeEnteredStaysInTheLine) {
    EnterSide(kReactants, "H2+X y+O2");
    EXPECT_EQ(Formulas(kReactants), (std::vector<std::string>{"H2"}));
    EXPECT_EQ(model.LineText(EditLine::Reactants), "X y+O2");
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, "Carácter \" \" no válido en la posición 2 de X y");
}

TEST_F(MainModelTest, ASideHoldsSixSubstances) {
    EnterSide(kReactants, "H2+O2+N2+Cl2+F2+I2");
    EXPECT_EQ(model.Count(kReactants), 6u);
    EnterSide(kReactants, "Br2");
    EXPECT_EQ(model.Count(kReactants), 6u);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Demasiadas substancias");
    EXPECT_EQ(port.messages[0].text, "Máximo: 6 en cada lado");
    EXPECT_EQ(model.LineText(EditLine::Reactants), "Br2");
}

TEST_F(MainModelTest, EditingABalancedEquationReturnsToEditant) {
    EnterEquation("H2+O2=H2O");
    ASSERT_TRUE(model.AutoAdjust());
    EnterSide(kProducts, "H2O2");
    EXPECT_EQ(model.State(), MainState::Editant);
    EXPECT_EQ(model.AdjustButtonLabel(), "Ajustar");
    EXPECT_TRUE(model.Controls().autoAdjust);
}

TEST_F(MainModelTest, MinusDeletesAtTheCursorAndPlusAppends) {
    EnterSide(kReactants, "H2+O2+N2");
    model.SelectSlot(kReactants, 2);
    model.DeleteAtCursor();
    EXPECT_EQ(Formulas(kReactants), (std::vector<std::string>{"H2", "N2"}));
    EXPECT_EQ(model.Cursor(kReactants), 3u);
    model.DeleteAtCursor();  // the cursor is past the end: nothing to delete
    EXPECT_EQ(model.Count(kReactants), 2u);
    model.SelectSlot(kReactants, 1);
    model.PrepareNewFormula();
    EXPECT_EQ(model.LineText(EditLine::Reactants), "");
    EXPECT_EQ(model.Cursor(kReactants), 3u);
    EXPECT_FALSE(model.Selection(kReactants));
}

TEST_F(MainModelTest, DeletingFromABalancedEquationUnbalancesIt) {
    EnterEquation("CH4+O2=CO2+H2O");
    ASSERT_TRUE(model.AutoAdjust());
    model.SelectSlot(kProducts, 2);
    model.DeleteAtCursor();
    EXPECT_EQ(model.State(), MainState::Editant);
}

TEST_F(MainModelTest, SelectingTheOtherSidesLineMovesTheWork) {
    EnterSide(kReactants, "H2+O2");
    model.SelectSlot(kReactants, 1);
    model.ActivateSide(kProducts);
    EXPECT_EQ(model.CurrentSide(), kProducts);
    EXPECT_EQ(model.Cursor(kProducts), 1u);
    EXPECT_FALSE(model.Selection(kReactants));
}

TEST_F(MainModelTest, NewReactionClearsEverything) {
    EnterEquation("H2+O2=H2O");
    model.AutoAdjust();
    model.NewReaction();
    EXPECT_EQ(model.State(), MainState::Inicial);
    EXPECT_EQ(model.Count(kReactants) + model.Count(kProducts), 0u);
    EXPECT_EQ(model.LineText(EditLine::Equation), "");
    EXPECT_EQ(model.Cursor(kReactants), 1u);
    EXPECT_FALSE(model.Controls().newReaction);
}

TEST_F(MainModelTest, EquationLineMessages) {
    EnterEquation("H2 + O2 -> H2O");
    EnterEquation("H2+O2=");
    EnterEquation("H2+O2+N2+Cl2+F2+I2+Br2=H2O");
    EnterEquation("H2+2O2=H2O");
    ASSERT_EQ(port.messages.size(), 4u);  // one message a fault
    EXPECT_EQ(port.messages[0].caption, "Error");
    EXPECT_EQ(port.messages[0].text, "Falta separador (=) lados reacción");
    EXPECT_EQ(port.messages[1].text, "Falta la fórmula 1 de los productos");
    EXPECT_EQ(port.messages[2].caption, "Demasiadas substancias");
    EXPECT_EQ(port.messages[3].text, "Carácter \"2\" no válido en la posición 1 de 2O2");
    EXPECT_EQ(model.State(), MainState::Start);
}

TEST_F(MainModelTest, AWrongEquationLeavesTheCurrentReactionAlone) {
    EnterEquation("H2+O2=H2O");
    ASSERT_TRUE(model.AutoAdjust());
    EnterEquation("H2+O2=");
    EXPECT_EQ(model.State(), MainState::Ajustada);
    EXPECT_EQ(ReactionText(model.CurrentReaction()), "2 H2 + O2 = 2 H2O");
}

TEST_F(MainModelTest, AutoAdjustReportsFailures) {
    EnterEquation("Fe+O2=H2O");
    EXPECT_FALSE(model.AutoAdjust());
    EXPECT_EQ(model.State(), MainState::Editant);
    EnterEquation("CO=CO2");
    EXPECT_FALSE(model.AutoAdjust());
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].caption, "No se puede ajustar");
    EXPECT_EQ(port.messages[1].caption, "Reacción o no viable o inexistente");
}

TEST_F(MainModelTest, AutoAdjustUsesTheSubstancesAsEnteredBySide) {
    EnterSide(kReactants, "Al+O2");
    EnterSide(kProducts, "Al2O3");
    ASSERT_TRUE(model.AutoAdjust());
    EXPECT_EQ(ReactionText(model.CurrentReaction()), "4 Al + 3 O2 = 2 Al2O3");
}

TEST_F(MainModelTest, QueuedReactionLoadsAtTheNextRefresh) {
    Reaction reaction = test::ParsedReaction("CH4+O2=CO2+H2O");
    model.QueueReaction(reaction, "Combustión del metano");
    EXPECT_EQ(model.State(), MainState::Start);
    model.Refresh();
    EXPECT_EQ(model.State(), MainState::Editant);
    EXPECT_EQ(model.Description(), "Combustión del metano");
    EXPECT_EQ(model.CompactText(), "CH4+O2=CO2+H2O");
    EXPECT_EQ(model.Count(kProducts), 2u);
    // Editing by hand clears the description.
    EnterSide(kReactants, "O3");
    EXPECT_EQ(model.Description(), "");
}

TEST_F(MainModelTest, TransferEntersTheFormulaAtTheCursor) {
    EnterEquation("H2+O2=H2O");
    ASSERT_TRUE(model.AutoAdjust());
    model.ActivateSide(kProducts);
    model.TransferFormula("H2O2");
    EXPECT_EQ(model.State(), MainState::Editant);
    EXPECT_EQ(model.Substances(kProducts).back().formula, "H2O2");
}

TEST_F(MainModelTest, ExitAsksOnlyWhenConfirmationIsOn) {
    port.answers = {kAnswerNo, kAnswerYes};
    EXPECT_FALSE(model.AskExit());
    EXPECT_TRUE(model.AskExit());
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].caption, "Confirmar");
    EXPECT_EQ(port.messages[0].text, "¿Salir del programa?");
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Question);
    model.ToggleConfirmExit();
    EXPECT_TRUE(model.AskExit());
    EXPECT_EQ(port.messages.size(), 2u);
}

TEST_F(MainModelTest, UsingACoefficientBoxFillsTheEmptyBoxesBeforeIt) {
    EnterEquation("H2+O2=H2O");
    model.Adjust();
    ASSERT_EQ(model.State(), MainState::Ajustant);
    model.BoxText(kReactants, 2) = "3";
    model.BoxNotified(kProducts, 1);  // the third box, on the other side
    EXPECT_EQ(model.BoxText(kReactants, 1), "1");
    EXPECT_EQ(model.BoxText(kReactants, 2), "3");  // typed: kept
    EXPECT_EQ(model.BoxText(kProducts, 1), "");    // the box used is not filled
}

TEST_F(MainModelTest, ABalancedReactionCanBeSavedFromCalculationMode) {
    EnterEquation("H2+O2=H2O");
    ASSERT_TRUE(model.AutoAdjust());
    model.EnterCalculation();
    ASSERT_EQ(model.State(), MainState::Calculant);
    EXPECT_TRUE(model.Controls().save);
    EXPECT_EQ(model.ReactionToSave(), std::optional<std::string>("H2+O2=H2O"));
    EXPECT_EQ(model.CurrentReaction().coefficients[kReactants][0], 2);  // saving keeps the balance
}

}  // namespace
}  // namespace tovel

namespace tovel {
namespace {

// Ions typed in the side lines keep their signs, and balancing by hand counts the charge.
TEST(MainModelIons, TheSignOfAChargeStaysWithItsFormula) {
    ElementTable table = test::DefaultElements();
    test::FakeUserPort port;
    MainModel model{table, port};
    model.LineText(EditLine::Reactants) = "Fe^3+ + e^-";
    model.EnterSideLine(kReactants);
    model.LineText(EditLine::Products) = "Fe^2+";
    model.EnterSideLine(kProducts);
    ASSERT_EQ(model.Count(kReactants), 2u);
    EXPECT_EQ(model.Substances(kReactants)[0].formula, "Fe^3+");
    EXPECT_EQ(model.Substances(kReactants)[1].formula, "e^-");
    model.Adjust();  // "Ajustar": the boxes
    ASSERT_EQ(model.State(), MainState::Ajustant);
    model.BoxText(kReactants, 1) = "1";
    model.BoxText(kReactants, 2) = "2";
    model.BoxText(kProducts, 1) = "1";
    model.Adjust();  // "acepta": atoms balance, charges do not
    EXPECT_EQ(model.State(), MainState::Ajustant);
    const Message& message = test::LastMessage(port);
    EXPECT_EQ(message.caption, "No ajustada");
    EXPECT_NE(message.text.find("carga de los reactivos:\t1\r\ncarga de los productos:\t2"),
              std::string::npos)
        << message.text;
    model.BoxText(kReactants, 2) = "1";
    model.Adjust();
    EXPECT_EQ(model.State(), MainState::Ajustada);
}

}  // namespace
}  // namespace tovel
