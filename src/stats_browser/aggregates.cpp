// Aggregate batting and pitching: every player's totals over all saved
// games, one row per team and player, with the rates worked out by SQLite.
//
// The sums are formed once, grouped by team and player, and the rates are
// worked out from them by name in an outer select (SQLite cannot name a
// result column inside its own select list). A missing sum counts 0 in a
// rate, as IFNULL says. Every rate divides by a fraction ("* 1.0", and
// innings summed as REAL) so that 7 over 2 is 3.5, not 3; a division by
// zero gives NULL, shown as an empty cell, and every other row still shows.
#include "stats_browser/form4.h"

#include "common/guard.h"
#include "stats_browser/query.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// where: a WHERE clause (or nothing) on the table's rows.
QString battingStatement(const QString& where)
{
    return QStringLiteral(
               "SELECT Batter, Team, TAB, SI, DB, TR, HRun, BBs, SO, SBs, RBIs, "
               "(IFNULL(SI, 0) + IFNULL(DB, 0) + IFNULL(TR, 0) + IFNULL(HRun, 0)) * 1.0 / TAB AS BAvg, "
               // A home run is four bases.
               "(IFNULL(SI, 0) + IFNULL(DB, 0) * 2 + IFNULL(TR, 0) * 3 + IFNULL(HRun, 0) * 4) * 1.0 / TAB AS SLG "
               "FROM (SELECT Batter, Team, SUM(AB) AS TAB, SUM(\"1B\") AS SI, SUM(\"2B\") AS DB, "
               "SUM(\"3B\") AS TR, SUM(HR) AS HRun, SUM(BB) AS BBs, SUM(K) AS SO, SUM(SB) AS SBs, "
               "SUM(RBI) AS RBIs FROM Batting")
        + where
        // Grouped by player first: sorting every row for the groups, most
        // comparisons then end at the first field, where by team (a few
        // values over many rows) they would go on to the second. The rows
        // keep their order within a group either way, so every sum and name
        // stays as it was; the outer ORDER BY lists the few grouped rows by
        // team, then player.
        + QStringLiteral(" GROUP BY Batter, Team) ORDER BY Team, Batter");
}

// TIP is a sum of REAL innings; "* 1.0" keeps it fractional even in a file
// whose IP column holds whole numbers.
QString pitchingStatement(const QString& where)
{
    return QStringLiteral(
               "SELECT Pitcher, Team, Ks, BBs, H, HRs, R, TIP, "
               "Ks / (TIP / 9) AS \"Ks/9\", BBs / (TIP / 9) AS \"BBs/9\", H / (TIP / 9) AS \"H/9\", "
               "HRs / (TIP / 9) AS \"HRs/9\", Ks * 1.0 / BBs AS \"K/BB\", "
               "IFNULL(R, 0) / IFNULL(TIP, 0) * 9 AS ERA, "
               "(IFNULL(BBs, 0) + IFNULL(H, 0)) / IFNULL(TIP, 0) AS WHIP "
               "FROM (SELECT Pitcher, Team, SUM(K) AS Ks, SUM(BB) AS BBs, SUM(Hits) AS H, SUM(HR) AS HRs, "
               "SUM(Runs) AS R, SUM(IP * 1.0) AS TIP FROM Pitching")
        + where + QStringLiteral(" GROUP BY Pitcher, Team) ORDER BY Team, Pitcher");  // as above
}

// A filter is a prefix of the name, any case of letters. A row without a
// name is never listed, also with an empty filter.
QString prefixWhere(const char* field)
{
    return QStringLiteral(" WHERE %1 LIKE ? AND %1 <> ''").arg(QLatin1String(field));
}

QVariantList prefixOf(const QLineEdit* box)
{
    return {box->text() + QLatin1Char('%')};
}

}  // namespace

void Form4::wireAggregates()
{
    const std::pair<QPushButton*, void (Form4::*)()> buttons[] = {
        {Command6, &Form4::Command6_Click},   {Command7, &Form4::Command7_Click},
        {Command8, &Form4::Command8_Click},   {Command14, &Form4::Command14_Click},
        {Command13, &Form4::Command13_Click}, {Command12, &Form4::Command12_Click},
    };
    for (const auto& [b, handler] : buttons)
        connect(b, &QPushButton::clicked, this, [this, handler = handler] { guarded([&] { (this->*handler)(); }); });
}

void Form4::Command6_Click()
{
    aggregateBatting(QString(), {}, 550);
}

void Form4::Command7_Click()
{
    aggregateBatting(prefixWhere("Batter"), prefixOf(Text6), 575);
}

void Form4::Command8_Click()
{
    aggregateBatting(prefixWhere("Team"), prefixOf(Text5), 575);
}

void Form4::Command14_Click()
{
    aggregatePitching(QString(), {});
}

void Form4::Command13_Click()
{
    aggregatePitching(prefixWhere("Pitcher"), prefixOf(Text10));
}

void Form4::Command12_Click()
{
    aggregatePitching(prefixWhere("Team"), prefixOf(Text11));
}

void Form4::aggregateBatting(const QString& where, const QVariantList& params, int countWidth)
{
    browser::View v;
    v.statement = battingStatement(where);
    v.params = params;
    v.header = QStringList{"Batter", "Team", "TAB", "SI",   "DB",   "TR",  "HRun",
                           "BBs",    "SO",   "SBs", "RBIs", "BAvg", "SLG"};
    v.widths = {{0, 300}, {1, 2000}, {2, 1700}};
    for (int c = 3; c <= 13; ++c)
        v.widths.emplace_back(c, countWidth);
    v.alignments = {{1, browser::LeftTop}, {2, browser::LeftTop}};
    v.formats = {{12, 3}, {13, 3}};
    runView(*MSHFlexGrid4, v);
}

void Form4::aggregatePitching(const QString& where, const QVariantList& params)
{
    browser::View v;
    v.statement = pitchingStatement(where);
    v.params = params;
    v.header = QStringList{"Pitcher", "Team", "Ks",  "BBs",  "H",   "HRs", "R",   "TIP",
                           "Ks/9",    "BBs/9", "H/9", "HRs/9", "K/BB", "ERA", "WHIP"};
    v.widths = {{0, 300}, {1, 1700}, {2, 1500}, {3, 430}, {4, 430}, {5, 430}, {6, 430}, {7, 430}, {8, 625},
                {9, 550}, {10, 550}, {11, 550}, {12, 600}, {13, 600}, {14, 650}, {15, 650}};
    v.alignments = {{1, browser::LeftTop}, {2, browser::LeftTop}};
    for (int c = 8; c <= 15; ++c)
        v.formats.emplace_back(c, 2);
    runView(*MSHFlexGrid5, v);
}
