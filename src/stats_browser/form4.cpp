#include "stats_browser/form4.h"

#include "common/colours.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/center_form.h"
#include "stats_browser/query.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

Form4::Form4(QWidget* board) : QDialog(board), board_(board)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Database"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips::toPx(12600), twips::toPx(8730));
    buildControls();
    wireByGame();
    wireGameStats();
    wireSorting();
    wireAggregates();
    wireWinLoss();
    wirePurge();
    buildBracket();
    wireExports();
}

Form4::~Form4() = default;

void Form4::placeOnTab(QWidget* w, double left, double top, double width, double height)
{
    // The layout measures from the tab control's corner, tab strip included;
    // a page starts below the strip.
    const int strip = SSTab1->tabBar()->sizeHint().height();
    w->setGeometry(twips::toPx(left), std::max(0, twips::toPx(top) - strip), twips::toPx(width),
                   twips::toPx(height));
}

void Form4::buildControls()
{
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    twips::place(SSTab1, 225, 150, 12165, 8340);
    SSTab1->tabBar()->setFont(look::font(QStringLiteral("Arial Narrow"), 8.25));
    const char* captions[8] = {"Linescores",         "Batting by game", "Pitching by game", "Aggregate Batting",
                               "Aggregate Pitching", "Win/Loss",        "Game Stats",       "Tournament"};
    for (int i = 0; i < 8; ++i) {
        TabPage[i] = new QWidget;
        TabPage[i]->setObjectName(QStringLiteral("TabPage%1").arg(i));
        SSTab1->addTab(TabPage[i], QString::fromLatin1(captions[i]));
    }

    auto button = [this](QPushButton*& b, const char* name, const char* caption, int tab, double l, double t,
                         double w, double h) {
        b = new QPushButton(QString::fromLatin1(caption), TabPage[tab]);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        // The window's own font, so the longer captions fit their buttons.
        look::setFont(b, QStringLiteral("Arial"), 8.25);
        placeOnTab(b, l, t, w, h);
    };
    auto filter = [this](QLineEdit*& e, const char* name, int tab, double l, double t, double w, double h) {
        e = new QLineEdit(TabPage[tab]);
        e->setObjectName(QString::fromLatin1(name));
        placeOnTab(e, l, t, w, h);
    };
    auto grid = [this](Grid*& g, const char* name, int tab, double l, double t, double w, double h,
                       const QFont& font) {
        g = new Grid(TabPage[tab]);
        g->setObjectName(QString::fromLatin1(name));
        g->setFont(font);
        placeOnTab(g, l, t, w, h);
    };
    auto hint = [this](QLabel*& label, const char* name, int tab) {
        label = new QLabel(QStringLiteral("CTRL + Dbl Click column to SORT"), TabPage[tab]);
        label->setObjectName(QString::fromLatin1(name));
        // Blue where it reads on the desktop's page, the desktop's text colour
        // on a dark one.
        const QColor blue = colours::readableOr(colours::fromBgr(0x00FF0000), label->palette().color(QPalette::Window),
                                                label->palette().color(QPalette::WindowText));
        label->setStyleSheet(QStringLiteral("color: %1;").arg(blue.name()));
        look::setFont(label, QStringLiteral("Arial"), 8.25);  // so the hint fits its width
        placeOnTab(label, 525, 1125, 2760, 240);
    };
    const QFont arial9 = look::font(QStringLiteral("Arial"), 9);

    // Tab 0: line scores, purge and exports.
    button(Command4, "Command4", "Get all LineScores", 0, 525, 1530, 2325, 390);
    button(Command11, "Command11", "LineScore by GameID", 0, 7710, 1545, 1905, 390);
    filter(Text9, "Text9", 0, 9735, 1635, 1500, 285);
    grid(MSHFlexGrid1, "MSHFlexGrid1", 0, 525, 2025, 11100, 5640, look::font(QStringLiteral("Calibri"), 8.25));
    button(cmd_Purge, "cmd_Purge", "PURGE ALL STATS", 0, 525, 7800, 1890, 390);
    cmd_Purge->setFont(look::font(QStringLiteral("Arial"), 8.25, true));
    cmd_Purge->setStyleSheet(colours::styleOn(0x000000FF));
    button(Command16, "Command16", "Send all DataGrids to Excel", 0, 5175, 7800, 3180, 390);
    button(Command15, "Command15", "Send Access DB to Excel", 0, 8925, 7800, 2715, 390);
    for (QPushButton* b : {Command16, Command15}) {
        b->setFont(look::font(QStringLiteral("Arial"), 9, true));
        b->setStyleSheet(colours::styleOn(0x00C0C0C0));
    }
    // Below the bottom of the tab control: never seen.
    button(Command25, "Command25", "PURGE ALL STATS", 0, 525, 9240, 1890, 390);

    // Tab 1: batting by game.
    button(Command5, "Command5", "Data by player", 1, 525, 1530, 1530, 390);
    filter(Text1, "Text1", 1, 2175, 1650, 2085, 285);
    button(Command3, "Command3", "Data by team", 1, 4425, 1530, 1530, 390);
    filter(Text2, "Text2", 1, 6030, 1650, 1500, 285);
    button(Command9, "Command9", "Data by GameID", 1, 7800, 1530, 1530, 390);
    filter(Text7, "Text7", 1, 9420, 1650, 1500, 285);
    grid(MSHFlexGrid2, "MSHFlexGrid2", 1, 525, 2115, 10650, 5850, arial9);

    // Tab 2: pitching by game.
    button(Command2, "Command2", "Data by player", 2, 510, 1530, 1530, 390);
    filter(Text3, "Text3", 2, 2130, 1650, 2085, 285);
    button(Command1, "Command1", "Data by team", 2, 4380, 1530, 1530, 390);
    filter(Text4, "Text4", 2, 6000, 1650, 1500, 285);
    button(Command10, "Command10", "Data by GameID", 2, 7650, 1530, 1530, 390);
    filter(Text8, "Text8", 2, 9270, 1650, 1500, 285);
    grid(MSHFlexGrid3, "MSHFlexGrid3", 2, 480, 2100, 10650, 5850, arial9);

    // Tab 3: aggregate batting.
    hint(Label1, "Label1", 3);
    button(Command7, "Command7", "Batting data by player", 3, 465, 1530, 2130, 390);
    filter(Text6, "Text6", 3, 2670, 1650, 2085, 285);
    button(Command8, "Command8", "Batting data by team", 3, 5850, 1530, 2130, 390);
    filter(Text5, "Text5", 3, 8070, 1650, 1500, 285);
    button(Command6, "Command6", "Batter statistics aggregated", 3, 9825, 1050, 2130, 315);
    Command6->hide();
    grid(MSHFlexGrid4, "MSHFlexGrid4", 3, 525, 2175, 10650, 5850, arial9);

    // Tab 4: aggregate pitching.
    hint(Label4, "Label4", 4);
    button(Command13, "Command13", "Pitching data by player", 4, 510, 1515, 2130, 390);
    filter(Text10, "Text10", 4, 2715, 1650, 2085, 285);
    button(Command12, "Command12", "Pitching data by team", 4, 5850, 1500, 2130, 390);
    filter(Text11, "Text11", 4, 8040, 1650, 1500, 285);
    button(Command14, "Command14", "Pitching stats aggregated", 4, 9900, 1050, 2130, 315);
    Command14->hide();
    grid(MSHFlexGrid5, "MSHFlexGrid5", 4, 525, 2175, 10965, 5850, arial9);

    // Tab 5: win/loss standings and matchups.
    const QFont sansSerif = look::font(QStringLiteral("MS Sans Serif"), 8.25);
    const QFont narrow = look::font(QStringLiteral("Arial Narrow"), 8.25);
    grid(MSHFlexGrid9, "MSHFlexGrid9", 5, 1755, 1350, 3930, 6180, sansSerif);
    grid(MSHFlexGrid10, "MSHFlexGrid10", 5, 5925, 1350, 3930, 6180, sansSerif);
    button(Command33, "Command33", "Clear all Win/Loss data", 5, 135, 7830, 1575, 375);
    Command33->setFont(narrow);
    Command33->setStyleSheet(colours::styleOn(0x00C0C0C0));
    button(Command36, "Command36", "DELETE Matchup or Win/Loss", 5, 6480, 7830, 2655, 390);
    Command36->setFont(narrow);
    Command36->setStyleSheet(colours::styleOn(0x008080FF));
    Command36->setToolTip(QStringLiteral("Select a Team or Matchup to DELETE"));
    lbl_DEL2 = new QLabel(TabPage[5]);
    lbl_DEL2->setObjectName(QStringLiteral("lbl_DEL2"));
    lbl_DEL2->setAlignment(Qt::AlignCenter);
    lbl_DEL2->setFont(narrow);
    lbl_DEL2->setAutoFillBackground(true);
    lbl_DEL2->setStyleSheet(colours::style(0x00FF0000, 0x00E0E0E0));
    placeOnTab(lbl_DEL2, 9315, 7920, 2670, 255);
    button(Command30, "Command30", "GET WinLoss", 5, 9840, 1050, 1380, 330);
    button(Command34, "Command34", "GET Matchups", 5, 9825, 1950, 1380, 330);
    button(Command32, "Command32", "TALLY WinLoss", 5, 9840, 2850, 1380, 330);
    for (QPushButton* b : {Command30, Command34, Command32})
        b->hide();

    // Tab 6: one game's box score; no buttons.
    const QFont arial825 = look::font(QStringLiteral("Arial"), 8.25);
    grid(MSHFlexGrid6, "MSHFlexGrid6", 6, 75, 405, 7290, 3135, arial825);
    grid(MSHFlexGrid7, "MSHFlexGrid7", 6, 7560, 405, 4410, 2175, arial825);
    grid(MSHFlexGrid12, "MSHFlexGrid12", 6, 75, 3825, 12015, 855, arial825);
    grid(MSHFlexGrid8, "MSHFlexGrid8", 6, 75, 5040, 7290, 3135, arial825);
    grid(MSHFlexGrid11, "MSHFlexGrid11", 6, 7560, 5040, 4410, 2190, arial825);

    // Tab 7: the tournament bracket is laid out by its own concern.
}

