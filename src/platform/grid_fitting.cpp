// Fitting the view's columns: the given widths, widened where a figure or
// a field name would not show whole, names given the free room; the texts
// measured once per change.
#include "platform/grid.h"

#include "platform/twips.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <array>
#include <cmath>

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
