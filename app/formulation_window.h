#pragma once
// "Formulación": a formula or a name typed and every name of the compound, or its formula, shown
// by system; and practice that asks a compound of the classes ticked, checks the answer and keeps
// the session's score.

#include <QDialog>
#include <string>
#include <vector>

#include "exercises/nomenclature_practice.h"
#include "ui/control_registry.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTextBrowser;

namespace tovel {

class FormulationWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kQuery = 100,
        kLookUp = 101,
        kResult = 102,
        kQuestion = 110,
        kAnswer = 111,
        kCheck = 112,
        kNext = 113,
        kVerdict = 114,
        kScore = 115,
        kFirstClass = 120,  // one check box per practice class, in PracticeClasses() order
    };

    explicit FormulationWindow(RandomIndex random = UniformRandomIndex(),
                               QWidget* parent = nullptr);

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }

  private:
    void LookUp();
    void NextQuestion();
    void CheckAnswer();

    NomenclaturePractice m_practice;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    QLineEdit* m_query = nullptr;
    QTextBrowser* m_result = nullptr;
    QLabel* m_question = nullptr;
    QLineEdit* m_answer = nullptr;
    QTextBrowser* m_verdict = nullptr;
    QLabel* m_score = nullptr;
    std::vector<QCheckBox*> m_classes;
};

// Every name of what was typed, by system, as rich text: the formula set with its counts and
// charge, each name with its system, the notes; or why there is none.
QString NamesHtml(const std::string& typed);

}  // namespace tovel
