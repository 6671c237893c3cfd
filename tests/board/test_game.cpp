// A whole nine-inning game scored on the board from two team files of the
// program folder, checked against the sheet, line score and log worked out
// by hand from the script below.
#include "board/form1.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"
#include "support/team_helpers.h"

#include <QTest>
#include <map>

namespace {

struct Half {
    bool visitors;
    int pick;  // the lineup position the user picks as the half's first batter
    QStringList plays;
};

// Visitors: Harbor City Gulls; home: River Bend Otters.
const Half Game[] = {
    {true, 0, {"1B", "RBI", "RBI", "HR", "K", "GO", "FO"}},
    {false, 0, {"GO", "GO", "GO"}},
    {true, 5, {"BB", "DP", "K"}},
    {false, 3, {"2B", "SB1", "RBI", "1B", "FC", "PO", "LO"}},
    {true, 8, {"GO", "FO", "K"}},
    {false, 8, {"3B", "AB", "TO", "K", "GO"}},
    {true, 2, {"GO", "GO", "GO"}},
    {false, 3, {"FO", "PO", "K"}},
    {true, 5, {"1B", "GO", "LO", "K"}},
    {false, 6, {"GO", "GO", "GO"}},
    {true, 0, {"GO", "FO", "PO"}},
    {false, 0, {"BB", "DP", "GO"}},
    // Before the top of the 7th the home side brings in Stan Wirtz.
    {true, 3, {"2B", "RBI", "1B", "GO", "FO", "K"}},
    {false, 3, {"RBI", "HR", "GO", "GO", "K"}},
    {true, 8, {"GO", "GO", "GO"}},
    {false, 7, {"1B", "FC", "GO", "FO"}},
    {true, 2, {"K", "K", "K"}},
    {false, 2, {"GO", "GO", "GO"}},
};

const char* const ExpectedLog[] = {
    "Gus Wendell_____[current pitcher]",
    "Moe Hatchard_____[current pitcher]",
    "Ray Okafor=CF R .291_____1B",
    "Milo Dunsany=SS S .274_____RBI",
    "Milo Dunsany=SS S .274_____RBI",
    "Milo Dunsany=SS S .274_____HR",
    "Tobias Kell=1B L .305_____K",
    "Arturo Vence=RF R .288_____GO",
    "Dex Halloran=3B R .262_____FO",
    "[0.5]",
    "Jack Imbry_____GO",
    "Felix Roan_____GO",
    "Nate Gossard_____GO",
    "[1]",
    "Quinn Abernet=LF L .255_____BB",
    "Sol Mirabeau=C R .241_____DP",
    "Hank Trivisonno=2B R .236_____K",
    "[1.5]",
    "Vic Ambler_____2B",
    "Vic Ambler_____SB",
    "Zeke Tolliver_____RBI",
    "Zeke Tolliver_____1B",
    "Ollie Fenwick_____FC",
    "Ham Birkett_____PO",
    "Len Costigan_____LO",
    "[2]",
    "Eli Strand=DH L .249_____GO",
    "Ray Okafor=CF R .291_____FO",
    "Milo Dunsany=SS S .274_____K",
    "[2.5]",
    "Rudy Palfrey_____3B",
    "Jack Imbry_____AB [ERR]",
    "Felix Roan_____TO",
    "Felix Roan_____K",
    "Nate Gossard_____GO",
    "[3]",
    "Tobias Kell=1B L .305_____GO",
    "Arturo Vence=RF R .288_____GO",
    "Dex Halloran=3B R .262_____GO",
    "[3.5]",
    "Vic Ambler_____FO",
    "Zeke Tolliver_____PO",
    "Ollie Fenwick_____K",
    "[4]",
    "Quinn Abernet=LF L .255_____1B",
    "Sol Mirabeau=C R .241_____GO",
    "Hank Trivisonno=2B R .236_____LO",
    "Eli Strand=DH L .249_____K",
    "[4.5]",
    "Ham Birkett_____GO",
    "Len Costigan_____GO",
    "Rudy Palfrey_____GO",
    "[5]",
    "Ray Okafor=CF R .291_____GO",
    "Milo Dunsany=SS S .274_____FO",
    "Tobias Kell=1B L .305_____PO",
    "[5.5]",
    "Jack Imbry_____BB",
    "Felix Roan_____DP",
    "Nate Gossard_____GO",
    "[6]",
    "Stan Wirtz_____[current pitcher]",
    "Arturo Vence=RF R .288_____2B",
    "Dex Halloran=3B R .262_____RBI",
    "Dex Halloran=3B R .262_____1B",
    "Quinn Abernet=LF L .255_____GO",
    "Sol Mirabeau=C R .241_____FO",
    "Hank Trivisonno=2B R .236_____K",
    "[6.5]",
    "Vic Ambler_____RBI",
    "Vic Ambler_____HR",
    "Zeke Tolliver_____GO",
    "Ollie Fenwick_____GO",
    "Ham Birkett_____K",
    "[7]",
    "Eli Strand=DH L .249_____GO",
    "Ray Okafor=CF R .291_____GO",
    "Milo Dunsany=SS S .274_____GO",
    "[7.5]",
    "Len Costigan_____1B",
    "Rudy Palfrey_____FC",
    "Jack Imbry_____GO",
    "Felix Roan_____FO",
    "[8]",
    "Tobias Kell=1B L .305_____K",
    "Arturo Vence=RF R .288_____K",
    "Dex Halloran=3B R .262_____K",
    "[8.5]",
    "Nate Gossard_____GO",
    "Vic Ambler_____GO",
    "Zeke Tolliver_____GO",
    "[9]",
};

// Batting lines, columns 2 to 10: K, BB, 1B, 2B, 3B, HR, SB, RBI, AB.
struct BattingLine {
    const char* name;
    const char* counts[9];
};

const BattingLine VisitorsBatting[] = {
    {"Ray Okafor", {"", "", "1", "", "", "", "", "", "4"}},
    {"Milo Dunsany", {"1", "", "", "", "", "1", "", "2", "4"}},
    {"Tobias Kell", {"2", "", "", "", "", "", "", "", "4"}},
    {"Arturo Vence", {"1", "", "", "1", "", "", "", "", "4"}},
    {"Dex Halloran", {"1", "", "1", "", "", "", "", "1", "4"}},
    {"Quinn Abernet", {"", "1", "1", "", "", "", "", "", "2"}},
    {"Sol Mirabeau", {"", "", "", "", "", "", "", "", "3"}},
    {"Hank Trivisonno", {"2", "", "", "", "", "", "", "", "3"}},
    {"Eli Strand", {"1", "", "", "", "", "", "", "", "3"}},
};

const BattingLine HomeBatting[] = {
    {"Jack Imbry", {"", "1", "", "", "", "", "", "", "3"}},
    {"Felix Roan", {"1", "", "", "", "", "", "", "", "4"}},
    {"Nate Gossard", {"", "", "", "", "", "", "", "", "4"}},
    {"Vic Ambler", {"", "", "", "1", "", "1", "1", "1", "4"}},
    {"Zeke Tolliver", {"", "", "1", "", "", "", "", "1", "4"}},
    {"Ollie Fenwick", {"1", "", "", "", "", "", "", "", "3"}},
    {"Ham Birkett", {"1", "", "", "", "", "", "", "", "3"}},
    {"Len Costigan", {"", "", "1", "", "", "", "", "", "3"}},
    {"Rudy Palfrey", {"", "", "", "", "1", "", "", "", "3"}},
};

// Pitching lines, columns 11 to 17: name, K, BB, H, HR, ER, IP.
struct PitchingLine {
    const char* cells[7];
};

}  // namespace

