// Sheets written as Moodle XML and read back with an XML parser, as Moodle's import reads them:
// every question, every gap, every answer against the key.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

#include "core/number_format.h"
#include "exercises/nomenclature_sheet.h"
#include "exercises/problem_sheet.h"
#include "tests/support/test_support.h"

namespace tovel {
namespace {

struct Question {
    QString type, name, category, text, feedback;
};

// The questions of the file, each with the category it was imported into.
std::vector<Question> Import(const std::string& xml) {
    std::vector<Question> questions;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    QString category;
    Question question;
    QString field;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QStringLiteral("question")) {
                question = Question{};
                question.type = reader.attributes().value(QStringLiteral("type")).toString();
            } else if (name == QStringLiteral("text")) {
                const QString text = reader.readElementText();
                if (field == QStringLiteral("category")) category = text;
                if (field == QStringLiteral("name")) question.name = text;
                if (field == QStringLiteral("questiontext")) question.text = text;
                if (field == QStringLiteral("generalfeedback")) question.feedback = text;
            } else {
                field = name.toString();
            }
        } else if (reader.isEndElement() && reader.name() == QStringLiteral("question") &&
                   question.type != QStringLiteral("category")) {
            question.category = category;
            questions.push_back(question);
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return questions;
}

struct Gap {
    QString kind;
    double value = 0, tolerance = 0;
    QStringList accepted;
};

std::vector<Gap> Gaps(const QString& text) {
    std::vector<Gap> gaps;
    static const QRegularExpression gap(QStringLiteral("\\{1:([A-Z_]+):=([^}]*)\\}"));
    for (const auto& match : gap.globalMatch(text)) {
        Gap g;
        g.kind = match.captured(1);
        if (g.kind == QStringLiteral("NUMERICAL")) {
            const QStringList parts = match.captured(2).split(':');
            g.value = parts.value(0).toDouble();
            g.tolerance = parts.value(1).toDouble();
        } else {
            g.accepted = match.captured(2).split(QStringLiteral("~="));
        }
        gaps.push_back(g);
    }
    return gaps;
}

class SheetMoodle : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        table = new ElementTable(test::DefaultElements());
        library = new SheetLibrary(LoadSheetLibrary(TOVEL_BIN_DIR, *table));
    }
    static void TearDownTestSuite() {
        delete library;
        delete table;
    }
    static SheetText Sheet(std::uint32_t seed) {
        SheetChoices c;
        c.count = 20;
        c.seed = seed;
        c.empirical = true;
        c.ionElectron = SheetChoices::Share::Some;
        return ComposeSheet(DrawSheet(*library, c).problems, seed, "Tema 3: estequiometría");
    }
    static ElementTable* table;
    static SheetLibrary* library;
};
ElementTable* SheetMoodle::table = nullptr;
SheetLibrary* SheetMoodle::library = nullptr;

