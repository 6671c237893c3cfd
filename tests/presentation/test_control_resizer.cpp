#include "presentation/control_resizer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A window laid out like the board: a label on the window, a frame holding a
// label, everything placed absolutely.
struct Layout {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLabel* label = new QLabel("label", window.get());
    QFrame* frame = new QFrame(window.get());
    QLabel* inner = new QLabel("inner", frame);

    Layout()
    {
        window->resize(800, 600);
        label->setGeometry(40, 60, 200, 30);
        frame->setGeometry(400, 100, 300, 200);
        inner->setGeometry(10, 20, 100, 40);
        QFont f = label->font();
        f.setPointSizeF(12);
        label->setFont(f);
        f.setPointSizeF(10);
        inner->setFont(f);
    }
};

// The owner's resize handling calls the component, as the board's does.
struct ResizingWindow : QWidget {
    ControlResizer* resizer = nullptr;
    int resizes = 0;
    void resizeEvent(QResizeEvent*) override
    {
        ++resizes;
        if (resizer)
            resizer->FormResized(this);
    }
};

ControlResizer armed(QWidget* window, bool keepRatio = false)
{
    ControlResizer r;
    r.setKeepRatio(keepRatio);
    r.setFontResize(true);
    r.InitializeResizer(window);
    return r;
}

void resizeTo(ControlResizer& r, QWidget* window, int width, int height)
{
    window->resize(width, height);
    r.FormResized(window);
}

}  // namespace

TEST(ControlResizer, RecordsFirstThenScalesFromTheRecordingAndRestoresExactly)
{
    Layout l;
    ControlResizer r = armed(l.window.get());

    r.FormResized(l.window.get());  // records only
    EXPECT_TRUE(r.isRecorded());
    EXPECT_EQ(l.label->geometry(), QRect(40, 60, 200, 30));
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 12.0);

    resizeTo(r, l.window.get(), 1600, 1200);
    EXPECT_EQ(l.label->geometry(), QRect(80, 120, 400, 60));
    EXPECT_EQ(l.frame->geometry(), QRect(800, 200, 600, 400));
    EXPECT_EQ(l.inner->geometry(), QRect(20, 40, 200, 80));
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 24.0);
    EXPECT_DOUBLE_EQ(l.inner->font().pointSizeF(), 20.0);

    // Width twice, height one and a half: fonts follow the smaller ratio.
    resizeTo(r, l.window.get(), 1600, 900);
    EXPECT_EQ(l.label->geometry(), QRect(80, 90, 400, 45));
    EXPECT_EQ(l.inner->geometry(), QRect(20, 30, 200, 60));
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 18.0);
    EXPECT_DOUBLE_EQ(l.inner->font().pointSizeF(), 15.0);

    // Odd sizes in between never drift: back at the recorded size, all is as recorded.
    for (QSize s : {QSize(1237, 911), QSize(433, 377), QSize(999, 1001), QSize(800, 600)})
        resizeTo(r, l.window.get(), s.width(), s.height());
    EXPECT_EQ(l.label->geometry(), QRect(40, 60, 200, 30));
    EXPECT_EQ(l.frame->geometry(), QRect(400, 100, 300, 200));
    EXPECT_EQ(l.inner->geometry(), QRect(10, 20, 100, 40));
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 12.0);
    EXPECT_DOUBLE_EQ(l.inner->font().pointSizeF(), 10.0);

    // Moved after the recording: the next resize puts it back, scaled.
    l.label->move(300, 300);
    resizeTo(r, l.window.get(), 1600, 1200);
    EXPECT_EQ(l.label->pos(), QPoint(80, 120));
    // Moved and re-armed: the new place is the base of later resizes.
    l.label->move(500, 500);
    r.InitializeResizer(l.window.get());
    r.FormResized(l.window.get());
    EXPECT_EQ(l.label->pos(), QPoint(500, 500));
    resizeTo(r, l.window.get(), 800, 600);
    EXPECT_EQ(l.label->geometry(), QRect(250, 250, 200, 30));
}

