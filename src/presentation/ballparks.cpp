#include "presentation/ballparks.h"

#include "common/program_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The box's own colour, shown until the first picture and under the
// transparent parts of a picture.
const QColor BoardGreen(0x2f, 0x5d, 0x34);

}  // namespace

// ---------------------------------------------------------------- BackgroundPicture

BackgroundPicture::BackgroundPicture(QWidget* parent) : ClickLabel(parent) {}

void BackgroundPicture::setBackground(const QPixmap& picture)
{
    background_ = picture;
    // The picture covers the whole box: nothing needs painting beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent, !background_.isNull());
    update();
}

void BackgroundPicture::paintEvent(QPaintEvent* e)
{
    if (background_.isNull()) {
        ClickLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    if (background_.deviceIndependentSize().toSize() == size()) {
        const qreal ratio = background_.devicePixelRatio();
        const QRect exposed = e->rect();
        const QRect source(QPointF(exposed.topLeft() * ratio).toPoint(), QSizeF(exposed.size() * ratio).toSize());
        p.drawPixmap(exposed.topLeft(), background_, source);
    } else {
        // Only while a picture for the new size could not be made.
        p.drawPixmap(rect(), background_);
    }
}

// ---------------------------------------------------------------- pictures

namespace ballparks {

QString dialogFilter()
{
    return QStringLiteral(
        "All Picture Files (*.bmp *.jpg *.gif *.png *.BMP *.JPG *.GIF *.PNG);;"
        "JPEG (*.jpg *.JPG);;"
        "Bitmap (*.bmp *.BMP);;"
        "Graphics Interchange Format (*.gif *.GIF);;"
        "Portable Network Graphic (*.png *.PNG)");
}

QStringList candidatesIn(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        errors::raise(errors::FileAccess);
    QStringList out;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name.size() > 4 && name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            out << name;
    }
    return out;
}

// Qt's JPEG reader fills the missing rest of a cut-off file with grey and
// reports success; a whole file ends with the end-of-image marker (perhaps
// followed by a little padding).
bool endsLikeWholeJpeg(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    f.seek(std::max<qint64>(0, f.size() - 4096));
    return f.readAll().contains(QByteArrayLiteral("\xFF\xD9"));
}

QImage decodePicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        errors::raise(errors::FileNotFound);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();  // read() forgets it
    QImage image = reader.read();
    if (image.isNull() || (format == "jpeg" && !endsLikeWholeJpeg(path)))
        errors::raise(errors::InvalidPicture);
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(BoardGreen);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    return flat;
}

QImage ScaleImage(const QImage& image, int width, int height)
{
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString Pictures::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return path + QStringLiteral("|missing");
    return path + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|')
        + QString::number(info.size());
}

QPixmap Pictures::fitted(const QString& path, const QSize& pixels)
{
    const QString file = stampOf(path);
    if (file == failedStamp_)
        errors::raise(failedNumber_);
    const QString stamp = file + QLatin1Char('|') + QString::number(pixels.width()) + QLatin1Char('x')
        + QString::number(pixels.height());
    if (stamp == scaledStamp_)
        return scaled_;
    try {
        // A new size for the picture shown means the board is being resized,
        // and more sizes are likely to follow at once: they are scaled from
        // the whole picture, read once, until it is let go.
        if (wholeFile_ != file) {
            forgetWhole();
            if (scaledFile_ == file) {
                whole_ = decodePicture(path);
                wholeFile_ = file;
            }
        }
        QImage picture =
            ScaleImage(wholeFile_ == file ? whole_ : decodePicture(path), pixels.width(), pixels.height());
        scaled_ = QPixmap::fromImage(std::move(picture));
        scaledStamp_ = stamp;
        scaledFile_ = file;
    } catch (const ProgramError& e) {
        failedStamp_ = file;
        failedNumber_ = e.number;
        throw;
    }
    return scaled_;
}

void Pictures::forgetWhole()
{
    whole_ = QImage();
    wholeFile_.clear();
}

}  // namespace ballparks
