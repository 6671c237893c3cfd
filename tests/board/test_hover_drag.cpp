// The board under the mouse: the options panel's toggles, hover and press
// feedback with the surfaces that reset it, and dragging the panels and the
// window.
#include "presentation/charts.h"
#include "presentation/control_resizer.h"
#include "presentation/dice.h"
#include "presentation/feedback.h"
#include "support/board_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <cmath>

namespace {

// Mouse events as the windowing layer hands them on: to the widget, and on to
// the widgets beneath while none takes them (a move without a button only to
// widgets that track the mouse).
void send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void moveOver(QWidget* w, QPoint pos = {2, 2}, Qt::MouseButtons held = Qt::NoButton)
{
    send(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}
void press(QWidget* w, QPoint pos = {2, 2}, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, pos, button, button);
}
void release(QWidget* w, QPoint pos = {2, 2}, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// Where a widget's centre lies, to the half pixel an odd size leaves.
QPointF centreOf(const QWidget* w)
{
    return QPointF(w->x() + w->width() / 2.0, w->y() + w->height() / 2.0);
}
bool near(QPointF a, QPointF b)
{
    return std::abs(a.x() - b.x()) <= 0.5 && std::abs(a.y() - b.y()) <= 0.5;
}

unsigned back(const QWidget* w)
{
    return feedback::backColor(w);
}

// Counts the restyles a label goes through.
class StyleChanges : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        count += e->type() == QEvent::StyleChange;
        return QObject::eventFilter(o, e);
    }
};

}  // namespace

class BoardMouseTest : public BoardTest {
protected:
    ClickLabel* outcome(const char* name) { return board->pb_Res->findChild<ClickLabel*>(QString::fromLatin1(name)); }

    // Ctrl held as the keyboard reports it when a handler reads it.
    bool holdCtrl()
    {
        QTest::keyPress(board.get(), Qt::Key_Control, Qt::ControlModifier);
        return events::ctrlDown();
    }
    void releaseCtrl() { QTest::keyRelease(board.get(), Qt::Key_Control); }

    // Both lineups long enough to scroll, scrolled to their ends.
    void scrolledLineups()
    {
        for (ListBox* l : {board->List1, board->List2}) {
            for (int i = 0; i < 60; ++i)
                l->addItem(QStringLiteral("P%1=C").arg(i));
            l->doItemsLayout();
            QApplication::processEvents();
            l->verticalScrollBar()->setValue(l->verticalScrollBar()->maximum());
        }
    }
    int scrolled(ListBox* l) const { return l->verticalScrollBar()->value(); }
};

// ---------------------------------------------------------------- panels

TEST_F(BoardMouseTest, OptionsOpensAndClosesThePanelAndXClosesIt)
{
    QWidget* panel = board->fra_Options;
    EXPECT_TRUE(panel->isHidden());
    board->mnu_Options->trigger();
    EXPECT_FALSE(panel->isHidden());
    board->mnu_Options->trigger();
    EXPECT_TRUE(panel->isHidden());

    board->mnu_Options->trigger();
    click(board->Label9);
    EXPECT_TRUE(panel->isHidden());
    board->mnu_Options->trigger();
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(BoardMouseTest, HideControlsBringsThePlayPanelBackWhereItWasLeft)
{
    if (!holdCtrl())
        GTEST_SKIP() << "the platform reports no Ctrl state";
    QWidget* panel = board->pb_Res;
    press(panel, {10, 10});
    moveOver(panel, {40, 30}, Qt::LeftButton);
    release(panel, {40, 30});
    releaseCtrl();
    const QRect dragged = panel->geometry();

    board->mnu_Options->trigger();
    board->chk_Ctrls->click();
    EXPECT_TRUE(panel->isHidden());
    // Closing the options panel leaves the switch and the play panel as they are.
    click(board->Label9);
    EXPECT_TRUE(board->chk_Ctrls->isChecked());
    EXPECT_TRUE(panel->isHidden());
    board->mnu_Options->trigger();
    board->chk_Ctrls->click();
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->geometry(), dragged);

    // Resized while hidden, it comes back scaled like the board around it.
    board->resizer().InitializeResizer(board.get());
    board->chk_Ctrls->click();
    const int before = board->width();
    resizeKeepingRatio(*board, before * 3 / 4);
    QApplication::processEvents();
    board->chk_Ctrls->click();
    EXPECT_FALSE(panel->isHidden());
    EXPECT_NEAR(panel->x(), dragged.x() * 3 / 4, 3);
    EXPECT_NEAR(panel->width(), dragged.width() * 3 / 4, 3);
}

// ---------------------------------------------------------------- hover and press

