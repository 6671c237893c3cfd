#pragma once
// Measures given in twips: 15 twips per pixel at 96 dpi, scaled by the
// screen's logical dpi.
#include <cmath>

class QWidget;

namespace twips {

double twipsPerPixel();  // 1440 / logical dpi of the primary screen (15 at 96 dpi)
inline int toPx(double t) { return static_cast<int>(std::lround(t / twipsPerPixel())); }
inline double fromPx(double px) { return px * twipsPerPixel(); }

// Sets a widget's geometry from a layout written in twips.
void place(QWidget* w, double left, double top, double width, double height);

}  // namespace twips
