#include "presentation/launch_scaling.h"

#include "platform/twips.h"
#include "presentation/control_resizer.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace launch {

int nearest(double value)
{
    return layout::toWhole(value);
}

LaunchMetrics metricsFor(QSize screenPx, double twipsPerPixelX, double twipsPerPixelY)
{
    LaunchMetrics m;
    const double widthTwips = double(screenPx.width()) * twipsPerPixelX;
    const double heightTwips = double(screenPx.height()) * twipsPerPixelY;
    m.ScaledWidthPx = nearest(widthTwips / twipsPerPixelX * 1.055);
    m.ScaledHeightPx = nearest(heightTwips / twipsPerPixelY * 1.055);
    m.ScreenTwipsX = nearest(twipsPerPixelX);
    m.ScreenTwipsY = nearest(twipsPerPixelY);
    // A display of more than 2880 dpi would round to 0 twips per pixel.
    m.ScreenHeightPx = m.ScreenTwipsY > 0 ? nearest(heightTwips / m.ScreenTwipsY) : 0;
    m.ScreenWidthPx = m.ScreenTwipsX > 0 ? nearest(widthTwips / m.ScreenTwipsX) : 0;
    if (m.ScaledWidthPx > 0 && m.ScreenWidthPx > 0)
        m.ratioX = float(double(m.ScreenWidthPx) / double(m.ScaledWidthPx));
    if (m.ScaledHeightPx > 0 && m.ScreenHeightPx > 0)
        m.ratioY = float(double(m.ScreenHeightPx) / double(m.ScaledHeightPx));
    return m;
}

LaunchMetrics metricsFor(QSize screenPx)
{
    const double tpp = twips::twipsPerPixel();
    return metricsFor(screenPx, tpp, tpp);
}

LaunchMetrics fitToArea(LaunchMetrics m, QSize boardOuter, QSize area)
{
    if (boardOuter.isEmpty() || area.isEmpty())
        return m;
    const double fit = std::min({1.0, double(area.width()) / (double(boardOuter.width()) * double(m.ratioX)),
                                 double(area.height()) / (double(boardOuter.height()) * double(m.ratioY))});
    m.ratioX = float(double(m.ratioX) * fit);
    m.ratioY = float(double(m.ratioY) * fit);
    return m;
}

QSize outerSizeOf(const QWidget* board)
{
    const QSize frame = board->frameGeometry().size();
    if (frame != board->size())
        return frame;
    // Before the first show there is no frame yet: allow for a common one.
    constexpr int BorderPx = 8, TitleAndBorderPx = 38;
    return board->size() + QSize(BorderPx, TitleAndBorderPx);
}

QPoint boardPlacement(QSize boardOuter, const QRect& area)
{
    const double left = double(area.width() - boardOuter.width()) * 0.5;
    const double top = double(area.height() - boardOuter.height()) * 0.25;
    // Never above or left of the area: a board that does not fit would
    // otherwise hide its title bar off screen, out of reach of the mouse.
    return {area.x() + std::max(0, nearest(left)), area.y() + std::max(0, nearest(top))};
}

void placeBoard(QWidget* board, const QRect& area)
{
    if (board)
        board->move(boardPlacement(board->frameGeometry().size(), area));
}

void scaleBoardAtLaunch(QWidget* board)
{
    if (!board)
        return;
    QScreen* screen = board->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const LaunchMetrics m = fitToArea(metricsFor(area.size()), outerSizeOf(board), area.size());
    ScaleFormControls(m.ratioX, m.ratioY, board, true);
    placeBoard(board, area);
}

}  // namespace launch

void ScaleFormControls(float rx, float ry, QWidget* window, bool resizeFormAtLaunch)
{
    if (!window)
        return;
    const float fontFactor = (rx + ry) / 2.0f;

    // Everything is read before anything changes: a frame's new font would
    // otherwise reach a child that inherits it and be scaled twice there.
    struct Before {
        QWidget* control;
        QRect geometry;
        qreal points;
    };
    std::vector<Before> before;
    for (QWidget* c : layout::controlsOf(window))
        before.push_back({c, c->geometry(), c->font().pointSizeF()});

    for (const Before& b : before) {
        const QRect& g = b.geometry;
        const int left = layout::toWhole(float(g.x()) * rx);
        const int top = layout::toWhole(float(g.y()) * ry);
        const int width = layout::toWhole(float(g.width()) * rx);
        // A combo box's height belongs to its font and style, not to us.
        const int height = qobject_cast<QComboBox*>(b.control) ? g.height() : layout::toWhole(float(g.height()) * ry);
        b.control->setGeometry(left, top, width, height);
        if (b.points > 0)  // a font sized in pixels has no point size to scale
            layout::setFontPoints(b.control, double(float(b.points) * fontFactor));
    }

    if (resizeFormAtLaunch) {
        const QRect outer = window->frameGeometry();
        const int frameWidth = outer.width() - window->width();
        const int frameHeight = outer.height() - window->height();
        const int width = layout::toWhole(float(outer.width()) * rx) - frameWidth;
        const int height = layout::toWhole(float(outer.height()) * ry) - frameHeight;
        window->resize(std::max(1, width), std::max(1, height));
        window->move(layout::toWhole(float(outer.x()) * rx), layout::toWhole(float(outer.y()) * ry));
    }
}
