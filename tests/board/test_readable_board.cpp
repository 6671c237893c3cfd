// What a user reads on the board: names shown as they are, never as markup;
// readable colours on every panel; captions and boxes shown whole; a layout
// that follows maximise and restore after a third out.
#include "board/form1.h"
#include "common/colours.h"
#include "common/settings.h"
#include "platform/events.h"
#include "platform/grid.h"
#include "platform/interaction.h"
#include "presentation/control_resizer.h"
#include "presentation/launch_scaling.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"
#include "support/team_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

using namespace gamehelp;

namespace {

const QStringList Markup{QStringLiteral("<img src='/dev/zero'>"), QStringLiteral("<b>x</b>")};

// A label shows its text as typed when its size is that of the literal text,
// angle brackets included (as markup "<b>x</b>" would be one letter wide).
void expectShownAsTyped(const QLabel* label, const QString& text)
{
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(text));
}

// Raises the tooltip of a widget at a point and returns the tip on screen.
QWidget* showTip(QWidget* w, QPoint at)
{
    QHelpEvent e(QEvent::ToolTip, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            return top;
    return nullptr;
}

// What the tip reads once its markup is laid out.
QString tipReads()
{
    QTextDocument doc;
    doc.setHtml(QToolTip::text());
    return doc.toPlainText();
}

QColor pixel(QWidget* w, QPoint at)
{
    return w->grab().toImage().pixelColor(at);
}

bool whiteSomewhereLeft(QWidget* box)
{
    const QImage img = box->grab().toImage();
    for (int x = 0; x < std::min(img.width(), 24); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (img.pixelColor(x, y) == QColor(Qt::white))
                return true;
    return false;
}

}  // namespace

TEST_F(BoardTest, NamesCaptionsAndEntriesThatLookLikeMarkupShowAsTyped)
{
    for (const QString& text : Markup) {
        SCOPED_TRACE(text.toStdString());
        // A pitcher of a team file and a runner's name.
        const QString file = teams::writeTeam(*folder, QStringLiteral("Markup.txt"),
                                              QStringList{text} + lineup(QStringLiteral("M"), 8));
        // From the second name on, the side holds the last one's pitcher.
        if (!board->lbl_VisPitcher->text().isEmpty())
            ui->answerMsgBox(QMessageBox::Yes);
        teams::loadTeam(*board, *ui, file, true);
        teams::choosePitcher(*board, true, 0);
        // The name is the entry's text before its first "=".
        expectShownAsTyped(board->lbl_VisPitcher, text.section('=', 0, 0));
        board->lbl_Player[0]->setText(text);
        expectShownAsTyped(board->lbl_Player[0], text);

        // Chart captions and the photo folder come back from the settings store.
        settings::SaveSetting(QStringLiteral("lbl_chrt1"), text);
        settings::SaveSetting(QStringLiteral("lbl_PhotoPath"), text);
        ASSERT_TRUE(board->Form_Load());
        expectShownAsTyped(board->lbl_chrt[0], text);
        expectShownAsTyped(board->lbl_PhotoPath, text);

        // The whole lineup entry shows in the tip under the pointer.
        const QPoint at = teams::entryPoint(*board->List1, 0);
        board->visitorsSide.showEntryTooltip(0, at.x(), at.y());
        ASSERT_TRUE(showTip(board->List1->viewport(), at));
        EXPECT_EQ(tipReads(), text);

        // The sheet's team label and the notice box.
        sheet().lbl_VisTeam->setText(text);
        expectShownAsTyped(sheet().lbl_VisTeam, text);
        ui->whileModal(QStringLiteral("CustMsgBox"), [&](QDialog& box) {
            expectShownAsTyped(box.findChild<QLabel*>(QStringLiteral("Label1")), text);
        });
        board->notices.show(text);
    }
}

TEST_F(BoardTest, TooltipsTextBoxesAndUntickedMarksAreReadableOnEveryPanel)
{
    ui->expectAlarm(QStringLiteral("Only numbers 0 and higher are allowed."));
    // Tooltips take the desktop's colours, not those of their control.
    const QColor tipBack = QToolTip::palette().color(QPalette::ToolTipBase);
    for (QWidget* w : std::initializer_list<QWidget*>{board->lbl_K, board->lbl_AB, board->tb_OutsCount}) {
        SCOPED_TRACE(w->objectName().toStdString());
        QWidget* tip = showTip(w, w->rect().center());
        ASSERT_TRUE(tip);
        EXPECT_EQ(tipReads(), w->toolTip());
        EXPECT_EQ(pixel(tip, QPoint(tip->width() - 4, tip->height() / 2)), tipBack);
        QToolTip::hideText();
    }

    // Text boxes without colours of their own: black on white, empty or not.
    board->mnu_Options->trigger();
    board->Check1->setChecked(true);
    for (QLineEdit* box : {board->tb_OutsCount, board->tb_List1edit}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setText(QString());
        EXPECT_EQ(pixel(box, QPoint(box->width() / 2, box->height() / 2)), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
    }

    // Unticked check boxes and the "AT BAT" circles show a white box on
    // their dark or grey panels.
    board->Check1->setChecked(false);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             board->Check1, board->Check2, board->cb_Xinnings, board->cb_BaseTracker, board->chk_Ctrls,
             board->Option5, board->Option6}) {
        SCOPED_TRACE(b->objectName().toStdString());
        ASSERT_FALSE(b->isChecked());
        EXPECT_TRUE(whiteSomewhereLeft(b));
    }
}

