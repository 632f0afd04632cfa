#include "core/equation_checks.h"

#include <algorithm>

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

std::string EquationChargeHints(std::string_view equation) {
    std::string hints;
    auto isEnd = [&](std::size_t i) {
        return i >= equation.size() || equation[i] == ' ' || equation[i] == '+' ||
               equation[i] == '=';
    };
    std::size_t start = 0;  // of the piece being read
    for (std::size_t i = 0; i < equation.size(); ++i) {
        const char c = equation[i];
        if (c == ' ' || c == '=') {
            start = i + 1;
            continue;
        }
        if (c == '^') {
            // A charge written right: skip it and its sign.
            while (i + 1 < equation.size() && equation[i + 1] >= '0' && equation[i + 1] <= '9')
                ++i;
            if (i + 1 < equation.size()) ++i;
            start = i + 1;
            continue;
        }
        if ((c != '+' && c != '-') || i == start || !isEnd(i + 1)) {
            if (c == '+') start = i + 1;
            continue;
        }
        const std::string hint = ChargeHint(equation.substr(start, i + 1 - start));
        if (!hint.empty() && hints.find(hint) == std::string::npos)
            hints += (hints.empty() ? "" : ", ") + hint;
        start = i + 1;
    }
    return hints;
}

void ReportReactionParseFailure(int code, UserPort& port, const ReactionParseFailure* failure,
                                std::string_view equation) {
    const std::string hints = EquationChargeHints(equation);
    const std::string hint = hints.empty() ? "" : "\r\nLa carga se escribe tras ^: " + hints;
    switch (code) {
        case kReactionNoEquals:
            Notice(port, "Error", "Falta separador (=) lados reacción");
            break;
        case kReactionBadSubstance:
            if (!failure) {
                Notice(port, "Error", "En compuesto" + hint);
            } else if (failure->empty) {
                Notice(
                    port, "Error",
                    "Falta la fórmula " + IntText(static_cast<long>(failure->position)) +
                        (failure->side == kReactants ? " de los reactivos" : " de los productos") +
                        hint);
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

std::string OneSideElementsText(const Reaction& reaction, const ElementTable& table) {
    std::string text;
    for (int side = 0; side < 2; ++side) {
        std::string names;
        std::size_t count = 0;
        for (const auto z : reaction.elements[side]) {
            const auto& other = reaction.elements[1 - side];
            if (std::find(other.begin(), other.end(), z) != other.end()) continue;
            names += (names.empty() ? "" : ", ") + ElementSymbolOfZ(table, z);
            ++count;
        }
        if (count == 0) continue;
        if (!text.empty()) text += "; ";
        text += names + (count == 1 ? " solo está en " : " solo están en ") +
                (side == kReactants ? "los reactivos" : "los productos");
    }
    return text;
}

bool CheckEquationText(std::string_view equation, ElementTable& table, UserPort& port) {
    const auto signs = std::count(equation.begin(), equation.end(), '=');
    if (signs > 1) {
        // Two equations run together: the second would be kept as part of a formula.
        NoticeWith(port, "Error",
                   "La ecuación tiene " + IntText(static_cast<long>(signs)) +
                       " signos =: escribe una sola ecuación, con un = entre los reactivos y los "
                       "productos",
                   MessageIcon::Exclamation);
        return false;
    }
    Reaction reaction;
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, table, port, &failure);
    if (code != kReactionOk) {
        ReportReactionParseFailure(code, port, &failure, equation);
        return false;
    }
    if (SameElements(reaction)) return true;
    NoticeWith(
        port, "Error",
        "Los dos lados no tienen los mismos elementos: " + OneSideElementsText(reaction, table),
        MessageIcon::Exclamation);
    return false;
}

namespace {

std::string BalanceText(const Reaction& reaction, const CoefficientList& coefficients) {
    Reaction balanced = reaction;
    ApplyCoefficients(balanced, coefficients);
    return ReactionText(balanced);
}

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
    const BalanceOutcome outcome = UniqueBalance(reaction);
    if (outcome) {
        ApplyCoefficients(reaction, outcome.coefficients);
        return true;
    }
    const BalanceFailure failure = outcome.failure;
    if (failure == BalanceFailure::SeveralBalances) {
        // Never one chosen silently: atoms and charge alone do not say which is meant.
        std::string text = "Hay más de un ajuste independiente";
        if (outcome.several) {
            text += ", por ejemplo:\r\n" + BalanceText(reaction, outcome.several->first) +
                    "\r\no bien\r\n" + BalanceText(reaction, outcome.several->second);
        }
        Notice(port, "Varios ajustes posibles", text);
    } else if (failure == BalanceFailure::BeyondLimits) {
        // A balance may exist: it is only not within the coefficients the program works with.
        Notice(port, "Ajuste no encontrado",
               "No se ha encontrado ningún ajuste dentro de los límites del programa (coeficientes "
               "de hasta " +
                   IntText(kCoefficientLimit) +
                   " y una búsqueda acotada); eso no quiere decir que no exista");
    } else if (HasCharges(reaction) && ChargesAloneStopIt(reaction)) {
        Notice(port, "Las cargas no cuadran",
               "No se puede ajustar: las cargas de los reactivos y de los productos no pueden "
               "igualarse con estas sustancias");
    } else {
        Notice(port, "Reacción o no viable o inexistente",
               "O no se puede ajustar o los productos son iguales a los reactivos");
    }
    return false;
}

}  // namespace tovel
