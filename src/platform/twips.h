#pragma once
// Measures given in twips: 15 twips per pixel at 96 dpi, scaled by the
// screen's logical dpi.
#include <cmath>

class QWidget;

namespace twips {

double twipsPerPixelAt(double dpi);  // 1440 / dpi: 15 at 96 dpi
double twipsPerPixel();              // at the primary screen's logical dpi
inline int toPx(double t) { return static_cast<int>(std::lround(t / twipsPerPixel())); }
inline double fromPx(double px) { return px * twipsPerPixel(); }

// Sets a widget's geometry from a layout written in twips.
void place(QWidget* w, double left, double top, double width, double height);

}  // namespace twips
