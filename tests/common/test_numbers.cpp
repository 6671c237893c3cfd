#include "common/numbers.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

TEST(Numbers, LenientReadingTakesTheLeadingNumberAndNeverFails)
{
    EXPECT_EQ(num::Val(""), 0);
    EXPECT_EQ(num::Val("x"), 0);
    EXPECT_EQ(num::Val("3abc"), 3);
    EXPECT_EQ(num::Val("  12"), 12);
    EXPECT_EQ(num::Val("-4"), -4);
    EXPECT_DOUBLE_EQ(num::Val("5.67"), 5.67);
    EXPECT_DOUBLE_EQ(num::Val(".5x"), 0.5);
    EXPECT_EQ(num::Val("1e3"), 1000);
    EXPECT_EQ(num::Val("2e"), 2);  // an exponent without digits ends the number
    EXPECT_EQ(num::Val("-"), 0);
    // Too large for the number type, or not finite: 0, never a failure.
    EXPECT_EQ(num::Val("1e999"), 0);
    EXPECT_EQ(num::Val(QString(400, '9')), 0);
}

TEST(Numbers, StrictReadingAcceptsOnlyASignedDecimal)
{
    EXPECT_EQ(num::strict(" 12 ").value(), 12);
    EXPECT_DOUBLE_EQ(num::strict("-3.5").value(), -3.5);
    EXPECT_DOUBLE_EQ(num::strict("+.25").value(), 0.25);
    EXPECT_FALSE(num::strict(""));
    EXPECT_FALSE(num::strict("   "));
    EXPECT_FALSE(num::strict("-"));
    EXPECT_FALSE(num::strict("3abc"));
    EXPECT_FALSE(num::strict("1 2"));
    EXPECT_FALSE(num::strict("."));
    EXPECT_EQ(num::strictWhole("7").value(), 7);
    EXPECT_FALSE(num::strictWhole("7.5"));
    EXPECT_EQ(num::strictWhole("7.0").value(), 7);
}

TEST(Numbers, WritingBackUsesTheShortestForm)
{
    EXPECT_EQ(num::text(1.0), "1");
    EXPECT_EQ(num::text(12.0), "12");
    EXPECT_EQ(num::text(0.0), "0");
    EXPECT_EQ(num::text(-0.0), "0");
    EXPECT_EQ(num::general(0.5), "0.5");
    EXPECT_EQ(num::general(7.0 / 6.0), "1.16666666666667");
    EXPECT_EQ(num::general(20.0), "20");
    EXPECT_EQ(num::general(0.0001), "0.0001");
    EXPECT_EQ(num::general(5.67), "5.67");
}

TEST(Numbers, MarkersFollowTheSystemDecimalSeparator)
{
    const QLocale was;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(num::generalLocale(1.5), "1,5");
    EXPECT_EQ(num::general(1.5), "1.5");
    QLocale::setDefault(was);
    EXPECT_EQ(num::generalLocale(1.5), "1.5");
}

TEST(Numbers, GridCellsReadAsPlainNumbersOrNotAtAll)
{
    struct Case {
        const char* text;
        QChar separator;
        bool number;
        double value;
        int decimals;
    } cases[] = {
        {" 12 ", u'.', true, 12, -1},  {"-0.50", u'.', true, -0.5, 2}, {"+3", u'.', true, 3, -1},
        {".333", u'.', true, 0.333, 3}, {"1,5", u',', true, 1.5, 1},   {"1.5", u',', true, 1.5, 1},
        {"1,5", u'.', false, 0, 0},     {"1e5", u'.', false, 0, 0},    {"", u'.', false, 0, 0},
        {".", u'.', false, 0, 0},       {"1.2.3", u'.', false, 0, 0},  {"3-", u'.', false, 0, 0},
        {"inf", u'.', false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto n = num::plain(QString::fromLatin1(c.text), c.separator);
        ASSERT_EQ(n.has_value(), c.number);
        if (n) {
            EXPECT_DOUBLE_EQ(n->value, c.value);
            EXPECT_EQ(n->decimals, c.decimals);
        }
    }
}