void Form4::Form_Load()
{
    unloaded_ = false;
    // The window object outlives each opening: start as a fresh load would.
    for (QLineEdit* e : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, tb_Team})
        e->clear();
    lbl_DEL2->clear();
    releaseGrids();

    SSTab1->setCurrentIndex(0);

    // One connection and at most one report for the whole step: a database
    // that cannot be read fails every query the same way.
    browser::QueryRunner runner(browser::QueryRunner::Mode::SharedStep);
    loading_ = &runner;
    const bool completed = guarded([this, &runner] {
        // Read at once, each on its own connection; the handlers below take
        // them in their order.
        runner.prefetch({pitchingByPlayerView(), allLineScoresView(), battingByPlayerView(), allBattersView(),
                         allPitchersView(), standingsView(), matchupsView()});
        // The pitching grid shows pitching by player. (Filling it by team
        // first, only to replace it at once, would cost a whole query.)
        Command2_Click();
        Command4_Click();
        Command5_Click();
        Command6_Click();
        Command14_Click();
        Command30_Click();
        Command34_Click();
    });
    loading_ = nullptr;
    if (completed)
        runner.report();

    CenterOverMain(board_, {this});
    markGameIds();
    restoreBracket();
}

void Form4::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    saveBracket();
    releaseGrids();
