// The side at bat and the batter pick that fills the runner pieces.
#include "presentation/photos.h"
#include "support/board_fixture.h"
#include "support/team_helpers.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {

class BatterPickTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        QStringList lines;
        for (int i = 1; i <= 11; ++i)
            lines << QStringLiteral("Vis %1=POS").arg(i);
        lines[0] = QStringLiteral("Smith=SS .300");
        lines[1] = QStringLiteral("Jones");
        lines[2] = QStringLiteral("../escape");
        lines[3] = QStringLiteral("Pixless");
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Visitors.txt"), lines), true);
        teams::loadTeam(*board, *ui,
                        teams::writeTeam(*folder, QStringLiteral("Homers.txt"),
                                         {QStringLiteral("Home 1"), QStringLiteral("Home 2")}),
                        false);
        photoDir = folder->file(QStringLiteral("Photos"));
        QDir().mkpath(photoDir);
        board->lbl_PhotoPath->setText(photoDir);
        writePhoto(QStringLiteral("Smith.jpg"), Qt::green);
        writePhoto(QStringLiteral("JONES.JPG"), Qt::yellow);
        // A file a name with a path in it must never reach.
        writePhoto(QStringLiteral("../escape.jpg"), Qt::red);
        folder->write(QStringLiteral("Photos/Pixless.jpg"), "no picture in here");
        ui->clear();
    }
    void writePhoto(const QString& name, QColor c) const
    {
        QImage img(30, 45, QImage::Format_RGB32);
        img.fill(c);
        ASSERT_TRUE(img.save(photoDir + QLatin1Char('/') + name, "JPG"));
    }
    // What each of the four pieces shows: a photo, a name, or nothing.
    QStringList pieces() const
    {
        QStringList out;
        for (size_t i = 0; i < 4; ++i) {
            if (board->pb_Player[i]->hasPicture())
                out << QStringLiteral("photo:") + board->pb_Player[i]->hiddenText;
            else if (board->lbl_Player[i]->isVisibleTo(board->pb_Player[i]))
                out << QStringLiteral("name:") + board->lbl_Player[i]->text();
            else
                out << QString();
        }
        return out;
    }
    QString photoDir;
};

}  // namespace

TEST_F(BatterPickTest, AtBatOptionsColourTheTwoSides)
{
    using teams::backColour;
    teams::setAtBat(*board, false);
    ASSERT_TRUE(board->Option6->isChecked());
    EXPECT_EQ(backColour(board->tb_HomeTeam), 0xFFFFFFu);
    EXPECT_EQ(backColour(board->Option6), 0xFFFFFFu);
    EXPECT_EQ(backColour(board->List2), 0xFFFFFFu);
    EXPECT_EQ(backColour(board->tb_VisTeam), 0xC0C0C0u);
    EXPECT_EQ(backColour(board->Option5), 0xC0C0C0u);
    EXPECT_EQ(backColour(board->List1), 0xC0C0C0u);

    // Set from code, as the third out does: the other option clears and the
    // colours follow; the batter stays.
    board->lbl_Selected->setText(QStringLiteral("Home 1"));
    board->Option5->setChecked(true);
    EXPECT_FALSE(board->Option6->isChecked());
    EXPECT_EQ(backColour(board->tb_VisTeam), 0xFFFFFFu);
    EXPECT_EQ(backColour(board->List1), 0xFFFFFFu);
    EXPECT_EQ(backColour(board->Option6), 0xC0C0C0u);
    EXPECT_EQ(backColour(board->List2), 0xC0C0C0u);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("Home 1"));
}

