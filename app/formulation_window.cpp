#include "app/formulation_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/formula.h"
#include "core/nomenclature.h"
#include "core/text_utils.h"
#include "ui/report_actions.h"

namespace tovel {

namespace {

QString NamesList(const std::vector<SystemName>& names) {
    QString html;
    for (const SystemName& name : names) {
        html += "<br><b>" + QString::fromStdString(name.system).toHtmlEscaped() + ":</b> " +
                QString::fromStdString(name.name).toHtmlEscaped();
        if (!name.kept) html += QStringLiteral(" <i>(no IUPAC 2005)</i>");
    }
    return html;
}

}  // namespace

QString NamesHtml(const std::string& typed) {
    const std::string text = TrimWhitespace(typed);
    if (text.empty()) return {};
    // A formula starts with a capital letter or a bracket; a name with a small letter.
    const bool formula =
        std::isupper(static_cast<unsigned char>(text[0])) || text[0] == '(' || text[0] == '[';
    std::string shown = text;
    if (!formula) {
        const NameReading reading = FormulaOfName(text);
        if (reading.formula.empty()) return "<p>" + FormulaHtml(reading.error) + "</p>";
        shown = reading.formula;
        QString head = "<p><b>" + FormulaHtml(reading.formula) + "</b>";
        if (!reading.spelled.empty())
            head +=
                "<br>Se escribe «" + QString::fromStdString(reading.spelled).toHtmlEscaped() + "»";
        if (!reading.kept) head += QStringLiteral("<br>Nombre que IUPAC 2005 ya no mantiene");
        const Nomenclature n = NameFormula(shown);
        return head + NamesList(n.names) + "</p>";
    }
    const Nomenclature n = NameFormula(text);
    if (!n.Named()) return "<p>" + FormulaHtml(n.error) + "</p>";
    QString html = "<p><b>" + FormulaHtml(n.formula) + "</b> (" +
                   QString::fromStdString(n.kind).toHtmlEscaped() + ")";
    for (const std::string& note : n.notes)
        html += "<br>" + FormulaHtml(note);
    return html + NamesList(n.names) + "</p>";
}

FormulationWindow::FormulationWindow(RandomIndex random, QWidget* parent)
    : QDialog(parent), m_practice(std::move(random)) {
    setWindowTitle(QStringLiteral("Formulación"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Look-up: a formula or a name.
    m_query = m_controls.Keep(kQuery, new QLineEdit(this));
    m_query->setMaxLength(120);
    m_query->setPlaceholderText(QStringLiteral("Fe2O3, óxido de hierro(III), ácido sulfúrico..."));
    auto* queryLabel = new QLabel(QStringLiteral("&Fórmula o nombre:"), this);
    queryLabel->setBuddy(m_query);
    QPushButton* lookUp = m_controls.Button(kLookUp, QStringLiteral("&Buscar"), this);
    m_result = m_controls.Keep(kResult, new QTextBrowser(this));
    m_result->setMinimumHeight(130);
    connect(m_query, &QLineEdit::returnPressed, this, [this] { LookUp(); });

    // Practice.
    auto* practice = new QGroupBox(QStringLiteral("Práctica"), this);
    auto* classes = new QGridLayout;
    const auto& all = PracticeClasses();
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto* box = m_controls.Keep(kFirstClass + static_cast<int>(i),
                                    new QCheckBox(QString::fromUtf8(all[i].label), practice));
        box->setChecked(true);
        m_classes.push_back(box);
        classes->addWidget(box, static_cast<int>(i / 3), static_cast<int>(i % 3));
    }
    QPushButton* next = m_controls.Button(kNext, QStringLiteral("&Nueva pregunta"), practice);
    m_question = m_controls.Keep(kQuestion, new QLabel(practice));
    m_question->setTextFormat(Qt::RichText);
    m_question->setWordWrap(true);
    QFont big = m_question->font();
    big.setPixelSize(16);
    m_question->setFont(big);
    m_answer = m_controls.Keep(kAnswer, new QLineEdit(practice));
    m_answer->setMaxLength(120);
    auto* answerLabel = new QLabel(QStringLiteral("&Respuesta:"), practice);
    answerLabel->setBuddy(m_answer);
    QPushButton* check = m_controls.Button(kCheck, QStringLiteral("&Comprobar"), practice);
    m_verdict = m_controls.Keep(kVerdict, new QTextBrowser(practice));
    m_verdict->setMinimumHeight(110);
    m_score = m_controls.Keep(kScore, new QLabel(practice));
    connect(m_answer, &QLineEdit::returnPressed, this, [this] { CheckAnswer(); });

    QPushButton* close = m_controls.Button(kExit, QStringLiteral("C&errar"), this);
    // Enter belongs to the line it is typed in: no button takes it.
    for (QPushButton* b : {lookUp, next, check, close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* query = new QHBoxLayout;
    query->addWidget(queryLabel);
    query->addWidget(m_query, 1);
    query->addWidget(lookUp);
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(answerLabel);
    answerRow->addWidget(m_answer, 1);
    answerRow->addWidget(check);
    auto* questionRow = new QHBoxLayout;
    questionRow->addWidget(m_question, 1);
    questionRow->addWidget(next);
    auto* practiceLayout = new QVBoxLayout(practice);
    practiceLayout->addLayout(classes);
    practiceLayout->addLayout(questionRow);
    practiceLayout->addLayout(answerRow);
    practiceLayout->addWidget(m_verdict, 1);
    practiceLayout->addWidget(m_score);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(query);
    layout->addWidget(m_result, 1);
    layout->addWidget(practice, 2);
    layout->addLayout(bottom);
    resize(640, 680);
    m_score->setText(QStringLiteral("Aciertos: 0 de 0"));
    m_query->setFocus();
}

void FormulationWindow::LookUp() {
    m_result->setHtml(NamesHtml(m_query->text().toStdString()));
}

void FormulationWindow::NextQuestion() {
    std::vector<std::size_t> ticked;
    for (std::size_t i = 0; i < m_classes.size(); ++i) {
        if (m_classes[i]->isChecked()) ticked.push_back(i);
    }
    if (ticked.empty()) {
        m_question->setText(QStringLiteral("Marca alguna clase de compuestos"));
        return;
    }
    m_practice.SetClasses(ticked);
    const PracticeQuestion& q = m_practice.Next();
    if (q.askName) {
        m_question->setText("¿Cómo se nombra " + FormulaHtml(q.formula) + "?");
    } else {
        m_question->setText("¿Cuál es la fórmula de " +
                            QString::fromStdString(q.name).toHtmlEscaped() + "?");
    }
    m_answer->clear();
    m_verdict->clear();
    m_answer->setFocus();
}

void FormulationWindow::CheckAnswer() {
    if (m_practice.Current().formula.empty()) {
        NextQuestion();
        return;
    }
    const PracticeVerdict v = m_practice.Check(m_answer->text().toStdString());
    QString html = "<p><b>" + QString(v.right ? QStringLiteral("Bien. ") : QStringLiteral("No. ")) +
                   "</b>" + FormulaHtml(v.message) + "</p><p>Respuestas: <b>" +
                   FormulaHtml(v.formula) + "</b>" + NamesList(v.answers) + "</p>";
    m_verdict->setHtml(html);
    m_score->setText(
        QStringLiteral("Aciertos: %1 de %2").arg(m_practice.Right()).arg(m_practice.Asked()));
    m_answer->selectAll();
}

void FormulationWindow::Dispatch(int id) {
    switch (id) {
        case kLookUp:
            LookUp();
            return;
        case kNext:
            NextQuestion();
            return;
        case kCheck:
            CheckAnswer();
            return;
        case kExit:
            close();
            return;
        default:
            return;
    }
}

}  // namespace tovel
