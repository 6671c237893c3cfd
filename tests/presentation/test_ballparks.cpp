// The ballpark behind the board: the fit at every resize, BALLPARKS with its
// dialog and random pick, and what a picture that cannot be shown does.
#include "common/program_folder.h"
#include "presentation/ballparks.h"
#include "presentation/control_resizer.h"
#include "support/board_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTest>
#include <set>

namespace {

QString writePicture(const QString& path, const QColor& colour, QSize size = QSize(64, 40))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    EXPECT_TRUE(img.save(path, "JPG", 95)) << path.toStdString();
    return path;
}

QColor centreOf(const BackgroundPicture& box)
{
    const QImage img = box.background().toImage();
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

bool near(const QColor& got, const QColor& want)
{
    return std::abs(got.red() - want.red()) < 24 && std::abs(got.green() - want.green()) < 24
        && std::abs(got.blue() - want.blue()) < 24;
}

bool fitsItsBox(const BackgroundPicture& box)
{
    return box.hasBackground() && box.background().deviceIndependentSize().toSize() == box.size();
}

}  // namespace

class BallparkTest : public BoardTest {
protected:
    // A picture picked in the dialog (the switch must be unticked).
    void pick(const QString& path)
    {
        ui->answerOpenFile(path);
        board->Command9->click();
    }
    QStringList errorsAfterTheHandler()
    {
        QCoreApplication::processEvents();
        return ui->programErrors();
    }
};

TEST_F(BallparkTest, DefaultBallparkFillsTheBackgroundAndFollowsEveryResize)
{
    EXPECT_TRUE(board->CurrentParkPath.isEmpty());
    ASSERT_TRUE(fitsItsBox(*board->Picture1));
    // The default picture, not the box's plain green.
    const QImage source = ballparks::decodePicture(folder->file(ballparks::DefaultParkFile));
    const QImage expected = ballparks::ScaleImage(source, board->Picture1->width(), board->Picture1->height());
    EXPECT_TRUE(near(centreOf(*board->Picture1), expected.pixelColor(expected.width() / 2, expected.height() / 2)));

    resizeKeepingRatio(*board, board->width() * 3 / 4);
    EXPECT_TRUE(fitsItsBox(*board->Picture1));
    // The same size again scales nothing: the same pixels are painted.
    const qint64 shown = board->Picture1->background().cacheKey();
    board->SupplementalResize();
    EXPECT_EQ(board->Picture1->background().cacheKey(), shown);
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
}

TEST_F(BallparkTest, ResizeLaysOutThenUnticksExtraInningsThenFitsTheBackground)
{
    board->cb_Xinnings->setChecked(true);
    ASSERT_FALSE(board->Frame1->isHidden());
    QRect frameAtUntick, pieceAtUntick;
    bool backgroundFittedAtUntick = true;
    QObject::connect(board->cb_Xinnings, &QCheckBox::toggled, board.get(), [&](bool on) {
        if (on)
            return;
        frameAtUntick = board->Frame3->geometry();
        pieceAtUntick = board->pb_Player[2]->geometry();
        backgroundFittedAtUntick = fitsItsBox(*board->Picture1);
    });
    const QRect frameBefore = board->Frame3->geometry();
    resizeKeepingRatio(*board, board->width() * 4 / 5);

    EXPECT_NE(board->Frame3->geometry(), frameBefore);
    EXPECT_EQ(frameAtUntick, board->Frame3->geometry()) << "layout after the untick";
    EXPECT_EQ(pieceAtUntick, board->pb_Player[2]->geometry());
    EXPECT_FALSE(backgroundFittedAtUntick) << "background before the untick";
    EXPECT_TRUE(board->Frame1->isHidden());
    EXPECT_TRUE(fitsItsBox(*board->Picture1));
}

TEST_F(BallparkTest, ReleasingResetOrAPieceReloadsAChangedPicture)
{
    const QString park = writePicture(folder->file("parks/Green.jpg"), Qt::green);
    pick(park);
    ASSERT_TRUE(near(centreOf(*board->Picture1), Qt::green));
    const std::pair<const char*, QWidget*> releases[] = {{"RESET", board->Command11}, {"piece", board->pb_Player[0]}};
    QColor next = Qt::red;
    for (const auto& [what, widget] : releases) {
        // A changed file (its time or size) is read again; an unchanged one is
        // not. Written until its time is no longer the one last read.
        const QDateTime read = QFileInfo(park).lastModified();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            writePicture(park, next, QSize(64 + next.red() / 32, 40));
            return QFileInfo(park).lastModified() != read;
        }));
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        EXPECT_TRUE(near(centreOf(*board->Picture1), next)) << what;
        next = Qt::blue;
    }
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
}

