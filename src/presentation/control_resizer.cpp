#include "presentation/control_resizer.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>
#include <climits>
#include <cmath>

namespace layout {

namespace {

// Compound controls place their inner parts themselves; scaling those parts
// would fight that placement (a table's viewport, a combo box's editor).
bool placesOwnParts(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w)
           || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w)
           || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QTabBar*>(w)
           || qobject_cast<const QMenuBar*>(w) || qobject_cast<const QToolBar*>(w)
           || qobject_cast<const QStatusBar*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

bool layoutHolds(const QLayout* l, const QWidget* w)
{
    if (l->menuBar() == w)
        return true;
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem* item = l->itemAt(i);
        if (!item)
            continue;
        if (item->widget() == w)
            return true;
        if (item->layout() && layoutHolds(item->layout(), w))
            return true;
    }
    return false;
}

// Whether the parent, rather than our code, decides the child's geometry.
bool placedByParent(const QWidget* parent, const QWidget* child)
{
    if (qobject_cast<const QTabWidget*>(parent))
        return true;
    if (const QLayout* l = parent->layout())
        return layoutHolds(l, child);
    return false;
}

void collect(const QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        if (!placedByParent(parent, w))
            out.append(w);
        if (!placesOwnParts(w))
            collect(w, out);
    }
}

}  // namespace

QList<QWidget*> controlsOf(const QWidget* window)
{
    QList<QWidget*> out;
    if (window)
        collect(window, out);
    return out;
}

int toWhole(double value)
{
    if (!std::isfinite(value))
        return 0;
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int>(std::clamp(whole, double(INT_MIN), double(INT_MAX)));
}

void setFontPoints(QWidget* widget, double points)
{
    QFont f = widget->font();
    f.setPointSizeF(std::max(1.0, points));
    widget->setFont(f);
}

}  // namespace layout

namespace {

bool hasArea(const QWidget* window)
{
    return window->width() > 0 && window->height() > 0;
}

// The size a window manager restores, the one whose proportion is kept.
bool inNormalState(const QWidget* window)
{
    return !window->isMinimized() && !window->isMaximized() && !window->isFullScreen();
}

}  // namespace

void ControlResizer::InitializeResizer(QWidget* window)
{
    origScaleWidth_ = 0;
    origScaleHeight_ = 0;
    // Maximised or full screen, the window has the screen's proportion, not
    // its own: taken now, it would bring the window back squashed at the
    // restore.
    if (aspectRatio_ > 0.0f && !inNormalState(window))
        return;
    const QRect outer = window->frameGeometry();
    // A window without width has no proportion to keep.
    aspectRatio_ = outer.width() > 0 ? float(outer.height()) / float(outer.width()) : 0.0f;
    // Before its first show a window has no title bar or border yet; holding
    // that client proportion on the framed outer size would take the frame's
    // height off the window at every restore.
    awaitingFrame_ = outer.size() == window->size();
}

void ControlResizer::FormResized(QWidget* window)
{
    // The height set by ApplyResize raises a resize of its own that must not
    // count as the size this resize started from.
    if (inResize_)
        return;
    if (!isRecorded()) {
        // The controls still stand as they did at the size before this
        // resize: recording them against the new size would freeze them
        // (a maximise grows nothing, the restore then shrinks everything).
        const bool earlier = lastSize_.isValid() && !lastSize_.isEmpty() && lastSize_ != window->size();
        CaptureLayout(window, earlier ? lastSize_ : window->size());
        if (earlier && isRecorded())
            ApplyResize(window);
    } else {
        ApplyResize(window);
    }
    if (!window->isMinimized() && hasArea(window))
        lastSize_ = window->size();
    if (inNormalState(window) && hasArea(window))
        normalSize_ = window->size();
}

std::optional<float> ControlResizer::framedProportion(const QWidget* window) const
{
    const QSize frame = window->frameGeometry().size() - window->size();
    // Frame margins reported while maximised may still be the ones of the
    // normal state (or the reverse): only a normal window tells its own.
    if (!awaitingFrame_ || frame.isNull() || !inNormalState(window) || normalSize_.isEmpty())
        return std::nullopt;
    // Until now the kept proportion was the client area's, so the last
    // normal size has it; framed, that size is the one to come back to.
    const QSize outer = normalSize_ + frame;
    return float(outer.height()) / float(outer.width());
}

float ControlResizer::keptProportion(const QWidget* window) const
{
    return framedProportion(window).value_or(aspectRatio_);
}

