// Readable on a dark desktop and on the default one: every text the board,
// the sheet, the event log, the notice box, the chart viewer and the About
// box draw, read from their pixels; the sheet's grids show every figure
// whole; the sheet opens whole on a laptop screen.
#include "platform/grid.h"
#include "presentation/form3.h"
#include "presentation/frmAbout.h"
#include "support/board_fixture.h"
#include "support/game_helpers.h"
#include "support/readable_check.h"
#include "support/team_helpers.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <optional>

using namespace gamehelp;

namespace {

// Texts drawn in the same colours on every desktop whose pair reads less
// well than the usual 4.5: white on mid grey (the visitors' name on the
// sheet) and on red (the outs); the About box's large title and its
// disclaimer on its light grey.
const QMap<QString, double> LighterPairs{{QStringLiteral("lbl_VisTeam"), 3.0},
                                         {QStringLiteral("tb_OUT"), 3.0},
                                         {QStringLiteral("lblTitle"), 2.5},
                                         {QStringLiteral("lblDisclaimer"), 3.0}};

void expectReadable(QWidget* window, const char* what)
{
    SCOPED_TRACE(what);
    window->show();
    const auto texts = readable::textsOf(window);
    EXPECT_FALSE(texts.empty());
    for (const readable::Text& t : texts)
        EXPECT_GE(t.contrast, LighterPairs.value(t.where, 4.5)) << t.where.toStdString() << " in " << what;
}

class DesktopTest : public BoardTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        palette_.emplace(GetParam());
        BoardTest::SetUp();
    }
    void TearDown() override
    {
        BoardTest::TearDown();
        palette_.reset();
    }

private:
    std::optional<readable::DesktopPalette> palette_;
};

}  // namespace

TEST_P(DesktopTest, EveryTextOfTheBoardAndItsWindowsReads)
{
    const QString longName = QStringLiteral("Summit Valley Miners Baseball C");  // 30 letters and more
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("V.txt"), QStringList{"Ace"} + lineup("V", 9)),
                    true);
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("H.txt"), QStringList{"Bo"} + lineup("H", 9)),
                    false);
    expectReadable(board.get(), "board");

    // The sheet with a typed name, figures on both bands and the cell editor open.
    Form2& s = sheet();
    s.lbl_VisTeam->setText(longName);
    for (int r = 1; r <= 4; ++r) {
        s.grd_VisStats->setTextMatrix(r, 1, longName);
        s.grd_HomeStats->setTextMatrix(r, 11, longName);
        for (int c = 2; c <= 17; ++c)
            if (c != 11)
                s.grd_VisStats->setTextMatrix(r, c, c == 17 ? QStringLiteral("27.2") : QStringLiteral("99"));
    }
    s.tb_Comments->setText(QStringLiteral("A comment"));
    expectReadable(&s, "sheet");
    for (Grid* g : {s.grd_VisStats, s.grd_HomeStats, s.grd_BoxScore})
        EXPECT_EQ(readable::cutCells(*g).join('\n').toStdString(), "") << g->objectName().toStdString();

    log().append(QStringLiteral("Single to left"));
    expectReadable(&log(), "event log");
    ui->whileModal(QStringLiteral("CustMsgBox"), [&](QDialog& box) { expectReadable(&box, "notice box"); });
    board->notices.show(QStringLiteral("Runner out at second"));

    Form3 viewer(board.get());
    viewer.Form_Load(*board);
    viewer.Navigate(folder->path() + QStringLiteral("/no chart.png"));
    expectReadable(&viewer, "chart viewer");

    frmAbout about(board.get());
    about.Form_Load();
    expectReadable(&about, "About box");
}

TEST_P(DesktopTest, TheSheetOpensWholeOnALaptopScreenInItsProportion)
{
    Form2& s = sheet();
    s.show();
    const double ratio = double(s.height()) / s.width();
    const QRect area(0, 0, 1366, 768 - 40);  // less a panel
    s.move(300, 200);
    s.fitInto(area);
    // Framed or not yet (a usual title bar and border allowed for).
    const QRect outer = s.frameGeometry() != s.geometry() ? s.frameGeometry()
                                                           : s.geometry().marginsAdded(QMargins(4, 34, 4, 8));
    EXPECT_TRUE(area.contains(outer)) << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
    EXPECT_NEAR(double(s.height()) / s.width(), ratio, 0.01);
    // Every control came along: the save button lies inside the window.
    EXPECT_TRUE(s.rect().contains(QRect(s.Command2->mapTo(&s, QPoint()), s.Command2->size())));
    // And every column: the player grids show all of theirs without
    // scrolling sideways.
    for (Grid* g : {s.grd_VisStats, s.grd_HomeStats}) {
        int shown = 0;
        for (int c = 0; c < g->cols(); ++c)
            shown += g->isColumnHidden(c) ? 0 : g->horizontalHeader()->sectionSize(c);
        EXPECT_LE(shown, g->viewport()->width()) << g->objectName().toStdString();
    }
    // The widest figures still show whole in the shrunk sheet.
    for (int r = 1; r <= 3; ++r) {
        s.grd_VisStats->setTextMatrix(r, 1, QStringLiteral("Summit Valley Miners Baseball"));
        for (int c = 2; c <= 17; ++c)
            if (c != 11)
                s.grd_VisStats->setTextMatrix(r, c, c == 17 ? QStringLiteral("999.2") : QStringLiteral("999"));
    }
    for (int c = 1; c <= 23; ++c)
        s.grd_BoxScore->setTextMatrix(1, c, QStringLiteral("99"));
    for (Grid* g : {s.grd_VisStats, s.grd_BoxScore})
        EXPECT_EQ(readable::cutCells(*g).join('\n').toStdString(), "") << g->objectName().toStdString();

    // Dragged larger, it keeps its proportion.
    s.resize(s.width() + 100, s.height());
    EXPECT_NEAR(double(s.height()) / s.width(), ratio, 0.01);
    // A screen it fits leaves it as it is.
    const QSize before = s.size();
    s.fitInto(QRect(0, 0, 1920, 1040));
    EXPECT_EQ(s.size(), before);
}

INSTANTIATE_TEST_SUITE_P(Palettes, DesktopTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? std::string("Dark") : std::string("Default"); });