TEST_F(BallparkTest, DialogStartsInTheBallparksFolderOfAnyCaseWithoutTitleAndWithFiveFilters)
{
    ASSERT_TRUE(QDir().rename(folder->file("Ballparks"), folder->file("ballparks")));
    ui->answerOpenFile(QString());
    board->Command9->click();
    EXPECT_EQ(ui->lastOpenFolder, folder->file("ballparks"));
    EXPECT_TRUE(ui->lastOpenTitle.isEmpty());
    const QStringList filters = ui->lastOpenFilter.split(";;");
    EXPECT_EQ(filters, (QStringList{"All Picture Files (*.bmp *.jpg *.gif *.png *.BMP *.JPG *.GIF *.PNG)",
                                    "JPEG (*.jpg *.JPG)", "Bitmap (*.bmp *.BMP)",
                                    "Graphics Interchange Format (*.gif *.GIF)",
                                    "Portable Network Graphic (*.png *.PNG)"}));
    EXPECT_FALSE(board->cb_RandParks->isEnabled());
    EXPECT_TRUE(board->CurrentParkPath.isEmpty());
}

TEST(BallparkCandidates, OnlyFilesEndingInDotJpgWithTheirRealNames)
{
    QTemporaryDir dir;
    for (const char* name : {"A.jpg", "B.JPG", "notes.txt", "park.jpeg", "jpg", ".jpg", "C.jpg.bak"})
        writePicture(dir.filePath(name), Qt::gray);
    QDir(dir.path()).mkdir("dir.jpg");
    EXPECT_EQ(ballparks::candidatesIn(dir.path()), (QStringList{"A.jpg", "B.JPG"}));

    QTemporaryDir empty;
    EXPECT_TRUE(ballparks::candidatesIn(empty.path()).isEmpty());
    try {
        ballparks::candidatesIn(dir.filePath("gone"));
        ADD_FAILURE() << "a missing folder was listed";
    } catch (const ProgramError& e) {
        EXPECT_EQ(e.number, errors::FileAccess);
    }
}

TEST_F(BallparkTest, PickEnablesTheSwitchAndTheSwitchPicksAmongTheListOfThatPick)
{
    const QString a = writePicture(folder->file("parks/A.jpg"), Qt::red);
    const QString b = writePicture(folder->file("parks/B.JPG"), Qt::blue);
    pick(a);
    EXPECT_EQ(board->CurrentParkPath, a);
    EXPECT_TRUE(near(centreOf(*board->Picture1), Qt::red));
    EXPECT_TRUE(board->cb_RandParks->isEnabled());
    EXPECT_FALSE(board->cb_RandParks->isChecked());
    EXPECT_EQ(board->BallparkFolder, folder->file("parks/"));
    EXPECT_EQ(board->lbl_Path->text(), folder->file("parks"));
    EXPECT_EQ(board->BallparkList, (QStringList{"A.jpg", "B.JPG"}));

    // Ticked, BALLPARKS opens no dialog (the script would fail on one) and
    // never lists the folder again.
    board->cb_RandParks->setChecked(true);
    writePicture(folder->file("parks/C.jpg"), Qt::green);
    std::set<QString> shown;
    for (int i = 0; i < 40; ++i) {
        board->Command9->click();
        shown.insert(board->CurrentParkPath);
    }
    EXPECT_EQ(shown, (std::set<QString>{a, b}));
    EXPECT_EQ(board->BallparkList, (QStringList{"A.jpg", "B.JPG"}));

    // A cancel greys the switch and keeps the picture, the folder and the list.
    board->cb_RandParks->setChecked(false);
    const QString current = board->CurrentParkPath;
    ui->answerOpenFile(QString());
    board->Command9->click();
    EXPECT_FALSE(board->cb_RandParks->isEnabled());
    EXPECT_EQ(board->CurrentParkPath, current);
    EXPECT_EQ(board->BallparkFolder, folder->file("parks/"));
    EXPECT_EQ(board->BallparkList, (QStringList{"A.jpg", "B.JPG"}));
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
}

