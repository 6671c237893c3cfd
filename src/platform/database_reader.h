#pragma once
// What the four files of the browser's fast reader share: the direct read
// over the driver's own sqlite3 handle (database_direct.cpp), the column
// store a result is read into (database_columns.cpp), the sort after
// reading (database_sort.cpp) and the reading in parts (database_parts.cpp).
#include "platform/database.h"
#include "platform/database_internal.h"
#include "platform/database_order.h"

#include <memory>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace db {

// A result as read, column by column, with its sort keys (if any) kept per
// run of rows with equal keys: results come grouped (a game's rows are saved
// together), so a sort after reading orders a few thousand runs, not every
// row.
struct Connection::Read {
    struct Run {
        size_t first = 0;
        size_t count = 0;
    };
    QStringList columns;
    std::vector<TextColumn> data;
    size_t count = 0;
    std::vector<Run> runs;
    std::vector<SortValue> keys;  // runs x sort keys
    std::vector<SortValue> scratch;

    // The row just appended has the keys in scratch.
    void noteKeys(const std::vector<SortKey>& order);
    // The reads of consecutive parts of one statement as one read: each
    // part's texts found among those already joined, by their text.
    static Read join(std::vector<Read> parts);
    // Puts the rows in the order of the sort keys.
    void sort(const std::vector<SortKey>& order);
};

namespace detail {

struct Finalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// The connection's sqlite3 handle, or null when the driver is not SQLite's
// or not the SQLite this program links.
sqlite3* handleOf(const QSqlDatabase& db);

// As raise() reports the same failure coming through Qt: SQLite's code and
// message, or Qt's words where SQLite has none.
[[noreturn]] void raiseSqlite(sqlite3* handle, int code, const char* qtWords);

// Binds one value the way Qt's driver does. Empty for a kind Qt converts in
// its own way (dates, times, unsigned 64-bit and others).
std::optional<int> bindValue(sqlite3_stmt* s, int index, const QVariant& v);

// The statement prepared on the connection's own handle with its values
// bound, or nothing where Qt's own handling decides: no handle of ours,
// nothing to run, a second statement after the first, or parameters other
// than plain "?" marks and values Qt binds its own way.
std::optional<Statement> prepareDirect(sqlite3* handle, const QString& statement, const QVariantList& params);

// The result's column names as Qt names them.
QStringList columnNamesOf(sqlite3_stmt* stmt);

// A stored text (p, size: its UTF-8 bytes) as Qt's driver reads it.
QString textOfValue(sqlite3_value* v, const char* p, size_t size);

// Each sort key's result column; a key naming none throws as SQLite does.
std::vector<int> sortColumns(const QStringList& columns, const std::vector<SortKey>& keys);

// A value as a sort key: from SQLite into a reused value, so a text key
// costs no allocation per row; and from Qt's driver.
void sortValueOf(sqlite3_value* v, SortValue& s);
SortValue sortValueOf(const QVariant& v);

}  // namespace detail
}  // namespace db