TEST_F(BoardTest, ProgramWrittenTextShowsFromItsBeginningWhileTypingKeepsTheCursor)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, QStringLiteral("Prairie Falls Comets")), true);
    QLineEdit* name = board->tb_VisTeam;
    ASSERT_EQ(name->text(), "Prairie Falls Comets");
    ASSERT_GT(name->fontMetrics().horizontalAdvance(name->text()), name->width());
    EXPECT_EQ(name->cursorPosition(), 0);

    // The user's own typing goes on where the cursor is.
    board->mnu_Options->trigger();
    board->tb_OutsCount->setFocus();
    QApplication::setActiveWindow(board.get());
    if (board->tb_OutsCount->hasFocus()) {
        board->tb_OutsCount->end(false);
        QTest::keyClicks(board->tb_OutsCount, QStringLiteral("12"));
        EXPECT_EQ(board->tb_OutsCount->cursorPosition(), board->tb_OutsCount->text().size());
    }
}

namespace {

// Every fixed caption of the board fits its control.
// (The hidden state holders are no captions.)
void expectCaptionsWhole(Form1& board)
{
    auto caption = [](QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->wordWrap() ? QString() : l->text();
        return static_cast<QAbstractButton*>(w)->text();
    };
    QList<QWidget*> controls;
    for (QLabel* l : board.findChildren<QLabel*>())
        controls << l;
    for (QAbstractButton* b : board.findChildren<QAbstractButton*>())
        controls << b;
    for (QWidget* w : controls) {
        const QString text = caption(w);
        if (text.isEmpty() || w->parentWidget() == board.fra_ctrls)
            continue;
        // A push button's hint has a minimum width of its own: its text counts.
        const int needed = qobject_cast<QPushButton*>(w) ? w->fontMetrics().horizontalAdvance(text) + 4
                                                         : w->sizeHint().width() - 1;
        EXPECT_LE(needed, w->width()) << text.toStdString();
        // The glyphs themselves, not the line's leading: a one-letter mark in a
        // box a pixel shorter than the font's line still shows whole.
        EXPECT_LE(w->fontMetrics().tightBoundingRect(text).height(), w->height()) << text.toStdString();
    }
}

}  // namespace

TEST_F(BoardTest, CaptionsAndBoxesShowWholeAtLaunchScaling)
{
    // The extra innings with both rows inside their frame.
    board->cb_Xinnings->setChecked(true);
    const QRect frame = board->Frame1->rect();
    for (int i = 10; i < 20; ++i) {
        EXPECT_TRUE(frame.contains(board->tb_BoxScore[size_t(i)]->geometry())) << i;
        EXPECT_TRUE(frame.contains(board->tb_BoxScoreBottom[size_t(i)]->geometry())) << i;
    }
    expectCaptionsWhole(*board);
    // The sheet's headers keep the grid's font and show their underscores.
    const auto* header = sheet().grd_VisStats->horizontalHeader();
    EXPECT_EQ(header->font(), sheet().grd_VisStats->font());
    EXPECT_LE(header->fontMetrics().height(), header->height());
}

