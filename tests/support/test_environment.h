#pragma once
// What test and benchmark programs set before their QApplication exists.

namespace testenv {

// Windows are drawn offscreen unless QT_QPA_PLATFORM already names a platform.
void preferOffscreen();

// The tests' set-up: offscreen windows, test-mode standard paths and the C
// locale, so no run depends on the machine's display, home folder or language.
void pinForTests();

}  // namespace testenv
