#pragma once
// SQLite's arithmetic on stored values, for what works out in the program
// what a statement would: NULL in gives NULL out; whole numbers stay whole
// unless the result would not fit (then both sides are taken as reals); a
// division by zero, or a result that is not a number, gives NULL. Results
// must come out as the statement's would, bit for bit.
#include "platform/database.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <cmath>
#include <limits>

namespace db {

// A value as SQLite's arithmetic holds it.
struct Number {
    enum Kind { Null, Whole, Real };
    Kind kind = Null;
    qint64 whole = 0;
    double real = 0;
};

inline Number whole(qint64 v)
{
    return {Number::Whole, v, 0};
}

inline Number real(double v)
{
    return std::isnan(v) ? Number{} : Number{Number::Real, 0, v};
}

// IFNULL(x, 0)
inline Number orZero(const Number& n)
{
    return n.kind == Number::Null ? whole(0) : n;
}

inline double asReal(const Number& n)
{
    return n.kind == Number::Whole ? static_cast<double>(n.whole) : n.real;
}

enum class Op { Add, Multiply, Divide };

inline Number apply(const Number& a, Op op, const Number& b)
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

inline Number operator+(const Number& a, const Number& b)
{
    return apply(a, Op::Add, b);
}

inline Number operator*(const Number& a, const Number& b)
{
    return apply(a, Op::Multiply, b);
}

inline Number operator/(const Number& a, const Number& b)
{
    return apply(a, Op::Divide, b);
}

// As the statement's result cell reads in a grid.
inline QString textOf(const Number& n)
{
    switch (n.kind) {
    case Number::Whole:
        return displayText(QVariant(qlonglong(n.whole)));
    case Number::Real:
        return displayText(QVariant(n.real));
    default:
        return QString();
    }
}

}  // namespace db
