// The user guide renders to a PDF, and every picture it shows exists.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtTest>

#include "docs/guide_renderer.h"
#include "tests/support/test_support.h"

namespace tovel {

class GuideTest : public QObject {
    Q_OBJECT

    QString Guide() const { return QStringLiteral(TOVEL_SOURCE_DIR "/docs/guide/guia.html"); }
    QString Html() const {
        QFile file(Guide());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

  private slots:
    void everyPictureExists() {
        const QStringList images = GuideImages(Html());
        QVERIFY(images.size() >= 12);
        for (const QString& image : images) {
            QVERIFY2(QFileInfo::exists(QStringLiteral(TOVEL_SOURCE_DIR "/docs/guide/") + image),
                     qPrintable(image));
        }
    }

    void rendersToAPdf() {
        QCOMPARE(GuideTitle(Html()), QStringLiteral("Guía de tovel"));
        const QString pdf = QString::fromStdString(test::TempDir()) + "/Tovel.pdf";
        const int pages = RenderGuide(Guide(), pdf);
        QVERIFY(pages >= 5);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page "),
                 pages);
        QVERIFY(bytes.contains("/Image"));  // the pictures are in it
        QCOMPARE(RenderGuide(Guide() + ".absent", pdf), 0);
    }

    void builtGuideAndSharingPage() {
        QVERIFY(QFileInfo(QStringLiteral(TOVEL_BIN_DIR "/Tovel.pdf")).size() > 10000);
        QFile page(QString::fromUtf8(TOVEL_BIN_DIR "/DonaciónGratificada.htm"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("biblioteca de reacciones"));
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::GuideTest)
#include "guide_test.moc"
