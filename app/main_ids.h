#pragma once
// Control and command ids of the main window, named once.

#include "system/tools.h"

namespace tovel {

enum MainId : int {
    kCmdNew = 0,             // "Nueva", menu "&Nueva reacción"
    kCmdOk = 1,              // the Enter key
    kCmdExit = 2,            // exit icon, Esc, menu "&Salir"
    kCmdPlus = 3,            // "+"
    kCmdEnterReactants = 4,  // "^" under the reactants
    kCmdEnterProducts = 5,   // "^" under the products
    kCmdMinus = 6,           // "-"
    kCmdEquationOk = 7,      // "ok" beside the equation line
    kCmdAdjust = 10,         // "Ajustar" / "acepta" / "Cálculos"
    kCmdCalc = 11,
    kCmdAutoAdjust = 12,
    kCmdReset = 13,
    kCmdProblem = 14,
    kCmdImport = 15,
    kCmdSaveReaction = 16,
    kBalancedIcon = 20,  // "BeIcon"
    kFontLabel = 30,
    kFontSize12 = 31,
    kFontSize10 = 32,
    kFirstBox = 50,  // coefficient and amount boxes: reactants 50..55, products 56..61
    kReactantsLabel = 98,
    kProductsLabel = 99,
    kReactantList = 100,
    kProductList = 101,
    kReactantLine = 102,
    kProductLine = 103,
    kEquationLine = 104,
    kEquationLabel = 105,
    kResultLine = 113,
    kProductAmounts = 114,  // group boxes of the amount tables
    kReactantAmounts = 115,
    kMolesReacted = 116,
    kFinalAmounts = 117,
    kMolesFormed = 118,
    kUnitsGroup = 119,     // the units group runs to 141
    kUnitRadioGram = 121,  // radio buttons 121..125, one per amount unit, in AmountUnit's order
    kUnitRadioMole = 122,
    kUnitRadioLitreNormal = 123,
    kUnitRadioLitrePT = 124,
    kUnitSolutionRadio = 125,
    kPressureLabel = 126,
    kPressure = 127,
    kPressureUnit = 128,
    kTemperatureLabel = 129,
    kTemperature = 130,
    kTemperatureUnit = 131,
    kPurity = 132,
    kPurityLabel = 133,
    kMolarityLabel = 134,
    kMolarityField = 135,
    kUnitsOk = 141,
    kYieldLabel = 142,  // "Rendimiento %", its field and the choice of finding it
    kYield = 143,
    kYieldFromObtained = 144,
    kDescription = 151,
    kResolutionMark = 198,
    kCmdTransfer = 199,  // sent by the usual-compounds window
    kSidesGroup = 200,
    kMenuLibrary = 202,
    kMenuSaveReaction = 204,
    kMenuOpenProblem = 205,
    kMenuExplainBalance = 206,  // "Ajuste paso a paso"
    kMenuOxidationNumbers = 207,
    kMenuRedox = 208,
    kMenuIonElectron = 209,  // "Ajuste redox (ion-electrón)", also the client's button
    kMenuConfirmExit = 210,
    kMenuCompounds = 301,
    kMenuAtomicMasses = 303,
    kMenuElementFile = 304,
    kMenuInfo = 401,
    kMenuDonation = 402,
    kMenuAbout = 405,
    kMenuConcentrations = 500,
    kMenuSheet = 502,        // "Hoja de problemas..."
    kMenuFormulation = 503,  // "Formulación"
    kMenuFormulas = 504,     // "Fórmulas": composition, empirical formula, hydrates
    kMenuToolsEditor = kEditToolsCommand,
    kMenuExit = 997,
};

// Boxes are numbered reactants first, then products, so "every box before this one" is the
// boxes with a lower id.
constexpr int BoxId(int side, int slot) {
    return kFirstBox + side * 6 + (slot - 1);
}

}  // namespace tovel
