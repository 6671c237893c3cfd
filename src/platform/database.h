#pragma once
// The statistics database: one SQLite file, "ZRQ.mdb" in the program folder,
// written by the statistics sheet's save and read, deleted from and exported
// by the statistics browser. Every one of them opens it through
// db::Connection, which also brings a missing file or table into being.
//
// Rules every call site keeps:
// - Values from the user (sheet cells, filter texts, names) are bound as
//   parameters ("?"), never pasted into SQL text. A filter for LIKE is bound
//   too: `... WHERE Batter LIKE ?` with `text + "%"`; "%" and "_" in it stay
//   wildcards, an apostrophe is just a character.
// - An empty cell is bound as a typed NULL (countValue/inningsValue do it),
//   never as "" and never as 0.
// - A save, a delete and a purge each run inside transaction(): all of their
//   rows or none.
// - SQLite divides integers without a fraction (7 / 2 is 3). A rate
//   multiplies by 1.0 first: `SUM([1B]) * 1.0 / SUM(AB)`. A division by zero
//   gives NULL (an empty cell), not a failure. IFNULL(x, 0) stands for the
//   "Null counts as 0" of the rate formulas.
// - Text columns compare, sort, group and LIKE-match without regard to case
//   (COLLATE NOCASE, ASCII letters), as the readers expect.
//
// Failures are thrown as ProgramError carrying SQLite's own result code and
// message ("5, database is locked", "26, file is not a database", "8, attempt
// to write a readonly database"); see raise().
#include "common/guard.h"
#include "platform/text_columns.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QSqlError;

namespace db {

enum class Type { Text, Integer, Real };

struct Column {
    QString name;
    Type type;
};

struct Table {
    QString name;
    std::vector<Column> columns;  // in the established field order
};

// The five tables, Batting, Pitching, BoxScores, WinLoss and Matchups, with
// their fields in order. A file may hold a table's fields in another order
// (or more fields); readers name the fields in this order, never "*", and
// place grid columns by position.
const std::vector<Table>& tables();

// The database file's path: folder::resolve("ZRQ.mdb"), so an existing
// "zrq.MDB" is the one used.
QString path();

// How long an operation waits for another program's lock before failing
// with SQLite's "database is locked" (milliseconds; tests shorten it).
void setBusyTimeout(int milliseconds);
int busyTimeout();

// The SQLite library's version number (3040001 for 3.40.1).
int libraryVersion();

// A reader's result: the column names as the statement returns them and
// every row as display texts (see displayText).
struct Rows {
    QStringList columns;
    std::vector<QStringList> rows;
};

// A reader's result held column by column (see TextColumn): a fraction of
// the memory of Rows for a large result, and quick to let go of.
struct ColumnRows {
    QStringList columns;
    std::vector<TextColumn> data;  // with FixedColumn::Leading, data[0] is the empty fixed column
    size_t rows = 0;
};

// Whether each row of a select() starts with an empty text for a grid's
// fixed column 0, so the rows can go straight into GridModel::setDataRows.
enum class FixedColumn { None, Leading };

// An order select() applies after reading, in place of an ORDER BY on a
// field without an index (SQLite sorts whole rows through temporary storage,
// which costs more than reading them). The field is a result column, named
// without regard to case. Values compare as SQLite orders them: NULL first,
// then numbers by value, then texts byte by byte (caseless: with the ASCII
// capitals folded, as COLLATE NOCASE does), then blobs; descending reverses
// that. Rows with equal keys keep the statement's order, so "... ORDER BY
// rowid" sorted after reading by GameID descending gives the rows of
// "... ORDER BY GameID DESC, rowid".
struct SortKey {
    QString field;
    bool descending = false;
    bool caseless = false;  // for a field declared COLLATE NOCASE
};

// One row of a scan(), its cells as SQLite holds them: nothing is turned
// into text unless asked. Valid only inside the call that receives it.
class ScanRow {
public:
    enum class Kind { Null, Integer, Real, Text, Blob };
    Kind kind(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    // A text's UTF-8 bytes as stored (may hold any byte, also 0).
    std::string_view bytes(int column) const;
    // The cell as select() shows a text: NULL as "".
    QString text(int column) const;

private:
    friend class Connection;
    // Steps a statement (a sqlite3_stmt of the connection `handle`) to its
    // next row and takes that row's cells; false at the end, a failure
    // thrown as select() throws it.
    bool next(void* handle, void* statement);
    // The row's cells, each taken from the statement once: every call into
    // the statement itself takes the connection's lock.
    std::vector<void*> values_;
};

// A SELECT over the rows of one table that may be read in parts: `select`
// is "SELECT <fields> FROM <table>" without WHERE or ORDER BY, `condition`
// the WHERE condition on the table's rows (without "WHERE"; may be empty).
// Its result is the rows of `select WHERE condition ORDER BY rowid`.
struct Parts {
    QString select;
    QString table;
    QString condition;

