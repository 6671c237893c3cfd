#include "stats_browser/aggregate_rows.h"

#include "platform/text_columns.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace browser {

namespace {

// ------------------------------------------------------------ the statements
//
// The sums are formed once, grouped by team and player, and the rates are
// worked out from them by name in an outer select (SQLite cannot name a
// result column inside its own select list). A missing sum counts 0 in a
// rate, as IFNULL says. Every rate divides by a fraction ("* 1.0", and
// innings summed as REAL) so that 7 over 2 is 3.5, not 3; a division by
// zero gives NULL, shown as an empty cell, and every other row still shows.

// where: a WHERE clause (or nothing) on the table's rows.
QString battingStatement(const QString& where)
{
    return QStringLiteral(
               "SELECT Batter, Team, TAB, SI, DB, TR, HRun, BBs, SO, SBs, RBIs, "
               "(IFNULL(SI, 0) + IFNULL(DB, 0) + IFNULL(TR, 0) + IFNULL(HRun, 0)) * 1.0 / TAB AS BAvg, "
               // A home run is four bases.
               "(IFNULL(SI, 0) + IFNULL(DB, 0) * 2 + IFNULL(TR, 0) * 3 + IFNULL(HRun, 0) * 4) * 1.0 / TAB AS SLG "
               "FROM (SELECT Batter, Team, SUM(AB) AS TAB, SUM(\"1B\") AS SI, SUM(\"2B\") AS DB, "
               "SUM(\"3B\") AS TR, SUM(HR) AS HRun, SUM(BB) AS BBs, SUM(K) AS SO, SUM(SB) AS SBs, "
               "SUM(RBI) AS RBIs FROM Batting")
        + where
        // Grouped by player first: sorting every row for the groups, most
        // comparisons then end at the first field, where by team (a few
        // values over many rows) they would go on to the second. The rows
        // keep their order within a group either way, so every sum and name
        // stays as it was; the outer ORDER BY lists the few grouped rows by
        // team, then player.
        + QStringLiteral(" GROUP BY Batter, Team) ORDER BY Team, Batter");
}

// TIP is a sum of REAL innings; "* 1.0" keeps it fractional even in a file
// whose IP column holds whole numbers.
QString pitchingStatement(const QString& where)
{
    return QStringLiteral(
               "SELECT Pitcher, Team, Ks, BBs, H, HRs, R, TIP, "
               "Ks / (TIP / 9) AS \"Ks/9\", BBs / (TIP / 9) AS \"BBs/9\", H / (TIP / 9) AS \"H/9\", "
               "HRs / (TIP / 9) AS \"HRs/9\", Ks * 1.0 / BBs AS \"K/BB\", "
               "IFNULL(R, 0) / IFNULL(TIP, 0) * 9 AS ERA, "
               "(IFNULL(BBs, 0) + IFNULL(H, 0)) / IFNULL(TIP, 0) AS WHIP "
               "FROM (SELECT Pitcher, Team, SUM(K) AS Ks, SUM(BB) AS BBs, SUM(Hits) AS H, SUM(HR) AS HRs, "
               "SUM(Runs) AS R, SUM(IP * 1.0) AS TIP FROM Pitching")
        + where + QStringLiteral(" GROUP BY Pitcher, Team) ORDER BY Team, Pitcher");  // as above
}


// ------------------------------------------------------------ SQLite's arithmetic

// A value as SQLite's arithmetic holds it. The rates must come out as the
// statement's would, bit for bit, so they are worked out by its rules: NULL
// in gives NULL out; whole numbers stay whole unless the result would not
// fit (then both sides are taken as reals); a division by zero, or a result
// that is not a number, gives NULL.
struct Number {
    enum Kind { Null, Whole, Real };
    Kind kind = Null;
    qint64 whole = 0;
    double real = 0;
};

Number whole(qint64 v)
{
    return {Number::Whole, v, 0};
}

Number real(double v)
{
    return std::isnan(v) ? Number{} : Number{Number::Real, 0, v};
}

// IFNULL(x, 0)
Number orZero(const Number& n)
{
    return n.kind == Number::Null ? whole(0) : n;
}

double asReal(const Number& n)
{
    return n.kind == Number::Whole ? static_cast<double>(n.whole) : n.real;
}

enum class Op { Add, Multiply, Divide };

Number apply(const Number& a, Op op, const Number& b)
{
    if (a.kind == Number::Null || b.kind == Number::Null)
        return {};
    if (a.kind == Number::Whole && b.kind == Number::Whole) {
        qint64 out = 0;
        switch (op) {
        case Op::Add:
            if (!__builtin_add_overflow(a.whole, b.whole, &out))
                return whole(out);
            break;
        case Op::Multiply:
            if (!__builtin_mul_overflow(a.whole, b.whole, &out))
                return whole(out);
            break;
        case Op::Divide:
            if (b.whole == 0)
                return {};
            if (b.whole != -1 || a.whole != std::numeric_limits<qint64>::min())
                return whole(a.whole / b.whole);
            break;
        }
    }
    const double x = asReal(a), y = asReal(b);
    switch (op) {
    case Op::Add:
        return real(x + y);
    case Op::Multiply:
        return real(x * y);
    case Op::Divide:
        return y == 0 ? Number{} : real(x / y);
    }
    return {};
}

Number operator+(const Number& a, const Number& b)
{
    return apply(a, Op::Add, b);
}

Number operator*(const Number& a, const Number& b)
{
    return apply(a, Op::Multiply, b);
}

Number operator/(const Number& a, const Number& b)
{
    return apply(a, Op::Divide, b);
}

// As the statement's result cell reads in the grid.
QString textOf(const Number& n)
{
    switch (n.kind) {
    case Number::Whole:
        return db::displayText(QVariant(qlonglong(n.whole)));
    case Number::Real:
        return db::displayText(QVariant(n.real));
    default:
        return QString();
    }
}

// ------------------------------------------------------------ groups

// SUM() of whole numbers: NULL until a value comes.
struct Sum {
    qint64 total = 0;
    bool any = false;

