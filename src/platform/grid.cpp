#include "platform/grid.h"

#include "common/colours.h"
#include "common/numbers.h"

#include "common/guard.h"
#include "platform/twips.h"

#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <climits>
#include <numeric>
#include <optional>
#include <utility>

namespace {

constexpr int InvalidRowValue = 30009;
constexpr int InvalidColValue = 30010;
constexpr int GeneralAlignment = 9;
constexpr quint32 Unmapped = 0xFFFFFFFFu;

QRgb stored(const QColor& c)
{
    return c.isValid() ? c.rgb() : 0;  // rgb() is opaque, hence never 0
}

QColor shown(QRgb v)
{
    return v ? QColor::fromRgb(v) : QColor();
}

// A cell counts as a number when it reads strictly as one ("." or the
// user's separator, which formatted columns use).
std::optional<double> numberIn(QStringView text, QChar separator)
{
    const auto n = num::plain(text, separator);
    return n ? std::optional<double>(n->value) : std::nullopt;
}

QChar decimalSeparator()
{
    const QString sep = QLocale().decimalPoint();
    return sep.size() == 1 ? sep.front() : QChar(u'.');
}

std::optional<double> numberIn(const QString& text)
{
    return numberIn(text, decimalSeparator());
}

void checkCode(int code)
{
    if (code < 0 || code > GeneralAlignment)
        errors::raise(errors::InvalidPropertyValue);
}

}  // namespace

// ---------------------------------------------------------------- GridModel

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent), columns_(1), colBack_(1, 0), align_(1, GeneralAlignment), alignFixed_(1, -1),
      fixedBack_(0xF0, 0xF0, 0xF0)
{
    columns_[0].text.cells.assign(1, 0);
}

int GridModel::rows() const { return rows_; }
int GridModel::cols() const { return cols_; }

void GridModel::checkRow(int row) const
{
    if (row < 0 || row >= rows())
        throw ProgramError(InvalidRowValue, QStringLiteral("Invalid Row value"));
}

void GridModel::checkCol(int col) const
{
    if (col < 0 || col >= cols_)
        throw ProgramError(InvalidColValue, QStringLiteral("Invalid Col value"));
}

void GridModel::checkCell(int row, int col) const
{
    checkRow(row);
    checkCol(col);
}

void GridModel::setRows(int n)
{
    if (n < 1)
        throw ProgramError(InvalidRowValue, QStringLiteral("Invalid Row value"));
    const int old = rows();
    if (n == old)
        return;
    if (n > old)
        beginInsertRows({}, old - 1, n - 2);
    else
        beginRemoveRows({}, n - 1, old - 2);
    for (Column& c : columns_) {
        c.text.cells.resize(size_t(n), 0);
        if (!c.colours.empty())
            c.colours.resize(size_t(n), 0);
    }
    rows_ = n;
    if (n > old)
        endInsertRows();
    else
        endRemoveRows();
}

void GridModel::setCols(int n)
{
    if (n < 1)
        throw ProgramError(InvalidColValue, QStringLiteral("Invalid Col value"));
    const int old = cols_;
    if (n > old) {
        beginInsertColumns({}, old, n - 1);
        cols_ = n;
        columns_.resize(size_t(n));
        for (int c = old; c < n; ++c)
            columns_[size_t(c)].text.cells.assign(size_t(rows_), 0);
        colBack_.resize(size_t(n), 0);
        align_.resize(size_t(n), GeneralAlignment);
        alignFixed_.resize(size_t(n), -1);
        endInsertColumns();
    } else if (n < old) {
        beginRemoveColumns({}, n, old - 1);
        // What lay beyond goes, so a later widening shows empty cells.
        cols_ = n;
        columns_.resize(size_t(n));
        colBack_.resize(size_t(n));
        align_.resize(size_t(n));
        alignFixed_.resize(size_t(n));
        endRemoveColumns();
    }
}

