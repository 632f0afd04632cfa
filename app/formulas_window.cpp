#include "app/formulas_window.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/report_actions.h"

namespace tovel {

namespace {

const char* const kTabTitles[] = {"&Composición", "Fórmula &empírica", "&Hidratos"};
// No letter twice among what one tab shows with the buttons under the tabs.
const char* const kSourceTexts[] = {"&Porcentajes", "Gramo&s", "Com&bustión"};

QString Text(const QLineEdit* edit) {
    return edit->text();
}

}  // namespace

QString WorkingHtml(const std::vector<std::string>& lines) {
    QString html;
    bool inTable = false;
    for (const std::string& line : lines) {
        // "Cu<TAB>25.45 %": a row of the table of percents, the figures in a column.
        const auto tab = line.find('\t');
        if (tab != std::string::npos) {
            if (!inTable) html += "<table cellspacing=0 cellpadding=2>";
            inTable = true;
            html += "<tr><td width=60>" + FormulaHtml(line.substr(0, tab)) +
                    "</td><td align=right>" + FormulaHtml(line.substr(tab + 1)) + "</td></tr>";
            continue;
        }
        if (inTable) html += "</table>";
        inTable = false;
        if (line.empty()) {
            html += "<br>";
            continue;
        }
        QString shown = FormulaHtml(line);
        // Indented lines keep their indent; the answers stand out.
        if (line.rfind("  ", 0) == 0) shown = "&nbsp;&nbsp;&nbsp;&nbsp;" + shown.trimmed();
        if (line.rfind("Fórmula ", 0) == 0) shown = "<b>" + shown + "</b>";
        html += shown + "<br>";
    }
    if (inTable) html += "</table>";
    return html;
}

FormulasWindow::FormulasWindow(const ElementTable& table, UserPort& port, QWidget* parent)
    : QDialog(parent), m_port(port), m_model(table, port) {
    setWindowTitle(QStringLiteral("Fórmulas"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_tabs = m_controls.Keep(kTabs, new QTabWidget(this));
    const std::array<QWidget*, 3> pages = {BuildComposition(), BuildEmpirical(), BuildHydrate()};
    for (std::size_t tab = 0; tab < pages.size(); ++tab) {
        auto* page = new QWidget(m_tabs);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(pages[tab]);
        QPushButton* calculate = m_controls.Button(kFirstCalculate + static_cast<int>(tab),
                                                   QStringLiteral("C&alcular"), page);
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(calculate);
        layout->addLayout(row);
        m_views[tab] = m_controls.Keep(kFirstView + static_cast<int>(tab), new QTextBrowser(page));
        m_views[tab]->setMinimumHeight(220);
        layout->addWidget(m_views[tab], 1);
        m_tabs->addTab(page, QString::fromUtf8(kTabTitles[tab]));
    }

    QPushButton* save = m_controls.Button(kSave, QStringLiteral("&Guardar"), this);
    QPushButton* copy = m_controls.Button(kCopy, QStringLiteral("Cop&iar"), this);
    QPushButton* close = m_controls.Button(kExit, QStringLiteral("Ce&rrar"), this);
    // Enter belongs to the line it is typed in: no button takes it.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    ShowSource();
    // Each tab opens with its first field ready to type in.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        const bool combustion = qobject_cast<QRadioButton*>(Control(kFirstSource + 2))->isChecked();
        const int first[] = {kFormula, combustion ? kCarbonDioxide : kFirstSymbol, kSalt};
        Control(first[tab])->setFocus();
    });
    Control(kFormula)->setFocus();
    resize(620, 560);
}

QLineEdit* FormulasWindow::Field(int id, FormulasTab tab, QWidget* parent) {
    auto* edit = m_controls.Keep(id, new QLineEdit(parent));
    edit->setMaxLength(64);
    connect(edit, &QLineEdit::returnPressed, this, [this, tab] { Calculate(tab); });
    return edit;
}

QLineEdit* FormulasWindow::LabelledField(QFormLayout& form, int id, const char* caption,
                                         FormulasTab tab, QWidget* parent) {
    QLineEdit* edit = Field(id, tab, parent);
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(edit);
    form.addRow(label, edit);
    return edit;
}

QWidget* FormulasWindow::BuildComposition() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    LabelledField(*form, kFormula, "&Fórmula:", FormulasTab::Composition, box)
        ->setPlaceholderText(QStringLiteral("CuSO4·5H2O, Ca3(PO4)2..."));
    return box;
}

