#include "app/sheet_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "exercises/sheet_moodle.h"
#include "pdf/sheet_pdf.h"

namespace tovel {

namespace {

// The number of problems as typed: 99 stays 99, for the sheet to refuse it with the range, where
// a spin box limited to 50 would keep only the first 9. The arrows stay within the range.
class CountBox : public QSpinBox {
  public:
    explicit CountBox(QWidget* parent) : QSpinBox(parent) { setRange(0, 999); }

    void stepBy(int steps) override {
        setValue(std::clamp(value() + steps, 1, kSheetCountLimit));
        selectAll();
    }

  protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() > 1) enabled |= StepDownEnabled;
        if (value() < kSheetCountLimit) enabled |= StepUpEnabled;
        return enabled;
    }
};

// The labels of the data kinds and of the cases, in their enums' order.
const char* const kDatumLabels[kSheetDatumCount] = {"&gramos",         "gramos con pure&za",
                                                    "&moles",          "&litros en c.n.",
                                                    "litros a P &y T", "&volumen de disolución"};
const char* const kCaseLabels[kSheetCaseCount] = {"un &reactivo", "dos reactivos, uno en e&xceso",
                                                  "un pr&oducto"};
constexpr int kPreviewProblems = 3;

}  // namespace

SheetWindow::SheetWindow(SheetModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setWindowTitle(QStringLiteral("Hoja de problemas"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(
        QStringLiteral("QDialog, QLabel, QGroupBox, QCheckBox { background: rgb(209, 224, 255); }"
                       "QPlainTextEdit, QLineEdit, QSpinBox { background: rgb(255, 255, 250); }"));
    m_model.Open();

    auto changed = [this] {
        if (m_syncing) return;
        Pull();
        UpdatePreview();
    };

    m_count = m_controls.Keep(kCount, new CountBox(this));
    connect(m_count, &QSpinBox::valueChanged, this, changed);
    m_seed = m_controls.Keep(kSeed, new QLineEdit(this));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), m_seed));
    connect(m_seed, &QLineEdit::textEdited, this, changed);
    auto* top = new QHBoxLayout;
    auto* countLabel = new QLabel(QStringLiteral("&Problemas:"), this);
    countLabel->setBuddy(m_count);
    auto* seedLabel = new QLabel(QStringLiteral("S&emilla:"), this);
    seedLabel->setBuddy(m_seed);
    top->addWidget(countLabel);
    top->addWidget(m_count);
    top->addSpacing(16);
    top->addWidget(seedLabel);
    top->addWidget(m_seed);
    top->addWidget(m_controls.Button(kNewSeed, QStringLiteral("&Nueva semilla"), this));
    top->addStretch();

    // How the sheet is printed.
    m_title = m_controls.Keep(kTitle, new QLineEdit(this));
    connect(m_title, &QLineEdit::textEdited, this, [this, changed](const QString& text) {
        // Emptied, the title follows the choices again.
        m_titleTyped = !text.trimmed().isEmpty();
        changed();
    });
    // Left empty, the title is the choices' own again once the field is left.
    connect(m_title, &QLineEdit::editingFinished, this, [this] {
        if (!m_titleTyped) UpdatePreview();
    });
    // A title typed before, when the window is opened again.
    m_titleTyped = !m_model.title.empty();
    m_title->setText(QString::fromStdString(m_model.title));
    auto* titleLabel = new QLabel(QStringLiteral("Tít&ulo:"), this);
    titleLabel->setBuddy(m_title);
    auto* space = m_controls.Keep(kSpace, new QComboBox(this));
    space->addItems(
        {QStringLiteral("ninguno"), QStringLiteral("unas líneas"), QStringLiteral("media página")});
    connect(space, &QComboBox::currentIndexChanged, this, changed);
    auto* spaceLabel = new QLabel(QStringLiteral("&Hueco para responder:"), this);
    spaceLabel->setBuddy(space);
    auto* point = m_controls.Keep(
        kPointNotation,
        new QCheckBox(QStringLiteral("De&jar los números con punto y E (4.01E-2)"), this));
    connect(point, &QCheckBox::toggled, this, changed);
    auto* print = new QGridLayout;
    print->addWidget(titleLabel, 0, 0);
    print->addWidget(m_title, 0, 1, 1, 3);
    print->addWidget(spaceLabel, 1, 0);
    print->addWidget(space, 1, 1);
    print->addWidget(point, 1, 2);
    print->setColumnStretch(3, 1);

    auto* typesGroup = new QGroupBox(QStringLiteral("Tipos de reacción"), this);
    auto* typesGrid = new QGridLayout(typesGroup);
    const auto& names = m_model.TypeNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* box = m_controls.Keep(kFirstType + static_cast<int>(i),
                                    new QCheckBox(QString::fromStdString(names[i]), typesGroup));
        connect(box, &QCheckBox::toggled, this, changed);
        typesGrid->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
        m_typeBoxes.push_back(box);
    }
    typesGrid->addWidget(m_controls.Button(kAllTypes, QStringLiteral("Todos los t&ipos"), this),
                         static_cast<int>((names.size() + 1) / 2), 0);

    auto* dataGroup = new QGroupBox(QStringLiteral("Datos"), this);
    auto* dataLayout = new QVBoxLayout(dataGroup);
    for (int k = 0; k < kSheetDatumCount; ++k) {
        auto* box = m_controls.Keep(kFirstDatum + k,
                                    new QCheckBox(QString::fromUtf8(kDatumLabels[k]), dataGroup));
        connect(box, &QCheckBox::toggled, this, changed);
        dataLayout->addWidget(box);
    }
    auto* casesGroup = new QGroupBox(QStringLiteral("Se da"), this);
    auto* casesLayout = new QVBoxLayout(casesGroup);
    for (int k = 0; k < kSheetCaseCount; ++k) {
        auto* box = m_controls.Keep(kFirstCase + k,
                                    new QCheckBox(QString::fromUtf8(kCaseLabels[k]), casesGroup));
        connect(box, &QCheckBox::toggled, this, changed);
        casesLayout->addWidget(box);
    }
    // Not one of the cases: a yield goes with a reactant or a product given.
    auto* yields = m_controls.Keep(
        kYields, new QCheckBox(QStringLiteral("algunos con rendimiento"), casesGroup));
    connect(yields, &QCheckBox::toggled, this, changed);
    casesLayout->addWidget(yields);
    auto* empirical = m_controls.Keep(
        kEmpirical, new QCheckBox(QStringLiteral("1 de cada 4, de fórmula empírica"), casesGroup));
    connect(empirical, &QCheckBox::toggled, this, changed);
    casesLayout->addWidget(empirical);
    auto* ionElectron = m_controls.Keep(kIonElectron, new QComboBox(casesGroup));
    ionElectron->addItems({QStringLiteral("ninguno de ajuste ion-electrón"),
                           QStringLiteral("1 de cada 4, de ajuste ion-electrón"),
                           QStringLiteral("todos de ajuste ion-electrón")});
    ionElectron->setToolTip(
        QStringLiteral("Ecuaciones redox de los tipos elegidos, para ajustar por el método del "
                       "ion-electrón"));
    ionElectron->setAccessibleName(QStringLiteral("Ejercicios de ajuste ion-electrón"));
    connect(ionElectron, &QComboBox::currentIndexChanged, this, changed);
    casesLayout->addWidget(ionElectron);
    casesLayout->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addWidget(typesGroup, 2);
    groups->addWidget(dataGroup, 1);
    groups->addWidget(casesGroup, 1);
    m_problemGroups = {typesGroup, dataGroup, casesGroup};

    // A sheet of nomenclature exercises instead of problems.
    auto* namesOn = m_controls.Keep(
        kNames, new QCheckBox(QStringLiteral("Hoja de &formulación en lugar de problemas"), this));
    connect(namesOn, &QCheckBox::toggled, this, [this, changed] {
        changed();
        Sync();
    });
    m_namesGroup = new QGroupBox(QStringLiteral("Formulación"), this);
    auto* namesGrid = new QGridLayout(m_namesGroup);
    auto* toName = m_controls.Keep(
        kFormulaToName, new QCheckBox(QStringLiteral("Nom&brar fórmulas"), m_namesGroup));
    auto* toFormula = m_controls.Keep(
        kNameToFormula, new QCheckBox(QStringLiteral("Formular nombre&s"), m_namesGroup));
    namesGrid->addWidget(toName, 0, 0);
    namesGrid->addWidget(toFormula, 0, 1);
    for (QCheckBox* box : {toName, toFormula})
        connect(box, &QCheckBox::toggled, this, changed);
    const auto& classes = PracticeClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        auto* box =
            m_controls.Keep(kFirstNameClass + static_cast<int>(i),
                            new QCheckBox(QString::fromUtf8(classes[i].label), m_namesGroup));
        connect(box, &QCheckBox::toggled, this, changed);
        namesGrid->addWidget(box, 1 + static_cast<int>(i / 5), static_cast<int>(i % 5));
    }

    m_preview = m_controls.Keep(kPreview, new QPlainTextEdit(this));
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
    m_preview->setFont(mono);
    auto* previewLabel = new QLabel(QStringLiteral("Vista previa de los primeros problemas"), this);
    previewLabel->setBuddy(m_preview);

    m_progress = m_controls.Keep(kProgress, new QProgressBar(this));
    m_status = new QLabel(this);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_status, 2);

    auto* buttons = new QHBoxLayout;
    auto* variants = m_controls.Keep(kVariants, new QSpinBox(this));
    variants->setRange(1, kMoodleVariantLimit);
    variants->setToolTip(
        QStringLiteral("Versiones de cada problema, de semillas seguidas: cada alumno recibe "
                       "datos distintos"));
    connect(variants, &QSpinBox::valueChanged, this, changed);
    auto* variantsLabel = new QLabel(QStringLiteral("Versiones para Moodle:"), this);
    variantsLabel->setBuddy(variants);
    buttons->addWidget(variantsLabel);
    buttons->addWidget(variants);
    buttons->addStretch();
    buttons->addWidget(m_controls.Button(kSavePdf, QStringLiteral("Guardar P&DF"), this));
    buttons->addWidget(m_controls.Button(kSaveText, QStringLiteral("Guardar &texto"), this));
    buttons->addWidget(
        m_controls.Button(kSaveMoodle, QStringLiteral("Guardar p&ara Moodle"), this));
    buttons->addWidget(m_controls.Button(kExit, QStringLiteral("&Cerrar"), this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(print);
    layout->addLayout(groups);
    layout->addWidget(namesOn);
    layout->addWidget(m_namesGroup);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);
    resize(820, 720);

    Sync();
    UpdatePreview();
    m_count->setFocus();
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::Pull() {
    m_model.count = m_count->value();
    m_model.seedText = m_seed->text().toStdString();
    for (std::size_t i = 0; i < m_typeBoxes.size() && i < m_model.types.size(); ++i)
        m_model.types[i] = m_typeBoxes[i]->isChecked();
    for (int k = 0; k < kSheetDatumCount; ++k) {
        m_model.data[static_cast<std::size_t>(k)] =
            qobject_cast<QCheckBox*>(Control(kFirstDatum + k))->isChecked();
    }
    for (int k = 0; k < kSheetCaseCount; ++k) {
        m_model.cases[static_cast<std::size_t>(k)] =
            qobject_cast<QCheckBox*>(Control(kFirstCase + k))->isChecked();
    }
    const auto checked = [this](int id) {
        return qobject_cast<QCheckBox*>(Control(id))->isChecked();
    };
    m_model.yields = checked(kYields);
    m_model.empirical = checked(kEmpirical);
    m_model.ionElectron = static_cast<SheetChoices::Share>(
        qobject_cast<QComboBox*>(Control(kIonElectron))->currentIndex());
    m_model.title = m_titleTyped ? m_title->text().trimmed().toStdString() : std::string();
    m_model.space =
        static_cast<AnswerSpace>(qobject_cast<QComboBox*>(Control(kSpace))->currentIndex());
    m_model.pointNotation = checked(kPointNotation);
    m_model.variants = qobject_cast<QSpinBox*>(Control(kVariants))->value();
    m_model.names = checked(kNames);
    m_model.formulaToName = checked(kFormulaToName);
    m_model.nameToFormula = checked(kNameToFormula);
    for (std::size_t i = 0; i < m_model.nameClasses.size(); ++i)
        m_model.nameClasses[i] = checked(kFirstNameClass + static_cast<int>(i));
}

void SheetWindow::Sync() {
    m_syncing = true;
    m_count->setValue(m_model.count);
    if (m_seed->text().toStdString() != m_model.seedText)
        m_seed->setText(QString::fromStdString(m_model.seedText));
    for (std::size_t i = 0; i < m_typeBoxes.size() && i < m_model.types.size(); ++i)
        m_typeBoxes[i]->setChecked(m_model.types[i]);
    for (int k = 0; k < kSheetDatumCount; ++k) {
        qobject_cast<QCheckBox*>(Control(kFirstDatum + k))
            ->setChecked(m_model.data[static_cast<std::size_t>(k)]);
    }
    for (int k = 0; k < kSheetCaseCount; ++k) {
        qobject_cast<QCheckBox*>(Control(kFirstCase + k))
            ->setChecked(m_model.cases[static_cast<std::size_t>(k)]);
    }
    const auto check = [this](int id, bool on) {
        qobject_cast<QCheckBox*>(Control(id))->setChecked(on);
    };
    check(kYields, m_model.yields);
    check(kEmpirical, m_model.empirical);
    qobject_cast<QComboBox*>(Control(kIonElectron))
        ->setCurrentIndex(static_cast<int>(m_model.ionElectron));
    qobject_cast<QComboBox*>(Control(kSpace))->setCurrentIndex(static_cast<int>(m_model.space));
    check(kPointNotation, m_model.pointNotation);
    qobject_cast<QSpinBox*>(Control(kVariants))->setValue(m_model.variants);
    check(kNames, m_model.names);
    check(kFormulaToName, m_model.formulaToName);
    check(kNameToFormula, m_model.nameToFormula);
    for (std::size_t i = 0; i < m_model.nameClasses.size(); ++i)
        check(kFirstNameClass + static_cast<int>(i), m_model.nameClasses[i]);
    // While a sheet is made its choices stay as they are.
    const bool busy = Busy();
    const QMap<int, QWidget*>& controls = m_controls.Controls();
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        if (it.key() != kExit && it.key() != kPreview && it.key() != kProgress)
            it.value()->setEnabled(!busy);
    }
    // One kind of sheet at a time: the other's choices are set aside.
    for (QWidget* group : m_problemGroups)
        group->setEnabled(!busy && !m_model.names);
    m_namesGroup->setEnabled(!busy && m_model.names);
    m_progress->setVisible(busy);
    m_syncing = false;
}

