#pragma once
// The event rules the board relies on, given to every window the same way:
//  - a text box's Change runs inside the write, only when the text differs
//    (QLineEdit::textChanged, direct connection: onChange below);
//  - an option button's Click runs when it is set from code and clears the
//    others of its group (onSet below, on toggled(true));
//  - a check box's Click runs when its value changes (onToggle below);
//  - a list's Click runs once per selection from code (ListBox::setListIndex)
//    and once per user click or keyboard move, never both for one selection;
//  - labels and pictures raise Click, DblClick, MouseDown, MouseMove, MouseUp
//    (ClickLabel).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <functional>

namespace events {

// Button is the sum of 1 (left), 2 (right), 4 (middle); Shift the sum of
// 1 (Shift), 2 (Ctrl), 4 (Alt).
int buttonMask(Qt::MouseButtons buttons);
int buttonOf(Qt::MouseButton button);
int shiftMask(Qt::KeyboardModifiers modifiers);
// Whether Ctrl is held right now.
bool ctrlDown();

void onChange(QLineEdit* box, std::function<void()> handler);
void onSet(QRadioButton* option, std::function<void()> handler);
void onToggle(QCheckBox* box, std::function<void()> handler);
// A text box's DblClick (a left double-click), which Qt's boxes do not raise.
void onDoubleClick(QWidget* w, std::function<void()> handler);

// MouseDown, MouseMove and MouseUp of a frame or window, which Qt's frames do
// not raise: (button, shift, x, y) as a label's. The events handled stop at
// the widget. A second press of a double-click is a MouseDown too.
using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
struct MouseHandlers {
    MouseHandler down;
    MouseHandler move;
    MouseHandler up;
};
void onMouse(QWidget* w, MouseHandlers handlers);

}  // namespace events

// A label or picture that raises the mouse events the board's handlers take.
// Its text is plain text, never markup.
// Qt delivers press, release, double-click, release: the double-click raises
// DblClick only, never a second Click.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

    // A hidden text carried besides the caption (replaced pitcher, a piece's
    // player name).
    QString hiddenText;

signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool pressedInside_ = false;
    bool inDoubleClick_ = false;
};

// A lineup list. Code selects through setListIndex, which sets the row with
// signals blocked and raises Click itself; a user's click (a re-click of the
// selected entry too) or keyboard move raises Click from the view's own
// events. A right-click never moves the selection.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int listIndex() const { return currentRow(); }
    // Select a row from code (-1 clears) and raise Click once.
    void setListIndex(int row);
    // Select without raising anything.
    void setListIndexSilently(int row);
    QString itemText(int row) const;
    // The entry under a point of the viewport, or -1.
    int rowAt(const QPoint& viewportPos) const;

signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};
