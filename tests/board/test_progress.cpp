// Game progress on the real board: the guard, the counting rule, at-bats and
// the lineup advance, outs and half-innings, runs, the sheet's copy of the
// line score and manual entry.
#include "board/form1.h"
#include "board/game_rules.h"
#include "common/colours.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTest>

using namespace gamehelp;

namespace {

const QString OnlyNumbers = "Only numbers 0 and higher are allowed. An error has occurred.";
const QString MaxInnings = "Maximum INNINGS reached. Use manual scoring to complete game.";

void takeFocus(BoxScoreEdit* box, Qt::FocusReason reason = Qt::MouseFocusReason)
{
    QFocusEvent e(QEvent::FocusIn, reason);
    QApplication::sendEvent(box, &e);
}

// The completed marks of the 40 half-innings, "1" yellow, "." grey.
QString marks(const Form1& b)
{
    QString s;
    for (int h = 1; h <= 40; ++h) {
        const game::BoxRef r = game::boxOfHalfInning(h);
        s += (r.side == board::Side::Visitors ? b.tb_BoxScore : b.tb_BoxScoreBottom)[static_cast<size_t>(r.index)]->completed() ? '1' : '.';
    }
    return s;
}

// The marks as the boxes are painted: yellow "1", grey ".".
QString paintedMarks(const Form1& b)
{
    QString s;
    for (int h = 1; h <= 40; ++h) {
        const game::BoxRef r = game::boxOfHalfInning(h);
        BoxScoreEdit* box = (r.side == board::Side::Visitors ? b.tb_BoxScore : b.tb_BoxScoreBottom)[static_cast<size_t>(r.index)];
        const QColor c = box->grab().toImage().pixelColor(3, 3);
        s += c == colours::fromBgr(colours::CompletedHalfColor) ? '1' : c == colours::fromBgr(colours::IdleBoxColor) ? '.' : '?';
    }
    return s;
}

// Counts the style changes of the 40 half-inning boxes.
class StyleChanges : public QObject {
public:
    explicit StyleChanges(Form1& b)
    {
        for (size_t i = 0; i < 20; ++i)
            for (BoxScoreEdit* box : {b.tb_BoxScore[i], b.tb_BoxScoreBottom[i]})
                box->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::StyleChange;
        return false;
    }
};

QString marked(int halves)
{
    return QString(halves, '1') + QString(40 - halves, '.');
}

}  // namespace

TEST(GameRules, HalfInningNumberingAndRunBoxes)
{
    EXPECT_EQ(game::boxOfHalfInning(1), (game::BoxRef{board::Side::Visitors, 0}));
    EXPECT_EQ(game::boxOfHalfInning(2), (game::BoxRef{board::Side::Home, 0}));
    EXPECT_EQ(game::boxOfHalfInning(21), (game::BoxRef{board::Side::Visitors, 10}));
    EXPECT_EQ(game::boxOfHalfInning(40), (game::BoxRef{board::Side::Home, 19}));

    EXPECT_EQ(game::halfInningCompletedAt(3), 1);
    EXPECT_EQ(game::halfInningCompletedAt(120), 40);
    EXPECT_FALSE(game::halfInningCompletedAt(0));
    EXPECT_FALSE(game::halfInningCompletedAt(4));
    EXPECT_FALSE(game::halfInningCompletedAt(123));

    // Strictly greater than 3h - 1.
    EXPECT_TRUE(game::halfInningMarked(4, 12));
    EXPECT_FALSE(game::halfInningMarked(4, 11));
    EXPECT_TRUE(game::halfInningMarked(2, 5.5));
    EXPECT_FALSE(game::halfInningMarked(3, 5.5));

    // Every count chooses at most one box.
    EXPECT_EQ(game::runHalfInning(-4), 1);
    EXPECT_EQ(game::runHalfInning(2.5), 1);
    EXPECT_EQ(game::runHalfInning(5), 2);
    EXPECT_EQ(game::runHalfInning(5.5), 2);
    EXPECT_EQ(game::runHalfInning(6), 3);
    EXPECT_EQ(game::runHalfInning(57), 20);
    EXPECT_EQ(game::runHalfInning(60), 21);
    EXPECT_EQ(game::runHalfInning(119), 40);
    EXPECT_FALSE(game::runHalfInning(120));
    EXPECT_FALSE(game::runHalfInning(1e300));

    EXPECT_EQ(game::entryName("Smith=CF .300"), "Smith");
    EXPECT_EQ(game::entryName("Smith"), "Smith");
    EXPECT_EQ(game::entryName("=CF"), "");
}