const QString& GridModel::cell(int row, int col) const
{
    return columns_[size_t(col)].text.at(size_t(row));
}

QString GridModel::textMatrix(int row, int col) const
{
    checkCell(row, col);
    return cell(row, col);
}

void GridModel::cellChanged(int row, int col, std::initializer_list<int> roles)
{
    if (!redraw_) {
        (row == 0 ? headerDirty_ : dataDirty_) = true;
        return;
    }
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(row - 1, col);
        emit dataChanged(i, i, QList<int>(roles));
    }
}

quint32 GridModel::addText(Column& c, const QString& text)
{
    // A written cell gets a text of its own (never shared with the cells
    // that hold the same text), so a column rewritten many times keeps
    // texts nothing uses any more; they go once they outnumber the rows.
    if (c.text.texts.size() > 2 * size_t(rows_) + 64)
        compactTexts(c);
    c.text.texts.push_back(text);
    return quint32(c.text.texts.size() - 1);
}

void GridModel::compactTexts(Column& c)
{
    std::vector<quint32> moved(c.text.texts.size(), Unmapped);
    moved[0] = 0;
    std::vector<QString> kept{QString()};
    for (quint32& i : c.text.cells) {
        if (moved[i] == Unmapped) {
            moved[i] = quint32(kept.size());
            kept.push_back(c.text.texts[i]);
        }
        i = moved[i];
    }
    c.text.texts.swap(kept);
}

void GridModel::setTextMatrix(int row, int col, const QString& text)
{
    checkCell(row, col);
    Column& c = columns_[size_t(col)];
    if (c.text.at(size_t(row)) == text)
        return;
    const quint32 added = text.isEmpty() ? 0 : addText(c, text);
    c.text.cells[size_t(row)] = added;
    cellChanged(row, col, {Qt::DisplayRole, Qt::TextAlignmentRole});
}

void GridModel::orderRange(int& row1, int& col1, int& row2, int& col2) const
{
    checkCell(row1, col1);
    checkCell(row2, col2);
    if (row1 > row2)
        std::swap(row1, row2);
    if (col1 > col2)
        std::swap(col1, col2);
}

QString GridModel::rangeText(int row1, int col1, int row2, int col2) const
{
    orderRange(row1, col1, row2, col2);
    QString out;
    for (int r = row1; r <= row2; ++r) {
        if (r > row1)
            out += QLatin1Char('\n');
        for (int c = col1; c <= col2; ++c) {
            if (c > col1)
                out += QLatin1Char('\t');
            out += cell(r, c);
        }
    }
    return out;
}

void GridModel::freshColumns(size_t dataRows)
{
    for (Column& old : columns_) {
        // Fresh containers, so the old rows' storage is given back, not kept
        // as spare capacity.
        Column fresh;
        fresh.text.cells.assign(dataRows + 1, 0);
        if (const QString& head = old.text.at(0); !head.isEmpty()) {
            fresh.text.texts.push_back(head);
            fresh.text.cells[0] = 1;
        }
        if (!old.colours.empty() && old.colours[0] != 0) {
            fresh.colours.assign(dataRows + 1, 0);
            fresh.colours[0] = old.colours[0];
        }
        old = std::move(fresh);
    }
    rows_ = int(dataRows + 1);
}

void GridModel::setDataRows(std::vector<QStringList> rows)
{
    beginResetModel();
    freshColumns(rows.size());
    // Rows made by the database's select() share one text per distinct
    // value: a text seen lately in the column keeps its index. Equal texts
    // held apart are simply kept apart.
    struct Seen {
        const QChar* data = nullptr;
        qsizetype size = 0;
        quint32 index = 0;
    };
    constexpr size_t Recent = 1024;
    std::vector<Seen> seen(Recent * size_t(cols_));
    for (size_t r = 0; r < rows.size(); ++r) {
        QStringList& row = rows[r];
        const int n = std::min(int(row.size()), cols_);
        for (int col = 0; col < n; ++col) {
            QString& t = row[col];
            if (t.isEmpty())
                continue;
            TextColumn& c = columns_[size_t(col)].text;
            Seen& s = seen[size_t(col) * Recent + (quintptr(t.constData()) >> 4) % Recent];
            if (s.data != t.constData() || s.size != t.size()) {
                s = {t.constData(), t.size(), quint32(c.texts.size())};
                c.texts.push_back(std::move(t));
            }
            c.cells[r + 1] = s.index;
        }
        QStringList().swap(row);
    }
    endResetModel();
}

