// The browser's row reader: select() straight from SQLite, with the sort
// applied after reading.
#include "platform/database.h"
#include "platform/database_internal.h"

#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QThreadPool>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <iterator>
#include <latch>
#include <memory>
#include <numeric>
#include <sqlite3.h>
#include <string>
#include <thread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace db {

// Qt's driver hands every cell over as a QVariant made from UTF-16 text that
// SQLite converts for it, and keeps a copy of each row; for the browser's
// large results that costs several times the query itself. The same rows are
// read here through the connection's own sqlite3 handle (the driver links
// the same libsqlite3), with the texts, binding and failures of the Qt path,
// which stays for what only Qt knows how to bind.

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

// The connection's sqlite3 handle, or null when the driver is not SQLite's
// or not the SQLite this program links.
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

struct Finalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// As raise() reports the same failure coming through Qt: SQLite's code and
// message, or Qt's words where SQLite has none.
[[noreturn]] void raiseSqlite(sqlite3* handle, int code, const char* qtWords)
{
    QString text = QString::fromUtf8(sqlite3_errmsg(handle));
    if (text.isEmpty() || text == QLatin1String("not an error"))
        text = QString::fromLatin1(qtWords);
    throw ProgramError(code, text);
}

// Binds one value the way Qt's driver does. Empty for a kind Qt converts in
// its own way (dates, times, unsigned 64-bit and others).
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

// The distinct values of one result column, found by the bytes SQLite holds
// for them, so a value repeated down the column (a team, a player, a game's
// id on each of its rows, innings pitched) is converted to text once and
// each cell is only an index into the column's texts.
class ColumnValues {
public:
    explicit ColumnValues(TextColumn& out) : out_(out) {}

    // The index of the current row's value; NULL is the empty text.
    quint32 indexOf(sqlite3_value* v)
    {
        const int type = sqlite3_value_type(v);
        qint64 number = 0;
        const char* p = nullptr;
        size_t size = 0;
        switch (type) {
        case SQLITE_NULL:
            return 0;
        case SQLITE_INTEGER:
            number = sqlite3_value_int64(v);
            // Most cells are small counts: found without hashing.
            if (quint64(number) < small_.size()) {
                quint32& known = small_[size_t(number)];
                if (known == 0)
                    known = find(v, type, number, reinterpret_cast<const char*>(&number), sizeof number);
                return known;
            }
            p = reinterpret_cast<const char*>(&number);
            size = sizeof number;
            break;
        case SQLITE_FLOAT: {
            // By the bits, so 0.0 and -0.0 keep their own texts.
            const double real = sqlite3_value_double(v);
            std::memcpy(&number, &real, sizeof number);
            p = reinterpret_cast<const char*>(&number);
            size = sizeof number;
            break;
        }
        case SQLITE_BLOB:
            p = static_cast<const char*>(sqlite3_value_blob(v));
            size = p ? size_t(sqlite3_value_bytes(v)) : 0;
            break;
        default:
            p = reinterpret_cast<const char*>(sqlite3_value_text(v));
            size = p ? size_t(sqlite3_value_bytes(v)) : 0;
            break;
        }
        return find(v, type, number, p, size);
    }

private:
    quint32 find(sqlite3_value* v, int type, qint64 number, const char* p, size_t size)
    {
        const quint64 hash = hashOf(type, p, size);
        if (used_ * 2 >= slots_.size())
            grow();
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& s = slots_[at];
            if (s.index == 0) {
                s = {hash, quint32(keys_.size()), quint32(size), quint32(out_.texts.size()), type};
                keys_.append(p ? p : "", size);
                out_.texts.push_back(textOf(v, type, number, p, size));
                ++used_;
                return s.index;
            }
            if (s.hash == hash && s.type == type && s.size == size
                && (size == 0 || std::memcmp(keys_.data() + s.offset, p, size) == 0))
                return s.index;
        }
    }

    struct Slot {
        quint64 hash = 0;
        quint32 offset = 0;
        quint32 size = 0;
        quint32 index = 0;  // 0: a free slot (index 0 is the NULL text, never looked up)
        int type = 0;
    };

    static quint64 hashOf(int type, const char* p, size_t size)
    {
        // Eight bytes at a time: values are short.
        constexpr quint64 Mix = 0x9E3779B97F4A7C15ull;
        quint64 hash = (size * 8 + quint64(type)) * Mix;
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            hash = (hash ^ word) * Mix;
            hash ^= hash >> 29;
        }
        if (i < size) {
            quint64 word = 0;
            std::memcpy(&word, p + i, size - i);
            hash = (hash ^ word) * Mix;
        }
        return hash ^ (hash >> 32);
    }

    static QString textOf(sqlite3_value* v, int type, qint64 whole, const char* p, size_t size)
    {
        switch (type) {
        case SQLITE_INTEGER: {
            const QStringList& small = detail::smallWholes();
            return whole >= 0 && whole < small.size() ? small.at(whole) : QString::number(whole);
        }
        case SQLITE_FLOAT:
            return db::numberText(sqlite3_value_double(v));
        case SQLITE_BLOB:
            // Qt reads a blob as bytes and shows them as UTF-8.
            return QString::fromUtf8(p, qsizetype(size));
        default:
            return textOfValue(v, p, size);
        }
    }

    void grow()
    {
        std::vector<Slot> old(std::max<size_t>(64, slots_.size() * 2));
        old.swap(slots_);
        const size_t mask = slots_.size() - 1;
        for (const Slot& s : old) {
            if (s.index == 0)
                continue;
            size_t at = s.hash & mask;
            while (slots_[at].index != 0)
                at = (at + 1) & mask;
            slots_[at] = s;
        }
    }

    TextColumn& out_;
    std::array<quint32, 256> small_{};  // a whole number's index, 0 until met
    std::vector<Slot> slots_;
    std::string keys_;
    size_t used_ = 0;
};


