#pragma once
// How the board's clickable labels answer the mouse (a border while a button
// is held, a hover colour, the resting colour again), and the arithmetic of
// dragging a panel over the board.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

class QLabel;
class QWidget;

namespace feedback {

// The desktop's button face, as the link labels' resting colour is written.
constexpr unsigned ButtonFace = 0x8000000F;
constexpr unsigned LinkHover = 0x00FFFFFF;

// A label's back colour (&H00BBGGRR, or ButtonFace) and border (0 none,
// 1 fixed single), readable as its "backColor" and "borderStyle" properties.
unsigned backColor(const QWidget* label);
int borderStyle(const QWidget* label);

// Each writes the label's look only when the value changes: a style-sheet
// write re-polishes the label, and the board asks for these on every mouse
// move. Neither changes the label's size.
void setBackColor(QLabel* label, unsigned bgr);
void setBorderStyle(QLabel* label, int style);

// The text colour a label keeps under every back colour ("black" unless set).
void setTextColour(QLabel* label, const QString& css);

// The outcome labels of the play panel, in the order the reset restores them.
struct OutcomeLabel {
    const char* name;
    unsigned resting;
    unsigned hover;
};
const std::array<OutcomeLabel, 17>& outcomeLabels();
// Where a panel stands after a centred drag step: its centre moves to the
// pointer (given relative to the panel's top-left corner), but never past an
// edge of the board, so a panel can always be reached again.
QPoint centredDragTo(const QRect& panel, const QPointF& pointer, const QSize& board);

// A pointer position rounded to whole units, halves to the even neighbour.
QPoint roundedPoint(double x, double y);

}  // namespace feedback
