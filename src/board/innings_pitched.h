#pragma once
// Innings-pitched arithmetic, free of widgets: a side's innings in the field
// and what is left of them for one pitcher.
#include <QString>
#include <QStringList>

namespace pitched {

// Outs divided by three, rounded to two decimals (17 outs: 5.67).
double fromOuts(double outs);

// The side's innings less what the other pitchers' cells already hold.
// Empty cells count nothing; a cell that is not a number throws
// ProgramError 13 (Type mismatch), so nothing is credited from a wrong sum.
double creditLeft(double sideInnings, const QStringList& otherCells);

// The cell text: two decimals with "." ("0.00", never "-0.00").
QString text(double value);

}  // namespace pitched
