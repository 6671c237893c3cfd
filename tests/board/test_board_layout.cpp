// Where the board's controls stand: the design places (in twips, before the
// launch shrink), the shrink itself on a desktop's and a laptop's screen, and
// a board on which no fixed control covers another or leaves its container,
// and the size the board and the sheet come back to after being maximised.
#include "board/form1.h"
#include "platform/twips.h"
#include "presentation/launch_scaling.h"
#include "support/board_fixture.h"

#include <QCoreApplication>
#include <QImage>

namespace {

struct Design {
    QWidget* control;
    QWidget* container;  // the frame or picture the control lies in
    double left, top, width, height;
};

// A widget's place in twips, as its container holds it.
QRectF twipsOf(const QWidget* w)
{
    const double t = twips::twipsPerPixel();
    const QRect g = w->geometry();
    return {g.x() * t, g.y() * t, g.width() * t, g.height() * t};
}

// The design measures, shrunk by the launch ratios, within one pixel of
// where the control stands.
void expectAtDesign(const Design& d, float rx, float ry)
{
    ASSERT_TRUE(d.control);
    const std::string name = d.control->objectName().toStdString();
    EXPECT_EQ(d.control->parentWidget(), d.container) << name;
    const double onePixel = twips::twipsPerPixel();
    const QRectF at = twipsOf(d.control);
    EXPECT_NEAR(at.x(), d.left * rx, onePixel) << name << " left";
    EXPECT_NEAR(at.y(), d.top * ry, onePixel) << name << " top";
    EXPECT_NEAR(at.width(), d.width * rx, onePixel) << name << " width";
    EXPECT_NEAR(at.height(), d.height * ry, onePixel) << name << " height";
}

// The controls that stay where the board puts them, as they stand in one
// container: what the user shows over the field, the field itself and the
// runner pieces are left out, and so is all that is hidden at start.
QList<QWidget*> fixedControlsIn(const Form1& board, const QWidget* container)
{
    const QList<const QWidget*> overTheField{board.Picture1,       board.Frame1,       board.fra_Options,
                                             board.fra_FaceDice,   board.fra_ColourDice, board.pb_BaseTracker};
    QList<QWidget*> out;
    for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool piece = std::find(board.pb_Player.begin(), board.pb_Player.end(), w) != board.pb_Player.end();
        if (w->isVisibleTo(&board) && !overTheField.contains(w) && !piece)
            out << w;
    }
    return out;
}

void expectNoOverlapAndWithinTheBoard(const Form1& board)
{
    for (const QWidget* container :
         {static_cast<const QWidget*>(board.boardArea), static_cast<const QWidget*>(board.Frame3),
          static_cast<const QWidget*>(board.pb_Res), static_cast<const QWidget*>(board.Picture1)}) {
        const QList<QWidget*> controls = fixedControlsIn(board, container);
        for (int i = 0; i < controls.size(); ++i) {
            const std::string name = controls[i]->objectName().toStdString();
            EXPECT_TRUE(container->rect().contains(controls[i]->geometry()))
                << name << " runs off " << container->objectName().toStdString();
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << name << " covers " << controls[j]->objectName().toStdString();
        }
    }
}

QColor colourInside(QWidget* w)
{
    return w->grab().toImage().pixelColor(3, w->height() - 3);
}

}  // namespace

