#include "platform/database.h"

#include "common/program_folder.h"
#include "support/browser_helpers.h"
#include "support/program_error_expect.h"
#include "support/program_folder_fixture.h"
#include "support/sqlite_peer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Collects Qt's warnings while it lives.
class WarningCatcher {
public:
    WarningCatcher() { previous_ = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(previous_); }
    static QStringList& seen()
    {
        static QStringList s;
        return s;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& msg)
    {
        if (type != QtDebugMsg)
            seen() << msg;
    }
    QtMessageHandler previous_ = nullptr;
};

QStringList fieldsOf(PeerConnection& raw, const QString& table)
{
    return raw.column(QStringLiteral("SELECT name || ' ' || type FROM pragma_table_info('%1')").arg(table));
}

int countRows(db::Connection& conn, const QString& table)
{
    return conn.select(QStringLiteral("SELECT COUNT(*) FROM ") + table).rows.at(0).at(0).toInt();
}

QStringList batterNames(db::Connection& conn)
{
    QStringList names;
    for (const QStringList& row : conn.select(QStringLiteral("SELECT Batter FROM Batting ORDER BY rowid")).rows)
        names << row.at(0);
    return names;
}

bool dbConnectionsLeft()
{
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QLatin1String("benchdeck_db_")))
            return true;
    return false;
}

}  // namespace

TEST(Database, CreatesMissingFileWithTheFiveTablesInFieldOrder)
{
    TempProgramFolder pf;
    ASSERT_FALSE(QFile::exists(pf.file("ZRQ.mdb")));
    { db::Connection conn; }
    ASSERT_TRUE(QFile::exists(pf.file("ZRQ.mdb")));

    PeerConnection raw(pf.file("ZRQ.mdb"));
    EXPECT_EQ(fieldsOf(raw, "Batting"),
              QStringList({"Batter TEXT", "K INTEGER", "BB INTEGER", "1B INTEGER", "2B INTEGER", "3B INTEGER",
                           "HR INTEGER", "SB INTEGER", "RBI INTEGER", "AB INTEGER", "Team TEXT", "GameID TEXT"}));
    EXPECT_EQ(fieldsOf(raw, "Pitching"),
              QStringList({"Pitcher TEXT", "K INTEGER", "BB INTEGER", "Hits INTEGER", "HR INTEGER", "Runs INTEGER",
                           "IP REAL", "Team TEXT", "GameID TEXT"}));
    const QStringList box = fieldsOf(raw, "BoxScores");
    ASSERT_EQ(box.size(), 26);
    EXPECT_EQ(box[0], "Team TEXT");
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(box[i], QStringLiteral("I%1 INTEGER").arg(i));
    EXPECT_EQ(box.mid(21), QStringList({"Runs INTEGER", "Hits INTEGER", "Errors INTEGER", "Host TEXT", "GameID TEXT"}));
    EXPECT_EQ(fieldsOf(raw, "WinLoss"), QStringList({"Team TEXT", "Win INTEGER", "Loss INTEGER"}));
    EXPECT_EQ(fieldsOf(raw, "Matchups"), QStringList({"Matchup TEXT", "Tally INTEGER"}));

    // Names compare, group and match without regard to case.
    raw.exec("INSERT INTO Batting (Batter, Team, GameID) VALUES ('Smith', 'Gulls', '030726140509')");
    raw.exec("INSERT INTO Batting (Batter, Team, GameID) VALUES ('smalls', 'GULLS', '030726140509')");
    raw.exec("INSERT INTO Matchups VALUES ('Gulls  vs  Comets', 1)");
    EXPECT_EQ(raw.column("SELECT Batter FROM Batting WHERE Batter = 'SMITH'"), QStringList({"Smith"}));
    EXPECT_EQ(raw.column("SELECT COUNT(*) FROM Batting GROUP BY Team"), QStringList({"2"}));
    EXPECT_EQ(raw.column("SELECT Batter FROM Batting WHERE Batter LIKE 'SM%' ORDER BY Batter"),
              QStringList({"smalls", "Smith"}));
    EXPECT_EQ(raw.column("SELECT Tally FROM Matchups WHERE Matchup = 'gulls  VS  comets'"), QStringList({"1"}));
}

