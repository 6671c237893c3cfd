#include "common/program_folder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace folder {
namespace {

// Under share/ of a build tree or an install prefix.
constexpr char shippedFolderName[] = "benchdeck";
// What was copied from the shipped folder and the checksum of what was copied:
// a file whose bytes still have that checksum was never changed by the user.
constexpr char recordName[] = ".shipped-files";
// Held by the start that fills the folder, so two starts never write at once.
constexpr char lockName[] = ".start-lock";
// How long a start waits for another one filling the folder before it goes
// on with what is there.
constexpr int lockWaitMs = 2000;
constexpr char databaseName[] = "ZRQ.mdb";

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

// An earlier version's database the last start saw but did not copy.
QString& formerDatabase()
{
    static QString path;
    return path;
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

// A file descriptor closed with its owner.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    int fd_;
};

bool isLinkAt(int dirFd, const QByteArray& name)
{
    struct stat st {};
    return ::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
}

// The folder `components` under the folder open as `root`, made where
// missing, opened one component at a time and never through a link: a
// planted link cannot take a write of the start out of the program folder.
// `linked` tells a caller that a component is a link (the user's own, left
// alone) rather than something that failed.
Fd openFolder(int root, const QStringList& components, bool* linked = nullptr)
{
    Fd fd(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    for (const QString& component : components) {
        if (!fd.valid())
            return fd;
        const QByteArray name = QFile::encodeName(component);
        int next = ::openat(fd.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && (::mkdirat(fd.get(), name.constData(), 0777) == 0 || errno == EEXIST))
            next = ::openat(fd.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && linked)
            *linked = isLinkAt(fd.get(), name);
        fd = Fd(next);
    }
    return fd;
}

// Removes what an interrupted start left of its temporary copies of `name`
// (only ever called by the start holding the lock, so none is in use).
void removeLeftovers(int dirFd, const QByteArray& name)
{
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return;
    }
    const QByteArray prefix = '.' + name + '.';
    while (const dirent* e = ::readdir(dir)) {
        // ".name.part" (earlier versions) or ".name.XXXXXX.part".
        const QByteArray entry(e->d_name);
        if (entry == prefix + "part"
            || (entry.size() == prefix.size() + 11 && entry.startsWith(prefix) && entry.endsWith(".part")))
            ::unlinkat(dirFd, entry.constData(), 0);
    }
    ::closedir(dir);
}

// A temporary file of this start's own beside `name`, made new (never an
// existing file, never through a link).
std::optional<std::pair<Fd, QByteArray>> makeTemporary(int dirFd, const QByteArray& name)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temp = '.' + name + '.';
        for (int i = 0; i < 6; ++i)
            temp += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)];
        temp += ".part";
        const int fd =
            ::openat(dirFd, temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            return std::make_pair(Fd(fd), temp);
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

// The checksum of an open file's bytes, read from its start.
QByteArray checksumOfOpen(int fd)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {};
        if (n == 0)
            break;
        hash.addData(QByteArrayView(buffer, n));
    }
    return hash.result().toHex();
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Puts the temporary in place of `name` once its bytes are on disk and read
// back with the checksum `expected`; an interrupted or failed copy leaves
// only a temporary, which the next start removes. rename(2) replaces a link
// at `name` itself, never what it points to.
bool putInPlace(int dirFd, Fd out, const QByteArray& temp, const QByteArray& name, const QByteArray& expected)
{
    bool ok = ::fsync(out.get()) == 0 && !expected.isEmpty() && checksumOfOpen(out.get()) == expected;
    out.reset();
    ok = ok && ::renameat(dirFd, temp.constData(), dirFd, name.constData()) == 0;
    if (!ok)
        ::unlinkat(dirFd, temp.constData(), 0);
    else
        ::fsync(dirFd);
    return ok;
}

// Copies the file `from` to `name` in the folder open as `dirFd`. A file
// migrated from an earlier version keeps its mode; a shipped copy is made as
// any new file, with the mode the umask gives. Returns the checksum of what
// was copied, or nothing when the copy failed.
QByteArray copyInto(const QString& from, int dirFd, const QByteArray& name, bool keepMode)
{
    Fd in(::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC));
    struct stat source {};
    if (!in.valid() || ::fstat(in.get(), &source) != 0 || !S_ISREG(source.st_mode))
        return {};
    removeLeftovers(dirFd, name);
    auto temp = makeTemporary(dirFd, name);
    if (!temp)
        return {};
    auto& [out, tempName] = *temp;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    bool ok = !keepMode || ::fchmod(out.get(), source.st_mode & 07777) == 0;
    char buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        hash.addData(QByteArrayView(buffer, n));
        ok = writeAll(out.get(), buffer, n);
    }
    const QByteArray sum = ok ? hash.result().toHex() : QByteArray();
    return putInPlace(dirFd, std::move(out), tempName, name, sum) ? sum : QByteArray();
}

