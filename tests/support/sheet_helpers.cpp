#include "support/sheet_helpers.h"

#include "board/form1.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"

#include <QSignalBlocker>

namespace sheet_test {

namespace {

std::array<BoxScoreEdit*, 23>& lineScore(Form1& board, Side side)
{
    return side == Side::Visitors ? board.tb_BoxScore : board.tb_BoxScoreBottom;
}

ListBox* lineup(Form1& board, Side side)
{
    return side == Side::Visitors ? board.List1 : board.List2;
}

void setBox(BoxScoreEdit* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    box->setText(text);
}

}  // namespace

Grid* statsGrid(Form1& board, Side side)
{
    Form2* sheet = board.statsSheet();
    return side == Side::Visitors ? sheet->grd_VisStats : sheet->grd_HomeStats;
}

void loadTeam(Form1& board, Side side, const QString& team, const QStringList& entries)
{
    const bool vis = side == Side::Visitors;
    Form2* sheet = board.statsSheet();
    ListBox* list = lineup(board, side);
    {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(entries);
    }
    Grid* grid = statsGrid(board, side);
    for (int i = 0; i < entries.size(); ++i)
        grid->setTextMatrix(i + 1, 1, entries[i].section('=', 0, 0));
    for (int row = 1; row <= 9; ++row)
        grid->setTextMatrix(row, 18, QStringLiteral("1"));
    {
        QLineEdit* name = vis ? board.tb_VisTeam : board.tb_HomeTeam;
        const QSignalBlocker quiet(name);
        name->setText(team);
    }
    (vis ? sheet->lbl_VisTeam : sheet->lbl_HomeTeam)->setText(team);
    sheet->grd_BoxScore->setTextMatrix(vis ? 1 : 2, 0, team);
}

void selectEntry(Form1& board, Side side, int row)
{
    lineup(board, side)->setListIndexSilently(row);
}

void setBatting(Form1& board, Side side, int row, const QStringList& counts)
{
    Grid* grid = statsGrid(board, side);
    for (int i = 0; i < counts.size(); ++i)
        grid->setTextMatrix(row, 2 + i, counts[i]);
}

void setPitching(Form1& board, Side side, int row, const QString& name, const QStringList& counts, const QString& ip)
{
    Grid* grid = statsGrid(board, side);
    grid->setTextMatrix(row, 11, name);
    for (int i = 0; i < counts.size(); ++i)
        grid->setTextMatrix(row, 12 + i, counts[i]);
    grid->setTextMatrix(row, 17, ip);
}

void setCurrentPitcher(Form1& board, Side side, const QString& name, const QString& replaced)
{
    ClickLabel* label = side == Side::Visitors ? board.lbl_VisPitcher : board.lbl_HomePitcher;
    label->setText(name);
    label->hiddenText = replaced;
}

void setLineScore(Form1& board, Side side, const QStringList& runs, int completed)
{
    auto& boxes = lineScore(board, side);
    for (int i = 0; i < 20; ++i) {
        setBox(boxes[size_t(i)], runs.value(i));
        boxes[size_t(i)]->setCompleted(i < completed);
    }
}

void setHitsErrors(Form1& board, Side side, const QString& hits, const QString& errors)
{
    auto& boxes = lineScore(board, side);
    setBox(boxes[21], hits);
    setBox(boxes[22], errors);
}

void setAtBat(Form1& board, const Side* side, const QString& outs)
{
    {
        const QSignalBlocker q5(board.Option5), q6(board.Option6);
        board.Option5->setAutoExclusive(false);
        board.Option6->setAutoExclusive(false);
        board.Option5->setChecked(side && *side == Side::Visitors);
        board.Option6->setChecked(side && *side == Side::Home);
        board.Option5->setAutoExclusive(true);
        board.Option6->setAutoExclusive(true);
    }
    const QSignalBlocker quiet(board.tb_OUT);
    board.tb_OUT->setText(outs);
}

std::vector<QStringList> tableRows(const QString& table)
{
    db::Connection conn;
    return conn.select(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table)).rows;
}

int tableCount(const QString& table)
{
    db::Connection conn;
    return conn.select(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).rows.at(0).at(0).toInt();
}

void setUpNineInningGame(Form1& board, const QString& visitors, const QString& home)
{
    QStringList visLineup, homeLineup;
    for (int i = 1; i <= 9; ++i) {
        visLineup << QStringLiteral("Vis Batter %1=LF .280").arg(i);
        homeLineup << QStringLiteral("Home Batter %1=CF .265").arg(i);
    }
    loadTeam(board, Side::Visitors, visitors, visLineup);
    loadTeam(board, Side::Home, home, homeLineup);
    selectEntry(board, Side::Visitors, 0);
    selectEntry(board, Side::Home, 0);
    for (int row = 1; row <= 9; ++row) {
        setBatting(board, Side::Visitors, row, {"1", "", "1", "", "", "", "", "", "4"});
        setBatting(board, Side::Home, row, {"", "1", "", "", "", "", "", "", "3"});
    }
    setPitching(board, Side::Visitors, 1, QStringLiteral("Vis Ace"), {"9", "9", "", "", ""});
    setPitching(board, Side::Home, 1, QStringLiteral("Home Ace"), {"9", "", "9", "", "1"});
    setCurrentPitcher(board, Side::Visitors, QStringLiteral("Vis Ace"));
    setCurrentPitcher(board, Side::Home, QStringLiteral("Home Ace"));
    setLineScore(board, Side::Visitors, {"0", "0", "2", "0", "0", "0", "0", "0", "0"}, 9);
    setLineScore(board, Side::Home, {"0", "1", "0", "0", "0", "0", "0", "0", "0"}, 9);
    setHitsErrors(board, Side::Visitors, QStringLiteral("9"), QStringLiteral("0"));
    setHitsErrors(board, Side::Home, QStringLiteral("9"), QStringLiteral("1"));
    const Side vis = Side::Visitors;
    setAtBat(board, &vis, QStringLiteral("0"));
}

}  // namespace sheet_test
