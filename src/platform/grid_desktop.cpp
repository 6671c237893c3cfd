// What the desktop's widgets need done for them: scroll bars that trade
// places on every layout, and a font or palette the header does not take
// on its own.
#include "platform/grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

void Grid::updateGeometries()
{
    // Laying its children out, the scroll area raises the frames of both
    // scroll bars; with both shown they trade places every time, and each
    // trade repaints both bars and the window behind them though nothing
    // moved: a repaint on every refresh of the grid. The trades are kept
    // off the screen; a frame that moved, was resized, shown or hidden is
    // repainted where it was and where it is. A bar's own changes (range,
    // position) repaint the bar as ever.
    QWidget* frames[] = {horizontalScrollBar()->parentWidget(), verticalScrollBar()->parentWidget()};
    struct Before {
        QRect geometry;
        bool visible;
        bool blocked;
    } before[2];
    for (int i = 0; i < 2; ++i) {
        before[i] = {frames[i]->geometry(), frames[i]->isVisible(), frames[i]->testAttribute(Qt::WA_UpdatesDisabled)};
        frames[i]->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    QTableView::updateGeometries();
    for (int i = 0; i < 2; ++i) {
        QWidget* f = frames[i];
        f->setAttribute(Qt::WA_UpdatesDisabled, before[i].blocked);
        if (f->geometry() != before[i].geometry || f->isVisible() != before[i].visible) {
            update(before[i].geometry);
            update(f->geometry());
        }
    }
}

void Grid::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        // Under a style sheet Qt no longer hands a font down to children: the
        // header kept the desktop's larger font, and its row lost the
        // underscores ("VIS Player").
        horizontalHeader()->setFont(font());
        // The header paints on its viewport, which keeps its own font the
        // same way: "Errors" was drawn in the desktop's wider font and cut.
        horizontalHeader()->viewport()->setFont(font());
        applyRowHeights();
        forgetExtents(0, cols() - 1, true);
        fitColumns();
    }
    else if (e->type() == QEvent::PaletteChange)
        model_.setDesktopColours(palette());
}