// A stored value as ORDER BY compares it.
struct SortValue {
    enum Rank { Null, Number, Text, Blob };
    Rank rank = Null;
    bool isReal = false;
    qint64 whole = 0;
    double real = 0;
    std::string bytes;
};

int compareNumbers(const SortValue& a, const SortValue& b)
{
    if (!a.isReal && !b.isReal)
        return a.whole < b.whole ? -1 : a.whole > b.whole;
    // Exact for every 64-bit integer, as SQLite compares the two kinds.
    const long double x = a.isReal ? a.real : static_cast<long double>(a.whole);
    const long double y = b.isReal ? b.real : static_cast<long double>(b.whole);
    return x < y ? -1 : x > y;
}

// SQLite's NOCASE folds the ASCII capitals only.
int compareCaseless(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size();
}

int compareValues(const SortValue& a, const SortValue& b, bool caseless)
{
    if (a.rank != b.rank)
        return a.rank < b.rank ? -1 : 1;
    if (a.rank == SortValue::Null)
        return 0;
    if (a.rank == SortValue::Number)
        return compareNumbers(a, b);
    if (caseless && a.rank == SortValue::Text)
        return compareCaseless(a.bytes, b.bytes);
    const int c = std::memcmp(a.bytes.data(), b.bytes.data(), std::min(a.bytes.size(), b.bytes.size()));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.bytes.size() < b.bytes.size() ? -1 : a.bytes.size() > b.bytes.size();
}

