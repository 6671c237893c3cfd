// One game from team files to the stored rows, played as a user plays it,
// mistakes included: a team loaded by mistake, a pitcher who comes back, a
// third out typed into OUTS, a click after the save. Every stored figure is
// counted by hand from the script below.
#include "board/form1.h"
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"
#include "support/sheet_helpers.h"
#include "support/team_helpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>

namespace {

const QString SavedNotice = QStringLiteral("This game is saved. Start the program again to record the next game.");

class OneGameTest : public BoardTest {
protected:
    void play(const QString& outcome)
    {
        const std::map<QString, ClickLabel*> labels{
            {"1B", board->lbl_Single}, {"2B", board->lbl_Double}, {"HR", board->lbl_Homer}, {"BB", board->lbl_BB},
            {"K", board->lbl_K},       {"GO", board->lbl_GO},     {"RBI", board->lbl_RBI}};
        click(labels.at(outcome));
    }
    void half(bool visitors, int pick, const QStringList& plays)
    {
        ASSERT_EQ(board->Option5->isChecked(), visitors);
        teams::clickEntry(*(visitors ? board->List1 : board->List2), pick);
        for (const QString& p : plays)
            play(p);
    }
    // Typed over whatever OUTS reads, as a user corrects it.
    void typeOuts(const QString& outs)
    {
        board->tb_OUT->setFocus();
        board->tb_OUT->selectAll();
        QTest::keyClicks(board->tb_OUT, outs);
    }
    // Through the sheet's own editor: click the cell, type, Enter.
    void typeOnSheet(Grid* g, int row, int col, const QString& text)
    {
        sheet().show();
        sheet().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet()));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, g->cellRect(row, col).center());
        ASSERT_TRUE(sheet().Text1->isVisible());
        QTest::keyClicks(sheet().Text1, text);
        QTest::keyClick(sheet().Text1, Qt::Key_Return);
        sheet().hide();
    }
    void save()
    {
        ui->answerMsgBox(QMessageBox::Yes);
        ui->whileModal("Form2", [](QDialog& d) { static_cast<Form2&>(d).Command2->click(); });
        click(board->lbl_STATS);
    }
    // "name=IP" of every stored pitching row.
    static QStringList storedInnings()
    {
        QStringList out;
        for (const QStringList& r : sheet_test::tableRows("Pitching"))
            out << r[0] + "=" + r[6];
        return out;
    }
    // Rows without their GameID (the last column), which is the moment.
    static std::vector<QStringList> stored(const QString& table)
    {
        auto rows = sheet_test::tableRows(table);
        for (QStringList& r : rows)
            r.removeLast();
        return rows;
    }
};

// Rows as one text, a line a row and "|" between cells, so a difference
// reads as the figures themselves.
std::string text(const std::vector<QStringList>& rows)
{
    QStringList lines;
    for (const QStringList& r : rows)
        lines << r.join('|');
    return lines.join('\n').toStdString();
}

std::string text(const QStringList& list)
{
    return list.join(' ').toStdString();
}

QStringList cells(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

}  // namespace

