// Every play on the board, recorded through the real labels: the sheet's
// cells for batter and pitcher, the outs and the third out, the notices in
// order, the event log byte for byte, and the refusals that record nothing.
#include "board/form1.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"

#include <QTest>

using namespace gamehelp;

namespace {

const QString Out = "OUT recorded.";
const QString End = "END OF INNING.";
const QString Hit = "HIT recorded.";

// Everything a play may write, to prove that a refused play wrote nothing.
QStringList snapshot(Form1& b)
{
    QStringList s{b.EventLogText(), b.tb_OUT->text(), b.tb_OutsCount->text(), b.lbl_Selected->text(),
                  QString::number(b.List1->listIndex()), QString::number(b.List2->listIndex()),
                  QString::number(b.Option5->isChecked())};
    for (bool vis : {true, false})
        for (int r = 1; r < 20; ++r)
            for (int c = 1; c <= 18; ++c)
                s << cell(b, vis, r, c);
    for (int i = 0; i < 23; ++i)
        s << b.tb_BoxScore[i]->text() << b.tb_BoxScoreBottom[i]->text();
    for (auto* p : b.pb_Player)
        s << p->hiddenText;
    for (auto* l : b.lbl_Player)
        s << l->text();
    return s;
}

bool pieceShows(Form1& b, int n, const QString& name)
{
    const auto i = static_cast<size_t>(n - 1);
    return b.lbl_Player[i]->text() == name && b.lbl_Player[i]->isVisibleTo(&b);
}

bool pieceFree(Form1& b, int n)
{
    const auto i = static_cast<size_t>(n - 1);
    return !b.pb_Player[i]->hasPicture() && b.lbl_Player[i]->text().isEmpty() && b.lbl_Player[i]->isHidden();
}

}  // namespace

TEST_F(BoardTest, OutsThroughAHalfInningAndIntoTheNext)
{
    standardGame(*board);
    EXPECT_TRUE(pieceShows(*board, 1, "V1"));

    click(board->lbl_GO);
    EXPECT_EQ(board->tb_OUT->text(), "1");
    EXPECT_EQ(ui->notices(), QStringList{Out});
    EXPECT_EQ(cell(*board, true, 1, 10), "1");
    EXPECT_EQ(board->lbl_Selected->text(), "V2");
    // V1's piece was cleared and taken by the next batter; V1 stays its last name.
    EXPECT_TRUE(pieceShows(*board, 1, "V2"));

    click(board->lbl_Single);  // V2 on base, V3 up
    EXPECT_TRUE(pieceShows(*board, 2, "V3"));
    click(board->lbl_FO);
    EXPECT_EQ(board->tb_OUT->text(), "2");
    EXPECT_TRUE(pieceShows(*board, 1, "V2"));
    EXPECT_TRUE(pieceShows(*board, 2, "V4"));

    ui->clear();
    click(board->lbl_LO);  // the third out by V4
    EXPECT_EQ(ui->notices(), (QStringList{Out, End}));
    EXPECT_EQ(board->EventLogText(),
              "V1=P1_____GO\r\nV2=P2_____1B\r\nV3=P3_____FO\r\nV4=P4_____LO\r\n[0.5]\r\n");
    EXPECT_EQ(board->tb_OUT->text(), "0");
    EXPECT_EQ(board->tb_OutsCount->text(), "3");
    EXPECT_TRUE(board->tb_BoxScore[0]->completed());
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "0");
    EXPECT_TRUE(board->Option6->isChecked());
    // The at-bat without the advance: the visitors' pointer stays on V4.
    EXPECT_EQ(cell(*board, true, 4, 10), "1");
    EXPECT_EQ(board->List1->listIndex(), 3);
    EXPECT_EQ(board->lbl_Selected->text(), "V4");
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(pieceFree(*board, n)) << n;

    // The home side: a pop out, a walk, and a double play for the third out.
    pick(*board, false, 0);
    ui->clear();
    click(board->lbl_PO);
    click(board->lbl_BB);
    EXPECT_EQ(board->lbl_Selected->text(), "H3");
    click(board->lbl_DP);
    EXPECT_EQ(ui->notices(), (QStringList{Out, "Stat Recorded.", Out, End}));
    EXPECT_EQ(board->EventLogText(),
              "V1=P1_____GO\r\nV2=P2_____1B\r\nV3=P3_____FO\r\nV4=P4_____LO\r\n[0.5]\r\n"
              "H1=P1_____PO\r\nH2=P2_____BB\r\nH3=P3_____DP\r\n[1]\r\n");
    EXPECT_EQ(board->tb_OutsCount->text(), "6");
    EXPECT_TRUE(board->tb_BoxScoreBottom[0]->completed());
    EXPECT_TRUE(board->Option5->isChecked());
    EXPECT_EQ(board->List2->listIndex(), 2);

    // The sheet, cell by cell.
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(cell(*board, true, r, 10), "1") << r;
    EXPECT_EQ(cell(*board, true, 2, 4), "1");
    EXPECT_EQ(cell(*board, false, 1, 10), "1");
    EXPECT_EQ(cell(*board, false, 2, 10), "");
    EXPECT_EQ(cell(*board, false, 2, 3), "1");
    EXPECT_EQ(cell(*board, false, 3, 10), "1");
    EXPECT_EQ(cell(*board, false, 1, 14), "1");  // HP: V2's single
    EXPECT_EQ(cell(*board, true, 1, 13), "1");   // VP: H2's walk
    EXPECT_EQ(board->tb_BoxScore[21]->text(), "1");
    EXPECT_EQ(board->tb_BoxScoreBottom[21]->text(), "0");
}

