#include "ui/icons.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

// The icons live in a static library, whose resources must be registered by hand once.
static void RegisterIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(tovel);
        return true;
    }();
    (void)registered;
}

namespace tovel {

QPixmap LoadPictureByName(const std::string& name, QSize size) {
    RegisterIconResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(QString::fromStdString(name)));
    if (!renderer.isValid()) return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon LoadIconByName(const std::string& name) {
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(LoadPictureByName(name, QSize(side, side)));
    return icon;
}

void DrawIconAt(DrawSurface& surface, int x, int y, const std::string& name, QSize size) {
    QPainter painter(&surface.image);
    painter.drawPixmap(x, y, LoadPictureByName(name, size));
}

void SetWindowIconByName(QWidget& window, const std::string& name) {
    window.setWindowIcon(LoadIconByName(name));
}

}  // namespace tovel