TEST_F(BallparkTest, EmptyCandidateListChangesNothing)
{
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(Qt::yellow);
    const QString png = folder->file("pngs/Only.png");
    QDir().mkpath(folder->file("pngs"));
    ASSERT_TRUE(img.save(png));
    pick(png);
    EXPECT_EQ(board->CurrentParkPath, png);
    EXPECT_TRUE(board->BallparkList.isEmpty());
    board->cb_RandParks->setChecked(true);
    board->Command9->click();
    EXPECT_EQ(board->CurrentParkPath, png);
    EXPECT_TRUE(fitsItsBox(*board->Picture1));
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
}

TEST_F(BallparkTest, UnreadablePictureKeepsBackgroundAndPathAndIsReportedOnceAfterTheHandler)
{
    ui->expectAlarm(QStringLiteral("481, Invalid picture"));
    ui->expectAlarm(QStringLiteral("53, File not found"));
    const QString good = writePicture(folder->file("parks/Good.jpg"), Qt::red);
    const QString big = writePicture(folder->file("parks/Huge.jpg"), Qt::white, QSize(1200, 1000));
    // A JPEG's first marker, then text, padded with zeros to 24 bytes.
    const char damagedBytes[24] = "\xff\xd8\xff\xe0 not a picture";
    const QString damaged = folder->write("parks/Damaged.jpg", QByteArray(damagedBytes, sizeof damagedBytes));
    // A picture cut off part-way: Qt's reader would fill the rest with grey.
    QFile whole(writePicture(folder->file("parks/Whole.jpg"), Qt::blue, QSize(400, 300)));
    whole.open(QIODevice::ReadOnly);
    const QString cut = folder->write("parks/Cut.jpg", whole.readAll().left(int(whole.size() / 2)));
    ASSERT_FALSE(QImage(cut).isNull()) << "the reader itself refuses a cut-off file now";
    struct Case {
        const char* what;
        QString path;
        QString error;
    } cases[] = {
        {"damaged", damaged, "The following error has occurred: 481, Invalid picture"},
        {"cut off", cut, "The following error has occurred: 481, Invalid picture"},
        {"missing", folder->file("parks/Gone.jpg"), "The following error has occurred: 53, File not found"},
        {"larger than the allocation limit", big, "The following error has occurred: 481, Invalid picture"},
    };
    pick(good);
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);  // megabytes: the 1200 x 1000 picture is over it
    for (const Case& c : cases) {
        ui->clear();
        const qint64 shown = board->Picture1->background().cacheKey();
        pick(c.path);
        EXPECT_TRUE(ui->programErrors().isEmpty()) << c.what << ": the box waits for the handler";
        EXPECT_EQ(errorsAfterTheHandler(), QStringList{c.error}) << c.what;
        EXPECT_EQ(board->CurrentParkPath, good) << c.what;
        EXPECT_EQ(board->Picture1->background().cacheKey(), shown) << c.what;
        // The folder is fine: the pick still builds the list.
        EXPECT_TRUE(board->cb_RandParks->isEnabled()) << c.what;
        ui->clear();
        pick(c.path);
        resizeKeepingRatio(*board, board->width() - 40);
        EXPECT_TRUE(errorsAfterTheHandler().isEmpty()) << c.what << ": once per file";
        EXPECT_TRUE(near(centreOf(*board->Picture1), Qt::red)) << c.what;
    }
    QImageReader::setAllocationLimit(limit);
}

TEST_F(BallparkTest, FolderThatCannotBeListedKeepsTheSwitchTheFolderAndTheList)
{
    ui->expectAlarm(QStringLiteral("75, Path/File access error"));
    ui->expectAlarm(QStringLiteral("53, File not found"));
    const QString a = writePicture(folder->file("parks/A.jpg"), Qt::red);
    pick(a);
    ui->clear();
    pick(folder->file("gone/X.jpg"));
    // The listing's failure shows at once; the picture's after the handler.
    EXPECT_EQ(errorsAfterTheHandler(),
              (QStringList{"The following error has occurred: 75, Path/File access error",
                           "The following error has occurred: 53, File not found"}));
    EXPECT_TRUE(board->cb_RandParks->isEnabled());
    EXPECT_EQ(board->BallparkFolder, folder->file("parks/"));
    EXPECT_EQ(board->BallparkList, QStringList{"A.jpg"});
    EXPECT_EQ(board->CurrentParkPath, a);
}

