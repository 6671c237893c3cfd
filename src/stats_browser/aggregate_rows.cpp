#include "stats_browser/aggregate_rows.h"

#include "platform/database_arithmetic.h"
#include "platform/database_order.h"
#include "platform/text_columns.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace browser {

namespace {

using db::Number;

// ------------------------------------------------------------ groups

// SUM() of whole numbers: NULL until a value comes.
struct Sum {
    qint64 total = 0;
    bool any = false;

    Number value() const { return any ? db::whole(total) : Number{}; }
};

// SUM(IP * 1.0): reals added in the order the rows come, from 0.0 (so a
// lone -0.0 sums to 0.0, as SQLite's does).
struct RealSum {
    double total = 0;
    bool any = false;

    Number value() const { return any ? db::real(total) : Number{}; }
};

constexpr int MaxCounts = 9;

struct Group {
    // The group's key as readRow finds it (see appendName).
    std::string key;
    // For the order: the names as ORDER BY compares them.
    db::SortValue player, team;
    // The names as the group's first row spells them: what GROUP BY shows.
    QString playerText, teamText;
    std::array<Sum, MaxCounts> counts;
    RealSum innings;
};

// A name cell's part of its group's key, equal for the names NOCASE finds
// equal: "\0" for NULL, otherwise "\1" and the bytes folded. False for
// what NOCASE grouping would not treat as plain bytes (a number, a blob, a
// text holding a NUL byte, where SQLite's comparison stops).
bool appendName(const db::ScanRow& row, int column, std::string& key)
{
    const db::ScanRow::Kind kind = row.kind(column);
    if (kind == db::ScanRow::Kind::Null) {
        key += '\0';
        return true;
    }
    if (kind != db::ScanRow::Kind::Text)
        return false;
    const std::string_view bytes = row.bytes(column);
    if (bytes.find('\0') != std::string_view::npos)
        return false;
    key += '\1';
    for (const char ch : bytes)
        key += db::foldedCase(ch);
    return true;
}

// A name cell that appendName took, as ORDER BY compares it.
db::SortValue nameValue(const db::ScanRow& row, int column)
{
    db::SortValue v;
    if (row.kind(column) == db::ScanRow::Kind::Text) {
        v.rank = db::SortValue::Text;
        v.bytes = row.bytes(column);
    }
    return v;
}

// What one read of the rows needs: the fields summed as whole numbers, in
// the order of the result's sums, and the innings summed as reals.
struct Layout {
    const char* table;
    const char* player;
    std::vector<const char*> counts;
    const char* innings = nullptr;
};

Layout layoutOf(const Aggregate& a)
{
    Layout l{a.table, a.player, {}};
    for (const AggregateColumn& c : a.columns) {
        if (c.summedAsReal)
            l.innings = c.field;
        else if (c.field)
            l.counts.push_back(c.field);
    }
    return l;
}

QString scanSelect(const Layout& l)
{
    QStringList fields{QString::fromLatin1(l.player), QStringLiteral("Team")};
    for (const char* f : l.counts)
        fields << QString::fromLatin1(f);
    if (l.innings)
        fields << QString::fromLatin1(l.innings);
    for (QString& f : fields)
        f = QStringLiteral("\"%1\" AS \"%1\"").arg(f);
    return QStringLiteral("SELECT %1 FROM \"%2\"").arg(fields.join(QStringLiteral(", ")), QLatin1String(l.table));
}

bool groupsWithoutCase(db::Connection& c, const Layout& l)
{
    for (const char* field : {l.player, "Team"}) {
        const std::optional<QString> collation = c.collationOf(QLatin1String(l.table), QLatin1String(field));
        if (!collation || collation->compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// The groups of one part of the rows, in the order they first come.
struct PartGroups {
    std::vector<Group> groups;
    std::unordered_map<std::string, quint32> found;
    // Each row's innings, by group, in row order: reals summed in another
    // order could differ in the last bit.
    std::vector<std::pair<quint32, double>> innings;
    // The largest count's size and the rows read: while their product fits
    // 63 bits no sum overflows, whatever the order it is taken in.
    quint64 largest = 0;
    quint64 rows = 0;
    bool sure = true;
};

// Reads one row into its part's group. False where the row leaves the
// result in doubt.
bool readRow(const db::ScanRow& row, const Layout& l, PartGroups& part, std::string& key)
{
    const int firstCount = 2;
    const int counts = int(l.counts.size());
    const int innings = firstCount + counts;
    key.clear();
    if (!appendName(row, 0, key))
        return false;
    key += '\0';
    if (!appendName(row, 1, key))
        return false;
    auto [at, added] = part.found.try_emplace(key, quint32(part.groups.size()));
    if (added) {
        Group& g = part.groups.emplace_back();
        g.playerText = row.text(0);
        g.teamText = row.text(1);
        g.key = key;
        g.player = nameValue(row, 0);
        g.team = nameValue(row, 1);
    }
    Group& g = part.groups[at->second];
    ++part.rows;
    for (int i = 0; i < counts; ++i) {
        const int col = firstCount + i;
        switch (row.kind(col)) {
        case db::ScanRow::Kind::Null:
            break;
        case db::ScanRow::Kind::Integer: {
            Sum& s = g.counts[size_t(i)];
            const qint64 v = row.integer(col);
            // SQLite stops with "integer overflow": the statement says so.
            if (__builtin_add_overflow(s.total, v, &s.total))
                return false;
            s.any = true;
            part.largest = std::max(part.largest, v < 0 ? 0 - quint64(v) : quint64(v));
            break;
        }
        default:
            return false;
        }
    }
    if (l.innings) {
        switch (row.kind(innings)) {
        case db::ScanRow::Kind::Null:
            break;
        case db::ScanRow::Kind::Integer:
            part.innings.emplace_back(at->second, static_cast<double>(row.integer(innings)) * 1.0);
            break;
        case db::ScanRow::Kind::Real:
            part.innings.emplace_back(at->second, row.real(innings) * 1.0);
            break;
        default:
            return false;
        }
    }
    return true;
}

// The parts' groups as one read of all the rows would have formed them.
bool joinParts(std::vector<PartGroups>& parts, std::vector<Group>& groups)
{
    quint64 rows = 0, largest = 0;
    for (const PartGroups& p : parts) {
        if (!p.sure)
            return false;
        rows += p.rows;
        largest = std::max(largest, p.largest);
    }
    // One part's sums were taken in the rows' own order, overflow checked.
    quint64 bound = 0;
    if (parts.size() > 1
        && (__builtin_mul_overflow(largest, rows, &bound) || bound > quint64(std::numeric_limits<qint64>::max())))
        return false;
    std::unordered_map<std::string, quint32> found;
    for (PartGroups& p : parts) {
        std::vector<quint32> to(p.groups.size());
        for (size_t i = 0; i < p.groups.size(); ++i) {
            Group& g = p.groups[i];
            auto [at, added] = found.try_emplace(g.key, quint32(groups.size()));
            to[i] = at->second;
            if (added) {
                groups.push_back(std::move(g));
                continue;
            }
            Group& into = groups[at->second];
            for (size_t k = 0; k < into.counts.size(); ++k) {
                into.counts[k].total += g.counts[k].total;
                into.counts[k].any = into.counts[k].any || g.counts[k].any;
            }
        }
        for (const auto& [group, value] : p.innings) {
            RealSum& s = groups[to[group]].innings;
            s.total += value;
            s.any = true;
        }
    }
    return true;
}

// Reads every row into its group, the rows of a large table in parts at
// once. False where a row leaves the result in doubt; the groups are then
// incomplete.
bool readGroups(db::Connection& c, const Layout& l, const QString& condition, const QVariantList& params,
                std::vector<Group>& groups)
{
    std::vector<PartGroups> parts;
    std::vector<std::string> keys;
    const auto start = [&](int count) {
        parts.assign(size_t(count), PartGroups());
        keys.assign(size_t(count), std::string());
    };
    const auto onRow = [&](int part, const db::ScanRow& row) {
        PartGroups& p = parts[size_t(part)];
        return p.sure = readRow(row, l, p, keys[size_t(part)]);
    };
    if (!c.scanInParts(db::Parts{scanSelect(l), QLatin1String(l.table), condition}, params, start, onRow))
        return false;
    return joinParts(parts, groups);
}

// ORDER BY Team, <player>. No two groups are equal in both.
bool listedBefore(const Group& a, const Group& b)
{
    if (const int t = db::compareValues(a.team, b.team, true); t != 0)
        return t < 0;
    return db::compareValues(a.player, b.player, true) < 0;
}

// The result columns after the two names, worked out as the statement does.
std::vector<Number> cellsOf(const Aggregate& a, const Group& g)
{
    std::vector<Number> cells;
    cells.reserve(a.columns.size());
    size_t count = 0;
    for (const AggregateColumn& c : a.columns)
        cells.push_back(c.summedAsReal ? g.innings.value() : c.field ? g.counts[count++].value() : c.rate->value(cells));
    return cells;
}

}  // namespace

std::optional<db::ColumnRows> aggregateRows(db::Connection& c, AggregateTable table, const QString& where,
                                            const QVariantList& params)
{
    const Aggregate& aggregate = aggregateOf(table);
    const Layout l = layoutOf(aggregate);
    if (!groupsWithoutCase(c, l))
        return std::nullopt;
    // Later SQLite versions sum reals with a running error term; only the
    // plain sum in row order is known to match here.
    if (l.innings && db::libraryVersion() >= 3043000)
        return std::nullopt;

    // The rows the statement groups: its WHERE clause's condition.
    const QString condition = where.trimmed().startsWith(QLatin1String("WHERE "), Qt::CaseInsensitive)
        ? where.trimmed().mid(6)
        : where.trimmed();
    std::vector<Group> groups;
    if (!readGroups(c, l, condition, params, groups))
        return std::nullopt;
    std::vector<quint32> order(groups.size());
    std::iota(order.begin(), order.end(), quint32(0));
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return listedBefore(groups[a], groups[b]); });

    db::ColumnRows result;
    result.columns = aggregateHeader(table);
    result.rows = groups.size();
    result.data.resize(size_t(result.columns.size()) + 1);
    result.data[0].cells.assign(groups.size(), 0);
    std::vector<TextInterner> texts(result.data.begin() + 1, result.data.end());
    for (const quint32 i : order) {
        const Group& g = groups[i];
        result.data[1].cells.push_back(texts[0].indexOf(g.playerText));
        result.data[2].cells.push_back(texts[1].indexOf(g.teamText));
        const std::vector<Number> cells = cellsOf(aggregate, g);
        for (size_t k = 0; k < cells.size(); ++k)
            result.data[k + 3].cells.push_back(texts[k + 2].indexOf(db::textOf(cells[k])));
    }
    return result;
}

}  // namespace browser
