// Aggregate batting and pitching over the two-game fixture: every total,
// rate, empty cell and format checked against figures worked out by hand.
#include "analysis_fixture.h"

#include "support/paint_count.h"

#include <QApplication>
#include <QLineEdit>

using namespace analysis;

namespace {

const QStringList BattingHeader = {"Batter", "Team", "TAB", "SI", "DB", "TR", "HRun",
                                   "BBs", "SO", "SBs", "RBIs", "BAvg", "SLG"};
const QStringList PitchingHeader = {"Pitcher", "Team", "Ks", "BBs", "H", "HRs", "R", "TIP",
                                    "Ks/9", "BBs/9", "H/9", "HRs/9", "K/BB", "ERA", "WHIP"};

}  // namespace

TEST_F(AnalysisTest, AggregateBattingTotalsAndRatesPerTeamAndPlayer)
{
    const Grid& g = *browser->MSHFlexGrid4;
    ASSERT_EQ(g.rows(), 7);
    EXPECT_EQ(row(g, 0), BattingHeader);
    // Grouped by team, then batter (any case of letters): a player saved for
    // two teams has a row for each. Sums of nothing but NULL stay empty; a
    // rate over no at-bats (0 or none recorded) is empty while the other
    // rows show. A home run weighs four bases: 1 + 3 x 4 = 13 over 10.
    const QStringList expected[] = {
        {"smalls", RedSox, "3", "1", "", "", "", "", "1", "", "", ".333", ".333"},
        {"Smith", RedSox, "10", "1", "", "", "3", "1", "2", "1", "3", ".400", "1.300"},
        {"", Sox, "1", "", "", "", "", "", "", "", "", ".000", ".000"},
        {"Al Zero", Sox, "0", "", "", "", "", "", "1", "", "", "", ""},
        {"No AB", Sox, "", "", "", "", "", "1", "", "", "", "", ""},
        {"Smith", Sox, "3", "2", "1", "1", "", "", "", "", "", "1.333", "2.333"},
    };
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(row(g, r), expected[r - 1]) << "row " << r;

    // Widths of the all-players view; names left, counts centred, rates right.
    EXPECT_EQ(g.colWidth(0), 300);
    EXPECT_EQ(g.colWidth(1), 2000);
    EXPECT_EQ(g.colWidth(2), 1700);
    for (int c = 3; c <= 13; ++c)
        EXPECT_EQ(g.colWidth(c), 550) << c;
    const GridModel& m = g.model();
    EXPECT_EQ(m.colAlignment(1), 0);
    EXPECT_EQ(m.colAlignment(2), 0);
    EXPECT_EQ(m.colAlignment(3), 3);
    EXPECT_EQ(m.colAlignment(11), 3);
    EXPECT_EQ(m.colAlignment(12), 7);
    EXPECT_EQ(m.colAlignment(13), 7);
    EXPECT_EQ(m.colAlignmentFixed(5), 3);
}

