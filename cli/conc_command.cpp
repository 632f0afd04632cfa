#include "conc_command.h"

#include <map>
#include <ostream>

#include "concentration_model.h"
#include "text_utils.h"

namespace tovel {

bool RunConcentration(const std::vector<std::string>& args, ElementTable& table, UserPort& port,
                      std::string& error, std::ostream& out) {
    const std::map<std::string, int> concentrations = {
        {"--molaridad", kMolarity}, {"--molalidad", kMolality}, {"--gl", kGramsPerLitre}, {"--masa", kMassPercent}};
    const std::map<std::string, int> preparation = {
        {"--soluto", kSoluteGrams}, {"--disolucion", kSolutionMillilitres}, {"--disolvente", kSolventGrams}};
    if (args.empty() || args[0].rfind("--", 0) == 0) {
        error = "conc needs a formula first";
        return false;
    }
    ConcentrationModel model(table, port);
    model.Open(table.Count() > 0);
    model.ChooseCompound(args[0]);
    if (!model.InputsEnabled()) return false;

    bool caseWanted = false;
    int concentration = -1;
    std::vector<std::pair<int, std::string>> amounts;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--caso") {
            caseWanted = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (const auto c = concentrations.find(option); c != concentrations.end() && concentration < 0) {
            concentration = c->second;
            model.Fields().concentrations[concentration] = value;
            model.ConcentrationTyped(concentration);
        } else if (const auto p = preparation.find(option); p != preparation.end()) {
            amounts.emplace_back(p->second, value);
        } else if (option == "--densidad") {
            model.Fields().density = value;
        } else {
            error = "unknown or repeated option " + option;
            return false;
        }
    }
    const bool prepare = !amounts.empty();
    if (prepare == (concentration >= 0) || (prepare && amounts.size() != 2)) {
        error = "give one concentration, or --soluto with --disolucion or --disolvente";
        return false;
    }
    for (const auto& [field, value] : amounts) {
        model.Fields().preparation[field] = value;
        model.PreparationTyped(field);
    }
    if (prepare) {
        model.Prepare();
    } else {
        model.Calculate();
    }
    if (!model.CaseStored()) return false;

    const ConcentrationFields& f = model.Fields();
    const std::pair<const char*, const std::string*> fields[] = {
        {"MM", &f.molarMass},
        {"Densidad", &f.density},
        {"Molaridad", &f.concentrations[kMolarity]},
        {"molalidad", &f.concentrations[kMolality]},
        {"g/l", &f.concentrations[kGramsPerLitre]},
        {"% en masa", &f.concentrations[kMassPercent]},
        {"g soluto", &f.preparation[kSoluteGrams]},
        {"ml disolución", &f.preparation[kSolutionMillilitres]},
        {"g disolvente", &f.preparation[kSolventGrams]},
    };
    for (const auto& [name, value] : fields) {
        if (!value->empty()) out << name << "\t" << *value << "\n";
    }
    if (caseWanted) {
        out << "\n" << ReplaceAll(model.CaseStatement(), "\r\n", "\n") << "\n"
            << ReplaceAll(model.CaseAnswer(), "\r\n", "\n") << "\n";
    }
    return true;
}

}  // namespace tovel
