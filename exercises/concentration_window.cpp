#include "concentration_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "compound_generator.h"
#include "elements_file.h"
#include "launch.h"

namespace tovel {

ConcentrationWindow::ConcentrationWindow(ConcentrationModel& model, ElementTable& table, UserPort& port,
                                         QWidget* parent)
    : QDialog(parent), m_model(model), m_table(table), m_port(port) {
    setWindowTitle(QStringLiteral("Concentración de disoluciones"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("QDialog, QLabel, QGroupBox { background: rgb(168, 217, 229); }"
                                 "QLineEdit, QComboBox, QComboBox QAbstractItemView { background: rgb(248, 255, 219); }"));

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("Archivo"));
    auto add = [&](int id, const QString& text) {
        QAction* action = file->addAction(text);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        m_actions[id] = action;
    };
    add(kSaveCase, QStringLiteral("guardar caso"));
    add(kViewFile, QStringLiteral("Ver fichero"));
    file->addSeparator();
    add(kElements, QStringLiteral("Elementos químicos"));
    file->addSeparator();
    add(kExit, QStringLiteral("Salir"));

    m_compound = new QComboBox(this);
    m_compound->setObjectName("id60");
    m_compound->setEditable(true);
    m_compound->setInsertPolicy(QComboBox::NoInsert);
    m_compound->setMaxVisibleItems(20);
    for (const auto& formula : CompoundList(RandomValenceChoice())) m_compound->addItem(QString::fromStdString(formula));
    m_compound->setCurrentIndex(-1);
    connect(m_compound, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        Pull();
        m_model.ChooseCompound(m_compound->currentText().toStdString());
        Sync();
    });
    connect(m_compound->lineEdit(), &QLineEdit::textEdited, this, [this] {
        Pull();
        m_model.CompoundTyped();
        Sync();
    });

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Compuesto"), m_compound);
    top->addRow(QStringLiteral("MM (g/mol)"), Edit(kMolarMass, this));
    top->addRow(QStringLiteral("Densidad disolución (g/ml)"), Edit(kDensity, this));

    auto button = [&](int id, const QString& text, QWidget* parent) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QStringLiteral("id%1").arg(id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, id] { Dispatch(id); });
        m_buttons[id] = b;
        return b;
    };
    auto* concentration = new QGroupBox(QStringLiteral("Concentración"), this);
    auto* concentrationForm = new QFormLayout(concentration);
    const char* concentrationLabels[] = {"Molaridad", "molalidad", "g/l", "% en masa"};
    for (int k = 0; k < 4; ++k) {
        QLineEdit* edit = Edit(kFirstConcentration + k, concentration);
        concentrationForm->addRow(QString::fromUtf8(concentrationLabels[k]), edit);
        connect(edit, &QLineEdit::textEdited, this, [this, k] {
            Pull();
            m_model.ConcentrationTyped(k);
            Sync();
        });
    }
    concentrationForm->addRow(button(kCalc, QStringLiteral("Calc"), concentration));

    auto* preparation = new QGroupBox(QStringLiteral("Preparación"), this);
    auto* preparationForm = new QFormLayout(preparation);
    const char* preparationLabels[] = {"g soluto", "ml disolución", "g disolvente"};
    for (int k = 0; k < 3; ++k) {
        QLineEdit* edit = Edit(kFirstPreparation + k, preparation);
        preparationForm->addRow(QString::fromUtf8(preparationLabels[k]), edit);
        connect(edit, &QLineEdit::textEdited, this, [this, k] {
            Pull();
            m_model.PreparationTyped(k);
            Sync();
        });
    }
    preparationForm->addRow(button(kOk, QStringLiteral("ok"), preparation));

    auto* groups = new QHBoxLayout;
    groups->addWidget(concentration);
    groups->addWidget(preparation);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addLayout(groups);

    m_model.Open(static_cast<bool>(LoadElements(m_table)));
    Sync();
    m_compound->setFocus();
}

QLineEdit* ConcentrationWindow::Edit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    edit->setMaxLength(255);
    m_edits[id] = edit;
    return edit;
}

QWidget* ConcentrationWindow::Control(int id) const {
    if (id == kCompound) return m_compound;
    if (m_edits.contains(id)) return m_edits[id];
    return m_buttons.value(id, nullptr);
}

QAction* ConcentrationWindow::MenuAction(int id) const { return m_actions.value(id, nullptr); }

void ConcentrationWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter confirms the compound typed in the combo box.
        Pull();
        m_model.ChooseCompound(m_compound->currentText().toStdString());
        Sync();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConcentrationWindow::Dispatch(int id) {
    Pull();
    switch (id) {
        case kCalc:
            m_model.Calculate();
            break;
        case kOk:
            m_model.Prepare();
            break;
        case kSaveCase:
            m_model.SaveCase();
            break;
        case kViewFile: {
            std::string path;
            if (m_port.ChooseFile(FileChooserMode::Open, path)) Launch(path, m_port);
            break;
        }
        case kElements:
            m_port.OpenElementEditor(m_table);
            break;
        case kExit:
            close();
            return;
        default:
            break;
    }
    Sync();
}

void ConcentrationWindow::Pull() {
    ConcentrationFields& f = m_model.Fields();
    f.compound = m_compound->currentText().toStdString();
    f.molarMass = m_edits[kMolarMass]->text().toStdString();
    f.density = m_edits[kDensity]->text().toStdString();
    for (int k = 0; k < 4; ++k) f.concentrations[k] = m_edits[kFirstConcentration + k]->text().toStdString();
    for (int k = 0; k < 3; ++k) f.preparation[k] = m_edits[kFirstPreparation + k]->text().toStdString();
}

void ConcentrationWindow::Sync() {
    const ConcentrationFields& f = m_model.Fields();
    auto set = [this](int id, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (m_edits[id]->text() != value) m_edits[id]->setText(value);
    };
    set(kMolarMass, f.molarMass);
    set(kDensity, f.density);
    for (int k = 0; k < 4; ++k) set(kFirstConcentration + k, f.concentrations[k]);
    for (int k = 0; k < 3; ++k) set(kFirstPreparation + k, f.preparation[k]);
    if (m_compound->currentText().toStdString() != f.compound) {
        m_compound->setCurrentIndex(-1);
        m_compound->setEditText(QString::fromStdString(f.compound));
    }
    const bool inputs = m_model.InputsEnabled();
    for (int k = 0; k < 4; ++k) m_edits[kFirstConcentration + k]->setEnabled(inputs);
    for (int k = 0; k < 3; ++k) m_edits[kFirstPreparation + k]->setEnabled(inputs);
    m_buttons[kCalc]->setEnabled(inputs);
    m_buttons[kOk]->setEnabled(inputs);
    m_actions[kSaveCase]->setEnabled(m_model.CaseStored());
}

}  // namespace tovel
