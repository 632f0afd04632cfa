// Fuzz target: any text typed into the ion-electron window or given to tovel-cli ionelectron, in
// each medium. It must never crash; whatever it solves must balance: each half in atoms and
// charge with its electrons, the ionic equation in atoms and charge, the molecular equation in
// atoms, and every coefficient positive.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "core/electrolytes.h"
#include "core/formula.h"
#include "core/ion_electron_method.h"

namespace {

// Atoms and charge of one side; false when a formula does not read.
bool Count(const std::vector<tovel::HalfTerm>& terms, std::map<std::string, long>& atoms,
           long& charge) {
    for (const tovel::HalfTerm& term : terms) {
        if (term.coefficient <= 0) return false;
        const tovel::FormulaScan scan = tovel::ScanFormula(term.formula);
        if (scan.error != tovel::FormulaError::None) return false;
        for (const auto& entry : scan.entries)
            atoms[entry.element.symbol] += term.coefficient * entry.count;
        charge += term.coefficient * scan.charge;
    }
    return true;
}

void ExpectBalanced(const std::vector<tovel::HalfTerm>& left,
                    const std::vector<tovel::HalfTerm>& right, bool charge) {
    std::map<std::string, long> a, b;
    long ca = 0, cb = 0;
    if (!Count(left, a, ca) || !Count(right, b, cb) || a != b || (charge && ca != cb)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 400) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)tovel::Dissociate(text);
    for (const auto medium : {tovel::MediumChoice::FromEquation, tovel::MediumChoice::Acid,
                              tovel::MediumChoice::Basic}) {
        const tovel::IonElectronSolution s = tovel::SolveIonElectron(text, medium);
        (void)tovel::IonElectronText(s);
        if (!s.solved) {
            if (s.error.empty()) std::abort();
            continue;
        }
        ExpectBalanced(s.oxidation.left, s.oxidation.right, true);
        ExpectBalanced(s.reduction.left, s.reduction.right, true);
        ExpectBalanced(s.ionic.left, s.ionic.right, true);
        if (s.molecular) ExpectBalanced(s.molecularLeft, s.molecularRight, false);
        if (s.electrons <= 0) std::abort();
    }
    return 0;
}
