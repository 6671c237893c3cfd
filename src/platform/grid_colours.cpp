// The grid model's cell colours: pairs of back and text colour kept once in
// a palette, a column's cells holding indices into it; column and fixed
// colours; and the text colour that reads on each background, the
// desktop's included.
#include "platform/grid.h"

#include "common/colours.h"

#include <algorithm>

namespace {

QRgb stored(const QColor& c)
{
    return c.isValid() ? c.rgb() : 0;  // rgb() is opaque, hence never 0
}

QColor shown(QRgb v)
{
    return v ? QColor::fromRgb(v) : QColor();
}

}  // namespace

GridModel::CellColours GridModel::cellColours(int row, int col) const
{
    const std::vector<quint32>& c = columns_[size_t(col)].colours;
    return c.empty() ? CellColours{} : palette_[c[size_t(row)]];
}

quint32 GridModel::paletteIndex(CellColours c)
{
    // A grid is coloured run by run with one pair: the last answer is kept.
    if (c.back == lastColours_.back && c.fore == lastColours_.fore)
        return lastIndex_;
    const quint64 key = quint64(c.back) << 32 | c.fore;
    quint32 index = 0;
    if (key != 0) {
        const auto [at, added] = paletteIndex_.try_emplace(key, quint32(palette_.size()));
        if (added)
            palette_.push_back(c);
        index = at->second;
    }
    lastColours_ = c;
    lastIndex_ = index;
    return index;
}

void GridModel::setCellColours(int row, int col, CellColours c)
{
    std::vector<quint32>& v = columns_[size_t(col)].colours;
    const quint32 index = paletteIndex(c);
    if (v.empty())
        v.assign(size_t(rows_), 0);
    v[size_t(row)] = index;
}

QColor GridModel::cellBackColor(int row, int col) const
{
    checkCell(row, col);
    if (QRgb own = cellColours(row, col).back)
        return shown(own);
    return row > 0 ? shown(colBack_[size_t(col)]) : QColor();
}

void GridModel::setCellBackColor(int row, int col, const QColor& c)
{
    checkCell(row, col);
    const QRgb v = stored(c);
    if (!v && columns_[size_t(col)].colours.empty())
        return;
    CellColours now = cellColours(row, col);
    now.back = v;
    setCellColours(row, col, now);
    cellChanged(row, col, {Qt::BackgroundRole});
}

void GridModel::setRangeBackColor(int row1, int col1, int row2, int col2, const QColor& c)
{
    orderRange(row1, col1, row2, col2);
    const QRgb v = stored(c);
    for (int col = col1; col <= col2; ++col) {
        std::vector<quint32>& colours = columns_[size_t(col)].colours;
        if (!v && colours.empty())
            continue;
        if (colours.empty())
            colours.assign(size_t(rows_), 0);
        for (int row = row1; row <= row2; ++row) {
            quint32& cell = colours[size_t(row)];
            cell = paletteIndex({v, palette_[cell].fore});
        }
    }
    if (!redraw_) {
        (row1 == 0 ? headerDirty_ : dataDirty_) = true;
        if (row2 > 0)
            dataDirty_ = true;
    } else {
        if (row1 == 0)
            emit headerDataChanged(Qt::Horizontal, col1, col2);
        if (row2 > 0)
            emit dataChanged(index(std::max(row1, 1) - 1, col1), index(row2 - 1, col2), {Qt::BackgroundRole});
    }
}

QColor GridModel::cellForeColor(int row, int col) const
{
    checkCell(row, col);
    return shown(cellColours(row, col).fore);
}

void GridModel::setCellForeColor(int row, int col, const QColor& c)
{
    checkCell(row, col);
    const QRgb v = stored(c);
    if (!v && columns_[size_t(col)].colours.empty())
        return;
    CellColours now = cellColours(row, col);
    now.fore = v;
    setCellColours(row, col, now);
    cellChanged(row, col, {Qt::ForegroundRole});
}

void GridModel::setColBackColor(int col, const QColor& c)
{
    checkCol(col);
    colBack_[size_t(col)] = stored(c);
    std::vector<quint32>& v = columns_[size_t(col)].colours;
    for (size_t r = 1; r < v.size(); ++r) {
        if (v[r] != 0 && palette_[v[r]].back != 0)
            v[r] = paletteIndex({0, palette_[v[r]].fore});
    }
    if (rows() > 1)
        emit dataChanged(index(0, col), index(rows() - 2, col), {Qt::BackgroundRole});
}

void GridModel::setFixedBackColor(const QColor& c)
{
    fixedBack_ = c;
    if (rows() > 1)
        emit dataChanged(index(0, 0), index(rows() - 2, 0), {Qt::BackgroundRole});
}

void GridModel::setDesktopColours(const QPalette& palette)
{
    fixedFore_ = palette.color(QPalette::ButtonText);
    desktopBase_ = palette.color(QPalette::Base);
    desktopText_ = palette.color(QPalette::Text);
    setFixedBackColor(palette.color(QPalette::Button));
    if (rows() > 1)
        emit dataChanged(index(0, 0), index(rows() - 2, cols_ - 1), {Qt::ForegroundRole});
}

QColor GridModel::foreOn(QRgb ownFore, QRgb back, bool fixedCell) const
{
    if (back) {
        if (ownFore)
            return QColor::fromRgb(ownFore);
        return colours::readableOn(QColor::fromRgb(back));
    }
    if (fixedCell)
        return fixedFore_;
    if (ownFore)
        return colours::readableOr(QColor::fromRgb(ownFore), desktopBase_, desktopText_);
    return {};
}
