// Build step: renders the user guide to Tovel.pdf with Qt's own PDF writer.
// usage: tovel-make-guide GUIDE.html OUTPUT.pdf

#include <QGuiApplication>
#include <cstdio>

#include "docs/guide_renderer.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tovel-make-guide GUIDE.html OUTPUT.pdf\n");
        return 2;
    }
    const int pages =
        tovel::RenderGuide(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (pages == 0) {
        std::fprintf(stderr, "cannot render %s\n", argv[1]);
        return 1;
    }
    return 0;
}
