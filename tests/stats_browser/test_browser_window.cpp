// The browser window: its layout, the board's menu, and a database that
// cannot be read.
#include "support/sqlite_peer.h"
#include "browser_fixture.h"

#include "common/program_folder.h"
#include "support/board_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>

using namespace browser_test;

namespace {

// Another program holding the database file locked while it writes.
class ForeignLock {
public:
    explicit ForeignLock(const QString& path)
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign_lock"));
        db_.setDatabaseName(path);
        EXPECT_TRUE(db_.open());
        QSqlQuery q(db_);
        EXPECT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) << q.lastError().text().toStdString();
    }
    ~ForeignLock()
    {
        release();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("foreign_lock"));
    }
    void release()
    {
        if (!db_.isOpen())
            return;
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        db_.close();
    }

private:
    QSqlDatabase db_;
};

// Every query grid of the load step: field names only.
void expectHeaderOnly(const Form4& b)
{
    EXPECT_EQ(b.MSHFlexGrid1->rows(), 1);
    EXPECT_EQ(b.MSHFlexGrid1->cols(), 27);
    EXPECT_EQ(b.MSHFlexGrid1->textMatrix(0, 26), "GameID");
    EXPECT_TRUE(b.MSHFlexGrid1->isColumnHidden(25));
    EXPECT_FALSE(b.MSHFlexGrid1->isHidden());
    EXPECT_EQ(b.MSHFlexGrid2->rows(), 1);
    EXPECT_EQ(b.MSHFlexGrid2->textMatrix(0, 1), "Batter");
    EXPECT_EQ(b.MSHFlexGrid2->colWidth(1), 2000);
    EXPECT_EQ(b.MSHFlexGrid3->rows(), 1);
    EXPECT_EQ(b.MSHFlexGrid3->textMatrix(0, 7), "IP");
    EXPECT_EQ(b.MSHFlexGrid3->colWidth(9), 1600);
}

}  // namespace

TEST_F(BrowserTest, WindowHasItsTabsControlsAndEmptyUnqueriedGrids)
{
    open();
    EXPECT_EQ(browser->windowTitle(), "Database");
    EXPECT_TRUE(browser->isVisible());
    const QStringList tabs = {"Linescores", "Batting by game", "Pitching by game", "Aggregate Batting",
                              "Aggregate Pitching", "Win/Loss", "Game Stats", "Tournament"};
    ASSERT_EQ(browser->SSTab1->count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(browser->SSTab1->tabText(i), tabs[i]);

    // The buttons the user never clicks are hidden; the load step runs them.
    for (QPushButton* hidden : {browser->Command6, browser->Command14, browser->Command30, browser->Command34,
                                browser->Command32})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    // The second purge button lies below the tab control, out of sight.
    EXPECT_GE(browser->Command25->mapTo(browser, QPoint(0, 0)).y(), browser->SSTab1->geometry().bottom());

    // The grids no load query fills stay empty, the Game Stats grids among them.
    EXPECT_TRUE(browser->TabPage[6]->isAncestorOf(browser->MSHFlexGrid12));
    for (Grid* g : {browser->MSHFlexGrid6, browser->MSHFlexGrid7, browser->MSHFlexGrid8, browser->MSHFlexGrid11,
                    browser->MSHFlexGrid12}) {
        EXPECT_EQ(g->rows(), 1);
        EXPECT_EQ(g->cols(), 1);
    }

    // Centred over the board (to within the window frame, which is known
    // only once the window has been shown).
    const QPoint boardCentre = board->frameGeometry().center();
    const QPoint ownCentre = browser->frameGeometry().center();
    EXPECT_LE(std::abs(boardCentre.x() - ownCentre.x()), 3);
    EXPECT_LE(std::abs(boardCentre.y() - ownCentre.y()), 3);
}

TEST_F(BrowserTest, MissingDatabaseIsCreatedAndShowsEmptyGrids)
{
    const QString file = folder->file("ZRQ.mdb");
    ASSERT_FALSE(QFile::exists(file));
    open();
    EXPECT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(file));
    expectHeaderOnly(*browser);
    EXPECT_EQ(browser->MSHFlexGrid1->textMatrix(0, 1), "Team");

    // The created file holds the five tables, ready for the first save.
    {
        db::Connection c;
        addGameSummary(c, "070426120000", "A", "B", {1}, {0});
    }
    click(browser->Command4);
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 3);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(BrowserTest, FileThatIsNotADatabaseGivesOneReportAndAUsableWindow)
{
    ui->expectAlarm(QStringLiteral("26, file is not a database"));
    const QByteArray junk("This is a spreadsheet, not a database.\n");
    const QString file = folder->write("ZRQ.mdb", junk.repeated(200));
    open();
    // One box for the whole load step, with SQLite's code and text.
    ASSERT_EQ(ui->programErrors().size(), 1);
    EXPECT_EQ(ui->programErrors().first(), "The following error has occurred: 26, file is not a database");
    EXPECT_TRUE(browser->isVisible());
    expectHeaderOnly(*browser);
    EXPECT_EQ(fileBytes(file), junk.repeated(200));

    // Each click afterwards reports its own failure once, and nothing more.
    ui->clear();
    browser->Text1->setText("Pat");
    click(browser->Command5);
    click(browser->Command11);
    EXPECT_EQ(ui->programErrors().size(), 2);
    EXPECT_EQ(browser->MSHFlexGrid2->rows(), 1);
    EXPECT_EQ(fileBytes(file), junk.repeated(200));

    // Once the file is put right, the same window shows the data.
    ui->clear();
    ASSERT_TRUE(QFile::remove(file));
    {
        db::Connection c;
        addBatting(c, "Pat O'Neil", "Irish", "010126000000", {1});
    }
    click(browser->Command5);
    EXPECT_TRUE(ui->programErrors().isEmpty());
    EXPECT_EQ(column(*browser->MSHFlexGrid2, 1), QStringList({"Pat O'Neil"}));
}