TEST(Database, ExistingFileIsFoundInAnyCaseAndKeptWithItsRows)
{
    TempProgramFolder pf;
    const QString file = pf.file("zrq.MDB");
    {
        // Someone else's spelling of the field names, an extra field, rows.
        PeerConnection raw(file);
        raw.exec("CREATE TABLE batting (batter TEXT, k INTEGER, bb INTEGER, \"1b\" INTEGER, \"2b\" INTEGER, "
                 "\"3b\" INTEGER, hr INTEGER, sb INTEGER, rbi INTEGER, ab INTEGER, team TEXT, gameid TEXT, "
                 "notes TEXT)");
        raw.exec("INSERT INTO batting (batter, ab, team, gameid) VALUES ('Jones', 4, 'Otters', '010226100000')");
        raw.exec("INSERT INTO batting (batter, ab, team, gameid) VALUES ('Ruiz', 3, 'Otters', '010226100000')");
    }
    EXPECT_EQ(db::path(), file);
    {
        db::Connection conn;
        EXPECT_EQ(batterNames(conn), QStringList({"Jones", "Ruiz"}));
        EXPECT_EQ(conn.select("SELECT AB FROM Batting WHERE Batter = ?", {"Jones"}).rows.at(0).at(0), "4");
        EXPECT_EQ(countRows(conn, "Pitching"), 0);  // the missing tables were added
        EXPECT_EQ(countRows(conn, "Matchups"), 0);
    }
    EXPECT_FALSE(QFile::exists(pf.file("ZRQ.mdb")));

    // A complete file is opened, read and closed without a byte changing.
    const QByteArray before = fileBytes(file);
    {
        db::Connection conn;
        EXPECT_EQ(countRows(conn, "Batting"), 2);
    }
    EXPECT_EQ(fileBytes(file), before);
}

TEST(Database, FileThatIsNotADatabaseIsReportedAndLeftAlone)
{
    TempProgramFolder pf;
    WarningCatcher warnings;
    QByteArray jet(4096, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    for (const QByteArray& content : {jet, QByteArray("Batter,K,BB\nSmith,1,0\n")}) {
        const QString file = pf.write("ZRQ.mdb", content);
        const ProgramError e = failureOf([] { db::Connection conn; });
        EXPECT_EQ(e.number, 26);
        EXPECT_EQ(e.description, "file is not a database");
        EXPECT_EQ(fileBytes(file), content);
        EXPECT_EQ(QDir(pf.path()).entryList({"ZRQ*"}, QDir::Files), QStringList({"ZRQ.mdb"}));
    }
    EXPECT_FALSE(dbConnectionsLeft());
    EXPECT_TRUE(WarningCatcher::seen().filter("still in use").isEmpty());
}

TEST(Database, TableWithOtherFieldsIsReportedAndNothingIsCreated)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    {
        PeerConnection raw(file);
        raw.exec("CREATE TABLE Pitching (Pitcher TEXT, K INTEGER, BB INTEGER, H INTEGER, HR INTEGER, "
                 "Runs INTEGER, Team TEXT, GameID TEXT)");
        raw.exec("INSERT INTO Pitching (Pitcher, K) VALUES ('Lee', 7)");
    }
    const QByteArray before = fileBytes(file);
    const ProgramError e = failureOf([] { db::Connection conn; });
    EXPECT_EQ(e.number, 1);
    EXPECT_EQ(e.description, "table Pitching has no columns named Hits, IP");
    // Not even the four missing tables were added.
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_FALSE(dbConnectionsLeft());
}

