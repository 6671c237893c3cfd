#include "support/test_environment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QtGlobal>
#include <unistd.h>

namespace testenv {

void preferOffscreen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    // The offscreen screen is 800 x 800 unless told otherwise; the board is
    // laid out for the screen it starts on, so tests get a common desktop's.
    const QString config = QDir::temp().filePath(QStringLiteral("benchdeck-test-screen-1920x1080.json"));
    if (!QFile::exists(config)) {
        // Test programs start side by side: each writes its own copy and
        // renames it into place, so none reads a half-written file.
        const QString mine = config + QStringLiteral(".%1").arg(qint64(getpid()));
        QFile f(mine);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(R"({"screens":[{"name":"test","x":0,"y":0,"width":1920,"height":1080,)"
                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
            f.close();
            if (!QFile::rename(mine, config))
                QFile::remove(mine);
        }
    }
    qputenv("QT_QPA_PLATFORM", QFile::exists(config) ? "offscreen:configfile=" + QFile::encodeName(config) : "offscreen");
}

void pinForTests()
{
    preferOffscreen();
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
}

}  // namespace testenv