TEST_F(BoardTest, GuardRefusesUntilTeamsPitchersSideAndBatterAreThere)
{
    // No team, then one team: silent.
    click(board->lbl_RBI);
    fillSide(*board, true, lineup("V", 9));
    click(board->lbl_RBI);
    EXPECT_TRUE(ui->prompts.empty());

    fillSide(*board, false, lineup("H", 9));
    atBat(*board, true);
    pick(*board, true, 0);
    setPitcher(*board, true, "VP");
    click(board->lbl_RBI);  // home pitcher missing
    EXPECT_EQ(ui->notices(), QStringList{NotReadyNotice});

    // No side at bat although a batter is named.
    setPitcher(*board, false, "HP");
    board->Option5->setAutoExclusive(false);
    board->Option5->setChecked(false);
    board->Option5->setAutoExclusive(true);
    ui->clear();
    click(board->lbl_RBI);
    EXPECT_EQ(ui->notices(), QStringList{NotReadyNotice});

    // After a change of sides the visitors' batter is still named: a play
    // cannot be charged to him for the home side.
    atBat(*board, false);
    EXPECT_EQ(board->lbl_Selected->text(), "V1");
    ui->clear();
    click(board->lbl_RBI);
    EXPECT_EQ(ui->notices(), QStringList{NotReadyNotice});

    EXPECT_EQ(board->EventLogText(), "");
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "");
    EXPECT_EQ(cell(*board, true, 1, 9), "");
    EXPECT_EQ(cell(*board, false, 1, 16), "");

    // A pick on the new side lifts the refusal.
    pick(*board, false, 0);
    ui->clear();
    click(board->lbl_RBI);
    EXPECT_EQ(ui->notices(), QStringList{"Stat Recorded."});
    EXPECT_EQ(board->EventLogText(), "H1=P1_____RBI\r\n");
}

TEST_F(BoardTest, CountingRuleReadsOddCellsAndNeverTouchesTheHeaderOrNamelessRows)
{
    // A player named like the header and a duplicate name.
    QStringList vis = lineup("V", 9);
    vis[0] = "VIS_Player=P1";
    vis[1] = "Twin=P2";
    vis[2] = "Twin=P3";
    fillSide(*board, true, vis);
    fillSide(*board, false, lineup("H", 9));
    setPitcher(*board, true, "VP");
    setPitcher(*board, false, "HP");
    atBat(*board, true);

    pick(*board, true, 0);
    click(board->lbl_RBI);
    EXPECT_EQ(cell(*board, true, 0, 9), "RBI");
    EXPECT_EQ(cell(*board, true, 1, 9), "1");

    grid(*board, true).setTextMatrix(2, 9, "3abc");
    pick(*board, true, 1);
    click(board->lbl_RBI);
    EXPECT_EQ(cell(*board, true, 2, 9), "4");
    EXPECT_EQ(cell(*board, true, 3, 9), "");  // the upper of two equal names

    grid(*board, true).setTextMatrix(2, 9, "x");
    grid(*board, false).setTextMatrix(1, 16, " 7");
    click(board->lbl_RBI);
    EXPECT_EQ(cell(*board, true, 2, 9), "1");
    EXPECT_EQ(cell(*board, false, 1, 16), "8");

    // A number too large for the reader counts as 0.
    grid(*board, true).setTextMatrix(2, 9, "1e999");
    click(board->lbl_RBI);
    EXPECT_EQ(cell(*board, true, 2, 9), "1");
}

