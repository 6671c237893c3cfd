#pragma once
// The GameStamp: the moment a game is saved as twelve digits, month, day,
// two-digit year, hour (00 to 23), minute and second ("030726140509" for
// 7 March 2026, 14:05:09 local time). It is the GameID that ties a saved
// game's rows together and ends the name of an exported workbook. As text it
// sorts month first, not by year.
#include <QDateTime>
#include <QString>

namespace game {

// The stamp of a moment; an invalid moment gives "".
QString stamp(const QDateTime& moment);

// The stamp of the current local time.
QString stampNow();

}  // namespace game
