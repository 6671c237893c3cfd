// The photo folder's editing and the photo-size buttons.
#include "common/settings.h"
#include "support/board_fixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

TEST_F(BoardTest, PhotoFolderIsEditedWithCtrlClickAndKeptWithADoubleClick)
{
    board->mnu_Options->trigger();
    board->lbl_PhotoPath->setText(QStringLiteral("/old/photos"));
    board->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(board.get()));
    // A plain click does nothing.
    click(board->lbl_PhotoPath);
    EXPECT_TRUE(board->tb_PhotoPath->isHidden());
    QTest::mouseClick(board->lbl_PhotoPath, Qt::LeftButton, Qt::ControlModifier);
    // The Ctrl test reads the keyboard state of the moment, which a synthetic
    // click does not change: call the handler as the press would.
    if (board->tb_PhotoPath->isHidden()) {
        QTest::keyPress(board.get(), Qt::Key_Control);
        board->lbl_PhotoPath_Click();
        QTest::keyRelease(board.get(), Qt::Key_Control);
    }
    if (board->tb_PhotoPath->isHidden())
        GTEST_SKIP() << "the platform reports no Ctrl state";
    EXPECT_TRUE(board->lbl_PhotoPath->isHidden());
    // The box takes the keys, the old folder selected to be typed over.
    EXPECT_TRUE(board->tb_PhotoPath->hasFocus());
    EXPECT_EQ(board->tb_PhotoPath->selectedText(), QStringLiteral("/old/photos"));
    board->tb_PhotoPath->setText(folder->path() + "/photos");
    QTest::mouseDClick(board->tb_PhotoPath, Qt::LeftButton);
    EXPECT_FALSE(board->lbl_PhotoPath->isHidden());
    EXPECT_TRUE(board->tb_PhotoPath->isHidden());
    EXPECT_EQ(board->lbl_PhotoPath->text(), folder->path() + "/photos");
    EXPECT_EQ(settings::GetSetting("lbl_PhotoPath"), folder->path() + "/photos");
}

TEST_F(BoardTest, BigAndSmallPhotoSizes)
{
    const QSize start = board->Image[0]->size();
    const QPoint startTop = board->Image[0]->pos();
    board->cmd_FotoBig->click();
    EXPECT_NEAR(board->Image[0]->width(), start.width() * 1.1, 1);
    EXPECT_NEAR(board->Image[0]->height(), start.height() * 1.1, 1);
    EXPECT_EQ(board->Image[0]->pos(), startTop);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(board->pb_Player[i]->size(), board->Image[i]->size());

    const int bottom = board->Image[1]->y() + board->Image[1]->height();
    board->cmd_FotoSmall->click();
    EXPECT_NEAR(board->Image[0]->width(), start.width() * 0.99, 2);
    EXPECT_NEAR(board->Image[1]->y() + board->Image[1]->height(), bottom, 2);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(board->pb_Player[i]->size(), board->Image[i]->size());
    // Pieces at the start places stand on the line, never below it.
    for (auto* piece : board->pb_Player)
        EXPECT_LE(piece->y(), board->Label1->y());
}

namespace {

// The times a file of one folder is opened, as the kernel reports them.
class FileOpens {
public:
    FileOpens(const QString& folder, const QString& name) : name_(name.toStdString())
    {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        EXPECT_GE(fd_, 0);
        EXPECT_GE(inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN), 0);
    }
    ~FileOpens() { ::close(fd_); }
    FileOpens(const FileOpens&) = delete;
    FileOpens& operator=(const FileOpens&) = delete;

    // Opens since the last call. The kernel folds an open into the one
    // before it while neither was read, so read after each.
    int take()
    {
        int opens = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if (e->len > 0 && name_ == e->name)
                    ++opens;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return opens;
    }

private:
    int fd_ = -1;
    std::string name_;
};

class PitcherPhotoTest : public BoardTest {
protected:
    int opensOverTicks(FileOpens& opens, int ticks)
    {
        int total = 0;
        for (int tick = 0; tick < ticks; ++tick) {
            board->tmr_Constant_Timer();
            total += opens.take();
        }
        return total;
    }
};

}  // namespace

TEST_F(PitcherPhotoTest, DamagedPhotoIsDecodedOnceUntilTheFileChanges)
{
    const QString photos = folder->path() + "/photos";
    QImage face(400, 400, QImage::Format_RGB32);
    face.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    face.save(&pngBuffer, "PNG");
    const QString file = folder->write("photos/Ace.jpg", png.left(png.size() * 6 / 10));
    ASSERT_TRUE(QImage(file).isNull()) << "the reader shows a cut-off file now";
    board->lbl_PhotoPath->setText(photos);
    board->lbl_VisPitcher->setText(QStringLiteral("Ace"));
    FileOpens opens(photos, QStringLiteral("Ace.jpg"));

    board->tmr_Constant_Timer();
    const int perDecode = opens.take();
    ASSERT_GE(perDecode, 1);
    EXPECT_EQ(opensOverTicks(opens, 30), 0);
    EXPECT_FALSE(board->img_VisPitch->hasPicture());

    // A good photo in its place shows at the next tick, and is read once too.
    QImage fixed(300, 420, QImage::Format_RGB32);
    fixed.fill(Qt::red);
    ASSERT_TRUE(fixed.save(file, "JPG"));
    opens.take();
    board->tmr_Constant_Timer();
    EXPECT_EQ(opens.take(), perDecode);
    EXPECT_TRUE(board->img_VisPitch->hasPicture());
    EXPECT_EQ(opensOverTicks(opens, 30), 0);
}