void GridModel::setDataColumns(std::vector<TextColumn> columns, size_t rows)
{
    beginResetModel();
    // The header cells alone first: the given columns take the rows' place
    // without empty rows made for them in between.
    freshColumns(0);
    for (size_t col = 0; col < columns_.size(); ++col) {
        Column& column = columns_[col];
        if (!column.colours.empty())
            column.colours.resize(rows + 1, 0);
        TextColumn& c = column.text;
        if (col >= columns.size()) {
            c.cells.resize(rows + 1, 0);
            continue;
        }
        TextColumn given = std::move(columns[col]);
        given.cells.resize(rows, 0);
        // The header cell goes in front; its text after the given ones.
        const quint32 head = c.cells[0];
        given.cells.insert(given.cells.begin(), head ? quint32(given.texts.size()) : 0);
        if (head)
            given.texts.push_back(c.texts[head]);
        c = std::move(given);
    }
    rows_ = int(rows + 1);
    endResetModel();
}

void GridModel::clearData()
{
    beginResetModel();
    freshColumns(0);
    endResetModel();
}

void GridModel::mapDataTexts(int col, const std::function<QString(const QString&)>& f)
{
    checkCol(col);
    if (rows_ < 2)
        return;
    Column& c = columns_[size_t(col)];
    std::vector<QString>& texts = c.text.texts;
    std::vector<quint32>& cells = c.text.cells;
    std::vector<quint32> mapped(texts.size(), Unmapped);
    std::vector<QString> shown{QString()};
    if (cells[0] != 0) {
        shown.push_back(texts[cells[0]]);
        cells[0] = 1;
    }
    for (size_t r = 1; r < cells.size(); ++r) {
        quint32& i = cells[r];
        if (mapped[i] == Unmapped) {
            QString t = f(texts[i]);
            if (t.isEmpty()) {
                mapped[i] = 0;
            } else {
                mapped[i] = quint32(shown.size());
                shown.push_back(std::move(t));
            }
        }
        i = mapped[i];
    }
    texts.swap(shown);
    if (!redraw_)
        dataDirty_ = true;
    else
        emit dataChanged(index(0, col), index(rows_ - 2, col), {Qt::DisplayRole, Qt::TextAlignmentRole});
}

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

int GridModel::colAlignment(int col) const
{
    checkCol(col);
    return align_[size_t(col)];
}

void GridModel::setColAlignment(int col, int code)
{
    checkCode(code);
    if (col == -1) {
        std::fill(align_.begin(), align_.end(), code);
        if (rows() > 1)
            emit dataChanged(index(0, 0), index(rows() - 2, cols_ - 1), {Qt::TextAlignmentRole});
        return;
    }
    checkCol(col);
    align_[size_t(col)] = code;
    if (rows() > 1)
        emit dataChanged(index(0, col), index(rows() - 2, col), {Qt::TextAlignmentRole});
}

int GridModel::colAlignmentFixed(int col) const
{
    checkCol(col);
    return alignFixed_[size_t(col)];
}

