#include "support/test_environment.h"

#include <QLocale>
#include <QStandardPaths>
#include <QtGlobal>

namespace testenv {

void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void pinForTests()
{
    preferOffscreen();
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
}

}  // namespace testenv
