#pragma once
// Setting up a game on the board directly through its controls, as team
// loading and the pitcher pick leave them: lineups, names and played flags
// in the sheet, current pitchers listed in column 11, the side at bat.
#include <QString>
#include <QStringList>

class Form1;
class QObject;
class Grid;

namespace gamehelp {

// "Name=POS" entries, e.g. lineup("V", 9) gives V1=P1 .. V9=P9.
QStringList lineup(const QString& prefix, int n);

// Fills one side's lineup and sheet rows (names in column 1, "1" in column
// 18 for the first nine) as a team load does.
void fillSide(Form1& board, bool visitors, const QStringList& entries);
// Makes the pitcher current for the side and lists him in its column 11.
void setPitcher(Form1& board, bool visitors, const QString& name, int row = 1);
// A whole game ready to record: both lineups of nine, pitchers "VP" and
// "HP", the visitors at bat with the first batter picked.
void standardGame(Form1& board);
// Sets the side at bat (its own click behaviour runs).
void atBat(Form1& board, bool visitors);
// Picks the batter at a lineup position as a click would.
void pick(Form1& board, bool visitors, int row);

Grid& grid(Form1& board, bool visitors);
QString cell(Form1& board, bool visitors, int row, int col);

// The board's &H00BBGGRR background of a lineup (white at bat, grey not).
unsigned backColor(const QObject* w);

// The notice of a play refused before pitchers, side at bat and batter are set.
inline const QString NotReadyNotice = "Both pitchers must be selected first. 'AT BAT' button must be selected. "
                                      "Then first batter must be selected.";

}  // namespace gamehelp
