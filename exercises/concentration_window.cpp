#include "exercises/concentration_window.h"

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

#include "core/elements_file.h"
#include "exercises/compound_generator.h"
#include "system/launch.h"

namespace tovel {

namespace {

using F = ConcentrationField;

int IdOf(ConcentrationField field) {
    using W = ConcentrationWindow;
    switch (field) {
        case F::Compound:
            return W::kCompound;
        case F::MolarMass:
            return W::kMolarMass;
        case F::Density:
            return W::kDensity;
        case F::Molarity:
            return W::kFirstConcentration;
        case F::Molality:
            return W::kFirstConcentration + 1;
        case F::GramsPerLitre:
            return W::kFirstConcentration + 2;
        case F::MassPercent:
            return W::kFirstConcentration + 3;
        case F::SoluteGrams:
            return W::kFirstPreparation;
        case F::SolutionMillilitres:
            return W::kFirstPreparation + 1;
        case F::SolventGrams:
            break;
    }
    return W::kFirstPreparation + 2;
}

// "MM (g/mol)": the label with its unit.
QString LabelOf(ConcentrationField field) {
    QString label = QString::fromUtf8(FieldLabel(field).data(), FieldLabel(field).size());
    const std::string_view unit = FieldUnit(field);
    if (!unit.empty()) label += " (" + QString::fromUtf8(unit.data(), unit.size()) + ")";
    return label;
}

// The fields that are line edits, in the order Pull and Sync visit them.
constexpr F kEditFields[] = {
    F::MolarMass,     F::Density,     F::Molarity,    F::Molality,
    F::GramsPerLitre, F::MassPercent, F::SoluteGrams, F::SolutionMillilitres,
    F::SolventGrams};

}  // namespace

ConcentrationWindow::ConcentrationWindow(ConcentrationModel& model, ElementTable& table,
                                         UserPort& port, QWidget* parent)
    : QDialog(parent), m_model(model), m_table(table), m_port(port) {
    setWindowTitle(QStringLiteral("Concentración de disoluciones"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral(
        "QDialog, QLabel, QGroupBox { background: rgb(168, 217, 229); }"
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

    m_compound = m_controls.Keep(kCompound, new QComboBox(this));
    m_compound->setEditable(true);
    m_compound->setInsertPolicy(QComboBox::NoInsert);
    m_compound->setMaxVisibleItems(20);
    for (const auto& formula : CompoundList(RandomValenceChoice()))
        m_compound->addItem(QString::fromStdString(formula));
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
    top->addRow(LabelOf(F::Compound), m_compound);
    top->addRow(LabelOf(F::MolarMass), Edit(F::MolarMass, this));
    top->addRow(LabelOf(F::Density), Edit(F::Density, this));

    auto* concentration = new QGroupBox(QStringLiteral("Concentración"), this);
    auto* concentrationForm = new QFormLayout(concentration);
    for (const ConcentrationKind kind : kConcentrationKinds) {
        QLineEdit* edit = Edit(FieldOf(kind), concentration);
        concentrationForm->addRow(LabelOf(FieldOf(kind)), edit);
        connect(edit, &QLineEdit::textEdited, this, [this, kind] {
            Pull();
            m_model.ConcentrationTyped(kind);
            Sync();
        });
    }
    concentrationForm->addRow(m_controls.Button(kCalc, QStringLiteral("Calc"), concentration));

    auto* preparation = new QGroupBox(QStringLiteral("Preparación"), this);
    auto* preparationForm = new QFormLayout(preparation);
    for (const F field : kPreparationFields) {
        QLineEdit* edit = Edit(field, preparation);
        preparationForm->addRow(LabelOf(field), edit);
        connect(edit, &QLineEdit::textEdited, this, [this, field] {
            Pull();
            m_model.PreparationTyped(field);
            Sync();
        });
    }
    preparationForm->addRow(m_controls.Button(kOk, QStringLiteral("ok"), preparation));

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

QLineEdit* ConcentrationWindow::Edit(ConcentrationField field, QWidget* parent) {
    auto* edit = m_controls.Keep(IdOf(field), new QLineEdit(parent));
    edit->setMaxLength(255);
    m_fieldEdits[field] = edit;
    return edit;
}

QAction* ConcentrationWindow::MenuAction(int id) const {
    return m_actions.value(id, nullptr);
}

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
        case kViewFile:
            OpenChosenDocument(m_port);
            break;
        case kElements:
            m_port.OpenElementEditor(m_table, {});
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
    f[F::Compound] = m_compound->currentText().toStdString();
    for (const F field : kEditFields)
        f[field] = m_fieldEdits[field]->text().toStdString();
}

void ConcentrationWindow::Sync() {
    const ConcentrationFields& f = m_model.Fields();
    for (const F field : kEditFields) {
        const QString value = QString::fromStdString(f[field]);
        if (m_fieldEdits[field]->text() != value) m_fieldEdits[field]->setText(value);
    }
    if (m_compound->currentText().toStdString() != f[F::Compound]) {
        m_compound->setCurrentIndex(-1);
        m_compound->setEditText(QString::fromStdString(f[F::Compound]));
    }
    const bool inputs = m_model.InputsEnabled();
    for (const ConcentrationKind kind : kConcentrationKinds) {
        m_fieldEdits[FieldOf(kind)]->setEnabled(inputs);
    }
    for (const F field : kPreparationFields)
        m_fieldEdits[field]->setEnabled(inputs);
    Control(kCalc)->setEnabled(inputs);
    Control(kOk)->setEnabled(inputs);
    m_actions[kSaveCase]->setEnabled(m_model.CaseStored());
}

}  // namespace tovel
