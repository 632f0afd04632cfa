#include "app/ion_electron_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/report_actions.h"

namespace tovel {

namespace {

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
        lines.push_back(text.substr(from, end - from));
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

MediumChoice ChoiceAt(int index) {
    return index == 0   ? MediumChoice::Acid
           : index == 1 ? MediumChoice::Basic
                        : MediumChoice::FromEquation;
}

}  // namespace

QString IonElectronHtml(const IonElectronSolution& solution) {
    if (!solution.solved) return "<p>" + FormulaHtml(solution.error) + "</p>";
    QString html;
    for (const MethodStep& step : solution.steps) {
        html += "<p style=\"margin-top:6px; margin-bottom:0px\">" + FormulaHtml(step.what) + "</p>";
        for (const std::string& equation : step.equations)
            html += "<p style=\"margin:0px 0px 0px 24px\">" + FormulaHtml(equation) + "</p>";
    }
    html += "<p style=\"margin-top:12px\">";
    bool first = true;
    for (const std::string& line : IonElectronSummary(solution)) {
        const auto colon = line.find(": ");
        html += (first ? "" : "<br>") + QString("<b>") +
                QString::fromStdString(line.substr(0, colon + 1)).toHtmlEscaped() + "</b> " +
                FormulaHtml(line.substr(colon + 2));
        first = false;
    }
    return html + "</p>";
}

IonElectronWindow::IonElectronWindow(UserPort& port, QWidget* parent)
    : QDialog(parent), m_port(port) {
    setWindowTitle(QStringLiteral("Ajuste redox (ion-electrón)"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_equation = m_controls.Keep(kEquation, new QLineEdit(this));
    m_equation->setMaxLength(255);
    m_equation->setPlaceholderText(QStringLiteral("MnO4^- + Fe^2+ = Mn^2+ + Fe^3+"));
    auto* equationLabel = new QLabel(QStringLiteral("&Ecuación:"), this);
    equationLabel->setBuddy(m_equation);
    m_medium = m_controls.Keep(kMedium, new QComboBox(this));
    for (const char* text : kMediumTexts)
        m_medium->addItem(QString::fromUtf8(text));
    m_medium->setCurrentIndex(2);
    // A medium chosen is applied at once, as a student compares the two.
    connect(m_medium, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_equation->text().trimmed().isEmpty()) Balance();
    });
    auto* mediumLabel = new QLabel(QStringLiteral("&Medio:"), this);
    mediumLabel->setBuddy(m_medium);
    QPushButton* balance = m_controls.Button(kBalance, QStringLiteral("&Ajustar"), this);
    balance->setDefault(true);
    balance->setAutoDefault(true);

    m_view = m_controls.Keep(kView, new QTextBrowser(this));
    m_view->setOpenLinks(false);
    QFont font = m_view->font();
    font.setPixelSize(14);
    m_view->setFont(font);

    QPushButton* save = m_controls.Button(kSave, QStringLiteral("&Guardar"), this);
    QPushButton* copy = m_controls.Button(kCopy, QStringLiteral("&Copiar"), this);
    QPushButton* close = m_controls.Button(kExit, QStringLiteral("Ce&rrar"), this);
    for (QPushButton* b : {save, copy, close})
        b->setAutoDefault(false);

    auto* top = new QGridLayout;
    top->addWidget(equationLabel, 0, 0);
    top->addWidget(m_equation, 0, 1, 1, 3);
    top->addWidget(mediumLabel, 1, 0);
    top->addWidget(m_medium, 1, 1);
    top->setColumnStretch(2, 1);
    top->addWidget(balance, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    setTabOrder(m_equation, m_medium);
    setTabOrder(m_medium, balance);
    setTabOrder(balance, m_view);
    setTabOrder(m_view, save);
    resize(720, 640);
    m_equation->setFocus();
}

void IonElectronWindow::SetSmallFont(bool small) {
    QFont font = m_view->font();
    font.setPixelSize(small ? 12 : 14);
    m_view->setFont(font);
}

void IonElectronWindow::Show(const std::string& equation) {
    m_equation->setText(QString::fromStdString(equation));
    Balance();
}

void IonElectronWindow::Balance() {
    const std::string equation = m_equation->text().trimmed().toStdString();
    if (equation.empty()) {
        m_lines = {
            "Escribe una ecuación redox, por ejemplo MnO4^- + Fe^2+ = Mn^2+ + Fe^3+, y elige el "
            "medio."};
        m_view->setHtml("<p>" + FormulaHtml(m_lines.front()) + "</p>");
        return;
    }
    const IonElectronSolution solution =
        SolveIonElectron(equation, ChoiceAt(m_medium->currentIndex()));
    m_lines = TextLines(IonElectronText(solution));
    m_lines.insert(m_lines.begin(), {equation, ""});
    m_view->setHtml(IonElectronHtml(solution));
}

void IonElectronWindow::Dispatch(int id) {
    switch (id) {
        case kBalance:
            Balance();
            return;
        case kSave:
            SaveReport(m_port, windowTitle().toStdString(), m_lines);
            return;
        case kCopy:
            CopyReport(m_lines);
            return;
        case kExit:
            close();
            return;
        default:
            return;
    }
}

}  // namespace tovel
