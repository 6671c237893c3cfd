#include "stats_sheet/form2.h"

#include "common/colours.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/center_form.h"
#include "presentation/control_resizer.h"
#include "presentation/logos.h"
#include "presentation/picture_box.h"
#include "stats_sheet/sheet_columns.h"
#include "stats_sheet/team_label.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace col = sheet::col;

Form2::Form2(SheetBoard* board) : board_(board)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Stats"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    // A header row is one grid row high: the padding a style sheet gives its
    // sections would cut the underscores off "VIS_Player".
    setStyleSheet(QStringLiteral("QDialog#Form2 { background-color: black; }"
                                 " QHeaderView::section { padding: 0px 2px; }"));
    resize(twips::toPx(12645), twips::toPx(11025));

    // The team labels reach over the free room above their grids, so a long
    // name has space to show whole.
    const double labelWidth = 11145, bandShare = 1455 / labelWidth;
    lbl_VisTeam = new TeamLabel(QStringLiteral("Team"), bandShare, this);
    lbl_VisTeam->setObjectName(QStringLiteral("lbl_VisTeam"));
    lbl_VisTeam->setColours(colours::fromBgr(colours::White), colours::fromBgr(0x00808080));
    twips::place(lbl_VisTeam, 90, 210, labelWidth, 255);
    look::setFont(lbl_VisTeam, QStringLiteral("Arial"), 9.75);
    grd_VisStats = new Grid(this);
    grd_VisStats->setObjectName(QStringLiteral("grd_VisStats"));
    twips::place(grd_VisStats, 90, 540, 11145, 3780);
    look::setFont(grd_VisStats, QStringLiteral("Arial"), 8.25);
    Picture3 = new PictureBox(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setToolTip(QStringLiteral("Visitor logo"));
    twips::place(Picture3, 11295, 540, 1290, 1290);

    lbl_HomeTeam = new TeamLabel(QStringLiteral("Team"), bandShare, this);
    lbl_HomeTeam->setObjectName(QStringLiteral("lbl_HomeTeam"));
    lbl_HomeTeam->setColours(Qt::black, colours::fromBgr(colours::LightGrey));
    twips::place(lbl_HomeTeam, 90, 4590, labelWidth, 255);
    look::setFont(lbl_HomeTeam, QStringLiteral("Arial"), 9.75);
    grd_HomeStats = new Grid(this);
    grd_HomeStats->setObjectName(QStringLiteral("grd_HomeStats"));
    twips::place(grd_HomeStats, 90, 4950, 11145, 3780);
    look::setFont(grd_HomeStats, QStringLiteral("Arial"), 8.25);
    Picture4 = new PictureBox(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setToolTip(QStringLiteral("Home logo"));
    twips::place(Picture4, 11295, 4905, 1290, 1290);
    for (auto* p : {Picture3, Picture4}) {
        p->setText(QStringLiteral("Logo Not Set"));
        p->setAlignment(Qt::AlignCenter);
        p->setStyleSheet(QStringLiteral("color: #c0c0c0; background-color: #202020; border: 1px solid #606060;"));
        look::setFont(p, QStringLiteral("Arial"), 8);
    }

    Label2 = new QLabel(QStringLiteral("Game comments (110 characters):"), this);
    Label2->setStyleSheet(colours::style(colours::White, colours::DarkGrey));
    twips::place(Label2, 90, 8820, 2775, 255);
    look::setFont(Label2, QStringLiteral("Arial"), 8.25);
    tb_Comments = new QLineEdit(this);
    tb_Comments->setObjectName(QStringLiteral("tb_Comments"));
    tb_Comments->setMaxLength(110);
    tb_Comments->setStyleSheet(colours::style(0x00FF0000, colours::LightGrey));
    twips::place(tb_Comments, 90, 9090, 7815, 375);
    look::setFont(tb_Comments, QStringLiteral("Arial Narrow"), 9.75);

    grd_BoxScore = new Grid(this);
    grd_BoxScore->setObjectName(QStringLiteral("grd_BoxScore"));
    twips::place(grd_BoxScore, 90, 9705, 12195, 1035);
    look::setFont(grd_BoxScore, QStringLiteral("Arial"), 9);
    grd_BoxScore->setRows(3);
    grd_BoxScore->setCols(24);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background-color: #c0c0c0; }"));
    twips::place(Frame1, 10950, 9750, 1620, 795);
    Command2 = new QPushButton(QStringLiteral("SAVE TO DB"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    // Enter in the sheet must never save a game by accident.
    Command2->setAutoDefault(false);
    Command2->setDefault(false);
    twips::place(Command2, 225, 225, 1295, 375);
    look::setFont(Command2, QStringLiteral("Arial Narrow"), 9);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    lbl_GridSelected = new QLabel(this);
    lbl_GridSelected->hide();
    auto holder = [this](const char* name) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(name));
        t->hide();
        return t;
    };
    tb_TimeStamp2 = holder("tb_TimeStamp2");
    tb_VisWin = holder("tb_VisWin");
    tb_VisLoss = holder("tb_VisLoss");
    tb_HomeWin = holder("tb_HomeWin");
    tb_HomeLoss = holder("tb_HomeLoss");

    look::plainLabels(this);
    wireEditing();
    wireSaving();
}

Form2::~Form2()
{
    delete cellEditor_;
    delete resizer_;
}

ControlResizer& Form2::resizer()
{
    if (!resizer_)
        resizer_ = new ControlResizer();
    return *resizer_;
}

void Form2::layoutStatsGrid(Grid* g, board::Side side)
{
    static const char* heads[] = {"", "", "K", "BB", "1B", "2B", "3B", "HR", "SB", "RBI", "AB",
                                  "", "K", "BB", "H", "HR", "ER", "IP", ""};
    for (int c = col::Batter; c <= col::IP; ++c)
        g->setTextMatrix(0, c, QString::fromLatin1(heads[c]));
    const bool top = side == board::Side::Visitors;
    g->setTextMatrix(0, col::Batter, top ? QStringLiteral("VIS_Player") : QStringLiteral("HOME_Player"));
    g->setTextMatrix(0, col::Pitcher, top ? QStringLiteral("VIS_Pitcher") : QStringLiteral("HOME_Pitcher"));
    g->setColWidth(0, 0);
    g->setColWidth(col::Batter, 1800);
    for (int c = col::FirstBatCount; c <= col::LastBatCount; ++c)
        g->setColWidth(c, 450);
    g->setColWidth(col::Pitcher, 2000);
    for (int c = col::FirstPitchCount; c <= col::LastPitchCount; ++c)
        g->setColWidth(c, 450);
    g->setColWidth(col::IP, 600);
    g->setColWidth(col::PlayedFlag, 0);
}

void Form2::Form_Load()
{
    if (board_)
        CenterOverMain(board_->boardWindow(), {this});
    logos::showPlaceholder(*Picture3);
    logos::showPlaceholder(*Picture4);
    for (Grid* g : {grd_VisStats, grd_HomeStats}) {
        g->setRows(50);
        g->setCols(col::Count);
    }
    resize(twips::toPx(12885) - (frameGeometry().width() - width()),
           twips::toPx(11300) - (frameGeometry().height() - height()));
    resizer().setKeepRatio(true);
    resizer().setFontResize(true);
    resizer().InitializeResizer(this);
    for (Grid* g : {grd_VisStats, grd_HomeStats})
        g->setRowHeightTwips(250);
    for (Grid* g : {grd_VisStats, grd_HomeStats}) {
        for (int c = 2; c <= 10; ++c)
            g->model().setColAlignment(c, 3);
        for (int c = 12; c <= 18; ++c)
            g->model().setColAlignment(c, 3);
    }
    const QColor odd = colours::fromBgr(0x00E0E0E0);
    const QColor visEven = colours::fromBgr(0x00C0FFFF);
    const QColor homeEven = colours::fromBgr(0x00FFFFFF);
    for (Grid* g : {grd_VisStats, grd_HomeStats}) {
        const QColor even = g == grd_VisStats ? visEven : homeEven;
        for (int r = 1; r < 50; ++r)
            for (int c = 1; c <= 18; ++c)
                g->model().setCellBackColor(r, c, r % 2 ? odd : even);
    }
    for (Grid* g : {grd_VisStats, grd_HomeStats})
        g->resize(twips::toPx(11150), g->height());
    layoutStatsGrid(grd_VisStats, board::Side::Visitors);
    layoutStatsGrid(grd_HomeStats, board::Side::Home);

    grd_BoxScore->setTextMatrix(1, 0, lbl_VisTeam->text());
    grd_BoxScore->setTextMatrix(2, 0, lbl_HomeTeam->text());
    for (int c = 1; c <= 20; ++c)
        grd_BoxScore->setTextMatrix(0, c, QString::number(c));
    grd_BoxScore->setTextMatrix(0, 21, QStringLiteral("R"));
    grd_BoxScore->setTextMatrix(0, 22, QStringLiteral("H"));
    grd_BoxScore->setTextMatrix(0, 23, QStringLiteral("E"));
    grd_BoxScore->setColWidth(0, 1500);
    for (int c = 1; c <= 9; ++c)
        grd_BoxScore->setColWidth(c, 350);
    for (int c = 10; c <= 20; ++c)
        grd_BoxScore->setColWidth(c, 0);
    for (int c = 21; c <= 23; ++c)
        grd_BoxScore->setColWidth(c, 400);
    for (int r = 1; r <= 2; ++r)
        for (int c = 21; c <= 23; ++c)
            grd_BoxScore->setTextMatrix(r, c, QStringLiteral("0"));
    grd_BoxScore->model().setColAlignment(0, 0);
    for (int c = 21; c <= 23; ++c)
        grd_BoxScore->model().setColAlignment(c, 3);
}

void Form2::fitInto(const QRect& area)
{
    if (area.isEmpty())
        return;
    // Before the window system has framed the sheet, a usual title bar and
    // border are allowed for around its client area (where a move puts it).
    const QRect client = geometry();
    const QRect framed = frameGeometry();
    const QMargins frame = framed != client ? QMargins(client.left() - framed.left(), client.top() - framed.top(),
                                                       framed.right() - client.right(), framed.bottom() - client.bottom())
                                            : QMargins(4, 34, 4, 8);
    const QSize outer = client.size().grownBy(frame);
    const double fit = std::min({1.0, double(area.width()) / double(outer.width()),
                                 double(area.height()) / double(outer.height())});
    if (fit < 1.0) {
        // The resizer scales every control and font to the new size.
        resize(int(double(outer.width()) * fit) - frame.left() - frame.right(),
               int(double(outer.height()) * fit) - frame.top() - frame.bottom());
    }
    const QRect outerNow = geometry().marginsAdded(frame);
    const int dx = std::clamp(outerNow.left(), area.left(), std::max(area.left(), area.right() + 1 - outerNow.width()))
                   - outerNow.left();
    const int dy = std::clamp(outerNow.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outerNow.height()))
                   - outerNow.top();
    move(pos() + QPoint(dx, dy));
}

