#pragma once
// Another program's view of a database file: a connection of its own beside
// the program's, to set a file up, hold a lock on it or inspect it, and the
// file's bytes to show that a refused operation left it as it was.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

QByteArray fileBytes(const QString& path);

class PeerConnection {
public:
    explicit PeerConnection(const QString& path);
    ~PeerConnection();
    PeerConnection(const PeerConnection&) = delete;
    PeerConnection& operator=(const PeerConnection&) = delete;

    // Runs a statement; a failure fails the test.
    void exec(const QString& sql);
    // The first column of every row of a query.
    QStringList column(const QString& sql);
    QSqlDatabase& db() { return db_; }
    // Closes early (e.g. to release a lock before the test goes on).
    void close();

private:
    QString name_;
    QSqlDatabase db_;
};

// How many times, so far, a connection of this process asked for a lock on
// a database file and was refused because another program holds it. With a
// busy timeout of 0 every read or write that meets the lock is refused
// once, so the count is the number of attempts made on the locked file.
// Counting starts at the first call and covers connections opened after it.
int lockRefusalsSoFar();
