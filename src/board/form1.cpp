#include "board/form1.h"

#include "board/notices.h"
#include "common/colours.h"
#include "common/version.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/center_form.h"
#include "presentation/control_resizer.h"
#include "presentation/feedback.h"
#include "presentation/photos.h"
#include "stats_sheet/form2.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

Form1* g_board = nullptr;

// The board at its design size, in twips: the field picture fills its lower
// part, the top band above it holds the line score, the lineups and pitchers.
namespace boardlayout {
constexpr double BoardWidth = 18975;
constexpr double FieldTop = 3240;
constexpr double FieldHeight = 9400;
}  // namespace boardlayout

QString bg(unsigned bgr)
{
    return colours::fromBgr(bgr).name();
}

// The board's own controls are set with explicit colours so the look does
// not depend on the desktop theme.
void paintColours(QWidget* w, unsigned fore, unsigned back)
{
    w->setStyleSheet(colours::style(fore, back));
}

}  // namespace

// ---------------------------------------------------------------- Form1

Form1* Form1::instance()
{
    return g_board;
}

Form1::Form1()
{
    g_board = this;
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    look::useReadableLook();
    buildControls();
    wireBoard();
    wireTeams();
    wireProgress();
    wirePlays();
    wirePieces();
    wirePhotos();
    wireDice();
    wireBallparks();
    wireCharts();
    wireOptionsPanel();
    wireFeedback();
}

Form1::~Form1()
{
    if (g_board == this)
        g_board = nullptr;
    delete form2_;
    delete options_;
}

SideControls Form1::side(bool visitors) const
{
    if (visitors)
        return {Command6,
                Option5,
                Check1,
                List1,
                tb_List1edit,
                lbl_L1current,
                lbl_VisPitcher,
                img_VisPitch,
                img_VisLogo,
                tb_VisTeam,
                tb_BoxScore,
                form2_ ? form2_->grd_VisStats : nullptr,
                form2_ ? form2_->lbl_VisTeam : nullptr,
                form2_ ? form2_->Picture3 : nullptr};
    return {Command7,
            Option6,
            Check2,
            List2,
            tb_List2edit,
            lbl_L2current,
            lbl_HomePitcher,
            img_HomePitch,
            img_HomeLogo,
            tb_HomeTeam,
            tb_BoxScoreBottom,
            form2_ ? form2_->grd_HomeStats : nullptr,
            form2_ ? form2_->lbl_HomeTeam : nullptr,
            form2_ ? form2_->Picture4 : nullptr};
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

    buildLineScore();
    buildPlayPanel();
    buildLineups();
    buildPiecesAndOptions();
    buildOptionsPanel();
    buildDicePanels();
    buildBallparks();
    buildCharts();
    look::plainLabels(this);
    look::showTextFromStart(this);
}

