#include "board/sheet_lookup.h"

#include "board/form1.h"
#include "board/game_rules.h"
#include "common/numbers.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"

namespace board {

Side battingSide(const Form1& f)
{
    if (f.Option5->isChecked())
        return Side::Visitors;
    if (f.Option6->isChecked())
        return Side::Home;
    return Side::None;
}

Side otherSide(Side s)
{
    switch (s) {
    case Side::Visitors: return Side::Home;
    case Side::Home: return Side::Visitors;
    default: return Side::None;
    }
}

Grid* statsGrid(const Form1& f, Side s)
{
    if (s == Side::None)
        return nullptr;
    return f.side(s == Side::Visitors).stats;
}

ListBox* lineup(const Form1& f, Side s)
{
    if (s == Side::None)
        return nullptr;
    return f.side(s == Side::Visitors).lineup;
}

QLabel* pitcherLabel(const Form1& f, Side s)
{
    if (s == Side::None)
        return nullptr;
    return f.side(s == Side::Visitors).pitcher;
}

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

QString playSubject(const Form1& f, Side s)
{
    const ListBox* list = lineup(f, s);
    if (!list)
        return QString();
    const QLabel* current = f.side(s == Side::Visitors).batterIndex;
    const QString batter = f.lbl_Selected->text();
    const double at = num::Val(current->text());
    if (!batter.isEmpty() && at >= 0 && at < list->count()) {
        const QString entry = list->itemText(static_cast<int>(at));
        if (game::entryName(entry) == batter)
            return entry;
    }
    return list->itemText(list->listIndex());
}

bool chargeAtBat(const Form1& f, Side first)
{
    const Side order[2] = {first == Side::None ? Side::Visitors : first,
                           first == Side::None ? Side::Home : otherSide(first)};
    const QString name = f.lbl_Selected->text();
    for (Side s : order) {
        Grid* g = statsGrid(f, s);
        const int row = findRow(g, col::Batter, name);
        if (row > 0) {
            countBatter(g, row, col::BatAB);
            return true;
        }
    }
    return false;
}

}  // namespace board