TEST_F(BoardTest, MaximiseAfterAThirdOutGrowsTheBoardAndRestoreBringsItBack)
{
    standardGame(*board);
    board->tb_OUT->setText(QStringLiteral("2"));
    click(board->lbl_GO);  // the third out re-arms the layout
    ASSERT_FALSE(board->resizer().isRecorded());
    const QRect k = board->lbl_K->geometry();
    const QSize before = board->size();

    board->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->size() != before; }));
    ASSERT_NE(board->size(), before);
    const double rx = double(board->width()) / before.width();
    EXPECT_NEAR(board->lbl_K->width(), k.width() * rx, 2.0);

    board->showNormal();
    board->resize(before);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !board->isMaximized() && board->size() == before; }));
    EXPECT_EQ(board->lbl_K->geometry(), k);
}

TEST_F(BoardTest, ExitQuestionAndMessagesShowEachLineWholeAsPlainText)
{
    platform::setInteraction(nullptr);  // the desktop's own message box
    const QString text = QStringLiteral("Don't forget to go to the Stats Form and save all stats using 'SAVE TO DB'.\n\n"
                                        "Do you still want to EXIT? <b>x</b>");
    // A line wider than any box the desktop allows wraps inside the box,
    // never past its right edge.
    const QString tooWide = QStringLiteral("The desktop could not open the workbook. It is saved as: ")
                            + QStringLiteral("/home/someone/a folder with a long name").repeated(8);
    for (const QString& shown : {text, tooWide}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_TRUE(label);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            const QRect onBox(label->mapTo(box, QPoint(0, 0)), label->size());
            EXPECT_LE(onBox.right(), box->rect().right());
            if (shown == text) {
                for (const QString& line : text.split('\n'))
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
                        << line.toStdString();
            }
            seen = true;
            box->button(QMessageBox::No)->click();
        });
        const auto answer = platform::interaction().msgBox(shown, QMessageBox::Yes | QMessageBox::No,
                                                           QStringLiteral("EXIT program?"), QMessageBox::Question,
                                                           QMessageBox::No);
        EXPECT_TRUE(seen);
        EXPECT_EQ(answer, QMessageBox::No);
    }
    platform::setInteraction(ui.get());
}

TEST_F(BoardTest, DicePanelsStartHiddenAndAResizeDoesNotShowThem)
{
    EXPECT_TRUE(board->fra_FaceDice->isHidden());
    EXPECT_TRUE(board->fra_ColourDice->isHidden());
    board->resize(board->width() - 40, board->height());
    EXPECT_TRUE(board->fra_FaceDice->isHidden());
}

TEST_F(BoardTest, TheSheetShowsALongTeamNameWhole)
{
    const QString name = QStringLiteral("Saskatchewan Prairie Dogs");  // 25 letters
    ASSERT_EQ(name.size(), 25);
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, name + ".txt", lineup("S", 9)), false);
    TeamLabel* label = sheet().lbl_HomeTeam;
    ASSERT_EQ(label->text(), name);
    sheet().show();
    for (double scale : {1.0, 0.6}) {
        SCOPED_TRACE(scale);
        const QSize asked(int(sheet().width() * scale), int(sheet().height() * scale));
        sheet().resize(asked);
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().size() == asked; }));
        const QFont shown = label->fittedFont();
        // Fitting never goes below 6 points (the sheet's own scaling may).
        EXPECT_GE(shown.pointSizeF(), std::min(TeamLabel::SmallestPoints, label->font().pointSizeF()));
        EXPECT_LE(QFontMetrics(shown).horizontalAdvance(name), label->bandWidth());
        // The band stays over the free room, clear of the logo.
        EXPECT_LE(label->x() + label->bandWidth(), sheet().Picture4->x());
    }
    sheet().hide();
}