    // The statement as one read: select, condition, "ORDER BY rowid".
    QString statement() const;
};

// One open connection to the statistics database. Constructing it opens the
// file; when the file is missing it is created with the five tables, and
// when only some tables are missing those are created (one transaction). An
// existing file is otherwise left exactly as it was: a file that is not a
// database, one that cannot be written while a table is missing, a locked
// one, or a table lacking one of the needed fields (compared without regard
// to case; extra fields are allowed) throws ProgramError and nothing is
// written. An empty (0-byte) file counts as an empty database. The one
// change made to an existing file: an index on GameID of Batting, Pitching
// and BoxScores is added where missing (new tables get it as they are
// made); it changes no row, and a file that cannot take it (read only,
// another program writing it) is read without it.
//
// Queries made through the connection must be gone before it is destroyed
// (declare them after it); the destructor closes and unregisters the
// connection. Not copyable or movable: make one where it is needed.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The Qt connection, for what the helpers below do not cover.
    QSqlDatabase& sql() { return db_; }

    // Prepares and runs one statement with positional parameters ("?").
    // Throws on failure. The returned query is forward-only.
    QSqlQuery exec(const QString& statement, const QVariantList& params = {});

    // Appends one row: each field named (table fields, matched without regard
    // to case) gets its value; the fields not named stay NULL.
    void insert(const QString& table, const std::vector<std::pair<QString, QVariant>>& fields);

    // Runs a SELECT and reads every row at once. The rows are read straight
    // from SQLite through the connection's own handle (Qt's row fetching
    // costs several times the query itself); parameters of a kind only Qt
    // knows how to bind, named placeholders and the like go through Qt, with
    // the same texts and failures. (One difference: an unnamed result
    // expression holding a "?" is named as written, where Qt, which renames
    // the marks, named it ":0"; give such a column a name with AS.)
    // A sort key naming no result column throws ProgramError 1 "no such
    // column: <field>", as SQLite does.
    Rows select(const QString& statement, const QVariantList& params = {}, FixedColumn fixed = FixedColumn::None,
                const std::vector<SortKey>& sortAfter = {});

    // The same result held column by column, for GridModel::setDataColumns.
    ColumnRows selectColumns(const QString& statement, const QVariantList& params = {},
                             FixedColumn fixed = FixedColumn::None, const std::vector<SortKey>& sortAfter = {});

    // Runs a SELECT and hands each row to onRow as it is read, for a caller
    // that works the cells out itself; onRow returns false to stop. Returns
    // the result's column names as select() gives them, or nothing (and runs
    // nothing) where the rows cannot be read straight from SQLite: the caller
    // then uses select(). Failures are thrown as select() throws them.
    std::optional<QStringList> scan(const QString& statement, const QVariantList& params,
                                    const std::function<bool(const ScanRow&)>& onRow);

