// The save's arithmetic and its checks, without widgets.
#include "stats_sheet/innings.h"
#include "stats_sheet/record_writers.h"

#include <gtest/gtest.h>

namespace {

records::TeamLines emptyLines()
{
    records::TeamLines t;
    t.cells.assign(50, QStringList(QVector<QString>(records::col::Count)));
    return t;
}

records::GameRecord emptyGame()
{
    records::GameRecord g;
    g.visitors = emptyLines();
    g.home = emptyLines();
    QStringList box(records::box::Count);
    box[0] = "Team";
    g.boxRows = {box, box};
    return g;
}

}  // namespace

TEST(SaveRules, InningsAreRoundedBeforeTheEarlierCreditsAreSubtracted)
{
    using innings::ofCell;
    using innings::ofOuts;
    using innings::text;
    EXPECT_EQ(text(ofOuts(17)), "5.67");
    EXPECT_EQ(text(ofOuts(25)), "8.33");
    EXPECT_EQ(text(ofOuts(27)), "9.00");
    EXPECT_EQ(text(ofOuts(0)), "0.00");
    EXPECT_EQ(text(ofOuts(25) - *ofCell("5.67")), "2.66");
    EXPECT_EQ(text(ofOuts(17) - *ofCell("3.33")), "2.34");
    // A fractional out count rounds half away from zero, as the board does.
    EXPECT_EQ(text(ofOuts(3 * 2 + 1.5)), "2.50");
    // Never "-0.00"; a real shortfall keeps its sign.
    EXPECT_EQ(text(ofOuts(0) - *ofCell(".0001")), "0.00");
    EXPECT_EQ(text(ofOuts(0) - *ofCell("0.004")), "0.00");
    EXPECT_EQ(text(ofOuts(3) - *ofCell("1.5")), "-0.50");
    // Cells are read exactly.
    EXPECT_EQ(*ofCell(""), 0);
    EXPECT_EQ(*ofCell("  "), 0);
    EXPECT_EQ(*ofCell(".0001"), 100);
    EXPECT_EQ(*ofCell("6"), 6 * innings::PerInning);
    EXPECT_EQ(*ofCell(" -1.25 "), -1'250'000);
    EXPECT_EQ(*ofCell("0.0000005"), 1);
    EXPECT_FALSE(ofCell("5.2.1"));
    EXPECT_FALSE(ofCell("abc"));
    EXPECT_FALSE(ofCell("1e3"));
    EXPECT_FALSE(ofCell("."));
    // Beyond a billion innings nothing can be summed exactly; the syntax is
    // judged first.
    EXPECT_EQ(innings::readCell("999999999.99").kind, innings::Cell::Number);
    EXPECT_EQ(innings::readCell("69999999999").kind, innings::Cell::TooLarge);
    EXPECT_EQ(innings::readCell("-1000000000").kind, innings::Cell::TooLarge);
    EXPECT_EQ(innings::readCell("999999999.9999999").kind, innings::Cell::TooLarge);
    EXPECT_EQ(innings::readCell("12345678901234567890x").kind, innings::Cell::NotANumber);
}

TEST(SaveRules, OnlyStoredLinesAreCheckedAndUnrecordedInningsAreMarked)
{
    records::GameRecord g = emptyGame();
    EXPECT_FALSE(records::firstBadCell(g));

    // Not stored: a named row without the flag, a flagged row without a name.
    g.visitors.at(5, 1) = "Bench";
    g.visitors.at(5, 3) = "??";
    g.visitors.at(6, 18) = "1";
    g.visitors.at(6, 4) = "??";
    g.home.at(3, 12) = "??";
    EXPECT_FALSE(records::firstBadCell(g));

    // Counts may be padded or written "4.0"; a fraction is no count.
    g.home.at(2, 1) = "Ann";
    g.home.at(2, 18) = "1";
    g.home.at(2, 2) = " 4.0 ";
    EXPECT_FALSE(records::firstBadCell(g));
    g.home.at(2, 10) = "3.5";
    auto bad = records::firstBadCell(g);
    ASSERT_TRUE(bad);
    EXPECT_TRUE(bad->contains("home batting line in row 2 (Ann) holds \"3.5\" under AB")) << bad->toStdString();
    g.home.at(2, 10) = "3";

    // Innings cells count in every row, named or not.
    g.visitors.at(9, 17) = "1,5";
    bad = records::firstBadCell(g);
    ASSERT_TRUE(bad);
    EXPECT_TRUE(bad->contains("visitors' pitching line in row 9 holds \"1,5\" under IP")) << bad->toStdString();
    g.visitors.at(9, 17) = "";

    g.boxRows[1][11] = "one";
    bad = records::firstBadCell(g);
    ASSERT_TRUE(bad);
    EXPECT_TRUE(bad->contains("home line score holds \"one\" in inning 11")) << bad->toStdString();
    g.boxRows[1][11] = "1";
    EXPECT_FALSE(records::firstBadCell(g));

    records::TeamLines p = emptyLines();
    const char* cells[][2] = {{"A", ""}, {"B", "0"}, {"C", "0.00"}, {"D", " "}, {"", ""}, {"E", "2.33"}};
    for (int i = 0; i < 6; ++i) {
        p.at(i + 1, 11) = cells[i][0];
        p.at(i + 1, 17) = cells[i][1];
    }
    records::markUnrecordedInnings(p);
    QStringList ip;
    for (int r = 1; r <= 6; ++r)
        ip << p.at(r, 17);
    EXPECT_EQ(ip, QStringList({".0001", ".0001", "0.00", ".0001", "", "2.33"}));
}
