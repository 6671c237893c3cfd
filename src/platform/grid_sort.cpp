// Sorting the grid's rows: each distinct text ranked once, the rows then
// placed by a counting sort, so a quarter of a million rows sort at once.
#include "platform/grid.h"
#include "platform/grid_internal.h"

#include <algorithm>
#include <numeric>

using namespace grid::detail;

void GridModel::sortRows(int col, bool ascending, bool numeric)
{
    checkCol(col);
    const size_t n = size_t(rows_) - 1;
    if (n < 2)
        return;

    // Each distinct text is ranked once (equal keys share a rank); the rows
    // then go in rank order by a counting sort, which is stable, so rows
    // with equal keys keep their order in either direction.
    const Column& sorted = columns_[size_t(col)];
    const std::vector<QString>& texts = sorted.text.texts;
    struct Key {
        int kind;  // 0 empty, 1 number, 2 text (numeric sorts only)
        double value;
    };
    std::vector<Key> keys(texts.size(), Key{2, 0.0});
    if (numeric) {
        for (size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].trimmed().isEmpty())
                keys[i].kind = 0;
            else if (auto v = numberIn(texts[i]))
                keys[i] = {1, *v};
        }
    }
    auto less = [&](quint32 a, quint32 b) {
        if (keys[a].kind != keys[b].kind)
            return keys[a].kind < keys[b].kind;
        if (keys[a].kind == 1)
            return keys[a].value < keys[b].value;
        return texts[a].compare(texts[b], Qt::CaseInsensitive) < 0;
    };
    std::vector<quint32> byKey(texts.size());
    std::iota(byKey.begin(), byKey.end(), quint32(0));
    std::sort(byKey.begin(), byKey.end(), less);
    std::vector<quint32> rank(texts.size());
    quint32 top = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && less(byKey[i - 1], byKey[i]))
            ++top;
        rank[byKey[i]] = top;
    }
    if (!ascending)
        for (quint32& r : rank)
            r = top - r;

    const std::vector<quint32>& cells = sorted.text.cells;
    std::vector<quint32> start(size_t(top) + 2, 0);
    for (size_t r = 1; r <= n; ++r)
        ++start[rank[cells[r]] + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<quint32> order(n);
    for (size_t r = 1; r <= n; ++r)
        order[start[rank[cells[r]]]++] = quint32(r);

    // The current cell and selection stay where they are (same row numbers),
    // as they do in the grid control.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<quint32> moved;
    auto reorder = [&](std::vector<quint32>& v) {
        if (v.empty())
            return;
        moved.resize(v.size());
        moved[0] = v[0];
        for (size_t i = 0; i < n; ++i)
            moved[i + 1] = v[order[i]];
        v.swap(moved);
    };
    for (Column& c : columns_) {
        reorder(c.text.cells);
        reorder(c.colours);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool GridModel::isNumericColumn(int col) const
{
    checkCol(col);
    const QChar separator = decimalSeparator();
    for (int r = 1; r < rows(); ++r) {
        const QString& t = cell(r, col);
        if (!QStringView(t).trimmed().isEmpty() && !numberIn(t, separator))
            return false;
    }
    return true;
}