    // The rows of parts.statement(), as selectColumns() gives them. A large
    // table is read in ranges of its rowids at once, each on a read-only
    // connection of its own on its own thread, and the ranges joined in
    // order: the same rows, order and texts as one read in a fraction of the
    // time. It is read as one statement on this connection instead where
    // SQLite would not read the whole table for it (an index finds the rows:
    // one read takes a few pages), where parts could differ from one read (a
    // transaction open here, a field named rowid, a file in WAL mode), where
    // a part fails (the failure is then the one read's own), and where
    // another program changed the file while the parts were read.
    ColumnRows selectColumnsInParts(const Parts& parts, const QVariantList& params = {},
                                    FixedColumn fixed = FixedColumn::None, const std::vector<SortKey>& sortAfter = {});

    // scan() of parts.statement(), read in parts as selectColumnsInParts()
    // reads. start(n) comes first, with the number of parts; then each
    // part's rows go to onRow(part, row) in rowid order, from that part's
    // thread, several parts at once. A caller keeps what it works out per
    // part and joins the parts in order. Where the parts cannot stand,
    // start(1) comes again and the rows follow as one read, part 0. An
    // onRow returning false stops every part. Returns the number of parts
    // whose rows were handed over, or nothing as scan() does.
    std::optional<int> scanInParts(const Parts& parts, const QVariantList& params,
                                   const std::function<void(int parts)>& start,
                                   const std::function<bool(int part, const ScanRow& row)>& onRow);

    // The collating sequence a table's field is declared with ("BINARY"
    // where none is named), or nothing where the table, the field or the
    // answer cannot be had.
    std::optional<QString> collationOf(const QString& table, const QString& field);

    // Runs work between BEGIN IMMEDIATE and COMMIT. Any failure inside work
    // or at COMMIT rolls everything back and is rethrown: a ProgramError as
    // it was, an SQL failure as ProgramError with SQLite's code and text.
    void transaction(const std::function<void()>& work);

private:
    void close() noexcept;
    void prepareFile();
    void addIndex(const QString& statement);
    void addGameIndexes(const std::vector<const Table*>& unindexed);
    struct Read;
    Read readAll(const QString& statement, const QVariantList& params, const std::vector<SortKey>& sortAfter);
    std::optional<Read> selectDirect(const QString& statement, const QVariantList& params,
                                     const std::vector<SortKey>& sortAfter);
    Read selectThroughQt(const QString& statement, const QVariantList& params, const std::vector<SortKey>& sortAfter);
    // Steps a prepared statement (a sqlite3_stmt of the connection
    // `handle`) to its end into a Read.
    static Read readPrepared(void* handle, void* statement, const std::vector<SortKey>& sortAfter);
    static ColumnRows columnRowsOf(Read read, FixedColumn fixed);

    QString name_;
    QSqlDatabase db_;
};

// Throws the failure as ProgramError: SQLite's result code and message;
// where SQLite gave none (the driver missing, a parameter count mismatch),
// 75 "Path/File access error" or 5 "Invalid procedure call or argument"
// with Qt's text.
[[noreturn]] void raise(const QSqlError& error);

// --- binding sheet cells ---------------------------------------------------
// A cell that is empty or holds only blanks is "empty": its field stays NULL.

// The NULL of a column type (a QVariant of that type holding no value).
QVariant nullOf(Type type);

// The strict check the save runs over every count cell before it writes
// anything, so it can name the bad cell: a count is empty or a whole number
// ("3", " 12 ", "-1", "4.0"). Letters, exponents, "3.5" and the like fail.
bool isCount(const QString& cell);

// The value bound for a count (INTEGER) or innings (REAL) cell: the number,
// or the typed NULL for an empty cell. Innings are empty or a decimal number
// ("5.67", ".0001", "6"). A count that fails the check above, or innings
// that are not such a number, throw ProgramError 13 "Type mismatch".
QVariant countValue(const QString& cell);
QVariant inningsValue(const QString& cell);

// --- showing values ----------------------------------------------------------

// How a stored value reads in a grid: NULL as "", whole numbers as digits,
// fractional numbers as plain decimals (numberText), text as it is.
QString displayText(const QVariant& value);

// A fractional number as plain decimal text with up to 15 significant
// digits and no trailing zeros: 0.0001 reads "0.0001" (never "1e-04"), 6.0
// reads "6", 5.67 reads "5.67".
QString numberText(double value);

}  // namespace db
