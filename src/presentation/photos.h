#pragma once
// Player photos: the file a player's photo is looked up in, reading a
// picture file, the stretched drawing of a runner piece's photo, and the
// pitchers' photos that follow the files on disk.
#include <QPixmap>
#include <QString>

class PictureBox;

namespace photos {

// The photo folder, the player's name and ".jpg" (file names matched without
// regard to case). Empty when there is no photo to look for: an empty folder,
// or a name that could name something else than a file in that folder.
QString PlayerPhotoFile(const QString& photoFolder, const QString& playerName);

// Reads a picture file once. Null when the path is empty, the file is
// missing or it holds no picture the program can show.
QPixmap loadPicture(const QString& path);

// Shows the player's photo in the box when the file can be read; a missing
// or unreadable file leaves what the box shows. A file is decoded again only
// when it changed on disk or the box was cleared since; one that failed, only
// when it changed on disk.
void refreshPhoto(PictureBox& box, const QString& photoFolder, const QString& playerName);

}  // namespace photos

// Scales the piece by the factor and paints its photo stretched over it.
void ZoomPicture(PictureBox& piece, double factor);
