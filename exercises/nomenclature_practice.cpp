#include "exercises/nomenclature_practice.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "core/formula.h"
#include "core/text_utils.h"

namespace tovel {

const std::vector<PracticeClass>& PracticeClasses() {
    static const std::vector<PracticeClass> classes = {
        {"Elementos", {"elemento"}},
        {"Óxidos y peróxidos", {"óxido", "peróxido", "haluro de oxígeno"}},
        {"Hidruros", {"hidruro metálico", "hidruro no metálico", "hidrácido"}},
        {"Sales binarias", {"sal binaria", "compuesto binario"}},
        {"Hidróxidos", {"hidróxido"}},
        {"Oxoácidos", {"oxoácido"}},
        {"Oxosales", {"oxosal"}},
        {"Sales ácidas y de amonio", {"sal ácida", "sal de amonio"}},
        {"Iones", {"catión", "anión"}},
    };
    return classes;
}

namespace {

// The elements of school exercises: a drawn compound has no other.
bool OfSchoolElements(const std::string& formula) {
    static const std::set<std::string> kSchool = {
        "H",  "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Na", "Mg", "Al", "Si", "P",
        "S",  "Cl", "K",  "Ca", "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Br", "Ag",
        "Sn", "I",  "Ba", "Pt", "Au", "Hg", "Pb", "Sr", "Cd", "As", "Se"};
    const FormulaScan scan = ScanFormula(formula);
    return std::all_of(scan.entries.begin(), scan.entries.end(), [](const FormulaEntry& e) {
        return kSchool.count(std::string(e.element.symbol)) > 0;
    });
}

constexpr std::size_t kRecent = 8;

std::string SystemWords(const std::string& system) {
    if (system == kCompositionNames) return "nombre de composición";
    if (system == kOxidationNumberNames) return "nombre con el número de oxidación";
    if (system == kChargeNames) return "nombre con el número de carga";
    if (system == kTraditionalNames) return "nombre tradicional";
    if (system == kHydrogenNames) return "nombre de hidrógeno";
    if (system == kAdditiveNames) return "nombre de adición";
    return "nombre de sustitución";
}

// The name as typed, without the note that the acid is in water.
std::string Plain(std::string name) {
    const auto aqueous = name.find(" (en disolución acuosa)");
    if (aqueous != std::string::npos) name.erase(aqueous);
    return name;
}

// The words of a folded name without their multiplying prefixes.
std::string WithoutPrefixes(const std::string& folded) {
    static const char* const kPrefixes[] = {"dodeca", "undeca", "tetrakis", "tris",  "bis",
                                            "deca",   "nona",   "octa",     "hepta", "hexa",
                                            "penta",  "tetra",  "mono",     "tri",   "di"};
    std::string out, word;
    for (const char c : folded + " ") {
        if (c == ' ' || c == '(' || c == ')') {
            for (const char* prefix : kPrefixes) {
                const std::string p = prefix;
                if (word.size() > p.size() + 2 && word.rfind(p, 0) == 0) {
                    word.erase(0, p.size());
                    break;
                }
            }
            out += word;
            out += c;
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

std::string WithoutNumerals(const std::string& folded) {
    std::string out;
    int depth = 0;
    for (const char c : folded) {
        if (c == '(') ++depth;
        if (depth == 0) out += c;
        if (c == ')' && depth > 0) --depth;
    }
    return out;
}

// The word of b that differs from a's word in the same place, where the two names differ in one
// word only.
bool OneWordApart(const std::string& a, const std::string& b, std::string& mine,
                  std::string& right) {
    const std::vector<std::string> x = SplitAt(a, ' '), y = SplitAt(b, ' ');
    if (x.size() != y.size()) return false;
    int differing = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] != y[i]) {
            ++differing;
            mine = x[i];
            right = y[i];
        }
    }
    return differing == 1;
}

bool EndingsDiffer(const std::string& mine, const std::string& right) {
    static const char* const kEndings[] = {"ato", "ito", "ico", "oso", "uro", "ido"};
    for (const char* e1 : kEndings) {
        for (const char* e2 : kEndings) {
            const std::string a = e1, b = e2;
            if (a == b || mine.size() < 3 || right.size() < 3) continue;
            if (mine.substr(mine.size() - 3) == a && right.substr(right.size() - 3) == b &&
                mine.substr(0, mine.size() - 3) == right.substr(0, right.size() - 3))
                return true;
        }
    }
    return false;
}

}  // namespace

std::string WhatIsWrongInName(std::string_view answer, const Nomenclature& right) {
    const NameReading reading = FormulaOfName(answer);
    if (!reading.formula.empty() && reading.formula != right.formula)
        return "«" + std::string(answer) + "» es " + reading.formula + ", no " + right.formula;
    const std::string folded = FoldName(answer);
    // The right name nearest to the answer.
    std::string nearest;
    std::size_t best = std::string::npos;
    for (const SystemName& name : right.names) {
        const std::string candidate = FoldName(Plain(name.name));
        const std::size_t d = EditDistance(folded, candidate);
        if (d < best) {
            best = d;
            nearest = Plain(name.name);
        }
    }
    const std::string target = FoldName(nearest);
    if (WithoutPrefixes(folded) == WithoutPrefixes(target))
        return "Los prefijos no son los correctos: se escribe «" + nearest + "»";
    if (WithoutNumerals(folded) == WithoutNumerals(target))
        return "El número entre paréntesis no es el correcto: se escribe «" + nearest + "»";
    std::string mine, theirs;
    if (OneWordApart(WithoutNumerals(folded), WithoutNumerals(target), mine, theirs) &&
        EndingsDiffer(mine, theirs))
        return "La terminación no es la correcta: «" + mine + "» en lugar de «" + theirs + "»";
    if (!reading.error.empty()) return reading.error;
    return "No es un nombre de " + right.formula;
}

NomenclaturePractice::NomenclaturePractice(RandomIndex random) : m_random(std::move(random)) {
    SetClasses({});
}

void NomenclaturePractice::SetClasses(const std::vector<std::size_t>& classes) {
    std::set<std::string> kinds;
    const auto& all = PracticeClasses();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!classes.empty() && std::find(classes.begin(), classes.end(), i) == classes.end())
            continue;
        kinds.insert(all[i].kinds.begin(), all[i].kinds.end());
    }
    m_pool.clear();
    for (const std::string& formula : NamedFormulas()) {
        if (!OfSchoolElements(formula)) continue;
        const Nomenclature n = NameFormula(formula);
        if (n.Named() && kinds.count(n.kind)) m_pool.push_back(formula);
    }
}

