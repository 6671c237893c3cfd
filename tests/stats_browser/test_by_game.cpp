// Line scores, batting and pitching by game over a database of known games.
#include "browser_fixture.h"

#include "common/colours.h"
#include "platform/look.h"
#include "support/paint_count.h"
#include "support/sqlite_peer.h"

#include <QLineEdit>

using namespace browser_test;

namespace {

const QString Dec = QStringLiteral("120325093000");    // 3 Dec 2025, 11 innings
const QString Mar = QStringLiteral("031526140509");    // 15 Mar 2026
const QString Jan2 = QStringLiteral("010226101010");   // 2 Jan 2026, home did not bat in the ninth
const QString Jan1 = QStringLiteral("010126000000");   // a game saved only in part: one line-score row
const QString Obrien = QStringLiteral("O'Brien's Nine");
const QString HomeTown = QStringLiteral("Home_Town");
const QString Riverdale = QStringLiteral("Riverdale");

void saveKnownGamesInto(db::Connection& c);

// Saved in the order they were played (GameIDs sort month first, not so).
void saveKnownGames()
{
    db::Connection c;
    c.transaction([&] { saveKnownGamesInto(c); });
}

void saveKnownGamesInto(db::Connection& c)
{
    const QVariant n;  // NULL

    addGameSummary(c, Dec, Riverdale, HomeTown, {0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0});
    addBatting(c, "Bo Smith", Riverdale, Dec, {0, 0, 2, n, n, n, n, n, 5});
    addBatting(c, "Ann Lee", Riverdale, Dec, {1, n, n, n, n, n, n, n, 4});
    addBatting(c, "Samx Smith", HomeTown, Dec, {n, n, n, n, n, 1, n, 1, 4});
    addBatting(c, "Lee Park", HomeTown, Dec, {2, n, n, n, n, n, n, n, 4});
    addPitching(c, "Kurt Bell", Riverdale, Dec, 11.0, {9, 2, 6, 1, 3});
    addPitching(c, "Zed Jones", HomeTown, Dec, 10.67, {5, 1, 7, 0, 3});
    addPitching(c, "Rel Ever", HomeTown, Dec, 0.33, {0, 0, 1, 0, 1});

    addLineScore(c, "Lone Rangers", true, Jan1, {0, 0, 0}, 1, 0);

    addGameSummary(c, Jan2, HomeTown, Riverdale, {1, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 2, 0, 0, 0, 0, 0});
    addBatting(c, "Samx Smith", HomeTown, Jan2, {n, n, n, n, n, n, n, n, 3});
    addBatting(c, "Bo Smith", Riverdale, Jan2, {n, n, n, 1, n, n, n, n, 4});
    addPitching(c, "Zed Jones", HomeTown, Jan2, 8.0, {4});
    addPitching(c, "Kurt Bell", Riverdale, Jan2, 9.0, {6});
    addPitching(c, "No Outs", Riverdale, Jan2, QVariant());

    addGameSummary(c, Mar, Obrien, HomeTown, {0, 0, 1, 0, 0, 0, 0, 2, 0}, {0, 0, 0, 0, 0, 0, 0, 1, 0});
    addBatting(c, "Pat O'Neil", Obrien, Mar, {1, n, 1, n, n, n, n, n, 4});
    addBatting(c, "Sam_Smith", Obrien, Mar, {n, n, n, n, n, 1, n, 2, 3});
    addBatting(c, "Dan Null", Obrien, Mar);
    addBatting(c, "Samx Smith", HomeTown, Mar, {n, n, n, n, n, n, n, n, 4});
    addBatting(c, "Lee Park", HomeTown, Mar, {n, 1, n, n, n, n, n, n, 3});
    addPitching(c, "Ace O'Hara", Obrien, Mar, 6.0, {7});
    addPitching(c, "Rel Ever", Obrien, Mar, 0.0001);  // saved with no outs
    addPitching(c, "Mop Up", Obrien, Mar, 3.0);
    addPitching(c, "Zed Jones", HomeTown, Mar, 9.0, {8});
}

QColor bgr(unsigned v) { return colours::fromBgr(v); }

}  // namespace

class ByGameTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        saveKnownGames();
        open();
        ASSERT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();
    }
};