TEST(ControlResizer, KeepRatioHoldsTheOuterProportionAndTurnsAwayItsOwnResize)
{
    ResizingWindow w;
    auto* label = new QLabel("x", &w);
    w.setGeometry(100, 100, 800, 600);
    label->setGeometry(40, 60, 200, 30);
    w.show();
    const QRect outer = w.frameGeometry();  // the offscreen frame adds a border
    ControlResizer r = armed(&w, true);
    EXPECT_FLOAT_EQ(r.aspectRatio(), float(outer.height()) / float(outer.width()));
    w.resizer = &r;

    w.resize(w.width(), w.height() + 1);  // first resize: records at 800x601
    ASSERT_TRUE(r.isRecorded());
    EXPECT_EQ(label->geometry(), QRect(40, 60, 200, 30));
    const QSize recorded = w.size();

    const int before = w.resizes;
    w.resize(recorded.width() + 200, recorded.height());  // wider, still inside the screen
    EXPECT_EQ(w.frameGeometry().height(), qRound(w.frameGeometry().width() * r.aspectRatio()));
    // One resize from the user, one nested from the height change, turned away.
    EXPECT_EQ(w.resizes, before + 2);
    const float rx = float(w.width()) / float(recorded.width());
    const float ry = float(w.height()) / float(recorded.height());
    EXPECT_EQ(label->geometry(), QRect(qRound(40 * rx), qRound(60 * ry), qRound(200 * rx), qRound(30 * ry)));
}

TEST(ControlResizer, MinimisedOrEmptyWindowsAreNeverRecordedNorScaled)
{
    Layout l;
    ControlResizer r = armed(l.window.get());

    // The first resize after arming is the window being minimised: no recording.
    l.window->setWindowState(Qt::WindowMinimized);
    r.FormResized(l.window.get());
    EXPECT_FALSE(r.isRecorded());
    // Nor at zero size: that recording would divide every later resize by 0.
    l.window->setWindowState(Qt::WindowNoState);
    resizeTo(r, l.window.get(), 0, 0);
    EXPECT_FALSE(r.isRecorded());
    resizeTo(r, l.window.get(), 800, 0);
    EXPECT_FALSE(r.isRecorded());

    resizeTo(r, l.window.get(), 800, 600);
    ASSERT_TRUE(r.isRecorded());

    // Minimised: nothing changes; restored: the restored size's ratios apply.
    l.window->setWindowState(Qt::WindowMinimized);
    resizeTo(r, l.window.get(), 1600, 1200);
    EXPECT_EQ(l.label->geometry(), QRect(40, 60, 200, 30));
    l.window->setWindowState(Qt::WindowNoState);
    r.FormResized(l.window.get());
    EXPECT_EQ(l.label->geometry(), QRect(80, 120, 400, 60));

    // A window squeezed to nothing leaves the controls where they were.
    resizeTo(r, l.window.get(), 0, 0);
    EXPECT_EQ(l.label->geometry(), QRect(80, 120, 400, 60));
}

TEST(ControlResizer, TagsChooseWhatIsScaled)
{
    ControlResizer r;
    r.setFontResize(true);
    auto flags = [&r](const char* tag) {
        const auto f = r.ParseResizeTag(QString::fromLatin1(tag));
        return QString("%1%2%3%4%5").arg(f.ResizeLeft).arg(f.ResizeTop).arg(f.ResizeWidth).arg(f.ResizeHeight).arg(f.ResizeFont);
    };
    EXPECT_EQ(flags("msiresizeYNYNN"), "10100");  // the prefix in any case
    EXPECT_EQ(flags("MSIRESIZEyyyyy"), "00000");  // only an upper-case Y counts
    EXPECT_EQ(flags("MSIRESIZEY"), "10000");      // missing characters are off
    EXPECT_EQ(flags("MSIRESIZE"), "00000");
    EXPECT_EQ(flags("Pitcher"), "11111");         // any other word: the defaults
    EXPECT_EQ(flags("MSIRESIZ"), "11111");
    EXPECT_EQ(flags(""), "11111");
    r.setFontResize(false);
    EXPECT_EQ(flags(""), "11110");

    // Applied: the tag is read at each resize.
    Layout l;
    l.label->setProperty("Tag", QString("msiresizeYNYNN"));
    ControlResizer applied = armed(l.window.get());
    applied.FormResized(l.window.get());
    resizeTo(applied, l.window.get(), 1600, 1200);
    EXPECT_EQ(l.label->geometry(), QRect(80, 60, 400, 30));
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 12.0);
    EXPECT_EQ(l.inner->geometry(), QRect(20, 40, 200, 80));
}

