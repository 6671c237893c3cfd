#include "presentation/center_form.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

void show(QWidget& w, QRect geometry)
{
    w.setGeometry(geometry);
    w.show();
}

// The target's outer top-left corner relative to the board's.
QPoint offset(const QWidget& board, const QWidget& target)
{
    return target.frameGeometry().topLeft() - board.frameGeometry().topLeft();
}

}  // namespace

TEST(CenterOverMain, CentresEachTargetOverTheBoardByOuterGeometry)
{
    QWidget board, notice, sheet;
    show(board, {300, 200, 800, 600});
    show(notice, {0, 0, 300, 200});
    show(sheet, {5, 5, 1000, 700});  // larger than the board
    const QSize noticeSize = notice.size(), sheetSize = sheet.size();

    CenterOverMain(&board, {nullptr, &notice, &sheet});
    EXPECT_EQ(offset(board, notice), QPoint(250, 200));
    EXPECT_EQ(offset(board, sheet), QPoint(-100, -50));  // overhangs equally
    EXPECT_EQ(notice.size(), noticeSize);
    EXPECT_EQ(sheet.size(), sheetSize);

    // The board moves, the user moves the sheet: the next run follows the board.
    board.move(40, 700);
    sheet.move(1200, 10);
    CenterOverMain(&board, {&notice, &sheet});
    EXPECT_EQ(offset(board, notice), QPoint(250, 200));
    EXPECT_EQ(offset(board, sheet), QPoint(-100, -50));

    // Odd differences ((805 - 304) / 2 = 250.5 across, 200.5 down) land within half a pixel.
    board.resize(801, 601);
    CenterOverMain(&board, {&notice});
    const QPoint odd = offset(board, notice);
    EXPECT_TRUE(odd.x() == 250 || odd.x() == 251) << odd.x();
    EXPECT_TRUE(odd.y() == 200 || odd.y() == 201) << odd.y();

    CenterOverMain(nullptr, {&notice});  // nothing to centre on: nothing moves
    EXPECT_EQ(offset(board, notice), odd);
}