bool writeBytesInto(int dirFd, const QByteArray& name, const QByteArray& bytes)
{
    removeLeftovers(dirFd, name);
    auto temp = makeTemporary(dirFd, name);
    if (!temp)
        return false;
    auto& [out, tempName] = *temp;
    const bool ok = writeAll(out.get(), bytes.constData(), bytes.size());
    const QByteArray sum = ok ? QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() : QByteArray();
    return putInPlace(dirFd, std::move(out), tempName, name, sum);
}

// Copies `from` to `relative` under the folder open as `root`, making its
// folders. Returns the checksum of what was copied, or nothing when it was
// not: on failure, or (`linked`) because a folder on the way is a link.
QByteArray copyUnder(const QString& from, int root, const QString& relative, bool keepMode, bool* linked = nullptr)
{
    QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(parts.takeLast());
    const Fd dir = openFolder(root, parts, linked);
    return dir.valid() ? copyInto(from, dir.get(), name, keepMode) : QByteArray();
}

bool isChecksum(QByteArrayView sum)
{
    return sum.size() == 64
        && std::all_of(sum.begin(), sum.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A name that fits on one line of a record or of the shipped sums.
bool isOneLine(const QString& relative)
{
    return !relative.isEmpty() && !relative.contains(QLatin1Char('\n')) && !relative.contains(QLatin1Char('\r'));
}

using Record = std::map<QString, QByteArray>;

// One line a file: the checksum, `separator`, the path under the folder. A
// line of any other form, or a second line for one path, is not taken;
// `refused` tells that there was one.
Record readSums(const QByteArray& bytes, const QByteArray& separator, bool* refused)
{
    Record record;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        const QByteArray sum = line.left(64);
        const QString relative = QString::fromUtf8(line.mid(sum.size() + separator.size()));
        const bool taken = isChecksum(sum) && line.mid(64).startsWith(separator) && isOneLine(relative)
            && record.emplace(relative, sum).second;
        if (!taken && refused)
            *refused = true;
    }
    return record;
}

Record readRecord(int root, bool* refused)
{
    Fd fd(::openat(root, recordName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    QFile f;
    if (!fd.valid() || !f.open(fd.get(), QIODevice::ReadOnly))
        return {};
    return readSums(f.readAll(), " ", refused);
}

bool writeRecord(int root, const Record& record)
{
    QByteArray bytes;
    for (const auto& [relative, sum] : record)
        bytes += sum + ' ' + relative.toUtf8() + '\n';
    return writeBytesInto(root, recordName, bytes);
}

// The sums the build wrote beside the shipped files; empty without them.
Record readShippedSums(const QString& shipped)
{
    QFile f(shipped + QLatin1Char('/') + QLatin1String(shippedSumsName));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return readSums(f.readAll(), "  ", nullptr);
}

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The path of `target` under `base` ("Teams/x.txt").
QString relativeTo(const QString& base, const QString& target)
{
    return target.mid(base.size() + 1);
}

// One start at a time fills the program folder; held until destroyed. A
// start that meets another one filling it waits a moment and then goes on
// with what is there.
class StartLock {
public:
    explicit StartLock(int root)
    {
        constexpr int flags = O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC;
        fd_ = Fd(::openat(root, lockName, flags, 0600));
        // A link in its place is taken away, never followed.
        if (!fd_.valid() && errno == ELOOP && ::unlinkat(root, lockName, 0) == 0)
            fd_ = Fd(::openat(root, lockName, flags, 0600));
        if (!fd_.valid())
            return;
        QElapsedTimer waited;
        waited.start();
        while (!(held_ = ::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) && errno == EWOULDBLOCK
               && waited.elapsed() < lockWaitMs)
            QThread::msleep(20);
    }
    bool held() const { return held_; }
    bool made() const { return fd_.valid(); }

private:
    Fd fd_;
    bool held_ = false;
};

bool fill(const QString& shippedFolder, const QString& program, int root)
{
    if (shippedFolder.isEmpty() || !QFileInfo(shippedFolder).isDir())
        return true;
    // Relative paths under it are taken from the iterator's: both absolute.
    const QString shipped = QFileInfo(shippedFolder).absoluteFilePath();
    bool refused = false;
    const Record before = readRecord(root, &refused);
    const Record sums = readShippedSums(shipped);
    // Only what ships now is kept: a record line of a file no longer shipped goes.
    Record record;
    bool ok = true;
    const QDir from(shipped);
    QDirIterator it(shipped, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = from.relativeFilePath(source);
        if (relative == QLatin1String(shippedSumsName))
            continue;
        const QString target = resolveUnder(program, relative);
        const QString targetRelative = relativeTo(program, target);
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            bool linked = false;
            if (!openFolder(root, targetRelative.split(QLatin1Char('/'), Qt::SkipEmptyParts), &linked).valid()
                && !linked)
                ok = false;
            continue;
        }
        if (!info.isFile())
            continue;
        // A name that cannot be one line of the record is copied when
        // missing and otherwise left alone, so no start rewrites the record.
        const bool recorded = isOneLine(relative);
        const auto copied = before.find(relative);
        if (recorded && copied != before.end())
            record[relative] = copied->second;
        const auto summed = sums.find(relative);
        // Hashed only when the build wrote no sum for it.
        QByteArray knownSum;
        const auto shippedSum = [&]() -> const QByteArray& {
            if (knownSum.isEmpty())
                knownSum = summed != sums.end() ? summed->second : checksumOf(source);
            return knownSum;
        };
        // A link the user put in place of a shipped folder is the user's:
        // nothing is written through it.
        bool linked = false;
        if (!present(target)) {
            const QByteArray sum = copyUnder(source, root, targetRelative, false, &linked);
            if (sum.isEmpty())
                ok = ok && linked;
            else if (recorded)
                record[relative] = sum;
            continue;
        }
        if (!recorded || !QFileInfo(target).isFile() || QFileInfo(target).isSymLink())
            continue;
        // The usual start: the copy is current, and nothing is hashed.
        if (copied != before.end() && copied->second == shippedSum())
            continue;
        const QByteArray targetSum = checksumOf(target);
        if (targetSum == shippedSum()) {
            record[relative] = targetSum;  // the same bytes: ours to update later
        } else if (copied != before.end() && copied->second == targetSum) {
            // Copied earlier and never changed: a newer shipped version replaces it.
            const QByteArray sum = copyUnder(source, root, targetRelative, false, &linked);
            if (sum.isEmpty())
                ok = ok && linked;
            else
                record[relative] = sum;
        }
    }
    if (record != before || refused)
        ok = writeRecord(root, record) && ok;
    return ok;
}

// Copies an earlier version's database and reports; returns what could not
// be copied.
QStringList copyFormer(const QString& former, const QString& program, int root)
{
    if (former.isEmpty())
        return {};
    const QString oldDatabase = resolveUnder(former, QLatin1String(databaseName));
    if (!QFileInfo(oldDatabase).isFile() || present(resolveUnder(program, QLatin1String(databaseName))))
        return {};
    if (QFileInfo(former).canonicalFilePath() == QFileInfo(program).canonicalFilePath())
        return {};

    QStringList failed;
    const QString oldReports = resolveUnder(former, QStringLiteral("Game Rpts"));
    if (QFileInfo(oldReports).isDir()) {
        const QDir from(oldReports);
        QDirIterator it(oldReports, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target =
                resolveUnder(program, QStringLiteral("Game Rpts/") + from.relativeFilePath(source));
            if (!present(target) && copyUnder(source, root, relativeTo(program, target), true).isEmpty())
                failed << source;
        }
    }

    // Whatever a journal of another database left here would be replayed
    // over the copy: with no database beside it, it belongs to none.
    const QByteArray name(databaseName);
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        ::unlinkat(root, (name + suffix).constData(), 0);
    // A journal left by an interrupted write belongs to the database and is
    // in place before it: the database's arrival is what tells a later
    // start that the copy was made, so nothing of it may come after.
    bool ok = true;
    for (const char* suffix : {"-journal", "-wal"}) {
        const QString journal = oldDatabase + QLatin1String(suffix);
        if (ok && QFileInfo(journal).isFile()) {
            ok = !copyInto(journal, root, name + suffix, true).isEmpty();
            if (!ok)
                failed << journal;
        }
    }
    if (ok && copyInto(oldDatabase, root, name, true).isEmpty())
        failed << oldDatabase;
    return failed;
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
    formerDatabase().clear();
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
    const Fd root(::open(QFile::encodeName(program).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return root.valid() && fill(shipped, program, root.get());
}

QStringList copyFormerData(const QString& former, const QString& program)
{
    const Fd root(::open(QFile::encodeName(program).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!root.valid())
        return {program};
    return copyFormer(former, program, root.get());
}

QString waitingFormerDatabase()
{
    const QString& former = formerDatabase();
    if (former.isEmpty() || present(resolveUnder(programFolder(), QLatin1String(databaseName)))
        || !QFileInfo(former).isFile())
        return QString();
    return former;
}

QString prepare(const QString& formerFolder)
{
    const QString program = programFolder();
    programFolderUsable() = false;
    formerDatabase().clear();
    if (!QDir().mkpath(program) || !QFileInfo(program).isDir() || !QFileInfo(program).isWritable())
        return program;
    const Fd root(::open(QFile::encodeName(program).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const StartLock lock(root.valid() ? root.get() : -1);
    if (!lock.made())
        return program;
    if (!formerFolder.isEmpty()) {
        const QString oldDatabase = resolveUnder(formerFolder, QLatin1String(databaseName));
        if (QFileInfo(oldDatabase).isFile())
            formerDatabase() = oldDatabase;
    }
    if (!lock.held()) {
        // Another start is filling the folder: what it has not copied yet
        // is read from the shipped folder, and its database is waited for.
        return QString();
    }
    QStringList failed = copyFormer(formerFolder, program, root.get());
    const bool filled = fill(shippedFolder(), program, root.get());
    if (!filled)
        failed.prepend(program);
    openFolder(root.get(), {resolveUnder(program, QStringLiteral("Game Rpts")).mid(program.size() + 1)});
    programFolderUsable() = filled;
    for (QString& f : failed)
        f = QDir::toNativeSeparators(f);
    return failed.join(QStringLiteral(", "));
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
