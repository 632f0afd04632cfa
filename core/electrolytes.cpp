#include "core/electrolytes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "core/formula.h"

namespace tovel {

namespace {

struct Ion {
    std::string body;  // "MnO4", "Fe", "NH4"
    std::vector<int> charges;
};

struct SolubilityRule {
    bool soluble = true;
    std::vector<std::string> anions;      // as written: "SO4^2-"
    std::vector<std::string> exceptions;  // cations: "Ba^2+"
};

struct Electrolytes {
    std::vector<std::string> strongAcids, strongBases, weakAcids;
    std::vector<Ion> cations, anions;
    std::vector<SolubilityRule> rules;
};

// "MnO4^2-" -> body "MnO4", charge -2; "K^+" -> "K", +1.
bool SplitIon(const std::string& written, std::string& body, int& charge) {
    const auto caret = written.find('^');
    if (caret == std::string::npos || caret + 1 >= written.size()) return false;
    body = written.substr(0, caret);
    const std::string tail = written.substr(caret + 1);
    const char sign = tail.back();
    if (sign != '+' && sign != '-') return false;
    const int size = tail.size() > 1 ? std::atoi(tail.substr(0, tail.size() - 1).c_str()) : 1;
    if (size <= 0) return false;
    charge = sign == '+' ? size : -size;
    return true;
}

std::string IonText(const std::string& body, int charge) {
    const int size = std::abs(charge);
    return body + "^" + (size > 1 ? std::to_string(size) : "") + (charge > 0 ? "+" : "-");
}

void AddIon(std::vector<Ion>& ions, const std::string& written) {
    std::string body;
    int charge = 0;
    if (!SplitIon(written, body, charge)) return;
    auto it = std::find_if(ions.begin(), ions.end(), [&](const Ion& i) { return i.body == body; });
    if (it == ions.end()) it = ions.insert(ions.end(), Ion{body, {}});
    it->charges.push_back(charge);
}

Electrolytes ReadElectrolytes(std::string_view text) {
    Electrolytes table;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key;
        if (!(words >> key) || key[0] == '#') continue;
        std::vector<std::string> rest;
        for (std::string word; words >> word;)
            rest.push_back(word);
        if (key == "strong-acid")
            table.strongAcids.insert(table.strongAcids.end(), rest.begin(), rest.end());
        if (key == "strong-base")
            table.strongBases.insert(table.strongBases.end(), rest.begin(), rest.end());
        if (key == "weak-acid")
            table.weakAcids.insert(table.weakAcids.end(), rest.begin(), rest.end());
        if (key == "cation")
            for (const std::string& ion : rest)
                AddIon(table.cations, ion);
        if (key == "anion")
            for (const std::string& ion : rest)
                AddIon(table.anions, ion);
        if (key == "soluble" || key == "insoluble") {
            SolubilityRule rule;
            rule.soluble = key == "soluble";
            bool exceptions = false;
            for (const std::string& word : rest) {
                if (word == "except")
                    exceptions = true;
                else
                    (exceptions ? rule.exceptions : rule.anions).push_back(word);
            }
            table.rules.push_back(rule);
        }
    }
    return table;
}

const Electrolytes& Table() {
    static const Electrolytes table = ReadElectrolytes(SchoolElectrolytesText());
    return table;
}

bool Contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

const Ion* FindIon(const std::vector<Ion>& ions, std::string_view body) {
    const auto it =
        std::find_if(ions.begin(), ions.end(), [&](const Ion& i) { return i.body == body; });
    return it == ions.end() ? nullptr : &*it;
}

// A count written at position at (none is 1); at is moved past it.
long ReadCount(const std::string& text, std::size_t& at) {
    long count = 0;
    bool any = false;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        count = count * 10 + (text[at] - '0');
        if (count > 1000) return 0;
        any = true;
        ++at;
    }
    return any ? count : 1;
}

// A salt, acid or hydroxide written cation first: its cation and anion bodies and counts.
struct SaltReading {
    std::string cation;
    long cations = 1;
    std::string anion;
    long anions = 1;
};

bool ReadSalt(const std::string& text, SaltReading& salt) {
    std::size_t at = 0;
    if (text.rfind("(NH4)", 0) == 0) {
        salt.cation = "NH4";
        at = 5;
        salt.cations = ReadCount(text, at);
    } else if (text.rfind("NH4", 0) == 0) {
        salt.cation = "NH4";
        at = 3;
    } else {
        if (text.empty() || !std::isupper(static_cast<unsigned char>(text[0]))) return false;
        at = 1;
        while (at < text.size() && std::islower(static_cast<unsigned char>(text[at])))
            ++at;
        salt.cation = text.substr(0, at);
        salt.cations = ReadCount(text, at);
    }
    if (salt.cations == 0 || at >= text.size()) return false;
    const std::string rest = text.substr(at);
    if (rest[0] == '(') {
        const auto close = rest.find(')');
        if (close == std::string::npos) return false;
        salt.anion = rest.substr(1, close - 1);
        std::size_t after = close + 1;
        salt.anions = ReadCount(rest, after);
        if (after != rest.size() || salt.anions == 0) return false;
    } else if (FindIon(Table().anions, rest)) {
        salt.anion = rest;
    } else {
        // A one-element anion with its count: the Cl2 of MnCl2, the S of H2S.
        std::size_t end = 1;
        while (end < rest.size() && std::islower(static_cast<unsigned char>(rest[end])))
            ++end;
        salt.anion = rest.substr(0, end);
        salt.anions = ReadCount(rest, end);
        if (end != rest.size() || salt.anions == 0) return false;
    }
    return FindIon(Table().anions, salt.anion) != nullptr;
}