TEST_F(BoardTest, ChangeOfStateFlagsOnlyTheNamedPlayerOfTheFirstPiece)
{
    QStringList vis = lineup("V", 12);
    vis[10] = "Both=P11";
    fillSide(*board, true, vis);
    QStringList home = lineup("H", 9);
    home[8] = "Both=P9";
    fillSide(*board, false, home);
    grid(*board, false).setTextMatrix(9, 18, "");

    board->pb_Player[0]->hiddenText = "V12";
    board->ChangeOfState();
    EXPECT_EQ(cell(*board, true, 12, 18), "1");

    board->pb_Player[0]->hiddenText = "Both";
    board->ChangeOfState();
    EXPECT_EQ(cell(*board, true, 11, 18), "1");
    EXPECT_EQ(cell(*board, false, 9, 18), "");

    // An empty name flags no row, the empty rows below a lineup included.
    board->pb_Player[0]->hiddenText = "";
    board->ChangeOfState();
    EXPECT_EQ(cell(*board, true, 13, 18), "");
    EXPECT_EQ(cell(*board, false, 10, 18), "");
}

TEST_F(BoardTest, AtBatChargesTheBatterAndTheLineupWrapsFromTheNinth)
{
    standardGame(*board);
    pick(*board, true, 8);
    EXPECT_EQ(board->lbl_Selected->text(), "V9");
    grid(*board, true).setTextMatrix(9, 10, "3");
    board->AssignAtBat();
    EXPECT_EQ(cell(*board, true, 9, 10), "4");
    EXPECT_EQ(board->List1->listIndex(), 0);
    EXPECT_EQ(board->lbl_Selected->text(), "V1");
    board->AssignAtBat();
    EXPECT_EQ(cell(*board, true, 1, 10), "1");
    EXPECT_EQ(board->lbl_Selected->text(), "V2");

    // A name the sheet does not hold: nothing charged, the lineup stays.
    board->lbl_Selected->setText("Nobody");
    board->AssignAtBat();
    EXPECT_EQ(board->List1->listIndex(), 1);

    // No batter at all: the empty rows below the lineup are not charged.
    board->lbl_Selected->setText("");
    board->AssignAtBat();
    EXPECT_EQ(cell(*board, true, 10, 10), "");
    EXPECT_EQ(cell(*board, false, 10, 10), "");
    EXPECT_EQ(board->List1->listIndex(), 1);
}

TEST_F(BoardTest, AtBatGoesToTheBattingSidesRowWhenBothTeamsHoldTheName)
{
    QStringList vis = lineup("V", 9), home = lineup("H", 9);
    vis[2] = "Sam Lee=SS";
    home[4] = "Sam Lee=C";
    fillSide(*board, true, vis);
    fillSide(*board, false, home);
    atBat(*board, false);
    pick(*board, false, 4);
    board->AssignAtBat();
    EXPECT_EQ(cell(*board, false, 5, 10), "1");
    EXPECT_EQ(cell(*board, true, 3, 10), "");
    EXPECT_EQ(board->List2->listIndex(), 5);
    EXPECT_EQ(board->List1->listIndex(), -1);
}

