#pragma once
// SQLite's order of stored values, as ORDER BY and GROUP BY compare them:
// NULL first, then numbers by value, then texts byte by byte, then blobs;
// and its NOCASE comparison of texts. Shared by everything that orders or
// groups rows it read itself instead of asking SQLite to, so that the
// result is the statement's.
#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace db {

// NOCASE folds the ASCII capitals only: "É" and "é" stay two letters.
constexpr char foldedCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Texts as NOCASE compares them: byte by byte with the capitals folded, a
// shorter text before a longer one it begins.
inline int compareCaseless(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(foldedCase(a[i])), y = static_cast<unsigned char>(foldedCase(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size();
}

// A stored value as ORDER BY compares it.
struct SortValue {
    enum Rank { Null, Number, Text, Blob };
    Rank rank = Null;
    bool isReal = false;
    qint64 whole = 0;
    double real = 0;
    std::string bytes;
};

inline int compareNumbers(const SortValue& a, const SortValue& b)
{
    if (!a.isReal && !b.isReal)
        return a.whole < b.whole ? -1 : a.whole > b.whole;
    // Exact for every 64-bit integer, as SQLite compares the two kinds.
    const long double x = a.isReal ? a.real : static_cast<long double>(a.whole);
    const long double y = b.isReal ? b.real : static_cast<long double>(b.whole);
    return x < y ? -1 : x > y;
}

// caseless: for a field declared COLLATE NOCASE.
inline int compareValues(const SortValue& a, const SortValue& b, bool caseless)
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

}  // namespace db
