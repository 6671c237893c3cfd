// The column store a result is read into: each column's distinct texts
// once, each cell an index into them.
#include "platform/database_reader.h"

#include <QHash>
#include <array>
#include <cstring>
#include <iterator>
#include <string>

namespace db {

using namespace detail;

namespace {

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

}  // namespace

Connection::Read Connection::Read::join(std::vector<Read> parts)
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

}  // namespace db