TEST_F(BoardTest, AdvanceNeverRunsOffTheEndOfALineup)
{
    fillSide(*board, true, lineup("V", 5));
    fillSide(*board, false, lineup("H", 12));
    atBat(*board, true);
    pick(*board, true, 4);
    board->AssignAtBat();
    EXPECT_EQ(board->List1->listIndex(), 0);
    EXPECT_EQ(board->lbl_Selected->text(), "V1");

    atBat(*board, false);
    pick(*board, false, 3);
    // Entries past the ninth highlighted by the user are no batter picks:
    // the order goes on from the current batter's place.
    board->List2->setListIndex(10);
    board->AdvanceLineup();
    EXPECT_EQ(board->List2->listIndex(), 4);
    EXPECT_EQ(board->lbl_Selected->text(), "H5");
    board->List2->setListIndex(11);
    board->AdvanceLineup();
    EXPECT_EQ(board->List2->listIndex(), 5);
    EXPECT_EQ(board->lbl_Selected->text(), "H6");
    // From the ninth back to the first, whatever is highlighted.
    pick(*board, false, 8);
    board->List2->setListIndex(11);
    board->AdvanceLineup();
    EXPECT_EQ(board->List2->listIndex(), 0);
    EXPECT_EQ(board->lbl_Selected->text(), "H1");
}

TEST_F(BoardTest, OutsEndTheHalfInningAndHandTheBatOver)
{
    standardGame(*board);
    board->tb_OUT->setText("1");
    board->tb_OUT->setText("2");
    EXPECT_EQ(board->tb_OutsCount->text(), "0");
    EXPECT_TRUE(board->Option5->isChecked());
    board->tb_OUT->setText("3");
    EXPECT_EQ(board->tb_OUT->text(), "3");
    EXPECT_EQ(board->tb_OutsCount->text(), "3");
    EXPECT_EQ(marks(*board), marked(1));
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "0");
    EXPECT_TRUE(board->Option6->isChecked());
    EXPECT_EQ(backColor(board->List2), 0x00FFFFFFu);
    EXPECT_EQ(backColor(board->List1), 0x00C0C0C0u);

    // Back to 0: the box is re-marked and nothing switches.
    board->tb_BoxScore[0]->setCompleted(false);
    board->tb_BoxScore[0]->setText("");
    board->tb_OUT->setText("0");
    EXPECT_TRUE(board->tb_BoxScore[0]->completed());
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "0");
    EXPECT_TRUE(board->Option6->isChecked());

    board->tb_BoxScore[0]->setText("2");
    for (const char* o : {"1", "2", "3"})
        board->tb_OUT->setText(o);
    EXPECT_EQ(board->tb_OutsCount->text(), "6");
    EXPECT_EQ(marks(*board), marked(2));
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "2");
    EXPECT_EQ(board->tb_BoxScoreBottom[0]->text(), "0");
    EXPECT_TRUE(board->Option5->isChecked());
    EXPECT_EQ(backColor(board->List1), 0x00FFFFFFu);
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BoardTest, OddOutsTextEndsAtMostOneHalfInning)
{
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher are allowed."));
    standardGame(*board);
    board->tb_OUT->setText("4");
    EXPECT_EQ(board->tb_OUT->text(), "3");
    EXPECT_EQ(board->tb_OutsCount->text(), "3");
    EXPECT_TRUE(board->Option6->isChecked());

    board->tb_OUT->setText("0");
    board->tb_OUT->setText("3.5");
    EXPECT_EQ(board->tb_OutsCount->text(), "6");
    EXPECT_EQ(marks(*board), marked(2));
    EXPECT_TRUE(board->Option5->isChecked());

    // Text that is not a number yet stops the change silently.
    for (const char* t : {"", "-", "x", " "})
        board->tb_OUT->setText(t);
    board->tb_OutsCount->setText("abc");
    ui->clear();
    board->tb_OUT->setText("3");
    EXPECT_TRUE(ui->prompts.empty());
    EXPECT_EQ(board->tb_OutsCount->text(), "abc");
    EXPECT_TRUE(board->Option5->isChecked());

    // A third out with no side set counts and marks, and sets no side.
    board->Option5->setAutoExclusive(false);
    board->Option5->setChecked(false);
    board->tb_OutsCount->setText("6");
    board->tb_OUT->setText("0");
    board->tb_OUT->setText("3");
    EXPECT_EQ(board->tb_OutsCount->text(), "9");
    EXPECT_FALSE(board->Option5->isChecked());
    EXPECT_FALSE(board->Option6->isChecked());
}

