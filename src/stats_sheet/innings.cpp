#include "stats_sheet/innings.h"

#include "common/guard.h"
#include "common/numbers.h"

#include <cmath>

namespace innings {

namespace {

constexpr Units PerHundredth = PerInning / 100;
constexpr Units Limit = Bound * PerInning;  // exclusive, in units

bool inRange(Units value)
{
    return value > -Limit && value < Limit;
}

}  // namespace

Cell readCell(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return {};
    int i = 0;
    const int n = t.size();
    bool negative = false;
    if (t[i] == '+' || t[i] == '-')
        negative = t[i++] == '-';
    // The whole text is read before its size is judged, so a long run of
    // digits with a letter after it is no number rather than a large one.
    Units whole = 0;
    bool tooLarge = false;
    bool anyDigit = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        if (!tooLarge) {
            whole = whole * 10 + (t[i].unicode() - '0');
            tooLarge = whole >= Bound;
        }
        ++i;
        anyDigit = true;
    }
    Units fraction = 0;
    if (i < n && t[i] == '.') {
        ++i;
        Units scale = PerInning / 10;
        bool roundUp = false;
        bool firstDropped = true;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            const int digit = t[i++].unicode() - '0';
            anyDigit = true;
            if (scale > 0) {
                fraction += digit * scale;
                scale /= 10;
            } else if (firstDropped) {
                // Beyond millionths: round half up on the first dropped digit.
                roundUp = digit >= 5;
                firstDropped = false;
            }
        }
        if (roundUp)
            ++fraction;
    }
    if (!anyDigit || i != n)
        return {Cell::NotANumber, 0};
    const Units value = whole * PerInning + fraction;
    if (tooLarge || !inRange(value))
        return {Cell::TooLarge, 0};
    return {Cell::Number, negative ? -value : value};
}

std::optional<Units> ofCell(const QString& cell)
{
    const Cell c = readCell(cell);
    if (c.kind != Cell::Number)
        return std::nullopt;
    return c.value;
}

Units ofOuts(double outs)
{
    const double hundredths = std::round(outs * 100.0 / 3.0);
    if (!std::isfinite(hundredths) || std::fabs(hundredths) >= double(Bound) * 100.0)
        errors::raise(errors::Overflow);
    return static_cast<Units>(hundredths) * PerHundredth;
}

Units creditLeft(double outs, const QStringList& heldCells)
{
    Units credit = ofOuts(outs);
    for (const QString& cell : heldCells) {
        const Cell c = readCell(cell);
        if (c.kind == Cell::NotANumber)
            errors::raise(errors::TypeMismatch);
        if (c.kind == Cell::TooLarge)
            errors::raise(errors::Overflow);
        // Each term is below the bound, so the running sum of a sheet's 49
        // rows stays far inside a long long.
        credit -= c.value;
    }
    if (!inRange(credit))
        errors::raise(errors::Overflow);
    return credit;
}

QString text(Units value)
{
    const bool negative = value < 0;
    const Units magnitude = negative ? -value : value;
    const Units hundredths = (magnitude + PerHundredth / 2) / PerHundredth;
    return num::hundredthsText(negative ? -hundredths : hundredths);
}

}  // namespace innings
