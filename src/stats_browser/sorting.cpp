// Ctrl+double-click on a column of the by-game and aggregate grids sorts
// their rows by it; again on the same column reverses the order. The sort
// works on the rows in the grid (no query) and lasts until the grid is
// filled again. The one remembered column and direction are shared by the
// four grids, so the same column index in another grid counts as the same
// column.
#include "stats_browser/form4.h"

#include "platform/events.h"
#include "platform/grid.h"
#include "platform/guarded.h"

#include <QGuiApplication>

namespace {

// The state of the moment, or the one the double-click itself carried
// (synthetic input may set only the latter).
bool ctrlHeld()
{
    return events::ctrlDown() || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
}

}  // namespace

void Form4::wireSorting()
{
    for (Grid* g : {MSHFlexGrid2, MSHFlexGrid3, MSHFlexGrid4, MSHFlexGrid5}) {
        connect(g, &Grid::cellDoubleClicked, this,
                [this, g](int, int col) { guarded([&] { SortGridByColumn(*g, col); }); });
        connect(g, &Grid::headerDoubleClicked, this,
                [this, g](int col) { guarded([&] { SortGridByColumn(*g, col); }); });
    }
}

void Form4::SortGridByColumn(Grid& grid, int col)
{
    if (!ctrlHeld())
        return;
    // Column 0 is the empty fixed column: nothing to sort by.
    if (col < 1 || col >= grid.cols())
        return;
    bool ascending = true;
    if (col == lastSortCol) {
        sortDir = sortDir == 2 ? 1 : 2;
        ascending = sortDir == 1;
    } else {
        // Ascending first, then the direction used last (none yet: ascending).
        lastSortCol = std::uint8_t(col);
        ascending = sortDir != 2;
    }
    // A column is sorted as numbers when every filled cell holds one (the
    // formatted rates included), otherwise as text; empty cells come first
    // when ascending. The header row stays on top.
    GridModel& m = grid.model();
    m.sortRows(col, ascending, m.isNumericColumn(col));
}
