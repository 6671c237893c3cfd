#include "stats_browser/aggregate_rows.h"

#include "platform/database_order.h"
#include "platform/text_columns.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace browser {

namespace {

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

// ------------------------------------------------------------ the columns
//
// Each aggregate column is defined once, in the tables below: a sum of a
// field, or a rate over the sums. The grouped statement that defines a view
// is written from them, and the read without GROUP BY works the same
// columns out from them by SQLite's arithmetic.
//
// The sums are formed once, grouped by team and player, and the rates are
// worked out from them by name in an outer select (SQLite cannot name a
// result column inside its own select list). A missing sum counts 0 in a
// rate, as IFNULL says. Every rate divides by a fraction ("* 1.0", and
// innings summed as REAL) so that 7 over 2 is 3.5, not 3; a division by
// zero gives NULL (an empty cell), and every other row still shows.

struct AggregateColumn;

// A rate's expression over the sums of a row: as SQL text, and as its value.
class Expr {
public:
    // The sum of the column at that place in the table.
    static Expr sum(int column)
    {
        Expr e(Kind::Sum);
        e.column_ = column;
        return e;
    }
    static Expr constant(Number value, const char* sql)
    {
        Expr e(Kind::Constant);
        e.constant_ = value;
        e.text_ = sql;
        return e;
    }
    // IFNULL(e, 0)
    friend Expr orZero(const Expr& e) { return Expr(Kind::OrZero, e, e); }
    friend Expr operator+(const Expr& a, const Expr& b) { return Expr(Kind::Add, a, b); }
    friend Expr operator*(const Expr& a, const Expr& b) { return Expr(Kind::Multiply, a, b); }
    friend Expr operator/(const Expr& a, const Expr& b) { return Expr(Kind::Divide, a, b); }

    QString sql(const std::vector<AggregateColumn>& columns) const;

    // sums: the row's cells, the sums filled in.
    Number value(const std::vector<Number>& sums) const
    {
        switch (kind_) {
        case Kind::Sum:
            return sums[size_t(column_)];
        case Kind::Constant:
            return constant_;
        case Kind::OrZero:
            return orZero(a_->value(sums));
        case Kind::Add:
            return a_->value(sums) + b_->value(sums);
        case Kind::Multiply:
            return a_->value(sums) * b_->value(sums);
        case Kind::Divide:
            return a_->value(sums) / b_->value(sums);
        }
        return {};
    }

private:
    enum class Kind { Sum, Constant, OrZero, Add, Multiply, Divide };
    explicit Expr(Kind kind) : kind_(kind) {}
    Expr(Kind kind, const Expr& a, const Expr& b)
        : kind_(kind), a_(std::make_shared<const Expr>(a)), b_(std::make_shared<const Expr>(b))
    {
    }

