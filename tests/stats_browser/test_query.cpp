// The query pattern's number formats and its handling of a failing query.
#include "browser_fixture.h"

#include "stats_browser/query.h"

#include <QLocale>

using browser::formatCell;
using browser::formatNumber;

TEST(BrowserFormat, PatternsDropTheLeadingZeroAndRoundHalvesAwayOnTheDecimalForm)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0.5, 2, ".50"},
        {0.0001, 2, ".00"},  // a pitcher saved without outs
        {0.0, 2, ".00"},
        {5.67, 2, "5.67"},
        {6.0, 2, "6.00"},
        {1.0, 3, "1.000"},
        {0.4, 3, ".400"},
        {5.0 / 16.0, 3, ".313"},   // an exact half
        {19.0 / 80.0, 3, ".238"},  // a half only in its decimal form
        {2.675, 2, "2.68"},
        {0.995, 2, "1.00"},
        {0.9994, 3, ".999"},
        {0.9995, 3, "1.000"},
        {90000.0, 2, "90000.00"},
        {1234567.891, 2, "1234567.89"},  // no thousands separator
        {1e20, 2, "100000000000000000000.00"},
        {-0.5, 2, "-.50"},
        {-0.001, 2, ".00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;

    // Cells: empty stays empty, text that is no number stays as it is.
    EXPECT_EQ(formatCell("", 2), "");
    EXPECT_EQ(formatCell("0.0001", 2), ".00");
    EXPECT_EQ(formatCell("10.67", 2), "10.67");
    EXPECT_EQ(formatCell("0.3125", 3), ".313");
    EXPECT_EQ(formatCell("n/a", 2), "n/a");

    // The decimal symbol is the user's.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatNumber(0.5, 2), ",50");
    EXPECT_EQ(formatNumber(1234.5, 3), "1234,500");
    QLocale::setDefault(QLocale::c());
}

TEST_F(BrowserTest, QueryRunnerLeavesTheHeaderOnAFailureAndSkipsMissingColumns)
{
    ui->expectAlarm(QStringLiteral("no such column: Nonsense"));
    {
        db::Connection c;
        browser_test::addPitching(c, "Ann", "Reds", "010126000000", 0.0001, {3});
        browser_test::addPitching(c, "Bea", "Reds", "010126000000", 19.0 / 80.0);
    }
    Grid grid;
    browser::View v;
    v.statement = "SELECT Pitcher, IP, IP AS Raw FROM Pitching ORDER BY Pitcher";
    v.header = browser::fieldsOf("Pitching");
    v.widths = {{0, 300}, {3, 900}, {2, 700}, {3, 0}, {9, 1234}};
    v.alignments = {{1, browser::LeftTop}};
    v.formats = {{2, 3}};
    {
        browser::QueryRunner click(browser::QueryRunner::Mode::PerClick);
        EXPECT_TRUE(click.run(grid, v));
    }
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.textMatrix(0, 3), "Raw");
    EXPECT_EQ(BrowserTest::column(grid, 2), QStringList({".000", ".238"}));
    EXPECT_EQ(BrowserTest::column(grid, 3), QStringList({"0.0001", "0.2375"}));
    EXPECT_EQ(grid.model().colAlignment(2), browser::RightCentre);
    EXPECT_EQ(grid.model().colAlignment(3), browser::CentreTop);
    EXPECT_EQ(grid.model().colAlignment(1), browser::LeftTop);
    EXPECT_EQ(grid.colWidth(2), 700);
    EXPECT_EQ(grid.colWidth(3), 0);  // the later width wins
    EXPECT_TRUE(ui->programErrors().isEmpty());

    // A statement the engine rejects: the fallback header, laid out, and one box.
    v.statement = "SELECT Pitcher, Nonsense FROM Pitching";
    {
        browser::QueryRunner click(browser::QueryRunner::Mode::PerClick);
        EXPECT_FALSE(click.run(grid, v));
    }
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.cols(), 10);
    EXPECT_EQ(grid.textMatrix(0, 7), "IP");
    EXPECT_EQ(grid.colWidth(9), 1234);
    ASSERT_EQ(ui->programErrors().size(), 1);
    EXPECT_TRUE(ui->programErrors().first().startsWith("The following error has occurred: 1, no such column"))
        << ui->programErrors().first().toStdString();
}
