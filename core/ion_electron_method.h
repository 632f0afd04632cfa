#pragma once
// The ion-electron method from the equation a student types to the balanced equation: the
// medium, the dissociation of a molecular skeleton, the redox pairs, each half balanced, the two
// added, and back to the molecular equation, every step kept in Spanish as on the board.

#include <string>
#include <string_view>
#include <vector>

#include "core/ion_electron.h"

namespace tovel {

// How the medium is decided: read from the equation (a strong acid or H^+ makes it acid, a
// strong base or OH^- basic), or given by the user.
enum class MediumChoice { FromEquation, Acid, Basic };

// One step on the board: what is done, in words, and the equations it leaves, one a line, written
// as tovel writes them ("MnO4^- + 8 H^+ + 5 e^- = Mn^2+ + 4 H2O"). Formulas in the words are
// written the same way, so that a window can set their counts and charges in place.
struct MethodStep {
    std::string what;
    std::vector<std::string> equations;
};

struct IonElectronSolution {
    bool solved = false;
    std::string error;  // when not solved: what the method cannot do, and why
    Medium medium = Medium::Acid;
    bool molecular = false;  // the skeleton had no ion: it is given back as a molecule equation
    std::vector<MethodStep> steps;
    HalfReaction oxidation;  // balanced, before being multiplied
    HalfReaction reduction;
    IonicEquation ionic;
    std::vector<HalfTerm> molecularLeft;  // for a molecular skeleton
    std::vector<HalfTerm> molecularRight;
    long electrons = 0;  // transferred in the net ionic equation as written
};

// Balances the equation by the ion-electron method. The equation is written as in the main
// window, sides joined by "=", substances by "+"; coefficients typed before a formula are read
// past. Nothing is guessed: a skeleton without a redox pair, a species that cannot be placed, a
// medium that cannot be decided or a molecular equation the spectators cannot complete is told in
// error, and no equation is given.
IonElectronSolution SolveIonElectron(std::string_view equation, MediumChoice medium);

// The labelled results, one a line: "Semirreacción de oxidación: ...", "Semirreacción de
// reducción: ...", "Ecuación iónica: ...", "Ecuación molecular: ..." (for a molecular skeleton)
// and "Electrones transferidos: N".
std::vector<std::string> IonElectronSummary(const IonElectronSolution& solution);

// The whole resolution as plain text: each step's words and its equations indented below, then a
// blank line and the summary. What tovel-cli prints and the window saves and copies.
std::string IonElectronText(const IonElectronSolution& solution);

}  // namespace tovel