TEST_F(ByGameTest, LoadShowsLineScoresNewestFirstInColouredPairsWithBlueGameIds)
{
    const Grid& g = *browser->MSHFlexGrid1;
    EXPECT_EQ(browser->SSTab1->currentIndex(), 0);
    ASSERT_EQ(g.cols(), 27);
    EXPECT_EQ(g.textMatrix(0, 0), "");
    EXPECT_EQ(g.textMatrix(0, 1), "Team");
    EXPECT_EQ(g.textMatrix(0, 2), "I1");
    EXPECT_EQ(g.textMatrix(0, 21), "I20");
    EXPECT_EQ(g.textMatrix(0, 25), "Host");
    EXPECT_EQ(g.textMatrix(0, 26), "GameID");

    // GameID descending as text (month first), visitors above home; the
    // lone row of the game saved in part comes last.
    EXPECT_EQ(column(g, 26), QStringList({Dec, Dec, Mar, Mar, Jan2, Jan2, Jan1}));
    EXPECT_EQ(column(g, 25), QStringList({"a_VIS", "b_HOME", "a_VIS", "b_HOME", "a_VIS", "b_HOME", "a_VIS"}));
    EXPECT_EQ(column(g, 1), QStringList({Riverdale, HomeTown, Obrien, HomeTown, HomeTown, Riverdale, "Lone Rangers"}));

    // The extra-inning game shows its eleven innings; innings not reached are empty.
    EXPECT_EQ(row(g, 1).mid(0, 14),
              QStringList({Riverdale, "0", "1", "0", "0", "2", "0", "0", "0", "0", "0", "1", "", ""}));
    EXPECT_EQ(g.textMatrix(1, 22), "4");
    EXPECT_EQ(g.textMatrix(2, 12), "0");
    EXPECT_EQ(g.textMatrix(3, 11), "");  // I10 of a nine-inning game
    EXPECT_EQ(g.textMatrix(6, 10), "");  // the home side that did not bat in the ninth
    EXPECT_EQ(g.textMatrix(6, 22), "2");
    EXPECT_EQ(g.textMatrix(7, 5), "");

    // Pairs: white, pale cyan, white ...; the odd last row is coloured alone.
    const QColor white = bgr(0xFFFFFF), cyan = bgr(0xFFFACC);
    EXPECT_EQ(cyan, QColor(204, 250, 255));
    const QColor expected[] = {white, white, cyan, cyan, white, white, cyan};
    for (int r = 1; r <= 7; ++r) {
        for (int c : {1, 2, 21, 25, 26})
            EXPECT_EQ(g.model().cellBackColor(r, c), expected[r - 1]) << "row " << r << " col " << c;
        EXPECT_FALSE(g.model().cellBackColor(r, 0).isValid());
        // The GameID column is the one to click: blue text at load.
        EXPECT_EQ(g.model().cellForeColor(r, 26), bgr(0xFF0000)) << r;
        EXPECT_FALSE(g.model().cellForeColor(r, 25).isValid());
    }

    // Widths in twips; Host hidden; the team name left-aligned, the rest centred.
    EXPECT_EQ(g.colWidth(0), 300);
    EXPECT_EQ(g.colWidth(1), 1450);
    for (int c = 2; c <= 21; ++c)
        EXPECT_EQ(g.colWidth(c), 320) << c;
    for (int c = 22; c <= 24; ++c)
        EXPECT_EQ(g.colWidth(c), 500) << c;
    EXPECT_EQ(g.colWidth(25), 0);
    EXPECT_TRUE(g.isColumnHidden(25));
    EXPECT_EQ(g.colWidth(26), 1200);
    EXPECT_EQ(g.model().colAlignment(1), 0);
    EXPECT_EQ(g.model().colAlignment(2), 3);
    EXPECT_EQ(g.model().colAlignment(26), 3);
    EXPECT_EQ(g.model().colAlignmentFixed(1), 3);
    EXPECT_EQ(g.font().family(), look::family(QStringLiteral("Calibri")));
    EXPECT_EQ(g.font().pointSizeF(), 8.0);
    EXPECT_FALSE(g.isHidden());
    EXPECT_EQ(g.currentRowIndex(), 0);
}