void SheetWindow::UpdatePreview() {
    // A title the user has not typed is the one the choices give; not while the field is being
    // edited, where it would come back under the cursor.
    if (!m_titleTyped && !m_title->hasFocus())
        m_title->setText(QString::fromStdString(m_model.DefaultTitle()));
    m_preview->setPlainText(QString::fromStdString(m_model.Preview(kPreviewProblems)));
}

void SheetWindow::Dispatch(int id) {
    if (Busy() && id != kExit) return;
    switch (id) {
        case kNewSeed:
            m_model.NewSeed();
            Sync();
            UpdatePreview();
            break;
        case kAllTypes:
            Pull();
            m_model.types.assign(m_model.types.size(), true);
            Sync();
            UpdatePreview();
            break;
        case kSavePdf:
            Save(SheetOutput::Pdf);
            break;
        case kSaveText:
            Save(SheetOutput::Text);
            break;
        case kSaveMoodle:
            Save(SheetOutput::Moodle);
            break;
        case kExit:
            close();
            break;
        default:
            break;
    }
}

void SheetWindow::Save(SheetOutput output) {
    Pull();
    // What was said of the last sheet does not stand for this one.
    m_status->clear();
    if (!m_model.Start(output)) return;
    // Drawing, then (for a PDF) painting, both counted.
    m_progress->setRange(0, m_model.Total() * (output == SheetOutput::Pdf ? 2 : 1));
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("Preparando la hoja..."));
    Sync();
    QTimer::singleShot(0, this, &SheetWindow::Work);
}

