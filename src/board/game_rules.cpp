#include "board/game_rules.h"

#include <cmath>

namespace game {

BoxRef boxOfHalfInning(int h)
{
    if (h % 2 == 1)
        return {board::Side::Visitors, (h - 1) / 2};
    return {board::Side::Home, h / 2 - 1};
}

std::optional<int> halfInningCompletedAt(double outs)
{
    if (!std::isfinite(outs) || outs < 3 || outs > 3.0 * HalfInnings)
        return std::nullopt;
    const double h = outs / 3.0;
    if (std::floor(h) != h)
        return std::nullopt;
    return static_cast<int>(h);
}

bool halfInningMarked(int h, double outs)
{
    return outs > 3.0 * h - 1.0;
}

std::optional<int> runHalfInning(double outs)
{
    if (std::isnan(outs) || outs >= OutsLimit)
        return std::nullopt;
    if (outs < 3)
        return 1;
    return static_cast<int>(std::floor(outs / 3.0)) + 1;
}

QString entryName(const QString& entry)
{
    const int eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? entry : entry.left(eq);
}

}  // namespace game
