#pragma once
// The board's nine chart pictures with their captions, and the rules and
// help pages beside them: where their files are and how their labels rest.
#include "presentation/feedback.h"

#include <QString>

class QLabel;

namespace charts {

constexpr int Count = 9;

// "Charts/Chart01.jpg" to "Charts/Chart09.jpg" under the program folder.
QString chartFile(int chart);
// The settings key that keeps a chart's caption: "lbl_chrt1" to "lbl_chrt9".
QString captionKey(int chart);
QString rulesPage();  // "Charts/Rules.html"
QString helpPage();   // "HELP.htm"
// A section of the help page: its path, "#" and the section's name.
QString helpSection(const QString& section);
// Opens a page, or a section of one, in the desktop's program for it; where
// the desktop cannot, a box names the page's file.
void openPage(const QString& pageOrSection);

// The desktop's button face, as the link labels' resting colour is written.
constexpr unsigned ButtonFace = feedback::ButtonFace;

// A link label at rest: no border, the button face behind the button text.
// The values stay readable as the "backColor" and "borderStyle" properties.
void restLinkLabel(QLabel* label);

}  // namespace charts