TEST_F(SheetMoodle, EveryAnswerIsTheKeys) {
    int numbers = 0, formulas = 0, coefficients = 0;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const SheetText drawn = Sheet(seed);
        const SheetText printed = PrintedSheet(drawn, SheetNumbers::Spanish);
        const std::vector<Question> questions = Import(MoodleXml({printed}));
        ASSERT_EQ(questions.size(), 20u);
        for (std::size_t i = 0; i < questions.size(); ++i) {
            const Question& q = questions[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + ", " + q.name.toStdString());
            EXPECT_EQ(q.type, QStringLiteral("cloze"));
            EXPECT_EQ(q.category, QStringLiteral("$course$/top/Tema 3: estequiometría"));
            EXPECT_EQ(q.name, QStringLiteral("Problema %1 (semilla %2)").arg(i + 1).arg(seed));
            // The statement typeset, never in the plain notation.
            EXPECT_FALSE(q.text.contains('^'));
            const std::string& first = drawn.statements[i].front();
            if (first.find('^') != std::string::npos) {
                EXPECT_TRUE(q.text.contains(QStringLiteral("<sup>")));
            }
            if (first.find("O2") != std::string::npos) {
                EXPECT_TRUE(q.text.contains(QStringLiteral("O<sub>2</sub>")));
            }
            // The resolution, whole, as the feedback.
            EXPECT_TRUE(q.feedback.contains(
                QString::fromStdString(printed.resolutions[i].front()).left(5).toHtmlEscaped()));

            const std::vector<Gap> gaps = Gaps(q.text);
            const std::vector<SheetAnswer>& answers = drawn.answers[i];
            ASSERT_EQ(gaps.size(), answers.size());
            ASSERT_FALSE(gaps.empty());
            std::string key;
            for (const std::string& line : drawn.resolutions[i])
                key += line + "\n";
            for (std::size_t k = 0; k < gaps.size(); ++k) {
                const SheetAnswer& a = answers[k];
                const Gap& g = gaps[k];
                if (a.IsText()) {
                    ++formulas;
                    EXPECT_EQ(g.kind, QStringLiteral("SHORTANSWER_C"));
                    EXPECT_EQ(g.accepted.front().toStdString(), a.accepted.front());
                    EXPECT_NE(key.find(a.accepted.front()), std::string::npos);
                    continue;
                }
                EXPECT_EQ(g.kind, QStringLiteral("NUMERICAL"));
                EXPECT_DOUBLE_EQ(g.value, a.value);
                if (a.exact) {
                    ++coefficients;
                    EXPECT_EQ(g.tolerance, 0);
                    EXPECT_EQ(a.value, std::round(a.value));
                    continue;
                }
                ++numbers;
                // 1 % of the answer, and the key prints the same number.
                EXPECT_NEAR(g.tolerance, std::fabs(a.value) * 0.01, std::fabs(a.value) * 1e-4);
                const unsigned digits = a.label == "Rendimiento" ? 4 : 3;
                EXPECT_NE(key.find(FormatSignificant(a.value, digits)), std::string::npos)
                    << a.label << " " << a.value << "\n"
                    << key;
            }
        }
    }
    EXPECT_GT(numbers, 300);
    EXPECT_GT(formulas, 30);
    EXPECT_GT(coefficients, 100);
}

TEST_F(SheetMoodle, VersionsOfEachProblemInACategoryOfTheirOwn) {
    std::vector<SheetText> variants;
    for (std::uint32_t seed = 500; seed < 503; ++seed)
        variants.push_back(PrintedSheet(Sheet(seed), SheetNumbers::Spanish));
    const std::vector<Question> questions = Import(MoodleXml(variants));
    ASSERT_EQ(questions.size(), 60u);
    EXPECT_EQ(questions[0].category,
              QStringLiteral("$course$/top/Tema 3: estequiometría/Problema 1"));
    EXPECT_EQ(questions[0].name, QStringLiteral("Problema 1, variante 1 (semilla 500)"));
    EXPECT_EQ(questions[2].name, QStringLiteral("Problema 1, variante 3 (semilla 502)"));
    EXPECT_EQ(questions[59].category,
              QStringLiteral("$course$/top/Tema 3: estequiometría/Problema 20"));
    // Each student draws different numbers.
    EXPECT_NE(questions[0].text, questions[1].text);
}

TEST_F(SheetMoodle, NomenclatureAndMarksInTheText) {
    NameSheetChoices c;
    c.count = 12;
    c.seed = 9;
    SheetText sheet = PrintedSheet(DrawNameSheet(c), SheetNumbers::Spanish);
    // A slash in the title is no category level; gap marks in an answer are escaped.
    sheet.title = "1º/2º ESO";
    sheet.answers[0][0].accepted.push_back("a}b#c");
    const std::vector<Question> questions = Import(MoodleXml({sheet}));
    ASSERT_EQ(questions.size(), 12u);
    EXPECT_EQ(questions[0].category, QStringLiteral("$course$/top/1º//2º ESO"));
    EXPECT_TRUE(questions[0].text.contains(QStringLiteral("~=a\\}b\\#c}")));
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const std::vector<Gap> gaps = Gaps(questions[i].text);
        ASSERT_EQ(gaps.size(), 1u);
        const SheetAnswer& a = sheet.answers[i][0];
        EXPECT_EQ(gaps[0].kind,
                  a.caseMatters ? QStringLiteral("SHORTANSWER_C") : QStringLiteral("SHORTANSWER"));
        EXPECT_EQ(gaps[0].accepted.front().toStdString(), a.accepted.front());
    }
}

TEST(MoodleNumbers, WithAPointAndNoExponent) {
    EXPECT_EQ(MoodleNumber(35.7), "35.7");
    EXPECT_EQ(MoodleNumber(0.0401), "0.0401");
    EXPECT_EQ(MoodleNumber(4.01e-5), "0.0000401");
    EXPECT_EQ(MoodleNumber(1.23e7), "12300000");
}

}  // namespace
}  // namespace tovel
