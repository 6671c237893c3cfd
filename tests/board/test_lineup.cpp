// Lineup editing: UP and DN, renaming, dragging in edit mode, the
// right-click view of an entry.
#include "platform/grid.h"
#include "support/board_fixture.h"
#include "support/team_helpers.h"

#include <QTest>

namespace {

class LineupEditTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        QStringList lines;
        for (int i = 1; i <= 10; ++i)
            lines << QStringLiteral("P%1=X").arg(i);
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Vis.txt"), lines), true);
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Home.txt"), lines), false);
        ui->clear();
    }
    QStringList order(ListBox* list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i).section(QLatin1Char('='), 0, 0);
        return out;
    }
    static QStringList moved(int from, int to)
    {
        QStringList l;
        for (int i = 1; i <= 10; ++i)
            l << QStringLiteral("P%1").arg(i);
        l.move(from, to);
        return l;
    }
    // Presses on one entry and releases on another with the left button.
    void drag(ListBox* list, int from, int to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const QPoint a = teams::entryPoint(*list, from);
        const QPoint b = teams::entryPoint(*list, to);
        QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseMove(list->viewport(), b);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, mods, b);
    }
    void rightClick(ListBox* list, QPoint at)
    {
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, at);
    }
    int filledPieces() const
    {
        int n = 0;
        for (size_t i = 0; i < 4; ++i)
            n += board->pb_Player[i]->hasPicture() || !board->lbl_Player[i]->text().isEmpty();
        return n;
    }
};

}  // namespace

TEST_F(LineupEditTest, UpAndDownMoveTheSelectedEntryAndPickIt)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 3);
    ASSERT_EQ(board->lbl_Selected->text(), QStringLiteral("P4"));
    click(board->Command2);  // UP
    EXPECT_EQ(order(board->List1), moved(3, 2));
    EXPECT_EQ(board->List1->listIndex(), 2);
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("P4"));
    EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("2"));
    EXPECT_EQ(filledPieces(), 2);  // the pick ran once more for him
    click(board->Command3);  // DN puts him back
    EXPECT_EQ(order(board->List1), moved(0, 0));
    EXPECT_EQ(board->List1->listIndex(), 3);

    // First entry up, last entry down, or no selection: unchanged.
    board->List2->setListIndexSilently(0);
    click(board->Command8);
    board->List2->setListIndexSilently(9);
    click(board->Command4);
    board->List2->setListIndexSilently(-1);
    click(board->Command8);
    click(board->Command4);
    EXPECT_EQ(order(board->List2), moved(0, 0));
    // The home side's buttons move the home lineup only.
    board->List2->setListIndexSilently(5);
    click(board->Command4);
    EXPECT_EQ(order(board->List2), moved(5, 6));
    EXPECT_EQ(order(board->List1), moved(0, 0));
}

TEST_F(LineupEditTest, RenameReplacesTheWholeEntry)
{
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 1);
    click(board->Check1);
    EXPECT_TRUE(board->tb_List1edit->isVisible());
    board->tb_List1edit->setText(QStringLiteral("Newman"));
    click(board->Check1);  // EDIT off: the box hides and keeps its text
    EXPECT_FALSE(board->tb_List1edit->isVisible());
    QTest::mouseDClick(board->List1->viewport(), Qt::LeftButton, Qt::NoModifier, teams::entryPoint(*board->List1, 1));
    EXPECT_EQ(board->List1->itemText(1), QStringLiteral("Newman"));
    EXPECT_EQ(board->tb_List1edit->text(), QString());
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("P2"));
    EXPECT_EQ(sheet().grd_VisStats->textMatrix(2, 1), QStringLiteral("P2"));

    // An empty box renames nothing; with text but no selection, nothing either.
    QTest::mouseDClick(board->List1->viewport(), Qt::LeftButton, Qt::NoModifier, teams::entryPoint(*board->List1, 2));
    EXPECT_EQ(board->List1->itemText(2), QStringLiteral("P3=X"));
    board->tb_List1edit->setText(QStringLiteral("Other"));
    board->List1->setListIndexSilently(-1);
    board->visitorsSide.renameEntry();
    EXPECT_EQ(board->tb_List1edit->text(), QStringLiteral("Other"));
    EXPECT_EQ(order(board->List1).join(QLatin1Char(',')).count(QStringLiteral("Other")), 0);
}

