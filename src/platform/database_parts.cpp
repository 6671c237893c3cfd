// A large table read in ranges of its rowids at once, each on a connection
// and thread of its own, joined into the rows of one read.
#include "platform/database_reader.h"
#include "platform/database_threads.h"

#include <QScopeGuard>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <latch>
#include <thread>

namespace db {

using namespace detail;

QString Parts::statement() const
{
    QString s = select;
    if (!condition.isEmpty())
        s += QStringLiteral(" WHERE ") + condition;
    return s + QStringLiteral(" ORDER BY rowid");
}

namespace {

// A part smaller than this costs more in opening its connection than it
// saves; a read beyond MaxParts parts gains little more.
constexpr qint64 RowsPerPart = 16384;
constexpr int MaxParts = ReaderThreadCount;

// How a read is cut into parts: rowid ranges, first to last, in order.
struct PartPlan {
    QByteArray file;
    std::vector<std::pair<qint64, qint64>> ranges;
    qint64 dataVersion = 0;
};

// first..last cut into `parts` consecutive ranges of near equal width, each
// range's first rowid one past the previous range's last. Worked out as
// unsigned offsets from first, which neither overflow nor round a range
// away, whatever the rowids and the gaps between them; last - first must
// be at least `parts`.
std::vector<std::pair<qint64, qint64>> rowidRanges(qint64 first, qint64 last, int parts)
{
    const quint64 width = quint64(last) - quint64(first), n = quint64(parts);
    const quint64 step = width / n, rest = width % n;
    // rest * i stays below n * n.
    const auto start = [&](quint64 i) { return qint64(quint64(first) + step * i + rest * i / n); };
    std::vector<std::pair<qint64, qint64>> ranges;
    for (quint64 i = 0; i < n; ++i)
        ranges.emplace_back(start(i), i + 1 == n ? last : qint64(quint64(start(i + 1)) - 1));
    return ranges;
}

// The first cell of a one-row statement of the connection, or nothing when
// it fails or gives no row.
std::optional<QVariant> singleValue(sqlite3* handle, const QString& sql, const QString& text = QString())
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return std::nullopt;
    Statement stmt(raw);
    if (!text.isNull())
        sqlite3_bind_text16(raw, 1, text.utf16(), int(text.size() * qsizetype(sizeof(QChar))), SQLITE_TRANSIENT);
    if (sqlite3_step(raw) != SQLITE_ROW)
        return std::nullopt;
    switch (sqlite3_column_type(raw, 0)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(raw, 0)));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0))));
    }
}

std::optional<qint64> dataVersionOf(sqlite3* handle)
{
    const std::optional<QVariant> v = singleValue(handle, QStringLiteral("PRAGMA data_version"));
    if (!v || v->typeId() != QMetaType::LongLong)
        return std::nullopt;
    return v->toLongLong();
}

// Whether SQLite reads the one read by going through the whole table in
// rowid order, nothing else: where it searches an index instead (a game's
// rows found by their GameID) it reads a few pages, fewer than the parts
// would open connections for. The parts are in rowid order whatever the
// plan, so the rows and their order are the one read's either way.
bool readsWholeTable(sqlite3* handle, const Parts& parts, const QVariantList& params)
{
    const QString sql = QStringLiteral("EXPLAIN QUERY PLAN ") + parts.statement();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return false;
    const Statement plan(raw);
    if (sqlite3_bind_parameter_count(raw) != params.size())
        return false;
    for (int i = 1; i <= int(params.size()); ++i)
        if (bindValue(raw, i, params[i - 1]) != SQLITE_OK)
            return false;
    // The plan of the values bound: a LIKE pattern given as a value decides
    // whether an index serves it.
    int steps = 0;
    for (; sqlite3_step(raw) == SQLITE_ROW; ++steps) {
        const QString detail = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 3)));
        if (detail.compare(QLatin1String("SCAN ") + parts.table, Qt::CaseInsensitive) != 0
            && detail.compare(QLatin1String("SCAN TABLE ") + parts.table, Qt::CaseInsensitive) != 0)
            return false;
    }
    return steps == 1;
}

