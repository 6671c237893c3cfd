#include "platform/events.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace events {

namespace {
// The mouse events of a single button: the button pressed or released, and
// for a move the buttons held.
int eventButton(QMouseEvent* e, bool move)
{
    return move ? buttonMask(e->buttons()) : buttonOf(e->button());
}
}  // namespace

int buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int buttonMask(Qt::MouseButtons buttons)
{
    int m = 0;
    if (buttons & Qt::LeftButton)
        m |= 1;
    if (buttons & Qt::RightButton)
        m |= 2;
    if (buttons & Qt::MiddleButton)
        m |= 4;
    return m;
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    int m = 0;
    if (modifiers & Qt::ShiftModifier)
        m |= 1;
    if (modifiers & Qt::ControlModifier)
        m |= 2;
    if (modifiers & Qt::AltModifier)
        m |= 4;
    return m;
}

bool ctrlDown()
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

void onChange(QLineEdit* box, std::function<void()> handler)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [h = std::move(handler)](const QString&) { h(); },
                     Qt::DirectConnection);
}

void onSet(QRadioButton* option, std::function<void()> handler)
{
    QObject::connect(option, &QRadioButton::toggled, option,
                     [h = std::move(handler)](bool on) {
                         if (on)
                             h();
                     },
                     Qt::DirectConnection);
}

void onToggle(QCheckBox* box, std::function<void()> handler)
{
    QObject::connect(box, &QCheckBox::toggled, box, [h = std::move(handler)](bool) { h(); }, Qt::DirectConnection);
}

namespace {

class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> handler) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonDblClick
            && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            handler_();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> handler_;
};

class MouseFilter : public QObject {
public:
    MouseFilter(QObject* parent, MouseHandlers handlers) : QObject(parent), handlers_(std::move(handlers)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        const MouseHandler* h = nullptr;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: h = &handlers_.down; break;
        case QEvent::MouseMove: h = &handlers_.move; break;
        case QEvent::MouseButtonRelease: h = &handlers_.up; break;
        default: return QObject::eventFilter(watched, e);
        }
        auto* me = static_cast<QMouseEvent*>(e);
        if (*h)
            (*h)(eventButton(me, e->type() == QEvent::MouseMove), shiftMask(me->modifiers()), me->position().x(),
                 me->position().y());
        me->accept();
        return true;
    }

private:
    MouseHandlers handlers_;
};

}  // namespace

void onMouse(QWidget* w, MouseHandlers handlers)
{
    w->installEventFilter(new MouseFilter(w, std::move(handlers)));
}

void onDoubleClick(QWidget* w, std::function<void()> handler)
{
    w->installEventFilter(new DoubleClickFilter(w, std::move(handler)));
}

}  // namespace events

// Captions come from team files, the settings store and the user: as markup
// a name could pull in an image and exhaust memory.
ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

void ClickLabel::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    pressedInside_ = true;
    emit MouseDown(events::eventButton(e, false), events::shiftMask(e->modifiers()), e->position().x(), e->position().y());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    const bool wasPressed = pressedInside_;
    const bool afterDouble = inDoubleClick_;
    pressedInside_ = false;
    inDoubleClick_ = false;
    emit MouseUp(events::eventButton(e, false), events::shiftMask(e->modifiers()), e->position().x(), e->position().y());
    // Click and DblClick belong to the left button: a right-click never
    // records a play.
    if (wasPressed && !afterDouble && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    pressedInside_ = true;
    inDoubleClick_ = true;
    if (e->button() == Qt::LeftButton)
        emit DblClick();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit MouseMove(events::eventButton(e, true), events::shiftMask(e->modifiers()), e->position().x(), e->position().y());
}

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
}

void ListBox::setListIndexSilently(int row)
{
    const bool was = blockSignals(true);
    if (row < 0 || row >= count()) {
        setCurrentRow(-1);
        clearSelection();
    } else {
        setCurrentRow(row);
    }
    blockSignals(was);
    viewport()->update();
}

void ListBox::setListIndex(int row)
{
    setListIndexSilently(row);
    emit Click();
}

QString ListBox::itemText(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->text() : QString();
}

int ListBox::rowAt(const QPoint& viewportPos) const
{
    const QModelIndex idx = indexAt(viewportPos);
    return idx.isValid() ? idx.row() : -1;
}

void ListBox::mousePressEvent(QMouseEvent* e)
{
    const int button = events::buttonOf(e->button());
    if (e->button() == Qt::LeftButton) {
        const int row = rowAt(e->position().toPoint());
        const bool was = blockSignals(true);
        QListWidget::mousePressEvent(e);
        blockSignals(was);
        emit MouseDown(button, events::shiftMask(e->modifiers()), e->position().x(), e->position().y());
        if (row >= 0) {
            setListIndexSilently(row);
            emit Click();
        }
        return;
    }
    // Right and middle presses never move the selection.
    e->accept();
    emit MouseDown(button, events::shiftMask(e->modifiers()), e->position().x(), e->position().y());
}

void ListBox::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    emit MouseUp(events::buttonOf(e->button()), events::shiftMask(e->modifiers()), e->position().x(),
                 e->position().y());
}

void ListBox::mouseMoveEvent(QMouseEvent* e)
{
    // No drag-selection: the selection moves only by click or keyboard.
    e->accept();
    emit MouseMove(events::buttonMask(e->buttons()), events::shiftMask(e->modifiers()), e->position().x(),
                   e->position().y());
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    emit DblClick();
}

void ListBox::keyPressEvent(QKeyEvent* e)
{
    const int before = currentRow();
    const bool was = blockSignals(true);
    QListWidget::keyPressEvent(e);
    blockSignals(was);
    if (currentRow() != before && currentRow() >= 0)
        emit Click();
}