TEST_F(OneGameTest, AWholeGameWithAWrongTeamAReturningPitcherAndATypedLastOutStoresWhatWasPlayed)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "Harbor City Gulls"), true);
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "Prairie Falls Comets"), false);  // the wrong one
    teams::choosePitcher(*board, true, 9);   // Gus Wendell
    teams::choosePitcher(*board, false, 9);  // Russ Tamblyn
    teams::setAtBat(*board, true);
    half(true, 0, {"1B", "K"});  // Ray Okafor singles, Milo Dunsany strikes out

    // The right home team: its side's statistics of the two plays go, the
    // visitors' stay.
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "River Bend Otters"), false);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(board->lbl_HomePitcher->text(), "");
    teams::choosePitcher(*board, false, 9);  // Moe Hatchard
    play("GO");
    play("GO");

    half(false, 0, {"GO", "GO", "GO"});
    half(true, 4, {"GO", "GO", "GO"});
    half(false, 3, {"GO", "GO", "GO"});
    half(true, 7, {"GO", "GO", "GO"});
    half(false, 6, {"GO", "GO", "GO"});
    teams::choosePitcher(*board, false, 10);  // Stan Wirtz, for the 4th to the 6th
    half(true, 1, {"GO", "GO", "GO"});
    half(false, 0, {"GO", "GO", "GO"});
    half(true, 4, {"BB", "GO", "GO", "GO"});
    half(false, 3, {"GO", "GO", "GO"});
    half(true, 8, {"K", "GO", "GO"});
    half(false, 6, {"2B", "GO", "GO", "GO"});
    teams::choosePitcher(*board, false, 9);  // Moe Hatchard comes back
    half(true, 2, {"GO", "GO", "GO"});
    half(false, 1, {"GO", "GO", "GO"});
    half(true, 5, {"GO", "GO", "GO"});
    half(false, 4, {"GO", "GO", "GO"});
    half(true, 8, {"GO", "RBI", "HR", "GO", "GO"});
    half(false, 7, {"GO", "GO"});
    typeOuts("3");  // the last out, typed
    EXPECT_EQ(board->tb_OutsCount->text(), "54");
    EXPECT_EQ(board->tb_OUT->text(), "3");
    EXPECT_TRUE(board->Option5->isChecked());

    ui->clear();
    save();
    ASSERT_EQ(text(ui->messages()), text(cells({"WARNING: Record data only when a game is over. Is your game over?",
                                                 "Data successfully recorded"})));

    // Batting: name, K, BB, 1B, 2B, 3B, HR, SB, RBI, AB, team; the home
    // side's rows are stored first.
    const QString gulls = "Harbor City Gulls", otters = "River Bend Otters";
    auto bat = [](const char* name, std::initializer_list<const char*> counts, const QString& team) {
        return QStringList{QString::fromUtf8(name)} + cells(counts) + QStringList{team};
    };
    const std::vector<QStringList> batting{
        bat("Jack Imbry", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Felix Roan", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Nate Gossard", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Vic Ambler", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Zeke Tolliver", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Ollie Fenwick", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Ham Birkett", {"", "", "", "1", "", "", "", "", "3"}, otters),
        bat("Len Costigan", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Rudy Palfrey", {"", "", "", "", "", "", "", "", "3"}, otters),
        bat("Ray Okafor", {"", "", "1", "", "", "1", "", "1", "4"}, gulls),
        bat("Milo Dunsany", {"1", "", "", "", "", "", "", "", "4"}, gulls),
        bat("Tobias Kell", {"", "", "", "", "", "", "", "", "4"}, gulls),
        bat("Arturo Vence", {"", "", "", "", "", "", "", "", "3"}, gulls),
        bat("Dex Halloran", {"", "1", "", "", "", "", "", "", "2"}, gulls),
        bat("Quinn Abernet", {"", "", "", "", "", "", "", "", "3"}, gulls),
        bat("Sol Mirabeau", {"", "", "", "", "", "", "", "", "3"}, gulls),
        bat("Hank Trivisonno", {"", "", "", "", "", "", "", "", "3"}, gulls),
        bat("Eli Strand", {"1", "", "", "", "", "", "", "", "3"}, gulls),
    };
    EXPECT_EQ(text(stored("Batting")), text(batting));

    // Pitching: name, K, BB, H, HR, ER, IP, team. The Comets' starter is
    // gone with his team; Moe Hatchard has both his stints.
    const std::vector<QStringList> pitching{
        QStringList{"Moe Hatchard", "", "", "1", "1", "1", "6", otters},
        QStringList{"Stan Wirtz", "1", "1", "", "", "", "3", otters},
        QStringList{"Gus Wendell", "", "", "1", "", "", "9", gulls},
    };
    EXPECT_EQ(text(stored("Pitching")), text(pitching));

    const auto boxes = sheet_test::tableRows("BoxScores");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].mid(0, 10), cells({"Harbor City Gulls", "0", "0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(boxes[0].mid(21, 3), cells({"1", "2", "0"}));
    EXPECT_EQ(boxes[1].mid(0, 10), cells({"River Bend Otters", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(boxes[1].mid(21, 3), cells({"0", "1", "0"}));
    EXPECT_EQ(sheet_test::tableRows("WinLoss"), std::vector<QStringList>({cells({"Harbor City Gulls", "1", ""}),
                                                                         cells({"River Bend Otters", "", "1"})}));
}

TEST_F(OneGameTest, APitcherWhoCameBackOrWasPickedTwiceIsCreditedHisWholeGameAndATypedFigureStands)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "Harbor City Gulls"), true);
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "River Bend Otters"), false);
    // The visitors' starter is picked twice before the first pitch: he is his
    // own replaced pitcher, credited nothing yet.
    teams::choosePitcher(*board, true, 9);
    teams::choosePitcher(*board, true, 9);
    EXPECT_EQ(gamehelp::cell(*board, true, 1, 17), "0.00");
    teams::choosePitcher(*board, false, 9);  // Moe Hatchard
    teams::setAtBat(*board, true);
    // A figure typed into Moe's cell is the board's to replace at his change.
    typeOnSheet(sheet().grd_HomeStats, 1, 17, "0.50");
    half(true, 0, {"GO", "GO", "GO"});
    half(false, 0, {"GO", "GO", "GO"});
    teams::choosePitcher(*board, false, 10);  // Stan Wirtz pitches the 2nd
    half(true, 3, {"GO", "GO", "GO"});
    half(false, 3, {"GO", "GO", "GO"});
    teams::choosePitcher(*board, false, 9);  // Moe comes back for the 3rd
    half(true, 6, {"GO", "GO", "GO"});
    half(false, 6, {"GO", "GO", "GO"});
    EXPECT_EQ(gamehelp::cell(*board, false, 1, 17), "1.00");
    EXPECT_EQ(gamehelp::cell(*board, false, 2, 17), "1.00");

    ui->clear();
    save();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(text(storedInnings()), text(cells({"Moe Hatchard=2", "Stan Wirtz=1", "Gus Wendell=3"})));
    EXPECT_EQ(gamehelp::cell(*board, false, 1, 17), "2.00");
    EXPECT_EQ(gamehelp::cell(*board, true, 1, 17), "3.00");
}

