// Qt's own windows write dates as Spain does whatever the desktop's language: the file chooser
// lists each file's date through the system locale, which is read as the program starts.

#include <QApplication>
#include <QDateTime>
#include <QtTest>
#include <cstdlib>

#include "ui/translations.h"

namespace tovel {

class SpanishDatesTest : public QObject {
    Q_OBJECT

  private slots:
    void theFileChooserShowsSpanishDates() {
        const QDateTime date(QDate(2026, 12, 9), QTime(9, 42));
        QCOMPARE(QLocale::system().toString(date.date(), QLocale::LongFormat),
                 QStringLiteral("miércoles, 9 de diciembre de 2026"));
        QVERIFY(!QLocale::system().toString(date, QLocale::ShortFormat).contains("Dec"));
    }
};

}  // namespace tovel

int main(int argc, char** argv) {
    // An English desktop, and LC_ALL that would win over any other setting.
    ::setenv("LC_ALL", "C", 1);
    ::setenv("LANG", "en_US.UTF-8", 1);
    tovel::UseSpanishDates();
    QApplication app(argc, argv);
    tovel::SpanishDatesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "spanish_dates_test.moc"