TEST_F(BoardTest, EachOutPlayAtZeroOneAndTwoOuts)
{
    standardGame(*board);
    // Visitors at bat, V1 picked, the given outs.
    auto ready = [&](const char* outs) {
        atBat(*board, true);
        pick(*board, true, 0);
        board->tb_OUT->setText(outs);
        ui->clear();
    };
    const std::pair<ClickLabel*, QString> plays[] = {
        {board->lbl_GO, "GO"}, {board->lbl_FO, "FO"}, {board->lbl_LO, "LO"}, {board->lbl_PO, "PO"}};
    int atBats = 0;
    for (const auto& [label, code] : plays) {
        for (int outs = 0; outs <= 2; ++outs) {
            ready(QByteArray::number(outs).constData());
            const QString log = board->EventLogText();
            const QString count = board->tb_OutsCount->text();
            click(label);
            ++atBats;
            EXPECT_EQ(cell(*board, true, 1, 10), QString::number(atBats)) << code.toStdString() << outs;
            if (outs < 2) {
                EXPECT_EQ(board->EventLogText(), log + "V1=P1_____" + code + "\r\n");
                EXPECT_EQ(board->tb_OUT->text(), QString::number(outs + 1));
                EXPECT_EQ(ui->notices(), QStringList{Out});
                EXPECT_EQ(board->lbl_Selected->text(), "V2");
            } else {
                const QString marker = QString::number((count.toInt() + 3) / 6.0, 'g', 15);
                EXPECT_EQ(board->EventLogText(), log + "V1=P1_____" + code + "\r\n[" + marker + "]\r\n");
                EXPECT_EQ(board->tb_OUT->text(), "0");
                EXPECT_EQ(ui->notices(), (QStringList{Out, End}));
                EXPECT_EQ(board->lbl_Selected->text(), "V1");
                EXPECT_EQ(board->List1->listIndex(), 0);
                EXPECT_TRUE(board->Option6->isChecked());
            }
        }
    }
    EXPECT_EQ(board->tb_OutsCount->text(), "12");

    // Double play: two outs from 0, the third out from 1, refused at 2.
    ready("0");
    click(board->lbl_DP);
    EXPECT_EQ(board->tb_OUT->text(), "2");
    EXPECT_EQ(ui->notices(), QStringList{Out});
    ready("1");
    const QString before = board->EventLogText();
    click(board->lbl_DP);
    EXPECT_EQ(board->EventLogText(), before + "V1=P1_____DP\r\n[2.5]\r\n");
    EXPECT_EQ(ui->notices(), (QStringList{Out, End}));
    ready("2");
    QStringList snap = snapshot(*board);
    click(board->lbl_DP);
    EXPECT_EQ(ui->notices(), QStringList{"There are already 2 outs."});
    EXPECT_EQ(snapshot(*board), snap);

    // Fielder's choice: the box at 2 outs comes before the pitcher test.
    board->lbl_VisPitcher->setText("");
    snap = snapshot(*board);
    click(board->lbl_FC);
    EXPECT_EQ(ui->messages(), QStringList{"FC requires < 2 outs. Use GO if it's the 3rd out."});
    EXPECT_EQ(ui->prompts.back().icon, QMessageBox::Information);
    EXPECT_EQ(snapshot(*board), snap);
    board->lbl_VisPitcher->setText("VP");
    ready("1");
    const int fcAtBats = cell(*board, true, 1, 10).toInt();
    click(board->lbl_FC);
    EXPECT_EQ(board->tb_OUT->text(), "2");
    EXPECT_TRUE(board->EventLogText().endsWith("V1=P1_____FC\r\n"));
    EXPECT_EQ(cell(*board, true, 1, 10).toInt(), fcAtBats + 1);
    EXPECT_EQ(board->lbl_Selected->text(), "V2");
    EXPECT_TRUE(pieceShows(*board, 1, "V1"));  // the batter reached base
    EXPECT_EQ(ui->notices(), QStringList{Out});
}

