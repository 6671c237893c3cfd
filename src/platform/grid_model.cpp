// The grid model's cell storage: each column's texts held once and its
// cells as indices into them, the header row counted as row 0; the change
// notifications the view takes; the alignments and what each role shows.
#include "platform/grid.h"
#include "platform/grid_internal.h"

#include "common/colours.h"
#include "common/guard.h"

#include <QBrush>
#include <algorithm>
#include <utility>

using namespace grid::detail;

namespace {

void checkCode(int code)
{
    if (code < 0 || code > GeneralAlignment)
        errors::raise(errors::InvalidPropertyValue);
}

}  // namespace

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