TEST_F(BoardTest, TypedCumulativeOutsRepaintEveryMark)
{
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher are allowed."));
    standardGame(*board);
    board->tb_BoxScore[5]->setText("1");
    struct Case {
        const char* count;
        QString expected;
    };
    const Case cases[] = {{"12", marked(4)},   {"11", marked(3)},  {"5.5", marked(2)},
                          {"120", marked(40)}, {"200", marked(40)}, {"0", marked(0)}};
    for (const Case& c : cases) {
        board->tb_OutsCount->setText(c.count);
        EXPECT_EQ(marks(*board), c.expected) << c.count;
        EXPECT_EQ(paintedMarks(*board), c.expected) << c.count;
    }
    // Only a box whose mark changes is restyled.
    {
        StyleChanges restyled(*board);
        board->tb_OutsCount->setText("2");
        EXPECT_EQ(restyled.count, 0);
        board->tb_OutsCount->setText("7");
        EXPECT_EQ(restyled.count, 2);
        EXPECT_EQ(paintedMarks(*board), marked(2));
        board->tb_OutsCount->setText("0");
    }
    board->tb_OutsCount->setText("12");
    board->tb_OutsCount->setText("-3");
    EXPECT_EQ(board->tb_OutsCount->text(), "0");
    EXPECT_EQ(marks(*board), marked(0));
    EXPECT_TRUE(ui->prompts.empty());

    board->tb_OutsCount->setText("9");
    board->tb_OutsCount->setText("");
    board->tb_OutsCount->setText("9x");
    EXPECT_EQ(ui->messages(), (QStringList{OnlyNumbers, OnlyNumbers}));
    EXPECT_EQ(ui->prompts.at(0).icon, QMessageBox::Warning);
    EXPECT_EQ(marks(*board), marked(3));
    EXPECT_EQ(board->tb_OutsCount->text(), "9x");

    // Typing never writes box texts nor switches the side.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(board->tb_BoxScore[i]->text(), i == 5 ? "1" : "");
        EXPECT_EQ(board->tb_BoxScoreBottom[i]->text(), "");
    }
    EXPECT_TRUE(board->Option5->isChecked());
}

