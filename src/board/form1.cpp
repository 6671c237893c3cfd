#include "board/form1.h"

#include "board/notices.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/center_form.h"
#include "presentation/control_resizer.h"
#include "presentation/photos.h"
#include "stats_sheet/form2.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

// The board at its design size, in twips: the field picture fills its lower
// part, the top band above it holds the line score, the lineups and pitchers.
namespace boardlayout {
constexpr double BoardWidth = 18975;
constexpr double FieldTop = 3240;
constexpr double FieldHeight = 9400;
}  // namespace boardlayout

}  // namespace

// ---------------------------------------------------------------- Form1

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    look::useReadableLook();
    buildControls();
    board::wireBoard(*this);
    board::wireTeams(*this);
    board::wireProgress(*this);
    board::wirePlays(*this);
    board::wirePieces(*this);
    board::wirePhotos(*this);
    board::wireDice(*this);
    board::wireBallparks(*this);
    wireCharts();
    board::wireFeedback(*this);
}

Form1::~Form1()
{
    delete form2_;
    delete options_;
}

SideControls Form1::side(board::Side s) const
{
    const bool vis = s == board::Side::Visitors;
    const board::SidePanel& own = vis ? visitorsSide : homeSide;
    const Form2* sheet = statsSheet();
    return {vis ? board::Side::Visitors : board::Side::Home,
            own.load,
            own.atBat,
            own.edit,
            own.lineup,
            own.editBox,
            vis ? lbl_L1current : lbl_L2current,
            own.pitcher,
            own.pitcherPhoto,
            own.logo,
            lineScore.teamName(s),
            lineScore.row(s),
            sheet ? (vis ? sheet->grd_VisStats : sheet->grd_HomeStats) : nullptr,
            sheet ? (vis ? sheet->lbl_VisTeam : sheet->lbl_HomeTeam) : nullptr,
            sheet ? (vis ? sheet->Picture3 : sheet->Picture4) : nullptr};
}

board::PlayControls Form1::play()
{
    return {*tb_OUT,
            *tb_OutsCount,
            *lbl_Selected,
            *StealRunnerName,
            pieces,
            side(board::Side::Visitors),
            side(board::Side::Home)};
}

ControlResizer& Form1::resizer()
{
    if (!resizer_)
        resizer_ = std::make_unique<ControlResizer>();
    return *resizer_;
}

void Form1::buildControls()
{
    // The menu bar and the board's surface are the only laid-out children;
    // every control stands absolutely on the surface (or in a frame or the
    // field on it), so the resizer and the launch scaling own its geometry.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    menuBar = new QMenuBar(this);
    menuBar->setNativeMenuBar(false);
    outer->setMenuBar(menuBar);
    mnuStatistics = menuBar->addAction(QStringLiteral("Database"));
    mnuEventLog = menuBar->addAction(QStringLiteral("EventLog"));
    mnu_Options = menuBar->addAction(QStringLiteral("Options"));
    About = menuBar->addAction(QStringLiteral("About"));

    boardArea = new QWidget(this);
    boardArea->setObjectName(QStringLiteral("boardArea"));
    boardArea->setAutoFillBackground(true);
    boardArea->setStyleSheet(QStringLiteral("#boardArea { background-color: #262626; }"));
    outer->addWidget(boardArea);

    Picture1 = new BackgroundPicture(boardArea);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    // Only the background itself is green: the controls on it that have no
    // colours of their own keep the readable ones of the board below.
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background-color: #2f5d34; }"));
    setStyleSheet(QStringLiteral("QLineEdit { color: black; background-color: white; }"));
    twips::place(Picture1, 0, boardlayout::FieldTop, boardlayout::BoardWidth, boardlayout::FieldHeight);

    // The board's design size: its surface and the menu above it; launch
    // scaling shrinks it to the screen.
    resize(twips::toPx(boardlayout::BoardWidth),
           twips::toPx(boardlayout::FieldTop + boardlayout::FieldHeight) + menuBar->sizeHint().height());

    lineScore.build(boardArea);
    outcomes.build(boardArea);
    visitorsSide.build(boardArea, board::Side::Visitors);
    homeSide.build(boardArea, board::Side::Home);
    pieces.build(Picture1);
    // The hidden holders of the game's state.
    fra_ctrls = new QFrame(Picture1);
    fra_ctrls->setObjectName(QStringLiteral("fra_ctrls"));
    fra_ctrls->hide();
    auto hiddenLabel = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, fra_ctrls);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto hiddenBox = [&](const char* name, const QString& text) {
        auto* t = new QLineEdit(text, fra_ctrls);
        t->setObjectName(QString::fromLatin1(name));
        return t;
    };
    lbl_Selected = hiddenLabel("lbl_Selected", QString());
    lbl_L1current = hiddenLabel("lbl_L1current", QStringLiteral("0"));
    lbl_L2current = hiddenLabel("lbl_L2current", QStringLiteral("0"));
    lbl_NumSel = hiddenLabel("lbl_NumSel", QString());
    lbl_BoxSel = hiddenLabel("lbl_BoxSel", QString());
    lbl_VisHome = hiddenLabel("lbl_VisHome", QString());
    lbl_Path = hiddenLabel("lbl_Path", QString());
    tb_ListBoxStatus = hiddenBox("tb_ListBoxStatus", QStringLiteral("0"));
    tb_LBselected = hiddenBox("tb_LBselected", QStringLiteral("0"));
    StealRunnerName = hiddenBox("StealRunnerName", QString());
    Option1 = new QRadioButton(QStringLiteral("0"), fra_ctrls);
    Option2 = new QRadioButton(QStringLiteral("1"), fra_ctrls);
    Option3 = new QRadioButton(QStringLiteral("2"), fra_ctrls);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Option3->setObjectName(QStringLiteral("Option3"));

    tmr_Constant = new QTimer(this);
    tmr_Constant->setInterval(100);
    parkWholeRelease_.setSingleShot(true);
    parkWholeRelease_.setInterval(2000);
    connect(&parkWholeRelease_, &QTimer::timeout, this, [this] { parkPictures_->forgetWhole(); });

    optionsPanel.build(Picture1);
    dice.build(Picture1, boardArea, fra_ctrls, this);
    buildCharts();
    look::plainLabels(this);
    look::showTextFromStart(this);
}

