#include "app/element_windows.h"

#include "ui/child_windows.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/control_helpers.h"
#include "ui/icons.h"

namespace tovel {

namespace {

QPointer<ElementEditorDialog> g_editor;     // the open element editor
QPointer<AtomicMassListDialog> g_massList;  // the open atomic-mass list

QFont ListFont() {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(12);
    return font;
}

}  // namespace

ElementEditorDialog::ElementEditorDialog(ElementTable& table, UserPort& port, QWidget* parent)
    : QDialog(parent), m_model(table, port) {
    setWindowTitle(QStringLiteral("Elementos químicos"));
    SetWindowIconByName(*this, "IcQuim");
    setAttribute(Qt::WA_DeleteOnClose);

    m_list = m_controls.Keep(kList, new QListWidget(this));
    m_list->setFont(ListFont());
    m_list->setMinimumSize(240, 300);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_syncing) return;
        Pull();
        m_model.SelectRow(static_cast<std::size_t>(row) + 1);
        Sync();
    });

    auto* group = new QGroupBox(QStringLiteral("Elemento "), this);
    auto* grid = new QGridLayout(group);
    const char* captions[] = {"Nombre ", "Smb", "MA", "Z"};
    const int ids[] = {kName, kSymbol, kMass, kNumber};
    for (int i = 0; i < 4; ++i) {
        m_fields[i] = m_controls.Keep(ids[i], new QLineEdit(group));
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), group), i, 0);
        grid->addWidget(m_fields[i], i, 1);
    }
    m_fields[1]->setAlignment(Qt::AlignCenter);
    m_fields[0]->setMaxLength(14);
    m_fields[1]->setMaxLength(2);

    // A click on Ok saves and closes; Enter goes through Dispatch(kOk), which acts by the focus.
    m_ok = m_controls.Keep(kOk, new QPushButton(QStringLiteral("Ok"), this));
    m_ok->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { Finish(); });
    QPushButton* leave = m_controls.Button(kExit, QStringLiteral("Salir"), this);
    QPushButton* accept = m_controls.Button(kAccept, QStringLiteral("Acepta"), this);
    QPushButton* add = m_controls.Button(kNew, QStringLiteral("Nuevo"), this);
    m_ok->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(group);
    auto* edit = new QHBoxLayout;
    edit->addWidget(accept);
    edit->addWidget(add);
    side->addLayout(edit);
    side->addStretch();
    auto* close = new QHBoxLayout;
    close->addWidget(m_ok);
    close->addWidget(leave);
    side->addLayout(close);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Elemento    z"), this));
    left->addWidget(m_list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(side);

    m_model.Open();
    Sync();
    m_fields[0]->setFocus();
    g_editor = this;
}

ElementEditorDialog* ElementEditorDialog::Current() {
    return g_editor;
}

void ElementEditorDialog::Dispatch(int id) {
    Pull();
    switch (id) {
        case kAccept:
            if (m_model.Accept()) {
                Sync();
                m_fields[0]->setFocus();
                return;
            }
            break;
        case kNew:
            m_model.NewElement();
            break;
        case kOk:
            // Enter acts by the control that has the focus: the symbol field searches, the Ok
            // button saves and closes, other fields do nothing.
            if (focusWidget() == m_fields[1]) {
                m_model.SearchSymbol();
            } else if (focusWidget() == m_ok) {
                Finish();
                return;
            }
            break;
        case kExit:
            if (m_model.RequestClose()) {
                m_closing = true;
                close();
                return;
            }
            break;
        default:
            break;
    }
    Sync();
}

void ElementEditorDialog::Finish() {
    Pull();
    if (m_model.Finish()) {
        m_closing = true;
        close();
    }
}

void ElementEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Dispatch(kOk);
        return;
    }
    QDialog::keyPressEvent(event);
}

void ElementEditorDialog::reject() {
    Dispatch(kExit);
}

void ElementEditorDialog::closeEvent(QCloseEvent* event) {
    // The question is asked here: a close() called from inside a close event does nothing, so
    // the window could not close itself from the answer.
    Pull();
    if (m_closing || m_model.RequestClose()) {
        m_closing = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void ElementEditorDialog::Pull() {
    ElementFields& f = m_model.Fields();
    f.name = m_fields[0]->text().toStdString();
    f.symbol = m_fields[1]->text().toStdString();
    f.mass = m_fields[2]->text().toStdString();
    f.number = m_fields[3]->text().toStdString();
}

void ElementEditorDialog::Sync() {
    m_syncing = true;
    const auto& rows = m_model.Rows();
    QStringList items;
    for (const auto& row : rows)
        items << QString::fromStdString(row);
    ShowItems(*m_list, items);
    SetListSelection(*m_list, static_cast<int>(m_model.SelectedRow().value_or(0)));
    const ElementFields& f = m_model.Fields();
    m_fields[0]->setText(QString::fromStdString(f.name));
    m_fields[1]->setText(QString::fromStdString(f.symbol));
    m_fields[2]->setText(QString::fromStdString(f.mass));
    m_fields[3]->setText(QString::fromStdString(f.number));
    m_syncing = false;
}

void ElementEditorDialog::StartNewElement(const std::string& symbol) {
    Pull();
    m_model.NewElement();
    m_model.Fields().symbol = symbol;
    Sync();
    m_fields[0]->setFocus();
}

void ElementEditorDialog::OpenOn(const std::string& symbol) {
    if (!m_model.Table().FindSymbol(symbol)) {
        StartNewElement(symbol);
        return;
    }
    Pull();
    m_model.Fields().symbol = symbol;
    m_model.SearchSymbol();
    Sync();
    m_fields[2]->setFocus();  // the mass is what a wrong record most likely has wrong
}

void RunElementEditor(ElementTable& table, UserPort& port, const std::string& symbol) {
    // An editor already open keeps what the user is typing in it.
    const bool opening = !g_editor || !g_editor->isVisible();
    QPointer<ElementEditorDialog> editor = OpenOrRaise<ElementEditorDialog>(
        g_editor, [&] { return new ElementEditorDialog(table, port); });
    if (opening && !symbol.empty()) editor->OpenOn(symbol);
    QEventLoop loop;
    QObject::connect(editor, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

AtomicMassListDialog::AtomicMassListDialog(ElementTable& table, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("M. atómicas"));
    SetWindowIconByName(*this, "IcQuim");
    setAttribute(Qt::WA_DeleteOnClose);
    m_list = new QListWidget(this);
    m_list->setObjectName(ControlName(101));
    m_list->setFont(ListFont());
    m_list->setMinimumSize(200, 360);
    LoadElements(table);
    for (const auto& row : SortedAtomicMassRows(table))
        m_list->addItem(QString::fromStdString(row));
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(ok);
    g_massList = this;
}

void ShowAtomicMassList(ElementTable& table) {
    OpenOrRaise<AtomicMassListDialog>(g_massList, [&] { return new AtomicMassListDialog(table); });
}

}  // namespace tovel
