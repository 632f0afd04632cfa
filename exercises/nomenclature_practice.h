#pragma once
// Practice of inorganic nomenclature: a compound of the classes the student ticks, asked by its
// formula or by one of its names, the answer checked (every right name accepted, the system it
// used told, what is wrong in a wrong one said) and the session's score kept.

#include <string>
#include <string_view>
#include <vector>

#include "core/nomenclature.h"
#include "exercises/random_source.h"

namespace tovel {

// The classes a student may tick, in the order the window lists them.
struct PracticeClass {
    const char* label;               // "Óxidos"
    std::vector<const char*> kinds;  // the kinds NameFormula gives them: "óxido", "peróxido"
};
const std::vector<PracticeClass>& PracticeClasses();

struct PracticeQuestion {
    std::string formula;
    bool askName = true;     // true: the student names the formula; false: writes the formula
    std::string name;        // the name asked for, when the formula is asked
    std::string nameSystem;  // its system
    std::string prompt;      // "¿Cómo se nombra Fe2O3?"
};

struct PracticeVerdict {
    bool right = false;
    std::string message;              // "Correcto (nombre de composición)"; what is wrong
    std::vector<SystemName> answers;  // every right name, to show
    std::string formula;              // the right formula
};

class NomenclaturePractice {
  public:
    explicit NomenclaturePractice(RandomIndex random = UniformRandomIndex());

    // The classes drawn from, by their index in PracticeClasses(); none ticked draws from all.
    void SetClasses(const std::vector<std::size_t>& classes);

    // What a question asks for.
    enum class Asking { Either, Name, Formula };

    // A new question, of a compound not asked in the last few.
    const PracticeQuestion& Next(Asking asking = Asking::Either);
    const PracticeQuestion& Current() const { return m_question; }

    // Checks the student's answer to the current question and counts it once.
    PracticeVerdict Check(std::string_view typed);

    int Asked() const { return m_asked; }
    int Right() const { return m_right; }

  private:
    RandomIndex m_random;
    std::vector<std::string> m_pool;
    std::vector<std::string> m_recent;
    PracticeQuestion m_question;
    bool m_checked = true;
    int m_asked = 0;
    int m_right = 0;
};

// What is wrong in a name that is not one of the right ones: the multiplying prefix, the numeral,
// the ending, or which compound it names instead.
std::string WhatIsWrongInName(std::string_view answer, const Nomenclature& right);

}  // namespace tovel
