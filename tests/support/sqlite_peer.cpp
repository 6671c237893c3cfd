#include "support/sqlite_peer.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <sqlite3.h>

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

PeerConnection::PeerConnection(const QString& path)
{
    static int serial = 0;
    name_ = QStringLiteral("peer_%1").arg(++serial);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
    EXPECT_TRUE(db_.open());
}

PeerConnection::~PeerConnection()
{
    close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void PeerConnection::close()
{
    if (db_.isOpen())
        db_.close();
}

void PeerConnection::exec(const QString& sql)
{
    QSqlQuery q(db_);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

QStringList PeerConnection::column(const QString& sql)
{
    QSqlQuery q(db_);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

namespace {

// The process's default file layer, wrapped so that a database file's lock
// requests pass through a counter on their way to it.
sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs countingVfs;
const sqlite3_io_methods* realFileMethods = nullptr;
sqlite3_io_methods countingFileMethods;
std::atomic<int> refusals{0};
std::mutex wrapping;

int countedLock(sqlite3_file* file, int level)
{
    const int rc = realFileMethods->xLock(file, level);
    if (rc == SQLITE_BUSY)
        ++refusals;
    return rc;
}

int countingOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    const int rc = realVfs->xOpen(realVfs, name, file, flags, outFlags);
    if (rc != SQLITE_OK || !(flags & SQLITE_OPEN_MAIN_DB) || !file->pMethods)
        return rc;
    const std::lock_guard<std::mutex> hold(wrapping);
    if (!realFileMethods) {
        realFileMethods = file->pMethods;
        countingFileMethods = *realFileMethods;
        countingFileMethods.xLock = countedLock;
    }
    // A file layer of another kind is left alone: its refusals then go
    // uncounted, which a test sees as too few.
    if (file->pMethods == realFileMethods)
        file->pMethods = &countingFileMethods;
    return rc;
}

}  // namespace

int lockRefusalsSoFar()
{
    static const bool installed = [] {
        realVfs = sqlite3_vfs_find(nullptr);
        countingVfs = *realVfs;
        countingVfs.zName = "counting-locks";
        countingVfs.pNext = nullptr;
        countingVfs.xOpen = countingOpen;
        return sqlite3_vfs_register(&countingVfs, 1) == SQLITE_OK;
    }();
    EXPECT_TRUE(installed);
    return refusals.load();
}
