// The user's program folder filled from the shipped folder at start: copied
// once, updated only where the user left the shipped bytes alone, and an
// earlier version's database taken over by copy.
#include "common/program_folder.h"
#include "platform/database.h"
#include "support/program_error_expect.h"
#include "support/program_folder_fixture.h"
#include "support/sqlite_peer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Every file under a folder with its checksum, to see that nothing changed.
std::map<QString, QByteArray> treeOf(const QString& root)
{
    std::map<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        tree[QDir(root).relativeFilePath(p)] =
            it.fileInfo().isDir() ? QByteArray("dir") : QCryptographicHash::hash(bytesOf(p), QCryptographicHash::Sha256);
    }
    return tree;
}

}  // namespace

TEST(ProgramFolderStart, FirstStartSeedsAnEmptyFolderFromTheShippedOneAndLeavesThatAlone)
{
    TempProgramFolder pf;
    QTemporaryDir home;
    const QString program = home.path() + "/data/Scorvana/Benchdeck";
    folder::setProgramFolder(program);
    QFile::setPermissions(pf.shipped() + "/Teams/River Bend Otters.txt", QFile::ReadOwner | QFile::ReadGroup);
    const auto shippedBefore = treeOf(pf.shipped());

    EXPECT_EQ(folder::prepare(QString()), QString());
    for (const auto& [relative, sum] : shippedBefore) {
        if (relative == folder::shippedSumsName)
            EXPECT_FALSE(QFileInfo::exists(program + '/' + relative));  // the build's, not the user's
        else if (sum == "dir")
            EXPECT_TRUE(QFileInfo(program + '/' + relative).isDir()) << relative.toStdString();
        else
            EXPECT_EQ(bytesOf(program + '/' + relative), bytesOf(pf.shipped() + '/' + relative)) << relative.toStdString();
    }
    EXPECT_TRUE(QFileInfo(program + "/Game Rpts").isDir());
    // The copy is the user's to change, whatever the shipped file's mode.
    EXPECT_TRUE(QFileInfo(program + "/Teams/River Bend Otters.txt").permissions() & QFile::WriteOwner);
    EXPECT_EQ(treeOf(pf.shipped()), shippedBefore);
    // Lookups, the dialogs' start folders and the database are the user's.
    EXPECT_EQ(folder::resolve("teams"), program + "/Teams");
    EXPECT_EQ(db::path(), program + "/ZRQ.mdb");
    { db::Connection c; }
    EXPECT_TRUE(QFileInfo(program + "/ZRQ.mdb").isFile());
    EXPECT_FALSE(QFileInfo::exists(pf.shipped() + "/ZRQ.mdb"));
}

TEST(ProgramFolderStart, LaterStartKeepsTheUsersFilesAndUpdatesOnlyUnchangedShippedOnes)
{
    TempProgramFolder pf;  // its program folder was filled as at a first start
    const QString team = "Teams/River Bend Otters.txt", otherTeam = "Teams/Harbor City Gulls.txt";
    const QByteArray usersTeam = bytesOf(pf.file(team)) + "Pat Ruiz=SS\n";
    writeBytes(pf.file(team), usersTeam);
    writeBytes(pf.file("Charts/Chart01.jpg"), "the user's own chart");
    writeBytes(pf.file("Teams/My Nine.txt"), "Lee=C\n");
    QFile::remove(pf.file("Charts/Chart03.jpg"));
    // A copy cut short by an earlier start that did not finish.
    QFile::remove(pf.file("Charts/Chart04.jpg"));
    writeBytes(pf.file("Charts/.Chart04.jpg.part"), "trunc");
    // A user who renamed a folder in another case keeps one folder.
    ASSERT_TRUE(QDir().rename(pf.file("Logos"), pf.file("logos")));

    // A newer version ships.
    for (const QString& changed : {team, otherTeam, QString("Charts/Chart01.jpg"), QString("Charts/Chart02.jpg")})
        writeBytes(pf.shipped() + '/' + changed, "newer " + changed.toUtf8());
    pf.writeShippedSums();

    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(bytesOf(pf.file(team)), usersTeam);
    EXPECT_EQ(bytesOf(pf.file("Charts/Chart01.jpg")), "the user's own chart");
    EXPECT_EQ(bytesOf(pf.file("Teams/My Nine.txt")), "Lee=C\n");
    EXPECT_EQ(bytesOf(pf.file(otherTeam)), "newer " + otherTeam.toUtf8());
    EXPECT_EQ(bytesOf(pf.file("Charts/Chart02.jpg")), "newer Charts/Chart02.jpg");
    EXPECT_EQ(bytesOf(pf.file("Charts/Chart03.jpg")), bytesOf(pf.shipped() + "/Charts/Chart03.jpg"));
    EXPECT_EQ(bytesOf(pf.file("Charts/Chart04.jpg")), bytesOf(pf.shipped() + "/Charts/Chart04.jpg"));
    EXPECT_FALSE(QFileInfo::exists(pf.file("Charts/.Chart04.jpg.part")));
    EXPECT_FALSE(QFileInfo::exists(pf.file("Logos")));
    EXPECT_EQ(bytesOf(pf.file("logos/VisLogo.jpg")), bytesOf(pf.shipped() + "/Logos/VisLogo.jpg"));

    // Once the user's, always the user's: a still newer version passes it by.
    writeBytes(pf.shipped() + "/Charts/Chart01.jpg", "newest");
    pf.writeShippedSums();
    const auto before = treeOf(pf.path());
    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(bytesOf(pf.file("Charts/Chart01.jpg")), "the user's own chart");
    EXPECT_EQ(treeOf(pf.path()), before);
}

