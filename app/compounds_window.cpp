#include "app/compounds_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/program.h"
#include "core/nomenclature.h"
#include "ui/control_helpers.h"
#include "ui/icons.h"
#include "ui/named_formula_delegate.h"

namespace tovel {

namespace {

// The name under a formula: the one the user stored, or, for a compound stored without one, the
// name nomenclature gives it.
QString ShownName(const CompoundRecord& record) {
    if (!record.name.empty()) return QString::fromStdString(record.name);
    return QString::fromStdString(ListName(NameFormula(record.formula)));
}

}  // namespace

CompoundsWindow::CompoundsWindow(ElementTable& table, UserPort& port,
                                 std::function<void(const std::string&)> transfer, QWidget* parent)
    : QDialog(parent), m_model(table, port, std::move(transfer)) {
    setWindowTitle(QStringLiteral("Compuestos usuales"));
    SetWindowIconByName(*this, "AReacIcon");
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(
        QStringLiteral("QDialog, QLabel { background: rgb(0, 180, 255); }"
                       "QListWidget, QLineEdit { background: rgb(255, 255, 199); }"));

    m_menuTimer = new QTimer(this);
    m_menuTimer->setSingleShot(true);
    connect(m_menuTimer, &QTimer::timeout, this, [this] {
        if (m_model.CurrentSlot() > 0) m_menu->popup(QCursor::pos());
    });
    auto* lists = new QHBoxLayout;
    const char* captions[] = {"óxidos", "hidróxidos", "ácidos", "sales", "otros"};
    for (int category = 0; category < kCompoundCategories; ++category) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(QString::fromUtf8(captions[category]), this));
        auto* list = m_controls.Keep(kFirstList + category, new QListWidget(this));
        list->setMinimumWidth(150);
        list->setItemDelegate(new NamedFormulaDelegate(list));
        list->setResizeMode(QListView::Adjust);  // names wrap again when the column narrows
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, category](QListWidgetItem* item) {
            if (m_syncing) return;
            Pull();
            m_model.SelectSlot(category, static_cast<std::size_t>(List(category)->row(item)) + 1);
            Sync();
            // The menu waits out a double-click, which transfers the formula instead.
            m_menuTimer->start(QApplication::doubleClickInterval());
        });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, category](QListWidgetItem* item) {
                    m_menuTimer->stop();
                    m_menu->hide();
                    m_model.SelectSlot(category,
                                       static_cast<std::size_t>(List(category)->row(item)) + 1);
                    m_model.Transfer();
                    Sync();
                });
        column->addWidget(list);
        lists->addLayout(column);
        m_lists[category] = list;
    }

    m_editRow = new QWidget(this);
    auto* row = new QHBoxLayout(m_editRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_formula = m_controls.Keep(kFormula, new QLineEdit(m_editRow));
    m_formula->setMaxLength(static_cast<int>(kCompoundFormulaLimit));
    m_name = m_controls.Keep(kName, new QLineEdit(m_editRow));
    m_name->setMaxLength(static_cast<int>(kCompoundNameLimit));
    QPushButton* ok = m_controls.Button(kOk, QStringLiteral("Ok"), m_editRow);
    connect(m_formula, &QLineEdit::returnPressed, this, [this] { Dispatch(kOk); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] { Dispatch(kOk); });
    row->addWidget(new QLabel(QStringLiteral("fórm."), m_editRow));
    row->addWidget(m_formula, 1);
    row->addWidget(new QLabel(QStringLiteral("nombre"), m_editRow));
    row->addWidget(m_name, 2);
    row->addWidget(ok);

    m_exit = new QLabel(this);
    m_exit->setPixmap(LoadPictureByName("SortirIc", QSize(16, 16)));
    m_exit->installEventFilter(this);
    QPushButton* leave = m_controls.Button(kLeave, QStringLiteral("[]<-"), this);
    leave->setToolTip(QStringLiteral("Salir"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_exit);
    bottom->addWidget(m_editRow, 1);
    bottom->addWidget(leave);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);

    m_menu = new QMenu(this);
    const std::pair<int, const char*> items[] = {
        {kTransfer, "&Transferir"}, {kEdit, "&Editar"}, {kDelete, "&Suprimir"}, {kNew, "&Nuevo"}};
    for (const auto& [id, text] : items) {
        connect(m_menu->addAction(QString::fromUtf8(text)), &QAction::triggered, this,
                [this, id = id] { Dispatch(id); });
    }

    m_model.Open();
    Sync();
    resize(900, 480);
}

