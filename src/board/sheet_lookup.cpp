#include "board/sheet_lookup.h"

#include "board/game_rules.h"
#include "common/numbers.h"
#include "platform/events.h"
#include "platform/grid.h"

namespace board {

int findRow(const Grid* g, int nameColumn, const QString& name)
{
    if (!g || name.isEmpty())
        return -1;
    for (int r = 1; r < g->rows(); ++r)
        if (g->textMatrix(r, nameColumn) == name)
            return r;
    return -1;
}

void countUp(Grid* g, int row, int column)
{
    g->setTextMatrix(row, column, num::text(num::Val(g->textMatrix(row, column)) + 1.0));
}

void countBatter(Grid* g, int row, int column)
{
    countUp(g, row, column);
    if (g->textMatrix(row, col::PlayedFlag) != QLatin1String("1"))
        g->setTextMatrix(row, col::PlayedFlag, QStringLiteral("1"));
}

bool lineupHoldsName(const ListBox* list, const QString& name)
{
    if (!list || name.isEmpty())
        return false;
    for (int i = 0; i < list->count(); ++i)
        if (game::entryName(list->itemText(i)) == name)
            return true;
    return false;
}

}  // namespace board
