// Saving a game from the sheet into a real statistics database in a
// temporary program folder, and reading the rows back.
#include "common/game_stamp.h"
#include "platform/grid.h"
#include "stats_sheet/record_writers.h"
#include "support/board_fixture.h"
#include "support/sheet_helpers.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

using namespace sheet_test;

namespace {

const QString Question = QStringLiteral("WARNING: Record data only when a game is over. Is your game over?");
const QString Success = QStringLiteral("Data successfully recorded");

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList out;
    for (const char* c : cells)
        out << QString::fromUtf8(c);
    return out;
}

// Batting row: name, the nine counts, team, game.
QStringList batting(const QString& name, const QStringList& counts, const QString& team, const QString& id)
{
    return QStringList{name} + counts + QStringList{team, id};
}

}  // namespace

class SaveTest : public BoardTest {
protected:
    // Opens the sheet as the board does and presses "SAVE TO DB" while it is
    // up; the question is answered with `answer` when one is expected.
    void pressSave(std::optional<QMessageBox::StandardButton> answer = QMessageBox::Yes)
    {
        if (answer)
            ui->answerMsgBox(*answer);
        ui->whileModal("Form2", [](QDialog& d) { static_cast<Form2&>(d).Command2->click(); });
        click(board->lbl_STATS);
    }
    Grid* vis() { return sheet().grd_VisStats; }
    Grid* home() { return sheet().grd_HomeStats; }
    QString dbFile() const { return folder->file("ZRQ.mdb"); }
    // The column of a stats grid, rows 1 to n.
    QStringList column(Grid* g, int col, int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r)
            out << g->textMatrix(r, col);
        return out;
    }
    const Prompt& lastPrompt() { return ui->prompts.back(); }
};