QLineEdit* CompoundsWindow::Field(int id) const {
    return id == kFormula ? m_formula : id == kName ? m_name : nullptr;
}

bool CompoundsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_exit && event->type() == QEvent::MouseButtonPress) {
        Dispatch(kLeave);
        return true;
    }
    // Using an empty list starts a new compound in it.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        for (int category = 0; category < kCompoundCategories; ++category) {
            if (watched == m_lists[category] && !m_syncing) {
                Pull();
                m_model.ListActivated(category);
                for (int other = 0; other < kCompoundCategories; ++other) {
                    if (other != category) m_lists[other]->clearSelection();
                }
                Sync();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CompoundsWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (m_model.CurrentSlot() > 0) m_menu->popup(event->globalPos());
}

void CompoundsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    for (auto* list : m_lists)
        list->setMinimumHeight(std::max(60, height() - 60 - 40));
}

void CompoundsWindow::Dispatch(int id) {
    Pull();
    switch (id) {
        case kTransfer:
            m_model.Transfer();
            break;
        case kEdit:
            m_model.Edit();
            break;
        case kDelete:
            m_model.Delete();
            break;
        case kNew:
            m_model.New();
            break;
        case kOk:
            m_model.Store();
            break;
        case kLeave:
            if (m_model.Leave(m_formula->hasFocus())) {
                m_leaving = true;
                close();
                return;
            }
            break;
        default:
            break;
    }
    Sync();
}

void CompoundsWindow::reject() {
    Dispatch(kLeave);
}

void CompoundsWindow::closeEvent(QCloseEvent* event) {
    if (m_leaving || m_model.Leave(false)) {
        event->accept();
    } else {
        event->ignore();
        Sync();  // the file may have been read again
    }
}

void CompoundsWindow::Pull() {
    m_model.formulaText = m_formula->text().toStdString();
    m_model.nameText = m_name->text().toStdString();
}

void CompoundsWindow::Sync() {
    m_syncing = true;
    for (int category = 0; category < kCompoundCategories; ++category) {
        QListWidget* list = m_lists[category];
        QStringList items;
        for (const auto& record : m_model.Book().Category(category)) {
            items << QString::fromStdString(record.formula);
        }
        ShowItems(*list, items);
        for (int i = 0; i < list->count(); ++i) {
            const auto& record = m_model.Book().Category(category)[static_cast<std::size_t>(i)];
            const QString name = ShownName(record);
            list->item(i)->setToolTip(name);  // whole, where the list cuts it
            list->item(i)->setData(NamedFormulaDelegate::kNameRole, name);
        }
        const bool current_ = category == m_model.CurrentCategory() && m_model.CurrentSlot() > 0;
        if (current_) {
            list->setCurrentRow(static_cast<int>(m_model.CurrentSlot()) - 1);
        } else {
            list->clearSelection();
        }
    }
    const bool wasOpen = m_editRow->isVisible();
    m_editRow->setVisible(m_model.EditRowOpen());
    if (m_formula->text().toStdString() != m_model.formulaText)
        m_formula->setText(QString::fromStdString(m_model.formulaText));
    if (m_name->text().toStdString() != m_model.nameText)
        m_name->setText(QString::fromStdString(m_model.nameText));
    if (m_model.EditRowOpen() && !wasOpen) m_formula->setFocus();
    m_syncing = false;
}

}  // namespace tovel
