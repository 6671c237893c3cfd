#pragma once
// Reading a team file: one lineup entry per non-empty line, kept whole and
// untrimmed. Nothing here touches a widget; the board loads what this returns
// only when the whole file is good, so a bad pick never half-replaces a side.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace teamfile {

// The sheet holds 50 rows, the first being the headers.
constexpr int MaxPlayers = 49;

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped),
// otherwise Windows-1252, the code page team files were written in.
QString decode(const QByteArray& bytes);

// The non-empty lines of a text, in order. A line ends at CR LF, at CR alone
// or at LF alone; the last line needs no end.
QStringList entriesOf(const QString& text);

// The team's name from the file's name (folders ignored): the name less its
// extension (from the last "."), cut before its first "=". May be empty.
QString teamNameOf(const QString& fileName);

struct TeamFile {
    QString teamName;
    QStringList entries;
    // Why the file cannot be loaded, in words for the user; empty when it can.
    QString refusal;
};

// Reads and checks a team file. A file that cannot be read throws
// ProgramError (53 when it does not exist, 75 otherwise); a file that reads
// but must not be loaded comes back with its refusal.
TeamFile read(const QString& path);

QString tooManyPlayersMessage();
QString noTeamNameMessage();

}  // namespace teamfile
