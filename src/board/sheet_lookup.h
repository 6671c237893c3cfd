#pragma once
// How the board finds a player on the statistics sheet and raises a count.
// Shared by the board's progress and play files.
#include "stats_sheet/sheet_columns.h"

#include <QString>

class Grid;
class ListBox;

namespace board {

namespace col = sheet::col;

// The first row, from row 1 down, whose name column holds exactly the name.
// The header row never matches and an empty name matches nothing: -1.
int findRow(const Grid* g, int nameColumn, const QString& name);

// The counting rule: the cell read leniently, plus one, written back as
// plain decimal text.
void countUp(Grid* g, int row, int column);
// The same for a batting count; the row's line is then also marked to be
// saved.
void countBatter(Grid* g, int row, int column);

// Whether the name is the batter name of any entry of the lineup.
bool lineupHoldsName(const ListBox* list, const QString& name);

}  // namespace board
