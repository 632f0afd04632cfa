#include "exercises/library_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/control_helpers.h"
#include "ui/icons.h"

namespace tovel {

namespace {

QComboBox* EditableCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(40);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->lineEdit()->setMaxLength(255);
    // Completing as the user types would turn a new name or reaction into an existing one
    // that starts the same way, and Enter would then store that one.
    combo->setCompleter(nullptr);
    return combo;
}

}  // namespace

LibraryWindow::LibraryWindow(ReactionLibrary& library,
                             std::function<void(const Reaction&, const std::string&)> transfer,
                             QWidget* parent)
    : QDialog(parent), m_library(library), m_transfer(std::move(transfer)) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetWindowIconByName(*this, "AReacIcon");
    setStyleSheet(QStringLiteral("QLineEdit { background: rgb(222, 255, 241); }"));

    m_types = m_controls.Keep(kTypes, EditableCombo(this));
    m_reactions = m_controls.Keep(kReactions, EditableCombo(this));
    m_descriptions = m_controls.Keep(kDescriptions, EditableCombo(this));
    m_search = m_controls.Keep(kSearchText, new QLineEdit(this));
    // An editable combo box keeps the focus itself and hands the keys to its line edit.
    for (QComboBox* combo : {m_types, m_reactions, m_descriptions}) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
    m_search->installEventFilter(this);

    connect(m_types, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        if (m_syncing) return;
        Pull();
        m_library.SelectType(static_cast<std::size_t>(index) + 1);
        Sync();
    });
    connect(m_types->lineEdit(), &QLineEdit::textEdited, this, [this] {
        Pull();
        m_library.TypeTextChanged();
        Sync();
    });
    for (QComboBox* combo : {m_reactions, m_descriptions}) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
            if (m_syncing) return;
            Pull();
            m_library.SelectEntry(static_cast<std::size_t>(index) + 1);
            Sync();
        });
    }
    connect(m_reactions->lineEdit(), &QLineEdit::textEdited, this, [this] {
        Pull();
        m_library.ReactionTextChanged();
        Sync();
    });

    auto* hintType = new QLabel(QStringLiteral("1. Elige o escribe el tipo"), this);
    auto* hintReaction = new QLabel(QStringLiteral("2. Escribe la descripción y pulsa ok"), this);
    for (QLabel* hint : {hintType, hintReaction})
        hint->setStyleSheet("color: rgb(0, 0, 202); font-weight: bold;");
    m_controls.Keep(kTypeHint, hintType);
    m_controls.Keep(kReactionHint, hintReaction);

    m_exit = new QLabel(this);
    m_exit->setPixmap(LoadPictureByName("SortirIc", QSize(16, 16)));
    m_exit->setToolTip(QStringLiteral("Salir"));
    m_exit->installEventFilter(this);
    m_controls.Keep(kExitIcon, m_exit);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Tipo"), this), 0, 0);
    grid->addWidget(m_types, 0, 1);
    grid->addWidget(m_controls.Button(kRandomType, QStringLiteral("aleatorio"), this), 0, 2);
    grid->addWidget(m_controls.Button(kNewType, QStringLiteral("+"), this), 0, 3);
    grid->addWidget(m_controls.Button(kDeleteType, QStringLiteral("x"), this), 0, 4);
    grid->addWidget(m_controls.Button(kStoreType, QStringLiteral("ok"), this), 0, 5);
    grid->addWidget(hintType, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Buscar:"), this), 2, 0);
    grid->addWidget(m_search, 2, 1);
    grid->addWidget(m_controls.Button(kSearch, QStringLiteral("ok"), this), 2, 5);
    grid->addWidget(new QLabel(QStringLiteral("Reacciones"), this), 3, 0);
    grid->addWidget(m_reactions, 3, 1);
    grid->addWidget(m_controls.Button(kSort, QStringLiteral("Ordenar"), this), 3, 2);
    grid->addWidget(m_controls.Button(kNewReaction, QStringLiteral("+"), this), 3, 3);
    grid->addWidget(m_controls.Button(kDeleteReaction, QStringLiteral("x"), this), 3, 4);
    grid->addWidget(m_controls.Button(kStoreReaction, QStringLiteral("ok"), this), 3, 5);
    grid->addWidget(new QLabel(QStringLiteral("Descr."), this), 4, 0);
    grid->addWidget(m_descriptions, 4, 1);
    grid->addWidget(m_controls.Button(kRandomReaction, QStringLiteral("aleatoria"), this), 4, 2);
    grid->addWidget(hintReaction, 5, 1);
    grid->addWidget(m_exit, 6, 0);
    grid->addWidget(m_controls.Button(kTransfer, QStringLiteral("Pasar ->"), this), 6, 2, 1, 4);

    // A message of the library's stands over the state it is about, not the one before it.
    m_library.SetBeforeMessage([this] { Sync(); });
    m_library.Open();
    Sync();
}