TEST_F(ByGameTest, LineScoreButtonsRebindAndRecolourWithoutTheBlueMarking)
{
    Grid& g = *browser->MSHFlexGrid1;
    const QColor white = bgr(0xFFFFFF), cyan = bgr(0xFFFACC);

    // An empty filter shows every saved row in stored order, from a pale cyan pair.
    click(browser->Command11);
    EXPECT_EQ(column(g, 26), QStringList({Dec, Dec, Jan1, Jan2, Jan2, Mar, Mar}));
    const QColor byId[] = {cyan, cyan, white, white, cyan, cyan, white};
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(g.model().cellBackColor(r, 1), byId[r - 1]) << r;
        // Only the load step marks the GameIDs.
        EXPECT_FALSE(g.model().cellForeColor(r, 26).isValid()) << r;
    }

    // A part of a stamp matches anywhere in it, the time part too.
    browser->Text9->setText("0315");
    click(browser->Command11);
    EXPECT_EQ(column(g, 26), QStringList({Mar, Mar}));
    browser->Text9->setText("1010");
    click(browser->Command11);
    EXPECT_EQ(column(g, 26), QStringList({Jan2, Jan2}));
    // Not trimmed: a trailing blank matches nothing, and the header stays.
    browser->Text9->setText("0315 ");
    click(browser->Command11);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.textMatrix(0, 26), "GameID");
    EXPECT_EQ(g.colWidth(26), 1200);

    click(browser->Command4);
    EXPECT_EQ(g.rows(), 8);
    EXPECT_EQ(g.model().cellBackColor(1, 1), white);
    EXPECT_EQ(g.model().cellBackColor(7, 26), cyan);
    EXPECT_FALSE(g.model().cellForeColor(1, 26).isValid());
    EXPECT_FALSE(g.isHidden());
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(ByGameTest, BattingByPlayerTeamAndGame)
{
    Grid& g = *browser->MSHFlexGrid2;
    // At load: every batting row, GameID descending, each game's rows as saved.
    ASSERT_EQ(g.cols(), 13);
    EXPECT_EQ(row(g, 0), QStringList({"Batter", "K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB", "Team", "GameID"}));
    EXPECT_EQ(column(g, 1), QStringList({"Bo Smith", "Ann Lee", "Samx Smith", "Lee Park", "Pat O'Neil", "Sam_Smith",
                                         "Dan Null", "Samx Smith", "Lee Park", "Samx Smith", "Bo Smith"}));
    EXPECT_EQ(row(g, 1), QStringList({"Bo Smith", "0", "0", "2", "", "", "", "", "", "5", Riverdale, Dec}));
    EXPECT_EQ(row(g, 7), QStringList({"Dan Null", "", "", "", "", "", "", "", "", "", Obrien, Mar}));

    auto checkLayout = [&] {
        EXPECT_EQ(g.colWidth(0), 300);
        EXPECT_EQ(g.colWidth(1), 2000);
        for (int c = 2; c <= 10; ++c)
            EXPECT_EQ(g.colWidth(c), 490) << c;
        EXPECT_EQ(g.colWidth(11), 1900);
        EXPECT_EQ(g.colWidth(12), 1600);
        EXPECT_EQ(g.model().colAlignment(1), 0);
        EXPECT_EQ(g.model().colAlignment(11), 0);
        for (int c : {2, 10, 12})
            EXPECT_EQ(g.model().colAlignment(c), 3) << c;
        EXPECT_EQ(g.model().colAlignmentFixed(5), 3);
    };
    checkLayout();

    // By team: a prefix in any letter case, GameID ascending.
    browser->Text2->setText("home");
    click(browser->Command3);
    EXPECT_EQ(column(g, 12), QStringList({Jan2, Mar, Mar, Dec, Dec}));
    EXPECT_EQ(column(g, 1), QStringList({"Samx Smith", "Samx Smith", "Lee Park", "Samx Smith", "Lee Park"}));
    checkLayout();
    browser->Text2->setText("O'Brien");
    click(browser->Command3);
    EXPECT_EQ(column(g, 1), QStringList({"Pat O'Neil", "Sam_Smith", "Dan Null"}));

    // By GameID: contained anywhere.
    browser->Text7->setText("0102");
    click(browser->Command9);
    EXPECT_EQ(column(g, 1), QStringList({"Samx Smith", "Bo Smith"}));
    checkLayout();

    // By player: descending GameID; "_" and "%" are wildcards; an apostrophe
    // is a character; the text is used with its blanks.
    struct Case {
        const char* filter;
        QStringList batters;
    };
    const Case cases[] = {
        {"Sam_", {"Samx Smith", "Sam_Smith", "Samx Smith", "Samx Smith"}},
        {"%Smith", {"Bo Smith", "Samx Smith", "Sam_Smith", "Samx Smith", "Samx Smith", "Bo Smith"}},
        {"Pat O'", {"Pat O'Neil"}},
        {"pat o'neil", {"Pat O'Neil"}},
        {" Pat", {}},
        {"x' OR '1'='1", {}},
        {"%", {"Bo Smith", "Ann Lee", "Samx Smith", "Lee Park", "Pat O'Neil", "Sam_Smith", "Dan Null", "Samx Smith",
               "Lee Park", "Samx Smith", "Bo Smith"}},
    };
    for (const Case& c : cases) {
        browser->Text1->setText(QString::fromUtf8(c.filter));
        click(browser->Command5);
        EXPECT_EQ(column(g, 1), c.batters) << c.filter;
        EXPECT_EQ(g.textMatrix(0, 1), "Batter") << c.filter;
    }
    EXPECT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();
}