TEST_F(BoardTest, ANineInningGameFromTeamFilesToTheLastOut)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "Harbor City Gulls"), true);
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "River Bend Otters"), false);
    ASSERT_EQ(board->List1->count(), 13);
    ASSERT_EQ(board->List2->count(), 11);
    teams::choosePitcher(*board, true, 9);   // Gus Wendell
    teams::choosePitcher(*board, false, 9);  // Moe Hatchard
    teams::setAtBat(*board, true);
    ui->clear();

    const std::map<QString, ClickLabel*> labels{
        {"1B", board->lbl_Single}, {"2B", board->lbl_Double}, {"3B", board->lbl_Triple}, {"HR", board->lbl_Homer},
        {"BB", board->lbl_BB},     {"K", board->lbl_K},       {"GO", board->lbl_GO},     {"FO", board->lbl_FO},
        {"LO", board->lbl_LO},     {"PO", board->lbl_PO},     {"FC", board->lbl_FC},     {"DP", board->lbl_DP},
        {"TO", board->lbl_Pick},   {"AB", board->lbl_AB},     {"RBI", board->lbl_RBI}};
    int half = 0;
    for (const Half& h : Game) {
        ++half;
        if (half == 13)
            teams::choosePitcher(*board, false, 10);  // Stan Wirtz
        ASSERT_EQ(board->Option5->isChecked(), h.visitors) << half;
        teams::clickEntry(*(h.visitors ? board->List1 : board->List2), h.pick);
        for (const QString& play : h.plays) {
            if (play == "SB1") {
                QWidget* piece = board->pb_Player[0];
                QTest::mouseClick(piece, Qt::LeftButton, Qt::ControlModifier,
                                  QPoint(piece->width() / 2, piece->height() / 4));
            } else {
                click(labels.at(play));
            }
        }
        ASSERT_EQ(board->tb_OutsCount->text(), QString::number(3 * half)) << half;
        ASSERT_EQ(board->tb_OUT->text(), "0") << half;
    }
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join(" | ").toStdString();

    QString log;
    for (const char* line : ExpectedLog)
        log += QString::fromUtf8(line) + "\r\n";
    EXPECT_EQ(board->EventLogText(), log);

    // The line score: 3-2, nine innings completed on each side.
    const QStringList visInnings{"2", "0", "0", "0", "0", "0", "1", "0", "0"};
    const QStringList homeInnings{"0", "1", "0", "0", "0", "0", "1", "0", "0"};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(board->tb_BoxScore[i]->text(), i < 9 ? visInnings[i] : "") << i;
        EXPECT_EQ(board->tb_BoxScoreBottom[i]->text(), i < 9 ? homeInnings[i] : "") << i;
        EXPECT_EQ(board->tb_BoxScore[i]->completed(), i < 9) << i;
        EXPECT_EQ(board->tb_BoxScoreBottom[i]->completed(), i < 9) << i;
    }
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "3");
    EXPECT_EQ(board->tb_BoxScoreBottom[20]->text(), "2");
    EXPECT_EQ(board->tb_BoxScore[21]->text(), "5");
    EXPECT_EQ(board->tb_BoxScoreBottom[21]->text(), "5");
    EXPECT_EQ(board->tb_BoxScore[22]->text(), "0");

    // The sheet's batting lines, played flags and pitching lines.
    for (bool vis : {true, false}) {
        const BattingLine* lines = vis ? VisitorsBatting : HomeBatting;
        for (int r = 1; r <= 9; ++r) {
            const BattingLine& b = lines[r - 1];
            EXPECT_EQ(gamehelp::cell(*board, vis, r, 1), b.name);
            for (int c = 2; c <= 10; ++c)
                EXPECT_EQ(gamehelp::cell(*board, vis, r, c), b.counts[c - 2]) << b.name << " column " << c;
            EXPECT_EQ(gamehelp::cell(*board, vis, r, 18), "1") << b.name;
        }
        for (int r = 10; r < 20; ++r) {
            for (int c = 2; c <= 10; ++c)
                EXPECT_EQ(gamehelp::cell(*board, vis, r, c), "") << r;
            EXPECT_EQ(gamehelp::cell(*board, vis, r, 18), "") << r;
        }
    }
    const PitchingLine visPitching[] = {{{"Gus Wendell", "3", "1", "5", "1", "2", ""}}};
    const PitchingLine homePitching[] = {{{"Moe Hatchard", "4", "1", "3", "1", "2", "6.00"}},
                                         {{"Stan Wirtz", "4", "", "2", "", "1", ""}}};
    for (int c = 11; c <= 17; ++c) {
        EXPECT_EQ(gamehelp::cell(*board, true, 1, c), visPitching[0].cells[c - 11]) << c;
        EXPECT_EQ(gamehelp::cell(*board, false, 1, c), homePitching[0].cells[c - 11]) << c;
        EXPECT_EQ(gamehelp::cell(*board, false, 2, c), homePitching[1].cells[c - 11]) << c;
        EXPECT_EQ(gamehelp::cell(*board, true, 2, c), "") << c;
    }

    // Opening the sheet brings its copy of the line score up to date.
    click(board->lbl_STATS);
    const Grid& bs = *sheet().grd_BoxScore;
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(bs.textMatrix(1, c), visInnings[c - 1]);
        EXPECT_EQ(bs.textMatrix(2, c), homeInnings[c - 1]);
    }
    EXPECT_EQ(bs.textMatrix(1, 21), "3");
    EXPECT_EQ(bs.textMatrix(2, 21), "2");
    EXPECT_EQ(bs.textMatrix(1, 22), "5");
    EXPECT_EQ(bs.textMatrix(1, 0), "Harbor City Gulls");
    EXPECT_EQ(bs.textMatrix(2, 0), "River Bend Otters");
    EXPECT_EQ(bs.colWidth(10), 0);
}
