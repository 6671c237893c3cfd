// The Game Stats tab opened from a GameID of the line scores, and the
// Ctrl+double-click sorting of the by-game and aggregate grids.
#include "analysis_fixture.h"

#include <QLineEdit>

using namespace analysis;

TEST_F(AnalysisTest, GameIdClickFillsGameStatsWithOnlyThatGamesTeams)
{
    Grid& lines = *browser->MSHFlexGrid1;
    // Newest first: G2's two rows, then G1's, visitors on top.
    ASSERT_EQ(column(lines, 26), QStringList({G2, G2, G1, G1}));
    // The home row of G1: the visitors' name comes from the row above.
    clickCell(lines, 4, Form4::GameIdColumn);
    EXPECT_EQ(browser->Text9->text(), G1);
    EXPECT_EQ(browser->SSTab1->currentIndex(), 6);

    // "Sox" is part of "Red Sox": each side still gets only its own players.
    const Grid& visBat = *browser->MSHFlexGrid6;
    const Grid& visPit = *browser->MSHFlexGrid7;
    const Grid& homeBat = *browser->MSHFlexGrid8;
    const Grid& homePit = *browser->MSHFlexGrid11;
    const Grid& line = *browser->MSHFlexGrid12;
    EXPECT_EQ(row(visBat, 1), QStringList({"Smith", "2", "1", "1", "", "", "1", "", "", "4", RedSox, G1}));
    EXPECT_EQ(visBat.rows(), 2);
    EXPECT_EQ(column(homeBat, 1), QStringList({"Smith", "Al Zero"}));
    EXPECT_EQ(column(homeBat, 11), QStringList({Sox, Sox}));
    EXPECT_EQ(column(visPit, 1), QStringList({"Ace"}));
    EXPECT_EQ(visPit.textMatrix(1, 7), "6");
    // No innings formatting on this tab: the no-outs placeholder as stored.
    EXPECT_EQ(column(homePit, 1), QStringList({"Zed"}));
    EXPECT_EQ(homePit.textMatrix(1, 7), "0.0001");
    EXPECT_EQ(column(line, 1), QStringList({RedSox, Sox}));
    EXPECT_EQ(column(line, 25), QStringList({"a_VIS", "b_HOME"}));
    EXPECT_EQ(line.textMatrix(2, 3), "0");
    EXPECT_EQ(line.textMatrix(2, 10), "");  // the home side did not bat in the ninth
    EXPECT_EQ(line.textMatrix(1, 22), "1");

    // Layout.
    const int batWidths[] = {30, 1600, 350, 350, 350, 350, 350, 350, 350, 350, 500, 0, 0};
    for (int c = 0; c <= 12; ++c)
        EXPECT_EQ(homeBat.colWidth(c), batWidths[c]) << c;
    const int pitWidths[] = {30, 1600, 380, 380, 450, 450, 550, 450, 0, 0};
    for (int c = 0; c <= 9; ++c)
        EXPECT_EQ(visPit.colWidth(c), pitWidths[c]) << c;
    EXPECT_EQ(line.colWidth(0), 30);
    EXPECT_EQ(line.colWidth(1), 800);
    EXPECT_EQ(line.colWidth(21), 400);
    EXPECT_EQ(line.colWidth(24), 550);
    EXPECT_TRUE(line.isColumnHidden(25));
    EXPECT_EQ(line.colWidth(26), 1200);
    for (const Grid* g : {&visBat, &visPit, &homeBat, &homePit}) {
        EXPECT_EQ(g->rowHeightTwips(), 200);
        EXPECT_EQ(g->model().colAlignment(1), 1);
        EXPECT_EQ(g->model().colAlignment(2), 4);
        EXPECT_EQ(g->model().colAlignmentFixed(2), 3);
    }
    EXPECT_EQ(homeBat.model().colAlignment(12), 4);
    EXPECT_EQ(line.model().colAlignment(2), 4);
    EXPECT_EQ(line.model().colAlignment(24), 4);
    // Outside the cells: button face; the cells themselves stay white.
    for (const Grid* g : {&visBat, &visPit, &homeBat, &homePit, &line}) {
        EXPECT_EQ(g->viewport()->palette().color(QPalette::Base), g->palette().color(QPalette::Button));
        EXPECT_EQ(g->model().cellBackColor(1, 1), g->palette().color(QPalette::Base));
    }
    EXPECT_TRUE(ui->programErrors().isEmpty());

    // The other game, clicked on its visitors' row.
    browser->SSTab1->setCurrentIndex(0);
    clickCell(lines, 1, Form4::GameIdColumn);
    EXPECT_EQ(browser->SSTab1->currentIndex(), 6);
    EXPECT_EQ(column(visBat, 1), QStringList({"No AB", ""}));
    EXPECT_EQ(column(homeBat, 1), QStringList({"smalls", "Smith"}));
    EXPECT_EQ(column(homePit, 1), QStringList({"Ace"}));
    EXPECT_EQ(column(visPit, 1), QStringList({"Mop", "Rel", "Nil"}));
    EXPECT_EQ(line.textMatrix(1, 11), "1");  // the tenth inning
}

