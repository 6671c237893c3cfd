#pragma once
// The program's two folders and the files under them.
//
// The shipped folder holds what the build made (pictures, sounds, sample
// teams, pages); it is only ever read. The program folder is the user's own,
// writable copy of it in the desktop's data location: the database, the
// reports and the user's own teams, logos, ballparks and charts live there,
// and every lookup and write of the program goes to it.
//
// The program spells some folder names in two cases ("Logos" and "logos"),
// so names are matched without regard to case.
#include <QString>
#include <QStringList>

namespace folder {

// The names the settings store and the program folder are found by, and the
// desktop entry's id; one place, so settings and data never part ways.
inline constexpr char organisationName[] = "Scorvana";
inline constexpr char applicationName[] = "Benchdeck";
inline constexpr char desktopId[] = "org.scorvana.Benchdeck";

// Gives the application these names; once, at start.
void setIdentity();

// $XDG_DATA_HOME/Scorvana/Benchdeck unless a test points it elsewhere.
QString programFolder();
void setProgramFolder(const QString& path);  // tests

// Found from the executable: share/benchdeck beside it in a build tree, or
// share/benchdeck of the install prefix (../share/benchdeck).
QString shippedFolder();
void setShippedFolder(const QString& path);  // tests

// The sums of the shipped files, written by the build into the shipped
// folder (one line a file: the SHA-256 in hex, two blanks, the path under the
// folder), so a start whose copies are current hashes nothing.
inline constexpr char shippedSumsName[] = ".shipped-sums";

// The start of a run: makes the program folder, copies in an old database
// and its reports from `formerFolder` (where earlier versions kept them) and
// fills in whatever of the shipped folder is missing. One start at a time
// does it; a start that finds another one at it waits a moment, then goes on
// with what is there. Returns "" or what could not be made or written: the
// folder, or files of the earlier version that could not be copied. After a
// failure with the folder, and while another start fills it, files the
// program folder lacks are read from the shipped folder; writes still go to
// the program folder and fail there with their own report.
QString prepare(const QString& formerFolder);

// Brings the shipped files into `program`: a missing file is copied in, a
// file copied earlier and left unchanged by the user is replaced by a newer
// shipped version, and every other file is the user's and stays as it is.
// Each copy is written to a temporary file of its own and put in place only
// once its bytes have the checksum of the file it came from, so an
// interrupted start never leaves a truncated file. Returns false when a copy
// failed.
bool fillFromShipped(const QString& shipped, const QString& program);

// When `program` holds no database and `former` does, copies the database
// with its journal and the reports folder's files over (the former folder
// keeps its own); the database is copied whatever became of the reports.
// Returns the files that could not be copied.
QStringList copyFormerData(const QString& former, const QString& program);

// The earlier version's database the last start found but the program
// folder does not hold yet, or "". No new, empty database is made while
// there is one.
QString waitingFormerDatabase();

// The path of a file or folder under the program folder, relative parts
// separated by "/" or "\". Each component that exists in another case is
// matched; a component that does not exist keeps its spelling.
QString resolve(const QString& relative);

// The same under any folder.
QString resolveUnder(const QString& base, const QString& relative);

// A player or team name may name a file only when it holds no path
// separator and is not "." or "..".
bool isPlainName(const QString& name);

}  // namespace folder