TEST_F(SaveTest, NineInningGameStoresEveryTableInOrderWithNulls)
{
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    // Visitors: a bench player flagged during the game is saved from row 11
    // with no counts at all; a named row without the flag, or with a flag
    // that is not exactly "1", is not.
    vis()->setTextMatrix(10, 1, "Idle Sub");
    vis()->setTextMatrix(10, 7, "1");
    vis()->setTextMatrix(11, 1, "Pinch Runner");
    vis()->setTextMatrix(11, 18, "1");
    vis()->setTextMatrix(12, 1, "Odd Flag");
    vis()->setTextMatrix(12, 18, "1 ");
    // Home: a team of eight; row 9 carries the load's flag but no name.
    home()->setTextMatrix(9, 1, "");
    board->img_VisPitch->setPicture(QPixmap(8, 8));
    board->img_HomePitch->setPicture(QPixmap(8, 8));

    pressSave();

    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    EXPECT_EQ(ui->prompts[1].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(ui->prompts[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(lastPrompt().icon, QMessageBox::Information);
    EXPECT_FALSE(sheet().Command2->isEnabled());

    const QString id = sheet().tb_TimeStamp2->text();
    EXPECT_TRUE(QRegularExpression("^\\d{12}$").match(id).hasMatch()) << id.toStdString();
    EXPECT_EQ(id.left(6), QDate::currentDate().toString("MMddyy"));

    const auto bat = tableRows("Batting");
    ASSERT_EQ(bat.size(), 8u + 10u);
    EXPECT_EQ(bat[0], batting("Home Batter 1", row({"", "1", "", "", "", "", "", "", "3"}), "Pine Jays", id));
    EXPECT_EQ(bat[7][0], "Home Batter 8");
    EXPECT_EQ(bat[8], batting("Vis Batter 1", row({"1", "", "1", "", "", "", "", "", "4"}), "Otters", id));
    EXPECT_EQ(bat[16][0], "Vis Batter 9");
    EXPECT_EQ(bat[17], batting("Pinch Runner", row({"", "", "", "", "", "", "", "", ""}), "Otters", id));

    EXPECT_EQ(tableRows("Pitching"),
              std::vector<QStringList>({row({"Home Ace", "9", "", "9", "", "1", "9", "Pine Jays"}) << id,
                                        row({"Vis Ace", "9", "9", "", "", "", "9", "Otters"}) << id}));
    const auto boxes = tableRows("BoxScores");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], row({"Otters", "0", "0", "2", "0", "0", "0", "0", "0", "0", "", "", "", "", "", "", "", "",
                             "", "", "", "2", "9", "0", "a_VIS"})
                            << id);
    EXPECT_EQ(boxes[1].mid(0, 10), row({"Pine Jays", "0", "1", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(boxes[1].mid(21), row({"1", "9", "1", "b_HOME"}) << id);
    EXPECT_EQ(tableRows("WinLoss"),
              std::vector<QStringList>({row({"Otters", "1", ""}), row({"Pine Jays", "", "1"})}));
    EXPECT_EQ(tableRows("Matchups"), std::vector<QStringList>({row({"Otters  vs  Pine Jays", "1"})}));

    // Stored with their types; an empty cell is NULL, never "" or 0.
    db::Connection conn;
    EXPECT_EQ(conn.select("SELECT typeof(Batter), typeof(K), typeof(BB), typeof(AB), typeof(GameID) FROM Batting "
                          "WHERE rowid = 1")
                  .rows[0],
              row({"text", "null", "integer", "integer", "text"}));
    EXPECT_EQ(conn.select("SELECT typeof(IP), typeof(BB) FROM Pitching WHERE rowid = 1").rows[0],
              row({"real", "null"}));
    EXPECT_EQ(conn.select("SELECT typeof(I9), typeof(I10), typeof(I20), typeof(Runs) FROM BoxScores").rows[0],
              row({"integer", "null", "null", "integer"}));

    // What the save settled stays on the sheet and the board.
    EXPECT_EQ(vis()->textMatrix(1, 17), "9.00");
    EXPECT_EQ(home()->textMatrix(1, 17), "9.00");
    EXPECT_EQ(board->lbl_VisPitcher->hiddenText, "Vis Ace");
    EXPECT_EQ(board->lbl_HomePitcher->hiddenText, "Home Ace");
    EXPECT_EQ(board->lbl_VisPitcher->text(), "Vis Ace");
    EXPECT_FALSE(board->img_VisPitch->hasPicture());
    EXPECT_FALSE(board->img_HomePitch->hasPicture());

    // A disabled button saves nothing more.
    ui->clear();
    pressSave(std::nullopt);
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_EQ(tableCount("Matchups"), 1);
}

TEST_F(SaveTest, ExtraInningGameTenToNineWithARelieverInTheLastInnings)
{
    setUpNineInningGame(*board, "Harbor Cats", "Mill Town");
    // Eleven full innings: visitors 10, home 9.
    setLineScore(*board, Side::Visitors, {"3", "0", "0", "2", "0", "0", "1", "0", "3", "0", "1"}, 11);
    setLineScore(*board, Side::Home, {"0", "4", "0", "0", "1", "0", "0", "4", "0", "0", "0"}, 11);
    // The visitors changed pitchers after 17 outs in the field (5.67).
    setPitching(*board, Side::Visitors, 1, "Vis Ace", {"5", "1", "6", "1", "5"}, "5.67");
    setPitching(*board, Side::Visitors, 2, "Closer", {"4", "", "3", "", "4"});
    setCurrentPitcher(*board, Side::Visitors, "Closer", "Vis Ace");

    pressSave();

    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    // 33 outs in the field: 11.00 less the starter's 5.67.
    EXPECT_EQ(column(vis(), 17, 3), QStringList({"5.67", "5.33", ""}));
    EXPECT_EQ(home()->textMatrix(1, 17), "11.00");
    const auto pitching = tableRows("Pitching");
    ASSERT_EQ(pitching.size(), 3u);
    EXPECT_EQ(pitching[0][0], "Home Ace");
    EXPECT_EQ(pitching[0][6], "11");
    EXPECT_EQ(pitching[1].mid(0, 8), row({"Vis Ace", "5", "1", "6", "1", "5", "5.67", "Harbor Cats"}));
    EXPECT_EQ(pitching[2].mid(0, 8), row({"Closer", "4", "", "3", "", "4", "5.33", "Harbor Cats"}));

    const auto boxes = tableRows("BoxScores");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].mid(9, 4), row({"3", "0", "1", ""}));  // I9, I10, I11, I12
    EXPECT_EQ(boxes[0].mid(12, 9), QStringList(9, ""));       // I12 to I20
    EXPECT_EQ(boxes[0][21], "10");
    EXPECT_EQ(boxes[1][21], "9");
    EXPECT_EQ(boxes[1].mid(10, 2), row({"0", "0"}));
    // "10" beats "9": compared as numbers, not as text.
    EXPECT_EQ(tableRows("WinLoss"),
              std::vector<QStringList>({row({"Harbor Cats", "1", ""}), row({"Mill Town", "", "1"})}));
}

TEST_F(SaveTest, WalkOffCreditsTheOutInProgressToTheFieldingPitcherOnly)
{
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    // Nine top halves, eight bottom halves, the winning runs with one out.
    setLineScore(*board, Side::Visitors, {"0", "0", "2", "0", "0", "1", "0", "0", "0"}, 9);
    setLineScore(*board, Side::Home, {"0", "1", "0", "0", "0", "0", "0", "0", "3"}, 8);
    const Side homeBats = Side::Home;
    setAtBat(*board, &homeBats, "1");
    // The visitors' starter was credited 5.67 at the change to the reliever.
    setPitching(*board, Side::Visitors, 1, "Abe", {"4", "2", "5", "", "1"}, "5.67");
    setPitching(*board, Side::Visitors, 2, "Cy", {"2", "", "4", "1", "3"});
    setCurrentPitcher(*board, Side::Visitors, "Cy", "Abe");

    pressSave();

    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    // 25 outs: 8.33 less 5.67 is 2.66, not the 2.67 of Cy's own 8 outs.
    EXPECT_EQ(column(vis(), 17, 2), QStringList({"5.67", "2.66"}));
    EXPECT_EQ(home()->textMatrix(1, 17), "9.00");
    EXPECT_EQ(board->lbl_VisPitcher->hiddenText, "Cy");
    const auto pitching = tableRows("Pitching");
    ASSERT_EQ(pitching.size(), 3u);
    EXPECT_EQ(pitching[0][6], "9");
    EXPECT_EQ(pitching[2][0], "Cy");
    EXPECT_EQ(pitching[2][6], "2.66");
    EXPECT_EQ(tableRows("WinLoss"),
              std::vector<QStringList>({row({"Otters", "", "1"}), row({"Pine Jays", "1", ""})}));
    const auto boxes = tableRows("BoxScores");
    EXPECT_EQ(boxes[0][21], "3");
    EXPECT_EQ(boxes[1][21], "4");
    EXPECT_EQ(boxes[1][9], "3");  // the unfinished bottom of the ninth is stored too
}

TEST_F(SaveTest, TieAndUnrecordedInningsCells)
{
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    setLineScore(*board, Side::Visitors, {"0", "0", "3", "0", "0", "0", "0", "0", "0"}, 9);
    setLineScore(*board, Side::Home, {"0", "1", "0", "0", "0", "2", "0", "0", "0"}, 9);
    // Home: a typed "0", a pitcher never credited (empty), a typed "0.00",
    // and the current pitcher with the whole game left to him.
    setPitching(*board, Side::Home, 1, "Lee", {"1"}, "0");
    setPitching(*board, Side::Home, 2, "Moe", {}, "");
    setPitching(*board, Side::Home, 3, "Ned", {}, "0.00");
    setPitching(*board, Side::Home, 4, "Ott", {"3"}, "");
    setCurrentPitcher(*board, Side::Home, "Ott", "Ned");
    // Visitors: the starter already holds all nine innings, so the current
    // pitcher is credited 0.00, which is stored as 0.
    setPitching(*board, Side::Visitors, 1, "Vee", {}, "9.00");
    setPitching(*board, Side::Visitors, 2, "Wes", {}, "");
    setCurrentPitcher(*board, Side::Visitors, "Wes", "Vee");

    pressSave();

    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    EXPECT_EQ(column(home(), 17, 4), QStringList({".0001", ".0001", "0.00", "9.00"}));
    EXPECT_EQ(column(vis(), 17, 2), QStringList({"9.00", "0.00"}));
    QStringList stored;
    for (const QStringList& r : tableRows("Pitching"))
        stored << r[0] + "=" + r[6];
    EXPECT_EQ(stored, QStringList({"Lee=0.0001", "Moe=0.0001", "Ned=0", "Ott=9", "Vee=9", "Wes=0"}));
    // A tie: both teams get a row with neither a win nor a loss.
    EXPECT_EQ(tableRows("WinLoss"), std::vector<QStringList>({row({"Otters", "", ""}), row({"Pine Jays", "", ""})}));
    db::Connection conn;
    EXPECT_EQ(conn.select("SELECT typeof(Win), typeof(Loss) FROM WinLoss").rows[0], row({"null", "null"}));
}

TEST_F(SaveTest, NamesWithApostrophesAndASideWithoutAPitcher)
{
    setUpNineInningGame(*board, "O'Fallon Owls", "Knights' Ridge");
    vis()->setTextMatrix(2, 1, "D'Angelo O'Neil");
    setPitching(*board, Side::Home, 1, "Shaq O'Dell", {"7"});
    setCurrentPitcher(*board, Side::Home, "Shaq O'Dell");
    // The visitors never chose a pitcher: no pitching row, no innings
    // credited to an unnamed row.
    setPitching(*board, Side::Visitors, 1, "", {});
    setCurrentPitcher(*board, Side::Visitors, "");

    pressSave();

    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    EXPECT_EQ(tableRows("Matchups"),
              std::vector<QStringList>({row({"O'Fallon Owls  vs  Knights' Ridge", "1"})}));
    const auto pitching = tableRows("Pitching");
    ASSERT_EQ(pitching.size(), 1u);
    EXPECT_EQ(pitching[0][0], "Shaq O'Dell");
    EXPECT_EQ(pitching[0][7], "Knights' Ridge");
    EXPECT_EQ(column(vis(), 17, 3), QStringList({"", "", ""}));
    EXPECT_EQ(column(vis(), 11, 3), QStringList({"", "", ""}));
    db::Connection conn;
    EXPECT_EQ(conn.select("SELECT Batter, Team FROM Batting WHERE Batter LIKE ?", {"D'Angelo%"}).rows,
              std::vector<QStringList>({row({"D'Angelo O'Neil", "O'Fallon Owls"})}));
    EXPECT_EQ(conn.select("SELECT Team FROM BoxScores ORDER BY Host").rows,
              std::vector<QStringList>({row({"O'Fallon Owls"}), row({"Knights' Ridge"})}));
}

TEST_F(SaveTest, RefusalsBeforeTheSaveChangeNothing)
{
    ui->expectAlarm(QStringLiteral("Missing required game data. Unable to save."));
    ui->expectAlarm(QStringLiteral("Select a player in both lineups before saving."));
    // No team, nothing typed: refused at once.
    pressSave(std::nullopt);
    ASSERT_EQ(ui->messages(), QStringList({"Missing required game data. Unable to save."}));
    EXPECT_EQ(lastPrompt().icon, QMessageBox::Critical);
    EXPECT_TRUE(sheet().Command2->isEnabled());

    // One team loaded: the question, then the lineup check speaks up.
    loadTeam(*board, Side::Visitors, "Otters", {"Ann=SS", "Bo=2B"});
    selectEntry(*board, Side::Visitors, 0);
    setCurrentPitcher(*board, Side::Visitors, "Bo");
    ui->clear();
    pressSave();
    EXPECT_EQ(ui->messages(), QStringList({Question, "Select a player in both lineups before saving."}));
    EXPECT_TRUE(sheet().Command2->isEnabled());
    EXPECT_EQ(vis()->textMatrix(1, 11), "");

    // Both loaded, the game not over.
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    board->img_HomePitch->setPicture(QPixmap(8, 8));
    ui->clear();
    pressSave(QMessageBox::No);
    EXPECT_EQ(ui->messages(), QStringList({Question}));

    // Both loaded, no entry selected in the home lineup.
    selectEntry(*board, Side::Home, -1);
    ui->clear();
    pressSave();
    EXPECT_EQ(ui->messages(), QStringList({Question, "Select a player in both lineups before saving."}));

    EXPECT_TRUE(sheet().Command2->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(dbFile()));
    EXPECT_EQ(home()->textMatrix(1, 17), "");
    EXPECT_EQ(board->lbl_HomePitcher->hiddenText, "");
    EXPECT_TRUE(board->img_HomePitch->hasPicture());
    EXPECT_EQ(sheet().tb_TimeStamp2->text(), "");

    // Put right, the game saves once.
    selectEntry(*board, Side::Home, 3);
    ui->clear();
    pressSave();
    EXPECT_EQ(ui->messages(), QStringList({Question, Success}));
    EXPECT_EQ(tableCount("Matchups"), 1);
}

TEST_F(SaveTest, BadCellIsNamedAndARetryAfterFixingItSavesOnce)
{
    ui->expectAlarm(QStringLiteral("Unable to save: "));
    ui->expectAlarm(QStringLiteral("6, Overflow"));
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    board->img_VisPitch->setPicture(QPixmap(8, 8));
    // Cells the save does not store may hold anything: an unflagged row, an
    // unnamed pitching row.
    vis()->setTextMatrix(12, 1, "Idle Sub");
    vis()->setTextMatrix(12, 4, "n/a");
    home()->setTextMatrix(7, 13, "zz");

    vis()->setTextMatrix(3, 7, "x");
    pressSave();
    ASSERT_EQ(ui->messages().size(), 2);
    const QString batText = ui->messages().at(1);
    EXPECT_TRUE(batText.contains("visitors' batting line in row 3 (Vis Batter 3)")) << batText.toStdString();
    EXPECT_TRUE(batText.contains("\"x\" under HR")) << batText.toStdString();
    EXPECT_EQ(lastPrompt().icon, QMessageBox::Warning);

    auto nothingChanged = [&] {
        EXPECT_TRUE(sheet().Command2->isEnabled());
        EXPECT_FALSE(QFileInfo::exists(dbFile()));
        EXPECT_EQ(vis()->textMatrix(1, 17), "");
        EXPECT_EQ(home()->textMatrix(1, 17), "");
        EXPECT_EQ(board->lbl_VisPitcher->hiddenText, "");
        EXPECT_TRUE(board->img_VisPitch->hasPicture());
        EXPECT_EQ(sheet().tb_TimeStamp2->text(), "");
    };
    nothingChanged();

    // Innings that are no number, in a row the current pitcher is about to
    // take, and then a bad line-score box.
    vis()->setTextMatrix(3, 7, "1");
    setPitching(*board, Side::Home, 2, "Lefty", {}, "5.2.1");
    ui->clear();
    pressSave();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages()[1].contains("home pitching line in row 2 (Lefty) holds \"5.2.1\" under IP"))
        << ui->messages()[1].toStdString();
    nothingChanged();

    // A decimal number too large to store is called that, not "no decimal".
    setPitching(*board, Side::Home, 2, "Lefty", {}, "69999999999");
    ui->clear();
    pressSave();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages()[1].contains("holds \"69999999999\" under IP, but that number is too large to store"))
        << ui->messages()[1].toStdString();
    nothingChanged();

    // A credit beyond any game cannot be made: the save stops before storing.
    setPitching(*board, Side::Home, 2, "Lefty", {}, "-999999999");
    setPitching(*board, Side::Home, 3, "Righty", {}, "-999999999");
    ui->clear();
    pressSave();
    EXPECT_EQ(ui->programErrors(), QStringList{"The following error has occurred: 6, Overflow"});
    nothingChanged();
    setPitching(*board, Side::Home, 3, "", {}, "");

    setPitching(*board, Side::Home, 2, "", {"", "q"}, "");
    setCurrentPitcher(*board, Side::Home, "Closer");  // will be listed in row 2
    ui->clear();
    pressSave();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages()[1].contains("home pitching line in row 2 (Closer) holds \"q\" under BB"))
        << ui->messages()[1].toStdString();
    EXPECT_EQ(home()->textMatrix(2, 11), "");
    nothingChanged();

    home()->setTextMatrix(2, 13, "");
    setHitsErrors(*board, Side::Visitors, "9", "a");
    ui->clear();
    pressSave();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages()[1].contains("visitors' line score holds \"a\" in E")) << ui->messages()[1].toStdString();
    nothingChanged();

    setHitsErrors(*board, Side::Visitors, "9", "2");
    ui->clear();
    pressSave();
    EXPECT_EQ(ui->messages(), QStringList({Question, Success}));
    EXPECT_FALSE(sheet().Command2->isEnabled());
    EXPECT_EQ(tableCount("Matchups"), 1);
    EXPECT_EQ(tableCount("WinLoss"), 2);
    EXPECT_EQ(tableCount("BoxScores"), 2);
    EXPECT_EQ(tableCount("Batting"), 18);
    // Home Ace (credited nothing now: he is no longer current) and Closer.
    EXPECT_EQ(tableCount("Pitching"), 3);
    EXPECT_EQ(column(home(), 11, 2), QStringList({"Home Ace", "Closer"}));
    EXPECT_EQ(column(home(), 17, 2), QStringList({".0001", "9.00"}));
}

