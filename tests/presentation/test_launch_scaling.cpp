#include "presentation/launch_scaling.h"

#include "platform/twips.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

using launch::metricsFor;

TEST(LaunchScaling, RatiosOfTheFourReferenceScreens)
{
    struct Row {
        QSize screen;
        int scaledW, scaledH;
        double rx, ry, font;
    };
    const Row rows[] = {
        {{1920, 1080}, 2026, 1139, 0.947680, 0.948200, 0.947940},
        {{1366, 768}, 1441, 810, 0.947953, 0.948148, 0.948050},
        {{1280, 1024}, 1350, 1080, 0.948148, 0.948148, 0.948148},
        {{1600, 900}, 1688, 950, 0.947867, 0.947368, 0.947618},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen.width());
        const auto m = metricsFor(row.screen, 15.0, 15.0);
        EXPECT_EQ(m.ScreenTwipsX, 15);
        EXPECT_EQ(m.ScreenWidthPx, row.screen.width());
        EXPECT_EQ(m.ScreenHeightPx, row.screen.height());
        EXPECT_EQ(m.ScaledWidthPx, row.scaledW);
        EXPECT_EQ(m.ScaledHeightPx, row.scaledH);
        EXPECT_FLOAT_EQ(m.ratioX, float(double(row.screen.width()) / row.scaledW));
        EXPECT_FLOAT_EQ(m.ratioY, float(double(row.screen.height()) / row.scaledH));
        EXPECT_NEAR(m.ratioX, row.rx, 5e-7);
        EXPECT_NEAR(m.ratioY, row.ry, 5e-7);
        EXPECT_NEAR(m.fontFactor(), row.font, 5e-7);
    }

    // 900 x 1.055 is 949.5 exactly: halves go to the even neighbour.
    EXPECT_EQ(launch::nearest(949.5), 950);
    EXPECT_EQ(launch::nearest(948.5), 948);
    EXPECT_EQ(launch::nearest(2.5), 2);
    EXPECT_EQ(launch::nearest(-0.5), 0);
    EXPECT_EQ(launch::nearest(1139.4), 1139);
    EXPECT_EQ(launch::nearest(2025.6), 2026);

    // 110 dpi: 13.09 twips per pixel. The screen in pixels uses the whole 13,
    // the enlarged size the exact value, so the ratio leaves 1 / 1.055.
    const auto odd = metricsFor({1920, 1080}, 1440.0 / 110, 1440.0 / 110);
    EXPECT_EQ(odd.ScreenTwipsX, 13);
    EXPECT_EQ(odd.ScreenWidthPx, 1933);
    EXPECT_EQ(odd.ScaledWidthPx, 2026);
    EXPECT_FLOAT_EQ(odd.ratioX, float(1933.0 / 2026.0));
}

TEST(LaunchScaling, ScaleFormControlsShrinksControlsFontsAndTheWindow)
{
    const auto m = metricsFor({1920, 1080}, 15.0, 15.0);
    QWidget window;
    window.setGeometry(200, 100, 1000, 700);
    auto* label = new QLabel("K", &window);
    label->setGeometry(twips::toPx(150), twips::toPx(180), twips::toPx(585), twips::toPx(285));
    QFont f = label->font();
    f.setPointSizeF(11.25);
    label->setFont(f);
    auto* combo = new QComboBox(&window);
    combo->setGeometry(100, 200, 300, 30);
    // A frame whose child inherits the frame's font: scaled once, not twice.
    auto* frame = new QFrame(&window);
    frame->setGeometry(500, 400, 200, 100);
    frame->setFont(f);
    auto* inner = new QLabel("inner", frame);
    inner->setGeometry(20, 40, 100, 20);

    ScaleFormControls(m.ratioX, m.ratioY, &window, false);
    const double onePixel = twips::fromPx(1);
    EXPECT_NEAR(twips::fromPx(label->x()), 142, onePixel);
    EXPECT_NEAR(twips::fromPx(label->y()), 171, onePixel);
    EXPECT_NEAR(twips::fromPx(label->width()), 554, onePixel);
    EXPECT_NEAR(twips::fromPx(label->height()), 270, onePixel);
    EXPECT_NEAR(label->font().pointSizeF(), 10.66, 0.01);
    EXPECT_EQ(combo->geometry(), QRect(95, 190, 284, 30));
    EXPECT_EQ(frame->geometry(), QRect(474, 379, 190, 95));
    EXPECT_EQ(inner->geometry(), QRect(19, 38, 95, 19));
    EXPECT_NEAR(inner->font().pointSizeF(), 10.66, 0.01);
    // Without the flag the window keeps its place and size.
    EXPECT_EQ(window.geometry(), QRect(200, 100, 1000, 700));

    // With it, a window without controls moves and shrinks too.
    QWidget bare;
    bare.setGeometry(200, 100, 1000, 700);
    ScaleFormControls(m.ratioX, m.ratioY, &bare, true);
    EXPECT_EQ(bare.geometry(), QRect(190, 95, 948, 664));

    // Fonts never go below one point.
    ScaleFormControls(0.05f, 0.05f, &window, false);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 1.0);
}

TEST(LaunchScaling, BoardPlacementKeepsTheTitleBarOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(launch::boardPlacement({1000, 600}, screen), QPoint(460, 120));
    // An area below a top panel is offset by it.
    EXPECT_EQ(launch::boardPlacement({1000, 600}, {0, 40, 1920, 1040}), QPoint(460, 150));
    // Too large: the corner stays inside the area, the fitting direction is centred.
    EXPECT_EQ(launch::boardPlacement({2100, 1200}, screen), QPoint(0, 0));
    EXPECT_EQ(launch::boardPlacement({2100, 1200}, {100, 30, 1820, 1050}), QPoint(100, 30));
    EXPECT_EQ(launch::boardPlacement({1000, 1200}, screen), QPoint(460, 0));

    // The whole sequence on the running screen: shrunk and placed inside its area.
    QWidget board;
    board.setGeometry(0, 0, 700, 500);
    auto* label = new QLabel("x", &board);
    label->setGeometry(100, 100, 200, 50);
    launch::scaleBoardAtLaunch(&board);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LT(board.width(), 700);
    EXPECT_LT(label->width(), 200);
    EXPECT_TRUE(area.contains(board.frameGeometry().topLeft()));
    EXPECT_EQ(board.frameGeometry().topLeft(), launch::boardPlacement(board.frameGeometry().size(), area));
}