TEST_F(BoardTest, RunnerOutAndAtBatOnAnError)
{
    standardGame(*board);
    click(board->lbl_Pick);
    EXPECT_EQ(board->tb_OUT->text(), "1");
    EXPECT_EQ(board->lbl_Selected->text(), "V1");
    EXPECT_EQ(cell(*board, true, 1, 10), "");
    EXPECT_TRUE(pieceShows(*board, 1, "V1"));
    EXPECT_EQ(ui->notices(), QStringList{Out});

    board->tb_OUT->setText("2");
    ui->clear();
    click(board->lbl_Pick);
    EXPECT_EQ(ui->notices(), (QStringList{Out, End}));
    EXPECT_EQ(board->EventLogText(), "V1=P1_____TO\r\nV1=P1_____TO\r\n[0.5]\r\n");
    EXPECT_EQ(board->tb_OUT->text(), "0");
    EXPECT_EQ(cell(*board, true, 1, 10), "");
    EXPECT_EQ(board->List1->listIndex(), 0);
    EXPECT_TRUE(pieceFree(*board, 1));
    EXPECT_TRUE(board->Option6->isChecked());

    // At-bat on an error needs no pitcher.
    pick(*board, false, 3);
    board->lbl_VisPitcher->setText("");
    board->lbl_HomePitcher->setText("");
    ui->clear();
    click(board->lbl_AB);
    EXPECT_TRUE(board->EventLogText().endsWith("[0.5]\r\nH4=P4_____AB [ERR]\r\n"));
    EXPECT_EQ(cell(*board, false, 4, 10), "1");
    EXPECT_EQ(board->lbl_Selected->text(), "H5");
    EXPECT_EQ(ui->notices(), QStringList{"At-Bat recorded."});

    // With no batter current nothing is recorded, and the notice says so:
    // neither a count, nor a nameless row, nor a log line.
    const QString logBefore = board->EventLogText();
    board->lbl_Selected->setText("");
    ui->clear();
    click(board->lbl_AB);
    EXPECT_EQ(ui->notices(), QStringList{"No batter is at the plate: pick the batter first. Nothing recorded."});
    EXPECT_EQ(board->EventLogText(), logBefore);
    EXPECT_EQ(cell(*board, true, 10, 10), "");
    EXPECT_EQ(cell(*board, false, 10, 10), "");
    EXPECT_EQ(board->List2->listIndex(), 4);
}

TEST_F(BoardTest, AThirdOutAtTheInningsLimitStillClosesTheHalfInning)
{
    standardGame(*board);
    board->tb_OutsCount->setText("120");
    board->tb_OUT->setText("2");
    ui->clear();
    click(board->lbl_GO);
    const QString limit = "Maximum INNINGS reached. Use manual scoring to complete game.";
    QStringList order;
    for (const Prompt& p : ui->prompts)
        order << p.text;
    EXPECT_EQ(order, (QStringList{limit, Out, End, limit}));
    EXPECT_TRUE(board->EventLogText().endsWith("V1=P1_____GO\r\n[20]\r\n"));
    EXPECT_EQ(board->tb_OUT->text(), "0");
    EXPECT_EQ(board->tb_OutsCount->text(), "120");
    EXPECT_EQ(cell(*board, true, 1, 10), "1");
    EXPECT_TRUE(board->Option5->isChecked());
}

