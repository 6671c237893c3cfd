#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace twips {

double twipsPerPixelAt(double dpi)
{
    return 1440.0 / dpi;
}

double twipsPerPixel()
{
    if (auto* s = QGuiApplication::primaryScreen()) {
        const double dpi = s->logicalDotsPerInchX();
        if (dpi > 1.0)
            return twipsPerPixelAt(dpi);
    }
    return twipsPerPixelAt(96.0);
}

void place(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(toPx(left), toPx(top), toPx(width), toPx(height));
}

}  // namespace twips