TEST_F(BoardTest, TheInningsLimitStopsAutomaticProgress)
{
    standardGame(*board);
    atBat(*board, false);
    board->tb_OutsCount->setText("117");
    board->tb_OUT->setText("2");
    board->tb_OUT->setText("3");
    EXPECT_EQ(board->tb_OutsCount->text(), "120");
    EXPECT_EQ(marks(*board), marked(40));
    EXPECT_EQ(board->tb_BoxScoreBottom[19]->text(), "0");
    EXPECT_TRUE(board->Option5->isChecked());
    EXPECT_TRUE(ui->prompts.empty());

    board->tb_OUT->setText("0");
    board->tb_OUT->setText("1");
    EXPECT_EQ(ui->messages(), (QStringList{MaxInnings, MaxInnings}));
    EXPECT_EQ(ui->prompts.at(0).icon, QMessageBox::Information);
    EXPECT_EQ(ui->prompts.at(0).title, "Scorvana Benchdeck");
    EXPECT_EQ(board->tb_OUT->text(), "1");
    EXPECT_EQ(board->tb_OutsCount->text(), "120");
    EXPECT_TRUE(board->Option5->isChecked());

    // Above the limit progress goes on; no box is completed by the count.
    ui->clear();
    board->tb_OutsCount->setText("123");
    board->tb_OUT->setText("3");
    EXPECT_EQ(board->tb_OutsCount->text(), "126");
    EXPECT_TRUE(board->Option6->isChecked());
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BoardTest, RunBattedInPutsTheRunInTheHalfInningInProgress)
{
    standardGame(*board);
    click(board->lbl_RBI);
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "1");
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "1");
    EXPECT_EQ(board->EventLogText(), "V1=P1_____RBI\r\n");
    EXPECT_EQ(cell(*board, true, 1, 9), "1");
    EXPECT_EQ(cell(*board, false, 1, 16), "1");
    EXPECT_EQ(ui->notices(), QStringList{"Stat Recorded."});
    EXPECT_EQ(board->StealRunnerIndex, 0);

    struct Case {
        const char* count;
        bool visitors;
        int box;
    };
    const Case cases[] = {{"5", false, 0}, {"6", true, 1},   {"57", false, 9}, {"60", true, 10},
                          {"119", false, 19}, {"", true, 0}, {"x", true, 0},  {"-4", true, 0}, {"5.5", false, 0}, {"1e999", true, 0}};
    for (const Case& c : cases) {
        auto* box = (c.visitors ? board->tb_BoxScore : board->tb_BoxScoreBottom)[static_cast<size_t>(c.box)];
        const double before = box->text().toDouble();
        QStringList texts;
        for (int i = 0; i < 20; ++i)
            texts << board->tb_BoxScore[i]->text() << board->tb_BoxScoreBottom[i]->text();
        board->tb_OutsCount->blockSignals(true);
        board->tb_OutsCount->setText(c.count);
        board->tb_OutsCount->blockSignals(false);
        click(board->lbl_RBI);
        EXPECT_EQ(box->text().toDouble(), before + 1) << c.count;
        int changed = 0;
        for (int i = 0; i < 20; ++i)
            changed += (texts[2 * i] != board->tb_BoxScore[i]->text())
                + (texts[2 * i + 1] != board->tb_BoxScoreBottom[i]->text());
        EXPECT_EQ(changed, 1) << c.count;
    }
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "7");
    EXPECT_EQ(board->tb_BoxScoreBottom[20]->text(), "4");

    // At 120 no inning box takes the run; everything else happens.
    board->tb_OutsCount->setText("120");
    ui->clear();
    click(board->lbl_RBI);
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "7");
    EXPECT_EQ(board->tb_BoxScoreBottom[20]->text(), "4");
    EXPECT_EQ(cell(*board, true, 1, 9), "12");
    EXPECT_EQ(cell(*board, false, 1, 16), "12");
    EXPECT_EQ(ui->notices(), QStringList{"Stat Recorded."});
}

TEST_F(BoardTest, RunBattedInWithoutPitcherOrBatterOnTheSheet)
{
    standardGame(*board);
    grid(*board, false).setTextMatrix(1, 11, "Renamed");
    click(board->lbl_RBI);
    EXPECT_EQ(cell(*board, true, 1, 9), "1");
    EXPECT_EQ(cell(*board, false, 1, 16), "");
    EXPECT_EQ(ui->notices(), QStringList{"Stat Recorded."});

    // The batter's sheet row renamed: the run and the log line stay alone.
    grid(*board, true).setTextMatrix(1, 1, "V1 renamed");
    ui->clear();
    click(board->lbl_RBI);
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "2");
    EXPECT_EQ(board->EventLogText(), "V1=P1_____RBI\r\nV1=P1_____RBI\r\n");
    EXPECT_TRUE(ui->notices().isEmpty());
}

TEST_F(BoardTest, UpdateSumsTheInningsAndReportsAnOverflow)
{
    ui->expectAlarm(QStringLiteral("6, Overflow"));
    board->tb_BoxScore[0]->setText("2");
    board->tb_BoxScore[2]->setText("1");
    board->tb_BoxScore[3]->setText("x");
    board->tb_BoxScore[12]->setText(" 4abc");
    board->tb_BoxScoreBottom[3]->setText("4");
    board->tb_BoxScore[4]->setCompleted(true);
    click(board->Command5);
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "7");
    EXPECT_EQ(board->tb_BoxScoreBottom[20]->text(), "4");
    EXPECT_TRUE(board->tb_BoxScore[4]->completed());
    EXPECT_FALSE(board->tb_BoxScore[0]->completed());

    board->tb_BoxScore[5]->setText("1e308");
    board->tb_BoxScore[6]->setText("1e308");
    click(board->Command5);
    ASSERT_EQ(ui->programErrors(), QStringList{"The following error has occurred: 6, Overflow"});
    EXPECT_EQ(board->tb_BoxScore[20]->text().toDouble(), 1e308 + 3);
}

