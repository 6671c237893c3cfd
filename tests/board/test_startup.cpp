// Start-up, exit, notices and the event log of the board.
#include "board/form1.h"
#include "board/notices.h"
#include "common/settings.h"
#include "common/version.h"
#include "platform/grid.h"
#include "platform/interaction.h"
#include "stats_sheet/form2.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"
#include "support/xvfb.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest-spi.h>

TEST_F(BoardTest, StartsWithAnEmptyGameAndTheStatedControls)
{
    EXPECT_EQ(board->windowTitle(), boardCaption());
    EXPECT_EQ(board->windowTitle(), "Scorvana Benchdeck (" + versionText() + ")");
    QStringList menus;
    for (QAction* a : board->menuBar->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Database", "EventLog", "Options", "About"}));

    EXPECT_EQ(board->tb_OUT->text(), "0");
    EXPECT_EQ(board->tb_OutsCount->text(), "0");
    EXPECT_FALSE(board->Option5->isChecked());
    EXPECT_FALSE(board->Option6->isChecked());
    EXPECT_EQ(board->lbl_Selected->text(), "");
    EXPECT_EQ(board->tb_VisTeam->text(), "VIS");
    EXPECT_EQ(board->tb_HomeTeam->text(), "HOME");
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(board->tb_BoxScore[i]->text(), "");
        EXPECT_FALSE(board->tb_BoxScoreBottom[i]->completed());
        EXPECT_EQ(board->tb_BoxScore[i]->backColor(), 0x00C0C0C0u);
    }
    for (int i = 20; i < 23; ++i) {
        EXPECT_EQ(board->tb_BoxScore[i]->text(), "0");
        EXPECT_EQ(board->tb_BoxScoreBottom[i]->text(), "0");
    }
    EXPECT_EQ(board->tb_BoxScore[10]->toolTip(), "top of 11");
    EXPECT_EQ(board->tb_BoxScoreBottom[19]->toolTip(), "botom of 20");
    EXPECT_TRUE(board->Frame1->isHidden());
    EXPECT_TRUE(board->pb_BaseTracker->isHidden());
    EXPECT_TRUE(board->fra_Options->isHidden());
    EXPECT_EQ(board->lbl_K->text(), "K");
    EXPECT_EQ(board->lbl_Pick->text(), "TO");
    EXPECT_EQ(board->lbl_AB->toolTip(), "Assign an 'At-Bat' [e.g. reached on an error]");
    EXPECT_EQ(board->Label8->text(), "User-defined PLAYER-PHOTOS path");
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(board->PipMask[n].split(',').size(), 9);
    EXPECT_EQ(board->PipMask[1], "0,0,0,0,1,0,0,0,0");
    EXPECT_EQ(board->PipMask[5], "1,0,1,0,1,0,1,0,1");
    // The event log and the sheet are loaded and hidden.
    EXPECT_TRUE(log().isHidden());
    EXPECT_TRUE(sheet().isHidden());
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(BoardTest, ExtraInningsAndBaseTrackerToggles)
{
    board->cb_Xinnings->setChecked(true);
    EXPECT_FALSE(board->Frame1->isHidden());
    board->tb_BoxScore[11]->setText("2");
    // A resize clears the check box and hides the extra innings; values stay.
    board->resize(board->width() + 40, board->height());
    EXPECT_FALSE(board->cb_Xinnings->isChecked());
    EXPECT_TRUE(board->Frame1->isHidden());
    EXPECT_EQ(board->tb_BoxScore[11]->text(), "2");

    click(board->cb_BaseTracker);
    EXPECT_TRUE(board->cb_BaseTracker->isChecked());
    EXPECT_FALSE(board->pb_BaseTracker->isHidden());
    click(board->cb_BaseTracker);
    EXPECT_FALSE(board->cb_BaseTracker->isChecked());
    EXPECT_TRUE(board->pb_BaseTracker->isHidden());

    board->mnu_Options->trigger();
    EXPECT_FALSE(board->fra_Options->isHidden());
    board->mnu_Options->trigger();
    EXPECT_TRUE(board->fra_Options->isHidden());
}

TEST(BoardStartUp, CaptionsComeFromTheSettingsStoreAndAreEmptyOnAFirstRun)
{
    TempProgramFolder folder;
    ScriptedInteraction ui;
    {
        Form1 first;
        ASSERT_TRUE(first.Form_Load());
        for (auto* l : first.lbl_chrt)
            EXPECT_EQ(l->text(), "");
        EXPECT_EQ(first.lbl_PhotoPath->text(), "");
    }
    settings::SaveSetting("lbl_chrt1", "Batting");
    settings::SaveSetting("lbl_chrt9", "Weather & injuries");
    settings::SaveSetting("lbl_PhotoPath", folder.path() + "/photos");
    Form1 second;
    ASSERT_TRUE(second.Form_Load());
    EXPECT_EQ(second.lbl_chrt[0]->text(), "Batting");
    EXPECT_EQ(second.lbl_chrt[1]->text(), "");
    EXPECT_EQ(second.lbl_chrt[8]->text(), "Weather & injuries");
    EXPECT_EQ(second.lbl_PhotoPath->text(), folder.path() + "/photos");
    EXPECT_TRUE(ui.prompts.empty());
}

TEST_F(BoardTest, ExitAsksWithNoAsTheSafeDefault)
{
    board->tb_BoxScore[0]->setText("3");
    ui->answerMsgBox(QMessageBox::No);
    EXPECT_FALSE(board->close());
    ASSERT_EQ(ui->prompts.size(), 1u);
    const Prompt& p = ui->prompts[0];
    EXPECT_EQ(p.title, "EXIT program?");
    EXPECT_EQ(p.text,
              "Don't forget to go to the Stats Form and save all stats using 'SAVE TO DB'.\n\n"
              "Do you still want to EXIT?");
    EXPECT_EQ(p.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(p.defaultButton, QMessageBox::No);
    // No keeps everything.
    EXPECT_TRUE(board->isVisible());
    EXPECT_EQ(board->tb_BoxScore[0]->text(), "3");
    EXPECT_NE(board->statsSheet(), nullptr);

    ui->answerMsgBox(QMessageBox::Yes);
    EXPECT_TRUE(board->close());
    EXPECT_FALSE(board->isVisible());
    EXPECT_TRUE(sheet().isHidden());
}

TEST_F(BoardTest, NoticesAreCentredOverTheBoardWhereItIsNow)
{
    board->move(40, 30);
    QRect seen;
    ui->whileModal("CustMsgBox", [&](QDialog& d) { seen = d.frameGeometry(); });
    board->notices.show("OUT recorded.");
    const QRect b = board->frameGeometry();
    EXPECT_NEAR(seen.center().x(), b.center().x(), 4);
    EXPECT_NEAR(seen.center().y(), b.center().y(), 4);

    board->move(300, 200);
    ui->whileModal("CustMsgBox", [&](QDialog& d) {
        seen = d.frameGeometry();
        auto& box = static_cast<CustMsgBox&>(d);
        EXPECT_EQ(box.Label1->font().pointSizeF(), 14);
        EXPECT_TRUE(box.Label1->alignment() & Qt::AlignHCenter);
        EXPECT_FALSE(box.cmd_YES->isVisible());
        EXPECT_EQ(box.windowTitle(), " ");
    });
    board->notices.show("END OF INNING.");
    const QRect b2 = board->frameGeometry();
    EXPECT_NEAR(seen.center().x(), b2.center().x(), 4);
    EXPECT_NEAR(seen.center().y(), b2.center().y(), 4);
    EXPECT_EQ(ui->notices(), (QStringList{"OUT recorded.", "END OF INNING."}));
}

TEST_F(BoardTest, EachNoticeIsModalClosesByKeyAndAnotherOpenedOverItStandsAlone)
{
    // Every notice is modal, shows only its own text, and Enter or Escape
    // closes it, the first as much as any later one.
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Escape}) {
        bool shown = false;
        ui->whileModal("CustMsgBox", [&](QDialog& d) {
            shown = d.isVisible() && d.isModal();
            EXPECT_EQ(static_cast<CustMsgBox&>(d).Label1->text(), QString::number(key));
            QTest::keyClick(&d, Qt::Key(key));
            EXPECT_FALSE(d.isVisible());
        });
        board->notices.show(QString::number(key));
        EXPECT_TRUE(shown);
    }
    // A notice raised while one is open has a window of its own, and the
    // open one keeps its text.
    ui->whileModal("CustMsgBox", [&](QDialog& outer) {
        ui->whileModal("CustMsgBox", [&](QDialog& inner) {
            EXPECT_NE(&inner, &outer);
            EXPECT_TRUE(outer.isVisible());
        });
        board->notices.show("inner");
        EXPECT_EQ(static_cast<CustMsgBox&>(outer).Label1->text(), "outer");
    });
    board->notices.show("outer");
    EXPECT_EQ(ui->notices().mid(3), (QStringList{"outer", "inner"}));
}