// Into a reused value, so a text key costs no allocation per row.
void sortValueOf(sqlite3_value* v, SortValue& s)
{
    s.isReal = false;
    s.bytes.clear();
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        s.rank = SortValue::Null;
        break;
    case SQLITE_INTEGER:
        s.rank = SortValue::Number;
        s.whole = sqlite3_value_int64(v);
        break;
    case SQLITE_FLOAT:
        s.rank = SortValue::Number;
        s.isReal = true;
        s.real = sqlite3_value_double(v);
        break;
    case SQLITE_BLOB:
        s.rank = SortValue::Blob;
        if (const void* p = sqlite3_value_blob(v))
            s.bytes.assign(static_cast<const char*>(p), size_t(sqlite3_value_bytes(v)));
        break;
    default:
        s.rank = SortValue::Text;
        if (const unsigned char* p = sqlite3_value_text(v))
            s.bytes.assign(reinterpret_cast<const char*>(p), size_t(sqlite3_value_bytes(v)));
        break;
    }
}

SortValue sortValueOf(const QVariant& v)
{
    SortValue s;
    if (!v.isValid() || v.isNull())
        return s;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        s.rank = SortValue::Number;
        s.whole = v.toLongLong();
        break;
    case QMetaType::Double:
        s.rank = SortValue::Number;
        s.isReal = true;
        s.real = v.toDouble();
        break;
    case QMetaType::QByteArray: {
        s.rank = SortValue::Blob;
        const QByteArray b = v.toByteArray();
        s.bytes.assign(b.constData(), size_t(b.size()));
        break;
    }
    default: {
        s.rank = SortValue::Text;
        const QByteArray b = v.toString().toUtf8();
        s.bytes.assign(b.constData(), size_t(b.size()));
        break;
    }
    }
    return s;
}

// Each sort key's result column.
std::vector<int> sortColumns(const QStringList& columns, const std::vector<SortKey>& keys)
{
    std::vector<int> found;
    for (const SortKey& k : keys) {
        const auto at = std::find_if(columns.cbegin(), columns.cend(), [&](const QString& c) {
            return c.compare(k.field, Qt::CaseInsensitive) == 0;
        });
        if (at == columns.cend())
            throw ProgramError(1, QStringLiteral("no such column: ") + k.field);
        found.push_back(int(at - columns.cbegin()));
    }
    return found;
}

}  // namespace

// A result as read, column by column, with its sort keys (if any) kept per
// run of rows with equal keys: results come grouped (a game's rows are saved
// together), so a sort after reading orders a few thousand runs, not every
// row.
struct Connection::Read {
    struct Run {
        size_t first = 0;
        size_t count = 0;
    };
    QStringList columns;
    std::vector<TextColumn> data;
    size_t count = 0;
    std::vector<Run> runs;
    std::vector<SortValue> keys;  // runs x sort keys
    std::vector<SortValue> scratch;

    // The row just appended has the keys in scratch.
    void noteKeys(const std::vector<SortKey>& order)
    {
        const size_t k = scratch.size();
        if (k == 0)
            return;
        if (!runs.empty()) {
            const SortValue* last = keys.data() + (runs.size() - 1) * k;
            bool same = true;
            for (size_t j = 0; j < k && same; ++j)
                same = compareValues(last[j], scratch[j], order[j].caseless) == 0;
            if (same) {
                ++runs.back().count;
                return;
            }
        }
        runs.push_back({count - 1, 1});
        keys.insert(keys.end(), scratch.begin(), scratch.end());
    }

    // The reads of consecutive parts of one statement as one read: each
    // part's texts found among those already joined, by their text.
    static Read join(std::vector<Read> parts)
    {
        Read out = std::move(parts.front());
        size_t total = out.count;
        for (size_t k = 1; k < parts.size(); ++k)
            total += parts[k].count;
        for (size_t c = 0; c < out.data.size(); ++c) {
            TextColumn& column = out.data[c];
            column.cells.reserve(total);
            QHash<QString, quint32> known;
            known.reserve(qsizetype(column.texts.size()));
            for (size_t i = column.texts.size() - 1; i >= 1; --i)
                known.insert(column.texts[i], quint32(i));  // the first of equal texts last, so it stays
            std::vector<quint32> to;
            for (size_t k = 1; k < parts.size(); ++k) {
                TextColumn& more = parts[k].data[c];
                to.assign(more.texts.size(), 0);
                for (size_t i = 1; i < more.texts.size(); ++i) {
                    auto at = known.constFind(more.texts[i]);
                    if (at == known.cend()) {
                        at = known.insert(more.texts[i], quint32(column.texts.size()));
                        column.texts.push_back(more.texts[i]);
                    }
                    to[i] = *at;
                }
                for (const quint32 cell : more.cells)
                    column.cells.push_back(to[cell]);
                more = TextColumn();
            }
        }
        size_t offset = out.count;
        for (size_t k = 1; k < parts.size(); ++k) {
            for (const Run& r : parts[k].runs)
                out.runs.push_back({r.first + offset, r.count});
            std::move(parts[k].keys.begin(), parts[k].keys.end(), std::back_inserter(out.keys));
            offset += parts[k].count;
        }
        out.count = total;
        return out;
    }