void GridModel::setColAlignmentFixed(int col, int code)
{
    checkCode(code);
    if (col == -1) {
        std::fill(alignFixed_.begin(), alignFixed_.end(), code);
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        return;
    }
    checkCol(col);
    alignFixed_[size_t(col)] = code;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

Qt::Alignment GridModel::alignmentOf(int code, const QString& text)
{
    if (code == GeneralAlignment)
        return Qt::AlignVCenter | (numberIn(text) ? Qt::AlignRight : Qt::AlignLeft);
    static const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[code / 3] | down[code % 3];
}

GridModel::TextExtent GridModel::textExtent(int col, const QFontMetricsF& fm) const
{
    checkCol(col);
    const TextColumn& c = columns_[size_t(col)].text;
    const quint32 header = c.cells.empty() ? 0 : c.cells[0];
    // Figures, signs and separators of numbers, dates and times.
    auto isFigure = [](QChar ch) {
        const char16_t u = ch.unicode();
        return (u >= u'0' && u <= u'9') || u == u'.' || u == u',' || u == u'-' || u == u'+' || u == u':' ||
               u == u'/' || u == u'%' || u == u' ';
    };
    // A Latin-1 text is as wide as its letters' advances or a little less
    // (kerning only draws letters closer): a sum of looked-up advances, so
    // a column of a quarter of a million texts is measured in one pass.
    std::array<qreal, 256> advance;
    advance.fill(-1);
    TextExtent e;
    for (size_t i = 1; i < c.texts.size(); ++i) {
        const QString& t = c.texts[i];
        qreal width = 0;
        bool latin1 = true;
        bool figures = true;
        for (QChar ch : t) {
            figures = figures && isFigure(ch);
            const char16_t u = ch.unicode();
            if (u > 0xFF) {
                latin1 = false;
                break;
            }
            qreal& a = advance[u];
            if (a < 0)
                a = fm.horizontalAdvance(ch);
            width += a;
        }
        if (!latin1) {
            figures = false;
            width = fm.horizontalAdvance(t);
        }
        if (!figures && i != header)
            e.figures = false;
        e.widest = std::max(e.widest, int(std::ceil(width)));
    }
    return e;
}

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

void GridModel::setRedraw(bool on)
{
    redraw_ = on;
    if (!on)
        return;
    // The header only when it changed: a header refresh lays the view out
    // again and paints it a second time.
    if (std::exchange(headerDirty_, false))
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (std::exchange(dataDirty_, false) && rows() > 1)
        emit dataChanged(index(0, 0), index(rows() - 2, cols_ - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows() - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    QModelRoleData one(role);
    multiData(index, one);
    return one.data();
}

void GridModel::multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const
{
    if (!index.isValid() || index.row() + 1 >= rows() || index.column() >= cols_) {
        for (QModelRoleData& d : roleDataSpan)
            d.clearData();
        return;
    }
    const int row = index.row() + 1;
    const int col = index.column();
    const QString& text = cell(row, col);
    const CellColours own = cellColours(row, col);
    const QRgb back = own.back ? own.back : colBack_[size_t(col)];
    for (QModelRoleData& d : roleDataSpan) {
        switch (d.role()) {
        case Qt::DisplayRole:
            d.setData(text);
            break;
        case Qt::TextAlignmentRole:
            d.setData(QVariant::fromValue(alignmentOf(align_[size_t(col)], text)));
            break;
        case Qt::BackgroundRole:
            if (back)
                d.setData(QBrush(QColor::fromRgb(back)));
            else if (col == 0)
                d.setData(QBrush(fixedBack_));
            else
                d.clearData();
            break;
        case Qt::ForegroundRole:
            if (const QColor fore = foreOn(own.fore, back, col == 0); fore.isValid())
                d.setData(QBrush(fore));
            else
                d.clearData();
            break;
        default:
            d.clearData();
            break;
        }
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= cols_)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(0, section);
    case Qt::TextAlignmentRole:
        if (alignFixed_[size_t(section)] < 0)
            return {};
        return QVariant::fromValue(alignmentOf(alignFixed_[size_t(section)], cell(0, section)));
    case Qt::BackgroundRole:
        if (QRgb v = cellColours(0, section).back)
            return QBrush(QColor::fromRgb(v));
        return {};
    case Qt::ForegroundRole: {
        // The header stands on the desktop's button colour.
        const CellColours own = cellColours(0, section);
        if (own.back)
            return QBrush(foreOn(own.fore, own.back, false));
        if (own.fore)
            return QBrush(colours::readableOr(QColor::fromRgb(own.fore), fixedBack_, fixedFore_));
        return {};
    }
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The program floats its own editor over a cell; the view never edits.
    if (index.column() == 0)
        return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

// --------------------------------------------------------------------- Grid

Grid::Grid(QWidget* parent) : QTableView(parent), widthsTwips_(1, -1)
{
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);

    // Uniform row heights: the view never measures rows, so a result of a
    // quarter of a million rows shows at once.
    QHeaderView* v = verticalHeader();
    v->hide();
    v->setMinimumSectionSize(1);
    v->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* h = horizontalHeader();
    h->setMinimumSectionSize(1);
    h->setHighlightSections(false);
    h->setStretchLastSection(false);
    // A header click selects nothing (selecting a whole column of a large
    // result would be costly and the program has no use for it); the
    // double-click still reaches the program.
    h->setSectionsClickable(false);

    model_.setDesktopColours(palette());
    applyRowHeights();

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { emit cellClicked(i.row() + 1, i.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit cellDoubleClicked(i.row() + 1, i.column()); });
    connect(h, &QHeaderView::sectionDoubleClicked, this, [this](int col) { emit headerDoubleClicked(col); });

    // A model reset lets the header re-initialise its sections (it starts
    // afresh when the count differs); our widths and hidden columns are
    // given again after it (connected after the view's own reset).
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        forgetExtents(0, cols() - 1, true);
        applyColumnWidths();
    });
    connect(&model_, &QAbstractItemModel::columnsInserted, this, [this](const QModelIndex&, int first, int last) {
        widthsTwips_.insert(widthsTwips_.begin() + first, size_t(last - first + 1), -1);
        forgetExtents(first, cols() - 1, true);
        fitColumns();
    });
    connect(&model_, &QAbstractItemModel::columnsRemoved, this, [this](const QModelIndex&, int first, int last) {
        widthsTwips_.erase(widthsTwips_.begin() + first, widthsTwips_.begin() + last + 1);
        forgetExtents(first, cols() - 1, true);
        fitColumns();
    });
    // New texts may need more room than their column has.
    connect(&model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
                    return;
                forgetExtents(from.column(), to.column(), false);
                fitColumns();
            });
    connect(&model_, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation, int first, int last) {
        forgetExtents(first, last, true);
        fitColumns();
    });
}

