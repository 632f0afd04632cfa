#pragma once
// The states of the main window's work in progress.

namespace tovel {

enum class MainState {
    Start = 0,      // just started: the sample equation is shown
    Inicial = 1,    // empty or new reaction
    Editant = 2,    // an equation is being entered, not balanced
    Ajustant = 3,   // manual balancing: coefficient boxes are shown
    Ajustada = 4,   // balanced
    Calculant = 5,  // calculation mode
};

// "INICIAL", "EDITANT", ... ; empty for the start state.
const char* MainStateName(MainState state);

}  // namespace tovel
