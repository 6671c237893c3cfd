// The file format: the five tables with their fields in order, and bringing
// a missing file or table into being without ever altering an existing one.
#include "platform/database.h"
#include "platform/database_internal.h"

#include "common/program_folder.h"

#include <QFile>
#include <QSqlError>
#include <algorithm>
#include <mutex>
#include <sys/stat.h>

namespace db {

QString detail::quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace('"', QStringLiteral("\"\""));
    return '"' + q + '"';
}

namespace {

using detail::quoted;

// A file that passed the check, as it was then. SQLite changes a file's
// schema cookie with every change to its tables or indexes, so while the
// same file (by device and inode) holds the same cookie, the check would
// find what it found: every save and every browser click opens the file,
// and the check is a large share of such a short job.
struct CheckedFile {
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 schemaCookie = -1;
    bool operator==(const CheckedFile&) const = default;
};

std::mutex& checkedMutex()
{
    static std::mutex m;
    return m;
}

CheckedFile& lastChecked()
{
    static CheckedFile f;
    return f;
}

Table table(const char* name, std::initializer_list<std::pair<const char*, Type>> columns)
{
    Table t{QString::fromLatin1(name), {}};
    for (const auto& [column, type] : columns)
        t.columns.push_back({QString::fromLatin1(column), type});
    return t;
}

std::vector<Table> makeTables()
{
    constexpr Type T = Type::Text, I = Type::Integer, R = Type::Real;
    std::vector<Table> all;
    all.push_back(table("Batting", {{"Batter", T}, {"K", I}, {"BB", I}, {"1B", I}, {"2B", I}, {"3B", I},
                                    {"HR", I}, {"SB", I}, {"RBI", I}, {"AB", I}, {"Team", T}, {"GameID", T}}));
    all.push_back(table("Pitching", {{"Pitcher", T}, {"K", I}, {"BB", I}, {"Hits", I}, {"HR", I}, {"Runs", I},
                                     {"IP", R}, {"Team", T}, {"GameID", T}}));
    Table box{QStringLiteral("BoxScores"), {{QStringLiteral("Team"), T}}};
    for (int inning = 1; inning <= 20; ++inning)
        box.columns.push_back({QStringLiteral("I%1").arg(inning), I});
    for (const char* c : {"Runs", "Hits", "Errors"})
        box.columns.push_back({QString::fromLatin1(c), I});
    box.columns.push_back({QStringLiteral("Host"), T});
    box.columns.push_back({QStringLiteral("GameID"), T});
    all.push_back(box);
    all.push_back(table("WinLoss", {{"Team", T}, {"Win", I}, {"Loss", I}}));
    all.push_back(table("Matchups", {{"Matchup", T}, {"Tally", I}}));
    return all;
}

// The GameID is digits and "_" only; the other texts are names that the
// readers match without regard to case.
QString columnDefinition(const Column& c)
{
    QString type;
    switch (c.type) {
    case Type::Integer: type = QStringLiteral("INTEGER"); break;
    case Type::Real: type = QStringLiteral("REAL"); break;
    case Type::Text:
        type = c.name == QLatin1String("GameID") ? QStringLiteral("TEXT") : QStringLiteral("TEXT COLLATE NOCASE");
        break;
    }
    return quoted(c.name) + ' ' + type;
}

QString createStatement(const Table& t)
{
    QStringList defs;
    for (const Column& c : t.columns)
        defs << columnDefinition(c);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS ") + quoted(t.name) + QStringLiteral(" (")
        + defs.join(QStringLiteral(", ")) + ')';
}

// The index that lets a game's rows (a box score, the save's look-up of a
// free GameID) be found without reading the table: one per table holding a
// GameID. Binary, as the field compares.
QString gameIndexName(const Table& t)
{
    return t.name + QStringLiteral("ByGame");
}

bool hasGameId(const Table& t)
{
    return std::any_of(t.columns.cbegin(), t.columns.cend(),
                       [](const Column& c) { return c.name == QLatin1String("GameID"); });
}

QString gameIndexStatement(const Table& t)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (GameID)").arg(quoted(gameIndexName(t)), quoted(t.name));
}

QString missingFieldsText(const QString& table, const QStringList& missing)
{
    if (missing.size() == 1)
        return QStringLiteral("table %1 has no column named %2").arg(table, missing.first());
    return QStringLiteral("table %1 has no columns named %2").arg(table, missing.join(QStringLiteral(", ")));
}

}  // namespace

const std::vector<Table>& tables()
{
    static const std::vector<Table> all = makeTables();
    return all;
}

QString path()
{
    return folder::resolve(QStringLiteral("ZRQ.mdb"));
}

