// Start-up and exit of the board.
#include "board/form1.h"
#include "board/notices.h"
#include "common/numbers.h"
#include "common/program_folder.h"
#include "common/settings.h"
#include "common/version.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/twips.h"
#include "presentation/control_resizer.h"
#include "presentation/launch_scaling.h"
#include "presentation/pip_masks.h"
#include "presentation/program_icon.h"
#include "presentation/sounds.h"
#include "stats_sheet/form2.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>

namespace {

void placeTwips(QWidget* w, double left, double top)
{
    w->move(twips::toPx(left), twips::toPx(top));
}

void sizeTwips(QWidget* w, double width, double height)
{
    w->resize(twips::toPx(width), twips::toPx(height));
}

}  // namespace

bool Form1::Form_Load()
{
    // The windows the game cannot do without: without them the program ends.
    const bool core = guarded([this] {
        setWindowTitle(boardCaption());
        useProgramIcon();
        if (!options_) {
            options_ = new Options();
            options_->hide();
        }
    });
    if (!core)
        return false;

    // Presentation set-up: a failing step is reported and the load goes on.
    guarded([this] {
        Picture1->clear();
        tb_OUT->resize(twips::toPx(465), tb_OUT->height());
        Label8->setText(QStringLiteral("User-defined PLAYER-PHOTOS path"));
        for (auto& die : ImageFaces)
            for (auto* face : die)
                sizeTwips(face, 433, 433);
        sizeTwips(lbl_20die, 433, 433);
        QFont f = lbl_20die->font();
        f.setPointSizeF(18);
        lbl_20die->setFont(f);
        fra_FaceDice->setStyleSheet(QStringLiteral("QFrame#fra_FaceDice { background-color: #404040; }"));
        fra_FaceDice->resize(twips::toPx(1275), fra_FaceDice->height());
        placeTwips(fra_FaceDice, 17160, 7180);
        placeTwips(fra_ColourDice, 16680, 9810);
        for (auto* token : Image)
            sizeTwips(token, 1350, 2025);
        StealRunnerName->setText(QString());
        for (size_t i = 0; i < 4; ++i)
            pb_Player[i]->resize(Image[i]->width(), Image[i]->height());
        pieces.putAtStartPlaces(frameGeometry().width(), Picture1->height());
    });

    guarded([this] {
        resizer().setKeepRatio(true);
        resizer().setFontResize(true);
        resizer().InitializeResizer(this);
    });

    guarded([this] {
        Frame3->resize(twips::toPx(7875), Frame3->height());
        placeTwips(Frame3, 5525, Frame3->y() * twips::twipsPerPixel());
        const auto& rows = dice::pipMaskRows;
        for (size_t n = 1; n <= 6; ++n)
            PipMask[n] = QString::fromLatin1(rows[n][0]) + QString::fromLatin1(rows[n][1])
                + QString::fromLatin1(rows[n][2]);
        lbl_Path->setText(folder::resolve(QStringLiteral("ballparks")));
    });

    guarded([this] {
        for (int i = 0; i < 9; ++i)
            lbl_chrt[static_cast<size_t>(i)]->setText(settings::GetSetting(QStringLiteral("lbl_chrt%1").arg(i + 1)));
        lbl_PhotoPath->setText(settings::GetSetting(QStringLiteral("lbl_PhotoPath")));
    });

    guarded([this] {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
        const QSize screenPx = screen ? screen->size() : QSize(1920, 1080);
        const launch::LaunchMetrics m =
            launch::fitToArea(launch::metricsFor(screenPx), launch::outerSizeOf(this), area.size());
        ResizeFormAtLaunch = true;
        LaunchRatioX = m.ratioX;
        LaunchRatioY = m.ratioY;
        ScaleFormControls(m.ratioX, m.ratioY, this, ResizeFormAtLaunch);
        launch::placeBoard(this, area);
    });

    tmr_Constant->start();
    // Ctrl+F12 is watched from start to exit.
    tmr_F12detect->start();
    return true;
}

Form2* Form1::statsSheet() const
{
    if (!form2_ && !sheetFailed_)
        const_cast<Form1*>(this)->buildSheet();
    return form2_;
}

bool Form1::buildSheet()
{
    // Not at start: the board shows sooner, and a run that only looks at
    // the statistics never needs it.
    std::unique_ptr<Form2> sheet;
    const bool built = guarded([this, &sheet] {
        sheet = std::make_unique<Form2>(this);
        sheet->Form_Load();
    });
    if (built) {
        form2_ = sheet.release();
        return true;
    }
    // A board without its sheet could not record a play: the program ends,
    // as it does when a window it cannot do without fails at start. This is
    // the sheet's first use, so no statistics of this run are in it yet.
    sheetFailed_ = true;
    closing_ = true;
    hide();
    QCoreApplication::exit(1);
    return false;
}

bool Form1::Form_QueryUnload()
{
    if (closing_)
        return true;
    const auto answer = platform::interaction().msgBox(
        QStringLiteral("Don't forget to go to the Stats Form and save all stats using 'SAVE TO DB'.\n\n"
                       "Do you still want to EXIT?"),
        QMessageBox::Yes | QMessageBox::No, QStringLiteral("EXIT program?"), QMessageBox::Question,
        QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    closing_ = true;
    tmr_Constant->stop();
    tmr_F12detect->stop();
    tmrDice2->stop();
    tmr_FaceDice->stop();
    sounds::StopAllSounds();
    if (form2_)
        form2_->hide();
    if (options_)
        options_->hide();
    QCoreApplication::quit();
    return true;
}

bool Form1::AppendHalfInningMarker()
{
    const auto outs = num::strict(tb_OutsCount->text());
    if (!outs)
        return false;
    AppendEventLogLine(QStringLiteral("[") + num::generalLocale(*outs / 6.0), QStringLiteral("]"));
    return true;
}