// Two plays through the desktop's own modal run, each notice acknowledged as
// a user does (Enter, then the close box): both return, and the box shows
// every notice in one native window that outlives its closing.
TEST_F(BoardTest, NoticesThroughTheDesktopKeepOneNativeWindow)
{
    gamehelp::standardGame(*board);
    std::vector<WId> shownIn;
    QStringList texts;
    int modal = 0;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<CustMsgBox*>(w);
            if (!box || !box->isVisible())
                continue;
            shownIn.push_back(box->internalWinId());
            texts << box->Label1->text();
            modal += QApplication::activeModalWidget() == box ? 1 : 0;
            if (texts.size() == 1)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->windowHandle()->close();
        }
    });
    user.start();
    platform::setInteraction(nullptr);
    click(board->lbl_GO);
    CustMsgBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        box = box ? box : qobject_cast<CustMsgBox*>(w);
    ASSERT_NE(box, nullptr);
    const WId kept = box->internalWinId();
    click(board->lbl_FO);
    platform::setInteraction(ui.get());
    user.stop();

    EXPECT_EQ(texts, (QStringList{"OUT recorded.", "OUT recorded."}));
    EXPECT_EQ(board->tb_OUT->text(), "2");
    ASSERT_EQ(shownIn.size(), 2u);
    EXPECT_NE(shownIn[0], WId(0));
    EXPECT_EQ(kept, shownIn[0]);
    EXPECT_EQ(shownIn[1], shownIn[0]);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(modal, 2);
}

