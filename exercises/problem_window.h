#pragma once
// The problem window ("Problema"): the statement and the resolution of the last calculation in
// two editable boxes, with "Guardar problema" and "Ver fichero".

#include <QDialog>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "ui/control_registry.h"

class QAction;
class QPlainTextEdit;

namespace tovel {

class ProblemWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExit = 2,
        kStatementLabel = 10,
        kResolutionLabel = 20,
        kStatement = 50,
        kResolution = 100,
        kSave = 201,
        kViewFile = 202,
        kAddBalancing = 203
    };

    // balancing: the balancing explained step by step, which the user may add to the
    // resolution; none when empty.
    ProblemWindow(const std::vector<std::string>& statement,
                  const std::vector<std::string>& resolution, UserPort& port,
                  const std::vector<std::string>& balancing = {}, QWidget* parent = nullptr);

    void Dispatch(int id);
    QPlainTextEdit* Box(int id) const;
    // The user changed the statement or the resolution since they were written or saved.
    bool Edited() const;
    // The calculation it was written from has changed; an edited problem stays open, so marked.
    void MarkStale();

  protected:
    // Edited text is not dropped without a question.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    // False when the user cancelled the choice of a file or the file could not be written.
    bool Save();
    std::vector<std::string> Lines(int id) const;

    UserPort& m_port;
    ControlRegistry m_controls;  // the two boxes: the commands are in the menu
    QPlainTextEdit* m_statement = nullptr;
    QPlainTextEdit* m_resolution = nullptr;
    std::vector<std::string> m_balancing;
    QAction* m_addBalancing = nullptr;
};

}  // namespace tovel