const PracticeQuestion& NomenclaturePractice::Next(Asking asking) {
    m_question = PracticeQuestion{};
    m_checked = false;
    if (m_pool.empty()) return m_question;
    std::string formula;
    for (int attempt = 0; attempt < 20; ++attempt) {
        formula = m_pool[m_random(m_pool.size())];
        if (std::find(m_recent.begin(), m_recent.end(), formula) == m_recent.end()) break;
    }
    m_recent.push_back(formula);
    if (m_recent.size() > kRecent) m_recent.erase(m_recent.begin());
    const Nomenclature n = NameFormula(formula);
    m_question.formula = n.formula;
    m_question.askName = asking == Asking::Either ? m_random(2) == 0 : asking == Asking::Name;
    if (m_question.askName) {
        m_question.prompt = "¿Cómo se nombra " + n.formula + "?";
    } else {
        const SystemName& asked = n.names[m_random(n.names.size())];
        m_question.name = Plain(asked.name);
        m_question.nameSystem = asked.system;
        m_question.prompt = "¿Cuál es la fórmula de " + m_question.name + "?";
    }
    return m_question;
}

PracticeVerdict NomenclaturePractice::Check(std::string_view typed) {
    PracticeVerdict verdict;
    const std::string answer = TrimWhitespace(typed);
    const Nomenclature n = NameFormula(m_question.formula);
    verdict.answers = n.names;
    verdict.formula = n.formula;
    if (m_question.formula.empty()) {
        verdict.message = "No hay ninguna pregunta";
        return verdict;
    }
    if (m_question.askName) {
        const NameReading reading = FormulaOfName(answer);
        verdict.right = reading.formula == n.formula;
        if (verdict.right) {
            verdict.message = "Correcto (" + SystemWords(reading.system) + ")";
            if (!reading.spelled.empty() && FoldName(reading.spelled) == FoldName(answer) &&
                reading.spelled != answer)
                verdict.message += "; se escribe «" + reading.spelled + "»";
        } else {
            verdict.message = answer.empty() ? "Escribe un nombre" : WhatIsWrongInName(answer, n);
        }
    } else {
        const FormulaScan scan = ScanFormula(answer);
        const Nomenclature typedNames = NameFormula(answer);
        if (scan.error != FormulaError::None || answer.empty()) {
            verdict.message =
                answer.empty() ? "Escribe una fórmula" : "No se puede leer la fórmula " + answer;
        } else if (typedNames.Named() && typedNames.formula == n.formula) {
            verdict.right = true;
            verdict.message = "Correcto";
            if (scan.formula != n.formula) verdict.message += "; IUPAC 2005 escribe " + n.formula;
        } else if (typedNames.Named() && !typedNames.names.empty()) {
            verdict.message =
                answer + " es " + Plain(typedNames.names.front().name) + ", no " + m_question.name;
        } else {
            verdict.message = "No es la fórmula de " + m_question.name;
        }
    }
    if (!m_checked) {
        ++m_asked;
        if (verdict.right) ++m_right;
        m_checked = true;
    }
    return verdict;
}

}  // namespace tovel
