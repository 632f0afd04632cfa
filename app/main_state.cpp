#include "app/main_state.h"

namespace tovel {

const char* MainStateName(MainState state) {
    switch (state) {
        case MainState::Inicial:
            return "INICIAL";
        case MainState::Editant:
            return "EDITANT";
        case MainState::Ajustant:
            return "AJUSTANT";
        case MainState::Ajustada:
            return "AJUSTADA";
        case MainState::Calculant:
            return "CALCULANT";
        case MainState::Start:
            break;
    }
    return "";
}

}  // namespace tovel
