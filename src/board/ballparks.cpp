// The board's side of the ballparks: the "BALLPARKS" button, the picture
// shown behind the board and the random pick among a folder's pictures.
#include "board/form1.h"
#include "common/program_folder.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "presentation/ballparks.h"
#include "presentation/dice.h"

#include <QFileInfo>
#include <QTimer>

namespace {

QString shownParkFile(const QString& chosen)
{
    return chosen.isEmpty() ? folder::resolve(QString::fromLatin1(ballparks::DefaultParkFile)) : chosen;
}

// Once per file and run: a broken default would otherwise come back at every
// resize. The box waits until the handler that met the failure has
// returned, so no resize ever waits on it.
void reportBallparkFailure(QObject* context, QSet<QString>& reported, const QString& path, int number,
                           const QString& description)
{
    if (reported.contains(path))
        return;
    reported.insert(path);
    QTimer::singleShot(0, context, [number, description] { showProgramError(number, description); });
}

}  // namespace

void board::wireBallparks(Form1& f)
{
    QObject::connect(f.Command9, &QPushButton::clicked, &f, [&f] { guarded([&f] { f.Command9_Click(); }); });
}

QSize Form1::parkPixels() const
{
    return (QSizeF(Picture1->size()) * Picture1->devicePixelRatioF()).toSize();
}

void Form1::ImageFit()
{
    QPixmap picture = parkPictures_->fitted(shownParkFile(CurrentParkPath), parkPixels());
    picture.setDevicePixelRatio(Picture1->devicePixelRatioF());
    Picture1->setBackground(picture);
    if (parkPictures_->holdsWhole())
        parkWholeRelease_.start();
}

void Form1::fitBallpark()
{
    // A minimised board or an empty box has no size to fit; the picture
    // shown stays until the next resize that has one.
    if (isMinimized() || Picture1->width() <= 0 || Picture1->height() <= 0)
        return;
    const QString path = shownParkFile(CurrentParkPath);
    try {
        ImageFit();
    } catch (const ProgramError& e) {
        reportBallparkFailure(this, reportedParkFailures_, path, e.number, e.description);
    } catch (const std::bad_alloc&) {
        reportBallparkFailure(this, reportedParkFailures_, path, errors::OutOfMemory,
                              errors::describe(errors::OutOfMemory));
    }
}

void Form1::Command9_Click()
{
    // Reads the picture and, when it can be shown, makes it the chosen one.
    // Fitted to the box here, the fit that follows reads nothing more.
    auto show = [this](const QString& path) {
        try {
            parkPictures_->fitted(path, parkPixels().expandedTo(QSize(1, 1)));
        } catch (const ProgramError& e) {
            reportBallparkFailure(this, reportedParkFailures_, path, e.number, e.description);
            return;
        }
        CurrentParkPath = path;
        fitBallpark();
    };
    if (cb_RandParks->isChecked()) {
        // The list of the last dialog pick; pictures added to its folder
        // since are not candidates until the next pick.
        if (BallparkList.isEmpty()) {
            fitBallpark();
            return;
        }
        // The dice's generator: one for the program, seeded once.
        const int index = dice::faceOf(dice::draw(), int(BallparkList.size()), true);
        show(BallparkFolder + BallparkList.at(index));
        return;
    }
    parkDialogFile_.clear();
    parkDialogFile_ = platform::interaction().openFileName(
        QString(), folder::resolve(QStringLiteral("Ballparks")), ballparks::dialogFilter());
    if (!parkDialogFile_.isEmpty())
        show(parkDialogFile_);
    guarded([this] { Random_Ballparks(); });
}

void Form1::Random_Ballparks()
{
    if (parkDialogFile_.isEmpty()) {
        // The list and its folder stay for a later pick.
        cb_RandParks->setEnabled(false);
        return;
    }
    const QString parent = QFileInfo(parkDialogFile_).absolutePath();
    const QStringList candidates = ballparks::candidatesIn(parent);
    lbl_Path->setText(parent);
    BallparkFolder = parent.endsWith(QLatin1Char('/')) ? parent : parent + QLatin1Char('/');
    BallparkList = candidates;
    cb_RandParks->setEnabled(true);
}
