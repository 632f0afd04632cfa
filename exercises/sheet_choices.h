#pragma once
// What a problem sheet is made of: how many problems, from which reaction types, with which kinds
// of data and cases, and the seed it is drawn from.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tovel {

constexpr int kSheetCountLimit = 50;
constexpr std::uint32_t kSheetSeedLimit = 999999;  // seeds the program draws: short to type

// What kind of datum a problem gives.
enum class SheetDatum : int {
    Grams = 0,
    ImpureGrams = 1,  // grams of a reactant with its purity
    Moles = 2,
    LitresNormal = 3,
    LitresPT = 4,
    Solution = 5,  // millilitres of a solution of a reactant
};
constexpr int kSheetDatumCount = 6;

// Which substances a problem gives.
enum class SheetCase : int {
    OneReactant = 0,
    TwoReactants = 1,  // one of them is in excess
    Product = 2,
};
constexpr int kSheetCaseCount = 3;

struct SheetChoices {
    int count = 20;                  // 1 to kSheetCountLimit
    std::vector<std::string> types;  // the reaction types drawn from, by name; empty is all
    std::array<bool, kSheetDatumCount> data{true, true, true, true, true, true};
    std::array<bool, kSheetCaseCount> cases{true, true, true};
    // Some problems of one reactant or of a product wanted carry a yield, or ask for it from
    // what was obtained.
    bool yields = true;
    // Every fourth problem finds an empirical formula instead of a calculation on a reaction.
    bool empirical = false;
    // Redox equations of the chosen types to balance by the ion-electron method: none, every
    // fourth exercise from the second, or all of them.
    enum class Share { None, Some, All } ionElectron = Share::None;
    std::uint32_t seed = 1;
};

}  // namespace tovel