TEST_F(BatterPickTest, EachClickMakesTheBatterAndFillsTheFirstFreePiece)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 0);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("Smith"));
    EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("0"));
    EXPECT_EQ(board->tb_LBselected->text(), QString());
    EXPECT_EQ(pieces(), (QStringList{QStringLiteral("photo:Smith"), QString(), QString(), QString()}));
    EXPECT_TRUE(board->Image[0]->hasPicture());
    EXPECT_EQ(board->pb_Player[0]->size(), board->Image[0]->size());
    EXPECT_FALSE(board->lbl_Player[0]->isVisibleTo(board->pb_Player[0]));

    // A re-click of the same entry picks him again: one more piece, not two.
    teams::clickEntry(*board->List1, 0);
    // The photo file found without regard to case.
    teams::clickEntry(*board->List1, 1);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("Jones"));
    EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("1"));
    // Unreadable photo: his name instead.
    teams::clickEntry(*board->List1, 3);
    EXPECT_EQ(pieces(), (QStringList{QStringLiteral("photo:Smith"), QStringLiteral("photo:Smith"),
                                     QStringLiteral("photo:Jones"), QStringLiteral("name:Pixless")}));
    EXPECT_EQ(board->pb_Player[3]->hiddenText, QStringLiteral("Pixless"));
    EXPECT_FALSE(board->Image[3]->hasPicture());

    // A fifth batter with all pieces taken is still the batter.
    teams::clickEntry(*board->List1, 4);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("Vis 5"));
    EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("4"));
    EXPECT_EQ(pieces().at(3), QStringLiteral("name:Pixless"));
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BatterPickTest, APathInANameOrNoPhotoFolderShowsTheName)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 2);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("../escape"));
    EXPECT_EQ(pieces().at(0), QStringLiteral("name:../escape"));

    // No name that could leave the photo folder names a photo file.
    for (const char* name : {"..\\escape", "..", ".", "a/b", ""})
        EXPECT_EQ(photos::PlayerPhotoFile(photoDir, QString::fromLatin1(name)), QString()) << name;
    EXPECT_EQ(photos::PlayerPhotoFile(photoDir, QStringLiteral("jones")), photoDir + QStringLiteral("/JONES.JPG"));

    // An empty photo folder looks nothing up, even where the name would exist.
    board->lbl_PhotoPath->setText(QString());
    teams::clickEntry(*board->List1, 0);
    EXPECT_EQ(pieces().at(1), QStringLiteral("name:Smith"));
}

TEST_F(BatterPickTest, TheMissingPhotoPlacementUsesTheFreeTestAndClearsAStaleToken)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 0);  // Smith's photo on piece 1
    // The piece cleared as a double-click does: the token keeps the photo.
    board->pb_Player[0]->clearPicture();
    ASSERT_TRUE(board->Image[0]->hasPicture());

    teams::clickEntry(*board->List1, 3);  // Pixless: no readable photo
    EXPECT_EQ(pieces().at(0), QStringLiteral("name:Pixless"));
    EXPECT_FALSE(board->Image[0]->hasPicture());
    // A free piece whose token holds an old photo takes the new one.
    board->lbl_Player[0]->clear();
    board->lbl_Player[0]->hide();
    teams::clickEntry(*board->List1, 1);
    EXPECT_EQ(pieces().at(0), QStringLiteral("photo:Jones"));
    EXPECT_TRUE(board->Image[0]->hasPicture());
}

TEST_F(BatterPickTest, PicksThatChangeNothing)
{
    auto nothingPicked = [&](const char* why) {
        EXPECT_EQ(board->lbl_Selected->text(), QString()) << why;
        EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("0")) << why;
        EXPECT_EQ(pieces(), QStringList(4, QString())) << why;
    };
    teams::clickEntry(*board->List1, 1);
    nothingPicked("no side at bat");
    EXPECT_EQ(board->List1->listIndex(), 1);  // the highlight moves all the same

    teams::setAtBat(*board, false);
    teams::clickEntry(*board->List1, 1);
    nothingPicked("the fielding side's lineup");

    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 9);  // the tenth entry
    nothingPicked("past the ninth");
    EXPECT_EQ(board->List1->listIndex(), 9);

    board->Check1->setChecked(true);
    teams::clickEntry(*board->List1, 1);
    nothingPicked("EDIT on");
    board->Check1->setChecked(false);

    board->tb_ListBoxStatus->setText(QStringLiteral("1"));
    teams::clickEntry(*board->List1, 1);
    nothingPicked("busy");
    board->tb_ListBoxStatus->setText(QStringLiteral("0"));

    board->List1->setListIndex(-1);
    nothingPicked("no entry selected");

    // A selection from code runs the pick exactly once.
    board->List1->setListIndex(0);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("Smith"));
    EXPECT_EQ(pieces(), (QStringList{QStringLiteral("photo:Smith"), QString(), QString(), QString()}));
}

TEST_F(BatterPickTest, HoveringShowsTheWholeEntry)
{
    for (bool visitors : {true, false}) {
        ListBox* list = visitors ? board->List1 : board->List2;
        QTest::mouseMove(list->viewport(), teams::entryPoint(*list, 1));
        EXPECT_EQ(list->toolTip(), visitors ? QStringLiteral("Jones") : QStringLiteral("Home 2"));
        QTest::mouseMove(list->viewport(), teams::entryPoint(*list, 0));
        EXPECT_EQ(list->toolTip(), visitors ? QStringLiteral("Smith=SS .300") : QStringLiteral("Home 1"));
        // Below the last entry: the nearest, the last one.
        if (!visitors) {
            QTest::mouseMove(list->viewport(), QPoint(5, list->viewport()->height() - 2));
            EXPECT_EQ(list->toolTip(), QStringLiteral("Home 2"));
        }
    }
}