    // Puts the rows in the order of the sort keys.
    void sort(const std::vector<SortKey>& order)
    {
        const size_t k = order.size();
        if (k == 0 || runs.size() < 2)
            return;
        // Stable over runs that keep their rows' order: the order of a
        // stable sort of the rows themselves.
        std::vector<size_t> byKey(runs.size());
        std::iota(byKey.begin(), byKey.end(), size_t(0));
        std::stable_sort(byKey.begin(), byKey.end(), [&](size_t a, size_t b) {
            for (size_t j = 0; j < k; ++j) {
                const int c = compareValues(keys[a * k + j], keys[b * k + j], order[j].caseless);
                if (c != 0)
                    return order[j].descending ? c > 0 : c < 0;
            }
            return false;
        });
        std::vector<quint32> moved(count);
        for (TextColumn& column : data) {
            size_t to = 0;
            for (size_t i : byKey)
                for (size_t r = runs[i].first; r < runs[i].first + runs[i].count; ++r)
                    moved[to++] = column.cells[r];
            column.cells.swap(moved);
        }
    }
};

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

ColumnRows Connection::columnRowsOf(Read read, FixedColumn fixed)
{
    ColumnRows result;
    result.columns = std::move(read.columns);
    result.rows = read.count;
    if (fixed == FixedColumn::Leading) {
        result.data.reserve(read.data.size() + 1);
        result.data.emplace_back().cells.assign(read.count, 0);
    }
    std::move(read.data.begin(), read.data.end(), std::back_inserter(result.data));
    return result;
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

namespace {

// The statement prepared on the connection's own handle with its values
// bound, or nothing where Qt's own handling decides: no handle of ours,
// nothing to run, a second statement after the first, or parameters other
// than plain "?" marks and values Qt binds its own way.
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

}  // namespace

std::optional<Connection::Read> Connection::selectDirect(const QString& statement, const QVariantList& params,
                                                         const std::vector<SortKey>& sortAfter)
{
    sqlite3* handle = handleOf(db_);
    std::optional<Statement> prepared = prepareDirect(handle, statement, params);
    if (!prepared)
        return std::nullopt;
    return readPrepared(handle, prepared->get(), sortAfter);
}

Connection::Read Connection::readPrepared(void* handlePointer, void* statement, const std::vector<SortKey>& sortAfter)
{
    auto* handle = static_cast<sqlite3*>(handlePointer);
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    Read read;
    read.columns = columnNamesOf(stmt);
    const int n = int(read.columns.size());
    const std::vector<int> keyColumns = sortColumns(read.columns, sortAfter);
    read.scratch.resize(keyColumns.size());
    read.data.resize(size_t(std::max(n, 0)));
    std::vector<ColumnValues> values(read.data.begin(), read.data.end());
    for (;;) {
        const int stepped = sqlite3_step(stmt);
        if (stepped == SQLITE_DONE)
            break;
        if (stepped != SQLITE_ROW)
            raiseSqlite(handle, stepped, "Unable to fetch row");
        // One call into the statement per cell; the value is read at once,
        // before the next step, on the connection's own thread.
        for (int i = 0; i < n; ++i)
            read.data[size_t(i)].cells.push_back(values[size_t(i)].indexOf(sqlite3_column_value(stmt, i)));
        ++read.count;
        for (size_t j = 0; j < keyColumns.size(); ++j)
            sortValueOf(sqlite3_column_value(stmt, keyColumns[j]), read.scratch[j]);
        read.noteKeys(sortAfter);
    }
    return read;
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

// ------------------------------------------------------------ reading in parts

QString Parts::statement() const
{
    QString s = select;
    if (!condition.isEmpty())
        s += QStringLiteral(" WHERE ") + condition;
    return s + QStringLiteral(" ORDER BY rowid");
}

namespace {

// A part smaller than this costs more in opening its connection than it
// saves; a read beyond MaxParts parts gains little more.
constexpr qint64 RowsPerPart = 16384;
constexpr int MaxParts = 8;

// How a read is cut into parts: rowid ranges, first to last, in order.
struct PartPlan {
    QByteArray file;
    std::vector<std::pair<qint64, qint64>> ranges;
    qint64 dataVersion = 0;
};

// first..last cut into `parts` consecutive ranges of near equal width, each
// range's first rowid one past the previous range's last. Worked out as
// unsigned offsets from first, which neither overflow nor round a range
// away, whatever the rowids and the gaps between them; last - first must
// be at least `parts`.
std::vector<std::pair<qint64, qint64>> rowidRanges(qint64 first, qint64 last, int parts)
{
    const quint64 width = quint64(last) - quint64(first), n = quint64(parts);
    const quint64 step = width / n, rest = width % n;
    // rest * i stays below n * n.
    const auto start = [&](quint64 i) { return qint64(quint64(first) + step * i + rest * i / n); };
    std::vector<std::pair<qint64, qint64>> ranges;
    for (quint64 i = 0; i < n; ++i)
        ranges.emplace_back(start(i), i + 1 == n ? last : qint64(quint64(start(i + 1)) - 1));
    return ranges;
}

// The first cell of a one-row statement of the connection, or nothing when
// it fails or gives no row.
std::optional<QVariant> singleValue(sqlite3* handle, const QString& sql, const QString& text = QString())
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return std::nullopt;
    Statement stmt(raw);
    if (!text.isNull())
        sqlite3_bind_text16(raw, 1, text.utf16(), int(text.size() * qsizetype(sizeof(QChar))), SQLITE_TRANSIENT);
    if (sqlite3_step(raw) != SQLITE_ROW)
        return std::nullopt;
    switch (sqlite3_column_type(raw, 0)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(raw, 0)));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0))));
    }
}

