// Runner pieces, "RESET", the base tracker and stolen bases, driven with
// the mouse as the user drives them.
#include "board/form1.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace gamehelp;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

// Press at the centre, move by the offset with the button held, release
// where the pointer then is (the piece's centre follows it).
void drag(QWidget* w, QPoint by, Qt::MouseButton button = Qt::LeftButton,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QPoint c = w->rect().center();
    mouse(w, QEvent::MouseButtonPress, c, button, button, mods);
    mouse(w, QEvent::MouseMove, c + by, Qt::NoButton, button, mods);
    mouse(w, QEvent::MouseButtonRelease, w->rect().center(), button, Qt::NoButton, mods);
}

// What the windowing system delivers for a double-click: press, release,
// double-click, release.
void doubleClickAt(QWidget* w, QPoint pos)
{
    mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    mouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

// A click on the top half of a piece, away from its name band.
void clickPiece(QWidget* piece, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::mouseClick(piece, Qt::LeftButton, mods, QPoint(piece->width() / 2, piece->height() / 4));
}

unsigned markerColour(const QWidget* m)
{
    return m->property("backColor").toUInt();
}

}  // namespace

TEST_F(BoardTest, PiecesClearByDoubleClickAndResetPutsThemBack)
{
    standardGame(*board);
    click(board->lbl_Single);  // V1 on piece 1, V2 on piece 2
    click(board->lbl_Single);  // V3 on piece 3
    ASSERT_EQ(board->pb_Player[0]->hiddenText, "V1");
    ASSERT_EQ(board->lbl_Player[2]->text(), "V3");

    // On the picture: the piece and its name go (its click came first).
    ui->clear();
    doubleClickAt(board->pb_Player[0], QPoint(board->pb_Player[0]->width() / 2, board->pb_Player[0]->height() / 4));
    EXPECT_EQ(board->StealRunnerName->text(), "V1");
    EXPECT_TRUE(board->lbl_Player[0]->isHidden());
    EXPECT_EQ(board->lbl_Player[0]->text(), "");
    EXPECT_EQ(board->pb_Player[0]->hiddenText, "");
    // On the name band: the piece goes, the name stays.
    doubleClickAt(board->lbl_Player[1], board->lbl_Player[1]->rect().center());
    EXPECT_TRUE(board->lbl_Player[1]->isHidden());
    EXPECT_EQ(board->pb_Player[1]->hiddenText, "V2");
    EXPECT_TRUE(ui->prompts.empty());

    // Drag piece 3 with the left button; right-button drags do nothing.
    QWidget* p3 = board->pb_Player[2];
    const QPoint at = p3->pos();
    drag(p3, QPoint(40, 25));
    EXPECT_NEAR(p3->x(), at.x() + 40, 1);
    EXPECT_NEAR(p3->y(), at.y() + 25, 1);
    const QPoint moved = p3->pos();
    drag(p3, QPoint(30, 30), Qt::RightButton);
    EXPECT_EQ(p3->pos(), moved);

    board->cb_BaseTracker->click();
    click(board->lbl_tracker[1]);
    board->tb_BoxScore[0]->setText("2");
    click(board->Command11);
    for (size_t i = 0; i < 4; ++i) {
        static const double f[4] = {0.0126, 0.1011, 0.7019, 0.7905};
        QWidget* p = board->pb_Player[i];
        EXPECT_NEAR(p->x(), board->frameGeometry().width() * f[i], 1) << i;
        EXPECT_NEAR(p->y(), board->Picture1->height() - p->height() * 1.175, 1) << i;
        EXPECT_FALSE(board->Image[i]->hasPicture());
        EXPECT_TRUE(board->lbl_Player[i]->isHidden());
    }
    EXPECT_EQ(board->pb_Player[2]->hiddenText, "V3");
    EXPECT_EQ(board->tb_BoxScore[20]->text(), "2");
    EXPECT_EQ(markerColour(board->lbl_tracker[1]), 0x0000FF00u);
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BoardTest, BaseTrackerMovesWithCtrlDragAndMarkersToggle)
{
    board->cb_BaseTracker->click();
    ASSERT_FALSE(board->pb_BaseTracker->isHidden());
    const QPoint at = board->pb_BaseTracker->pos();
    drag(board->pb_BaseTracker, QPoint(20, 10));
    EXPECT_EQ(board->pb_BaseTracker->pos(), at);
    drag(board->pb_BaseTracker, QPoint(20, 10), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NEAR(board->pb_BaseTracker->x(), at.x() + 20, 1);
    EXPECT_NEAR(board->pb_BaseTracker->y(), at.y() + 10, 1);

    QWidget* first = board->lbl_tracker[0];
    EXPECT_EQ(markerColour(first), 0x00FFFFFFu);
    click(first);
    EXPECT_EQ(markerColour(first), 0x0000FF00u);
    click(first);
    EXPECT_EQ(markerColour(first), 0x00FFFFFFu);
    // The third out leaves the markers alone.
    click(first);
    standardGame(*board);
    board->tb_OUT->setText("2");
    click(board->lbl_GO);
    EXPECT_EQ(markerColour(first), 0x0000FF00u);
}

TEST_F(BoardTest, StolenBaseByCtrlClickOnTheRunnersPiece)
{
    standardGame(*board);
    click(board->lbl_Single);  // V1 on piece 1, V2 up on piece 2
    ui->clear();

    clickPiece(board->pb_Player[1]);
    EXPECT_EQ(board->StealRunnerName->text(), "V2");
    EXPECT_TRUE(ui->prompts.empty());

    clickPiece(board->pb_Player[0], Qt::ControlModifier);
    EXPECT_EQ(board->EventLogText(), "V1=P1_____1B\r\nV1_____SB\r\n");
    EXPECT_EQ(cell(*board, true, 1, 8), "1");
    EXPECT_EQ(ui->notices(), QStringList{"Stat Recorded."});
    EXPECT_EQ(board->StealRunnerIndex, 0);
    clickPiece(board->pb_Player[0], Qt::ControlModifier);
    EXPECT_EQ(cell(*board, true, 1, 8), "2");

    // The name band across a piece takes its own clicks: no pick there.
    ui->clear();
    QTest::mouseClick(board->lbl_Player[0], Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(cell(*board, true, 1, 8), "2");
    EXPECT_TRUE(ui->prompts.empty());

    // A Ctrl+drag moves the runner and records nothing.
    ui->clear();
    drag(board->pb_Player[0], QPoint(50, -20), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(cell(*board, true, 1, 8), "2");
    EXPECT_TRUE(ui->prompts.empty());

    // The guard stands before a stolen base too.
    board->lbl_HomePitcher->setText("");
    clickPiece(board->pb_Player[0], Qt::ControlModifier);
    EXPECT_EQ(ui->notices(), QStringList{NotReadyNotice});
    board->lbl_HomePitcher->setText("HP");

    // A runner the batting side's sheet does not hold is refused whole.
    board->pb_Player[2]->hiddenText = "H5";
    board->lbl_Player[2]->setText("H5");
    board->lbl_Player[2]->show();
    ui->clear();
    const QString log = board->EventLogText();
    clickPiece(board->pb_Player[2], Qt::ControlModifier);
    EXPECT_EQ(ui->notices(), QStringList{"Runner not found on the Stats sheet. Nothing recorded."});
    EXPECT_EQ(board->EventLogText(), log);

    // After RESET the pieces show nobody: a Ctrl+click picks nobody.
    click(board->Command11);
    ui->clear();
    clickPiece(board->pb_Player[0], Qt::ControlModifier);
    EXPECT_TRUE(ui->prompts.empty());
    EXPECT_EQ(cell(*board, true, 1, 8), "2");
    EXPECT_EQ(board->EventLogText(), log);
}

TEST_F(BoardTest, StolenBaseLabelOnlyExplains)
{
    standardGame(*board);
    click(board->lbl_SB);
    ASSERT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(ui->prompts[0].text, "To record a stolen base:\r\n\r\n"
                                   "Hold down CTRL key, then click on the top half of the runner who stole the base.");
    EXPECT_EQ(ui->prompts[0].icon, QMessageBox::Information);
    EXPECT_EQ(board->EventLogText(), "");
}

TEST_F(BoardTest, ANameShownOnAPieceBandsItsMiddleAndTheTrackerIsADiamond)
{
    standardGame(*board);
    PictureBox* piece = board->pb_Player[0];
    ClickLabel* band = board->lbl_Player[0];
    ASSERT_EQ(band->text(), "V1");
    const QPoint middle = piece->rect().center();
    const QPoint top(piece->width() / 2, piece->height() / 4);
    EXPECT_EQ(piece->childAt(middle), band);
    EXPECT_EQ(piece->childAt(top), nullptr);
    // White on grey; a free piece is dark grey.
    EXPECT_EQ(band->grab().toImage().pixelColor(1, 1), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(board->pb_Player[1]->grab().toImage().pixelColor(1, 1), QColor(0x40, 0x40, 0x40));

    // A double-click in the middle lands on the band: cleared, name kept.
    doubleClickAt(band, band->mapFrom(piece, middle));
    EXPECT_TRUE(band->isHidden());
    EXPECT_EQ(piece->hiddenText, "V1");

    // Three base markers and a home plate without behaviour.
    const QLabel* home = board->pb_BaseTracker->findChild<QLabel*>("lbl_tracker");
    ASSERT_NE(home, nullptr);
    const QWidget* first = board->lbl_tracker[0];
    const QWidget* second = board->lbl_tracker[1];
    const QWidget* third = board->lbl_tracker[2];
    EXPECT_GT(first->x(), second->x());
    EXPECT_LT(third->x(), second->x());
    EXPECT_EQ(home->x(), second->x());
    EXPECT_GT(home->y(), first->y());
    EXPECT_LT(second->y(), first->y());
    EXPECT_EQ(first->y(), third->y());
}
