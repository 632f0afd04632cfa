#include "app/element_editor_model.h"

#include "core/file_guard.h"

#include <algorithm>

#include "core/control_text.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

namespace {

constexpr MessageTriple kNotFound = {"Element no trobat", "Element not found",
                                     "Elemento no hallado"};
constexpr MessageTriple kChanged = {"Dades modificades", "Changes in data", "Datos modificados"};
constexpr MessageTriple kSaveChanges = {"Gravar els canvis?    ", "Save the changes?  ",
                                        "¿Grabar los cambios?   "};

std::string Lower(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return text;
}

constexpr const char* kSymbolRule =
    "escriba una letra mayúscula, o una mayúscula y una minúscula, como O o Fe";
constexpr const char* kMassRule = "debe ser un número de 0.001 a 1000, como 55.845 o 55,845";
const std::string kNumberRule =
    "escriba un número entero de 1 a " + IntText(kSixteenBitLimit) + ", como 26";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string PaddedSymbol(const std::string& symbol, std::size_t width) {
    const std::size_t length = Utf8Length(symbol);
    return symbol + Blanks(length < width ? width - length : 0);
}

}  // namespace

std::string EditorRowText(const ElementRecord& record) {
    return PaddedSymbol(record.symbol, 4) + record.name + "  " +
           IntTextPadded(record.atomicNumber, 3);
}

std::string AtomicMassRowText(const ElementRecord& record) {
    return PaddedSymbol(record.symbol, 10) + FormatReal(record.atomicMass, 5, 2);
}

std::size_t SortedInsertPosition(const std::vector<std::string>& rows, const std::string& row) {
    const std::string key = Lower(row);
    std::size_t i = 0;
    while (i < rows.size() && Lower(rows[i]) <= key)
        ++i;
    return i;
}

std::vector<std::string> SortedAtomicMassRows(const ElementTable& table) {
    std::vector<std::string> rows;
    for (const auto& record : table.Records()) {
        const std::string row = AtomicMassRowText(record);
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(SortedInsertPosition(rows, row)),
                    row);
    }
    return rows;
}

ElementEditorModel::ElementEditorModel(ElementTable& table, UserPort& port, std::string path)
    : m_table(table), m_port(port), m_path(std::move(path)) {}

void ElementEditorModel::Open() {
    m_rows.clear();
    m_stamp = StampOf(m_path);  // before reading: a save in between is noticed, never missed
    const LoadElementsResult loaded = LoadElements(m_table, m_path);
    if (const std::string report = LoadElementsReport(loaded, m_path); !report.empty()) {
        NoticeWith(m_port, "Elementos", report, MessageIcon::Exclamation);
    }
    for (std::size_t slot = 1; slot <= m_table.Count(); ++slot)
        WriteRow(slot);
    ReorderTableToList();
    m_modified = false;
    m_selected.reset();
    ShowSlot(m_table.Count() + 1);
}

void ElementEditorModel::ShowSlot(std::size_t slot) {
    m_current = slot;
    if (slot < 1 || slot > m_table.Count()) {
        m_fields = {};
        return;
    }
    const ElementRecord& r = Record(slot);
    m_fields.name = r.name;
    m_fields.symbol = r.symbol;
    m_fields.mass = r.atomicMass == 0.0 ? "" : FormatFixed(r.atomicMass, 3, 3);
    m_fields.number = r.atomicNumber == 0 ? "" : IntTextPadded(r.atomicNumber, 3);
}

void ElementEditorModel::WriteRow(std::size_t slot) {
    const std::string row = EditorRowText(Record(slot));
    if (slot <= m_rows.size()) {
        m_rows[slot - 1] = row;  // in place: a changed row is not sorted again
    } else {
        m_rows.insert(
            m_rows.begin() + static_cast<std::ptrdiff_t>(SortedInsertPosition(m_rows, row)), row);
    }
}

void ElementEditorModel::ReorderTableToList() {
    std::vector<ElementRecord> ordered;
    std::vector<bool> taken(m_table.Count(), false);
    for (const auto& row : m_rows) {
        const std::string symbol = RemoveBlanks(Utf8Prefix(row, 2));
        for (std::size_t i = 0; i < m_table.Count(); ++i) {
            if (!taken[i] && m_table.Records()[i].symbol == symbol) {
                ordered.push_back(m_table.Records()[i]);
                taken[i] = true;
                break;
            }
        }
    }
    // A record no row names (which refusing repeated symbols prevents) is kept, not lost.
    for (std::size_t i = 0; i < taken.size(); ++i) {
        if (!taken[i]) ordered.push_back(m_table.Records()[i]);
    }
    m_table.Assign(std::move(ordered));
}

void ElementEditorModel::SelectRow(std::size_t position) {
    if (position < 1 || position > m_rows.size()) {
        m_selected.reset();
        return;
    }
    m_selected = position;
    ShowSlot(position);
}

void ElementEditorModel::NewElement() {
    m_selected.reset();
    ShowSlot(m_table.Count() + 1);
}