std::optional<qint64> dataVersionOf(sqlite3* handle)
{
    const std::optional<QVariant> v = singleValue(handle, QStringLiteral("PRAGMA data_version"));
    if (!v || v->typeId() != QMetaType::LongLong)
        return std::nullopt;
    return v->toLongLong();
}

// Whether SQLite reads the one read by going through the whole table in
// rowid order, nothing else: where it searches an index instead (a game's
// rows found by their GameID) it reads a few pages, fewer than the parts
// would open connections for. The parts are in rowid order whatever the
// plan, so the rows and their order are the one read's either way.
bool readsWholeTable(sqlite3* handle, const Parts& parts, const QVariantList& params)
{
    const QString sql = QStringLiteral("EXPLAIN QUERY PLAN ") + parts.statement();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return false;
    const Statement plan(raw);
    if (sqlite3_bind_parameter_count(raw) != params.size())
        return false;
    for (int i = 1; i <= int(params.size()); ++i)
        if (bindValue(raw, i, params[i - 1]) != SQLITE_OK)
            return false;
    // The plan of the values bound: a LIKE pattern given as a value decides
    // whether an index serves it.
    int steps = 0;
    for (; sqlite3_step(raw) == SQLITE_ROW; ++steps) {
        const QString detail = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 3)));
        if (detail.compare(QLatin1String("SCAN ") + parts.table, Qt::CaseInsensitive) != 0
            && detail.compare(QLatin1String("SCAN TABLE ") + parts.table, Qt::CaseInsensitive) != 0)
            return false;
    }
    return steps == 1;
}