LibraryWindow::~LibraryWindow() {
    m_library.SetBeforeMessage({});
}

void LibraryWindow::RequestSave(const std::string& compactReaction) {
    m_library.RequestSave(compactReaction);
    Sync();
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_exit && event->type() == QEvent::MouseButtonPress) {
        m_closingByIcon = true;
        close();
        return true;
    }
    // The combo boxes keep Enter to themselves, so it is taken before they see it.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && EnterIn(watched)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool LibraryWindow::EnterIn(const QObject* field) {
    // Enter stores the type or the reaction, or searches, by the field that has the focus.
    if (field == m_types || field == m_types->lineEdit()) {
        Dispatch(kStoreType);
    } else if (field == m_reactions || field == m_reactions->lineEdit() ||
               field == m_descriptions || field == m_descriptions->lineEdit()) {
        Dispatch(kStoreReaction);
    } else if (field == m_search) {
        Dispatch(kSearch);
    } else {
        return false;
    }
    return true;
}

void LibraryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        EnterIn(focusWidget());
        return;
    }
    QDialog::keyPressEvent(event);
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
    m_library.Close(!m_closingByIcon);
    event->accept();
}

void LibraryWindow::Dispatch(int id) {
    Pull();
    switch (id) {
        case kRandomType:
            m_library.RandomType();
            break;
        case kNewType:
            m_library.NewType();
            m_types->setFocus();
            break;
        case kDeleteType:
            m_library.DeleteType();
            break;
        case kStoreType:
            m_library.StoreType();
            break;
        case kSearch:
            m_library.Search();
            break;
        case kSort:
            m_library.Sort();
            break;
        case kNewReaction:
            m_library.NewReaction();
            m_reactions->setFocus();
            break;
        case kDeleteReaction:
            m_library.DeleteReaction();
            break;
        case kStoreReaction:
            m_library.StoreReaction();
            break;
        case kRandomReaction:
            m_library.RandomReaction();
            break;
        case kTransfer:
            if (auto transferred = m_library.Transfer(); transferred && m_transfer) {
                m_transfer(transferred->first, transferred->second);
            }
            break;
        case kExitIcon:
            m_closingByIcon = true;
            close();
            return;
        default:
            break;
    }
    Sync();
}

void LibraryWindow::Pull() {
    m_library.typeText = m_types->currentText().toStdString();
    m_library.reactionText = m_reactions->currentText().toStdString();
    m_library.descriptionText = m_descriptions->currentText().toStdString();
    m_library.searchText = m_search->text().toStdString();
}

void LibraryWindow::Sync() {
    m_syncing = true;
    setWindowTitle(QString::fromStdString(m_library.Title()));
    QStringList types, reactions, descriptions;
    for (const auto& type : m_library.Types().Types())
        types << QString::fromStdString(type.name);
    for (const auto& entry : m_library.Entries()) {
        reactions << QString::fromStdString(entry.reaction);
        descriptions << QString::fromStdString(entry.description);
    }
    ShowItems(*m_types, types);
    ShowItems(*m_reactions, reactions);
    ShowItems(*m_descriptions, descriptions);
    m_types->setCurrentIndex(static_cast<int>(m_library.CurrentType()) - 1);
    m_reactions->setCurrentIndex(static_cast<int>(m_library.Selected()) - 1);
    m_descriptions->setCurrentIndex(static_cast<int>(m_library.Selected()) - 1);
    auto setText = [](QComboBox* combo, const std::string& text) {
        if (combo->currentText().toStdString() != text)
            combo->setEditText(QString::fromStdString(text));
    };
    setText(m_types, m_library.typeText);
    setText(m_reactions, m_library.reactionText);
    setText(m_descriptions, m_library.descriptionText);

    const LibraryControls c = m_library.Controls();
    auto enable = [this](int id, bool on) { Control(id)->setEnabled(on); };
    enable(kDeleteType, c.deleteType);
    enable(kNewType, c.newType);
    enable(kStoreType, c.storeType);
    enable(kRandomType, c.randomType);
    enable(kSort, c.sort);
    enable(kDeleteReaction, c.deleteReaction);
    enable(kNewReaction, c.newReaction);
    enable(kStoreReaction, c.storeReaction);
    enable(kSearch, c.search);
    enable(kSearchText, c.search);
    enable(kRandomReaction, c.randomReaction);
    enable(kTransfer, c.transfer);
    enable(kReactions, c.reactionFields);
    enable(kDescriptions, c.reactionFields);
    Control(kTypeHint)->setVisible(c.saveHints);
    Control(kReactionHint)->setVisible(c.saveHints);
    m_syncing = false;
}

}  // namespace tovel
