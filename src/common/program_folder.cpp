#include "common/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace folder {
namespace {

QString& overrideFolder()
{
    static QString f;
    return f;
}

}  // namespace

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& path)
{
    overrideFolder() = path;
}

QString resolveUnder(const QString& base, const QString& relative)
{
    QString rel = relative;
    rel.replace('\\', '/');
    const QStringList parts = rel.split('/', Qt::SkipEmptyParts);
    QString current = base;
    bool exists = QFileInfo(current).isDir();
    for (const QString& part : parts) {
        QString next = current + '/' + part;
        if (exists && !QFileInfo::exists(next)) {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                                | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + '/' + e;
                    break;
                }
            }
        }
        exists = exists && QFileInfo::exists(next);
        current = next;
    }
    return current;
}

QString resolve(const QString& relative)
{
    return resolveUnder(programFolder(), relative);
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains('/')
        && !name.contains('\\') && !name.contains(QChar('\0'));
}

}  // namespace folder
