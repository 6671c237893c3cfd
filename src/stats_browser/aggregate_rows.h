#pragma once
// Aggregate batting and pitching worked out from one plain read of the rows
// instead of SQLite's GROUP BY, whose sort of every row costs several times
// the read. The result is the grouped statement's, cell for cell: the same
// groups (player and team alike in any case of letters), the spelling of
// each group's first row, the same sums, rates, texts and order.
#include "platform/database.h"
#include "stats_browser/aggregate_columns.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace browser {

// where: the statement's WHERE clause on the table's rows (or nothing),
// params its values. Returns the rows with the
// fixed column 0 leading, or nothing where this read cannot be sure to match
// the statement (a field not compared without regard to case, a count that
// is not a whole number, innings that are not a number, a sum beyond 64 bits,
// a name holding a NUL byte): the statement then decides, failures included.
std::optional<db::ColumnRows> aggregateRows(db::Connection& c, AggregateTable table, const QString& where,
                                            const QVariantList& params);

}  // namespace browser
