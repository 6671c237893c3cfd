// A save the database refuses: the "Program Error" box with SQLite's code
// and text, nothing stored, the sheet and the board as they were, and the
// button enabled again for a retry.
#include "support/sqlite_peer.h"
#include "platform/grid.h"
#include "support/board_fixture.h"
#include "support/sheet_helpers.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <unistd.h>

using namespace sheet_test;

class SaveFailureTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        setUpNineInningGame(*board, "Otters", "Pine Jays");
        board->img_HomePitch->setPicture(QPixmap(8, 8));
    }
    void pressSave()
    {
        ui->answerMsgBox(QMessageBox::Yes);
        ui->whileModal("Form2", [](QDialog& d) { static_cast<Form2&>(d).Command2->click(); });
        click(board->lbl_STATS);
    }
    QString dbFile() const { return folder->file("ZRQ.mdb"); }
    // The refusal as the user saw it, and nothing of the save left behind.
    void expectRefused(const QString& programError)
    {
        EXPECT_EQ(ui->programErrors(), QStringList({programError}));
        EXPECT_FALSE(ui->messages().contains("Data successfully recorded"));
        EXPECT_TRUE(sheet().Command2->isEnabled());
        EXPECT_EQ(sheet().grd_HomeStats->textMatrix(1, 17), "");
        EXPECT_EQ(sheet().grd_VisStats->textMatrix(1, 17), "");
        EXPECT_EQ(board->lbl_HomePitcher->hiddenText, "");
        EXPECT_TRUE(board->img_HomePitch->hasPicture());
        EXPECT_EQ(sheet().tb_TimeStamp2->text(), "");
    }
    void expectSavedOnce()
    {
        EXPECT_EQ(ui->messages().last(), "Data successfully recorded");
        EXPECT_FALSE(sheet().Command2->isEnabled());
        EXPECT_EQ(tableCount("Matchups"), 1);
        EXPECT_EQ(tableCount("BoxScores"), 2);
        EXPECT_EQ(tableCount("Pitching"), 2);
        EXPECT_EQ(tableCount("Batting"), 18);
    }
};

TEST_F(SaveFailureTest, FileThatIsNotADatabaseIsReportedAndKeptByteForByte)
{
    ui->expectAlarm(QStringLiteral("26, file is not a database"));
    const QByteArray content("Batter,K,BB\nSmith,1,0\n");
    folder->write("ZRQ.mdb", content);
    pressSave();
    expectRefused("The following error has occurred: 26, file is not a database");
    EXPECT_EQ(fileBytes(dbFile()), content);
}

TEST_F(SaveFailureTest, LockedDatabaseIsReportedAndARetrySavesOnce)
{
    ui->expectAlarm(QStringLiteral("5, database is locked"));
    { db::Connection create; }
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(100);
    {
        PeerConnection other(dbFile());
        other.exec("BEGIN EXCLUSIVE");
        pressSave();
        expectRefused("The following error has occurred: 5, database is locked");
        other.exec("ROLLBACK");
    }
    db::setBusyTimeout(savedTimeout);
    EXPECT_EQ(tableCount("Batting"), 0);

    ui->clear();
    pressSave();
    EXPECT_TRUE(ui->programErrors().isEmpty());
    expectSavedOnce();
}

TEST_F(SaveFailureTest, DatabaseThatCannotBeWrittenKeepsItsRows)
{
    ui->expectAlarm(QStringLiteral("8, attempt to write a readonly database"));
    {
        db::Connection conn;
        conn.insert("Matchups", {{"Matchup", "Earlier  vs  Game"}, {"Tally", 1}});
    }
    const QString file = dbFile();
    // Root writes through file modes; the immutable attribute stops it.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const bool immutable = geteuid() == 0 && QProcess::execute("chattr", {"+i", file}) == 0;
    struct Restore {
        QString file;
        bool immutable;
        ~Restore()
        {
            if (immutable)
                QProcess::execute("chattr", {"-i", file});
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        }
    } restore{file, immutable};
    if (QFile(file).open(QIODevice::ReadWrite))
        GTEST_SKIP() << "cannot make a file read-only here";

    const QByteArray before = fileBytes(file);
    pressSave();
    expectRefused("The following error has occurred: 8, attempt to write a readonly database");
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_EQ(tableRows("Matchups"), std::vector<QStringList>({{"Earlier  vs  Game", "1"}}));
}

TEST_F(SaveFailureTest, FailureAtTheLastTableStoresNoRowOfTheGame)
{
    ui->expectAlarm(QStringLiteral("275, CHECK constraint failed"));
    // A Matchups table that refuses every row: the four tables before it
    // have received their rows by then, and must lose them again.
    {
        PeerConnection other(dbFile());
        other.exec("CREATE TABLE Matchups (Matchup TEXT, Tally INTEGER CHECK (Tally > 1))");
    }
    pressSave();
    // SQLite's extended code for a failed CHECK.
    expectRefused("The following error has occurred: 275, CHECK constraint failed: Tally > 1");
    for (const char* table : {"Batting", "Pitching", "BoxScores", "WinLoss", "Matchups"})
        EXPECT_EQ(tableCount(table), 0) << table;
}

TEST_F(SaveFailureTest, TableWithOtherFieldsIsReportedAndLeftAsItWas)
{
    ui->expectAlarm(QStringLiteral("table WinLoss has no columns named Win, Loss"));
    {
        PeerConnection other(dbFile());
        other.exec("CREATE TABLE WinLoss (Team TEXT, Wins INTEGER, Losses INTEGER)");
    }
    const QByteArray before = fileBytes(dbFile());
    pressSave();
    expectRefused("The following error has occurred: 1, table WinLoss has no columns named Win, Loss");
    EXPECT_EQ(fileBytes(dbFile()), before);
}
