// Pitching changes: the labels, the sheet's pitchers, innings pitched, the
// batter re-selected, the log line and the pitchers' photos.
#include "platform/grid.h"
#include "support/board_fixture.h"
#include "support/team_helpers.h"

#include <QDir>
#include <QImage>

namespace {

class PitchingTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        QStringList vis, home;
        for (int i = 1; i <= 12; ++i) {
            vis << QStringLiteral("V%1=P").arg(i);
            home << QStringLiteral("H%1=P").arg(i);
        }
        home[9] = QStringLiteral("=Nameless");
        home[10] = QStringLiteral("h2=P");
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Vis.txt"), vis), true);
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Home.txt"), home), false);
        ui->clear();
    }
    Grid* homeGrid() { return sheet().grd_HomeStats; }
    Grid* visGrid() { return sheet().grd_VisStats; }
    // Half-innings 1.. of a row completed, as the third outs mark them.
    void complete(bool topRow, int halves)
    {
        for (int i = 0; i < halves; ++i)
            (topRow ? board->tb_BoxScore : board->tb_BoxScoreBottom)[static_cast<size_t>(i)]->setCompleted(true);
    }
    void changeHome(int row) { teams::choosePitcher(*board, false, row); }
    void changeVis(int row) { teams::choosePitcher(*board, true, row); }
    QString ip(Grid* g, int row) { return g->textMatrix(row, 17); }
    QString pitcher(Grid* g, int row) { return g->textMatrix(row, 11); }
};

}  // namespace

TEST_F(PitchingTest, FirstChoiceListsThePitcherAndLogsHim)
{
    // The home side has been in the field for two innings and an out, yet
    // the first choice replaces nobody: nothing is credited, and no row (not
    // the next pitcher's empty one) gets innings.
    teams::setAtBat(*board, true);
    complete(true, 2);
    board->tb_OUT->setText(QStringLiteral("1"));
    changeHome(0);
    EXPECT_EQ(board->lbl_HomePitcher->text(), QStringLiteral("H1"));
    EXPECT_EQ(board->lbl_HomePitcher->hiddenText, QString());
    EXPECT_EQ(pitcher(homeGrid(), 1), QStringLiteral("H1"));
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(ip(homeGrid(), r), QString());
    EXPECT_EQ(board->EventLogText(), QStringLiteral("H1_____[current pitcher]\r\n"));
    EXPECT_EQ(board->lbl_VisPitcher->text(), QString());
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(PitchingTest, TheOutgoingPitcherGetsTheSidesInningsLessTheOthers)
{
    teams::setAtBat(*board, true);  // home in the field
    changeHome(0);                  // A
    changeHome(1);                  // B replaces A in the first inning, no out
    EXPECT_EQ(ip(homeGrid(), 1), QStringLiteral("0.00"));
    EXPECT_EQ(board->lbl_HomePitcher->hiddenText, QStringLiteral("H1"));

    // Five completed top halves and two outs in the sixth: 17 outs. A holds
    // 3.33; B is replaced by C and gets 5.67 less 3.33.
    homeGrid()->setTextMatrix(1, 17, QStringLiteral("3.33"));
    complete(true, 5);
    board->tb_OUT->setText(QStringLiteral("2"));
    changeHome(2);
    EXPECT_EQ(ip(homeGrid(), 2), QStringLiteral("2.34"));
    EXPECT_EQ(pitcher(homeGrid(), 3), QStringLiteral("H3"));
    EXPECT_EQ(ip(homeGrid(), 3), QString());
    EXPECT_EQ(ip(homeGrid(), 1), QStringLiteral("3.33"));

    // A returns: he keeps his first row; replaced again, he gets the side's
    // innings less what the others hold, his own earlier credit included in
    // what he is given.
    changeHome(0);
    EXPECT_EQ(ip(homeGrid(), 3), QStringLiteral("0.00"));
    EXPECT_EQ(pitcher(homeGrid(), 4), QString());
    complete(true, 6);
    board->tb_OUT->setText(QStringLiteral("0"));
    changeHome(3);
    EXPECT_EQ(ip(homeGrid(), 1), QStringLiteral("3.66"));  // 6.00 - 2.34 - 0.00
    EXPECT_EQ(pitcher(homeGrid(), 4), QStringLiteral("H4"));
    EXPECT_EQ(ip(visGrid(), 1), QString());
}

TEST_F(PitchingTest, TheChangingSideIsCreditedEvenWhileItBats)
{
    changeVis(0);
    changeHome(0);
    // The home side bats in the bottom of the third with one out. Its own
    // pitcher, replaced now, made his outs in the three top halves; the out
    // of the half-inning in progress is the visitors' pitcher's.
    teams::setAtBat(*board, false);
    complete(true, 3);
    complete(false, 2);
    board->tb_OUT->setText(QStringLiteral("1"));
    changeHome(1);
    EXPECT_EQ(ip(homeGrid(), 1), QStringLiteral("3.00"));
    EXPECT_EQ(ip(visGrid(), 1), QString());  // the other side's pitcher untouched
    // The visitors, in the field, count the outs in progress.
    changeVis(1);
    EXPECT_EQ(ip(visGrid(), 1), QStringLiteral("2.33"));
}

TEST_F(PitchingTest, ACellThatIsNotANumberIsReportedAndTheChangeCompletes)
{
    ui->expectAlarm(QStringLiteral("13, Type mismatch"));
    teams::setAtBat(*board, true);
    changeHome(0);
    homeGrid()->setTextMatrix(5, 17, QStringLiteral("two"));
    complete(true, 1);
    ui->clear();
    changeHome(1);
    EXPECT_EQ(ui->programErrors(), QStringList{QStringLiteral("The following error has occurred: 13, Type mismatch")});
    EXPECT_EQ(ip(homeGrid(), 1), QString());
    EXPECT_EQ(board->lbl_HomePitcher->text(), QStringLiteral("H2"));
    EXPECT_EQ(pitcher(homeGrid(), 2), QStringLiteral("H2"));
    EXPECT_TRUE(board->EventLogText().endsWith(QStringLiteral("H2_____[current pitcher]\r\n")));
}

TEST_F(PitchingTest, InningsBeyondAnyGameAreReportedAsOverflowAndChangeNoCell)
{
    ui->expectAlarm(QStringLiteral("6, Overflow"));
    // A huge cell of another pitcher: the credit is refused whole and the
    // rest of the change goes on. The last case is a credit that would itself
    // be past what a cell may hold. (An OUTS box the lenient reader takes as
    // an enormous number holds no outs of a half-inning in progress.)
    const struct {
        const char* otherCell;
        const char* outs;
    } cases[] = {{"12345678901234567", "0"}, {"-999999999.5", "2"}};
    teams::setAtBat(*board, true);
    changeHome(0);
    homeGrid()->setTextMatrix(1, 17, QStringLiteral("1.00"));
    complete(true, 1);
    int next = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.otherCell) + " / " + c.outs);
        homeGrid()->setTextMatrix(9, 17, QString::fromLatin1(c.otherCell));
        board->tb_OUT->setText(QString::fromLatin1(c.outs));
        ui->clear();
        changeHome(next);
        const QString name = QStringLiteral("H%1").arg(++next);
        EXPECT_EQ(ui->programErrors(), QStringList{QStringLiteral("The following error has occurred: 6, Overflow")});
        for (int row = 1; row < next; ++row)
            EXPECT_EQ(ip(homeGrid(), row), row == 1 ? QStringLiteral("1.00") : QString()) << row;
        EXPECT_EQ(ip(homeGrid(), 9), QString::fromLatin1(c.otherCell));
        EXPECT_EQ(board->lbl_HomePitcher->text(), name);
        EXPECT_EQ(pitcher(homeGrid(), next), name);
        EXPECT_TRUE(board->EventLogText().endsWith(name + QStringLiteral("_____[current pitcher]\r\n")));
    }
}

