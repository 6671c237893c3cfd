#pragma once
// The aggregate batting and pitching views' columns, each defined once: its
// name, the field it sums or the rate it works out over the sums (as SQL
// text and as SQLite's arithmetic in the program), and how the views show
// it and the workbook sizes it. The grouped statement that defines a view,
// the read without GROUP BY, the views and the export all take them from
// here, so a column added or moved moves everything that belongs to it.
#include "platform/database_arithmetic.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace browser {

enum class AggregateTable { Batting, Pitching };

// How the views show a column and the workbook sizes it.
struct ColumnLook {
    int width = 0;          // twips, in the all-players view
    int filteredWidth = 0;  // twips, in a view filtered by a name's prefix
    int decimals = 0;       // 2 or 3: shown as ".00" or ".000", right-aligned
    bool name = false;      // a name: its data cells left-aligned
    double sheetWidth = -1; // in the workbook's units; -1: the sheet's default
};

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
    static Expr constant(db::Number value, const char* sql)
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
    db::Number value(const std::vector<db::Number>& sums) const
    {
        switch (kind_) {
        case Kind::Sum:
            return sums[size_t(column_)];
        case Kind::Constant:
            return constant_;
        case Kind::OrZero:
            return db::orZero(a_->value(sums));
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
    db::Number constant_;
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
    ColumnLook look;
};

struct Aggregate {
    const char* table;
    const char* player;
    ColumnLook playerLook;
    ColumnLook teamLook;
    // The columns after the player and the team, in the result's order;
    // every sum before the rates.
    std::vector<AggregateColumn> columns;
};

const Aggregate& aggregateOf(AggregateTable table);

// The grouped statement that defines a view; where: a WHERE clause on the
// table's rows, or nothing.
QString aggregateStatement(AggregateTable table, const QString& where);

// The WHERE clause of a view filtered by a prefix of a name field.
QString prefixWhere(const char* field);

// The result's field names, as the statement names them.
const QStringList& aggregateHeader(AggregateTable table);

// How each grid column shows, the fixed column 0 first, then the player,
// the team and the columns of the table.
std::vector<ColumnLook> aggregateLooks(AggregateTable table);

}  // namespace browser
