#pragma once
// The program's icon, drawn into the program folder by the build.
#include <QIcon>

// Empty when the picture is missing from the program folder.
QIcon programIcon();
// Makes it the window icon of every window of the program.
void useProgramIcon();