TEST_F(BoardMouseTest, OutcomeLabelsLightUpShowABorderWhilePressedAndRestOverTheirSurfaces)
{
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels()) {
        ClickLabel* l = outcome(o.name);
        ASSERT_NE(l, nullptr) << o.name;
        const QSize size = l->size();
        EXPECT_EQ(back(l), o.resting) << o.name;
        press(l);
        EXPECT_EQ(feedback::borderStyle(l), 1) << o.name;
        EXPECT_EQ(l->size(), size) << o.name;
        moveOver(l, {3, 3}, Qt::LeftButton);
        EXPECT_EQ(back(l), o.hover) << o.name;
        release(l);
        EXPECT_EQ(feedback::borderStyle(l), 0) << o.name;
        EXPECT_EQ(back(l), o.hover) << o.name << " stays lit after the release";
        EXPECT_EQ(l->size(), size) << o.name;
        // A move without a button is the label's own: it does not reach the
        // panel beneath and so does not put the label back.
        moveOver(l);
        EXPECT_EQ(back(l), o.hover) << o.name;
        moveOver(board->pb_Res);
        EXPECT_EQ(back(l), o.resting) << o.name;
    }

    // From one label straight onto another: both stay lit until the pointer
    // crosses a reset surface; the background resets them as the panel does.
    ClickLabel* fc = outcome("lbl_FC");
    ClickLabel* ab = outcome("lbl_AB");
    moveOver(fc);
    moveOver(ab);
    EXPECT_EQ(back(fc), 0x00FFFF00u);
    EXPECT_EQ(back(ab), 0x00C0C0FFu);
    // Moves over other controls on the background are theirs, not the background's.
    moveOver(board->Command5);
    moveOver(board->fra_Options);
    EXPECT_EQ(back(fc), 0x00FFFF00u);
    moveOver(board->Picture1, {3, board->Picture1->height() - 3});
    EXPECT_EQ(back(fc), 0x0000FFFFu);
    EXPECT_EQ(back(ab), 0x008080FFu);
    // The outcome labels never change the cursor.
    EXPECT_FALSE(fc->testAttribute(Qt::WA_SetCursor));
}

TEST_F(BoardMouseTest, LinkLabelsLightUpAndRestOnReleaseOrOverTheTopFrameOnly)
{
    ClickLabel* chart = board->lbl_chrt[2];
    ClickLabel* rules = board->lbl_rules;
    moveOver(chart);
    moveOver(rules);
    EXPECT_EQ(back(chart), feedback::LinkHover);
    EXPECT_EQ(back(rules), feedback::LinkHover);
    // The background, the play panel and the bare window around the top
    // frame reset only the outcome labels, if any.
    moveOver(board->Picture1, {3, board->Picture1->height() - 3});
    moveOver(board->pb_Res);
    moveOver(board->boardArea, {board->Frame3->x() - 3, board->Frame3->y() + 3});
    EXPECT_EQ(back(chart), feedback::LinkHover);
    // The labels stand in the top frame: leaving one onto the frame beside
    // it rests them all.
    const QPoint besideChart(chart->x() + chart->width() / 2, chart->geometry().bottom() + 2);
    ASSERT_EQ(board->Frame3->childAt(besideChart), nullptr);
    moveOver(board->Frame3, besideChart);
    EXPECT_EQ(back(chart), feedback::ButtonFace);
    EXPECT_EQ(back(rules), feedback::ButtonFace);

    // The release rests the label at once, the pointer still on it; the next
    // move lights it again. The press border never changes its size.
    ClickLabel* help = board->lbl_help;
    const QSize size = help->size();
    moveOver(help);
    press(help);
    EXPECT_EQ(feedback::borderStyle(help), 1);
    EXPECT_EQ(help->size(), size);
    send(help, QEvent::MouseButtonRelease, {-5, -5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(feedback::borderStyle(help), 0);
    EXPECT_EQ(back(help), feedback::ButtonFace);
    moveOver(help);
    EXPECT_EQ(back(help), feedback::LinkHover);

    // The hand shows over the link-like elements, and only there.
    for (QWidget* w : {static_cast<QWidget*>(chart), static_cast<QWidget*>(rules), static_cast<QWidget*>(help),
                       static_cast<QWidget*>(board->Label3), static_cast<QWidget*>(board->Label9),
                       static_cast<QWidget*>(board->Label11), static_cast<QWidget*>(board->Image7)})
        EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor) << w->objectName().toStdString();
    EXPECT_FALSE(board->Label6->testAttribute(Qt::WA_SetCursor));
}

TEST_F(BoardMouseTest, MovesOverTheBoardScrollTheLineupsUpButNotOverThePlayPanel)
{
    scrolledLineups();
    const int v1 = scrolled(board->List1), v2 = scrolled(board->List2);
    ASSERT_GT(v1, 2);
    moveOver(board->pb_Res);
    EXPECT_EQ(scrolled(board->List1), v1);
    moveOver(board->Picture1, {3, board->Picture1->height() - 3});
    EXPECT_EQ(scrolled(board->List1), v1 - 1);
    EXPECT_EQ(scrolled(board->List2), v2 - 1);
    moveOver(board->Frame3);
    EXPECT_EQ(scrolled(board->List1), v1 - 2);
    moveOver(board.get());
    EXPECT_EQ(scrolled(board->List2), v2 - 3);
}

TEST_F(BoardMouseTest, AMoveThatChangesNoColourRestylesNothing)
{
    StyleChanges changes;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels())
        outcome(o.name)->installEventFilter(&changes);
    for (ClickLabel* l : board->lbl_chrt)
        l->installEventFilter(&changes);
    for (int i = 0; i < 5; ++i) {
        moveOver(board->Picture1, {3, board->Picture1->height() - 3});
        moveOver(board->pb_Res);
        moveOver(board->Frame3);
    }
    EXPECT_EQ(changes.count, 0);
    // Staying on a lit label restyles it once.
    moveOver(outcome("lbl_K"));
    moveOver(outcome("lbl_K"), {4, 4});
    EXPECT_EQ(changes.count, 1);
}