TEST_F(PitchingTest, NamesAndSelections)
{
    // No entry selected: nothing at all.
    board->List2->setListIndexSilently(-1);
    doubleClick(board->lbl_HomePitcher);
    EXPECT_EQ(board->lbl_HomePitcher->text(), QString());
    EXPECT_EQ(board->EventLogText(), QString());

    changeHome(0);
    changeHome(0);  // the same pitcher again: listed once
    EXPECT_EQ(pitcher(homeGrid(), 2), QString());
    EXPECT_EQ(board->lbl_HomePitcher->hiddenText, QStringLiteral("H1"));
    changeHome(10);  // "h2": case counts
    EXPECT_EQ(pitcher(homeGrid(), 2), QStringLiteral("h2"));
    changeHome(9);  // "=Nameless": an empty caption, not listed, logged
    EXPECT_EQ(board->lbl_HomePitcher->text(), QString());
    EXPECT_EQ(pitcher(homeGrid(), 3), QString());
    EXPECT_TRUE(board->EventLogText().endsWith(QStringLiteral("\r\n_____[current pitcher]\r\n")));
}

TEST_F(PitchingTest, TheBatterIsSelectedAgainAfterTheChange)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 3);  // V4 bats
    ASSERT_EQ(board->lbl_L1current->text(), QStringLiteral("3"));
    // The visitors change pitchers while they bat: the pick runs again for V4.
    changeVis(10);
    EXPECT_EQ(board->lbl_VisPitcher->text(), QStringLiteral("V11"));
    EXPECT_EQ(board->List1->listIndex(), 3);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("V4"));
    int pieces = 0;
    for (size_t i = 0; i < 4; ++i)
        pieces += board->pb_Player[i]->hiddenText == QLatin1String("V4") ? 1 : 0;
    EXPECT_EQ(pieces, 2);
    // The home side's lineup goes back to its stored index as well.
    changeHome(7);
    EXPECT_EQ(board->List2->listIndex(), 0);
}

TEST_F(PitchingTest, ThePitchersPhotosFollowTheTimer)
{
    const QString photos = folder->file(QStringLiteral("Photos"));
    QDir().mkpath(photos);
    QImage img(20, 30, QImage::Format_RGB32);
    img.fill(Qt::cyan);
    ASSERT_TRUE(img.save(photos + QStringLiteral("/H1.jpg"), "JPG"));
    board->lbl_PhotoPath->setText(photos);

    board->tmr_Constant_Timer();
    EXPECT_FALSE(board->img_HomePitch->hasPicture());  // no pitcher yet
    changeHome(0);
    board->tmr_Constant_Timer();
    EXPECT_TRUE(board->img_HomePitch->hasPicture());
    // The next pitcher has no photo: the old one is gone and none shows.
    changeHome(1);
    board->tmr_Constant_Timer();
    EXPECT_FALSE(board->img_HomePitch->hasPicture());
    EXPECT_FALSE(board->img_VisPitch->hasPicture());
}

TEST_F(PitchingTest, EveryOneOfTwentyCompletedInningsIsCounted)
{
    // The longest game the line score holds: twenty innings, each completed.
    teams::setAtBat(*board, true);
    changeHome(0);
    complete(true, 20);
    board->tb_OUT->setText(QStringLiteral("0"));
    changeHome(1);
    EXPECT_EQ(ip(homeGrid(), 1), QStringLiteral("20.00"));
}
