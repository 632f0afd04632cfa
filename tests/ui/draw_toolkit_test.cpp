// The drawing toolkit against a painted image.

#include <QApplication>
#include <QtTest>

#include "ui/draw_toolkit.h"
#include "ui/icons.h"

namespace tovel {

namespace {

bool Inked(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The rightmost column with ink, or -1.
int RightmostInk(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (Inked(image, x, y)) return x;
        }
    }
    return -1;
}

}  // namespace

class DrawToolkitTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { CurrentFontSpec() = FontSpec{}; }

    void arrowBarbsEndWhereTheyShould() {
        const auto [a, b] = ArrowBarbs(10, 20, 40, 20);
        QCOMPARE(a, QPoint(36, 18));
        QCOMPARE(b, QPoint(36, 22));
        DrawSurface surface(QSize(60, 40));
        AttachWindow(surface);
        Arrow(10, 20, 40, 20);
        QVERIFY(Inked(surface.image, 10, 20));
        QVERIFY(Inked(surface.image, 25, 20));
        QVERIFY(Inked(surface.image, 36, 18));
        QVERIFY(Inked(surface.image, 36, 22));
        QVERIFY(!Inked(surface.image, 36, 15));
        // Other directions: up the screen, and to the left.
        const auto [upA, upB] = ArrowBarbs(20, 40, 20, 10);
        QCOMPARE(upA, QPoint(18, 14));
        QCOMPARE(upB, QPoint(22, 14));
        const auto [leftA, leftB] = ArrowBarbs(40, 20, 10, 20);
        QCOMPARE(leftA, QPoint(14, 22));
        QCOMPARE(leftB, QPoint(14, 18));
    }

    void subscriptReturnsToTheBaseLine() {
        DrawSurface surface(QSize(200, 60));
        AttachWindow(surface);
        const FontSpec before = CurrentFontSpec();
        surface.pen = QPoint(10, 5);
        surface.updatePosition = true;
        SubscriptText(surface, "2");
        QCOMPARE(surface.pen.y(), 5);
        QVERIFY(surface.pen.x() > 10);
        QCOMPARE(CurrentFontSpec(), before);
        QCOMPARE(SavedFontSpec(), before);
        SuperscriptText(surface, "3");
        QCOMPARE(surface.pen.y(), 5);
        QCOMPARE(CurrentFontSpec(), before);
    }

    void subscriptIsDrawnLowerAndSmaller() {
        DrawSurface normal(QSize(60, 40));
        AttachWindow(normal);
        FormulaAt(5, 5, "2");
        DrawSurface sub(QSize(60, 40));
        AttachWindow(sub);
        FormulaAt(5, 5, "_2");
        auto bottom = [](const QImage& image) {
            for (int y = image.height() - 1; y >= 0; --y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (Inked(image, x, y)) return y;
                }
            }
            return -1;
        };
        QVERIFY(bottom(sub.image) > bottom(normal.image));
        QVERIFY(RightmostInk(sub.image) < RightmostInk(normal.image));
    }

    void textAtCutsAt255Characters() {
        DrawSurface longer(QSize(4000, 30));
        DrawSurface exact(QSize(4000, 30));
        TextAt(longer, 0, 0, std::string(300, 'W'));
        TextAt(exact, 0, 0, std::string(255, 'W'));
        QCOMPARE(longer.image, exact.image);
        QVERIFY(RightmostInk(exact.image) > 1000);
        DrawSurface empty(QSize(50, 30));
        TextAt(empty, 0, 0, "");
        QCOMPARE(RightmostInk(empty.image), -1);
    }

    void formulaAtLeavesTheAlignmentAsItWas() {
        DrawSurface surface(QSize(200, 40));
        AttachWindow(surface);
        FormulaAt(10, 5, "Fe_2O_3");
        QVERIFY(!surface.updatePosition);
        const int end = PenX();
        QVERIFY(end > 30);
        QCOMPARE(surface.pen.y(), 5);
        // Markers govern one character; a marker at the end draws nothing.
        DrawSurface marked(QSize(200, 40));
        AttachWindow(marked);
        FormulaAt(10, 5, "Fe_2O_3_");
        QCOMPARE(PenX(), end);
        // After it, TextAt draws where it is told again.
        TextAt(surface, 150, 5, "X");
        QVERIFY(RightmostInk(surface.image) >= 150);
    }

    void fontChangesLastUntilChangedBack() {
        DrawSurface surface(QSize(10, 10));
        AttachWindow(surface);
        SetBold(true);
        SetBold(true);
        QCOMPARE(CurrentFontSpec().weight, 700);
        QVERIFY(surface.font.bold());
        SetFontSize(20, 10);
        SetFaceName("Bauhaus");
        SetItalic(true);
        QCOMPARE(CurrentFontSpec().height, 20);
        QVERIFY(surface.font.italic());
        SetBold(false);
        QCOMPARE(CurrentFontSpec().weight, 400);
        QVERIFY(!surface.font.bold());
    }

    void fontHolderKeepsItsOwnDescription() {
        DrawSurface surface(QSize(10, 10));
        FontHolder holder;
        holder.Init(surface);
        holder.SetSize(30, 12);
        holder.SetBold(true);
        holder.SetFace("Arial Narrow");
        QCOMPARE(holder.Description().height, 30);
        QCOMPARE(CurrentFontSpec().height, 16);
        QVERIFY(surface.font.bold());
        holder.Done();
    }

    void iconsLoad() {
        for (const char* name : {"AReacIcon", "BeIcon", "SortirIc", "IcQuim"}) {
            QVERIFY2(!LoadPictureByName(name, QSize(32, 32)).isNull(), name);
        }
        QVERIFY(LoadPictureByName("NoSuchIcon", QSize(32, 32)).isNull());
    }
};

}  // namespace tovel

QTEST_MAIN(tovel::DrawToolkitTest)
#include "draw_toolkit_test.moc"
