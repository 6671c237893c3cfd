// The statistics sheet's window and grid layout as the board loads it.
#include "platform/grid.h"
#include "support/board_fixture.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST_F(BoardTest, SheetGridsHaveTheirHeadersWidthsAndBanding)
{
    Form2& s = sheet();
    EXPECT_EQ(s.windowTitle(), "Stats");
    for (Grid* g : {s.grd_VisStats, s.grd_HomeStats}) {
        const bool vis = g == s.grd_VisStats;
        EXPECT_EQ(g->rows(), 50);
        EXPECT_EQ(g->cols(), 19);
        const QStringList heads{vis ? "VIS_Player" : "HOME_Player", "K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI",
                                "AB", vis ? "VIS_Pitcher" : "HOME_Pitcher", "K", "BB", "H", "HR", "ER", "IP"};
        for (int c = 1; c <= 17; ++c)
            EXPECT_EQ(g->textMatrix(0, c), heads[c - 1]) << c;
        EXPECT_EQ(g->colWidth(0), 0);
        EXPECT_EQ(g->colWidth(18), 0);
        EXPECT_TRUE(g->isColumnHidden(0));
        EXPECT_TRUE(g->isColumnHidden(18));
        EXPECT_EQ(g->colWidth(1), 1800);
        EXPECT_EQ(g->colWidth(11), 2000);
        EXPECT_EQ(g->colWidth(17), 600);
        EXPECT_EQ(g->colWidth(5), 450);
        EXPECT_EQ(g->model().colAlignment(2), 3);
        EXPECT_EQ(g->model().colAlignment(18), 3);
        // Banding: odd rows light grey, even rows yellow (visitors) or white.
        EXPECT_EQ(g->model().cellBackColor(1, 1), QColor(0xE0, 0xE0, 0xE0));
        EXPECT_EQ(g->model().cellBackColor(2, 5), vis ? QColor(0xFF, 0xFF, 0xC0) : QColor(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(g->model().cellBackColor(49, 18), QColor(0xE0, 0xE0, 0xE0));
        for (int r = 1; r < 50; ++r)
            EXPECT_EQ(g->textMatrix(r, 1), "");
        // The banding does not move when texts change.
        g->setTextMatrix(2, 5, "1");
        EXPECT_EQ(g->model().cellBackColor(2, 5), vis ? QColor(0xFF, 0xFF, 0xC0) : QColor(0xFF, 0xFF, 0xFF));
    }
    Grid* b = s.grd_BoxScore;
    EXPECT_EQ(b->rows(), 3);
    EXPECT_EQ(b->cols(), 24);
    EXPECT_EQ(b->textMatrix(0, 1), "1");
    EXPECT_EQ(b->textMatrix(0, 20), "20");
    EXPECT_EQ(b->textMatrix(0, 21), "R");
    EXPECT_EQ(b->textMatrix(0, 23), "E");
    EXPECT_EQ(b->textMatrix(1, 0), "Team");
    EXPECT_EQ(b->textMatrix(2, 0), "Team");
    EXPECT_EQ(b->colWidth(0), 1500);
    EXPECT_EQ(b->colWidth(9), 350);
    for (int c = 10; c <= 20; ++c)
        EXPECT_EQ(b->colWidth(c), 0) << c;
    for (int c = 21; c <= 23; ++c) {
        EXPECT_EQ(b->colWidth(c), 400);
        EXPECT_EQ(b->textMatrix(1, c), "0");
        EXPECT_EQ(b->textMatrix(2, c), "0");
    }
    EXPECT_EQ(s.lbl_VisTeam->text(), "Team");
    EXPECT_EQ(s.tb_Comments->maxLength(), 110);
    EXPECT_FALSE(s.Command2->autoDefault());
    EXPECT_FALSE(s.Command2->isDefault());
}

TEST_F(BoardTest, StatsOpensCentredWithACurrentCopyAndClosingKeepsEverything)
{
    board->move(120, 80);
    board->tb_BoxScore[0]->setText("2");
    board->tb_BoxScoreBottom[9]->setText("1");
    QRect seen;
    ui->whileModal("Form2", [&](QDialog& d) {
        seen = d.frameGeometry();
        auto& s = static_cast<Form2&>(d);
        s.tb_Comments->setText("Rain delay in the 6th");
        s.grd_VisStats->setTextMatrix(3, 2, "1");
        // Escape hides the sheet; it is not discarded.
        QTest::keyClick(&s, Qt::Key_Escape);
    });
    click(board->lbl_STATS);
    EXPECT_NEAR(seen.center().x(), board->frameGeometry().center().x(), 4);
    EXPECT_NEAR(seen.center().y(), board->frameGeometry().center().y(), 4);
    Form2& s = sheet();
    EXPECT_TRUE(s.isHidden());
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 1), "2");
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 21), "2");
    // Home box of the tenth holds a value but the column follows the visitors.
    EXPECT_EQ(s.grd_BoxScore->textMatrix(2, 10), "1");
    EXPECT_EQ(s.grd_BoxScore->colWidth(10), 0);
    EXPECT_EQ(s.grd_BoxScore->colWidth(21), 350);
    EXPECT_EQ(s.grd_BoxScore->colWidth(23), 400);

    ui->whileModal("Form2", [&](QDialog& d) { d.close(); });
    click(board->lbl_STATS);
    EXPECT_TRUE(s.isHidden());
    EXPECT_EQ(s.tb_Comments->text(), "Rain delay in the 6th");
    EXPECT_EQ(s.grd_VisStats->textMatrix(3, 2), "1");
    EXPECT_EQ(ui->prompts.size(), 2u);
}

TEST_F(BoardTest, SheetKeepsItsProportionWhenResized)
{
    Form2& s = sheet();
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    const QRect before = s.grd_VisStats->geometry();
    const int w = s.width();
    s.resize(w * 2, s.height() * 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.grd_VisStats->width() > before.width(); }));
    s.resize(w, s.height());
    EXPECT_GT(s.grd_VisStats->width(), 0);
    EXPECT_LE(std::abs(s.grd_VisStats->geometry().left() - before.left()), 1);
    s.hide();
}

TEST_F(BoardTest, OnlyAPressOnTheSheetBackgroundCopiesTheLineScore)
{
    Form2& s = sheet();
    s.show();
    board->tb_BoxScore[0]->setText("4");
    // Labels and the button panel take no press of their own: the sheet must
    // not treat one as a press on its background.
    for (QWidget* control : std::initializer_list<QWidget*>{s.lbl_VisTeam, s.Label2, s.Frame1}) {
        QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    }
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 1), "");
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 21), "0");

    // Any button on the background itself.
    QTest::mousePress(&s, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(&s, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 1), "4");
    EXPECT_EQ(s.grd_BoxScore->textMatrix(1, 21), "4");
    s.hide();
    EXPECT_TRUE(ui->prompts.empty());
}