// One step between events: a problem drawn, or a block of the PDF painted.
void SheetWindow::Work() {
    if (m_job) {
        const bool more = m_job->Step();
        m_progress->setValue(m_model.Total() +
                             m_job->Done() * m_model.Total() / std::max(1, m_job->Total()));
        if (more) {
            QTimer::singleShot(0, this, &SheetWindow::Work);
            return;
        }
        const QByteArray& bytes = m_job->Bytes();
        const std::string document(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        m_job.reset();
        End(m_model.FinishBytes(document));
        return;
    }
    if (!m_model.Running()) return;
    const bool more = m_model.Step();
    m_progress->setValue(m_model.Done());
    m_status->setText(QStringLiteral("Problema %1 de %2").arg(m_model.Done()).arg(m_model.Total()));
    if (more) {
        QTimer::singleShot(0, this, &SheetWindow::Work);
        return;
    }
    if (m_model.Text().statements.empty()) {
        End(m_model.FinishBytes({}));
        return;
    }
    if (m_model.Output() == SheetOutput::Text) {
        End(m_model.FinishText());
        return;
    }
    if (m_model.Output() == SheetOutput::Moodle) {
        // The versions are drawn at once, in a fraction of a second: the words show meanwhile.
        if (m_model.variants > 1) {
            m_status->setText(QStringLiteral("Preparando las versiones..."));
            m_status->repaint();
        }
        End(m_model.FinishMoodle());
        return;
    }
    m_job = std::make_unique<SheetPdfJob>(m_model.Printed());
    m_status->setText(QStringLiteral("Componiendo las páginas..."));
    QTimer::singleShot(0, this, &SheetWindow::Work);
}

void SheetWindow::End(bool written) {
    m_status->setText(written
                          ? QStringLiteral("Guardada en %1")
                                .arg(QFileInfo(QString::fromStdString(m_model.Path())).fileName())
                          : QStringLiteral("No se ha guardado la hoja."));
    Sync();
    emit finished(written);
}

void SheetWindow::closeEvent(QCloseEvent* event) {
    // A sheet half made is dropped: nothing has been written yet.
    m_job.reset();
    m_model.Cancel();
    event->accept();
}

}  // namespace tovel
