#include "platform/workbook.h"

#include "common/guard.h"
#include "platform/modules.h"
#include "platform/workbook_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Loaded at the first workbook; a module that cannot be loaded fails that
// workbook, and the next one tries again.
const detail::WorkbookWriter* loadedWriter(QString* why)
{
    static std::atomic<const detail::WorkbookWriter*> loaded{nullptr};
    if (const detail::WorkbookWriter* w = loaded.load())
        return w;
    const auto get = reinterpret_cast<detail::GetWorkbookWriter>(
        detail::moduleEntry(detail::WorkbookModuleName, detail::GetWorkbookWriterName, why));
    const detail::WorkbookWriter* w = get ? get() : nullptr;
    loaded.store(w);
    return w;
}

// Only once a workbook has been begun, which loaded the writer.
const detail::WorkbookWriter& writer()
{
    return *loadedWriter(nullptr);
}

lxw_color_t colourOf(QRgb rgb)
{
    return lxw_color_t(rgb & 0xFFFFFFu);
}

QString cellName(int row, int col)
{
    QString letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar('A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A spreadsheet reads "_x" with four hex digits and "_" as the UTF-16 unit
// of that number. The writer puts control characters in that form itself,
// but not a NUL (which would end the text), the units XML cannot hold at
// all, nor the underscore of a text that already reads like the form.
QByteArray cellText(const QString& text)
{
    // Most texts hold nothing of the kind: they are written as they are.
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == u'_' || c.unicode() == 0 || c.isSurrogate() || c.unicode() >= 0xFFFE;
    });
    if (plain)
        return text.toUtf8();
    QString out;
    const auto escape = [&out](char16_t unit) {
        out += QStringLiteral("_x") + QString::number(uint(unit), 16).toUpper().rightJustified(4, u'0') + u'_';
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || c.unicode() == 0 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            escape(c.unicode());
        } else if (c == u'_' && i + 5 < text.size() && text[i + 1] == u'x' && isHexDigit(text[i + 2])
                   && isHexDigit(text[i + 3]) && isHexDigit(text[i + 4]) && isHexDigit(text[i + 5])) {
            // Escaped whatever follows the digits: a character escaped next
            // would itself supply the closing "_".
            escape(u'_');
        } else {
            out += c;
        }
    }
    return out.toUtf8();
}

// Whether path still names the file open as fd (a remover may have taken
// the name away between the open and the lock).
bool stillNamed(int fd, const QByteArray& path)
{
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

}  // namespace

// ---------------------------------------------------------------- Sheet

void Workbook::Sheet::failed(int error, int row, int col) const
{
    throw ProgramError(errors::InvalidCall, QStringLiteral("%1 (sheet %2, cell %3)")
                                                .arg(QString::fromUtf8(writer().describe(lxw_error(error))), name_,
                                                     cellName(row, col)));
}

void Workbook::Sheet::setColumnWidth(int col, double width)
{
    if (const lxw_error e = writer().setColumn(ws_, lxw_col_t(col), lxw_col_t(col), width, nullptr))
        failed(e, 0, col);
}

void Workbook::Sheet::setDefaultRowHeight(double points)
{
    writer().setDefaultRow(ws_, points, LXW_FALSE);
}

void Workbook::Sheet::tooLong(int row, int col) const
{
    throw ProgramError(errors::InvalidCall,
                       QStringLiteral("The text of cell %1 (row %2, column %3) of sheet %4 is longer than a "
                                      "cell holds (%5 characters as written)")
                           .arg(cellName(row, col))
                           .arg(row + 1)
                           .arg(col + 1)
                           .arg(name_)
                           .arg(MaxTextLength));
}

void Workbook::Sheet::writeText(int row, int col, const QString& text, StyleRef style)
{
    // The writer counts the text as written, escapes and all, so a text
    // that fits before escaping may not fit after.
    const QByteArray utf8 = cellText(text);
    if (text.size() > MaxTextLength || writer().utf8Length(utf8.constData()) > size_t(MaxTextLength))
        tooLong(row, col);
    if (const lxw_error e = writer().writeString(ws_, lxw_row_t(row), lxw_col_t(col), utf8.constData(), style))
        failed(e, row, col);
}

bool Workbook::Sheet::writeUtf8(int row, int col, std::string_view utf8, StyleRef style)
{
    // Checked as strictly as the spreadsheet reads it, counting the UTF-16
    // units the length limit is given in.
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    size_t units = 0;
    bool underscore = false;
    for (size_t i = 0; i < n;) {
        const unsigned lead = p[i];
        if (lead < 0x80) {
            if (lead == 0)
                return false;
            underscore = underscore || lead == '_';
            ++i;
            ++units;
            continue;
        }
        size_t length = 0;
        char32_t code = 0, least = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (n - i < length)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF)
            return false;
        units += code >= 0x10000 ? 2 : 1;
        i += length;
    }
    // The one escape left to make: the underscore of every "_x" and four hex
    // digits, which a spreadsheet would otherwise read as the format's own
    // escape (whatever follows them). The limit counts the text as written.
    utf8_.clear();
    if (!underscore) {
        utf8_.append(utf8);
    } else {
        const auto hex = [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        };
        for (size_t i = 0; i < n; ++i) {
            if (utf8[i] == '_' && i + 5 < n && utf8[i + 1] == 'x' && hex(utf8[i + 2]) && hex(utf8[i + 3])
                && hex(utf8[i + 4]) && hex(utf8[i + 5])) {
                utf8_ += "_x005F_";
                units += 6;
            } else {
                utf8_ += utf8[i];
            }
        }
    }
    if (units > size_t(MaxTextLength))
        tooLong(row, col);
    if (const lxw_error e = writer().writeString(ws_, lxw_row_t(row), lxw_col_t(col), utf8_.c_str(), style))
        failed(e, row, col);
    return true;
}

