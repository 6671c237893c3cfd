#include "platform/grid.h"

#include "platform/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <climits>
#include <cmath>

// The view: the program's row and column numbers over Qt's, row heights in
// twips, the current cell, the clip text.

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
