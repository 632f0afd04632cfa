#pragma once
// The usual-compounds window ("Compuestos usuales"): five lists of formulas by category; a
// formula is handed to the main window by double-click or from the context menu.

#include <QDialog>
#include <array>

#include "app/compounds_model.h"
#include "ui/control_registry.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace tovel {

class CompoundsWindow : public QDialog {
    Q_OBJECT

  public:
    enum Id : int {
        kLeave = 2,
        kOk = 3,
        kFirstList = 100,
        kFormula = 120,
        kName = 121,
        kTransfer = 201,
        kEdit = 202,
        kDelete = 203,
        kNew = 204
    };

    // Formulas are checked against table, which the element editor may be asked to extend.
    CompoundsWindow(ElementTable& table, UserPort& port,
                    std::function<void(const std::string&)> transfer, QWidget* parent = nullptr);

    void Dispatch(int id);
    QListWidget* List(int category) const { return m_lists[category]; }
    QLineEdit* Field(int id) const;
    QMenu* ContextMenu() const { return m_menu; }
    CompoundsModel& Model() { return m_model; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Pull();
    void Sync();

    CompoundsModel m_model;
    ControlRegistry m_controls{[this](int id) { Dispatch(id); }};
    std::array<QListWidget*, kCompoundCategories> m_lists{};
    QLineEdit* m_formula = nullptr;
    QLineEdit* m_name = nullptr;
    QWidget* m_editRow = nullptr;
    QMenu* m_menu = nullptr;
    QTimer* m_menuTimer = nullptr;
    QLabel* m_exit = nullptr;
    bool m_syncing = false;
    bool m_leaving = false;
};

}  // namespace tovel
