#include "core/equation_checks.h"

#include "core/balance.h"
#include "core/messages.h"
#include "core/text_utils.h"

namespace tovel {

std::string ElementListText(const Reaction& reaction, int side, const ElementTable& table) {
    std::string text;
    for (const auto z : reaction.elements[side])
        text += ElementSymbolOfZ(table, z) + "   ";
    return text;
}

void ReportTooManySubstances(UserPort& port) {
    Notice(port, "Demasiadas substancias", "Máximo: 6 en cada lado");
}

void ReportReactionParseFailure(int code, UserPort& port, const ReactionParseFailure* failure) {
    switch (code) {
        case kReactionNoEquals:
            Notice(port, "Error", "Falta separador (=) lados reacción");
            break;
        case kReactionBadSubstance:
            if (!failure) {
                Notice(port, "Error", "En compuesto");
            } else if (failure->empty) {
                Notice(
                    port, "Error",
                    "Falta la fórmula " + IntText(static_cast<long>(failure->position)) +
                        (failure->side == kReactants ? " de los reactivos" : " de los productos"));
            }
            break;
        case kReactionTooMany:
            ReportTooManySubstances(port);
            break;
        default:
            break;
    }
}

bool CheckSameElements(const Reaction& reaction, const ElementTable& table, UserPort& port) {
    if (SameElements(reaction)) return true;
    Notice(port, "No se puede ajustar",
           "faltan o sobran elementos    \r\n\r\nen los reactivos:    " +
               ElementListText(reaction, kReactants, table) +
               "\r\nen los productos:  " + ElementListText(reaction, kProducts, table));
    return false;
}

namespace {

// The atoms alone would balance: it is the charge that cannot.
bool ChargesAloneStopIt(const Reaction& reaction) {
    // The electron has no atoms: without its charge it would be a column of zeros.
    if (HasElectron(reaction)) return true;
    Reaction neutral = reaction;
    for (int side = 0; side < 2; ++side) {
        for (auto& substance : neutral.substances[side])
            substance.charge = 0;
    }
    return static_cast<bool>(FindBalance(neutral));
}

}  // namespace

bool AutoBalance(Reaction& reaction, const ElementTable& table, UserPort& port) {
    if (!CheckSameElements(reaction, table, port)) return false;
    BalanceFailure failure = BalanceFailure::None;
    if (BalanceReaction(reaction, &failure)) return true;
    if (failure == BalanceFailure::BeyondLimits) {
        // A balance may exist: it is only not within the coefficients the program works with.
        Notice(port, "Ajuste no encontrado",
               "No se ha encontrado ningún ajuste dentro de los límites del programa (coeficientes "
               "de hasta " +
                   IntText(kCoefficientLimit) +
                   " y una búsqueda acotada); eso no quiere decir que no exista");
    } else if (HasCharges(reaction) && ChargesAloneStopIt(reaction)) {
        Notice(port, "Las cargas no cuadran",
               "No se puede ajustar: las cargas de los reactivos y de los productos no pueden "
               "igualarse con estas substancias");
    } else {
        Notice(port, "Reacción o no viable o inexistente",
               "O no se puede ajustar o los productos son iguales a los reactivos");
    }
    return false;
}

}  // namespace tovel
