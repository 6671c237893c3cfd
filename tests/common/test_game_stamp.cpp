#include "common/game_stamp.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

}  // namespace

TEST(GameStamp, TwelveDigitsMonthDayYearHourMinuteSecond)
{
    EXPECT_EQ(game::stamp(at(2026, 3, 7, 14, 5, 9)), "030726140509");
    // Leading zeros everywhere, the hour of a 24-hour clock at both ends.
    EXPECT_EQ(game::stamp(at(2000, 1, 1, 0, 0, 0)), "010100000000");
    EXPECT_EQ(game::stamp(at(1999, 12, 31, 23, 59, 59)), "123199235959");
    EXPECT_EQ(game::stamp(at(2031, 11, 30, 12, 1, 2)), "113031120102");

    // A default locale that writes a 12-hour clock does not change the hour.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(game::stamp(at(2026, 7, 4, 21, 30, 0)), "070426213000");
    QLocale::setDefault(before);

    EXPECT_EQ(game::stamp(QDateTime()), "");
}

TEST(GameStamp, NowIsTwelveDigitsAndSortsMonthFirst)
{
    const QString now = game::stampNow();
    ASSERT_EQ(now.size(), 12);
    for (QChar c : now)
        EXPECT_TRUE(c >= '0' && c <= '9') << now.toStdString();
    EXPECT_EQ(now.left(2), QDate::currentDate().toString(QStringLiteral("MM")));

    // As text a December game sorts after a January game of the next year.
    EXPECT_GT(game::stamp(at(2025, 12, 20, 19, 0, 0)), game::stamp(at(2026, 1, 5, 19, 0, 0)));
}
