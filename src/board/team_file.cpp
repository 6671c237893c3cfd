#include "board/team_file.h"

#include "common/guard.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace teamfile {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. The five codes it
// leaves undefined map to the control character of the same value, as the
// system's own conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

QString fromCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

}  // namespace

QString decode(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end of the file is an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}

QStringList entriesOf(const QString& text)
{
    QStringList entries;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        const bool end = i == n;
        const QChar c = end ? QChar() : text.at(i);
        if (!end && c != u'\r' && c != u'\n')
            continue;
        if (i > start)
            entries.append(text.mid(start, i - start));
        if (!end && c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    return entries;
}

QString teamNameOf(const QString& fileName)
{
    QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    const qsizetype eq = name.indexOf(u'=');
    if (eq >= 0)
        name.truncate(eq);
    return name;
}

QString tooManyPlayersMessage()
{
    return QStringLiteral("A team file may hold at most 49 players.");
}

QString noTeamNameMessage()
{
    return QStringLiteral("The team's name is taken from the file's name, and this file's name gives none. "
                          "Rename the file and load it again.");
}

TeamFile read(const QString& path)
{
    TeamFile team;
    team.teamName = teamNameOf(path);
    if (team.teamName.isEmpty()) {
        team.refusal = noTeamNameMessage();
        return team;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile())
        errors::raise(errors::FileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        errors::raise(errors::FileAccess);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        errors::raise(errors::FileAccess);
    team.entries = entriesOf(decode(bytes));
    // A side without a single player could only wipe the side it replaces.
    if (team.entries.isEmpty()) {
        team.refusal = QStringLiteral("A team file must hold at least one player.");
        return team;
    }
    if (team.entries.size() > MaxPlayers) {
        team.entries.clear();
        team.refusal = tooManyPlayersMessage();
    }
    return team;
}

}  // namespace teamfile
