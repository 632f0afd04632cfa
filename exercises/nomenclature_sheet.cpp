#include "exercises/nomenclature_sheet.h"

#include <memory>

#include "exercises/nomenclature_practice.h"
#include "exercises/seeded_random.h"

namespace tovel {

const std::vector<std::string>& NameClassKeys() {
    static const std::vector<std::string> keys = {"elementos", "oxidos",     "hidruros",
                                                  "binarias",  "hidroxidos", "oxoacidos",
                                                  "oxosales",  "acidas",     "iones"};
    return keys;
}

SheetText DrawNameSheet(const NameSheetChoices& choices) {
    auto random = std::make_shared<SeededRandom>(choices.seed);
    NomenclaturePractice practice(
        [random](std::size_t n) { return static_cast<std::size_t>(random->Below(n)); });
    practice.SetClasses(choices.classes);
    using Asking = NomenclaturePractice::Asking;
    const Asking asking = choices.formulaToName && choices.nameToFormula ? Asking::Either
                          : choices.formulaToName                        ? Asking::Name
                                                                         : Asking::Formula;
    SheetText text;
    text.title = choices.title.empty() ? kNameSheetTitle : choices.title;
    text.seed = choices.seed;
    text.keyWord = "Ejercicio";
    for (int i = 0; i < choices.count; ++i) {
        const PracticeQuestion& q = practice.Next(asking);
        if (q.formula.empty()) break;
        text.statements.push_back(
            {q.askName ? "Nombra " + q.formula + "." : "Escribe la fórmula de: " + q.name + ".",
             ""});
        std::vector<std::string> key = {q.formula};
        SheetAnswer answer;
        answer.label = q.askName ? "Nombre" : "Fórmula";
        if (!q.askName) {
            answer.accepted = {q.formula};
            answer.caseMatters = true;
        }
        for (const SystemName& name : NameFormula(q.formula).names) {
            key.push_back(name.system + ": " + name.name + (name.kept ? "" : " (no IUPAC 2005)"));
            if (q.askName) answer.accepted.push_back(name.name);
        }
        text.resolutions.push_back(key);
        text.answers.push_back({answer});
    }
    return text;
}

}  // namespace tovel