void Form1::buildLineScore()
{
    Frame3 = new QFrame(boardArea);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setAutoFillBackground(true);
    Frame3->setStyleSheet(QStringLiteral("QFrame#Frame3 { background-color: #1f1f1f; }"));
    twips::place(Frame3, 5525, 60, 7875, 2490);

    // Directly below the top frame, wide enough for its ten innings.
    Frame1 = new QFrame(boardArea);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background-color: #1f1f1f; }"));
    twips::place(Frame1, 5525, 60 + 2490, 6120, 1560);
    Frame1->hide();

    const double boxW = 420, step = 440, x0 = 1620;
    auto head = [&](QWidget* parent, const QString& text, double x, double y) {
        auto* l = new QLabel(text, parent);
        l->setAlignment(Qt::AlignCenter);
        paintColours(l, colours::White, 0x001F1F1F);
        look::setFont(l, QStringLiteral("Arial"), 9, true);
        twips::place(l, x, y, boxW, 255);
        return l;
    };
    for (int d = 1; d <= 10; ++d) {
        const int digit = d % 10;  // "0" heads inning 10
        auto* l = new ClickLabel(QString::number(digit), Frame3);
        l->setObjectName(QStringLiteral("lbl_%1").arg(digit));
        l->setAlignment(Qt::AlignCenter);
        // The digit heads are the number pad: white on blue, unlike the
        // plain "R", "H", "E" heads.
        paintColours(l, colours::White, 0x00FF0000);
        look::setFont(l, QStringLiteral("Arial"), 9, true);
        twips::place(l, x0 + (d - 1) * step, 60, boxW, 255);
        lbl_Digit[static_cast<size_t>(digit)] = l;
    }
    const QStringList rhe{QStringLiteral("R"), QStringLiteral("H"), QStringLiteral("E")};
    for (int i = 0; i < 3; ++i)
        lbl_RHE[static_cast<size_t>(i)] = head(Frame3, rhe[i], x0 + (10 + i) * step, 60);

    tb_VisTeam = new QLineEdit(QStringLiteral("VIS"), Frame3);
    tb_VisTeam->setObjectName(QStringLiteral("tb_VisTeam"));
    tb_HomeTeam = new QLineEdit(QStringLiteral("HOME"), Frame3);
    tb_HomeTeam->setObjectName(QStringLiteral("tb_HomeTeam"));
    twips::place(tb_VisTeam, 60, 360, 1500, 390);
    twips::place(tb_HomeTeam, 60, 800, 1500, 390);
    paintColours(tb_VisTeam, 0, colours::White);
    paintColours(tb_HomeTeam, 0, colours::IdleBoxColor);
    for (auto* t : {tb_VisTeam, tb_HomeTeam})
        look::setFont(t, QStringLiteral("Arial"), 8.25, true);

    auto* xcap = new QLabel(QStringLiteral("EXTRA INNINGS 11 TO 20"), Frame1);
    lbl_Frame1Caption = xcap;
    paintColours(xcap, colours::White, 0x001F1F1F);
    look::setFont(xcap, QStringLiteral("Arial"), 8, true);
    // The caption runs on over the free space above the inning heads.
    twips::place(xcap, 60, 40, 3600, 255);
    for (int i = 0; i < 10; ++i)
        lbl_XinnHead[static_cast<size_t>(i)] = head(Frame1, QString::number(11 + i), x0 + i * step, 330);

    for (int i = 0; i < 23; ++i) {
        const bool extra = i >= 10 && i <= 19;
        QWidget* parent = extra ? static_cast<QWidget*>(Frame1) : static_cast<QWidget*>(Frame3);
        const int col = extra ? i - 10 : (i < 10 ? i : i - 10);
        const double x = x0 + col * step;
        const double yTop = extra ? 620 : 360;
        auto* top = new BoxScoreEdit(parent);
        auto* bottom = new BoxScoreEdit(parent);
        top->setObjectName(QStringLiteral("tb_BoxScore(%1)").arg(i));
        bottom->setObjectName(QStringLiteral("tb_BoxScoreBottom(%1)").arg(i));
        twips::place(top, x, yTop, boxW, 390);
        twips::place(bottom, x, yTop + 440, boxW, 390);
        for (auto* b : {top, bottom})
            look::setFont(b, QStringLiteral("Arial"), 9, true);
        if (i >= 20) {
            top->setText(QStringLiteral("0"));
            bottom->setText(QStringLiteral("0"));
        }
        tb_BoxScore[static_cast<size_t>(i)] = top;
        tb_BoxScoreBottom[static_cast<size_t>(i)] = bottom;
    }
    tb_BoxScore[10]->setToolTip(QStringLiteral("top of 11"));
    tb_BoxScoreBottom[10]->setToolTip(QStringLiteral("bottom of 11"));
    tb_BoxScore[19]->setToolTip(QStringLiteral("top of 20"));
    tb_BoxScoreBottom[19]->setToolTip(QStringLiteral("botom of 20"));

    // Under the line score, left of the chart block: the outs with RESET
    // beside them, BALLPARKS (built with the ballparks) and X-INN, UPDATE.
    lbl_OUTS = new QLabel(QStringLiteral("OUTS"), Frame3);
    lbl_OUTS->setAlignment(Qt::AlignCenter);
    paintColours(lbl_OUTS, colours::White, 0x00303030);
    look::setFont(lbl_OUTS, QStringLiteral("Arial"), 9.75, true);
    twips::place(lbl_OUTS, 60, 1290, 600, 330);
    tb_OUT = new QLineEdit(QStringLiteral("0"), Frame3);
    tb_OUT->setObjectName(QStringLiteral("tb_OUT"));
    tb_OUT->setAlignment(Qt::AlignCenter);
    paintColours(tb_OUT, colours::White, 0x000000FF);
    look::setFont(tb_OUT, QStringLiteral("Arial"), 12, true);
    twips::place(tb_OUT, 720, 1290, 465, 330);
    Command11 = new QPushButton(QStringLiteral("RESET"), Frame3);
    Command11->setObjectName(QStringLiteral("Command11"));
    twips::place(Command11, 1245, 1290, 1515, 330);
    cb_Xinnings = new QCheckBox(QStringLiteral("X-INN"), Frame3);
    cb_Xinnings->setObjectName(QStringLiteral("cb_Xinnings"));
    cb_Xinnings->setToolTip(QStringLiteral("Extra innings 11-20"));
    paintColours(cb_Xinnings, colours::White, 0x00303030);
    twips::place(cb_Xinnings, 1635, 1665, 1125, 330);
    Command5 = new QPushButton(QStringLiteral("UPDATE"), Frame3);
    Command5->setObjectName(QStringLiteral("Command5"));
    twips::place(Command5, 60, 2040, 1515, 330);
    for (QWidget* w : std::initializer_list<QWidget*>{Command11, Command5, cb_Xinnings})
        look::setFont(w, QStringLiteral("Arial"), 8.25, true);
}

