#include "platform/database.h"

#include "common/numbers.h"
#include "common/program_folder.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace db {
namespace {

int& busyTimeoutMs()
{
    static int ms = 3000;
    return ms;
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

QString quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace('"', QStringLiteral("\"\""));
    return '"' + q + '"';
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

void Connection::prepareFile()
{
    QStringList present;
    {
        // The first read of the file: a file that is not a database or that
        // another program holds locked fails here, before anything is written.
        QSqlQuery q = exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"));
        while (q.next())
            present << q.value(0).toString();
        if (q.lastError().isValid())
            raise(q.lastError());
    }

    // Every existing table is checked before a missing one is created, so a
    // file with a wrong table is reported and left untouched.
    std::vector<const Table*> missing;
    for (const Table& t : tables()) {
        const auto found = std::find_if(present.cbegin(), present.cend(), [&](const QString& name) {
            return name.compare(t.name, Qt::CaseInsensitive) == 0;
        });
        if (found == present.cend()) {
            missing.push_back(&t);
            continue;
        }
        QStringList fields;
        {
            QSqlQuery q = exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {*found});
            while (q.next())
                fields << q.value(0).toString();
            if (q.lastError().isValid())
                raise(q.lastError());
        }
        QStringList lacking;
        for (const Column& c : t.columns)
            if (!fields.contains(c.name, Qt::CaseInsensitive))
                lacking << c.name;
        if (!lacking.isEmpty())
            throw ProgramError(1, missingFieldsText(*found, lacking));
    }

    if (!missing.empty()) {
        transaction([&] {
            for (const Table* t : missing)
                exec(createStatement(*t));
        });
    }
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
        names << quoted(name);
        marks << QStringLiteral("?");
        values << value;
    }
    const QString statement = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(quoted(table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    exec(statement, values);
}

Rows Connection::select(const QString& statement, const QVariantList& params, FixedColumn fixed)
{
    Rows result;
    QSqlQuery q = exec(statement, params);
    const QSqlRecord record = q.record();
    const int n = record.count();
    for (int i = 0; i < n; ++i)
        result.columns << record.fieldName(i);
    const int lead = fixed == FixedColumn::Leading ? 1 : 0;
    while (q.next()) {
        QStringList row;
        row.reserve(n + lead);
        if (lead)
            row.append(QString());
        for (int i = 0; i < n; ++i)
            row.append(displayText(q.value(i)));
        result.rows.push_back(std::move(row));
    }
    // A failure part-way (a lock, a damaged page) ends next() early.
    if (q.lastError().isValid())
        raise(q.lastError());
    return result;
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

// --- binding -------------------------------------------------------------------

QVariant nullOf(Type type)
{
    switch (type) {
    case Type::Integer: return QVariant(QMetaType::fromType<qlonglong>());
    case Type::Real: return QVariant(QMetaType::fromType<double>());
    case Type::Text: break;
    }
    return QVariant(QMetaType::fromType<QString>());
}

bool isCount(const QString& cell)
{
    const QString t = cell.trimmed();
    return t.isEmpty() || num::strictWhole(t).has_value();
}

bool isInnings(const QString& cell)
{
    const QString t = cell.trimmed();
    return t.isEmpty() || num::strict(t).has_value();
}

QVariant countValue(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return nullOf(Type::Integer);
    const auto v = num::strictWhole(t);
    if (!v)
        errors::raise(errors::TypeMismatch);
    return QVariant(static_cast<qlonglong>(*v));
}

QVariant inningsValue(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return nullOf(Type::Real);
    const auto v = num::strict(t);
    if (!v)
        errors::raise(errors::TypeMismatch);
    return QVariant(*v);
}

// --- showing values -------------------------------------------------------------

QString numberText(double value)
{
    const QString general = num::general(value);
    const double magnitude = std::fabs(value);
    if (!general.contains('e') || !std::isfinite(value) || magnitude >= 1e15)
        return general;
    // Tiny values: as many decimals as 15 significant digits need.
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    QString s = QString::number(value, 'f', std::clamp(14 - exponent, 0, 330));
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

namespace {

// Counts are small: their texts are made once and shared, which spares a
// large result one allocation per cell.
QString wholeText(qlonglong n)
{
    static const QStringList small = [] {
        QStringList texts;
        texts.reserve(1000);
        for (int i = 0; i < 1000; ++i)
            texts << QString::number(i);
        return texts;
    }();
    return n >= 0 && n < small.size() ? small[static_cast<int>(n)] : QString::number(n);
}

}  // namespace

QString displayText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return wholeText(value.toLongLong());
    case QMetaType::QString:
        return value.toString();
    default:
        return value.toString();
    }
}

}  // namespace db
