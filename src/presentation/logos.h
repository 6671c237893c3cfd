#pragma once
// Team logos: the board's picture and the sheet's picture of each side.
#include "common/side.h"

#include <QString>

class PictureBox;

namespace logos {

// The program folder's "Logos/<team name>.jpg" (matched without regard to
// case); empty when the name cannot name a file.
QString teamLogoFile(const QString& teamName);
// "Logos/VisLogo.jpg" or "Logos/HomeLogo.jpg".
QString fallbackFile(board::Side side);
// The sheet's "Logo Not Set" picture.
QString placeholderFile();

// The sheet's logo back to its "Logo Not Set" placeholder.
void showPlaceholder(PictureBox& sheetLogo);

// A team's logo after its team was loaded: found by the team's name, it goes
// to both pictures. Not found, the sheet shows the placeholder (never the
// previous team's logo beside the new name) and an empty board picture takes
// the side's fallback. Reports nothing.
void showTeamLogo(PictureBox& boardLogo, PictureBox& sheetLogo, const QString& teamName, board::Side side);

}  // namespace logos