void Form2::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    const QScreen* s = board_ && board_->boardWindow() ? board_->boardWindow()->screen() : screen();
    if (s)
        guarded([this, s] { fitInto(s->availableGeometry()); });
}

void Form2::Form_MouseDown()
{
    if (board_)
        board_->sheetClicked();
}

void Form2::mousePressEvent(QMouseEvent* e)
{
    QDialog::mousePressEvent(e);
    // A press that a label or the button panel leaves untaken is passed on
    // to the sheet; only one on the sheet's own background refreshes.
    if (childAt(e->position().toPoint()))
        return;
    guarded([this] { Form_MouseDown(); });
}

void Form2::closeEvent(QCloseEvent* e)
{
    e->ignore();
    hide();
}

void Form2::reject()
{
    // Escape hides the sheet like its close box; nothing is discarded.
    hide();
}

void Form2::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    guarded([this] {
        resizer().FormResized(this);
        // The columns follow the grids, as the fonts do: a sheet shrunk to
        // a small screen shows every column without scrolling sideways.
        for (auto [g, designTwips] : {std::pair{grd_VisStats, 11150}, {grd_HomeStats, 11150}, {grd_BoxScore, 12195}})
            g->setWidthScale(double(g->width()) / twips::toPx(designTwips));
    });
}
