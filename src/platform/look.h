#pragma once
// How controls are given their fonts and back colours, the same way in every
// window, so the look never depends on the desktop theme.
#include <QFont>
#include <QString>

class QWidget;

namespace look {

// A font of the family at a size in points, bold or not.
QFont font(const QString& family, double points, bool bold = false);
void setFont(QWidget* w, const QString& family, double points, bool bold = false);

// Paints a control's back colour (&H00BBGGRR) behind black text and keeps
// the value readable as its "backColor" property. A list colours its
// entries' area.
void setBackColour(QWidget* w, unsigned bgr);

}  // namespace look
