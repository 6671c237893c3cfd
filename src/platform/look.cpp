#include "platform/look.h"

#include "common/colours.h"

#include <QListWidget>
#include <QWidget>

namespace look {

QFont font(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void setFont(QWidget* w, const QString& family, double points, bool bold)
{
    w->setFont(font(family, points, bold));
}

void setBackColour(QWidget* w, unsigned bgr)
{
    w->setProperty("backColor", bgr);
    const QString c = colours::fromBgr(bgr).name();
    if (qobject_cast<QListWidget*>(w))
        w->setStyleSheet(QStringLiteral("QListWidget { color: black; background-color: %1; }").arg(c));
    else
        w->setStyleSheet(QStringLiteral("color: black; background-color: %1;").arg(c));
}

}  // namespace look