TEST_F(BoardTest, EveryControlTheDesignPlacesStandsThereShrunkByTheLaunchRatios)
{
    // A 1920 x 1080 screen: exactly the usual shrink, the board fits.
    const auto wide = launch::metricsFor({1920, 1080}, 15.0, 15.0);
    ASSERT_EQ(twips::twipsPerPixel(), 15.0);
    EXPECT_FLOAT_EQ(board->LaunchRatioX, 1920.0f / 2026.0f);
    EXPECT_FLOAT_EQ(board->LaunchRatioY, 1080.0f / 1139.0f);
    EXPECT_FLOAT_EQ(board->LaunchRatioX, wide.ratioX);
    const float rx = board->LaunchRatioX, ry = board->LaunchRatioY;

    Form1& b = *board;
    QWidget* area = b.boardArea;
    std::vector<Design> designs{
        {b.Picture1, area, 0, 3240, 18975, 9400},
        {b.pb_Res, area, 13300, 3285, 5620, 1695},
        {b.lbl_STATS, b.pb_Res, 2040, 1140, 885, 285},
        {b.fra_ColourDice, area, 16680, 9810, 2190, 2715},
        {b.img_VisPitch, area, 4080, 270, 1425, 1995},
        {b.img_HomePitch, area, 13425, 300, 1425, 1995},
        {b.fra_Options, b.Picture1, 5220, 2250, 7890, 2580},
        {b.Label9, b.fra_Options, 7585, 180, 240, 240},
        {b.pb_BaseTracker, b.Picture1, 45, 45, 1680, 1590},
        {b.fra_FaceDice, b.Picture1, 17160, 7180, 1275, 1815},
        {b.Label1, b.Picture1, 60, 9870, 17595, 135},
        {b.lbl_rules, b.Frame3, 6840, 1320, 855, 255},
        {b.lbl_help, b.Frame3, 6840, 1680, 855, 255},
    };
    for (int c = 0; c < 9; ++c) {
        const double left = 2880 + (c / 3) * 1320, top = 1320 + (c % 3) * 360;
        designs.push_back({b.lbl_chrt[size_t(c)], b.Frame3, left, top, 1215, 255});
        designs.push_back({b.tb_chrt[size_t(c)], b.Frame3, left, c == 0 ? 1305 : top, 1215, 285});
    }
    for (size_t i = 0; i < 4; ++i) {
        // The pieces' start places come from the board's width and the field's height.
        const double pieceFactor[4] = {0.0126, 0.1011, 0.7019, 0.7905};
        designs.push_back({b.pb_Player[i], b.Picture1, 18975 * pieceFactor[i], 9400 - 2025 * 1.175, 1350, 2025});
        EXPECT_EQ(b.Image[i]->size(), b.pb_Player[i]->size());
    }
    for (const Design& d : designs)
        expectAtDesign(d, rx, ry);
    EXPECT_TRUE(b.Label1->isHidden());

    // The top frame: its left and width, all it holds, the extra innings
    // directly below it.
    const double onePixel = twips::twipsPerPixel();
    EXPECT_NEAR(twipsOf(b.Frame3).x(), 5525 * rx, onePixel);
    EXPECT_NEAR(twipsOf(b.Frame3).width(), 7875 * rx, onePixel);
    EXPECT_NEAR(twipsOf(b.tb_OUT).width(), 465 * rx, onePixel);
    for (QWidget* w : {static_cast<QWidget*>(b.Command11), static_cast<QWidget*>(b.Command9),
                       static_cast<QWidget*>(b.cb_Xinnings), static_cast<QWidget*>(b.tb_OUT)})
        EXPECT_EQ(w->parentWidget(), b.Frame3) << w->objectName().toStdString();
    for (int i = 0; i < 23; ++i) {
        QWidget* frame = i >= 10 && i < 20 ? b.Frame1 : b.Frame3;
        EXPECT_EQ(b.tb_BoxScore[size_t(i)]->parentWidget(), frame) << i;
        EXPECT_EQ(b.tb_BoxScoreBottom[size_t(i)]->parentWidget(), frame) << i;
        EXPECT_LT(b.tb_BoxScore[size_t(i)]->y(), b.tb_BoxScoreBottom[size_t(i)]->y()) << i;
    }
    // The pad heads over their innings, each pitcher under his lineup.
    for (int inning = 1; inning <= 10; ++inning) {
        const QWidget* head = b.lbl_Digit[size_t(inning % 10)];
        EXPECT_EQ(head->x(), b.tb_BoxScore[size_t(inning - 1)]->x()) << inning;
        EXPECT_LT(head->geometry().bottom(), b.tb_BoxScore[size_t(inning - 1)]->y()) << inning;
    }
    EXPECT_GT(b.lbl_VisPitcher->y(), b.List1->geometry().bottom());
    EXPECT_GT(b.lbl_HomePitcher->y(), b.List2->geometry().bottom());
    EXPECT_EQ(b.Frame1->x(), b.Frame3->x());
    EXPECT_NEAR(b.Frame1->y(), b.Frame3->geometry().bottom() + 1, 1);

    // The colours the panels are drawn in.
    EXPECT_EQ(colourInside(b.pb_Res), QColor(0x80, 0x80, 0x80));
    b.fra_Options->show();
    EXPECT_EQ(colourInside(b.fra_Options), QColor(0xC0, 0xC0, 0xC0));
    auto* caption = b.fra_Options->findChild<QLabel*>(QStringLiteral("fra_OptionsCaption"));
    ASSERT_TRUE(caption);
    caption->ensurePolished();
    EXPECT_EQ(caption->text(), QStringLiteral("OPTIONS"));
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(0xC0, 0, 0));
}

TEST_F(BoardTest, OnADesktopAndOnALaptopNoFixedControlCoversAnotherOrLeavesTheBoard)
{
    // The rename boxes of the lineups have places of their own.
    board->Check1->setChecked(true);
    board->Check2->setChecked(true);
    ASSERT_TRUE(board->tb_List1edit->isVisibleTo(board.get()));
    expectNoOverlapAndWithinTheBoard(*board);

    // A laptop's 1366 x 768 screen: the board shrinks further to fit, but
    // never below 0.82 of its design size.
    const auto wide = launch::metricsFor({1920, 1080}, 15.0, 15.0);
    const QSize designOuter = launch::outerSizeOf(board.get()) / double(wide.ratioX);
    const QSize screen(1366, 768);
    const auto fitted = launch::fitToArea(launch::metricsFor(screen, 15.0, 15.0), designOuter, screen);
    EXPECT_GE(fitted.ratioX, 0.82f);
    EXPECT_GE(fitted.ratioY, 0.82f);
    ScaleFormControls(fitted.ratioX / wide.ratioX, fitted.ratioY / wide.ratioY, board.get(), true);
    EXPECT_LE(launch::outerSizeOf(board.get()).height(), screen.height());
    expectNoOverlapAndWithinTheBoard(*board);
}

TEST_F(BoardTest, BoardAndSheetComeBackFromMaximisedAtTheSizeTheyOpenedAt)
{
    // Both are set up hidden, before the window system adds their frames.
    sheet().show();
    for (QWidget* w : {static_cast<QWidget*>(board.get()), static_cast<QWidget*>(&sheet())}) {
        QCoreApplication::processEvents();
        ASSERT_NE(w->frameGeometry().size(), w->size()) << w->objectName().toStdString();
        const QSize opened = w->size();
        w->showMaximized();
        QCoreApplication::processEvents();
        ASSERT_NE(w->size(), opened);
        w->showNormal();
        QCoreApplication::processEvents();
        EXPECT_EQ(w->size(), opened) << w->objectName().toStdString() << " " << w->width() << "x" << w->height();
    }
    sheet().hide();
}