void Workbook::Sheet::writeNumber(int row, int col, double value, StyleRef style)
{
    // The file format has no infinity or NaN: written as numbers they would
    // make a workbook that no spreadsheet opens.
    if (!std::isfinite(value))
        return writeText(row, col, QString::number(value), style);
    if (const lxw_error e = writer().writeNumber(ws_, lxw_row_t(row), lxw_col_t(col), value, style))
        failed(e, row, col);
}

void Workbook::Sheet::writeBlank(int row, int col, StyleRef style)
{
    if (const lxw_error e = writer().writeBlank(ws_, lxw_row_t(row), lxw_col_t(col), style))
        failed(e, row, col);
}

// ---------------------------------------------------------------- Workbook

Workbook::Workbook(const QString& folder, const QString& baseName) : folder_(folder), baseName_(baseName)
{
    QString why;
    if (!loadedWriter(&why))
        throw ProgramError(errors::FileNotFound, errors::describe(errors::FileNotFound) + QStringLiteral(": ") + why);
    // The temporary file is made here, so a folder that cannot be written is
    // known before any work is done. Made as any new file (the writer only
    // truncates it later), it takes the mode the user's umask gives.
    if (!QFileInfo(folder).isDir())
        failedToWrite(folder, QString());
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; tempFd_ < 0; ++attempt) {
        QString unique;
        for (int i = 0; i < 6; ++i)
            unique += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
        const QString path = QDir(folder).filePath(QStringLiteral(".%1.%2.part").arg(baseName, unique));
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100)
                continue;
            failedToWrite(folder, qt_error_string(errno));
        }
        // Locked before use; a remover that came between the two took the
        // name, and another one is tried.
        if (::flock(fd, LOCK_EX) == 0 && stillNamed(fd, name)) {
            tempFd_ = fd;
            tempPath_ = path;
        } else {
            const int error = errno;
            ::close(fd);
            if (attempt >= 100)
                failedToWrite(folder, qt_error_string(error));
        }
    }

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray name = QFile::encodeName(tempPath_);
    wb_ = writer().newWorkbook(name.constData(), &options);
    if (!wb_) {
        QFile::remove(tempPath_);
        ::close(tempFd_);
        throw ProgramError(errors::OutOfMemory, errors::describe(errors::OutOfMemory));
    }
}

Workbook::~Workbook()
{
    if (wb_)
        writer().freeWorkbook(wb_);
    // Removed before the lock goes, so no remover meets it half gone.
    if (!tempPath_.isEmpty())
        QFile::remove(tempPath_);
    if (tempFd_ >= 0)
        ::close(tempFd_);
}

void Workbook::removeAbandoned(const QString& folder, const QString& baseNamePattern)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral(".%1.??????.part").arg(baseNamePattern)},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& n : names) {
        const QByteArray path = QFile::encodeName(dir.filePath(n));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        // A running writer holds its lock until its file is renamed or gone.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
}

void Workbook::failedToWrite(const QString& path, const QString& detail) const
{
    QString text = errors::describe(errors::FileAccess) + QStringLiteral(": ") + QDir::toNativeSeparators(path);
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + ')';
    throw ProgramError(errors::FileAccess, text);
}

Workbook::Sheet& Workbook::addSheet(const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    lxw_worksheet* ws = writer().addWorksheet(wb_, utf8.constData());
    // In constant-memory mode a sheet starts with a scratch file in the
    // system's temporary folder; that is what fails here.
    if (!ws)
        failedToWrite(QDir::tempPath(), QStringLiteral("no room for the sheet \"%1\"").arg(name));
    sheets_.push_back(std::unique_ptr<Sheet>(new Sheet(ws, name)));
    return *sheets_.back();
}

Workbook::StyleRef Workbook::style(const Style& s)
{
    if (const auto known = styles_.find(s); known != styles_.end())
        return known->second;
    lxw_format* f = writer().addFormat(wb_);
    if (!f)
        throw ProgramError(errors::OutOfMemory, errors::describe(errors::OutOfMemory));
    if (s.bold)
        writer().setBold(f);
    if (s.border) {
        writer().setBorder(f, LXW_BORDER_THIN);
        writer().setBorderColour(f, colourOf(s.border));
    }
    if (s.fill) {
        writer().setPattern(f, LXW_PATTERN_SOLID);
        writer().setBackground(f, colourOf(s.fill));
    }
    if (!s.numberFormat.isEmpty())
        writer().setNumberFormat(f, s.numberFormat.toUtf8().constData());
    styles_.emplace(s, f);
    return f;
}

QString Workbook::save()
{
    // Closing writes the file and frees the workbook, whatever the outcome.
    const lxw_error e = writer().close(std::exchange(wb_, nullptr));
    if (e != LXW_NO_ERROR)
        failedToWrite(QDir(folder_).filePath(baseName_ + QStringLiteral(".xlsx")), QString::fromUtf8(writer().describe(e)));

    // The first free name; a name another program takes meanwhile is never
    // replaced (the rename refuses an existing target).
    const QDir dir(folder_);
    for (int n = 1; n < 100000; ++n) {
        const QString candidate = dir.filePath(baseName_ + (n > 1 ? QStringLiteral("_%1").arg(n) : QString())
                                               + QStringLiteral(".xlsx"));
        if (QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink())
            continue;
        if (QFile::rename(tempPath_, candidate)) {
            tempPath_.clear();
            ::close(std::exchange(tempFd_, -1));
            return candidate;
        }
        if (!QFileInfo::exists(candidate))
            failedToWrite(candidate, QString());
    }
    failedToWrite(dir.filePath(baseName_ + QStringLiteral(".xlsx")), QString());
}

}  // namespace platform