TEST_F(ByGameTest, PitchingFormatsInningsByPlayerAndByGameButNotByTeam)
{
    Grid& g = *browser->MSHFlexGrid3;
    // At load: pitching by player, GameID descending, innings formatted.
    ASSERT_EQ(g.cols(), 10);
    EXPECT_EQ(row(g, 0), QStringList({"Pitcher", "K", "BB", "Hits", "HR", "Runs", "IP", "Team", "GameID"}));
    EXPECT_EQ(column(g, 1), QStringList({"Kurt Bell", "Zed Jones", "Rel Ever", "Ace O'Hara", "Rel Ever", "Mop Up",
                                         "Zed Jones", "Zed Jones", "Kurt Bell", "No Outs"}));
    EXPECT_EQ(column(g, 7), QStringList({"11.00", "10.67", ".33", "6.00", ".00", "3.00", "9.00", "8.00", "9.00", ""}));
    EXPECT_EQ(row(g, 1), QStringList({"Kurt Bell", "9", "2", "6", "1", "3", "11.00", Riverdale, Dec}));
    auto checkLayout = [&](int gameIdWidth, int ipAlignment) {
        EXPECT_EQ(g.colWidth(0), 300);
        EXPECT_EQ(g.colWidth(1), 2000);
        for (int c = 2; c <= 7; ++c)
            EXPECT_EQ(g.colWidth(c), 690) << c;
        EXPECT_EQ(g.colWidth(8), 1900);
        EXPECT_EQ(g.colWidth(9), gameIdWidth);
        EXPECT_EQ(g.model().colAlignment(1), 0);
        EXPECT_EQ(g.model().colAlignment(8), 0);
        EXPECT_EQ(g.model().colAlignment(2), 3);
        EXPECT_EQ(g.model().colAlignment(7), ipAlignment);
    };
    checkLayout(1600, 7);

    // By team: the innings as stored, 0.0001 included.
    browser->Text4->setText("O'Brien");
    click(browser->Command1);
    EXPECT_EQ(column(g, 1), QStringList({"Ace O'Hara", "Rel Ever", "Mop Up"}));
    EXPECT_EQ(column(g, 7), QStringList({"6", "0.0001", "3"}));
    checkLayout(2200, 3);
    browser->Text4->setText("");
    click(browser->Command1);
    EXPECT_EQ(column(g, 9), QStringList({Jan2, Jan2, Jan2, Mar, Mar, Mar, Mar, Dec, Dec, Dec}));
    EXPECT_EQ(column(g, 7), QStringList({"8", "9", "", "6", "0.0001", "3", "9", "11", "10.67", "0.33"}));

    // By GameID: formatted again.
    browser->Text8->setText("0315");
    click(browser->Command10);
    EXPECT_EQ(column(g, 7), QStringList({"6.00", ".00", "3.00", "9.00"}));
    checkLayout(2200, 7);

    browser->Text3->setText("Rel");
    click(browser->Command2);
    EXPECT_EQ(column(g, 7), QStringList({".33", ".00"}));
    checkLayout(1600, 7);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(ByGameTest, ReopeningRerunsTheLoadAndForgetsTheFilters)
{
    browser->Text1->setText("Pat");
    browser->Text9->setText("0315");
    click(browser->Command5);
    browser->SSTab1->setCurrentIndex(2);
    browser->close();
    EXPECT_TRUE(browser->isHidden());
    // Closing lets go of the rows.
    EXPECT_EQ(browser->MSHFlexGrid2->rows(), 1);

    {
        db::Connection c;
        addGameSummary(c, "123125235959", "Late Show", Riverdale, {1}, {0});
        addBatting(c, "New Guy", "Late Show", "123125235959", {1});
    }
    open();
    EXPECT_EQ(browser->SSTab1->currentIndex(), 0);
    EXPECT_TRUE(browser->Text1->text().isEmpty());
    EXPECT_TRUE(browser->Text9->text().isEmpty());
    EXPECT_EQ(browser->MSHFlexGrid1->textMatrix(1, 26), "123125235959");
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 10);
    EXPECT_EQ(browser->MSHFlexGrid2->textMatrix(1, 1), "New Guy");
    EXPECT_EQ(browser->MSHFlexGrid2->rows(), 13);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(BrowserTest, AFileWithItsFieldsInAnotherOrderShowsEveryColumnUnderItsOwnHead)
{
    // Another program wrote the tables with their fields reversed, in other
    // letter cases and with a field of its own in the middle.
    {
        PeerConnection peer(folder->file("ZRQ.mdb"));
        for (const db::Table& t : db::tables()) {
            QStringList defs;
            for (auto c = t.columns.crbegin(); c != t.columns.crend(); ++c) {
                defs << '"' + c->name.toLower() + "\" " + (c->type == db::Type::Text ? "TEXT" : "NUMERIC");
                if (c == t.columns.crbegin())
                    defs << "Note TEXT";
            }
            peer.exec(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, defs.join(", ")));
        }
    }
    {
        db::Connection c;
        addGameSummary(c, Mar, Obrien, HomeTown, {0, 0, 1}, {2, 0, 0});
        addBatting(c, "Pat O'Neil", Obrien, Mar, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        addPitching(c, "Ace O'Hara", Obrien, Mar, 6.5, {1, 2, 3, 4, 5});
    }
    open();
    ASSERT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();

    auto expectShown = [&] {
        const Grid& lines = *browser->MSHFlexGrid1;
        EXPECT_EQ(row(lines, 0).mid(0, 3), QStringList({"Team", "I1", "I2"}));
        EXPECT_EQ(row(lines, 0).mid(20), QStringList({"I20", "Runs", "Hits", "Errors", "Host", "GameID"}));
        EXPECT_EQ(row(lines, 1).mid(0, 4), QStringList({Obrien, "0", "0", "1"}));
        EXPECT_EQ(row(lines, 1).mid(21), QStringList({"1", "4", "0", "a_VIS", Mar}));
        EXPECT_EQ(lines.colWidth(25), 0);  // Host hidden, not GameID

        const Grid& bat = *browser->MSHFlexGrid2;
        EXPECT_EQ(row(bat, 0),
                  QStringList({"Batter", "K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB", "Team", "GameID"}));
        EXPECT_EQ(row(bat, 1),
                  QStringList({"Pat O'Neil", "1", "2", "3", "4", "5", "6", "7", "8", "9", Obrien, Mar}));

        const Grid& pitch = *browser->MSHFlexGrid3;
        EXPECT_EQ(row(pitch, 0), QStringList({"Pitcher", "K", "BB", "Hits", "HR", "Runs", "IP", "Team", "GameID"}));
        EXPECT_EQ(row(pitch, 1).mid(0, 6), QStringList({"Ace O'Hara", "1", "2", "3", "4", "5"}));
        EXPECT_EQ(row(pitch, 1).mid(7), QStringList({Obrien, Mar}));
    };
    expectShown();
    EXPECT_EQ(browser->MSHFlexGrid3->textMatrix(1, 7), "6.50");

    // The filtered views read the same way.
    browser->Text9->setText("0315");
    click(browser->Command11);
    browser->Text7->setText("0315");
    click(browser->Command9);
    browser->Text4->setText("O'");
    click(browser->Command1);
    expectShown();
    EXPECT_EQ(browser->MSHFlexGrid3->textMatrix(1, 7), "6.5");
    EXPECT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();
}

TEST_F(ByGameTest, AViewWithOtherColumnWidthsPaintsTheGridOnce)
{
    // By team and by player differ in the GameID column's width.
    Grid& g = *browser->MSHFlexGrid3;
    browser->SSTab1->setCurrentIndex(2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser->window()));
    auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    settle();
    PaintCount viewport;
    g.viewport()->installEventFilter(&viewport);
    browser->Text4->setText("O'Brien");
    for (QPushButton* view : {browser->Command1, browser->Command2, browser->Command1}) {
        viewport.paints = 0;
        click(view);
        settle();
        EXPECT_EQ(viewport.paints, 1) << view->text().toStdString();
    }
    EXPECT_EQ(g.colWidth(9), 2200);
}