TEST(Database, OtherObjectsInTheFileAreLeftAloneAndAViewCanStandForATable)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    {
        // Someone's own table and a view that stopped reading when its table
        // went; a view in place of the matchups with the fields they need.
        PeerConnection raw(file);
        raw.exec("CREATE TABLE Notes (Line TEXT)");
        raw.exec("CREATE TABLE Gone (x INTEGER)");
        raw.exec("CREATE VIEW Stale AS SELECT x FROM Gone");
        raw.exec("DROP TABLE Gone");
        raw.exec("CREATE TABLE Pairs (m TEXT, t INTEGER)");
        raw.exec("INSERT INTO Pairs VALUES ('A  vs  B', 2)");
        raw.exec("CREATE VIEW MATCHUPS AS SELECT m AS matchup, t AS TALLY FROM Pairs");
    }
    {
        db::Connection conn;
        EXPECT_EQ(conn.select("SELECT Matchup, Tally FROM Matchups").rows,
                  std::vector<QStringList>({{"A  vs  B", "2"}}));
        EXPECT_EQ(countRows(conn, "Batting"), 0);  // the missing tables were added
    }
    PeerConnection raw(file);
    EXPECT_EQ(raw.column("SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name"),
              QStringList({"MATCHUPS", "Stale"}));

    // The view lacking a field is reported under its own name.
    raw.exec("DROP VIEW MATCHUPS");
    raw.exec("CREATE VIEW matchups AS SELECT m AS Matchup FROM Pairs");
    const ProgramError e = failureOf([] { db::Connection conn; });
    EXPECT_EQ(e.number, 1);
    EXPECT_EQ(e.description, "table matchups has no column named Tally");
}

TEST(Database, DatabaseThatCannotBeWrittenIsReportedAndLeftAlone)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    const QString partial = pf.file("other/ZRQ.mdb");
    { db::Connection conn; conn.insert("Batting", {{"Batter", "Jones"}, {"Team", "Otters"}, {"GameID", "1"}}); }
    QDir().mkpath(pf.file("other"));
    { PeerConnection raw(partial); raw.exec("CREATE TABLE WinLoss (Team TEXT, Win INTEGER, Loss INTEGER)"); }

    // Root writes through file modes; the immutable attribute stops it.
    bool immutable = false;
    for (const QString& f : {file, partial}) {
        QFile::setPermissions(f, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (geteuid() == 0)
            immutable = QProcess::execute("chattr", {"+i", f}) == 0;
    }
    struct Restore {
        QStringList files;
        bool immutable;
        ~Restore()
        {
            for (const QString& f : files) {
                if (immutable)
                    QProcess::execute("chattr", {"-i", f});
                QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner);
            }
        }
    } restore{{file, partial}, immutable};
    if (QFile(file).open(QIODevice::ReadWrite))
        GTEST_SKIP() << "cannot make a file read-only here";

    const QByteArray before = fileBytes(file);
    {
        db::Connection conn;  // complete: reading works
        EXPECT_EQ(batterNames(conn), QStringList({"Jones"}));
        const ProgramError e = failureOf([&] {
            conn.transaction([&] { conn.insert("Batting", {{"Batter", "Ruiz"}}); });
        });
        EXPECT_EQ(e.number, 8);
        EXPECT_EQ(e.description, "attempt to write a readonly database");
        EXPECT_EQ(batterNames(conn), QStringList({"Jones"}));
    }
    EXPECT_EQ(fileBytes(file), before);

    // Tables missing from a file that cannot be written: reported, untouched.
    const QByteArray partialBefore = fileBytes(partial);
    folder::setProgramFolder(pf.file("other"));
    const ProgramError e = failureOf([] { db::Connection conn; });
    EXPECT_EQ(e.number, 8);
    EXPECT_EQ(fileBytes(partial), partialBefore);
    folder::setProgramFolder(pf.path());
}

TEST(Database, LockedDatabaseIsReportedWithoutHanging)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    { db::Connection conn; conn.insert("Matchups", {{"Matchup", "A  vs  B"}, {"Tally", 1}}); }
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(100);

    PeerConnection holder(file);
    {
        // Another program writing: not even a read gets through.
        holder.exec("BEGIN EXCLUSIVE");
        const QByteArray before = fileBytes(file);
        const ProgramError e = failureOf([] { db::Connection conn; });
        EXPECT_EQ(e.number, 5);
        EXPECT_EQ(e.description, "database is locked");
        EXPECT_EQ(fileBytes(file), before);
        holder.exec("ROLLBACK");
    }
    {
        // Another program about to write: readers go on, a save is refused whole.
        holder.exec("BEGIN IMMEDIATE");
        db::Connection conn;
        EXPECT_EQ(countRows(conn, "Matchups"), 1);
        const ProgramError e = failureOf([&] {
            conn.transaction([&] { conn.insert("Matchups", {{"Matchup", "C  vs  D"}, {"Tally", 1}}); });
        });
        EXPECT_EQ(e.number, 5);
        holder.exec("ROLLBACK");
        // Once the lock is gone the same connection saves.
        conn.transaction([&] { conn.insert("Matchups", {{"Matchup", "C  vs  D"}, {"Tally", 1}}); });
        EXPECT_EQ(countRows(conn, "Matchups"), 2);
    }
    db::setBusyTimeout(savedTimeout);
}