QSize ControlResizer::keptOuterSize(const QWidget* window) const
{
    const QRect outer = window->frameGeometry();
    int width = outer.width();
    int height = layout::toWhole(float(width) * aspectRatio_);
    // A window that grew past the screen would hide its lower controls and
    // its own edges out of the user's reach: narrow it instead. One already
    // larger than the screen (a small screen at launch) may keep its size.
    if (const QScreen* screen = window->screen()) {
        const QSize area = screen->availableGeometry().size().expandedTo(outer.size());
        if (height > area.height() || width > area.width()) {
            height = std::min(height, area.height());
            width = std::min(area.width(), layout::toWhole(float(height) / aspectRatio_));
            height = layout::toWhole(float(width) * aspectRatio_);
        }
    }
    return {width, height};
}

ControlResizer::ResizeFlags ControlResizer::ParseResizeTag(const QString& tag) const
{
    ResizeFlags flags;
    flags.ResizeFont = fontResize_;
    if (tag.isEmpty() || tag.left(9).toUpper() != QLatin1String("MSIRESIZE"))
        return flags;
    auto on = [&tag](int position) { return tag.size() > position && tag.at(position) == QLatin1Char('Y'); };
    flags.ResizeLeft = on(9);
    flags.ResizeTop = on(10);
    flags.ResizeWidth = on(11);
    flags.ResizeHeight = on(12);
    flags.ResizeFont = on(13);
    return flags;
}

void ControlResizer::CaptureLayout(QWidget* window, QSize scaleSize)
{
    // A minimised or empty window has no size to scale from: stay armed and
    // record at a later resize instead.
    if (window->isMinimized() || !hasArea(window) || scaleSize.isEmpty())
        return;
    origScaleWidth_ = float(scaleSize.width());
    origScaleHeight_ = float(scaleSize.height());
    positions_.clear();
    const QList<QWidget*> controls = layout::controlsOf(window);
    positions_.reserve(size_t(controls.size()));
    for (QWidget* c : controls) {
        ControlPosition p;
        p.control = c;
        const QRect g = c->geometry();
        p.Left = float(g.x());
        p.Top = float(g.y());
        p.Width = float(g.width());
        p.Height = float(g.height());
        const qreal points = c->font().pointSizeF();
        p.FontSize = points > 0 ? float(points) : 0.0f;
        positions_.push_back(p);
    }
}

void ControlResizer::ApplyResize(QWidget* window)
{
    if (inResize_)
        return;
    if (window->isMinimized())
        return;

    // A maximised or full-screen window refuses another height; asking again
    // at every resize would only make the window manager answer in a loop.
    if (keepRatio_ && aspectRatio_ > 0.0f && !window->isMaximized() && !window->isFullScreen()) {
        if (const std::optional<float> framed = framedProportion(window)) {
            aspectRatio_ = *framed;
            awaitingFrame_ = false;
        }
        const QRect outer = window->frameGeometry();
        const QSize kept = keptOuterSize(window);
        const QSize inner(kept.width() - (outer.width() - window->width()),
                          kept.height() - (outer.height() - window->height()));
        if (inner != window->size() && !inner.isEmpty()) {
            // Our own size change raises a resize whose handler calls back in.
            inResize_ = true;
            window->resize(inner);
            inResize_ = false;
        }
    }

    if (!hasArea(window))
        return;
    const float rx = float(window->width()) / origScaleWidth_;
    const float ry = float(window->height()) / origScaleHeight_;
    const float rf = rx >= ry ? ry : rx;

    for (const ControlPosition& p : positions_) {
        QWidget* c = p.control.data();
        if (!c)
            continue;  // destroyed since it was recorded
        const ResizeFlags flags = ParseResizeTag(c->property("Tag").toString());
        if (flags.ResizeFont && p.FontSize > 0.0f)
            layout::setFontPoints(c, double(rf * p.FontSize));
        const QRect g = c->geometry();
        const int left = flags.ResizeLeft ? layout::toWhole(rx * p.Left) : g.x();
        const int top = flags.ResizeTop ? layout::toWhole(ry * p.Top) : g.y();
        const int width = flags.ResizeWidth ? layout::toWhole(rx * p.Width) : g.width();
        const int height = flags.ResizeHeight ? layout::toWhole(ry * p.Height) : g.height();
        c->setGeometry(left, top, width, height);
    }
}