TEST_F(BrowserTest, LockedDatabaseGivesOneReportWithoutLongWaits)
{
    ui->expectAlarm(QStringLiteral("5, database is locked"));
    {
        db::Connection c;
        addGameSummary(c, "070426120000", "A", "B", {1}, {0});
        addBatting(c, "Al", "A", "070426120000", {1});
    }
    // Without waiting, each attempt on the locked file is refused once.
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(0);
    const int refusedBefore = lockRefusalsSoFar();
    ForeignLock lock(db::path());

    open();
    // The step gives up on the file after its first failure: one attempt, one box.
    EXPECT_EQ(lockRefusalsSoFar() - refusedBefore, 1);
    ASSERT_EQ(ui->programErrors().size(), 1);
    EXPECT_EQ(ui->programErrors().first(), "The following error has occurred: 5, database is locked");
    expectHeaderOnly(*browser);

    // A click while still locked: one attempt, one box; after the lock is gone: the rows.
    ui->clear();
    click(browser->Command4);
    EXPECT_EQ(lockRefusalsSoFar() - refusedBefore, 2);
    EXPECT_EQ(ui->programErrors().size(), 1);
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 1);
    lock.release();
    ui->clear();
    click(browser->Command4);
    click(browser->Command5);
    EXPECT_TRUE(ui->programErrors().isEmpty());
    EXPECT_EQ(browser->MSHFlexGrid1->rows(), 3);
    EXPECT_EQ(column(*browser->MSHFlexGrid2, 1), QStringList({"Al"}));
    db::setBusyTimeout(savedTimeout);
}

class BrowserMenuTest : public BoardTest {};

TEST_F(BrowserMenuTest, DatabaseMenuOpensTheBrowserModallyOverTheBoardEachTimeAfresh)
{
    {
        db::Connection c;
        addGameSummary(c, "070426120000", "Visitors", "Hosts", {1, 0, 2}, {0, 0, 0});
    }
    int seenRows = -1;
    QPoint browserCentre;
    ui->whileModal("Form4", [&](QDialog& d) {
        auto& b = static_cast<Form4&>(d);
        EXPECT_TRUE(b.isVisible());
        seenRows = b.MSHFlexGrid1->rows();
        browserCentre = b.frameGeometry().center();
    });
    board->mnuStatistics->trigger();
    ASSERT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(ui->prompts[0].kind, Prompt::Modal);
    EXPECT_EQ(ui->prompts[0].title, "Database");
    EXPECT_EQ(seenRows, 3);
    const QPoint boardCentre = board->frameGeometry().center();
    EXPECT_LE(std::abs(browserCentre.x() - boardCentre.x()), 3);
    EXPECT_LE(std::abs(browserCentre.y() - boardCentre.y()), 3);
    Form4* first = board->findChild<Form4*>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isHidden());

    // A game saved in between shows at the next opening, in the same window.
    {
        db::Connection c;
        addGameSummary(c, "080426120000", "Visitors", "Hosts", {1}, {0});
    }
    ui->whileModal("Form4", [&](QDialog& d) { seenRows = static_cast<Form4&>(d).MSHFlexGrid1->rows(); });
    board->mnuStatistics->trigger();
    EXPECT_EQ(seenRows, 5);
    EXPECT_EQ(board->findChildren<Form4*>().size(), 1);
    EXPECT_TRUE(ui->programErrors().isEmpty());
}
