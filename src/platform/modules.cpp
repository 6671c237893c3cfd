#include "platform/modules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace platform::detail {

QFunctionPointer moduleEntry(const char* fileName, const char* entry, QString* why)
{
    const QString here = QCoreApplication::applicationDirPath();
    QString reason = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(fileName));
    for (const QString& dir : {here + QStringLiteral("/lib/benchdeck"), here + QStringLiteral("/../lib/benchdeck")}) {
        // Never unloaded: what it made may live until the end.
        QLibrary module(dir + QLatin1Char('/') + QLatin1String(fileName));
        if (!QFileInfo::exists(module.fileName()))
            continue;
        if (!module.load()) {
            reason = module.errorString();
            continue;
        }
        if (const QFunctionPointer f = module.resolve(entry))
            return f;
        reason = module.errorString();
    }
    if (why)
        *why = reason;
    return nullptr;
}

}  // namespace platform::detail