TEST_F(AnalysisTest, GameStatsFindTheGamesRowsInAnyCaseOfItsGameIdAndNoOthers)
{
    // A file another program wrote, with letters in its GameIDs.
    {
        db::Connection c;
        c.transaction([&] {
            browser_test::addLineScore(c, "Owls", true, "x3Ab", {1}, 1, 0);
            browser_test::addLineScore(c, "Larks", false, "x3Ab", {0}, 0, 0);
            for (const char* id : {"x3ab", "X3aB", "x3Ac", "x3A", "x3Ab_", "y3Ab"})
                browser_test::addBatting(c, QString("Owl ") + id, "OWLS", id, {});
            browser_test::addBatting(c, "Lark", "larks", "x3AB", {});
        });
    }
    open();
    ASSERT_EQ(column(*browser->MSHFlexGrid1, 26).mid(0, 2), QStringList({"x3Ab", "x3Ab"}));
    clickCell(*browser->MSHFlexGrid1, 1, Form4::GameIdColumn);
    EXPECT_EQ(column(*browser->MSHFlexGrid6, 1), QStringList({"Owl x3ab", "Owl X3aB"}));
    EXPECT_EQ(column(*browser->MSHFlexGrid8, 1), QStringList({"Lark"}));
    EXPECT_EQ(column(*browser->MSHFlexGrid12, 1), QStringList({"Owls", "Larks"}));
}

TEST_F(AnalysisTest, OtherColumnsClearTheGameIdAndAnEmptyLineScoreOpensNothing)
{
    Grid& lines = *browser->MSHFlexGrid1;
    clickCell(lines, 3, Form4::GameIdColumn);
    ASSERT_EQ(browser->MSHFlexGrid6->rows(), 2);
    browser->SSTab1->setCurrentIndex(0);
    clickCell(lines, 3, 1);
    EXPECT_EQ(browser->Text9->text(), "");
    EXPECT_EQ(browser->SSTab1->currentIndex(), 0);
    EXPECT_EQ(browser->MSHFlexGrid6->rows(), 2);

    // A line-score view without rows: the GameID is cleared, the tab kept.
    browser->Text9->setText("999999");
    click(browser->Command11);
    ASSERT_EQ(lines.rows(), 1);
    browser->GetBoxScore();
    EXPECT_EQ(browser->Text9->text(), "");
    EXPECT_EQ(browser->SSTab1->currentIndex(), 0);
    EXPECT_EQ(column(*browser->MSHFlexGrid8, 1), QStringList({"Smith", "Al Zero"}));
}

class SortTest : public AnalysisTest {
protected:
    // Ctrl+double-click as the user does it; where the platform reports no
    // Ctrl state for synthetic input, Ctrl is pressed on the keyboard too.
    void ctrlSort(Grid& g, int col, int row = 1)
    {
        QTest::keyPress(browser, Qt::Key_Control);
        doubleClickCell(g, row, col, Qt::ControlModifier);
        QTest::keyRelease(browser, Qt::Key_Control);
    }
};

TEST_F(SortTest, CtrlDoubleClickSortsAndReversesSharingOneState)
{
    Grid& agg = *browser->MSHFlexGrid4;
    const QStringList loaded = column(agg, 1);

    // Without Ctrl nothing happens; column 0 is never a key.
    doubleClickCell(agg, 1, 3, Qt::NoModifier);
    EXPECT_EQ(column(agg, 1), loaded);
    ctrlSort(agg, 0);
    EXPECT_EQ(column(agg, 1), loaded);
    EXPECT_EQ(browser->lastSortCol, 0);

    // TAB as numbers, the empty cell first; then reversed on a repeat.
    ctrlSort(agg, 3);
    if (browser->lastSortCol != 3)
        GTEST_SKIP() << "the platform reports no Ctrl state";
    EXPECT_EQ(column(agg, 3), QStringList({"", "0", "1", "3", "3", "10"}));
    EXPECT_EQ(column(agg, 1), QStringList({"No AB", "Al Zero", "", "smalls", "Smith", "Smith"}));
    EXPECT_EQ(agg.textMatrix(0, 3), "TAB");
    ctrlSort(agg, 3);
    EXPECT_EQ(column(agg, 3), QStringList({"10", "3", "3", "1", "0", ""}));
    ctrlSort(agg, 3);
    EXPECT_EQ(column(agg, 3), QStringList({"", "0", "1", "3", "3", "10"}));

    // Another column goes the way used last (ascending); formatted rates
    // sort by value (1.300 above .400 as numbers, not as text).
    ctrlSort(agg, 13);
    EXPECT_EQ(column(agg, 13), QStringList({"", "", ".000", ".333", "1.300", "2.333"}));
    ctrlSort(agg, 13);
    EXPECT_EQ(column(agg, 13), QStringList({"2.333", "1.300", ".333", ".000", "", ""}));
    // Names as text, any case of letters; after a descending sort a new
    // column starts descending too.
    ctrlSort(agg, 1);
    EXPECT_EQ(column(agg, 1), QStringList({"Smith", "Smith", "smalls", "No AB", "Al Zero", ""}));

    // The same column index of another grid counts as the same column.
    // Descending last, so column 3 of batting by game starts descending,
    // then flips to ascending (empty cells first); column 3 of pitching by
    // game flips again, to descending.
    Grid& bat = *browser->MSHFlexGrid2;
    Grid& pit = *browser->MSHFlexGrid3;
    ctrlSort(bat, 3);
    EXPECT_EQ(column(bat, 3), QStringList({"1", "1", "", "", "", "", ""}));
    ctrlSort(bat, 3);
    EXPECT_EQ(column(bat, 3), QStringList({"", "", "", "", "", "1", "1"}));
    ctrlSort(pit, 3);
    EXPECT_EQ(column(pit, 3), QStringList({"2", "2", "1", "0", "", ""}));

    // Innings after "Data by player" sort by their numeric value.
    ctrlSort(pit, 7);
    EXPECT_EQ(column(pit, 7), QStringList({"6.00", "6.00", "2.67", "1.00", ".00", ".00"}));
    EXPECT_EQ(pit.textMatrix(0, 7), "IP");

    // A query shows its own order again.
    click(browser->Command6);
    EXPECT_EQ(column(agg, 1), loaded);
}