void board::wireBoard(Form1& f)
{
    auto on = [&f](auto* sender, auto signal, void (Form1::*handler)()) {
        QObject::connect(sender, signal, &f, [&f, handler] { guarded([&f, handler] { (f.*handler)(); }); });
    };
    on(f.mnuStatistics, &QAction::triggered, &Form1::mnuStatistics_Click);
    on(f.mnuEventLog, &QAction::triggered, &Form1::mnuEventLog_Click);
    on(f.mnu_Options, &QAction::triggered, &Form1::mnu_Options_Click);
    on(f.About, &QAction::triggered, &Form1::About_Click);
    on(f.cb_Xinnings, &QCheckBox::toggled, &Form1::cb_Xinnings_Click);
    QObject::connect(f.cb_BaseTracker, &QCheckBox::toggled, &f, [&f](bool) { f.cb_BaseTracker_Click(); });
    on(f.lbl_STATS, &ClickLabel::Click, &Form1::lbl_STATS_Click);
    QObject::connect(f.tmr_Constant, &QTimer::timeout, &f, [&f] { f.tmr_Constant_Timer(); });
    // The options panel's close mark is only clickable while the panel
    // shows, so it always closes it.
    on(f.Label9, &ClickLabel::Click, &Form1::mnu_Options_Click);
    events::onToggle(f.chk_Ctrls, [&f] { guarded([&f] { f.chk_Ctrls_Click(); }); });
}

void Form1::cb_Xinnings_Click()
{
    Frame1->setVisible(cb_Xinnings->isChecked());
}

void Form1::cb_BaseTracker_Click()
{
    // Each click flips the tracker; the check box's own value is not consulted.
    pb_BaseTracker->setVisible(pb_BaseTracker->isHidden());
}

void Form1::mnuEventLog_Click()
{
    if (!options_)
        return;
    const QRect b = frameGeometry();
    const QRect o = options_->frameGeometry();
    options_->move(static_cast<int>(b.left() + b.width() * 0.5 - o.width() * 0.5),
                   static_cast<int>(b.top() + b.height() * 0.5 - o.height() * 0.5));
    platform::interaction().showModal(*options_);
}

void Form1::mnu_Options_Click()
{
    fra_Options->setVisible(fra_Options->isHidden());
}

void Form1::chk_Ctrls_Click()
{
    // Hiding keeps the panel's geometry, and the resizer scales hidden
    // controls too: it comes back where it was last dragged or resized.
    pb_Res->setVisible(!chk_Ctrls->isChecked());
}

void Form1::lbl_STATS_Click()
{
    Form2* sheet = statsSheet();
    if (!sheet)
        return;
    CenterOverMain(this, {sheet});
    ConstantUpdate();
    platform::interaction().showModal(*sheet);
}

void Form1::tmr_Constant_Timer()
{
    // Keeps the extra innings under the first ten.
    if (Frame1->x() != Frame3->x())
        Frame1->move(Frame3->x(), Frame1->y());
    const QString folder = lbl_PhotoPath->text();
    for (const board::SidePanel* own : {&visitorsSide, &homeSide})
        own->refreshPitcherPhoto(folder);
}

void Form1::SupplementalResize()
{
    resizer().FormResized(this);
    // Unticking runs cb_Xinnings_Click, which hides the extra innings.
    cb_Xinnings->setChecked(false);
    for (PictureBox* piece : pb_Player)
        ZoomPicture(*piece, 1.0);
    // Last, at the size the resizer settled on; a picture that cannot be
    // shown is reported after this handler and leaves the layout above done.
    fitBallpark();
}

void Form1::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    guarded([this] { SupplementalResize(); });
}

void Form1::closeEvent(QCloseEvent* e)
{
    if (Form_QueryUnload())
        e->accept();
    else
        e->ignore();
}

// ---------------------------------------------------------------- the event log

void Form1::AppendEventLogLine(const QString& subject, const QString& literal)
{
    if (options_)
        options_->append(subject + literal + QStringLiteral("\r\n"));
}

QString Form1::EventLogText() const
{
    return options_ ? options_->text() : QString();
}
