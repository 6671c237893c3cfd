#include "common/program_folder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace folder {
namespace {

// Under share/ of a build tree or an install prefix.
constexpr char shippedFolderName[] = "benchdeck";
// What was copied from the shipped folder and the checksum of what was copied:
// a file whose bytes still have that checksum was never changed by the user.
constexpr char recordName[] = ".shipped-files";

QString& overrideFolder()
{
    static QString f;
    return f;
}

QString& overrideShipped()
{
    static QString f;
    return f;
}

// False once a start found the program folder unusable: files it lacks are
// then read from the shipped folder, so the board still shows its pictures.
bool& programFolderUsable()
{
    static bool usable = true;
    return usable;
}

QByteArray checksumOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f))
        return {};
    return hash.result().toHex();
}

// Written whole to a hidden temporary name beside the target and renamed
// over it, so no reader ever meets half a file and an interrupted start
// leaves only the temporary, which the next one writes again. The copy is
// the user's to change, whatever the mode of the file it copies in a read-only
// prefix.
bool copyFile(const QString& from, const QString& to)
{
    const QFileInfo target(to);
    if (!QDir().mkpath(target.absolutePath()))
        return false;
    const QString part = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    QFile in(from);
    QFile out(part);
    bool ok = in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    ok = ok && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    ok = ok && QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)
        // QFile::rename refuses an existing target; rename(2) replaces it at once.
        && std::rename(QFile::encodeName(part).constData(), QFile::encodeName(to).constData()) == 0;
    if (!ok)
        QFile::remove(part);
    return ok;
}

using Record = std::map<QString, QByteArray>;

// One line a file: the checksum, a blank, the path under the folder.
Record readRecord(const QString& program)
{
    Record record;
    QFile f(program + QLatin1Char('/') + QLatin1String(recordName));
    if (!f.open(QIODevice::ReadOnly))
        return record;
    while (!f.atEnd()) {
        QString line = QString::fromUtf8(f.readLine());
        if (line.endsWith(QLatin1Char('\n')))
            line.chop(1);
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank > 0)
            record[line.mid(blank + 1)] = line.left(blank).toLatin1();
    }
    return record;
}

bool writeRecord(const QString& program, const Record& record)
{
    QSaveFile f(program + QLatin1Char('/') + QLatin1String(recordName));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (const auto& [relative, sum] : record)
        f.write(sum + ' ' + relative.toUtf8() + '\n');
    return f.commit();
}

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

void setIdentity()
{
    QCoreApplication::setOrganizationName(QLatin1String(organisationName));
    QCoreApplication::setApplicationName(QLatin1String(applicationName));
}

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    // The organisation and application names spelled out, so the folder is
    // the same whether or not the application was given them yet.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
        + QLatin1String(organisationName) + QLatin1Char('/') + QLatin1String(applicationName);
}

void setProgramFolder(const QString& path)
{
    overrideFolder() = path;
    programFolderUsable() = true;
}

QString shippedFolder()
{
    if (!overrideShipped().isEmpty())
        return overrideShipped();
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString beside = QDir::cleanPath(exeDir + QStringLiteral("/share/") + QLatin1String(shippedFolderName));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(exeDir + QStringLiteral("/../share/") + QLatin1String(shippedFolderName));
}

void setShippedFolder(const QString& path)
{
    overrideShipped() = path;
}

bool fillFromShipped(const QString& shipped, const QString& program)
{
    if (shipped.isEmpty() || !QFileInfo(shipped).isDir())
        return true;
    Record record = readRecord(program);
    const Record before = record;
    bool ok = true;
    const QDir from(shipped);
    QDirIterator it(shipped, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = from.relativeFilePath(source);
        const QString target = resolveUnder(program, relative);
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!present(target))
                ok = QDir().mkpath(target) && ok;
            continue;
        }
        if (!info.isFile())
            continue;
        const QByteArray shippedSum = checksumOf(source);
        const auto copied = record.find(relative);
        if (!present(target)) {
            if (copyFile(source, target))
                record[relative] = shippedSum;
            else
                ok = false;
            continue;
        }
        if (!QFileInfo(target).isFile() || QFileInfo(target).isSymLink())
            continue;
        if (copied != record.end() && copied->second == shippedSum)
            continue;
        const QByteArray targetSum = checksumOf(target);
        if (targetSum == shippedSum) {
            record[relative] = shippedSum;  // the same bytes: ours to update later
        } else if (copied != record.end() && copied->second == targetSum) {
            // Copied earlier and never changed: a newer shipped version replaces it.
            if (copyFile(source, target))
                record[relative] = shippedSum;
            else
                ok = false;
        }
    }
    if (record != before)
        ok = writeRecord(program, record) && ok;
    return ok;
}

bool copyFormerData(const QString& former, const QString& program)
{
    if (former.isEmpty())
        return true;
    const QString oldDatabase = resolveUnder(former, QStringLiteral("ZRQ.mdb"));
    if (!QFileInfo(oldDatabase).isFile() || present(resolveUnder(program, QStringLiteral("ZRQ.mdb"))))
        return true;
    const QFileInfo formerInfo(former), programInfo(program);
    if (formerInfo.canonicalFilePath() == programInfo.canonicalFilePath())
        return true;

    // The reports first and the database last: the database is what tells a
    // later start that this was done.
    bool ok = true;
    const QString oldReports = resolveUnder(former, QStringLiteral("Game Rpts"));
    if (QFileInfo(oldReports).isDir()) {
        const QDir from(oldReports);
        QDirIterator it(oldReports, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target =
                resolveUnder(program, QStringLiteral("Game Rpts/") + from.relativeFilePath(source));
            if (!present(target))
                ok = copyFile(source, target) && ok;
        }
    }
    // A journal left by an interrupted write belongs to the database.
    for (const char* suffix : {"-journal", "-wal"}) {
        const QString journal = oldDatabase + QLatin1String(suffix);
        if (QFileInfo(journal).isFile())
            ok = copyFile(journal, program + QStringLiteral("/ZRQ.mdb") + QLatin1String(suffix)) && ok;
    }
    return ok && copyFile(oldDatabase, program + QStringLiteral("/ZRQ.mdb"));
}

QString prepare(const QString& formerFolder)
{
    const QString program = programFolder();
    programFolderUsable() = false;
    if (!QDir().mkpath(program) || !QFileInfo(program).isDir() || !QFileInfo(program).isWritable())
        return program;
    bool ok = copyFormerData(formerFolder, program);
    ok = fillFromShipped(shippedFolder(), program) && ok;
    const QString reports = resolveUnder(program, QStringLiteral("Game Rpts"));
    if (!present(reports))
        QDir().mkpath(reports);  // an export reports its own failure
    programFolderUsable() = ok;
    return ok ? QString() : program;
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
    const QString own = resolveUnder(programFolder(), relative);
    if (!programFolderUsable() && !present(own)) {
        const QString shipped = resolveUnder(shippedFolder(), relative);
        if (QFileInfo::exists(shipped))
            return shipped;
    }
    return own;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains('/')
        && !name.contains('\\') && !name.contains(QChar('\0'));
}

}  // namespace folder
