#pragma once
// The folder that holds the program, and the files under it. The program
// spells some folder names in two cases ("Logos" and "logos"), so names are
// matched without regard to case.
#include <QString>

namespace folder {

QString programFolder();
void setProgramFolder(const QString& path);  // tests

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