void Connection::prepareFile()
{
    // Every field of the five tables, in one statement: it runs on every
    // click of the browser. Only the tables named as ours are looked into,
    // so an unrelated view that no longer reads does not stop the file from
    // opening. Names match as SQLite matches them, without regard to case.
    // The game indexes present come with them, as rows without a table.
    static const QString statement = [] {
        QStringList names, indexes;
        for (const Table& t : tables()) {
            names << QLatin1Char('\'') + t.name + QLatin1Char('\'');
            if (hasGameId(t))
                indexes << QLatin1Char('\'') + gameIndexName(t) + QLatin1Char('\'');
        }
        return QStringLiteral("SELECT m.name, f.name FROM sqlite_master AS m JOIN pragma_table_info(m.name) AS f "
                              "WHERE m.type IN ('table', 'view') AND m.name COLLATE NOCASE IN (%1) "
                              "UNION ALL SELECT NULL, name FROM sqlite_master "
                              "WHERE type = 'index' AND name COLLATE NOCASE IN (%2)")
            .arg(names.join(QStringLiteral(", ")), indexes.join(QStringLiteral(", ")));
    }();

    // The first read of the file: a file that is not a database or that
    // another program holds locked fails here, before anything is written.
    CheckedFile now;
    {
        QSqlQuery q = exec(QStringLiteral("PRAGMA schema_version"));
        struct stat st {};
        now.path = db_.databaseName();
        if (q.next() && ::stat(QFile::encodeName(now.path).constData(), &st) == 0) {
            now.device = st.st_dev;
            now.inode = st.st_ino;
            now.schemaCookie = q.value(0).toLongLong();
        }
    }
    {
        const std::lock_guard lock(checkedMutex());
        if (now.schemaCookie > 0 && lastChecked() == now)
            return;
    }

    std::vector<std::pair<QString, QStringList>> present;  // each table with its fields
    QStringList indexes;
    {
        QSqlQuery q = exec(statement);
        while (q.next()) {
            if (q.isNull(0)) {
                indexes << q.value(1).toString();
                continue;
            }
            const QString table = q.value(0).toString();
            auto at = std::find_if(present.begin(), present.end(), [&](const auto& p) { return p.first == table; });
            if (at == present.end())
                at = present.emplace(present.end(), table, QStringList());
            at->second << q.value(1).toString();
        }
        if (q.lastError().isValid())
            raise(q.lastError());
    }

    // Every existing table is checked before a missing one is created, so a
    // file with a wrong table is reported and left untouched.
    std::vector<const Table*> missing, unindexed;
    for (const Table& t : tables()) {
        const auto found = std::find_if(present.cbegin(), present.cend(), [&](const auto& p) {
            return p.first.compare(t.name, Qt::CaseInsensitive) == 0;
        });
        if (found == present.cend()) {
            missing.push_back(&t);
            continue;
        }
        if (hasGameId(t) && !indexes.contains(gameIndexName(t), Qt::CaseInsensitive))
            unindexed.push_back(&t);
        QStringList lacking;
        for (const Column& c : t.columns)
            if (!found->second.contains(c.name, Qt::CaseInsensitive))
                lacking << c.name;
        if (!lacking.isEmpty())
            throw ProgramError(1, missingFieldsText(found->first, lacking));
    }

    if (!missing.empty()) {
        transaction([&] {
            for (const Table* t : missing) {
                exec(createStatement(*t));
                if (hasGameId(*t))
                    addIndex(gameIndexStatement(*t));
            }
        });
    }
    if (!unindexed.empty())
        addGameIndexes(unindexed);
    // Only a file found whole is remembered: one that was completed here has
    // a new cookie, and one that refused an index is asked again next time.
    if (missing.empty() && unindexed.empty()) {
        const std::lock_guard lock(checkedMutex());
        lastChecked() = now;
    }
}

void Connection::addIndex(const QString& statement)
{
    // A failed statement undoes only itself; the transaction goes on.
    try {
        exec(statement);
    } catch (const ProgramError&) {
    }
}

// An index only speeds reading up, so a file that cannot take one (read
// only, another program writing it, a name already used) is read without
// it, at once: the attempt does not wait out another program's lock.
void Connection::addGameIndexes(const std::vector<const Table*>& unindexed)
{
    QSqlQuery(db_).exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    try {
        transaction([&] {
            for (const Table* t : unindexed)
                addIndex(gameIndexStatement(*t));
        });
    } catch (const ProgramError&) {
        // Tried again at the next opening.
    }
    QSqlQuery(db_).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeout()));
}

}  // namespace db
