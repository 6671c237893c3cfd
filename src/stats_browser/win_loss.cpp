// Win/Loss: the standings (most wins first) and the matchups, and the
// deletion of one team's win/loss rows, one matchup's rows, or both tables.
// The deletes leave the batting, pitching and line-score tables alone and
// refresh no grid.
#include "stats_browser/form4.h"

#include "platform/grid.h"
#include "platform/guarded.h"
#include "stats_browser/deletes.h"
#include "stats_browser/query.h"

#include <QLabel>
#include <QPushButton>

void Form4::wireWinLoss()
{
    connect(Command36, &QPushButton::clicked, this, [this] { guarded([this] { Command36_Click(); }); });
    connect(Command33, &QPushButton::clicked, this, [this] { guarded([this] { Command33_Click(); }); });
    // Only a data cell picks a target: the header row is no team.
    connect(MSHFlexGrid9, &Grid::cellClicked, this,
            [this](int row, int) { guarded([&] { MSHFlexGrid9_Click(row); }); });
    connect(MSHFlexGrid10, &Grid::cellClicked, this,
            [this](int row, int) { guarded([&] { MSHFlexGrid10_Click(row); }); });
    // A name is shown as typed, never read as markup.
    lbl_DEL2->setTextFormat(Qt::PlainText);
}

void Form4::Command30_Click()
{
    runView(*MSHFlexGrid9, standingsView());
}

browser::View Form4::standingsView() const
{
    browser::View v;
    // A team that never won has an empty W and comes after every team with
    // wins (NULL sorts last when descending); equal wins go by name.
    v.statement = QStringLiteral(
        "SELECT Team, SUM(Win) AS W, SUM(Loss) AS L FROM WinLoss GROUP BY Team ORDER BY W DESC, Team");
    v.header = QStringList{"Team", "W", "L"};
    v.widths = {{0, 300}, {1, 1500}, {2, 600}, {3, 600}};
    // The name keeps the grid's own alignment.
    v.centreAllData = false;
    v.alignments = {{2, browser::CentreTop}, {3, browser::CentreTop}};
    return v;
}

void Form4::Command34_Click()
{
    runView(*MSHFlexGrid10, matchupsView());
}

browser::View Form4::matchupsView() const
{
    browser::View v;
    v.statement =
        QStringLiteral("SELECT Matchup, SUM(Tally) AS Games FROM Matchups GROUP BY Matchup ORDER BY Matchup");
    v.header = QStringList{"Matchup", "Games"};
    v.widths = {{0, 300}, {1, 2500}, {2, 600}};
    v.centreAllData = false;
    v.alignments = {{2, browser::CentreTop}};
    return v;
}

void Form4::MSHFlexGrid9_Click(int row)
{
    pickDeleteTarget(*MSHFlexGrid9, row);
}

void Form4::MSHFlexGrid10_Click(int row)
{
    pickDeleteTarget(*MSHFlexGrid10, row);
}

void Form4::pickDeleteTarget(const Grid& grid, int row)
{
    if (row < 1 || row >= grid.rows() || grid.cols() < 2)
        return;
    lbl_DEL2->setText(grid.textMatrix(row, 1));
}

void Form4::Command36_Click()
{
    const QString target = lbl_DEL2->text();
    if (target.isEmpty())
        return;
    // A team name matches no matchup key and a key no team, so one of the
    // two acts. The text is matched exactly: "%" or "_" in a name is no
    // wildcard here.
    browser::deleteAfterAsking(
        QStringLiteral("DELETE all statistics?"),
        {{QStringLiteral("DELETE FROM WinLoss WHERE Team = ? COLLATE NOCASE"), {target}},
         {QStringLiteral("DELETE FROM Matchups WHERE Matchup = ? COLLATE NOCASE"), {target}}},
        QStringLiteral("Delete of data is complete."));
}

void Form4::Command33_Click()
{
    browser::deleteAfterAsking(QStringLiteral("DELETE all Win/Loss and Matchups data?"),
                               {{QStringLiteral("DELETE FROM WinLoss"), {}}, {QStringLiteral("DELETE FROM Matchups"), {}}},
                               QStringLiteral("Win/Loss Matchup data has been deleted."));
}
