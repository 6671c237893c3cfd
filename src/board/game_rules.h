#pragma once
// The arithmetic of the game's progress, free of widgets: how half-innings
// are numbered from the cumulative outs, which line-score box belongs to
// each, which box a run goes into, and the batter name of a lineup entry.
#include "common/side.h"

#include <QString>
#include <optional>

namespace game {

// Half-innings are numbered 1 to 40: odd h is the top of inning (h + 1) / 2
// (visitors bat), even h the bottom of inning h / 2 (home bats).
constexpr int HalfInnings = 40;
// Cumulative outs at the end of the 20th inning: automatic progress stops.
constexpr int OutsLimit = 120;

struct BoxRef {
    board::Side side;  // the visitors' top row (tb_BoxScore) or the home bottom row (tb_BoxScoreBottom)
    int index;      // 0 to 19
    bool operator==(const BoxRef&) const = default;
};

// The line-score box of half-inning h (1 to 40).
BoxRef boxOfHalfInning(int h);

// The half-inning completed exactly at this cumulative count (c == 3h), or
// none when the count is not such a multiple.
std::optional<int> halfInningCompletedAt(double outs);

// Whether half-inning h shows as completed for a typed count: strictly
// greater than 3h - 1, so a fractional count marks as soon as it exceeds it.
bool halfInningMarked(int h, double outs);

// The half-inning in progress for a cumulative count, which receives a run:
// below 3 (negatives included) the top of the first, floor(c / 3) + 1 up to
// 119, none from 120 on. Exactly one box for any count, fractional too.
std::optional<int> runHalfInning(double outs);

// The batter's name of a lineup entry: the text before its first "=", the
// whole entry when it has none.
QString entryName(const QString& entry);

}  // namespace game
