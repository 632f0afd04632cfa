#include "concentration_model.h"

#include <cmath>
#include <filesystem>

#include "control_text.h"
#include "language.h"
#include "messages.h"
#include "number_format.h"
#include "text_file.h"
#include "text_utils.h"

namespace tovel {

namespace {

struct KindTexts {
    const char* name;    // in texts
    const char* unit;
    const char* prefix;  // before the value
    const char* opening;
};

constexpr std::array<KindTexts, 4> kKinds = {{
    {"la Molaridad", "mol/l", "M= ", "¿Cómo se debe preparar 1 l de disolución de "},
    {"la molalidad", "mol/kg", "m= ", "Si disponemos de 1 l. de agua ¿cómo prepararemos una disolución de "},
    {"los g/l", "g/l", "", "Una disolución tiene una concentración de "},
    {"el % en masa", "% en masa", "", "¿Cómo prepararemos 1 kg de disolución del "},
}};

constexpr const char* kFieldNames[] = {"Molaridad", "molalidad", "g/l", "% en masa"};
constexpr const char* kPreparationNames[] = {"g soluto", "ml disolución", "g disolvente"};

std::string Fmt(double value) { return FormatSignificant(value, 3); }

}  // namespace

ConcentrationModel::ConcentrationModel(ElementTable& table, UserPort& port) : m_table(table), m_port(port) {}

void ConcentrationModel::Open(bool tableLoaded) {
    SetLanguageIndex(Language::Spanish);
    std::error_code ec;
    m_openedIn = std::filesystem::current_path(ec).string();
    m_tableLoaded = tableLoaded;
    m_fields = ConcentrationFields{};
    // The fields start empty, so there is no case on screen to store.
    m_caseStored = false;
}

void ConcentrationModel::ChooseCompound(const std::string& formula) {
    m_formula = formula;
    m_fields.compound = formula;
    m_inputsEnabled = true;
    if (!m_tableLoaded) {
        Notice(m_port, "No hallado: elements.dat", "No se podrá calcular masas molares");
        return;
    }
    Substance substance;
    if (!ParseFormula(substance, formula, m_table, m_port)) {
        Notice(m_port, "Error", "Fórmula incorrecta");
        m_fields.compound.clear();
        m_inputsEnabled = false;
        return;
    }
    m_substance = substance;
    m_molarMass = MolarMass(m_substance);
    m_fields.molarMass = TrimBlanks(FormatSignificant(m_molarMass, 4));
}

void ConcentrationModel::CompoundTyped() { m_fields.molarMass.clear(); }

void ConcentrationModel::ConcentrationTyped(int kind) {
    if (!m_editGuard) return;
    m_caseStored = false;
    if (!TrimBlanks(m_fields.concentrations[kind]).empty()) m_caseType = 2;
    for (auto& field : m_fields.preparation) field.clear();
    m_active = kind;
    for (int k = 0; k < 4; ++k) {
        if (k != kind) m_fields.concentrations[k].clear();
    }
}

void ConcentrationModel::PreparationTyped(int field) {
    if (!m_editGuard || TrimBlanks(m_fields.preparation[field]).empty()) return;
    m_caseStored = false;
    if (m_linkClearing) {
        m_caseType = 1;
        for (auto& c : m_fields.concentrations) c.clear();
    }
    if (field == kSolutionMillilitres || field == kSolventGrams) {
        m_preparationQuantity = field;
        const int other = field == kSolutionMillilitres ? kSolventGrams : kSolutionMillilitres;
        if (m_linkClearing) m_fields.preparation[other].clear();
    }
}

bool ConcentrationModel::ReadMolarMass() {
    int error = 0;
    const double mm = ReadReal(TrimBlanks(m_fields.molarMass), error);
    if (error != 0 || TrimBlanks(m_fields.molarMass).empty() || !(mm > 0)) {
        Notice(m_port, "No podemos calcular", "Masa molar no válida");
        return false;
    }
    m_molarMass = mm;
    return true;
}

void ConcentrationModel::ReadDensity() {
    m_density = 0;
    if (TrimBlanks(m_fields.density).empty()) return;
    int error = 0;
    const double d = ReadReal(m_fields.density, error);
    if (error != 0 || !(d > 0)) {
        Notice(m_port, "Densidad incorrecta", "No se tendrá en cuenta");
        m_fields.density.clear();
        return;
    }
    m_density = d;
}

void ConcentrationModel::Put(std::string& field, double value, const char* name) {
    if (std::isfinite(value) && value >= 0) {
        field = Fmt(value);
        return;
    }
    field.clear();
    m_unusable += (m_unusable.empty() ? "" : ", ") + std::string(name);
}

void ConcentrationModel::ReportUnusable() {
    if (m_unusable.empty()) return;
    Notice(m_port, "No podemos calcular",
           "Sin resultado para " + m_unusable + ": con estos datos sale una división por cero o un valor negativo");
    m_unusable.clear();
}

void ConcentrationModel::Calculate() {
    ReadDensity();
    m_linkClearing = false;
    m_editGuard = false;
    m_unusable.clear();
    int error = 0;
    const bool haveActive = m_active >= 0 && m_active <= 3;
    const double q = haveActive ? ReadReal(m_fields.concentrations[m_active], error) : 0;
    if (!haveActive || error != 0 || TrimBlanks(m_fields.concentrations[m_active]).empty()) {
        Notice(m_port, "No podemos calcular", "Faltan datos válidos");
    } else if (ReadMolarMass()) {
        const double mm = m_molarMass;
        const double d = m_density;
        auto& c = m_fields.concentrations;
        auto& p = m_fields.preparation;
        m_kind = m_active;
        switch (m_active) {
            case kMolarity:
                Put(c[kGramsPerLitre], q * mm, kFieldNames[kGramsPerLitre]);
                Put(p[kSoluteGrams], q * mm, kPreparationNames[kSoluteGrams]);
                p[kSolutionMillilitres] = "1000";
                if (d > 0) {
                    Put(c[kMolality], q / (d - q * mm / 1000), kFieldNames[kMolality]);
                    Put(c[kMassPercent], q * mm / d / 10, kFieldNames[kMassPercent]);
                    Put(p[kSolventGrams], 1000 * d - q * mm, kPreparationNames[kSolventGrams]);
                }
                break;
            case kMolality:
                Put(c[kMassPercent], q * mm / (q * mm + 1000) * 100, kFieldNames[kMassPercent]);
                Put(p[kSoluteGrams], q * mm, kPreparationNames[kSoluteGrams]);
                p[kSolventGrams] = "1000";
                if (d > 0) {
                    Put(c[kMolarity], q / (q * mm + 1000) * d * 1000, kFieldNames[kMolarity]);
                    Put(c[kGramsPerLitre], q * mm / (q * mm + 1000) * d * 1000, kFieldNames[kGramsPerLitre]);
                    Put(p[kSolutionMillilitres], (q * mm + 1000) / d, kPreparationNames[kSolutionMillilitres]);
                }
                break;
            case kGramsPerLitre:
                c[kMolarity] = FormatReal(q / mm, 3, 2);
                Put(p[kSoluteGrams], q, kPreparationNames[kSoluteGrams]);
                p[kSolutionMillilitres] = "1000";
                if (d > 0) {
                    Put(c[kMolality], (q / mm) / (d - q / 1000), kFieldNames[kMolality]);
                    Put(c[kMassPercent], q / d / 10, kFieldNames[kMassPercent]);
                    Put(p[kSolventGrams], 1000 * d - q, kPreparationNames[kSolventGrams]);
                }
                break;
            case kMassPercent:
                Put(c[kMolality], (q / mm) / (100 - q) * 1000, kFieldNames[kMolality]);
                Put(p[kSoluteGrams], 10 * q, kPreparationNames[kSoluteGrams]);
                Put(p[kSolventGrams], 1000 - 10 * q, kPreparationNames[kSolventGrams]);
                if (d > 0) {
                    Put(c[kMolarity], q / mm * d * 10, kFieldNames[kMolarity]);
                    Put(c[kGramsPerLitre], q * d * 10, kFieldNames[kGramsPerLitre]);
                    Put(p[kSolutionMillilitres], 1000 / d, kPreparationNames[kSolutionMillilitres]);
                }
                break;
            default:
                break;
        }
        // Only a computed case can be stored.
        m_caseStored = true;
        ReportUnusable();
    }
    m_editGuard = true;
    m_linkClearing = true;
}

void ConcentrationModel::Prepare() {
    m_linkClearing = false;
    ReadDensity();
    if (!ReadMolarMass()) return;
    m_computed.fill(0);
    int errorG = 0;
    int errorX = 0;
    const double g = ReadReal(m_fields.preparation[kSoluteGrams], errorG);
    const int which = m_preparationQuantity;
    const double x = which >= 0 ? ReadReal(m_fields.preparation[which], errorX) : 0;
    if (errorG != 0 || errorX != 0 || !(g > 0) || !(x > 0) || which < 0) {
        Notice(m_port, "No podemos calcular", "Faltan datos válidos");
        return;
    }
    m_soluteGrams = g;
    const double mm = m_molarMass;
    const double d = m_density;
    const double q = g / x * 1000;
    m_unusable.clear();
    auto& p = m_fields.preparation;
    if (which == kSolventGrams) {
        m_computed[kMolality] = q / mm;
        m_computed[kMassPercent] = q / (q + 1000) * 100;
        if (d > 0) {
            m_computed[kGramsPerLitre] = q / (q + 1000) * d * 1000;
            m_computed[kMolarity] = m_computed[kGramsPerLitre] / mm;
            Put(p[kSolutionMillilitres], (x + g) / d, kPreparationNames[kSolutionMillilitres]);
        }
    } else {
        m_computed[kGramsPerLitre] = q;
        m_computed[kMolarity] = q / mm;
        if (d > 0) {
            m_computed[kMolality] = q / (d - q / 1000) / mm;
            m_computed[kMassPercent] = q / (1000 * d) * 100;
            Put(p[kSolventGrams], x * d - g, kPreparationNames[kSolventGrams]);
        }
    }
    m_editGuard = false;
    for (int k = 0; k < 4; ++k) {
        m_fields.concentrations[k].clear();
        const double value = m_computed[k];
        if (!std::isfinite(value) || value < 0) {
            m_unusable += (m_unusable.empty() ? "" : ", ") + std::string(kFieldNames[k]);
        } else if (value > 0) {
            m_fields.concentrations[k] = Fmt(value);
        }
    }
    m_editGuard = true;
    m_caseStored = true;
    ReportUnusable();
}

std::string ConcentrationModel::CaseStatement() const {
    std::string s;
    const auto& f = m_fields;
    if (m_caseType == 2) {
        const KindTexts& k = kKinds[static_cast<std::size_t>(m_kind)];
        s = std::string(k.opening) + k.prefix + f.concentrations[m_kind] + " " + k.unit + ", de " + m_formula +
            (m_kind == kGramsPerLitre ? "." : " ?") + "\r\nCalcular: ";
        for (int other = 0; other < 4; ++other) {
            if (other != m_kind && !f.concentrations[other].empty()) s += std::string(kKinds[other].name) + ", ";
        }
        s += "de esta disolución ";
    } else {
        s = "Se prepara una disolución con " + f.preparation[kSoluteGrams] + " g de " + m_formula;
        const bool byVolume = m_preparationQuantity == kSolutionMillilitres;
        s += byVolume ? " hasta un volumen final de disolución de " + f.preparation[kSolutionMillilitres] + " ml."
                      : " y " + f.preparation[kSolventGrams] + " g de agua.";
        s += "\r\nCalcular la concentración de la disolución expresada en: ";
        s += m_density > 0 ? "Molaridad, molalidad, g/l y % en masa."
                           : (byVolume ? "Molaridad y g/l." : "molalidad i % en masa.");
    }
    if (m_density > 0) s += "\r\nDensidad de la disolución: " + f.density + " g/ml.";
    return s;
}

std::string ConcentrationModel::CaseAnswer() const {
    const auto& f = m_fields;
    std::string a = "R:\r\n";
    if (m_caseType == 2 && m_kind != kGramsPerLitre) {
        a += "Pesando " + f.preparation[kSoluteGrams] + " g de " + m_formula;
        a += m_kind == kMolarity   ? " y añadiendo agua hasta un volumen total de 1 l, en un matraz aforado."
             : m_kind == kMolality ? " y disolviéndolos en el l de agua."
                                   : " y añadiendo agua hasta un peso total de 1 kg.";
        a += "\r\n";
    }
    for (int k = 0; k < 4; ++k) {
        if (m_caseType == 2 && k == m_kind) continue;
        if (f.concentrations[k].empty()) continue;
        a += std::string(kKinds[k].prefix) + f.concentrations[k] + " " + kKinds[k].unit + ", ";
    }
    // The comma of the last ", " becomes the full stop.
    if (a.size() >= 2 && a.compare(a.size() - 2, 2, ", ") == 0) a[a.size() - 2] = '.';
    return a;
}

void ConcentrationModel::SaveCase() {
    if (!m_caseStored) return;
    std::string path;
    if (!m_port.ChooseFile(FileChooserMode::Save, path)) return;
    const FileResult written = AppendBlock(path, {CaseStatement(), CaseAnswer()});
    std::error_code ec;
    std::filesystem::current_path(m_openedIn, ec);
    if (!written) NoticeWith(m_port, "guardar caso", written.error, MessageIcon::Exclamation);
}

}  // namespace tovel