    Number value() const { return any ? whole(total) : Number{}; }
};

// SUM(IP * 1.0): reals added in the order the rows come, from 0.0 (so a
// lone -0.0 sums to 0.0, as SQLite's does).
struct RealSum {
    double total = 0;
    bool any = false;

    Number value() const { return any ? real(total) : Number{}; }
};

constexpr int MaxCounts = 9;

struct Group {
    // For the order: each name marked and folded (see appendName).
    std::string player, team;
    // The names as the group's first row spells them: what GROUP BY shows.
    QString playerText, teamText;
    std::array<Sum, MaxCounts> counts;
    RealSum innings;
};

// A name cell as NOCASE compares it: "\0" for NULL, which sorts first,
// otherwise "\1" and the bytes with the ASCII capitals folded. False for
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
        key += ch >= 'A' && ch <= 'Z' ? char(ch + ('a' - 'A')) : ch;
    return true;
}

struct Layout {
    const char* table;
    const char* player;
    // The fields summed, in the order of the result's sums.
    std::vector<const char*> counts;
    // The innings field, summed as reals, or none.
    const char* innings;
};

const Layout& layoutOf(AggregateTable table)
{
    static const Layout batting{"Batting", "Batter", {"AB", "1B", "2B", "3B", "HR", "BB", "K", "SB", "RBI"}, nullptr};
    static const Layout pitching{"Pitching", "Pitcher", {"K", "BB", "Hits", "HR", "Runs"}, "IP"};
    return table == AggregateTable::Batting ? batting : pitching;
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

std::string groupKey(const Group& g)
{
    // No name holds a NUL byte, so this one ends the player.
    return g.player + '\0' + g.team;
}

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
        appendName(row, 0, g.player);
        appendName(row, 1, g.team);
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
            auto [at, added] = found.try_emplace(groupKey(g), quint32(groups.size()));
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
    if (const int t = a.team.compare(b.team); t != 0)
        return t < 0;
    return a.player < b.player;
}

// The result columns after the two names, worked out as the statement does.
std::vector<Number> battingCells(const Group& g)
{
    const Number tab = g.counts[0].value(), si = g.counts[1].value(), db = g.counts[2].value(),
                 tr = g.counts[3].value(), hrun = g.counts[4].value();
    const Number hits = orZero(si) + orZero(db) + orZero(tr) + orZero(hrun);
    // A home run is four bases.
    const Number bases = orZero(si) + orZero(db) * whole(2) + orZero(tr) * whole(3) + orZero(hrun) * whole(4);
    std::vector<Number> cells;
    for (size_t i = 0; i < 9; ++i)
        cells.push_back(g.counts[i].value());
    cells.push_back(hits * real(1.0) / tab);
    cells.push_back(bases * real(1.0) / tab);
    return cells;
}

std::vector<Number> pitchingCells(const Group& g)
{
    const Number ks = g.counts[0].value(), bbs = g.counts[1].value(), h = g.counts[2].value(),
                 hrs = g.counts[3].value(), r = g.counts[4].value(), tip = g.innings.value();
    const Number nine = whole(9);
    std::vector<Number> cells;
    for (size_t i = 0; i < 5; ++i)
        cells.push_back(g.counts[i].value());
    cells.push_back(tip);
    cells.push_back(ks / (tip / nine));
    cells.push_back(bbs / (tip / nine));
    cells.push_back(h / (tip / nine));
    cells.push_back(hrs / (tip / nine));
    cells.push_back(ks * real(1.0) / bbs);
    cells.push_back(orZero(r) / orZero(tip) * nine);
    cells.push_back((orZero(bbs) + orZero(h)) / orZero(tip));
    return cells;
}

}  // namespace

QString aggregateStatement(AggregateTable table, const QString& where)
{
    return table == AggregateTable::Batting ? battingStatement(where) : pitchingStatement(where);
}

// A filter is a prefix of the name, any case of letters. A row without a
// name is never listed, also with an empty filter.
QString prefixWhere(const char* field)
{
    return QStringLiteral(" WHERE %1 LIKE ? AND %1 <> ''").arg(QLatin1String(field));
}

const QStringList& aggregateHeader(AggregateTable table)
{
    static const QStringList batting{"Batter", "Team", "TAB", "SI",   "DB",   "TR",  "HRun",
                                     "BBs",    "SO",   "SBs", "RBIs", "BAvg", "SLG"};
    static const QStringList pitching{"Pitcher", "Team", "Ks",  "BBs",   "H",    "HRs", "R",   "TIP",
                                      "Ks/9",    "BBs/9", "H/9", "HRs/9", "K/BB", "ERA", "WHIP"};
    return table == AggregateTable::Batting ? batting : pitching;
}

std::optional<db::ColumnRows> aggregateRows(db::Connection& c, AggregateTable table, const QString& where,
                                            const QVariantList& params)
{
    const Layout& l = layoutOf(table);
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
        const std::vector<Number> cells = table == AggregateTable::Batting ? battingCells(g) : pitchingCells(g);
        for (size_t k = 0; k < cells.size(); ++k)
            result.data[k + 3].cells.push_back(texts[k + 2].indexOf(textOf(cells[k])));
    }
    return result;
}

}  // namespace browser
