#include "compounds_model.h"

#include "messages.h"
#include "text_utils.h"

namespace tovel {

CompoundsModel::CompoundsModel(UserPort& port, std::function<void(const std::string&)> transfer, std::string path)
    : m_port(port), m_transfer(std::move(transfer)), m_path(std::move(path)) {}

void CompoundsModel::Open() {
    const CompoundsReadResult read = m_book.Read(m_path);
    m_changed = false;
    m_editRow = false;
    m_slot = 0;
    if (read.skipped > 0) {
        NoticeWith(m_port, kCompoundsFileName,
                   "Se han descartado " + IntText(static_cast<long>(read.skipped)) +
                       " compuestos sin categoría válida o que no caben en su lista",
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

void CompoundsModel::Store() {
    if (TrimBlanks(formulaText).empty()) {
        m_editRow = false;
        return;
    }
    auto& list = m_book.Category(m_category);
    const CompoundRecord record = MakeCompoundRecord(nameText, formulaText, m_category);
    if (m_slot == 0) {
        if (m_book.IsFull(m_category)) {
            NoticeWith(m_port, "Lista llena",
                       "Caben " + IntText(kCompoundsPerCategory) + " compuestos en cada lista como máximo",
                       MessageIcon::Exclamation);
            return;
        }
        list.push_back(record);
        m_changed = true;
        formulaText.clear();
        nameText.clear();  // the row stays open for the next one
        return;
    }
    list[m_slot - 1] = record;
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
            const FileResult written = m_book.Write(m_path);
            if (!written) {
                NoticeWith(m_port, "No se ha guardado", written.error, MessageIcon::Exclamation);
                return false;
            }
            return true;
        }
        default:
            return true;
    }
}

}  // namespace tovel
