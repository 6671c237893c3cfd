#pragma once
// Loading teams and picking players on a board the way a user does: through
// the real buttons, lists and labels, with the open-file dialog answered by
// the scripted interaction.
#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

class Form1;
class ListBox;
class QWidget;
class ScriptedInteraction;
class TempProgramFolder;

namespace teams {

// A sample team file of the program folder, e.g. "Harbor City Gulls".
QString sampleTeam(const TempProgramFolder& folder, const QString& teamName);

// Writes a team file under "Teams/" of the folder: the lines joined and
// ended by the line end, as bytes in UTF-8 (or raw bytes with the overload).
QString writeTeam(const TempProgramFolder& folder, const QString& fileName, const QStringList& lines,
                  const QString& lineEnd = QStringLiteral("\r\n"));
QString writeTeamBytes(const TempProgramFolder& folder, const QString& fileName, const QByteArray& bytes);

// Clicks "V" (visitors) or "H" and picks the file in the dialog.
void loadTeam(Form1& board, ScriptedInteraction& ui, const QString& teamFilePath, bool visitors);

// Clicks the side's "AT BAT" option.
void setAtBat(Form1& board, bool visitors);

// The centre of a lineup entry in the list's viewport (scrolled into view).
QPoint entryPoint(ListBox& list, int row);
// A left click on a lineup entry, as the user picks it.
void clickEntry(ListBox& list, int row);

// Clicks the entry in the side's lineup, then double-clicks the side's
// pitcher label. With that side at bat, the click also picks a batter, as it
// does for a user: choose pitchers before setting the side at bat to avoid it.
void choosePitcher(Form1& board, bool visitors, int row);

// The background colour a board control was given (&H00BBGGRR).
unsigned backColour(const QWidget* w);

}  // namespace teams
