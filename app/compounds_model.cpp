#include "app/compounds_model.h"

#include "core/formula.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

CompoundsModel::CompoundsModel(ElementTable& table, UserPort& port,
                               std::function<void(const std::string&)> transfer, std::string path)
    : m_table(table), m_port(port), m_transfer(std::move(transfer)), m_path(std::move(path)) {}

void CompoundsModel::Open() {
    const CompoundsReadResult read = m_book.Read(m_path);
    m_changed = false;
    m_editRow = false;
    m_slot = 0;
    if (!read.error.empty()) {
        NoticeWith(m_port, kCompoundsFileName,
                   "No se han podido leer los compuestos: " + read.error, MessageIcon::Exclamation);
    }
    if (read.skipped > 0) {
        NoticeWith(m_port, kCompoundsFileName,
                   IntText(static_cast<long>(read.skipped)) +
                       " compuestos sin categoría válida o que no caben en su lista no se "
                       "muestran; se conservan en el "
                       "fichero",
                   MessageIcon::Exclamation);
    }
    if (read.partialBytes > 0) {
        NoticeWith(m_port, kCompoundsFileName,
                   m_path + " acaba con un compuesto incompleto de " +
                       IntText(static_cast<long>(read.partialBytes)) +
                       " bytes, que no se muestra; se conserva al final del fichero",
                   MessageIcon::Exclamation);
    }
}

void CompoundsModel::ListActivated(int category) {
    m_category = category;
    if (m_book.Category(category).empty()) {
        m_slot = 0;
        OpenEditRow();
    }
}

void CompoundsModel::SelectSlot(int category, std::size_t slot) {
    m_category = category;
    m_editRow = false;
    m_slot = slot <= m_book.Category(category).size() ? slot : 0;
}

void CompoundsModel::Transfer() {
    if (m_slot > 0 && m_transfer) m_transfer(m_book.Category(m_category)[m_slot - 1].formula);
}

void CompoundsModel::Edit() {
    if (m_slot > 0) OpenEditRow();
}

void CompoundsModel::New() {
    m_slot = 0;
    OpenEditRow();
}

void CompoundsModel::OpenEditRow() {
    m_editRow = true;
    if (m_slot == 0) {
        formulaText.clear();
        nameText.clear();
        return;
    }
    const CompoundRecord& record = m_book.Category(m_category)[m_slot - 1];
    formulaText = record.formula;
    nameText = record.name;
}

void CompoundsModel::Delete() {
    auto& list = m_book.Category(m_category);
    if (m_slot == 0 || m_slot > list.size()) return;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(m_slot - 1));
    m_changed = true;
    m_slot = 0;
}

// A formula the list may keep: one the main window can take, every element in the table. The
// parser asks whether to add an element the table lacks, and may open the element editor.
bool CompoundsModel::AcceptFormula(const std::string& formula) {
    auto refuse = [&](const std::string& why) {
        NoticeWith(m_port, "Fórmula incorrecta", "La fórmula \"" + formula + "\" no vale: " + why,
                   MessageIcon::Exclamation);
        return false;
    };
    const std::size_t length = Utf8Length(formula);
    if (length > kCompoundFormulaLimit) {
        return refuse("tiene " + IntText(static_cast<long>(length)) + " caracteres y caben " +
                      IntText(kCompoundFormulaLimit));
    }
    const FormulaScan scan = ScanFormula(formula);
    if (const std::string why = ScanErrorReason(scan); !why.empty()) return refuse(why);
    Substance substance;
    if (ParseFormula(substance, formula, m_table, m_port)) return true;
    // The grammar is right, so a symbol stayed unknown: the user chose not to add it.
    for (const auto& entry : scan.entries) {
        if (m_table.FindSymbol(entry.element.symbol) == nullptr) {
            return refuse("el elemento " + entry.element.symbol +
                          " no está en la tabla de elementos");
        }
    }
    return refuse("no se puede leer");
}

void CompoundsModel::Store() {
    const std::string formula = TrimBlanks(formulaText);
    if (formula.empty()) {
        m_editRow = false;
        return;
    }
    // Checking may run the element editor, and the window with it: what is stored is what was
    // there when "Ok" was pressed.
    const int category = m_category;
    const std::size_t slot = m_slot;
    const std::string name = nameText;
    auto full = [&] {
        if (slot != 0 || !m_book.IsFull(category)) return false;
        NoticeWith(
            m_port, "Lista llena",
            "Caben " + IntText(kCompoundsPerCategory) + " compuestos en cada lista como máximo",
            MessageIcon::Exclamation);
        return true;
    };
    if (full() || !AcceptFormula(formula)) return;
    if (full()) return;  // filled while the element editor was open
    auto& list = m_book.Category(category);
    const CompoundRecord record = MakeCompoundRecord(name, formula, category);
    if (slot == 0) {
        list.push_back(record);
        m_changed = true;
        formulaText.clear();
        nameText.clear();  // the row stays open for the next one
        return;
    }
    if (slot > list.size()) return;  // deleted meanwhile
    list[slot - 1] = record;
    m_changed = true;
    m_editRow = false;
}

bool CompoundsModel::Leave(bool focusInFormula) {
    if (focusInFormula && m_editRow) {
        m_editRow = false;
        return false;
    }
    if (!m_changed) return true;
    switch (AskYesNoCancel(m_port, "Ha habido cambios", "¿Guardar?")) {
        case kAnswerCancel:
            return false;
        case kAnswerYes: {
            std::string error;
            switch (SaveUnlessChanged(
                m_path, m_book.Stamp(), m_port, [this] { return m_book.Write(m_path); }, &error)) {
                case SaveOutcome::Saved:
                    return true;
                case SaveOutcome::Failed:
                    NoticeWith(m_port, "No se ha guardado", error, MessageIcon::Exclamation);
                    return false;
                case SaveOutcome::Reload:
                    Open();  // what the other window saved is shown; this one's changes are gone
                    return false;
                case SaveOutcome::Cancelled:
                    return false;
            }
            return false;
        }
        default:
            return true;
    }
}

}  // namespace tovel
