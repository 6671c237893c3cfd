#include "presentation/photos.h"

#include "common/program_folder.h"
#include "presentation/picture_box.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace photos {

QString PlayerPhotoFile(const QString& photoFolder, const QString& playerName)
{
    if (photoFolder.isEmpty() || !folder::isPlainName(playerName))
        return QString();
    return folder::resolveUnder(photoFolder, playerName + QStringLiteral(".jpg"));
}

QPixmap loadPicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QPixmap();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    return QPixmap::fromImage(image);
}

void refreshPhoto(PictureBox& box, const QString& photoFolder, const QString& playerName)
{
    const QString path = PlayerPhotoFile(photoFolder, playerName);
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    // Ten times a second per pitcher: decode only what changed.
    const QString key = path + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch())
        + QLatin1Char('|') + QString::number(info.size());
    static const char* const kShown = "shownPhotoFile";
    static const char* const kFailed = "failedPhotoFile";
    if (box.hasPicture() && box.property(kShown).toString() == key)
        return;
    // A damaged file can take a second to fail: try it again only once it
    // changed on disk.
    if (box.property(kFailed).toString() == key)
        return;
    const QPixmap picture = loadPicture(path);
    if (picture.isNull()) {
        box.setProperty(kFailed, key);
        return;
    }
    box.setPicture(picture);
    box.setProperty(kShown, key);
}

}  // namespace photos

void ZoomPicture(PictureBox& piece, double factor)
{
    const int w = static_cast<int>(std::lround(piece.width() * factor));
    const int h = static_cast<int>(std::lround(piece.height() * factor));
    piece.resize(w, h);
    // The box paints its picture over its whole area on every repaint.
    piece.update();
}
