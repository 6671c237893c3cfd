// How stored values read in a grid.
#include "platform/database.h"
#include "platform/database_internal.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace db {

QString numberText(double value)
{
    const QString general = num::general(value);
    const double magnitude = std::fabs(value);
    if (!general.contains('e') || !std::isfinite(value) || magnitude >= 1e15)
        return general;
    // Tiny values: as many decimals as 15 significant digits need.
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    QString s = QString::number(value, 'f', std::clamp(14 - exponent, 0, 330));
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

// Counts are small: their texts are made once and shared, which spares a
// large result one allocation per cell.
const QStringList& detail::smallWholes()
{
    static const QStringList texts = [] {
        QStringList t;
        t.reserve(1000);
        for (int i = 0; i < 1000; ++i)
            t << QString::number(i);
        return t;
    }();
    return texts;
}

namespace {

QString wholeText(qlonglong n)
{
    const QStringList& small = detail::smallWholes();
    return n >= 0 && n < small.size() ? small[static_cast<int>(n)] : QString::number(n);
}

}  // namespace

QString displayText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return wholeText(value.toLongLong());
    case QMetaType::QString:
        return value.toString();
    default:
        return value.toString();
    }
}

}  // namespace db