void Form1::buildPlayPanel()
{
    // At the top right of the field, over its corner.
    pb_Res = new ClickLabel(boardArea);
    pb_Res->setObjectName(QStringLiteral("pb_Res"));
    pb_Res->setToolTip(QStringLiteral("CTRL + Left Click to drag controls"));
    pb_Res->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(bg(0x00808080)));
    twips::place(pb_Res, 13300, 3285, 5620, 1695);

    struct Def {
        ClickLabel** member;
        const char* name;
        const char* caption;
        const char* tip;
        unsigned colour;
    };
    const unsigned plain = 0x00E0E0E0, out = 0x0000FFFF, ab = 0x008080FF;
    // Two rows of eight: what puts the batter on base or credits him, then
    // the outs; STATS below them at its own place.
    const Def defs[] = {
        {&lbl_Single, "lbl_Single", "1B", "Single", plain},
        {&lbl_Double, "lbl_Double", "2B", "Double", plain},
        {&lbl_Triple, "lbl_Triple", "3B", "Triple", plain},
        {&lbl_Homer, "lbl_Homer", "HR", "Homer", plain},
        {&lbl_BB, "lbl_BB", "BB", "Walk", plain},
        {&lbl_RBI, "lbl_RBI", "RBI", "Run batted in", plain},
        {&lbl_SB, "lbl_SB", "SB", "Stolen base", plain},
        {&lbl_AB, "lbl_AB", "AB", "Assign an 'At-Bat' [e.g. reached on an error]", ab},
        {&lbl_K, "lbl_K", "K", "Strikeout", out},
        {&lbl_GO, "lbl_GO", "GO", "Groundout", out},
        {&lbl_FO, "lbl_FO", "FO", "Flyout/Foulout", out},
        {&lbl_LO, "lbl_LO", "LO", "Lineout", out},
        {&lbl_PO, "lbl_PO", "PO", "Popout", out},
        {&lbl_DP, "lbl_DP", "DP", "Double Play", out},
        {&lbl_FC, "lbl_FC", "FC", "Fielder's choice", out},
        {&lbl_Pick, "lbl_Pick", "TO", "Runner thrown out/tagged out", out},
        {&lbl_STATS, "lbl_STATS", "STATS", nullptr, plain},
    };
    int i = 0;
    for (const Def& d : defs) {
        auto* l = new ClickLabel(QString::fromLatin1(d.caption), pb_Res);
        l->setObjectName(QString::fromLatin1(d.name));
        if (d.tip)
            l->setToolTip(QString::fromLatin1(d.tip));
        l->setAlignment(Qt::AlignCenter);
        feedback::setBackColor(l, d.colour);
        if (d.member == &lbl_STATS) {
            look::setFont(l, QStringLiteral("Calibri"), 11.25, true);
            twips::place(l, 2040, 1140, 885, 285);
        } else {
            look::setFont(l, QStringLiteral("Arial"), 11.25, true);
            twips::place(l, 140 + (i % 8) * 675, 90 + (i / 8) * 495, 615, 435);
        }
        *d.member = l;
        ++i;
    }
}

