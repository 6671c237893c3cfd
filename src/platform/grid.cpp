#include "platform/grid.h"

#include "common/guard.h"
#include "platform/twips.h"

#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <climits>
#include <numeric>
#include <optional>

namespace {

constexpr int InvalidRowValue = 30009;
constexpr int InvalidColValue = 30010;
constexpr int GeneralAlignment = 9;

const QString& emptyText()
{
    static const QString empty;
    return empty;
}

QRgb stored(const QColor& c)
{
    return c.isValid() ? c.rgb() : 0;  // rgb() is opaque, hence never 0
}

QColor shown(QRgb v)
{
    return v ? QColor::fromRgb(v) : QColor();
}

// A cell counts as a number when it reads strictly as one: blanks around,
// an optional sign, digits with at most one decimal point ("." or the
// user's separator, which formatted columns use), no exponent. Read without
// allocating: a sort reads every cell of a large column.
std::optional<double> numberIn(QStringView text, QChar separator)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 64)
        return std::nullopt;
    char buf[72];
    int n = 0;
    bool digit = false, point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch >= u'0' && ch <= u'9') {
            digit = true;
            buf[n++] = char(ch);
        } else if ((ch == u'.' || ch == separator.unicode()) && !point) {
            point = true;
            buf[n++] = '.';
        } else if ((ch == u'+' || ch == u'-') && i == 0) {
            if (ch == u'-')
                buf[n++] = '-';
        } else {
            return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(buf, buf + n, v);
    if (ec != std::errc() || end != buf + n || !std::isfinite(v))
        return std::nullopt;
    return v;
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
    : QAbstractTableModel(parent), rows_(1), colBack_(1, 0), align_(1, GeneralAlignment), alignFixed_(1, -1),
      fixedBack_(0xF0, 0xF0, 0xF0)
{
}

int GridModel::rows() const { return int(rows_.size()); }
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
    if (n > old) {
        beginInsertRows({}, old - 1, n - 2);
        rows_.resize(size_t(n));
        endInsertRows();
    } else if (n < old) {
        beginRemoveRows({}, n - 1, old - 2);
        rows_.resize(size_t(n));
        endRemoveRows();
    }
}

void GridModel::setCols(int n)
{
    if (n < 1)
        throw ProgramError(InvalidColValue, QStringLiteral("Invalid Col value"));
    const int old = cols_;
    if (n > old) {
        beginInsertColumns({}, old, n - 1);
        cols_ = n;
        colBack_.resize(size_t(n), 0);
        align_.resize(size_t(n), GeneralAlignment);
        alignFixed_.resize(size_t(n), -1);
        endInsertColumns();
    } else if (n < old) {
        beginRemoveColumns({}, n, old - 1);
        cols_ = n;
        colBack_.resize(size_t(n));
        align_.resize(size_t(n));
        alignFixed_.resize(size_t(n));
        // Cut what lay beyond, so a later widening shows empty cells.
        for (Row& r : rows_) {
            if (r.text.size() > n)
                r.text.resize(n);
            if (r.colours.size() > size_t(n))
                r.colours.resize(size_t(n));
        }
        endRemoveColumns();
    }
}

const QString& GridModel::cell(int row, int col) const
{
    const QStringList& t = rows_[size_t(row)].text;
    return col < t.size() ? t[col] : emptyText();
}

QString GridModel::textMatrix(int row, int col) const
{
    checkCell(row, col);
    return cell(row, col);
}

void GridModel::cellChanged(int row, int col, std::initializer_list<int> roles)
{
    if (!redraw_) {
        dirty_ = true;
        return;
    }
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(row - 1, col);
        emit dataChanged(i, i, QList<int>(roles));
    }
}

void GridModel::setTextMatrix(int row, int col, const QString& text)
{
    checkCell(row, col);
    QStringList& t = rows_[size_t(row)].text;
    if (col >= t.size()) {
        if (text.isEmpty())
            return;
        t.resize(col + 1);
    } else if (t[col] == text) {
        return;
    }
    t[col] = text;
    cellChanged(row, col, {Qt::DisplayRole, Qt::TextAlignmentRole});
}

