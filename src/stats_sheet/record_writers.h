#pragma once
// The rows one saved game adds to the statistics database, one writer per
// table. The writers read a copy of the sheet taken by the save (GameRecord)
// rather than the grids themselves, so the save can run them inside one
// transaction and change the sheet only once every row is stored.
#include "stats_sheet/sheet_columns.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace db {
class Connection;
}

namespace records {

namespace col = sheet::col;
namespace box = sheet::box;

// The texts of one team's statistics grid, rows and columns counted as on
// the sheet (row 0 the header row).
struct TeamLines {
    std::vector<QStringList> cells;  // cells[row][column], every row col::Count long

    int rows() const { return int(cells.size()); }
    const QString& at(int row, int column) const { return cells[size_t(row)][column]; }
    QString& at(int row, int column) { return cells[size_t(row)][column]; }
    // Whether the row's batting line is stored: played flag exactly "1" and a name.
    bool battingSaved(int row) const;
    // Whether the row's pitching line is stored: a pitcher's name.
    bool pitchingSaved(int row) const;
};

// One game as the save stores it.
struct GameRecord {
    TeamLines visitors;
    TeamLines home;
    // Rows 1 (visitors) and 2 (home) of the box score, columns 0 to 23.
    std::array<QStringList, 2> boxRows;
    // The board's run boxes, which decide the winner.
    QString visitorsRuns;
    QString homeRuns;
    // The moment the user saved; recordGame sets gameId from it.
    QDateTime savedAt;
    QString gameId;

    QString visitorsTeam() const { return boxRows[0].value(box::Team); }
    QString homeTeam() const { return boxRows[1].value(box::Team); }
};

// The first cell the save would store but cannot, named for the user (side,
// batting or pitching line or line score, row or inning, column and its
// text), in the order visitors' lines, home lines, line score. Counts and
// line-score cells must be whole numbers or empty, innings pitched decimal
// numbers or empty; every innings cell counts, named row or not, since the
// credit of the current pitcher sums them all.
std::optional<QString> firstBadCell(const GameRecord& game);

// The innings pass of the pitching writer, done on the copy before anything
// is stored: a named pitcher whose innings cell is empty or exactly "0"
// gets ".0001", so that no stored set of pitching rows sums to zero innings.
void markUnrecordedInnings(TeamLines& lines);

// Who won, from the run boxes read as numbers (an empty or non-numeric text
// counts 0; "10" beats "9"). Neither on a tie.
struct Outcome {
    bool wonByVisitors = false;
    bool wonByHome = false;
};
Outcome decideOutcome(const QString& visitorsRuns, const QString& homeRuns);

// The writers, each appending its table's rows of the game. They expect the
// cells to have passed firstBadCell; a cell that has not throws ProgramError.
void RecordBattingData(db::Connection& conn, const GameRecord& game);   // home, then visitors
void RecordPitchingData(db::Connection& conn, const GameRecord& game);  // home, then visitors
void RecordBoxScore(db::Connection& conn, const GameRecord& game);      // "a_VIS", then "b_HOME"
void UpdateWinLoss(db::Connection& conn, const GameRecord& game);       // visitors, then home
void RecordMatchup(db::Connection& conn, const GameRecord& game);       // "visitors  vs  home"

// All five in that order, inside one transaction: every row of the game is
// stored or none is. The game's id is the stamp of savedAt, or of the first
// later second that no stored game uses, chosen inside the transaction so
// that two programs saving in the same second still store two games.
void recordGame(db::Connection& conn, GameRecord& game);

}  // namespace records