TEST(Database, GameIdIndexIsMadeWithTheTablesAndAddedToAnOldFileThatCanTakeIt)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    const QString indexed = "SELECT tbl_name FROM sqlite_master WHERE type = 'index' AND sql LIKE '%(GameID)' "
                            "ORDER BY tbl_name";
    const QStringList gameTables{"Batting", "BoxScores", "Pitching"};
    { db::Connection conn; conn.insert("Batting", {{"Batter", "Jones"}, {"Team", "Otters"}, {"GameID", "7"}}); }
    {
        PeerConnection raw(file);
        EXPECT_EQ(raw.column(indexed), gameTables);
        // As a file saved before the index came.
        for (const QString& t : gameTables)
            raw.exec("DROP INDEX " + t + "ByGame");
    }
    const auto setWriteVersion = [&](char version) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(18);  // the header's write version: above 2, SQLite reads the file and writes nothing
        f.write(&version, 1);
    };

    // Read only: opened and read as before, not a byte changed.
    setWriteVersion(3);
    QByteArray before = fileBytes(file);
    {
        db::Connection conn;
        EXPECT_EQ(batterNames(conn), QStringList({"Jones"}));
    }
    EXPECT_EQ(fileBytes(file), before);
    setWriteVersion(1);

    // Another program about to write: opened at once without the index.
    const int savedTimeout = db::busyTimeout();
    db::setBusyTimeout(60000);
    {
        PeerConnection holder(file);
        holder.exec("BEGIN IMMEDIATE");
        before = fileBytes(file);
        {
            db::Connection conn;
            EXPECT_EQ(batterNames(conn), QStringList({"Jones"}));
        }
        EXPECT_EQ(fileBytes(file), before);
        holder.exec("ROLLBACK");
    }
    db::setBusyTimeout(savedTimeout);

    // A name the index cannot take: the other two are added, the rows kept,
    // and a game's rows are found through the index.
    { PeerConnection raw(file); raw.exec("CREATE TABLE PitchingByGame (x TEXT)"); }
    {
        db::Connection conn;
        EXPECT_EQ(batterNames(conn), QStringList({"Jones"}));
        const db::Rows plan = conn.select("EXPLAIN QUERY PLAN SELECT Batter FROM Batting WHERE GameID = ?", {"7"});
        EXPECT_TRUE(plan.rows.at(0).at(3).contains("USING INDEX BattingByGame")) << plan.rows.at(0).at(3).toStdString();
    }
    PeerConnection raw(file);
    EXPECT_EQ(raw.column(indexed), QStringList({"Batting", "BoxScores"}));
}

