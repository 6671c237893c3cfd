#pragma once
// Innings pitched as the board and the save credit them, in exact decimal
// arithmetic.
//
// A side's innings in the field are rounded to two decimals before the
// innings its earlier pitchers already hold are subtracted, so the current
// pitcher gets the rest of a rounded figure: 25 outs (8.33) less a starter's
// 5.67 leaves 2.66, not 2.67. Sheet cells may hold more decimals than two
// (".0001"), so the sum is kept in millionths of an inning and only the
// result is rounded to hundredths; floating point would turn 8.33 - 5.67
// into 2.6599999... and an unlucky rounding into a wrong or "-0.00" cell.
//
// Every figure is bounded: a cell, an outs count or a credit of a billion
// innings or more cannot be credited exactly and is refused (Overflow), so
// no sum of a side's cells can leave the range of the arithmetic.
#include <QString>
#include <QStringList>
#include <optional>

namespace innings {

// Millionths of an inning.
using Units = long long;
constexpr Units PerInning = 1'000'000;

// Every figure lies strictly between minus and plus this many innings.
constexpr Units Bound = 1'000'000'000;

// What an innings cell holds.
struct Cell {
    enum Kind { Number, NotANumber, TooLarge };
    Kind kind = Number;
    Units value = 0;  // for a Number
};

// The one reader of innings cells: empty (or blank) is 0; an optional sign,
// digits and a decimal fraction are read exactly to millionths (half up
// beyond); a number of Bound innings or more is TooLarge; anything else
// (letters, exponents, "5.2.1", ".") is NotANumber.
Cell readCell(const QString& cell);

// The value of a cell that is a Number; nothing otherwise.
std::optional<Units> ofCell(const QString& cell);

// A side's innings in the field for its outs (completed half-innings times
// three plus any outs of the half-inning in progress), rounded half away
// from zero to hundredths: 17 outs give 5.67. Outs worth Bound innings or
// more, or not finite, throw ProgramError 6 (Overflow).
Units ofOuts(double outs);

// The side's innings for its outs less what the given cells hold (empty
// cells hold nothing). A cell that is not a number throws ProgramError 13
// (Type mismatch); a cell, the outs or the result beyond Bound throws 6
// (Overflow). Nothing is credited from a sum that could not be made.
Units creditLeft(double outs, const QStringList& heldCells);

// Two decimals with ".", rounded half away from zero; a value that rounds
// to zero reads "0.00", never "-0.00".
QString text(Units value);

}  // namespace innings