TEST_F(AnalysisTest, FilteredBattingViewsMatchAPrefixInAnyCase)
{
    Grid& g = *browser->MSHFlexGrid4;
    browser->Text6->setText("sm");
    click(browser->Command7);
    EXPECT_EQ(column(g, 1), QStringList({"smalls", "Smith", "Smith"}));
    EXPECT_EQ(column(g, 2), QStringList({RedSox, RedSox, Sox}));
    EXPECT_EQ(column(g, 13), QStringList({".333", "1.300", "2.333"}));
    for (int c = 3; c <= 13; ++c)
        EXPECT_EQ(g.colWidth(c), 575) << c;

    // An empty filter lists every named batter, never the row without a name.
    browser->Text6->clear();
    click(browser->Command7);
    EXPECT_EQ(column(g, 1), QStringList({"smalls", "Smith", "Al Zero", "No AB", "Smith"}));

    // By team: "so" is the start of "Sox" only, not of "Red Sox".
    browser->Text5->setText("so");
    click(browser->Command8);
    EXPECT_EQ(column(g, 1), QStringList({"", "Al Zero", "No AB", "Smith"}));
    EXPECT_EQ(column(g, 3), QStringList({"1", "0", "", "3"}));

    // A filter that matches nothing, or holds an apostrophe, leaves the header.
    browser->Text5->setText("Sox' OR 'a'='a");
    click(browser->Command8);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(row(g, 0), BattingHeader);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(AnalysisTest, AggregatePitchingTotalsRatesAndFormats)
{
    const Grid& g = *browser->MSHFlexGrid5;
    ASSERT_EQ(g.rows(), 6);
    EXPECT_EQ(row(g, 0), PitchingHeader);
    // Ace: 9 K, 2 BB, 6 H, 1 HR, 3 R over 6.00 + 2.67 = 8.67 innings, so
    // Ks/9 81/8.67, BBs/9 18/8.67, H/9 54/8.67, HRs/9 9/8.67, K/BB 9/2 (not
    // the whole-number 4), ERA 27/8.67, WHIP 8/8.67.
    // Mop: 2 R, 2 BB and 4 H over 6.00 innings; no strikeouts recorded.
    // Nil: innings stored as 0: every rate over innings is empty.
    // Rel: runs, no walks or hits recorded: K/BB empty, WHIP .00.
    // Zed: only the no-outs placeholder 0.0001 and one strikeout.
    const QStringList expected[] = {
        {"Ace", RedSox, "9", "2", "6", "1", "3", "8.67", "9.34", "2.08", "6.23", "1.04", "4.50", "3.11", ".92"},
        {"Mop", Sox, "", "2", "4", "", "2", "6.00", "", "3.00", "6.00", "", "", "3.00", "1.00"},
        {"Nil", Sox, "2", "1", "", "", "", ".00", "", "", "", "", "2.00", "", ""},
        {"Rel", Sox, "0", "", "", "", "2", "1.00", ".00", "", "", "", "", "18.00", ".00"},
        {"Zed", Sox, "1", "", "", "", "", ".00", "90000.00", "", "", "", "", ".00", ".00"},
    };
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(row(g, r), expected[r - 1]) << "row " << r;

    const int widths[] = {300, 1700, 1500, 430, 430, 430, 430, 430, 625, 550, 550, 550, 600, 600, 650, 650};
    for (int c = 0; c <= 15; ++c)
        EXPECT_EQ(g.colWidth(c), widths[c]) << c;
    const GridModel& m = g.model();
    EXPECT_EQ(m.colAlignment(1), 0);
    EXPECT_EQ(m.colAlignment(2), 0);
    EXPECT_EQ(m.colAlignment(7), 3);
    for (int c = 8; c <= 15; ++c)
        EXPECT_EQ(m.colAlignment(c), 7) << c;
}

TEST_F(AnalysisTest, FilteredPitchingViews)
{
    Grid& g = *browser->MSHFlexGrid5;
    browser->Text10->setText("z");
    click(browser->Command13);
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(1, 1), "Zed");
    EXPECT_EQ(g.textMatrix(1, 9), "90000.00");

    browser->Text11->setText("RED");
    click(browser->Command12);
    EXPECT_EQ(column(g, 1), QStringList({"Ace"}));
    EXPECT_EQ(g.textMatrix(1, 15), ".92");
    EXPECT_EQ(g.colWidth(8), 625);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(AnalysisTest, EachAggregateViewPaintsItsGridOnce)
{
    // The rates arrive unrounded, wider than the figures shown: the columns
    // fit only the rounded ones, and the whole refresh is one paint.
    auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    browser->Text6->setText("S");
    browser->Text5->setText("S");
    browser->Text10->setText("A");
    browser->Text11->setText("S");
    const std::pair<int, std::vector<QPushButton*>> tabs[] = {
        {3, {browser->Command6, browser->Command7, browser->Command8, browser->Command6}},
        {4, {browser->Command14, browser->Command13, browser->Command12, browser->Command14}},
    };
    for (const auto& [tab, views] : tabs) {
        browser->SSTab1->setCurrentIndex(tab);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(browser->window()));
        settle();
        Grid& g = tab == 3 ? *browser->MSHFlexGrid4 : *browser->MSHFlexGrid5;
        PaintCount viewport;
        g.viewport()->installEventFilter(&viewport);
        for (QPushButton* view : views) {
            viewport.paints = 0;
            click(view);
            settle();
            EXPECT_EQ(viewport.paints, 1) << view->text().toStdString();
        }
    }
}