TEST_F(BoardTest, HitsWalksAndStrikeoutsChargeBatterAndPitcher)
{
    standardGame(*board);
    click(board->lbl_Single);
    click(board->lbl_Double);
    click(board->lbl_Triple);
    EXPECT_EQ(board->EventLogText(), "V1=P1_____1B\r\nV2=P2_____2B\r\nV3=P3_____3B\r\n");
    EXPECT_EQ(cell(*board, true, 1, 4), "1");
    EXPECT_EQ(cell(*board, true, 2, 5), "1");
    EXPECT_EQ(cell(*board, true, 3, 6), "1");
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(cell(*board, true, r, 10), "1");
    EXPECT_EQ(cell(*board, false, 1, 14), "3");
    EXPECT_EQ(board->tb_BoxScore[21]->text(), "3");
    EXPECT_EQ(ui->notices(), (QStringList{Hit, Hit, Hit}));
    EXPECT_EQ(board->lbl_Selected->text(), "V4");

    // The home run's own charge follows the closed "HIT recorded." notice.
    QString hrDuringNotice = "unset";
    ui->whileModal("CustMsgBox", [&](QDialog&) { hrDuringNotice = cell(*board, false, 1, 15); });
    click(board->lbl_Homer);
    EXPECT_EQ(hrDuringNotice, "");
    EXPECT_EQ(cell(*board, false, 1, 15), "1");
    EXPECT_EQ(cell(*board, false, 1, 14), "4");
    EXPECT_EQ(cell(*board, true, 4, 7), "1");
    EXPECT_EQ(cell(*board, true, 4, 4), "");
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "");
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "0");

    // Walks advance without an at-bat, wrapping from the ninth.
    pick(*board, true, 7);
    ui->clear();
    click(board->lbl_BB);
    EXPECT_EQ(board->List1->listIndex(), 8);
    click(board->lbl_BB);
    EXPECT_EQ(board->List1->listIndex(), 0);
    EXPECT_EQ(cell(*board, true, 8, 3), "1");
    EXPECT_EQ(cell(*board, true, 8, 10), "");
    EXPECT_EQ(cell(*board, false, 1, 13), "2");
    EXPECT_EQ(ui->notices(), (QStringList{"Stat Recorded.", "Stat Recorded."}));
    EXPECT_EQ(board->StealRunnerIndex, 0);

    // A strikeout for the third out charges the home pitcher only, though the
    // visitors' pitcher fields once the sides have switched inside it.
    board->tb_OUT->setText("2");
    ui->clear();
    click(board->lbl_K);
    EXPECT_EQ(cell(*board, true, 1, 2), "1");
    EXPECT_EQ(cell(*board, false, 1, 12), "1");
    EXPECT_EQ(cell(*board, true, 1, 12), "");
    EXPECT_EQ(ui->notices(), (QStringList{Out, End}));
    EXPECT_TRUE(board->EventLogText().endsWith("V1=P1_____K\r\n[0.5]\r\n"));
    EXPECT_EQ(cell(*board, true, 1, 10), "2");
    EXPECT_EQ(board->List1->listIndex(), 0);
    EXPECT_TRUE(board->Option6->isChecked());
}