bool ElementEditorModel::Accept() {
    const bool isNew = m_current > m_table.Count();
    auto refuse = [this](const std::string& text) {
        NoticeWith(m_port, "Datos no válidos", text, MessageIcon::Exclamation);
        return false;
    };
    if (isNew && m_table.IsFull()) {
        return refuse("La tabla está llena: caben " + IntText(ElementTable::kCapacity) +
                      " elementos");
    }
    // An element that no formula can name, or that has no mass or number, spoils every
    // formula and calculation that uses it: each field is checked before anything is stored.
    const std::string symbol = TrimBlanks(m_fields.symbol);
    if (symbol.empty()) return refuse(std::string("Falta el símbolo (Smb): ") + kSymbolRule);
    if (!IsElementSymbol(symbol)) {
        return refuse("El símbolo (Smb) " + Quoted(symbol) + " no vale: " + kSymbolRule);
    }
    for (std::size_t slot = 1; slot <= m_table.Count(); ++slot) {
        if (slot != m_current && Record(slot).symbol == symbol) {
            return refuse("El símbolo " + symbol + " ya está en la tabla");
        }
    }
    const std::string massText = TrimBlanks(m_fields.mass);
    if (massText.empty()) return refuse(std::string("Falta la masa atómica (MA): ") + kMassRule);
    int error = 0;
    const double mass = ReadReal(massText, error);
    if (error != 0) {
        return refuse("La masa atómica (MA) " + Quoted(massText) +
                      " no es un número: " + kNumberHint);
    }
    if (!IsAtomicMass(mass))
        return refuse("La masa atómica (MA) " + Quoted(massText) + " no vale: " + kMassRule);
    const std::string numberText = TrimBlanks(m_fields.number);
    if (numberText.empty())
        return refuse(std::string("Falta el número atómico (Z): ") + kNumberRule);
    const long long number = ReadInteger(numberText, error);
    if (error != 0 || number < 1 || number > static_cast<long long>(kSixteenBitLimit)) {
        return refuse("El número atómico (Z) " + Quoted(numberText) + " no vale: " + kNumberRule);
    }
    // Two elements with one number would be counted as one element by the balancing.
    for (std::size_t slot = 1; slot <= m_table.Count(); ++slot) {
        if (slot != m_current && Record(slot).atomicNumber == number) {
            return refuse("El número atómico " + IntText(number) + " ya es el de " +
                          Record(slot).symbol);
        }
    }

    const ElementRecord record =
        MakeElementRecord(static_cast<std::uint16_t>(number), symbol, mass, m_fields.name);
    if (isNew) {
        m_table.Add(record);
        m_current = m_table.Count();
    } else {
        m_table.Replace(m_current, record);
    }
    WriteRow(m_current);
    ReorderTableToList();
    m_modified = true;
    m_selected.reset();
    ShowSlot(m_table.Count() + 1);
    return true;
}

bool ElementEditorModel::SearchSymbol() {
    const std::string symbol = TrimBlanks(m_fields.symbol);
    for (std::size_t slot = 1; slot <= m_table.Count(); ++slot) {
        if (Record(slot).symbol == symbol) {
            SelectRow(slot);
            return true;
        }
    }
    Notice(m_port, Select(kNotFound), m_fields.symbol);
    return false;
}

bool ElementEditorModel::Save() {
    // What the file held beyond the table is not lost without the user's word.
    if (m_table.FileUnreadable()) {
        NoticeWith(
            m_port, "Error",
            m_path +
                " existe pero no se ha podido leer: no se guarda encima. Corrija sus permisos.",
            MessageIcon::Exclamation);
        return false;
    }
    if (!m_table.LeftOut().empty()) {
        std::string lost;
        for (const auto& item : m_table.LeftOut())
            lost += "\r\n" + item;
        if (AskYesNoWith(m_port, "Elementos",
                         "Al guardar se perderá lo que no se pudo leer de " + m_path + ":" + lost +
                             "\r\n¿Guardar?",
                         MessageIcon::Exclamation, kAnswerNo) != kAnswerYes) {
            return false;
        }
    }
    std::string error;
    switch (SaveUnlessChanged(
        m_path, m_stamp, m_port, [this] { return SaveElements(m_table, m_path); }, &error)) {
        case SaveOutcome::Saved:
            break;
        case SaveOutcome::Failed:
            NoticeWith(m_port, "Error", error, MessageIcon::Exclamation);
            return false;
        case SaveOutcome::Reload:
            Open();  // the other window's table, as saved; this window's changes are gone
            return false;
        case SaveOutcome::Cancelled:
            return false;
    }
    m_table.SetFileState({}, false);
    m_modified = false;
    return true;
}

bool ElementEditorModel::Finish() {
    return !m_modified || Save();
}

bool ElementEditorModel::RequestClose() {
    if (!m_modified) return true;
    switch (AskYesNoCancelWith(m_port, Select(kChanged), Select(kSaveChanges),
                               MessageIcon::Exclamation)) {
        case kAnswerYes:
            return Save();
        case kAnswerNo:
            return true;
        default:
            return false;
    }
}

}  // namespace tovel
