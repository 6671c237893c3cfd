#include "presentation/program_icon.h"

#include "common/program_folder.h"

#include <QApplication>
#include <QPixmap>

QIcon programIcon()
{
    const QPixmap p(folder::resolve(QStringLiteral("Benchdeck.png")));
    return p.isNull() ? QIcon() : QIcon(p);
}

void useProgramIcon()
{
    const QIcon icon = programIcon();
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}