TEST_F(LineupEditTest, DraggingInEditModeMovesTheEntry)
{
    board->Check2->setChecked(true);
    drag(board->List2, 2, 5);
    EXPECT_EQ(order(board->List2), moved(2, 4));
    EXPECT_EQ(board->List2->listIndex(), 4);

    board->Check1->setChecked(true);
    drag(board->List1, 2, 5, Qt::ShiftModifier);
    EXPECT_EQ(order(board->List1), moved(2, 5));

    board->Check2->setChecked(false);
    drag(board->List2, 4, 1);  // EDIT off: only the highlight moves
    EXPECT_EQ(order(board->List2), moved(2, 4));
    board->Check2->setChecked(true);
    drag(board->List2, 4, 2);  // put the lineup back in order
    ASSERT_EQ(order(board->List2), moved(0, 0));

    drag(board->List2, 5, 2);
    EXPECT_EQ(order(board->List2), moved(5, 2));
    drag(board->List2, 2, 6);  // back
    ASSERT_EQ(order(board->List2), moved(0, 0));
    drag(board->List2, 5, 2, Qt::ShiftModifier);
    EXPECT_EQ(order(board->List2), moved(5, 3));
    drag(board->List2, 3, 6);
    ASSERT_EQ(order(board->List2), moved(0, 0));
    // Shift with Ctrl counts as no Shift; a release on the same entry moves nothing.
    drag(board->List2, 5, 2, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(order(board->List2), moved(5, 2));
    drag(board->List2, 4, 4);
    EXPECT_EQ(order(board->List2), moved(5, 2));
    // The batter is never picked by a drag.
    EXPECT_EQ(board->lbl_Selected->text(), QString());
}

TEST_F(LineupEditTest, RightClickShowsTheWholeEntryAndLeavesTheSelection)
{
    ui->expectAlarm(QStringLiteral("P8=X"));
    ui->expectAlarm(QStringLiteral("P10=X"));
    ui->expectAlarm(QStringLiteral("P2=X"));
    teams::setAtBat(*board, true);
    teams::clickEntry(*board->List1, 4);
    ASSERT_EQ(filledPieces(), 1);
    ui->clear();

    rightClick(board->List1, teams::entryPoint(*board->List1, 7));
    ASSERT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(ui->prompts[0].text, QStringLiteral("P8=X"));
    EXPECT_EQ(ui->prompts[0].icon, QMessageBox::Warning);
    EXPECT_EQ(ui->prompts[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(board->tb_ListBoxStatus->text(), QStringLiteral("0"));
    // The batter, the pieces and the selection are as before the view.
    EXPECT_EQ(board->lbl_Selected->text(), QStringLiteral("P5"));
    EXPECT_EQ(board->lbl_L1current->text(), QStringLiteral("4"));
    EXPECT_EQ(filledPieces(), 1);
    EXPECT_EQ(board->List1->listIndex(), 4);

    // Below the last entry: the last one is shown.
    ui->clear();
    board->List1->scrollToBottom();
    rightClick(board->List1, QPoint(5, board->List1->viewport()->height() - 2));
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(ui->messages().at(0), QStringLiteral("P10=X"));
    EXPECT_EQ(board->List1->listIndex(), 4);

    // In edit mode the view still shows, and nothing moves.
    board->Check1->setChecked(true);
    ui->clear();
    rightClick(board->List1, teams::entryPoint(*board->List1, 1));
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("P2=X")});
    EXPECT_EQ(order(board->List1), moved(0, 0));
}
