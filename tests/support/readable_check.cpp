#include "support/readable_check.h"

#include "common/colours.h"
#include "platform/grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabBar>
#include <functional>

namespace readable {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), light(0xee, 0xee, 0xee);
    for (auto role : {QPalette::Window, QPalette::Button})
        p.setColor(role, window);
    for (auto role : {QPalette::Base, QPalette::ToolTipBase})
        p.setColor(role, base);
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, light);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

DesktopPalette::DesktopPalette(bool dark) : saved_(QApplication::palette())
{
    if (dark)
        QApplication::setPalette(darkPalette());
}

DesktopPalette::~DesktopPalette()
{
    QApplication::setPalette(saved_);
}

namespace {

// The text's pixels are those that change when it is taken away: the
// contrast of each against what lies under it, the strongest counting (the
// core of a stroke, where smoothing leaves the text's own colour).
double drawnContrast(QWidget* w, const std::function<void(bool)>& showText)
{
    const QImage with = w->grab().toImage();
    showText(false);
    const QImage without = w->grab().toImage();
    showText(true);
    double best = 0;
    for (int y = 0; y < std::min(with.height(), without.height()); ++y)
        for (int x = 0; x < std::min(with.width(), without.width()); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                best = std::max(best, colours::contrast(with.pixelColor(x, y), without.pixelColor(x, y)));
    return best;
}

// Within one cell: its commonest colour is the background, the pixel
// farthest from it the text's.
double cellContrast(const QImage& img, QRect r)
{
    r = r.adjusted(1, 1, -2, -2).intersected(img.rect());
    QHash<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++count[img.pixel(x, y)];
    QRgb back = 0;
    int most = -1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            back = it.key();
        }
    double best = 1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        best = std::max(best, colours::contrast(QColor::fromRgb(it.key()), QColor::fromRgb(back)));
    return best;
}

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

void gridTexts(Grid* g, std::vector<Text>& out)
{
    g->clearSelection();
    g->setCurrentIndex({});
    const QImage cells = g->viewport()->grab().toImage();
    const QImage heads = g->horizontalHeader()->grab().toImage();
    for (int c = 0; c < g->cols(); ++c) {
        if (g->isColumnHidden(c))
            continue;
        const QHeaderView* h = g->horizontalHeader();
        if (!g->textMatrix(0, c).isEmpty() && h->sectionViewportPosition(c) < h->width())
            out.push_back({QStringLiteral("%1 header %2").arg(nameOf(g)).arg(c),
                           cellContrast(heads, QRect(h->sectionViewportPosition(c), 0, h->sectionSize(c), h->height()))});
        for (int r = 1; r < std::min(g->rows(), 12); ++r) {
            const QRect rect = g->cellRect(r, c);
            if (g->textMatrix(r, c).trimmed().isEmpty() || !g->viewport()->rect().contains(rect.center()))
                continue;
            out.push_back({QStringLiteral("%1 cell %2,%3").arg(nameOf(g)).arg(r).arg(c), cellContrast(cells, rect)});
        }
    }
}

}  // namespace

std::vector<Text> everyCellOf(Grid& g)
{
    std::vector<Text> out;
    g.clearSelection();
    g.setCurrentIndex({});
    QImage cells;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = 1; c < g.cols(); ++c) {
            if (g.isColumnHidden(c) || g.textMatrix(r, c).trimmed().isEmpty())
                continue;
            if (cells.isNull() || !g.viewport()->rect().contains(g.cellRect(r, c))) {
                g.scrollTo(g.model().index(r - 1, c));
                cells = g.viewport()->grab().toImage();
            }
            out.push_back({QStringLiteral("%1 cell %2,%3 \"%4\"").arg(nameOf(&g)).arg(r).arg(c).arg(g.textMatrix(r, c)),
                           cellContrast(cells, g.cellRect(r, c))});
        }
    return out;
}

