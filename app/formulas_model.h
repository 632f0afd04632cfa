#pragma once
// The "Fórmulas" window without the window: what the user typed in its three tabs (a formula for
// its composition; a composition, or a combustion, for the empirical and molecular formula; a
// salt and its loss on heating for the water of a hydrate), read and refused with messages that
// name the field, and the working of the last answer of each tab.

#include <array>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/user_port.h"

namespace tovel {

// The rows of elements the empirical tab offers.
constexpr std::size_t kEmpiricalRows = 6;

enum class EmpiricalSource : int { Percent = 0, Grams = 1, Combustion = 2 };

struct EmpiricalTexts {
    EmpiricalSource source = EmpiricalSource::Percent;
    std::array<std::string, kEmpiricalRows> symbols;
    std::array<std::string, kEmpiricalRows> values;
    std::string carbonDioxide, water, sample;  // grams, for a combustion
    std::string molarMass;                     // optional
};

struct HydrateTexts {
    std::string salt;
    bool masses = false;  // the grams before and after heating, not the percent lost
    std::string loss, before, after;
};

enum class FormulasTab : int { Composition = 0, Empirical = 1, Hydrate = 2 };

class FormulasModel {
  public:
    FormulasModel(const ElementTable& table, UserPort& port) : m_table(table), m_port(port) {}

    std::string formula;  // the composition tab's
    EmpiricalTexts empirical;
    HydrateTexts hydrate;

    // "Calcular" on a tab: false after telling the user what is wrong; the tab's lines are then
    // empty. Percents that do not add up to 100 are shared out over it only if the user says so.
    bool Calculate(FormulasTab tab);
    // The working and the answer of the tab's last calculation, as text lines.
    const std::vector<std::string>& Lines(FormulasTab tab) const {
        return m_lines[static_cast<std::size_t>(tab)];
    }

  private:
    bool Composition(std::vector<std::string>& lines);
    bool Empirical(std::vector<std::string>& lines);
    bool Hydrate(std::vector<std::string>& lines);
    // The working and its answers as the tab's lines, or the refusal told and false.
    bool Answer(const std::string& error, const std::vector<std::string>& steps,
                const std::vector<std::string>& answers, std::vector<std::string>& lines);
    // A number typed in a field; empty is refused unless optional (then 0).
    bool Read(const std::string& text, const std::string& field, double& value,
              bool optional = false);

    const ElementTable& m_table;
    UserPort& m_port;
    std::array<std::vector<std::string>, 3> m_lines;
};

}  // namespace tovel
