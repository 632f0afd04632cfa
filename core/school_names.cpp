#include "core/school_names.h"

#include <algorithm>
#include <sstream>

#include "core/formula.h"

namespace tovel {

const ElementName* SchoolNames::Element(std::string_view symbol) const {
    const auto it = std::find_if(elements.begin(), elements.end(),
                                 [&](const ElementName& e) { return e.symbol == symbol; });
    return it == elements.end() ? nullptr : &*it;
}

const ElementName* SchoolNames::ElementByName(std::string_view name) const {
    const auto it = std::find_if(elements.begin(), elements.end(),
                                 [&](const ElementName& e) { return e.name == name; });
    return it == elements.end() ? nullptr : &*it;
}

int SchoolNames::Rank(std::string_view symbol) const {
    const auto it = std::find(order.begin(), order.end(), symbol);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

const IonName* SchoolNames::Anion(std::string_view formula) const {
    const auto it = std::find_if(anions.begin(), anions.end(),
                                 [&](const IonName& i) { return i.formula == formula; });
    return it == anions.end() ? nullptr : &*it;
}

const HydrideName* SchoolNames::Hydride(std::string_view formula) const {
    const auto it = std::find_if(hydrides.begin(), hydrides.end(),
                                 [&](const HydrideName& h) { return h.formula == formula; });
    return it == hydrides.end() ? nullptr : &*it;
}

const AcidName* SchoolNames::Acid(std::string_view formula) const {
    const auto it = std::find_if(acids.begin(), acids.end(),
                                 [&](const AcidName& a) { return a.formula == formula; });
    return it == acids.end() ? nullptr : &*it;
}

SchoolNames ReadSchoolNames(std::string_view text) {
    SchoolNames names;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        if (words.empty() || words[0][0] == '#') continue;
        const std::string& key = words[0];
        if (key == "element" && words.size() >= 3) {
            names.elements.push_back(
                {words[1], words[2], words.size() > 3 && words[3] != "-" ? words[3] : ""});
        } else if (key == "order") {
            names.order.insert(names.order.end(), words.begin() + 1, words.end());
        } else if (key == "hydride" && words.size() >= 3) {
            names.hydrides.push_back({words[1], {words.begin() + 2, words.end()}});
        } else if (key == "acid" && words.size() >= 3) {
            AcidName acid{words[1], words[2], {}, {}};
            for (std::size_t w = 3; w < words.size(); ++w) {
                if (words[w].rfind("hidrógeno=", 0) == 0) acid.hydrogen = words[w].substr(11);
                if (words[w].rfind("adición=", 0) == 0) acid.additive = words[w].substr(9);
            }
            names.acids.push_back(acid);
        } else if (key == "hydracid" && words.size() == 3) {
            names.hydracids[words[1]] = words[2];
        } else if ((key == "anion" || key == "cation") && words.size() >= 3) {
            IonName ion;
            ion.formula = words[1];
            ion.name = words[2];
            ion.charge = ScanFormula(ion.formula).charge;
            if (ion.charge == 0) continue;
            for (std::size_t w = 3; w < words.size(); ++w) {
                const std::string& word = words[w];
                if (word == "antiguo")
                    ion.old = true;
                else if (word.rfind("ácido=", 0) == 0)
                    ion.acid = word.substr(7);
                else if (word.rfind("composición=", 0) == 0)
                    ion.additive = word.substr(13);
                else if (word.rfind("sustitución=", 0) == 0)
                    ion.substitutive = word.substr(13);
            }
            (key == "anion" ? names.anions : names.cations).push_back(ion);
        }
    }
    return names;
}

const SchoolNames& BuiltInNames() {
    static const SchoolNames names = ReadSchoolNames(SchoolNamesText());
    return names;
}

}  // namespace tovel
