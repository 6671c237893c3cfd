#pragma once
// Innings pitched as the save credits them, in exact decimal arithmetic.
//
// A side's innings in the field are rounded to two decimals before the
// innings its earlier pitchers already hold are subtracted, so the current
// pitcher gets the rest of a rounded figure: 25 outs (8.33) less a starter's
// 5.67 leaves 2.66, not 2.67. Sheet cells may hold more decimals than two
// (".0001"), so the sum is kept in millionths of an inning and only the
// result is rounded to hundredths; floating point would turn 8.33 - 5.67
// into 2.6599999... and an unlucky rounding into a wrong or "-0.00" cell.
#include <QString>
#include <optional>

namespace innings {

// Millionths of an inning.
using Units = long long;
constexpr Units PerInning = 1'000'000;

// A side's innings in the field for its outs (completed half-innings times
// three plus any outs of the half-inning in progress), rounded half away
// from zero to hundredths: 17 outs give 5.67.
Units ofOuts(double outs);

// The innings a cell holds: empty (or blank) is 0, a decimal number is read
// exactly to millionths, anything else is no value.
std::optional<Units> ofCell(const QString& cell);

// Two decimals with ".", rounded half away from zero; a value that rounds
// to zero reads "0.00", never "-0.00".
QString text(Units value);

}  // namespace innings