TEST(ProgramFolderStart, AnEarlierVersionsDatabaseAndReportsAreCopiedAndLeftInPlace)
{
    TempProgramFolder pf;
    QTemporaryDir former;
    writeBytes(former.path() + "/ZRQ.mdb", "an earlier league");
    writeBytes(former.path() + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx", "an old report");
    QTemporaryDir home;
    const QString program = home.path() + "/Benchdeck";
    folder::setProgramFolder(program);

    EXPECT_EQ(folder::prepare(former.path()), QString());
    EXPECT_EQ(bytesOf(program + "/ZRQ.mdb"), "an earlier league");
    EXPECT_EQ(bytesOf(program + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx"), "an old report");
    EXPECT_EQ(bytesOf(former.path() + "/ZRQ.mdb"), "an earlier league");
    EXPECT_EQ(bytesOf(former.path() + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx"), "an old report");

    // Once the program folder holds a database, the old one is never copied again.
    writeBytes(program + "/ZRQ.mdb", "this season");
    writeBytes(former.path() + "/ZRQ.mdb", "changed by the old version");
    EXPECT_EQ(folder::prepare(former.path()), QString());
    EXPECT_EQ(bytesOf(program + "/ZRQ.mdb"), "this season");
}

namespace {

int modeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// An earlier version's folder: a database of `games` games and a workbook.
void makeFormerFolder(const QString& dir, int games)
{
    PeerConnection p(dir + "/ZRQ.mdb");
    p.exec("PRAGMA journal_mode=DELETE");
    p.exec("CREATE TABLE Games (GameID TEXT, Notes TEXT)");
    p.exec(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                   "INSERT INTO Games SELECT 'G' || i, hex(randomblob(150)) FROM n")
               .arg(games));
    p.close();
    writeBytes(dir + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx", "an old report");
}

QStringList gamesIn(const QString& database)
{
    PeerConnection p(database);
    return p.column("SELECT GameID || Notes FROM Games ORDER BY rowid");
}

// The database file and its journal as a write cut short in the middle of
// changing every game leaves them (the file already holds changed pages).
std::pair<QByteArray, QByteArray> cutShort(const QString& database)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath("ZRQ.mdb");
    EXPECT_TRUE(QFile::copy(database, copy));
    PeerConnection p(copy);
    for (const char* setting : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=OFF", "PRAGMA cache_size=2", "BEGIN",
                                "UPDATE Games SET Notes = hex(randomblob(150))"})
        p.exec(setting);
    std::pair<QByteArray, QByteArray> files{bytesOf(copy), bytesOf(copy + "-journal")};
    p.exec("ROLLBACK");
    return files;
}

}  // namespace

// Two starts at once on one empty folder (a double-click does it), and one of
// two killed at a random moment and the program started again: every start
// that ends says nothing failed, and the folder holds every file whole.
TEST(ProgramFolderStart, TwoStartsAtOnceFillOneEmptyFolderWholeAndAKilledOneLosesNothing)
{
    TempProgramFolder pf;
    QTemporaryDir former, homes;
    makeFormerFolder(former.path(), 2000);
    const auto shipped = treeOf(pf.shipped());
    const auto shippedFiles = std::count_if(shipped.begin(), shipped.end(), [](const auto& entry) {
        return entry.second != "dir" && entry.first != folder::shippedSumsName;
    });
    const auto start = [&](QProcess& p, const QString& program) {
        p.start(BENCHDECK_START_PROBE, {pf.shipped(), program, former.path()});
    };
    const auto said = [](QProcess& p) {
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    };
    constexpr int Rounds = 12;
    for (int round = 0; round < Rounds; ++round) {
        const bool killOne = round % 2 == 1;
        const QString program = homes.filePath(QString("round%1/Benchdeck").arg(round));
        QProcess first, second;
        start(first, program);
        start(second, program);
        if (killOne) {
            QThread::msleep(QRandomGenerator::global()->bounded(60));
            first.kill();
            first.waitForFinished(30000);
        } else {
            said(first);
        }
        said(second);
        if (killOne) {
            QProcess again;
            start(again, program);
            said(again);
        }
        for (const auto& [relative, sum] : shipped) {
            if (sum == "dir" || relative == folder::shippedSumsName)
                continue;
            EXPECT_EQ(bytesOf(program + '/' + relative), bytesOf(pf.shipped() + '/' + relative))
                << "round " << round << ": " << relative.toStdString();
        }
        EXPECT_EQ(bytesOf(program + "/ZRQ.mdb"), bytesOf(former.path() + "/ZRQ.mdb")) << round;
        EXPECT_EQ(bytesOf(program + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx"), "an old report") << round;
        QDirIterator left(program, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (left.hasNext()) {
            const QString f = left.next();
            EXPECT_FALSE(f.endsWith(".part")) << "round " << round << ": " << f.toStdString();
            EXPECT_TRUE(left.fileInfo().size() > 0 || f.endsWith("/.start-lock")) << f.toStdString();
        }
        EXPECT_EQ(bytesOf(program + "/.shipped-files").count('\n'), shippedFiles) << round;
    }
}

// The old database is what holds the user's games: copied whatever became of
// the workbooks beside it, and never hidden by an empty one made meanwhile.
TEST(ProgramFolderStart, AnOldDatabaseIsCopiedWhateverBecameOfItsWorkbooksAndNoEmptyOneHidesIt)
{
    TempProgramFolder pf;
    QTemporaryDir former, home;
    makeFormerFolder(former.path(), 50);
    const QString unreadable = former.path() + "/Game Rpts/Season 1/ZRQ_MSAccess_020304050607.xlsx";
    writeBytes(unreadable, "a report in a folder of its own");
    const QString program = home.path() + "/Benchdeck";
    folder::setProgramFolder(program);
    writeBytes(program + "/Game Rpts/Season 1", "a file where that folder goes");

    EXPECT_EQ(folder::prepare(former.path()), unreadable);  // named in the start's box
    EXPECT_EQ(bytesOf(program + "/ZRQ.mdb"), bytesOf(former.path() + "/ZRQ.mdb"));
    EXPECT_EQ(bytesOf(program + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx"), "an old report");

    // A start while another one fills the folder goes on with what is there;
    // a save or the browser then makes no empty database in its place.
    QTemporaryDir second;
    folder::setProgramFolder(second.path());
    {
        QFile lock(second.filePath(".start-lock"));
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        ASSERT_EQ(::flock(lock.handle(), LOCK_EX), 0);
        EXPECT_EQ(folder::prepare(former.path()), QString());
        const ProgramError e = failureOf([] { db::Connection c; });
        EXPECT_EQ(e.number, 75);
        EXPECT_TRUE(e.description.contains(former.path() + "/ZRQ.mdb")) << e.description.toStdString();
        EXPECT_FALSE(QFileInfo::exists(second.filePath("ZRQ.mdb")));
    }
    EXPECT_EQ(folder::prepare(former.path()), QString());
    EXPECT_EQ(gamesIn(second.filePath("ZRQ.mdb")), gamesIn(former.path() + "/ZRQ.mdb"));
    { db::Connection c; }
}

// A journal an interrupted start left in the program folder belongs to no
// database there: replayed over a fresh copy of a changed old database it
// would corrupt it. A journal of the old database itself travels with it.
TEST(ProgramFolderStart, AStaleJournalIsNeverReplayedOverAFreshCopyAndALiveOneTravelsWithItsDatabase)
{
    TempProgramFolder pf;
    QTemporaryDir former, home, crashed, home2;
    makeFormerFolder(former.path(), 400);
    const QByteArray stale = cutShort(former.path() + "/ZRQ.mdb").second;
    {
        PeerConnection p(former.path() + "/ZRQ.mdb");
        p.exec("DELETE FROM Games WHERE rowid % 3 = 0");
        p.exec("VACUUM");
    }
    const QStringList games = gamesIn(former.path() + "/ZRQ.mdb");
    folder::setProgramFolder(home.path());
    writeBytes(home.filePath("ZRQ.mdb-journal"), stale);
    writeBytes(home.filePath("ZRQ.mdb-wal"), "left over");
    writeBytes(home.filePath("ZRQ.mdb-shm"), "left over");
    EXPECT_EQ(folder::prepare(former.path()), QString());
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        EXPECT_FALSE(QFileInfo::exists(home.filePath(QString("ZRQ.mdb") + suffix))) << suffix;
    {
        PeerConnection copy(home.filePath("ZRQ.mdb"));
        EXPECT_EQ(copy.column("PRAGMA integrity_check"), QStringList{"ok"});
    }
    EXPECT_EQ(gamesIn(home.filePath("ZRQ.mdb")), games);

    // An old database cut short in a write: the copy rolls back as the old
    // file would.
    const auto [file, journal] = cutShort(former.path() + "/ZRQ.mdb");
    writeBytes(crashed.filePath("ZRQ.mdb"), file);
    writeBytes(crashed.filePath("ZRQ.mdb-journal"), journal);
    folder::setProgramFolder(home2.path());
    EXPECT_EQ(folder::prepare(crashed.path()), QString());
    {
        PeerConnection copy(home2.filePath("ZRQ.mdb"));
        EXPECT_EQ(copy.column("PRAGMA integrity_check"), QStringList{"ok"});
    }
    EXPECT_EQ(gamesIn(home2.filePath("ZRQ.mdb")), games);
}

// Links planted in the program folder (the start may run as root with a
// user's data folder): nothing is written or given a mode through one.
TEST(ProgramFolderStart, NothingIsWrittenThroughALinkPlantedInTheFolder)
{
    TempProgramFolder pf;
    QTemporaryDir home, outside;
    const QString program = home.path() + "/Benchdeck";
    QDir().mkpath(program);
    const QString rootsFile = outside.filePath("roots"), usersFile = outside.filePath("users");
    writeBytes(rootsFile, "root only");
    writeBytes(usersFile, "the user's own");
    QFile::setPermissions(rootsFile, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(usersFile, QFile::ReadOwner | QFile::WriteOwner);
    QDir().mkpath(outside.filePath("dice"));
    ASSERT_TRUE(QFile::link(rootsFile, program + "/.shipped-files"));
    ASSERT_TRUE(QFile::link(usersFile, program + "/.HELP.htm.part"));
    ASSERT_TRUE(QFile::link(usersFile, program + "/.start-lock"));
    ASSERT_TRUE(QFile::link(outside.filePath("dice"), program + "/Dice"));
    const auto outsideBefore = treeOf(outside.path());
    folder::setProgramFolder(program);

    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(treeOf(outside.path()), outsideBefore);
    EXPECT_EQ(modeOf(rootsFile), 0600);
    EXPECT_EQ(modeOf(usersFile), 0600);
    EXPECT_EQ(bytesOf(program + "/HELP.htm"), bytesOf(pf.shipped() + "/HELP.htm"));
    EXPECT_FALSE(QFileInfo(program + "/.shipped-files").isSymLink());
    EXPECT_TRUE(QFileInfo(program + "/Dice").isSymLink());  // the user's link, left alone
}

// A migrated file keeps its source's mode (a private database stays
// private); a shipped copy is made as any new file, with the umask's mode.
TEST(ProgramFolderStart, AMigratedFileKeepsItsModeAndAShippedCopyTakesTheUmask)
{
    TempProgramFolder pf;
    QTemporaryDir former, home;
    makeFormerFolder(former.path(), 5);
    ::chmod(QFile::encodeName(former.path() + "/ZRQ.mdb").constData(), 0600);
    ::chmod(QFile::encodeName(former.path() + "/Game Rpts/ZRQ_MSAccess_010203040506.xlsx").constData(), 0604);
    ::chmod(QFile::encodeName(pf.shipped() + "/HELP.htm").constData(), 0444);
    folder::setProgramFolder(home.path() + "/Benchdeck");
    const mode_t before = ::umask(027);
    const QString failed = folder::prepare(former.path());
    ::umask(before);
    EXPECT_EQ(failed, QString());
    EXPECT_EQ(modeOf(home.path() + "/Benchdeck/ZRQ.mdb"), 0600);
    EXPECT_EQ(modeOf(home.path() + "/Benchdeck/Game Rpts/ZRQ_MSAccess_010203040506.xlsx"), 0604);
    EXPECT_EQ(modeOf(home.path() + "/Benchdeck/HELP.htm"), 0640);
    EXPECT_EQ(modeOf(home.path() + "/Benchdeck/Teams/River Bend Otters.txt"), 0640);
}

// The record of copies keeps one line per shipped file: lines of files no
// longer shipped and lines of no known form go, and a start with nothing to
// change leaves it alone, even with a shipped name that spans two lines.
TEST(ProgramFolderStart, TheRecordKeepsOneLinePerShippedFileAndIsNotRewrittenForNothing)
{
    TempProgramFolder pf;
    const QString record = pf.file(".shipped-files");
    const QByteArray kept = bytesOf(record);
    QByteArray junk = kept;
    for (int i = 0; i < 3000; ++i)
        junk += QCryptographicHash::hash(QByteArray::number(i), QCryptographicHash::Sha256).toHex()
            + " Charts/Gone " + QByteArray::number(i) + ".jpg\n";
    junk += "not a line of the record\nabc HELP.htm\n" + kept.left(kept.indexOf('\n') + 1);
    writeBytes(record, junk);
    writeBytes(pf.shipped() + "/Teams/Two\nLines.txt", "Lee=C\n");
    pf.writeShippedSums();

    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(bytesOf(record), kept);
    EXPECT_EQ(bytesOf(pf.file("Teams/Two\nLines.txt")), "Lee=C\n");
    struct stat first {}, second {};
    ASSERT_EQ(::stat(QFile::encodeName(record).constData(), &first), 0);
    EXPECT_EQ(folder::prepare(QString()), QString());
    ASSERT_EQ(::stat(QFile::encodeName(record).constData(), &second), 0);
    EXPECT_EQ(first.st_ino, second.st_ino);
}

// The build writes the shipped files' sums beside them: a start whose copies
// are current takes those and reads no shipped file, and a new build's sums
// still bring a copy the user never changed up to date, never one they did.
TEST(ProgramFolderStart, AStartWithCurrentCopiesTakesTheBuildsSumsAndANewBuildStillUpdatesOnlyUnchangedCopies)
{
    TempProgramFolder pf;
    const QString team = "Teams/Harbor City Gulls.txt", usersTeam = "Teams/River Bend Otters.txt";
    writeBytes(pf.file(usersTeam), "the user's own team\n");
    writeBytes(pf.shipped() + '/' + team, "changed behind the build's sums");
    const auto before = treeOf(pf.path());
    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(treeOf(pf.path()), before);

    writeBytes(pf.shipped() + '/' + usersTeam, "newer otters\n");
    pf.writeShippedSums();
    EXPECT_EQ(folder::prepare(QString()), QString());
    EXPECT_EQ(bytesOf(pf.file(team)), "changed behind the build's sums");
    EXPECT_EQ(bytesOf(pf.file(usersTeam)), "the user's own team\n");
}
