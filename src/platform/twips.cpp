#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace twips {

double twipsPerPixel()
{
    if (auto* s = QGuiApplication::primaryScreen()) {
        const double dpi = s->logicalDotsPerInchX();
        if (dpi > 1.0)
            return 1440.0 / dpi;
    }
    return 15.0;
}

}  // namespace twips