void Form1::buildLineups()
{
    // Each side's block fills the top band beside its pitcher's photo: the
    // load button and AT BAT, the lineup with UP and DN beside it, the
    // pitcher under the lineup, EDIT with its rename box at the bottom.
    auto makeSide = [&](bool vis) {
        const double x = vis ? 60 : 14970;
        auto* load = new QPushButton(vis ? QStringLiteral("V") : QStringLiteral("H"), boardArea);
        load->setObjectName(vis ? QStringLiteral("Command6") : QStringLiteral("Command7"));
        load->setToolTip(vis ? QStringLiteral("LOAD Visitor team") : QStringLiteral("LOAD Home team"));
        twips::place(load, x, 60, 600, 300);
        auto* atBat = new QRadioButton(QStringLiteral("AT BAT"), boardArea);
        atBat->setObjectName(vis ? QStringLiteral("Option5") : QStringLiteral("Option6"));
        look::setBackColoursByChoice(atBat, colours::IdleBoxColor, colours::White);
        twips::place(atBat, x + 660, 60, 1380, 300);
        auto* list = new ListBox(boardArea);
        list->setObjectName(vis ? QStringLiteral("List1") : QStringLiteral("List2"));
        list->setStyleSheet(QStringLiteral("QListWidget { color: black; background-color: %1; }")
                                .arg(bg(vis ? colours::White : colours::IdleBoxColor)));
        twips::place(list, x, 405, 3300, 2055);
        auto* up = new QPushButton(QStringLiteral("UP"), boardArea);
        auto* dn = new QPushButton(QStringLiteral("DN"), boardArea);
        up->setObjectName(vis ? QStringLiteral("Command2") : QStringLiteral("Command8"));
        dn->setObjectName(vis ? QStringLiteral("Command3") : QStringLiteral("Command4"));
        twips::place(up, x + 3360, 405, 600, 330);
        twips::place(dn, x + 3360, 795, 600, 330);
        auto* edit = new QCheckBox(QStringLiteral("EDIT"), boardArea);
        edit->setObjectName(vis ? QStringLiteral("Check1") : QStringLiteral("Check2"));
        paintColours(edit, colours::White, 0x00303030);
        twips::place(edit, x, 2865, 900, 300);
        auto* editBox = new QLineEdit(boardArea);
        editBox->setObjectName(vis ? QStringLiteral("tb_List1edit") : QStringLiteral("tb_List2edit"));
        twips::place(editBox, x + 960, 2865, 2340, 300);
        editBox->hide();
        auto* pitcher = new ClickLabel(boardArea);
        pitcher->setObjectName(vis ? QStringLiteral("lbl_VisPitcher") : QStringLiteral("lbl_HomePitcher"));
        pitcher->setToolTip(vis ? QStringLiteral("Visitor Pitcher") : QStringLiteral("Home Pitcher"));
        pitcher->setAlignment(Qt::AlignCenter);
        pitcher->setStyleSheet(QStringLiteral("color: white; background-color: #303030; border: 1px solid #a0a0a0;"));
        twips::place(pitcher, x, 2505, 3960, 330);
        auto* photo = new PictureBox(boardArea);
        photo->setObjectName(vis ? QStringLiteral("img_VisPitch") : QStringLiteral("img_HomePitch"));
        twips::place(photo, vis ? 4080 : 13425, vis ? 270 : 300, 1425, 1995);
        // The logo under the pitcher's photo, between the block and the top frame.
        auto* logo = new PictureBox(boardArea);
        logo->setObjectName(vis ? QStringLiteral("img_VisLogo") : QStringLiteral("img_HomeLogo"));
        logo->setToolTip(QStringLiteral("DblClick to add a logo"));
        twips::place(logo, vis ? 4080 : 13425, 2355, 1425, 825);
        for (QWidget* w : std::initializer_list<QWidget*>{load, atBat, edit, up, dn})
            look::setFont(w, QStringLiteral("Arial"), 8.25, true);
        for (QWidget* w : std::initializer_list<QWidget*>{list, editBox})
            look::setFont(w, QStringLiteral("Arial"), 9.75);
        look::setFont(pitcher, QStringLiteral("Arial"), 9.75, true);
        if (vis) {
            Command6 = load; Option5 = atBat; Check1 = edit; List1 = list; Command2 = up; Command3 = dn;
            tb_List1edit = editBox; lbl_VisPitcher = pitcher; img_VisPitch = photo; img_VisLogo = logo;
        } else {
            Command7 = load; Option6 = atBat; Check2 = edit; List2 = list; Command8 = up; Command4 = dn;
            tb_List2edit = editBox; lbl_HomePitcher = pitcher; img_HomePitch = photo; img_HomeLogo = logo;
        }
    };
    makeSide(true);
    makeSide(false);
}

