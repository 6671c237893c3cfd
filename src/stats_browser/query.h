#pragma once
// The one way every query button of the browser fills its grid: run a
// statement over the statistics database, copy the whole result into the
// grid (row 0 the field names, column 0 the empty fixed column, the fields
// from column 1 on), then size, align and format its columns.
//
// Column numbers count the fixed column 0, as the grid does: the first field
// of a result is column 1.
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/guard.h"
#include "platform/database.h"

class Grid;

namespace browser {

// Alignment codes of the grid (see GridModel).
enum Align : int { LeftTop = 0, LeftCentre = 1, CentreTop = 3, CentreCentre = 4, RightCentre = 7 };

// The display patterns ".00" and ".000" (decimals 2 and 3): no thousands
// separator, no leading zero below 1 (".50"), the user's decimal symbol,
// halves rounded away from zero on the value's 15-significant-digit decimal
// form, so 5/16 reads ".313" and 19/80 ".238" whatever their binary error.
QString formatNumber(double value, int decimals);
// A cell's text in that pattern: an empty cell stays empty, a text that is
// not a number stays as it is.
QString formatCell(const QString& text, int decimals);

// Everything one query button does to its grid.
struct View {
    // The grid is made visible first; a handler that keeps it hidden while
    // it fills and colours it shows it itself.
    bool showGrid = true;
    QString statement;
    // Instead of the statement: one table's rows, read in parts where the
    // table is large (see db::Connection::selectColumnsInParts).
    std::optional<db::Parts> parts;
    // A reader tried before the statement, on the same connection: its
    // result (fixed column 0 leading) is shown as the statement's would be;
    // nothing from it runs the statement.
    std::function<std::optional<db::ColumnRows>(db::Connection&)> readFirst;
    // Filter texts and other values: always bound, never pasted into the SQL.
    QVariantList params;
    // An order applied after reading (see db::SortKey): a statement ending
    // in "ORDER BY rowid" with {"GameID", true} lists what "ORDER BY GameID
    // DESC, rowid" does, without SQLite sorting whole rows.
    std::vector<db::SortKey> sortAfter;
    // The field names the grid shows when the query fails (the grid is then
    // left with its header row only, laid out as on success).
    QStringList header;
    // (column, twips) in the order given; a later setting of the same column
    // wins; 0 hides the column. Columns the result does not have are skipped.
    std::vector<std::pair<int, int>> widths;
    // Header cells of every column are centred (code 3). Unless this is
    // false, the data cells of every column are centred too before the single
    // columns below get their own code.
    bool centreAllData = true;
    std::vector<std::pair<int, int>> alignments;
    // (column, decimals): the column's data cells rewritten in the ".00" or
    // ".000" pattern and then aligned right-centre.
    std::vector<std::pair<int, int>> formats;
};

// The field names of one of the five tables, in their established order.
QStringList fieldsOf(const QString& table);

// "SELECT <every field of the table, named, in that order> FROM <table>".
// A file may hold a table's fields in another order; the views place their
// columns by position, so they never select "*".
QString selectFields(const QString& table);

// Runs views for one step of the window.
//
// PerClick: each view opens its own connection, so it sees the database as
// it is at that moment, and a failure is shown at once in the "Program
// Error" box (one box per click).
//
// SharedStep (the window's load step): the views share one connection; after
// the first failure the rest leave their grids with the header row only
// without touching the database again, and report() shows that one failure,
// so a missing, foreign or locked file costs one box and one wait, not one
// per grid.
class QueryRunner {
public:
    enum class Mode { PerClick, SharedStep };
    explicit QueryRunner(Mode mode);
    ~QueryRunner();
    QueryRunner(const QueryRunner&) = delete;
    QueryRunner& operator=(const QueryRunner&) = delete;

    // Fills the grid from the view. On failure the grid holds the view's
    // header only, laid out; returns false.
    bool run(Grid& grid, const View& view);

    // SharedStep: starts reading these views at once, each on a connection
    // of its own on its own thread, for run() to take when it comes to the
    // same view (the same statement and values). Nothing starts when the
    // step's connection cannot be opened: run() then fails as it would.
    void prefetch(const std::vector<View>& views);

    // SharedStep: shows the step's first failure, if any (once).
    void report();
    const std::optional<ProgramError>& failure() const { return failure_; }

private:
    db::Connection& connection();

    Mode mode_;
    std::unique_ptr<db::Connection> shared_;
    // Views being read ahead, by their statement and values; waited for
    // when the runner goes, taken or not.
    std::vector<std::pair<QString, std::future<db::ColumnRows>>> ahead_;
    std::optional<ProgramError> failure_;
    bool reported_ = false;
};

// The steps of a view, for callers that fill a grid some other way.
// Replaces the grid's content: row 0 the names (column 0 empty), the rows
// from row 1, each starting with the fixed column's empty text.
void fillGrid(Grid& grid, const QStringList& names, std::vector<QStringList> rows);
// The same from a result read column by column (the names its columns').
void fillGrid(Grid& grid, db::ColumnRows result);
void layOut(Grid& grid, const View& view);

}  // namespace browser
