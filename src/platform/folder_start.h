#pragma once
// The program folder made ready at start, where a failure can be shown.
#include <QString>

namespace folder {

// prepare(), and a failure shown once in the "Program Error" box.
void prepareAtStart(const QString& formerFolder);

}  // namespace folder