// The parts a read of the table is cut into, or nothing where one read is
// better or parts could give other rows than it: a small table, a
// transaction open on the connection (parts would not see its changes), a
// file in WAL mode (each part could see another state of it), a plan that
// is not a plain read of the whole table (see readsWholeTable), a field
// named rowid (the parts' ranges would not be rowids), a value only Qt
// knows how to bind.
std::optional<PartPlan> planParts(sqlite3* handle, const Parts& parts, const QVariantList& params)
{
    const QString& table = parts.table;
    const int cores = int(std::thread::hardware_concurrency());
    if (!handle || cores < 2 || !sqlite3_get_autocommit(handle))
        return std::nullopt;
    sqlite3_stmt* bound = nullptr;
    if (sqlite3_prepare_v2(handle, "SELECT ?", -1, &bound, nullptr) != SQLITE_OK)
        return std::nullopt;
    const Statement probe(bound);
    for (const QVariant& p : params)
        if (!bindValue(bound, 1, p))
            return std::nullopt;

    // The cheap test first: most reads are of small tables.
    const QString quotedTable = detail::quoted(table);
    sqlite3_stmt* raw = nullptr;
    // Each alone, so SQLite reads each off an end of the table.
    const QString range = QStringLiteral("SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1)")
                              .arg(quotedTable);
    if (sqlite3_prepare16_v2(handle, range.utf16(), int(range.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return std::nullopt;
    const Statement bounds(raw);
    if (sqlite3_step(raw) != SQLITE_ROW || sqlite3_column_type(raw, 0) != SQLITE_INTEGER)
        return std::nullopt;
    const qint64 first = sqlite3_column_int64(raw, 0), last = sqlite3_column_int64(raw, 1);
    // Unsigned: from the smallest rowid to the largest is more than any
    // signed 64-bit number holds.
    const quint64 width = quint64(last) - quint64(first);
    if (last < first || width < quint64(2 * RowsPerPart))
        return std::nullopt;

    const std::optional<QVariant> mode = singleValue(handle, QStringLiteral("PRAGMA journal_mode"));
    if (!mode || mode->toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    if (!readsWholeTable(handle, parts, params))
        return std::nullopt;
    const std::optional<QVariant> named = singleValue(
        handle,
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE lower(name) IN ('rowid', '_rowid_', 'oid')"),
        table);
    if (!named || named->toLongLong() != 0)
        return std::nullopt;
    const std::optional<qint64> version = dataVersionOf(handle);
    const char* file = sqlite3_db_filename(handle, "main");
    if (!version || !file || !*file)
        return std::nullopt;

    PartPlan plan;
    plan.file = file;
    plan.dataVersion = *version;
    const quint64 count = std::min<quint64>(quint64(std::min(cores, MaxParts)), width / quint64(RowsPerPart));
    plan.ranges = rowidRanges(first, last, int(count));
    return plan;
}

QString partStatement(const Parts& p)
{
    QString s = p.select + QStringLiteral(" WHERE rowid BETWEEN ? AND ?");
    if (!p.condition.isEmpty())
        s += QStringLiteral(" AND (") + p.condition + QLatin1Char(')');
    return s + QStringLiteral(" ORDER BY rowid");
}

// Runs readPart(part, handle, statement) for every part of the plan at once,
// each on a read-only connection of its own, on a thread of the pool, with the
// part's range bound ahead of params. True when every part was read through
// and the file did not change meanwhile (as the planning connection sees it).
bool readParts(sqlite3* planner, const PartPlan& plan, const QString& statement, const QVariantList& params,
               const std::function<void(int, sqlite3*, sqlite3_stmt*)>& readPart)
{
    const int parts = int(plan.ranges.size());
    std::vector<char> done(size_t(parts), 0);
    std::latch finished(parts);
    for (int part = 0; part < parts; ++part) {
        ReaderThreads::instance().parts().start([&, part] {
            const auto countDown = qScopeGuard([&] { finished.count_down(); });
            sqlite3* h = nullptr;
            const int opened = sqlite3_open_v2(plan.file.constData(), &h, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                                               nullptr);
            const std::unique_ptr<sqlite3, int (*)(sqlite3*)> handle(h, sqlite3_close_v2);
            if (opened != SQLITE_OK)
                return;
            sqlite3_busy_timeout(h, busyTimeout());
            // A part reads each page once: a page cache would only hold
            // memory while every part runs.
            sqlite3_exec(h, "PRAGMA cache_size = -256", nullptr, nullptr, nullptr);
            try {
                const auto& [first, last] = plan.ranges[size_t(part)];
                const std::optional<Statement> stmt =
                    prepareDirect(h, statement, QVariantList{qlonglong(first), qlonglong(last)} + params);
                if (!stmt)
                    return;
                readPart(part, h, stmt->get());
                done[size_t(part)] = 1;
            } catch (...) {
                // Left to the one read, which reports a failure in its own words.
            }
        });
    }
    finished.wait();
    if (std::find(done.begin(), done.end(), 0) != done.end())
        return false;
    const std::optional<qint64> version = dataVersionOf(planner);
    return version && *version == plan.dataVersion;
}

}  // namespace

ColumnRows Connection::selectColumnsInParts(const Parts& parts, const QVariantList& params, FixedColumn fixed,
                                            const std::vector<SortKey>& sortAfter)
{
    sqlite3* handle = handleOf(db_);
    if (const std::optional<PartPlan> plan = planParts(handle, parts, params)) {
        std::vector<Read> reads(plan->ranges.size());
        const auto readPart = [&](int part, sqlite3* h, sqlite3_stmt* stmt) {
            reads[size_t(part)] = readPrepared(h, stmt, sortAfter);
        };
        if (readParts(handle, *plan, partStatement(parts), params, readPart)) {
            Read read = Read::join(std::move(reads));
            read.sort(sortAfter);
            return columnRowsOf(std::move(read), fixed);
        }
    }
    return selectColumns(parts.statement(), params, fixed, sortAfter);
}

std::optional<int> Connection::scanInParts(const Parts& parts, const QVariantList& params,
                                           const std::function<void(int)>& start,
                                           const std::function<bool(int, const ScanRow&)>& onRow)
{
    sqlite3* handle = handleOf(db_);
    if (const std::optional<PartPlan> plan = planParts(handle, parts, params)) {
        const int count = int(plan->ranges.size());
        start(count);
        std::atomic<bool> stopped{false};
        const auto readPart = [&](int part, sqlite3* h, sqlite3_stmt* stmt) {
            ScanRow row;
            while (!stopped.load(std::memory_order_relaxed) && row.next(h, stmt))
                if (!onRow(part, row))
                    stopped = true;
        };
        if (readParts(handle, *plan, partStatement(parts), params, readPart))
            return count;
    }
    start(1);
    if (!scan(parts.statement(), params, [&](const ScanRow& row) { return onRow(0, row); }))
        return std::nullopt;
    return 1;
}

}  // namespace db
