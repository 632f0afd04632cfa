#include "exercises/concentration_model.h"

#include <filesystem>

#include "core/formula.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "system/file_helpers.h"
#include "system/text_file.h"

namespace tovel {

using F = ConcentrationField;

ConcentrationModel::ConcentrationModel(ElementTable& table, UserPort& port)
    : m_table(table), m_port(port) {}

void ConcentrationModel::Open(bool tableLoaded) {
    std::error_code ec;
    m_openedIn = std::filesystem::current_path(ec).string();
    m_tableLoaded = tableLoaded;
    m_fields = ConcentrationFields{};
    // The fields start empty, so there is no case on screen to store.
    m_caseStored = false;
}

void ConcentrationModel::ChooseCompound(const std::string& formula) {
    m_formula = WrittenFormula(formula);  // CuSO4*5H2O is named CuSO4·5H2O
    m_fields[F::Compound] = formula;
    m_inputsEnabled = true;
    const std::optional<double> mm = CompoundMolarMass(formula, m_table, m_tableLoaded, m_port);
    // Without an element table the user may still type the molar mass.
    if (!m_tableLoaded) return;
    if (!mm) {
        m_fields[F::Compound].clear();
        m_inputsEnabled = false;
        return;
    }
    m_fields[F::MolarMass] = MolarMassText(*mm);
}

void ConcentrationModel::CompoundTyped() {
    m_fields[F::MolarMass].clear();
}

void ConcentrationModel::ConcentrationTyped(ConcentrationKind kind) {
    if (!m_editGuard) return;
    m_caseStored = false;
    if (!TrimBlanks(m_fields[FieldOf(kind)]).empty()) m_caseType = CaseKind::ConcentrationGiven;
    for (const F field : kPreparationFields)
        m_fields[field].clear();
    m_active = kind;
    for (const ConcentrationKind other : kConcentrationKinds) {
        if (other != kind) m_fields[FieldOf(other)].clear();
    }
}

void ConcentrationModel::PreparationTyped(ConcentrationField field) {
    if (field != F::SoluteGrams && field != F::SolutionMillilitres && field != F::SolventGrams) {
        return;
    }
    if (!m_editGuard || TrimBlanks(m_fields[field]).empty()) return;
    m_caseStored = false;
    if (m_linkClearing) {
        m_caseType = CaseKind::PreparationGiven;
        for (const ConcentrationKind kind : kConcentrationKinds)
            m_fields[FieldOf(kind)].clear();
    }
    if (field == F::SoluteGrams) return;
    m_quantity = field == F::SolutionMillilitres ? PreparationQuantity::SolutionMillilitres
                                                 : PreparationQuantity::SolventGrams;
    const F other = field == F::SolutionMillilitres ? F::SolventGrams : F::SolutionMillilitres;
    if (m_linkClearing) m_fields[other].clear();
}

SoluteMolarMass ConcentrationModel::Masses(double molarMass) {
    const SoluteMolarMass masses = SoluteMasses(m_formula, molarMass, m_table);
    m_saltMolarMass = masses.dissolved < masses.weighed ? masses.dissolved : 0;
    return masses;
}

void ConcentrationModel::Computed() {
    m_caseDensity = m_fields[F::Density];
    m_caseStored = true;
}

void ConcentrationModel::Calculate() {
    const std::optional<double> density = ReadDensity(m_fields[F::Density], m_port);
    m_linkClearing = false;
    m_editGuard = false;
    const std::optional<double> value =
        m_active ? ReadNumber(m_fields[FieldOf(*m_active)]) : std::nullopt;
    if (!density) {
        m_caseStored = false;
    } else if (!value) {
        TellMissingData(m_port);
    } else if (const std::optional<double> mm = ReadMolarMass(m_fields[F::MolarMass], m_port)) {
        const SoluteMolarMass masses = Masses(*mm);
        const ConcentrationResult result = FromConcentration(*m_active, *value, masses, *density);
        if (result) {
            m_kind = *m_active;
            ShowResults(result.amounts, m_kind, m_fields);
            Computed();
        } else {
            TellRefusal(m_port, result);
            m_caseStored = false;
        }
    }
    m_editGuard = true;
    m_linkClearing = true;
}

void ConcentrationModel::Prepare() {
    m_linkClearing = false;
    const std::optional<double> density = ReadDensity(m_fields[F::Density], m_port);
    if (!density) {
        m_caseStored = false;
        return;
    }
    const std::optional<double> mm = ReadMolarMass(m_fields[F::MolarMass], m_port);
    if (!mm) return;
    const std::optional<double> solute = ReadNumber(m_fields[F::SoluteGrams]);
    const std::optional<double> amount =
        m_quantity ? ReadNumber(m_fields[FieldOf(*m_quantity)]) : std::nullopt;
    if (!solute || !amount) {
        TellMissingData(m_port);
        return;
    }
    const ConcentrationResult result =
        FromPreparation(*solute, *m_quantity, *amount, Masses(*mm), *density);
    if (!result) {
        TellRefusal(m_port, result);
        m_caseStored = false;
        return;
    }
    m_editGuard = false;
    ShowResults(result.amounts, *m_quantity, m_fields);
    m_editGuard = true;
    Computed();
}

CaseText ConcentrationModel::ComposedCase() const {
    ConcentrationCase shown;
    shown.kind = m_caseType;
    shown.concentration = m_kind;
    shown.quantity = m_quantity.value_or(PreparationQuantity::SolventGrams);
    shown.formula = m_formula;
    shown.fields = m_fields;
    shown.fields[F::Density] = m_caseDensity;
    shown.saltMolarMass = m_saltMolarMass;
    return ComposeCase(shown);
}

void ConcentrationModel::SaveCase() {
    if (!m_caseStored) return;
    std::string path;
    if (!ChooseFileToSave(m_port, path, ".txt")) return;
    const CaseText text = ComposedCase();
    const FileResult written = AppendBlock(path, {text.statement, text.answer});
    std::error_code ec;
    std::filesystem::current_path(m_openedIn, ec);
    if (!written) NoticeWith(m_port, "guardar caso", written.error, MessageIcon::Exclamation);
}

}  // namespace tovel