TEST(ControlResizer, FontsNeverGoBelowOnePointAndOddControlsAreSafe)
{
    Layout l;
    auto* pixelFont = new QLabel("px", l.window.get());
    QFont f = pixelFont->font();
    f.setPixelSize(14);  // no point size to scale
    pixelFont->setFont(f);
    auto* doomed = new QLabel("gone", l.window.get());
    ControlResizer r = armed(l.window.get());
    r.FormResized(l.window.get());
    delete doomed;  // destroyed after the recording

    resizeTo(r, l.window.get(), 40, 30);  // a twentieth
    EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), 1.0);
    EXPECT_DOUBLE_EQ(l.inner->font().pointSizeF(), 1.0);
    EXPECT_EQ(l.label->geometry(), QRect(2, 3, 10, 2));  // 1.5 goes to the even 2
    EXPECT_EQ(pixelFont->font().pixelSize(), 14);
}

TEST(ControlResizer, ControlsAreTheAbsolutelyPlacedDescendants)
{
    Layout l;
    auto* table = new QTableView(l.window.get());
    auto* combo = new QComboBox(l.window.get());
    combo->setEditable(true);
    auto* notice = new QDialog(l.window.get());  // a window of its own

    const QList<QWidget*> controls = layout::controlsOf(l.window.get());
    EXPECT_EQ(controls, (QList<QWidget*>{l.label, l.frame, l.inner, table, combo}));
    EXPECT_FALSE(controls.contains(table->viewport()));
    EXPECT_FALSE(controls.contains(static_cast<QWidget*>(combo->lineEdit())));
    EXPECT_FALSE(controls.contains(notice));
}

TEST(ControlResizer, AResizeRightAfterReArmingScalesFromTheSizeBeforeIt)
{
    ResizingWindow w;
    auto* label = new QLabel("x", &w);
    w.resize(400, 300);
    label->setGeometry(40, 60, 100, 30);
    ControlResizer r = armed(&w);
    w.resizer = &r;
    w.show();  // the first show only records: there was no earlier size
    ASSERT_TRUE(r.isRecorded());
    EXPECT_EQ(label->geometry(), QRect(40, 60, 100, 30));

    // A user's move, kept by re-arming; the next resize scales from it.
    label->move(50, 70);
    r.InitializeResizer(&w);
    w.resize(800, 600);
    EXPECT_EQ(label->geometry(), QRect(100, 140, 200, 60));
    w.resize(400, 300);
    EXPECT_EQ(label->geometry(), QRect(50, 70, 100, 30));
}

TEST(ControlResizer, KeepingTheProportionNeverGrowsAWindowPastTheScreen)
{
    ResizingWindow w;
    w.resize(300, 300);
    w.show();
    ControlResizer r = armed(&w, true);
    w.resizer = &r;
    r.FormResized(&w);
    const QRect area = w.screen()->availableGeometry();
    // Wider than the screen's height allows at this proportion.
    w.resize(area.height() + 50, w.height());
    EXPECT_LE(w.frameGeometry().height(), area.height());
    EXPECT_LE(w.frameGeometry().width(), area.width());
    EXPECT_NEAR(double(w.frameGeometry().height()) / w.frameGeometry().width(), r.aspectRatio(), 0.01);
}

TEST(ControlResizer, AWindowArmedBeforeItIsFramedComesBackFromMaximisedAtItsSize)
{
    ResizingWindow w;
    auto* label = new QLabel("x", &w);
    w.resize(700, 250);
    label->setGeometry(70, 50, 140, 25);
    ControlResizer r = armed(&w, true);  // still hidden, so without its frame
    w.resizer = &r;
    w.show();
    QCoreApplication::processEvents();
    ASSERT_NE(w.frameGeometry().size(), w.size());
    const QSize opened = w.size();
    const QSize openedOuter = w.frameGeometry().size();

    w.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(w.isMaximized());
    w.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), opened);
    EXPECT_EQ(label->geometry(), QRect(70, 50, 140, 25));

    // Dragged wider, the framed window keeps the proportion it opened with.
    w.resize(opened.width() + 140, opened.height());
    EXPECT_EQ(w.frameGeometry().height(),
              qRound(float(w.frameGeometry().width()) * float(openedOuter.height()) / float(openedOuter.width())));
}