// ---------------------------------------------------------------- dragging

TEST(DragArithmetic, TheCentreFollowsThePointerButStopsAtTheBoardsEdge)
{
    const QSize board(1000, 800);
    const QRect panel(100, 200, 60, 40);
    struct Case {
        QPointF pointer;
        QPoint topLeft;
    } cases[] = {
        {{1, 1}, {71, 181}},                // grabbed at a corner: the centre jumps under the pointer
        {{30, 20}, {100, 200}},             // at the centre already: no move
        {{30.5, 20.5}, {100, 200}},         // halves round to even
        {{-500, 20}, {-30, 200}},           // far left: the centre stops on the left edge
        {{2000, 2000}, {970, 780}},         // far right and down: on those edges
        {{30, -1000}, {100, -20}},          // above the board
    };
    for (const Case& c : cases)
        EXPECT_EQ(feedback::centredDragTo(panel, c.pointer, board), c.topLeft)
            << c.pointer.x() << "," << c.pointer.y();
}

TEST_F(BoardMouseTest, TheColourDiceFollowTheLeftButtonAloneAndKeepTheirPlaceThroughAResize)
{
    QWidget* dice = board->fra_ColourDice;
    dice->show();
    const QRect start = dice->geometry();
    board->DragOrigin = QPoint(5, 5);
    // Any other button, or two at once, moves nothing and forgets the origin.
    for (Qt::MouseButtons held : {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton}) {
        moveOver(dice, {2, 2}, held);
        EXPECT_EQ(dice->geometry(), start);
        EXPECT_EQ(board->DragOrigin, QPoint());
    }
    // Presses on the numbers and ROLL are theirs: the frame stays put.
    for (QWidget* part : {static_cast<QWidget*>(board->lbl_R10), static_cast<QWidget*>(board->Command1)}) {
        part->show();
        press(part);
        moveOver(part, {30, 30}, Qt::LeftButton);
        release(part);
        EXPECT_EQ(dice->geometry(), start) << part->objectName().toStdString();
    }

    press(dice, {2, 2});
    moveOver(dice, {3, 3}, Qt::LeftButton);
    EXPECT_TRUE(near(centreOf(dice), start.topLeft() + QPointF(3, 3)));
    moveOver(dice, {dice->width() / 2 + 40, dice->height() / 2 - 25}, Qt::LeftButton);
    const QPointF placed = start.topLeft() + QPointF(3 + 40, 3 - 25);
    EXPECT_TRUE(near(centreOf(dice), placed));
    EXPECT_TRUE(board->resizer().isRecorded());
    release(dice, {dice->width() / 2, dice->height() / 2});
    EXPECT_FALSE(board->resizer().isRecorded()) << "the release re-arms the resizer";

    const QSize before = board->Picture1->size();
    resizeKeepingRatio(*board, board->width() * 4 / 5);
    QApplication::processEvents();
    const double rx = double(board->Picture1->width()) / before.width();
    EXPECT_NEAR(dice->x(), (placed.x() - start.width() / 2) * rx, 3);
}