TEST_F(BoardTest, TheSheetsLineScoreFollowsTheBoardAtFocusStatsAndSheetPress)
{
    Grid& bs = *sheet().grd_BoxScore;
    const QString visName = bs.textMatrix(1, 0);
    takeFocus(board->tb_BoxScore[0]);
    for (int c = 1; c <= 20; ++c) {
        EXPECT_EQ(bs.textMatrix(1, c), "");
        EXPECT_EQ(bs.textMatrix(2, c), "");
    }
    for (int c = 21; c <= 23; ++c)
        EXPECT_EQ(bs.textMatrix(1, c), "0");
    for (int c = 10; c <= 20; ++c)
        EXPECT_EQ(bs.colWidth(c), 0) << c;
    EXPECT_EQ(bs.colWidth(21), 350);
    EXPECT_EQ(bs.colWidth(22), 350);
    EXPECT_EQ(bs.colWidth(23), 400);
    EXPECT_EQ(bs.colWidth(9), 350);

    board->tb_BoxScore[9]->setText("0");
    board->tb_BoxScoreBottom[10]->setText("2");
    board->tb_BoxScore[3]->setText("03");
    board->tb_BoxScore[21]->setText("");
    // Re-activating the window is not a box taking the focus.
    takeFocus(board->tb_BoxScore[1], Qt::ActiveWindowFocusReason);
    EXPECT_EQ(bs.textMatrix(1, 4), "");
    takeFocus(board->tb_BoxScoreBottom[1], Qt::TabFocusReason);
    EXPECT_EQ(bs.colWidth(10), 350);
    EXPECT_EQ(bs.colWidth(11), 0);
    EXPECT_EQ(bs.textMatrix(2, 11), "2");
    EXPECT_EQ(bs.textMatrix(1, 4), "03");
    EXPECT_EQ(bs.textMatrix(1, 21), "3");
    EXPECT_EQ(bs.colWidth(22), 0);
    EXPECT_EQ(bs.textMatrix(2, 21), "2");
    EXPECT_EQ(bs.textMatrix(1, 0), visName);
    EXPECT_EQ(bs.textMatrix(0, 21), "R");

    // "STATS" copies before the sheet shows; a press on the sheet copies.
    board->tb_BoxScore[0]->setText("5");
    click(board->lbl_STATS);
    EXPECT_EQ(bs.textMatrix(1, 1), "5");
    EXPECT_EQ(bs.textMatrix(1, 21), "8");
    board->tb_BoxScore[1]->setText("1");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&sheet(), &press);
    EXPECT_EQ(bs.textMatrix(1, 2), "1");
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "9");
}

