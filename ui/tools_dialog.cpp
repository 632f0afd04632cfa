#include "ui/tools_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/language.h"

namespace tovel {

namespace {

// The window's texts by language; English keeps the template's.
struct ToolsTexts {
    MessageTriple caption{"Edició eines", "Edición utilidades", "Edición útiles"};
    MessageTriple tools{"Eines", "Utilidades", "Útiles"};
    MessageTriple tool{"Eina", "Utilidad", "Útil"};
    MessageTriple title{"Títol", "Título", "Título"};
    MessageTriple file{"Fitxer", "Fichero", "Fichero"};
    MessageTriple folder{"Dir. de treball", "Directorio de trabajo", "Dir. de trabajo"};
    MessageTriple parameters{"paràmetres", "parámetros", "parámetros"};
};

QString Text(const MessageTriple& triple) {
    return QString::fromUtf8(Select(triple).data(), static_cast<int>(Select(triple).size()));
}

}  // namespace

ToolsDialog::ToolsDialog(ToolList& tools, UserPort& port, QWidget* parent)
    : QDialog(parent), m_editor(tools, port), m_tools(tools) {
    const ToolsTexts texts;
    setWindowTitle(Text(texts.caption));
    setAttribute(Qt::WA_DeleteOnClose);

    m_list = m_controls.Keep(kList, new QListWidget(this));
    // Only a row the user picks (a click, an arrow key) shows its tool. The focus arriving in
    // the list makes a row current without selecting it, and must not replace typed fields.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_syncing) return;
        const QList<QListWidgetItem*> chosen = m_list->selectedItems();
        if (chosen.isEmpty()) return;
        m_editor.Select(static_cast<std::size_t>(m_list->row(chosen.front()) + 1));
        Sync();
    });

    auto* group = new QGroupBox(Text(texts.tool), this);
    auto* grid = new QGridLayout(group);
    const std::pair<int, const MessageTriple*> fields[] = {{kTitle, &texts.title},
                                                           {kFile, &texts.file},
                                                           {kWorkingDir, &texts.folder},
                                                           {kParameters, &texts.parameters}};
    int row = 0;
    for (const auto& [id, caption] : fields) {
        auto* edit = m_controls.Keep(id, new QLineEdit(group));
        edit->setMinimumWidth(260);
        edit->setMaxLength(static_cast<int>(kToolFieldLimit));
        grid->addWidget(new QLabel(Text(*caption), group), row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->addWidget(m_controls.Button(kBrowse, QStringLiteral("···"), this), 1, 2);

    auto* moves = new QHBoxLayout;
    for (const auto& [id, text] :
         {std::pair{kNew, "+"}, {kDelete, "-"}, {kUp, "^"}, {kDown, "v"}}) {
        moves->addWidget(m_controls.Button(id, QString::fromUtf8(text), this));
    }
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(Text(texts.tools), this));
    left->addWidget(m_list);
    left->addLayout(moves);
    auto* right = new QVBoxLayout;
    right->addWidget(group);
    right->addWidget(m_controls.Button(kStore, QStringLiteral("<- ok"), this));
    right->addStretch();
    auto* close = new QHBoxLayout;
    close->addWidget(m_controls.Button(kOk, QStringLiteral("Ok"), this));
    close->addWidget(m_controls.Button(kEsc, QStringLiteral("esc"), this));
    right->addLayout(close);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    resize(700, 300);
    Sync();
    // The fields start for a new tool; the list takes no focus that would select one.
    Control(kTitle)->setFocus();
}

void ToolsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Enter moves on through the fields to "<- ok"; there it stores the tool and moves on to
    // the list.
    const QWidget* focus = focusWidget();
    if (focus == Control(kStore)) {
        Dispatch(kStore);
        m_list->setFocus();
        return;
    }
    const int order[] = {kTitle, kFile, kWorkingDir, kParameters, kStore};
    for (int i = 0; i + 1 < 5; ++i) {
        if (focus == Control(order[i])) {
            Control(order[i + 1])->setFocus();
            return;
        }
    }
}

void ToolsDialog::reject() {
    Dispatch(kEsc);
}

void ToolsDialog::Dispatch(int id) {
    Pull();
    switch (id) {
        case kNew:
            m_editor.New();
            break;
        case kDelete:
            m_editor.Delete();
            break;
        case kUp:
            m_editor.MoveUp();
            break;
        case kDown:
            m_editor.MoveDown();
            break;
        case kBrowse:
            m_editor.Browse();
            break;
        case kStore:
            m_editor.Store();
            break;
        case kOk:
            if (m_editor.Ok()) {
                done(1);
                return;
            }
            break;
        case kEsc:
            m_editor.Cancel();
            done(0);
            return;
        default:
            break;
    }
    Sync();
}

void ToolsDialog::Pull() {
    auto text = [this](int id) {
        return static_cast<QLineEdit*>(Control(id))->text().toStdString();
    };
    m_editor.fields = {text(kTitle), text(kFile), text(kWorkingDir), text(kParameters)};
}

void ToolsDialog::Sync() {
    m_syncing = true;
    m_list->clear();
    for (const auto& tool : m_tools.Tools())
        m_list->addItem(QString::fromStdString(tool.title));
    if (m_editor.Cursor() <= m_tools.Count())
        m_list->setCurrentRow(static_cast<int>(m_editor.Cursor()) - 1);
    static_cast<QLineEdit*>(Control(kTitle))
        ->setText(QString::fromStdString(m_editor.fields.title));
    static_cast<QLineEdit*>(Control(kFile))->setText(QString::fromStdString(m_editor.fields.file));
    static_cast<QLineEdit*>(Control(kWorkingDir))
        ->setText(QString::fromStdString(m_editor.fields.workingDir));
    static_cast<QLineEdit*>(Control(kParameters))
        ->setText(QString::fromStdString(m_editor.fields.parameters));
    Control(kDelete)->setEnabled(m_editor.CanDelete());
    Control(kUp)->setEnabled(m_editor.CanMoveUp());
    Control(kDown)->setEnabled(m_editor.CanMoveDown());
    m_syncing = false;
}

}  // namespace tovel