// The parts a read of the table is cut into, or nothing where one read is
// better or parts could give other rows than it: a small table, a
// transaction open on the connection (parts would not see its changes), a
// file in WAL mode (each part could see another state of it), a plan that
// is not a plain read of the whole table (see readsWholeTable), a field
// named rowid (the parts' ranges would not be rowids), a value only Qt
// knows how to bind.
std::optional<PartPlan> planParts(sqlite3* handle, const Parts& parts, const QVariantList& params)
{
    const QString& table = parts.table;
    const int cores = int(std::thread::hardware_concurrency());
    if (!handle || cores < 2 || !sqlite3_get_autocommit(handle))
        return std::nullopt;
    sqlite3_stmt* bound = nullptr;
    if (sqlite3_prepare_v2(handle, "SELECT ?", -1, &bound, nullptr) != SQLITE_OK)
        return std::nullopt;
    const Statement probe(bound);
    for (const QVariant& p : params)
        if (!bindValue(bound, 1, p))
            return std::nullopt;

    // The cheap test first: most reads are of small tables.
    const QString quotedTable = detail::quoted(table);
    sqlite3_stmt* raw = nullptr;
    // Each alone, so SQLite reads each off an end of the table.
    const QString range = QStringLiteral("SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1)")
                              .arg(quotedTable);
    if (sqlite3_prepare16_v2(handle, range.utf16(), int(range.size() * qsizetype(sizeof(QChar))), &raw, nullptr)
        != SQLITE_OK)
        return std::nullopt;
    const Statement bounds(raw);
    if (sqlite3_step(raw) != SQLITE_ROW || sqlite3_column_type(raw, 0) != SQLITE_INTEGER)
        return std::nullopt;
    const qint64 first = sqlite3_column_int64(raw, 0), last = sqlite3_column_int64(raw, 1);
    // Unsigned: from the smallest rowid to the largest is more than any
    // signed 64-bit number holds.
    const quint64 width = quint64(last) - quint64(first);
    if (last < first || width < quint64(2 * RowsPerPart))
        return std::nullopt;

    const std::optional<QVariant> mode = singleValue(handle, QStringLiteral("PRAGMA journal_mode"));
    if (!mode || mode->toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    if (!readsWholeTable(handle, parts, params))
        return std::nullopt;
    const std::optional<QVariant> named = singleValue(
        handle,
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE lower(name) IN ('rowid', '_rowid_', 'oid')"),
        table);
    if (!named || named->toLongLong() != 0)
        return std::nullopt;
    const std::optional<qint64> version = dataVersionOf(handle);
    const char* file = sqlite3_db_filename(handle, "main");
    if (!version || !file || !*file)
        return std::nullopt;

    PartPlan plan;
    plan.file = file;
    plan.dataVersion = *version;
    const quint64 count = std::min<quint64>(quint64(std::min(cores, MaxParts)), width / quint64(RowsPerPart));
    plan.ranges = rowidRanges(first, last, int(count));
    return plan;
}

QString partStatement(const Parts& p)
{
    QString s = p.select + QStringLiteral(" WHERE rowid BETWEEN ? AND ?");
    if (!p.condition.isEmpty())
        s += QStringLiteral(" AND (") + p.condition + QLatin1Char(')');
    return s + QStringLiteral(" ORDER BY rowid");
}

// The threads that read parts. Kept, not made per read: every thread new
// to the allocator gets memory of its own, which it keeps after the thread
// is gone.
QThreadPool& partThreads()
{
    static QThreadPool* pool = [] {
#ifdef __GLIBC__
        // A read's columns are large blocks made on one thread and freed on
        // another: each in pages of its own, given back when freed, instead
        // of staying with the thread that made it.
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
        auto* p = new QThreadPool;
        p->setMaxThreadCount(MaxParts);
        return p;
    }();
    return *pool;
}

// Runs readPart(part, handle, statement) for every part of the plan at once,
// each on a read-only connection of its own, on a thread of the pool, with the
// part's range bound ahead of params. True when every part was read through
// and the file did not change meanwhile (as the planning connection sees it).
bool readParts(sqlite3* planner, const PartPlan& plan, const QString& statement, const QVariantList& params,
               const std::function<void(int, sqlite3*, sqlite3_stmt*)>& readPart)
{
    const int parts = int(plan.ranges.size());
    std::vector<char> done(size_t(parts), 0);
    std::latch finished(parts);
    for (int part = 0; part < parts; ++part) {
        partThreads().start([&, part] {
            const auto countDown = qScopeGuard([&] { finished.count_down(); });
            sqlite3* h = nullptr;
            const int opened = sqlite3_open_v2(plan.file.constData(), &h, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                                               nullptr);
            const std::unique_ptr<sqlite3, int (*)(sqlite3*)> handle(h, sqlite3_close_v2);
            if (opened != SQLITE_OK)
                return;
            sqlite3_busy_timeout(h, busyTimeout());
            // A part reads each page once: a page cache would only hold
            // memory while every part runs.
            sqlite3_exec(h, "PRAGMA cache_size = -256", nullptr, nullptr, nullptr);
            try {
                const auto& [first, last] = plan.ranges[size_t(part)];
                const std::optional<Statement> stmt =
                    prepareDirect(h, statement, QVariantList{qlonglong(first), qlonglong(last)} + params);
                if (!stmt)
                    return;
                readPart(part, h, stmt->get());
                done[size_t(part)] = 1;
            } catch (...) {
                // Left to the one read, which reports a failure in its own words.
            }
        });
    }
    finished.wait();
    if (std::find(done.begin(), done.end(), 0) != done.end())
        return false;
    const std::optional<qint64> version = dataVersionOf(planner);
    return version && *version == plan.dataVersion;
}

}  // namespace

