#pragma once
// How controls are given their fonts and back colours, the same way in every
// window, so the look never depends on the desktop theme.
#include <QFont>
#include <QString>

class QAbstractButton;
class QWidget;

namespace look {

// The family a font of the named one is drawn in: the named one where the
// desktop has it, else a face of the same metrics that it has.
QString family(const QString& wanted);

// A font of the family (as family() gives it) at a size in points, bold or not.
QFont font(const QString& family, double points, bool bold = false);
void setFont(QWidget* w, const QString& family, double points, bool bold = false);

// The font made smaller, a quarter point at a time and to no less than
// `smallest` points, until the text fits the room in pixels.
QFont shrunkToFit(QFont f, const QString& text, int room, double smallest);

// Paints a control's back colour (&H00BBGGRR) behind black text and keeps
// the value readable as its "backColor" property. A list colours its
// entries' area.
void setBackColour(QWidget* w, unsigned bgr);

// An option button painted in one colour while chosen and another while not:
// the colour follows the button's state as it paints, with no restyle when
// the choice moves, and "backColor" follows it too.
void setBackColoursByChoice(QAbstractButton* w, unsigned unchosen, unsigned chosen);

// Rules every window shares, installed once for the application: a tooltip
// shows its text as plain text in the desktop's tooltip colours, whatever the
// colours of its control; check boxes and option circles draw a white box
// with a black mark on any panel colour, so an unticked one stays visible.
void useReadableLook();

// Markup that shows the text as it is where Qt guesses the format (tooltips).
QString plainMarkup(const QString& text);

// Every label inside the window shows its text as plain text.
void plainLabels(QWidget* window);

// A text a program step writes into a text box of the window shows from its
// beginning (a long team name from its first letter), unless the user is
// typing in that box.
void showTextFromStart(QWidget* window);

}  // namespace look
