#include "stats_sheet/innings.h"

#include "common/numbers.h"

#include <cmath>
#include <limits>

namespace innings {

namespace {

constexpr Units PerHundredth = PerInning / 100;

// Far beyond any game; keeps every sum well inside a long long.
constexpr Units Limit = std::numeric_limits<Units>::max() / 1000;

}  // namespace

Units ofOuts(double outs)
{
    if (!std::isfinite(outs))
        return 0;
    const double hundredths = std::round(outs * 100.0 / 3.0);
    if (std::fabs(hundredths) * PerHundredth > double(Limit))
        return 0;
    return static_cast<Units>(hundredths) * PerHundredth;
}

std::optional<Units> ofCell(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return Units(0);
    int i = 0;
    const int n = t.size();
    bool negative = false;
    if (t[i] == '+' || t[i] == '-')
        negative = t[i++] == '-';
    Units whole = 0;
    bool anyDigit = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        whole = whole * 10 + (t[i++].unicode() - '0');
        anyDigit = true;
        if (whole > Limit / PerInning)
            return std::nullopt;
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
        return std::nullopt;
    const Units value = whole * PerInning + fraction;
    return negative ? -value : value;
}

QString text(Units value)
{
    const bool negative = value < 0;
    const Units magnitude = negative ? -value : value;
    const Units hundredths = (magnitude + PerHundredth / 2) / PerHundredth;
    return num::hundredthsText(negative ? -hundredths : hundredths);
}

}  // namespace innings