ColumnRows Connection::selectColumnsInParts(const Parts& parts, const QVariantList& params, FixedColumn fixed,
                                            const std::vector<SortKey>& sortAfter)
{
    sqlite3* handle = handleOf(db_);
    if (const std::optional<PartPlan> plan = planParts(handle, parts, params)) {
        std::vector<Read> reads(plan->ranges.size());
        const auto readPart = [&](int part, sqlite3* h, sqlite3_stmt* stmt) {
            reads[size_t(part)] = readPrepared(h, stmt, sortAfter);
        };
        if (readParts(handle, *plan, partStatement(parts), params, readPart)) {
            Read read = Read::join(std::move(reads));
            read.sort(sortAfter);
            return columnRowsOf(std::move(read), fixed);
        }
    }
    return selectColumns(parts.statement(), params, fixed, sortAfter);
}

std::optional<int> Connection::scanInParts(const Parts& parts, const QVariantList& params,
                                           const std::function<void(int)>& start,
                                           const std::function<bool(int, const ScanRow&)>& onRow)
{
    sqlite3* handle = handleOf(db_);
    if (const std::optional<PartPlan> plan = planParts(handle, parts, params)) {
        const int count = int(plan->ranges.size());
        start(count);
        std::atomic<bool> stopped{false};
        const auto readPart = [&](int part, sqlite3* h, sqlite3_stmt* stmt) {
            ScanRow row;
            while (!stopped.load(std::memory_order_relaxed) && row.next(h, stmt))
                if (!onRow(part, row))
                    stopped = true;
        };
        if (readParts(handle, *plan, partStatement(parts), params, readPart))
            return count;
    }
    start(1);
    if (!scan(parts.statement(), params, [&](const ScanRow& row) { return onRow(0, row); }))
        return std::nullopt;
    return 1;
}

}  // namespace db