TEST_F(BallparkTest, BackgroundStepWaitsWhileMinimisedOrWithoutArea)
{
    ui->expectAlarm(QStringLiteral("53, File not found"));
    // The picture shown goes missing: only a fit that runs can notice.
    const QString park = writePicture(folder->file("parks/A.jpg"), Qt::red);
    pick(park);
    // At the kept proportion, a resize step asks for no new window size.
    resizeKeepingRatio(*board, board->width());
    ASSERT_TRUE(QFile::remove(park));
    const qint64 shown = board->Picture1->background().cacheKey();

    // The field is one of the board's laid-out controls: an empty one is
    // the layout the resizer keeps once it recorded it so.
    const QSize box = board->Picture1->size();
    board->Picture1->resize(box.width(), 0);
    board->resizer().InitializeResizer(board.get());
    board->SupplementalResize();
    ASSERT_EQ(board->Picture1->height(), 0);
    board->Picture1->resize(box);
    board->resizer().InitializeResizer(board.get());
    board->setWindowState(Qt::WindowMinimized);
    board->SupplementalResize();
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
    EXPECT_EQ(board->Picture1->background().cacheKey(), shown);

    board->setWindowState(Qt::WindowNoState);
    board->SupplementalResize();
    EXPECT_EQ(errorsAfterTheHandler(), QStringList{"The following error has occurred: 53, File not found"});
    EXPECT_EQ(board->Picture1->background().cacheKey(), shown);
}

TEST(BallparkStartUp, MissingDefaultIsReportedOnceAndAPickedPictureStillShows)
{
    TempProgramFolder folder;
    ScriptedInteraction ui;
    ASSERT_TRUE(QFile::remove(folder.file(ballparks::DefaultParkFile)));
    Form1 board;
    ASSERT_TRUE(board.Form_Load());
    board.cb_Xinnings->setChecked(true);
    board.show();
    EXPECT_TRUE(ui.programErrors().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.programErrors(), QStringList{"The following error has occurred: 53, File not found"});
    // The rest of the resize ran.
    EXPECT_TRUE(board.Frame1->isHidden());
    EXPECT_FALSE(board.Picture1->hasBackground());

    ui.clear();
    resizeKeepingRatio(board, board.width() - 60);
    const QString park = writePicture(folder.file("Ballparks/Mine.jpg"), Qt::blue);
    ui.answerOpenFile(park);
    board.Command9->click();
    resizeKeepingRatio(board, board.width() - 60);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui.programErrors().isEmpty());
    EXPECT_TRUE(fitsItsBox(*board.Picture1));
    EXPECT_TRUE(near(centreOf(*board.Picture1), Qt::blue));
}

namespace {

// Red on the left half, blue on the right: a picture read at the wrong size
// or stretched the wrong way moves the border.
QString writeHalves(const QString& path, QSize size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::red);
    QPainter(&img).fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    EXPECT_TRUE(img.save(path, "JPG", 95)) << path.toStdString();
    return path;
}

bool showsHalves(const BackgroundPicture& box)
{
    const QImage img = box.background().toImage();
    const int y = img.height() / 2;
    return near(img.pixelColor(img.width() / 4, y), Qt::red) && near(img.pixelColor(img.width() * 3 / 4, y), Qt::blue)
        && near(img.pixelColor(img.width() / 2 - 8, y), Qt::red) && near(img.pixelColor(img.width() / 2 + 8, y), Qt::blue);
}

}  // namespace

TEST_F(BallparkTest, TheWholePictureIsKeptWhileTheBoardIsResizedAndLetGoAfter)
{
    const QString park = writeHalves(folder->file("parks/Halves.jpg"), QSize(2400, 1400));
    pick(park);
    ASSERT_EQ(board->CurrentParkPath, park);
    EXPECT_TRUE(fitsItsBox(*board->Picture1));
    EXPECT_TRUE(showsHalves(*board->Picture1));
    EXPECT_FALSE(board->ballparkPictures().holdsWhole()) << "a first fit keeps only what it shows";

    for (const int width : {board->width() - 50, board->width() - 90}) {
        resizeKeepingRatio(*board, width);
        EXPECT_TRUE(fitsItsBox(*board->Picture1)) << width;
        EXPECT_TRUE(showsHalves(*board->Picture1)) << width;
        EXPECT_TRUE(board->ballparkPictures().holdsWhole()) << width;
    }
    const qint64 shown = board->Picture1->background().cacheKey();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !board->ballparkPictures().holdsWhole(); }, 6000))
        << "a board left alone keeps only the picture it shows";
    EXPECT_EQ(board->Picture1->background().cacheKey(), shown);

    resizeKeepingRatio(*board, board->width() + 70);
    EXPECT_TRUE(fitsItsBox(*board->Picture1));
    EXPECT_TRUE(showsHalves(*board->Picture1));
    EXPECT_TRUE(errorsAfterTheHandler().isEmpty());
}
