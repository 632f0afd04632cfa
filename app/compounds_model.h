#pragma once
// The usual-compounds window without the window: five lists, the edit row and the commands of
// its context menu. Changes reach comps.rel only when the user agrees on leaving.

#include <functional>
#include <string>

#include "app/compounds_file.h"
#include "core/element_table.h"
#include "core/user_port.h"

namespace tovel {

class CompoundsModel {
  public:
    // table: the program's element table, which formulas are checked against; transfer: hands
    // a formula to the main window.
    CompoundsModel(ElementTable& table, UserPort& port,
                   std::function<void(const std::string&)> transfer,
                   std::string path = kCompoundsFileName);

    // Reads the file; records that have no place are skipped and the user is told.
    void Open();

    const CompoundBook& Book() const { return m_book; }
    int CurrentCategory() const { return m_category; }
    std::size_t CurrentSlot() const { return m_slot; }  // 0: none
    bool EditRowOpen() const { return m_editRow; }
    bool Changed() const { return m_changed; }
    // The edit row's fields.
    std::string formulaText;
    std::string nameText;

    // A list was used; an empty list opens the edit row for a new compound.
    void ListActivated(int category);
    // A compound was chosen in a list.
    void SelectSlot(int category, std::size_t slot);
    void Transfer();
    void Edit();
    void New();
    void Delete();
    // "Ok" of the edit row. Refuses, with a message naming the formula, one that is no formula
    // or that has an element the table lacks and the user does not add when asked; refuses a
    // 129th compound in a category.
    void Store();
    // Leaving: true when the window may close (saving first if the user says so).
    bool Leave(bool focusInFormula);

  private:
    void OpenEditRow();
    bool AcceptFormula(const std::string& formula);

    ElementTable& m_table;
    UserPort& m_port;
    std::function<void(const std::string&)> m_transfer;
    std::string m_path;
    CompoundBook m_book;
    int m_category = 0;
    std::size_t m_slot = 0;
    bool m_editRow = false;
    bool m_changed = false;
};

}  // namespace tovel