Grid::~Grid()
{
    // Let go of the model before it, a member, is destroyed under the view.
    setModel(nullptr);
}

void Grid::setCols(int n)
{
    model_.setCols(n);
}

int Grid::colWidth(int col) const
{
    model_.checkCol(col);
    const int tw = widthsTwips_[size_t(col)];
    if (tw >= 0)
        return tw;
    return int(std::lround(twips::fromPx(horizontalHeader()->sectionSize(col))));
}

void Grid::setColWidth(int col, int twipsWidth)
{
    model_.checkCol(col);
    widthsTwips_[size_t(col)] = twipsWidth < 0 ? -1 : twipsWidth;
    applyColumnWidth(col);
}

void Grid::applyColumnWidth(int col)
{
    setColumnHidden(col, widthsTwips_[size_t(col)] == 0);
    fitColumns();
}

void Grid::applyColumnWidths()
{
    for (int c = 0; c < int(widthsTwips_.size()); ++c)
        setColumnHidden(c, widthsTwips_[size_t(c)] == 0);
    fitColumns();
}

int Grid::givenPx(int col) const
{
    const int tw = widthsTwips_[size_t(col)];
    return tw < 0 ? horizontalHeader()->defaultSectionSize() : std::max(1, twips::toPx(tw * widthScale_));
}

