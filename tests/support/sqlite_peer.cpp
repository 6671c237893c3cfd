#include "support/sqlite_peer.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

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