// The same under a real window system, where a native window costs most.
TEST_F(BoardTest, NoticesUnderAWindowSystemKeepOneNativeWindow)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "already under a window system: the test above ran there";
    const XvfbServer x;
    if (!x.running())
        GTEST_SKIP() << "no Xvfb on this machine (scripts/setup.sh installs it)";
    const ChildRun run =
        runSelfOn(x, {QStringLiteral("--gtest_filter=BoardTest.NoticesThroughTheDesktopKeepOneNativeWindow")}, 60000);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("[  PASSED  ] 1 test")) << run.output.toStdString();
}

TEST_F(BoardTest, EventLogAppendsLinesAndMarkersAndSurvivesClosing)
{
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher are allowed."));
    board->AppendEventLogLine("Ray Okafor=CF R .291", "_____K");
    board->tb_OutsCount->setText("3");
    EXPECT_TRUE(board->AppendHalfInningMarker());
    board->tb_OutsCount->setText("6");
    EXPECT_TRUE(board->AppendHalfInningMarker());
    board->tb_OutsCount->setText("7");  // typed by hand: 7 / 6
    EXPECT_TRUE(board->AppendHalfInningMarker());
    board->tb_OutsCount->setText("x");
    EXPECT_FALSE(board->AppendHalfInningMarker());
    const QString expected = "Ray Okafor=CF R .291_____K\r\n[0.5]\r\n[1]\r\n[1.16666666666667]\r\n";
    EXPECT_EQ(board->EventLogText(), expected);

    // The menu shows it modally, centred; closing only hides it.
    QRect seen;
    ui->whileModal("Options", [&](QDialog& d) {
        seen = d.frameGeometry();
        EXPECT_EQ(d.windowTitle(), "Event Log");
        EXPECT_TRUE(log().Text1->toPlainText().contains("[1.16666666666667]"));
    });
    board->mnuEventLog->trigger();
    EXPECT_NEAR(seen.center().x(), board->frameGeometry().center().x(), 4);
    EXPECT_TRUE(log().isHidden());
    board->AppendEventLogLine("Marco Ilvane", "_____SB");
    EXPECT_EQ(board->EventLogText(), expected + "Marco Ilvane_____SB\r\n");
    EXPECT_EQ(log().Text1->toPlainText().split('\n').size(), 5);
}

TEST_F(BoardTest, AnErrorOrWarningBoxTheTestDidNotExpectFailsItByItsText)
{
    // A critical box from a click and a warning from a typed count, then the
    // recorded prompts forgotten: the fixture still holds both.
    board->tb_BoxScore[5]->setText("1e308");
    board->tb_BoxScore[6]->setText("1e308");
    click(board->Command5);
    board->tb_OutsCount->setText("abc");
    ui->clear();
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        ui->failOnUnexpectedAlarms();
    }
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(QString::fromStdString(failures.GetTestPartResult(0).message())
                    .contains("[Program Error] The following error has occurred: 6, Overflow"));
    EXPECT_TRUE(QString::fromStdString(failures.GetTestPartResult(1).message())
                    .contains("Only numbers 0 and higher are allowed. An error has occurred."));

    // Declared, before or after the box, it passes.
    ui->expectAlarm(QStringLiteral("6, Overflow"));
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher"));
    EXPECT_TRUE(ui->unexpectedAlarms().isEmpty());
}
