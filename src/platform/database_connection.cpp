// Opening and closing the connection, running statements and transactions,
// and turning SQLite's failures into the program's error numbers.
#include "platform/database.h"
#include "platform/database_internal.h"

#include "common/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <algorithm>
#include <atomic>

namespace db {
namespace {

int& busyTimeoutMs()
{
    static int ms = 3000;
    return ms;
}

}  // namespace

void setBusyTimeout(int milliseconds)
{
    busyTimeoutMs() = std::max(0, milliseconds);
}

int busyTimeout()
{
    return busyTimeoutMs();
}

void raise(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    if (!ok) {
        // Not SQLite speaking: the driver is missing or Qt refused the call.
        const int number = error.type() == QSqlError::ConnectionError ? errors::FileAccess : errors::InvalidCall;
        const QString detail = error.text().trimmed();
        throw ProgramError(number, detail.isEmpty() ? errors::describe(number)
                                                    : errors::describe(number) + QStringLiteral(" (") + detail + ')');
    }
    QString text = error.databaseText();
    if (text.isEmpty() || text == QLatin1String("not an error"))
        text = error.driverText();
    throw ProgramError(code, text);
}

// --- Connection ------------------------------------------------------------------

Connection::Connection()
{
    static std::atomic<int> serial{0};
    name_ = QStringLiteral("benchdeck_db_%1").arg(++serial);
    const QString file = path();
    const bool existedBefore = QFileInfo::exists(file);
    // An empty database made now would hide the earlier version's games for
    // good: every later start would take it for the user's.
    if (!existedBefore) {
        const QString former = folder::waitingFormerDatabase();
        if (!former.isEmpty())
            throw ProgramError(errors::FileAccess,
                               errors::describe(errors::FileAccess) + QStringLiteral(": ")
                                   + QDir::toNativeSeparators(former)
                                   + QStringLiteral(" (the database of an earlier version, not yet copied into the "
                                                    "program folder; start the program again)"));
    }
    try {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        if (!db_.isValid())
            throw ProgramError(errors::FileAccess,
                               QStringLiteral("The SQLite database driver is not available (%1)")
                                   .arg(db_.lastError().text().trimmed()));
        db_.setDatabaseName(file);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs()));
        if (!db_.open())
            raise(db_.lastError());
        prepareFile();
    } catch (...) {
        close();
        // Opening a missing path leaves an empty file behind; a failure
        // before anything was written must not leave that litter.
        if (!existedBefore) {
            QFileInfo created(file);
            if (created.isFile() && created.size() == 0)
                QFile::remove(file);
        }
        throw;
    }
}

Connection::~Connection()
{
    close();
}

void Connection::close() noexcept
{
    if (name_.isEmpty())
        return;
    if (db_.isOpen())
        db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    name_.clear();
}

QSqlQuery Connection::exec(const QString& statement, const QVariantList& params)
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        raise(q.lastError());
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        raise(q.lastError());
    return q;
}

void Connection::insert(const QString& table, const std::vector<std::pair<QString, QVariant>>& fields)
{
    QStringList names, marks;
    QVariantList values;
    for (const auto& [name, value] : fields) {
        names << detail::quoted(name);
        marks << QStringLiteral("?");
        values << value;
    }
    const QString statement = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(detail::quoted(table))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(detail::quoted(table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    exec(statement, values);
}

void Connection::transaction(const std::function<void()>& work)
{
    // IMMEDIATE takes the write lock at once (waiting out the busy timeout),
    // so a save never fails half-way for want of it.
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        work();
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        // SQLite may already have rolled back on some failures; a second
        // rollback then fails harmlessly.
        QSqlQuery rollback(db_);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

}  // namespace db