TEST(Database, TransactionStoresAllRowsOrNone)
{
    TempProgramFolder pf;
    db::Connection conn;

    // A failure of our own inside the work: rethrown as it was, nothing kept.
    ProgramError e = failureOf([&] {
        conn.transaction([&] {
            conn.insert("Batting", {{"Batter", "Jones"}, {"GameID", "1"}});
            conn.insert("Pitching", {{"Pitcher", "Lee"}, {"GameID", "1"}});
            errors::raise(errors::TypeMismatch);
        });
    });
    EXPECT_EQ(e.number, 13);
    EXPECT_EQ(countRows(conn, "Batting"), 0);
    EXPECT_EQ(countRows(conn, "Pitching"), 0);

    // A failure of SQLite part-way: its code and text, nothing kept.
    e = failureOf([&] {
        conn.transaction([&] {
            conn.insert("Batting", {{"Batter", "Jones"}, {"GameID", "1"}});
            conn.insert("Batting", {{"Batter", "Ruiz"}, {"Bogus", 3}});
        });
    });
    EXPECT_EQ(e.number, 1);
    EXPECT_EQ(e.description, "table Batting has no column named Bogus");
    EXPECT_EQ(countRows(conn, "Batting"), 0);

    // The connection is out of the failed transaction and commits the next.
    conn.transaction([&] {
        conn.insert("Batting", {{"Batter", "Jones"}, {"GameID", "2"}});
        conn.insert("Batting", {{"Batter", "Ruiz"}, {"GameID", "2"}});
    });
    db::Connection reader;
    EXPECT_EQ(batterNames(reader), QStringList({"Jones", "Ruiz"}));
    conn.transaction([&] { conn.exec("DELETE FROM Batting WHERE Batter = ?", {"JONES"}); });
    EXPECT_EQ(batterNames(reader), QStringList({"Ruiz"}));
}

TEST(Database, CellsBindAsTypedValuesOrNull)
{
    TempProgramFolder pf;
    db::Connection conn;

    for (const char* good : {"", "  ", " 12 ", "4.0"})
        EXPECT_TRUE(db::isCount(good)) << good;
    for (const char* bad : {"3.5", "1e3", "abc", "3 4"})
        EXPECT_FALSE(db::isCount(bad)) << bad;
    EXPECT_EQ(db::inningsValue(".0001"), QVariant(0.0001));
    EXPECT_EQ(failureOf([] { db::inningsValue("5,67"); }).number, 13);
    EXPECT_EQ(failureOf([] { db::countValue("x"); }).number, 13);
    EXPECT_EQ(failureOf([] { db::inningsValue("x"); }).number, 13);

    const QVariant emptyCount = db::countValue("");
    EXPECT_TRUE(emptyCount.isNull());
    EXPECT_EQ(emptyCount.typeId(), QMetaType::LongLong);
    EXPECT_EQ(db::inningsValue(" ").typeId(), QMetaType::Double);

    conn.transaction([&] {
        conn.insert("Batting", {{"Batter", "Jones"}, {"K", db::countValue("")}, {"BB", db::countValue(" 3 ")},
                                {"AB", db::countValue("4.0")}, {"Team", "Otters"}, {"GameID", "030726140509"}});
        for (const char* ip : {".0001", "6", "5.67", "0.00", ""})
            conn.insert("Pitching", {{"Pitcher", ip}, {"IP", db::inningsValue(ip)}});
    });
    EXPECT_EQ(conn.select("SELECT typeof(K), K, typeof(BB), BB, typeof(AB), AB, typeof(HR) FROM Batting").rows.at(0),
              QStringList({"null", "", "integer", "3", "integer", "4", "null"}));
    std::vector<QStringList> pitching = conn.select("SELECT typeof(IP), IP FROM Pitching ORDER BY rowid").rows;
    ASSERT_EQ(pitching.size(), 5u);
    EXPECT_EQ(pitching[0], QStringList({"real", "0.0001"}));
    EXPECT_EQ(pitching[1], QStringList({"real", "6"}));
    EXPECT_EQ(pitching[2], QStringList({"real", "5.67"}));
    EXPECT_EQ(pitching[3], QStringList({"real", "0"}));
    EXPECT_EQ(pitching[4], QStringList({"null", ""}));
    // A sum skips the NULL and stays a plain decimal.
    EXPECT_EQ(conn.select("SELECT SUM(IP) FROM Pitching WHERE IP < 1").rows.at(0).at(0), "0.0001");

    // User text is a value, never SQL; LIKE wildcards still work in a filter.
    const QString odd = "O'Neil'); DROP TABLE Batting;--";
    conn.transaction([&] { conn.insert("Batting", {{"Batter", odd}, {"Team", "Otters"}}); });
    EXPECT_EQ(batterNames(conn), QStringList({"Jones", odd}));
    auto like = [&](const QString& filter) {
        QStringList names;
        for (const QStringList& r : conn.select("SELECT Batter FROM Batting WHERE Batter LIKE ? ORDER BY rowid",
                                                {filter + "%"}).rows)
            names << r.at(0);
        return names;
    };
    EXPECT_EQ(like("o'n"), QStringList({odd}));
    EXPECT_EQ(like("%"), QStringList({"Jones", odd}));
    EXPECT_EQ(like("_o"), QStringList({"Jones"}));
}