void Form1::buildPiecesAndOptions()
{
    for (int i = 0; i < 4; ++i) {
        auto* token = new PictureBox(Picture1);
        token->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        token->hide();
        Image[static_cast<size_t>(i)] = token;
        auto* piece = new PictureBox(Picture1);
        piece->setObjectName(QStringLiteral("pb_Player%1").arg(i + 1));
        piece->setStyleSheet(QStringLiteral("background-color: %1;").arg(bg(colours::DarkGrey)));
        pb_Player[static_cast<size_t>(i)] = piece;
        auto* caption = new ClickLabel(piece);
        caption->setObjectName(QStringLiteral("lbl_Player%1").arg(i + 1));
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        paintColours(caption, colours::White, 0x00808080);
        look::setFont(caption, QStringLiteral("Calibri"), 8.25);
        // The name band lies across the middle of the piece: a click there
        // is the label's, the top half stays the piece's (stolen-base pick).
        twips::place(caption, 0, (i == 0 || i == 3) ? 840 : 810, 1350, 375);
        caption->hide();
        lbl_Player[static_cast<size_t>(i)] = caption;
        twips::place(token, 0, 0, 1350, 2025);
        // The start places are set at load, from the board's size.
        twips::place(piece, 0, 0, 1350, 2025);
    }

    pb_BaseTracker = new ClickLabel(Picture1);
    pb_BaseTracker->setObjectName(QStringLiteral("pb_BaseTracker"));
    pb_BaseTracker->setStyleSheet(QStringLiteral("background-color: %1;").arg(bg(colours::DarkGrey)));
    twips::place(pb_BaseTracker, 45, 45, 1680, 1590);
    // First, second and third base; home plate below has no behaviour.
    const double mx[3] = {1125, 675, 225}, my[3] = {630, 180, 630};
    for (int i = 0; i < 3; ++i) {
        auto* m = new ClickLabel(pb_BaseTracker);
        m->setObjectName(QStringLiteral("lbl_tracker%1").arg(i + 1));
        m->setStyleSheet(QStringLiteral("background-color: white; border: 1px solid black;"));
        twips::place(m, mx[i], my[i], 255, 255);
        lbl_tracker[static_cast<size_t>(i)] = m;
    }
    auto* homePlate = new QLabel(pb_BaseTracker);
    homePlate->setObjectName(QStringLiteral("lbl_tracker"));
    homePlate->setStyleSheet(QStringLiteral("background-color: white; border: 1px solid black;"));
    twips::place(homePlate, 675, 1080, 255, 255);
    pb_BaseTracker->hide();

    Label1 = new QLabel(Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    twips::place(Label1, 60, 9870, 17595, 135);
    Label1->hide();

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
}

void Form1::wireBoard()
{
    connect(mnuStatistics, &QAction::triggered, this, [this] { guarded([this] { mnuStatistics_Click(); }); });
    connect(mnuEventLog, &QAction::triggered, this, [this] { guarded([this] { mnuEventLog_Click(); }); });
    connect(mnu_Options, &QAction::triggered, this, [this] { guarded([this] { mnu_Options_Click(); }); });
    connect(About, &QAction::triggered, this, [this] { guarded([this] { About_Click(); }); });
    connect(cb_Xinnings, &QCheckBox::toggled, this, [this](bool) { guarded([this] { cb_Xinnings_Click(); }); });
    connect(cb_BaseTracker, &QCheckBox::toggled, this, [this](bool) { cb_BaseTracker_Click(); });
    connect(lbl_STATS, &ClickLabel::Click, this, [this] { guarded([this] { lbl_STATS_Click(); }); });
    connect(tmr_Constant, &QTimer::timeout, this, [this] { tmr_Constant_Timer(); });
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

void Form1::lbl_STATS_Click()
{
    if (!form2_)
        return;
    CenterOverMain(this, {form2_});
    ConstantUpdate();
    platform::interaction().showModal(*form2_);
}

void Form1::tmr_Constant_Timer()
{
    // Keeps the extra innings under the first ten.
    if (Frame1->x() != Frame3->x())
        Frame1->move(Frame3->x(), Frame1->y());
    refreshPitcherPhotos();
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

// ---------------------------------------------------------------- notices and log

void Form1::ShowNotice(const QString& text)
{
    Form1* board = instance();
    // One window serves every notice of the run: building, showing and
    // destroying a window for each play was a third of the play's time. The
    // box is set up afresh for each notice, so none differs from a new one.
    // A notice raised while another is open gets a window of its own.
    std::unique_ptr<CustMsgBox> own;
    CustMsgBox* box = nullptr;
    if (board && !(board->notice_ && board->notice_->isVisible())) {
        if (!board->notice_)
            board->notice_ = std::make_unique<CustMsgBox>();
        box = board->notice_.get();
    } else {
        own = std::make_unique<CustMsgBox>();
        box = own.get();
    }
    // Centred over the board where it stands now, the first notice included.
    if (board)
        CenterOverMain(board, {box});
    box->setMessage(text);
    platform::interaction().showModal(*box);
}

void Form1::AppendEventLogLine(const QString& subject, const QString& literal)
{
    if (options_)
        options_->append(subject + literal + QStringLiteral("\r\n"));
}

QString Form1::EventLogText() const
{
    return options_ ? options_->text() : QString();
}