TEST_F(SaveTest, GamesSavedInTheSameSecondKeepIdsOfTheirOwn)
{
    // Two programs on one database file, each with its own connection, both
    // saving at 14:05:09 on 7 March 2026.
    auto game = [](const char* visitors, const char* home) {
        records::GameRecord g;
        g.visitors.cells.assign(50, QStringList(QVector<QString>(records::col::Count)));
        g.home = g.visitors;
        QStringList box(records::box::Count);
        box[0] = visitors;
        g.boxRows[0] = box;
        box[0] = home;
        g.boxRows[1] = box;
        g.savedAt = QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9));
        return g;
    };
    records::GameRecord first = game("Otters", "Pine Jays"), second = game("Comets", "Gulls"),
                        third = game("Otters", "Gulls");
    {
        db::Connection one;
        db::Connection two;
        records::recordGame(one, first);
        records::recordGame(two, second);
        // A stamp already taken by the next second is passed over as well.
        records::recordGame(one, third);
    }
    EXPECT_EQ(first.gameId, "030726140509");
    EXPECT_EQ(second.gameId, "030726140510");
    EXPECT_EQ(third.gameId, "030726140511");
    db::Connection conn;
    EXPECT_EQ(conn.select("SELECT GameID, COUNT(*), MIN(Team) FROM BoxScores GROUP BY GameID ORDER BY GameID").rows,
              std::vector<QStringList>({row({"030726140509", "2", "Otters"}), row({"030726140510", "2", "Comets"}),
                                        row({"030726140511", "2", "Gulls"})}));

    // The sheet's save does the same with the clock: a game stored by
    // another program in this second or the next two leaves those ids alone.
    {
        const QDateTime now = QDateTime::currentDateTime();
        db::Connection other;
        for (int s = 0; s < 3; ++s) {
            records::GameRecord g = game("Comets", "Otters");
            g.savedAt = now.addSecs(s);
            records::recordGame(other, g);
        }
    }
    setUpNineInningGame(*board, "Otters", "Pine Jays");
    pressSave();
    ASSERT_EQ(ui->messages(), QStringList({Question, Success}));
    const QString id = sheet().tb_TimeStamp2->text();
    const auto byId = conn.select("SELECT Team FROM BoxScores WHERE GameID = ? ORDER BY rowid", {id}).rows;
    EXPECT_EQ(byId, std::vector<QStringList>({row({"Otters"}), row({"Pine Jays"})})) << id.toStdString();
}