TEST_F(BoardTest, OnALaptopScreenTheBoardOpensWholeWithEveryCaptionWhole)
{
    // The usual shrink leaves a 1920 x 1080 desktop's board as it is.
    const auto wide = launch::metricsFor({1920, 1080}, 15.0, 15.0);
    const QSize designOuter = launch::outerSizeOf(board.get()) / double(wide.ratioX);
    const auto fittedWide = launch::fitToArea(wide, designOuter, {1920, 1040});
    EXPECT_FLOAT_EQ(fittedWide.ratioX, wide.ratioX);
    EXPECT_FLOAT_EQ(fittedWide.ratioY, wide.ratioY);

    // On 1366 x 768 less a panel it would be cut off: it shrinks further, in
    // its own proportion, as if it had been launched there.
    const QSize area(1366, 728);
    const auto small = launch::metricsFor({1366, 768}, 15.0, 15.0);
    const auto fitted = launch::fitToArea(small, designOuter, area);
    EXPECT_LT(fitted.ratioX, small.ratioX);
    EXPECT_FLOAT_EQ(fitted.ratioX / small.ratioX, fitted.ratioY / small.ratioY);
    ScaleFormControls(fitted.ratioX / wide.ratioX, fitted.ratioY / wide.ratioY, board.get(), true);
    const QSize outer = launch::outerSizeOf(board.get());
    EXPECT_LE(outer.width(), area.width());
    EXPECT_LE(outer.height(), area.height());
    expectCaptionsWhole(*board);
}

TEST_F(BoardTest, SidesAtBatAndInTheFieldPaintTheirColoursAfterEveryChange)
{
    standardGame(*board);
    board->show();
    // What each control showed with a plain sheet of its colour alone: the
    // colours must come out the same pixel for pixel, however they are set.
    auto expectPainted = [](QWidget* w, unsigned bgr) {
        SCOPED_TRACE(w->objectName().toStdString());
        const QColor back = colours::fromBgr(bgr);
        auto* list = qobject_cast<ListBox*>(w);
        const QImage shown = w->grab().toImage();
        const QImage inside = list ? list->viewport()->grab().toImage() : shown;
        EXPECT_EQ(inside.pixelColor(inside.width() - 6, inside.height() - 6), back);
        const QString sheet = w->styleSheet();
        w->setStyleSheet((list ? QStringLiteral("QListWidget { color: black; background-color: %1; }")
                               : QStringLiteral("color: black; background-color: %1;"))
                             .arg(back.name()));
        EXPECT_EQ(shown, w->grab().toImage());
        w->setStyleSheet(sheet);
    };
    auto expectSides = [&](bool visitorsBat) {
        const unsigned vis = visitorsBat ? colours::White : colours::IdleBoxColor;
        const unsigned home = visitorsBat ? colours::IdleBoxColor : colours::White;
        for (QWidget* w : std::initializer_list<QWidget*>{board->List1, board->tb_VisTeam, board->Option5})
            expectPainted(w, vis);
        for (QWidget* w : std::initializer_list<QWidget*>{board->List2, board->tb_HomeTeam, board->Option6})
            expectPainted(w, home);
    };
    expectSides(true);
    // Third outs hand the bat over and back, twice, and a later change of
    // the side paints what is then set, not what was set first.
    for (int half = 0; half < 4; ++half) {
        for (const char* outs : {"1", "2", "3", "0"})
            board->tb_OUT->setText(outs);
        SCOPED_TRACE(half);
        expectSides(half % 2 == 1);
    }
    board->Option2->setChecked(true);
    expectPainted(board->Option2, colours::CompletedHalfColor);
    expectPainted(board->Option3, colours::IdleBoxColor);
    board->Option3->setChecked(true);
    expectPainted(board->Option3, colours::CompletedHalfColor);
    expectPainted(board->Option2, colours::IdleBoxColor);
    board->Option1->setChecked(true);
    expectPainted(board->Option2, colours::IdleBoxColor);
    expectPainted(board->Option3, colours::IdleBoxColor);
    // Restyled with all the board (a sheet set again), then typed in.
    board->boardArea->setStyleSheet(board->boardArea->styleSheet());
    QApplication::setActiveWindow(board.get());
    board->tb_HomeTeam->setFocus();
    board->tb_HomeTeam->selectAll();
    ASSERT_TRUE(board->tb_HomeTeam->hasFocus());
    expectSides(true);
}

TEST_F(BoardTest, AThirdOutWhileMaximisedLeavesTheRestoredBoardItsSize)
{
    standardGame(*board);
    QCoreApplication::processEvents();
    const QSize before = board->size();
    board->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(board->isMaximized());
    board->tb_OUT->setText(QStringLiteral("2"));
    click(board->lbl_GO);  // re-arms the layout at the maximised size
    board->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(board->size(), before);
}
