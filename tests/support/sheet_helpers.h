#pragma once
// Setting up a game on the board and the sheet by writing the controls the
// save reads, as team loading, pitching changes and recorded plays leave
// them, and reading the statistics database back.
#include "platform/database.h"

#include <QString>
#include <QStringList>
#include <vector>

class Form1;
class Grid;

namespace sheet_test {

enum class Side { Visitors, Home };

Grid* statsGrid(Form1& board, Side side);

// As loading a team file does: the entries in the lineup, the names in
// column 1, the played flag "1" in rows 1 to 9 and the team name on the
// board, the sheet and the box score.
void loadTeam(Form1& board, Side side, const QString& team, const QStringList& entries);

// Selects a lineup entry without running the batter pick.
void selectEntry(Form1& board, Side side, int row);

// A batting line's counts K, BB, 1B, 2B, 3B, HR, SB, RBI, AB (columns 2 to
// 10); shorter lists leave the rest as they are.
void setBatting(Form1& board, Side side, int row, const QStringList& counts);

// A pitching line: the name in column 11, counts K, BB, H, HR, ER, and the
// innings cell.
void setPitching(Form1& board, Side side, int row, const QString& name, const QStringList& counts,
                 const QString& ip = QString());

// The side's current pitcher on the board (the caption) and the pitcher he
// replaced (hidden text).
void setCurrentPitcher(Form1& board, Side side, const QString& name, const QString& replaced = QString());

// Half-innings the side batted: box i holds runs[i]; the first `completed`
// boxes are marked completed, the others keep their grey.
void setLineScore(Form1& board, Side side, const QStringList& runs, int completed);
// Hits and errors boxes of the side's line score.
void setHitsErrors(Form1& board, Side side, const QString& hits, const QString& errors);

// Which side is at bat (none when neither) and the outs of the half-inning
// in progress, without running the board's handlers.
void setAtBat(Form1& board, const Side* side, const QString& outs);

// Every row of a table in stored order, values as display texts (NULL "").
std::vector<QStringList> tableRows(const QString& table);
int tableCount(const QString& table);

// Two complete lineups of nine with the first entry selected, both current
// pitchers listed in row 1, nine full innings: a game ready to save.
void setUpNineInningGame(Form1& board, const QString& visitors, const QString& home);

}  // namespace sheet_test
