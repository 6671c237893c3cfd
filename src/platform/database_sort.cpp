// The order a read applies after reading, in place of an ORDER BY that
// would make SQLite sort whole rows through temporary storage.
#include "platform/database_reader.h"

#include <algorithm>
#include <numeric>

namespace db {

using namespace detail;

namespace detail {

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

}  // namespace detail

void Connection::Read::noteKeys(const std::vector<SortKey>& order)
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

void Connection::Read::sort(const std::vector<SortKey>& order)
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
}  // namespace db
