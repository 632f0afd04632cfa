#pragma once
// The problem-sheet window without the window: the choices as the user set them, the preview,
// and a sheet made a problem at a time so that the window can show its progress and stay
// responsive. The library is the one in the current folder.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "core/user_port.h"
#include "exercises/nomenclature_practice.h"
#include "exercises/nomenclature_sheet.h"
#include "exercises/problem_sheet.h"

namespace tovel {

enum class SheetOutput { Pdf, Text, Moodle };

class SheetModel {
  public:
    SheetModel(ElementTable& table, UserPort& port);

    // The window opens: the library is read again (its types all chosen the first time, and
    // whatever it could not read told), and a seed is drawn the first time.
    void Open();
    const std::vector<std::string>& TypeNames() const { return m_typeNames; }

    // The choices as the user set them.
    int count = 20;
    std::string seedText;
    std::vector<bool> types;  // by TypeNames()
    std::array<bool, kSheetDatumCount> data{true, true, true, true, true, true};
    std::array<bool, kSheetCaseCount> cases{true, true, true};
    bool yields = true;      // some problems with a yield
    bool empirical = false;  // every fourth an empirical formula
    SheetChoices::Share ionElectron = SheetChoices::Share::None;

    // How the sheet is printed: its title (empty is DefaultTitle()), the room for answers, and
    // numbers with a point and E instead of Spanish ones; how many versions of each exercise
    // go into Moodle.
    std::string title;
    AnswerSpace space = AnswerSpace::Lines;
    bool pointNotation = false;
    int variants = 1;
    // The title for the types and exercises chosen: "Hoja de problemas de estequiometría:
    // síntesis y combustión".
    std::string DefaultTitle() const;

    // "Hoja de formulación": nomenclature exercises instead of problems, of the classes chosen
    // (by PracticeClasses()), formulas to name and names to formulate as chosen.
    bool names = false;
    bool formulaToName = true;
    bool nameToFormula = true;
    std::vector<bool> nameClasses = std::vector<bool>(PracticeClasses().size(), true);

    void NewSeed();
    // The choices, or nothing with why in reason: a seed that is no whole number, nothing
    // chosen in a group.
    std::optional<SheetChoices> Choices(std::string* reason = nullptr) const;
    // The nomenclature sheet's choices, or nothing with why in reason.
    std::optional<NameSheetChoices> NameChoices(std::string* reason = nullptr) const;
    // The first problems' statements as the sheet writes them, or why there are none.
    std::string Preview(int problems = 3) const;

    // "Guardar PDF", "Guardar texto" or "Guardar para Moodle": reads the choices, asks for the file
    // (and before replacing one). False, having told the user why, when the sheet is not to be
    // made.
    bool Start(SheetOutput output);
    // Draws the next problem; false once all are drawn (or no more can be).
    bool Step();
    bool Running() const { return m_drawer.has_value() || m_namesPending; }
    int Done() const { return static_cast<int>(m_text.statements.size()); }
    int Total() const {
        return m_namesPending || m_nameSheet ? m_nameChoices.count : m_choices.count;
    }
    // The sheet as it is printed; complete once Step has returned false.
    const SheetText& Printed() const { return m_printed; }
    SheetOutput Output() const { return m_output; }
    const std::string& Path() const { return m_path; }
    // The sheet drawn; complete once Step has returned false.
    const SheetText& Text() const { return m_text; }

    // Writes the sheet as text or as Moodle XML (with its versions drawn from the next seeds),
    // or the PDF document given, to the file chosen; tells the user when it cannot, and says so
    // when fewer problems than asked could be drawn.
    bool FinishText();
    bool FinishMoodle();
    bool FinishBytes(const std::string& bytes);
    // The sheet is dropped (the window closed, or a PDF could not be composed).
    void Cancel();

  private:
    bool Finish(const FileResult& written);
    // The count and the seed as typed, or nothing with why in reason.
    bool ReadCountAndSeed(std::uint32_t& seed, std::string* reason) const;
    // The texts drawn, as they are printed in output (the preview as in a PDF).
    SheetText Print(SheetText text, SheetOutput output) const;
    // Another version of the sheet, from another seed, for Moodle: its problems with other
    // numbers.
    SheetText Variant(std::uint32_t seed) const;

    ElementTable& m_table;
    UserPort& m_port;
    SheetLibrary m_library;
    std::vector<std::string> m_typeNames;
    bool m_openedBefore = false;

    SheetChoices m_choices;
    SheetOutput m_output = SheetOutput::Pdf;
    std::string m_path;
    std::optional<SheetDrawer> m_drawer;
    NameSheetChoices m_nameChoices;
    bool m_nameSheet = false;     // the sheet being made is of nomenclature
    bool m_namesPending = false;  // drawn at the next step, all at once: it takes no time
    SheetText m_text;
    SheetText m_printed;
    std::string m_shortfall;  // why fewer problems than asked were drawn
};

}  // namespace tovel
