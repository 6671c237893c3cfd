#pragma once
// Launch scaling: once per run the board and all its controls shrink by about
// 1 / 1.055 so that the board, drawn for one screen, leaves a margin on the
// user's, and the board is then placed across the middle of the screen and a
// quarter of the free height from the top.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace launch {

// Nearest whole number, an exact half going to the even neighbour.
int nearest(double value);

struct LaunchMetrics {
    int ScreenTwipsX = 0;    // twips per pixel across, whole
    int ScreenTwipsY = 0;    // twips per pixel down, whole
    int ScreenWidthPx = 0;   // screen width in twips / ScreenTwipsX
    int ScreenHeightPx = 0;  // screen height in twips / ScreenTwipsY
    int ScaledWidthPx = 0;   // screen width in pixels enlarged by 1.055
    int ScaledHeightPx = 0;  // screen height in pixels enlarged by 1.055
    float ratioX = 1.0f;     // ScreenWidthPx / ScaledWidthPx
    float ratioY = 1.0f;     // ScreenHeightPx / ScaledHeightPx
    float fontFactor() const { return (ratioX + ratioY) / 2.0f; }
};

// The metrics of a screen of the given size in pixels and twips per pixel.
LaunchMetrics metricsFor(QSize screenPx, double twipsPerPixelX, double twipsPerPixelY);
// The same at the twips per pixel of the running display.
LaunchMetrics metricsFor(QSize screenPx);

// The ratios shrunk further, both by one factor, where the board (its outer
// size before scaling) would still be larger than the screen area after the
// usual shrink: the board then opens whole, in its own proportion, on a
// small screen. Where it fits, the ratios are returned unchanged.
LaunchMetrics fitToArea(LaunchMetrics m, QSize boardOuter, QSize area);
// The board's outer size: its frame where the window system has given it
// one, else its client size with room for a usual title bar and border.
QSize outerSizeOf(const QWidget* board);

// Where the board's outer top-left corner goes on a screen area: across the
// middle and a quarter of the free height down. A board larger than the area
// is put at the area's edge instead, so its title bar stays within reach.
QPoint boardPlacement(QSize boardOuter, const QRect& area);
void placeBoard(QWidget* board, const QRect& area);

// The whole launch sequence for the board on the screen it stands on:
// metrics from the screen's available area, every control and the board
// itself scaled, the board placed.
void scaleBoardAtLaunch(QWidget* board);

}  // namespace launch

// Scales every control of the window (Left and Width by rx, Top and Height by
// ry, a combo box keeping its height) and its font size by the mean of the
// ratios; with resizeFormAtLaunch the window's own outer position and size
// follow by the same ratios.
void ScaleFormControls(float rx, float ry, QWidget* window, bool resizeFormAtLaunch);
