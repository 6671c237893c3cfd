// The browser's rows read straight from SQLite through the connection's own
// handle, with Qt's driver as the fallback for what only it can bind.
#include "platform/database_reader.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <iterator>

namespace db {

using namespace detail;

// Qt's driver hands every cell over as a QVariant made from UTF-16 text that
// SQLite converts for it, and keeps a copy of each row; for the browser's
// large results that costs several times the query itself. The same rows are
// read here through the connection's own sqlite3 handle (the driver links
// the same libsqlite3), with the texts, binding and failures of the Qt path,
// which stays for what only Qt knows how to bind.

namespace detail {

namespace {

// Whether the driver's SQLite is the very build this program links: a Qt
// built with its own copy would hand over a handle our library must not
// touch. Asked once, through the driver, before the handle is ever used.
bool driverSharesOurSqlite(const QSqlDatabase& db)
{
    static const bool shared = [&db] {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT sqlite_source_id()")) || !q.next())
            return false;
        return q.value(0).toString() == QString::fromLatin1(sqlite3_sourceid());
    }();
    return shared;
}

}  // namespace

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QSqlDriver* driver = db.driver();
    if (!driver)
        return nullptr;
    const QVariant h = driver->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    if (!driverSharesOurSqlite(db))
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

[[noreturn]] void raiseSqlite(sqlite3* handle, int code, const char* qtWords)
{
    QString text = QString::fromUtf8(sqlite3_errmsg(handle));
    if (text.isEmpty() || text == QLatin1String("not an error"))
        text = QString::fromLatin1(qtWords);
    throw ProgramError(code, text);
}

std::optional<int> bindValue(sqlite3_stmt* s, int index, const QVariant& v)
{
    if (v.isNull())
        return sqlite3_bind_null(s, index);
    switch (v.typeId()) {
    case QMetaType::QString: {
        const QString& t = *static_cast<const QString*>(v.constData());
        if (t.isNull())
            return sqlite3_bind_null(s, index);
        return sqlite3_bind_text16(s, index, t.utf16(), int(t.size() * qsizetype(sizeof(QChar))), SQLITE_TRANSIENT);
    }
    case QMetaType::QByteArray: {
        const QByteArray& b = *static_cast<const QByteArray*>(v.constData());
        if (b.isNull())
            return sqlite3_bind_null(s, index);
        return sqlite3_bind_blob(s, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(s, index, v.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(s, index, v.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(s, index, v.toLongLong());
    default:
        return std::nullopt;
    }
}

// A stored text as Qt's driver reads it: SQLite's own conversion to UTF-16,
// which differs from QString::fromUtf8 on bytes that are not well-formed
// UTF-8 and on the noncharacters U+FFFE and U+FFFF (a file written by another
// program may hold such texts). Plain ASCII converts the same either way. A
// copy of the value is converted, so the result row keeps its UTF-8 form
// for the sort keys read after it.
QString textOfValue(sqlite3_value* v, const char* p, size_t size)
{
    if (std::all_of(p, p + size, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(p, qsizetype(size));
    if (sqlite3_value* copy = sqlite3_value_dup(v)) {
        const void* utf16 = sqlite3_value_text16(copy);
        QString text(static_cast<const QChar*>(utf16), utf16 ? sqlite3_value_bytes16(copy) / int(sizeof(QChar)) : 0);
        sqlite3_value_free(copy);
        if (utf16)
            return text;
    }
    return QString::fromUtf8(p, qsizetype(size));
}

std::optional<Statement> prepareDirect(sqlite3* handle, const QString& statement, const QVariantList& params)
{
    if (!handle)
        return std::nullopt;
    sqlite3_stmt* raw = nullptr;
    const void* tail = nullptr;
    const int prepared = sqlite3_prepare16_v2(handle, statement.utf16(),
                                              int(statement.size() * qsizetype(sizeof(QChar))), &raw, &tail);
    Statement stmt(raw);
    if (prepared != SQLITE_OK)
        raiseSqlite(handle, prepared, "Unable to execute statement");
    if (!stmt)
        return std::nullopt;
    if (tail) {
        const qsizetype used = static_cast<const ushort*>(tail) - statement.utf16();
        if (!QStringView(statement).mid(used).trimmed().isEmpty())
            return std::nullopt;
    }
    const int marks = sqlite3_bind_parameter_count(stmt.get());
    if (marks != params.size())
        return std::nullopt;
    for (int i = 1; i <= marks; ++i) {
        if (sqlite3_bind_parameter_name(stmt.get(), i))
            return std::nullopt;
        const std::optional<int> bound = bindValue(stmt.get(), i, params[i - 1]);
        if (!bound)
            return std::nullopt;
        if (*bound != SQLITE_OK)
            raiseSqlite(handle, *bound, "Unable to bind parameters");
    }
    return stmt;
}

QStringList columnNamesOf(sqlite3_stmt* stmt)
{
    const int n = sqlite3_column_count(stmt);
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i) {
        // Qt drops the double quotes of a name.
        QString name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        name.remove(QLatin1Char('"'));
        names << name;
    }
    return names;
}

}  // namespace detail

Rows Connection::select(const QString& statement, const QVariantList& params, FixedColumn fixed,
                        const std::vector<SortKey>& sortAfter)
{
    Read read = readAll(statement, params, sortAfter);
    Rows result;
    result.columns = std::move(read.columns);
    const int n = int(read.data.size());
    const int lead = fixed == FixedColumn::Leading ? 1 : 0;
    result.rows.reserve(read.count);
    for (size_t r = 0; r < read.count; ++r) {
        QStringList row(n + lead);
        for (int i = 0; i < n; ++i)
            row[i + lead] = read.data[size_t(i)].at(r);
        result.rows.push_back(std::move(row));
    }
    return result;
}

ColumnRows Connection::selectColumns(const QString& statement, const QVariantList& params, FixedColumn fixed,
                                     const std::vector<SortKey>& sortAfter)
{
    return columnRowsOf(readAll(statement, params, sortAfter), fixed);
}

Connection::Read Connection::readAll(const QString& statement, const QVariantList& params,
                                     const std::vector<SortKey>& sortAfter)
{
    std::optional<Read> read = selectDirect(statement, params, sortAfter);
    if (!read)
        read = selectThroughQt(statement, params, sortAfter);
    read->sort(sortAfter);
    return std::move(*read);
}

Connection::Read Connection::selectThroughQt(const QString& statement, const QVariantList& params,
                                             const std::vector<SortKey>& sortAfter)
{
    Read read;
    QSqlQuery q = exec(statement, params);
    const QSqlRecord record = q.record();
    const int n = record.count();
    for (int i = 0; i < n; ++i)
        read.columns << record.fieldName(i);
    const std::vector<int> keyColumns = sortColumns(read.columns, sortAfter);
    read.scratch.resize(keyColumns.size());
    read.data.resize(size_t(n));
    std::vector<TextInterner> seen(read.data.begin(), read.data.end());
    while (q.next()) {
        for (int i = 0; i < n; ++i)
            read.data[size_t(i)].cells.push_back(seen[size_t(i)].indexOf(displayText(q.value(i))));
        ++read.count;
        for (size_t j = 0; j < keyColumns.size(); ++j)
            read.scratch[j] = sortValueOf(q.value(keyColumns[j]));
        read.noteKeys(sortAfter);
    }
    // A failure part-way (a lock, a damaged page) ends next() early.
    if (q.lastError().isValid())
        raise(q.lastError());
    return read;
}

std::optional<Connection::Read> Connection::selectDirect(const QString& statement, const QVariantList& params,
                                                         const std::vector<SortKey>& sortAfter)
{
    sqlite3* handle = handleOf(db_);
    std::optional<Statement> prepared = prepareDirect(handle, statement, params);
    if (!prepared)
        return std::nullopt;
    return readPrepared(handle, prepared->get(), sortAfter);
}

// ------------------------------------------------------------ typed scan

int libraryVersion()
{
    return sqlite3_libversion_number();
}

namespace {

sqlite3_value* cell(const std::vector<void*>& values, int column)
{
    return static_cast<sqlite3_value*>(values[size_t(column)]);
}

}  // namespace

bool ScanRow::next(void* handle, void* statement)
{
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    const int stepped = sqlite3_step(stmt);
    if (stepped == SQLITE_DONE)
        return false;
    if (stepped != SQLITE_ROW)
        raiseSqlite(static_cast<sqlite3*>(handle), stepped, "Unable to fetch row");
    values_.resize(size_t(sqlite3_column_count(stmt)));
    for (size_t i = 0; i < values_.size(); ++i)
        values_[i] = sqlite3_column_value(stmt, int(i));
    return true;
}

ScanRow::Kind ScanRow::kind(int column) const
{
    switch (sqlite3_value_type(cell(values_, column))) {
    case SQLITE_INTEGER:
        return Kind::Integer;
    case SQLITE_FLOAT:
        return Kind::Real;
    case SQLITE_TEXT:
        return Kind::Text;
    case SQLITE_BLOB:
        return Kind::Blob;
    default:
        return Kind::Null;
    }
}

qint64 ScanRow::integer(int column) const
{
    return sqlite3_value_int64(cell(values_, column));
}

double ScanRow::real(int column) const
{
    return sqlite3_value_double(cell(values_, column));
}

std::string_view ScanRow::bytes(int column) const
{
    sqlite3_value* v = cell(values_, column);
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, size_t(sqlite3_value_bytes(v))) : std::string_view();
}

QString ScanRow::text(int column) const
{
    sqlite3_value* v = cell(values_, column);
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return QString();
    const std::string_view b = bytes(column);
    return textOfValue(v, b.data(), b.size());
}

std::optional<QStringList> Connection::scan(const QString& statement, const QVariantList& params,
                                            const std::function<bool(const ScanRow&)>& onRow)
{
    sqlite3* handle = handleOf(db_);
    std::optional<Statement> prepared = prepareDirect(handle, statement, params);
    if (!prepared)
        return std::nullopt;
    sqlite3_stmt* stmt = prepared->get();
    ScanRow row;
    while (row.next(handle, stmt))
        if (!onRow(row))
            break;
    return columnNamesOf(stmt);
}

std::optional<QString> Connection::collationOf(const QString& table, const QString& field)
{
    sqlite3* handle = handleOf(db_);
    if (!handle)
        return std::nullopt;
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(handle, nullptr, table.toUtf8().constData(), field.toUtf8().constData(),
                                      nullptr, &collation, nullptr, nullptr, nullptr)
            != SQLITE_OK
        || !collation)
        return std::nullopt;
    return QString::fromUtf8(collation);
}

}  // namespace db