// The charges that make the salt neutral; false unless exactly one pair does.
bool SaltCharges(const SaltReading& salt, int& cationCharge, int& anionCharge) {
    const Ion* anion = FindIon(Table().anions, salt.anion);
    const Ion* cation = salt.cation == "H" ? nullptr : FindIon(Table().cations, salt.cation);
    const std::vector<int> hydrogen{1};
    const std::vector<int>& cationCharges = cation ? cation->charges : hydrogen;
    if (!anion || (!cation && salt.cation != "H")) return false;
    int found = 0;
    for (const int p : cationCharges) {
        for (const int q : anion->charges) {
            if (salt.cations * p == salt.anions * -q) {
                ++found;
                cationCharge = p;
                anionCharge = q;
            }
        }
    }
    return found == 1;
}

bool IsAlkaliOrAmmonium(const std::string& cation) {
    return Contains({"Li", "Na", "K", "Rb", "Cs", "NH4"}, cation);
}

Dissociation Whole(const std::string& formula, std::string kind) {
    Dissociation d;
    d.parts.push_back({formula, 1});
    d.kind = std::move(kind);
    return d;
}

// What is no salt, acid or base says why it stays whole.
Dissociation Unsplit(const std::string& formula, const FormulaScan& scan) {
    if (Contains(Table().weakAcids, formula)) return Whole(formula, "ácido débil");
    if (scan.entries.size() == 1) return Whole(formula, "elemento");
    if (formula == "H2O") return Whole(formula, "agua");
    const bool binaryOxide =
        scan.entries.size() == 2 &&
        std::any_of(scan.entries.begin(), scan.entries.end(),
                    [](const FormulaEntry& e) { return e.element.symbol == std::string("O"); }) &&
        std::none_of(scan.entries.begin(), scan.entries.end(),
                     [](const FormulaEntry& e) { return e.element.symbol == std::string("H"); });
    if (binaryOxide) return Whole(formula, "óxido");
    // A metal's compound the tables do not read (FeSeO4) is a salt of an anion they lack: its
    // solubility is not guessed.
    std::size_t end = 1;
    while (end < formula.size() && std::islower(static_cast<unsigned char>(formula[end])))
        ++end;
    if (FindIon(Table().cations, formula.substr(0, end))) {
        Dissociation d = Whole(formula, "sal");
        d.decided = false;
        return d;
    }
    return Whole(formula, "sustancia molecular");
}

}  // namespace

bool IsStrongAcid(std::string_view formula) {
    return Contains(Table().strongAcids, formula);
}

bool IsStrongBase(std::string_view formula) {
    return Contains(Table().strongBases, formula);
}

Dissociation Dissociate(std::string_view written) {
    const FormulaScan scan = ScanFormula(written);
    if (scan.error != FormulaError::None) {
        Dissociation d = Whole(std::string(written), "sustancia molecular");
        d.decided = false;
        return d;
    }
    if (scan.charge != 0) return Whole(scan.formula, "ion");
    // The water of a hydrate goes into the solution as water.
    const double water = HydrateWater(scan.formula);
    std::string formula = water > 0 ? AnhydrousFormula(scan.formula) : scan.formula;
    std::replace(formula.begin(), formula.end(), '[', '(');
    std::replace(formula.begin(), formula.end(), ']', ')');

    SaltReading salt;
    int p = 0, q = 0;
    if (!ReadSalt(formula, salt) || !SaltCharges(salt, p, q)) {
        if (water > 0) {
            Dissociation d = Whole(scan.formula, "sustancia molecular");
            d.decided = false;
            return d;
        }
        return Unsplit(formula, scan);
    }
    Dissociation d;
    if (salt.cation == "H") {
        if (!IsStrongAcid(formula)) return Whole(formula, "ácido débil");
        d.kind = "ácido fuerte";
    } else if (salt.anion == "OH") {
        if (!IsStrongBase(formula)) return Whole(formula, "hidróxido insoluble");
        d.kind = "base fuerte";
    } else {
        bool soluble = IsAlkaliOrAmmonium(salt.cation);
        bool decided = soluble;
        const std::string anion = IonText(salt.anion, q);
        const std::string cation = IonText(salt.cation, p);
        for (const SolubilityRule& rule : Table().rules) {
            if (decided) break;
            if (!Contains(rule.anions, anion)) continue;
            soluble = rule.soluble != Contains(rule.exceptions, cation);
            decided = true;
        }
        if (!decided) {
            Dissociation unknown = Whole(scan.formula, "sal");
            unknown.decided = false;
            return unknown;
        }
        if (!soluble) return Whole(scan.formula, "sal insoluble");
        d.kind = "sal soluble";
    }
    d.ions = true;
    d.parts.push_back({IonText(salt.cation, p), salt.cations});
    d.parts.push_back({IonText(salt.anion, q), salt.anions});
    if (water > 0) {
        if (water != static_cast<double>(static_cast<long>(water))) {
            Dissociation half = Whole(scan.formula, "sal soluble");
            half.decided = false;
            return half;
        }
        d.parts.push_back({"H2O", static_cast<long>(water)});
    }
    return d;
}

}  // namespace tovel