TEST(Database, ValuesReadAsPlainTexts)
{
    EXPECT_EQ(db::numberText(5.67 + 2.66), "8.33");
    EXPECT_EQ(db::numberText(0.0000001), "0.0000001");
    EXPECT_EQ(db::numberText(-0.5), "-0.5");
    EXPECT_EQ(db::numberText(90000.0), "90000");
    EXPECT_EQ(db::displayText(QVariant(qlonglong(1234))), "1234");

    TempProgramFolder pf;
    db::Connection conn;
    const db::Rows r = conn.select("SELECT 7 / 2 AS whole, 7 * 1.0 / 2 AS rate, 1 / 0 AS none, 'x' AS t, 1e-4",
                                   {}, db::FixedColumn::Leading);
    EXPECT_EQ(r.columns, QStringList({"whole", "rate", "none", "t", "1e-4"}));
    EXPECT_EQ(r.rows.at(0), QStringList({"", "3", "3.5", "", "x", "0.0001"}));
}

TEST(Database, ConnectionsCloseCleanly)
{
    TempProgramFolder pf;
    WarningCatcher warnings;
    {
        db::Connection writer;
        writer.transaction([&] { writer.insert("WinLoss", {{"Team", "Gulls"}, {"Win", 1}}); });
        db::Connection reader;
        QSqlQuery open = reader.exec("SELECT * FROM WinLoss");  // left unread
        db::Connection another;
        EXPECT_EQ(countRows(another, "WinLoss"), 1);
    }
    EXPECT_FALSE(dbConnectionsLeft());
    EXPECT_TRUE(WarningCatcher::seen().filter("still in use").isEmpty()) << WarningCatcher::seen().join('\n').toStdString();
    EXPECT_TRUE(WarningCatcher::seen().filter("duplicate connection").isEmpty());
}

TEST(Database, HundredThousandRowsReadInOneSelect)
{
    TempProgramFolder pf;
    db::Connection conn;
    ASSERT_TRUE(browser_test::addNumberedBattingRows(conn, 100000));
    // How long this takes is measured by bench_grid_select.
    const db::Rows r = conn.select("SELECT * FROM Batting", {}, db::FixedColumn::Leading);
    ASSERT_EQ(r.rows.size(), 100000u);
    EXPECT_EQ(r.rows[7], QStringList({"", "Player 7", "2", "3", "4", "", "1", "2", "3", "4", "0", "Team 7",
                                      "030726140507"}));
}

TEST(Database, AFileCheckedOnceIsCheckedAgainWhenItsTablesOrTheFileChange)
{
    TempProgramFolder pf;
    const QString file = pf.file("ZRQ.mdb");
    { db::Connection created; }
    { db::Connection again; }  // the same file, unchanged: opens as before

    // Another program replaces a table with one that lacks fields.
    {
        PeerConnection raw(file);
        raw.exec("DROP TABLE Pitching");
        raw.exec("CREATE TABLE Pitching (Pitcher TEXT, K INTEGER, BB INTEGER, H INTEGER, HR INTEGER, "
                 "Runs INTEGER, Team TEXT, GameID TEXT)");
    }
    EXPECT_EQ(failureOf([] { db::Connection conn; }).description, "table Pitching has no columns named Hits, IP");

    // Another file put in its place, its tables made as the program makes
    // them but without one field.
    ASSERT_TRUE(QFile::remove(file));
    { db::Connection fresh; }
    {
        PeerConnection raw(file);
        raw.exec("DROP TABLE WinLoss");
        raw.exec("CREATE TABLE WinLoss (Team TEXT, Win INTEGER)");
    }
    EXPECT_EQ(failureOf([] { db::Connection conn; }).description, "table WinLoss has no column named Loss");
    EXPECT_FALSE(dbConnectionsLeft());
}
