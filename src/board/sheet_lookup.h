#pragma once
// How the board finds a player on the statistics sheet and raises a count,
// and which side, lineup, pitcher and grid a play concerns. Shared by the
// board's progress and play files.
#include "stats_sheet/sheet_columns.h"

#include <QString>

class Form1;
class Grid;
class ListBox;
class QLabel;

namespace board {

enum class Side { None, Visitors, Home };

// The side whose "AT BAT" option is set.
Side battingSide(const Form1& f);
Side otherSide(Side s);

// The side's statistics grid, lineup and current-pitcher label; nullptr for
// Side::None.
Grid* statsGrid(const Form1& f, Side s);
ListBox* lineup(const Form1& f, Side s);
QLabel* pitcherLabel(const Form1& f, Side s);

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

// The lineup entry a play's log line names: the side's entry at the current
// batter's position when it is the current batter (the user may have
// highlighted another entry since), otherwise the selected entry.
QString playSubject(const Form1& f, Side s);

// Charges the current batter's at-bat without advancing any lineup: the
// given side's grid is searched first, then the other (visitors first when
// no side is given). False when neither holds him.
bool chargeAtBat(const Form1& f, Side first);

}  // namespace board