QWidget* FormulasWindow::BuildEmpirical() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    auto* sources = new QHBoxLayout;
    auto* group = new QButtonGroup(box);
    for (int k = 0; k < 3; ++k) {
        auto* radio = m_controls.Keep(kFirstSource + k,
                                      new QRadioButton(QString::fromUtf8(kSourceTexts[k]), box));
        group->addButton(radio);
        sources->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) ShowSource();
        });
    }
    qobject_cast<QRadioButton*>(Control(kFirstSource))->setChecked(true);
    sources->addStretch();
    layout->addLayout(sources);

    auto* grid = new QGridLayout;
    for (int column : {0, 2}) {
        grid->addWidget(new QLabel(QStringLiteral("Elemento"), box), 0, column);
        grid->addWidget(new QLabel(QStringLiteral("Cantidad"), box), 0, column + 1);
    }
    for (int row = 0; row < static_cast<int>(kEmpiricalRows); ++row) {
        QLineEdit* symbol = Field(kFirstSymbol + row, FormulasTab::Empirical, box);
        symbol->setMaxLength(2);
        symbol->setMaximumWidth(60);
        symbol->setAccessibleName(QStringLiteral("Elemento %1").arg(row + 1));
        QLineEdit* value = Field(kFirstValue + row, FormulasTab::Empirical, box);
        value->setAccessibleName(QStringLiteral("Cantidad %1").arg(row + 1));
        grid->addWidget(symbol, row / 2 + 1, (row % 2) * 2);
        grid->addWidget(value, row / 2 + 1, (row % 2) * 2 + 1);
    }
    layout->addLayout(grid);

    auto* combustion = new QFormLayout;
    const std::pair<int, const char*> fields[] = {{kCarbonDioxide, "g de CO&2 formados:"},
                                                  {kWater, "g de H2&O formados:"},
                                                  {kSample, "g de &muestra quemada:"},
                                                  {kMolarMass, "Masa mo&lar (g/mol, si se da):"}};
    for (const auto& [id, caption] : fields)
        LabelledField(*combustion, id, caption, FormulasTab::Empirical, box);
    layout->addLayout(combustion);
    return box;
}

QWidget* FormulasWindow::BuildHydrate() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    LabelledField(*form, kSalt, "&Sal anhidra:", FormulasTab::Hydrate, box)
        ->setPlaceholderText(QStringLiteral("CuSO4"));
    auto* choice = new QHBoxLayout;
    auto* group = new QButtonGroup(box);
    auto* loss = m_controls.Keep(
        kLossChoice, new QRadioButton(QStringLiteral("% de masa &perdida al calentar"), box));
    auto* masses = m_controls.Keep(kMassesChoice,
                                   new QRadioButton(QStringLiteral("masas an&tes y después"), box));
    group->addButton(loss);
    group->addButton(masses);
    loss->setChecked(true);
    connect(loss, &QRadioButton::toggled, this, [this] { ShowSource(); });
    choice->addWidget(loss);
    choice->addWidget(masses);
    form->addRow(choice);
    const std::pair<int, const char*> fields[] = {{kLoss, "Pérdida de masa (%):"},
                                                  {kBefore, "g antes de calentar:"},
                                                  {kAfter, "g después de calentar:"}};
    for (const auto& [id, caption] : fields)
        LabelledField(*form, id, caption, FormulasTab::Hydrate, box);
    return box;
}

// Only the fields the chosen data use can be typed in.
void FormulasWindow::ShowSource() {
    if (m_tabs == nullptr || Control(kLoss) == nullptr) return;
    const bool combustion = qobject_cast<QRadioButton*>(Control(kFirstSource + 2))->isChecked();
    for (std::size_t row = 0; row < kEmpiricalRows; ++row) {
        Control(kFirstSymbol + static_cast<int>(row))->setEnabled(!combustion);
        Control(kFirstValue + static_cast<int>(row))->setEnabled(!combustion);
    }
    for (int id : {kCarbonDioxide, kWater, kSample})
        Control(id)->setEnabled(combustion);
    const bool masses = qobject_cast<QRadioButton*>(Control(kMassesChoice))->isChecked();
    Control(kLoss)->setEnabled(!masses);
    Control(kBefore)->setEnabled(masses);
    Control(kAfter)->setEnabled(masses);
}

FormulasTab FormulasWindow::CurrentTab() const {
    return static_cast<FormulasTab>(m_tabs->currentIndex());
}

void FormulasWindow::Pull() {
    const auto line = [this](int id) {
        return Text(qobject_cast<QLineEdit*>(Control(id))).toStdString();
    };
    m_model.formula = line(kFormula);
    EmpiricalTexts& e = m_model.empirical;
    for (int k = 0; k < 3; ++k) {
        if (qobject_cast<QRadioButton*>(Control(kFirstSource + k))->isChecked())
            e.source = static_cast<EmpiricalSource>(k);
    }
    for (std::size_t row = 0; row < kEmpiricalRows; ++row) {
        e.symbols[row] = line(kFirstSymbol + static_cast<int>(row));
        e.values[row] = line(kFirstValue + static_cast<int>(row));
    }
    e.carbonDioxide = line(kCarbonDioxide);
    e.water = line(kWater);
    e.sample = line(kSample);
    e.molarMass = line(kMolarMass);
    HydrateTexts& h = m_model.hydrate;
    h.salt = line(kSalt);
    h.masses = qobject_cast<QRadioButton*>(Control(kMassesChoice))->isChecked();
    h.loss = line(kLoss);
    h.before = line(kBefore);
    h.after = line(kAfter);
}

void FormulasWindow::Calculate(FormulasTab tab) {
    Pull();
    // The last answer goes before a message about the new data can stand in front of it.
    m_views[static_cast<std::size_t>(tab)]->clear();
    m_model.Calculate(tab);
    m_views[static_cast<std::size_t>(tab)]->setHtml(WorkingHtml(m_model.Lines(tab)));
}

void FormulasWindow::Dispatch(int id) {
    if (id >= kFirstCalculate && id < kFirstCalculate + 3) {
        Calculate(static_cast<FormulasTab>(id - kFirstCalculate));
        return;
    }
    const std::vector<std::string>& lines = m_model.Lines(CurrentTab());
    switch (id) {
        case kSave:
            if (!lines.empty()) SaveReport(m_port, windowTitle().toStdString(), lines);
            return;
        case kCopy:
            if (!lines.empty()) CopyReport(lines);
            return;
        case kExit:
            close();
            return;
        default:
            return;
    }
}

}  // namespace tovel
