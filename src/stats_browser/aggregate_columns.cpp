#include "stats_browser/aggregate_columns.h"

namespace browser {

// The sums are formed once, grouped by team and player, and the rates are
// worked out from them by name in an outer select (SQLite cannot name a
// result column inside its own select list). A missing sum counts 0 in a
// rate, as IFNULL says. Every rate divides by a fraction ("* 1.0", and
// innings summed as REAL) so that 7 over 2 is 3.5, not 3; a division by
// zero gives NULL (an empty cell), and every other row still shows.

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

namespace {

AggregateColumn sum(const char* name, const char* field, const ColumnLook& look)
{
    return {name, field, false, std::nullopt, look};
}

AggregateColumn rate(const char* name, const Expr& e, const ColumnLook& look)
{
    return {name, nullptr, false, e, look};
}

// The fixed column 0 of either grid.
constexpr ColumnLook FixedColumn{300, 300};

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

}  // namespace

const Aggregate& aggregateOf(AggregateTable table)
{
    using db::real;
    using db::whole;
    static const Expr One = Expr::constant(real(1.0), "1.0");
    const auto times = [](qint64 n, const char* sql) { return Expr::constant(whole(n), sql); };
    static const Aggregate batting = [&] {
        const Expr tab = Expr::sum(0), si = Expr::sum(1), db = Expr::sum(2), tr = Expr::sum(3), hrun = Expr::sum(4);
        const Expr hits = orZero(si) + orZero(db) + orZero(tr) + orZero(hrun);
        // A home run is four bases.
        const Expr bases = orZero(si) + orZero(db) * times(2, "2") + orZero(tr) * times(3, "3")
            + orZero(hrun) * times(4, "4");
        // The filtered views give the figures a little more room.
        const ColumnLook count{550, 575, 0, false, 5}, average{550, 575, 3, false, 5};
        return Aggregate{"Batting",
                         "Batter",
                         {2000, 2000, 0, true, 20},
                         {1700, 1700, 0, true, 9},
                         {sum("TAB", "AB", count),
                          sum("SI", "1B", count),
                          sum("DB", "2B", count),
                          sum("TR", "3B", count),
                          sum("HRun", "HR", count),
                          sum("BBs", "BB", count),
                          sum("SO", "K", count),
                          sum("SBs", "SB", count),
                          sum("RBIs", "RBI", count),
                          rate("BAvg", hits * One / tab, average),
                          rate("SLG", bases * One / tab, average)}};
    }();
    static const Aggregate pitching = [&] {
        const Expr ks = Expr::sum(0), bbs = Expr::sum(1), h = Expr::sum(2), hrs = Expr::sum(3), r = Expr::sum(4),
                   tip = Expr::sum(5), nine = times(9, "9");
        const ColumnLook count{430, 430, 0, false, 5};
        const auto rates = [](int width, double sheetWidth) { return ColumnLook{width, width, 2, false, sheetWidth}; };
        AggregateColumn innings = sum("TIP", "IP", rates(625, 5));
        innings.summedAsReal = true;
        return Aggregate{"Pitching",
                         "Pitcher",
                         {1700, 1700, 0, true, 20},
                         {1500, 1500, 0, true},
                         {sum("Ks", "K", count),
                          sum("BBs", "BB", count),
                          sum("H", "Hits", count),
                          sum("HRs", "HR", count),
                          sum("R", "Runs", count),
                          innings,
                          rate("Ks/9", ks / (tip / nine), rates(550, 5)),
                          rate("BBs/9", bbs / (tip / nine), rates(550, 5)),
                          rate("H/9", h / (tip / nine), rates(550, 5)),
                          rate("HRs/9", hrs / (tip / nine), rates(600, 5)),
                          rate("K/BB", ks * One / bbs, rates(600, 5)),
                          rate("ERA", orZero(r) / orZero(tip) * nine, rates(650, 6)),
                          rate("WHIP", (orZero(bbs) + orZero(h)) / orZero(tip), rates(650, 6))}};
    }();
    return table == AggregateTable::Batting ? batting : pitching;
}

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

std::vector<ColumnLook> aggregateLooks(AggregateTable table)
{
    const Aggregate& a = aggregateOf(table);
    std::vector<ColumnLook> looks{FixedColumn, a.playerLook, a.teamLook};
    for (const AggregateColumn& c : a.columns)
        looks.push_back(c.look);
    return looks;
}

}  // namespace browser