void Grid::setWidthScale(double factor)
{
    if (factor <= 0 || factor == widthScale_)
        return;
    widthScale_ = factor;
    fitColumns();
}

void Grid::forgetExtents(int firstCol, int lastCol, bool headerToo)
{
    extents_.resize(size_t(cols()), {-1, true});
    headerPx_.resize(size_t(cols()), -1);
    for (int c = std::max(0, firstCol); c <= lastCol && c < cols(); ++c) {
        extents_[size_t(c)].widest = -1;
        if (headerToo)
            headerPx_[size_t(c)] = -1;
    }
}

void Grid::fitColumns()
{
    // Resizing a section can come back here through the view's own layout.
    if (fitting_)
        return;
    if (fitHolds_ > 0) {
        fitWanted_ = true;
        return;
    }
    fitting_ = true;
    const int n = cols();
    extents_.resize(size_t(n), {-1, true});
    headerPx_.resize(size_t(n), -1);
    QHeaderView* h = horizontalHeader();
    // A cell draws its text inside the focus frame's margin, one pixel more
    // on each side, and left of the grid line.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    const QFontMetricsF fm(font());
    std::vector<int> width(size_t(n), 0), wanted(size_t(n), 0);
    int used = 0;
    for (int c = 0; c < n; ++c) {
        if (widthsTwips_[size_t(c)] == 0)
            continue;
        GridModel::TextExtent& e = extents_[size_t(c)];
        if (e.widest < 0) {
            e = model_.textExtent(c, fm);
            if (e.widest > 0)
                e.widest += margins;
        }
        int& header = headerPx_[size_t(c)];
        if (header < 0)
            header = model_.textMatrix(0, c).isEmpty() ? 0 : h->sectionSizeHint(c);
        const int least = std::max(givenPx(c), header);
        width[size_t(c)] = e.figures ? std::max(least, e.widest) : least;
        wanted[size_t(c)] = std::max(width[size_t(c)], e.widest);
        used += width[size_t(c)];
    }
    const QScrollBar* bar = verticalScrollBar();
    int free = contentsRect().width() - (bar->isVisibleTo(this) ? bar->sizeHint().width() : 0) - used;
    for (int c = 0; c < n && free > 0; ++c) {
        const int more = std::min(free, wanted[size_t(c)] - width[size_t(c)]);
        width[size_t(c)] += more;
        free -= more;
    }
    for (int c = 0; c < n; ++c)
        if (widthsTwips_[size_t(c)] != 0 && h->sectionSize(c) != width[size_t(c)])
            h->resizeSection(c, width[size_t(c)]);
    fitting_ = false;
}

void Grid::holdFitting()
{
    ++fitHolds_;
}

void Grid::releaseFitting()
{
    if (fitHolds_ == 0 || --fitHolds_ > 0 || !fitWanted_)
        return;
    fitWanted_ = false;
    fitColumns();
}

void Grid::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    fitColumns();
}

