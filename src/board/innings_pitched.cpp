#include "board/innings_pitched.h"

#include "common/guard.h"
#include "common/numbers.h"

#include <cmath>

namespace pitched {

double fromOuts(double outs)
{
    return std::round(outs / 3.0 * 100.0) / 100.0;
}

double creditLeft(double sideInnings, const QStringList& otherCells)
{
    double held = 0;
    for (const QString& cell : otherCells) {
        if (cell.isEmpty())
            continue;
        const auto value = num::strict(cell);
        if (!value)
            errors::raise(errors::TypeMismatch);
        held += *value;
    }
    return sideInnings - held;
}

QString text(double value)
{
    return num::twoDecimals(value);
}

}  // namespace pitched
