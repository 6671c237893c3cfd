// Correcting cells on the sheet with the floating editor.
#include "platform/grid.h"
#include "support/board_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class EditingTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        sheet().show();
        sheet().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet()));
    }
    void TearDown() override
    {
        sheet().hide();
        BoardTest::TearDown();
    }
    void clickCell(Grid* g, int row, int col)
    {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, g->cellRect(row, col).center());
    }
    QLineEdit* editor() { return sheet().Text1; }
    // Where the editor must lie: exactly over the cell, in the sheet's coordinates.
    QRect cellOnSheet(Grid* g, int row, int col)
    {
        const QRect r = g->cellRect(row, col);
        return QRect(g->viewport()->mapTo(&sheet(), r.topLeft()), r.size());
    }
};

TEST_F(EditingTest, ClickOpensTheEditorOverTheCellAndEnterWritesAndMovesDown)
{
    Grid* g = sheet().grd_VisStats;
    g->setTextMatrix(2, 3, "4");
    const QColor band = g->model().cellBackColor(2, 3);

    clickCell(g, 2, 3);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->geometry(), cellOnSheet(g, 2, 3));
    EXPECT_EQ(editor()->text(), "4");
    EXPECT_EQ(editor()->selectedText(), "4");
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_EQ(sheet().lbl_GridSelected->text(), "V");

    QTest::keyClicks(editor(), "7");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(g->textMatrix(2, 3), "7");
    EXPECT_EQ(g->currentRowIndex(), 3);
    EXPECT_EQ(g->currentColIndex(), 3);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(g->hasFocus());
    EXPECT_EQ(g->model().cellBackColor(2, 3), band);

    // Enter on the grid opens the next cell; the keypad's Enter commits too.
    QTest::keyClick(g, Qt::Key_Return);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->geometry(), cellOnSheet(g, 3, 3));
    QTest::keyClicks(editor(), "12");
    QTest::keyClick(editor(), Qt::Key_Enter);
    EXPECT_EQ(g->textMatrix(3, 3), "12");
    EXPECT_EQ(g->currentRowIndex(), 4);

    // The last row stays the current row.
    Grid* h = sheet().grd_HomeStats;
    h->setFocus();
    h->setCurrentCell(49, 11);
    QTest::keyClick(h, Qt::Key_Return);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(sheet().lbl_GridSelected->text(), "H");
    QTest::keyClicks(editor(), "Late Arm");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(h->textMatrix(49, 11), "Late Arm");
    EXPECT_EQ(h->currentRowIndex(), 49);

    // Enter never pressed "SAVE TO DB": no question was asked.
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_TRUE(sheet().Command2->isEnabled());
}

TEST_F(EditingTest, EscapeKeepsTheEditAndLeavingTheEditorDiscardsIt)
{
    Grid* v = sheet().grd_VisStats;
    Grid* h = sheet().grd_HomeStats;
    v->setTextMatrix(1, 2, "1");

    clickCell(v, 1, 2);
    QTest::keyClicks(editor(), "5");
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_TRUE(sheet().isVisible());
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), "5");

    // A click on the other grid drops the edit and starts one there.
    clickCell(h, 2, 12);
    EXPECT_EQ(v->textMatrix(1, 2), "1");
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->geometry(), cellOnSheet(h, 2, 12));
    EXPECT_EQ(sheet().lbl_GridSelected->text(), "H");

    // Moving to another control drops it too.
    QTest::keyClicks(editor(), "9");
    sheet().tb_Comments->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(h->textMatrix(2, 12), "");

    // The box score has no editor.
    Grid* box = sheet().grd_BoxScore;
    clickCell(box, 1, 3);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(EditingTest, DeleteClearsVisibleCellsButNeverAHiddenOne)
{
    Grid* h = sheet().grd_HomeStats;
    h->setTextMatrix(1, 1, "Ann");
    h->setTextMatrix(1, 18, "1");
    h->setTextMatrix(4, 6, "3");

    // Tabbed into before any cell was picked: the current cell is the last
    // row's played flag, so Enter opens nothing and the view did not scroll.
    h->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h->currentRowIndex(), 49);
    EXPECT_EQ(h->currentColIndex(), 18);
    EXPECT_EQ(h->verticalScrollBar()->value(), 0);
    QTest::keyClick(h, Qt::Key_Return);
    EXPECT_FALSE(editor()->isVisible());

    h->setCurrentCell(4, 6);
    QTest::keyClick(h, Qt::Key_Delete);
    EXPECT_EQ(h->textMatrix(4, 6), "");
    EXPECT_FALSE(editor()->isVisible());

    // The played flag and the fixed column stay.
    h->setCurrentCell(1, 18);
    QTest::keyClick(h, Qt::Key_Delete);
    QTest::keyClick(h, Qt::Key_Return);
    EXPECT_EQ(h->textMatrix(1, 18), "1");
    EXPECT_FALSE(editor()->isVisible());
    h->setTextMatrix(1, 0, "fixed");
    h->setCurrentCell(1, 0);
    QTest::keyClick(h, Qt::Key_Delete);
    EXPECT_EQ(h->textMatrix(1, 0), "fixed");

    // A name is cleared like any visible cell.
    h->setCurrentCell(1, 1);
    QTest::keyClick(h, Qt::Key_Delete);
    EXPECT_EQ(h->textMatrix(1, 1), "");
    EXPECT_TRUE(ui->prompts.empty());
}
