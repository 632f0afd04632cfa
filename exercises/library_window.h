#pragma once
// The reaction library window ("Reacciones tipo"). The library's state and commands are
// ReactionLibrary's; the window shows them and hands reactions to the main window.

#include <QDialog>
#include <functional>

#include "exercises/reaction_library.h"
#include "ui/control_registry.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tovel {

class LibraryWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kExitIcon = 2,
        kRandomType = 3,
        kRandomReaction = 4,
        kTransfer = 5,
        kDeleteType = 6,
        kDeleteReaction = 7,
        kNewReaction = 8,
        kStoreReaction = 9,
        kNewType = 10,
        kStoreType = 11,
        kSort = 12,
        kSearch = 15,
        kTypes = 101,
        kReactions = 102,
        kDescriptions = 105,
        kSearchText = 150,
        kTypeHint = 200,
        kReactionHint = 201,
    };

    // transfer: called with a reaction passed to the main window and its description.
    LibraryWindow(ReactionLibrary& library,
                  std::function<void(const Reaction&, const std::string&)> transfer,
                  QWidget* parent = nullptr);
    ~LibraryWindow() override;

    void Dispatch(int id);
    QWidget* Control(int id) const { return m_controls.Control(id); }
    // Shows the window in save mode for the main window's reaction.
    void RequestSave(const std::string& compactReaction);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Enter in one of the fields; false when the field takes no Enter.
    bool EnterIn(const QObject* field);
    void Pull();
    void Sync();

    ReactionLibrary& m_library;
    std::function<void(const Reaction&, const std::string&)> m_transfer;
    QComboBox* m_types = nullptr;
    QComboBox* m_reactions = nullptr;
    QComboBox* m_descriptions = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_exit = nullptr;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    bool m_syncing = false;
    bool m_closingByIcon = false;
};

}  // namespace tovel
