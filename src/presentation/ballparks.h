#pragma once
// The ballpark behind the board: the picture box that shows it, the pictures
// a random pick chooses among, and the reading and scaling of a ballpark
// picture to the box, done once per file and once per size so that painting
// only copies pixels.
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

// Keeps the last picture read and the last size it was scaled to, so a
// resize costs one scaling and a repaint none.
class Pictures {
public:
    // Reads the file unless it is unchanged since it was last read (a file
    // that failed fails again without being read again). Throws ProgramError.
    const QImage& load(const QString& path);
    // The file's picture at that size in device pixels. Throws ProgramError.
    QPixmap fitted(const QString& path, const QSize& pixels);

private:
    static QString stampOf(const QString& path);

    QString loadedStamp_;
    QImage loaded_;
    QString failedStamp_;
    int failedNumber_ = 0;
    QString scaledStamp_;
    QPixmap scaled_;
};

}  // namespace ballparks
