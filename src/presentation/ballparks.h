#pragma once
// The ballpark behind the board: the picture box that shows it, the pictures
// a random pick chooses among, and the reading and scaling of a ballpark
// picture to the box, done once per file and size so that painting only
// copies pixels.
#include "common/guard.h"
#include "platform/events.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The board's background: a label that shows a ballpark picture already
// scaled to its size.
class BackgroundPicture : public ClickLabel {
    Q_OBJECT
public:
    explicit BackgroundPicture(QWidget* parent = nullptr);
    bool hasBackground() const { return !background_.isNull(); }
    const QPixmap& background() const { return background_; }
    void setBackground(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap background_;
};

namespace ballparks {

// Under the program folder.
inline constexpr const char* DefaultParkFile = "Ballparks/DEFAULT1679X974.jpg";

// The open-file dialog's five entries; the upper-case extensions are listed
// too because names are matched with their case here.
QString dialogFilter();

// The pictures a random pick chooses among: the real names of the plain files
// of the folder whose name ends in ".jpg" in any letter case after at least
// one character, in name order. A folder that cannot be listed is error 75.
QStringList candidatesIn(const QString& folder);

// Reads a picture file. A missing file is error 53; a file that holds no
// picture the program can read (damaged, or larger than the image allocation
// limit) is error 481. Transparent parts show the board's green.
QImage decodePicture(const QString& path);

// The picture stretched to exactly that size, each direction on its own.
QImage ScaleImage(const QImage& image, int width, int height);

// Keeps the picture last made for the box, so a repaint copies pixels and
// only a new size or a changed file reads the file again. While the box
// changes size the whole picture is kept too, so each new size costs one
// scaling; at the board's size it is several times the picture shown, so
// the board lets it go once the resizing stops.
class Pictures {
public:
    // The file's picture at that size in device pixels, read again when the
    // file changed (its time or size); a file that failed fails again
    // without being read again until it changes. Throws ProgramError.
    QPixmap fitted(const QString& path, const QSize& pixels);
    bool holdsWhole() const { return !whole_.isNull(); }
    void forgetWhole();

private:
    static QString stampOf(const QString& path);

    QString failedStamp_;
    int failedNumber_ = 0;
    QString scaledStamp_;
    QString scaledFile_;
    QPixmap scaled_;
    QString wholeFile_;
    QImage whole_;
};

}  // namespace ballparks
