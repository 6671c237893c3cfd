#include "common/game_stamp.h"

#include <QLocale>

namespace game {

QString stamp(const QDateTime& moment)
{
    if (!moment.isValid())
        return QString();
    // Qt's letters: MM month, dd day, yy year, HH hour of 24 whatever the
    // locale's clock, mm minute. The C locale keeps the digits ASCII.
    return QLocale::c().toString(moment, QStringLiteral("MMddyyHHmmss"));
}

QString stampNow()
{
    return stamp(QDateTime::currentDateTime());
}

}  // namespace game