#ifdef __GLIBC__
    // The rows were many small blocks; handed back, the process shrinks to
    // what it was before the window opened instead of keeping their pages.
    malloc_trim(0);
#endif
}

void Form4::releaseGrids()
{
    // Unloading lets go of the grids and everything they hold.
    for (Grid* g : {MSHFlexGrid1, MSHFlexGrid2, MSHFlexGrid3, MSHFlexGrid4, MSHFlexGrid5, MSHFlexGrid6,
                    MSHFlexGrid7, MSHFlexGrid8, MSHFlexGrid9, MSHFlexGrid10, MSHFlexGrid11, MSHFlexGrid12}) {
        g->model().clearData();
        g->setCols(1);
        g->model().setTextMatrix(0, 0, QString());
    }
}

void Form4::done(int result)
{
    guarded([this] { Form_Unload(); });
    QDialog::done(result);
}

bool Form4::runView(Grid& grid, const browser::View& view)
{
    if (loading_)
        return loading_->run(grid, view);
    browser::QueryRunner click(browser::QueryRunner::Mode::PerClick);
    return click.run(grid, view);
}

void Form4::markGameIds()
{
    GridModel& m = MSHFlexGrid1->model();
    if (m.cols() <= GameIdColumn)
        return;
    const QColor blue = colours::fromBgr(0x00FF0000);
    m.setRedraw(false);
    for (int r = 1; r < m.rows(); ++r)
        m.setCellForeColor(r, GameIdColumn, blue);
    m.setRedraw(true);
}
