#pragma once
// The element editor without its window: the list rows, the fields of the element shown, and
// what "Acepta", "Nuevo", the symbol search, "Ok" and "Salir" do to the element table. The table
// is kept in the list's order, and saved to elements.dat only when something changed.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/element_table.h"
#include "core/elements_file.h"
#include "core/file_guard.h"
#include "core/user_port.h"

namespace tovel {

// "Fe  Hierro   26": the symbol in 4 characters, the name, two blanks, the number in 3.
std::string EditorRowText(const ElementRecord& record);
// "Fe        55.85": the symbol in 10 characters, then the mass (FormatReal, width 5, 2 decimals).
std::string AtomicMassRowText(const ElementRecord& record);
// Where a sorted list puts a new row: before the first row that sorts after it (letters compared
// without regard to case).
std::size_t SortedInsertPosition(const std::vector<std::string>& rows, const std::string& row);
// The rows of the table's records in a sorted list's order.
std::vector<std::string> SortedAtomicMassRows(const ElementTable& table);

struct ElementFields {
    std::string name;
    std::string symbol;
    std::string mass;
    std::string number;
};

class ElementEditorModel {
  public:
    ElementEditorModel(ElementTable& table, UserPort& port, std::string path = kElementsFileName);

    // Loads the file (a missing one leaves the table as it is), lists the elements and puts
    // the table in the list's order. The fields start empty, for a new element.
    void Open();

    const std::vector<std::string>& Rows() const { return m_rows; }
    std::size_t CurrentSlot() const { return m_current; }
    std::optional<std::size_t> SelectedRow() const { return m_selected; }
    ElementFields& Fields() { return m_fields; }
    const ElementTable& Table() const { return m_table; }
    bool Modified() const { return m_modified; }

    void SelectRow(std::size_t position);
    void NewElement();
    // Stores the fields into the element shown. Refuses, with one message naming the field, its
    // value and what it takes: a full table; a symbol that is missing, repeated, or not a
    // capital with maybe one small letter; a mass that is missing, no number or not above 0
    // ("1.04" and "1,04" both read); an atomic number that is missing or not a whole number
    // from 1 to 65535.
    bool Accept();
    // Enter in the symbol field: shows the element with that symbol, or says it is not there.
    bool SearchSymbol();
    // "Ok": saves when something changed; false when saving failed (the user has been told).
    bool Finish();
    // "Salir": true when the editor may close, asking first whether to save a change.
    bool RequestClose();

  private:
    void ShowSlot(std::size_t slot);
    void WriteRow(std::size_t slot);
    void ReorderTableToList();
    bool Save();
    // Reads through the table's const side, which leaves its symbol index in use.
    const ElementRecord& Record(std::size_t slot) const {
        return std::as_const(m_table).Slot(slot);
    }

    ElementTable& m_table;
    UserPort& m_port;
    std::string m_path;
    std::vector<std::string> m_rows;
    std::size_t m_current = 1;
    std::optional<std::size_t> m_selected;
    ElementFields m_fields;
    bool m_modified = false;
    FileStamp m_stamp;  // the file as Open read it
};

}  // namespace tovel
