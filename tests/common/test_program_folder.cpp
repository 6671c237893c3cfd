// The user's program folder filled from the shipped folder at start: copied
// once, updated only where the user left the shipped bytes alone, and an
// earlier version's database taken over by copy.
#include "common/program_folder.h"
#include "platform/database.h"
#include "support/program_folder_fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

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
        if (sum == "dir")
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