void Grid::applyRowHeights()
{
    const int dataPx = dataRowTwips_ >= 0 ? std::max(1, twips::toPx(dataRowTwips_)) : fontMetrics().height() + 4;
    verticalHeader()->setDefaultSectionSize(dataPx);
    if (headerTwips_ >= 0)
        horizontalHeader()->setFixedHeight(std::max(1, twips::toPx(headerTwips_)));
    else {
        horizontalHeader()->setMinimumHeight(0);
        horizontalHeader()->setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

int Grid::rowHeightTwips() const
{
    if (dataRowTwips_ >= 0)
        return dataRowTwips_;
    return int(std::lround(twips::fromPx(verticalHeader()->defaultSectionSize())));
}

void Grid::setRowHeightTwips(int twipsHeight)
{
    dataRowTwips_ = std::max(0, twipsHeight);
    headerTwips_ = std::max(0, twipsHeight);
    applyRowHeights();
}

void Grid::setDataRowHeightTwips(int twipsHeight)
{
    dataRowTwips_ = std::max(0, twipsHeight);
    applyRowHeights();
}

int Grid::headerHeightTwips() const
{
    if (headerTwips_ >= 0)
        return headerTwips_;
    return int(std::lround(twips::fromPx(horizontalHeader()->sizeHint().height())));
}

void Grid::setHeaderHeightTwips(int twipsHeight)
{
    headerTwips_ = std::max(0, twipsHeight);
    applyRowHeights();
}

int Grid::currentRowIndex() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int Grid::currentColIndex() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void Grid::setCurrentCell(int row, int col)
{
    model_.checkCell(row, col);
    if (row == 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex i = model_.index(row - 1, col);
    const auto how = (model_.flags(i) & Qt::ItemIsSelectable) ? QItemSelectionModel::ClearAndSelect
                                                               : QItemSelectionModel::Clear;
    selectionModel()->setCurrentIndex(i, how);
}

QString Grid::clipText() const
{
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QItemSelectionRange& r : selectionModel()->selection()) {
        top = std::min(top, r.top());
        bottom = std::max(bottom, r.bottom());
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    }
    // The fixed column is never part of a selection.
    if (bottom >= 0 && left == 0)
        left = 1;
    if (bottom < 0 || left > right) {
        const QModelIndex i = currentIndex();
        if (!i.isValid())
            return {};
        return model_.textMatrix(i.row() + 1, i.column());
    }
    return model_.rangeText(top + 1, left, bottom + 1, right);
}

QRect Grid::cellRect(int row, int col) const
{
    model_.checkCell(row, col);
    if (row == 0) {
        const QHeaderView* h = horizontalHeader();
        return QRect(h->sectionViewportPosition(col), -h->height(), h->sectionSize(col), h->height());
    }
    return visualRect(model_.index(row - 1, col));
}

void Grid::updateGeometries()
{
    // Laying its children out, the scroll area raises the frames of both
    // scroll bars; with both shown they trade places every time, and each
    // trade repaints both bars and the window behind them though nothing
    // moved: a repaint on every refresh of the grid. The trades are kept
    // off the screen; a frame that moved, was resized, shown or hidden is
    // repainted where it was and where it is. A bar's own changes (range,
    // position) repaint the bar as ever.
    QWidget* frames[] = {horizontalScrollBar()->parentWidget(), verticalScrollBar()->parentWidget()};
    struct Before {
        QRect geometry;
        bool visible;
        bool blocked;
    } before[2];
    for (int i = 0; i < 2; ++i) {
        before[i] = {frames[i]->geometry(), frames[i]->isVisible(), frames[i]->testAttribute(Qt::WA_UpdatesDisabled)};
        frames[i]->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    QTableView::updateGeometries();
    for (int i = 0; i < 2; ++i) {
        QWidget* f = frames[i];
        f->setAttribute(Qt::WA_UpdatesDisabled, before[i].blocked);
        if (f->geometry() != before[i].geometry || f->isVisible() != before[i].visible) {
            update(before[i].geometry);
            update(f->geometry());
        }
    }
}

void Grid::keyPressEvent(QKeyEvent* e)
{
    emit keyDown(e->key(), e->modifiers());
    // Enter belongs to the grid (the program opens its editor on it); left
    // unhandled it would reach a dialog's default button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void Grid::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        // Under a style sheet Qt no longer hands a font down to children: the
        // header kept the desktop's larger font, and its row lost the
        // underscores ("VIS Player").
        horizontalHeader()->setFont(font());
        // The header paints on its viewport, which keeps its own font the
        // same way: "Errors" was drawn in the desktop's wider font and cut.
        horizontalHeader()->viewport()->setFont(font());
        applyRowHeights();
        forgetExtents(0, cols() - 1, true);
        fitColumns();
    }
    else if (e->type() == QEvent::PaletteChange)
        model_.setDesktopColours(palette());
}