TEST_F(BoardMouseTest, APressOnADieBodyDragsTheColourDiceAndOneOnItsNumberDoesNot)
{
    QWidget* dice = board->fra_ColourDice;
    dice->show();
    dice->raise();
    board->dice.Command1_Click();
    board->dice.tmrDice2_Timer();  // the numbers show
    ASSERT_TRUE(QTest::qWaitForWindowExposed(board.get()));
    // Through the window, which hands a press to whatever lies on top.
    QWindow* window = board->windowHandle();
    auto at = [this](QWidget* w, QPoint p) { return w->mapTo(board.get(), p); };
    const QRect start = dice->geometry();
    const QPoint number = at(board->lbl_G20, board->lbl_G20->rect().center());
    QTest::mousePress(window, Qt::LeftButton, {}, number);
    QTest::mouseMove(window, number + QPoint(20, 20));
    QTest::mouseRelease(window, Qt::LeftButton, {}, number + QPoint(20, 20));
    EXPECT_EQ(dice->geometry(), start) << "a press on a number";

    for (QWidget* body : std::initializer_list<QWidget*>{board->shp_R10, board->shp_G20, board->shp_P6}) {
        SCOPED_TRACE(body->objectName().toStdString());
        const QRect before = dice->geometry();
        // The body's top band, above its number.
        const QPoint grab = at(body, QPoint(body->width() / 2, 3));
        QTest::mousePress(window, Qt::LeftButton, {}, grab);
        QTest::mouseMove(window, grab + QPoint(1, 1));
        QTest::mouseRelease(window, Qt::LeftButton, {}, grab + QPoint(1, 1));
        // The frame jumped to put its centre under the pointer.
        EXPECT_NE(dice->geometry(), before);
        EXPECT_TRUE(near(centreOf(dice), QPointF(dice->parentWidget()->mapFrom(board.get(), grab + QPoint(1, 1)))));
    }
}

TEST_F(BoardMouseTest, TheFaceDiceAndThePlayPanelMoveOnlyWithCtrlAndTheLeftButton)
{
    board->Check4->setChecked(true);
    for (QWidget* panel : {static_cast<QWidget*>(board->fra_FaceDice), static_cast<QWidget*>(board->pb_Res)}) {
        const std::string name = panel->objectName().toStdString();
        const QRect start = panel->geometry();
        press(panel, {4, 4});
        moveOver(panel, {20, 20}, Qt::LeftButton);
        EXPECT_EQ(panel->geometry(), start) << name << " moved without Ctrl";
        release(panel, {20, 20});
        if (!holdCtrl())
            GTEST_SKIP() << "the platform reports no Ctrl state";
        moveOver(panel, {20, 20}, Qt::RightButton);
        EXPECT_EQ(panel->geometry(), start) << name;
        press(panel, {4, 4});
        moveOver(panel, {5, 6}, Qt::LeftButton);
        EXPECT_TRUE(near(centreOf(panel), start.topLeft() + QPointF(5, 6))) << name;
        const int top = panel->y();
        // Dragged far past the board: the centre stops on its edge.
        moveOver(panel, {panel->width() / 2 + 100000, panel->height() / 2}, Qt::LeftButton);
        EXPECT_NEAR(panel->x() + panel->width() / 2.0, board->Picture1->width(), 1) << name;
        EXPECT_EQ(panel->y(), top) << name;
        release(panel);
        releaseCtrl();
        // No re-arming: the recorded layout is kept.
        EXPECT_TRUE(board->resizer().isRecorded()) << name;
        panel->setGeometry(start);
    }
    // The dice faces and the twenty-sided die never start a drag.
    QWidget* dice = board->fra_FaceDice;
    const QRect start = dice->geometry();
    holdCtrl();
    for (QWidget* part : {static_cast<QWidget*>(board->lbl_20die), static_cast<QWidget*>(board->cmd_Roll)}) {
        press(part);
        moveOver(part, {30, 30}, Qt::LeftButton);
        release(part);
    }
    releaseCtrl();
    EXPECT_EQ(dice->geometry(), start);
}

TEST_F(BoardMouseTest, TheTopFrameDragsTheWindowKeepingTheGrabPointWithoutAResize)
{
    QWidget* frame = board->Frame3;
    const QPoint startWindow = board->pos();
    const QSize size = board->size();
    ASSERT_TRUE(board->resizer().isRecorded());
    press(frame, {3, 4});
    EXPECT_EQ(board->DragOrigin, QPoint(3, 4));
    moveOver(frame, {3 + 25, 4 + 12}, Qt::LeftButton);
    EXPECT_EQ(board->pos(), startWindow + QPoint(25, 12));
    // The pointer now stands on the same spot of the moved frame.
    moveOver(frame, {3 - 5, 4}, Qt::LeftButton);
    EXPECT_EQ(board->pos(), startWindow + QPoint(20, 12));
    release(frame);
    // A move without the button does not move the window.
    moveOver(frame, {40, 40});
    EXPECT_EQ(board->pos(), startWindow + QPoint(20, 12));
    EXPECT_EQ(board->size(), size);
    EXPECT_TRUE(board->resizer().isRecorded());
    EXPECT_TRUE(ui->programErrors().isEmpty());
}