std::vector<Text> textsOf(QWidget* window)
{
    std::vector<Text> out;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        // A picture box shows its caption only where it has no picture.
        if (!l->isVisibleTo(window) || l->text().trimmed().isEmpty() || !l->pixmap().isNull() || l->inherits("PictureBox"))
            continue;
        const QString text = l->text();
        out.push_back({nameOf(l), drawnContrast(l, [&](bool on) { l->setText(on ? text : QString()); })});
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().trimmed().isEmpty())
            continue;
        const QString text = b->text();
        out.push_back({nameOf(b), drawnContrast(b, [&](bool on) { b->setText(on ? text : QString()); })});
    }
    for (QLineEdit* e : window->findChildren<QLineEdit*>()) {
        if (!e->isVisibleTo(window))
            continue;
        const QString text = e->text();
        e->setText(QStringLiteral("Typed 123"));
        e->setCursorPosition(0);
        out.push_back({nameOf(e), drawnContrast(e, [&](bool on) { e->setText(on ? QStringLiteral("Typed 123") : QString()); })});
        e->setText(text);
    }
    for (QPlainTextEdit* e : window->findChildren<QPlainTextEdit*>()) {
        if (!e->isVisibleTo(window) || e->toPlainText().isEmpty())
            continue;
        const QString text = e->toPlainText();
        out.push_back({nameOf(e), drawnContrast(e, [&](bool on) { e->setPlainText(on ? text : QString()); })});
    }
    for (QTabBar* t : window->findChildren<QTabBar*>()) {
        if (!t->isVisibleTo(window))
            continue;
        for (int i = 0; i < t->count(); ++i) {
            const QString text = t->tabText(i);
            out.push_back({QStringLiteral("tab %1").arg(text),
                           drawnContrast(t, [&](bool on) { t->setTabText(i, on ? text : QString()); })});
        }
    }
    for (QListWidget* list : window->findChildren<QListWidget*>()) {
        if (!list->isVisibleTo(window))
            continue;
        // Grabbed as a whole: the viewport alone lays its entries out late.
        const QImage img = list->grab().toImage();
        const QPoint offset = list->viewport()->mapTo(list, QPoint());
        for (int i = 0; i < list->count(); ++i)
            // An entry the list shows only in part, at its lower edge, is
            // read once the user scrolls it into view.
            if (!list->item(i)->text().trimmed().isEmpty()
                && list->viewport()->rect().contains(list->visualItemRect(list->item(i))))
                out.push_back({QStringLiteral("%1 entry %2").arg(nameOf(list)).arg(i),
                               cellContrast(img, list->visualItemRect(list->item(i)).translated(offset))});
    }
    for (Grid* g : window->findChildren<Grid*>())
        if (g->isVisibleTo(window))
            gridTexts(g, out);
    return out;
}

QStringList cutCells(const Grid& g)
{
    QStringList cut;
    const QHeaderView* h = g.horizontalHeader();
    const QFontMetrics fm(g.font());
    // The view draws a cell's text inside the focus frame's margin and one
    // pixel more on each side.
    const int margin = 2 * (g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1);
    int shown = 0;
    for (int c = 0; c < g.cols(); ++c)
        if (!g.isColumnHidden(c))
            shown += h->sectionSize(c);
    const int freeRoom = g.viewport()->width() - shown;
    for (int c = 0; c < g.cols(); ++c) {
        if (g.isColumnHidden(c))
            continue;
        const int width = h->sectionSize(c);
        // The header draws in its viewport's font.
        const int headerMargins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        const int headerText = QFontMetrics(h->viewport()->font()).horizontalAdvance(g.textMatrix(0, c));
        if (!g.textMatrix(0, c).isEmpty() && (h->sectionSizeHint(c) > width || headerText + headerMargins > width))
            cut << QStringLiteral("0,%1: %2").arg(c).arg(g.textMatrix(0, c));
        for (int r = 1; r < g.rows(); ++r) {
            const QString text = g.textMatrix(r, c);
            if (text.isEmpty() || fm.horizontalAdvance(text) + margin <= width - 1)
                continue;
            bool figure = !text.isEmpty();
            for (QChar ch : text)
                figure = figure && (ch.isDigit() || QStringLiteral(".,-+:/% ").contains(ch));
            // A name may give way at its end, where the grid has no room for it.
            const int lacking = fm.horizontalAdvance(text) + margin + 1 - width;
            if (figure || freeRoom >= lacking || g.textElideMode() != Qt::ElideRight)
                cut << QStringLiteral("%1,%2: %3").arg(r).arg(c).arg(text);
        }
    }
    return cut;
}

}  // namespace readable