TEST_F(BoardTest, NumberPadWritesIntoTheBoxThatLastHadTheFocus)
{
    auto* v4 = board->tb_BoxScore[4];
    auto* h4 = board->tb_BoxScoreBottom[4];
    click(board->lbl_Digit[7]);
    EXPECT_EQ(board->lbl_NumSel->text(), "7");
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(board->tb_BoxScore[i]->text(), i >= 20 ? "0" : "");

    takeFocus(v4);
    EXPECT_EQ(board->lbl_BoxSel->text(), "4");
    EXPECT_EQ(board->lbl_VisHome->text(), "V");
    v4->setCursorPosition(0);
    click(board->lbl_Digit[1]);
    click(board->lbl_Digit[0]);
    EXPECT_EQ(v4->text(), "10");

    v4->setText("0");
    v4->setCursorPosition(1);
    click(board->lbl_Digit[3]);
    EXPECT_EQ(v4->text(), "03");
    v4->setCursorPosition(0);
    click(board->lbl_Digit[3]);
    EXPECT_EQ(v4->text(), "3");

    takeFocus(h4);
    h4->setCursorPosition(0);
    click(board->lbl_Digit[2]);
    EXPECT_EQ(h4->text(), "2");
    EXPECT_EQ(v4->text(), "3");

    // Errors and runs boxes take digits; the next focus re-sums the runs.
    takeFocus(board->tb_BoxScore[22]);
    board->tb_BoxScore[22]->setCursorPosition(0);
    click(board->lbl_Digit[1]);
    EXPECT_EQ(board->tb_BoxScore[22]->text(), "1");
    takeFocus(board->tb_BoxScore[20]);
    board->tb_BoxScore[20]->setCursorPosition(0);
    click(board->lbl_Digit[9]);
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "9");
    takeFocus(board->tb_BoxScore[0]);
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "3");
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BoardTest, DoubleClickMarksAnInningBoxUntilTheCountNextChanges)
{
    auto* box = board->tb_BoxScore[3];
    box->setText("2");
    doubleClick(box);
    EXPECT_TRUE(box->completed());
    EXPECT_EQ(box->backColor(), 0x0000FFFFu);
    doubleClick(box);
    EXPECT_FALSE(box->completed());
    EXPECT_EQ(box->text(), "2");
    doubleClick(board->tb_BoxScoreBottom[2]);
    EXPECT_TRUE(board->tb_BoxScoreBottom[2]->completed());
    doubleClick(board->tb_BoxScore[20]);
    EXPECT_FALSE(board->tb_BoxScore[20]->completed());

    board->tb_OutsCount->setText("3");
    EXPECT_EQ(marks(*board), marked(1));
}

TEST_F(BoardTest, ACountedBatterIsMarkedToBeSavedWhereverHisSheetRowStands)
{
    // Bench players moved into the batting order keep their sheet rows below
    // the ninth, which team loading does not mark as played.
    fillSide(*board, true, lineup("V", 12));
    board->List1->item(1)->setText("V11=P11");
    board->List1->item(10)->setText("V2=P2");
    board->List1->item(2)->setText("V12=P12");
    board->List1->item(11)->setText("V3=P3");
    fillSide(*board, false, lineup("H", 9));
    setPitcher(*board, true, "VP");
    setPitcher(*board, false, "HP");
    atBat(*board, true);
    pick(*board, true, 0);  // V1 stands on the first piece from now on

    click(board->lbl_Single);
    ASSERT_EQ(board->lbl_Selected->text(), "V11");
    click(board->lbl_BB);  // the batter's own count
    EXPECT_EQ(cell(*board, true, 11, 3), "1");
    EXPECT_EQ(cell(*board, true, 11, 18), "1");
    ASSERT_EQ(board->lbl_Selected->text(), "V12");
    click(board->lbl_GO);  // the at-bat alone
    EXPECT_EQ(cell(*board, true, 12, 10), "1");
    EXPECT_EQ(cell(*board, true, 12, 18), "1");
    EXPECT_EQ(cell(*board, true, 10, 18), "");
    EXPECT_EQ(board->pb_Player[0]->hiddenText, "V1");
}

TEST_F(BoardTest, TheNumberPadIsWhiteOnBlue)
{
    for (int d = 0; d < 10; ++d) {
        const QImage img = board->lbl_Digit[static_cast<size_t>(d)]->grab().toImage();
        EXPECT_EQ(img.pixelColor(1, 1), QColor(0, 0, 255)) << d;
        EXPECT_EQ(board->lbl_Digit[static_cast<size_t>(d)]->text(), QString::number(d));
    }
    // The plain totals heads are no digits.
    EXPECT_NE(board->lbl_RHE[0]->grab().toImage().pixelColor(1, 1), QColor(0, 0, 255));
}