TEST_F(BoardTest, APlayThatLacksSomethingRecordsNothing)
{
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher are allowed."));
    standardGame(*board);
    auto refuses = [&](ClickLabel* label, const QStringList& notices, const QStringList& messages = {}) {
        ui->clear();
        const QStringList snap = snapshot(*board);
        click(label);
        EXPECT_EQ(ui->notices(), notices) << label->text().toStdString();
        EXPECT_EQ(ui->messages(), messages) << label->text().toStdString();
        EXPECT_EQ(snapshot(*board), snap) << label->text().toStdString();
    };
    const QStringList batterMissing{"Batter not found on the Stats sheet. Nothing recorded."};
    const QStringList pitcherMissing{"Pitcher not found on the Stats sheet. Nothing recorded."};
    const QStringList outsBad{"OUTS must be 0, 1 or 2. Nothing recorded."};
    ClickLabel* charging[] = {board->lbl_Single, board->lbl_Double, board->lbl_Triple,
                              board->lbl_Homer,  board->lbl_BB,     board->lbl_K};
    ClickLabel* outs[] = {board->lbl_K,  board->lbl_GO, board->lbl_FO, board->lbl_LO,
                          board->lbl_PO, board->lbl_DP, board->lbl_FC, board->lbl_Pick};

    grid(*board, true).setTextMatrix(1, 1, "V1 renamed");
    for (ClickLabel* l : charging)
        refuses(l, batterMissing);
    for (ClickLabel* l : {board->lbl_GO, board->lbl_FO, board->lbl_LO, board->lbl_PO, board->lbl_DP,
                          board->lbl_FC, board->lbl_AB})
        refuses(l, batterMissing);
    grid(*board, true).setTextMatrix(1, 1, "V1");

    grid(*board, false).setTextMatrix(1, 11, "HP renamed");
    for (ClickLabel* l : charging)
        refuses(l, pitcherMissing);
    grid(*board, false).setTextMatrix(1, 11, "HP");

    for (const char* t : {"x", "2.5", "-1", ""}) {
        board->tb_OUT->setText(t);
        for (ClickLabel* l : outs)
            refuses(l, outsBad);
    }
    board->tb_OUT->setText("0");
    board->tb_OutsCount->setText("abc");
    for (ClickLabel* l : outs)
        refuses(l, {}, {"Only numbers 0 and higher are allowed. An error has occurred."});
    board->tb_OutsCount->setText("0");

    // The guard's own refusal keeps its place and text.
    board->lbl_HomePitcher->setText("");
    for (ClickLabel* l : charging)
        refuses(l, {NotReadyNotice});
    board->lbl_HomePitcher->setText("HP");
    board->List2->clear();
    for (ClickLabel* l : outs)
        refuses(l, {});
    EXPECT_EQ(board->EventLogText(), "");
}

TEST_F(BoardTest, TheLogNamesTheBatterCreditedNotAHighlightedEntry)
{
    standardGame(*board);
    fillSide(*board, true, lineup("V", 12));
    pick(*board, true, 2);
    board->List1->setListIndex(10);  // highlighted, no pick
    EXPECT_EQ(board->lbl_Selected->text(), "V3");
    click(board->lbl_Single);
    EXPECT_EQ(board->EventLogText(), "V3=P3_____1B\r\n");
    EXPECT_EQ(cell(*board, true, 3, 4), "1");
    EXPECT_EQ(cell(*board, true, 11, 4), "");
    // The order goes on from the batter credited, not from the highlight.
    EXPECT_EQ(board->List1->listIndex(), 3);
    EXPECT_EQ(board->lbl_Selected->text(), "V4");
}

TEST_F(BoardTest, TheThirdOutsAtBatGoesToTheSideThatMadeTheOutWhenBothTeamsHoldTheName)
{
    QStringList vis = lineup("V", 9), home = lineup("H", 9);
    vis[2] = "Sam Lee=SS";
    home[4] = "Sam Lee=C";
    fillSide(*board, true, vis);
    fillSide(*board, false, home);
    setPitcher(*board, true, "VP");
    setPitcher(*board, false, "HP");

    atBat(*board, false);
    pick(*board, false, 4);
    board->tb_OUT->setText("2");
    click(board->lbl_GO);
    EXPECT_EQ(cell(*board, false, 5, 10), "1");
    EXPECT_EQ(cell(*board, true, 3, 10), "");
    EXPECT_EQ(board->List2->listIndex(), 4);
    ASSERT_TRUE(board->Option5->isChecked());

    // The strikeout's third out, the other way round, after cumulative outs
    // typed by hand: the marker is whatever the count says.
    pick(*board, true, 2);
    board->tb_OutsCount->setText("4");
    board->tb_OUT->setText("2");
    click(board->lbl_K);
    EXPECT_EQ(cell(*board, true, 3, 10), "1");
    EXPECT_EQ(cell(*board, true, 3, 2), "1");
    EXPECT_EQ(cell(*board, false, 5, 10), "1");
    EXPECT_TRUE(board->Option6->isChecked());
    EXPECT_TRUE(board->EventLogText().endsWith("Sam Lee=SS_____K\r\n[1.16666666666667]\r\n"));
}