TEST_F(OneGameTest, AFigureTypedIntoTheCurrentPitchersInningsStandsAtTheSave)
{
    gamehelp::standardGame(*board);
    sheet_test::setLineScore(*board, sheet_test::Side::Visitors, {"0", "0", "0", "0", "0", "0", "0", "0", "0"}, 9);
    sheet_test::setLineScore(*board, sheet_test::Side::Home, {"0", "0", "0", "0", "0", "0", "0", "0"}, 8);
    board->tb_OutsCount->setText("51");
    sheet_test::selectEntry(*board, sheet_test::Side::Home, 0);
    typeOnSheet(sheet().grd_HomeStats, 1, 17, "8.67");
    ui->clear();
    save();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(text(storedInnings()), text(cells({"HP=8.67", "VP=8"})));
}

TEST_F(OneGameTest, ATypedThirdOutIsCountedOnceByAPitchingChangeAndByTheSave)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "Harbor City Gulls"), true);
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, "River Bend Otters"), false);
    teams::choosePitcher(*board, true, 9);   // Gus Wendell
    teams::choosePitcher(*board, false, 9);  // Moe Hatchard
    teams::setAtBat(*board, true);
    half(true, 0, {"GO", "GO"});
    typeOuts("3");
    ASSERT_TRUE(board->Option6->isChecked());
    ASSERT_EQ(board->tb_OUT->text(), "3");
    // The visitors change pitchers before their side has made an out.
    teams::choosePitcher(*board, true, 10);  // Porter Mayhew
    EXPECT_EQ(gamehelp::cell(*board, true, 1, 17), "0.00");
    typeOuts("0");
    half(false, 0, {"GO", "GO"});
    typeOuts("3");
    ASSERT_TRUE(board->Option5->isChecked());

    ui->clear();
    save();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(text(storedInnings()), text(cells({"Moe Hatchard=1", "Gus Wendell=0", "Porter Mayhew=1"})));
}

TEST_F(OneGameTest, AfterTheSaveNoLoadOrOutcomeRecordsASecondGame)
{
    gamehelp::standardGame(*board);
    sheet_test::setLineScore(*board, sheet_test::Side::Visitors, {"1"}, 1);
    sheet_test::selectEntry(*board, sheet_test::Side::Home, 0);
    save();
    ASSERT_TRUE(sheet().gameSaved());
    ASSERT_FALSE(board->pb_Player[0]->hiddenText.isEmpty());  // the batter's piece, for a Ctrl+click

    auto snapshot = [&] {
        QStringList all{board->EventLogText(), board->tb_OUT->text(), board->tb_OutsCount->text(),
                        board->lbl_Selected->text(), board->tb_VisTeam->text(), board->tb_HomeTeam->text()};
        for (bool vis : {true, false})
            for (int r = 1; r <= 49; ++r)
                for (int c = 1; c <= 18; ++c)
                    all << gamehelp::cell(*board, vis, r, c);
        for (int i = 0; i < 23; ++i)
            all << board->tb_BoxScore[i]->text() << board->tb_BoxScoreBottom[i]->text();
        return all;
    };
    const QStringList before = snapshot();
    ui->clear();
    const std::vector<QWidget*> refused{board->Command6, board->Command7, board->lbl_Single, board->lbl_Double,
                                        board->lbl_Triple, board->lbl_Homer, board->lbl_BB, board->lbl_K,
                                        board->lbl_GO, board->lbl_FO, board->lbl_LO, board->lbl_PO,
                                        board->lbl_FC, board->lbl_DP, board->lbl_Pick, board->lbl_AB,
                                        board->lbl_RBI, board->lbl_SB};
    for (QWidget* w : refused)
        click(w);
    QWidget* piece = board->pb_Player[0];
    QTest::mouseClick(piece, Qt::LeftButton, Qt::ControlModifier, QPoint(piece->width() / 2, piece->height() / 4));
    EXPECT_EQ(ui->notices(), QStringList(int(refused.size()) + 1, SavedNotice));
    EXPECT_EQ(ui->prompts.size(), refused.size() + 1);  // no dialog, no other box
    EXPECT_EQ(snapshot(), before);
}