QString GridModel::rangeText(int row1, int col1, int row2, int col2) const
{
    checkCell(row1, col1);
    checkCell(row2, col2);
    if (row1 > row2)
        std::swap(row1, row2);
    if (col1 > col2)
        std::swap(col1, col2);
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

void GridModel::setDataRows(std::vector<QStringList> rows)
{
    beginResetModel();
    rows_.resize(1);
    rows_.reserve(rows.size() + 1);
    for (QStringList& t : rows) {
        if (t.size() > cols_)
            t.resize(cols_);
        rows_.push_back(Row{std::move(t), {}});
    }
    endResetModel();
}

void GridModel::clearData()
{
    beginResetModel();
    rows_.resize(1);
    endResetModel();
}

GridModel::CellColours GridModel::cellColours(int row, int col) const
{
    const auto& c = rows_[size_t(row)].colours;
    return size_t(col) < c.size() ? c[size_t(col)] : CellColours{};
}

GridModel::CellColours& GridModel::cellColoursForWrite(int row, int col)
{
    auto& c = rows_[size_t(row)].colours;
    if (size_t(col) >= c.size()) {
        // Rows are coloured cell by cell across: one allocation per row.
        if (c.capacity() == 0)
            c.reserve(size_t(cols_));
        c.resize(size_t(col) + 1);
    }
    return c[size_t(col)];
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
    if (!v && size_t(col) >= rows_[size_t(row)].colours.size())
        return;
    cellColoursForWrite(row, col).back = v;
    cellChanged(row, col, {Qt::BackgroundRole});
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
    if (!v && size_t(col) >= rows_[size_t(row)].colours.size())
        return;
    cellColoursForWrite(row, col).fore = v;
    cellChanged(row, col, {Qt::ForegroundRole});
}

void GridModel::setColBackColor(int col, const QColor& c)
{
    checkCol(col);
    colBack_[size_t(col)] = stored(c);
    for (size_t r = 1; r < rows_.size(); ++r) {
        auto& cc = rows_[r].colours;
        if (size_t(col) < cc.size())
            cc[size_t(col)].back = 0;
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

void GridModel::sortRows(int col, bool ascending, bool numeric)
{
    checkCol(col);
    const size_t n = rows_.size() - 1;
    if (n < 2)
        return;

    // Keys computed once: reading numbers inside the comparison would
    // dominate the sort of a large result.
    // Texts are case-folded once here, so the comparison itself is a plain
    // compare of code units.
    struct Key {
        int kind;  // 0 empty, 1 number, 2 text (numeric sorts only)
        double value;
        QString folded;
    };
    std::vector<Key> keys(n);
    const QChar separator = decimalSeparator();
    for (size_t i = 0; i < n; ++i) {
        const QString& t = cell(int(i + 1), col);
        Key& k = keys[i];
        k.kind = 2;
        k.value = 0.0;
        if (numeric) {
            if (QStringView(t).trimmed().isEmpty())
                k.kind = 0;
            else if (auto v = numberIn(t, separator)) {
                k.kind = 1;
                k.value = *v;
            }
        }
        if (k.kind == 2)
            k.folded = t.toCaseFolded();
    }
    auto less = [&](const Key& a, const Key& b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (a.kind == 1)
            return a.value < b.value;
        return QStringView(a.folded).compare(QStringView(b.folded)) < 0;
    };
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));
    if (ascending)
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return less(keys[a], keys[b]); });
    else
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return less(keys[b], keys[a]); });

    // The current cell and selection stay where they are (same row numbers),
    // as they do in the grid control.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    sorted.push_back(std::move(rows_[0]));
    for (size_t i : order)
        sorted.push_back(std::move(rows_[i + 1]));
    rows_ = std::move(sorted);
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
    if (on && dirty_) {
        dirty_ = false;
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        if (rows() > 1)
            emit dataChanged(index(0, 0), index(rows() - 2, cols_ - 1));
    }
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
    if (!index.isValid() || index.row() + 1 >= rows() || index.column() >= cols_)
        return {};
    const int row = index.row() + 1;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cell(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(align_[size_t(col)], cell(row, col)));
    case Qt::BackgroundRole: {
        QRgb v = cellColours(row, col).back;
        if (!v)
            v = colBack_[size_t(col)];
        if (v)
            return QBrush(QColor::fromRgb(v));
        if (col == 0)
            return QBrush(fixedBack_);
        return {};
    }
    case Qt::ForegroundRole:
        if (QRgb v = cellColours(row, col).fore)
            return QBrush(QColor::fromRgb(v));
        return {};
    default:
        return {};
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
    case Qt::ForegroundRole:
        if (QRgb v = cellColours(0, section).fore)
            return QBrush(QColor::fromRgb(v));
        return {};
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

    model_.setFixedBackColor(palette().color(QPalette::Button));
    applyRowHeights();

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { emit cellClicked(i.row() + 1, i.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit cellDoubleClicked(i.row() + 1, i.column()); });
    connect(h, &QHeaderView::sectionDoubleClicked, this, [this](int col) { emit headerDoubleClicked(col); });

    // A model reset lets the header re-initialise its sections (it starts
    // afresh when the count differs); our widths and hidden columns are
    // given again after it (connected after the view's own reset).
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { applyColumnWidths(); });
    connect(&model_, &QAbstractItemModel::columnsInserted, this, [this](const QModelIndex&, int first, int last) {
        widthsTwips_.insert(widthsTwips_.begin() + first, size_t(last - first + 1), -1);
    });
    connect(&model_, &QAbstractItemModel::columnsRemoved, this, [this](const QModelIndex&, int first, int last) {
        widthsTwips_.erase(widthsTwips_.begin() + first, widthsTwips_.begin() + last + 1);
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
    const int tw = widthsTwips_[size_t(col)];
    QHeaderView* h = horizontalHeader();
    if (tw == 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    h->resizeSection(col, tw < 0 ? h->defaultSectionSize() : std::max(1, twips::toPx(tw)));
}

void Grid::applyColumnWidths()
{
    for (int c = 0; c < int(widthsTwips_.size()); ++c)
        applyColumnWidth(c);
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
        applyRowHeights();
    }
    else if (e->type() == QEvent::PaletteChange)
        model_.setFixedBackColor(palette().color(QPalette::Button));
}