    Kind kind_;
    int column_ = 0;
    Number constant_;
    const char* text_ = "";
    std::shared_ptr<const Expr> a_, b_;
};

struct AggregateColumn {
    const char* name;
    // The field summed, or none for a rate.
    const char* field = nullptr;
    // Innings: summed as reals (SUM(IP * 1.0)), so a file whose IP holds
    // whole numbers still gives a fractional sum.
    bool summedAsReal = false;
    std::optional<Expr> rate = std::nullopt;
};

AggregateColumn rate(const char* name, const Expr& e)
{
    return {name, nullptr, false, e};
}

struct Aggregate {
    const char* table;
    const char* player;
    // The columns after the player and the team, in the result's order;
    // every sum before the rates.
    std::vector<AggregateColumn> columns;
};

QString Expr::sql(const std::vector<AggregateColumn>& columns) const
{
    switch (kind_) {
    case Kind::Sum:
        return QStringLiteral("\"%1\"").arg(QLatin1String(columns[size_t(column_)].name));
    case Kind::Constant:
        return QLatin1String(text_);
    case Kind::OrZero:
        return QStringLiteral("IFNULL(%1, 0)").arg(a_->sql(columns));
    default: {
        const char* op = kind_ == Kind::Add ? " + " : kind_ == Kind::Multiply ? " * " : " / ";
        return '(' + a_->sql(columns) + QLatin1String(op) + b_->sql(columns) + ')';
    }
    }
}

const Aggregate& aggregateOf(AggregateTable table)
{
    static const Expr One = Expr::constant(real(1.0), "1.0");
    const auto times = [](qint64 n, const char* sql) { return Expr::constant(whole(n), sql); };
    static const Aggregate batting = [&] {
        const Expr tab = Expr::sum(0), si = Expr::sum(1), db = Expr::sum(2), tr = Expr::sum(3), hrun = Expr::sum(4);
        const Expr hits = orZero(si) + orZero(db) + orZero(tr) + orZero(hrun);
        // A home run is four bases.
        const Expr bases = orZero(si) + orZero(db) * times(2, "2") + orZero(tr) * times(3, "3")
            + orZero(hrun) * times(4, "4");
        return Aggregate{"Batting",
                         "Batter",
                         {{"TAB", "AB"},
                          {"SI", "1B"},
                          {"DB", "2B"},
                          {"TR", "3B"},
                          {"HRun", "HR"},
                          {"BBs", "BB"},
                          {"SO", "K"},
                          {"SBs", "SB"},
                          {"RBIs", "RBI"},
                          rate("BAvg", hits * One / tab),
                          rate("SLG", bases * One / tab)}};
    }();
    static const Aggregate pitching = [&] {
        const Expr ks = Expr::sum(0), bbs = Expr::sum(1), h = Expr::sum(2), hrs = Expr::sum(3), r = Expr::sum(4),
                   tip = Expr::sum(5), nine = times(9, "9");
        return Aggregate{"Pitching",
                         "Pitcher",
                         {{"Ks", "K"},
                          {"BBs", "BB"},
                          {"H", "Hits"},
                          {"HRs", "HR"},
                          {"R", "Runs"},
                          {"TIP", "IP", true},
                          rate("Ks/9", ks / (tip / nine)),
                          rate("BBs/9", bbs / (tip / nine)),
                          rate("H/9", h / (tip / nine)),
                          rate("HRs/9", hrs / (tip / nine)),
                          rate("K/BB", ks * One / bbs),
                          rate("ERA", orZero(r) / orZero(tip) * nine),
                          rate("WHIP", (orZero(bbs) + orZero(h)) / orZero(tip))}};
    }();
    return table == AggregateTable::Batting ? batting : pitching;
}

// where: a WHERE clause (or nothing) on the table's rows.
QString statementOf(const Aggregate& a, const QString& where)
{
    const QString player = QLatin1String(a.player);
    QStringList outer{player + QStringLiteral(" AS ") + player, QStringLiteral("Team AS Team")},
        sums{player, QStringLiteral("Team")};
    for (const AggregateColumn& c : a.columns) {
        const QString name = QStringLiteral("\"%1\"").arg(QLatin1String(c.name));
        if (c.field) {
            sums << QStringLiteral("SUM(\"%1\"%2) AS %3")
                        .arg(QLatin1String(c.field), c.summedAsReal ? QStringLiteral(" * 1.0") : QString(), name);
            outer << name + QStringLiteral(" AS ") + name;
        } else {
            outer << c.rate->sql(a.columns) + QStringLiteral(" AS ") + name;
        }
    }
    // Grouped by player first: sorting every row for the groups, most
    // comparisons then end at the first field, where by team (a few values
    // over many rows) they would go on to the second. The rows keep their
    // order within a group either way, so every sum and name stays as it
    // was; the outer ORDER BY lists the few grouped rows by team, then
    // player.
    return QStringLiteral("SELECT %1 FROM (SELECT %2 FROM %3%4 GROUP BY %5, Team) ORDER BY Team, %5")
        .arg(outer.join(QStringLiteral(", ")), sums.join(QStringLiteral(", ")), QLatin1String(a.table), where,
             player);
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

QString aggregateStatement(AggregateTable table, const QString& where)
{
    return statementOf(aggregateOf(table), where);
}

// A filter is a prefix of the name, any case of letters. A row without a
// name is never listed, also with an empty filter.
QString prefixWhere(const char* field)
{
    return QStringLiteral(" WHERE %1 LIKE ? AND %1 <> ''").arg(QLatin1String(field));
}

const QStringList& aggregateHeader(AggregateTable table)
{
    const auto headerOf = [](const Aggregate& a) {
        QStringList names{QLatin1String(a.player), QStringLiteral("Team")};
        for (const AggregateColumn& c : a.columns)
            names << QLatin1String(c.name);
        return names;
    };
    static const QStringList batting = headerOf(aggregateOf(AggregateTable::Batting));
    static const QStringList pitching = headerOf(aggregateOf(AggregateTable::Pitching));
    return table == AggregateTable::Batting ? batting : pitching;
}

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
            result.data[k + 3].cells.push_back(texts[k + 2].indexOf(textOf(cells[k])));
    }
    return result;
}

}  // namespace browser
